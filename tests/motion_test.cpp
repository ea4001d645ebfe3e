// Motions: to stored points, to records passed in the call, with IO triggers, to full robot
// targets; manual motion and the independent axes. The _P names are the _GP functions under a
// second name (the export tests prove it), so their rows would only repeat these.
#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

using Motion = FamilyTest;

const PointRecord place{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0}};
const PointRecord fine{{0.1234567, -0.0000001, -12.5, 1e6, 0.0000006, -0.0000006}, {1, -1, 0, 2}, {3, 0, -4}};
const std::string placeText = "400.000000,0.000000,300.000000,180.000000,0.000000,90.000000;0,0,0,0;0,0,0";
const std::string fineText = "0.123457,-0.000000,-12.500000,1000000.000000,0.000001,-0.000001;1,-1,0,2;3,0,-4";
const IoTrigger triggers[3] = {{1, 3, 1, 50.0}, {1, 3, 0, 12.3456}, {-4, 5, 6, -0.5}};

TEST_F(Motion, StoredPointsAreSentUncheckedAndExplicitOnesWhole) {
    // Records passed in the call go out bare for one target, bracketed for the circle, or not at all.
    PointRecord notFinite = place, huge = place;  // six values of 300 digits do not fit a request
    notFinite.pos[2] = NAN;
    for (double& v : huge.pos) v = 1e300;
    expectRefused({ZEFRA_MovC2(&place, &notFinite, 0, 0, slot),
                   ZEFRA_MovJ2(&notFinite, 0, 0, slot), ZEFRA_MovL2(&huge, 0, 0, slot)});
    expectCalls({
        sends("MovJ P-1 3 0", ZEFRA_MovJ, -1, 3, 0), sends("MovJGP GP7 20 0", ZEFRA_MovJ_GP, 7, 20, 0),
        sends("MovL P12 50 -1", ZEFRA_MovL, 12, 50, -1), sends("MovLGP GP-8 1 2", ZEFRA_MovL_GP, -8, 1, 2),
        sends("Jump P5 1 2", ZEFRA_Jump, 5, 1, 2), sends("JumpGP GP9 30 4", ZEFRA_Jump_GP, 9, 30, 4),
        sends("JumpL P0 100 3", ZEFRA_JumpL, 0, 100, 3), sends("JumpLGP GP2 -7 8", ZEFRA_JumpL_GP, 2, -7, 8),
        sends("MovC P3 P4 50 1", ZEFRA_MovC, 3, 4, 50, 1), sends("MovCGP GP1 GP2 60 0", ZEFRA_MovC_GP, 1, 2, 60, 0),
        sends("MovJ2 " + placeText + " 10 1", ZEFRA_MovJ2, &place, 10, 1),
        sends("MovL2 " + placeText + " 50 0", ZEFRA_MovL2, &place, 50, 0),
        sends("Jump2 " + fineText + " -3 7", ZEFRA_Jump2, &fine, -3, 7),
        sends("JumpL2 " + fineText + " 0 0", ZEFRA_JumpL2, &fine, 0, 0),
        sends("MovC2 [" + placeText + "] [" + fineText + "] 20 2", ZEFRA_MovC2, &place, &fine, 20, 2),
        sends("MovC2 [" + placeText + "] [" + placeText + "] 20 2", ZEFRA_MovC2, &place, &place, 20, 2),
    });
}

// One to three IO trigger entries, ";" between them, the list bracketed; a count outside 1..3
// is refused before the entries are read.
TEST_F(Motion, IoTriggerListsCarryTheFirstCountEntries) {
    using Call = std::function<int32_t(const IoTrigger*, int32_t count, int32_t slot)>;
    const std::pair<Call, std::string> rows[] = {  // each call and its request before the list
        {partial(ZEFRA_MovJ_IO, 5, 20, 0), "MovJ P5 20 0 "}, {partial(ZEFRA_MovL_IO, -5, 20, -1), "MovL P-5 20 -1 "},
        {partial(ZEFRA_Jump_IO, 6, 1, 2), "Jump P6 1 2 "}, {partial(ZEFRA_JumpL_IO, 7, 1, 2), "JumpL P7 1 2 "},
        {partial(ZEFRA_MovC_IO, 3, 4, 50, 1), "MovC P3 P4 50 1 "},
        {partial(ZEFRA_MovJ_GP_IO, 7, 20, 0), "MovJGP GP7 20 0 "},
        {partial(ZEFRA_MovL_GP_IO, 8, 1, 2), "MovLGP GP8 1 2 "},
        {partial(ZEFRA_Jump_GP_IO, 9, 1, 2), "JumpGP GP9 1 2 "},
        {partial(ZEFRA_JumpL_GP_IO, 1, 1, 2), "JumpLGP GP1 1 2 "},
        {partial(ZEFRA_MovC_GP_IO, 1, 2, 3, 4), "MovCGP GP1 GP2 3 4 "},
        {partial(ZEFRA_MovJ2_IO, &place, 50, 0), "MovJ2 [" + placeText + "] 50 0 "},
        {partial(ZEFRA_MovL2_IO, &place, 50, 0), "MovL2 [" + placeText + "] 50 0 "},
        {partial(ZEFRA_Jump2_IO, &fine, 1, 2), "Jump2 [" + fineText + "] 1 2 "},
        {partial(ZEFRA_JumpL2_IO, &fine, -1, 2), "JumpL2 [" + fineText + "] -1 2 "},
        {partial(ZEFRA_MovC2_IO, &place, &fine, 1, 2), "MovC2 [" + placeText + "] [" + fineText + "] 1 2 "},
    };
    for (const auto& [call, head] : rows) {
        controller.clear();
        expectRefused({call(triggers, 0, slot), call(triggers, 4, slot), call(triggers, INT32_MIN, slot)});
        expectCalls({sends(head + "[1,3,1,50.000000]", call, triggers, 1),
                     sends(head + "[1,3,1,50.000000;1,3,0,12.345600]", call, triggers, 2),
                     sends(head + "[1,3,1,50.000000;1,3,0,12.345600;-4,5,6,-0.500000]", call, triggers, 3)});
    }
    // The list may take 127 characters: "0,0,0," + 114 integer digits + "." + six decimals.
    const IoTrigger tooLong[1] = {{0, 0, 0, 1e114}}, lastTooLong[3] = {triggers[0], triggers[1], {0, 0, 0, 1e100}},
                    notFinite[2] = {triggers[0], {0, 0, 0, NAN}}, longest[1] = {{0, 0, 0, 1e113}};
    expectRefused({ZEFRA_MovJ_IO(1, 2, 3, tooLong, 1, slot), ZEFRA_MovJ_IO(1, 2, 3, lastTooLong, 3, slot),
                   ZEFRA_MovJ_IO(1, 2, 3, notFinite, 2, slot)});
    ASSERT_EQ(ZEFRA_MovJ_IO(1, 2, 3, longest, 1, slot), RC_OK);
    EXPECT_EQ(sent().size(), std::string("MovJ P1 2 3 []").size() + 127);
}

// Full robot targets with motion data and up to three entries: each entry ends in its own ";"
// and the count goes in front of the list. The count is tested before any record is read.
TEST_F(Motion, TargetsCarryMotionDataAndACountedList) {
    static const RobP robP{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    static const RobP robP2{{12.3456, -1, 2, 3, 4, 5}, {1, -1, 0, 2}, {0.0004, 6, 7, 8, 9, -7.5}};
    static const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, -8.25}, {0.1, 9, 10, 11, 12, 1000}};
    const MoveData data{-1, 0, 12.3456, -0.0004, 1e6, 0.5, 42};  // field3 (42) is stored last but sent third
    const std::string p1 = "[400.000,0.000,300.000,180.000,0.000,90.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000]";
    const std::string p2 = "[12.346,-1.000,2.000,3.000,4.000,5.000;1,-1,0,2;0.000,6.000,7.000,8.000,9.000,-7.500]";
    // Each call with its target fixed, and its request before the motion data.
    using Call = std::function<int32_t(const MoveData*, int32_t motionArg, int32_t count, const IoTrigger*, int32_t)>;
    const std::pair<Call, std::string> rows[] = {
        {partial(ZEFRA_MovJ_RobPos, &robP), "MovJRobP " + p1}, {partial(ZEFRA_MovL_RobPos, &robP), "MovLRobP " + p1},
        {partial(ZEFRA_Jump_RobPos, &robP2), "JumpRobP " + p2},
        {partial(ZEFRA_JumpL_RobPos, &robP2), "JumpLRobP " + p2},
        {partial(ZEFRA_MovC_RobPos, &robP, &robP2), "MovCRobP " + p1 + " " + p2},
        {partial(ZEFRA_MovJAbs_RobJPos, &robJP),
         "MovJAbsRobJP [1.000,2.000,3.000,4.000,5.000,6.000,7.000,-8.250;0.100,9.000,10.000,11.000,12.000,1000.000]"},
        {partial(ZEFRA_MovJAbs_JP, -12), "MovJAbsRobIndexJP gjp-12"},
    };
    for (const auto& [call, target] : rows) {
        const std::string head = target + " -1,0,42,12.346,-0.000,1000000.000,0.500 9 ";
        controller.clear();
        expectRefused({call(&data, 9, -1, triggers, slot), call(&data, 9, 4, triggers, slot)});
        expectCalls({sends(head + "0 ", call, &data, 9, 0, nullptr),
                     sends(head + "1 1,3,1,50.000000;", call, &data, 9, 1, triggers),
                     sends(head + "3 1,3,1,50.000000;1,3,0,12.345600;-4,5,6,-0.500000;", call, &data, 9, 3, triggers)});
    }
    MoveData notFinite = data;
    notFinite.real3 = NAN;
    const IoTrigger wide[3] = {{0, 0, 0, 1e40}, {0, 0, 0, 1e40}, {0, 0, 0, 1e40}};  // two fit 127 characters, not 3
    expectRefused({ZEFRA_MovJAbs_JP(1, &notFinite, 0, 0, nullptr, slot), ZEFRA_MovJAbs_JP(1, &data, 0, 3, wide, slot)});
    EXPECT_EQ(ZEFRA_MovJAbs_JP(1, &data, 0, 2, wide, slot), RC_OK);
}

// Jog and inch check the direction, then the axis, then the kind; any failure is the same.
TEST_F(Motion, ManualMotionRefusesBadArgumentsThenSendsCommands) {
    expectRefused({ZEFRA_Jog(0, 1, 2, slot), ZEFRA_Jog(0, 1, -2, slot), ZEFRA_Inch(0, 1, 0, slot),
                   ZEFRA_Inch(1, 1, 0, slot), ZEFRA_Jog(0, 0, 1, slot), ZEFRA_Jog(1, 7, 1, slot),
                   ZEFRA_Inch(1, 0, 1, slot), ZEFRA_Jog(2, 3, 1, slot), ZEFRA_Jog(2, 9, 1, slot),
                   ZEFRA_Inch(-1, 3, 1, slot)});
    expectCalls({
        sends("InchMode ON", ZEFRA_InchMode, 1), sends("InchMode OFF", ZEFRA_InchMode, 0),
        sends("Jog J3 +", ZEFRA_Jog, 0, 3, 1), sends("Jog J1 /", ZEFRA_Jog, 0, 1, 0),
        sends("Jog X +", ZEFRA_Jog, 1, 1, 1), sends("Jog Y -", ZEFRA_Jog, 1, 2, -1),
        sends("Jog Z /", ZEFRA_Jog, 1, 3, 0), sends("Jog RZ -", ZEFRA_Jog, 1, 4, -1),
        sends("Jog RY +", ZEFRA_Jog, 1, 5, 1), sends("Jog RX /", ZEFRA_Jog, 1, 6, 0),
        sends("Inch J6 -", ZEFRA_Inch, 0, 6, -1), sends("Inch RY +", ZEFRA_Inch, 1, 5, 1), SENDS(Set_InchStep, -5),
        SENDS(AxisJog, 7, -1), SENDS(AxisInch, 2, 3), SENDS(PoseAlign, 1, 0), SENDS(Home, 2),
        sends("Set_ActiveMechUnit Ext1", ZEFRA_Set_ActiveMechUnit, "Ext1"),
        sends("Set_TeachCoordinate ON", ZEFRA_Set_TeachCoordinate, 1),
        sends("Set_TeachCoordinate OFF", ZEFRA_Set_TeachCoordinate, 0), SENDS(Set_DynamicBrake, 1),
    });
    expectWordQuery(ZEFRA_Get_ActiveMechUnit, "Get_ActiveMechUnit", 128, false);
    expectQueries({QUERY(Get_TeachCoordinate), QUERY(Get_DynamicBrake)});
}

// Axes that move independently of the coordinated motion; the owner's name goes last, as given.
TEST_F(Motion, IndependentAxesSendAndQuery) {
    expectCalls({
        sends("IndAMove 1 90.000 30.000 100.000 12.346 EXT1", ZEFRA_IndAMove, "EXT1", 1, 90, 30, 100, 12.3456),
        sends("IndCMove -2 0.000 -1.500 0.001 EXT1", ZEFRA_IndCMove, "EXT1", -2, 0.0004, -1.5, 0.0005),
        sends("IndReset 3 12.346 -7 EXT1", ZEFRA_IndReset, "EXT1", 3, 12.3456, -7),
        sends("IndResetOld 4 EXT 1", ZEFRA_IndResetOld, "EXT 1", 4),
    });
    expectQueries({
        {partial(ZEFRA_IndSpeed, "EXT1", 1), "IndSpeed 1 EXT1"},
        {partial(ZEFRA_IndInPos, "EXT1", 2), "IndInPos 2 EXT1"},
        {partial(ZEFRA_Get_IndAMoveSts, "EXT1", 1), "Get_IndAMoveSts 1 EXT1"},
        {partial(ZEFRA_Get_IndCMoveSts, "EXT1", -1), "Get_IndCMoveSts -1 EXT1"},
        {partial(ZEFRA_Get_IndResetSts, "EXT1", 0), "Get_IndResetSts 0 EXT1"}, QUERY(Get_MotionStsExceptIndAxis),
    });
}

}  // namespace
}  // namespace zefra::test
