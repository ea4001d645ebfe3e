#include "support/family_test.h"

namespace zefra::test {
namespace {

class Regions : public FamilyTest {};

TEST_F(Regions, SettersSendTheirValuesAsWritten) {
    const double region[6] = {1, 2, 3, -4, 5.5, 0.0000004};
    expectSent({
        {"Set_Interf 5 1.000000,2.000000,3.000000;-4.000000,5.500000,0.000000",
         [&] { return ZEFRA_Set_Interf(5, region, slot); }},
        {"Set_CurInterf 10100000", [] { return ZEFRA_Set_CurInterf(5, slot); }},
        {"Set_CurInterf 00000001", [] { return ZEFRA_Set_CurInterf(0x80, slot); }},
        {"Set_CurInterf 00000000", [] { return ZEFRA_Set_CurInterf(0x100, slot); }},
        {"Set_CurInterf 11111111", [] { return ZEFRA_Set_CurInterf(-1, slot); }},
        {"Set_JumpPara 10.000000,2.500000,-0.100000", [] { return ZEFRA_Set_JumpPara(10, 2.5f, -0.1f, slot); }},
    });
}

TEST_F(Regions, GettersWriteAsEachReadingSays) {
    const auto region = getter<Six>(ZEFRA_Get_Interf, -2);
    const auto mask = getter<int32_t>(ZEFRA_Get_CurInterf);
    const auto jump = with<float, float, float>([](auto& a, auto& b, auto& c) { return ZEFRA_Get_JumpPara(&a, &b, &c, slot); });
    expectRead({
        {"Get_Interf -2", "=1,2,3;4,5,6", RC_OK, "1,2,3,4,5,6", region},
        {"Get_Interf -2", "=1,2,3,4,5,6", RC_FAIL, "1,2,3,9,9,9", region},  // read in place
        {"Get_CurInterf", "=10100000", RC_OK, "5", mask},
        {"Get_CurInterf", "=00000001", RC_OK, "128", mask},
        {"Get_CurInterf", "=20000009", RC_OK, "1154", mask},  // digits above 1 carry into higher bits
        {"Get_CurInterf", "= 1 0 1 0 0 0 0 1", RC_OK, "133", mask},
        {"Get_CurInterf", "=1010000", RC_FAIL, "9", mask},
        {"Get_JumpPara", "=10,20,30.5", RC_OK, "10,20,30.5", jump},
        {"Get_JumpPara", "=10,20", RC_FAIL, "9,9,9", jump},
    });
    float f = 0;
    expectRefused({ZEFRA_Set_Interf(1, nullptr, slot), ZEFRA_Get_JumpPara(nullptr, &f, &f, slot),
                   ZEFRA_Get_JumpPara(&f, nullptr, &f, slot), ZEFRA_Get_JumpPara(&f, &f, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
