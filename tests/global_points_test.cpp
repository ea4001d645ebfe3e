#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class GlobalPoints : public FamilyTest {};

const PointRecord gp{{100.5, -20, 0.0000004, 1, 2, 90.0000006}, {3, 4, 5, 6}, {7, 8, 9}};
const std::string gpText = "100.500000,-20.000000,0.000000,1.000000,2.000000,90.000001;3,4,5,6;7,8,9";
const PointRecord reg{{1, 2, 3, 4, 5, 6}, {7, 7, 7, 7}, {7, 7, 7}};
const std::string regText = "1.000000,2.000000,3.000000,4.000000,5.000000,6.000000";

// The _P names are the _GP functions under a second name and send the GP words.
TEST_F(GlobalPoints, CommandsSendTheirExactText) {
    expectSent({
        {"Set_GP 4 " + gpText, [] { return ZEFRA_Set_GP(4, &gp, slot); }},
        {"Set_GP 4 " + gpText, [] { return ZEFRA_Set_P(4, &gp, slot); }},
        {"Set_GPHere -4", [] { return ZEFRA_Set_GPHere(-4, slot); }},
        {"Set_GPHere -4", [] { return ZEFRA_Set_PHere(-4, slot); }},
        {"Set_PR 2 " + regText, [] { return ZEFRA_Set_PR(2, &reg, slot); }},  // the seven 7s stay home
        {"Set_PR 2 " + regText, [] { return ZEFRA_Set_PRVar(2, reg.pos, slot); }},
        {"Set_LPR 3 " + regText, [] { return ZEFRA_Set_LPR(3, &reg, slot); }},
        {"WriteFile_PR", [] { return ZEFRA_WriteFile_PR(slot); }},
    });
    expectRefused({ZEFRA_Set_PR(1, nullptr, slot), ZEFRA_Set_PRVar(1, nullptr, slot), ZEFRA_Set_LPR(1, nullptr, slot)});
}

// Position registers carry six values; the integers of the record are then 0.
TEST_F(GlobalPoints, QueriesReplaceTheWholeOutputOrLeaveItAsItWas) {
    const PointRecord read{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0}};
    const std::string thirteen = "=100.5,-20,4e-7,1,2,90.0000006;3,4,5,6;7,8,9";
    expectWholeRecord("Get_GP 4", thirteen, gp, [](PointRecord* p) { return ZEFRA_Get_GP(4, p, slot); });
    expectWholeRecord("Get_GP 4", thirteen, gp, [](PointRecord* p) { return ZEFRA_Get_P(4, p, slot); });
    expectWholeRecord("Get_PR 4", "=1,2,3,4,5,6", read, [](PointRecord* p) { return ZEFRA_Get_PR(4, p, slot); }, gp);
    expectWholeRecord("Get_LPR 4", "=1,2,3,4,5,6", read, [](PointRecord* p) { return ZEFRA_Get_LPR(4, p, slot); }, gp);
    const auto values = with<std::array<double, 7>>([](auto& v) { return ZEFRA_Get_PRVar(2, v.data(), slot); });
    expectRead({{"Get_PR 2", "=1,2,3,4,5", RC_FAIL, nines(7), values},
                {"Get_PR 2", "=1,2,3,4,5,6,7", RC_OK, "1,2,3,4,5,6,9", values}});  // six doubles and nothing beyond
    PointRecord notFinite = reg;
    notFinite.pos[5] = -INFINITY;
    expectRefused({ZEFRA_Get_PRVar(1, nullptr, slot), ZEFRA_Set_GP(1, &notFinite, slot)});
}

}  // namespace
}  // namespace zefra::test
