#include <cstring>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class ManualMotion : public ControllerTest {};

struct Request {
    std::function<int32_t(int32_t)> call;
    const char* text;
};

TEST_F(ManualMotion, SendsEachCommandText) {
    const Request rows[] = {
        {[](int32_t s) { return ZEFRA_InchMode(1, s); }, "InchMode ON"},
        {[](int32_t s) { return ZEFRA_InchMode(0, s); }, "InchMode OFF"},
        {[](int32_t s) { return ZEFRA_Set_InchStep(-5, s); }, "Set_InchStep -5"},
        {[](int32_t s) { return ZEFRA_Jog(0, 3, 1, s); }, "Jog J3 +"},
        {[](int32_t s) { return ZEFRA_Jog(0, 1, 0, s); }, "Jog J1 /"},
        {[](int32_t s) { return ZEFRA_Jog(1, 1, 1, s); }, "Jog X +"},
        {[](int32_t s) { return ZEFRA_Jog(1, 2, -1, s); }, "Jog Y -"},
        {[](int32_t s) { return ZEFRA_Jog(1, 3, 0, s); }, "Jog Z /"},
        {[](int32_t s) { return ZEFRA_Jog(1, 4, -1, s); }, "Jog RZ -"},
        {[](int32_t s) { return ZEFRA_Jog(1, 5, 1, s); }, "Jog RY +"},
        {[](int32_t s) { return ZEFRA_Jog(1, 6, 0, s); }, "Jog RX /"},
        {[](int32_t s) { return ZEFRA_Inch(0, 6, -1, s); }, "Inch J6 -"},
        {[](int32_t s) { return ZEFRA_Inch(1, 5, 1, s); }, "Inch RY +"},
        {[](int32_t s) { return ZEFRA_AxisJog(7, -1, s); }, "AxisJog 7 -1"},
        {[](int32_t s) { return ZEFRA_AxisInch(2, 3, s); }, "AxisInch 2 3"},
        {[](int32_t s) { return ZEFRA_PoseAlign(1, 0, s); }, "PoseAlign 1 0"},
        {[](int32_t s) { return ZEFRA_Set_ActiveMechUnit("Ext1", s); }, "Set_ActiveMechUnit Ext1"},
        {[](int32_t s) { return ZEFRA_Set_TeachCoordinate(1, s); }, "Set_TeachCoordinate ON"},
        {[](int32_t s) { return ZEFRA_Set_TeachCoordinate(0, s); }, "Set_TeachCoordinate OFF"},
        {[](int32_t s) { return ZEFRA_Home(2, s); }, "Home 2"},
        {[](int32_t s) { return ZEFRA_Set_DynamicBrake(1, s); }, "Set_DynamicBrake 1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.call(slot), RC_OK);
        EXPECT_EQ(sent(), row.text);
        controller.replyPayload("e23:busy");
        EXPECT_EQ(row.call(slot), -23);
    }
}

TEST_F(ManualMotion, RefusesBadArgumentsWithoutSending) {
    const std::function<int32_t()> rows[] = {
        [] { return ZEFRA_Jog(0, 1, 2, slot); },
        [] { return ZEFRA_Inch(0, 1, 0, slot); },
        [] { return ZEFRA_Jog(0, 0, 1, slot); },
        [] { return ZEFRA_Jog(1, 7, 1, slot); },
        [] { return ZEFRA_Jog(2, 3, 1, slot); },
        [] { return ZEFRA_Jog(2, 9, 1, slot); },
        [] { return ZEFRA_Inch(-1, 3, 1, slot); },
        [] { return ZEFRA_InchMode(2, slot); },
        [] { return ZEFRA_Set_TeachCoordinate(2, slot); },
        [] { return ZEFRA_Set_ActiveMechUnit(nullptr, slot); },
        [] { return ZEFRA_Set_ActiveMechUnit("Ext1$$@@Home 1", slot); },  // would split the frame
        [] { return ZEFRA_Get_ActiveMechUnit(nullptr, slot); },
        [] { return ZEFRA_Get_TeachCoordinate(nullptr, slot); },
        [] { return ZEFRA_Get_DynamicBrake(nullptr, slot); },
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i](), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
}

TEST_F(ManualMotion, ActiveMechUnitIsOneBoundedWord) {
    const std::string longest(127, 'u');
    struct Row {
        std::string payload;
        int32_t rc;
        std::string name;  // what the buffer holds afterwards
    } rows[] = {
        {"=Robot1 extra", RC_OK, "Robot1"},
        {"= \tExt2", RC_OK, "Ext2"},
        {"=" + longest, RC_OK, longest},
        {"=" + longest + "u", RC_FAIL, "untouched"},  // no room for the terminator in 128 bytes
        {"=", RC_FAIL, "untouched"},
        {"Robot1", RC_FAIL, "untouched"},
        {"e5:no unit", -5, "untouched"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.payload);
        char name[256];
        std::memset(name, 'Z', sizeof name);
        std::strcpy(name, "untouched");
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_ActiveMechUnit(name, slot), row.rc);
        EXPECT_EQ(sent(), "Get_ActiveMechUnit");
        EXPECT_EQ(std::string(name), row.name);
        EXPECT_EQ(name[128], row.name.size() >= 128 ? 'u' : 'Z');  // nothing past the 128-byte field
    }
}

TEST_F(ManualMotion, IntegerReadBacksWriteOnlyOnSuccess) {
    struct Row {
        int32_t (*call)(int32_t*, int32_t);
        const char* text;
        const char* payload;
        int32_t rc;
        int32_t value;
    } rows[] = {
        {ZEFRA_Get_TeachCoordinate, "Get_TeachCoordinate", "=1", RC_OK, 1},
        {ZEFRA_Get_TeachCoordinate, "Get_TeachCoordinate", "=x", RC_FAIL, 99},
        {ZEFRA_Get_DynamicBrake, "Get_DynamicBrake", "= -3", RC_OK, -3},
        {ZEFRA_Get_DynamicBrake, "Get_DynamicBrake", "3", RC_FAIL, 99},
        {ZEFRA_Get_DynamicBrake, "Get_DynamicBrake", "ok", RC_FAIL, 99},
        {ZEFRA_Get_DynamicBrake, "Get_DynamicBrake", "e2:off", -2, 99},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + row.payload);
        int32_t value = 99;
        controller.replyPayload(row.payload);
        EXPECT_EQ(row.call(&value, slot), row.rc);
        EXPECT_EQ(sent(), row.text);
        EXPECT_EQ(value, row.value);
    }
}

}  // namespace
}  // namespace zefra::test
