// Controller state and program control: each call is one plain command.
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// The host's path goes between the brackets as it stands.
std::int32_t sendPath(std::int32_t slot, const char* word, const char* path) {
    if (path == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "%s [%s]", word, path);
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_EmergStop(int32_t state, int32_t slot) { return sendSwitch(slot, state, "EStop OFF", "EStop ON"); }

int32_t ZEFRA_CALL ZEFRA_MotorEnable(int32_t state, int32_t slot) { return sendSwitch(slot, state, "Motor OFF", "Motor ON"); }

int32_t ZEFRA_CALL ZEFRA_ResetErr(int32_t slot) { return sendCommand(slot, "ResetErr"); }

int32_t ZEFRA_CALL ZEFRA_Set_Mode(int32_t mode, int32_t slot) {
    if (mode != 1 && mode != 2) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_Mode %d", mode);
}

int32_t ZEFRA_CALL ZEFRA_Set_CurPrgPath(const char* path, int32_t slot) { return sendPath(slot, "Set_CurPrgPath", path); }

int32_t ZEFRA_CALL ZEFRA_Set_CurProjPath(const char* path, int32_t slot) { return sendPath(slot, "Set_CurProjPath", path); }

int32_t ZEFRA_CALL ZEFRA_PrgCtrl(int32_t state, int32_t slot) { return sendSwitch(slot, state, "Prg Stop", "Prg Start"); }

int32_t ZEFRA_CALL ZEFRA_BackStartLine(int32_t slot) { return sendCommand(slot, "BackStartLine"); }

int32_t ZEFRA_CALL ZEFRA_Set_Vel(int32_t value, int32_t slot) { return sendCommand(slot, "Set_Vel %d", value); }

int32_t ZEFRA_CALL ZEFRA_Set_AccRamp(double value1, double value2, int32_t slot) {
    return sendCommand(slot, "set_accramp %.6lf %.6lf", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_Set_FlyMode(int32_t selector, int32_t value, int32_t slot) {
    return sendCommand(slot, "set_flymode %d %d", selector, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_RapidMove(int32_t selector, int32_t value, int32_t slot) {
    return sendCommand(slot, "set_rapidmove %d %d", selector, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_SLVSMode(int32_t value, int32_t slot) { return sendCommand(slot, "set_slvsmode %d", value); }

int32_t ZEFRA_CALL ZEFRA_Set_FlyPress(int32_t value1, int32_t value2, int32_t slot) {
    return sendCommand(slot, "set_flypress %d %d", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_DsMode(int32_t mode, int32_t slot) {
    static constexpr const char* texts[] = {"DsMode OFF", "DsMode ON", "DsMode Pause", "DsMode Continue"};
    if (mode < 0 || mode > 3) return RC_BAD_PARAM;
    return sendCommand(slot, "%s", texts[mode]);
}

int32_t ZEFRA_CALL ZEFRA_Set_SlewMode(int32_t value, int32_t slot) { return sendCommand(slot, "Set_SlewMode %d", value); }
