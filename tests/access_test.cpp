#include "support/family_test.h"

namespace zefra::test {
namespace {

class Access : public FamilyTest {};

TEST_F(Access, CommandsSendTheirExactText) {
    expectSent({
        {"SetCurCtrlDev 2", [] { return ZEFRA_SetCurCtrlDev(2, slot); }},
        {"Acqpermit", [] { return ZEFRA_AcqPermit(0, slot); }},
        {"Acqpermit forcibly", [] { return ZEFRA_AcqPermit(1, slot); }},
        {"RemovePermit", [] { return ZEFRA_RemovePermit(slot); }},
        {"UserLogin 3 s3cret word", [] { return ZEFRA_UserLogin(3, "s3cret word", slot); }},
        {"UserLogin 2 ", [] { return ZEFRA_UserLogin(2, "", slot); }},
        {"UserLogout", [] { return ZEFRA_UserLogout(slot); }},
        {"Set_SysTime 2024-05-06 07:08:09", [] { return ZEFRA_Set_SysTime("2024-05-06 07:08:09", slot); }},
    });
    // The mode is judged before the slot: a slot that is not connected still gets RC_BAD_PARAM.
    expectRefused({ZEFRA_AcqPermit(2, slot), ZEFRA_AcqPermit(-1, slot), ZEFRA_AcqPermit(2, 5),
                   ZEFRA_UserLogin(1, nullptr, slot), ZEFRA_Set_SysTime(nullptr, slot)});
}

TEST_F(Access, PermitStateIsWrittenBeforeItsHolder) {
    const auto permit = with<int32_t, uint32_t, uint16_t>([](auto& s, auto& a, auto& p) { return ZEFRA_CurPermit(&s, &a, &p, slot); });
    expectRead({
        {"CurCtrlDev", "=3", RC_OK, "3", getter<int32_t>(ZEFRA_CurCtrlDev)},
        {"CurUserType", "=-2", RC_OK, "-2", getter<int32_t>(ZEFRA_CurUserType)},
        {"CurPermit", "=1 Ip:192.0.2.10 Port:5000", RC_OK, "1,3221225994,5000", permit},  // 0xC000020A
        {"CurPermit", "=0", RC_OK, "0,0,0", permit},
        {"CurPermit", "=1 Ip:192.0.2.1 Port:70000", RC_OK, "1,3221225985,4464", permit},
        {"CurPermit", "=2 Ip:257.1.0.255 Port:-1", RC_OK, "2,16843007,65535", permit},  // wraps, never overflows
        {"CurPermit", "=1", RC_FAIL, "1,9,9", permit},
        {"CurPermit", "=1 Ip:192.0.2.1 Port:", RC_FAIL, "1,9,9", permit},
        {"CurPermit", "ok", RC_FAIL, "9,9,9", permit},
    });
    int32_t s = 0;
    uint32_t a = 0;
    uint16_t p = 0;
    expectRefused({ZEFRA_CurPermit(nullptr, &a, &p, slot),
                   ZEFRA_CurPermit(&s, nullptr, &p, slot), ZEFRA_CurPermit(&s, &a, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
