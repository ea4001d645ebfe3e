#include <climits>
#include <vector>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class ModbusPlc : public FamilyTest {};

const uint16_t registers[] = {10, 20, 30};
const float floats[] = {1.5f, -2.0f, 0.25f};

TEST_F(ModbusPlc, WritesCarryTheFirstValueAlwaysAndTheRestByCount) {
    const auto u16 = [](int32_t count) { return [count] { return ZEFRA_Set_ModbusRegUshort(100, count, registers, slot); }; };
    const auto f32 = [](int32_t count) { return [count] { return ZEFRA_Set_ModbusRegFloat(40, count, floats, slot); }; };
    expectSent({
        {"Set_ModbusCoil 1 -2 1", [] { return ZEFRA_Set_ModbusCoil(1, -2, 1, slot); }},
        {"Set_ModbusReg 100 3 u16 10,20,30", u16(3)},
        {"Set_ModbusReg 100 1 u16 10", u16(1)},
        {"Set_ModbusReg 100 0 u16 10", u16(0)},
        {"Set_ModbusReg 100 -7 u16 10", u16(-7)},
        {"Set_ModbusReg 40 4 f32 1.500000,-2.000000", f32(4)},
        {"Set_ModbusReg 40 5 f32 1.500000,-2.000000", f32(5)},
        {"Set_ModbusReg 40 3 f32 1.500000", f32(3)},
    });
}

// The longest run the frame takes goes out whole; one value more is refused unsent, and so is
// a count far beyond the caller's array, which is read no further than the request reaches.
TEST_F(ModbusPlc, RunsEndWhereTheRequestDoes) {
    const std::vector<uint16_t> zeros(600, 0);
    const std::vector<float> floatZeros(200, 0.0f);
    std::string longest = "Set_ModbusReg 1 498 u16 0";  // 1019 characters, the most a frame takes
    for (int i = 1; i < 498; ++i) longest += ",0";
    expectSent({{longest, [&] { return ZEFRA_Set_ModbusRegUshort(1, 498, zeros.data(), slot); }}});
    expectRefused({ZEFRA_Set_ModbusRegUshort(1, 499, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegUshort(1, INT32_MAX, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegFloat(1, INT32_MAX, floatZeros.data(), slot)});
}

TEST_F(ModbusPlc, ReadsWriteOnlyWhatWasAskedFor) {
    const auto u16 = [](int32_t count) {
        return with<std::array<uint16_t, 9>>([count](auto& v) { return ZEFRA_Get_ModbusRegUshort(7, count, v.data(), slot); });
    };
    const auto f32 = [](int32_t count) {
        return with<std::array<float, 5>>([count](auto& v) { return ZEFRA_Get_ModbusRegFloat(40, count, v.data(), slot); });
    };
    expectRead({
        {"Get_ModbusCoil 1 2", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_ModbusCoil, 1, 2)},
        {"Get_ModbusReg 7 2 u16", "=7,65535", RC_OK, "7,65535,9,9,9,9,9,9,9", u16(2)},
        {"Get_ModbusReg 7 2 u16", "=7", RC_FAIL, nines(9), u16(2)},
        {"Get_ModbusReg 7 2 u16", "=7,8,9", RC_FAIL, nines(9), u16(2)},
        {"Get_ModbusReg 7 8 u16", "=1,2,3,4,5,6,7,8", RC_OK, "1,2,3,4,5,6,7,8,9", u16(8)},
        {"Get_ModbusReg 7 9 u16", "=1,2,3,4,5,6,7,8,9", RC_FAIL, nines(9), u16(9)},
        // A count that asks for nothing confirms nothing, and the scan's EOF is no count of -1.
        {"Get_ModbusReg 7 0 u16", "ok", RC_FAIL, nines(9), u16(0)},
        {"Get_ModbusReg 7 -1 u16", "=", RC_FAIL, nines(9), u16(-1)},
        {"Get_ModbusReg 7 0 u16", "e5:no", -5, nines(9), u16(0)},
        {"Get_ModbusReg 40 2 f32", "=3.25", RC_OK, "3.25,0,0,0,9", f32(2)},
        {"Get_ModbusReg 40 3 f32", "=3.25", RC_OK, "3.25,0,0,0,9", f32(3)},
        {"Get_ModbusReg 40 9 f32", "=1,2,3,-4", RC_OK, "1,2,3,-4,9", f32(9)},
        {"Get_ModbusReg 40 4 f32", "=1;2", RC_FAIL, nines(5), f32(4)},
        {"Get_ModbusReg 40 1 f32", "ok", RC_FAIL, nines(5), f32(1)},
        {"Get_ModbusReg 40 -2 f32", "=", RC_FAIL, nines(5), f32(-2)},
        {"Get_PlcVar byte 3", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_PlcVarByte, 3)},
        {"Get_PlcVar int 3", "=70000", RC_OK, "4464", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar int 3", "=-2", RC_OK, "-2", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar DInt -1", "=-70000", RC_OK, "-70000", getter<int32_t>(ZEFRA_Get_PlcVarDInt, -1)},
        {"Get_PlcVar LReal 3", "=2.5e3", RC_OK, "2500", getter<double>(ZEFRA_Get_PlcVarLReal, 3)},
    });
    expectRefused({ZEFRA_Get_ModbusRegUshort(1, 1, nullptr, slot), ZEFRA_Set_ModbusRegUshort(1, 1, nullptr, slot),
                   ZEFRA_Get_ModbusRegFloat(1, 2, nullptr, slot), ZEFRA_Set_ModbusRegFloat(1, 2, nullptr, slot),
                   ZEFRA_Get_PlcVarByte(1, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
