// Mechanism configuration and mode flags; four queries follow rules of their own.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class Mechanism : public FamilyTest {};

TEST_F(Mechanism, RefusesPulsesOutOfRangeThenSendsCommands) {
    int32_t value = 0;
    expectRefused({ZEFRA_Pulse(13824, 1, 0, slot), ZEFRA_Pulse(UINT32_MAX, 1, 0, slot), ZEFRA_Pulse(1, 0.09, 0, slot),
                   ZEFRA_Pulse(1, 2000.5, 0, slot), ZEFRA_Pulse(1, 1, 2, slot), ZEFRA_Pulse(1, 1, UINT32_MAX, slot),
                   ZEFRA_AutoTestSetMachineParams(nullptr, &value, slot)});
    expectSent({
        {"pulse 5 2.000000 1", [] { return ZEFRA_Pulse(5, 2, 1, slot); }},
        {"pulse 13823 0.100000 0", [] { return ZEFRA_Pulse(13823, 0.1, 0, slot); }},
        {"pulse 0 2000.000000 1", [] { return ZEFRA_Pulse(0, 2000.0, 1, slot); }},
        {"set_acc 1.500000 -0.000000", [] { return ZEFRA_Set_Acc(1.5, -0.0000004, slot); }},
        {"set_gripload -3", [] { return ZEFRA_Set_GripLoad(-3, slot); }},
        {"Set_AxisNumsGeneral 7", [] { return ZEFRA_Set_AxisNumsGeneral(7, slot); }},
    });
}

TEST_F(Mechanism, Queries) {
    using enum Output;
    expectIntQueries({
        {ZEFRA_Get_GripLoad, "get_gripload"}, {ZEFRA_Get_AxisNumsGeneral, "Get_AxisNumsGeneral"},
        {[](auto v, auto s) { return ZEFRA_AutoTestSetMachineParams("m 1", v, s); }, "AutoTestSetMachineParams m 1"},
        {ZEFRA_AutoTestCheckFileAndMemDif, "AutoTestCheckFileAndMemDif"}, {ZEFRA_Get_OnPathStat, "get_onpathstat"},
        {ZEFRA_Get_InRemoteModeStat, "get_inremotemodestat"}, {ZEFRA_Get_InAutoModeStat, "get_inautomodestat"},
        {ZEFRA_Get_ProjSyncStatus, "Get_ProjSyncStatus", counter}, {ZEFRA_Get_MechUnitCfgNum, "Get_MechUnitCfgNum", counter},
        {[](auto v, auto s) { return ZEFRA_Get_MechUnitCfgType(-4, v, s); }, "Get_MechUnitCfgType -4", counter},
        {[](auto v, auto s) { return ZEFRA_Get_IOAuthority(2, -1, v, s); }, "Get_IOAuthority 2 -1", authority},
    });
    expectPairQuery<double>(ZEFRA_Get_Acc, "get_acc", false);
}

}  // namespace
}  // namespace zefra::test
