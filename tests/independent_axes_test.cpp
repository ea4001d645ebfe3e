#include <cmath>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class IndependentAxes : public ControllerTest {};

struct CommandRow {
    const char* expected;
    std::function<int32_t(const char* name, int32_t slot)> call;
};

const CommandRow commands[] = {
    {"IndAMove 1 90.000 30.000 100.000 100.000 EXT1",
     [](auto n, auto s) { return ZEFRA_IndAMove(n, 1, 90.0, 30.0, 100.0, 100.0, s); }},
    {"IndCMove -2 0.000 -1.500 0.001 EXT1", [](auto n, auto s) { return ZEFRA_IndCMove(n, -2, 0.0004, -1.5, 0.0005, s); }},
    {"IndReset 3 12.346 -7 EXT1", [](auto n, auto s) { return ZEFRA_IndReset(n, 3, 12.3456, -7, s); }},
    {"IndResetOld 4 EXT1", [](auto n, auto s) { return ZEFRA_IndResetOld(n, 4, s); }},
};

struct QueryRow {
    const char* expected;
    std::function<int32_t(const char* name, int32_t* state, int32_t slot)> call;
};

const QueryRow queries[] = {
    {"IndSpeed 1 EXT1", [](auto n, auto v, auto s) { return ZEFRA_IndSpeed(n, 1, v, s); }},
    {"IndInPos 2 EXT1", [](auto n, auto v, auto s) { return ZEFRA_IndInPos(n, 2, v, s); }},
    {"Get_IndAMoveSts 1 EXT1", [](auto n, auto v, auto s) { return ZEFRA_Get_IndAMoveSts(n, 1, v, s); }},
    {"Get_IndCMoveSts -1 EXT1", [](auto n, auto v, auto s) { return ZEFRA_Get_IndCMoveSts(n, -1, v, s); }},
    {"Get_IndResetSts 0 EXT1", [](auto n, auto v, auto s) { return ZEFRA_Get_IndResetSts(n, 0, v, s); }},
};

TEST_F(IndependentAxes, CommandsWriteTheNameLast) {
    for (const auto& row : commands) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(row.call("EXT1", slot), RC_OK);
        EXPECT_EQ(sent(), row.expected);
        controller.replyPayload("e12:unknown axis");
        EXPECT_EQ(row.call("EXT1", slot), -12);
        controller.clear();
        EXPECT_EQ(row.call(nullptr, slot), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
    // The name goes out unchanged, blanks included.
    EXPECT_EQ(ZEFRA_IndResetOld("EXT 1", 4, slot), RC_OK);
    EXPECT_EQ(sent(), "IndResetOld 4 EXT 1");
}

TEST_F(IndependentAxes, QueriesWriteTheStateOnlyAfterAFullScan) {
    struct Reply {
        const char* payload;
        int32_t rc;
        int32_t state;
    } replies[] = {{"=1", RC_OK, 1}, {"=-2", RC_OK, -2}, {"=x", RC_FAIL, 99}, {"ok", RC_FAIL, 99}, {"e5:", -5, 99}};
    for (const auto& row : queries) {
        SCOPED_TRACE(row.expected);
        for (const auto& reply : replies) {
            int32_t state = 99;
            controller.replyPayload(reply.payload);
            EXPECT_EQ(row.call("EXT1", &state, slot), reply.rc) << reply.payload;
            EXPECT_EQ(state, reply.state) << reply.payload;
            EXPECT_EQ(sent(), row.expected);
        }
        controller.clear();
        int32_t state = 99;
        EXPECT_EQ(row.call(nullptr, &state, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call("EXT1", nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call("EXT1", nullptr, 1), RC_BAD_PARAM);  // refused before the slot is looked at
        EXPECT_EQ(row.call("EXT1", &state, 1), RC_COMM_FAIL);   // slot 1 is not connected
        EXPECT_EQ(row.call("EXT1", &state, 10), RC_BAD_PARAM);
        EXPECT_EQ(state, 99);
        EXPECT_TRUE(nothingSent());
    }
}

TEST_F(IndependentAxes, MotionStateOfEverythingElseIsAnIntegerQuery) {
    int32_t state = 99;
    controller.replyPayload("=3");
    EXPECT_EQ(ZEFRA_Get_MotionStsExceptIndAxis(&state, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_MotionStsExceptIndAxis");
    EXPECT_EQ(state, 3);
    state = 99;
    controller.replyPayload("x");
    EXPECT_EQ(ZEFRA_Get_MotionStsExceptIndAxis(&state, slot), RC_FAIL);
    EXPECT_EQ(state, 99);
    controller.clear();
    EXPECT_EQ(ZEFRA_Get_MotionStsExceptIndAxis(nullptr, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
}

TEST_F(IndependentAxes, ValuesThatCannotBePrintedAreRefusedUnsent) {
    EXPECT_EQ(ZEFRA_IndAMove("EXT1", 1, 0, 0, 0, NAN, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_IndCMove("EXT1", 1, INFINITY, 0, 0, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_IndReset("EXT1", 1, -INFINITY, 0, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_IndResetOld(std::string(1100, 'n').c_str(), 1, slot), RC_BAD_PARAM);  // too long to frame
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
