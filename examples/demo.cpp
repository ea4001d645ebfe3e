// A small host program: connects to a controller, sends commands and prints the results.
//
// Until the controller emulator exists, the demo starts a tiny built-in responder on a
// loopback port (it answers "ok" to commands and "=42" to Get_ queries) so that it
// runs anywhere. Give an address and port to drive a real controller instead:
//     zefra_demo [ipv4 port]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "zefraapi.h"

namespace {

// Answers each framed request on one accepted connection until the host disconnects.
void respond(int listener) {
    const int fd = ::accept(listener, nullptr, nullptr);
    if (fd < 0) return;
    std::string pending;
    char chunk[1024];
    for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) {
        pending.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find("$$")) != std::string::npos;) {
            const std::string command = pending.substr(2, end - 2);
            pending.erase(0, end + 2);
            const std::string reply = command.rfind("Get_", 0) == 0 ? "##=42$$" : "##ok$$";
            ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
    }
    ::close(fd);
}

int startResponder(std::uint16_t& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listener, 1);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return listener;
}

void show(const char* what, int32_t rc) { std::printf("%-34s -> %d\n", what, rc); }

}  // namespace

int main(int argc, char** argv) {
    std::uint32_t ip = INADDR_LOOPBACK;
    std::uint16_t port = 0;
    int listener = -1;
    std::thread responder;
    if (argc == 3) {
        in_addr parsed{};
        if (inet_pton(AF_INET, argv[1], &parsed) != 1) return std::fprintf(stderr, "bad address\n"), 2;
        ip = ntohl(parsed.s_addr);
        port = static_cast<std::uint16_t>(std::atoi(argv[2]));
    } else {
        listener = startResponder(port);
        responder = std::thread(respond, listener);
        std::printf("built-in responder on 127.0.0.1:%u\n", port);
    }

    const int32_t slot = 0;
    show("ZEFRA_Init_ETH", ZEFRA_Init_ETH(ip, port, 2, slot));
    show("ZEFRA_ResetErr", ZEFRA_ResetErr(slot));
    show("ZEFRA_MotorEnable(1)", ZEFRA_MotorEnable(1, slot));
    int32_t speed = 0;
    show("ZEFRA_Get_Vel", ZEFRA_Get_Vel(&speed, slot));
    std::printf("  speed: %d\n", speed);
    char firmware[32] = {};
    show("ZEFRA_Get_FwVersion", ZEFRA_Get_FwVersion(firmware, slot));
    std::printf("  firmware: %s\n", firmware);
    show("ZEFRA_Jog(joint 3, +)", ZEFRA_Jog(0, 3, 1, slot));
    show("ZEFRA_MovJ(P5, 50, 0)", ZEFRA_MovJ(5, 50, 0, slot));
    show("ZEFRA_Jog(axis 9) refused", ZEFRA_Jog(0, 9, 1, slot));
    char reply[512] = {};
    show("ZEFRA_Common_Cmd(\"Get_Coord\")", ZEFRA_Common_Cmd("Get_Coord", reply, slot));
    std::printf("  reply payload: %s\n", reply);
    show("ZEFRA_Exit_ETH", ZEFRA_Exit_ETH(slot));

    if (responder.joinable()) responder.join();
    if (listener >= 0) ::close(listener);
    return 0;
}
