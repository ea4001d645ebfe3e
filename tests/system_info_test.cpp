#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class SystemInfo : public ControllerTest {};

std::string zeros(std::size_t n) { return std::string(n, '\0'); }

TEST_F(SystemInfo, OneWordTextsAreBoundedAndCopiedAsTheirFieldSays) {
    struct Row {
        int32_t(ZEFRA_CALL* call)(char*, int32_t);
        const char* request;
        std::size_t field;  // the word must fit with its terminator
        bool wholeField;    // all of the field reaches the host, or only word + terminator
    } rows[] = {{ZEFRA_Get_FwVersion, "Get_FwVersion", 32, true},
                {ZEFRA_Get_SysTime, "Get_SysTime", 16, true},
                {ZEFRA_Get_RobotType, "Get_RobotType", 128, false}};
    for (const auto& row : rows) {
        const std::string longest(row.field - 1, 'w');
        const struct {
            std::string payload, word;
            int32_t rc;
        } cases[] = {{"=V2.1.0 build5", "V2.1.0", RC_OK}, {"= \tR6", "R6", RC_OK}, {"=" + longest, longest, RC_OK},
                     {"=" + longest + "w", "", RC_FAIL}, {"=", "", RC_FAIL}, {"ok", "", RC_FAIL}, {"e5:", "", -5}};
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(row.request) + " <- " + c.payload);
            char text[200];
            std::memset(text, 'x', sizeof text);
            controller.replyPayload(c.payload);
            EXPECT_EQ(row.call(text, slot), c.rc);
            EXPECT_EQ(sent(), row.request);
            std::string expected(sizeof text, 'x');
            if (c.rc == RC_OK) expected.replace(0, c.word.size() + 1, c.word + '\0');
            if (c.rc == RC_OK && row.wholeField) expected.replace(0, row.field, (c.word + zeros(row.field)).substr(0, row.field));
            EXPECT_EQ(std::string(text, sizeof text), expected);
        }
    }
}

TEST_F(SystemInfo, ServoStatesTakeOneDigitPerAxisAndNothingElse) {
    const struct {
        const char* payload;
        int32_t rc;
        int32_t states[8];
    } rows[] = {{"=1101", RC_OK, {1, 1, 0, 1, 0, 0, 0, 0}},   {"=12345678", RC_OK, {1, 2, 3, 4, 5, 6, 7, 8}},
                {"x", RC_OK, {0, 0, 0, 0, 0, 0, 0, 0}},       {"=123456789", RC_FAIL, {9, 9, 9, 9, 9, 9, 9, 9}},
                {"=1,1", RC_FAIL, {9, 9, 9, 9, 9, 9, 9, 9}},  {"=1 1", RC_FAIL, {9, 9, 9, 9, 9, 9, 9, 9}},
                {"=", RC_FAIL, {9, 9, 9, 9, 9, 9, 9, 9}},     {"e2:", -2, {9, 9, 9, 9, 9, 9, 9, 9}}};
    for (const auto& row : rows) {
        int32_t states[8] = {9, 9, 9, 9, 9, 9, 9, 9};
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_ServoSts(states, slot), row.rc) << row.payload;
        EXPECT_EQ(sent(), "Get_ServoSts");
        EXPECT_EQ(std::memcmp(states, row.states, sizeof states), 0) << row.payload;
    }
}

TEST_F(SystemInfo, NumericQueries) {
    const struct {
        const char* payload;
        int32_t rc;
        uint32_t value;
    } rows[] = {{"=ffh", RC_OK, 255}, {"=ff", RC_OK, 255}, {"=0x1A", RC_OK, 26}, {"=zz", RC_FAIL, 7}};
    for (const auto& row : rows) {
        uint32_t value = 7;
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_ServoErr(-3, &value, slot), row.rc) << row.payload;
        EXPECT_EQ(sent(), "Get_ServoErr -3");
        EXPECT_EQ(value, row.value) << row.payload;
    }
    int32_t axes = 0, category = 0;
    controller.replyPayload("=6");
    EXPECT_EQ(ZEFRA_Get_RobotAxisNum(&axes, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_RobotAxisNum");
    controller.replyPayload("=2");
    EXPECT_EQ(ZEFRA_Get_RobotCategory(&category, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_RobotCategory");
    EXPECT_EQ(axes, 6);
    EXPECT_EQ(category, 2);
}

TEST_F(SystemInfo, ArmConfigurationIsWrittenWholeOrNotAtAll) {
    const double axes[6] = {1, -2.5, 0.0000004, 0, 0, 90};
    const int32_t config[4] = {0, 1, -1, 2};
    int32_t out[4] = {7, 7, 7, 7};
    controller.replyPayload("=0,1,0,-1");
    EXPECT_EQ(ZEFRA_Get_ArmType(axes, out, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_ArmType 1.000000,-2.500000,0.000000,0.000000,0.000000,90.000000");
    EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{0, 1, 0, -1}));
    controller.replyPayload("=5,5,5");
    EXPECT_EQ(ZEFRA_Get_TransArmType(config, out, slot), RC_FAIL);
    EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{0, 1, 0, -1}));
    controller.replyPayload("=1,0,-1,0");
    EXPECT_EQ(ZEFRA_Get_TransArmType(config, out, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_TransArmType 0,1,-1,2");
    EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{1, 0, -1, 0}));
}

TEST_F(SystemInfo, LibraryVersionSplitsAtTheFirstTwoEqualSigns) {
    const std::string t200(200, 't');
    const struct {
        std::string payload;
        int32_t rc;
        std::string head, tail;  // head: the bytes written (no terminator); tail: zero-padded to 128
    } rows[] = {{"=V1,=V2", RC_OK, "V1", "V2"}, {"=V1,=V2=x y", RC_OK, "V1", "V2=x y"}, {"=V1=", RC_OK, "V", ""},
                {"=,=V2", RC_OK, "", "V2"},     {"=a =" + t200, RC_OK, "a", t200.substr(0, 128)},
                {"==V2", RC_FAIL, "", ""},      {"=V1", RC_FAIL, "", ""},   {"ok", RC_FAIL, "", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.payload);
        char head[16], tail[140];
        std::memset(head, 'x', sizeof head);
        std::memset(tail, 'x', sizeof tail);
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_GetRCLibVersion("1.2", head, tail, slot), row.rc);
        EXPECT_EQ(sent(), "GetRCLibVersion 1.2");
        EXPECT_EQ(std::string(head, sizeof head), row.head + std::string(sizeof head - row.head.size(), 'x'));
        std::string expectedTail(sizeof tail, 'x');
        if (row.rc == RC_OK) expectedTail.replace(0, 128, row.tail + zeros(128 - row.tail.size()));
        EXPECT_EQ(std::string(tail, sizeof tail), expectedTail);
    }
}

TEST_F(SystemInfo, NullPointersAndNonFiniteValuesAreRefusedUnsent) {
    char text[128] = {}, head[16] = {};
    int32_t ints[8] = {};
    const double axes[6] = {}, nanAxes[6] = {0, 0, NAN}, infAxes[6] = {0, 0, 0, 0, 0, -INFINITY};
    const int32_t calls[] = {ZEFRA_Get_FwVersion(nullptr, slot),         ZEFRA_Get_SysTime(nullptr, slot),
                             ZEFRA_Get_RobotType(nullptr, slot),         ZEFRA_Get_RobotAxisNum(nullptr, slot),
                             ZEFRA_Get_RobotCategory(nullptr, slot),     ZEFRA_Get_ServoSts(nullptr, slot),
                             ZEFRA_Get_ServoErr(1, nullptr, slot),       ZEFRA_Get_ArmType(nullptr, ints, slot),
                             ZEFRA_Get_ArmType(axes, nullptr, slot),     ZEFRA_Get_ArmType(nanAxes, ints, slot),
                             ZEFRA_Get_ArmType(infAxes, ints, slot),     ZEFRA_Get_TransArmType(nullptr, ints, slot),
                             ZEFRA_Get_TransArmType(ints, nullptr, slot), ZEFRA_GetRCLibVersion(nullptr, head, text, slot),
                             ZEFRA_GetRCLibVersion("v", nullptr, text, slot), ZEFRA_GetRCLibVersion("v", head, nullptr, slot)};
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(calls[i], RC_BAD_PARAM) << "call " << i;
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
