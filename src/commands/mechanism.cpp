// Mechanism configuration and mode flags: pulse command, acceleration pair, grip load, axis
// counts, automatic tests, I/O authority, project sync and mechanical-unit configuration.
#include <cstdio>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// The configuration counters answer "ok" (or anything without a number) when there is
// nothing to count, which reads as 0, as does a failed exchange; only a reply that stops right
// after "=" is refused.
std::int32_t readCount(std::int32_t rc, const Command& command, std::int32_t* value) {
    *value = 0;
    if (rc != RC_OK) return rc;
    return command.scan("=%d", value) == EOF ? RC_BAD_PARAM : RC_OK;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Pulse(uint32_t index, double value, uint32_t flag, int32_t slot) {
    // Written as "inside the range" so that a NaN value fails the check too.
    if (index > 13823u || !(value >= 0.1 && value <= 2000.0) || flag > 1u) return RC_BAD_PARAM;
    return sendCommand(slot, "pulse %d %lf %d", static_cast<int32_t>(index), value, static_cast<int32_t>(flag));
}

int32_t ZEFRA_CALL ZEFRA_Set_Acc(double value1, double value2, int32_t slot) {
    return sendCommand(slot, "set_acc %lf %lf", value1, value2);
}

int32_t ZEFRA_CALL ZEFRA_Get_Acc(double* value1, double* value2, int32_t slot) {
    if (value1 == nullptr || value2 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_acc"); rc != RC_OK) return rc;
    double a = 0, b = 0;
    if (command.scan("=%lf,%lf", &a, &b) != 2) return RC_FAIL;
    *value1 = a;
    *value2 = b;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_GripLoad(int32_t value, int32_t slot) { return sendCommand(slot, "set_gripload %d", value); }

int32_t ZEFRA_CALL ZEFRA_Get_GripLoad(int32_t* value, int32_t slot) { return integerQuery("get_gripload", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Set_AxisNumsGeneral(int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_AxisNumsGeneral %d", value);
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisNumsGeneral(int32_t* value, int32_t slot) {
    return integerQuery("Get_AxisNumsGeneral", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_AutoTestSetMachineParams(const char* text, int32_t* value, int32_t slot) {
    if (text == nullptr) return RC_BAD_PARAM;
    return queryInto(value, slot, readInteger, "AutoTestSetMachineParams %s", text);
}

int32_t ZEFRA_CALL ZEFRA_AutoTestCheckFileAndMemDif(int32_t* value, int32_t slot) {
    return integerQuery("AutoTestCheckFileAndMemDif", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_IOAuthority(int32_t arg1, int32_t arg2, int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_IOAuthority %d %d", arg1, arg2); rc != RC_OK) {
        *value = 0;
        return rc;
    }
    // The output is scanned in place and not cleared first: a reply without a number leaves
    // the host's own value, and a host that primes it with -1 learns that no authority was
    // reported.
    if (command.scan("=%d", value) == EOF || *value < 0) {
        *value = 0;
        return RC_BAD_PARAM;
    }
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_ProjSyncStatus(int32_t* value, int32_t slot) {
    return queryInto(value, slot, readCount, "Get_ProjSyncStatus");
}

int32_t ZEFRA_CALL ZEFRA_Get_MechUnitCfgNum(int32_t* value, int32_t slot) {
    return queryInto(value, slot, readCount, "Get_MechUnitCfgNum");
}

int32_t ZEFRA_CALL ZEFRA_Get_MechUnitCfgType(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readCount, "Get_MechUnitCfgType %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_OnPathStat(int32_t* value, int32_t slot) { return integerQuery("get_onpathstat", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_InRemoteModeStat(int32_t* value, int32_t slot) {
    return integerQuery("get_inremotemodestat", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_InAutoModeStat(int32_t* value, int32_t slot) {
    return integerQuery("get_inautomodestat", value, slot);
}
