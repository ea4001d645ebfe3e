#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class Control : public ControllerTest {};

struct Row {
    const char* text;
    std::function<int32_t(int32_t slot)> call;
};

const Row requests[] = {
    {"EStop ON", [](int32_t s) { return ZEFRA_EmergStop(1, s); }},
    {"EStop OFF", [](int32_t s) { return ZEFRA_EmergStop(0, s); }},
    {"Motor ON", [](int32_t s) { return ZEFRA_MotorEnable(1, s); }},
    {"Motor OFF", [](int32_t s) { return ZEFRA_MotorEnable(0, s); }},
    {"ResetErr", [](int32_t s) { return ZEFRA_ResetErr(s); }},
    {"Set_Mode 2", [](int32_t s) { return ZEFRA_Set_Mode(2, s); }},
    {"Set_CurPrgPath [/prg/my job.prg]", [](int32_t s) { return ZEFRA_Set_CurPrgPath("/prg/my job.prg", s); }},
    {"Set_CurProjPath [C:\\proj\\a;b]", [](int32_t s) { return ZEFRA_Set_CurProjPath("C:\\proj\\a;b", s); }},
    {"Prg Start", [](int32_t s) { return ZEFRA_PrgCtrl(1, s); }},
    {"Prg Stop", [](int32_t s) { return ZEFRA_PrgCtrl(0, s); }},
    {"BackStartLine", [](int32_t s) { return ZEFRA_BackStartLine(s); }},
    {"Set_Vel -10", [](int32_t s) { return ZEFRA_Set_Vel(-10, s); }},
    {"set_accramp 0.500000 2.000000", [](int32_t s) { return ZEFRA_Set_AccRamp(0.5, 2, s); }},
    {"set_accramp -1.234568 0.000000", [](int32_t s) { return ZEFRA_Set_AccRamp(-1.23456789, 4e-7, s); }},
    {"set_flymode 3 -1", [](int32_t s) { return ZEFRA_Set_FlyMode(3, -1, s); }},
    {"set_rapidmove 0 7", [](int32_t s) { return ZEFRA_Set_RapidMove(0, 7, s); }},
    {"set_slvsmode 1", [](int32_t s) { return ZEFRA_Set_SLVSMode(1, s); }},
    {"set_flypress 20 30", [](int32_t s) { return ZEFRA_Set_FlyPress(20, 30, s); }},
    {"DsMode OFF", [](int32_t s) { return ZEFRA_DsMode(0, s); }},
    {"DsMode ON", [](int32_t s) { return ZEFRA_DsMode(1, s); }},
    {"DsMode Pause", [](int32_t s) { return ZEFRA_DsMode(2, s); }},
    {"DsMode Continue", [](int32_t s) { return ZEFRA_DsMode(3, s); }},
    {"Set_SlewMode 5", [](int32_t s) { return ZEFRA_Set_SlewMode(5, s); }},
};

TEST_F(Control, SendsOneExactCommandAndReturnsItsVerdict) {
    for (const auto& row : requests) {
        SCOPED_TRACE(row.text);
        controller.clear();
        EXPECT_EQ(row.call(slot), RC_OK);
        EXPECT_EQ(controller.commands(), std::vector<std::string>{row.text});
        controller.replyPayload("e7:refused");
        EXPECT_EQ(row.call(slot), -7);
        controller.replyPayload("done");
        EXPECT_EQ(row.call(slot), RC_FAIL);
        EXPECT_EQ(row.call(10), RC_BAD_PARAM);
    }
}

TEST_F(Control, RefusedArgumentsSendNothingEvenOnAnUnconnectedSlot) {
    const std::string tooLong(1003, 'p');  // one past what fits the frame with the command word
    const std::function<int32_t(int32_t)> calls[] = {
        [](int32_t s) { return ZEFRA_EmergStop(2, s); },
        [](int32_t s) { return ZEFRA_EmergStop(-1, s); },
        [](int32_t s) { return ZEFRA_MotorEnable(2, s); },
        [](int32_t s) { return ZEFRA_PrgCtrl(-1, s); },
        [](int32_t s) { return ZEFRA_Set_Mode(0, s); },
        [](int32_t s) { return ZEFRA_Set_Mode(3, s); },
        [](int32_t s) { return ZEFRA_DsMode(-1, s); },
        [](int32_t s) { return ZEFRA_DsMode(4, s); },
        [](int32_t s) { return ZEFRA_Set_CurPrgPath(nullptr, s); },
        [](int32_t s) { return ZEFRA_Set_CurProjPath(nullptr, s); },
        [&](int32_t s) { return ZEFRA_Set_CurPrgPath(tooLong.c_str(), s); },
        [](int32_t s) { return ZEFRA_Set_CurProjPath(std::string(2000, 'p').c_str(), s); },
        // "$$" would end the frame inside the path and leave a stray request on the wire.
        [](int32_t s) { return ZEFRA_Set_CurPrgPath("a]$$@@Motor ON", s); },
    };
    controller.clear();
    for (const auto& call : calls) {
        EXPECT_EQ(call(slot), RC_BAD_PARAM);
        EXPECT_EQ(call(5), RC_BAD_PARAM);
    }
    EXPECT_TRUE(nothingSent());
}

TEST_F(Control, LongestPathThatFitsTheFrameIsSent) {
    const std::string path(1002, 'p');
    EXPECT_EQ(ZEFRA_Set_CurPrgPath(path.c_str(), slot), RC_OK);
    EXPECT_EQ(sent(), "Set_CurPrgPath [" + path + "]");
}

}  // namespace
}  // namespace zefra::test
