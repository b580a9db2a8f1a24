#include "link/LineSteps.h"

namespace sus {

void LineSteps::clear()
{
    steps_.clear();
    bytes_.clear();
}

void LineSteps::readLine()
{
    steps_.push_back({.kind = LineStep::Kind::ReadLine});
}

void LineSteps::changeLine(std::optional<std::uint32_t> baudRate, Parity parity)
{
    steps_.push_back({.kind = LineStep::Kind::ChangeLine, .baudRate = baudRate, .parity = parity});
}

void LineSteps::write(std::span<const std::uint8_t> bytes)
{
    steps_.push_back({.kind = LineStep::Kind::Write, .offset = bytes_.size(), .length = bytes.size()});
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> LineSteps::bytesOf(const LineStep& step) const
{
    return std::span(bytes_).subspan(step.offset, step.length);
}

} // namespace sus
