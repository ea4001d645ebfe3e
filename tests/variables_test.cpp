#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Variables : public FamilyTest {};

TEST_F(Variables, WritesSendTheirExactText) {
    static const PointRecord point{{1, 2, 3, 4, 5, 6.5}, {0, 1, 0, 1}, {2, 3, 4}};
    expectSent({
        {"Set_B 1 -7", [] { return ZEFRA_Set_B(1, -7, slot); }},
        {"Set_R 2 8", [] { return ZEFRA_Set_R(2, 8, slot); }},
        {"Set_D 1 2.000000", [] { return ZEFRA_Set_D(1, 2.0, slot); }},
        {"Set_LB 3 0", [] { return ZEFRA_Set_LB(3, 0, slot); }},
        {"Set_LR 4 9", [] { return ZEFRA_Set_LR(4, 9, slot); }},
        {"Set_LD 5 0.123456", [] { return ZEFRA_Set_LD(5, 0.1234564, slot); }},
        {"Set_CommonVar 3 u8 251", [] { return ZEFRA_Set_CommonVarUchar(3, 251, slot); }},
        {"Set_CommonVar 3 s8 -5", [] { return ZEFRA_Set_CommonVarChar(3, -5, slot); }},
        {"Set_CommonVar 4 u16 65535", [] { return ZEFRA_Set_CommonVarUshort(4, 65535, slot); }},
        {"Set_CommonVar 4 s16 -32768", [] { return ZEFRA_Set_CommonVarShort(4, -32768, slot); }},
        {"Set_CommonVar 0 u32 -1", [] { return ZEFRA_Set_CommonVarUint(0, 4294967295u, slot); }},
        {"Set_CommonVar 5 s32 -2147483648", [] { return ZEFRA_Set_CommonVarInt(5, INT32_MIN, slot); }},
        {"Set_CommonVar 6 f32 0.100000", [] { return ZEFRA_Set_CommonVarFloat(6, 0.1f, slot); }},
        {"Set_CommonVar 7 d64 1000000.250000", [] { return ZEFRA_Set_CommonVarDouble(7, 1e6 + 0.25, slot); }},
        {"Set_CommonVar 8 p 1.000000,2.000000,3.000000,4.000000,5.000000,6.500000;0,1,0,1;2,3,4",
         [] { return ZEFRA_Set_CommonVarP(8, &point, slot); }},
    });
    expectRefused({ZEFRA_Set_D(1, NAN, slot), ZEFRA_Set_CommonVarFloat(1, NAN, slot)});
}

// Integers are narrowed to the variable's type as a C cast would.
TEST_F(Variables, ReadsWriteOnlyAScannedValue) {
    expectRead({
        {"Get_B 3", "=-7", RC_OK, "-7", getter<int32_t>(ZEFRA_Get_B, 3)},
        {"Get_R 3", "= 8", RC_OK, "8", getter<int32_t>(ZEFRA_Get_R, 3)},
        {"Get_D 3", "=2.5", RC_OK, "2.5", getter<double>(ZEFRA_Get_D, 3)},
        {"Get_D 3", "=x", RC_FAIL, "9", getter<double>(ZEFRA_Get_D, 3)},
        {"Get_LB 3", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_LB, 3)},
        {"Get_LR 3", "=-1", RC_OK, "-1", getter<int32_t>(ZEFRA_Get_LR, 3)},
        {"Get_LD 3", "=1.5e2", RC_OK, "150", getter<double>(ZEFRA_Get_LD, 3)},
        {"Get_CommonVar 3 u8", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 u8", "=x", RC_FAIL, "9", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 s8", "=200", RC_OK, "-56", getter<int8_t>(ZEFRA_Get_CommonVarChar, 3)},
        {"Get_CommonVar 3 u16", "=-1", RC_OK, "65535", getter<uint16_t>(ZEFRA_Get_CommonVarUshort, 3)},
        {"Get_CommonVar 3 s16", "=40000", RC_OK, "-25536", getter<int16_t>(ZEFRA_Get_CommonVarShort, 3)},
        {"Get_CommonVar 3 u32", "=-1", RC_OK, "4294967295", getter<uint32_t>(ZEFRA_Get_CommonVarUint, 3)},
        {"Get_CommonVar 3 s32", "=-2147483648", RC_OK, "-2147483648", getter<int32_t>(ZEFRA_Get_CommonVarInt, 3)},
        {"Get_CommonVar 3 f32", "=0.5", RC_OK, "0.5", getter<float>(ZEFRA_Get_CommonVarFloat, 3)},
        {"Get_CommonVar 3 f32", "=x", RC_FAIL, "9", getter<float>(ZEFRA_Get_CommonVarFloat, 3)},
        {"Get_CommonVar 3 d64", "=0.1", RC_OK, "0.1", getter<double>(ZEFRA_Get_CommonVarDouble, 3)},
    });
    expectWholeRecord<PointRecord>("Get_CommonVar 3 p", "=9,9,9,9,9,9;9,9,9,9;9,9,-9", {{9, 9, 9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, -9}},
                                   [](PointRecord* p) { return ZEFRA_Get_CommonVarP(3, p, slot); });
}

}  // namespace
}  // namespace zefra::test
