// What only an operating system or a misbehaving controller can produce, through the in-memory
// transport: a socket layer, socket, connect, send or close that fails, replies in odd segments,
// and the bookkeeping of the socket layer across all of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_transport.h"
#include "transport/command.h"
#include "transport/slots.h"
#include "zefraapi.h"

namespace zefra::test {
namespace {

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

// A connect that fails releases what it took (the socket made for it is closed); a send that
// fails closes the slot. Either way nothing more is sent until a new connect.
TEST_F(Transport, FailedConnectOrSendReleasesWhatItTook) {
    struct Row {
        bool MemoryTransport::*fault;
        int wouldBlockSends;
        int32_t connected;
        int closes, sends;  // the sends the first call made
    } rows[] = {{&MemoryTransport::failStart, 0, RC_FAIL, 0, 0},
                {&MemoryTransport::failOpen, 0, RC_FAIL, 0, 0},
                {&MemoryTransport::failConnect, 0, RC_COMM_FAIL, 1, 0},
                {&MemoryTransport::failSends, 0, RC_OK, 1, 1},
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

// A second connect on a connected slot releases its own start at once; a close that fails
// keeps its start but leaves the slot closed all the same.
TEST_F(Transport, EachConnectionHoldsOneStartUntilItIsClosed) {
    ASSERT_EQ(connect(), RC_OK);
    EXPECT_EQ(connect(), RC_OK);
    EXPECT_EQ(held(), 1);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(net.closes, 1);
    EXPECT_EQ(held(), 0);
    ASSERT_EQ(connect(), RC_OK);
    net.failClose = true;
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_FAIL);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(held(), 1);
    ASSERT_EQ(connect(), RC_OK);
    EXPECT_EQ(command(nullptr), RC_COMM_FAIL);  // no reply: a link failure whose close fails too
    EXPECT_EQ(held(), 2);
    EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
    EXPECT_EQ(net.sendCalls, 1);
}

// The time limit is the first connect's: a second one on the connected slot changes nothing.
TEST_F(Transport, OneSendOneReceiveAndTheSlotsOwnTimeLimit) {
    ASSERT_EQ(connect(3), RC_OK);
    ASSERT_EQ(connect(60), RC_OK);
    EXPECT_EQ(command("##ok$$"), RC_OK);
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
}

// A reply is complete at "$$" or at 512 bytes, however it begins and whatever zero bytes it
// holds; until then the receive goes on, and a reply whose end never comes is a time-out that
// closes the slot. Whatever a malformed reply leaves in the connection (the rest of an oversize
// frame, bytes sent after a frame) belongs to no later request: under load that was another
// thread's reply. Each row: the replies to three requests (each arrives, in segments, once its
// request is out) and the three results.
TEST_F(Transport, EachCallReadsItsOwnReplyToItsEnd) {
    using namespace std::string_literals;
    const std::string longFrame = "##" + std::string(550, 'x') + "$$";
    struct Row {
        const char* what;
        std::vector<std::vector<std::string>> replies;
        int32_t rc[3];
    } rows[] = {
        {"wake-up with nothing to read, then pieces", {{"", "##ok$$"}, {"##o", "k$", "$"}, {"##e5:x$$"}}, {RC_OK, RC_OK, -5}},
        {"zero byte inside", {{"##o\0k"s, "$$"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"end never comes", {{"##o"}, {"##ok$$"}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"frame end at once", {{"$$"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"a frame of exactly 512 bytes", {{"##" + std::string(508, 'x') + "$$"}, {"##e5:x$$"}, {"##ok$$"}},
         {RC_FAIL, -5, RC_OK}},
        {"oversize frame", {{longFrame}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame, end split", {{"##" + std::string(509, 'x') + "$", "$"}, {"##e5:x$$"}, {"##ok$$"}},
         {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame, its end late", {{"##" + std::string(510, 'x'), "x$", "", "$"}, {"##e5:x$$"}, {"##ok$$"}},
         {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame never ending", {{"##" + std::string(600, 'x')}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"bytes after the frame", {{"##ok$$\r\n"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"more bytes after the frame than one drain takes",
         {{"##ok$$" + std::string(1000, 'x')}, {"##e5:x$$"}, {"##ok$$"}},
         {RC_COMM_FAIL, -5, RC_OK}},
        {"bytes after the frame, some late", {{"##ok$$\r", "\n"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"line end left over, the real reply behind it", {{"##ok$$", "\r\n"}, {"##e5:x$$"}, {"##e6:y$$"}},
         {RC_OK, RC_COMM_FAIL, -6}},
        {"line end left over, the real reply late", {{"##ok$$", "\r\n"}, {}, {"##e5:x$$", "##ok$$"}},
         {RC_OK, RC_COMM_FAIL, RC_COMM_FAIL}},
        {"a \"#\" short, its end late", {{"#e"}, {"5:x$$", "##e6:y$$"}, {"##ok$$"}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
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
    EXPECT_EQ(net.sendCalls, 3 * 12 + 5);  // each reply that never ended closed its slot
    EXPECT_EQ(held(), 0);
}

}  // namespace
}  // namespace zefra::test
