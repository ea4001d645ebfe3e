// Failures only an operating system can produce, through the in-memory transport: the socket
// layer refusing to start, sockets that cannot be made, sent or closed, and the bookkeeping
// of the socket layer across all of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_transport.h"
#include "transport/command.h"
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
    int32_t connect() { return ZEFRA_Init_ETH(0x7F000001, 5000, 1, slot); }
    int32_t command(const char* reply) {
        if (reply != nullptr) net.chunks.push_back(reply);
        return sendCommand(slot, "ResetErr");
    }
    // Every start of the socket layer is released, except by a close that failed.
    void expectBalanced() { EXPECT_EQ(net.starts - net.stops, 0); }

    MemoryTransport net;
};

TEST_F(Transport, SocketLayerOrSocketThatCannotBeMadeFailsTheConnect) {
    net.failStart = true;
    EXPECT_EQ(connect(), RC_FAIL);
    net.failStart = false;
    net.failOpen = true;
    EXPECT_EQ(connect(), RC_FAIL);
    EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
    expectBalanced();
}

TEST_F(Transport, EachConnectionHoldsOneStartUntilItIsClosed) {
    ASSERT_EQ(connect(), RC_OK);
    EXPECT_EQ(connect(), RC_OK);  // already connected: its own start is released at once
    EXPECT_EQ(net.starts - net.stops, 1);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(net.closes, 1);
    expectBalanced();
}

TEST_F(Transport, FailedCloseStillLeavesTheSlotClosed) {
    ASSERT_EQ(connect(), RC_OK);
    net.failClose = true;
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_FAIL);
    EXPECT_EQ(net.stops, 0);  // a socket that could not be closed keeps its start
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
    EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
    EXPECT_EQ(net.sendCalls, 0);
}

TEST_F(Transport, SendFailuresCloseTheSlot) {
    struct Row {
        const char* what;
        bool failSends, neverWritable;
        int wouldBlockSends;
    } rows[] = {{"send error", true, false, 0}, {"never writable", false, true, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(connect(), RC_OK);
        net.failSends = row.failSends;
        net.neverWritable = row.neverWritable;
        net.wouldBlockSends = row.wouldBlockSends;
        EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);
        const int sends = net.sendCalls;
        EXPECT_EQ(command("##ok$$"), RC_COMM_FAIL);  // closed: nothing more is sent
        EXPECT_EQ(net.sendCalls, sends);
        net.failSends = net.neverWritable = false;
        net.chunks.clear();
        expectBalanced();
    }
}

TEST_F(Transport, FrameGoesOutInOneSendAndWaitsOnlyWhenTheSocketIsFull) {
    ASSERT_EQ(connect(), RC_OK);
    EXPECT_EQ(command("##ok$$"), RC_OK);
    EXPECT_EQ(net.sendCalls, 1);
    EXPECT_EQ(net.receiveCalls, 1);
    EXPECT_EQ(net.writableWaits, 0);

    net.sent.clear();
    net.sendLimit = 3;        // the socket takes a few bytes at a time
    net.wouldBlockSends = 1;  // and is full at first
    EXPECT_EQ(command("##ok$$"), RC_OK);
    EXPECT_EQ(net.sent, "@@ResetErr$$");
    EXPECT_EQ(net.writableWaits, 1);
}

// Whatever a malformed reply leaves in the connection belongs to no later request: the rest
// of an oversize frame, or bytes sent after a frame. Each row: the replies to three requests
// (each arrives, in segments, once its request is out) and the three results.
TEST_F(Transport, NoCallReadsWhatAnEarlierReplyLeftBehind) {
    const std::string longFrame = "##" + std::string(550, 'x') + "$$";
    struct Row {
        const char* what;
        std::vector<std::vector<std::string>> replies;
        int32_t rc[3];
    } rows[] = {
        {"oversize frame", {{longFrame}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame, end split", {{longFrame.substr(0, 600), "x$", "$"}, {"##e5:x$$"}, {"##ok$$"}},
         {RC_COMM_FAIL, -5, RC_OK}},
        {"line end in its own segment", {{"##ok$$", "\r\n"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_OK, RC_COMM_FAIL, RC_OK}},
        {"bytes after the frame", {{"##ok$$\r\n"}, {"##e5:x$$"}, {"##ok$$"}}, {RC_COMM_FAIL, -5, RC_OK}},
        {"oversize frame never ending", {{longFrame.substr(0, 600)}}, {RC_COMM_FAIL, RC_COMM_FAIL, RC_COMM_FAIL}},
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
    EXPECT_EQ(net.closes, static_cast<int>(std::size(rows)));  // one link failure, the rest by disconnect
}

}  // namespace
}  // namespace zefra::test
