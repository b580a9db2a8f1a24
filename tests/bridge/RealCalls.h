// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <sys/types.h>

struct termios;

namespace sus::bridge::real {

// The C library's own functions, behind the interposers: what the model passes calls on to.
int open(const char* path, int flags, mode_t mode = 0);
int openat(int directory, const char* path, int flags, mode_t mode = 0);
int close(int fd);
ssize_t write(int fd, const void* data, std::size_t count);
int ioctl(int fd, unsigned long request, void* argument);
int tcgetattr(int fd, termios* settings);
int tcsetattr(int fd, int when, const termios* settings);
int tcdrain(int fd);
int tcflush(int fd, int queue);

} // namespace sus::bridge::real
