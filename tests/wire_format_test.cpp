// Compiled formats against the engine reading their text. A printed format gives the same length
// and refusals in room to spare, in room cut short and in none, and the same bytes whenever it fits
// (a text cut short is never used, so what it holds is left open).
#include <gtest/gtest.h>

#include <climits>
#include <cctype>
#include <cmath>
#include <cfloat>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "records/text.h"
#include "records/wire_format.h"

namespace zefra {
namespace {

// The C library's length for the same format and value (the format is a compiled one's text).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
int referenceLength(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    return n;
}
#pragma GCC diagnostic pop

template <typename... Args>
void expectAsEngine(WireFormat<std::type_identity_t<Args>...> format, Args... args) {
    ASSERT_TRUE(format.compiled()) << format.text();
    for (const std::size_t capacity : {64, 9, 1, 0}) {
        char compiled[64], engine[64];
        std::fill(std::begin(compiled), std::end(compiled), 'x');
        std::fill(std::begin(engine), std::end(engine), 'x');
        const int length = CompiledText(capacity ? compiled : nullptr, capacity).print(format, args...);
        ASSERT_EQ(length, formatChecked(capacity ? engine : nullptr, capacity, format.text(), args...))
            << format.text() << " in " << capacity;
        if (length < 0 || static_cast<std::size_t>(length) >= capacity) {  // refused or cut short: never used
            if (capacity > 0 && length < 0) {
                EXPECT_EQ(compiled[0], '\0') << format.text();
            }
            continue;
        }
        EXPECT_EQ(std::string(compiled, sizeof compiled), std::string(engine, sizeof engine))
            << format.text() << " in " << capacity;
    }
}

TEST(CompiledFormat, PrintsWhatTheEnginePrints) {
    for (const int v : {0, 7, -1, 42, 65535, 65536, -32769, INT_MAX, INT_MIN}) {
        expectAsEngine("MovJ P%d %d %d", v, -v / 2, 3);
        expectAsEngine("%hu,%hhd;%1d %u %x %X %o %i", v, v, v, v, v, v, v, v);
        expectAsEngine("[%5d|%-5d|%+d|% d|%05d|%.3d|%#x|%#o]", v, v, v, v, v, v, v, v);
        expectAsEngine("%c%c", static_cast<char>(v), 'z');
    }
    for (const double v : {0.0, -0.0, 0.5, 2.5, 0.0005, -1.0005, 12.3456789, 1e6, 1e21, 1e300, 5e-324}) {
        expectAsEngine("%.3lf,%.6f;%f", v, v, static_cast<float>(v));
        expectAsEngine("%0.3lf %12.2f %-12.1f| %+.0f %#.0f", v, v, v, v, v);
    }
    for (const double v : {NAN, INFINITY, -INFINITY}) expectAsEngine("Set %d %f %s", 1, v, "x");
    for (const char* s : {"", "P1", "a word longer than nine"}) expectAsEngine("%s [%s] %.3s|%6s|%-6s", s, s, s, s, s);
    expectAsEngine("%s % s", static_cast<const char*>(nullptr), "x");
    expectAsEngine("Set_DiagnosisSave");
    // An argument's width or precision, or a literal "%", leave the format to the engine.
    EXPECT_FALSE((WireFormat<int>("%d%%").compiled()));
    EXPECT_FALSE((WireFormat<int, double>("%*f").compiled()));
    EXPECT_FALSE((WireFormat<int, const char*>("%.*s").compiled()));
}

// The length of a value's fixed-point text is worked out without printing it: it must be the
// C library's for any double, at the precisions the commands use and beyond.
TEST(CompiledFormat, CountsFixedPointTextAsTheCLibraryDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference is glibc's printf";
#endif
    std::mt19937_64 random(7);
    std::vector<double> values = {0.5, 1.5, 2.5, 9.5, 99.5, 9.96, 99.9996, 999999.9999996, 9.9999995,
                                  9007199254740991.5, 9007199254740992.0, 1e22, 1e23, 1e300, DBL_MAX, 5e-324};
    for (int e = 0; e <= 308; ++e) {
        const double p = std::pow(10.0, e);
        for (const double v : {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY)}) values.push_back(v);
    }
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 60));
    }
    const auto expectLength = [](const WireFormat<double>& format, double v) {
        EXPECT_EQ(CompiledText(nullptr, 0).print(format, v), referenceLength(format.text(), v))
            << format.text() << " " << v;
    };
    for (const double v : values) {
        expectLength("%.0f", v);
        expectLength("%.1f", v);
        expectLength("%.3lf", v);
        expectLength("%f", -v);
        expectLength("%.17f", v);
        expectLength("%+.2f", v);
    }
}

// Replies shaped like a format's own: each conversion given an edge text of its kind, literals
// kept, dropped, doubled, blanked or put after a blank now and then, and the whole cut short at
// random. A compiled scan must store and count exactly what the engine does reading the format
// as text (which the engine's tests hold against the C library).
template <typename... T>
void expectStepsScanAsText(const std::type_identity_t<ScanFormat<T*...>>& format) {
    static const char* const reals[] = {"0", "-0", ".5", "5.", "1e", "1e-", "400.5", "-20", "1.5e2", "1e22", "1e23",
                                        "1e300", "1e-400", "0x1p3", "nan", "-inf", "9007199254740993", "0.000001",
                                        "123456789012345678901234567890", "3.4028236e38", "", " 7", "x", "."};
    static const char* const integers[] = {"0", "-1", "+5", "2147483647", "-2147483648", "4294967295", "4294967296",
                                           "-2147483649", "65536", "0x1A", "007", "", "\t3", "x", "-", "9"};
    std::mt19937 random(7);
    const auto pick = [&random](const auto& pool) { return pool[random() % std::size(pool)]; };
    for (int round = 0; round < 4000; ++round) {
        std::string in;
        for (const char* f = format.text(); *f != '\0'; ++f) {
            if (*f != '%') {
                const unsigned roll = random() % 16;  // 0: dropped, 1: blanked, 2: doubled, 3: after a blank
                if (roll == 3) in += ' ';
                if (roll != 0) in += roll == 1 ? ' ' : *f;
                if (roll == 2) in += *f;
                continue;
            }
            while (!std::isalpha(static_cast<unsigned char>(*++f)) || *f == 'h' || *f == 'l') {}
            if (std::strchr("fFeEgGaA", *f) != nullptr) in += pick(reals);
            else in += std::strchr("sc", *f) != nullptr ? "word" : pick(integers);
        }
        if (random() % 4 == 0) in.resize(random() % (in.size() + 1));
        alignas(16) unsigned char compiled[sizeof...(T)][16], text[sizeof...(T)][16];
        std::memset(compiled, 0xA5, sizeof compiled);
        std::memset(text, 0xA5, sizeof text);
        const auto scanBoth = [&]<std::size_t... I>(std::index_sequence<I...>) {
            void* const targets[] = {text[I]..., nullptr};
            return std::pair(scanFields(in.c_str(), format, reinterpret_cast<T*>(compiled[I])...),
                             wire::scanArray(in.c_str(), format.text(), targets));
        };
        const auto [n, reference] = scanBoth(std::index_sequence_for<T...>());
        ASSERT_EQ(n, reference) << format.text() << " on " << in;
        ASSERT_EQ(std::memcmp(compiled, text, sizeof text), 0) << format.text() << " on " << in;
    }
}

TEST(CompiledFormat, ScansAsTheEngineReadsTheText) {
    expectStepsScanAsText<double, double, double, double, double, double, int, int, int, int, int, int, int>(
        "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d");
    expectStepsScanAsText<int, int, int, int, int, int>("=%d Ip:%d.%d.%d.%d Port:%d");
    expectStepsScanAsText<int, double, double>("=%d, %lf, %lf");
    expectStepsScanAsText<unsigned short, unsigned short, float, float>("=%hu,%hu,%f,%f");
    expectStepsScanAsText<int, int, int, int>("=%1d%1d%1d%1d");
    expectStepsScanAsText<int>("=%xh");
    expectStepsScanAsText<int>("e%d:");
    expectStepsScanAsText<int, char, signed char, char>("=%d,%5s %hhi%c");
    expectStepsScanAsText<int, double, char>("=%d,%*c %lf;%7s");  // not compiled: the targets reach the engine as given
}

}  // namespace
}  // namespace zefra
