// Position records as text: printed into commands, scanned out of replies. No two fields of the
// samples are alike, so a field printed or scanned in another's place shows.
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "records/records.h"
#include "records/text.h"

namespace zefra {
namespace {

const PointRecord point{{1.5, -2.25, 3.125, 4, 5, 6}, {7, 8, 9, -10}, {11, 12, 13}};
const RobP robP{{1.5, -2.25, 3.125, 4, 5, 6}, {7, 8, 9, -10}, {11, 12, 13, 14, 15, -16.5}};
const RobJP robJP{{1.5, -2.25, 3.125, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, -14.5}};

template <typename... Arrays>
std::vector<double> fields(const Arrays&... arrays) {
    std::vector<double> all;
    (all.insert(all.end(), std::begin(arrays), std::end(arrays)), ...);
    return all;
}
std::vector<double> fields(const PointRecord& p) { return fields(p.pos, p.armType, p.frameRef); }
std::vector<double> fields(const RobP& r) { return fields(r.pos, r.armType, r.extAxes); }
std::vector<double> fields(const RobJP& j) { return fields(j.axes, j.extAxes); }

// A complete-or-nothing reader run on a record that holds `before`: its verdict and every field
// after must be `complete` and those of `after`.
template <typename Record>
void expectRead(bool (*reader)(const char*, Record*), const char* payload, Record before, bool complete,
                const Record& after) {
    const bool verdict = reader(payload, &before);
    EXPECT_EQ(std::pair(verdict, fields(before)), std::pair(complete, fields(after))) << payload;
}
using Six = std::array<double, 6>;
bool readSix(const char* payload, Six* six) { return readSixValues(payload, six->data()); }

TEST(Records, ScannersPutEveryFieldInPlaceAndReadersWriteAllOrNothing) {
    expectRead(readPointRecord, "=15e-1,-2.25,3.125,4,5,6;7,8,9,-10;11,12,13;surplus", PointRecord{}, true, point);
    expectRead(readRobP, "=1.5,-2.25,3.125,4,5,6;7,8,9,-10;11,12,13,14,15,-16.5", RobP{}, true, robP);
    expectRead(readRobJP, "=1.5,-2.25,3.125,4,5,6,7,8;9,10,11,12,13,-14.5", RobJP{}, true, robJP);
    expectRead(readSix, "=1.5,-2.25,3.125,4,5,6", Six{}, true, Six{1.5, -2.25, 3.125, 4, 5, 6});
    expectRead(readSixValuesAsPoint, "=6,5,4,3,2,1", point, true, PointRecord{{6, 5, 4, 3, 2, 1}, {}, {}});
    // One field short, a blank before ",", a ";" missing, no "=", nothing at all.
    for (const char* payload : {"=1,2,3,4,5,6;7,8,9,10;11,12", "=1,2,3,4,5 ,6;7,8,9,10;11,12,13",
                                "=1,2,3,4,5,6 7,8,9,10;11,12,13", "1,2,3,4,5,6;7,8,9,10;11,12,13", "=", ""})
        expectRead(readPointRecord, payload, point, false, point);
    expectRead(readRobP, "=1,2,3,4,5,6;7,8,9,10;11,12,13,14,15", robP, false, robP);
    expectRead(readRobJP, "=1,2,3,4,5,6,7,8;9,10,11,12,13", robJP, false, robJP);
    expectRead(readSix, "=1,2,3,4,5", Six{7, 7, 7, 7, 7, 7}, false, Six{7, 7, 7, 7, 7, 7});
    expectRead(readSixValuesAsPoint, "=1,2,3,4,5", point, false, point);

    int32_t index = 0;
    RobP latched{};
    Six six{};
    EXPECT_EQ(scanIndexedRobP("=3;1.5,-2.25,3.125,4,5,6;7,8,9,-10;11,12,13,14,15,-16.5", index, latched), 17);
    EXPECT_EQ(std::pair(index, fields(latched)), std::pair(3, fields(robP)));
    EXPECT_EQ(scanIndexedSixValues("=2;1.5,-2.25,3.125,4,5,6", index, six.data()), 7);
    EXPECT_EQ(std::pair(index, fields(six)), std::pair(2, fields(point.pos)));
}

// The host may switch to a locale whose decimal point is ","; the wire must not notice, and
// the host's locale must stay in force.
TEST(Records, FormattingAndScanningIgnoreTheHostLocale) {
#ifdef _WIN32
    const char* const german = "German_Germany.1252";
#else
    const char* const german = "de_DE.UTF-8";
#endif
    if (std::setlocale(LC_ALL, german) == nullptr) {
        if (std::getenv("CI") != nullptr) FAIL() << "CI must generate de_DE.UTF-8";
        GTEST_SKIP() << "no German locale installed (CI generates de_DE.UTF-8)";
    }
    char out[64];
    double value = 0;
    EXPECT_GT(printSixValues(out, sizeof out, point.pos, 6), 0);
    EXPECT_STREQ(out, "1.500000,-2.250000,3.125000,4.000000,5.000000,6.000000");
    EXPECT_EQ(scanText("=2.75", "=%lf", &value), 1);
    EXPECT_EQ(value, 2.75);
    std::snprintf(out, sizeof out, "%.1f", 1.5);
    EXPECT_STREQ(out, "1,5");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zefra
