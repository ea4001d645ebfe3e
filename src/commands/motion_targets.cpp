// Motions to full robot targets (Cartesian, joint or a stored joint point) with motion data
// and up to three IO trigger entries.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "records/records.h"
#include "records/text.h"
#include "records/triggers.h"
#include "transport/command.h"
#include "zefraapi.h"

// The motion-data layout is part of the exported interface: a host passes its own record.
static_assert(sizeof(MoveData) == 48, "MoveData layout");
static_assert(offsetof(MoveData, field1) == 0 && offsetof(MoveData, field2) == 4 && offsetof(MoveData, real1) == 8 &&
                  offsetof(MoveData, real2) == 16 && offsetof(MoveData, real3) == 24 &&
                  offsetof(MoveData, real4) == 32 && offsetof(MoveData, field3) == 40,
              "MoveData field offsets");

using namespace zefra;

namespace {

// Wire order differs from memory order: the three integers first, field3 (stored last) third.
// Out of line: its compiled format would otherwise sit in the frame that holds the command.
[[gnu::noinline]] int printMoveData(char* out, std::size_t capacity, const MoveData& d) {
    return formatFields(out, capacity, "%d,%d,%d,%.3lf,%.3lf,%.3lf,%.3lf", d.field1, d.field2, d.field3, d.real1,
                      d.real2, d.real3, d.real4);
}

// What follows the target in every request of this family.
struct Tail {
    const MoveData* moveData;
    std::int32_t motionArg;
    std::int32_t triggerCount;
    const IoTrigger* triggers;
};

// Formats "<targets> <motion data> <motionArg> <count> <list>" and sends it. The count is
// tested before any caller record is read; with a count of 0 the array is not read at all,
// and the request ends in the blank that precedes the (empty) list.
template <typename AppendTargets>
std::int32_t sendFullTarget(std::int32_t slot, const Tail& tail, bool targetsGiven, AppendTargets appendTargets) {
    if (static_cast<std::uint32_t>(tail.triggerCount) > static_cast<std::uint32_t>(maxTriggers)) return RC_BAD_PARAM;
    if (!targetsGiven || tail.moveData == nullptr || (tail.triggerCount > 0 && tail.triggers == nullptr))
        return RC_BAD_PARAM;
    Command command;
    appendTargets(command);
    command.append(" ");
    command.appendRecord(printMoveData, *tail.moveData);
    command.append(" %d %d ", tail.motionArg, tail.triggerCount);
    command.appendRecord(printTriggersTerminated, tail.triggers, tail.triggerCount);
    return command.send(slot);
}

template <typename Record>
void appendBracketed(Command& command, int (*print)(char*, std::size_t, const Record&), const Record& record) {
    command.append("[");
    command.appendRecord(print, record);
    command.append("]");
}

std::int32_t sendRobP(std::int32_t slot, const char* word, const RobP* target, const Tail& tail) {
    return sendFullTarget(slot, tail, target != nullptr, [&](Command& command) {
        command.format("%s ", word);
        appendBracketed(command, printRobP, *target);
    });
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_MovJ_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg,
                                     int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    return sendRobP(slot, "MovJRobP", target, {moveData, motionArg, triggerCount, triggers});
}

int32_t ZEFRA_CALL ZEFRA_MovL_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg,
                                     int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    return sendRobP(slot, "MovLRobP", target, {moveData, motionArg, triggerCount, triggers});
}

int32_t ZEFRA_CALL ZEFRA_Jump_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg,
                                     int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    return sendRobP(slot, "JumpRobP", target, {moveData, motionArg, triggerCount, triggers});
}

int32_t ZEFRA_CALL ZEFRA_JumpL_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg,
                                      int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    return sendRobP(slot, "JumpLRobP", target, {moveData, motionArg, triggerCount, triggers});
}

int32_t ZEFRA_CALL ZEFRA_MovC_RobPos(const RobP* target1, const RobP* target2, const MoveData* moveData,
                                     int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers,
                                     int32_t slot) {
    const Tail tail{moveData, motionArg, triggerCount, triggers};
    return sendFullTarget(slot, tail, target1 != nullptr && target2 != nullptr, [&](Command& command) {
        command.format("MovCRobP ");
        appendBracketed(command, printRobP, *target1);
        command.append(" ");
        appendBracketed(command, printRobP, *target2);
    });
}

int32_t ZEFRA_CALL ZEFRA_MovJAbs_RobJPos(const RobJP* target, const MoveData* moveData, int32_t motionArg,
                                         int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    const Tail tail{moveData, motionArg, triggerCount, triggers};
    return sendFullTarget(slot, tail, target != nullptr, [&](Command& command) {
        command.format("MovJAbsRobJP ");
        appendBracketed(command, printRobJP, *target);
    });
}

int32_t ZEFRA_CALL ZEFRA_MovJAbs_JP(int32_t jointPoint, const MoveData* moveData, int32_t motionArg,
                                    int32_t triggerCount, const IoTrigger* triggers, int32_t slot) {
    const Tail tail{moveData, motionArg, triggerCount, triggers};
    return sendFullTarget(slot, tail, true,
                          [&](Command& command) { command.format("MovJAbsRobIndexJP gjp%d", jointPoint); });
}
