// Motions to stored points named by number, sent unchecked. The _P names are the _GP functions
// under a second name (the export tests prove it), so their rows would only repeat these.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class MotionPoints : public FamilyTest {};

TEST_F(MotionPoints, SendsItsRequest) {
    expectSent({
        {"MovJ P-1 0 0", [] { return ZEFRA_MovJ(-1, 0, 0, slot); }},
        {"MovJGP GP7 20 0", [] { return ZEFRA_MovJ_GP(7, 20, 0, slot); }},
        {"MovL P12 50 -1", [] { return ZEFRA_MovL(12, 50, -1, slot); }},
        {"MovLGP GP-8 1 2", [] { return ZEFRA_MovL_GP(-8, 1, 2, slot); }},
        {"Jump P5 1 2", [] { return ZEFRA_Jump(5, 1, 2, slot); }},
        {"JumpGP GP9 30 4", [] { return ZEFRA_Jump_GP(9, 30, 4, slot); }},
        {"JumpL P0 100 3", [] { return ZEFRA_JumpL(0, 100, 3, slot); }},
        {"JumpLGP GP2 -7 8", [] { return ZEFRA_JumpL_GP(2, -7, 8, slot); }},
        {"MovC P3 P4 50 1", [] { return ZEFRA_MovC(3, 4, 50, 1, slot); }},
        {"MovCGP GP1 GP2 60 0", [] { return ZEFRA_MovC_GP(1, 2, 60, 0, slot); }},
    });
}

}  // namespace
}  // namespace zefra::test
