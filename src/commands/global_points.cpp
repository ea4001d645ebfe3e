// The global point table (GP, whole PointRecords) and the position registers (PR and local
// LPR, six coordinates each). The _P export names are twins of the _GP ones.
#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// A register holds the six coordinates only; whatever else the caller's record carries stays
// with the caller.
std::int32_t sendRegister(const char* word, std::int32_t index, const double* values, std::int32_t slot) {
    return sendCommand(slot, "%s %d %.6lf,%.6lf,%.6lf,%.6lf,%.6lf,%.6lf", word, index, values[0], values[1],
                       values[2], values[3], values[4], values[5]);
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_GP(int32_t index, PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readPointRecord>, "Get_GP %d", index);
}
ZEFRA_TWIN(ZEFRA_Get_P, ZEFRA_Get_GP);

int32_t ZEFRA_CALL ZEFRA_Set_GP(int32_t index, const PointRecord* point, int32_t slot) {
    return sendRecord(slot, printPointRecord, point, "Set_GP %d ", index);
}
ZEFRA_TWIN(ZEFRA_Set_P, ZEFRA_Set_GP);

int32_t ZEFRA_CALL ZEFRA_Set_GPHere(int32_t index, int32_t slot) { return sendCommand(slot, "Set_GPHere %d", index); }
ZEFRA_TWIN(ZEFRA_Set_PHere, ZEFRA_Set_GPHere);

// Read into a PointRecord, a register replaces the whole record: armType and frameRef become 0.
int32_t ZEFRA_CALL ZEFRA_Get_PR(int32_t index, PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readSixValuesAsPoint>, "Get_PR %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_PR(int32_t index, const PointRecord* point, int32_t slot) {
    if (point == nullptr) return RC_BAD_PARAM;
    return sendRegister("Set_PR", index, point->pos, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_PRVar(int32_t index, double values[6], int32_t slot) {
    return queryInto(values, slot, readWhole<readSixValues>, "Get_PR %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_PRVar(int32_t index, const double values[6], int32_t slot) {
    if (values == nullptr) return RC_BAD_PARAM;
    return sendRegister("Set_PR", index, values, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_LPR(int32_t index, PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readSixValuesAsPoint>, "Get_LPR %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_LPR(int32_t index, const PointRecord* point, int32_t slot) {
    if (point == nullptr) return RC_BAD_PARAM;
    return sendRegister("Set_LPR", index, point->pos, slot);
}

int32_t ZEFRA_CALL ZEFRA_WriteFile_PR(int32_t slot) { return sendCommand(slot, "WriteFile_PR"); }
