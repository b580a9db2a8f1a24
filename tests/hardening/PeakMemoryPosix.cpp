// SPDX-License-Identifier: Apache-2.0
#include "tests/hardening/PeakMemory.h"

#include <cstddef>
#include <malloc.h>
#include <sys/resource.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUS_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SUS_ADDRESS_SANITIZER 1
#endif

#ifdef SUS_ADDRESS_SANITIZER
// From the sanitizer runtime (GCC ships no header for it): bytes allocated and not yet freed.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace sus::test {

std::int64_t peakResidentBytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::int64_t>(usage.ru_maxrss) * 1024; // reported in KiB
}

std::int64_t heapBytesInUse()
{
#ifdef SUS_ADDRESS_SANITIZER
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    // Large blocks are mapped apart from the heap proper and counted on their own.
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

} // namespace sus::test
