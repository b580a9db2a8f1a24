// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cassert>

namespace sus {

// Whether the caller may touch what belongs to the line (link/LineHost.h): it runs on a line's own
// thread, or no line has a thread of its own now, as in virtual time, where every call is the
// caller's.
bool onTheLinesThread();

// Marks the thread it lives on as a line's own for as long as it lives; LineThread holds one.
class LineThreadMark {
public:
    LineThreadMark();
    ~LineThreadMark();
    LineThreadMark(const LineThreadMark&) = delete;
    LineThreadMark& operator=(const LineThreadMark&) = delete;
};

} // namespace sus

// Debug builds stop at the first touch of the line's objects from another thread, which would race
// with the line's own work; release builds pay nothing.
#define SUS_ASSERT_ON_THE_LINES_THREAD()                                                                     \
    assert(::sus::onTheLinesThread() && "used off the line's thread (link/LineHost.h)")
