// What the fault-injection soak and the call fuzzer found, kept as cases, and the resources a
// host lends the library: descriptors come back, and a controller that hangs up mid-reply
// costs no more than the call it hangs up on. (Descriptors above 1024, a listener that never
// accepts, one that never answers and one that trickles its reply are the connection and
// exchange tests' cases.)
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/memory_transport.h"
#include "transport/command.h"
#include "transport/slots.h"
#include "zefraapi.h"

#ifndef _WIN32
#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/fake_controller.h"
#endif

namespace zefra::test {
namespace {

// A reply that begins wrong still runs to its "$$". Ending it early left its end, or the real
// reply behind a stray line end, to answer the next request: under load that was another
// thread's reply. Each row: the bytes that arrive once each of three requests is out.
TEST(Reliability, AReplyThatBeginsWrongIsReadToItsEnd) {
    struct Row {
        const char* what;
        std::vector<std::vector<std::string>> replies;
        int32_t rc[3];
    } rows[] = {
        {"line end left over, the real reply late", {{"##ok$$", "\r\n"}, {}, {"##e5:x$$", "##ok$$"}},
         {RC_OK, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"line end left over, the real reply behind it", {{"##ok$$", "\r\n"}, {"##e5:x$$"}, {"##e6:y$$"}},
         {RC_OK, RC_COMM_FAIL, -6}},
        {"a \"#\" short, its end late", {{"#e"}, {"5:x$$", "##e6:y$$"}, {"##ok$$"}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"a \"#\" short, in pieces", {{"#e", "5:x$$"}, {"##e6:y$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -6, RC_OK}},
    };
    MemoryTransport net;
    platform::useTransport(&net);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(ZEFRA_Init_ETH(0x7F000001, 5000, 1, 9), RC_OK);
        net.replies.assign(row.replies.begin(), row.replies.end());
        for (int32_t expected : row.rc) EXPECT_EQ(sendCommand(9, "ResetErr"), expected);
        ZEFRA_Exit_ETH(9);
        net.chunks.clear();
        net.replies.clear();
    }
    platform::useTransport(nullptr);
}

#ifndef _WIN32
constexpr std::uint32_t loopback = 0x7F000001;

int openDescriptors() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d) != nullptr) ++n;
        closedir(d);
    }
    return n;
}

// A controller that answers its one connection's first request with `bytes` and hangs up.
class HangUp {
public:
    explicit HangUp(std::string bytes) {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(loopback);
        socklen_t len = sizeof addr;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this, bytes] {
            const int fd = ::accept(listener_, nullptr, nullptr);
            char request[256];
            if (fd >= 0 && ::recv(fd, request, sizeof request, 0) > 0) ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (fd >= 0) ::close(fd);
        });
    }
    ~HangUp() {
        thread_.join();
        ::close(listener_);
    }
    std::uint16_t port() const { return port_; }

private:
    int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::uint16_t port_ = 0;
    std::thread thread_;
};

TEST(Reliability, ControllerHangingUpMidReplyFailsOnlyThatCall) {
    for (const char* partial : {"##o", "##ok$", "#"}) {
        SCOPED_TRACE(partial);
        HangUp controller(partial);
        ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 5, 5), RC_OK);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(sendCommand(5, "Get_Vel"), RC_COMM_FAIL);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));  // not the 5 s limit
        EXPECT_FALSE(slotAt(5).connected());
    }
}

// Every way a connection ends gives its descriptor back: a disconnect, a link failure, a
// connect nobody answers, a second connect on a connected slot.
TEST(Reliability, ConnectAndDisconnectCyclesLeakNoDescriptor) {
    const int before = openDescriptors();
    {
        FakeController controller;  // keeps its side of every connection until it goes
        for (int cycle = 0; cycle < 50; ++cycle) {
            ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            EXPECT_EQ(sendCommand(3, "probe"), RC_OK);
            EXPECT_EQ(ZEFRA_Exit_ETH(3), RC_OK);
            ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            controller.closeOnRequest();
            EXPECT_EQ(sendCommand(3, "probe"), RC_COMM_FAIL);
            EXPECT_EQ(ZEFRA_Exit_ETH(3), RC_OK);
            EXPECT_EQ(ZEFRA_Init_ETH(loopback, 1, 1, 3), RC_COMM_FAIL);  // nothing listens on port 1
        }
    }
    EXPECT_EQ(openDescriptors(), before);
}
#endif

}  // namespace
}  // namespace zefra::test
