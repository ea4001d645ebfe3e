// Diagnosis recording: named diagnosis items, the save items, save control and state, the last
// saved track file; motion-data collection and the per-axis motion data.
#include <cstring>

#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t trackFileSize = 128;

// The track file name reaches the host without a terminator: the host zero-fills its buffer.
// A bare "=" (or a one-character reply) means no file yet and copies nothing.
std::int32_t readTrackFile(std::int32_t rc, const Command& command, char* fileName) {
    if (rc != RC_OK) return rc;
    char name[trackFileSize] = {};
    if (command.payloadLength() > 1 && !scanWord(command.payload(), name, sizeof name)) return RC_FAIL;
    std::memcpy(fileName, name, std::strlen(name));
    return RC_OK;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisItem(const char* item, int32_t value, int32_t slot) {
    if (item == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_DiagnosisItem %s %d", item, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisItem(const char* item, int32_t* value, int32_t slot) {
    if (item == nullptr) return RC_BAD_PARAM;
    return queryInto(value, slot, readInteger, "Get_DiagnosisItem %s", item);
}

// Sent as a query and never scanned: the controller may answer "ok" or a value, and both mean
// the save was taken.
int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisSave(int32_t slot) {
    Command command;
    command.format("Set_DiagnosisSave");
    return command.queryResult(slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSave(int32_t* value, int32_t slot) {
    return integerQuery("Get_DiagnosisSave", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisSaveItem(const int32_t items[3], int32_t slot) {
    if (items == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_DiagnosisSaveItem %d,%d,%d", items[0], items[1], items[2]);
}

// Scanned straight into the host's array: the entries read before a mismatch stay written.
int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSaveItem(int32_t items[3], int32_t slot) {
    if (items == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_DiagnosisSaveItem"); rc != RC_OK) return rc;
    return command.scan("=%d,%d,%d", &items[0], &items[1], &items[2]) == 3 ? RC_OK : RC_FAIL;
}

int32_t ZEFRA_CALL ZEFRA_DiagnosisSaveCtrl(int32_t control, int32_t slot) {
    return sendCommand(slot, "DiagnosisSaveCtrl %d", control);
}

int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSaveSts(int32_t* state, int32_t slot) {
    return integerQuery("Get_DiagnosisSaveSts", state, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisLastSaveTrackFile(char* fileName, int32_t slot) {
    return queryInto(fileName, slot, readTrackFile, "Get_DiagnosisLastSaveTrackFile");
}

int32_t ZEFRA_CALL ZEFRA_Set_MotionDataCollection(int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_MotionDataCollection %d", value);
}

int32_t ZEFRA_CALL ZEFRA_Get_MotionDataCollection(int32_t* value, int32_t slot) {
    return integerQuery("Get_MotionDataCollection", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_AxisTotalMotionData(int32_t axis, int32_t* total, int32_t slot) {
    return queryInto(total, slot, readInteger, "Get_AxisTotalMotionData %d", axis);
}

// Six groups of five values after the head, scanned straight into the host's variables: the
// values read before a mismatch stay written.
int32_t ZEFRA_CALL ZEFRA_Get_AxisMotionData(int32_t first, int32_t second, int32_t third, int32_t* head,
                                            double data[30], int32_t slot) {
    if (head == nullptr || data == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_AxisMotionData %d;%d;%d", first, second, third); rc != RC_OK)
        return rc;
    const int fields = command.scan(
        "=%d;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;"
        "%lf,%lf,%lf,%lf,%lf",
        head, &data[0], &data[1], &data[2], &data[3], &data[4], &data[5], &data[6], &data[7], &data[8], &data[9],
        &data[10], &data[11], &data[12], &data[13], &data[14], &data[15], &data[16], &data[17], &data[18], &data[19],
        &data[20], &data[21], &data[22], &data[23], &data[24], &data[25], &data[26], &data[27], &data[28], &data[29]);
    return fields == 31 ? RC_OK : RC_FAIL;
}
