// Configuration: kinematic parameters, homes and steps, limits, collision detection, interference
// zones and tool shapes, the mechanism, servo function codes and profiles. Access and permits,
// controller and program control, status queries, system information, diagnosis, user alarms and
// print messages. Inputs and outputs, variables, Modbus registers and PLC variables, TCP-speed
// binding and trace recovery, interference regions.
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/charsets.h"
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
    expectQueries<float>({{partial(ZEFRA_Get_AxisNLim, -1), "Get_AxisNLim J-1"},
                          {partial(ZEFRA_Get_AxisPLim, 0), "Get_AxisPLim J0"}});
    expectCalls({
        sends("Set_HomePos 3 1.500000,-2.000000,0.123457,0.000000,0.000000,90.000000", ZEFRA_Set_HomePos, 3, pos),
        sends("Set_HomeJPos 2 12.346,0.000,0.000,0.000,0.000,0.000,0.000,-1.000;0.000,0.000,0.000,0.000,0.000,5.000",
              ZEFRA_Set_HomeJPos, 2, &joints),
        sends("Set_ZeroPos 1,-2,3,0,2147483647,-2147483648", ZEFRA_Set_ZeroPos, zero),
        sends("Set_AxisNLim J3 170.500000", ZEFRA_Set_AxisNLim, 3, 170.5f),  // any axis number, glued to the "J"
        sends("Set_AxisPLim J-1 -0.500000", ZEFRA_Set_AxisPLim, -1, -0.5f),
    });
}

TEST_F(Configuration, Collision) {
    const auto pair = getter<int32_t, int32_t>(ZEFRA_Get_CollModeAndAction);
    expectCalls({{"Get_CollModeAndAction", "=1,2", RC_OK, "1,2", pair},
                 {"Get_CollModeAndAction", "=1", RC_FAIL, "9,9", pair}});
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
        sends("set_gripload -3", ZEFRA_Set_GripLoad, -3),
    });
    expectQueries({
        {ZEFRA_Get_GripLoad, "get_gripload"},
        {partial(ZEFRA_AutoTestSetMachineParams, "m 1"), "AutoTestSetMachineParams m 1"},
        {ZEFRA_Get_OnPathStat, "get_onpathstat"}, {ZEFRA_Get_InRemoteModeStat, "get_inremotemodestat"},
        {ZEFRA_Get_InAutoModeStat, "get_inautomodestat"},
    });
    const auto acc = getter<double, double>(ZEFRA_Get_Acc);  // both written or neither
    expectCalls({{"get_acc", "=7,8", RC_OK, "7,8", acc}, {"get_acc", "=7;8", RC_FAIL, "9,9", acc}});
}

TEST_F(Configuration, ProfileDataGoesOutRawAndThenItsCount) {
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

using ControlStatus = FamilyTest;

TEST_F(ControlStatus, AccessPermitsAndControl) {
    // The permit state is written before its holder.
    const auto permit = getter<int32_t, uint32_t, uint16_t>(ZEFRA_CurPermit);
    expectCalls({
        {"CurPermit", "=1 Ip:192.0.2.10 Port:5000", RC_OK, "1,3221225994,5000", permit},  // 0xC000020A
        {"CurPermit", "=0", RC_OK, "0,0,0", permit},
        {"CurPermit", "=1 Ip:192.0.2.1 Port:70000", RC_OK, "1,3221225985,4464", permit},
        {"CurPermit", "=2 Ip:257.257.0.255 Port:-1", RC_OK, "2,33620223,65535", permit},  // wraps, never overflows
        {"CurPermit", "=1", RC_FAIL, "1,9,9", permit}, {"CurPermit", "=1 Ip:192.0.2.1 Port:", RC_FAIL, "1,9,9", permit},
        {"CurPermit", "ok", RC_FAIL, "9,9,9", permit},
    });
    // States and modes out of range are refused; the mode is judged before the slot (slot 5 is not connected).
    expectRefused({ZEFRA_AcqPermit(2, slot), ZEFRA_AcqPermit(-1, slot), ZEFRA_AcqPermit(2, 5), ZEFRA_Set_Mode(0, slot),
                   ZEFRA_Set_Mode(3, slot), ZEFRA_DsMode(-1, slot), ZEFRA_DsMode(4, slot)});
    expectCalls({
        sends("Acqpermit", ZEFRA_AcqPermit, 0), sends("Acqpermit forcibly", ZEFRA_AcqPermit, 1),
        sends("UserLogin 3 s3cret word", ZEFRA_UserLogin, 3, "s3cret word"),
        sends("UserLogin 2 ", ZEFRA_UserLogin, 2, ""),
        sends("Set_SysTime 2024-05-06 07:08:09", ZEFRA_Set_SysTime, "2024-05-06 07:08:09"),
        sends("EStop ON", ZEFRA_EmergStop, 1), sends("EStop OFF", ZEFRA_EmergStop, 0),
        sends("Motor ON", ZEFRA_MotorEnable, 1), sends("Motor OFF", ZEFRA_MotorEnable, 0),
        sends("Prg Start", ZEFRA_PrgCtrl, 1), sends("Prg Stop", ZEFRA_PrgCtrl, 0), sends("DsMode OFF", ZEFRA_DsMode, 0),
        sends("DsMode ON", ZEFRA_DsMode, 1), sends("DsMode Pause", ZEFRA_DsMode, 2),
        sends("DsMode Continue", ZEFRA_DsMode, 3), sends("Set_Mode 1", ZEFRA_Set_Mode, 1),
        sends("Set_Mode 2", ZEFRA_Set_Mode, 2),
        sends("Set_CurPrgPath [/prg/my job.prg]", ZEFRA_Set_CurPrgPath, "/prg/my job.prg"),
        sends("Set_CurProjPath [C:\\proj\\a;b]", ZEFRA_Set_CurProjPath, "C:\\proj\\a;b"),
        sends("set_accramp -1.234568 0.000000", ZEFRA_Set_AccRamp, -1.23456789, 4e-7),
        sends("set_flymode 3 -1", ZEFRA_Set_FlyMode, 3, -1), sends("set_rapidmove 0 7", ZEFRA_Set_RapidMove, 0, 7),
        sends("set_slvsmode 1", ZEFRA_Set_SLVSMode, 1), sends("set_flypress 20 30", ZEFRA_Set_FlyPress, 20, 30),
    });
}

TEST_F(ControlStatus, StatusQueries) {
    expectQueries({{ZEFRA_Get_SLVSMode, "get_slvsmode"}, {partial(ZEFRA_Get_FlyMode, 3), "get_flymode 3"},
                   {partial(ZEFRA_Get_RapidMove, -2), "get_rapidmove -2"}});
    expectWordQuery(partial(ZEFRA_Get_TaskPrgPath, 3), "Get_TaskPrgPath 3", 128, true, true);
    const auto code = getter<uint32_t>(ZEFRA_Get_SysErr);
    const auto servo = getter<uint32_t>(ZEFRA_Get_ServoErr, -3);
    const auto ramp = getter<double, double>(ZEFRA_Get_AccRamp);
    const auto press = getter<int32_t, int32_t>(ZEFRA_Get_FlyPress);
    expectCalls({
        // A hexadecimal code, "=%xh" (optional 0x, optional trailing h), written only when read.
        {"Get_SysErr", "=ffh", RC_OK, "255", code}, {"Get_SysErr", "=0x1A", RC_OK, "26", code},
        {"Get_SysErr", "=zz", RC_FAIL, "9", code}, {"Get_ServoErr -3", "=ffh", RC_OK, "255", servo},
        {"Get_ServoErr -3", "=0x1A", RC_OK, "26", servo}, {"Get_ServoErr -3", "=zz", RC_FAIL, "9", servo},
        // Both scanned straight into the outputs: a reply that breaks off keeps what was read before.
        {"get_accramp", "=7,8", RC_OK, "7,8", ramp}, {"get_accramp", "=7;8", RC_FAIL, "7,9", ramp},
        {"get_flypress", "=7,8", RC_OK, "7,8", press}, {"get_flypress", "=7;8", RC_FAIL, "7,9", press},
    });
}

TEST_F(ControlStatus, SystemInformation) {
    static const double axes[6] = {1, -2.5, 0.0000004, 3, 4, 90};
    static const int32_t config[4] = {0, 1, -1, 2};
    expectWordQuery(ZEFRA_Get_FwVersion, "Get_FwVersion", 32, true);
    expectWordQuery(ZEFRA_Get_SysTime, "Get_SysTime", 16, true);
    expectWordQuery(ZEFRA_Get_RobotType, "Get_RobotType", 128, false);
    // One digit per axis, as many as the controller has axes; anything else after "=" fails. The
    // arm configurations are written whole or not at all.
    const auto states = getter<std::array<int32_t, 8>>(ZEFRA_Get_ServoSts);
    const auto arm = getter<std::array<int32_t, 4>>(ZEFRA_Get_ArmType, axes);
    const auto trans = getter<std::array<int32_t, 4>>(ZEFRA_Get_TransArmType, config);
    const std::string armText = "Get_ArmType 1.000000,-2.500000,0.000000,3.000000,4.000000,90.000000";
    expectCalls({
        {"Get_ServoSts", "=1101", RC_OK, "1,1,0,1,0,0,0,0", states},
        {"Get_ServoSts", "=12345678", RC_OK, "1,2,3,4,5,6,7,8", states},
        {"Get_ServoSts", "x", RC_OK, "0,0,0,0,0,0,0,0", states},
        {"Get_ServoSts", "=123456789", RC_FAIL, nines(8), states}, {"Get_ServoSts", "=1,1", RC_FAIL, nines(8), states},
        {"Get_ServoSts", "=", RC_FAIL, nines(8), states}, {armText, "=0,1,5,-1", RC_OK, "0,1,5,-1", arm},
        {armText, "=0,1,5", RC_FAIL, nines(4), arm},
        {"Get_TransArmType 0,1,-1,2", "=1,0,-1,3", RC_OK, "1,0,-1,3", trans},
        {"Get_TransArmType 0,1,-1,2", "=5,5,5", RC_FAIL, nines(4), trans},
    });
}

// Head: the bytes between the first two "=" less the one before the second, unterminated.
// Tail: 128 bytes from after the second "=", zero padded.
TEST_F(ControlStatus, SystemInfoLibraryVersionSplitsAtTheFirstTwoEqualSigns) {
    const std::string t200(200, 't');
    const struct { std::string payload; int32_t rc; std::string head, tail; } cases[] = {
        {"=V1,=V2", RC_OK, "V1", "V2"}, {"=V1,=V2=x y", RC_OK, "V1", "V2=x y"}, {"=V1=", RC_OK, "V", ""},
        {"=,=V2", RC_OK, "", "V2"}, {"=a =" + t200, RC_OK, "a", t200.substr(0, 128)}, {"==V2", RC_FAIL, "", ""},
        {"=V1", RC_FAIL, "", ""}, {"ok", RC_FAIL, "", ""}};
    for (const auto& c : cases) {
        std::string head(16, 'x'), tail(140, 'x');
        controller.replyPayload(c.payload);
        EXPECT_EQ(ZEFRA_GetRCLibVersion("1.2", head.data(), tail.data(), slot), c.rc) << c.payload;
        EXPECT_EQ(sent(), "GetRCLibVersion 1.2");
        EXPECT_EQ(head, c.head + std::string(16 - c.head.size(), 'x')) << c.payload;
        const std::string written =
            c.rc == RC_OK ? c.tail + std::string(128 - c.tail.size(), '\0') : std::string(128, 'x');
        EXPECT_EQ(tail, written + std::string(12, 'x')) << c.payload;
    }
}

// A text getter on a buffer of `Size` "#" bytes, showing all of it afterwards.
template <std::size_t Size, typename Get>
auto text(Get get, int32_t slot) {
    return [get, slot](std::string& shown) {
        char buffer[Size];
        std::memset(buffer, '#', Size);
        const int32_t rc = get(buffer, slot);
        shown.assign(buffer, Size);
        return rc;
    };
}

std::string padded(const std::string& text, std::size_t size, char fill = '\0') {
    return text + std::string(size - text.size(), fill);
}

TEST_F(ControlStatus, DiagnosisSettingsAndReadings) {
    static const int32_t itemsSent[3] = {1, 0, -5};
    const auto save = [](std::string&) { return ZEFRA_Set_DiagnosisSave(slot); };
    const auto items = getter<std::array<int32_t, 3>>(ZEFRA_Get_DiagnosisSaveItem);
    // The track file comes without a terminator into the host's buffer.
    const auto track = text<130>(partial(ZEFRA_Get_DiagnosisLastSaveTrackFile), slot);
    const auto motion = getter<int32_t, std::array<double, 30>>(ZEFRA_Get_AxisMotionData, 1, -2, 3);
    std::string reply = "=7", all = "7";  // group g, element e holds 5g + e
    for (int i = 0; i < 30; ++i) {
        reply += (i % 5 ? "," : ";") + std::to_string(i);
        all += "," + std::to_string(i);
    }
    const std::string name127(127, 'n'), untouched(130, '#');
    expectCalls({
        sends("Set_DiagnosisItem Vel 1", ZEFRA_Set_DiagnosisItem, "Vel", 1),
        sends("Set_DiagnosisSaveItem 1,0,-5", ZEFRA_Set_DiagnosisSaveItem, itemsSent),
        {"Set_DiagnosisSave", "=0", RC_OK, "", save},
        {"Set_DiagnosisSave", "e-3:x", 3, "", save},  // the exchange's own result, not a failed scan
        {"Get_DiagnosisSaveItem", "=4,5,-6", RC_OK, "4,5,-6", items},
        {"Get_DiagnosisSaveItem", "=4,5", RC_FAIL, "4,5,9", items},
        {"Get_DiagnosisLastSaveTrackFile", "=trk_001", RC_OK, padded("trk_001", 130, '#'), track},
        {"Get_DiagnosisLastSaveTrackFile", "=" + name127, RC_OK, padded(name127, 130, '#'), track},
        {"Get_DiagnosisLastSaveTrackFile", "=" + name127 + "n", RC_FAIL, untouched, track},
        {"Get_DiagnosisLastSaveTrackFile", "=", RC_OK, untouched, track},
        {"Get_DiagnosisLastSaveTrackFile", "ok", RC_FAIL, untouched, track},
        {"Get_AxisMotionData 1;-2;3", reply, RC_OK, all, motion},
        {"Get_AxisMotionData 1;-2;3", reply.substr(0, reply.rfind(',')), RC_FAIL,
         all.substr(0, all.rfind(',')) + ",9", motion},
    });
    expectQueries({{partial(ZEFRA_Get_DiagnosisItem, "Vel"), "Get_DiagnosisItem Vel"}});
}

TEST_F(ControlStatus, AlarmTextsGoOutWholeAndComeBackAsOneWord) {
    const auto alarm = text<40>(partial(ZEFRA_Get_UserAlarm, 4), slot);
    const std::string untouched(40, '#'), word39(39, 'w');
    expectCalls({
        sends("Set_UserAlarm 4 Door open", ZEFRA_Set_UserAlarm, 4, "Door open"),
        {"Get_UserAlarm 4", "=Door open", RC_OK, padded("Door", 40), alarm},
        {"Get_UserAlarm 4", "=", RC_OK, padded("", 40), alarm},
        {"Get_UserAlarm 4", "=" + word39, RC_OK, padded(word39, 40), alarm},
        {"Get_UserAlarm 4", "=" + word39 + "w", RC_FAIL, untouched, alarm},
        {"Get_UserAlarm 4", "= ", RC_FAIL, untouched, alarm},
    });
}

using PrintMessages = FamilyTest;

TEST_F(PrintMessages, ReachTheHostInItsOwnSet) {
    const Latin1 latin1;
    platform::useHostCharset(&latin1);
    const auto print = text<128>(partial(ZEFRA_Get_Print), slot);
    const std::string a126(126, 'a'), untouched(128, '#');
    expectCalls({
        {"Get_Print", "=abc", RC_OK, padded("abc", 128), print},
        {"Get_Print", "?caf\xC3\xA9 \xE2\x82\xAC", RC_OK, padded("caf\xE9 ?", 128), print},
        {"Get_Print", "=PRINT:caf\xE9", RC_OK, padded("PRINT:caf\xE9", 128), print},
        {"Get_Print", "=", RC_OK, untouched, print},
        // At most 127 bytes, cut between characters, on the way in and through UTF-8 alike.
        {"Get_Print", "=" + std::string(300, 'b'), RC_OK, padded(std::string(127, 'b'), 128), print},
        {"Get_Print", "=" + a126 + "\xC3\xA9", RC_OK, padded(a126, 128), print},
        {"Get_Print", "=PRINT:" + a126, RC_OK, padded("PRINT:" + std::string(121, 'a'), 128), print},
        {"Get_Print", "=PRINT:" + std::string(121, '\xE9'), RC_OK, padded("PRINT:" + std::string(60, '\xE9'), 128),
         print},
    });
}

using IoVariables = FamilyTest;

TEST_F(IoVariables, InputsAndOutputs) {
    using Flags = std::array<int32_t, 6>;
    expectCalls({
        // One digit per flag, blanks before a digit skipped, a seventh digit ignored; all six or none.
        {"Get_DevSts", "=101100", RC_OK, "1,0,1,1,0,0", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "= 0 0 0 0 0 17", RC_OK, "0,0,0,0,0,1", getter<Flags>(ZEFRA_Get_DevSts)},
        {"Get_DevSts", "=10110x", RC_FAIL, nines(6), getter<Flags>(ZEFRA_Get_DevSts)},
    });
}

TEST_F(IoVariables, VariablesGoOutAsWrittenAndComeBackAsACCastWouldNarrowThem) {
    static const PointRecord point{{1, 2, 3, 4, 5, 6.5}, {0, 1, 0, 1}, {2, 3, 4}};
    expectRefused({ZEFRA_Set_D(1, NAN, slot), ZEFRA_Set_CommonVarFloat(1, NAN, slot)});
    expectCalls({
        sends("Set_CommonVar 3 u8 251", ZEFRA_Set_CommonVarUchar, 3, uint8_t{251}),
        sends("Set_CommonVar 3 s8 -5", ZEFRA_Set_CommonVarChar, 3, int8_t{-5}),
        sends("Set_CommonVar 4 u16 65535", ZEFRA_Set_CommonVarUshort, 4, uint16_t{65535}),
        sends("Set_CommonVar 4 s16 -32768", ZEFRA_Set_CommonVarShort, 4, int16_t{-32768}),
        sends("Set_CommonVar 0 u32 -1", ZEFRA_Set_CommonVarUint, 0, 4294967295u),
        sends("Set_CommonVar 5 s32 -2147483648", ZEFRA_Set_CommonVarInt, 5, INT32_MIN),
        sends("Set_CommonVar 6 f32 0.100000", ZEFRA_Set_CommonVarFloat, 6, 0.1f),
        sends("Set_CommonVar 7 d64 1000000.250000", ZEFRA_Set_CommonVarDouble, 7, 1e6 + 0.25),
        sends("Set_CommonVar 8 p 1.000000,2.000000,3.000000,4.000000,5.000000,6.500000;0,1,0,1;2,3,4",
              ZEFRA_Set_CommonVarP, 8, &point),
        {"Get_CommonVar 3 u8", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 u8", "=x", RC_FAIL, "9", getter<uint8_t>(ZEFRA_Get_CommonVarUchar, 3)},
        {"Get_CommonVar 3 s8", "=200", RC_OK, "-56", getter<int8_t>(ZEFRA_Get_CommonVarChar, 3)},
        {"Get_CommonVar 3 u16", "=-1", RC_OK, "65535", getter<uint16_t>(ZEFRA_Get_CommonVarUshort, 3)},
        {"Get_CommonVar 3 s16", "=40000", RC_OK, "-25536", getter<int16_t>(ZEFRA_Get_CommonVarShort, 3)},
        {"Get_CommonVar 3 u32", "=-1", RC_OK, "4294967295", getter<uint32_t>(ZEFRA_Get_CommonVarUint, 3)},
    });
    expectQueries({{partial(ZEFRA_Get_CommonVarInt, 3), "Get_CommonVar 3 s32"}});
    expectQueries<float>({{partial(ZEFRA_Get_CommonVarFloat, 3), "Get_CommonVar 3 f32"}});
    expectQueries<double>({{partial(ZEFRA_Get_CommonVarDouble, 3), "Get_CommonVar 3 d64"}});
    const PointRecord record{{9, 9, 9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, -9}};
    expectWholeRecord("Get_CommonVar 3 p", "=9,9,9,9,9,9;9,9,9,9;9,9,-9", record, partial(ZEFRA_Get_CommonVarP, 3));
}

// Writes carry the first value always and the rest by count. The longest run the frame takes
// goes out whole; one value more is refused unsent, and so is a count far beyond the caller's
// array, which is read no further than the request reaches.
TEST_F(IoVariables, ModbusAndPlc) {
    static const uint16_t registers[] = {10, 20, 30};
    static const float floats[] = {1.5f, -2.0f, 0.25f};
    const auto u16 = [](const char* w, int32_t n) { return sends(w, ZEFRA_Set_ModbusRegUshort, 100, n, registers); };
    const auto f32 = [](const char* w, int32_t n) { return sends(w, ZEFRA_Set_ModbusRegFloat, 40, n, floats); };
    const std::vector<uint16_t> zeros(600, 0);
    const std::vector<float> floatZeros(200, 0.0f);
    std::string longest = "Set_ModbusReg 1 498 u16 0";  // 1019 characters, the most a frame takes
    for (int i = 1; i < 498; ++i) longest += ",0";
    expectCalls({
        u16("Set_ModbusReg 100 3 u16 10,20,30", 3),
        u16("Set_ModbusReg 100 1 u16 10", 1), u16("Set_ModbusReg 100 0 u16 10", 0),
        u16("Set_ModbusReg 100 -7 u16 10", -7), f32("Set_ModbusReg 40 4 f32 1.500000,-2.000000", 4),
        f32("Set_ModbusReg 40 5 f32 1.500000,-2.000000", 5), f32("Set_ModbusReg 40 3 f32 1.500000", 3),
        sends(longest, ZEFRA_Set_ModbusRegUshort, 1, 498, zeros.data()),
    });
    // Reads write only what was asked for.
    const auto get16 = [](int32_t n) { return getter<std::array<uint16_t, 9>>(ZEFRA_Get_ModbusRegUshort, 7, n); };
    const auto getFloats = [](int32_t n) { return getter<std::array<float, 5>>(ZEFRA_Get_ModbusRegFloat, 40, n); };
    expectCalls({
        {"Get_ModbusReg 7 2 u16", "=7,65535", RC_OK, "7,65535,9,9,9,9,9,9,9", get16(2)},
        {"Get_ModbusReg 7 2 u16", "=7", RC_FAIL, nines(9), get16(2)},
        {"Get_ModbusReg 7 2 u16", "=7,8,9", RC_FAIL, nines(9), get16(2)},
        {"Get_ModbusReg 7 8 u16", "=1,2,3,4,5,6,7,8", RC_OK, "1,2,3,4,5,6,7,8,9", get16(8)},
        {"Get_ModbusReg 7 9 u16", "=1,2,3,4,5,6,7,8,9", RC_FAIL, nines(9), get16(9)},
        // A count that asks for nothing confirms nothing, and the scan's EOF is no count of -1.
        {"Get_ModbusReg 7 0 u16", "ok", RC_FAIL, nines(9), get16(0)},
        {"Get_ModbusReg 7 -1 u16", "=", RC_FAIL, nines(9), get16(-1)},
        {"Get_ModbusReg 7 0 u16", "e5:no", -5, nines(9), get16(0)},
        {"Get_ModbusReg 40 2 f32", "=3.25", RC_OK, "3.25,0,0,0,9", getFloats(2)},
        {"Get_ModbusReg 40 3 f32", "=3.25", RC_OK, "3.25,0,0,0,9", getFloats(3)},
        {"Get_ModbusReg 40 9 f32", "=1,2,3,-4", RC_OK, "1,2,3,-4,9", getFloats(9)},
        {"Get_ModbusReg 40 4 f32", "=1;2", RC_FAIL, nines(5), getFloats(4)},
        {"Get_ModbusReg 40 1 f32", "ok", RC_FAIL, nines(5), getFloats(1)},
        {"Get_ModbusReg 40 -2 f32", "=", RC_FAIL, nines(5), getFloats(-2)},
        {"Get_PlcVar byte 3", "=300", RC_OK, "44", getter<uint8_t>(ZEFRA_Get_PlcVarByte, 3)},
        {"Get_PlcVar int 3", "=70000", RC_OK, "4464", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar int 3", "=-2", RC_OK, "-2", getter<int16_t>(ZEFRA_Get_PlcVarInt, 3)},
        {"Get_PlcVar DInt -1", "=-70000", RC_OK, "-70000", getter<int32_t>(ZEFRA_Get_PlcVarDInt, -1)},
        {"Get_PlcVar LReal 3", "=2.5e3", RC_OK, "2500", getter<double>(ZEFRA_Get_PlcVarLReal, 3)},
    });
    expectRefused({ZEFRA_Set_ModbusRegUshort(1, 499, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegUshort(1, INT32_MAX, zeros.data(), slot),
                   ZEFRA_Set_ModbusRegFloat(1, INT32_MAX, floatZeros.data(), slot)});
}

// Replies with or without blanks, written only when complete.
TEST_F(IoVariables, TcpSpeedBindingAndTraceRecovery) {
    const auto binding = getter<int32_t, double, double, double, double>(ZEFRA_Get_BindTcpSpeedValue, 1);
    const auto output = getter<int32_t, double, double>(ZEFRA_Get_TcpSpeedDAOutAndVel, 2);
    const auto params = getter<double, double, double, double>(ZEFRA_Get_VarTraceRecoverParams, -4);
    expectCalls({
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0, 10", RC_OK, "1,0.5,100,0,10", binding},
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0", RC_FAIL, nines(5), binding},
        {"Get_TcpSpeedDAOutAndVel 2", "=-1,2.5,\t120", RC_OK, "-1,2.5,120", output},
        {"Get_TcpSpeedDAOutAndVel 2", "=0, 2.5", RC_FAIL, nines(3), output},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3, 4", RC_OK, "1,2,3,4", params},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3", RC_FAIL, nines(4), params},
    });
}

// The active regions travel as eight digits, the first for bit 0.
TEST_F(IoVariables, InterferenceRegions) {
    static const double region[6] = {1, 2, 3, -4, 5.5, 0.0000004};
    expectCalls({
        sends("Set_Interf 5 1.000000,2.000000,3.000000;-4.000000,5.500000,0.000000", ZEFRA_Set_Interf, 5, region),
        sends("Set_CurInterf 10100000", ZEFRA_Set_CurInterf, 5),
        sends("Set_CurInterf 00000001", ZEFRA_Set_CurInterf, 0x80),
        sends("Set_CurInterf 00000000", ZEFRA_Set_CurInterf, 0x100),
        sends("Set_CurInterf 11111111", ZEFRA_Set_CurInterf, -1),
        sends("Set_JumpPara 10.000000,2.500000,-0.100000", ZEFRA_Set_JumpPara, 10.0f, 2.5f, -0.1f),
    });
    const auto six = getter<Six>(ZEFRA_Get_Interf, -2);
    const auto mask = getter<int32_t>(ZEFRA_Get_CurInterf);
    const auto jump = getter<float, float, float>(ZEFRA_Get_JumpPara);
    expectCalls({
        {"Get_Interf -2", "=1,2,3;4,5,6", RC_OK, "1,2,3,4,5,6", six},
        {"Get_Interf -2", "=1,2,3,4,5,6", RC_FAIL, "1,2,3,9,9,9", six},  // read in place
        {"Get_CurInterf", "=23000009", RC_OK, "1160", mask},  // digits above 1 carry into higher bits
        {"Get_CurInterf", "= 1 0 1 0 0 0 0 1", RC_OK, "133", mask}, {"Get_CurInterf", "=1010000", RC_FAIL, "9", mask},
        {"Get_JumpPara", "=10,20,30.5", RC_OK, "10,20,30.5", jump}, {"Get_JumpPara", "=10,20", RC_FAIL, "9,9,9", jump},
    });
}

}  // namespace
}  // namespace zefra::test
