#include "support/family_test.h"

namespace zefra::test {
namespace {

class Kinematics : public FamilyTest {};

TEST_F(Kinematics, ParameterSets) {
    for (const FloatSet& row : {FloatSet{"StrPara", ZEFRA_Get_StrPara, ZEFRA_Set_StrPara, 6, false},
                                FloatSet{"StrParaComp", ZEFRA_Get_StrParaComp, ZEFRA_Set_StrParaComp, 6, false},
                                FloatSet{"RdctRatio", ZEFRA_Get_RdctRatio, ZEFRA_Set_RdctRatio, 6, true},
                                FloatSet{"CpParaM", ZEFRA_Get_CpParaM, ZEFRA_Set_CpParaM, 6, true},
                                FloatSet{"CpParaS", ZEFRA_Get_CpParaS, ZEFRA_Set_CpParaS, 6, true}})
        expectFloatSet(row);
}

// Cartesian homes carry six decimals, joints three; both read straight in from the first value on.
TEST_F(Kinematics, HomesZerosAndSteps) {
    static const double pos[6] = {1.5, -2, 0.1234567, 0, 0, 90};
    static const RobJP joints{{12.3456, 0, 0, 0, 0, 0, 0, -1}, {0.0004, 0, 0, 0, 0, 5}};
    static const int32_t zero[6] = {1, -2, 3, 0, 2147483647, -2147483647 - 1};
    expectSent({
        {"Set_HomePos 3 1.500000,-2.000000,0.123457,0.000000,0.000000,90.000000", [] { return ZEFRA_Set_HomePos(3, pos, slot); }},
        {"Set_HomeJPos 2 12.346,0.000,0.000,0.000,0.000,0.000,0.000,-1.000;0.000,0.000,0.000,0.000,0.000,5.000",
         [] { return ZEFRA_Set_HomeJPos(2, &joints, slot); }},
        {"Set_ZeroPos 1,-2,3,0,2147483647,-2147483648", [] { return ZEFRA_Set_ZeroPos(zero, slot); }},
        {"Set_StepMotionJ 2.500000", [] { return ZEFRA_Set_StepMotionJ(2.5f, slot); }},
        {"Set_StepMotionL -0.500000", [] { return ZEFRA_Set_StepMotionL(-0.5f, slot); }},
        {"Set_StepMotionR 1.000000", [] { return ZEFRA_Set_StepMotionR(1, slot); }},
    });
    const auto home = getter<Six>(ZEFRA_Get_HomePos, -1);
    const auto homeJ = getter<RobJP>(ZEFRA_Get_HomeJPos, 4);
    const auto zeros = getter<std::array<int32_t, 6>>(ZEFRA_Get_ZeroPos);
    expectRead({
        {"Get_HomePos -1", "=1.5,2.5;3", RC_OK, "1.5,2.5,9,9,9,9", home},
        {"Get_HomePos -1", "=;1", RC_FAIL, nines(6), home},
        {"Get_HomeJPos 4", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14", RC_OK, "1,2,3,4,5,6,7,8,9,10,11,12,13,14", homeJ},
        {"Get_HomeJPos 4", "=-1,-2;x", RC_OK, "-1,-2," + nines(12), homeJ},
        {"Get_HomeJPos 4", "=", RC_FAIL, nines(14), homeJ},
        // Each value is cut toward zero; one without an int32 to cut to spoils the whole reply.
        {"Get_ZeroPos", "=1024.9,-1024.9,0,0,0,0", RC_OK, "1024,-1024,0,0,0,0", zeros},
        {"Get_ZeroPos", "=5", RC_OK, "5,0,0,0,0,0", zeros},
        {"Get_ZeroPos", "=2147483647.9,-2147483648.9,1e3", RC_OK, "2147483647,-2147483648,1000,0,0,0", zeros},
        {"Get_ZeroPos", "=2147483648", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=1,-2147483649", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=1,2,3,4,5,inf", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=nan", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=x", RC_FAIL, nines(6), zeros},
        {"Get_StepMotionJ", "=0.5", RC_OK, "0.5", getter<float>(ZEFRA_Get_StepMotionJ)},
        {"Get_StepMotionL", "=x", RC_FAIL, "9", getter<float>(ZEFRA_Get_StepMotionL)},
        {"Get_StepMotionR", "=-2", RC_OK, "-2", getter<float>(ZEFRA_Get_StepMotionR)},
        {"Get_InchStep", "=5", RC_OK, "5", getter<int32_t>(ZEFRA_Get_InchStep)},
    });
    expectRefused({ZEFRA_Get_HomePos(1, nullptr, slot), ZEFRA_Set_HomePos(1, nullptr, slot), ZEFRA_Get_ZeroPos(nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
