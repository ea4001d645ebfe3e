// Motions with one to three IO trigger entries: ";" between the entries, the list bracketed.
#include <cmath>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class MotionIo : public FamilyTest {};

const PointRecord pointA{{400, 0, 300, 180, 0, 0.1234567}, {0, 0, 1, 0}, {0, 1, 2}};
const PointRecord pointB{{-1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, {-1, 0, 3}};
const std::string textA = "400.000000,0.000000,300.000000,180.000000,0.000000,0.123457;0,0,1,0;0,1,2",
                  textB = "-1.000000,2.000000,3.000000,4.000000,5.000000,6.000000;1,1,1,1;-1,0,3";
const IoTrigger triggers[3] = {{1, 3, 1, 50.0}, {1, 3, 0, 80.5}, {-2, 0, 7, -12.5}};

// Each call and its request before the list. The _P names are the _GP functions under a
// second name (the export tests prove it), so their rows would only repeat these.
const std::pair<std::function<int32_t(const IoTrigger*, int32_t count, int32_t slot)>, std::string> rows[] = {
    {[](auto t, auto n, auto s) { return ZEFRA_MovJ_IO(5, 20, 0, t, n, s); }, "MovJ P5 20 0 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovL_IO(-5, 20, -1, t, n, s); }, "MovL P-5 20 -1 "},
    {[](auto t, auto n, auto s) { return ZEFRA_Jump_IO(6, 1, 2, t, n, s); }, "Jump P6 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_JumpL_IO(7, 1, 2, t, n, s); }, "JumpL P7 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovC_IO(3, 4, 50, 1, t, n, s); }, "MovC P3 P4 50 1 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovJ_GP_IO(7, 20, 0, t, n, s); }, "MovJGP GP7 20 0 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovL_GP_IO(8, 1, 2, t, n, s); }, "MovLGP GP8 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_Jump_GP_IO(9, 1, 2, t, n, s); }, "JumpGP GP9 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_JumpL_GP_IO(1, 1, 2, t, n, s); }, "JumpLGP GP1 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovC_GP_IO(1, 2, 3, 4, t, n, s); }, "MovCGP GP1 GP2 3 4 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovJ2_IO(&pointA, 50, 0, t, n, s); }, "MovJ2 [" + textA + "] 50 0 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovL2_IO(&pointA, 50, 0, t, n, s); }, "MovL2 [" + textA + "] 50 0 "},
    {[](auto t, auto n, auto s) { return ZEFRA_Jump2_IO(&pointB, 1, 2, t, n, s); }, "Jump2 [" + textB + "] 1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_JumpL2_IO(&pointB, -1, 2, t, n, s); }, "JumpL2 [" + textB + "] -1 2 "},
    {[](auto t, auto n, auto s) { return ZEFRA_MovC2_IO(&pointA, &pointB, 1, 2, t, n, s); },
     "MovC2 [" + textA + "] [" + textB + "] 1 2 "},
};

// A count outside 1..3 is refused before the entries are read.
TEST_F(MotionIo, RefusesCountsOutsideOneToThreeAndSendsTheFirstCountEntries) {
    for (const auto& [call, head] : rows) {
        controller.clear();
        expectRefused({call(nullptr, 0, slot), call(nullptr, -1, slot), call(triggers, 0, slot),
                       call(triggers, 4, slot), call(triggers, INT32_MIN, slot), call(nullptr, 1, slot)});
        expectSent({{head + "[1,3,1,50.000000]", [&] { return call(triggers, 1, slot); }},
                        {head + "[1,3,1,50.000000;1,3,0,80.500000]", [&] { return call(triggers, 2, slot); }},
                        {head + "[1,3,1,50.000000;1,3,0,80.500000;-2,0,7,-12.500000]", [&] { return call(triggers, 3, slot); }}});
    }
    controller.clear();
    expectRefused({ZEFRA_MovJ2_IO(nullptr, 1, 2, triggers, 1, slot), ZEFRA_MovC2_IO(&pointA, nullptr, 1, 2, triggers, 1, slot),
                   ZEFRA_MovC2_IO(nullptr, &pointB, 1, 2, triggers, 1, slot)});
}

TEST_F(MotionIo, RefusesAListOfMoreThan127CharactersUnsent) {
    const IoTrigger tooLong[1] = {{0, 0, 0, 1e114}}, lastTooLong[3] = {triggers[0], triggers[1], {0, 0, 0, 1e100}},
                    notFinite[2] = {triggers[0], {0, 0, 0, NAN}}, longest[1] = {{0, 0, 0, 1e113}};
    expectRefused({ZEFRA_MovJ_IO(1, 2, 3, tooLong, 1, slot), ZEFRA_MovJ_IO(1, 2, 3, lastTooLong, 3, slot),
                   ZEFRA_MovJ_IO(1, 2, 3, notFinite, 2, slot)});
    // "0,0,0," + 114 integer digits + "." + six decimals: 127 characters, the most that fits.
    ASSERT_EQ(ZEFRA_MovJ_IO(1, 2, 3, longest, 1, slot), RC_OK);
    EXPECT_EQ(sent().size(), std::string("MovJ P1 2 3 []").size() + 127);
}

}  // namespace
}  // namespace zefra::test
