// The controller's store of robot points: Cartesian (RobP) and joint (RobJP) targets by
// number, Cartesian points in named point files, point labels, the speed-limit switch, and
// saving and restoring the controller's parameters.
#include <cstddef>
#include <cstring>

#include "records/records.h"
#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t labelSize = 32;

// Hosts of these queries read the scan count from standard output, so the line stays exactly
// as it always was: after every exchange that did not fail, before the count is judged.
void reportScanCount(int stored) { printLine("sscanf_s ret = %d\n", stored); }

enum class Report { none, scanCount };

// One word into the caller's 32-byte field, written whole (zero padded) on success.
template <Report report>
std::int32_t readLabel(std::int32_t rc, const Command& command, char* label) {
    if (rc != RC_OK) return rc;
    char word[labelSize] = {};
    const int stored = scanWordCounted(command.payload(), word, sizeof word);
    if (report == Report::scanCount) reportScanCount(stored);
    if (stored != 1) return RC_FAIL;
    std::memcpy(label, word, sizeof word);
    return RC_OK;
}

std::int32_t readSwitch(std::int32_t rc, const Command& command, std::int32_t* value) {
    if (rc != RC_OK) return rc;
    std::int32_t scanned = 0;
    const int stored = command.scan("=%d", &scanned);
    reportScanCount(stored);
    if (stored != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_SavePara(int32_t slot) { return sendCommand(slot, "SavePara"); }

int32_t ZEFRA_CALL ZEFRA_RecoverPara(int32_t slot) { return sendCommand(slot, "RecoverPara"); }

int32_t ZEFRA_CALL ZEFRA_Set_RobP(int32_t index, const RobP* point, int32_t slot) {
    return sendRecord(slot, printRobP, point, "Set_RobP %d ", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_MemRobP(int32_t index, const RobP* point, int32_t slot) {
    return sendRecord(slot, printRobP, point, "SetMemRobP %d ", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_RobPToFile(const char* fileName, int32_t index, const RobP* point, int32_t slot) {
    if (fileName == nullptr || point == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Set_RobPToFile %d ", index);
    command.appendRecord(printRobP, *point);
    command.append(" %s", fileName);
    return command.send(slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_RobPHere(int32_t index, int32_t slot) { return sendCommand(slot, "Set_RobPHere %d", index); }

int32_t ZEFRA_CALL ZEFRA_Set_RobPHereToFile(const char* fileName, int32_t index, int32_t slot) {
    if (fileName == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_RobPHereToFile %d %s", index, fileName);
}

int32_t ZEFRA_CALL ZEFRA_Set_RobJP(int32_t index, const RobJP* point, int32_t slot) {
    return sendRecord(slot, printRobJP, point, "Set_RobJP %d ", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_MemRobJP(int32_t index, const RobJP* point, int32_t slot) {
    return sendRecord(slot, printRobJP, point, "SetMemRobJP %d ", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_RobJPHere(int32_t index, int32_t slot) {
    return sendCommand(slot, "Set_RobJPHere %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_SpeedLimitSwitch(int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_SpeedLimitSwitch %d", value);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobP(int32_t index, RobP* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readRobP>, "Get_RobP %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobPFromFile(const char* fileName, int32_t index, RobP* point, int32_t slot) {
    if (fileName == nullptr) return RC_BAD_PARAM;
    return queryInto(point, slot, readWhole<readRobP>, "Get_RobPFromFile %d %s", index, fileName);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobJP(int32_t index, RobJP* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readRobJP>, "Get_RobJP %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_CurRobPFileName(char fileName[32], int32_t slot) {
    return queryInto(fileName, slot, readLabel<Report::scanCount>, "Get_CurRobPFileName");
}

int32_t ZEFRA_CALL ZEFRA_Get_RobP_Label(int32_t index, char label[32], int32_t slot) {
    return queryInto(label, slot, readLabel<Report::scanCount>, "Get_RobP_Label %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobJP_Label(int32_t index, char label[32], int32_t slot) {
    return queryInto(label, slot, readLabel<Report::scanCount>, "Get_RobJP_Label %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobLP_Label(int32_t first, const char* text, int32_t second, char label[32],
                                         int32_t slot) {
    if (text == nullptr) return RC_BAD_PARAM;
    return queryInto(label, slot, readLabel<Report::none>, "Get_RobLP_Label %d %d %s", first, second, text);
}

int32_t ZEFRA_CALL ZEFRA_Get_SpeedLimitSwitch(int32_t* value, int32_t slot) {
    return queryInto(value, slot, readSwitch, "Get_SpeedLimitSwitch");
}
