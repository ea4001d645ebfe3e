// Controller and program control: each call is one plain command.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class Control : public FamilyTest {};

TEST_F(Control, RefusesStatesAndModesOutOfRangeThenSendsItsText) {
    expectRefused({ZEFRA_EmergStop(2, slot), ZEFRA_EmergStop(-1, slot), ZEFRA_MotorEnable(2, slot),
                   ZEFRA_PrgCtrl(-1, slot), ZEFRA_Set_Mode(0, slot), ZEFRA_Set_Mode(3, slot), ZEFRA_DsMode(-1, slot),
                   ZEFRA_DsMode(4, slot), ZEFRA_Set_CurPrgPath(nullptr, slot), ZEFRA_Set_CurProjPath(nullptr, slot)});
    expectSent({
        {"EStop ON", [] { return ZEFRA_EmergStop(1, slot); }}, {"EStop OFF", [] { return ZEFRA_EmergStop(0, slot); }},
        {"Motor ON", [] { return ZEFRA_MotorEnable(1, slot); }}, {"Motor OFF", [] { return ZEFRA_MotorEnable(0, slot); }},
        {"Prg Start", [] { return ZEFRA_PrgCtrl(1, slot); }}, {"Prg Stop", [] { return ZEFRA_PrgCtrl(0, slot); }},
        {"DsMode OFF", [] { return ZEFRA_DsMode(0, slot); }}, {"DsMode ON", [] { return ZEFRA_DsMode(1, slot); }},
        {"DsMode Pause", [] { return ZEFRA_DsMode(2, slot); }}, {"DsMode Continue", [] { return ZEFRA_DsMode(3, slot); }},
        {"Set_Mode 1", [] { return ZEFRA_Set_Mode(1, slot); }}, {"Set_Mode 2", [] { return ZEFRA_Set_Mode(2, slot); }},
        {"ResetErr", [] { return ZEFRA_ResetErr(slot); }}, {"BackStartLine", [] { return ZEFRA_BackStartLine(slot); }},
        {"Set_CurPrgPath [/prg/my job.prg]", [] { return ZEFRA_Set_CurPrgPath("/prg/my job.prg", slot); }},
        {"Set_CurProjPath [C:\\proj\\a;b]", [] { return ZEFRA_Set_CurProjPath("C:\\proj\\a;b", slot); }},
        {"Set_Vel -10", [] { return ZEFRA_Set_Vel(-10, slot); }}, {"Set_SlewMode 5", [] { return ZEFRA_Set_SlewMode(5, slot); }},
        {"set_accramp -1.234568 0.000000", [] { return ZEFRA_Set_AccRamp(-1.23456789, 4e-7, slot); }},
        {"set_flymode 3 -1", [] { return ZEFRA_Set_FlyMode(3, -1, slot); }},
        {"set_rapidmove 0 7", [] { return ZEFRA_Set_RapidMove(0, 7, slot); }},
        {"set_slvsmode 1", [] { return ZEFRA_Set_SLVSMode(1, slot); }},
        {"set_flypress 20 30", [] { return ZEFRA_Set_FlyPress(20, 30, slot); }},
    });
}

}  // namespace
}  // namespace zefra::test
