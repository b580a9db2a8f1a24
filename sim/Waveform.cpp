// SPDX-License-Identifier: Apache-2.0
#include "sim/Waveform.h"

#include "link/LineTiming.h"

#include <algorithm>

namespace sus {

void Waveform::setLevel(std::int64_t timeNs, bool level)
{
    extendTo(timeNs);
    if (level == this->level())
        return;
    if (!edges_.empty() && edges_.back() == timeNs)
        edges_.pop_back();
    else
        edges_.push_back(timeNs);
}

void Waveform::hold(bool level, std::int64_t durationNs)
{
    setLevel(endNs_, level);
    endNs_ += durationNs;
}

void Waveform::extendTo(std::int64_t timeNs)
{
    endNs_ = std::max(endNs_, timeNs);
}

Waveform renderWaveform(const std::vector<WireWrite>& writes)
{
    Waveform wave;
    for (const WireWrite& write : writes) {
        const std::int64_t characterNs = characterDurationNs(write.line);
        const int bits = characterBits(write.line);
        std::int64_t start = write.startNs;
        for (const std::uint8_t value : write.bytes) {
            for (int bit = 0; bit < bits; ++bit)
                wave.setLevel(start + bitsDurationNs(bit, write.line.baudRate),
                              characterBitLevel(write.line, value, bit));
            start += characterNs;
        }
        wave.extendTo(start);
    }
    return wave;
}

} // namespace sus
