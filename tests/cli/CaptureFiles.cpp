// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/CaptureFiles.h"

#include "core/Utf8Path.h"
#include "sim/Waveform.h"
#include "tests/bridge/WireLog.h"
#include "update/UpdateFileReader.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sus::test {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

FixtureLog heardFromWireLog(const std::filesystem::path& path)
{
    return VirtualFixture::decode(renderWaveform(bridge::readWireLog(fileText(path))));
}

std::filesystem::path examplePath(const std::string& name)
{
    return pathFromUtf8(std::string(SUS_EXAMPLES_DIR "/") + name);
}

UpdateImage exampleImage(const std::string& name)
{
    UpdateImageLoad load = LoadUpdateImage(examplePath(name));
    if (!load)
        throw std::runtime_error(name + ": " + load.failureReason);
    return std::move(*load.image);
}

} // namespace sus::test
