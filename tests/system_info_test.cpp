// Versions, time, robot model, servo states and the arm-configuration computations.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class SystemInfo : public FamilyTest {};

TEST_F(SystemInfo, RefusesNullBuffersThenReadsWordsCodesAndCounts) {
    char text[128], head[16];
    int32_t ints[8] = {};
    const double axes[6] = {};
    expectRefused({ZEFRA_GetRCLibVersion(nullptr, head, text, slot), ZEFRA_GetRCLibVersion("v", nullptr, text, slot),
                   ZEFRA_GetRCLibVersion("v", head, nullptr, slot), ZEFRA_Get_ServoSts(nullptr, slot),
                   ZEFRA_Get_ArmType(nullptr, ints, slot), ZEFRA_Get_ArmType(axes, nullptr, slot),
                   ZEFRA_Get_TransArmType(nullptr, ints, slot), ZEFRA_Get_TransArmType(ints, nullptr, slot)});
    expectWordQuery(ZEFRA_Get_FwVersion, "Get_FwVersion", 32, true);
    expectWordQuery(ZEFRA_Get_SysTime, "Get_SysTime", 16, true);
    expectWordQuery(ZEFRA_Get_RobotType, "Get_RobotType", 128, false);
    expectHexQuery([](auto v, auto s) { return ZEFRA_Get_ServoErr(-3, v, s); }, "Get_ServoErr -3");
    expectIntQueries({{ZEFRA_Get_RobotAxisNum, "Get_RobotAxisNum"}, {ZEFRA_Get_RobotCategory, "Get_RobotCategory"}});
}

// One digit per axis, as many as the controller has axes; anything else after "=" fails. The
// arm configurations are written whole or not at all.
TEST_F(SystemInfo, ServoStatesAndArmConfigurations) {
    static const double axes[6] = {1, -2.5, 0.0000004, 3, 4, 90};
    static const int32_t config[4] = {0, 1, -1, 2};
    const auto states = getter<std::array<int32_t, 8>>(ZEFRA_Get_ServoSts);
    const auto arm = with<std::array<int32_t, 4>>([](auto& out) { return ZEFRA_Get_ArmType(axes, out.data(), slot); });
    const auto trans = with<std::array<int32_t, 4>>([](auto& out) { return ZEFRA_Get_TransArmType(config, out.data(), slot); });
    const std::string armText = "Get_ArmType 1.000000,-2.500000,0.000000,3.000000,4.000000,90.000000";
    expectRead({
        {"Get_ServoSts", "=1101", RC_OK, "1,1,0,1,0,0,0,0", states},
        {"Get_ServoSts", "=12345678", RC_OK, "1,2,3,4,5,6,7,8", states},
        {"Get_ServoSts", "x", RC_OK, "0,0,0,0,0,0,0,0", states},
        {"Get_ServoSts", "=123456789", RC_FAIL, nines(8), states},
        {"Get_ServoSts", "=1,1", RC_FAIL, nines(8), states},
        {"Get_ServoSts", "=", RC_FAIL, nines(8), states},
        {armText, "=0,1,5,-1", RC_OK, "0,1,5,-1", arm},
        {armText, "=0,1,5", RC_FAIL, nines(4), arm},
        {"Get_TransArmType 0,1,-1,2", "=1,0,-1,3", RC_OK, "1,0,-1,3", trans},
        {"Get_TransArmType 0,1,-1,2", "=5,5,5", RC_FAIL, nines(4), trans},
    });
}

// Head: the bytes between the first two "=" less the one before the second, unterminated.
// Tail: 128 bytes from after the second "=", zero padded.
TEST_F(SystemInfo, LibraryVersionSplitsAtTheFirstTwoEqualSigns) {
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
        const std::string written = c.rc == RC_OK ? c.tail + std::string(128 - c.tail.size(), '\0') : std::string(128, 'x');
        EXPECT_EQ(tail, written + std::string(12, 'x')) << c.payload;
    }
}

}  // namespace
}  // namespace zefra::test
