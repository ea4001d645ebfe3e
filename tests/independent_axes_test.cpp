// Axes that move independently of the coordinated motion; the owner's name goes last, as given.
#include "support/family_test.h"

namespace zefra::test {
namespace {

class IndependentAxes : public FamilyTest {};

TEST_F(IndependentAxes, RefusesANullNameThenSendsAndQueries) {
    int32_t state = 0;
    expectRefused({ZEFRA_IndAMove(nullptr, 1, 0, 0, 0, 0, slot), ZEFRA_IndCMove(nullptr, 1, 0, 0, 0, slot),
                   ZEFRA_IndReset(nullptr, 1, 0, 0, slot), ZEFRA_IndResetOld(nullptr, 1, slot),
                   ZEFRA_IndSpeed(nullptr, 1, &state, slot), ZEFRA_IndInPos(nullptr, 1, &state, slot),
                   ZEFRA_Get_IndAMoveSts(nullptr, 1, &state, slot), ZEFRA_Get_IndCMoveSts(nullptr, 1, &state, slot),
                   ZEFRA_Get_IndResetSts(nullptr, 1, &state, slot)});
    expectSent({
        {"IndAMove 1 90.000 30.000 100.000 12.346 EXT1", [] { return ZEFRA_IndAMove("EXT1", 1, 90, 30, 100, 12.3456, slot); }},
        {"IndCMove -2 0.000 -1.500 0.001 EXT1", [] { return ZEFRA_IndCMove("EXT1", -2, 0.0004, -1.5, 0.0005, slot); }},
        {"IndReset 3 12.346 -7 EXT1", [] { return ZEFRA_IndReset("EXT1", 3, 12.3456, -7, slot); }},
        {"IndResetOld 4 EXT 1", [] { return ZEFRA_IndResetOld("EXT 1", 4, slot); }},
    });
    expectIntQueries({
        {[](auto v, auto s) { return ZEFRA_IndSpeed("EXT1", 1, v, s); }, "IndSpeed 1 EXT1"},
        {[](auto v, auto s) { return ZEFRA_IndInPos("EXT1", 2, v, s); }, "IndInPos 2 EXT1"},
        {[](auto v, auto s) { return ZEFRA_Get_IndAMoveSts("EXT1", 1, v, s); }, "Get_IndAMoveSts 1 EXT1"},
        {[](auto v, auto s) { return ZEFRA_Get_IndCMoveSts("EXT1", -1, v, s); }, "Get_IndCMoveSts -1 EXT1"},
        {[](auto v, auto s) { return ZEFRA_Get_IndResetSts("EXT1", 0, v, s); }, "Get_IndResetSts 0 EXT1"},
        {ZEFRA_Get_MotionStsExceptIndAxis, "Get_MotionStsExceptIndAxis"},
    });
}

}  // namespace
}  // namespace zefra::test
