// Points and frames: global points and registers, robot points, the current position, tool and
// work-object frames, conversions, offsets, pallets and latched positions. Motions: to stored
// points, to records passed in the call, with IO triggers, to full robot targets; manual motion
// and the independent axes. The _P names are the _GP functions under a second name (the export
// tests prove it), so their rows would only repeat these.
#include <cmath>
#include <cstring>

#include "support/family_test.h"

namespace zefra::test {
namespace {

using Points = FamilyTest;

const PointRecord gp{{100.5, -20, 0.0000004, 1, 2, 90.0000006}, {3, 4, 5, 6}, {7, 8, 9}};
const std::string gpText = "100.500000,-20.000000,0.000000,1.000000,2.000000,90.000001;3,4,5,6;7,8,9";
const std::string gpReply = "=100.5,-20,4e-7,1,2,90.0000006;3,4,5,6;7,8,9";
const RobP robP{{1.23456, -2, 3, 4, 5, 6}, {0, 0, 0, 1}, {7, 8, 9, 10, 11, 12.0006}};
const std::string robPText = "1.235,-2.000,3.000,4.000,5.000,6.000;0,0,0,1;7.000,8.000,9.000,10.000,11.000,12.001";
const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, 8.25}, {-1, -2, -3, -4, -5, 0.0004}};
const std::string robJPText =
    "1.000,2.000,3.000,4.000,5.000,6.000,7.000,8.250;-1.000,-2.000,-3.000,-4.000,-5.000,0.000";
const RobP readP{{1.5, -2, 3, 4, 5, 6}, {0, 1, 0, 1}, {7, 8, 9, 10, 11, 12}};
const std::string readPReply = "=1.5,-2,3,4,5,6;0,1,0,1;7,8,9,10,11,1.2e1";
const RobJP readJ{{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}};
const std::string readJReply = "=1,2,3,4,5,6,7,8;9,10,11,12,13,14";

TEST_F(Points, GlobalPointsAndRegisters) {
    const PointRecord reg{{1, 2, 3, 4, 5, 6}, {7, 7, 7, 7}, {7, 7, 7}};
    const std::string regText = "1.000000,2.000000,3.000000,4.000000,5.000000,6.000000";
    expectCalls({
        sends("Set_GP 4 " + gpText, ZEFRA_Set_GP, 4, &gp),
        sends("Set_PR 2 " + regText, ZEFRA_Set_PR, 2, &reg),  // the seven 7s stay home
        sends("Set_PR 2 " + regText, ZEFRA_Set_PRVar, 2, reg.pos),
        sends("Set_LPR 3 " + regText, ZEFRA_Set_LPR, 3, &reg),
    });
    // Registers carry six values; the integers of the record are then 0.
    const PointRecord read{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0}};
    expectWholeRecord("Get_GP 4", gpReply, gp, partial(ZEFRA_Get_GP, 4));
    expectWholeRecord("Get_PR 4", "=1,2,3,4,5,6", read, partial(ZEFRA_Get_PR, 4), gp);
    expectWholeRecord("Get_LPR 4", "=1,2,3,4,5,6", read, partial(ZEFRA_Get_LPR, 4), gp);
    const auto values = getter<std::array<double, 7>>(ZEFRA_Get_PRVar, 2);
    expectCalls({{"Get_PR 2", "=1,2,3,4,5", RC_FAIL, nines(7), values},
                 {"Get_PR 2", "=1,2,3,4,5,6,7", RC_OK, "1,2,3,4,5,6,9", values}});  // six doubles and nothing beyond
    PointRecord notFinite = reg;
    notFinite.pos[5] = -INFINITY;
    expectRefused({ZEFRA_Set_GP(1, &notFinite, slot)});
}

using RobotPoints = FamilyTest;

TEST_F(RobotPoints, CommandsAndWholeRecordQueries) {
    expectCalls({
        sends("Set_RobP 3 " + robPText, ZEFRA_Set_RobP, 3, &robP),
        sends("SetMemRobP -3 " + robPText, ZEFRA_Set_MemRobP, -3, &robP),
        sends("Set_RobPToFile 4 " + robPText + " cell.pt", ZEFRA_Set_RobPToFile, "cell.pt", 4, &robP),
        sends("Set_RobPHereToFile 7 cell.pt", ZEFRA_Set_RobPHereToFile, "cell.pt", 7),
        sends("Set_RobJP 8 " + robJPText, ZEFRA_Set_RobJP, 8, &robJP),
        sends("SetMemRobJP 9 " + robJPText, ZEFRA_Set_MemRobJP, 9, &robJP),
    });
    expectWholeRecord("Get_RobPFromFile 3 cell.pt", readPReply, readP, partial(ZEFRA_Get_RobPFromFile, "cell.pt", 3));
    expectWholeRecord("Get_RobJP -2", readJReply, readJ, partial(ZEFRA_Get_RobJP, -2));
    EXPECT_EQ(printed, "");
}

TEST_F(RobotPoints, TextQueriesFillAll32BytesAndReportTheScanCount) {
    expectWordQuery(partial(ZEFRA_Get_RobP_Label, 5), "Get_RobP_Label 5", 32, true, false, true);
    expectWordQuery(partial(ZEFRA_Get_RobLP_Label, 1, "lp", 2), "Get_RobLP_Label 1 2 lp", 32, true);
    const auto speedSwitch = getter<int32_t>(ZEFRA_Get_SpeedLimitSwitch);
    expectCalls({{"Get_SpeedLimitSwitch", "=2", RC_OK, "2", speedSwitch, scanCountLine("1")},
                 {"Get_SpeedLimitSwitch", "=x", RC_FAIL, "9", speedSwitch, scanCountLine("0")},
                 {"Get_SpeedLimitSwitch", "=", RC_FAIL, "9", speedSwitch, scanCountLine("-1")},
                 {"Get_SpeedLimitSwitch", "e4:", -4, "9", speedSwitch}});
}

// Pulses go straight into the caller's array; the mechanical unit's position needs its format
// code and all eight values.
TEST_F(Points, CurrentPosition) {
    const PointRecord here{{1.5, 2, 3, 4, 5, -6}, {1, 0, 1, 0}, {7, 8, 9}};
    expectWholeRecord("Get_PosHere", "=1.5,2,3,4,5,-6;1,0,1,0;7,8,9", here, partial(ZEFRA_Get_PosHere));
    const PointRecord six{{1.5, 2, 3, 4, 5, -6}, {0, 0, 0, 0}, {0, 0, 0}};  // whatever the integers held
    expectWholeRecord("Get_PosHereJ", "=1.5,2,3,4,5,-6", six, partial(ZEFRA_Get_PosHereJ));
    expectWholeRecord("Get_RobPHere", readPReply, readP, partial(ZEFRA_Get_RobPosHere));
    expectWholeRecord("Get_RobJPHere", readJReply, readJ, partial(ZEFRA_Get_RobJPosHere));
    const auto pulses = getter<Six>(ZEFRA_Get_PosHerePulse);
    const auto unit = getter<int32_t, std::array<double, 8>>(ZEFRA_Get_ActiveMechUnitPos);
    expectCalls({
        {"Get_PosHerePulse", "=1,2,3;4", RC_FAIL, "1,2,3,9,9,9", pulses},
        {"Get_PosHerePulse", "=-1,2,3,4,5,600000", RC_OK, "-1,2,3,4,5,600000", pulses},
        {"Get_ActiveMechUnitPos", "=2,1,2,3,4,5,6,7", RC_FAIL, nines(9), unit},
        {"Get_ActiveMechUnitPos", "=2,1,2,3,4,5,6,7,8.5", RC_OK, "2,1,2,3,4,5,6,7,8.5", unit},
    });
}

const ToolData tool{-1, {1, 2, 3, 4, 5, 6.0006}, {7, 8, 9, 10, 11, 12, 13, 14, 15, -0.0004}};
const WobjData wobj{1, 0, "table", {1, 2, 3, 0, 0, 0}, {0, 0, 0, 0, 0, 1.2345678}};
const double frame[6] = {0.1234567, -2, 0, 0, 0, 1e6};

std::string wobjWith(const std::string& name) { return "1,0," + name + ",1,2,3,0,0,0,0,0,0,0,0,-1.5"; }

TEST_F(Points, ToolAndWorkObjectFrames) {
    static const WobjData longestName{0, 0, "nnnnnnnnnnnnnnnnnnnnnnn", {}, {}};  // 23 characters and the terminator
    expectCalls({
        sends("Set_ToolData 3 -1;1.000,2.000,3.000,4.000,5.000,6.001 "
              "7.000,8.000,9.000,10.000,11.000,12.000,13.000,14.000,15.000,-0.000",
              ZEFRA_Set_ToolData, 3, &tool),
        sends("Set_WobjData 2 1,0;1.000,2.000,3.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,1.235;table",
              ZEFRA_Set_WobjData, 2, &wobj),
        sends("Set_WobjData -1 0,0;0.000,0.000,0.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,0.000;" +
                  std::string(23, 'n'),
              ZEFRA_Set_WobjData, -1, &longestName),
        sends("Set_ToolC -1 0.123457,-2.000000,0.000000,0.000000,0.000000,1000000.000000", ZEFRA_Set_ToolC, -1, frame),
        sends("Set_UserC 4 0.123457,-2.000000,0.000000,0.000000,0.000000,1000000.000000", ZEFRA_Set_UserC, 4, frame),
    });
    WobjData unterminated = wobj;
    std::memset(unterminated.name, 'n', sizeof unterminated.name);
    expectRefused({ZEFRA_Set_WobjData(1, &unterminated, slot)});
    const auto toolData = getter<ToolData>(ZEFRA_Get_ToolData, 3);
    const auto wobjData = getter<WobjData>(ZEFRA_Get_WobjData, 2);
    const std::string numbers = "=1,0;1.000,2.000,3.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,-1.500;";
    const std::string name23(23, 'n'), wobjUntouched = nines(15);
    expectCalls({
        {"Get_ToolData 3", "=1;1,2,3,4,5,6;7,8,9,10,11,12,13,14,15,16", RC_OK,
         "1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", toolData},
        {"Get_ToolData 3", "=1;1,2,3,4,5,6;7,8,9,10,11,12,13,14,15", RC_FAIL, nines(17), toolData},
        {"Get_WobjData 2", numbers + "a b;c", RC_OK, wobjWith("a b;c"), wobjData},
        {"Get_WobjData 2", numbers + name23, RC_OK, wobjWith(name23), wobjData},
        {"Get_WobjData 2", numbers + name23 + "n", RC_FAIL, wobjUntouched, wobjData},
        {"Get_WobjData 2", numbers, RC_OK, wobjWith(""), wobjData},
        // Numbers written shorter than we print them leave no text where the name would be.
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,-1.5;table", RC_OK, wobjWith(""), wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,-1e300;x", RC_OK, "1,0,,1,2,3,0,0,0,0,0,0,0,0,-1e+300",
         wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,inf;x", RC_FAIL, wobjUntouched, wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0;x", RC_FAIL, wobjUntouched, wobjData},
        {"Get_ToolC 3", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,5,6", getter<Six>(ZEFRA_Get_ToolC, 3)},
        {"Get_UserC -1", "=1.5,2.5,abc", RC_FAIL, "1.5,2.5,9,9,9,9", getter<Six>(ZEFRA_Get_UserC, -1)},
    });
}

// The point conversions send the reference triple of `result`, whose old contents survive a
// failed reply and are replaced by the reply's on success; targets travel bare with three decimals.
TEST_F(Points, Conversions) {
    static const PointRecord second{{1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, {3, 2, 1}};
    const std::string secondText = "1.000000,2.000000,3.000000,4.000000,5.000000,6.000000;1,1,1,1;3,2,1";
    PointRecord start = filled<PointRecord>();
    start.frameRef[0] = 1, start.frameRef[1] = 2, start.frameRef[2] = 0;
    const PointRecord converted{{1.5, 2.5, 3.5, 0, 0, 90}, {0, 0, 0, 0}, {4, 5, 6}};
    const std::string reply = "=1.5,2.5,3.5,0,0,90;0,0,0,0;4,5,6";
    expectWholeRecord("Get_PosCnvt [" + gpText + "] [1,2,0] ", reply, converted, partial(ZEFRA_Get_PosCnvt, &gp),
                      start);
    expectWholeRecord("Get_VisionPosCnvt [" + gpText + "] [1,2,0] [" + secondText + "]", reply, converted,
                      partial(ZEFRA_Get_VisionPosCnvt, &gp, &second), start);
    expectWholeRecord("Get_PosCnvt [" + secondText + "] [3,2,1] ", reply, converted,
                      [](PointRecord* r, int32_t s) { return ZEFRA_Get_PosCnvt(r, r, s); }, second);
    expectWholeRecord("Get_RobPToRobJ " + robPText + " 0,0,-7", readJReply, readJ,
                      partial(ZEFRA_Get_RobPToRobJ, &robP, 0, 0, -7));
    expectWholeRecord("Get_RobJToRobP " + robJPText + " 1,-2,3", readPReply, readP,
                      partial(ZEFRA_Get_RobJToRobP, &robJP, 1, -2, 3));
    expectWholeRecord("Get_FixWobjRobP " + robPText + " -5", readPReply, readP,
                      partial(ZEFRA_Get_FixWobjRobP, &robP, -5));
    expectWholeRecord("Get_RobHoldWobjRobP " + robPText + " 4 1.500,-2.000,3.000,4.000,5.000,6.000;0,1,0,1;" +
                          "7.000,8.000,9.000,10.000,11.000,12.000",
                      readPReply, readP, partial(ZEFRA_Get_RobHoldWobjRobP, &robP, 4, &readP));
    expectWholeRecord("Get_FixWobjRobP " + robPText + " 0", readPReply, readP,
                      [](RobP* r, int32_t s) { return ZEFRA_Get_FixWobjRobP(r, 0, r, s); }, robP);
}

// The base record is also the result: everything is sent before anything is written, and on
// success every field is the reply's, integers and reference triple included. Points carry six
// decimals, targets three.
TEST_F(Points, Offsets) {
    static const double offset[6] = {10, 0.0004, -5, 0, 0, 0.0006};
    const std::string sixDecimals = " 10.000000,0.000400,-5.000000,0.000000,0.000000,0.000600";
    const std::string threeDecimals = " 10.000,0.000,-5.000,0.000,0.000,0.001";
    const PointRecord point{{410, 0, 295, 180, 0, 90}, {1, 1, 0, 1}, {3, 0, 4}};
    for (const auto& [word, call] :
         {std::pair{"Get_OffsetJ", &ZEFRA_Get_OffsetJ}, std::pair{"Get_Offset", &ZEFRA_Get_Offset},
          std::pair{"Get_OffsetT", &ZEFRA_Get_OffsetT}})
        expectWholeRecord(word + (" " + gpText) + sixDecimals, "=410,0,295,180,0,90;1,1,0,1;3,0,4", point,
                          [call = call](PointRecord* r, int32_t s) { return call(r, offset, r, s); }, gp);
    for (const auto& [word, call] :
         {std::pair{"Get_Offset_RobP", &ZEFRA_Get_Offset_RobP}, std::pair{"Get_OffsetT_RobP", &ZEFRA_Get_OffsetT_RobP}})
        expectWholeRecord(word + (" " + robPText) + threeDecimals, readPReply, readP,
                          [call = call](RobP* r, int32_t s) { return call(r, offset, r, s); }, robP);
    expectWholeRecord("Get_OffsetJ_RobJP " + robJPText + threeDecimals, readJReply, readJ,
                      [](RobJP* r, int32_t s) { return ZEFRA_Get_OffsetJ_RobJP(r, offset, r, s); }, robJP);
}

// Corners told apart by their first value; every external-axis run starts with 0.1234567.
RobP robCorner(double x) { return {{x, 0, 0, 0, 0, 0}, {0, 0, 1, 0}, {0.1234567, 0, 0, 0, 0, -1}}; }
PointRecord pointCorner(double x) { return {{x, 0.0000004, 0, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 2}}; }
const RobP r1 = robCorner(1), r2 = robCorner(2), r3 = robCorner(3), r4 = robCorner(4);
const PointRecord p1 = pointCorner(1), p2 = pointCorner(2), p3 = pointCorner(3), p4 = pointCorner(4);

std::string robText(int x, const char* ext0 = "0.123") {
    return std::to_string(x) + ".000,0.000,0.000,0.000,0.000,0.000;0,0,1,0;" + ext0 +
           ",0.000,0.000,0.000,0.000,-1.000 ";
}
std::string pointText(int x) {
    return std::to_string(x) + ".000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,1,0;0,1,2 ";
}

TEST_F(Points, PalletsGoOutCornerByCornerAndComeBackWholeOrNotAtAll) {
    const auto para = getter<int32_t, int32_t, int32_t, double>(ZEFRA_Get_PalletPara);
    expectCalls({
        sends("Set_PalletPara 3,4,5,12.500000 ", ZEFRA_Set_PalletPara, 3, 4, 5, 12.5),
        {"Get_PalletPara", "=3,4,5,12.5", RC_OK, "3,4,5,12.5", para},
        {"Get_PalletPara", "=3,4,5", RC_FAIL, "9,9,9,9", para},
    });
    // Only the second corner of the three-corner RobP request has its first external axis with six decimals.
    expectWholeRecord("Get_PalletRobP " + robText(1) + robText(2, "0.123457") + robText(3) + "1,2,-3", readPReply,
                      readP, partial(ZEFRA_Get_Pallet_RobP, &r1, &r2, &r3, 1, 2, -3));
    expectWholeRecord("Get_Pallet4RobP " + robText(1) + robText(2) + robText(3) + robText(4) + "1,2,-3", readPReply,
                      readP, partial(ZEFRA_Get_Pallet4_RobP, &r1, &r2, &r3, &r4, 1, 2, -3));
    expectWholeRecord("Get_PalletPoint " + pointText(1) + pointText(2) + pointText(3) + "1,2,-3", gpReply, gp,
                      partial(ZEFRA_Get_PalletPoint, &p1, &p2, &p3, 1, 2, -3));
    expectWholeRecord("Get_Pallet4Point " + pointText(1) + pointText(2) + pointText(3) + pointText(4) + "1,2,-3",
                      gpReply, gp, partial(ZEFRA_Get_Pallet4Point, &p1, &p2, &p3, &p4, 1, 2, -3));
}

TEST_F(Points, LatchedPositions) {
    expectRefused({ZEFRA_LatchEnable(2, slot), ZEFRA_LatchEnable(-1, 5)});  // slot 5, not connected, is not looked at
    const auto pos = getter<int32_t, Six>(ZEFRA_Get_LatchPos, 3);
    const auto robPos = getter<int32_t, RobP>(ZEFRA_Get_LatchRobP, -2);
    expectCalls({
        sends("Latch ON", ZEFRA_LatchEnable, 1), sends("Latch OFF", ZEFRA_LatchEnable, 0),
        {"Get_LatchPos 3", "=1;10,20,30,0,0,90", RC_OK, "1,10,20,30,0,0,90", pos},
        {"Get_LatchPos 3", "=1;10,20,30,0,0", RC_FAIL, "9,10,20,30,0,0,9", pos},  // pos in place, flag only at the end
        {"Get_LatchRobP -2", "=4;1,2,3,4,5,6;0,1,0,1;7,8,9,10,11,12", RC_OK, "4,1,2,3,4,5,6,0,1,0,1,7,8,9,10,11,12",
         robPos},
        {"Get_LatchRobP -2", "=4;1,2,3,4,5,6;0,1,0,1;7,8,9,10,11", RC_FAIL, nines(17), robPos},
    });
}

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
    static const RobP robP2{{12.3456, -1, 2, 3, 4, 5}, {1, -1, 0, 2}, {0.0004, 6, 7, 8, 9, -7.5}};
    const MoveData data{-1, 0, 12.3456, -0.0004, 1e6, 0.5, 42};  // field3 (42) is stored last but sent third
    const std::string t1 = "[" + robPText + "]";
    const std::string t2 = "[12.346,-1.000,2.000,3.000,4.000,5.000;1,-1,0,2;0.000,6.000,7.000,8.000,9.000,-7.500]";
    // Each call with its target fixed, and its request before the motion data.
    using Call = std::function<int32_t(const MoveData*, int32_t motionArg, int32_t count, const IoTrigger*, int32_t)>;
    const std::pair<Call, std::string> rows[] = {
        {partial(ZEFRA_MovJ_RobPos, &robP), "MovJRobP " + t1}, {partial(ZEFRA_MovL_RobPos, &robP), "MovLRobP " + t1},
        {partial(ZEFRA_Jump_RobPos, &robP2), "JumpRobP " + t2},
        {partial(ZEFRA_JumpL_RobPos, &robP2), "JumpLRobP " + t2},
        {partial(ZEFRA_MovC_RobPos, &robP, &robP2), "MovCRobP " + t1 + " " + t2},
        {partial(ZEFRA_MovJAbs_RobJPos, &robJP), "MovJAbsRobJP [" + robJPText + "]"},
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
        sends("Inch J6 -", ZEFRA_Inch, 0, 6, -1), sends("Inch RY +", ZEFRA_Inch, 1, 5, 1),
        sends("Set_ActiveMechUnit Ext1", ZEFRA_Set_ActiveMechUnit, "Ext1"),
        sends("Set_TeachCoordinate ON", ZEFRA_Set_TeachCoordinate, 1),
        sends("Set_TeachCoordinate OFF", ZEFRA_Set_TeachCoordinate, 0),
    });
    expectWordQuery(ZEFRA_Get_ActiveMechUnit, "Get_ActiveMechUnit", 128, false);
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
        {partial(ZEFRA_Get_IndResetSts, "EXT1", 0), "Get_IndResetSts 0 EXT1"},
    });
}

}  // namespace
}  // namespace zefra::test
