#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class GlobalPoints : public ControllerTest {};

const PointRecord gp{{100.5, -20, 0.0000004, 1, 2, 90.0000006}, {3, 4, 5, 6}, {7, 8, 9}};
const std::string gpText = "100.500000,-20.000000,0.000000,1.000000,2.000000,90.000001;3,4,5,6;7,8,9";
const PointRecord reg{{1, 2, 3, 4, 5, 6}, {7, 7, 7, 7}, {7, 7, 7}};
const std::string regText = "1.000000,2.000000,3.000000,4.000000,5.000000,6.000000";

bool same(const PointRecord& a, const PointRecord& b) {
    return std::memcmp(&a, &b, offsetof(PointRecord, frameRef) + sizeof a.frameRef) == 0;
}

TEST_F(GlobalPoints, CommandsSendTheirExactTextAndTwinsSendTheGpWords) {
    const std::pair<std::function<int32_t()>, std::string> rows[] = {
        {[] { return ZEFRA_Set_GP(4, &gp, slot); }, "Set_GP 4 " + gpText},
        {[] { return ZEFRA_Set_P(4, &gp, slot); }, "Set_GP 4 " + gpText},
        {[] { return ZEFRA_Set_GPHere(-4, slot); }, "Set_GPHere -4"},
        {[] { return ZEFRA_Set_PHere(-4, slot); }, "Set_GPHere -4"},
        {[] { return ZEFRA_Set_PR(2, &reg, slot); }, "Set_PR 2 " + regText},  // the seven 7s stay home
        {[] { return ZEFRA_Set_PRVar(2, reg.pos, slot); }, "Set_PR 2 " + regText},
        {[] { return ZEFRA_Set_LPR(3, &reg, slot); }, "Set_LPR 3 " + regText},
        {[] { return ZEFRA_WriteFile_PR(slot); }, "WriteFile_PR"}};
    for (const auto& [call, text] : rows) {
        EXPECT_EQ(call(), RC_OK) << text;
        EXPECT_EQ(sent(), text);
    }
}

TEST_F(GlobalPoints, QueriesReplaceTheWholeOutputOrLeaveItAsItWas) {
    const PointRecord read{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0}};
    const char* twelve = "=100.5,-20,4e-7,1,2,90.0000006;3,4,5,6;7,8";
    const char* thirteen = "=100.5,-20,4e-7,1,2,90.0000006;3,4,5,6;7,8,9";
    const struct {
        int32_t(ZEFRA_CALL* get)(int32_t, PointRecord*, int32_t);
        const char *request, *bad, *good;
        const PointRecord &before, &after;
    } rows[] = {{ZEFRA_Get_GP, "Get_GP 4", twelve, thirteen, reg, gp},
                {ZEFRA_Get_P, "Get_GP 4", twelve, thirteen, reg, gp},
                {ZEFRA_Get_PR, "Get_PR 4", "=1,2,3", "=1,2,3,4,5,6", gp, read},
                {ZEFRA_Get_LPR, "Get_LPR 4", "=1,2,3", "=1,2,3,4,5,6", gp, read}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.request);
        PointRecord p = row.before;
        controller.replyPayload(row.bad);
        EXPECT_EQ(row.get(4, &p, slot), RC_FAIL);
        EXPECT_TRUE(same(p, row.before));
        controller.replyPayload(row.good);
        EXPECT_EQ(row.get(4, &p, slot), RC_OK);
        EXPECT_EQ(sent(), row.request);
        EXPECT_TRUE(same(p, row.after));
    }
    double values[7] = {9, 9, 9, 9, 9, 9, 9};
    controller.replyPayload("=1,2,3,4,5");
    EXPECT_EQ(ZEFRA_Get_PRVar(2, values, slot), RC_FAIL);
    EXPECT_EQ(values[0], 9);
    controller.replyPayload("=1,2,3,4,5,6,7");
    EXPECT_EQ(ZEFRA_Get_PRVar(2, values, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_PR 2");
    EXPECT_EQ(std::memcmp(values, read.pos, sizeof read.pos), 0);
    EXPECT_EQ(values[6], 9);  // six doubles and nothing beyond
}

TEST_F(GlobalPoints, NullsAndNonFiniteValuesAreRefusedUnsent) {
    PointRecord notFinite = reg;
    notFinite.pos[5] = -INFINITY;
    const int32_t calls[] = {ZEFRA_Get_GP(1, nullptr, slot),    ZEFRA_Set_GP(1, nullptr, slot),
                             ZEFRA_Get_PR(1, nullptr, slot),    ZEFRA_Set_PR(1, nullptr, slot),
                             ZEFRA_Get_PRVar(1, nullptr, slot), ZEFRA_Set_PRVar(1, nullptr, slot),
                             ZEFRA_Get_LPR(1, nullptr, slot),   ZEFRA_Set_LPR(1, nullptr, slot),
                             ZEFRA_Set_GP(1, &notFinite, slot), ZEFRA_Set_PR(1, &notFinite, slot)};
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(calls[i], RC_BAD_PARAM) << "call " << i;
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
