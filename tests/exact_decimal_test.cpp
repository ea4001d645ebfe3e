// Plain decimal replies take a shortcut to their value when their digits and power of ten are
// exact in the target type; any other goes to the general conversion. Both must store what the
// C library's scanf stores, bit for bit, for every digit count, point position, sign and exponent.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "records/text.h"

namespace zefra {
namespace {

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

}  // namespace
}  // namespace zefra
