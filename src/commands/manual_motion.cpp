// Manual motion: inch mode and step, jog and inch of one joint or Cartesian direction, axis
// jog and inch, pose alignment, active mechanical unit, teach coordinate, homing, dynamic brake.
#include <cstring>

#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t mechUnitNameSize = 128;

// Cartesian direction names by axis 1..6; the rotations follow Z, Y, X.
constexpr const char* cartesianNames[] = {"X", "Y", "Z", "RZ", "RY", "RX"};

// Direction characters by dir -1..1; 0 ("/") is a jog-only value.
char directionChar(std::int32_t dir) { return dir < 0 ? '-' : dir == 0 ? '/' : '+'; }

// Jog and inch share the axis and direction translation; they differ in the command word and
// in whether the direction 0 is allowed. The checks always run in the same order:
// direction, then axis, then kind.
std::int32_t sendStep(const char* word, bool allowStill, std::int32_t kind, std::int32_t axis, std::int32_t dir,
                      std::int32_t slot) {
    if (dir < -1 || dir > 1 || (dir == 0 && !allowStill)) return RC_BAD_PARAM;
    if (axis < 1 || axis > 6) return RC_BAD_PARAM;
    if (kind == 0) return sendCommand(slot, "%s J%d %c", word, axis, directionChar(dir));
    if (kind == 1) return sendCommand(slot, "%s %s %c", word, cartesianNames[axis - 1], directionChar(dir));
    return RC_BAD_PARAM;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_InchMode(int32_t state, int32_t slot) {
    return sendSwitch(slot, state, "InchMode OFF", "InchMode ON");
}

int32_t ZEFRA_CALL ZEFRA_Set_InchStep(int32_t value, int32_t slot) { return sendCommand(slot, "Set_InchStep %d", value); }

int32_t ZEFRA_CALL ZEFRA_Jog(int32_t kind, int32_t axis, int32_t dir, int32_t slot) {
    return sendStep("Jog", true, kind, axis, dir, slot);
}

int32_t ZEFRA_CALL ZEFRA_Inch(int32_t kind, int32_t axis, int32_t dir, int32_t slot) {
    return sendStep("Inch", false, kind, axis, dir, slot);
}

int32_t ZEFRA_CALL ZEFRA_AxisJog(int32_t value1, int32_t value2, int32_t slot) {
    return sendCommand(slot, "AxisJog %d %d", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_AxisInch(int32_t value1, int32_t value2, int32_t slot) {
    return sendCommand(slot, "AxisInch %d %d", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_PoseAlign(int32_t value1, int32_t value2, int32_t slot) {
    return sendCommand(slot, "PoseAlign %d %d", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_Set_ActiveMechUnit(const char* name, int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_ActiveMechUnit %s", name);
}

int32_t ZEFRA_CALL ZEFRA_Get_ActiveMechUnit(char* name, int32_t slot) {
    if (name == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ActiveMechUnit"); rc != RC_OK) return rc;
    return scanWord(command.payload(), name, mechUnitNameSize) ? RC_OK : RC_FAIL;
}

int32_t ZEFRA_CALL ZEFRA_Set_TeachCoordinate(int32_t state, int32_t slot) {
    return sendSwitch(slot, state, "Set_TeachCoordinate OFF", "Set_TeachCoordinate ON");
}

int32_t ZEFRA_CALL ZEFRA_Get_TeachCoordinate(int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    return integerQuery("Get_TeachCoordinate", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Home(int32_t value, int32_t slot) { return sendCommand(slot, "Home %d", value); }

int32_t ZEFRA_CALL ZEFRA_Set_DynamicBrake(int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_DynamicBrake %d", value);
}

int32_t ZEFRA_CALL ZEFRA_Get_DynamicBrake(int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_DynamicBrake"); rc != RC_OK) return rc;
    int32_t brake = 0;
    if (command.scan("=%d", &brake) != 1) return RC_FAIL;
    *value = brake;
    return RC_OK;
}
