// The wire and the operating system's layer under it. Against a controller on a real loopback
// socket: how replies are classified, the failures that take real time or a real peer, and what
// is refused unsent. Through the in-memory transport, what only an operating system or a
// misbehaving controller can produce: a socket layer, socket, connect, send or close that fails,
// replies in odd segments, and the bookkeeping of the socket layer across all of them. On real
// sockets again, what a host process must never suffer from its transport (a signal that kills
// it, a descriptor leaked into its children, a wait cut short by its own signals, a full socket
// taken for a broken one); and bounded conversion between character sets: whole characters
// only, broken input as U+FFFD (each maximal broken piece once, as Windows replaces it), "?" for
// what the target lacks, and neither the limit nor the output size ever splitting a character.
#ifndef _WIN32
#include <fcntl.h>
#include <locale.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/charsets.h"
#include "support/controller_test.h"
#include "support/memory_transport.h"
#include "transport/command.h"
#include "transport/exchange.h"

namespace zefra::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class Exchange : public ControllerTest {};

// Nothing listening gives up at once, nobody answering (a listener whose backlog is full) after
// the fixed 2 s: never after the slot's own (here 60 s) limit.
TEST(Connection, ConnectThatIsNotAnsweredFailsWithinTwoSeconds) {
    std::uint16_t closedPort = 0, fullPort = 0;
    const sockets::Handle bound = sockets::open(-1, closedPort);  // bound, not listening: connects are refused
    const sockets::Handle listener = sockets::open(0, fullPort);
    platform::Transport& net = platform::transport();
    std::vector<platform::Socket> waiting;
    for (bool full = false; !full;) {
        ASSERT_LT(waiting.size(), 64u) << "could not fill the listener's backlog";
        waiting.push_back(net.openStream());
        net.startConnect(waiting.back(), loopback, fullPort);
        full = net.waitWritable(waiting.back(), 200) != platform::Readiness::ready;  // not answered
    }
    const struct { std::uint16_t port; double atLeast, below; } rows[] = {{closedPort, 0, 1}, {fullPort, 1.8, 4}};
    for (const auto& row : rows) {
        const auto start = Clock::now();
        EXPECT_EQ(ZEFRA_Init_ETH(loopback, row.port, 60, 6), RC_COMM_FAIL);
        EXPECT_GE(secondsSince(start), row.atLeast);
        EXPECT_LT(secondsSince(start), row.below);
        EXPECT_EQ(sendCommand(6, "probe"), RC_COMM_FAIL);
    }
    for (const platform::Socket s : waiting) net.close(s);
    sockets::close(listener);
    sockets::close(bound);
}

// A host that already holds more than 1024 descriptors: the connection lands above FD_SETSIZE,
// where a select()-based wait would write past its set. POSIX only: Windows has no descriptor
// numbers (its own case, many sockets open, is among the Windows tests).
#ifndef _WIN32
TEST(Connection, WorksWithDescriptorsAboveOneThousandTwentyFour) {
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_max < 1200) GTEST_SKIP() << "descriptor limit too low to test";
    const rlimit raised{limit.rlim_cur < 1200 ? rlim_t{1200} : limit.rlim_cur, limit.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &raised), 0);
    std::vector<int> filler;  // until every number below 1100 is taken
    while (filler.empty() || (filler.back() >= 0 && filler.back() < 1100)) filler.push_back(::dup(0));
    FakeController controller;
    EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, 2), RC_OK);
    EXPECT_EQ(sendCommand(2, "probe"), RC_OK);
    EXPECT_EQ(ZEFRA_Exit_ETH(2), RC_OK);
    for (int fd : filler) ::close(fd);
    setrlimit(RLIMIT_NOFILE, &limit);
}
#endif

// Each row: the raw reply, the results of a plain command and of a query exchange, and what the
// host's pass-through leaves in its area, up to one byte past it. The pass-through gets the payload
// without a terminator, and nothing for a failure; an error number that negates to a positive
// result is no failure, and its text is the host's too. An error is a lower-case "e"; two replies
// in one receive are one frame.
TEST_F(Exchange, ClassifiesEveryReplyForm) {
    const struct { const char* reply; int32_t command, query; const char* copied; } rows[] = {
        {"##ok$$", RC_OK, RC_OK, "okZ"},               {"##OK$$", RC_FAIL, RC_OK, "OKZ"},
        {"##okay$$", RC_FAIL, RC_OK, "okayZ"},         {"##e17:bad axis$$", -17, -17, "Z"},
        {"##e17$$", -17, -17, "Z"},                    {"##E5:x$$", RC_FAIL, RC_OK, "E5:xZ"},
        {"##e 17$$", -17, -17, "Z"},                   {"##e0:$$", RC_OK, RC_OK, "e0:Z"},
        {"##e-3:x$$", 3, 3, "e-3:xZ"},                 {"##e-2147483648:$$", INT32_MIN, INT32_MIN, "Z"},
        {"##error$$", RC_FAIL, RC_FAIL, "Z"},          {"##=1,2$$", RC_FAIL, RC_OK, "=1,2Z"},
        {"##ok$$##ok$$", RC_FAIL, RC_OK, "ok$$##okZ"}, {"##$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
        {"##ok$$\n", RC_COMM_FAIL, RC_COMM_FAIL, "Z"}, {"#ok$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"},
        {"ok$$", RC_COMM_FAIL, RC_COMM_FAIL, "Z"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reply);
        for (int i = 0; i < 3; ++i) controller.script({{row.reply}});
        EXPECT_EQ(sendCommand(slot, "cmd"), row.command);
        ExchangeBuffer query;
        std::strcpy(query.command(), "qry");
        EXPECT_EQ(queryExchange(query, slot), row.query);
        char reply[512];
        std::memset(reply, 'Z', sizeof reply);
        EXPECT_EQ(ZEFRA_Common_Cmd("Get Something 1", reply, slot), row.query > 0 ? RC_OK : row.query);
        EXPECT_EQ(std::string(reply, std::strlen(row.copied)), row.copied);
        EXPECT_EQ(sent(), "Get Something 1");
    }
    // A malformed reply leaves the slot connected; the controller saw every request.
    EXPECT_EQ(controller.requestCount(), 3 * std::size(rows));
}

// Each closes the slot until a new connect, and none takes longer than the slot's limit.
TEST_F(Exchange, LinkFailuresCloseTheSlotWithinItsTimeLimit) {
    // The bounds in seconds, with a 1 s limit: a second full wait reaches the upper one.
    const struct { const char* what; FakeController::Action action; double atLeast, below; } rows[] = {
        {"silence", {}, 0.9, 2.0},
        {"connection closed", {{}, 0ms, true}, 0, 0.5},
        {"hang-up mid-reply", {{"##ok$"}, 0ms, true}, 0, 0.5},
        {"hang-up after a malformed start", {{"#"}, 0ms, true}, 0, 0.5},
        {"reply trickling past the limit", {{"#", "#", "o", "k", "$", "$"}, 400ms}, 0.9, 2.0},
        {"a start, then silence", {{"##o"}, 0ms}, 0.9, 1.5},  // the later waits share the first one's limit
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
// would then answer the next call; a text longer than the frame takes is cut nowhere. A binary
// frame carries its bytes raw, whatever they are, up to its own limit.
TEST_F(Exchange, TextAndBytesGoOutWholeOrAreRefusedUnsent) {
    const std::string longest(maxCommandText, 'x'), largest(maxBinaryPayload, 'b');
    const unsigned char bytes[] = {0x01, 0x00, 0x24, 0xff};
    char reply[512] = {};
    for (const std::string& text : {longest + "y", std::string("Set_Vel 5$$@@Motor ON"), std::string("Set_Mech Ext1$")})
        EXPECT_EQ(ZEFRA_Common_Cmd(text.c_str(), reply, slot), RC_BAD_PARAM) << text;  // the last one ends in "$$$"
    EXPECT_EQ(sendCommand(slot, "%s", (longest + "y").c_str()), RC_BAD_PARAM);
    EXPECT_EQ(sendCommand(slot, "Set_CurPrgPath [%s]", "a$$b"), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Common_Cmd(nullptr, reply, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Common_Cmd("x", nullptr, slot), RC_BAD_PARAM);
    EXPECT_EQ(binaryCommandExchange(slot, largest.data(), largest.size() + 1), RC_BAD_PARAM);
    EXPECT_EQ(binaryCommandExchange(10, bytes, sizeof bytes), RC_COMM_FAIL);
    EXPECT_EQ(binaryCommandExchange(-1, bytes, sizeof bytes), RC_COMM_FAIL);
    EXPECT_TRUE(nothingSent());
    for (const std::string& text : {longest, std::string("Set_Text $a$b")}) {  // a single "$" inside is fine
        EXPECT_EQ(ZEFRA_Common_Cmd(text.c_str(), reply, slot), RC_OK);
        EXPECT_EQ(sent(), text);
    }
    controller.clear();
    EXPECT_EQ(binaryCommandExchange(slot, bytes, sizeof bytes), RC_OK);
    EXPECT_EQ(binaryCommandExchange(slot, bytes, 1), RC_OK);
    EXPECT_EQ(controller.frames(), (std::vector<std::string>{std::string("@@\x01\x00\x24\xff**", 8), "@@\x01**"}));
    controller.replyPayload("e5:profile");
    EXPECT_EQ(binaryCommandExchange(slot, bytes, sizeof bytes), -5);
    EXPECT_EQ(binaryCommandExchange(slot, largest.data(), largest.size()), RC_OK);
    EXPECT_EQ(controller.frames().back(), "@@" + largest + "**");
}

class Transport : public ::testing::Test {
protected:
    static constexpr int32_t slot = 9;
    void SetUp() override { platform::useTransport(&net); }
    void TearDown() override {
        net.failClose = false;
        ZEFRA_Exit_ETH(slot);
        platform::useTransport(nullptr);
    }
    int32_t connect(int32_t timeout = 1) { return ZEFRA_Init_ETH(0x7F000001, 5000, timeout, slot); }
    int32_t command(const char* reply) {
        if (reply != nullptr) net.chunks.push_back(reply);
        return sendCommand(slot, "ResetErr");
    }
    // Every start of the socket layer is released, except by a close that failed.
    int held() const { return net.starts - net.stops; }

    MemoryTransport net;
};

// Bad slots and time limits are refused before anything starts. A connect that fails releases
// what it took (the socket made for it is closed); a send that fails closes the slot. Either way
// nothing more is sent until a new connect. Each row: the fault, the sends that would block
// first, the connect's result, the closes and the sends made.
TEST_F(Transport, BadArgumentsStartNothingAndFailuresReleaseWhatTheyTook) {
    for (int32_t bad : {10, -1, static_cast<int32_t>(0x80000000u)}) {
        EXPECT_EQ(ZEFRA_Init_ETH(loopback, 5000, 2, bad), RC_BAD_PARAM) << bad;
        EXPECT_EQ(ZEFRA_Exit_ETH(bad), RC_BAD_PARAM) << bad;
        EXPECT_EQ(sendCommand(bad, "probe"), RC_BAD_PARAM) << bad;
    }
    for (int32_t timeout : {0, -5}) EXPECT_EQ(connect(timeout), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);  // never connected: nothing to do
    EXPECT_EQ(net.starts + net.sendCalls, 0);
    const struct { bool MemoryTransport::*fault; int wouldBlockSends; int32_t connected; int closes, sends; } rows[] = {
        {&MemoryTransport::failStart, 0, RC_FAIL, 0, 0},        {&MemoryTransport::failOpen, 0, RC_FAIL, 0, 0},
        {&MemoryTransport::failConnect, 0, RC_COMM_FAIL, 1, 0}, {&MemoryTransport::failSends, 0, RC_OK, 1, 1},
        {&MemoryTransport::neverWritable, 1, RC_OK, 1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        net.*row.fault = true;
        net.wouldBlockSends = row.wouldBlockSends;
        net.closes = net.sendCalls = 0;
        EXPECT_EQ(connect(), row.connected);
        EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
        EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
        EXPECT_EQ(net.sendCalls, row.sends);
        EXPECT_EQ(net.closes, row.closes);
        EXPECT_EQ(held(), 0);
        net.*row.fault = false;
        net.chunks.clear();
    }
}

// A second connect on a connected slot changes nothing: it releases its own start at once, and
// the time limit stays the first one's. A close that fails keeps its start but leaves the slot
// closed all the same.
TEST_F(Transport, EachConnectionHoldsOneStartAndItsOwnTimeLimit) {
    ASSERT_EQ(connect(3), RC_OK);
    EXPECT_EQ(connect(60), RC_OK);
    EXPECT_EQ(held(), 1);
    EXPECT_EQ(command("##ok$$"), RC_OK);  // one send, one receive
    EXPECT_EQ(net.sent, "@@ResetErr$$");
    EXPECT_EQ(net.sendCalls, 1);
    EXPECT_EQ(net.receiveCalls, 1);
    EXPECT_EQ(net.writableWaits, 0);
    EXPECT_GT(net.readableWaitMs, 2900);
    EXPECT_LE(net.readableWaitMs, 3000);
    net.sent.clear();
    net.sendLimit = 3;        // the socket takes a few bytes at a time
    net.wouldBlockSends = 1;  // and is full at first
    EXPECT_EQ(command("##ok$$"), RC_OK);
    EXPECT_EQ(net.sent, "@@ResetErr$$");
    EXPECT_EQ(net.writableWaits, 1);

    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(net.closes, 1);
    EXPECT_EQ(held(), 0);
    ASSERT_EQ(connect(), RC_OK);
    net.failClose = true;
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_FAIL);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(held(), 1);
    ASSERT_EQ(connect(), RC_OK);
    net.sendLimit = 0;
    net.sendCalls = 0;
    EXPECT_EQ(command(nullptr), RC_COMM_FAIL);  // no reply: a link failure whose close fails too
    EXPECT_EQ(held(), 2);
    EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
    EXPECT_EQ(net.sendCalls, 1);
}

// A reply is complete at "$$" or at 512 bytes, however it begins and whatever zero bytes it
// holds; until then the receive goes on, and a reply whose end never comes is a time-out that
// closes the slot. Whatever a malformed reply leaves in the connection (the rest of an oversize
// frame, bytes sent after a frame) belongs to no later request: under load that was another
// thread's reply. Each row: the replies to three requests (each arrives, in segments, once its
// request is out) and the three results.
TEST_F(Transport, EachCallReadsItsOwnReplyToItsEnd) {
    using namespace std::string_literals;
    using Replies = std::vector<std::vector<std::string>>;
    // The first reply, then an error and an "ok" that must each reach their own request.
    const auto first = [](std::vector<std::string> pieces) { return Replies{pieces, {"##e5:x$$"}, {"##ok$$"}}; };
    const std::string x508(508, 'x');
    const struct { const char* what; Replies replies; int32_t rc[3]; } rows[] = {
        {"wake-up with nothing to read, then pieces", {{"", "##ok$$"}, {"##o", "k$", "$"}, {"##e5:x$$"}},
         {RC_OK, RC_OK, -5}},
        {"zero byte inside", first({"##o\0k"s, "$$"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"a lone \"$\" inside", first({"##o$k", "$$"}), {RC_FAIL, -5, RC_OK}},
        {"end never comes", {{"##o"}, {"##ok$$"}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"frame end at once", first({"$$"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"a frame of exactly 512 bytes", first({"##" + x508 + "$$"}), {RC_FAIL, -5, RC_OK}},
        {"oversize frame", first({"##" + std::string(550, 'x') + "$$"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame, end split", first({"##" + x508 + "x$", "$"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame, its end late", first({"##" + x508 + "xx", "x$", "", "$"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame never ending", {{"##" + std::string(600, 'x')}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"bytes after the frame", first({"##ok$$\r\n"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"more bytes after the frame than one drain takes", first({"##ok$$" + std::string(1000, 'x')}),
         {RC_COMM_FAIL, -5, RC_OK}},
        {"bytes after the frame, some late", first({"##ok$$\r", "\n"}), {RC_COMM_FAIL, -5, RC_OK}},
        {"line end left over, the real reply behind it", {{"##ok$$", "\r\n"}, {"##e5:x$$"}, {"##e6:y$$"}},
         {RC_OK, RC_COMM_FAIL, -6}},
        {"line end left over, the real reply late", {{"##ok$$", "\r\n"}, {}, {"##e5:x$$", "##ok$$"}},
         {RC_OK, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"a \"#\" short, its end late", {{"#e"}, {"5:x$$", "##e6:y$$"}, {"##ok$$"}},
         {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"a \"#\" short, in pieces", {{"#e", "5:x$$"}, {"##e6:y$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -6, RC_OK}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(connect(), RC_OK);
        net.replies.assign(row.replies.begin(), row.replies.end());
        for (int32_t expected : row.rc) EXPECT_EQ(command(nullptr), expected);
        ZEFRA_Exit_ETH(slot);
        net.chunks.clear();
        net.replies.clear();
    }
    EXPECT_EQ(net.sendCalls, 3 * 13 + 5);  // each reply that never ended closed its slot
    EXPECT_EQ(held(), 0);
}

static_assert(platform::waitMilliseconds(2147483) == 2147483000);
static_assert(platform::waitMilliseconds(2147484) == INT_MAX);
static_assert(platform::waitMilliseconds(INT_MAX) == INT_MAX);

// What a host process must never suffer from its transport, on a connected pair: its socket
// leaked into the host's children, a wait cut short by the host's own signal, a full socket
// taken for a broken one, or a reset one failing with the signal that would kill the host. The
// descriptor flags and signals are POSIX only: Windows has no descriptor flags to read back and
// no signals that interrupt a socket wait.
TEST(Platform, TheHostSuffersNoLeakNoCutShortWaitNoFalseFailureAndNoSignal) {
#ifndef _WIN32
    ::signal(SIGPIPE, SIG_DFL);  // a host that never heard of SIGPIPE
#endif
    platform::Transport& net = platform::transport();
    const platform::Socket socket = net.openStream();
    std::uint16_t port = 0;
    const sockets::Handle listener = sockets::open(1, port);
    ASSERT_NE(net.startConnect(socket, loopback, port), platform::ConnectStart::failed);
    ASSERT_EQ(net.waitWritable(socket, 2000), platform::Readiness::ready);
    ASSERT_TRUE(net.connectSucceeded(socket));
    const sockets::Handle peer = sockets::accept(listener);
    sockets::close(listener);
    ASSERT_NE(peer, sockets::none);
#ifndef _WIN32
    EXPECT_NE(::fcntl(static_cast<int>(socket), F_GETFD) & FD_CLOEXEC, 0);
    EXPECT_NE(::fcntl(static_cast<int>(socket), F_GETFL) & O_NONBLOCK, 0);
    struct sigaction action{}, previous{};
    action.sa_handler = [](int) {};  // no SA_RESTART: poll() returns EINTR
    ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
    const pthread_t waiter = ::pthread_self();
    std::thread host([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::pthread_kill(waiter, SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        (void)!::write(static_cast<int>(peer), "x", 1);
    });
    EXPECT_EQ(net.waitReadable(socket, 2000), platform::Readiness::ready);
    host.join();
    ::sigaction(SIGUSR1, &previous, nullptr);
#endif
    const std::vector<char> block(1 << 16, 'x');
    platform::IoResult r{platform::IoResult::done, 0};
    for (int i = 0; i < 1024 && r.kind == platform::IoResult::done; ++i)
        r = net.send(socket, block.data(), block.size());
    EXPECT_EQ(r.kind, platform::IoResult::wouldBlock);
    EXPECT_EQ(net.waitWritable(socket, 50), platform::Readiness::timedOut);
    sockets::resetOnClose(peer);
    sockets::close(peer);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // The first send after a reset may report the reset; the later ones meet a broken pipe.
    int failed = 0;
    for (int i = 0; i < 5; ++i) failed += net.send(socket, "@@x$$", 5).kind == platform::IoResult::failed;
    EXPECT_GE(failed, 4);
    net.close(socket);
}

// The library's one output line must land where the host's own stdout output would, in order.
TEST(Platform, StandardOutputGoesThroughTheHostsStdout) {
    testing::internal::CaptureStdout();
    std::fputs("host ", stdout);  // still in stdout's buffer
    platform::writeStandardOutput("line\n");
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "host line\n");
}

const Latin1 latin1;
const std::string fffd = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The two fixed sets by name, or a locale (POSIX) or code page (Windows) made once; null when
// this machine lacks it.
const platform::Charset* charset(const std::string& name) {
    static std::map<std::string, std::unique_ptr<platform::Charset>> made;
    if (name == "latin1") return &latin1;
    if (name == "utf8") return &platform::utf8Charset();
    if (made[name] == nullptr) made[name] = platform::localeCharset(name.c_str());
    return made[name].get();
}

const struct { const char *from, *to; std::string text, expected; std::size_t limit = 64, size = 64; } conversions[] = {
    {"latin1", "utf8", "caf\xE9", "caf\xC3\xA9"}, {"utf8", "latin1", "caf\xC3\xA9", "caf\xE9"},
    {"utf8", "latin1", "\xE2\x82\xAC" "1", "?1"},  // the euro sign is not in the set
    {"utf8", "utf8", "\xF0\x9F\x99\x82|\xE2\x82\xAC", "\xF0\x9F\x99\x82|\xE2\x82\xAC"},
    {"utf8", "utf8", "\xDF\xBF\xE0\xA0\x80", "\xDF\xBF\xE0\xA0\x80"},  // U+07FF and U+0800
    {"utf8", "utf8", "a\xC0\xAF" "b", "a" + fffd + fffd + "b"},       // overlong
    {"utf8", "utf8", "\xE0\x80\xAF", fffd + fffd + fffd},              // overlong
    {"utf8", "utf8", "\xED\xA0\x80", fffd + fffd + fffd},              // surrogate
    {"utf8", "utf8", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // past U+10FFFF
    {"utf8", "utf8", "\xE2\x82" "a\xFF", fffd + "a" + fffd},
    {"utf8", "utf8", "ab\xE2\x82", "ab" + fffd},     // the text ends mid-character
    {"utf8", "utf8", "ab\xE2\x82", "ab" + fffd, 4},  // also where the limit falls
    {"utf8", "utf8", "ab\xE2\x82\xAC", "ab", 4},  // the limit falls inside the euro sign
    {"utf8", "utf8", "ab\xE2\x82\xAC", "ab\xE2\x82\xAC", 5},
    {"latin1", "utf8", "a\xE9", "a", 64, 3},  // two bytes and the terminator do not fit 3
    {"latin1", "utf8", "a\xE9", "a\xC3\xA9", 64, 4}, {"utf8", "latin1", "abc", "", 64, 1},
    {"utf8", "C", "caf\xC3\xA9", "caf?"},  // "C" knows ASCII only
#ifndef _WIN32
    // The C library's sets, CI generating the locales: a UTF-8 locale is validated like UTF-8
    // itself; a single-byte one is read into a table (the euro sign is byte A4 in ISO-8859-15,
    // where Latin-1 has the currency sign); a multibyte one converts without switching the
    // thread's locale.
    {"C", "utf8", "caf\xE9!", "caf" + fffd + "!"},
    {"utf8", "C.UTF-8", "caf\xC3\xA9\xED\xA0\x80", "caf\xC3\xA9" + fffd + fffd + fffd},
    {"de_DE@euro", "utf8", "Stra\xDF" "e \xA4\xFF", "Stra\xC3\x9F" "e \xE2\x82\xAC\xC3\xBF"},
    {"utf8", "de_DE@euro", "\xC3\x9F\xE2\x82\xAC\xC3\xBF \xC2\xA4", "\xDF\xA4\xFF ?"},
    {"utf8", "ja_JP.EUC-JP", "\xE6\x97\xA5\xE6\x9C\xAC\xE2\x82\xAC" "1", "\xC6\xFC\xCB\xDC?1"},
    {"ja_JP.EUC-JP", "utf8", "\xC6\xFC\xCB\xDC" "a", "\xE6\x97\xA5\xE6\x9C\xAC" "a"},
    {"ja_JP.EUC-JP", "utf8", "\xC6" "A|a\xC6", fffd + "A|a" + fffd},
    {"ja_JP.EUC-JP", "utf8", "a\xC6\xFC", "a", 2},
    {"utf8", "ja_JP.EUC-JP", "a\xE6\x97\xA5\xE6\x9C\xAC", "a", 64, 3},
#else
    // The system's own code pages: a single-byte one with characters beyond Latin-1 and no best
    // fit (a look-alike would change the text), and a double-byte one.
    {"utf8", ".1252", "\xE2\x82\xAC 5 \xC3\xA9", "\x80 5 \xE9"},
    {".1252", "utf8", "\x80 5 \xE9", "\xE2\x82\xAC 5 \xC3\xA9"},
    {"utf8", ".1252", "\xC4\x81", "?"},
    {"utf8", ".932", "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B"},
    {".932", "utf8", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
    {"utf8", ".932", "\xC3\xA9", "?"}, {".932", "utf8", "a\x93\xFA", "a", 2},
#endif
};

TEST(Charset, ConvertsWholeCharactersWithinTheLimitAndSize) {
    // Windows has every code page named here; only a POSIX machine outside CI may lack a locale.
#ifdef _WIN32
    const bool mustHave = true;
#else
    const bool mustHave = std::getenv("CI") != nullptr;
#endif
    int missing = 0;
    for (const auto& row : conversions) {
        const platform::Charset *from = charset(row.from), *to = charset(row.to);
        if (from == nullptr || to == nullptr) {
            EXPECT_FALSE(mustHave) << "CI must generate the locales of " << row.from << " -> " << row.to;
            ++missing;
            continue;
        }
        SCOPED_TRACE(std::string(row.from) + " -> " + row.to + " " + testing::PrintToString(row.text));
        char out[64];
        std::fill(out, out + sizeof out, '#');
        const std::size_t length = platform::convertText(*from, *to, row.text.c_str(), row.limit, out, row.size);
        ASSERT_LT(length, row.size);
        EXPECT_EQ(std::string(out, length + 1), row.expected + '\0');  // all it wrote, the terminator included
    }
#ifdef _WIN32
    EXPECT_EQ(platform::localeCharset(".99999"), nullptr);
#else
    EXPECT_EQ(platform::localeCharset("no-such-locale"), nullptr);
    // The calling thread's own locale, the host's choice, does not leak into a named set.
    const locale_t host = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(host);
    char out[8];
    platform::convertText(platform::utf8Charset(), *charset("C"), "\xC3\xA9", 64, out, sizeof out);
    EXPECT_STREQ(out, "?");
    uselocale(previous);
    freelocale(host);
#endif
    if (missing > 0) GTEST_SKIP() << missing << " rows need locales this machine lacks";
}

}  // namespace
}  // namespace zefra::test
