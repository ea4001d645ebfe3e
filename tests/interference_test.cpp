#include <array>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Interference : public FamilyTest {};

const InterferZonePara zone0{-1, 2, 3, 65535, 0.5f, 6, 0, {1, 2, 3, 4, 5, 6.25f}, {9, 9, 9, 9, 9, 9}};
const InterferZonePara zone1{1, 2, 3, 4, 5, 6, 1, {9, 9, 9, 9, 9, 9}, {-1, 0.1f, 0, 0, 0, 1e6f}};
const InterferToolPara none{}, box{1, {1, 2, 3, 4, 5, 6, 7, 65535}, {9, 9}, 9, {9}, {9}, {9}}, ball{2, {9}, {1.5f, -0.25f}, 9, {9}, {9}, {9}};
const InterferToolPara shape30{3, {9}, {9}, 0, {1, 2, 3, 4, 5, 6}, {9, 9, 9, 9, 9, 9}, {9}}, shape31{3, {9}, {9}, 1, {9}, {-1, -2, -3, -4, -5, -6}, {9}};
const InterferToolPara shape32{3, {9}, {9}, 2, {9}, {9}, {0.1234f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -12.5f}};

TEST_F(Interference, SettersSendTheNamedGroupOnly) {
    const auto tool = [](int32_t no, const InterferToolPara& p) { return [no, &p] { return ZEFRA_Set_InterferToolPara(no, &p, slot); }; };
    expectSent({
        {"Set_InterferZonePara 3 -1,2,3,65535,0.500000,6,0,1.000000,2.000000,3.000000,4.000000,5.000000,6.250000",
         [] { return ZEFRA_Set_InterferZonePara(3, &zone0, slot); }},
        {"Set_InterferZonePara -3 1,2,3,4,5.000000,6,1,-1.000000,0.100000,0.000000,0.000000,0.000000,1000000.000000",
         [] { return ZEFRA_Set_InterferZonePara(-3, &zone1, slot); }},
        {"Set_InterferZoneActStat 2 1", [] { return ZEFRA_Set_InterferZoneActStat(2, 1, slot); }},
        {"Set_InterferToolActNum 5", [] { return ZEFRA_Set_InterferToolActNum(5, slot); }},
        {"Set_InterferToolPara 4 0", tool(4, none)},
        {"Set_InterferToolPara 4 1,1,2,3,4,5,6,7,65535", tool(4, box)},
        {"Set_InterferToolPara 4 2,1.500000,-0.250000", tool(4, ball)},
        {"Set_InterferToolPara 1 3,0,1.000000,2.000000,3.000000,4.000000,5.000000,6.000000", tool(1, shape30)},
        {"Set_InterferToolPara 1 3,1,-1.000000,-2.000000,-3.000000,-4.000000,-5.000000,-6.000000", tool(1, shape31)},
        {"Set_InterferToolPara 1 3,2,0.123,1.000,2.000,3.000,4.000,5.000,6.000,7.000,8.000,9.000,10.000,11.000,-12.500", tool(1, shape32)},
    });
    InterferZonePara badKind = zone0;
    InterferToolPara badShape = ball, badVariant = shape32;
    badKind.kind = 2;
    badShape.shapeType = 4;
    badVariant.type3Kind = 3;
    expectRefused({ZEFRA_Set_InterferZonePara(1, &badKind, slot), ZEFRA_Set_InterferZonePara(1, nullptr, slot), ZEFRA_Set_InterferToolPara(1, &badShape, slot),
                   ZEFRA_Set_InterferToolPara(1, &badVariant, slot), ZEFRA_Set_InterferToolPara(1, nullptr, slot)});
}

TEST_F(Interference, ZoneReadingsRefuseWhatTheyCannotUse) {
    const auto zone = getter<InterferZonePara>(ZEFRA_Get_InterferZonePara, 3);
    const auto states = getter<std::array<int32_t, 16>>(ZEFRA_Get_InterferZoneActStat);
    const auto active = getter<int32_t>(ZEFRA_Get_InterferToolActNum);
    const std::string sixteen = "=1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,-1";
    expectRead({
        {"Get_InterferZonePara 3", "=-1,2,3,65535,0.5,6,1,1,2,3,4,5,6", RC_OK, "-1,2,3,65535,0.5,6,1,0,0,0,0,0,0,1,2,3,4,5,6", zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,0,1,2,3,4,5,-6", RC_OK, "1,2,3,4,5,6,0,1,2,3,4,5,-6,0,0,0,0,0,0", zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,0,1,2,3,4,5", RC_BAD_PARAM, nines(19), zone},
        {"Get_InterferZonePara 3", "=1,2,3,4,5,6,2,1,2,3,4,5,6", RC_BAD_PARAM, nines(19), zone},
        {"Get_InterferZoneActStat", sixteen, RC_OK, sixteen.substr(1), states},
        {"Get_InterferZoneActStat", sixteen.substr(0, 30), RC_BAD_PARAM, sixteen.substr(1, 29) + ",9", states},
        {"Get_InterferToolActNum", "=3", RC_OK, "3", active},
        {"Get_InterferToolActNum", "=x", RC_BAD_PARAM, "9", active},
        {"Get_InterferToolActNum", "e", RC_FAIL, "9", active},  // the exchange's failures pass unchanged
    });
    expectRefused({ZEFRA_Get_InterferZonePara(1, nullptr, slot), ZEFRA_Get_InterferZoneActStat(nullptr, slot), ZEFRA_Get_InterferToolActNum(nullptr, slot)});
}

TEST_F(Interference, ToolShapeReadingsFillTheNamedGroupAndZeroTheRest) {
    const InterferToolPara untouched = filled<InterferToolPara>();
    const struct {
        const char* reply;
        int32_t rc;
        InterferToolPara expected;
    } rows[] = {
        {"=0,5", RC_OK, {}},
        {"=1,1,2,3,4,5,6,7,65535", RC_OK, {1, {1, 2, 3, 4, 5, 6, 7, 65535}, {}, 0, {}, {}, {}}},
        {"=2,1.5", RC_OK, {2, {}, {1.5f, 0}, 0, {}, {}, {}}},
        {"=3", RC_OK, {3, {}, {}, 0, {}, {}, {}}},
        {"=3,0,1,2,3,4,5,6", RC_OK, {3, {}, {}, 0, {1, 2, 3, 4, 5, 6}, {}, {}}},
        {"=3,1,-1,-2,-3,x", RC_OK, {3, {}, {}, 1, {}, {-1, -2, -3}, {}}},
        {"=3,2,1,2,3,4,5,6,7,8,9,10,11,12,-13", RC_OK, {3, {}, {}, 2, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -13}}},
        {"=4,1", RC_BAD_PARAM, untouched},
        {"=3,3,1", RC_BAD_PARAM, untouched},
        {"ok", RC_BAD_PARAM, untouched},  // no shape number at all: not read as shape 0
        {"e", RC_FAIL, untouched},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reply);
        InterferToolPara para = untouched;
        controller.replyPayload(row.reply);
        EXPECT_EQ(ZEFRA_Get_InterferToolPara(-2, &para, slot), row.rc);
        EXPECT_EQ(sent(), "Get_InterferToolPara -2");
        EXPECT_TRUE(same(para, row.expected));
    }
    controller.clear();
    expectRefused({ZEFRA_Get_InterferToolPara(1, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
