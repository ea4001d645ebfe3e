#include <functional>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class MotionPoints : public ControllerTest {};

struct Request {
    std::function<int32_t(int32_t)> call;
    const char* text;
};

// Every export, the _P twins included: each _P row sends what its _GP row sends.
const Request requests[] = {
    {[](int32_t s) { return ZEFRA_MovJ(-1, 0, 0, s); }, "MovJ P-1 0 0"},
    {[](int32_t s) { return ZEFRA_MovL(12, 50, -1, s); }, "MovL P12 50 -1"},
    {[](int32_t s) { return ZEFRA_Jump(5, 1, 2, s); }, "Jump P5 1 2"},
    {[](int32_t s) { return ZEFRA_JumpL(0, 100, 3, s); }, "JumpL P0 100 3"},
    {[](int32_t s) { return ZEFRA_MovC(3, 4, 50, 1, s); }, "MovC P3 P4 50 1"},
    {[](int32_t s) { return ZEFRA_MovJ_GP(7, 20, 0, s); }, "MovJGP GP7 20 0"},
    {[](int32_t s) { return ZEFRA_MovJ_P(7, 20, 0, s); }, "MovJGP GP7 20 0"},
    {[](int32_t s) { return ZEFRA_MovL_GP(INT32_MIN, 1, 2, s); }, "MovLGP GP-2147483648 1 2"},
    {[](int32_t s) { return ZEFRA_MovL_P(INT32_MIN, 1, 2, s); }, "MovLGP GP-2147483648 1 2"},
    {[](int32_t s) { return ZEFRA_Jump_GP(9, 30, 4, s); }, "JumpGP GP9 30 4"},
    {[](int32_t s) { return ZEFRA_Jump_P(9, 30, 4, s); }, "JumpGP GP9 30 4"},
    {[](int32_t s) { return ZEFRA_JumpL_GP(2, -7, 8, s); }, "JumpLGP GP2 -7 8"},
    {[](int32_t s) { return ZEFRA_JumpL_P(2, -7, 8, s); }, "JumpLGP GP2 -7 8"},
    {[](int32_t s) { return ZEFRA_MovC_GP(1, 2, 60, 0, s); }, "MovCGP GP1 GP2 60 0"},
    {[](int32_t s) { return ZEFRA_MovC_P(1, 2, 60, 0, s); }, "MovCGP GP1 GP2 60 0"},
};

TEST_F(MotionPoints, SendsEachRequestAndReturnsTheReply) {
    for (const auto& row : requests) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.call(slot), RC_OK);
        EXPECT_EQ(controller.frames().back(), std::string("@@") + row.text + "$$");
        controller.replyPayload("e23:unreachable");
        EXPECT_EQ(row.call(slot), -23);
        controller.replyPayload("done");
        EXPECT_EQ(row.call(slot), RC_FAIL);
    }
}

TEST_F(MotionPoints, OnlyTheSlotIsChecked) {
    for (const auto& row : requests) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.call(10), RC_BAD_PARAM);
        EXPECT_EQ(row.call(-1), RC_BAD_PARAM);
        EXPECT_EQ(row.call(1), RC_COMM_FAIL);  // valid but not connected
        EXPECT_TRUE(nothingSent());
    }
}

}  // namespace
}  // namespace zefra::test
