#include <string>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Conversion : public FamilyTest {};

const PointRecord source{{100, 200, 300, 0, 0, 0.0000004}, {0, 1, 0, 0}, {0, 0, 0}};
const PointRecord second{{1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, {3, 2, 1}};
const RobJP joints{{12.3456, 0, 0, 0, 0, 0, 0, -1}, {0.0004, 0, 0, 0, 0, 5}};
const RobP pose{{1, 2, 3, 4, 5, 12.3456}, {0, -1, 0, 1}, {0, 0, 0, 0, 0, 0.0006}};
const std::string sourceText = "100.000000,200.000000,300.000000,0.000000,0.000000,0.000000;0,1,0,0;0,0,0";
const std::string secondText = "1.000000,2.000000,3.000000,4.000000,5.000000,6.000000;1,1,1,1;3,2,1";
const std::string jointsText = "12.346,0.000,0.000,0.000,0.000,0.000,0.000,-1.000;0.000,0.000,0.000,0.000,0.000,5.000";
const std::string poseText = "1.000,2.000,3.000,4.000,5.000,12.346;0,-1,0,1;0.000,0.000,0.000,0.000,0.000,0.001";
const RobP robPResult{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
const std::string robPReply = "=1,2,3,4,5,6;0,0,0,0;0,0,0,0,0,0";  // integers scan as doubles

// The point conversions send the reference triple of `result`, whose old contents survive a
// failed reply and are replaced by the reply's on success.
TEST_F(Conversion, PointsTravelBracketedBesideTheResultsReferenceTriple) {
    PointRecord start = filled<PointRecord>();
    start.frameRef[0] = 1, start.frameRef[1] = 2, start.frameRef[2] = 0;
    const PointRecord converted{{1.5, 2.5, 3.5, 0, 0, 90}, {0, 0, 0, 0}, {4, 5, 6}};
    const std::string reply = "=1.5,2.5,3.5,0,0,90;0,0,0,0;4,5,6";
    expectWholeRecord("Get_PosCnvt [" + sourceText + "] [1,2,0] ", reply, converted,
                      [](PointRecord* r) { return ZEFRA_Get_PosCnvt(&source, r, slot); }, start);
    expectWholeRecord("Get_VisionPosCnvt [" + sourceText + "] [1,2,0] [" + secondText + "]", reply,
                      converted, [](PointRecord* r) { return ZEFRA_Get_VisionPosCnvt(&source, &second, r, slot); },
                      start);
    expectWholeRecord("Get_PosCnvt [" + sourceText + "] [0,0,0] ", reply, converted,
                      [](PointRecord* r) { return ZEFRA_Get_PosCnvt(r, r, slot); }, source);
}

TEST_F(Conversion, TargetsTravelBareWithThreeDecimals) {
    expectWholeRecord<RobJP>("Get_RobPToRobJ " + poseText + " 0,0,-7", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14",
                             {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}},
                             [](RobJP* r) { return ZEFRA_Get_RobPToRobJ(&pose, 0, 0, -7, r, slot); });
    expectWholeRecord("Get_RobJToRobP " + jointsText + " 1,-2,3", robPReply, robPResult,
                      [](RobP* r) { return ZEFRA_Get_RobJToRobP(&joints, 1, -2, 3, r, slot); });
    expectWholeRecord("Get_FixWobjRobP " + poseText + " -5", robPReply, robPResult,
                      [](RobP* r) { return ZEFRA_Get_FixWobjRobP(&pose, -5, r, slot); });
    expectWholeRecord("Get_RobHoldWobjRobP " + poseText + " 4 1.000,2.000,3.000,4.000,5.000,6.000;0,0,0,0;" +
                          "0.000,0.000,0.000,0.000,0.000,0.000",
                      robPReply, robPResult, [](RobP* r) { return ZEFRA_Get_RobHoldWobjRobP(&pose, 4, &robPResult, r, slot); });
    expectWholeRecord("Get_FixWobjRobP " + poseText + " 0", robPReply, robPResult,
                      [](RobP* r) { return ZEFRA_Get_FixWobjRobP(r, 0, r, slot); }, pose);
}

TEST_F(Conversion, NullRecordsAreRefusedUnsent) {
    PointRecord point{};
    RobP p{};
    RobJP j{};
    expectRefused({ZEFRA_Get_PosCnvt(nullptr, &point, slot), ZEFRA_Get_PosCnvt(&source, nullptr, slot),
          ZEFRA_Get_VisionPosCnvt(nullptr, &second, &point, slot), ZEFRA_Get_VisionPosCnvt(&source, nullptr, &point, slot),
          ZEFRA_Get_VisionPosCnvt(&source, &second, nullptr, slot), ZEFRA_Get_RobJToRobP(nullptr, 0, 0, 0, &p, slot),
          ZEFRA_Get_RobJToRobP(&joints, 0, 0, 0, nullptr, slot), ZEFRA_Get_RobPToRobJ(nullptr, 0, 0, 0, &j, slot),
          ZEFRA_Get_RobPToRobJ(&pose, 0, 0, 0, nullptr, slot), ZEFRA_Get_FixWobjRobP(nullptr, 0, &p, slot),
          ZEFRA_Get_FixWobjRobP(&pose, 0, nullptr, slot), ZEFRA_Get_RobHoldWobjRobP(nullptr, 0, &pose, &p, slot),
          ZEFRA_Get_RobHoldWobjRobP(&pose, 0, nullptr, &p, slot), ZEFRA_Get_RobHoldWobjRobP(&pose, 0, &pose, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
