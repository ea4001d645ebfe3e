#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "records/records.h"
#include "records/text.h"

namespace zefra {
namespace {

std::string printed(const PointRecord& p) {
    char out[1024];
    return printPointRecord(out, sizeof out, p) < 0 ? "<refused>" : out;
}

const PointRecord samplePoint{{100.5, -20, 0.0000004, 0, 0, 90}, {0, 0, 1, 0}, {0, 1, 2}};

TEST(Records, PrintsEveryEncoding) {
    EXPECT_EQ(printed(samplePoint),
              "100.500000,-20.000000,0.000000,0.000000,0.000000,90.000000;0,0,1,0;0,1,2");

    const RobP robP{{100.5, -20, 0.0004, 0, -0.0004, 90}, {0, 0, 1, 0}, {1, 2, 3, 4, 5, 6.0006}};
    char out[1024];
    ASSERT_GT(printRobP(out, sizeof out, robP), 0);
    EXPECT_STREQ(out,
                 "100.500,-20.000,0.000,0.000,-0.000,90.000;0,0,1,0;1.000,2.000,3.000,4.000,5.000,6.001");

    const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, -8.25}, {0.1, 0, 0, 0, 0, 1e3}};
    ASSERT_GT(printRobJP(out, sizeof out, robJP), 0);
    EXPECT_STREQ(out, "1.000,2.000,3.000,4.000,5.000,6.000,7.000,-8.250;0.100,0.000,0.000,0.000,0.000,1000.000");

    const double six[6] = {0.1234567, -0.0000001, 1, 2, 3, 1e6};
    ASSERT_GT(printSixValues(out, sizeof out, six, 6), 0);
    EXPECT_STREQ(out, "0.123457,-0.000000,1.000000,2.000000,3.000000,1000000.000000");
    ASSERT_GT(printSixValues(out, sizeof out, six, 3), 0);
    EXPECT_STREQ(out, "0.123,-0.000,1.000,2.000,3.000,1000000.000");
}

TEST(Records, NeverPrintsExponentsAndRefusesWhatCannotBeSent) {
    PointRecord huge = samplePoint;
    huge.pos[0] = 1e300;
    char out[1024];
    const int n = printPointRecord(out, sizeof out, huge);
    ASSERT_GT(n, 300);  // fixed-point: all the digits
    EXPECT_EQ(std::strchr(out, 'e'), nullptr);

    PointRecord notFinite = samplePoint;
    notFinite.pos[3] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(printed(notFinite), "<refused>");
    notFinite.pos[3] = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(printed(notFinite), "<refused>");
}

// Any command carrying "nan" or "inf" is refused whichever family formats it: the walk over
// the arguments must keep step with integers, texts and doubles alike.
TEST(Records, FormattingRefusesNonFiniteNumbersAnywhereInTheArguments) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    char out[128];
    EXPECT_EQ(formatText(out, sizeof out, "set_accramp %.6lf %.6lf", 0.5, nan), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(formatText(out, sizeof out, "%s %d %c %lld %lf", "a", 5, 'c', 7LL, -inf), -1);
    EXPECT_EQ(formatText(out, sizeof out, "%%f %s %d %c %lld %0.3lf %x", "a", 5, 'c', 7LL, 2.0, 255u), 19);
    EXPECT_STREQ(out, "%f a 5 c 7 2.000 ff");
    EXPECT_EQ(formatText(out, sizeof out, "%s %f", "nan", 1.0), 12);  // texts are not numbers
}

TEST(Records, ScansCompleteRepliesIncludingExponentsAndSurplus) {
    PointRecord p{};
    ASSERT_TRUE(readPointRecord("=1.5e2,-2,3,4,5,6;1,0,1,0;7,8,9;extra,1,2", &p));
    EXPECT_DOUBLE_EQ(p.pos[0], 150.0);
    EXPECT_DOUBLE_EQ(p.pos[1], -2.0);
    EXPECT_EQ(p.armType[2], 1);
    EXPECT_EQ(p.frameRef[2], 9);

    RobP r{};
    ASSERT_TRUE(readRobP("=1,2,3,4,5,6;1,2,3,4;7,8,9,10,11,12", &r));
    EXPECT_EQ(r.armType[3], 4);
    EXPECT_DOUBLE_EQ(r.extAxes[5], 12.0);

    RobJP j{};
    ASSERT_TRUE(readRobJP("=1,2,3,4,5,6,7,8;9,10,11,12,13,14", &j));
    EXPECT_DOUBLE_EQ(j.axes[7], 8.0);
    EXPECT_DOUBLE_EQ(j.extAxes[5], 14.0);

    int32_t index = 0;
    RobP latched{};
    EXPECT_EQ(scanIndexedRobP("=3;1,2,3,4,5,6;1,2,3,4;7,8,9,10,11,12", index, latched), 17);
    EXPECT_EQ(index, 3);
    double six[6] = {};
    EXPECT_EQ(scanIndexedSixValues("=2;1,2,3,4,5,6", index, six), 7);
    EXPECT_EQ(index, 2);
    EXPECT_DOUBLE_EQ(six[5], 6.0);

    PointRecord fromSix{{9, 9, 9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, 9}};
    ASSERT_TRUE(readSixValuesAsPoint("=1,2,3,4,5,6", &fromSix));
    EXPECT_DOUBLE_EQ(fromSix.pos[5], 6.0);
    EXPECT_EQ(fromSix.armType[0], 0);
    EXPECT_EQ(fromSix.frameRef[2], 0);
}

TEST(Records, ShortOrMisshapenRepliesLeaveTheOutputUntouched) {
    const char* bad[] = {
        "=1,2,3,4,5,6;1,0,1,0",           // a group missing
        "=1,2,3,4,5 ,6;1,0,1,0;7,8,9",    // blank before ","
        "=1,2,3,4,5,6 1,0,1,0;7,8,9",     // ";" missing
        "1,2,3,4,5,6;1,0,1,0;7,8,9",      // no "="
        "=",
        "",
    };
    for (const char* payload : bad) {
        PointRecord p = samplePoint;
        EXPECT_FALSE(readPointRecord(payload, &p)) << payload;
        EXPECT_EQ(std::memcmp(&p, &samplePoint, offsetof(PointRecord, frameRef) + sizeof p.frameRef), 0) << payload;
        double six[6] = {7, 7, 7, 7, 7, 7};
        EXPECT_FALSE(readSixValues("=1,2,3,4,5", six));
        EXPECT_EQ(six[0], 7.0);
    }
}

TEST(Records, WordScanIsBoundedByItsFieldAndCountsAsABoundedScanDoes) {
    const struct {
        const char* payload;
        int count;
        const char* word;
    } rows[] = {{"=V2.1.0 build5", 1, "V2.1.0"}, {"=  fifteen_chars__", 1, "fifteen_chars__"},
                {"=0123456789abcde", 1, "0123456789abcde"}, {"=0123456789abcdef", 0, ""},  // 16: no room
                {"ok", 0, ""}, {" =a", 0, ""}, {"=", EOF, ""}, {"= \t", EOF, ""}, {"", EOF, ""}};
    for (const auto& row : rows) {
        char field[16], again[16];
        std::memset(field, 'Z', sizeof field);
        std::memset(again, 'Z', sizeof again);
        EXPECT_EQ(scanWordCounted(row.payload, field, sizeof field), row.count) << row.payload;
        EXPECT_EQ(scanWord(row.payload, again, sizeof again), row.count == 1) << row.payload;
        EXPECT_EQ(std::string(field, row.count == 1 ? std::strlen(field) : 1), row.count == 1 ? row.word : "Z");
    }
}

// The host may switch to a locale whose decimal point is ","; the wire must not notice.
TEST(Records, FormattingAndScanningIgnoreTheHostLocale) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE"};
    const char* chosen = nullptr;
    for (const char* name : locales)
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    if (chosen == nullptr) {
        if (std::getenv("CI") != nullptr) FAIL() << "CI must generate de_DE.UTF-8";
        GTEST_SKIP() << "no German locale installed (CI generates de_DE.UTF-8)";
    }
    char check[32];
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    ASSERT_STREQ(check, "1,5") << "the locale did not take effect";

    EXPECT_EQ(printed(samplePoint), "100.500000,-20.000000,0.000000,0.000000,0.000000,90.000000;0,0,1,0;0,1,2");
    double value = 0;
    EXPECT_EQ(scanText("=2.75", "=%lf", &value), 1);
    EXPECT_DOUBLE_EQ(value, 2.75);
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    EXPECT_STREQ(check, "1,5") << "the host's locale must be left as it was";
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zefra
