#include "support/family_test.h"

namespace zefra::test {
namespace {

class Latch : public FamilyTest {};

TEST_F(Latch, SwitchTakesOnlyOneOrZero) {
    expectSent({{"Latch ON", [] { return ZEFRA_LatchEnable(1, slot); }},
                            {"Latch OFF", [] { return ZEFRA_LatchEnable(0, slot); }},
                            {"Clr_LatchPos", [] { return ZEFRA_Clr_LatchPos(slot); }}});
    expectRefused({ZEFRA_LatchEnable(2, slot), ZEFRA_LatchEnable(-1, 5)});  // slot 5, not connected, is not looked at
}

TEST_F(Latch, QueriesWriteAsEachReadingSays) {
    const auto pos = with<int32_t, Six>([](auto& flag, auto& p) { return ZEFRA_Get_LatchPos(3, &flag, p.data(), slot); });
    const auto robP = with<int32_t, RobP>([](auto& flag, auto& p) { return ZEFRA_Get_LatchRobP(-2, &flag, &p, slot); });
    expectRead({
        {"Get_LatchSts", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_LatchSts)},
        {"Get_LatchSum", "=12", RC_OK, "12", getter<int32_t>(ZEFRA_Get_LatchSum)},
        {"Get_LatchPos 3", "=1;10,20,30,0,0,90", RC_OK, "1,10,20,30,0,0,90", pos},
        {"Get_LatchPos 3", "=1;10,20", RC_FAIL, "9,10,20,9,9,9,9", pos},  // pos in place, flag only at the end
        {"Get_LatchRobP -2", "=4;1,2,3,4,5,6;0,1,0,1;7,8,9,10,11,12", RC_OK, "4,1,2,3,4,5,6,0,1,0,1,7,8,9,10,11,12", robP},
        {"Get_LatchRobP -2", "=4;1,2,3,4,5,6;0,1,0,1;7,8,9,10,11", RC_FAIL, nines(17), robP},
    });
    int32_t flag = 0;
    double six[6] = {};
    RobP target{};
    expectRefused({ZEFRA_Get_LatchPos(1, nullptr, six, slot), ZEFRA_Get_LatchPos(1, &flag, nullptr, slot),
                   ZEFRA_Get_LatchRobP(1, nullptr, &target, slot), ZEFRA_Get_LatchRobP(1, &flag, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
