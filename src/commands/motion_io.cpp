// Motions with IO trigger entries attached: stored P and GP points and explicit points.
#include <cstdint>
#include <type_traits>

#include "records/records.h"
#include "records/triggers.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// The "[...]" list of one to three entries, ";" between them. The count is tested before
// the array is touched, so a bad count is refused whatever `triggers` points at.
bool triggersGiven(const IoTrigger* triggers, std::int32_t count) {
    const bool countOk = static_cast<std::uint32_t>(count) - 1u <= static_cast<std::uint32_t>(maxTriggers - 1);
    return countOk && triggers != nullptr;
}

void appendTriggerList(Command& command, const IoTrigger* triggers, std::int32_t count) {
    command.append("[");
    command.appendRecord(printTriggersSeparated, triggers, count);
    command.append("]");
}

// A stored-point motion, formatted up to its motion arguments, then " [list]".
template <typename... Args>
std::int32_t sendWithTriggers(std::int32_t slot, const IoTrigger* triggers, std::int32_t triggerCount,
                              WireFormat<std::type_identity_t<Args>...> format, Args... args) {
    if (!triggersGiven(triggers, triggerCount)) return RC_BAD_PARAM;
    Command command;
    command.format(format, args...);
    command.append(" ");
    appendTriggerList(command, triggers, triggerCount);
    return command.send(slot);
}

// "<word> [point] [point] arg1 arg2 [list]"; every point travels in brackets here.
std::int32_t sendExplicit(std::int32_t slot, const char* word, const PointRecord* target1,
                          const PointRecord* target2, bool circular, std::int32_t motionArg1,
                          std::int32_t motionArg2, const IoTrigger* triggers, std::int32_t triggerCount) {
    if (target1 == nullptr || (circular && target2 == nullptr)) return RC_BAD_PARAM;
    if (!triggersGiven(triggers, triggerCount)) return RC_BAD_PARAM;
    Command command;
    command.format("%s [", word);
    command.appendRecord(printPointRecord, *target1);
    if (circular) {
        command.append("] [");
        command.appendRecord(printPointRecord, *target2);
    }
    command.append("] %d %d ", motionArg1, motionArg2);
    appendTriggerList(command, triggers, triggerCount);
    return command.send(slot);
}

std::int32_t sendExplicit(std::int32_t slot, const char* word, const PointRecord* target, std::int32_t motionArg1,
                          std::int32_t motionArg2, const IoTrigger* triggers, std::int32_t triggerCount) {
    return sendExplicit(slot, word, target, nullptr, false, motionArg1, motionArg2, triggers, triggerCount);
}

}  // namespace

// ---- stored P points ---------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_MovJ_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers,
                                 int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovJ P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_MovL_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers,
                                 int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovL P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_Jump_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers,
                                 int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "Jump P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_JumpL_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers,
                                  int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "JumpL P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_MovC_IO(int32_t point1, int32_t point2, int32_t motionArg1, int32_t motionArg2,
                                 const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovC P%d P%d %d %d", point1, point2, motionArg1, motionArg2);
}

// ---- global points -----------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_MovJ_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2,
                                    const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovJGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovJ_P_IO, ZEFRA_MovJ_GP_IO);

int32_t ZEFRA_CALL ZEFRA_MovL_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2,
                                    const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovLGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovL_P_IO, ZEFRA_MovL_GP_IO);

int32_t ZEFRA_CALL ZEFRA_Jump_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2,
                                    const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "JumpGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_Jump_P_IO, ZEFRA_Jump_GP_IO);

int32_t ZEFRA_CALL ZEFRA_JumpL_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2,
                                     const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "JumpLGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_JumpL_P_IO, ZEFRA_JumpL_GP_IO);

int32_t ZEFRA_CALL ZEFRA_MovC_GP_IO(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1,
                                    int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount,
                                    int32_t slot) {
    return sendWithTriggers(slot, triggers, triggerCount, "MovCGP GP%d GP%d %d %d", globalPoint1, globalPoint2, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovC_P_IO, ZEFRA_MovC_GP_IO);

// ---- explicit points ---------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_MovJ2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2,
                                  const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendExplicit(slot, "MovJ2", target, motionArg1, motionArg2, triggers, triggerCount);
}

int32_t ZEFRA_CALL ZEFRA_MovL2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2,
                                  const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendExplicit(slot, "MovL2", target, motionArg1, motionArg2, triggers, triggerCount);
}

int32_t ZEFRA_CALL ZEFRA_Jump2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2,
                                  const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendExplicit(slot, "Jump2", target, motionArg1, motionArg2, triggers, triggerCount);
}

int32_t ZEFRA_CALL ZEFRA_JumpL2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2,
                                   const IoTrigger* triggers, int32_t triggerCount, int32_t slot) {
    return sendExplicit(slot, "JumpL2", target, motionArg1, motionArg2, triggers, triggerCount);
}

int32_t ZEFRA_CALL ZEFRA_MovC2_IO(const PointRecord* target1, const PointRecord* target2, int32_t motionArg1,
                                  int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount,
                                  int32_t slot) {
    return sendExplicit(slot, "MovC2", target1, target2, true, motionArg1, motionArg2, triggers, triggerCount);
}
