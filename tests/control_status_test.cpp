// Access and permits, controller and program control, status queries, system information,
// diagnosis, user alarms and print messages.
#include <array>
#include <cstring>

#include "support/charsets.h"
#include "support/family_test.h"

namespace zefra::test {
namespace {

using ControlStatus = FamilyTest;

TEST_F(ControlStatus, AccessPermitsAndControl) {
    expectQueries({QUERY(CurCtrlDev), QUERY(CurUserType)});
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
        SENDS(SetCurCtrlDev, 2), sends("Acqpermit", ZEFRA_AcqPermit, 0),
        sends("Acqpermit forcibly", ZEFRA_AcqPermit, 1), SENDS(RemovePermit),
        sends("UserLogin 3 s3cret word", ZEFRA_UserLogin, 3, "s3cret word"),
        sends("UserLogin 2 ", ZEFRA_UserLogin, 2, ""), SENDS(UserLogout),
        sends("Set_SysTime 2024-05-06 07:08:09", ZEFRA_Set_SysTime, "2024-05-06 07:08:09"),
        sends("EStop ON", ZEFRA_EmergStop, 1), sends("EStop OFF", ZEFRA_EmergStop, 0),
        sends("Motor ON", ZEFRA_MotorEnable, 1), sends("Motor OFF", ZEFRA_MotorEnable, 0),
        sends("Prg Start", ZEFRA_PrgCtrl, 1), sends("Prg Stop", ZEFRA_PrgCtrl, 0), sends("DsMode OFF", ZEFRA_DsMode, 0),
        sends("DsMode ON", ZEFRA_DsMode, 1), sends("DsMode Pause", ZEFRA_DsMode, 2),
        sends("DsMode Continue", ZEFRA_DsMode, 3), SENDS(Set_Mode, 1), SENDS(Set_Mode, 2), SENDS(ResetErr),
        SENDS(BackStartLine), sends("Set_CurPrgPath [/prg/my job.prg]", ZEFRA_Set_CurPrgPath, "/prg/my job.prg"),
        sends("Set_CurProjPath [C:\\proj\\a;b]", ZEFRA_Set_CurProjPath, "C:\\proj\\a;b"), SENDS(Set_Vel, -10),
        SENDS(Set_SlewMode, 5), sends("set_accramp -1.234568 0.000000", ZEFRA_Set_AccRamp, -1.23456789, 4e-7),
        sends("set_flymode 3 -1", ZEFRA_Set_FlyMode, 3, -1), sends("set_rapidmove 0 7", ZEFRA_Set_RapidMove, 0, 7),
        sends("set_slvsmode 1", ZEFRA_Set_SLVSMode, 1), sends("set_flypress 20 30", ZEFRA_Set_FlyPress, 20, 30),
    });
}

TEST_F(ControlStatus, StatusQueries) {
    using enum Output;
    expectQueries({
        QUERY(Get_PrgSts), QUERY(Get_StartLine), QUERY(Get_InitSts), QUERY(Get_CurMotionLine),
        QUERY(Get_CoordType), QUERY(Get_Coord), QUERY(Get_Vel), QUERY(Get_Mode), QUERY(Get_DsMode),
        QUERY(Get_InchMode), QUERY(Get_SlewMode), QUERY(Get_EStopSts), QUERY(Get_MotorSts),
        QUERY(Get_SysMode), QUERY(Get_MotionSts), QUERY(Get_CurCmdSts), QUERY(Get_SysErrSts),
        QUERY(Get_CurCmdCacheNum), {ZEFRA_Get_SLVSMode, "get_slvsmode"}, QUERY(Get_CmdSts, 4),
        {partial(ZEFRA_Get_FlyMode, 3), "get_flymode 3"}, {partial(ZEFRA_Get_RapidMove, -2), "get_rapidmove -2"},
        {ZEFRA_Get_PrgRunTime, "Get_PrgRunTime", zeroed}, {ZEFRA_Get_CurCmdNum, "Get_CurCmdNum", zeroed},
        {partial(ZEFRA_Get_TaskRunSts, 2), "Get_TaskRunSts 2", bare},
        {partial(ZEFRA_Get_TaskProgramLine, -1), "Get_TaskProgramLine -1", bare},
    });
    expectWordQuery(ZEFRA_Get_CurPrgPath, "Get_CurPrgPath", 128, true, true);
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
    expectQueries({QUERY(Get_RobotAxisNum), QUERY(Get_RobotCategory)});
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
        sends("Set_DiagnosisSaveItem 1,0,-5", ZEFRA_Set_DiagnosisSaveItem, itemsSent), SENDS(DiagnosisSaveCtrl, 2),
        SENDS(Set_MotionDataCollection, -1), {"Set_DiagnosisSave", "=0", RC_OK, "", save},
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
    expectQueries({
        {partial(ZEFRA_Get_DiagnosisItem, "Vel"), "Get_DiagnosisItem Vel"}, QUERY(Get_DiagnosisSave),
        QUERY(Get_DiagnosisSaveSts), QUERY(Get_MotionDataCollection), QUERY(Get_AxisTotalMotionData, 3),
    });
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

}  // namespace
}  // namespace zefra::test
