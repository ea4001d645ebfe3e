// The number engine against the C library under the "C" locale, one table per kind of edge: each
// edge text, whole and cut short, under each kind of conversion, and each edge value under each
// print form, must give the same field counts, stored bytes and printed text. The text fuzzer
// compares the two on generated inputs; here every class of edge is held on every build. The
// deliberate differences (integers outside -2^31..2^32-1, which the engine refuses) are checked
// as such. The records printed and scanned through it are checked by the calls that use them.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <utility>

#include "records/records.h"
#include "records/text.h"
#include "records/wire_text.h"
#include "support/scan_reference.h"

#pragma GCC diagnostic ignored "-Wformat-nonliteral"

namespace zefra::wire {
namespace {

const char* const integerEdges[] = {
    "0", "-0", "+0", "1", "-1", "+7", "2147483647", "2147483648", "-2147483648", "-2147483647", "4294967295",
    "-4294967295", "65535", "65536", "32767", "32768", "-32768", "-32769", "255", "256", "-128", "-129",
    "000000000000000000042", "0x1f", "0X", "0x", "-0x10", "+", "-", "", "007", "08", "0xffffffff", "0xFFFF",
    "1e5", "12abc", "- 1", "+-1", "9", "0x7fffffff", "0x80000000", "-0x80000000", "017", "0b1"};

const char* const floatEdges[] = {
    "0", "-0", "+0", ".5", "5.", ".", "-.", "+.", "1e", "1e+", "1e-", "1E5", "1e-5", "1.5e2", "1e300", "-1e300",
    "1e308", "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308", "1e309", "-1e309",
    "2.2250738585072014e-308", "2.2250738585072011e-308", "4.9406564584124654e-324", "2.4703282292062327e-324",
    "2.4703282292062328e-324", "1e-400", "-1e-400", "3.4028234663852886e38", "3.4028235677973366e38",
    "3.4028236e38", "1.17549435e-38", "1.4e-45", "7.006e-46", "7e-46", "0x1p3", "0x1.8P-2", "0x", "0x.", "0xg",
    "0x1p", "0x1e3", "0x.8p1", "-0x1p-1074", "0x1p-1075", "0x1p1024", "0X1P+3", "0x1.fffffffffffffp1023",
    "0x1.ffffffp127", "nan", "NaN", "NAN", "-nan", "+nan", "nan(123)", "nanx", "na", "n", "inf", "+inf", "-Inf",
    "INFINITY", "-infinity", "infinit", "infx", "infi", "in", "i", "0.1", "123456789012345678901234567890",
    "0.000000000000000000000000000001e30", "9007199254740993", "1e-5x", "--1", "+-1", "e5", ".e5", "0e", "00.5",
    "1e99999999999", "1e-99999999999", "0e99999999999", "1.e5", "-.5e-3", "0.5E", "100.5", "-20", "90.000000",
    "0.50000000000000000000000000000000001", "1.00000005960464477539062", "1.0000000596046447753906249", "-0x.",
    "0x1p2a", "0x1p2.5"};

// Literals, blanks, texts and the formats the families scan, each against inputs that match
// them, break off, or stray from them.
const std::pair<const char*, const char*> structureCases[] = {
    {"=%d", "= 42"}, {"=%d", "=\t\n\v\f\r42"}, {"=%d", ""}, {"=%d", "="}, {"=%d", " =5"}, {"= %d", "=5"},
    {"=%d, %d", "=1,   2"}, {"=%d, %d", "=1,2"}, {"=%d,%d", "=1 ,2"}, {"=%d,%d", "=1,"}, {"e%d:", "e-3:x"},
    {"e%d", "e 17"}, {"=%xh", "=ffh"}, {"=%xh", "=0x1Ah"}, {"%%%d", "%5"}, {"%d%%", "5 %"}, {"%d %%", "5"},
    {"%c%c", " x"}, {"%3c", "ab"}, {"%3c", "abcd"}, {"%5s", "  hello world"}, {"%5s,%d", "ab,3"}, {"%5s", " \t"},
    {"=%1d%1d%1d", "=1 2 3"}, {"=%1d%1d%1d", "=12x"}, {"%*d,%d", "1,2"}, {"%*d,%d", ",2"}, {"%*lf%c", "1.5x"},
    {"%d", "   "}, {"  %d", ""}, {"x%d", "y1"}, {"%hhu,%hd,%hx", "300,-70000,1ffff"}, {"%o,%X,%i", "777,Ab,0x10"},
    {"=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", "=1,2,3,4,5,6;7,8,9,10;11,12,13"},
    {"=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", "=1,2,3,4,5,6;7,8,9,10;11,12"},
    {"=%d;%lf,%lf,%lf,%lf,%lf,%lf", "=3;1e3,-0.5,.5,5.,0x1p1,inf"}, {"=%f,%f", "=3.4e38,1e39"}, {"%d ;%d", "1 \t;2"},
    {"%d %c", "5   x"}};

// Quoted, with the bytes that do not print escaped.
std::string shown(const std::string& s) { return ::testing::PrintToString(s); }

// Comparisons that agreed, that differed on purpose, and that differed.
struct Stats { long checked = 0, skipped = 0, failures = 0; };

void compareScan(const char* format, const std::string& in, Stats& stats) {
    const auto ours = test::scanWith(test::engineScan, in.c_str(), format, std::make_index_sequence<20>()),
               theirs = test::scanWith(test::libraryScan, in.c_str(), format, std::make_index_sequence<20>());
    if (test::sameResults(ours, theirs)) ++stats.checked;
    else if (test::refusedOnPurpose(format, in, ours, theirs)) ++stats.skipped;
    else if (++stats.failures <= 10)
        ADD_FAILURE() << "format " << shown(format) << " input " << shown(in) << ": engine " << ours.count
                      << ", C library " << theirs.count << ", first differing field "
                      << (std::mismatch(*ours.fields, *ours.fields + 320, *theirs.fields).first - *ours.fields) / 16;
}

// Into a buffer of `capacity` bytes (none at all for 0), as snprintf does.
template <typename... Args>
void compareFormat(const std::string& format, std::size_t capacity, Stats& stats, Args... args) {
    char ours[1200], theirs[1200];
    std::memset(ours, 0x5A, sizeof ours);
    std::memset(theirs, 0x5A, sizeof theirs);
    const int a = formatText(capacity == 0 ? nullptr : ours, capacity, format.c_str(), args...);
    const int b = std::snprintf(capacity == 0 ? nullptr : theirs, capacity, format.c_str(), args...);
    if (a == b && std::memcmp(ours, theirs, sizeof ours) == 0) ++stats.checked;
    else if (++stats.failures <= 10)
        ADD_FAILURE() << "format " << shown(format) << " capacity " << capacity << ": engine " << a << " "
                      << shown(std::string(ours, strnlen(ours, capacity))) << ", C library " << b << " "
                      << shown(std::string(theirs, strnlen(theirs, capacity)));
}

TEST(WireText, ScansAndPrintsAsTheCLibraryDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference is glibc's; the Windows C runtime's differs";
#endif
    std::setlocale(LC_ALL, "C");
    Stats scans, prints;
    for (const char* text : floatEdges)
        for (const char* format : {"%lf", "=%lf,%c", "%f;", "%3lf", "%le%c", "%*f%d", "%d%c"})
            for (std::size_t cut = 0; cut <= std::strlen(text); ++cut)
                compareScan(format, std::string(text, cut) + ",x", scans);
    for (const char* text : integerEdges)
        for (const char* format :
             {"%d%c", "%u,", "%x%c", "%i%c", "%o%c", "%hu%c", "%hhd%c", "%1d%1d", "%3x%c", "%lf%c"})
            for (std::size_t cut = 0; cut <= std::strlen(text); ++cut)
                compareScan(format, std::string(text, cut) + ";y", scans);
    for (const auto& [format, in] : structureCases)
        for (std::size_t cut = 0; cut <= std::strlen(in); ++cut) compareScan(format, std::string(in, cut), scans);
    const double doubles[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 1e300, -1e300, 1e-300, 5e-324,
                              std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                              9007199254740993.0, 0.0005, 0.0015, 1.0005, 100.5, -20.0, 0.0000004, -0.0000004, 90.0,
                              1e22, 1e23, 123456.0005, 2.675, 0.1, 1.0 / 3, 999999.9999995, 9.5, 0.05, 1e6, -12.3456};
    const char* const doubleForms[] = {"%.6lf", "%.3lf", "%f", "%lf", "%.0f", "%#.0f", "%.1f", "%.17f", "%.40f",
                                       "%08.3f", "%-08.3f|", "%-10.2f|", "%+.1f", "% f", "%+08.2lf", "%#5.0f", "%20f",
                                       "%-+6.0f|"};
    for (const double d : doubles) {
        for (const char* form : doubleForms) compareFormat(form, 1200, prints, d);
        if (std::isfinite(static_cast<float>(d)))  // a float widened by "%f"
            compareFormat("%.6f", 1200, prints, static_cast<double>(static_cast<float>(d)));
        for (const std::size_t capacity : {0, 1, 5}) compareFormat("%.3lf", capacity, prints, d);
    }
    const long long integers[] = {0, 1, -1, INT32_MAX, INT32_MIN, 255, 256, -128, -129, 32767, 32768, -32768, 65535,
                                  65536, INT64_MAX, INT64_MIN, 4294967295, 4294967296, 42, -7};
    const char* const intForms[] = {"%d", "%i", "%5d", "%-5d|", "%05d", "%+d", "% d", "%.3d", "%.0d", "%8.3d",
                                    "%-08d|", "%08.3d", "%hd", "%hhd", "%u", "%x", "%#x", "%X", "%#X", "%o", "%#o",
                                    "%08x", "%#.5o", "%hu", "%hhx"};
    const char* const longForms[] = {"%ld", "%lld", "%jd", "%zd", "%td", "%lu", "%llx", "%jo", "%zu", "%tX", "%+20lld"};
    for (const long long i : integers) {
        for (const char* form : intForms) compareFormat(form, 1200, prints, static_cast<int>(i));
        for (const char* form : longForms) compareFormat(form, 1200, prints, i);
        for (const std::size_t capacity : {0, 1, 3}) compareFormat("Set_Vel %d", capacity, prints, static_cast<int>(i));
    }
    for (const char* text : {"", "ResetErr", "abc", "x y", "0123456789abcdefghij", static_cast<const char*>(nullptr)})
        for (const char* form : {"%s", "%.2s", "%.6s", "%5s", "%-5s|", "%.0s", "[%s]", "%%%s%%"})
            compareFormat(form, 1200, prints, text);
    for (const int c : {'J', ' ', '%', '\x7f'})
        for (const char* form : {"%c", "%3c", "%-3c|"}) compareFormat(form, 1200, prints, c);
    for (const int star : {-10, -1, 0, 3, 25})
        compareFormat("%*.*f|%-*d|%.*s", 1200, prints, star, star + 2, 2.5, star, 7, star, "abcdef");
    compareFormat("%.3lf,%.3lf,%0.3lf;%d,%1d;%.6f,%f,%.3f,%x %c", 1200, prints, 1.5, -1.5, 1.5e-3, -4, 7, 2.5, 2.5e5,
                  -2.5, 255u, 'J');
    EXPECT_EQ(scans.failures + prints.failures, 0);
    EXPECT_LT(scans.skipped, scans.checked / 20);
}

// Plain decimal replies take a shortcut to their value when their digits and power of ten are
// exact in the target type; any other goes to the general conversion. Both must store what the
// C library's scanf stores, bit for bit, for every digit count, point position, sign and exponent.
TEST(WireText, PlainDecimalsScanAsTheCLibraryDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference is glibc's scanf; the Windows C runtime's differs";
#endif
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(20261207);
    const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
    int failures = 0;
    for (int i = 0; i < 300000 && failures < 10; ++i) {
        std::string text = pick(4) == 0 ? (pick(2) ? "-" : "+") : "";
        const unsigned digits = 1 + pick(20), point = pick(digits + 2);  // point past the end: none
        for (unsigned d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + (pick(5) == 0 ? 9 * pick(2) : pick(10)));  // runs of 0 and 9
        }
        if (pick(3) == 0) {
            text += pick(2) ? "e" : "E";
            text += "-+"[pick(2)];
            for (unsigned e = pick(3); e > 0; --e) text += static_cast<char>('0' + pick(10));
        }
        text += ",";
        double ours = 1, theirs = 2;
        float oursFloat = 1, theirsFloat = 2;
        const bool same = scanText(text.c_str(), "%lf", &ours) == std::sscanf(text.c_str(), "%lf", &theirs) &&
                          scanText(text.c_str(), "%f", &oursFloat) == std::sscanf(text.c_str(), "%f", &theirsFloat) &&
                          std::memcmp(&ours, &theirs, sizeof ours) == 0 &&
                          std::memcmp(&oursFloat, &theirsFloat, sizeof oursFloat) == 0;
        if (!same) {
            ++failures;
            ADD_FAILURE() << text << ": " << ours << " / " << theirs << ", " << oursFloat << " / " << theirsFloat;
        }
    }
}

// The library's own rules, where there is no C library answer to compare with: what it does not
// print or scan, and its one deliberate difference, a number outside -2^31..2^32-1 that is a
// mismatch, not a wrap; with the range's own edges, which the differential excuses as that long.
TEST(WireText, RefusesWhatItDoesNotPrintOrScan) {
    char out[64] = "untouched";
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const char* f :
         {"%e", "%g", "%a", "%p", "%n", "%Lf", "%lc", "%ls", "%#d", "%05s", "%.2c", "%05c", "%5%", "%", "%.100f",
          "%1$d", "%9999999999f", "%.9999999999s", "%1048577d"}) {
        std::strcpy(out, "untouched");
        EXPECT_EQ(formatText(out, sizeof out, f, 1.0), -1) << f;
        EXPECT_STREQ(out, "") << f;
        EXPECT_FALSE(formatSupported(f)) << f;
    }
    EXPECT_EQ(formatText(out, sizeof out, "%d %f", 1, nan), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(formatText(out, sizeof out, "%s %d %c %lld %lf", "a", 5, 'c', 7LL, -inf), -1);  // the walk keeps step
    EXPECT_EQ(formatText(nullptr, 0, "%s %f", "x", inf), -1);
    EXPECT_EQ(formatText(out, sizeof out, "%*d", -(1 << 21), 5), -1);  // widths are bounded either way
    EXPECT_TRUE(formatSupported("%1048576d") && scanSupported("%1048576d"));  // the bound itself is a width
    EXPECT_EQ(formatText(out, sizeof out, "%.99f", 1.0), 101);
    for (const char* f : {"%s", "%ld", "%lld", "%Lf", "%hf", "%[a]", "%n", "%p", "%1$d", "%lc", "%*%"}) {
        int sink[8] = {};
        EXPECT_EQ(scanText("=5 a", f, sink), 0) << f;
        EXPECT_FALSE(scanSupported(f)) << f;
    }
    const struct { const char *in, *format; int count; std::int64_t value; } rows[] = {
        {"=4294967295", "=%d", 1, -1},          {"=4294967296", "=%d", 0, 0},
        {"=-2147483648", "=%d", 1, INT32_MIN},  {"=-2147483649", "=%u", 0, 0},
        {"=99999999999999999999", "=%d", 0, 0}, {"=1,4294967297", "=%d,%d", 1, 1},
        {"=42949672950", "=%d", 0, 0},          {"=0x100000000", "=%x", 0, 0},
        {"=-2147483648", "=%i", 1, INT32_MIN},  {"=000000000000004294967295", "=%u", 1, 0xFFFFFFFF}};
    for (const auto& row : rows) {
        std::int32_t value = 0;
        EXPECT_EQ(scanText(row.in, row.format, &value), row.count) << row.in;
        EXPECT_EQ(value, static_cast<std::int32_t>(row.value)) << row.in;
    }
}

// Every printf and scanf format written in the library's sources is one the engine implements:
// a family that adds a conversion the engine lacks fails here, not on a host.
TEST(WireText, ImplementsEveryFormatInTheSources) {
    const std::regex literal(
        "([A-Za-z_]\\w*)\\((?:[^();\"]|\\([^()]*\\))*\"((?:[^\"\\\\]|\\\\.)*%(?:[^\"\\\\]|\\\\.)*)\"");
    int formats = 0;
    for (const char* folder : {"commands", "records", "transport"})
        for (const auto& entry : std::filesystem::directory_iterator(std::string(ZEFRA_SOURCE_DIR) + "/" + folder)) {
            if (entry.path().extension() != ".cpp" || entry.path().filename() == "wire_text.cpp") continue;
            std::ifstream file(entry.path());
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
                // The call the literal is the format of: a scanning helper or a printing one.
                const std::string call = (*it)[1], f = (*it)[2];
                ++formats;
                const bool scans = call.find("scan") != std::string::npos;
                EXPECT_TRUE(scans ? scanSupported(f.c_str()) : formatSupported(f.c_str()))
                    << entry.path().filename() << ": " << call << "(\"" << f << "\")";
            }
        }
    EXPECT_GT(formats, 200);
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
    const double six[6] = {1.5, -2.25, 3.125, 4, 5, 6};
    char out[64];
    double value = 0;
    EXPECT_GT(printSixValues(out, sizeof out, six, 6), 0);
    EXPECT_STREQ(out, "1.500000,-2.250000,3.125000,4.000000,5.000000,6.000000");
    EXPECT_EQ(scanText("=2.75", "=%lf", &value), 1);
    EXPECT_EQ(value, 2.75);
    std::snprintf(out, sizeof out, "%.1f", 1.5);
    EXPECT_STREQ(out, "1,5");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zefra::wire
