#include <cmath>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class MotionTargets : public ControllerTest {};

const RobP robP{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
const RobP robP2{{12.3456, -1, 2, 3, 4, 5}, {1, -1, 0, 2}, {0.0004, 0, 0, 0, 0, -7.5}};
const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, -8.25}, {0.1, 0, 0, 0, 0, 1000}};
const MoveData moveData{1, 2, 100, 50, 0, 0, 3};
const IoTrigger triggers[3] = {{1, 3, 1, 50.0}, {1, 3, 0, 12.3456}, {-4, 5, 6, -0.5}};

using Call = std::function<int32_t(const MoveData* data, int32_t count, const IoTrigger* triggers, int32_t slot)>;
struct Row {
    const char* name;
    Call call;
    const char* head;  // request text before the motion data
};

#define P1 "[400.000,0.000,300.000,180.000,0.000,90.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000]"
#define P2 "[12.346,-1.000,2.000,3.000,4.000,5.000;1,-1,0,2;0.000,0.000,0.000,0.000,0.000,-7.500]"

const Row rows[] = {
    {"MovJ_RobPos", [](auto d, auto n, auto t, auto s) { return ZEFRA_MovJ_RobPos(&robP, d, 0, n, t, s); },
     "MovJRobP " P1 " "},
    {"MovL_RobPos", [](auto d, auto n, auto t, auto s) { return ZEFRA_MovL_RobPos(&robP, d, 0, n, t, s); },
     "MovLRobP " P1 " "},
    {"Jump_RobPos", [](auto d, auto n, auto t, auto s) { return ZEFRA_Jump_RobPos(&robP2, d, 0, n, t, s); },
     "JumpRobP " P2 " "},
    {"JumpL_RobPos", [](auto d, auto n, auto t, auto s) { return ZEFRA_JumpL_RobPos(&robP2, d, 0, n, t, s); },
     "JumpLRobP " P2 " "},
    {"MovC_RobPos",
     [](auto d, auto n, auto t, auto s) { return ZEFRA_MovC_RobPos(&robP, &robP2, d, 0, n, t, s); },
     "MovCRobP " P1 " " P2 " "},
    {"MovJAbs_RobJPos", [](auto d, auto n, auto t, auto s) { return ZEFRA_MovJAbs_RobJPos(&robJP, d, 0, n, t, s); },
     "MovJAbsRobJP [1.000,2.000,3.000,4.000,5.000,6.000,7.000,-8.250;0.100,0.000,0.000,0.000,0.000,1000.000] "},
    {"MovJAbs_JP", [](auto d, auto n, auto t, auto s) { return ZEFRA_MovJAbs_JP(-12, d, 0, n, t, s); },
     "MovJAbsRobIndexJP gjp-12 "},
};

TEST_F(MotionTargets, EveryFunctionSendsItsRequestAndReturnsTheReply) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string head = std::string(row.head) + "1,2,3,100.000,50.000,0.000,0.000 0 ";
        EXPECT_EQ(row.call(&moveData, 1, triggers, slot), RC_OK);
        EXPECT_EQ(sent(), head + "1 1,3,1,50.000000;");
        EXPECT_EQ(row.call(&moveData, 0, nullptr, slot), RC_OK);  // empty list: ends in a blank
        EXPECT_EQ(sent(), head + "0 ");
        EXPECT_EQ(row.call(&moveData, 3, triggers, slot), RC_OK);
        EXPECT_EQ(sent(), head + "3 1,3,1,50.000000;1,3,0,12.345600;-4,5,6,-0.500000;");
        controller.replyPayload("e7:limit");
        EXPECT_EQ(row.call(&moveData, 0, nullptr, slot), -7);
    }
}

TEST_F(MotionTargets, MotionDataTravelsInWireOrderWithThreeDecimals) {
    const MoveData data{-1, 0, 12.3456, -0.0004, 1e6, 0.5, 42};
    ASSERT_EQ(ZEFRA_MovJAbs_JP(1, &data, 9, 2, triggers, slot), RC_OK);
    EXPECT_EQ(sent(), "MovJAbsRobIndexJP gjp1 -1,0,42,12.346,-0.000,1000000.000,0.500 9 2 "
                      "1,3,1,50.000000;1,3,0,12.345600;");
}

TEST_F(MotionTargets, RefusesBadCountsNullPointersAndUnprintableValuesUnsent) {
    MoveData notFinite = moveData;
    notFinite.real3 = std::nan("");
    const IoTrigger tooLong[3] = {{0, 0, 0, 1e40}, {0, 0, 0, 1e40}, {0, 0, 0, 1e40}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.call(&moveData, -1, triggers, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&moveData, 4, triggers, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(nullptr, 4, nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(nullptr, 0, nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&moveData, 1, nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&notFinite, 0, nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&moveData, 3, tooLong, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&moveData, 0, nullptr, 10), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
    EXPECT_EQ(ZEFRA_MovJ_RobPos(nullptr, &moveData, 0, 0, nullptr, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_MovC_RobPos(&robP, nullptr, &moveData, 0, 0, nullptr, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_MovJAbs_RobJPos(nullptr, &moveData, 0, 0, nullptr, slot), RC_BAD_PARAM);
    RobJP unprintable = robJP;
    unprintable.extAxes[5] = INFINITY;
    EXPECT_EQ(ZEFRA_MovJAbs_RobJPos(&unprintable, &moveData, 0, 0, nullptr, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
    // Two entries of that size still fit the 127-character list.
    EXPECT_EQ(ZEFRA_MovJAbs_JP(1, &moveData, 0, 2, tooLong, slot), RC_OK);
}

}  // namespace
}  // namespace zefra::test
