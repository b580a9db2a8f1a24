// SPDX-License-Identifier: Apache-2.0
#include "link/LineSteps.h"

namespace sus {

void LineSteps::clear()
{
    steps_.clear();
    bytes_.clear();
}

void LineSteps::readLine()
{
    steps_.push_back(LineStep{});
}

void LineSteps::changeLine(std::optional<std::uint32_t> baudRate, Parity parity)
{
    LineStep& step = steps_.emplace_back();
    step.kind = LineStep::Kind::ChangeLine;
    step.baudRate = baudRate;
    step.parity = parity;
}

void LineSteps::write(std::span<const std::uint8_t> bytes)
{
    LineStep& step = steps_.emplace_back();
    step.kind = LineStep::Kind::Write;
    step.offset = bytes_.size();
    step.length = bytes.size();
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> LineSteps::bytesOf(const LineStep& step) const
{
    return std::span(bytes_).subspan(step.offset, step.length);
}

} // namespace sus
