#include <string>
#include <utility>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Offsets : public FamilyTest {};

const double offset[6] = {10, 0.0004, -5, 0, 0, 0.0006};
const PointRecord base{{400, 0, 300, 180, 0, 90}, {0, 0, 1, 0}, {0, 2, 0}};
const RobP robP{{400, 0, 300, 180, 0, 12.3456}, {0, 0, 1, 0}, {0, 0, 0, 0, 0, 1}};
const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}};
const std::string baseText = "400.000000,0.000000,300.000000,180.000000,0.000000,90.000000;0,0,1,0;0,2,0";
const std::string robPText = "400.000,0.000,300.000,180.000,0.000,12.346;0,0,1,0;0.000,0.000,0.000,0.000,0.000,1.000";
const std::string robJPText = "1.000,2.000,3.000,4.000,5.000,6.000,7.000,8.000;9.000,10.000,11.000,12.000,13.000,14.000";
const std::string sixDecimals = " 10.000000,0.000400,-5.000000,0.000000,0.000000,0.000600";
const std::string threeDecimals = " 10.000,0.000,-5.000,0.000,0.000,0.001";

// The base record is also the result: everything is sent before anything is written, and on
// success every field is the reply's, integers and reference triple included.
TEST_F(Offsets, PointsCarrySixDecimalsAndTargetsThree) {
    const PointRecord point{{410, 0, 295, 180, 0, 90}, {1, 1, 0, 1}, {3, 0, 4}};
    for (const auto& [word, call] : {std::pair{"Get_OffsetJ", &ZEFRA_Get_OffsetJ}, std::pair{"Get_Offset", &ZEFRA_Get_Offset},
                                     std::pair{"Get_OffsetT", &ZEFRA_Get_OffsetT}})
        expectWholeRecord(word + (" " + baseText) + sixDecimals, "=410,0,295,180,0,90;1,1,0,1;3,0,4", point,
                          [call = call](PointRecord* r) { return call(r, offset, r, slot); }, base);
    const RobP target{{1, 2, 3, 4, 5, 6}, {1, 0, 1, 0}, {7, 8, 9, 10, 11, 12}};
    for (const auto& [word, call] :
         {std::pair{"Get_Offset_RobP", &ZEFRA_Get_Offset_RobP}, std::pair{"Get_OffsetT_RobP", &ZEFRA_Get_OffsetT_RobP}})
        expectWholeRecord(word + (" " + robPText) + threeDecimals, "=1,2,3,4,5,6;1,0,1,0;7,8,9,10,11,12",
                          target, [call = call](RobP* r) { return call(r, offset, r, slot); }, robP);
    expectWholeRecord<RobJP>("Get_OffsetJ_RobJP " + robJPText + threeDecimals,
                             "=-1,-2,-3,-4,-5,-6,-7,-8;0,0,0,0,0,0.5", {{-1, -2, -3, -4, -5, -6, -7, -8}, {0, 0, 0, 0, 0, 0.5}},
                             [](RobJP* r) { return ZEFRA_Get_OffsetJ_RobJP(r, offset, r, slot); }, robJP);
}

// One check serves every offset query.
TEST_F(Offsets, NullArgumentsAreRefusedUnsent) {
    PointRecord point{};
    expectRefused({ZEFRA_Get_OffsetJ(nullptr, offset, &point, slot), ZEFRA_Get_OffsetJ(&base, nullptr, &point, slot),
                   ZEFRA_Get_OffsetJ(&base, offset, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
