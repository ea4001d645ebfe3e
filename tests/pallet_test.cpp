#include <string>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Pallet : public FamilyTest {};

// Corners told apart by their first value; every external-axis run starts with 0.1234567.
RobP robCorner(double x) { return {{x, 0, 0, 0, 0, 0}, {0, 0, 1, 0}, {0.1234567, 0, 0, 0, 0, -1}}; }
PointRecord pointCorner(double x) { return {{x, 0.0000004, 0, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 2}}; }
const RobP r1 = robCorner(1), r2 = robCorner(2), r3 = robCorner(3), r4 = robCorner(4);
const PointRecord p1 = pointCorner(1), p2 = pointCorner(2), p3 = pointCorner(3), p4 = pointCorner(4);

std::string robText(int x, const char* ext0 = "0.123") {
    return std::to_string(x) + ".000,0.000,0.000,0.000,0.000,0.000;0,0,1,0;" + ext0 + ",0.000,0.000,0.000,0.000,-1.000 ";
}
std::string pointText(int x) { return std::to_string(x) + ".000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,1,0;0,1,2 "; }

TEST_F(Pallet, ParametersAndClearing) {
    expectSent({{"Set_PalletPara 3,4,5,12.500000 ", [] { return ZEFRA_Set_PalletPara(3, 4, 5, 12.5, slot); }},
                {"Clear_PalletPara", [] { return ZEFRA_Clear_PalletPara(slot); }}});
    const auto para = with<int32_t, int32_t, int32_t, double>(
        [](auto& a, auto& b, auto& c, auto& d) { return ZEFRA_Get_PalletPara(&a, &b, &c, &d, slot); });
    expectRead({{"Get_PalletPara", "=3,4,5,12.5", RC_OK, "3,4,5,12.5", para},
                {"Get_PalletPara", "=3,4,5", RC_FAIL, "9,9,9,9", para}});
    int32_t i = 0;
    double d = 0;
    expectRefused({ZEFRA_Get_PalletPara(nullptr, &i, &i, &d, slot), ZEFRA_Get_PalletPara(&i, nullptr, &i, &d, slot),
                   ZEFRA_Get_PalletPara(&i, &i, nullptr, &d, slot), ZEFRA_Get_PalletPara(&i, &i, &i, nullptr, slot)});
}

TEST_F(Pallet, PointsGoOutCornerByCornerAndComeBackWholeOrNotAtAll) {
    const auto rob3 = getter<RobP>(ZEFRA_Get_Pallet_RobP, &r1, &r2, &r3, 1, 2, -3);
    const auto rob4 = getter<RobP>(ZEFRA_Get_Pallet4_RobP, &r1, &r2, &r3, &r4, 1, 2, -3);
    const auto point3 = getter<PointRecord>(ZEFRA_Get_PalletPoint, &p1, &p2, &p3, 1, 2, -3);
    const auto point4 = getter<PointRecord>(ZEFRA_Get_Pallet4Point, &p1, &p2, &p3, &p4, 1, 2, -3);
    // Only the second corner of the three-corner RobP request has its first external axis with six decimals.
    const std::string rob3Text = "Get_PalletRobP " + robText(1) + robText(2, "0.123457") + robText(3) + "1,2,-3";
    const std::string rob4Text = "Get_Pallet4RobP " + robText(1) + robText(2) + robText(3) + robText(4) + "1,2,-3";
    const std::string point3Text = "Get_PalletPoint " + pointText(1) + pointText(2) + pointText(3) + "1,2,-3";
    const std::string point4Text = "Get_Pallet4Point " + pointText(1) + pointText(2) + pointText(3) + pointText(4) + "1,2,-3";
    const std::string robReply = "=1,2,3,4,5,6;0,1,0,1;7,8,9,10,11,12", pointReply = "=1,2,3,4,5,6;0,1,0,1;1,2,3";
    expectRead({
        {rob3Text, robReply, RC_OK, "1,2,3,4,5,6,0,1,0,1,7,8,9,10,11,12", rob3},
        {rob3Text, "=1,2,3,4,5,6;0,1,0,1", RC_FAIL, nines(16), rob3},
        {rob4Text, robReply, RC_OK, "1,2,3,4,5,6,0,1,0,1,7,8,9,10,11,12", rob4},
        {rob4Text, "=1,2,3,4,5,6;0,1,0,1;7,8,9,10,11", RC_FAIL, nines(16), rob4},
        {point3Text, pointReply, RC_OK, "1,2,3,4,5,6,0,1,0,1,1,2,3", point3},
        {point3Text, "=1,2,3,4,5,6;0,1,0,1;1,2", RC_FAIL, nines(13), point3},
        {point4Text, pointReply, RC_OK, "1,2,3,4,5,6,0,1,0,1,1,2,3", point4},
        {point4Text, "=1,2,3,4,5,6;0,1,0,1", RC_FAIL, nines(13), point4},
    });
    RobP r{};
    PointRecord p{};
    expectRefused({ZEFRA_Get_Pallet_RobP(nullptr, &r2, &r3, 1, 2, 3, &r, slot), ZEFRA_Get_Pallet4_RobP(&r1, &r2, &r3, nullptr, 1, 2, 3, &r, slot),
                   ZEFRA_Get_Pallet4_RobP(&r1, &r2, &r3, &r4, 1, 2, 3, nullptr, slot),
                   ZEFRA_Get_PalletPoint(&p1, nullptr, &p3, 1, 2, 3, &p, slot),
                   ZEFRA_Get_Pallet4Point(&p1, &p2, &p3, &p4, 1, 2, 3, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
