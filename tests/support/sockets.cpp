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

#include "support/controller_test.h"

namespace zefra::test::sockets {
namespace {

#ifdef _WIN32
using Native = SOCKET;
using Length = int;
constexpr int shutBoth = SD_BOTH, noSignal = 0;
const auto poll = WSAPoll;
const auto closeNative = closesocket;

// The library starts and stops Winsock with its connections; the fixtures keep their own start.
const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();
#else
using Native = int;
using Length = socklen_t;
constexpr int shutBoth = SHUT_RDWR, noSignal = MSG_NOSIGNAL;
const auto closeNative = ::close;
#endif

Native native(Handle h) { return static_cast<Native>(h); }
Handle handle(Native s) { return s == static_cast<Native>(none) ? none : static_cast<Handle>(s); }

}  // namespace

Handle open(int backlog, std::uint16_t& port) {
#ifdef _WIN32
    (void)started;
#endif
    const Handle s = handle(::socket(AF_INET, SOCK_STREAM, 0));
    if (s == none) return none;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(test::loopback);
    Length len = sizeof addr;
    if (::bind(native(s), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        (backlog >= 0 && ::listen(native(s), backlog) != 0) ||
        ::getsockname(native(s), reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(s);
        return none;
    }
    port = ntohs(addr.sin_port);
    return s;
}

Handle accept(Handle listener) { return handle(::accept(native(listener), nullptr, nullptr)); }

bool waitReadable(Handle h, int milliseconds) {
    pollfd p{native(h), POLLIN, 0};
    return poll(&p, 1, milliseconds) > 0;
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
void close(Handle h) { closeNative(native(h)); }

}  // namespace zefra::test::sockets
