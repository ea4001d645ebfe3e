// Motions to full robot targets with motion data and up to three IO trigger entries: each
// entry ends in its own ";" and the count goes in front of the list.
#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class MotionTargets : public FamilyTest {};

const RobP robP{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
const RobP robP2{{12.3456, -1, 2, 3, 4, 5}, {1, -1, 0, 2}, {0.0004, 6, 7, 8, 9, -7.5}};
const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, -8.25}, {0.1, 9, 10, 11, 12, 1000}};
const MoveData moveData{-1, 0, 12.3456, -0.0004, 1e6, 0.5, 42};  // field3 (42) is stored last but sent third
const IoTrigger triggers[3] = {{1, 3, 1, 50.0}, {1, 3, 0, 12.3456}, {-4, 5, 6, -0.5}};
const std::string p1 = "[400.000,0.000,300.000,180.000,0.000,90.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000]";
const std::string p2 = "[12.346,-1.000,2.000,3.000,4.000,5.000;1,-1,0,2;0.000,6.000,7.000,8.000,9.000,-7.500]";

// Each call and its request before the motion data.
const std::pair<std::function<int32_t(const MoveData*, int32_t count, const IoTrigger*, int32_t slot)>, std::string> rows[] = {
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_MovJ_RobPos(&robP, d, 9, n, t, s); }, "MovJRobP " + p1},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_MovL_RobPos(&robP, d, 9, n, t, s); }, "MovLRobP " + p1},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_Jump_RobPos(&robP2, d, 9, n, t, s); }, "JumpRobP " + p2},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_JumpL_RobPos(&robP2, d, 9, n, t, s); }, "JumpLRobP " + p2},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_MovC_RobPos(&robP, &robP2, d, 9, n, t, s); }, "MovCRobP " + p1 + " " + p2},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_MovJAbs_RobJPos(&robJP, d, 9, n, t, s); },
     "MovJAbsRobJP [1.000,2.000,3.000,4.000,5.000,6.000,7.000,-8.250;0.100,9.000,10.000,11.000,12.000,1000.000]"},
    {[](auto d, auto n, auto t, auto s) { return ZEFRA_MovJAbs_JP(-12, d, 9, n, t, s); }, "MovJAbsRobIndexJP gjp-12"},
};

// The count is tested before any record is read; with no entries the list is empty.
TEST_F(MotionTargets, RefusesCountsOutsideZeroToThreeAndSendsTargetMotionDataAndList) {
    for (const auto& [call, target] : rows) {
        const std::string head = target + " -1,0,42,12.346,-0.000,1000000.000,0.500 9 ";
        controller.clear();
        expectRefused({call(&moveData, -1, triggers, slot), call(&moveData, 4, triggers, slot),
                       call(nullptr, 4, nullptr, slot), call(nullptr, 0, nullptr, slot), call(&moveData, 1, nullptr, slot)});
        expectSent({{head + "0 ", [&] { return call(&moveData, 0, nullptr, slot); }},
                        {head + "1 1,3,1,50.000000;", [&] { return call(&moveData, 1, triggers, slot); }},
                        {head + "3 1,3,1,50.000000;1,3,0,12.345600;-4,5,6,-0.500000;", [&] { return call(&moveData, 3, triggers, slot); }}});
    }
}

TEST_F(MotionTargets, RefusesMissingTargetsAndUnprintableValuesUnsent) {
    MoveData notFinite = moveData;
    notFinite.real3 = NAN;
    const IoTrigger wide[3] = {{0, 0, 0, 1e40}, {0, 0, 0, 1e40}, {0, 0, 0, 1e40}};  // two fit 127 characters, three do not
    expectRefused({ZEFRA_MovJ_RobPos(nullptr, &moveData, 0, 0, nullptr, slot),
                   ZEFRA_MovC_RobPos(&robP, nullptr, &moveData, 0, 0, nullptr, slot),
                   ZEFRA_MovJAbs_RobJPos(nullptr, &moveData, 0, 0, nullptr, slot),
                   ZEFRA_MovJAbs_JP(1, &notFinite, 0, 0, nullptr, slot), ZEFRA_MovJAbs_JP(1, &moveData, 0, 3, wide, slot)});
    EXPECT_EQ(ZEFRA_MovJAbs_JP(1, &moveData, 0, 2, wide, slot), RC_OK);
}

}  // namespace
}  // namespace zefra::test
