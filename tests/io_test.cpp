#include "support/family_test.h"

namespace zefra::test {
namespace {

class Io : public FamilyTest {};

TEST_F(Io, SettersSendTheirValuesAsWritten) {
    expectSent({
        {"Set_DO 3 1", [] { return ZEFRA_Set_DO(3, 1, slot); }},
        {"Set_DOGroup -1 255", [] { return ZEFRA_Set_DOGroup(-1, 255, slot); }},
        {"Set_DA 2 1.250000", [] { return ZEFRA_Set_DA(2, 1.25f, slot); }},
        {"Set_ForceDI 4 0", [] { return ZEFRA_Set_ForceDI(4, 0, slot); }},
        {"Set_ForceDO 5 -2", [] { return ZEFRA_Set_ForceDO(5, -2, slot); }},
        {"Set_InCfg 6 7", [] { return ZEFRA_Set_InCfg(6, 7, slot); }},
        {"Set_OutCfg 8 9", [] { return ZEFRA_Set_OutCfg(8, 9, slot); }},
    });
}

TEST_F(Io, GettersWriteOnlyACompleteReply) {
    using Flags = std::array<int32_t, 6>;
    expectRead({
        {"Get_DINum", "=16", RC_OK, "16", getter<int32_t>(ZEFRA_Get_DINum)},
        {"Get_DONum", "=8", RC_OK, "8", getter<int32_t>(ZEFRA_Get_DONum)},
        {"Get_ADNum", "=4", RC_OK, "4", getter<int32_t>(ZEFRA_Get_ADNum)},
        {"Get_DANum", "=2", RC_OK, "2", getter<int32_t>(ZEFRA_Get_DANum)},
        {"Get_DI -3", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_DI, -3)},
        {"Get_DIGroup 2", "=255", RC_OK, "255", getter<int32_t>(ZEFRA_Get_DIGroup, 2)},
        {"Get_DO 5", "=0", RC_OK, "0", getter<int32_t>(ZEFRA_Get_DO, 5)},
        {"Get_DOGroup 1", "=-1", RC_OK, "-1", getter<int32_t>(ZEFRA_Get_DOGroup, 1)},
        {"Get_DOCfg 7", "=3", RC_OK, "3", getter<int32_t>(ZEFRA_Get_DOCfg, 7)},
        {"Get_DOGroupCfg 2", "=4", RC_OK, "4", getter<int32_t>(ZEFRA_Get_DOGroupCfg, 2)},
        {"Get_DACfg 1", "=5", RC_OK, "5", getter<int32_t>(ZEFRA_Get_DACfg, 1)},
        {"Get_InCfg 3", "=6", RC_OK, "6", getter<int32_t>(ZEFRA_Get_InCfg, 3)},
        {"Get_OutCfg 4", "=7", RC_OK, "7", getter<int32_t>(ZEFRA_Get_OutCfg, 4)},
        {"Get_AD 1", "=3.5", RC_OK, "3.5", getter<float>(ZEFRA_Get_AD, 1)},
        {"Get_DA 2", "=-0.25", RC_OK, "-0.25", getter<float>(ZEFRA_Get_DA, 2)},
        // One digit per flag, blanks before a digit skipped, a seventh digit ignored; all six or none.
        {"Get_DevSts", "=101100", RC_OK, "1,0,1,1,0,0", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "= 0 0 0 0 0 17", RC_OK, "0,0,0,0,0,1", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "=10110x", RC_FAIL, nines(6), getter<Flags>(ZEFRA_Get_DevSts)},
    });
    expectRefused({ZEFRA_Get_DevSts(nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
