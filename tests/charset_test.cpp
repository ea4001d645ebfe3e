#include <gtest/gtest.h>
#ifndef _WIN32
#include <locale.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "support/charsets.h"

namespace zefra::test {
namespace {

const Latin1 latin1;
const platform::Charset& utf8 = platform::utf8Charset();
const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// CI generates the POSIX locales these tests convert through; only elsewhere may one be missing.
void requireInCi(const char* locale) {
#ifndef _WIN32
    if (std::getenv("CI") != nullptr) ADD_FAILURE() << "CI must generate the locale " << locale;
#else
    (void)locale;
#endif
}

// Converts `text` with a limit and an output size, showing everything written up to the
// terminator and checking the reported length.
std::string convert(const platform::Charset& from, const platform::Charset& to, const std::string& text,
                    std::size_t limit = 64, std::size_t size = 64) {
    char out[64];
    std::fill(out, out + sizeof out, '#');
    const std::size_t length = platform::convertText(from, to, text.c_str(), limit, out, size);
    EXPECT_LT(length, size);
    EXPECT_EQ(out[length], '\0');
    return std::string(out, length);
}

TEST(Charset, WholeCharactersBetweenASingleByteSetAndUtf8) {
    EXPECT_EQ(convert(latin1, utf8, "caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(convert(utf8, latin1, "caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(convert(utf8, latin1, "\xE2\x82\xAC" "1"), "?1");  // the euro sign is not in the set
    EXPECT_EQ(convert(utf8, utf8, "\xF0\x9F\x99\x82|\xE2\x82\xAC"), "\xF0\x9F\x99\x82|\xE2\x82\xAC");
}

// Each maximal piece of broken input becomes one U+FFFD, as Windows replaces it.
TEST(Charset, BrokenUtf8BecomesTheReplacementCharacter) {
    EXPECT_EQ(convert(utf8, utf8, "a\xC0\xAF" "b"), "a" + replacement + replacement + "b");       // overlong
    EXPECT_EQ(convert(utf8, utf8, "\xED\xA0\x80"), replacement + replacement + replacement);     // surrogate
    EXPECT_EQ(convert(utf8, utf8, "\xF4\x90\x80\x80").size(), 4 * replacement.size());          // past U+10FFFF
    EXPECT_EQ(convert(utf8, utf8, "\xE2\x82" "a\xFF"), replacement + "a" + replacement);
    EXPECT_EQ(convert(utf8, utf8, "ab\xE2\x82"), "ab" + replacement);  // the text ends mid-character
}

TEST(Charset, LimitAndSizeCutBetweenCharacters) {
    EXPECT_EQ(convert(utf8, utf8, "ab\xE2\x82\xAC", 4), "ab");  // the limit falls inside the euro sign
    EXPECT_EQ(convert(utf8, utf8, "ab\xE2\x82\xAC", 5), "ab\xE2\x82\xAC");
    EXPECT_EQ(convert(latin1, utf8, "a\xE9", 64, 3), "a");  // two bytes and the terminator do not fit 3
    EXPECT_EQ(convert(latin1, utf8, "a\xE9", 64, 4), "a\xC3\xA9");
    EXPECT_EQ(convert(utf8, latin1, "abc", 64, 1), "");
}

// The C library's conversions under a real locale: "C" knows ASCII only; a UTF-8 locale is
// validated like UTF-8 itself.
TEST(Charset, LocaleSets) {
    const auto c = platform::localeCharset("C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(convert(utf8, *c, "caf\xC3\xA9!"), "caf?!");
    EXPECT_EQ(convert(*c, utf8, "caf\xE9!"), "caf" + replacement + "!");
    EXPECT_EQ(platform::localeCharset("no-such-locale"), nullptr);
    const auto utf8Locale = platform::localeCharset("C.UTF-8");
    if (utf8Locale == nullptr) GTEST_SKIP() << "no C.UTF-8 locale here";
    EXPECT_EQ(convert(utf8, *utf8Locale, "caf\xC3\xA9\xED\xA0\x80"), "caf\xC3\xA9" + replacement + replacement + replacement);
#ifndef _WIN32  // POSIX only: per-thread locales
    // The calling thread's own locale, the host's choice, does not leak into a named set.
    const locale_t host = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(host);
    EXPECT_EQ(convert(utf8, *c, "\xC3\xA9"), "?");
    uselocale(previous);
    freelocale(host);
#endif
}

// A real single-byte locale, read into a table once: its high half converts both ways (the
// euro sign is byte A4 there, where Latin-1 has the currency sign), and a character it lacks
// becomes "?".
TEST(Charset, SingleByteLocale) {
    const auto euro = platform::localeCharset("de_DE@euro");
    if (euro == nullptr) {
        requireInCi("de_DE@euro");
        GTEST_SKIP() << "no de_DE@euro (ISO-8859-15) locale here";
    }
    EXPECT_EQ(convert(*euro, utf8, "Stra\xDF" "e \xA4\xFF"), "Stra\xC3\x9F" "e \xE2\x82\xAC\xC3\xBF");
    EXPECT_EQ(convert(utf8, *euro, "\xC3\x9F\xE2\x82\xAC\xC3\xBF \xC2\xA4"), "\xDF\xA4\xFF ?");
}

// A multibyte set other than UTF-8, converted without switching the thread's locale: whole
// double-byte characters both ways, "?" for what the set lacks, broken or cut input replaced,
// and a limit never splitting a character.
TEST(Charset, MultibyteLocale) {
    const auto japanese = platform::localeCharset("ja_JP.EUC-JP");
    if (japanese == nullptr) {
        requireInCi("ja_JP.EUC-JP");
        GTEST_SKIP() << "no ja_JP.EUC-JP locale here";
    }
    const std::string nihon = "\xE6\x97\xA5\xE6\x9C\xAC";  // two characters, in UTF-8
    EXPECT_EQ(convert(utf8, *japanese, nihon + "\xE2\x82\xAC" "1"), "\xC6\xFC\xCB\xDC?1");
    EXPECT_EQ(convert(*japanese, utf8, "\xC6\xFC\xCB\xDC" "a"), nihon + "a");
    EXPECT_EQ(convert(*japanese, utf8, "\xC6" "A|a\xC6"), replacement + "A|a" + replacement);
    EXPECT_EQ(convert(*japanese, utf8, "a\xC6\xFC", 2), "a");
    EXPECT_EQ(convert(utf8, *japanese, "a" + nihon, 64, 3), "a");
}

}  // namespace
}  // namespace zefra::test
