#include <cstring>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Frames : public FamilyTest {};

const ToolData tool{-1, {1, 2, 3, 4, 5, 6.0006}, {7, 8, 9, 10, 11, 12, 13, 14, 15, -0.0004}};
const WobjData wobj{1, 0, "table", {1, 2, 3, 0, 0, 0}, {0, 0, 0, 0, 0, 1.2345678}};
const WobjData longestName{0, 0, "nnnnnnnnnnnnnnnnnnnnnnn", {}, {}};  // 23 characters and the terminator
const double frame[6] = {0.1234567, -2, 0, 0, 0, 1e6};

TEST_F(Frames, SettersSendTheirValuesAsWritten) {
    expectSent({
        {"Set_ToolData 3 -1;1.000,2.000,3.000,4.000,5.000,6.001 "
         "7.000,8.000,9.000,10.000,11.000,12.000,13.000,14.000,15.000,-0.000",
         [] { return ZEFRA_Set_ToolData(3, &tool, slot); }},
        {"Set_WobjData 2 1,0;1.000,2.000,3.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,1.235;table",
         [] { return ZEFRA_Set_WobjData(2, &wobj, slot); }},
        {"Set_WobjData -1 0,0;0.000,0.000,0.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,0.000;" +
             std::string(23, 'n'), [] { return ZEFRA_Set_WobjData(-1, &longestName, slot); }},
        {"Set_ToolC -1 0.123457,-2.000000,0.000000,0.000000,0.000000,1000000.000000",
         [] { return ZEFRA_Set_ToolC(-1, frame, slot); }},
        {"Set_UserC 4 0.123457,-2.000000,0.000000,0.000000,0.000000,1000000.000000",
         [] { return ZEFRA_Set_UserC(4, frame, slot); }},
        {"Set_ToolCNum 4", [] { return ZEFRA_Set_ToolCNum(4, slot); }},
        {"Set_WobjNum -1", [] { return ZEFRA_Set_WobjNum(-1, slot); }},
        {"Set_UserCNum 2", [] { return ZEFRA_Set_UserCNum(2, slot); }},
        {"Set_CoordType 1", [] { return ZEFRA_Set_CoordType(1, slot); }},
        {"Set_Coord 3", [] { return ZEFRA_Set_Coord(3, slot); }},
    });
}

const std::string numbers = "=1,0;1.000,2.000,3.000,0.000,0.000,0.000;0.000,0.000,0.000,0.000,0.000,-1.500;";
std::string wobjWith(const std::string& name) { return "1,0," + name + ",1,2,3,0,0,0,0,0,0,0,0,-1.5"; }

TEST_F(Frames, GettersWriteAsEachReadingSays) {
    const auto toolData = getter<ToolData>(ZEFRA_Get_ToolData, 3);
    const auto wobjData = getter<WobjData>(ZEFRA_Get_WobjData, 2);
    const std::string name23(23, 'n'), wobjUntouched = nines(15);
    expectRead({
        {"Get_ToolData 3", "=1;1,2,3,4,5,6;7,8,9,10,11,12,13,14,15,16", RC_OK,
         "1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", toolData},
        {"Get_ToolData 3", "=1;1,2,3,4,5,6;7,8,9,10,11,12,13,14,15", RC_FAIL, nines(17), toolData},
        {"Get_WobjData 2", numbers + "table", RC_OK, wobjWith("table"), wobjData},
        {"Get_WobjData 2", numbers + "a b;c", RC_OK, wobjWith("a b;c"), wobjData},
        {"Get_WobjData 2", numbers + name23, RC_OK, wobjWith(name23), wobjData},
        {"Get_WobjData 2", numbers + name23 + "n", RC_FAIL, wobjUntouched, wobjData},
        {"Get_WobjData 2", numbers, RC_OK, wobjWith(""), wobjData},
        // Numbers written shorter than we print them leave no text where the name would be.
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,-1.5;table", RC_OK, wobjWith(""), wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,-1e300;x", RC_OK, "1,0,,1,2,3,0,0,0,0,0,0,0,0,-1e+300", wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0,inf;x", RC_FAIL, wobjUntouched, wobjData},
        {"Get_WobjData 2", "=1,0;1,2,3,0,0,0;0,0,0,0,0;x", RC_FAIL, wobjUntouched, wobjData},
        {"Get_ToolC 3", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,5,6", getter<Six>(ZEFRA_Get_ToolC, 3)},
        {"Get_UserC -1", "=1,2,3,4,5,6", RC_OK, "1,2,3,4,5,6", getter<Six>(ZEFRA_Get_UserC, -1)},
        {"Get_UserC -1", "=1.5,2.5,abc", RC_FAIL, "1.5,2.5,9,9,9,9", getter<Six>(ZEFRA_Get_UserC, -1)},
        {"Get_ToolCNum", "=4", RC_OK, "4", getter<int32_t>(ZEFRA_Get_ToolCNum)},
        {"Get_WobjNum", "=-1", RC_OK, "-1", getter<int32_t>(ZEFRA_Get_WobjNum)},
        {"Get_UserCNum", "=2", RC_OK, "2", getter<int32_t>(ZEFRA_Get_UserCNum)},
    });
}

TEST_F(Frames, NullPointersAndUnterminatedNamesAreRefusedUnsent) {
    WobjData unterminated = wobj;
    std::memset(unterminated.name, 'n', sizeof unterminated.name);
    expectRefused({ZEFRA_Get_ToolData(1, nullptr, slot), ZEFRA_Set_ToolData(1, nullptr, slot), ZEFRA_Get_WobjData(1, nullptr, slot),
                   ZEFRA_Set_WobjData(1, nullptr, slot), ZEFRA_Set_WobjData(1, &unterminated, slot),
                   ZEFRA_Get_ToolC(1, nullptr, slot), ZEFRA_Set_ToolC(1, nullptr, slot), ZEFRA_Set_UserC(1, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
