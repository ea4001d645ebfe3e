// The number engine against the C library under the "C" locale: generated formats of every
// kind the families use and generated inputs, biased to the edges, must give the same field
// counts, the same stored bytes and the same printed text. The deliberate differences (integers
// outside -2^31..2^32-1, which the engine refuses) are checked as such.
#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <type_traits>
#include <utility>

#include "records/wire_text.h"
#include "support/scan_reference.h"

#pragma GCC diagnostic ignored "-Wformat-nonliteral"

namespace zefra::wire {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__OPTIMIZE__)
constexpr int scale = 1;  // instrumented builds check a twentieth
#else
constexpr int scale = 20;
#endif

struct Random {
    std::mt19937_64 engine;
    explicit Random(std::uint64_t seed) : engine(seed) {}
    std::uint64_t bits() { return engine(); }
    int below(int n) { return static_cast<int>(bits() % static_cast<std::uint64_t>(n)); }
    bool percent(int p) { return below(100) < p; }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) { return items[below(N)]; }
    std::string digits(int n, const char* set = "0123456789") {
        std::string s;
        for (int i = 0; i < n; ++i) s += set[below(static_cast<int>(std::strlen(set)))];
        return s;
    }
};

// ---- scanning --------------------------------------------------------------------------------

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
    "1e99999999999", "1e-99999999999", "0e99999999999", "1.e5", "-.5e-3", "0.5E", "100.5", "-20", "90.000000"};

const char* const words[] = {"ok", "V2.1.0", "a", "abcdefghij", "=", "%", "x y", "1,2"};
const char* const blanks[] = {" ", "  ", "\t", "\n", "\v", "\f", "\r", " \t "};

std::string integerText(Random& r) {
    switch (r.below(6)) {
        case 0: return r.pick(integerEdges);
        case 1: return std::to_string(static_cast<std::int32_t>(r.bits()));
        case 2: return std::to_string(static_cast<std::int64_t>(r.bits()) >> (r.percent(90) ? 32 + r.below(32) : r.below(32)));
        case 3: return (r.percent(50) ? "0x" : "") + r.digits(1 + r.below(r.percent(90) ? 8 : 10), "0123456789abcdefABCDEF");
        case 4: return std::string(r.percent(30) ? "-" : "") + r.digits(1 + r.below(r.percent(90) ? 9 : 12));
        default: return std::to_string(static_cast<std::int16_t>(r.bits())) + r.digits(r.below(3));
    }
}

std::string floatText(Random& r) {
    char text[64];
    switch (r.below(7)) {
        case 0:
        case 1: return r.pick(floatEdges);
        case 2: {  // any double, any spelling
            const double d = std::bit_cast<double>(r.bits());
            const char* spellings[] = {"%.17g", "%.6f", "%a", "%.3e", "%.25g", "%.9g"};
            std::snprintf(text, sizeof text, r.pick(spellings), d);
            return text;
        }
        case 3: {  // subnormals and float-sized values
            const double d = r.percent(50) ? std::bit_cast<double>(r.bits() >> 12)
                                           : static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(r.bits())));
            std::snprintf(text, sizeof text, r.percent(50) ? "%.17g" : "%.9g", d);
            return text;
        }
        case 4: {  // decimal text built piece by piece
            std::string s = r.percent(20) ? (r.percent(50) ? "-" : "+") : "";
            s += r.digits(r.below(22));
            if (r.percent(60)) s += "." + r.digits(r.below(22));
            if (r.percent(30)) s += std::string(r.percent(50) ? "e" : "E") + (r.percent(30) ? "-" : "") + r.digits(r.below(4));
            return s;
        }
        case 5: {  // halfway cases and their neighbours in float and double
            const double d = std::ldexp(static_cast<double>(r.bits() >> 10) + 0.5, r.below(200) - 100);
            std::snprintf(text, sizeof text, "%.*g", 17 + r.below(20), d);
            return text;
        }
        default:
            return std::to_string(r.below(1000)) + "." + r.digits(r.below(8));
    }
}

// An input that follows `format` most of the time, then is damaged now and then.
std::string inputFor(Random& r, const char* format) {
    std::string s;
    for (const char* f = format; *f != '\0';) {
        if (*f != '%') {
            if (*f == ' ' || *f == '\t') s += r.percent(50) ? r.pick(blanks) : "";
            else if (r.percent(93)) s += *f;
            else if (r.percent(50)) s += r.pick(blanks) + std::string(1, *f);
            else s += std::string(1, ",;= :e%"[r.below(7)]);
            ++f;
            continue;
        }
        const char* start = f++;
        while (*f != '\0' && std::strchr("dioxXuceEfFgGaAs%", *f) == nullptr) ++f;
        const char c = *f;
        if (c != '\0') ++f;
        (void)start;
        if (r.percent(10)) s += r.pick(blanks);
        if (c == '%') s += '%';
        else if (c == 'c' || c == 's') s += r.pick(words);
        else if (std::strchr("diouxX", c) != nullptr) s += r.percent(5) ? floatText(r) : integerText(r);
        else s += r.percent(10) ? integerText(r) : floatText(r);
    }
    if (r.percent(20)) s.resize(static_cast<std::size_t>(r.below(static_cast<int>(s.size()) + 1)));
    if (r.percent(10)) s += r.pick(words);
    return s;
}

// Formats the families use, and generated ones of the same kinds.
const char* const familyScanFormats[] = {
    "=%d", "=%xh", "e%d:", "e%d", "=%lf,%lf,%lf,%lf,%lf,%lf", "=%1d%1d%1d%1d%1d%1d%1d%1d",
    "=%lf,%lf,%lf;%lf,%lf,%lf", "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf",
    "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", "=%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf",
    "=%lf,%lf,%lf,%lf", "=%lf,%lf", "=%lf, %lf", "=%lf", "=%f,%f,%f,%f,%f,%f", "=%f,%f,%f", "=%f,%f", "=%f",
    "=%d;%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf",
    "=%d;%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf", "=%d;%lf,%lf,%lf,%lf,%lf,%lf",
    "=%d,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf", "=%d,%d;%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf",
    "=%d,%d,%d,%lf", "=%d,%d,%d,%d", "=%d,%d", "=%d, %d"};

std::string generatedScanFormat(Random& r) {
    const char* const conversions[] = {"%d", "%i", "%u", "%x", "%X", "%o", "%hd", "%hu", "%hhd", "%hhu", "%hx",
                                       "%f", "%lf", "%le", "%lg", "%la", "%e", "%g", "%1d", "%2d", "%3u", "%5lf",
                                       "%2lf", "%4f", "%*d", "%*lf", "%c", "%3c", "%5s", "%%", "%1x", "%3i", "%9lf"};
    const char* const literals[] = {"=", ",", ";", ":", "e", "h", " ", "\t", "x", "", "", "", " , "};
    std::string f = r.percent(70) ? "=" : "";
    const int n = 1 + r.below(5);
    for (int i = 0; i < n; ++i) f += std::string(r.pick(conversions)) + r.pick(literals);
    return f;
}

std::string shown(const std::string& s) {
    std::string out;
    for (const unsigned char c : s) {
        char hex[8];
        if (c >= 32 && c < 127) out += static_cast<char>(c);
        else std::snprintf(hex, sizeof hex, "\\x%02x", c), out += hex;
    }
    return '"' + out + '"';
}

struct ScanStats {
    long checked = 0, skipped = 0, failures = 0;
};

void compareScan(const char* format, const std::string& in, ScanStats& stats) {
    const auto ours = test::scanWith(test::engineScan, in.c_str(), format, std::make_index_sequence<20>());
    const auto theirs = test::scanWith(test::libraryScan, in.c_str(), format, std::make_index_sequence<20>());
    if (test::sameResults(ours, theirs)) {
        ++stats.checked;
        return;
    }
    if (test::refusedOnPurpose(format, in, ours, theirs)) {
        ++stats.skipped;
        return;
    }
    if (++stats.failures <= 10) {
        int slot = 0;
        while (slot < 20 && std::memcmp(ours.fields[slot], theirs.fields[slot], 16) == 0) ++slot;
        ADD_FAILURE() << "format " << shown(format) << " input " << shown(in) << ": engine " << ours.count
                      << ", C library " << theirs.count << (slot < 20 ? ", first differing field " + std::to_string(slot) : std::string());
    }
}

TEST(WireText, ScansAsTheCLibraryDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference is glibc's scanf; the Windows C runtime's differs";
#endif
    std::setlocale(LC_ALL, "C");
    Random r(20261206);
    ScanStats stats;
    for (int round = 0; round < 2'500 * scale; ++round) {
        for (const char* format : familyScanFormats) compareScan(format, inputFor(r, format), stats);
        const std::string format = generatedScanFormat(r);
        for (int i = 0; i < 8; ++i) compareScan(format.c_str(), inputFor(r, format.c_str()), stats);
    }
    // Every edge text on its own, whole and cut short, under each kind of conversion.
    for (const char* text : floatEdges)
        for (const char* format : {"%lf", "=%lf,%c", "%f;", "%3lf", "%le%c", "%*f%d"})
            for (std::size_t cut = 0; cut <= std::strlen(text); ++cut) compareScan(format, std::string(text, cut) + ",x", stats);
    for (const char* text : integerEdges)
        for (const char* format : {"%d%c", "%u,", "%x%c", "%i%c", "%hu%c", "%hhd%c", "%1d%1d", "%3x%c"})
            for (std::size_t cut = 0; cut <= std::strlen(text); ++cut)
                compareScan(format, std::string(text, cut) + ";y", stats);
    RecordProperty("inputs_checked", std::to_string(stats.checked));
    std::printf("scan: %ld inputs equal to the C library, %ld outside the integer range skipped\n", stats.checked,
                stats.skipped);
    EXPECT_EQ(stats.failures, 0);
    EXPECT_LT(stats.skipped, stats.checked / 20);
}

// The one deliberate difference: a number outside -2^31..2^32-1 is a mismatch, not a wrap.
TEST(WireText, RefusesIntegersOutsideTheThirtyTwoBitRanges) {
    const struct {
        const char* in;
        const char* format;
        int count;
        std::int64_t value;
    } rows[] = {{"=4294967295", "=%d", 1, -1},       {"=4294967296", "=%d", 0, 0},
                {"=-2147483648", "=%d", 1, INT32_MIN}, {"=-2147483649", "=%u", 0, 0},
                {"=99999999999999999999", "=%d", 0, 0}, {"=1,4294967297", "=%d,%d", 1, 1},
                {"=0x100000000", "=%x", 0, 0},          {"=65536", "=%hu", 1, 0},
                {"=000000000000004294967295", "=%u", 1, 0xFFFFFFFF}};
    for (const auto& row : rows) {
        std::int32_t value = 0;
        EXPECT_EQ(test::engineScan(row.in, row.format, &value), row.count) << row.in;
        EXPECT_EQ(value, static_cast<std::int32_t>(row.value)) << row.in;
    }
}

// ---- printing --------------------------------------------------------------------------------

double edgeDouble(Random& r) {
    const double edges[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 1e300, -1e300, 1e-300, 5e-324,
                            std::numeric_limits<double>::max(), std::numeric_limits<double>::min(), 9007199254740993.0,
                            0.0005, 0.0015, 1.0005, 100.5, -20.0, 0.0000004, 90.0, 1e22, 1e23, 123456.0005, 2.675};
    switch (r.below(6)) {
        case 0: return r.pick(edges);
        case 1: {
            const double d = std::bit_cast<double>(r.bits());
            return std::isfinite(d) ? d : 1.0;
        }
        case 2: return std::ldexp(static_cast<double>(r.below(1 << 20)) + 0.5, -r.below(24));  // exact ties
        case 3: return std::nextafter(std::round(r.below(100000) * 1000.0 + 500) / 1e6, r.percent(50) ? 0.0 : 1e9);
        case 4: return static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(r.bits()) & 0x7F7FFFFFu));
        default: return (static_cast<double>(static_cast<std::int64_t>(r.bits()) >> r.below(63))) / std::pow(10.0, r.below(12));
    }
}

std::int64_t edgeInteger(Random& r) {
    const std::int64_t edges[] = {0, 1, -1, INT32_MAX, INT32_MIN, 255, 256, -128, -129, 32767, 32768, -32768, 65535,
                                  65536, INT64_MAX, INT64_MIN, 4294967295, 4294967296};
    return r.percent(30) ? r.pick(edges) : static_cast<std::int64_t>(r.bits()) >> r.below(64);
}

std::string flags(Random& r, const char* allowed) {
    std::string s;
    for (const char* p = allowed; *p != '\0'; ++p)
        if (r.percent(15)) s += *p;
    return s;
}

std::string widthAndPrecision(Random& r, bool precision, int maxPrecision = 30) {
    std::string s;
    if (r.percent(30)) s += std::to_string(1 + r.below(25));
    if (precision && r.percent(60)) s += "." + std::to_string(r.percent(40) ? 3 * (1 + r.below(2)) : r.below(maxPrecision));
    return s;
}

template <typename T>
bool finite(T value) {
    if constexpr (std::is_floating_point_v<T>) return std::isfinite(value);
    else return true;
}

struct FormatStats {
    long checked = 0, failures = 0;
};

template <typename... Args>
void compareFormat(const std::string& format, std::size_t capacity, FormatStats& stats, Args... args) {
    char ours[1200], theirs[1200];
    std::memset(ours, 0x5A, sizeof ours);
    std::memset(theirs, 0x5A, sizeof theirs);
    const auto engine = [&](char* out, std::size_t size, const char* f, ...) {
        std::va_list list;
        va_start(list, f);
        const int n = formatV(out, size, f, list);
        va_end(list);
        return n;
    };
    const int a = engine(capacity == 0 ? nullptr : ours, capacity, format.c_str(), args...);
    if (!(... && finite(args))) {  // the library's own rule: nothing is formatted
        if (a == -1 && (capacity == 0 || ours[0] == '\0')) ++stats.checked;
        else if (++stats.failures <= 10) ADD_FAILURE() << "format " << shown(format) << " printed a value that is not finite";
        return;
    }
    const int b = std::snprintf(capacity == 0 ? nullptr : theirs, capacity, format.c_str(), args...);
    if (a == b && std::memcmp(ours, theirs, sizeof ours) == 0) {
        ++stats.checked;
        return;
    }
    if (++stats.failures <= 10)
        ADD_FAILURE() << "format " << shown(format) << " capacity " << capacity << ": engine " << a << " "
                      << shown(std::string(ours, capacity == 0 ? 0 : strnlen(ours, capacity))) << ", C library " << b
                      << " " << shown(std::string(theirs, capacity == 0 ? 0 : strnlen(theirs, capacity)));
}

std::size_t capacityFor(Random& r) { return r.percent(80) ? 1200 : static_cast<std::size_t>(r.below(40)); }

TEST(WireText, PrintsAsTheCLibraryDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference is glibc's printf; the Windows C runtime's differs";
#endif
    std::setlocale(LC_ALL, "C");
    Random r(6121420);
    FormatStats stats;
    const char* const literals[] = {"", "MovJ P", ",", ";", " ", "=", "%%", "Set_Vel ", "a%%b"};
    const char* const texts[] = {"", "ResetErr", "abc", "x y", "0123456789abcdefghij"};
    for (int round = 0; round < 1'500 * scale; ++round) {
        const std::string lead = r.pick(literals), tail = r.pick(literals);
        const std::int64_t i = edgeInteger(r);
        const double d = edgeDouble(r);
        const std::size_t cap = capacityFor(r);
        // Signed and unsigned integers in every width.
        const char* const signedKinds[] = {"d", "i", "hhd", "hd", "ld", "lld", "jd", "zd", "td"};
        const char* const unsignedKinds[] = {"u", "x", "X", "o", "hhu", "hx", "lu", "llx", "jo", "zu", "tX"};
        const std::string sk = r.pick(signedKinds), uk = r.pick(unsignedKinds);
        const std::string sf = lead + "%" + flags(r, "-+ 0") + widthAndPrecision(r, true) + sk + tail;
        const std::string uf = lead + "%" + flags(r, uk.back() == 'u' ? "-0" : "-#0") + widthAndPrecision(r, true) + uk + tail;
        if (sk == "ld" || sk == "lld" || sk == "jd" || sk == "zd" || sk == "td")
            compareFormat(sf, cap, stats, static_cast<long long>(i));
        else
            compareFormat(sf, cap, stats, static_cast<int>(i));
        if (uk.size() > 1 && uk[0] != 'h')
            compareFormat(uf, cap, stats, static_cast<unsigned long long>(i));
        else
            compareFormat(uf, cap, stats, static_cast<unsigned>(i));
        // Fixed point, double and float, with every flag; "%f" of a float widens it first.
        const std::string ff = lead + "%" + flags(r, "-+ #0") + widthAndPrecision(r, true, 40) + (r.percent(50) ? "lf" : "f") + tail;
        compareFormat(ff, cap, stats, d);
        compareFormat(ff, cap, stats, static_cast<double>(static_cast<float>(d)));
        // Characters, texts, and widths and precisions from arguments.
        compareFormat(lead + "%" + flags(r, "-") + widthAndPrecision(r, false) + "c" + tail, cap, stats, static_cast<int>(i));
        compareFormat(lead + "%" + flags(r, "-") + widthAndPrecision(r, true) + "s" + tail, cap, stats, r.pick(texts));
        compareFormat("%*.*f|%-*d|%.*s", cap, stats, r.below(30) - 10, r.below(20) - 5, d, r.below(20) - 10,
                      static_cast<int>(i), r.below(8) - 2, r.pick(texts));
        // Whole commands as the families write them.
        compareFormat("%s %d,%d,%d,%.6lf%s", cap, stats, r.pick(texts), static_cast<int>(i), 7, -3, d, "]");
        compareFormat("%.3lf,%.3lf,%0.3lf;%d,%1d;%.6f,%f,%.3f,%x %c", cap, stats, d, -d, d * 1e-3,
                      static_cast<int>(i), r.below(10), d, d * 1e5, -d, static_cast<unsigned>(i), 'J');
    }
    std::printf("print: %ld formats equal to the C library\n", stats.checked);
    EXPECT_EQ(stats.failures, 0);
}

// The library's own rules, where there is no C library answer to compare with.
TEST(WireText, RefusesWhatItDoesNotPrint) {
    char out[64] = "untouched";
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const auto engine = [&](const char* f, ...) {
        std::va_list list;
        va_start(list, f);
        const int n = formatV(out, sizeof out, f, list);
        va_end(list);
        return n;
    };
    for (const char* f : {"%e", "%g", "%a", "%p", "%n", "%Lf", "%lc", "%ls", "%#d", "%05s", "%.2c", "%5%", "%", "%.100f", "%1$d"}) {
        std::strcpy(out, "untouched");
        EXPECT_EQ(engine(f, 1.0), -1) << f;
        EXPECT_STREQ(out, "") << f;
        EXPECT_FALSE(formatSupported(f)) << f;
    }
    EXPECT_EQ(engine("%d %f", 1, nan), -1);
    EXPECT_EQ(engine("%d %.3lf", 1, -inf), -1);
    EXPECT_EQ(engine("%.99f", 1.0), 101);
    for (const char* f : {"%s", "%ld", "%lld", "%Lf", "%hf", "%[a]", "%n", "%p", "%1$d", "%lc", "%*%"}) {
        int sink[8] = {};
        EXPECT_EQ(test::engineScan("=5 a", f, sink), 0) << f;
        EXPECT_FALSE(scanSupported(f)) << f;
    }
}

// Every printf and scanf format written in the library's sources is one the engine implements:
// a family that adds a conversion the engine lacks fails here, not on a host.
TEST(WireText, ImplementsEveryFormatInTheSources) {
    const std::regex literal("([A-Za-z_]\\w*)\\((?:[^();\"]|\\([^()]*\\))*\"((?:[^\"\\\\]|\\\\.)*%(?:[^\"\\\\]|\\\\.)*)\"");
    int formats = 0;
    for (const char* folder : {"commands", "records", "transport"})
        for (const auto& entry : std::filesystem::directory_iterator(std::string(ZEFRA_SOURCE_DIR) + "/" + folder)) {
            if (entry.path().extension() != ".cpp" || entry.path().filename() == "wire_text.cpp") continue;
            std::ifstream file(entry.path());
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
                // The call the literal is the format of: a scanning helper or a printing one.
                const std::string call = (*it)[1], f = (*it)[2];
                const bool scanned = call.find("scan") != std::string::npos;
                ++formats;
                EXPECT_TRUE(scanned ? scanSupported(f.c_str()) : formatSupported(f.c_str()))
                    << entry.path().filename() << ": " << call << "(\"" << f << "\")";
            }
        }
    EXPECT_GT(formats, 200);
}

}  // namespace
}  // namespace zefra::wire
