// Motions to a PointRecord passed in the call: bare for one target, bracketed for the circle.
#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class MotionExplicit : public FamilyTest {};

const PointRecord place{{400, 0, 300, 180, 0, 90}, {0, 0, 0, 0}, {0, 0, 0}};
const PointRecord fine{{0.1234567, -0.0000001, -12.5, 1e6, 0.0000006, -0.0000006}, {1, -1, 0, 2}, {3, 0, -4}};
const std::string placeText = "400.000000,0.000000,300.000000,180.000000,0.000000,90.000000;0,0,0,0;0,0,0";
const std::string fineText = "0.123457,-0.000000,-12.500000,1000000.000000,0.000001,-0.000001;1,-1,0,2;3,0,-4";

TEST_F(MotionExplicit, RefusesMissingOrUnprintablePointsThenSendsTheWholeRecord) {
    PointRecord notFinite = place, huge = place;  // six values of 300 digits do not fit a request
    notFinite.pos[2] = NAN;
    for (double& v : huge.pos) v = 1e300;
    expectRefused({ZEFRA_MovJ2(nullptr, 0, 0, slot), ZEFRA_MovL2(nullptr, 0, 0, slot), ZEFRA_Jump2(nullptr, 0, 0, slot),
                   ZEFRA_JumpL2(nullptr, 0, 0, slot), ZEFRA_MovC2(nullptr, &place, 0, 0, slot),
                   ZEFRA_MovC2(&place, nullptr, 0, 0, slot), ZEFRA_MovC2(&place, &notFinite, 0, 0, slot),
                   ZEFRA_MovJ2(&notFinite, 0, 0, slot), ZEFRA_MovL2(&huge, 0, 0, slot)});
    expectSent({
        {"MovJ2 " + placeText + " 10 1", [] { return ZEFRA_MovJ2(&place, 10, 1, slot); }},
        {"MovL2 " + placeText + " 50 0", [] { return ZEFRA_MovL2(&place, 50, 0, slot); }},
        {"Jump2 " + fineText + " -3 7", [] { return ZEFRA_Jump2(&fine, -3, 7, slot); }},
        {"JumpL2 " + fineText + " 0 0", [] { return ZEFRA_JumpL2(&fine, 0, 0, slot); }},
        {"MovC2 [" + placeText + "] [" + fineText + "] 20 2", [] { return ZEFRA_MovC2(&place, &fine, 20, 2, slot); }},
        {"MovC2 [" + placeText + "] [" + placeText + "] 20 2", [] { return ZEFRA_MovC2(&place, &place, 20, 2, slot); }},
    });
}

}  // namespace
}  // namespace zefra::test
