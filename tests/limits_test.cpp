#include "support/family_test.h"

namespace zefra::test {
namespace {

class Limits : public FamilyTest {};

TEST_F(Limits, LimitSetsAndZoneParameters) {
    for (const FloatSet& row : {FloatSet{"TeachVelLimJ", ZEFRA_Get_TeachVelLimJ, ZEFRA_Set_TeachVelLimJ, 6, true},
                                FloatSet{"TeachVelLimL", ZEFRA_Get_TeachVelLimL, ZEFRA_Set_TeachVelLimL, 2, false},
                                FloatSet{"TeachAccLimJ", ZEFRA_Get_TeachAccLimJ, ZEFRA_Set_TeachAccLimJ, 6, true},
                                FloatSet{"TeachAccLimL", ZEFRA_Get_TeachAccLimL, ZEFRA_Set_TeachAccLimL, 2, false},
                                FloatSet{"RunVelLimJ", ZEFRA_Get_RunVelLimJ, ZEFRA_Set_RunVelLimJ, 6, true},
                                FloatSet{"RunVelLimL", ZEFRA_Get_RunVelLimL, ZEFRA_Set_RunVelLimL, 2, false},
                                FloatSet{"RunAccLimJ", ZEFRA_Get_RunAccLimJ, ZEFRA_Set_RunAccLimJ, 6, true},
                                FloatSet{"RunAccLimL", ZEFRA_Get_RunAccLimL, ZEFRA_Set_RunAccLimL, 2, false},
                                FloatSet{"StopDecLimJ", ZEFRA_Get_StopDecLimJ, ZEFRA_Set_StopDecLimJ, 6, true},
                                FloatSet{"StopDecLimL", ZEFRA_Get_StopDecLimL, ZEFRA_Set_StopDecLimL, 2, false},
                                FloatSet{"ZonePara", ZEFRA_Get_ZonePara, ZEFRA_Set_ZonePara, 2, false}})
        expectFloatSet(row);
}

// Any axis number goes out glued to the "J".
TEST_F(Limits, AxisTravelLimitsAndInterpolationMode) {
    expectSent({{"Set_AxisNLim J3 170.500000", [] { return ZEFRA_Set_AxisNLim(3, 170.5f, slot); }},
                {"Set_AxisPLim J-1 -0.500000", [] { return ZEFRA_Set_AxisPLim(-1, -0.5f, slot); }},
                {"Set_CInterpMode -2", [] { return ZEFRA_Set_CInterpMode(-2, slot); }}});
    expectRead({{"Get_AxisNLim J-1", "=-0.5", RC_OK, "-0.5", getter<float>(ZEFRA_Get_AxisNLim, -1)},
                {"Get_AxisPLim J0", "=", RC_FAIL, "9", getter<float>(ZEFRA_Get_AxisPLim, 0)},
                {"Get_CInterpMode", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_CInterpMode)}});
}

}  // namespace
}  // namespace zefra::test
