// Configuration: kinematic parameters, homes and steps, limits, collision detection,
// interference zones and tool shapes, the mechanism, servo function codes and profiles.
#include <string>
#include <vector>

#include "support/family_test.h"

namespace zefra::test {
namespace {

using Configuration = FamilyTest;

#define FLOAT_SET(word, count, fromFirst) FloatSet{#word, ZEFRA_Get_##word, ZEFRA_Set_##word, count, fromFirst}

TEST_F(Configuration, KinematicParametersLimitsAndZoneParameters) {
    expectFloatSets({
        FLOAT_SET(StrPara, 6, false), FLOAT_SET(StrParaComp, 6, false), FLOAT_SET(RdctRatio, 6, true),
        FLOAT_SET(CpParaM, 6, true), FLOAT_SET(CpParaS, 6, true), FLOAT_SET(TeachVelLimJ, 6, true),
        FLOAT_SET(TeachVelLimL, 2, false), FLOAT_SET(TeachAccLimJ, 6, true), FLOAT_SET(TeachAccLimL, 2, false),
        FLOAT_SET(RunVelLimJ, 6, true), FLOAT_SET(RunVelLimL, 2, false), FLOAT_SET(RunAccLimJ, 6, true),
        FLOAT_SET(RunAccLimL, 2, false), FLOAT_SET(StopDecLimJ, 6, true), FLOAT_SET(StopDecLimL, 2, false),
        FLOAT_SET(ZonePara, 2, false),
    });
}

// Cartesian homes carry six decimals, joints three; both read straight in from the first value on.
TEST_F(Configuration, HomesZerosStepsAndAxisLimits) {
    static const double pos[6] = {1.5, -2, 0.1234567, 0, 0, 90};
    static const RobJP joints{{12.3456, 0, 0, 0, 0, 0, 0, -1}, {0.0004, 0, 0, 0, 0, 5}};
    static const int32_t zero[6] = {1, -2, 3, 0, 2147483647, -2147483647 - 1};
    const auto home = getter<Six>(ZEFRA_Get_HomePos, -1);
    const auto homeJ = getter<RobJP>(ZEFRA_Get_HomeJPos, 4);
    const auto zeros = getter<std::array<int32_t, 6>>(ZEFRA_Get_ZeroPos);
    expectCalls({
        {"Get_HomePos -1", "=1.5,2.5;3", RC_OK, "1.5,2.5,9,9,9,9", home},
        {"Get_HomePos -1", "=;1", RC_FAIL, nines(6), home},
        {"Get_HomeJPos 4", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14", RC_OK, "1,2,3,4,5,6,7,8,9,10,11,12,13,14", homeJ},
        {"Get_HomeJPos 4", "=-1,-2;x", RC_OK, "-1,-2," + nines(12), homeJ},
        {"Get_HomeJPos 4", "=", RC_FAIL, nines(14), homeJ},
        // Each value is cut toward zero; one without an int32 to cut to spoils the whole reply.
        {"Get_ZeroPos", "=1024.9,-1024.9,0,0,0,0", RC_OK, "1024,-1024,0,0,0,0", zeros},
        {"Get_ZeroPos", "=5", RC_OK, "5,0,0,0,0,0", zeros},
        {"Get_ZeroPos", "=2147483647.9,-2147483648.9,1e3", RC_OK, "2147483647,-2147483648,1000,0,0,0", zeros},
        {"Get_ZeroPos", "=2147483648", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=1,-2147483649", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=1,2,3,4,5,inf", RC_FAIL, nines(6), zeros}, {"Get_ZeroPos", "=nan", RC_FAIL, nines(6), zeros},
        {"Get_ZeroPos", "=x", RC_FAIL, nines(6), zeros},
    });
    expectQueries<float>({QUERY(Get_StepMotionJ), QUERY(Get_StepMotionL), QUERY(Get_StepMotionR),
                          {partial(ZEFRA_Get_AxisNLim, -1), "Get_AxisNLim J-1"},
                          {partial(ZEFRA_Get_AxisPLim, 0), "Get_AxisPLim J0"}});
    expectQueries({QUERY(Get_InchStep), QUERY(Get_CInterpMode)});
    expectCalls({
        sends("Set_HomePos 3 1.500000,-2.000000,0.123457,0.000000,0.000000,90.000000", ZEFRA_Set_HomePos, 3, pos),
        sends("Set_HomeJPos 2 12.346,0.000,0.000,0.000,0.000,0.000,0.000,-1.000;0.000,0.000,0.000,0.000,0.000,5.000",
              ZEFRA_Set_HomeJPos, 2, &joints),
        sends("Set_ZeroPos 1,-2,3,0,2147483647,-2147483648", ZEFRA_Set_ZeroPos, zero),
        sends("Set_StepMotionJ 2.500000", ZEFRA_Set_StepMotionJ, 2.5f),
        sends("Set_StepMotionL -0.500000", ZEFRA_Set_StepMotionL, -0.5f),
        sends("Set_StepMotionR 1.000000", ZEFRA_Set_StepMotionR, 1.0f),
        sends("Set_AxisNLim J3 170.500000", ZEFRA_Set_AxisNLim, 3, 170.5f),  // any axis number, glued to the "J"
        sends("Set_AxisPLim J-1 -0.500000", ZEFRA_Set_AxisPLim, -1, -0.5f), SENDS(Set_CInterpMode, -2),
    });
}

TEST_F(Configuration, Collision) {
    const auto pair = getter<int32_t, int32_t>(ZEFRA_Get_CollModeAndAction);
    expectCalls({
        SENDS(Set_CollModeAndAction, 1, 2), SENDS(Set_AxisCollMode, 3, -1),
        sends("Set_AxisCollLevel 2 1.250000", ZEFRA_Set_AxisCollLevel, 2, 1.25), SENDS(Set_CollDist, 40),
        SENDS(Set_TeachModeAxisCollMode, 1, 2), SENDS(Set_TeachModeCollAction, 3),
        sends("Set_TeachModeAxisCollLevel 4 0.123457", ZEFRA_Set_TeachModeAxisCollLevel, 4, 0.1234567),
        SENDS(Set_TeachModeCollDist, 5), SENDS(Set_PlayBackModeAxisCollMode, 6, 7),
        SENDS(Set_PlayBackModeCollAction, 8),
        sends("Set_PlayBackModeAxisCollLevel 1 -2.500000", ZEFRA_Set_PlayBackModeAxisCollLevel, 1, -2.5),
        SENDS(Set_PlayBackModeCollDist, -9),
        sends("ResetRecommendCollisionLevel 2", ZEF_ResetRecommendCollisionLevel, 2),
        {"Get_CollModeAndAction", "=1,2", RC_OK, "1,2", pair}, {"Get_CollModeAndAction", "=1", RC_FAIL, "9,9", pair},
    });
    expectQueries<double>({QUERY(Get_AxisCollLevel, 3), QUERY(Get_TeachModeAxisCollLevel, 3),
                           QUERY(Get_PlayBackModeAxisCollLevel, 3)});
    expectQueries({
        QUERY(Get_AxisCollMode, 2), QUERY(Get_CollDist), QUERY(Get_TeachModeAxisCollMode, 2),
        QUERY(Get_TeachModeCollAction), QUERY(Get_TeachModeCollDist),
        QUERY(Get_PlayBackModeAxisCollMode, 2), QUERY(Get_PlayBackModeCollAction),
        QUERY(Get_PlayBackModeCollDist),
    });
    // Recommended levels come only for four or six axes.
    const auto levels = [](int32_t count) { return getter<Six>(ZEF_GetRecommendCollisionLevel, 1, count); };
    const auto noLevels = [](int32_t count) {
        return [count](std::string&) { return ZEF_GetRecommendCollisionLevel(1, count, nullptr, slot); };
    };
    expectCalls({
        {"GetRecommendCollisionLevel 1 4", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,9,9", levels(4)},
        {"GetRecommendCollisionLevel 1 4", "=1,2,3", RC_FAIL, nines(6), levels(4)},
        {"GetRecommendCollisionLevel 1 6", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,5,6", levels(6)},
        {"GetRecommendCollisionLevel 1 6", "=1,2,3,4", RC_FAIL, nines(6), levels(6)},
        {"GetRecommendCollisionLevel 1 5", "=1,2,3,4,5", RC_FAIL, "", noLevels(5)},
        {"GetRecommendCollisionLevel 1 0", "=", RC_OK, "", noLevels(0)},  // levels needed only for 4 and 6
        {"GetRecommendCollisionLevel 1 -4", "=1", RC_FAIL, "", noLevels(-4)},
    });
}

const InterferZonePara zone0{-1, 2, 3, 65535, 0.5f, 6, 0, {1, 2, 3, 4, 5, 6.25f}, {9, 9, 9, 9, 9, 9}};
const InterferZonePara zone1{1, 2, 3, 4, 5, 6, 1, {9, 9, 9, 9, 9, 9}, {-1, 0.1f, 0, 0, 0, 1e6f}};
const InterferToolPara none{}, box{1, {1, 2, 3, 4, 5, 6, 7, 65535}, {9, 9}, 9, {9}, {9}, {9}};
const InterferToolPara ball{2, {9}, {1.5f, -0.25f}, 9, {9}, {9}, {9}};
const InterferToolPara shape30{3, {9}, {9}, 0, {1, 2, 3, 4, 5, 6}, {9, 9, 9, 9, 9, 9}, {9}};
const InterferToolPara shape31{3, {9}, {9}, 1, {9}, {-1, -2, -3, -4, -5, -6}, {9}};
const InterferToolPara shape32{3, {9}, {9}, 2, {9}, {9}, {0.1234f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -12.5f}};

// Zones and tool shapes go out with the named group only; readings refuse what they cannot use.
TEST_F(Configuration, Interference) {
    expectCalls({
        sends("Set_InterferZonePara 3 -1,2,3,65535,0.500000,6,0,1.000000,2.000000,3.000000,4.000000,5.000000,6.250000",
              ZEFRA_Set_InterferZonePara, 3, &zone0),
        sends("Set_InterferZonePara -3 1,2,3,4,5.000000,6,1,-1.000000,0.100000,0.000000,0.000000,0.000000,"
              "1000000.000000",
              ZEFRA_Set_InterferZonePara, -3, &zone1),
        SENDS(Set_InterferZoneActStat, 2, 1), SENDS(Set_InterferToolActNum, 5),
        sends("Set_InterferToolPara 4 0", ZEFRA_Set_InterferToolPara, 4, &none),
        sends("Set_InterferToolPara 4 1,1,2,3,4,5,6,7,65535", ZEFRA_Set_InterferToolPara, 4, &box),
        sends("Set_InterferToolPara 4 2,1.500000,-0.250000", ZEFRA_Set_InterferToolPara, 4, &ball),
        sends("Set_InterferToolPara 1 3,0,1.000000,2.000000,3.000000,4.000000,5.000000,6.000000",
              ZEFRA_Set_InterferToolPara, 1, &shape30),
        sends("Set_InterferToolPara 1 3,1,-1.000000,-2.000000,-3.000000,-4.000000,-5.000000,-6.000000",
              ZEFRA_Set_InterferToolPara, 1, &shape31),
        sends("Set_InterferToolPara 1 3,2,0.123,1.000,2.000,3.000,4.000,5.000,6.000,7.000,8.000,9.000,10.000,11.000,"
              "-12.500",
              ZEFRA_Set_InterferToolPara, 1, &shape32),
    });
    InterferZonePara badKind = zone0;
    InterferToolPara badShape = ball, badVariant = shape32;
    badKind.kind = 2;
    badShape.shapeType = 4;
    badVariant.type3Kind = 3;
    const auto zone = getter<InterferZonePara>(ZEFRA_Get_InterferZonePara, 3);
    const auto states = getter<std::array<int32_t, 16>>(ZEFRA_Get_InterferZoneActStat);
    const auto active = getter<int32_t>(ZEFRA_Get_InterferToolActNum);
    const std::string sixteen = "=1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,-1";
    expectCalls({
        {"Get_InterferZonePara 3", "=-1,2,3,65535,0.5,6,1,1,2,3,4,5,6", RC_OK,
         "-1,2,3,65535,0.5,6,1,0,0,0,0,0,0,1,2,3,4,5,6", zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,0,1,2,3,4,5,-6", RC_OK, "1,2,3,4,5,6,0,1,2,3,4,5,-6,0,0,0,0,0,0",
         zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,0,1,2,3,4,5", RC_BAD_PARAM, nines(19), zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,2,1,2,3,4,5,6", RC_BAD_PARAM, nines(19), zone},
        {"Get_InterferZoneActStat", sixteen, RC_OK, sixteen.substr(1), states},
        {"Get_InterferZoneActStat", sixteen.substr(0, 30), RC_BAD_PARAM, sixteen.substr(1, 29) + ",9", states},
        {"Get_InterferToolActNum", "=3", RC_OK, "3", active},
        {"Get_InterferToolActNum", "=x", RC_BAD_PARAM, "9", active},
        {"Get_InterferToolActNum", "e", RC_FAIL, "9", active},  // the exchange's failures pass unchanged
    });
    // Tool shape readings fill the named group and zero the rest.
    const InterferToolPara untouched = filled<InterferToolPara>();
    const struct { const char* reply; int32_t rc; InterferToolPara expected; } rows[] = {
        {"=0,5", RC_OK, {}}, {"=1,1,2,3,4,5,6,7,65535", RC_OK, {1, {1, 2, 3, 4, 5, 6, 7, 65535}, {}, 0, {}, {}, {}}},
        {"=2,1.5", RC_OK, {2, {}, {1.5f, 0}, 0, {}, {}, {}}}, {"=3", RC_OK, {3, {}, {}, 0, {}, {}, {}}},
        {"=3,0,1,2,3,4,5,6", RC_OK, {3, {}, {}, 0, {1, 2, 3, 4, 5, 6}, {}, {}}},
        {"=3,1,-1,-2,-3,x", RC_OK, {3, {}, {}, 1, {}, {-1, -2, -3}, {}}},
        {"=3,2,1,2,3,4,5,6,7,8,9,10,11,12,-13", RC_OK,
         {3, {}, {}, 2, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -13}}},
        {"=4,1", RC_BAD_PARAM, untouched}, {"=3,3,1", RC_BAD_PARAM, untouched},
        {"ok", RC_BAD_PARAM, untouched},  // no shape number at all: not read as shape 0
        {"e", RC_FAIL, untouched},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reply);
        InterferToolPara para = untouched;
        controller.replyPayload(row.reply);
        EXPECT_EQ(ZEFRA_Get_InterferToolPara(-2, &para, slot), row.rc);
        EXPECT_EQ(sent(), "Get_InterferToolPara -2");
        EXPECT_TRUE(same(para, row.expected));
    }
    controller.clear();
    expectRefused({ZEFRA_Set_InterferZonePara(1, &badKind, slot), ZEFRA_Set_InterferToolPara(1, &badShape, slot),
                   ZEFRA_Set_InterferToolPara(1, &badVariant, slot)});
}

TEST_F(Configuration, MechanismRefusesPulsesOutOfRangeThenSendsAndQueries) {
    expectRefused({ZEFRA_Pulse(13824, 1, 0, slot), ZEFRA_Pulse(UINT32_MAX, 1, 0, slot), ZEFRA_Pulse(1, 0.09, 0, slot),
                   ZEFRA_Pulse(1, 2000.5, 0, slot), ZEFRA_Pulse(1, 1, 2, slot), ZEFRA_Pulse(1, 1, UINT32_MAX, slot)});
    expectCalls({
        sends("pulse 5 2.000000 1", ZEFRA_Pulse, 5, 2, 1), sends("pulse 13823 0.100000 0", ZEFRA_Pulse, 13823, 0.1, 0),
        sends("pulse 0 2000.000000 1", ZEFRA_Pulse, 0, 2000.0, 1),
        sends("set_acc 1.500000 -0.000000", ZEFRA_Set_Acc, 1.5, -0.0000004),
        sends("set_gripload -3", ZEFRA_Set_GripLoad, -3), SENDS(Set_AxisNumsGeneral, 7),
    });
    using enum Output;
    expectQueries({
        {ZEFRA_Get_GripLoad, "get_gripload"}, QUERY(Get_AxisNumsGeneral),
        {partial(ZEFRA_AutoTestSetMachineParams, "m 1"), "AutoTestSetMachineParams m 1"},
        QUERY(AutoTestCheckFileAndMemDif), {ZEFRA_Get_OnPathStat, "get_onpathstat"},
        {ZEFRA_Get_InRemoteModeStat, "get_inremotemodestat"}, {ZEFRA_Get_InAutoModeStat, "get_inautomodestat"},
        {ZEFRA_Get_ProjSyncStatus, "Get_ProjSyncStatus", counter},
        {ZEFRA_Get_MechUnitCfgNum, "Get_MechUnitCfgNum", counter},
        {partial(ZEFRA_Get_MechUnitCfgType, -4), "Get_MechUnitCfgType -4", counter},
        {partial(ZEFRA_Get_IOAuthority, 2, -1), "Get_IOAuthority 2 -1", authority},
    });
    const auto acc = getter<double, double>(ZEFRA_Get_Acc);  // both written or neither
    expectCalls({{"get_acc", "=7,8", RC_OK, "7,8", acc}, {"get_acc", "=7;8", RC_FAIL, "9,9", acc}});
}

TEST_F(Configuration, ServoFunctionCodesAndProfiles) {
    // The fixture's controller is on slot 0, the only slot the three slot-less queries use.
    const auto slotless = [](auto get) { return WithOutputs<decltype(get), int32_t>{get}; };
    expectCalls({
        SENDS(WriteServoFunCode, 1, 5, 12, 0, 300), SENDS(SetProfileMode, 2), SENDS(SetExtProfileType, -1),
        SENDS(ClearExtProfileData),
        {"ReadServoFunCode 1 2 -3 4", "=300", RC_OK, "300", getter<int32_t>(ZEFRA_ReadServoFunCode, 1, 2, -3, 4)},
        {"GetProfileMode", "=1", RC_OK, "1", slotless(ZEFRA_GetProfileMode)},
        {"GetExtProfileType", "=2", RC_OK, "2", slotless(ZEFRA_GetExtProfileType)},
        {"GetExtProfileLeftSpace", "=960", RC_OK, "960", slotless(ZEFRA_GetExtProfileLeftSpace)},
        {"GetExtProfileUsedSpace", "=48", RC_OK, "48", getter<int32_t>(ZEFRA_GetExtProfileUsedSpace)},
    });

    // An upload sends the entries raw, then their byte count. Every byte value, but no "$$" or "**" pair: the
    // fake controller would end the frame there.
    std::string all;
    for (int i = 0; i < 24 * 42; ++i) all += static_cast<char>((i * 7 + 1) % 256);
    const std::string one("\x01$#\0*\xff\x01$#\0*\xff\x01$#\0*\xff\x01$#\0*\xff", 24);
    using Frames = std::vector<std::string>;
    EXPECT_EQ(ZEFRA_SetExtProfileData(1, one.data(), slot), RC_OK);
    EXPECT_EQ(controller.frames(), (Frames{"@@" + one + "**", "@@SetExtProfileData 24$$"}));
    controller.clear();
    EXPECT_EQ(ZEFRA_SetExtProfileData(42, all.data(), slot), RC_OK);
    EXPECT_EQ(controller.frames(), (Frames{"@@" + all + "**", "@@SetExtProfileData 1008$$"}));

    // A refused upload is not announced ("e-3" is a refusal too); a refused announcement is the result.
    for (const auto& [reply, rc] : {std::pair<const char*, int32_t>{"e5:full", -5}, {"busy", RC_FAIL}, {"e-3", 3}}) {
        controller.clear();
        controller.replyPayload(reply);
        EXPECT_EQ(ZEFRA_SetExtProfileData(1, all.data(), slot), rc) << reply;
        EXPECT_EQ(controller.requestCount(), 1u) << reply;
    }
    controller.replyPayload("ok");
    controller.replyPayload("e7");
    EXPECT_EQ(ZEFRA_SetExtProfileData(2, all.data(), slot), -7);
    EXPECT_EQ(controller.commands().back(), "SetExtProfileData 48");

    // The entry count comes first, with a result of its own; 0x0AAAAAAB entries would wrap to 8 bytes.
    controller.clear();
    for (const uint32_t count : {0u, 43u, 0x0AAAAAABu})
        EXPECT_EQ(ZEFRA_SetExtProfileData(count, nullptr, slot), -3) << count;
}

}  // namespace
}  // namespace zefra::test
