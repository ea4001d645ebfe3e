// The exchange against a controller on a real loopback socket: how replies are classified,
// the failures that take real time or a real peer, and what is refused before it is sent.
#include <chrono>
#include <cstring>
#include <string>

#include "support/controller_test.h"
#include "transport/command.h"
#include "transport/exchange.h"

namespace zefra::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class Exchange : public ControllerTest {};

TEST_F(Exchange, ClassifiesEveryReplyForm) {
    const struct {
        const char* reply;  // raw bytes of the reply
        int32_t command;    // result of a plain command
        int32_t query;      // result of a query exchange
    } rows[] = {
        {"##ok$$", RC_OK, RC_OK},
        {"##OK$$", RC_FAIL, RC_OK},
        {"##okay$$", RC_FAIL, RC_OK},
        {"##e17:bad axis$$", -17, -17},
        {"##e17$$", -17, -17},
        {"##E5:x$$", RC_FAIL, RC_OK},  // an error is a lower-case "e"
        {"##e 17$$", -17, -17},
        {"##e0:$$", RC_OK, RC_OK},
        {"##e-3:$$", 3, 3},
        {"##e-2147483648:$$", INT32_MIN, INT32_MIN},
        {"##error$$", RC_FAIL, RC_FAIL},
        {"##=5$$", RC_FAIL, RC_OK},
        {"##ok$$##ok$$", RC_FAIL, RC_OK},  // two replies in one receive: one frame
        {"##$$", RC_COMM_FAIL, RC_COMM_FAIL},
        {"##ok$$\n", RC_COMM_FAIL, RC_COMM_FAIL},
        {"#ok$$", RC_COMM_FAIL, RC_COMM_FAIL},
        {"ok$$", RC_COMM_FAIL, RC_COMM_FAIL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reply);
        controller.script({{row.reply}});
        EXPECT_EQ(sendCommand(slot, "cmd"), row.command);
        controller.script({{row.reply}});
        ExchangeBuffer query;
        std::strcpy(query.command(), "qry");
        EXPECT_EQ(queryExchange(query, slot), row.query);
    }
    // A malformed reply leaves the slot connected; the controller saw every request.
    EXPECT_EQ(controller.requestCount(), 2 * std::size(rows));
    EXPECT_EQ(controller.connectionsAccepted(), 1);
}

// Each closes the slot until a new connect, and none takes longer than the slot's limit.
TEST_F(Exchange, LinkFailuresCloseTheSlotWithinItsTimeLimit) {
    const struct {
        const char* what;
        FakeController::Action action;
        double atLeast, below;  // seconds, with a 1 s limit
    } rows[] = {
        {"silence", {}, 0.9, 1.6},
        {"connection closed", {{}, 0ms, true}, 0, 0.5},
        {"hang-up mid-reply", {{"##ok$"}, 0ms, true}, 0, 0.5},
        {"hang-up after a malformed start", {{"#"}, 0ms, true}, 0, 0.5},
        {"reply trickling past the limit", {{"#", "#", "o", "k", "$", "$"}, 400ms}, 0.9, 1.6},
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
    EXPECT_TRUE(nothingSent());
    for (const std::string& text : {longest, std::string("Set_Text $a$b")}) {  // a single "$" inside is fine
        EXPECT_EQ(ZEFRA_Common_Cmd(text.c_str(), reply, slot), RC_OK);
        EXPECT_EQ(sent(), text);
    }
}

// The host gets the payload without a terminator; an error number that negates to a positive
// result is no failure, and its text is the host's too.
TEST_F(Exchange, PassThroughCopiesThePayloadWithoutTerminator) {
    const struct {
        const char* payload;
        int32_t rc;
        std::string copied;  // what the reply area holds after the call, up to one byte past it
    } rows[] = {{"=1,2", RC_OK, "=1,2Z"}, {"e9:busy", -9, "Z"}, {"e-3:x", RC_OK, "e-3:xZ"}};
    for (const auto& row : rows) {
        char reply[512];
        std::memset(reply, 'Z', sizeof reply);
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Common_Cmd("Get Something 1", reply, slot), row.rc);
        EXPECT_EQ(std::string(reply, row.copied.size()), row.copied);
        EXPECT_EQ(sent(), "Get Something 1");
    }
    char reply[512];
    EXPECT_EQ(ZEFRA_Common_Cmd(nullptr, reply, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_Common_Cmd("x", nullptr, slot), RC_BAD_PARAM);
}

TEST_F(Exchange, BinaryFrameCarriesRawBytes) {
    const unsigned char bytes[] = {0x01, 0x00, 0x24, 0xff};
    EXPECT_EQ(binaryCommandExchange(slot, bytes, sizeof bytes), RC_OK);
    EXPECT_EQ(controller.frames(), std::vector<std::string>{std::string("@@\x01\x00\x24\xff**", 8)});

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
