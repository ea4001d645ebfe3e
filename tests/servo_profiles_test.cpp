#include <string>
#include <vector>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class ServoProfiles : public FamilyTest {};

TEST_F(ServoProfiles, CommandsAndQueries) {
    expectSent({{"WriteServoFunCode 1 5 12 0 300", [] { return ZEFRA_WriteServoFunCode(1, 5, 12, 0, 300, slot); }},
                {"SetProfileMode 2", [] { return ZEFRA_SetProfileMode(2, slot); }},
                {"SetExtProfileType -1", [] { return ZEFRA_SetExtProfileType(-1, slot); }},
                {"ClearExtProfileData", [] { return ZEFRA_ClearExtProfileData(slot); }}});
    // The fixture's controller is on slot 0, the only slot the three slot-less queries use.
    const auto slotless = [](int32_t(ZEFRA_CALL * get)(int32_t*)) { return with<int32_t>([get](auto& v) { return get(&v); }); };
    expectRead({
        {"ReadServoFunCode 1 2 -3 4", "=300", RC_OK, "300", getter<int32_t>(ZEFRA_ReadServoFunCode, 1, 2, -3, 4)},
        {"GetProfileMode", "=1", RC_OK, "1", slotless(ZEFRA_GetProfileMode)},
        {"GetExtProfileType", "=2", RC_OK, "2", slotless(ZEFRA_GetExtProfileType)},
        {"GetExtProfileLeftSpace", "=960", RC_OK, "960", slotless(ZEFRA_GetExtProfileLeftSpace)},
        {"GetExtProfileUsedSpace", "=48", RC_OK, "48", getter<int32_t>(ZEFRA_GetExtProfileUsedSpace)},
    });
}

TEST_F(ServoProfiles, UploadSendsTheEntriesRawThenTheirByteCount) {
    // Every byte value, but no "$$" or "**" pair: the fake controller would end the frame there.
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
    for (const uint32_t count : {0u, 43u, 0x0AAAAAABu}) EXPECT_EQ(ZEFRA_SetExtProfileData(count, nullptr, slot), -3) << count;
    expectRefused({ZEFRA_SetExtProfileData(1, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
