#include <string>
#include <tuple>

#include "support/parameter_sets.h"

namespace zefra::test {
namespace {

class Limits : public FloatSetTest {};

TEST_F(Limits, LimitSetsAndZoneParameters) {
    for (const auto& row : {FloatSetRow{"TeachVelLimJ", ZEFRA_Get_TeachVelLimJ, ZEFRA_Set_TeachVelLimJ, 6, true},
                            FloatSetRow{"TeachVelLimL", ZEFRA_Get_TeachVelLimL, ZEFRA_Set_TeachVelLimL, 2, false},
                            FloatSetRow{"TeachAccLimJ", ZEFRA_Get_TeachAccLimJ, ZEFRA_Set_TeachAccLimJ, 6, true},
                            FloatSetRow{"TeachAccLimL", ZEFRA_Get_TeachAccLimL, ZEFRA_Set_TeachAccLimL, 2, false},
                            FloatSetRow{"RunVelLimJ", ZEFRA_Get_RunVelLimJ, ZEFRA_Set_RunVelLimJ, 6, true},
                            FloatSetRow{"RunVelLimL", ZEFRA_Get_RunVelLimL, ZEFRA_Set_RunVelLimL, 2, false},
                            FloatSetRow{"RunAccLimJ", ZEFRA_Get_RunAccLimJ, ZEFRA_Set_RunAccLimJ, 6, true},
                            FloatSetRow{"RunAccLimL", ZEFRA_Get_RunAccLimL, ZEFRA_Set_RunAccLimL, 2, false},
                            FloatSetRow{"StopDecLimJ", ZEFRA_Get_StopDecLimJ, ZEFRA_Set_StopDecLimJ, 6, true},
                            FloatSetRow{"StopDecLimL", ZEFRA_Get_StopDecLimL, ZEFRA_Set_StopDecLimL, 2, false},
                            FloatSetRow{"ZonePara", ZEFRA_Get_ZonePara, ZEFRA_Set_ZonePara, 2, false}})
        expectFloatSet(row);
}

// Any axis number goes out glued to the "J"; the limit is written only after a complete reply.
TEST_F(Limits, AxisTravelLimits) {
    for (const auto& [word, get, set] : {std::tuple{"AxisNLim", &ZEFRA_Get_AxisNLim, &ZEFRA_Set_AxisNLim},
                                         std::tuple{"AxisPLim", &ZEFRA_Get_AxisPLim, &ZEFRA_Set_AxisPLim}}) {
        EXPECT_EQ(set(3, 170.5f, slot), RC_OK);
        EXPECT_EQ(sent(), std::string("Set_") + word + " J3 170.500000");
        float lim = 7;
        controller.replyPayload("=-0.1");
        EXPECT_EQ(get(-1, &lim, slot), RC_OK);
        EXPECT_EQ(sent(), std::string("Get_") + word + " J-1");
        EXPECT_EQ(lim, -0.1f);
        controller.replyPayload("=");
        EXPECT_EQ(get(0, &lim, slot), RC_FAIL);
        EXPECT_EQ(sent(), std::string("Get_") + word + " J0");
        EXPECT_EQ(lim, -0.1f);
        controller.clear();
        EXPECT_EQ(get(1, nullptr, slot), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
    EXPECT_EQ(ZEFRA_Set_CInterpMode(-2, slot), RC_OK);
    EXPECT_EQ(sent(), "Set_CInterpMode -2");
    int32_t mode = 7;
    controller.replyPayload("=1");
    EXPECT_EQ(ZEFRA_Get_CInterpMode(&mode, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_CInterpMode");
    EXPECT_EQ(mode, 1);
}

}  // namespace
}  // namespace zefra::test
