// Position latch: switch it, read its state and count, read captured positions, clear them.
#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_LatchEnable(int32_t on, int32_t slot) { return sendSwitch(slot, on, "Latch OFF", "Latch ON"); }

int32_t ZEFRA_CALL ZEFRA_Get_LatchSts(int32_t* status, int32_t slot) { return integerQuery("Get_LatchSts", status, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_LatchSum(int32_t* count, int32_t slot) { return integerQuery("Get_LatchSum", count, slot); }

// The six values are scanned straight into pos; flag is written only when all seven were read.
int32_t ZEFRA_CALL ZEFRA_Get_LatchPos(int32_t entryNo, int32_t* flag, double pos[6], int32_t slot) {
    if (flag == nullptr || pos == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_LatchPos %d", entryNo); rc != RC_OK) return rc;
    int32_t leading = 0;
    if (scanIndexedSixValues(command.payload(), leading, pos) != 1 + sixFields) return RC_FAIL;
    *flag = leading;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_LatchRobP(int32_t entryNo, int32_t* flag, RobP* pos, int32_t slot) {
    if (flag == nullptr || pos == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_LatchRobP %d", entryNo); rc != RC_OK) return rc;
    int32_t leading = 0;
    RobP local{};
    if (scanIndexedRobP(command.payload(), leading, local) != 1 + robPFields) return RC_FAIL;
    *flag = leading;
    *pos = local;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Clr_LatchPos(int32_t slot) { return sendCommand(slot, "Clr_LatchPos"); }
