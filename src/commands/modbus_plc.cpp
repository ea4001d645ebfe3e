// Modbus coils and holding registers, and the variables of the controller's PLC. The
// controller does the field-bus work; the library only carries the values. Register runs are
// counted in 16-bit registers on the wire, so a float takes two of them.
#include <cstring>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// The reply fields have room for eight registers, or four floats.
constexpr int maxRegisters = 8;
constexpr int maxFloats = 4;

constexpr int32_t floatsIn(int32_t registers) { return registers >> 1; }

// A run read must bring back exactly what was asked for. A count that asks for nothing has
// nothing to confirm: taken at its word it would let "ok" or a bare "=" pass (whose EOF even
// equals a count of -1), so it fails after any reply the exchange itself accepts.
int32_t runRead(int stored, int32_t demanded) { return demanded >= 1 && stored == demanded ? RC_OK : RC_FAIL; }

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_ModbusCoil(int32_t first, int32_t second, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_ModbusCoil %d %d", first, second);
}

int32_t ZEFRA_CALL ZEFRA_Set_ModbusCoil(int32_t first, int32_t second, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_ModbusCoil %d %d %d", first, second, value);
}

int32_t ZEFRA_CALL ZEFRA_Get_ModbusRegUshort(int32_t address, int32_t count, uint16_t* values, int32_t slot) {
    if (values == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ModbusReg %d %d u16", address, count); rc != RC_OK) return rc;
    uint16_t run[maxRegisters] = {};
    const int stored = command.scan("=%hu,%hu,%hu,%hu,%hu,%hu,%hu,%hu", &run[0], &run[1], &run[2], &run[3], &run[4],
                                    &run[5], &run[6], &run[7]);
    if (const int32_t rc = runRead(stored, count); rc != RC_OK) return rc;
    std::memcpy(values, run, static_cast<std::size_t>(count) * sizeof run[0]);
    return RC_OK;
}

// The first value always goes out, whatever the count. Each further value is appended on its
// own and the loop stops at the first that does not fit, so a count larger than the caller's
// array never walks it further than the request reaches (and such a request is refused).
int32_t ZEFRA_CALL ZEFRA_Set_ModbusRegUshort(int32_t address, int32_t count, const uint16_t* values, int32_t slot) {
    if (values == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Set_ModbusReg %d %d u16 %d", address, count, int32_t{values[0]});
    for (int32_t i = 1; i < count && command.append(",%d", int32_t{values[i]}); ++i) {
    }
    return command.send(slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_ModbusRegFloat(int32_t address, int32_t count, float values[4], int32_t slot) {
    if (values == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ModbusReg %d %d f32", address, count); rc != RC_OK) return rc;
    float run[maxFloats] = {};
    if (const int32_t rc = runRead(command.scan("=%f,%f,%f,%f", &run[0], &run[1], &run[2], &run[3]), floatsIn(count));
        rc != RC_OK)
        return rc;
    std::memcpy(values, run, sizeof run);
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_ModbusRegFloat(int32_t address, int32_t count, const float* values, int32_t slot) {
    if (values == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Set_ModbusReg %d %d f32 %.6f", address, count, static_cast<double>(values[0]));
    for (int32_t i = 1; i < floatsIn(count) && command.append(",%.6f", static_cast<double>(values[i])); ++i) {
    }
    return command.send(slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlcVarByte(int32_t index, uint8_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<uint8_t>, "Get_PlcVar byte %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlcVarInt(int32_t index, int16_t* value, int32_t slot) {
    return queryInto(value, slot, readIntegerBits<int16_t>, "Get_PlcVar int %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlcVarDInt(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_PlcVar DInt %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_PlcVarLReal(int32_t index, double* value, int32_t slot) {
    return queryInto(value, slot, readDouble, "Get_PlcVar LReal %d", index);
}
