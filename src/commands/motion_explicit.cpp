// Motions to a point passed in the call: the PointRecord travels in the six-decimal point
// form, bare for the single-target motions and bracketed for the two points of the circle.
#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// "<word> <point> <arg1> <arg2>"; a point that cannot be printed (not finite, or too long for
// the command) makes send() refuse it with nothing on the wire.
std::int32_t sendToPoint(const char* word, const PointRecord* target, std::int32_t motionArg1,
                         std::int32_t motionArg2, std::int32_t slot) {
    if (target == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("%s ", word);
    command.appendRecord(printPointRecord, *target);
    command.append(" %d %d", motionArg1, motionArg2);
    return command.send(slot);
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_MovJ2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendToPoint("MovJ2", target, motionArg1, motionArg2, slot);
}

int32_t ZEFRA_CALL ZEFRA_MovL2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendToPoint("MovL2", target, motionArg1, motionArg2, slot);
}

int32_t ZEFRA_CALL ZEFRA_Jump2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendToPoint("Jump2", target, motionArg1, motionArg2, slot);
}

int32_t ZEFRA_CALL ZEFRA_JumpL2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendToPoint("JumpL2", target, motionArg1, motionArg2, slot);
}

int32_t ZEFRA_CALL ZEFRA_MovC2(const PointRecord* target1, const PointRecord* target2, int32_t motionArg1,
                               int32_t motionArg2, int32_t slot) {
    if (target1 == nullptr || target2 == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("MovC2 [");
    command.appendRecord(printPointRecord, *target1);
    command.append("] [");
    command.appendRecord(printPointRecord, *target2);
    command.append("] %d %d", motionArg1, motionArg2);
    return command.send(slot);
}
