#include <cstring>

#include "support/charsets.h"
#include "support/family_test.h"

namespace zefra::test {
namespace {

class AlarmsPrint : public FamilyTest {
protected:
    void TearDown() override {
        platform::useHostCharset(nullptr);
        FamilyTest::TearDown();
    }
};

// A text getter on a buffer of `Size` "#" bytes, showing all of it afterwards.
template <std::size_t Size, typename Get>
auto text(Get get) {
    return [get](std::string& shown) {
        char buffer[Size];
        std::memset(buffer, '#', Size);
        const int32_t rc = get(buffer);
        shown.assign(buffer, Size);
        return rc;
    };
}

std::string padded(const std::string& text, std::size_t size) { return text + std::string(size - text.size(), '\0'); }

TEST_F(AlarmsPrint, AlarmTextsGoOutWholeAndComeBackAsOneWord) {
    expectSent({{"Set_UserAlarm 4 Door open", [] { return ZEFRA_Set_UserAlarm(4, "Door open", slot); }}});
    const auto alarm = text<40>([](char* t) { return ZEFRA_Get_UserAlarm(4, t, slot); });
    const std::string untouched(40, '#'), word39(39, 'w');
    expectRead({
        {"Get_UserAlarm 4", "=Door open", RC_OK, padded("Door", 40), alarm},
        {"Get_UserAlarm 4", "=", RC_OK, padded("", 40), alarm},
        {"Get_UserAlarm 4", "=" + word39, RC_OK, padded(word39, 40), alarm},
        {"Get_UserAlarm 4", "=" + word39 + "w", RC_FAIL, untouched, alarm},
        {"Get_UserAlarm 4", "= ", RC_FAIL, untouched, alarm},
    });
    expectRefused({ZEFRA_Set_UserAlarm(1, nullptr, slot), ZEFRA_Get_UserAlarm(1, nullptr, slot), ZEFRA_Get_Print(nullptr, slot)});
}

TEST_F(AlarmsPrint, PrintMessagesReachTheHostInItsOwnSet) {
    const Latin1 latin1;
    platform::useHostCharset(&latin1);
    const auto print = text<128>([](char* m) { return ZEFRA_Get_Print(m, slot); });
    const std::string a126(126, 'a'), untouched(128, '#');
    expectRead({
        {"Get_Print", "=abc", RC_OK, padded("abc", 128), print},
        {"Get_Print", "?caf\xC3\xA9 \xE2\x82\xAC", RC_OK, padded("caf\xE9 ?", 128), print},
        {"Get_Print", "=PRINT:caf\xE9", RC_OK, padded("PRINT:caf\xE9", 128), print},
        {"Get_Print", "=", RC_OK, untouched, print},
        // At most 127 bytes, cut between characters, on the way in and through UTF-8 alike.
        {"Get_Print", "=" + std::string(300, 'b'), RC_OK, padded(std::string(127, 'b'), 128), print},
        {"Get_Print", "=" + a126 + "\xC3\xA9", RC_OK, padded(a126, 128), print},
        {"Get_Print", "=PRINT:" + a126, RC_OK, padded("PRINT:" + std::string(121, 'a'), 128), print},
        {"Get_Print", "=PRINT:" + std::string(121, '\xE9'), RC_OK, padded("PRINT:" + std::string(60, '\xE9'), 128), print},
    });
}

}  // namespace
}  // namespace zefra::test
