// Status and program-state queries: one query, one or two values out of the reply.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class Status : public FamilyTest {};

TEST_F(Status, IntegerQueries) {
    using enum Output;
    expectIntQueries({
        {ZEFRA_Get_PrgSts, "Get_PrgSts"}, {ZEFRA_Get_StartLine, "Get_StartLine"}, {ZEFRA_Get_InitSts, "Get_InitSts"},
        {ZEFRA_Get_CurMotionLine, "Get_CurMotionLine"}, {ZEFRA_Get_CoordType, "Get_CoordType"},
        {ZEFRA_Get_Coord, "Get_Coord"}, {ZEFRA_Get_Vel, "Get_Vel"}, {ZEFRA_Get_Mode, "Get_Mode"},
        {ZEFRA_Get_DsMode, "Get_DsMode"}, {ZEFRA_Get_InchMode, "Get_InchMode"}, {ZEFRA_Get_SlewMode, "Get_SlewMode"},
        {ZEFRA_Get_EStopSts, "Get_EStopSts"}, {ZEFRA_Get_MotorSts, "Get_MotorSts"}, {ZEFRA_Get_SysMode, "Get_SysMode"},
        {ZEFRA_Get_MotionSts, "Get_MotionSts"}, {ZEFRA_Get_CurCmdSts, "Get_CurCmdSts"},
        {ZEFRA_Get_SysErrSts, "Get_SysErrSts"}, {ZEFRA_Get_CurCmdCacheNum, "Get_CurCmdCacheNum"},
        {ZEFRA_Get_SLVSMode, "get_slvsmode"}, {[](auto v, auto s) { return ZEFRA_Get_CmdSts(4, v, s); }, "Get_CmdSts 4"},
        {[](auto v, auto s) { return ZEFRA_Get_FlyMode(3, v, s); }, "get_flymode 3"},
        {[](auto v, auto s) { return ZEFRA_Get_RapidMove(-2, v, s); }, "get_rapidmove -2"},
        {ZEFRA_Get_PrgRunTime, "Get_PrgRunTime", zeroed}, {ZEFRA_Get_CurCmdNum, "Get_CurCmdNum", zeroed},
        {[](auto v, auto s) { return ZEFRA_Get_TaskRunSts(2, v, s); }, "Get_TaskRunSts 2", bare},
        {[](auto v, auto s) { return ZEFRA_Get_TaskProgramLine(-1, v, s); }, "Get_TaskProgramLine -1", bare},
    });
}

TEST_F(Status, PathsErrorCodeAndPairs) {
    expectWordQuery(ZEFRA_Get_CurPrgPath, "Get_CurPrgPath", 128, true, true);
    expectWordQuery([](auto p, auto s) { return ZEFRA_Get_TaskPrgPath(3, p, s); }, "Get_TaskPrgPath 3", 128, true, true);
    expectHexQuery(ZEFRA_Get_SysErr, "Get_SysErr");
    expectPairQuery<double>(ZEFRA_Get_AccRamp, "get_accramp", true);
    expectPairQuery<int32_t>(ZEFRA_Get_FlyPress, "get_flypress", true);
}

}  // namespace
}  // namespace zefra::test
