// Program variables the host shares with the controller: the B, R and D variables, their
// program-local LB, LR and LD counterparts, and the typed common variables, whose type word
// follows the variable number in every request.
#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Get_B(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_B %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_B(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_B %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_R(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_R %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_R(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_R %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_D(int32_t index, double* value, int32_t slot) {
    return queryInto(value, slot, readDouble, "Get_D %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_D(int32_t index, double value, int32_t slot) {
    return sendCommand(slot, "Set_D %d %.6lf", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_LB(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_LB %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_LB(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_LB %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_LR(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_LR %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_LR(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_LR %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_LD(int32_t index, double* value, int32_t slot) {
    return queryInto(value, slot, readDouble, "Get_LD %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_LD(int32_t index, double value, int32_t slot) {
    return sendCommand(slot, "Set_LD %d %.6lf", index, value);
}

// Narrow integers widen to int32 by their own type's conversion (zero fill for the unsigned
// ones, sign extension for the signed ones); a uint32 travels as its signed reading.

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUchar(int32_t index, uint8_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d u8 %d", index, static_cast<int32_t>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUchar(int32_t index, uint8_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<uint8_t>, "Get_CommonVar %d u8", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarChar(int32_t index, int8_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d s8 %d", index, static_cast<int32_t>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarChar(int32_t index, int8_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<int8_t>, "Get_CommonVar %d s8", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUshort(int32_t index, uint16_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d u16 %d", index, static_cast<int32_t>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUshort(int32_t index, uint16_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<uint16_t>, "Get_CommonVar %d u16", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarShort(int32_t index, int16_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d s16 %d", index, static_cast<int32_t>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarShort(int32_t index, int16_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<int16_t>, "Get_CommonVar %d s16", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUint(int32_t index, uint32_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d u32 %d", index, static_cast<int32_t>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUint(int32_t index, uint32_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<uint32_t>, "Get_CommonVar %d u32", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarInt(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d s32 %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarInt(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_CommonVar %d s32", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarFloat(int32_t index, float value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d f32 %.6f", index, static_cast<double>(value));
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarFloat(int32_t index, float* value, int32_t slot) {
    return queryInto(value, slot, readFloat, "Get_CommonVar %d f32", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarDouble(int32_t index, double value, int32_t slot) {
    return sendCommand(slot, "Set_CommonVar %d d64 %.6lf", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarDouble(int32_t index, double* value, int32_t slot) {
    return queryInto(value, slot, readDouble, "Get_CommonVar %d d64", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_CommonVarP(int32_t index, const PointRecord* point, int32_t slot) {
    return sendRecord(slot, printPointRecord, point, "Set_CommonVar %d p ", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_CommonVarP(int32_t index, PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readPointRecord>, "Get_CommonVar %d p", index);
}
