#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class MotionIo : public ControllerTest {};

using Call = std::function<int32_t(const IoTrigger* triggers, int32_t count, int32_t slot)>;
struct Row {
    const char* name;
    Call call;
    const char* head;  // request text before the trigger list
};

const PointRecord pointA{{400, 0, 300, 180, 0, 0.1234567}, {0, 0, 1, 0}, {0, 1, 2}};
const PointRecord pointB{{-1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, {-1, 0, 3}};
#define A "400.000000,0.000000,300.000000,180.000000,0.000000,0.123457;0,0,1,0;0,1,2"
#define B "-1.000000,2.000000,3.000000,4.000000,5.000000,6.000000;1,1,1,1;-1,0,3"

const Row rows[] = {
    {"MovJ_IO", [](auto t, auto n, auto s) { return ZEFRA_MovJ_IO(5, 20, 0, t, n, s); }, "MovJ P5 20 0 "},
    {"MovL_IO", [](auto t, auto n, auto s) { return ZEFRA_MovL_IO(-5, 20, -1, t, n, s); }, "MovL P-5 20 -1 "},
    {"Jump_IO", [](auto t, auto n, auto s) { return ZEFRA_Jump_IO(6, 1, 2, t, n, s); }, "Jump P6 1 2 "},
    {"JumpL_IO", [](auto t, auto n, auto s) { return ZEFRA_JumpL_IO(7, 1, 2, t, n, s); }, "JumpL P7 1 2 "},
    {"MovC_IO", [](auto t, auto n, auto s) { return ZEFRA_MovC_IO(3, 4, 50, 1, t, n, s); }, "MovC P3 P4 50 1 "},
    {"MovJ_GP_IO", [](auto t, auto n, auto s) { return ZEFRA_MovJ_GP_IO(7, 20, 0, t, n, s); }, "MovJGP GP7 20 0 "},
    {"MovJ_P_IO", [](auto t, auto n, auto s) { return ZEFRA_MovJ_P_IO(7, 20, 0, t, n, s); }, "MovJGP GP7 20 0 "},
    {"MovL_GP_IO", [](auto t, auto n, auto s) { return ZEFRA_MovL_GP_IO(8, 1, 2, t, n, s); }, "MovLGP GP8 1 2 "},
    {"MovL_P_IO", [](auto t, auto n, auto s) { return ZEFRA_MovL_P_IO(8, 1, 2, t, n, s); }, "MovLGP GP8 1 2 "},
    {"Jump_GP_IO", [](auto t, auto n, auto s) { return ZEFRA_Jump_GP_IO(9, 1, 2, t, n, s); }, "JumpGP GP9 1 2 "},
    {"Jump_P_IO", [](auto t, auto n, auto s) { return ZEFRA_Jump_P_IO(9, 1, 2, t, n, s); }, "JumpGP GP9 1 2 "},
    {"JumpL_GP_IO", [](auto t, auto n, auto s) { return ZEFRA_JumpL_GP_IO(1, 1, 2, t, n, s); }, "JumpLGP GP1 1 2 "},
    {"JumpL_P_IO", [](auto t, auto n, auto s) { return ZEFRA_JumpL_P_IO(1, 1, 2, t, n, s); }, "JumpLGP GP1 1 2 "},
    {"MovC_GP_IO", [](auto t, auto n, auto s) { return ZEFRA_MovC_GP_IO(1, 2, 3, 4, t, n, s); },
     "MovCGP GP1 GP2 3 4 "},
    {"MovC_P_IO", [](auto t, auto n, auto s) { return ZEFRA_MovC_P_IO(1, 2, 3, 4, t, n, s); },
     "MovCGP GP1 GP2 3 4 "},
    {"MovJ2_IO", [](auto t, auto n, auto s) { return ZEFRA_MovJ2_IO(&pointA, 50, 0, t, n, s); },
     "MovJ2 [" A "] 50 0 "},
    {"MovL2_IO", [](auto t, auto n, auto s) { return ZEFRA_MovL2_IO(&pointA, 50, 0, t, n, s); },
     "MovL2 [" A "] 50 0 "},
    {"Jump2_IO", [](auto t, auto n, auto s) { return ZEFRA_Jump2_IO(&pointB, 1, 2, t, n, s); },
     "Jump2 [" B "] 1 2 "},
    {"JumpL2_IO", [](auto t, auto n, auto s) { return ZEFRA_JumpL2_IO(&pointB, 1, 2, t, n, s); },
     "JumpL2 [" B "] 1 2 "},
    {"MovC2_IO", [](auto t, auto n, auto s) { return ZEFRA_MovC2_IO(&pointA, &pointB, 1, 2, t, n, s); },
     "MovC2 [" A "] [" B "] 1 2 "},
};

const IoTrigger triggers[3] = {{1, 3, 1, 50.0}, {1, 3, 0, 80.5}, {-2, 0, 7, -12.5}};

TEST_F(MotionIo, EveryNameSendsItsRequestAndReturnsTheReply) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string head = row.head;
        EXPECT_EQ(row.call(triggers, 2, slot), RC_OK);
        EXPECT_EQ(sent(), head + "[1,3,1,50.000000;1,3,0,80.500000]");
        EXPECT_EQ(row.call(triggers, 1, slot), RC_OK);  // one entry: no separator at all
        EXPECT_EQ(sent(), head + "[1,3,1,50.000000]");
        EXPECT_EQ(row.call(triggers, 3, slot), RC_OK);
        EXPECT_EQ(sent(), head + "[1,3,1,50.000000;1,3,0,80.500000;-2,0,7,-12.500000]");
        controller.replyPayload("e23:busy");
        EXPECT_EQ(row.call(triggers, 1, slot), -23);
    }
}

TEST_F(MotionIo, RefusesBadCountsNullPointersAndBadSlotsUnsent) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.call(nullptr, 0, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(nullptr, -1, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(triggers, 0, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(triggers, 4, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(triggers, INT32_MIN, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(nullptr, 1, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(triggers, 1, 10), RC_BAD_PARAM);
        EXPECT_EQ(row.call(triggers, 0, -1), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
    EXPECT_EQ(ZEFRA_MovJ2_IO(nullptr, 1, 2, triggers, 1, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_MovC2_IO(&pointA, nullptr, 1, 2, triggers, 1, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_MovC2_IO(nullptr, &pointB, 1, 2, triggers, 1, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
}

TEST_F(MotionIo, TriggerListIsBoundedTo127Characters) {
    // "0,0,0," + 114 integer digits + "." + six decimals = 127 characters: still sent.
    const IoTrigger longest[1] = {{0, 0, 0, 1e113}};
    ASSERT_EQ(ZEFRA_MovJ_IO(1, 2, 3, longest, 1, slot), RC_OK);
    const std::string text = sent();
    EXPECT_EQ(text.size(), std::string("MovJ P1 2 3 []").size() + 127);
    EXPECT_EQ(text.find('e'), std::string::npos);
    controller.clear();

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const IoTrigger refused[][3] = {
        {{0, 0, 0, 1e114}},                                  // one character too many
        {triggers[0], triggers[1], {0, 0, 0, 1e100}},        // the last entry overflows
        {triggers[0], {0, 0, 0, nan}},                       // not a number
        {{0, 0, 0, -std::numeric_limits<double>::infinity()}},
    };
    const int32_t counts[] = {1, 3, 2, 1};
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_EQ(ZEFRA_MovJ_IO(1, 2, 3, refused[i], counts[i], slot), RC_BAD_PARAM) << i;
    EXPECT_TRUE(nothingSent());
}

TEST_F(MotionIo, ExplicitPointsThatCannotBeSentAreRefused) {
    PointRecord huge = pointA;
    huge.pos[0] = huge.pos[1] = 1e300;  // ~620 characters per point: two do not fit a request
    EXPECT_EQ(ZEFRA_MovC2_IO(&huge, &huge, 1, 2, triggers, 1, slot), RC_BAD_PARAM);
    PointRecord notFinite = pointA;
    notFinite.pos[2] = std::nan("");
    EXPECT_EQ(ZEFRA_MovL2_IO(&notFinite, 1, 2, triggers, 1, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
    EXPECT_EQ(ZEFRA_MovL2_IO(&huge, 1, 2, triggers, 1, slot), RC_OK);  // one still fits
}

}  // namespace
}  // namespace zefra::test
