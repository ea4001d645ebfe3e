#include <cstring>
#include <string>
#include <tuple>

#include "support/parameter_sets.h"

namespace zefra::test {
namespace {

class Kinematics : public FloatSetTest {};

TEST_F(Kinematics, ParameterSets) {
    for (const auto& row : {FloatSetRow{"StrPara", ZEFRA_Get_StrPara, ZEFRA_Set_StrPara, 6, false},
                            FloatSetRow{"StrParaComp", ZEFRA_Get_StrParaComp, ZEFRA_Set_StrParaComp, 6, false},
                            FloatSetRow{"RdctRatio", ZEFRA_Get_RdctRatio, ZEFRA_Set_RdctRatio, 6, true},
                            FloatSetRow{"CpParaM", ZEFRA_Get_CpParaM, ZEFRA_Set_CpParaM, 6, true},
                            FloatSetRow{"CpParaS", ZEFRA_Get_CpParaS, ZEFRA_Set_CpParaS, 6, true}})
        expectFloatSet(row);
}

// Cartesian with six decimals, joints with three; both read straight in from the first value on.
TEST_F(Kinematics, HomePositions) {
    const double pos[6] = {1.5, -2, 0.1234567, 0, 0, 90}, partly[6] = {1.5, 2.5, 7, 7, 7, 7};
    EXPECT_EQ(ZEFRA_Set_HomePos(3, pos, slot), RC_OK);
    EXPECT_EQ(sent(), "Set_HomePos 3 1.500000,-2.000000,0.123457,0.000000,0.000000,90.000000");
    double got[6] = {7, 7, 7, 7, 7, 7};
    controller.replyPayload("=1.5,2.5;3");
    EXPECT_EQ(ZEFRA_Get_HomePos(-1, got, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_HomePos -1");
    EXPECT_EQ(std::memcmp(got, partly, sizeof got), 0);

    const RobJP joints{{12.3456, 0, 0, 0, 0, 0, 0, -1}, {0.0004, 0, 0, 0, 0, 5}};
    EXPECT_EQ(ZEFRA_Set_HomeJPos(2, &joints, slot), RC_OK);
    EXPECT_EQ(sent(), "Set_HomeJPos 2 12.346,0.000,0.000,0.000,0.000,0.000,0.000,-1.000;0.000,0.000,0.000,0.000,0.000,5.000");
    RobJP target{{7, 7, 7, 7, 7, 7, 7, 7}, {7, 7, 7, 7, 7, 7}};
    controller.replyPayload("=1,2,3,4,5,6,7,8;9,10,11,12,13,14");
    EXPECT_EQ(ZEFRA_Get_HomeJPos(4, &target, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_HomeJPos 4");
    EXPECT_EQ(target.extAxes[5], 14);
    controller.replyPayload("=-1,-2;x");
    EXPECT_EQ(ZEFRA_Get_HomeJPos(4, &target, slot), RC_OK);
    EXPECT_EQ(target.axes[1] + target.axes[2], -2 + 3);
    for (const char* payload : {"=", "=;1"}) {
        controller.replyPayload(payload);
        EXPECT_EQ(ZEFRA_Get_HomeJPos(4, &target, slot), RC_FAIL) << payload;
        controller.replyPayload(payload);
        EXPECT_EQ(ZEFRA_Get_HomePos(1, got, slot), RC_FAIL) << payload;
    }
}

// Each value is cut toward zero; one without an int32 to cut to spoils the whole reply.
TEST_F(Kinematics, ZeroPositionsAreCutToInt32OrRefused) {
    const struct { const char* payload; int32_t rc; int32_t zero[6]; } rows[] = {
        {"=1024.9,-1024.9,0,0,0,0", RC_OK, {1024, -1024, 0, 0, 0, 0}}, {"=5", RC_OK, {5, 0, 0, 0, 0, 0}},
        {"=2147483647.9,-2147483648.9,1e3", RC_OK, {2147483647, -2147483647 - 1, 1000, 0, 0, 0}},
        {"=2147483648", RC_FAIL, {9, 9, 9, 9, 9, 9}}, {"=1,-2147483649", RC_FAIL, {9, 9, 9, 9, 9, 9}},
        {"=nan", RC_FAIL, {9, 9, 9, 9, 9, 9}}, {"=1,2,3,4,5,inf", RC_FAIL, {9, 9, 9, 9, 9, 9}},
        {"=", RC_FAIL, {9, 9, 9, 9, 9, 9}}, {"=x", RC_FAIL, {9, 9, 9, 9, 9, 9}}};
    for (const auto& row : rows) {
        int32_t zero[6] = {9, 9, 9, 9, 9, 9};
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_ZeroPos(zero, slot), row.rc) << row.payload;
        EXPECT_EQ(std::memcmp(zero, row.zero, sizeof zero), 0) << row.payload;
    }
    EXPECT_EQ(sent(), "Get_ZeroPos");
    const int32_t zero[6] = {1, -2, 3, 0, 2147483647, -2147483647 - 1};
    EXPECT_EQ(ZEFRA_Set_ZeroPos(zero, slot), RC_OK);
    EXPECT_EQ(sent(), "Set_ZeroPos 1,-2,3,0,2147483647,-2147483648");
}

TEST_F(Kinematics, StepSizesAndInchStep) {
    for (const auto& [word, get, set] : {std::tuple{"StepMotionJ", &ZEFRA_Get_StepMotionJ, &ZEFRA_Set_StepMotionJ},
                                         std::tuple{"StepMotionL", &ZEFRA_Get_StepMotionL, &ZEFRA_Set_StepMotionL},
                                         std::tuple{"StepMotionR", &ZEFRA_Get_StepMotionR, &ZEFRA_Set_StepMotionR}}) {
        EXPECT_EQ(set(2.5f, slot), RC_OK);
        EXPECT_EQ(sent(), "Set_" + std::string(word) + " 2.500000");
        float step = 7;
        controller.replyPayload("=0.1");
        EXPECT_EQ(get(&step, slot), RC_OK);
        EXPECT_EQ(sent(), "Get_" + std::string(word));
        controller.replyPayload("=x");
        EXPECT_EQ(get(&step, slot), RC_FAIL);
        EXPECT_EQ(step, 0.1f);
    }
    int32_t inch = 0;
    controller.replyPayload("=5");
    EXPECT_EQ(ZEFRA_Get_InchStep(&inch, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_InchStep");
    EXPECT_EQ(inch, 5);
}

TEST_F(Kinematics, NullStorageIsRefusedUnsent) {
    controller.clear();
    for (const int32_t rc : {ZEFRA_Get_HomePos(1, nullptr, slot), ZEFRA_Set_HomePos(1, nullptr, slot),
                             ZEFRA_Get_HomeJPos(1, nullptr, slot), ZEFRA_Set_HomeJPos(1, nullptr, slot),
                             ZEFRA_Get_ZeroPos(nullptr, slot), ZEFRA_Set_ZeroPos(nullptr, slot),
                             ZEFRA_Get_InchStep(nullptr, slot), ZEFRA_Get_StepMotionJ(nullptr, slot),
                             ZEFRA_Get_StepMotionL(nullptr, slot), ZEFRA_Get_StepMotionR(nullptr, slot)})
        EXPECT_EQ(rc, RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
