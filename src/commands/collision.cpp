// Collision detection: general settings, the teach-mode and play-back-mode sets, and the
// levels the controller recommends.
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

// ---- general settings ----------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Set_CollModeAndAction(int32_t mode, int32_t action, int32_t slot) {
    return sendCommand(slot, "Set_CollModeAndAction %d %d", mode, action);
}

int32_t ZEFRA_CALL ZEFRA_Get_CollModeAndAction(int32_t* mode, int32_t* action, int32_t slot) {
    if (mode == nullptr || action == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_CollModeAndAction"); rc != RC_OK) return rc;
    int32_t m = 0, a = 0;
    if (command.scan("=%d,%d", &m, &a) != 2) return RC_FAIL;
    *mode = m;
    *action = a;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_AxisCollMode(int32_t axis, int32_t mode, int32_t slot) {
    return sendCommand(slot, "Set_AxisCollMode %d %d", axis, mode);
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisCollMode(int32_t axis, int32_t* mode, int32_t slot) {
    return queryInto(mode, slot, readInteger, "Get_AxisCollMode %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_AxisCollLevel(int32_t axis, double level, int32_t slot) {
    return sendCommand(slot, "Set_AxisCollLevel %d %lf", axis, level);
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisCollLevel(int32_t axis, double* level, int32_t slot) {
    return queryInto(level, slot, readDouble, "Get_AxisCollLevel %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_CollDist(int32_t dist, int32_t slot) { return sendCommand(slot, "Set_CollDist %d", dist); }

int32_t ZEFRA_CALL ZEFRA_Get_CollDist(int32_t* dist, int32_t slot) { return integerQuery("Get_CollDist", dist, slot); }

// ---- teach mode ----------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Set_TeachModeAxisCollMode(int32_t axis, int32_t mode, int32_t slot) {
    return sendCommand(slot, "Set_TeachModeAxisCollMode %d %d", axis, mode);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachModeAxisCollMode(int32_t axis, int32_t* mode, int32_t slot) {
    return queryInto(mode, slot, readInteger, "Get_TeachModeAxisCollMode %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachModeCollAction(int32_t action, int32_t slot) {
    return sendCommand(slot, "Set_TeachModeCollAction %d", action);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachModeCollAction(int32_t* action, int32_t slot) {
    return integerQuery("Get_TeachModeCollAction", action, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachModeAxisCollLevel(int32_t axis, double level, int32_t slot) {
    return sendCommand(slot, "Set_TeachModeAxisCollLevel %d %lf", axis, level);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachModeAxisCollLevel(int32_t axis, double* level, int32_t slot) {
    return queryInto(level, slot, readDouble, "Get_TeachModeAxisCollLevel %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachModeCollDist(int32_t dist, int32_t slot) {
    return sendCommand(slot, "Set_TeachModeCollDist %d", dist);
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachModeCollDist(int32_t* dist, int32_t slot) {
    return integerQuery("Get_TeachModeCollDist", dist, slot);
}

// ---- play-back mode ------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeAxisCollMode(int32_t axis, int32_t mode, int32_t slot) {
    return sendCommand(slot, "Set_PlayBackModeAxisCollMode %d %d", axis, mode);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeAxisCollMode(int32_t axis, int32_t* mode, int32_t slot) {
    return queryInto(mode, slot, readInteger, "Get_PlayBackModeAxisCollMode %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeCollAction(int32_t action, int32_t slot) {
    return sendCommand(slot, "Set_PlayBackModeCollAction %d", action);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeCollAction(int32_t* action, int32_t slot) {
    return integerQuery("Get_PlayBackModeCollAction", action, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeAxisCollLevel(int32_t axis, double level, int32_t slot) {
    return sendCommand(slot, "Set_PlayBackModeAxisCollLevel %d %lf", axis, level);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeAxisCollLevel(int32_t axis, double* level, int32_t slot) {
    return queryInto(level, slot, readDouble, "Get_PlayBackModeAxisCollLevel %d", axis);
}

int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeCollDist(int32_t dist, int32_t slot) {
    return sendCommand(slot, "Set_PlayBackModeCollDist %d", dist);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeCollDist(int32_t* dist, int32_t slot) {
    return integerQuery("Get_PlayBackModeCollDist", dist, slot);
}

// ---- recommended levels --------------------------------------------------------------------

// The request goes out whatever the count; only 4 and 6 have a reply form. For any other
// count nothing is read, which matches a count of 0 and no other.
int32_t ZEFRA_CALL ZEF_GetRecommendCollisionLevel(int32_t selector, int32_t axisCount, double* levels, int32_t slot) {
    if ((axisCount == 4 || axisCount == 6) && levels == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "GetRecommendCollisionLevel %d %d", selector, axisCount); rc != RC_OK)
        return rc;
    double l[6] = {};
    int read = 0;
    if (axisCount == 4) read = command.scan("=%lf,%lf,%lf,%lf", &l[0], &l[1], &l[2], &l[3]);
    if (axisCount == 6) read = command.scan("=%lf,%lf,%lf,%lf,%lf,%lf", &l[0], &l[1], &l[2], &l[3], &l[4], &l[5]);
    if (read != axisCount) return RC_FAIL;
    for (int i = 0; i < read; ++i) levels[i] = l[i];
    return RC_OK;
}

int32_t ZEFRA_CALL ZEF_ResetRecommendCollisionLevel(int32_t selector, int32_t slot) {
    return sendCommand(slot, "ResetRecommendCollisionLevel %d", selector);
}
