// Arbitrary controller replies through receive, unframing, classification and every scan.
// The first input byte cuts the rest into receive-sized pieces, so replies that arrive in
// fragments are covered too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "records/records.h"
#include "records/text.h"
#include "support/memory_transport.h"
#include "transport/command.h"
#include "transport/exchange.h"
#include "zefraapi.h"

namespace {

zefra::test::MemoryTransport& transport() {
    static zefra::test::MemoryTransport memory;
    static const bool installed = [] {
        zefra::platform::useTransport(&memory);
        return true;
    }();
    (void)installed;
    return memory;
}

void queue(const std::uint8_t* data, std::size_t size) {
    auto& memory = transport();
    memory.chunks.clear();
    memory.sent.clear();
    if (size == 0) return;
    const std::size_t piece = 1 + data[0] % 64;
    for (std::size_t at = 1; at < size; at += piece)
        memory.chunks.emplace_back(reinterpret_cast<const char*>(data + at), std::min(piece, size - at));
}

void connect() {
    transport();
    if (ZEFRA_Init_ETH(0x7F000001, 1, 1, 0) != RC_OK) __builtin_trap();
}

void scanEverything(const char* payload) {
    PointRecord point{};
    RobP robP{};
    RobJP robJP{};
    double six[6] = {};
    std::int32_t index = 0;
    char word[16];
    zefra::readPointRecord(payload, &point);
    zefra::readRobP(payload, &robP);
    zefra::readRobJP(payload, &robJP);
    zefra::readSixValues(payload, six);
    zefra::scanIndexedRobP(payload, index, robP);
    zefra::scanIndexedSixValues(payload, index, six);
    zefra::scanWord(payload, word, sizeof word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    connect();
    queue(data, size);
    zefra::sendCommand(0, "MovJ P%d %d %d", 1, 2, 3);

    connect();
    queue(data, size);
    zefra::Command query;
    if (query.query(0, "Get_PosHere") == RC_OK) scanEverything(query.payload());

    connect();
    queue(data, size);
    std::int32_t value = 0;
    zefra::integerQuery("Get_Vel", &value, 0);

    connect();
    queue(data, size);
    char reply[512] = {};
    ZEFRA_Common_Cmd("Get_FwVersion", reply, 0);

    // Every query family's own reply handling, each on a fresh copy of the reply.
    const auto each = [&](auto call) {
        connect();
        queue(data, size);
        call();
    };
    std::int32_t states[8], a = 0, b = 0;
    std::uint32_t code = 0;
    double x = 0, y = 0;
    char head[512], tail[128], version[32], time[16], type[128], path[128], unit[128];
    each([&] { ZEFRA_Get_ServoSts(states, 0); });
    each([&] { ZEFRA_GetRCLibVersion("x", head, tail, 0); });
    each([&] { ZEFRA_Get_FwVersion(version, 0); });
    each([&] { ZEFRA_Get_SysTime(time, 0); });
    each([&] { ZEFRA_Get_RobotType(type, 0); });
    each([&] { ZEFRA_Get_CurPrgPath(path, 0); });
    each([&] { ZEFRA_Get_ActiveMechUnit(unit, 0); });
    each([&] { ZEFRA_Get_AccRamp(&x, &y, 0); });
    each([&] { ZEFRA_Get_FlyPress(&a, &b, 0); });
    each([&] { ZEFRA_Get_SysErr(&code, 0); });
    each([&] { ZEFRA_Get_IOAuthority(1, 2, &a, 0); });
    each([&] { ZEFRA_Get_MechUnitCfgNum(&a, 0); });
    each([&] { ZEFRA_Get_TaskRunSts(1, &a, 0); });
    PointRecord point{};
    RobP robP{};
    RobJP robJP{};
    double values[8];
    float floats[6], pair[2], single = 0;
    std::int32_t zero[6];
    const double offset[6] = {};
    each([&] { ZEFRA_Get_PosHerePulse(values, 0); });
    each([&] { ZEFRA_Get_ActiveMechUnitPos(&a, values, 0); });
    each([&] { ZEFRA_Get_PosCnvt(&point, &point, 0); });
    each([&] { ZEFRA_Get_Offset_RobP(&robP, offset, &robP, 0); });
    each([&] { ZEFRA_Get_HomeJPos(1, &robJP, 0); });
    each([&] { ZEFRA_Get_ZeroPos(zero, 0); });
    each([&] { ZEFRA_Get_StrPara(floats, 0); });
    each([&] { ZEFRA_Get_RdctRatio(floats, 0); });
    each([&] { ZEFRA_Get_ZonePara(pair, 0); });
    each([&] { ZEFRA_Get_AxisNLim(1, &single, 0); });
    char label[32];
    std::uint8_t narrow = 0;
    RobP target{};
    zefra::platform::divertStandardOutput([](const char*) {});  // the scan-count lines
    each([&] { ZEFRA_Get_RobP_Label(1, label, 0); });
    each([&] { ZEFRA_Get_SpeedLimitSwitch(&a, 0); });
    each([&] { ZEFRA_Get_RobP(1, &target, 0); });
    each([&] { ZEFRA_Get_CommonVarUchar(1, &narrow, 0); });
    each([&] { ZEFRA_Get_CommonVarFloat(1, &single, 0); });
    ToolData tool{};
    WobjData wobj{};
    RobP latched{};
    double levels[6] = {};
    float f = 0;
    each([&] { ZEFRA_Get_ToolData(1, &tool, 0); });
    each([&] { ZEFRA_Get_WobjData(1, &wobj, 0); });
    each([&] { ZEFRA_Get_CurInterf(&a, 0); });
    each([&] { ZEFRA_Get_JumpPara(&f, &f, &f, 0); });
    each([&] { ZEFRA_Get_LatchPos(1, &a, levels, 0); });
    each([&] { ZEFRA_Get_LatchRobP(1, &a, &latched, 0); });
    each([&] { ZEF_GetRecommendCollisionLevel(1, 6, levels, 0); });
    std::int32_t items[16];
    double motion[30] = {}, c = 0, d = 0;
    char track[128];
    InterferZonePara zone{};
    InterferToolPara shape{};
    each([&] { ZEFRA_Get_DiagnosisItem("Vel", &a, 0); });
    each([&] { ZEFRA_Set_DiagnosisSave(0); });
    each([&] { ZEFRA_Get_DiagnosisSaveItem(items, 0); });
    each([&] { ZEFRA_Get_DiagnosisLastSaveTrackFile(track, 0); });
    each([&] { ZEFRA_Get_AxisMotionData(1, 2, 3, &a, motion, 0); });
    each([&] { ZEFRA_ReadServoFunCode(1, 2, 3, 4, &a, 0); });
    each([&] { ZEFRA_SetExtProfileData(1, motion, 0); });
    each([&] { ZEFRA_Get_BindTcpSpeedValue(1, &a, &x, &y, &c, &d, 0); });
    each([&] { ZEFRA_Get_TcpSpeedDAOutAndVel(1, &a, &x, &y, 0); });
    each([&] { ZEFRA_Get_VarTraceRecoverParams(1, &x, &y, &c, &d, 0); });
    each([&] { ZEFRA_Get_InterferZonePara(1, &zone, 0); });
    each([&] { ZEFRA_Get_InterferZoneActStat(items, 0); });
    each([&] { ZEFRA_Get_InterferToolActNum(&a, 0); });
    each([&] { ZEFRA_Get_InterferToolPara(1, &shape, 0); });
    std::int32_t flags[6];
    std::uint16_t registers[8];
    float run[4];
    std::int16_t plcInt = 0;
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    char alarm[40], message[128];
    each([&] { ZEFRA_Get_AD(1, &f, 0); });
    each([&] { ZEFRA_Get_DevSts(flags, 0); });
    each([&] { ZEFRA_Get_ModbusRegUshort(1, 8, registers, 0); });
    each([&] { ZEFRA_Get_ModbusRegFloat(1, 8, run, 0); });
    each([&] { ZEFRA_Get_PlcVarInt(1, &plcInt, 0); });
    each([&] { ZEFRA_Get_UserAlarm(1, alarm, 0); });
    each([&] { ZEFRA_Get_Print(message, 0); });
    each([&] { ZEFRA_CurPermit(&a, &address, &port, 0); });

    // The bytes as a payload straight into the scanners.
    const std::string text(reinterpret_cast<const char*>(data), size);
    scanEverything(text.c_str());
    return 0;
}
