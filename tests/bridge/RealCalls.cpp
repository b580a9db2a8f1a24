// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/RealCalls.h"

#include <dlfcn.h>

namespace sus::bridge::real {
namespace {

// The next definition of `name` after this object's: the C library's (or another interposer's,
// such as a device testbed's, loaded before it).
template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

int open(const char* path, int flags, mode_t mode)
{
    static const auto call = next<int (*)(const char*, int, ...)>("open64");
    return call(path, flags, mode);
}

int openat(int directory, const char* path, int flags, mode_t mode)
{
    static const auto call = next<int (*)(int, const char*, int, ...)>("openat64");
    return call(directory, path, flags, mode);
}

int close(int fd)
{
    static const auto call = next<int (*)(int)>("close");
    return call(fd);
}

ssize_t write(int fd, const void* data, std::size_t count)
{
    static const auto call = next<ssize_t (*)(int, const void*, std::size_t)>("write");
    return call(fd, data, count);
}

int ioctl(int fd, unsigned long request, void* argument)
{
    static const auto call = next<int (*)(int, unsigned long, ...)>("ioctl");
    return call(fd, request, argument);
}

int tcgetattr(int fd, termios* settings)
{
    static const auto call = next<int (*)(int, termios*)>("tcgetattr");
    return call(fd, settings);
}

int tcsetattr(int fd, int when, const termios* settings)
{
    static const auto call = next<int (*)(int, int, const termios*)>("tcsetattr");
    return call(fd, when, settings);
}

int tcdrain(int fd)
{
    static const auto call = next<int (*)(int)>("tcdrain");
    return call(fd);
}

int tcflush(int fd, int queue)
{
    static const auto call = next<int (*)(int, int)>("tcflush");
    return call(fd, queue);
}

} // namespace sus::bridge::real
