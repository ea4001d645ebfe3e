// Plain loopback sockets for the test fixtures, one interface on POSIX and on Windows (where
// the socket layer is started once for the whole test process, apart from the library's own
// starts and stops).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cstddef>
#include <cstdint>

namespace zefra::test::sockets {

using Handle = std::intptr_t;
inline constexpr Handle none = -1;

namespace native {
#ifdef _WIN32
using Socket = SOCKET;
using Length = int;
inline constexpr int shutBoth = SD_BOTH, noSignal = 0;
inline const auto poll = WSAPoll;
inline const auto close = closesocket;

// The library starts and stops Winsock with its connections; the fixtures keep their own start.
inline const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();
#else
using Socket = int;
using Length = socklen_t;
inline constexpr int shutBoth = SHUT_RDWR, noSignal = MSG_NOSIGNAL;
inline const auto poll = ::poll;
inline const auto close = ::close;
#endif

inline Socket of(Handle h) { return static_cast<Socket>(h); }
inline Handle handle(Socket s) { return s == static_cast<Socket>(none) ? none : static_cast<Handle>(s); }
}  // namespace native

inline void close(Handle h) { native::close(native::of(h)); }

// Bound to 127.0.0.1 on a port the system picks (written to `port`); listening with `backlog`
// unless it is negative. `none` on failure.
inline Handle open(int backlog, std::uint16_t& port) {
#ifdef _WIN32
    (void)native::started;
#endif
    const Handle s = native::handle(::socket(AF_INET, SOCK_STREAM, 0));
    if (s == none) return none;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    native::Length len = sizeof addr;
    if (::bind(native::of(s), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        (backlog >= 0 && ::listen(native::of(s), backlog) != 0) ||
        ::getsockname(native::of(s), reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(s);
        return none;
    }
    port = ntohs(addr.sin_port);
    return s;
}

inline Handle accept(Handle listener) { return native::handle(::accept(native::of(listener), nullptr, nullptr)); }

// False on time-out or error.
inline bool waitReadable(Handle h, int milliseconds) {
    pollfd p{native::of(h), POLLIN, 0};
    return native::poll(&p, 1, milliseconds) > 0;
}

// Bytes received, 0 when the peer closed, negative on error.
inline long receive(Handle h, void* data, std::size_t size) {
    return static_cast<long>(::recv(native::of(h), static_cast<char*>(data), static_cast<int>(size), 0));
}

inline bool send(Handle h, const void* data, std::size_t size) {
    return ::send(native::of(h), static_cast<const char*>(data), static_cast<int>(size), native::noSignal) >= 0;
}

// The next close resets the connection instead of ending it in order.
inline void resetOnClose(Handle h) {
    const linger reset{1, 0};
    ::setsockopt(native::of(h), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
}

inline void shutdown(Handle h) { ::shutdown(native::of(h), native::shutBoth); }

}  // namespace zefra::test::sockets
