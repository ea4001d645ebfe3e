#ifndef _WIN32
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <chrono>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/controller_test.h"
#include "support/sockets.h"

namespace zefra::test {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A loopback port that is bound but not listening: connects to it are refused.
struct ClosedPort {
    std::uint16_t port = 0;
    sockets::Handle fd = sockets::open(-1, port);
    ~ClosedPort() { sockets::close(fd); }
};

// A loopback listener whose backlog is full: further connects are never answered.
struct FullBacklog {
    std::uint16_t port = 0;
    sockets::Handle listener = sockets::open(0, port);
    platform::Transport& net = platform::transport();
    std::vector<platform::Socket> clients;
    bool full = false;
    FullBacklog() {
        for (int i = 0; i < 64 && !full; ++i) {
            clients.push_back(net.openStream());
            net.startConnect(clients.back(), loopback, port);
            full = net.waitWritable(clients.back(), 200) != platform::Readiness::ready;  // not answered
        }
    }
    ~FullBacklog() {
        for (const platform::Socket s : clients) net.close(s);
        sockets::close(listener);
    }
};

int32_t probe(int32_t slot) {
    char reply[512] = {};
    return ZEFRA_Common_Cmd("probe", reply, slot);
}

TEST(Connection, RefusesBadSlotsAndTimeoutsBeforeDoingAnything) {
    FakeController controller;
    for (int32_t slot : {10, -1, static_cast<int32_t>(0x80000000u)}) {
        EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, slot), RC_BAD_PARAM) << slot;
        EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_BAD_PARAM) << slot;
        EXPECT_EQ(probe(slot), RC_BAD_PARAM) << slot;
    }
    for (int32_t timeout : {0, -5}) EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), timeout, 3), RC_BAD_PARAM);
    EXPECT_EQ(probe(3), RC_COMM_FAIL);
    EXPECT_EQ(ZEFRA_Exit_ETH(3), RC_OK);  // never connected: nothing to do
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // give a stray connect time to be accepted
    EXPECT_EQ(controller.connectionsAccepted(), 0);
}

// Nothing listening gives up at once, nobody answering after the fixed 2 s: never after the
// slot's own (here 60 s) limit.
TEST(Connection, ConnectThatIsNotAnsweredFailsWithinTwoSeconds) {
    ClosedPort closed;
    FullBacklog backlog;
    ASSERT_TRUE(backlog.full) << "could not fill the listener's backlog";
    const struct { std::uint16_t port; double atLeast, below; } rows[] = {{closed.port, 0, 1.0},
                                                                          {backlog.port, 1.8, 4.0}};
    for (const auto& row : rows) {
        const auto start = Clock::now();
        EXPECT_EQ(ZEFRA_Init_ETH(loopback, row.port, 60, 6), RC_COMM_FAIL);
        EXPECT_GE(secondsSince(start), row.atLeast);
        EXPECT_LT(secondsSince(start), row.below);
        EXPECT_EQ(probe(6), RC_COMM_FAIL);
    }
}

// POSIX only: Windows has no descriptor numbers (its own case, many sockets open, is among the
// Windows tests).
#ifndef _WIN32
// A host that already holds more than 1024 descriptors: the connection lands above FD_SETSIZE,
// where a select()-based wait would write past its set.
TEST(Connection, WorksWithDescriptorsAboveOneThousandTwentyFour) {
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_cur < 1200) {
        if (limit.rlim_max < 1200) GTEST_SKIP() << "descriptor limit too low to test";
        rlimit raised = limit;
        raised.rlim_cur = 1200;
        ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &raised), 0);
    }
    std::vector<int> filler;
    for (int fd = 0; fd >= 0 && fd < 1100;) {  // every number below 1100 is now taken
        fd = ::dup(0);
        if (fd >= 0) filler.push_back(fd);
    }
    FakeController controller;
    EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, 2), RC_OK);
    EXPECT_EQ(probe(2), RC_OK);
    EXPECT_EQ(ZEFRA_Exit_ETH(2), RC_OK);
    for (int fd : filler) ::close(fd);
    setrlimit(RLIMIT_NOFILE, &limit);
}

int openDescriptors() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d) != nullptr) ++n;
        closedir(d);
    }
    return n;
}

// Every way a connection ends gives its descriptor back: a disconnect, a link failure, a
// connect nobody answers, a second connect on a connected slot.
TEST(Connection, ConnectAndDisconnectCyclesLeakNoDescriptor) {
    const int before = openDescriptors();
    {
        FakeController controller;  // keeps its side of every connection until it goes
        for (int cycle = 0; cycle < 50; ++cycle) {
            ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            EXPECT_EQ(probe(3), RC_OK);
            EXPECT_EQ(ZEFRA_Exit_ETH(3), RC_OK);
            EXPECT_EQ(probe(3), RC_COMM_FAIL);
            ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, 3), RC_OK);
            controller.script({{}, std::chrono::milliseconds(0), true});
            EXPECT_EQ(probe(3), RC_COMM_FAIL);
            EXPECT_EQ(ZEFRA_Exit_ETH(3), RC_OK);
            EXPECT_EQ(ZEFRA_Init_ETH(loopback, 1, 1, 3), RC_COMM_FAIL);  // nothing listens on port 1
        }
        EXPECT_EQ(controller.requestCount(), 100u);
    }
    EXPECT_EQ(openDescriptors(), before);
}
#endif

}  // namespace
}  // namespace zefra::test
