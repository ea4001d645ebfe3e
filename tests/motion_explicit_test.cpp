#include <functional>
#include <limits>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class MotionExplicit : public ControllerTest {};

const PointRecord place{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0}};
const PointRecord fine{{0.1234567, -0.0000001, -12.5, 1e6, 0.0000006, -0.0000006}, {1, -1, 0, 2}, {3, 0, -4}};
const std::string placeText = "400.000000,0.000000,300.000000,180.000000,0.000000,90.000000;0,0,0,0;0,0,0";
const std::string fineText =
    "0.123457,-0.000000,-12.500000,1000000.000000,0.000001,-0.000001;1,-1,0,2;3,0,-4";

struct Request {
    std::function<int32_t(const PointRecord*, const PointRecord*, int32_t)> call;
    std::string text;  // for the targets `place`, then `fine`
};

const Request requests[] = {
    {[](auto a, auto, int32_t s) { return ZEFRA_MovJ2(a, 10, 1, s); }, "MovJ2 " + placeText + " 10 1"},
    {[](auto a, auto, int32_t s) { return ZEFRA_MovL2(a, 50, 0, s); }, "MovL2 " + placeText + " 50 0"},
    {[](auto, auto b, int32_t s) { return ZEFRA_Jump2(b, -3, 7, s); }, "Jump2 " + fineText + " -3 7"},
    {[](auto, auto b, int32_t s) { return ZEFRA_JumpL2(b, 0, 0, s); }, "JumpL2 " + fineText + " 0 0"},
    {[](auto a, auto b, int32_t s) { return ZEFRA_MovC2(a, b, 20, 2, s); },
     "MovC2 [" + placeText + "] [" + fineText + "] 20 2"},
    {[](auto a, auto, int32_t s) { return ZEFRA_MovC2(a, a, 20, 2, s); },
     "MovC2 [" + placeText + "] [" + placeText + "] 20 2"},
};

TEST_F(MotionExplicit, SendsTheRecordsInSixDecimalPointForm) {
    for (const auto& row : requests) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.call(&place, &fine, slot), RC_OK);
        EXPECT_EQ(sent(), row.text);
        controller.replyPayload("e9:out of reach");
        EXPECT_EQ(row.call(&place, &fine, slot), -9);
    }
}

TEST_F(MotionExplicit, RefusesWhatCannotBeSentWithoutSending) {
    PointRecord notANumber = place;
    notANumber.pos[2] = std::numeric_limits<double>::quiet_NaN();
    PointRecord infinite = place;
    infinite.pos[5] = -std::numeric_limits<double>::infinity();
    PointRecord huge = place;  // each of these prints with over 300 digits
    for (double& v : huge.pos) v = 1e300;
    for (const auto& row : requests) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.call(nullptr, nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&notANumber, &notANumber, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&infinite, &infinite, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&huge, &huge, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.call(&place, &fine, 10), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
    EXPECT_EQ(ZEFRA_MovC2(&place, nullptr, 0, 0, slot), RC_BAD_PARAM);
    EXPECT_EQ(ZEFRA_MovC2(&place, &notANumber, 0, 0, slot), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());

    // One huge value still fits a single-target request: sent in full, never in exponent form.
    PointRecord far = place;
    far.pos[0] = 1e300;
    EXPECT_EQ(ZEFRA_MovJ2(&far, 0, 0, slot), RC_OK);
    EXPECT_EQ(sent().substr(0, 7), "MovJ2 1");
    EXPECT_EQ(sent().find('e'), std::string::npos);
}

}  // namespace
}  // namespace zefra::test
