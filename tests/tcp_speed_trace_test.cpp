#include "support/family_test.h"

namespace zefra::test {
namespace {

class TcpSpeedTrace : public FamilyTest {};

TEST_F(TcpSpeedTrace, SettersSendSixDecimals) {
    expectSent({
        {"Set_BindTcpSpeedValue 1 0.000000 100.000000 0.000000 10.000000", [] { return ZEFRA_Set_BindTcpSpeedValue(1, 0, 100, 0, 10, slot); }},
        {"Close_BindTcpSpeed -1", [] { return ZEFRA_Close_BindTcpSpeed(-1, slot); }},
        {"Set_TraceRecoverMode 2", [] { return ZEFRA_Set_TraceRecoverMode(2, slot); }},
        {"Set_VarTraceRecoverParams 3 1.500000 -2.000000 0.123457 1000000.000000",
         [] { return ZEFRA_Set_VarTraceRecoverParams(3, 1.5, -2, 0.1234567, 1e6, slot); }},
    });
}

TEST_F(TcpSpeedTrace, GettersWriteOnlyACompleteReplyWithOrWithoutBlanks) {
    const auto binding = with<int32_t, double, double, double, double>(
        [](auto& h, auto& a, auto& b, auto& c, auto& d) { return ZEFRA_Get_BindTcpSpeedValue(1, &h, &a, &b, &c, &d, slot); });
    const auto output = with<int32_t, double, double>([](auto& h, auto& a, auto& b) { return ZEFRA_Get_TcpSpeedDAOutAndVel(2, &h, &a, &b, slot); });
    const auto params = with<double, double, double, double>(
        [](auto& a, auto& b, auto& c, auto& d) { return ZEFRA_Get_VarTraceRecoverParams(-4, &a, &b, &c, &d, slot); });
    expectRead({
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0, 10", RC_OK, "1,0.5,100,0,10", binding},
        {"Get_BindTcpSpeedValue 1", "=1, 0.5, 100, 0", RC_FAIL, nines(5), binding},
        {"Get_TcpSpeedDAOutAndVel 2", "=-1,2.5,\t120", RC_OK, "-1,2.5,120", output},
        {"Get_TcpSpeedDAOutAndVel 2", "=0, 2.5", RC_FAIL, nines(3), output},
        {"Get_TraceRecoverMode", "=2", RC_OK, "2", getter<int32_t>(ZEFRA_Get_TraceRecoverMode)},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3, 4", RC_OK, "1,2,3,4", params},
        {"Get_VarTraceRecoverParams -4", "=1, 2, 3", RC_FAIL, nines(4), params},
    });
    int32_t h = 0;
    double v = 0;
    expectRefused({ZEFRA_Get_BindTcpSpeedValue(1, nullptr, &v, &v, &v, &v, slot), ZEFRA_Get_BindTcpSpeedValue(1, &h, nullptr, &v, &v, &v, slot),
                   ZEFRA_Get_BindTcpSpeedValue(1, &h, &v, nullptr, &v, &v, slot), ZEFRA_Get_BindTcpSpeedValue(1, &h, &v, &v, nullptr, &v, slot),
                   ZEFRA_Get_BindTcpSpeedValue(1, &h, &v, &v, &v, nullptr, slot), ZEFRA_Get_TcpSpeedDAOutAndVel(1, nullptr, &v, &v, slot),
                   ZEFRA_Get_TcpSpeedDAOutAndVel(1, &h, nullptr, &v, slot), ZEFRA_Get_TcpSpeedDAOutAndVel(1, &h, &v, nullptr, slot),
                   ZEFRA_Get_VarTraceRecoverParams(1, nullptr, &v, &v, &v, slot),
                   ZEFRA_Get_VarTraceRecoverParams(1, &v, nullptr, &v, &v, slot), ZEFRA_Get_VarTraceRecoverParams(1, &v, &v, nullptr, &v, slot),
                   ZEFRA_Get_VarTraceRecoverParams(1, &v, &v, &v, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
