#include "support/sockets.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
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

#include "support/fake_controller.h"

namespace zefra::test::sockets {
namespace {

#ifdef _WIN32
using Native = SOCKET;
using Length = int;
constexpr int shutBoth = SD_BOTH;
constexpr int noSignal = 0;

// The library starts and stops Winsock with its connections; the fixtures keep their own start.
const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();
#else
using Native = int;
using Length = socklen_t;
constexpr int shutBoth = SHUT_RDWR;
constexpr int noSignal = MSG_NOSIGNAL;
#endif

Native native(Handle h) { return static_cast<Native>(h); }

}  // namespace

Handle open(int backlog, std::uint16_t& port) {
#ifdef _WIN32
    (void)started;
    const Native s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return none;
#else
    const Native s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return none;
#endif
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(test::loopback);
    Length len = sizeof addr;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || (backlog >= 0 && ::listen(s, backlog) != 0) ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(static_cast<Handle>(s));
        return none;
    }
    port = ntohs(addr.sin_port);
    return static_cast<Handle>(s);
}

Handle accept(Handle listener) {
#ifdef _WIN32
    const Native s = ::accept(native(listener), nullptr, nullptr);
    return s == INVALID_SOCKET ? none : static_cast<Handle>(s);
#else
    const int fd = ::accept4(native(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? none : fd;
#endif
}

bool waitReadable(Handle h, int milliseconds) {
#ifdef _WIN32
    fd_set set, failed;
    FD_ZERO(&set);
    FD_ZERO(&failed);
    FD_SET(native(h), &set);
    FD_SET(native(h), &failed);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, &set, nullptr, &failed, &limit) > 0;
#else
    pollfd p{native(h), POLLIN, 0};
    return ::poll(&p, 1, milliseconds) > 0;
#endif
}

long receive(Handle h, void* data, std::size_t size) {
    return static_cast<long>(::recv(native(h), static_cast<char*>(data), static_cast<int>(size), 0));
}

bool send(Handle h, const void* data, std::size_t size) {
    return ::send(native(h), static_cast<const char*>(data), static_cast<int>(size), noSignal) >= 0;
}

void resetOnClose(Handle h) {
    const linger reset{1, 0};
    ::setsockopt(native(h), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
}

void shutdown(Handle h) { ::shutdown(native(h), shutBoth); }

void close(Handle h) {
#ifdef _WIN32
    ::closesocket(native(h));
#else
    ::close(native(h));
#endif
}

}  // namespace zefra::test::sockets
