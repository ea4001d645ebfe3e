// Conversions the controller computes for us: a point into another frame context, joint and
// Cartesian targets into each other, and Cartesian targets relative to a work object. The
// whole request is formatted before the exchange and the result written only after a complete
// scan, so a caller may pass the same record as input and output.
#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Get_PosCnvt(const PointRecord* source, PointRecord* result, int32_t slot) {
    if (source == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_PosCnvt [");
    command.appendRecord(printPointRecord, *source);
    // The wanted reference triple is the result's, not the source's; the request ends in a blank.
    command.append("] [%d,%d,%d] ", result->frameRef[0], result->frameRef[1], result->frameRef[2]);
    return readWhole<readPointRecord>(command.query(slot), command, result);
}

int32_t ZEFRA_CALL ZEFRA_Get_VisionPosCnvt(const PointRecord* source, const PointRecord* secondPoint,
                                          PointRecord* result, int32_t slot) {
    if (source == nullptr || secondPoint == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_VisionPosCnvt [");
    command.appendRecord(printPointRecord, *source);
    // Wire order: the source, the result's reference triple, then the second point.
    command.append("] [%d,%d,%d] [", result->frameRef[0], result->frameRef[1], result->frameRef[2]);
    command.appendRecord(printPointRecord, *secondPoint);
    command.append("]");
    return readWhole<readPointRecord>(command.query(slot), command, result);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobJToRobP(const RobJP* joints, int32_t arg1, int32_t arg2, int32_t arg3, RobP* result,
                                       int32_t slot) {
    if (joints == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_RobJToRobP ");
    command.appendRecord(printRobJP, *joints);
    command.append(" %d,%d,%d", arg1, arg2, arg3);
    return readWhole<readRobP>(command.query(slot), command, result);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobPToRobJ(const RobP* pose, int32_t arg1, int32_t arg2, int32_t arg3, RobJP* result,
                                       int32_t slot) {
    if (pose == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_RobPToRobJ ");
    command.appendRecord(printRobP, *pose);
    command.append(" %d,%d,%d", arg1, arg2, arg3);
    return readWhole<readRobJP>(command.query(slot), command, result);
}

int32_t ZEFRA_CALL ZEFRA_Get_FixWobjRobP(const RobP* pose, int32_t arg, RobP* result, int32_t slot) {
    if (pose == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_FixWobjRobP ");
    command.appendRecord(printRobP, *pose);
    command.append(" %d", arg);
    return readWhole<readRobP>(command.query(slot), command, result);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobHoldWobjRobP(const RobP* pose, int32_t arg, const RobP* secondPose, RobP* result,
                                            int32_t slot) {
    if (pose == nullptr || secondPose == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Get_RobHoldWobjRobP ");
    command.appendRecord(printRobP, *pose);
    command.append(" %d ", arg);
    command.appendRecord(printRobP, *secondPose);
    return readWhole<readRobP>(command.query(slot), command, result);
}
