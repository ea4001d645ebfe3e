// Connects and exchanges against a controller on a real loopback socket: how replies are
// classified, the failures that take real time or a real peer, and what is refused unsent.
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/controller_test.h"
#include "transport/command.h"
#include "transport/exchange.h"

namespace zefra::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class Exchange : public ControllerTest {};

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
#endif


// The host's pass-through gets the payload without a terminator, and nothing for a failure; an
// error number that negates to a positive result is no failure, and its text is the host's too.
TEST_F(Exchange, ClassifiesEveryReplyForm) {
    const struct {
        const char* reply;  // raw bytes of the reply
        int32_t command;    // result of a plain command
        int32_t query;      // result of a query exchange
        const char* copied;  // what the pass-through leaves in the host's area, up to one byte past it
    } rows[] = {
        {"##ok$$", RC_OK, RC_OK, "okZ"},
        {"##OK$$", RC_FAIL, RC_OK, "OKZ"},
        {"##okay$$", RC_FAIL, RC_OK, "okayZ"},
        {"##e17:bad axis$$", -17, -17, "Z"},
        {"##e17$$", -17, -17, "Z"},
        {"##E5:x$$", RC_FAIL, RC_OK, "E5:xZ"},  // an error is a lower-case "e"
        {"##e 17$$", -17, -17, "Z"},
        {"##e0:$$", RC_OK, RC_OK, "e0:Z"},
        {"##e-3:x$$", 3, 3, "e-3:xZ"},
        {"##e-2147483648:$$", INT32_MIN, INT32_MIN, "Z"},
        {"##error$$", RC_FAIL, RC_FAIL, "Z"},
        {"##=1,2$$", RC_FAIL, RC_OK, "=1,2Z"},
        {"##ok$$##ok$$", RC_FAIL, RC_OK, "ok$$##okZ"},  // two replies in one receive: one frame
        {"##$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
        {"##ok$$\n", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
        {"#ok$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
        {"ok$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reply);
        controller.script({{row.reply}});
        EXPECT_EQ(sendCommand(slot, "cmd"), row.command);
        controller.script({{row.reply}});
        ExchangeBuffer query;
        std::strcpy(query.command(), "qry");
        EXPECT_EQ(queryExchange(query, slot), row.query);
        controller.script({{row.reply}});
        char reply[512];
        std::memset(reply, 'Z', sizeof reply);
        EXPECT_EQ(ZEFRA_Common_Cmd("Get Something 1", reply, slot), row.query > 0 ? RC_OK : row.query);
        EXPECT_EQ(std::string(reply, std::strlen(row.copied)), row.copied);
        EXPECT_EQ(sent(), "Get Something 1");
    }
    // A malformed reply leaves the slot connected; the controller saw every request.
    EXPECT_EQ(controller.requestCount(), 3 * std::size(rows));
    EXPECT_EQ(controller.connectionsAccepted(), 1);
}

// Each closes the slot until a new connect, and none takes longer than the slot's limit.
TEST_F(Exchange, LinkFailuresCloseTheSlotWithinItsTimeLimit) {
    const struct {
        const char* what;
        FakeController::Action action;
        double atLeast, below;  // seconds, with a 1 s limit; a second full wait reaches the bound
    } rows[] = {
        {"silence", {}, 0.9, 2.0},
        {"connection closed", {{}, 0ms, true}, 0, 0.5},
        {"hang-up mid-reply", {{"##ok$"}, 0ms, true}, 0, 0.5},
        {"hang-up after a malformed start", {{"#"}, 0ms, true}, 0, 0.5},
        {"reply trickling past the limit", {{"#", "#", "o", "k", "$", "$"}, 400ms}, 0.9, 2.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ZEFRA_Exit_ETH(slot);
        ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, slot), RC_OK);
        controller.clear();
        controller.script(row.action);
        const auto start = Clock::now();
        EXPECT_EQ(sendCommand(slot, "cmd"), RC_COMM_FAIL);
        EXPECT_GE(secondsSince(start), row.atLeast);
        EXPECT_LT(secondsSince(start), row.below);
        EXPECT_EQ(sendCommand(slot, "cmd"), RC_COMM_FAIL);
        EXPECT_EQ(controller.requestCount(), 1u);
    }
    ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 1, slot), RC_OK);
    EXPECT_EQ(sendCommand(slot, "cmd"), RC_OK);
}

// A frame end inside the text would smuggle a second request onto the wire, and its reply
// would then answer the next call; a text longer than the frame takes is cut nowhere.
TEST_F(Exchange, TextThatDoesNotFitOrWouldEndTheFrameEarlyIsRefusedUnsent) {
    const std::string longest(maxCommandText, 'x');
    char reply[512] = {};
    for (const std::string& text : {longest + "y", std::string("Set_Vel 5$$@@Motor ON"), std::string("Set_Mech Ext1$")})
        EXPECT_EQ(ZEFRA_Common_Cmd(text.c_str(), reply, slot), RC_BAD_PARAM) << text;  // the last one ends in "$$$"
    EXPECT_EQ(sendCommand(slot, "%s", (longest + "y").c_str()), RC_BAD_PARAM);
    EXPECT_EQ(sendCommand(slot, "Set_CurPrgPath [%s]", "a$$b"), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Common_Cmd(nullptr, reply, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Common_Cmd("x", nullptr, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
    for (const std::string& text : {longest, std::string("Set_Text $a$b")}) {  // a single "$" inside is fine
        EXPECT_EQ(ZEFRA_Common_Cmd(text.c_str(), reply, slot), RC_OK);
        EXPECT_EQ(sent(), text);
    }
}

TEST_F(Exchange, BinaryFrameCarriesRawBytes) {
    const unsigned char bytes[] = {0x01, 0x00, 0x24, 0xff};
    EXPECT_EQ(binaryCommandExchange(slot, bytes, sizeof bytes), RC_OK);
    EXPECT_EQ(binaryCommandExchange(slot, bytes, 1), RC_OK);
    EXPECT_EQ(controller.frames(), (std::vector<std::string>{std::string("@@\x01\x00\x24\xff**", 8), "@@\x01**"}));

    controller.replyPayload("e5:profile");
    EXPECT_EQ(binaryCommandExchange(slot, bytes, sizeof bytes), -5);
    const std::string largest(maxBinaryPayload, 'b');
    EXPECT_EQ(binaryCommandExchange(slot, largest.data(), largest.size()), RC_OK);
    EXPECT_EQ(controller.frames().back(), "@@" + largest + "**");

    controller.clear();
    EXPECT_EQ(binaryCommandExchange(slot, largest.data(), largest.size() + 1), RC_BAD_PARAM);
    EXPECT_EQ(binaryCommandExchange(10, bytes, sizeof bytes), RC_COMM_FAIL);
    EXPECT_EQ(binaryCommandExchange(-1, bytes, sizeof bytes), RC_COMM_FAIL);
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
