#include "support/family_test.h"

namespace zefra::test {
namespace {

class Position : public FamilyTest {};

TEST_F(Position, RecordReadingsAreWrittenWholeAfterACompleteReply) {
    expectWholeRecord<PointRecord>("Get_PosHere", "=1.5,2,3,4,5,-6;1,0,1,0;7,8,9",
                                   {{1.5, 2, 3, 4, 5, -6}, {1, 0, 1, 0}, {7, 8, 9}},
                                   [](PointRecord* p) { return ZEFRA_Get_PosHere(p, slot); });
    const PointRecord six{{1.5, 2, 3, 4, 5, -6}, {0, 0, 0, 0}, {0, 0, 0}};  // whatever the integers held
    expectWholeRecord("Get_PosHereJ", "=1.5,2,3,4,5,-6", six,
                      [](PointRecord* p) { return ZEFRA_Get_PosHereJ(p, slot); });
    expectWholeRecord("Get_PosHereC", "=1.5,2,3,4,5,-6", six,
                      [](PointRecord* p) { return ZEFRA_Get_PosHereC(p, slot); });
    expectWholeRecord<RobP>("Get_RobPHere", "=1,2,3,4,5,6;1,2,3,4;7,8,9,10,11,1.5e2",
                            {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}, {7, 8, 9, 10, 11, 150}},
                            [](RobP* t) { return ZEFRA_Get_RobPosHere(t, slot); });
    expectWholeRecord<RobJP>("Get_RobJPHere", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14",
                             {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}},
                             [](RobJP* t) { return ZEFRA_Get_RobJPosHere(t, slot); });
}

// Pulses go straight into the caller's array; the mechanical unit's position needs its format
// code and all eight values.
TEST_F(Position, PulsesAndTheActiveMechUnitsPosition) {
    expectSent({{"Set_ActiveMechUnitPosFormat -3", [] { return ZEFRA_Set_ActiveMechUnitPosFormat(-3, slot); }}});
    const auto pulses = getter<Six>(ZEFRA_Get_PosHerePulse);
    const auto unit = with<int32_t, std::array<double, 8>>(
        [](auto& format, auto& values) { return ZEFRA_Get_ActiveMechUnitPos(&format, values.data(), slot); });
    expectRead({
        {"Get_PosHerePulse", "=1,2,3;4", RC_FAIL, "1,2,3,9,9,9", pulses},
        {"Get_PosHerePulse", "=-1,2,3,4,5,600000", RC_OK, "-1,2,3,4,5,600000", pulses},
        {"Get_ActiveMechUnitPos", "=2,1,2,3,4,5,6,7", RC_FAIL, nines(9), unit},
        {"Get_ActiveMechUnitPos", "=2,1,2,3,4,5,6,7,8.5", RC_OK, "2,1,2,3,4,5,6,7,8.5", unit},
    });
    int32_t format = 0;
    double values[8] = {};
    expectRefused({ZEFRA_Get_ActiveMechUnitPos(nullptr, values, slot), ZEFRA_Get_ActiveMechUnitPos(&format, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
