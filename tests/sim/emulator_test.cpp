// The library against the emulator over loopback, and the emulator's own parts.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "controller.h"
#include "kinematics.h"
#include "server.h"
#include "zefraapi.h"

namespace {

// Converts to any number (1) or pointer (a zeroed scratch area, or "1" for text).
struct Any {
    static unsigned char* scratch() {
        alignas(16) static unsigned char area[16][8192];
        static int next = 0;
        unsigned char* p = area[next++ % 16];
        std::fill(p, p + 8192, 0);
        return p;
    }
    operator const char*() const { return "1"; }
    template <class T> requires std::is_arithmetic_v<T> operator T() const { return T(1); }
    template <class T> operator T*() const { return reinterpret_cast<T*>(scratch()); }
};

struct Call { const char* name; std::function<int32_t(int32_t)> call; };
#define ARG(position) Any{}
#define ONE(position) Any{}
const Call kCalls[] = {
#include "calls.inc"
};

// An emulator on a free loopback port, served from its own thread, connected on slot 0.
class Sim {
public:
    explicit Sim(zsim::Faults faults = {}, int timeout = 2)
        : server_({"127.0.0.1", 0, 0, false, faults}),
          controller_([start = std::chrono::steady_clock::now()] {
              return 20.0 * std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          }) {
        port_ = server_.listen();
        thread_ = std::thread([this] { server_.run(controller_); });
        ZEFRA_Init_ETH(0x7F000001u, static_cast<uint16_t>(port_), timeout, 0);
    }
    ~Sim() {
        ZEFRA_Exit_ETH(0);
        server_.stop();
        thread_.join();
    }
    int unknown() const { return controller_.unknownCount(); }
    int requests() const { return controller_.requestCount(); }
    int port() const { return port_; }

private:
    zsim::Server server_;
    zsim::Controller controller_;
    int port_ = 0;
    std::thread thread_;
};

TEST(Emulator, UnderstandsTheRequestOfEveryExport) {
    const std::set<std::string> notCommands = {"ZEFRA_Init_ETH", "ZEFRA_Exit_ETH", "ZEFRA_Common_Cmd"};
    Sim sim;
    std::set<std::string> walked;
    std::vector<std::string> silent;
    for (const Call& c : kCalls) {
        walked.insert(c.name);
        if (notCommands.count(c.name)) continue;
        const int before = sim.requests();
        const int32_t rc = c.call(0);
        if (sim.requests() == before) silent.push_back(c.name);
        EXPECT_NE(rc, -zsim::kUnknownWord) << c.name;
        EXPECT_NE(rc, -zsim::kMalformed) << c.name;
        EXPECT_NE(rc, RC_COMM_FAIL) << c.name;
        EXPECT_NE(rc, RC_FAIL) << c.name;  // a reply the library cannot read
        ZEFRA_EmergStop(0, 0);
        ZEFRA_MotorEnable(0, 0);
    }
    EXPECT_EQ(sim.unknown(), 0);
    EXPECT_TRUE(silent.empty()) << silent.size() << " exports sent nothing, the first " << silent.front();
    std::ifstream list(ZEFRA_EXPORT_LIST);
    for (std::string line; std::getline(list, line);)
        if (!line.empty() && line[0] != '#') {
            EXPECT_TRUE(walked.count(line.substr(0, line.find(' ')))) << line;
        }
}

TEST(Emulator, SettersReadBack) {
    Sim sim;
    struct Row { const char* what; bool (*roundTrip)(); };
    const Row rows[] = {
        {"user frame", [] { const double f[6] = {1, 2, 3, 4, 5, 6}; double g[6] = {}; return ZEFRA_Set_UserC(2, f, 0) == RC_OK && ZEFRA_Get_UserC(2, g, 0) == RC_OK && std::equal(f, f + 6, g); }},
        {"jump parameters", [] { float a = 0, b = 0, c = 0; return ZEFRA_Set_JumpPara(10, 20.5f, 3, 0) == RC_OK && ZEFRA_Get_JumpPara(&a, &b, &c, 0) == RC_OK && a == 10 && b == 20.5f && c == 3; }},
        {"collision level", [] { double l = 0; return ZEFRA_Set_AxisCollLevel(3, 75.25, 0) == RC_OK && ZEFRA_Get_AxisCollLevel(3, &l, 0) == RC_OK && l == 75.25; }},
        {"position register", [] { PointRecord p{{1, -2, 3.5, 0, 0, 9}, {}, {}}, q{};
                                   return ZEFRA_Set_PR(4, &p, 0) == RC_OK && ZEFRA_Get_PR(4, &q, 0) == RC_OK &&
                                          std::equal(p.pos, p.pos + 6, q.pos); }},
        {"diagnosis item", [] { int32_t v = 0; return ZEFRA_Set_DiagnosisItem("torque", 3, 0) == RC_OK && ZEFRA_Get_DiagnosisItem("torque", &v, 0) == RC_OK && v == 3; }},
        {"diagnosis save items", [] { const int32_t in[3] = {4, 5, 6}; int32_t out[3] = {}; return ZEFRA_Set_DiagnosisSaveItem(in, 0) == RC_OK && ZEFRA_Get_DiagnosisSaveItem(out, 0) == RC_OK && std::equal(in, in + 3, out); }},
        {"diagnosis save", [] { int32_t v = 0; char file[128] = {}; return ZEFRA_Set_DiagnosisSave(0) == RC_OK && ZEFRA_Get_DiagnosisSave(&v, 0) == RC_OK && v == 1 &&
                                    ZEFRA_Get_DiagnosisLastSaveTrackFile(file, 0) == RC_OK && std::string(file) == "track1.trc"; }},
        {"servo function code", [] { int32_t v = 0; return ZEFRA_WriteServoFunCode(1, 5, 12, 0, 300, 0) == RC_OK && ZEFRA_ReadServoFunCode(1, 5, 12, 0, &v, 0) == RC_OK && v == 300; }},
        {"profile mode", [] { int32_t v = 0; return ZEFRA_SetProfileMode(2, 0) == RC_OK && ZEFRA_GetProfileMode(&v) == RC_OK && v == 2; }},
        {"profile space", [] { const unsigned char entries[48] = {1, 2, 3}; int32_t used = 0, left = 0;
                               return ZEFRA_ClearExtProfileData(0) == RC_OK && ZEFRA_SetExtProfileData(2, entries, 0) == RC_OK &&
                                      ZEFRA_GetExtProfileUsedSpace(&used, 0) == RC_OK && ZEFRA_GetExtProfileLeftSpace(&left) == RC_OK && used == 48 && left == 4096 - 48; }},
        {"TCP speed binding", [] { int32_t head = -1, config = 0; double v[4] = {};
                                   return ZEFRA_Set_BindTcpSpeedValue(1, 10, 500, 0, 10, 0) == RC_OK && ZEFRA_Get_BindTcpSpeedValue(1, &head, v, v + 1, v + 2, v + 3, 0) == RC_OK &&
                                          head == 1 && v[0] == 10 && v[1] == 500 && v[2] == 0 && v[3] == 10 && ZEFRA_Get_DACfg(1, &config, 0) == RC_OK && config == 1; }},
        {"trace recovery", [] { double v[4] = {}; return ZEFRA_Set_VarTraceRecoverParams(1, 1.5, 2.5, 3.5, 4.5, 0) == RC_OK &&
                                    ZEFRA_Get_VarTraceRecoverParams(1, v, v + 1, v + 2, v + 3, 0) == RC_OK && v[0] == 1.5 && v[3] == 4.5; }},
        {"interference zone", [] { InterferZonePara in{}, out{}; in.param1 = 3; in.param3 = 7; in.param5 = 1.5f; in.kind = 1; in.values1[5] = -2.25f;
                                   return ZEFRA_Set_InterferZonePara(4, &in, 0) == RC_OK && ZEFRA_Get_InterferZonePara(4, &out, 0) == RC_OK &&
                                          out.param1 == 3 && out.param3 == 7 && out.param5 == 1.5f && out.kind == 1 && out.values1[5] == -2.25f; }},
        {"zone activation", [] { int32_t states[16] = {}; return ZEFRA_Set_InterferZoneActStat(3, 1, 0) == RC_OK && ZEFRA_Get_InterferZoneActStat(states, 0) == RC_OK && states[2] == 1 && states[3] == 0; }},
        {"interference tool", [] { InterferToolPara in{}, out{}; in.shapeType = 2; in.type2Values[0] = 12.5f; in.type2Values[1] = 40;
                                   return ZEFRA_Set_InterferToolPara(1, &in, 0) == RC_OK && ZEFRA_Get_InterferToolPara(1, &out, 0) == RC_OK &&
                                          out.shapeType == 2 && out.type2Values[0] == 12.5f && out.type2Values[1] == 40; }},
        {"output group", [] { int32_t bit = 0, group = 0; return ZEFRA_Set_DOGroup(1, 0x81, 0) == RC_OK && ZEFRA_Get_DO(15, &bit, 0) == RC_OK && bit == 1 &&
                                  ZEFRA_Get_DOGroup(1, &group, 0) == RC_OK && group == 0x81; }},
        {"input configuration", [] { int32_t v = 0; return ZEFRA_Set_InCfg(4, 2, 0) == RC_OK && ZEFRA_Get_InCfg(4, &v, 0) == RC_OK && v == 2; }},
        {"PLC variable over registers", [] { const uint16_t in[2] = {0xffff, 0xfffe}; int32_t v = 0;
                                             return ZEFRA_Set_ModbusRegUshort(300, 2, in, 0) == RC_OK && ZEFRA_Get_PlcVarDInt(300, &v, 0) == RC_OK && v == -2; }},
        {"Modbus coil", [] { int32_t v = 0; return ZEFRA_Set_ModbusCoil(1, 17, 1, 0) == RC_OK && ZEFRA_Get_ModbusCoil(1, 17, &v, 0) == RC_OK && v == 1; }},
        {"Modbus registers", [] { const uint16_t in[3] = {10, 20, 65535}; uint16_t out[3] = {};
                                  return ZEFRA_Set_ModbusRegUshort(100, 3, in, 0) == RC_OK && ZEFRA_Get_ModbusRegUshort(100, 3, out, 0) == RC_OK && std::equal(in, in + 3, out); }},
        {"Modbus floats", [] { const float in[2] = {1.5f, -2}; float out[4] = {};
                               return ZEFRA_Set_ModbusRegFloat(40, 4, in, 0) == RC_OK && ZEFRA_Get_ModbusRegFloat(40, 4, out, 0) == RC_OK && out[0] == 1.5f && out[1] == -2; }},
        {"user alarm", [] { char text[40] = {}; return ZEFRA_Set_UserAlarm(2, "gripper_open", 0) == RC_OK && ZEFRA_Get_UserAlarm(2, text, 0) == RC_OK && std::string(text) == "gripper_open"; }},
        {"control device", [] { int32_t v = 0; return ZEFRA_SetCurCtrlDev(2, 0) == RC_OK && ZEFRA_CurCtrlDev(&v, 0) == RC_OK && v == 2; }},
        {"permission", [] { int32_t state = -1; uint32_t address = 0; uint16_t port = 0;
                            return ZEFRA_AcqPermit(0, 0) == RC_OK && ZEFRA_CurPermit(&state, &address, &port, 0) == RC_OK && state == 1 && address == 0x7F000001u && port != 0 &&
                                   ZEFRA_RemovePermit(0) == RC_OK && ZEFRA_CurPermit(&state, &address, &port, 0) == RC_OK && state == 0; }},
        {"login", [] { int32_t v = 0; return ZEFRA_UserLogin(3, "secret", 0) == RC_OK && ZEFRA_CurUserType(&v, 0) == RC_OK && v == 3 &&
                                 ZEFRA_UserLogout(0) == RC_OK && ZEFRA_CurUserType(&v, 0) == RC_OK && v == 0; }},
        {"system time", [] { char text[16] = {}; return ZEFRA_Set_SysTime("20270315083000", 0) == RC_OK && ZEFRA_Get_SysTime(text, 0) == RC_OK && std::string(text) == "20270315083000"; }},
    };
    for (const Row& r : rows) EXPECT_TRUE(r.roundTrip()) << r.what;
}

// The controller's refusals reach the caller as -N; the permission tells one peer from another.
TEST(Emulator, RefusalsComeBackAsTheirCodes) {
    Sim sim;
    EXPECT_EQ(ZEFRA_EmergStop(1, 0), RC_OK);
    EXPECT_EQ(ZEFRA_MotorEnable(1, 0), -zsim::kEStop);
    EXPECT_EQ(ZEFRA_EmergStop(0, 0), RC_OK);
    EXPECT_EQ(ZEFRA_MotorEnable(1, 0), RC_OK);
    PointRecord far{{5000, 0, 0, 0, 0, 0}, {}, {}};
    EXPECT_EQ(ZEFRA_MovL2(&far, 0, 0, 0), -zsim::kUnreachable);
    ASSERT_EQ(ZEFRA_Init_ETH(0x7F000001u, static_cast<uint16_t>(sim.port()), 2, 1), RC_OK);
    EXPECT_EQ(ZEFRA_AcqPermit(0, 0), RC_OK);
    EXPECT_EQ(ZEFRA_AcqPermit(0, 1), -zsim::kPermissionHeld);
    EXPECT_EQ(ZEFRA_AcqPermit(1, 1), RC_OK);
    EXPECT_EQ(ZEFRA_AcqPermit(0, 0), -zsim::kPermissionHeld);
    ZEFRA_Exit_ETH(1);
}

// All ten slots at once, each from its own thread, each with its own variable.
TEST(Emulator, ServesTenSlotsAtOnce) {
    Sim sim;
    for (int32_t slot = 1; slot < 10; ++slot)
        ASSERT_EQ(ZEFRA_Init_ETH(0x7F000001u, static_cast<uint16_t>(sim.port()), 2, slot), RC_OK);
    std::vector<std::thread> hosts;
    std::atomic<int> wrong{0};
    for (int32_t slot = 0; slot < 10; ++slot)
        hosts.emplace_back([slot, &wrong] {
            for (int32_t i = 0, v = -1; i < 30; ++i)
                wrong += ZEFRA_Set_B(100 + slot, slot * 1000 + i, slot) != RC_OK ||
                         ZEFRA_Get_B(100 + slot, &v, slot) != RC_OK || v != slot * 1000 + i;
        });
    for (std::thread& t : hosts) t.join();
    EXPECT_EQ(wrong, 0);
    for (int32_t slot = 1; slot < 10; ++slot) ZEFRA_Exit_ETH(slot);
}

TEST(Kinematics, ForwardAndInverseAgreeAtManyPoses) {
    for (double q1 : {-150.0, -40.0, 0.0, 75.0})
        for (double q2 : {-30.0, 0.0, 25.0})
            for (double q3 : {-50.0, 10.0, 60.0})
                for (double q5 : {-70.0, 35.0}) {
                    const zsim::Joints q{q1, q2, q3, 20.0, q5, -30.0};
                    const zsim::Pose p = zsim::forward(q);
                    const std::optional<zsim::Joints> back = zsim::inverse(p, zsim::configuration(q), q);
                    ASSERT_TRUE(back) << q1 << " " << q2 << " " << q3 << " " << q5;
                    const zsim::Pose got = zsim::forward(*back);
                    for (int i = 0; i < 6; ++i)  // positions in mm, angles the same way round
                        EXPECT_NEAR(i < 3 ? got[i] - p[i] : std::remainder(got[i] - p[i], 360.0), 0, 1e-9) << i;
                    EXPECT_EQ(zsim::configuration(*back), zsim::configuration(q));
                }
    // At zero joints the upper arm stands up and the forearm points ahead.
    const zsim::Pose zero = zsim::forward({0, 0, 0, 0, 0, 0});
    EXPECT_NEAR(zero[0], 150 + 640 + 100, 1e-9);
    EXPECT_NEAR(zero[2], 450 + 600 + 120, 1e-9);
}

// Requests straight to the controller on a clock the test sets, in order: what the controller
// computes, narrows and reads back.
TEST(Emulator, ComputesWhatTheControllerWould) {
    double now = 0;
    zsim::Controller c([&now] { return now; });
    const struct { double at; const char* request; const char* reply; } rows[] = {
        // What the controller refuses, and with which code.
        {0, "Bogus 1", "e1:unknown command word"},
        {0, "Set_Vel", "e2:malformed arguments"},
        {0, "set_accramp 1.5 2.000000", "e2:malformed arguments"},
        {0, "Set_Vel 99999999999", "e2:malformed arguments"},
        {0, "Get_B -1", "e3:index out of range"},
        {0, "MovJGP GP1 0 0", "e6:point never written"},
        {0, "Home 1", "e4:motors are off"},
        {0, "SetExtProfileData 24", "e8:no profile data of that size"},
        // A user frame a quarter turn about z at x 100, a 100 mm tool, a work object in that frame.
        {0, "Set_UserC 2 100.000000,0.000000,0.000000,0.000000,0.000000,90.000000", "ok"},
        {0, "Get_PosCnvt [10.000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,0,0;0,2,0] [0,0,0] ", "=100.000000,10.000000,0.000000,0.000000,0.000000,90.000000;0,0,0,0;0,0,0"},
        {0, "Get_PosCnvt [100.000000,10.000000,0.000000,0.000000,0.000000,90.000000;0,0,0,0;0,0,0] [0,2,7] ", "=10.000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,0,0;0,2,7"},
        {0, "Set_ToolC 1 0.000000,0.000000,100.000000,0.000000,0.000000,0.000000", "ok"},
        {0, "Get_PosCnvt [500.000000,0.000000,500.000000,180.000000,0.000000,0.000000;0,0,0,0;1,0,0] [0,0,0] ", "=500.000000,0.000000,600.000000,180.000000,0.000000,0.000000;0,0,0,0;0,0,0"},
        {0, "Get_PosCnvt [1.000000,2.000000,3.000000,0.000000,0.000000,0.000000;0,0,0,0;0,-1,0] [0,0,0] ", "e3:frame out of range"},
        // Seen from a camera standing at a point given in user frame 2.
        {0, "Get_VisionPosCnvt [10.000000,20.000000,100.000000,0.000000,0.000000,0.000000;0,0,0,0;0,0,0] [0,0,0] [0.000000,0.000000,500.000000,0.000000,0.000000,-90.000000;0,0,0,0;0,2,0]", "=110.000000,20.000000,600.000000,0.000000,0.000000,0.000000;0,0,0,0;0,0,0"},
        {0, "Set_WobjData 1 0,0;100.000,0.000,0.000,0.000,0.000,90.000;0.000,50.000,0.000,0.000,0.000,0.000;table", "ok"},
        {0, "Get_WobjData 1", "=0,0;100.000,0.000,0.000,0.000,0.000,90.000;0.000,50.000,0.000,0.000,0.000,0.000;table"},
        {0, "Get_FixWobjRobP 50.000,20.000,0.000,0.000,0.000,90.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000 1", "=20.000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,0,0;0.000000,0.000000,0.000000,0.000000,0.000000,0.000000"},
        {0, "Get_RobHoldWobjRobP 50.000,20.000,100.000,0.000,0.000,90.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000 1 0.000,0.000,100.000,0.000,0.000,0.000;0,0,0,0;0.000,0.000,0.000,0.000,0.000,0.000", "=20.000000,0.000000,0.000000,0.000000,0.000000,0.000000;0,0,0,0;0.000000,0.000000,0.000000,0.000000,0.000000,0.000000"},
        // The other wrist at the start-up pose (axis 5 at 30 degrees, axis 6 at 0).
        {0, "Get_TransArmType 0,0,0,0", "=0,0,1,0"},
        {0, "Get_TransArmType 0,0,0,-1", "=0,0,1,0"},
        {0, "Get_TransArmType 0,0,0,1", "=0,0,1,1"},
        // Typed variables hold what their type can; each type has its own table.
        {0, "Set_CommonVar 1 u8 255", "ok"},
        {0, "Set_CommonVar 1 u8 256", "e3:value out of range of the type"},
        {0, "Get_CommonVar 1 u8", "=255"},
        {0, "Set_CommonVar 1 s8 -129", "e3:value out of range of the type"},
        {0, "Set_CommonVar 1 u16 -1", "e3:value out of range of the type"},
        {0, "Set_CommonVar 1 s16 -32768", "ok"},
        {0, "Get_CommonVar 1 s16", "=-32768"},
        {0, "Set_CommonVar 1 u32 -1", "ok"},
        {0, "Get_CommonVar 1 u32", "=-1"},
        {0, "Set_CommonVar 1 f32 16777217.000000", "ok"},
        {0, "Get_CommonVar 1 f32", "=16777216.000000"},
        {0, "Set_CommonVar 1 d64 16777217.000000", "ok"},
        {0, "Get_CommonVar 1 d64", "=16777217.000000"},
        {0, "Get_CommonVar 1 s32", "=0"},
        // Registers are words; floats and PLC variables lie across them high word first.
        {0, "Set_ModbusReg 20 2 f32 1.500000", "ok"},
        {0, "Get_ModbusReg 20 2 u16", "=16320,0"},
        {0, "Set_ModbusReg 30 4 u16 16376,0,0,65535", "ok"},
        {0, "Get_PlcVar LReal 30", "=1.500000"},
        {0, "Get_PlcVar int 33", "=-1"},
        {0, "Get_PlcVar byte 30", "=248"},
        {0, "Set_ModbusReg 40 1 u16 65536", "e3:register value out of range"},
        // Output configurations and an analog output bound to the TCP speed.
        {0, "Set_OutCfg 9 3", "ok"},
        {0, "Get_DOCfg 9", "=3"},
        {0, "Get_DOGroupCfg 1", "=2"},
        {0, "Get_DOCfg 32", "e3:channel out of range"},
        {0, "Set_DA 1 4.000000", "ok"},
        {0, "Get_AD 1", "=4.000000"},
        {0, "Get_DACfg 1", "=0"},
        {0, "Set_BindTcpSpeedValue 1 0.000000 1000.000000 2.000000 10.000000", "ok"},
        {0, "Get_DACfg 1", "=1"},
        {0, "Get_AD 1", "=2.000000"},
        // An independent axis at 30 degrees/s to 90 degrees, then a continuous one.
        {0, "IndAMove 1 90.000 30.000 100.000 100.000 EXT1", "e4:motors are off"},
        {0, "Motor ON", "ok"},
        {0, "IndAMove 1 90.000 30.000 100.000 100.000 EXT1", "ok"},
        {1, "Get_IndAMoveSts 1 EXT1", "=1"},
        {1, "IndInPos 1 EXT1", "=0"},
        {1, "Get_MotionSts", "=1"},
        {1, "Get_MotionStsExceptIndAxis", "=0"},
        {3.5, "IndInPos 1 EXT1", "=1"},
        {3.5, "Get_IndAMoveSts 1 EXT1", "=0"},
        {3.5, "IndCMove 2 -10.000 100.000 100.000 EXT1", "ok"},
        {4, "IndSpeed 2 EXT1", "=1"},
        {4, "Get_IndResetSts 2 EXT1", "=0"},
        {4, "IndReset 2 0.000 0 EXT1", "ok"},
        {4, "IndSpeed 2 EXT1", "=0"},
        {4, "Get_IndResetSts 2 EXT1", "=1"},
        {4, "Get_MotionSts", "=0"},
        // Home 1 to the joints taught for it; motion data half way there and the totals after.
        {4, "Set_HomeJPos 1 10.000,0.000,0.000,0.000,30.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,0.000", "ok"},
        {4, "Home 1", "ok"},
        {4.01, "Get_CmdSts 1", "=1"},
        {4.01, "Get_CmdSts 2", "e3:no command of that number"},
        {4.05, "Get_AxisMotionData 1;1;1", "=6;4.500000,90.000000,0.000000,4.500000,1500.000000;0.000000,0.000000,0.000000,0.000000,0.000000;0.000000,0.000000,0.000000,0.000000,0.000000;0.000000,0.000000,0.000000,0.000000,0.000000;30.000000,0.000000,0.000000,0.000000,0.000000;0.000000,0.000000,0.000000,0.000000,0.000000"},
        {100, "Get_PosHereJ", "=10.000000,0.000000,0.000000,0.000000,30.000000,0.000000"},
        {100, "Get_AxisTotalMotionData 1", "=10"},
        {100, "Get_CmdSts 1", "=0"},
        {100, "Get_CurCmdNum", "=1"},
        {100, "Prg Start", "ok"},
        {100, "Get_Print", "=PRINT:program /prg/main.prg started"},
        {102.5, "Get_PrgRunTime", "=2"},
        {103, "Prg Stop", "ok"},
        {110, "Get_PrgRunTime", "=3"},
        // The parameter file: saved, changed in memory, recovered.
        {110, "SavePara", "ok"},
        {110, "AutoTestCheckFileAndMemDif", "=0"},
        {110, "Set_ZonePara 7.000000,7.000000", "ok"},
        {110, "AutoTestCheckFileAndMemDif", "=1"},
        {110, "RecoverPara", "ok"},
        {110, "Get_ZonePara", "=5.000000,5.000000"},
        {110, "Get_UserC 2", "=100.000000,0.000000,0.000000,0.000000,0.000000,90.000000"},
        {110, "Clear_PalletPara", "ok"},
        {110, "Get_PalletPara", "=0,0,0,0.000000"},
        {110, "GetRCLibVersion firmware", "=ZRC-1.4.2,=ZS-2.4.1"},
        {110, "GetRCLibVersion x", "e3:no part of that name"},
        // A Cartesian jog goes 5 mm (from x 863.284978 at home); a rising input while the latch is on
        // latches where the arm is.
        {110, "Jog X +", "ok"},
        {111, "Get_PosHereC", "=868.284978,152.220434,1120.000000,-180.000000,-60.000000,10.000000"},
        {111, "Latch ON", "ok"},
        {111, "Set_ForceDI 0 1", "ok"},
        {111, "Get_LatchSum", "=1"},
        {111, "Get_LatchPos 0", "=0;868.284978,152.220434,1120.000000,-180.000000,-60.000000,10.000000"},
        {111, "Get_LatchPos 1", "e3:no latched position of that number"},
    };
    for (const auto& r : rows) {
        now = r.at;
        EXPECT_EQ(c.handle(r.request), r.reply) << r.request;
    }
}

// A circular move through a via point: every position on the way lies on the circle, and the
// arm passes the via point rather than cutting the chord.
TEST(Emulator, CircularMoveFollowsTheArc) {
    double now = 0;
    zsim::Controller c([&now] { return now; });
    const zsim::Pose s = zsim::forward(c.joints());
    auto record = [&](double dy, double dz) {
        std::string text = "[";
        for (int i = 0; i < 6; ++i) text += zsim::fixed(s[i] + (i == 1 ? dy : i == 2 ? dz : 0)) + (i < 5 ? "," : "");
        return text + ";0,0,0,0;0,0,0]";
    };
    ASSERT_EQ(c.handle("Motor ON"), "ok");
    ASSERT_EQ(c.handle("MovC2 " + record(0, 0) + " " + record(200, 0) + " 0 0"), "e11:the points make no circle");
    // Centre 100 mm along y, the via point 100 mm below it, the end 200 mm along y.
    ASSERT_EQ(c.handle("MovC2 " + record(100, -100) + " " + record(200, 0) + " 0 0"), "ok");
    double deepest = 0;
    int samples = 0;
    for (; c.handle("Get_MotionSts") == "=1"; now += 0.02, ++samples) {
        const zsim::Pose p = zsim::forward(c.joints());
        EXPECT_NEAR(std::hypot(p[1] - s[1] - 100, p[2] - s[2]), 100, 1e-6) << now;
        EXPECT_NEAR(p[0], s[0], 1e-6) << now;
        deepest = std::max(deepest, s[2] - p[2]);
    }
    EXPECT_GT(samples, 10);
    EXPECT_NEAR(deepest, 100, 1);
    const zsim::Pose end = zsim::forward(c.joints());
    EXPECT_NEAR(end[1] - s[1], 200, 1e-6);
}

// What the library makes of each fault: reassembled and late replies succeed, a malformed
// reply fails only its call, silence and a dropped connection close the slot.
TEST(Faults, TheLibraryReportsEachAsItShould) {
    struct Row {
        const char* what;
        zsim::Faults faults;
        int32_t expected;  // of each of two calls
        int requestsSeen;  // by the emulator over both calls
    };
    const Row rows[] = {
        {"split", {.splitRate = 1}, RC_OK, 2},
        {"delay", {.delayRate = 1, .delayMs = 300}, RC_OK, 2},
        {"malformed", {.malformRate = 1}, RC_COMM_FAIL, 2},
        {"silence", {.silenceRate = 1}, RC_COMM_FAIL, 1},
        {"drop", {.dropRate = 1}, RC_COMM_FAIL, 1},
    };
    for (const Row& r : rows) {
        Sim sim(r.faults, 1);
        for (int call = 0; call < 2; ++call) {
            int32_t v = 0;
            EXPECT_EQ(ZEFRA_Get_Vel(&v, 0), r.expected) << r.what;
            EXPECT_EQ(v, r.expected == RC_OK ? 50 : 0) << r.what;
        }
        EXPECT_EQ(sim.requests(), r.requestsSeen) << r.what;
    }
}

}  // namespace
