#include <cstring>

#include "support/controller_test.h"
#include "support/record_checks.h"

namespace zefra::test {
namespace {

class Position : public ControllerTest {};

TEST_F(Position, RecordReadingsAreWrittenWholeAfterACompleteReply) {
    expectWholeRecord<PointRecord>(controller, "Get_PosHere", "=1.5,2,3,4,5,-6;1,0,1,0;7,8,9",
                                   {{1.5, 2, 3, 4, 5, -6}, {1, 0, 1, 0}, {7, 8, 9}},
                                   [](PointRecord* p) { return ZEFRA_Get_PosHere(p, slot); });
    const PointRecord six{{1.5, 2, 3, 4, 5, -6}, {0, 0, 0, 0}, {0, 0, 0}};  // whatever the integers held
    expectWholeRecord(controller, "Get_PosHereJ", "=1.5,2,3,4,5,-6", six,
                      [](PointRecord* p) { return ZEFRA_Get_PosHereJ(p, slot); });
    expectWholeRecord(controller, "Get_PosHereC", "=1.5,2,3,4,5,-6", six,
                      [](PointRecord* p) { return ZEFRA_Get_PosHereC(p, slot); });
    expectWholeRecord<RobP>(controller, "Get_RobPHere", "=1,2,3,4,5,6;1,2,3,4;7,8,9,10,11,1.5e2",
                            {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}, {7, 8, 9, 10, 11, 150}},
                            [](RobP* t) { return ZEFRA_Get_RobPosHere(t, slot); });
    expectWholeRecord<RobJP>(controller, "Get_RobJPHere", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14",
                             {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}},
                             [](RobJP* t) { return ZEFRA_Get_RobJPosHere(t, slot); });
}

TEST_F(Position, PulsesGoStraightIntoTheCallersArray) {
    double values[6] = {7, 7, 7, 7, 7, 7};
    const double partly[6] = {1, 2, 3, 7, 7, 7}, whole[6] = {-1, 2, 3, 4, 5, 6e5};
    controller.replyPayload("=1,2,3;4");
    EXPECT_EQ(ZEFRA_Get_PosHerePulse(values, slot), RC_FAIL);
    EXPECT_EQ(sent(), "Get_PosHerePulse");
    EXPECT_EQ(std::memcmp(values, partly, sizeof values), 0);
    controller.replyPayload("=-1,2,3,4,5,600000");
    EXPECT_EQ(ZEFRA_Get_PosHerePulse(values, slot), RC_OK);
    EXPECT_EQ(std::memcmp(values, whole, sizeof values), 0);
}

TEST_F(Position, ActiveMechUnitPositionNeedsTheCodeAndAllEightValues) {
    EXPECT_EQ(ZEFRA_Set_ActiveMechUnitPosFormat(-3, slot), RC_OK);
    EXPECT_EQ(sent(), "Set_ActiveMechUnitPosFormat -3");
    int32_t format = 9;
    double values[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    const double old[8] = {7, 7, 7, 7, 7, 7, 7, 7}, got[8] = {1, 2, 3, 4, 5, 6, 7, 8.5};
    controller.replyPayload("=2,1,2,3,4,5,6,7");
    EXPECT_EQ(ZEFRA_Get_ActiveMechUnitPos(&format, values, slot), RC_FAIL);
    EXPECT_EQ(sent(), "Get_ActiveMechUnitPos");
    EXPECT_EQ(format, 9);
    EXPECT_EQ(std::memcmp(values, old, sizeof values), 0);
    controller.replyPayload("=2,1,2,3,4,5,6,7,8.5");
    EXPECT_EQ(ZEFRA_Get_ActiveMechUnitPos(&format, values, slot), RC_OK);
    EXPECT_EQ(format, 2);
    EXPECT_EQ(std::memcmp(values, got, sizeof values), 0);
}

TEST_F(Position, NullOutputsAreRefusedUnsent) {
    int32_t format = 0;
    double values[8] = {};
    controller.clear();
    for (const int32_t rc : {ZEFRA_Get_PosHere(nullptr, slot), ZEFRA_Get_PosHereJ(nullptr, slot),
                             ZEFRA_Get_PosHereC(nullptr, slot), ZEFRA_Get_PosHerePulse(nullptr, slot),
                             ZEFRA_Get_RobPosHere(nullptr, slot), ZEFRA_Get_RobJPosHere(nullptr, slot),
                             ZEFRA_Get_ActiveMechUnitPos(nullptr, values, slot),
                             ZEFRA_Get_ActiveMechUnitPos(&format, nullptr, slot)})
        EXPECT_EQ(rc, RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
