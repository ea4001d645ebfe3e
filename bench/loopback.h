// What both round-trip benchmarks share: a responder's loopback listener, the raw client's
// connection, and their count arguments.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zefra::bench {

// The listening descriptor; `port` receives the port the system picked.
inline int listenOnLoopback(int backlog, std::uint16_t& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listener, backlog);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return listener;
}

// Turns Nagle's delay off, as the library does on its own sockets.
inline void noDelay(int fd) {
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// A client socket connected to `port` on loopback, without Nagle's delay, as the library's.
inline int connectToLoopback(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) std::abort();
    noDelay(fd);
    return fd;
}

// The positive count in argv[index], or `fallback` when it is not given; anything else (a
// "--help" included) prints `usage` and ends the program, with status 0 for "--help", 2 otherwise.
inline int countArgument(int argc, char** argv, int index, int fallback, const char* usage) {
    if (argc <= index) return fallback;
    char* end = nullptr;
    const long value = std::strtol(argv[index], &end, 10);
    if (end != argv[index] && *end == '\0' && value > 0 && value <= 1000000) return static_cast<int>(value);
    const bool help = std::strcmp(argv[index], "--help") == 0 || std::strcmp(argv[index], "-h") == 0;
    std::fprintf(help ? stdout : stderr, "usage: %s %s\n", argv[0], usage);
    std::exit(help ? 0 : 2);
}

}  // namespace zefra::bench
