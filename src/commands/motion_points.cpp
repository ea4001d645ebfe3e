// Motions to points stored on the controller, named by number: P%d for the P table, GP%d for
// the global point table. The _P export names are twins of the _GP ones.
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_MovJ(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "MovJ P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_MovL(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "MovL P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_Jump(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "Jump P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_JumpL(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "JumpL P%d %d %d", point, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_MovC(int32_t point1, int32_t point2, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "MovC P%d P%d %d %d", point1, point2, motionArg1, motionArg2);
}

int32_t ZEFRA_CALL ZEFRA_MovJ_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "MovJGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovJ_P, ZEFRA_MovJ_GP);

int32_t ZEFRA_CALL ZEFRA_MovL_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "MovLGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovL_P, ZEFRA_MovL_GP);

int32_t ZEFRA_CALL ZEFRA_Jump_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "JumpGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_Jump_P, ZEFRA_Jump_GP);

int32_t ZEFRA_CALL ZEFRA_JumpL_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot) {
    return sendCommand(slot, "JumpLGP GP%d %d %d", globalPoint, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_JumpL_P, ZEFRA_JumpL_GP);

int32_t ZEFRA_CALL ZEFRA_MovC_GP(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1, int32_t motionArg2,
                                 int32_t slot) {
    return sendCommand(slot, "MovCGP GP%d GP%d %d %d", globalPoint1, globalPoint2, motionArg1, motionArg2);
}
ZEFRA_TWIN(ZEFRA_MovC_P, ZEFRA_MovC_GP);
