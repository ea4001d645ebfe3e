#include "support/family_test.h"

namespace zefra::test {
namespace {

class Collision : public FamilyTest {};

TEST_F(Collision, SettersSendTheirValuesAsWritten) {
    expectSent({
        {"Set_CollModeAndAction 1 2", [] { return ZEFRA_Set_CollModeAndAction(1, 2, slot); }},
        {"Set_AxisCollMode 3 -1", [] { return ZEFRA_Set_AxisCollMode(3, -1, slot); }},
        {"Set_AxisCollLevel 2 1.250000", [] { return ZEFRA_Set_AxisCollLevel(2, 1.25, slot); }},
        {"Set_CollDist 40", [] { return ZEFRA_Set_CollDist(40, slot); }},
        {"Set_TeachModeAxisCollMode 1 2", [] { return ZEFRA_Set_TeachModeAxisCollMode(1, 2, slot); }},
        {"Set_TeachModeCollAction 3", [] { return ZEFRA_Set_TeachModeCollAction(3, slot); }},
        {"Set_TeachModeAxisCollLevel 4 0.123457", [] { return ZEFRA_Set_TeachModeAxisCollLevel(4, 0.1234567, slot); }},
        {"Set_TeachModeCollDist 5", [] { return ZEFRA_Set_TeachModeCollDist(5, slot); }},
        {"Set_PlayBackModeAxisCollMode 6 7", [] { return ZEFRA_Set_PlayBackModeAxisCollMode(6, 7, slot); }},
        {"Set_PlayBackModeCollAction 8", [] { return ZEFRA_Set_PlayBackModeCollAction(8, slot); }},
        {"Set_PlayBackModeAxisCollLevel 1 -2.500000", [] { return ZEFRA_Set_PlayBackModeAxisCollLevel(1, -2.5, slot); }},
        {"Set_PlayBackModeCollDist -9", [] { return ZEFRA_Set_PlayBackModeCollDist(-9, slot); }},
        {"ResetRecommendCollisionLevel 2", [] { return ZEF_ResetRecommendCollisionLevel(2, slot); }},
    });
}

TEST_F(Collision, GettersWriteOnlyACompleteReply) {
    const auto pair = with<int32_t, int32_t>([](auto& m, auto& a) { return ZEFRA_Get_CollModeAndAction(&m, &a, slot); });
    expectRead({
        {"Get_CollModeAndAction", "=1,2", RC_OK, "1,2", pair},
        {"Get_CollModeAndAction", "=1", RC_FAIL, "9,9", pair},
        {"Get_AxisCollMode 2", "=3", RC_OK, "3", getter<int32_t>(ZEFRA_Get_AxisCollMode, 2)},
        {"Get_AxisCollLevel 3", "=1.5", RC_OK, "1.5", getter<double>(ZEFRA_Get_AxisCollLevel, 3)},
        {"Get_CollDist", "=40", RC_OK, "40", getter<int32_t>(ZEFRA_Get_CollDist)},
        {"Get_TeachModeAxisCollMode 2", "=4", RC_OK, "4", getter<int32_t>(ZEFRA_Get_TeachModeAxisCollMode, 2)},
        {"Get_TeachModeCollAction", "=5", RC_OK, "5", getter<int32_t>(ZEFRA_Get_TeachModeCollAction)},
        {"Get_TeachModeAxisCollLevel 3", "=2.25", RC_OK, "2.25", getter<double>(ZEFRA_Get_TeachModeAxisCollLevel, 3)},
        {"Get_TeachModeCollDist", "=6", RC_OK, "6", getter<int32_t>(ZEFRA_Get_TeachModeCollDist)},
        {"Get_PlayBackModeAxisCollMode 2", "=7", RC_OK, "7", getter<int32_t>(ZEFRA_Get_PlayBackModeAxisCollMode, 2)},
        {"Get_PlayBackModeCollAction", "=8", RC_OK, "8", getter<int32_t>(ZEFRA_Get_PlayBackModeCollAction)},
        {"Get_PlayBackModeAxisCollLevel 3", "=-1e2", RC_OK, "-100", getter<double>(ZEFRA_Get_PlayBackModeAxisCollLevel, 3)},
        {"Get_PlayBackModeCollDist", "=0", RC_OK, "0", getter<int32_t>(ZEFRA_Get_PlayBackModeCollDist)},
    });
    int32_t v = 0;
    expectRefused({ZEFRA_Get_CollModeAndAction(nullptr, &v, slot), ZEFRA_Get_CollModeAndAction(&v, nullptr, slot)});
}

TEST_F(Collision, RecommendedLevelsComeOnlyForFourOrSixAxes) {
    const auto levels = [](int32_t count) { return getter<Six>(ZEF_GetRecommendCollisionLevel, 1, count); };
    const auto noLevels = [](int32_t count) {
        return [count](std::string&) { return ZEF_GetRecommendCollisionLevel(1, count, nullptr, slot); };
    };
    expectRead({
        {"GetRecommendCollisionLevel 1 4", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,9,9", levels(4)},
        {"GetRecommendCollisionLevel 1 4", "=1,2,3", RC_FAIL, nines(6), levels(4)},
        {"GetRecommendCollisionLevel 1 6", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,5,6", levels(6)},
        {"GetRecommendCollisionLevel 1 6", "=1,2,3,4", RC_FAIL, nines(6), levels(6)},
        {"GetRecommendCollisionLevel 1 5", "=1,2,3,4,5", RC_FAIL, nines(6), levels(5)},
        {"GetRecommendCollisionLevel 1 0", "=1", RC_OK, nines(6), levels(0)},
        {"GetRecommendCollisionLevel 1 0", "=", RC_OK, "", noLevels(0)},  // levels needed only for 4 and 6
        {"GetRecommendCollisionLevel 1 -4", "=1", RC_FAIL, "", noLevels(-4)},
    });
    expectRefused({ZEF_GetRecommendCollisionLevel(1, 4, nullptr, slot), ZEF_GetRecommendCollisionLevel(1, 6, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
