// Inputs and outputs, variables, Modbus registers and PLC variables, TCP-speed binding and trace
// recovery, interference regions.
#include <cmath>
#include <vector>

#include "support/family_test.h"

namespace zefra::test {
namespace {

using IoVariables = FamilyTest;

TEST_F(IoVariables, InputsAndOutputs) {
    expectCalls({
        SENDS(Set_DO, 3, 1), SENDS(Set_DOGroup, -1, 255), sends("Set_DA 2 1.250000", ZEFRA_Set_DA, 2, 1.25f),
        SENDS(Set_ForceDI, 4, 0), SENDS(Set_ForceDO, 5, -2), SENDS(Set_InCfg, 6, 7), SENDS(Set_OutCfg, 8, 9),
    });
    expectQueries({
        QUERY(Get_DINum), QUERY(Get_DONum), QUERY(Get_ADNum), QUERY(Get_DANum), QUERY(Get_DI, -3),
        QUERY(Get_DO, 5), QUERY(Get_DIGroup, 2), QUERY(Get_DOGroup, 1), QUERY(Get_DOCfg, 7),
        QUERY(Get_DOGroupCfg, 2), QUERY(Get_DACfg, 1), QUERY(Get_InCfg, 3), QUERY(Get_OutCfg, 4),
    });
    expectQueries<float>({QUERY(Get_AD, 1), QUERY(Get_DA, 2)});
    using Flags = std::array<int32_t, 6>;
    expectCalls({
        // One digit per flag, blanks before a digit skipped, a seventh digit ignored; all six or none.
        {"Get_DevSts", "=101100", RC_OK, "1,0,1,1,0,0", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "= 0 0 0 0 0 17", RC_OK, "0,0,0,0,0,1", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "=10110x", RC_FAIL, nines(6), getter<Flags>(ZEFRA_Get_DevSts)},
    });
}

TEST_F(IoVariables, VariablesGoOutAsWrittenAndComeBackAsACCastWouldNarrowThem) {
    static const PointRecord point{{1, 2, 3, 4, 5, 6.5}, {0, 1, 0, 1}, {2, 3, 4}};
    expectRefused({ZEFRA_Set_D(1, NAN, slot), ZEFRA_Set_CommonVarFloat(1, NAN, slot)});
    expectCalls({
        SENDS(Set_B, 1, -7), SENDS(Set_R, 2, 8), sends("Set_D 1 2.000000", ZEFRA_Set_D, 1, 2.0), SENDS(Set_LB, 3, 0),
        SENDS(Set_LR, 4, 9), sends("Set_LD 5 0.123456", ZEFRA_Set_LD, 5, 0.1234564),
        sends("Set_CommonVar 3 u8 251", ZEFRA_Set_CommonVarUchar, 3, uint8_t{251}),
        sends("Set_CommonVar 3 s8 -5", ZEFRA_Set_CommonVarChar, 3, int8_t{-5}),
        sends("Set_CommonVar 4 u16 65535", ZEFRA_Set_CommonVarUshort, 4, uint16_t{65535}),
        sends("Set_CommonVar 4 s16 -32768", ZEFRA_Set_CommonVarShort, 4, int16_t{-32768}),
        sends("Set_CommonVar 0 u32 -1", ZEFRA_Set_CommonVarUint, 0, 4294967295u),
        sends("Set_CommonVar 5 s32 -2147483648", ZEFRA_Set_CommonVarInt, 5, INT32_MIN),
        sends("Set_CommonVar 6 f32 0.100000", ZEFRA_Set_CommonVarFloat, 6, 0.1f),
        sends("Set_CommonVar 7 d64 1000000.250000", ZEFRA_Set_CommonVarDouble, 7, 1e6 + 0.25),
        sends("Set_CommonVar 8 p 1.000000,2.000000,3.000000,4.000000,5.000000,6.500000;0,1,0,1;2,3,4",
              ZEFRA_Set_CommonVarP, 8, &point),
        {"Get_CommonVar 3 u8", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 u8", "=x", RC_FAIL, "9", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 s8", "=200", RC_OK, "-56", getter<int8_t>(ZEFRA_Get_CommonVarChar, 3)},
        {"Get_CommonVar 3 u16", "=-1", RC_OK, "65535", getter<uint16_t>(ZEFRA_Get_CommonVarUshort, 3)},
        {"Get_CommonVar 3 s16", "=40000", RC_OK, "-25536", getter<int16_t>(ZEFRA_Get_CommonVarShort, 3)},
        {"Get_CommonVar 3 u32", "=-1", RC_OK, "4294967295", getter<uint32_t>(ZEFRA_Get_CommonVarUint, 3)},
    });
    expectQueries({
        QUERY(Get_B, 3), QUERY(Get_R, 3), QUERY(Get_LB, 3), QUERY(Get_LR, 3),
        {partial(ZEFRA_Get_CommonVarInt, 3), "Get_CommonVar 3 s32"},
    });
    expectQueries<float>({{partial(ZEFRA_Get_CommonVarFloat, 3), "Get_CommonVar 3 f32"}});
    expectQueries<double>(
        {QUERY(Get_D, 3), QUERY(Get_LD, 3), {partial(ZEFRA_Get_CommonVarDouble, 3), "Get_CommonVar 3 d64"}});
    const PointRecord record{{9, 9, 9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, -9}};
    expectWholeRecord("Get_CommonVar 3 p", "=9,9,9,9,9,9;9,9,9,9;9,9,-9", record, partial(ZEFRA_Get_CommonVarP, 3));
}

// Writes carry the first value always and the rest by count. The longest run the frame takes
// goes out whole; one value more is refused unsent, and so is a count far beyond the caller's
// array, which is read no further than the request reaches.
TEST_F(IoVariables, ModbusAndPlc) {
    static const uint16_t registers[] = {10, 20, 30};
    static const float floats[] = {1.5f, -2.0f, 0.25f};
    const auto u16 = [](const char* w, int32_t n) { return sends(w, ZEFRA_Set_ModbusRegUshort, 100, n, registers); };
    const auto f32 = [](const char* w, int32_t n) { return sends(w, ZEFRA_Set_ModbusRegFloat, 40, n, floats); };
    const std::vector<uint16_t> zeros(600, 0);
    const std::vector<float> floatZeros(200, 0.0f);
    std::string longest = "Set_ModbusReg 1 498 u16 0";  // 1019 characters, the most a frame takes
    for (int i = 1; i < 498; ++i) longest += ",0";
    expectCalls({
        SENDS(Set_ModbusCoil, 1, -2, 1), u16("Set_ModbusReg 100 3 u16 10,20,30", 3),
        u16("Set_ModbusReg 100 1 u16 10", 1), u16("Set_ModbusReg 100 0 u16 10", 0),
        u16("Set_ModbusReg 100 -7 u16 10", -7), f32("Set_ModbusReg 40 4 f32 1.500000,-2.000000", 4),
        f32("Set_ModbusReg 40 5 f32 1.500000,-2.000000", 5), f32("Set_ModbusReg 40 3 f32 1.500000", 3),
        sends(longest, ZEFRA_Set_ModbusRegUshort, 1, 498, zeros.data()),
    });
    // Reads write only what was asked for.
    const auto get16 = [](int32_t n) { return getter<std::array<uint16_t, 9>>(ZEFRA_Get_ModbusRegUshort, 7, n); };
    const auto getFloats = [](int32_t n) { return getter<std::array<float, 5>>(ZEFRA_Get_ModbusRegFloat, 40, n); };
    expectCalls({
        {"Get_ModbusCoil 1 2", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_ModbusCoil, 1, 2)},
        {"Get_ModbusReg 7 2 u16", "=7,65535", RC_OK, "7,65535,9,9,9,9,9,9,9", get16(2)},
        {"Get_ModbusReg 7 2 u16", "=7", RC_FAIL, nines(9), get16(2)},
        {"Get_ModbusReg 7 2 u16", "=7,8,9", RC_FAIL, nines(9), get16(2)},
        {"Get_ModbusReg 7 8 u16", "=1,2,3,4,5,6,7,8", RC_OK, "1,2,3,4,5,6,7,8,9", get16(8)},
        {"Get_ModbusReg 7 9 u16", "=1,2,3,4,5,6,7,8,9", RC_FAIL, nines(9), get16(9)},
        // A count that asks for nothing confirms nothing, and the scan's EOF is no count of -1.
        {"Get_ModbusReg 7 0 u16", "ok", RC_FAIL, nines(9), get16(0)},
        {"Get_ModbusReg 7 -1 u16", "=", RC_FAIL, nines(9), get16(-1)},
        {"Get_ModbusReg 7 0 u16", "e5:no", -5, nines(9), get16(0)},
        {"Get_ModbusReg 40 2 f32", "=3.25", RC_OK, "3.25,0,0,0,9", getFloats(2)},
        {"Get_ModbusReg 40 3 f32", "=3.25", RC_OK, "3.25,0,0,0,9", getFloats(3)},
        {"Get_ModbusReg 40 9 f32", "=1,2,3,-4", RC_OK, "1,2,3,-4,9", getFloats(9)},
        {"Get_ModbusReg 40 4 f32", "=1;2", RC_FAIL, nines(5), getFloats(4)},
        {"Get_ModbusReg 40 1 f32", "ok", RC_FAIL, nines(5), getFloats(1)},
        {"Get_ModbusReg 40 -2 f32", "=", RC_FAIL, nines(5), getFloats(-2)},
        {"Get_PlcVar byte 3", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_PlcVarByte, 3)},
        {"Get_PlcVar int 3", "=70000", RC_OK, "4464", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar int 3", "=-2", RC_OK, "-2", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar DInt -1", "=-70000", RC_OK, "-70000", getter<int32_t>(ZEFRA_Get_PlcVarDInt, -1)},
        {"Get_PlcVar LReal 3", "=2.5e3", RC_OK, "2500", getter<double>(ZEFRA_Get_PlcVarLReal, 3)},
    });
    expectRefused({ZEFRA_Set_ModbusRegUshort(1, 499, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegUshort(1, INT32_MAX, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegFloat(1, INT32_MAX, floatZeros.data(), slot)});
}

// Six decimals out; replies with or without blanks, written only when complete.
TEST_F(IoVariables, TcpSpeedBindingAndTraceRecovery) {
    const auto binding = getter<int32_t, double, double, double, double>(ZEFRA_Get_BindTcpSpeedValue, 1);
    const auto output = getter<int32_t, double, double>(ZEFRA_Get_TcpSpeedDAOutAndVel, 2);
    const auto params = getter<double, double, double, double>(ZEFRA_Get_VarTraceRecoverParams, -4);
    expectCalls({
        sends("Set_BindTcpSpeedValue 1 0.000000 100.000000 0.000000 10.000000",
              ZEFRA_Set_BindTcpSpeedValue, 1, 0, 100, 0, 10),
        SENDS(Close_BindTcpSpeed, -1), SENDS(Set_TraceRecoverMode, 2),
        sends("Set_VarTraceRecoverParams 3 1.500000 -2.000000 0.123457 1000000.000000",
              ZEFRA_Set_VarTraceRecoverParams, 3, 1.5, -2, 0.1234567, 1e6),
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0, 10", RC_OK, "1,0.5,100,0,10", binding},
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0", RC_FAIL, nines(5), binding},
        {"Get_TcpSpeedDAOutAndVel 2", "=-1,2.5,\t120", RC_OK, "-1,2.5,120", output},
        {"Get_TcpSpeedDAOutAndVel 2", "=0, 2.5", RC_FAIL, nines(3), output},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3, 4", RC_OK, "1,2,3,4", params},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3", RC_FAIL, nines(4), params},
    });
    expectQueries({QUERY(Get_TraceRecoverMode)});
}

// The active regions travel as eight digits, the first for bit 0.
TEST_F(IoVariables, InterferenceRegions) {
    static const double region[6] = {1, 2, 3, -4, 5.5, 0.0000004};
    expectCalls({
        sends("Set_Interf 5 1.000000,2.000000,3.000000;-4.000000,5.500000,0.000000", ZEFRA_Set_Interf, 5, region),
        sends("Set_CurInterf 10100000", ZEFRA_Set_CurInterf, 5),
        sends("Set_CurInterf 00000001", ZEFRA_Set_CurInterf, 0x80),
        sends("Set_CurInterf 00000000", ZEFRA_Set_CurInterf, 0x100),
        sends("Set_CurInterf 11111111", ZEFRA_Set_CurInterf, -1),
        sends("Set_JumpPara 10.000000,2.500000,-0.100000", ZEFRA_Set_JumpPara, 10.0f, 2.5f, -0.1f),
    });
    const auto six = getter<Six>(ZEFRA_Get_Interf, -2);
    const auto mask = getter<int32_t>(ZEFRA_Get_CurInterf);
    const auto jump = getter<float, float, float>(ZEFRA_Get_JumpPara);
    expectCalls({
        {"Get_Interf -2", "=1,2,3;4,5,6", RC_OK, "1,2,3,4,5,6", six},
        {"Get_Interf -2", "=1,2,3,4,5,6", RC_FAIL, "1,2,3,9,9,9", six},  // read in place
        {"Get_CurInterf", "=23000009", RC_OK, "1160", mask},  // digits above 1 carry into higher bits
        {"Get_CurInterf", "= 1 0 1 0 0 0 0 1", RC_OK, "133", mask}, {"Get_CurInterf", "=1010000", RC_FAIL, "9", mask},
        {"Get_JumpPara", "=10,20,30.5", RC_OK, "10,20,30.5", jump}, {"Get_JumpPara", "=10,20", RC_FAIL, "9,9,9", jump},
    });
}

}  // namespace
}  // namespace zefra::test
