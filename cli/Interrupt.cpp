// SPDX-License-Identifier: Apache-2.0
#include "cli/Interrupt.h"

#include <csignal>

namespace sus::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int)
{
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void catchInterrupt()
{
    std::signal(SIGINT, noteInterrupt);
}

bool takeInterrupt()
{
    const bool was = interrupted != 0;
    interrupted = 0;
    return was;
}

} // namespace sus::cli
