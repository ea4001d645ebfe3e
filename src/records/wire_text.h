// The number engine behind formatText/scanText: the printf and scanf subset the wire uses,
// with the rules of ISO C as glibc applies them under the "C" locale, built on
// std::to_chars/std::from_chars. No locale is consulted, so the host's LC_NUMERIC cannot reach
// the wire, and every platform gives the same text and the same values.
//
// printf: flags "-+ #0", width and precision (digits or "*"); %d %i with hh h l ll j z t;
//   %u %o %x %X likewise; %c; %s; %f %F (l allowed, L not); "%%".
// scanf: white space; literal text; "*" suppression; a width; %d %i %u %o %x %X with hh or h;
//   %f %F %e %E %g %G %a %A into float, or double with l; %c; %Ns with a width; "%%".
// Anything else (%e/%g/%a/%p/%n in printf, %ld or %lld in scanf, %s without a width in scanf,
// positional arguments, %[...], flags C leaves undefined) is refused: printf returns -1 with
// nothing formatted; scanf stops there and returns what it had stored. formatSupported() and
// scanSupported() answer the same question for a format without running it.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace zefra::wire {

// Largest printf precision for %f; a larger one is refused (a double's fixed-point text at
// that precision would need a scratch area larger than a call's stack should hold).
inline constexpr int maxFloatPrecision = 99;

int formatV(char* out, std::size_t capacity, const char* format, std::va_list args);
int scanV(const char* in, const char* format, std::va_list args);
// As scanV, the pointers taken in order from `targets` (one for each conversion not suppressed).
int scanArray(const char* in, const char* format, void* const* targets);

bool formatSupported(const char* format);
bool scanSupported(const char* format);

constexpr bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The printf directive parser, shared by the engine and the compile-time format check, so that
// both accept exactly the same directives.
// Widths and precisions beyond this are refused rather than risk an int overflow.
constexpr int maxWidth = 1 << 20;

enum class Length : std::uint8_t { none, hh, h, l, ll, j, z, t, L };

// Reads the length modifier at `p`, advancing past it.
constexpr Length readLength(const char*& p) {
    switch (*p) {
        case 'h':
            if (*++p != 'h') return Length::h;
            ++p;
            return Length::hh;
        case 'l':
            if (*++p != 'l') return Length::l;
            ++p;
            return Length::ll;
        case 'j': ++p; return Length::j;
        case 'z': ++p; return Length::z;
        case 't': ++p; return Length::t;
        case 'L': ++p; return Length::L;
        default: return Length::none;
    }
}

struct Directive {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    bool widthFromArgument = false, precisionFromArgument = false;
    int width = 0;
    int precision = -1;
    Length length = Length::none;
    char conversion = '\0';
};

// Parses one directive after its "%"; false when the directive is not one the engine prints.
// Widths and precisions taken from arguments are resolved by the caller.
constexpr bool parseFormatSpec(const char*& p, Directive& s) {
    for (;; ++p) {
        if (*p == '-') s.left = true;
        else if (*p == '+') s.plus = true;
        else if (*p == ' ') s.space = true;
        else if (*p == '#') s.alt = true;
        else if (*p == '0') s.zero = true;
        else break;
    }
    // A width or precision: "*" (taken from an argument) or digits.
    const auto number = [&p](int& value, bool& fromArgument) {
        if (*p == '*') {
            fromArgument = true;
            ++p;
            return true;
        }
        for (; isDigit(*p); ++p)
            if ((value = value * 10 + (*p - '0')) > maxWidth) return false;
        return true;
    };
    if (!number(s.width, s.widthFromArgument)) return false;
    if (*p == '.') {
        ++p;
        s.precision = 0;
        if (!number(s.precision, s.precisionFromArgument)) return false;
    }
    s.length = readLength(p);
    s.conversion = *p;
    if (*p != '\0') ++p;
    const bool bare = !s.left && !s.plus && !s.space && !s.alt && !s.zero && !s.widthFromArgument &&
                      s.width == 0 && s.precision < 0 && !s.precisionFromArgument && s.length == Length::none;
    switch (s.conversion) {
        case 'd': case 'i':
            return !s.alt && s.length != Length::L;
        case 'u':
            return !s.alt && s.length != Length::L;
        case 'o': case 'x': case 'X':
            return s.length != Length::L;
        case 'c':
            // C leaves "0", "#" and a precision undefined here; "l" would be a wide character.
            return !s.alt && !s.zero && s.precision < 0 && !s.precisionFromArgument && s.length == Length::none;
        case 's':
            return !s.alt && !s.zero && s.length == Length::none;
        case 'f': case 'F':
            return (s.length == Length::none || s.length == Length::l) && s.precision <= maxFloatPrecision;
        case '%':
            return bare;
        default:
            return false;
    }
}

// One scanf directive after its "%".
struct ScanSpec {
    bool suppress = false;
    Length length = Length::none;
    char conversion = '\0';
    int width = -1;  // -1: none
};

// Parses one scanf directive after its "%", shared by the engine and the compile-time format
// check; false when it is not one the engine scans.
constexpr bool parseScanSpec(const char*& p, ScanSpec& s) {
    if (*p == '*') {
        s.suppress = true;
        ++p;
    }
    if (isDigit(*p)) {
        int width = 0;
        for (; isDigit(*p); ++p)
            if ((width = width * 10 + (*p - '0')) > maxWidth) return false;
        if (*p == '$') return false;  // positional arguments
        s.width = width == 0 ? -1 : width;
    }
    s.length = readLength(p);
    s.conversion = *p;
    if (*p != '\0') ++p;
    switch (s.conversion) {
        case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
            // A long is 32 bits on some platforms and 64 on others; the wire never needs one.
            return s.length == Length::none || s.length == Length::h || s.length == Length::hh;
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            return s.length == Length::none || s.length == Length::l;
        case 'c':
            return s.length == Length::none;
        case 's':
            // Unbounded "%s" could overrun its destination: only a bounded word is read.
            return s.length == Length::none && s.width > 0;
        case '%':
            return !s.suppress && s.width < 0 && s.length == Length::none;
        default:
            return false;
    }
}

// Nearly every field of a reply is a bare "%d", "%lf" or "%f"; the engine has a short path for
// each, and reads any other directive from the format's text.
enum class ScanField : std::uint8_t { general, decimal, decimalDouble, decimalFloat };

constexpr ScanField scanFieldOf(const ScanSpec& s) {
    if (s.suppress || s.width >= 0) return ScanField::general;
    if (s.conversion == 'd' && s.length == Length::none) return ScanField::decimal;
    if (s.conversion == 'f' && s.length == Length::l) return ScanField::decimalDouble;
    if (s.conversion == 'f' && s.length == Length::none) return ScanField::decimalFloat;
    return ScanField::general;
}

// One conversion of a scan format parsed when the library was compiled (ScanFormat), none of
// them suppressed: the length of the literal text before its directive, of the directive ("%"
// included) and how the engine takes it. The literal after the last directive is a step of its
// own, ending the format. Three bytes, as the caller builds the steps on its stack.
struct ScanStep {
    std::uint8_t literalLength = 0;
    std::uint8_t directiveLength = 0;
    ScanField field = ScanField::general;
};

// As scanArray, the format taken in the steps it was parsed into.
int scanSteps(const char* in, const char* format, const ScanStep* steps, void* const* targets);

// Writes the decimal text of `v` ("-" and digits, at most 11 characters) so that it ends at
// `end`; returns where it begins. A bare "%d", the commonest conversion on the wire.
inline char* decimalBefore(char* end, int v) {
    char* q = end;
    unsigned magnitude = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
    do *--q = static_cast<char>('0' + magnitude % 10);
    while ((magnitude /= 10) != 0);
    if (v < 0) *--q = '-';
    return q;
}

// One printf conversion of a format parsed when the library was compiled (WireFormat): what
// follows its "%", width and precision given as digits.
struct Conversion {
    bool left : 1 = false, plus : 1 = false, space : 1 = false, alt : 1 = false, zero : 1 = false;
    char length = '\0';  // '\0', 'h', 'H' for "hh", or 'l'
    char conversion = '\0';
    std::int16_t width = 0;
    std::int16_t precision = -1;
    constexpr bool bareDecimal() const {
        return conversion == 'd' && !left && !plus && !space && !zero && width == 0 && precision < 0 && length == '\0';
    }
};
static_assert(sizeof(Conversion) == 8, "a compiled format keeps one per argument");

// Prints one value as formatV prints it for `conversion`, appending to the bounded text of
// `length` characters in `out` (everything is counted, at most capacity - 1 bytes land, and the
// text is not terminated). They return the new length, or refusedLength when formatV would
// refuse the value (a floating-point value that is not finite).
inline constexpr std::size_t refusedLength = static_cast<std::size_t>(-1);
std::size_t appendInteger(char* out, std::size_t capacity, std::size_t length, Conversion conversion, int value);
std::size_t appendReal(char* out, std::size_t capacity, std::size_t length, Conversion conversion, double value);
std::size_t appendText(char* out, std::size_t capacity, std::size_t length, Conversion conversion, const char* value);

}  // namespace zefra::wire
