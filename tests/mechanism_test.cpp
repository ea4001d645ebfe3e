#include <cmath>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class Mechanism : public ControllerTest {};

TEST_F(Mechanism, CommandsGoOutAsWritten) {
    const struct {
        std::function<int32_t()> call;
        const char* request;
    } rows[] = {{[] { return ZEFRA_Pulse(5, 2, 1, slot); }, "pulse 5 2.000000 1"},
                {[] { return ZEFRA_Pulse(13823, 0.1, 0, slot); }, "pulse 13823 0.100000 0"},
                {[] { return ZEFRA_Pulse(0, 2000.0, 1, slot); }, "pulse 0 2000.000000 1"},
                {[] { return ZEFRA_Set_Acc(1.5, -0.0000004, slot); }, "set_acc 1.500000 -0.000000"},
                {[] { return ZEFRA_Set_GripLoad(-3, slot); }, "set_gripload -3"},
                {[] { return ZEFRA_Set_AxisNumsGeneral(7, slot); }, "Set_AxisNumsGeneral 7"}};
    for (const auto& row : rows) {
        controller.replyPayload("ok");
        EXPECT_EQ(row.call(), RC_OK) << row.request;
        EXPECT_EQ(sent(), row.request);
        controller.replyPayload("e9:no");
        EXPECT_EQ(row.call(), -9) << row.request;
    }
}

TEST_F(Mechanism, ArgumentsOutsideTheirRangesAreRefusedUnsent) {
    int32_t value = 0;
    const int32_t calls[] = {ZEFRA_Pulse(13824, 1, 0, slot),    ZEFRA_Pulse(UINT32_MAX, 1, 0, slot),
                             ZEFRA_Pulse(1, 0.09, 0, slot),     ZEFRA_Pulse(1, 2000.5, 0, slot),
                             ZEFRA_Pulse(1, NAN, 0, slot),      ZEFRA_Pulse(1, INFINITY, 0, slot),
                             ZEFRA_Pulse(1, 1, 2, slot),        ZEFRA_Pulse(1, 1, UINT32_MAX, slot),
                             ZEFRA_Set_Acc(NAN, 1, slot),       ZEFRA_Set_Acc(1, -INFINITY, slot),
                             ZEFRA_Get_Acc(nullptr, nullptr, slot), ZEFRA_AutoTestSetMachineParams(nullptr, &value, slot),
                             ZEFRA_Get_IOAuthority(2, -1, nullptr, slot)};
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(calls[i], RC_BAD_PARAM) << "call " << i;
    EXPECT_TRUE(nothingSent());
}

TEST_F(Mechanism, AccelerationPairIsWrittenOnlyWhenBothAreRead) {
    const struct {
        const char* payload;
        int32_t rc;
        double first, second;
    } rows[] = {{"=1.5, 2.5", RC_OK, 1.5, 2.5}, {"=1e2,-3", RC_OK, 100, -3}, {"=1.5;2.5", RC_FAIL, 9, 9},
                {"=1.5", RC_FAIL, 9, 9},         {"e3:", -3, 9, 9}};
    for (const auto& row : rows) {
        double a = 9, b = 9;
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_Acc(&a, &b, slot), row.rc) << row.payload;
        EXPECT_EQ(sent(), "get_acc");
        EXPECT_EQ(a, row.first) << row.payload;
        EXPECT_EQ(b, row.second) << row.payload;
    }
}

// Ordinary queries write only a number they read; the three counters write 0 first and take
// a reply without a number as 0; the I/O authority scans in place and refuses negatives.
enum Kind { ordinary, counter, authority };

TEST_F(Mechanism, IntegerRepliesFollowEachQuerysRules) {
    using Call = std::function<int32_t(int32_t*)>;
    const struct {
        Call call;
        const char* request;
        Kind kind;
    } queries[] = {
        {[](int32_t* v) { return ZEFRA_Get_GripLoad(v, slot); }, "get_gripload", ordinary},
        {[](int32_t* v) { return ZEFRA_Get_AxisNumsGeneral(v, slot); }, "Get_AxisNumsGeneral", ordinary},
        {[](int32_t* v) { return ZEFRA_AutoTestSetMachineParams("m 1", v, slot); }, "AutoTestSetMachineParams m 1", ordinary},
        {[](int32_t* v) { return ZEFRA_AutoTestCheckFileAndMemDif(v, slot); }, "AutoTestCheckFileAndMemDif", ordinary},
        {[](int32_t* v) { return ZEFRA_Get_OnPathStat(v, slot); }, "get_onpathstat", ordinary},
        {[](int32_t* v) { return ZEFRA_Get_InRemoteModeStat(v, slot); }, "get_inremotemodestat", ordinary},
        {[](int32_t* v) { return ZEFRA_Get_InAutoModeStat(v, slot); }, "get_inautomodestat", ordinary},
        {[](int32_t* v) { return ZEFRA_Get_ProjSyncStatus(v, slot); }, "Get_ProjSyncStatus", counter},
        {[](int32_t* v) { return ZEFRA_Get_MechUnitCfgNum(v, slot); }, "Get_MechUnitCfgNum", counter},
        {[](int32_t* v) { return ZEFRA_Get_MechUnitCfgType(-4, v, slot); }, "Get_MechUnitCfgType -4", counter},
        {[](int32_t* v) { return ZEFRA_Get_IOAuthority(2, -1, v, slot); }, "Get_IOAuthority 2 -1", authority},
    };
    const struct {
        const char* payload;
        int32_t before;
        int32_t rc[3], after[3];  // by Kind
    } cases[] = {
        {"=3", 9, {RC_OK, RC_OK, RC_OK}, {3, 3, 3}},
        {"=-2", 9, {RC_OK, RC_OK, RC_BAD_PARAM}, {-2, -2, 0}},
        {"ok", 5, {RC_FAIL, RC_OK, RC_OK}, {5, 0, 5}},
        {"=x", -1, {RC_FAIL, RC_OK, RC_BAD_PARAM}, {-1, 0, 0}},
        {"=", 9, {RC_FAIL, RC_BAD_PARAM, RC_BAD_PARAM}, {9, 0, 0}},
        {"= ", 9, {RC_FAIL, RC_BAD_PARAM, RC_BAD_PARAM}, {9, 0, 0}},
        {"e4:", 9, {-4, -4, -4}, {9, 0, 0}},
        {"e", 9, {RC_FAIL, RC_FAIL, RC_FAIL}, {9, 0, 0}},
    };
    for (const auto& query : queries) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(query.request) + " <- " + c.payload);
            int32_t value = c.before;
            controller.replyPayload(c.payload);
            EXPECT_EQ(query.call(&value), c.rc[query.kind]);
            EXPECT_EQ(sent(), query.request);
            EXPECT_EQ(value, c.after[query.kind]);
        }
        controller.clear();
        EXPECT_EQ(query.call(nullptr), RC_BAD_PARAM) << query.request;
        EXPECT_TRUE(nothingSent()) << query.request;
    }
}

}  // namespace
}  // namespace zefra::test
