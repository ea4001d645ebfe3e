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

void setNonBlocking(Native s) {
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
}

bool waitFor(Handle h, bool forWriting, int milliseconds) {
    fd_set set, failed;
    FD_ZERO(&set);
    FD_ZERO(&failed);
    FD_SET(static_cast<Native>(h), &set);
    FD_SET(static_cast<Native>(h), &failed);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, &failed, &limit) > 0;
}
#else
using Native = int;
using Length = socklen_t;
constexpr int shutBoth = SHUT_RDWR;
constexpr int noSignal = MSG_NOSIGNAL;

bool waitFor(Handle h, bool forWriting, int milliseconds) {
    pollfd p{static_cast<int>(h), static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
    return ::poll(&p, 1, milliseconds) > 0;
}
#endif

Native native(Handle h) { return static_cast<Native>(h); }

Handle newSocket(bool nonBlocking) {
#ifdef _WIN32
    (void)started;
    const Native s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return none;
    if (nonBlocking) setNonBlocking(s);
#else
    const Native s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
    if (s < 0) return none;
#endif
    return static_cast<Handle>(s);
}

sockaddr_in loopbackAddress(std::uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(test::loopback);
    addr.sin_port = htons(port);
    return addr;
}

}  // namespace

Handle open(int backlog, std::uint16_t& port) {
    const Handle h = newSocket(false);
    if (h == none) return none;
    sockaddr_in addr = loopbackAddress(0);
    Length len = sizeof addr;
    if (::bind(native(h), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        (backlog >= 0 && ::listen(native(h), backlog) != 0) ||
        ::getsockname(native(h), reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(h);
        return none;
    }
    port = ntohs(addr.sin_port);
    return h;
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

Handle startConnect(std::uint16_t port) {
    const Handle h = newSocket(true);
    if (h == none) return none;
    const sockaddr_in addr = loopbackAddress(port);
    (void)::connect(native(h), reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    return h;
}

bool waitReadable(Handle h, int milliseconds) { return waitFor(h, false, milliseconds); }
bool waitWritable(Handle h, int milliseconds) { return waitFor(h, true, milliseconds); }

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
