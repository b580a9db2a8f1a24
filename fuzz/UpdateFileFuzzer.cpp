// SPDX-License-Identifier: Apache-2.0
// libFuzzer entry: every input is an update file taken through showing, preparing and a whole run.
#include "fuzz/UpdateFileCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        sus::fuzz::checkUpdateFile({data, size});
    } catch (const sus::fuzz::CheckFailed& failed) {
        std::fprintf(stderr, "update file check failed: %s\n", failed.what());
        std::abort();
    }
    return 0;
}
