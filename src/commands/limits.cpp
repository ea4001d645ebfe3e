// Speed, acceleration and travel limits: teach, run and stop limits in their J (six values)
// and L (two values) forms, the two zone parameters, the circular-interpolation mode and the
// travel limits of each axis. Every limit is a single-precision float on both sides of the
// wire; axis numbers go out glued to a "J" and without a range test.
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

// ---- teach limits --------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_TeachVelLimJ(float lim[6], int32_t slot) {
    return queryInto(lim, slot, readUpToSixFloats, "Get_TeachVelLimJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachVelLimJ(const float lim[6], int32_t slot) {
    return sendFloats(slot, "Set_TeachVelLimJ", lim, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachVelLimL(float lim[2], int32_t slot) {
    return queryInto(lim, slot, readTwoFloats, "Get_TeachVelLimL");
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachVelLimL(const float lim[2], int32_t slot) {
    return sendFloats(slot, "Set_TeachVelLimL", lim, 2);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachAccLimJ(float lim[6], int32_t slot) {
    return queryInto(lim, slot, readUpToSixFloats, "Get_TeachAccLimJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachAccLimJ(const float lim[6], int32_t slot) {
    return sendFloats(slot, "Set_TeachAccLimJ", lim, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachAccLimL(float lim[2], int32_t slot) {
    return queryInto(lim, slot, readTwoFloats, "Get_TeachAccLimL");
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachAccLimL(const float lim[2], int32_t slot) {
    return sendFloats(slot, "Set_TeachAccLimL", lim, 2);
}

// ---- run limits ----------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_RunVelLimJ(float lim[6], int32_t slot) {
    return queryInto(lim, slot, readUpToSixFloats, "Get_RunVelLimJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_RunVelLimJ(const float lim[6], int32_t slot) {
    return sendFloats(slot, "Set_RunVelLimJ", lim, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_RunVelLimL(float lim[2], int32_t slot) {
    return queryInto(lim, slot, readTwoFloats, "Get_RunVelLimL");
}

int32_t ZEFRA_CALL ZEFRA_Set_RunVelLimL(const float lim[2], int32_t slot) {
    return sendFloats(slot, "Set_RunVelLimL", lim, 2);
}

int32_t ZEFRA_CALL ZEFRA_Get_RunAccLimJ(float lim[6], int32_t slot) {
    return queryInto(lim, slot, readUpToSixFloats, "Get_RunAccLimJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_RunAccLimJ(const float lim[6], int32_t slot) {
    return sendFloats(slot, "Set_RunAccLimJ", lim, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_RunAccLimL(float lim[2], int32_t slot) {
    return queryInto(lim, slot, readTwoFloats, "Get_RunAccLimL");
}

int32_t ZEFRA_CALL ZEFRA_Set_RunAccLimL(const float lim[2], int32_t slot) {
    return sendFloats(slot, "Set_RunAccLimL", lim, 2);
}

// ---- stop limits and zone parameters ---------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_StopDecLimJ(float lim[6], int32_t slot) {
    return queryInto(lim, slot, readUpToSixFloats, "Get_StopDecLimJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_StopDecLimJ(const float lim[6], int32_t slot) {
    return sendFloats(slot, "Set_StopDecLimJ", lim, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_StopDecLimL(float lim[2], int32_t slot) {
    return queryInto(lim, slot, readTwoFloats, "Get_StopDecLimL");
}

int32_t ZEFRA_CALL ZEFRA_Set_StopDecLimL(const float lim[2], int32_t slot) {
    return sendFloats(slot, "Set_StopDecLimL", lim, 2);
}

int32_t ZEFRA_CALL ZEFRA_Get_ZonePara(float para[2], int32_t slot) {
    return queryInto(para, slot, readTwoFloats, "Get_ZonePara");
}

int32_t ZEFRA_CALL ZEFRA_Set_ZonePara(const float para[2], int32_t slot) {
    return sendFloats(slot, "Set_ZonePara", para, 2);
}

// ---- circular interpolation and axis travel limits -------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_CInterpMode(int32_t* mode, int32_t slot) {
    return integerQuery("Get_CInterpMode", mode, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_CInterpMode(int32_t mode, int32_t slot) {
    return sendCommand(slot, "Set_CInterpMode %d", mode);
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisNLim(int32_t axis, float* lim, int32_t slot) {
    return queryInto(lim, slot, readFloat, "Get_AxisNLim J%d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_AxisNLim(int32_t axis, float lim, int32_t slot) {
    return sendCommand(slot, "Set_AxisNLim J%d %.6f", axis, static_cast<double>(lim));
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisPLim(int32_t axis, float* lim, int32_t slot) {
    return queryInto(lim, slot, readFloat, "Get_AxisPLim J%d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_AxisPLim(int32_t axis, float lim, int32_t slot) {
    return sendCommand(slot, "Set_AxisPLim J%d %.6f", axis, static_cast<double>(lim));
}
