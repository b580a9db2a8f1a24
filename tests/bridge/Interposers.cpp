// SPDX-License-Identifier: Apache-2.0
// The C library functions that a serial port's code calls, defined here so that they come before
// the C library's own: calls on the modeled port go to the model bridge, everything else on to
// the C library unchanged. (ioctl is in Termios2.cpp, beside the kernel's headers.)

#include "tests/bridge/LibcTermios.h"
#include "tests/bridge/ModelBridge.h"
#include "tests/bridge/RealCalls.h"

#include <cstdarg>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using sus::bridge::ModelBridge;
namespace real = sus::bridge::real;

namespace {

mode_t modeArgument(int flags, va_list arguments)
{
    const bool creates = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return creates ? static_cast<mode_t>(va_arg(arguments, unsigned int)) : 0;
}

int openPath(const char* path, int flags, mode_t mode)
{
    if (const auto fd = ModelBridge::instance().open(path, flags))
        return *fd;
    return real::open(path, flags, mode);
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openPath(path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    const bool fromRoot = path[0] == '/';
    if (directory == AT_FDCWD || fromRoot)
        return openPath(path, flags, mode);
    return real::openat(directory, path, flags, mode);
}

// The 64-bit names are the same calls on this platform.
int open64(const char* path, int flags, ...) __attribute__((alias("open")));
int openat64(int directory, const char* path, int flags, ...) __attribute__((alias("openat")));

int close(int fd)
{
    if (const auto result = ModelBridge::instance().close(fd))
        return *result;
    return real::close(fd);
}

ssize_t write(int fd, const void* data, size_t count)
{
    if (const auto written = ModelBridge::instance().write(fd, data, count))
        return *written;
    return real::write(fd, data, count);
}

int tcgetattr(int fd, struct termios* settings) noexcept
{
    if (const auto kept = ModelBridge::instance().settings(fd, "tcgetattr")) {
        *settings = sus::bridge::toLibc(*kept);
        return 0;
    }
    return real::tcgetattr(fd, settings);
}

int tcsetattr(int fd, int when, const struct termios* settings) noexcept
{
    const auto result = ModelBridge::instance().setSettings(fd, sus::bridge::fromLibc(*settings),
                                                            when != TCSANOW, "tcsetattr");
    if (!result)
        return real::tcsetattr(fd, when, settings);
    // The pseudo-terminal takes them too, so that it behaves as the program set it up; what the
    // model refused stays refused, with its errno.
    if (*result == 0)
        real::tcsetattr(fd, TCSANOW, settings);
    return *result;
}

int tcdrain(int fd)
{
    if (const auto result = ModelBridge::instance().drain(fd, "tcdrain"))
        return *result;
    return real::tcdrain(fd);
}

int tcflush(int fd, int queue) noexcept
{
    ModelBridge::instance().note(fd, "tcflush");
    return real::tcflush(fd, queue);
}

} // extern "C"
