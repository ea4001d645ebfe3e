// Axes that move independently of the robot's coordinated motion. The axis owner's name is
// the last word of every request.
#include <cstdint>

#include "transport/command.h"
#include "transport/exchange.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// "<word> <axis> <name>", answered by "=%d"; `state` is written only after a full scan.
std::int32_t axisState(const char* word, const char* name, std::int32_t axis, std::int32_t* state,
                       std::int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return queryInto(state, slot, readInteger, "%s %d %s", word, axis, name);
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_IndAMove(const char* name, int32_t axis, double value1, double value2, double value3,
                                  double value4, int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "IndAMove %d %.3f %.3f %.3f %.3f %s", axis, value1, value2, value3, value4, name);
}

int32_t ZEFRA_CALL ZEFRA_IndCMove(const char* name, int32_t axis, double value1, double value2, double value3,
                                  int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "IndCMove %d %.3f %.3f %.3f %s", axis, value1, value2, value3, name);
}

int32_t ZEFRA_CALL ZEFRA_IndReset(const char* name, int32_t axis, double value1, int32_t arg, int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "IndReset %d %.3f %d %s", axis, value1, arg, name);
}

int32_t ZEFRA_CALL ZEFRA_IndResetOld(const char* name, int32_t axis, int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "IndResetOld %d %s", axis, name);
}

int32_t ZEFRA_CALL ZEFRA_IndSpeed(const char* name, int32_t axis, int32_t* state, int32_t slot) {
    return axisState("IndSpeed", name, axis, state, slot);
}

int32_t ZEFRA_CALL ZEFRA_IndInPos(const char* name, int32_t axis, int32_t* state, int32_t slot) {
    return axisState("IndInPos", name, axis, state, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_IndAMoveSts(const char* name, int32_t axis, int32_t* state, int32_t slot) {
    return axisState("Get_IndAMoveSts", name, axis, state, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_IndCMoveSts(const char* name, int32_t axis, int32_t* state, int32_t slot) {
    return axisState("Get_IndCMoveSts", name, axis, state, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_IndResetSts(const char* name, int32_t axis, int32_t* state, int32_t slot) {
    return axisState("Get_IndResetSts", name, axis, state, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_MotionStsExceptIndAxis(int32_t* state, int32_t slot) {
    if (state == nullptr) return RC_BAD_PARAM;
    return integerQuery("Get_MotionStsExceptIndAxis", state, slot);
}
