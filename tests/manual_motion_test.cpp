// Manual motion: inch mode, jog and inch, axis moves, pose alignment, mechanical unit, homing.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class ManualMotion : public FamilyTest {};

// Jog and inch check the direction, then the axis, then the kind; any failure is the same.
TEST_F(ManualMotion, RefusesBadArgumentsThenSendsCommands) {
    expectRefused({ZEFRA_Jog(0, 1, 2, slot), ZEFRA_Jog(0, 1, -2, slot), ZEFRA_Inch(0, 1, 0, slot),
                   ZEFRA_Jog(0, 0, 1, slot), ZEFRA_Jog(1, 7, 1, slot), ZEFRA_Inch(1, 0, 1, slot), ZEFRA_Jog(2, 3, 1, slot),
                   ZEFRA_Jog(2, 9, 1, slot), ZEFRA_Inch(-1, 3, 1, slot), ZEFRA_InchMode(2, slot),
                   ZEFRA_Set_TeachCoordinate(2, slot), ZEFRA_Set_ActiveMechUnit(nullptr, slot)});
    expectSent({
        {"InchMode ON", [] { return ZEFRA_InchMode(1, slot); }}, {"InchMode OFF", [] { return ZEFRA_InchMode(0, slot); }},
        {"Jog J3 +", [] { return ZEFRA_Jog(0, 3, 1, slot); }}, {"Jog J1 /", [] { return ZEFRA_Jog(0, 1, 0, slot); }},
        {"Jog X +", [] { return ZEFRA_Jog(1, 1, 1, slot); }}, {"Jog Y -", [] { return ZEFRA_Jog(1, 2, -1, slot); }},
        {"Jog Z /", [] { return ZEFRA_Jog(1, 3, 0, slot); }}, {"Jog RZ -", [] { return ZEFRA_Jog(1, 4, -1, slot); }},
        {"Jog RY +", [] { return ZEFRA_Jog(1, 5, 1, slot); }}, {"Jog RX /", [] { return ZEFRA_Jog(1, 6, 0, slot); }},
        {"Inch J6 -", [] { return ZEFRA_Inch(0, 6, -1, slot); }}, {"Inch RY +", [] { return ZEFRA_Inch(1, 5, 1, slot); }},
        {"Set_InchStep -5", [] { return ZEFRA_Set_InchStep(-5, slot); }},
        {"AxisJog 7 -1", [] { return ZEFRA_AxisJog(7, -1, slot); }}, {"AxisInch 2 3", [] { return ZEFRA_AxisInch(2, 3, slot); }},
        {"PoseAlign 1 0", [] { return ZEFRA_PoseAlign(1, 0, slot); }}, {"Home 2", [] { return ZEFRA_Home(2, slot); }},
        {"Set_ActiveMechUnit Ext1", [] { return ZEFRA_Set_ActiveMechUnit("Ext1", slot); }},
        {"Set_TeachCoordinate ON", [] { return ZEFRA_Set_TeachCoordinate(1, slot); }},
        {"Set_TeachCoordinate OFF", [] { return ZEFRA_Set_TeachCoordinate(0, slot); }},
        {"Set_DynamicBrake 1", [] { return ZEFRA_Set_DynamicBrake(1, slot); }},
    });
}

TEST_F(ManualMotion, ReadBacks) {
    expectWordQuery(ZEFRA_Get_ActiveMechUnit, "Get_ActiveMechUnit", 128, false);
    expectIntQueries({{ZEFRA_Get_TeachCoordinate, "Get_TeachCoordinate"}, {ZEFRA_Get_DynamicBrake, "Get_DynamicBrake"}});
}

}  // namespace
}  // namespace zefra::test
