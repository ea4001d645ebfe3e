// Status and program-state queries: one query, one or two values out of the reply.
#include <cstring>

#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t pathSize = 128;

// The controller answers a path or task query with a bare "=" when it has nothing to report;
// that is an empty result, not a failed scan.
bool nothingToReport(const Command& command) { return command.payloadLength() <= 1; }

// A task with nothing to report answers a bare "=", which reads as 0; anything longer must
// hold the number. Written only on success.
std::int32_t readTaskValue(std::int32_t rc, const Command& command, std::int32_t* value) {
    if (rc != RC_OK) return rc;
    int scanned = 0;
    if (!nothingToReport(command) && command.scan("=%d", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

// One word into the caller's 128-byte field, which is written whole (zero padded) on success.
// A word that does not fit the field is a failed scan.
std::int32_t readPath(std::int32_t rc, const Command& command, char* path) {
    if (rc != RC_OK) return rc;
    char word[pathSize] = {};
    if (!nothingToReport(command) && !scanWord(command.payload(), word, sizeof word)) return RC_FAIL;
    std::memcpy(path, word, sizeof word);
    return RC_OK;
}

// Callers of these two read the output whatever the result, so a failure leaves 0 in it.
std::int32_t queryIntOrZero(const char* text, std::int32_t* value, std::int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    std::int32_t scanned = 0;
    const std::int32_t rc = integerQuery(text, &scanned, slot);
    *value = rc == RC_OK ? scanned : 0;
    return rc;
}

// The lower-case queries scan straight into the caller's variables: values read before a
// mismatch stay written when the call fails.
std::int32_t scanned(int fields, int required) { return fields == required ? RC_OK : RC_FAIL; }

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_PrgSts(int32_t* value, int32_t slot) { return integerQuery("Get_PrgSts", value, slot); }
ZEFRA_TWIN(ZEFRA_Get_RunSts, ZEFRA_Get_PrgSts);

int32_t ZEFRA_CALL ZEFRA_Get_StartLine(int32_t* value, int32_t slot) { return integerQuery("Get_StartLine", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_CurMotionLine(int32_t* value, int32_t slot) {
    return integerQuery("Get_CurMotionLine", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_InitSts(int32_t* value, int32_t slot) { return integerQuery("Get_InitSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_CoordType(int32_t* value, int32_t slot) { return integerQuery("Get_CoordType", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_Coord(int32_t* value, int32_t slot) { return integerQuery("Get_Coord", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_Vel(int32_t* value, int32_t slot) { return integerQuery("Get_Vel", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_Mode(int32_t* value, int32_t slot) { return integerQuery("Get_Mode", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_DsMode(int32_t* value, int32_t slot) { return integerQuery("Get_DsMode", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_InchMode(int32_t* value, int32_t slot) { return integerQuery("Get_InchMode", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_SlewMode(int32_t* value, int32_t slot) { return integerQuery("Get_SlewMode", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_EStopSts(int32_t* value, int32_t slot) { return integerQuery("Get_EStopSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_MotorSts(int32_t* value, int32_t slot) { return integerQuery("Get_MotorSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_MotionSts(int32_t* value, int32_t slot) { return integerQuery("Get_MotionSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_SysMode(int32_t* value, int32_t slot) { return integerQuery("Get_SysMode", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_CurCmdSts(int32_t* value, int32_t slot) { return integerQuery("Get_CurCmdSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_SysErrSts(int32_t* value, int32_t slot) { return integerQuery("Get_SysErrSts", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_SysErr(uint32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_SysErr"); rc != RC_OK) return rc;
    unsigned int code = 0;
    if (command.scan("=%xh", &code) != 1) return RC_FAIL;
    *value = code;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_CmdSts(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_CmdSts %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_CurCmdCacheNum(int32_t* value, int32_t slot) {
    return integerQuery("Get_CurCmdCacheNum", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_PrgRunTime(int32_t* value, int32_t slot) { return queryIntOrZero("Get_PrgRunTime", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_CurCmdNum(int32_t* value, int32_t slot) { return queryIntOrZero("Get_CurCmdNum", value, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_CurPrgPath(char* path, int32_t slot) { return queryInto(path, slot, readPath, "Get_CurPrgPath"); }

int32_t ZEFRA_CALL ZEFRA_Get_TaskPrgPath(int32_t task, char* path, int32_t slot) {
    return queryInto(path, slot, readPath, "Get_TaskPrgPath %d", task);
}

int32_t ZEFRA_CALL ZEFRA_Get_TaskRunSts(int32_t task, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readTaskValue, "Get_TaskRunSts %d", task);
}

int32_t ZEFRA_CALL ZEFRA_Get_TaskProgramLine(int32_t task, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readTaskValue, "Get_TaskProgramLine %d", task);
}

int32_t ZEFRA_CALL ZEFRA_Get_AccRamp(double* value1, double* value2, int32_t slot) {
    if (value1 == nullptr || value2 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_accramp"); rc != RC_OK) return rc;
    return scanned(command.scan("=%lf, %lf", value1, value2), 2);
}

int32_t ZEFRA_CALL ZEFRA_Get_FlyMode(int32_t selector, int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_flymode %d", selector); rc != RC_OK) return rc;
    return scanned(command.scan("=%d", value), 1);
}

int32_t ZEFRA_CALL ZEFRA_Get_RapidMove(int32_t selector, int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_rapidmove %d", selector); rc != RC_OK) return rc;
    return scanned(command.scan("=%d", value), 1);
}

int32_t ZEFRA_CALL ZEFRA_Get_SLVSMode(int32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_slvsmode"); rc != RC_OK) return rc;
    return scanned(command.scan("=%d", value), 1);
}

int32_t ZEFRA_CALL ZEFRA_Get_FlyPress(int32_t* value1, int32_t* value2, int32_t slot) {
    if (value1 == nullptr || value2 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "get_flypress"); rc != RC_OK) return rc;
    return scanned(command.scan("=%d, %d", value1, value2), 2);
}
