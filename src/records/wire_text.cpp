#include "records/wire_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <type_traits>

namespace zefra::wire {
namespace {

// ' ', and '\t' '\n' '\v' '\f' '\r', which are consecutive.
bool isSpace(int c) { return c == ' ' || static_cast<unsigned>(c - '\t') <= '\r' - '\t'; }
bool isHexDigit(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int lower(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }
int digitValue(int c) { return isDigit(c) ? c - '0' : lower(c) - 'a' + 10; }

// ---- printf ----------------------------------------------------------------------------------

// Output bounded as snprintf bounds it: everything is counted, at most capacity - 1 bytes land.
class Sink {
public:
    Sink(char* out, std::size_t capacity, std::size_t counted) : out_(out), capacity_(capacity), length_(counted) {}
    void put(const char* text, std::size_t n) {
        if (n == 0) return;  // `text` may then be null
        if (length_ + 1 < capacity_) {
            const std::size_t room = capacity_ - 1 - length_;
            std::memcpy(out_ + length_, text, n < room ? n : room);
        }
        length_ += n;
    }
    void put(char c) { put(&c, 1); }
    std::size_t count() const { return length_; }
    // Lets `write(first, last)` produce text straight into the output; it returns where the
    // text ends, or null when it does not fit, in which case nothing is counted.
    template <typename Writer>
    bool putInPlace(Writer write) {
        if (length_ + 1 >= capacity_) return false;
        char* const first = out_ + length_;
        const char* const end = write(first, out_ + capacity_ - 1);
        if (end == nullptr) return false;
        length_ += static_cast<std::size_t>(end - first);
        return true;
    }
    void fill(char c, std::size_t n) {
        if (n == 0) return;
        if (length_ + 1 < capacity_) {
            const std::size_t room = capacity_ - 1 - length_;
            std::memset(out_ + length_, c, n < room ? n : room);
        }
        length_ += n;
    }
    int finish() {
        if (capacity_ > 0) out_[length_ < capacity_ ? length_ : capacity_ - 1] = '\0';
        return length_ > static_cast<std::size_t>(INT_MAX) ? -1 : static_cast<int>(length_);
    }
    int refuse() {
        if (capacity_ > 0) out_[0] = '\0';
        return -1;
    }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t length_;
};

// Lays out prefix, zero padding and body within the field width, as printf does.
void putField(Sink& sink, const Directive& s, const char* prefix, std::size_t prefixLength, std::size_t zeros,
              const char* body, std::size_t bodyLength) {
    const std::size_t used = prefixLength + zeros + bodyLength;
    const std::size_t width = static_cast<std::size_t>(s.width);
    const std::size_t pad = width > used ? width - used : 0;
    if (!s.left) sink.fill(' ', pad);
    sink.put(prefix, prefixLength);
    sink.fill('0', zeros);
    sink.put(body, bodyLength);
    if (s.left) sink.fill(' ', pad);
}

void putInteger(Sink& sink, const Directive& s, std::uint64_t magnitude, bool negative, bool isSigned) {
    const int base = s.conversion == 'o' ? 8 : (s.conversion == 'x' || s.conversion == 'X') ? 16 : 10;
    const char* digitChars = s.conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];
    std::size_t n = 0;
    if (base == 10)  // a constant divisor: a multiplication, not a division, per digit
        for (std::uint64_t v = magnitude; v != 0; v /= 10) digits[sizeof digits - 1 - n++] = static_cast<char>('0' + v % 10);
    else
        for (std::uint64_t v = magnitude; v != 0; v /= static_cast<unsigned>(base))
            digits[sizeof digits - 1 - n++] = digitChars[v % static_cast<unsigned>(base)];
    if (magnitude == 0 && s.precision != 0) digits[sizeof digits - 1 - n++] = '0';
    char prefix[2];
    std::size_t prefixLength = 0;
    if (isSigned) {
        if (negative) prefix[prefixLength++] = '-';
        else if (s.plus) prefix[prefixLength++] = '+';
        else if (s.space) prefix[prefixLength++] = ' ';
    }
    std::size_t zeros = 0;
    if (s.precision > 0 && static_cast<std::size_t>(s.precision) > n) zeros = static_cast<std::size_t>(s.precision) - n;
    if (s.alt && base == 8 && zeros == 0 && (n == 0 || digits[sizeof digits - n] != '0')) zeros = 1;
    if (s.alt && base == 16 && magnitude != 0) {
        prefix[prefixLength++] = '0';
        prefix[prefixLength++] = s.conversion;
    }
    if (s.zero && !s.left && s.precision < 0) {
        const std::size_t used = prefixLength + zeros + n;
        if (static_cast<std::size_t>(s.width) > used) zeros += static_cast<std::size_t>(s.width) - used;
    }
    putField(sink, s, prefix, prefixLength, zeros, digits + sizeof digits - n, n);
}

// Fixed-point text of a finite double: std::to_chars gives the exact decimal expansion rounded
// half to even at the last printed digit, which is what glibc prints. The whole text is laid
// out first only for a padded field or one the output cannot hold; out of line, so that its
// buffer is not on the stack of every call that formats.
[[gnu::noinline]] void putFixedField(Sink& sink, const Directive& s, double value, int precision, char sign) {
    // 309 integer digits at most, the point, the precision and the "#" point.
    char body[std::numeric_limits<double>::max_exponent10 + 1 + 1 + maxFloatPrecision + 1];
    const auto r = std::to_chars(body, body + sizeof body - 1, std::fabs(value), std::chars_format::fixed, precision);
    std::size_t n = static_cast<std::size_t>(r.ptr - body);
    if (s.alt && precision == 0) body[n++] = '.';
    const std::size_t prefixLength = sign != '\0' ? 1 : 0;
    std::size_t zeros = 0;
    if (s.zero && !s.left && static_cast<std::size_t>(s.width) > prefixLength + n)
        zeros = static_cast<std::size_t>(s.width) - prefixLength - n;
    putField(sink, s, &sign, prefixLength, zeros, body, n);
}

// For each power of ten 10^e from 10^23 on (the first no double holds exactly): whether the
// double nearest it lies below it. Worked out once, when the library is compiled, on 10^e
// held exactly in 1,088 bits.
struct NearestBelow {
    bool below[std::numeric_limits<double>::max_exponent10 + 1];
};

// Built by a function, not a constructor: some compilers drop what a consteval constructor's
// body assigns.
consteval NearestBelow findNearestBelow() {
    NearestBelow table{};
    std::uint64_t words[17] = {1};  // 10^e, least significant word first
    for (int e = 1; e < static_cast<int>(std::size(table.below)); ++e) {
        std::uint64_t carry = 0;
        for (std::uint64_t& w : words) {  // times ten, in 32-bit halves
            const std::uint64_t low = (w & 0xFFFFFFFF) * 10 + carry;
            const std::uint64_t high = (w >> 32) * 10 + (low >> 32);
            w = (low & 0xFFFFFFFF) | (high << 32);
            carry = high >> 32;
        }
        int top = 16;
        while (words[top] == 0) --top;
        const int bits = top * 64 + (64 - std::countl_zero(words[top]));
        if (bits <= 53) continue;
        const auto bit = [&](int i) { return (words[i / 64] >> (i % 64)) & 1; };
        // Rounded to 53 bits: down when the first dropped bit is 0, or it is 1 with nothing
        // after it and the kept bits end in 0 (to even).
        const int dropped = bits - 53;
        bool rest = false;
        for (int i = 0; i < dropped - 1; ++i) rest = rest || bit(i);
        const bool down = bit(dropped - 1) == 0 || (!rest && bit(dropped) == 0);
        table.below[e] = down && (bit(dropped - 1) != 0 || rest);
    }
    return table;
}
constexpr NearestBelow nearestBelow = findNearestBelow();

// The integer digits of a magnitude of 2^53 or more (an integer), counted from its shortest
// form: "1eNNN" is the double nearest 10^NNN, which may lie just below it. Out of line, like
// the next one, so that their areas are on the stack only while they count.
[[gnu::noinline]] std::size_t integerDigitsOfLarge(double magnitude) {
    char shortest[32];
    const auto r = std::to_chars(shortest, shortest + sizeof shortest, magnitude, std::chars_format::scientific);
    const char* e = std::find(shortest, r.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + 2, r.ptr, exponent);  // "e+NNN"
    const bool powerOfTen = e == shortest + 1 && shortest[0] == '1';
    return static_cast<std::size_t>(exponent) + (powerOfTen && nearestBelow.below[exponent] ? 0 : 1);
}

// The integer digits of a magnitude below 2^53 as printed at `precision`, rounding included
// (9.96 at one decimal is "10.0", 9.5 at none "10"): 17 digits at most.
[[gnu::noinline]] std::size_t integerDigitsRounded(double magnitude, int precision) {
    char rounded[17 + 1 + maxFloatPrecision];
    const auto r = std::to_chars(rounded, rounded + sizeof rounded, magnitude, std::chars_format::fixed, precision);
    return static_cast<std::size_t>(std::find(rounded, r.ptr, '.') - rounded);
}

// The length of the fixed-point text of a finite `magnitude` at `precision` (digits, point and
// decimals, no sign), worked out without writing the text, whose integer part can run to 309
// digits. Only a value that may round up into one more integer digit (all nines) is printed.
std::size_t fixedLength(double magnitude, int precision, bool alt) {
    const std::size_t fraction = precision > 0 ? 1 + static_cast<std::size_t>(precision) : (alt ? 1 : 0);
    if (magnitude >= 9007199254740992.0) return integerDigitsOfLarge(magnitude) + fraction;
    std::uint64_t whole = static_cast<std::uint64_t>(magnitude);
    std::size_t digits = 1;
    bool allNines = whole != 0;
    for (; whole >= 10; whole /= 10, ++digits) allNines = allNines && whole % 10 == 9;
    if (allNines && whole == 9) digits = integerDigitsRounded(magnitude, precision);
    return digits + fraction;
}

void putFixed(Sink& sink, const Directive& s, double value) {
    const int precision = s.precision < 0 ? 6 : s.precision;
    const char sign = std::signbit(value) ? '-' : s.plus ? '+' : s.space ? ' ' : '\0';
    const std::size_t signLength = sign != '\0' ? 1 : 0;
    if (s.width == 0 && !s.alt) {
        const bool placed = sink.putInPlace([&](char* first, char* last) -> char* {
            if (last - first <= static_cast<std::ptrdiff_t>(signLength)) return nullptr;
            *first = sign;
            const auto r = std::to_chars(first + signLength, last, std::fabs(value), std::chars_format::fixed, precision);
            return r.ec == std::errc() ? r.ptr : nullptr;
        });
        if (placed) return;
    }
    putFixedField(sink, s, value, precision, sign);
}

template <typename T>
std::uint64_t magnitudeOf(T v) {
    using U = std::make_unsigned_t<T>;
    return v < 0 ? static_cast<std::uint64_t>(U(0) - static_cast<U>(v)) : static_cast<std::uint64_t>(v);
}

void putSigned(Sink& sink, const Directive& s, std::va_list& args) {
    long long v = 0;
    switch (s.length) {
        case Length::hh: v = static_cast<signed char>(va_arg(args, int)); break;
        case Length::h: v = static_cast<short>(va_arg(args, int)); break;
        case Length::l: v = va_arg(args, long); break;
        case Length::ll: v = va_arg(args, long long); break;
        case Length::j: v = va_arg(args, std::intmax_t); break;
        case Length::z: v = va_arg(args, std::make_signed_t<std::size_t>); break;
        case Length::t: v = va_arg(args, std::ptrdiff_t); break;
        default: v = va_arg(args, int); break;
    }
    putInteger(sink, s, magnitudeOf(v), v < 0, true);
}

void putUnsigned(Sink& sink, const Directive& s, std::va_list& args) {
    unsigned long long v = 0;
    switch (s.length) {
        case Length::hh: v = static_cast<unsigned char>(va_arg(args, unsigned)); break;
        case Length::h: v = static_cast<unsigned short>(va_arg(args, unsigned)); break;
        case Length::l: v = va_arg(args, unsigned long); break;
        case Length::ll: v = va_arg(args, unsigned long long); break;
        case Length::j: v = va_arg(args, std::uintmax_t); break;
        case Length::z: v = va_arg(args, std::size_t); break;
        case Length::t: v = va_arg(args, std::make_unsigned_t<std::ptrdiff_t>); break;
        default: v = va_arg(args, unsigned); break;
    }
    putInteger(sink, s, v, false, false);
}

// ---- scanf -----------------------------------------------------------------------------------

// The reply text, read one character at a time with one character of push-back, as the C
// library reads a string stream. EOF at the terminating zero.
class Input {
public:
    explicit Input(const char* text) : p_(reinterpret_cast<const unsigned char*>(text)) {}
    int get() { return *p_ != 0 ? *p_++ : EOF; }
    void unget(int c) {
        if (c != EOF) --p_;
    }
    const char* position() const { return reinterpret_cast<const char*>(p_); }
    void moveTo(const char* p) { p_ = reinterpret_cast<const unsigned char*>(p); }
    void skipSpace() {
        while (isSpace(*p_)) ++p_;
    }

private:
    const unsigned char* p_;
};

// How a conversion ended: stored (or suppressed) a value, failed to match (the scan returns
// what it has), or met the end of the text before its first character (EOF when nothing was
// stored yet).
enum class Outcome { converted, mismatch, endOfInput };

// Integers. Characters are taken as glibc takes them (sign, a "0x" prefix for base 16 or for
// %i, digits of the base, all within the width); the value must lie within the 32-bit signed
// and unsigned ranges together, -2147483648 to 4294967295, and is stored by its low bits in
// the destination's width, as glibc stores every value in that range.
//
// Deliberate difference: a value outside that range is a matching failure, where glibc keeps
// the low 32 bits of strtol's 64-bit (or saturated) result, so that "=4294967297" would read
// as 1. A number that cannot be held is refused rather than silently replaced by another.
// Stores the low bits of a value already known to lie within -2^31..2^32-1.
// Where a scan stores its conversions: the caller's pointers, one for each conversion not
// suppressed, taken in order from C varargs or from an array.
class Targets {
public:
    explicit Targets(std::va_list& args) : args_(&args) {}
    explicit Targets(void* const* array) : array_(array) {}
    template <typename T>
    T* next() {
        if (array_ != nullptr) return static_cast<T*>(*array_++);
        return va_arg(*args_, T*);
    }

private:
    std::va_list* args_ = nullptr;
    void* const* array_ = nullptr;
};

void storeInteger(const ScanSpec& s, std::uint32_t bits, Targets& targets) {
    const bool isSigned = s.conversion == 'd' || s.conversion == 'i';
    switch (s.length) {
        case Length::hh:
            if (isSigned) *targets.next<signed char>() = static_cast<signed char>(bits & 0xFF);
            else *targets.next<unsigned char>() = static_cast<unsigned char>(bits);
            break;
        case Length::h:
            if (isSigned) *targets.next<short>() = static_cast<short>(bits & 0xFFFF);
            else *targets.next<unsigned short>() = static_cast<unsigned short>(bits);
            break;
        default:
            if (isSigned) *targets.next<int>() = static_cast<int>(bits);
            else *targets.next<unsigned>() = bits;
            break;
    }
}

// A decimal integer without a width: a sign and digits, nothing more, taken in one tight pass.
// The low 32 bits of its value go to `bits`.
[[gnu::always_inline]] inline Outcome readDecimal(Input& in, std::uint32_t& bits) {
    const char* p = in.position();
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p)) {
        if (*in.position() == '\0') return Outcome::endOfInput;
        in.moveTo(p);
        return Outcome::mismatch;
    }
    std::uint64_t magnitude = 0;
    for (; isDigit(*p); ++p)
        if (magnitude <= 0xFFFFFFFF) magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
    in.moveTo(p);
    if (magnitude > (negative ? std::uint64_t{0x80000000} : std::uint64_t{0xFFFFFFFF})) return Outcome::mismatch;
    bits = negative ? 0u - static_cast<std::uint32_t>(magnitude) : static_cast<std::uint32_t>(magnitude);
    return Outcome::converted;
}

Outcome scanInteger(Input& in, const ScanSpec& s, Targets& targets) {
    int base = s.conversion == 'd' || s.conversion == 'u' ? 10 : s.conversion == 'i' ? 0 : s.conversion == 'o' ? 8 : 16;
    int width = s.width;
    if (base == 10 && width < 0) {
        std::uint32_t bits = 0;
        const Outcome outcome = readDecimal(in, bits);
        if (outcome == Outcome::converted && !s.suppress) storeInteger(s, bits, targets);
        return outcome;
    }
    int c = in.get();
    if (c == EOF) return Outcome::endOfInput;
    bool negative = false;
    int taken = 0;  // sign, leading "0" and digits, as glibc counts what it collected
    bool sign = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        sign = true;
        ++taken;
        if (width > 0) --width;
        c = in.get();
    }
    if (width != 0 && c == '0') {
        if (width > 0) --width;
        ++taken;
        c = in.get();
        if (width != 0 && lower(c) == 'x') {
            if (base == 0) base = 16;
            if (base == 16) {
                if (width > 0) --width;
                c = in.get();
            }
        } else if (base == 0) {
            base = 8;
        }
    }
    if (base == 0) base = 10;
    std::uint64_t magnitude = 0;
    bool tooLarge = false;
    while (c != EOF && width != 0) {
        if (base == 16 ? !isHexDigit(c) : (!isDigit(c) || c - '0' >= base)) break;
        const unsigned d = static_cast<unsigned>(digitValue(c));
        if (magnitude > (std::uint64_t{1} << 40)) tooLarge = true;  // far beyond 32 bits already
        else magnitude = magnitude * static_cast<unsigned>(base) + d;
        ++taken;
        if (width > 0) --width;
        c = in.get();
    }
    in.unget(c);
    if (taken == 0 || (taken == 1 && sign)) return Outcome::mismatch;
    if (tooLarge || magnitude > (negative ? std::uint64_t{0x80000000} : std::uint64_t{0xFFFFFFFF}))
        return Outcome::mismatch;
    if (!s.suppress)
        storeInteger(s, negative ? 0u - static_cast<std::uint32_t>(magnitude) : static_cast<std::uint32_t>(magnitude), targets);
    return Outcome::converted;
}

template <typename T>
T quietNaN(bool negative) {
    // The bit patterns glibc's strtod/strtof return for "nan" (and "-nan"), fixed here so that
    // no platform's own NaN reaches a host.
    if constexpr (std::is_same_v<T, float>)
        return std::bit_cast<float>(negative ? std::uint32_t{0xFFC00000} : std::uint32_t{0x7FC00000});
    else
        return std::bit_cast<double>(negative ? std::uint64_t{0xFFF8000000000000} : std::uint64_t{0x7FF8000000000000});
}

// Where the number's value stands in powers of its radix, roughly: positive for a value that
// overflows, negative for one that underflows. Only consulted once from_chars has said the
// value is out of range, when the answer is far from zero either way.
long long magnitudeEstimate(const char* digits, const char* end, bool hex) {
    long long position = 0;  // of the first non-zero digit relative to the point
    bool seenPoint = false, seenNonZero = false;
    const char* p = digits;
    for (; p < end && (isHexDigit(*p) || *p == '.'); ++p) {
        if (hex ? lower(*p) == 'p' : lower(*p) == 'e') break;
        if (*p == '.') {
            seenPoint = true;
            continue;
        }
        if (!seenNonZero && *p != '0') seenNonZero = true;
        if (seenNonZero && !seenPoint) ++position;
        if (!seenNonZero && seenPoint) --position;
    }
    long long exponent = 0;
    if (p < end) {
        ++p;
        const bool negativeExponent = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        for (; p < end; ++p)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (*p - '0');
        if (negativeExponent) exponent = -exponent;
    }
    return hex ? position * 4 + exponent : position + exponent;
}

// strtod/strtof over the characters scanf collected: converts the longest prefix that forms
// a number and reports its end (nullptr when no prefix does).
template <typename T>
const char* convertFloat(const char* begin, const char* end, T& value) {
    const char* p = begin;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (p < end && (lower(*p) == 'n' || lower(*p) == 'i')) {
        // scanf collected exactly "nan", "inf" or "infinity" here.
        value = lower(*p) == 'n' ? quietNaN<T>(negative)
                                 : (negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity());
        return end;
    }
    const bool hex = end - p >= 2 && p[0] == '0' && lower(p[1]) == 'x';
    if (!hex) {
        // Decimal text as scanf collects it is digits, a point, an exponent: from_chars takes the
        // same longest prefix strtod takes ("1e" gives 1), and refuses a text with no digit.
        T v{};
        const auto r = std::from_chars(p, end, v, std::chars_format::general);
        if (r.ec == std::errc::invalid_argument) return nullptr;
        if (r.ec == std::errc::result_out_of_range)
            v = magnitudeEstimate(p, r.ptr, false) > 0 ? std::numeric_limits<T>::infinity() : T(0);
        value = negative ? -v : v;
        return r.ptr;
    }
    const char* mantissa = p + 2;
    const auto digitOf = [hex](char c) { return hex ? isHexDigit(c) : isDigit(c); };
    const char* q = mantissa;
    bool anyDigit = false;
    for (; q < end && digitOf(*q); ++q) anyDigit = true;
    if (q < end && *q == '.')
        for (++q; q < end && digitOf(*q); ++q) anyDigit = true;
    if (!anyDigit) {
        if (!hex) return nullptr;
        // "0x" with no digit after it: strtod takes the "0" alone.
        value = negative ? -T(0) : T(0);
        return p + 1;
    }
    if (q < end && lower(*q) == (hex ? 'p' : 'e')) {
        const char* e = q + 1;
        if (e < end && (*e == '-' || *e == '+')) ++e;
        if (e < end && isDigit(*e)) {
            while (e < end && isDigit(*e)) ++e;
            q = e;
        }
    }
    T v{};
    const auto r = std::from_chars(mantissa, q, v, hex ? std::chars_format::hex : std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range)
        v = magnitudeEstimate(mantissa, q, hex) > 0 ? std::numeric_limits<T>::infinity() : T(0);
    value = negative ? -v : v;
    return q;
}

// Floating point. The characters are collected exactly as glibc collects them (which is why
// "1e" reads as 1 with the "e" consumed, "nan(1)" reads "nan" and leaves "(1)", and "infin"
// fails), then converted as strtod converts them.
template <typename T>
Outcome storeFloat(const char* start, const char* end, const ScanSpec& s, Targets& targets) {
    T value = 0;
    if (convertFloat(start, end, value) == nullptr) return Outcome::mismatch;
    if (!s.suppress) *targets.next<T>() = value;
    return Outcome::converted;
}

// The plain decimal number without a width, the form nearly every reply carries, delimited and
// converted in one tight pass. It consumes exactly what the general collection below would:
// digits, one point, then "e", an optional sign and digits (a bare "1e" or "1e-" included),
// nothing after. When its digits fit T's mantissa exactly and its power of ten is exact in T,
// one multiplication or division of two exact values gives the correctly rounded result strtod
// gives; any other such text goes to from_chars. False, with nothing consumed, for text not of
// this form (no digit or point after the sign, a "0x", "nan", "inf"): it goes the general way.
template <typename T>
[[gnu::always_inline]] inline bool readPlainDecimal(Input& in, T& value, Outcome& outcome) {
    constexpr std::uint64_t exactLimit = std::uint64_t{1} << std::numeric_limits<T>::digits;
    constexpr int powerLimit = std::is_same_v<T, float> ? 10 : 22;
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* const start = in.position();
    const char* p = start;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!(isDigit(*p) || *p == '.') || (p[0] == '0' && lower(p[1]) == 'x')) return false;
    // Arithmetic carried out wider than T (the x87 unit) would round twice.
    bool exact = FLT_EVAL_METHOD == 0;
    bool digit = false;
    std::uint64_t mantissa = 0;
    int scale = 0;  // the value is mantissa * 10^scale
    const auto digits = [&](int step) {
        for (; isDigit(*p); ++p) {
            digit = true;
            if (mantissa >= exactLimit) {
                exact = false;  // more digits than T holds exactly
                continue;
            }
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            scale += step;
        }
    };
    digits(0);
    if (*p == '.') {
        ++p;
        digits(-1);
    }
    if (digit && lower(*p) == 'e') {
        const bool negativeExponent = *++p == '-';
        if (*p == '-' || *p == '+') ++p;
        int exponent = 0;
        for (; isDigit(*p); ++p)
            if (exponent <= 1000) exponent = exponent * 10 + (*p - '0');  // beyond that, no exact value
        if (exponent > 1000) exact = false;
        if (exact) scale += negativeExponent ? -exponent : exponent;
    }
    in.moveTo(p);
    outcome = Outcome::converted;
    if (!digit || !exact || mantissa > exactLimit || (mantissa != 0 && (scale < -powerLimit || scale > powerLimit))) {
        if (convertFloat(start, p, value) == nullptr) outcome = Outcome::mismatch;
        return true;
    }
    T v = static_cast<T>(mantissa);
    if (mantissa != 0) {
        const T power = static_cast<T>(powersOfTen[scale < 0 ? -scale : scale]);  // exact within powerLimit
        v = scale < 0 ? v / power : v * power;
    }
    value = negative ? -v : v;
    return true;
}

// As readPlainDecimal, storing the value.
template <typename T>
bool scanPlainDecimal(Input& in, const ScanSpec& s, Targets& targets, Outcome& outcome) {
    T value{};
    if (!readPlainDecimal(in, value, outcome)) return false;
    if (outcome == Outcome::converted && !s.suppress) *targets.next<T>() = value;
    return true;
}

Outcome scanFloat(Input& in, const ScanSpec& s, Targets& targets) {
    int width = s.width;
    if (Outcome outcome{}; width < 0 && (s.length == Length::l ? scanPlainDecimal<double>(in, s, targets, outcome)
                                                                : scanPlainDecimal<float>(in, s, targets, outcome)))
        return outcome;
    const char* start = in.position();
    int c = in.get();
    if (width > 0) --width;
    if (c == EOF) return Outcome::endOfInput;
    bool gotSign = false, gotDigit = false, gotDot = false, gotE = false, hexFloat = false;
    // Reads the next character, which must be `expected` (any case) and within the width.
    const auto expect = [&](char expected) {
        if (width == 0) return false;
        c = in.get();
        if (c == EOF || lower(c) != expected) return false;
        if (width > 0) --width;
        return true;
    };
    if (c == '-' || c == '+') {
        gotSign = true;
        if (width == 0 || (c = in.get()) == EOF) return Outcome::mismatch;
        if (width > 0) --width;
    }
    if (lower(c) == 'n') {
        if (!expect('a') || !expect('n')) return Outcome::mismatch;
    } else if (lower(c) == 'i') {
        if (!expect('n') || !expect('f')) return Outcome::mismatch;
        if (width != 0) {
            c = in.get();
            if (c != EOF && lower(c) == 'i') {
                if (width > 0) --width;
                if (!expect('n') || !expect('i') || !expect('t') || !expect('y')) return Outcome::mismatch;
            } else {
                in.unget(c);
            }
        }
    } else {
        char exponentChar = 'e';
        std::ptrdiff_t collected = gotSign ? 1 : 0;
        if (width != 0 && c == '0') {
            ++collected;
            c = in.get();
            if (width > 0) --width;
            if (width != 0 && lower(c) == 'x') {
                ++collected;
                hexFloat = true;
                exponentChar = 'p';
                c = in.get();
                if (width > 0) --width;
            } else {
                gotDigit = true;
            }
        }
        const char* last = nullptr;  // the previous collected character
        for (;;) {
            if (isDigit(c) || (!gotE && hexFloat && isHexDigit(c))) {
                gotDigit = true;
            } else if (gotE && last != nullptr && lower(*last) == exponentChar && (c == '-' || c == '+')) {
            } else if (gotDigit && !gotE && lower(c) == exponentChar) {
                gotE = gotDot = true;
            } else if (!gotDot && c == '.') {
                gotDot = true;
            } else {
                in.unget(c);
                break;
            }
            ++collected;
            last = in.position() - 1;
            if (width == 0 || (c = in.get()) == EOF) break;
            if (width > 0) --width;
        }
        if (collected == (gotSign ? 1 : 0) || (hexFloat && collected == 2 + (gotSign ? 1 : 0)))
            return Outcome::mismatch;
    }
    const char* end = in.position();
    return s.length == Length::l ? storeFloat<double>(start, end, s, targets) : storeFloat<float>(start, end, s, targets);
}

Outcome scanCharacters(Input& in, const ScanSpec& s, Targets& targets) {
    int c = in.get();
    if (c == EOF) return Outcome::endOfInput;
    char* out = s.suppress ? nullptr : targets.next<char>();
    if (s.conversion == 'c') {
        int width = s.width < 0 ? 1 : s.width;
        for (;;) {
            if (out != nullptr) *out++ = static_cast<char>(c);
            if (--width == 0 || (c = in.get()) == EOF) break;
        }
        return Outcome::converted;
    }
    int width = s.width;
    for (;;) {
        if (isSpace(c)) {
            in.unget(c);
            break;
        }
        if (out != nullptr) *out++ = static_cast<char>(c);
        if (--width == 0 || (c = in.get()) == EOF) break;
    }
    if (out != nullptr) *out = '\0';
    return Outcome::converted;
}

void putTextField(Sink& sink, const Directive& s, const char* text) {
    std::size_t n = 0;
    if (text == nullptr) {  // as glibc prints it
        text = s.precision < 0 || s.precision >= 6 ? "(null)" : "";
        n = std::strlen(text);
    } else {
        n = s.precision < 0 ? std::strlen(text) : strnlen(text, static_cast<std::size_t>(s.precision));
    }
    putField(sink, s, nullptr, 0, 0, text, n);
}

// Prints the directive after a "%" at `p` (advancing past it) into `sink`; false when the
// directive or its argument is one the engine refuses. Inline: a frame of its own would sit
// on top of formatV's and deepen the stack of every call that prints a "%.3lf".
[[gnu::always_inline]] inline bool putDirective(Sink& sink, const char*& p, std::va_list& rest) {
    Directive s;
    if (!parseFormatSpec(p, s)) return false;
    if (s.widthFromArgument) {
        const int w = va_arg(rest, int);
        if (w < -maxWidth || w > maxWidth) return false;
        s.left = s.left || w < 0;
        s.width = w < 0 ? -w : w;
    }
    if (s.precisionFromArgument) {
        const int precision = va_arg(rest, int);
        s.precision = precision < 0 ? -1 : precision;
        const bool fixed = s.conversion == 'f' || s.conversion == 'F';
        if (s.precision > maxWidth || (fixed && s.precision > maxFloatPrecision)) return false;
    }
    if (s.conversion == 'f' || s.conversion == 'F') {
        const double value = va_arg(rest, double);
        // No fixed-point text exists for "nan" or "inf", and no controller could act on one:
        // a command carrying one is never formatted.
        if (!std::isfinite(value)) return false;
        putFixed(sink, s, value);
    } else if (s.conversion == 'd' || s.conversion == 'i') {
        putSigned(sink, s, rest);
    } else if (s.conversion == 'u' || s.conversion == 'o' || s.conversion == 'x' || s.conversion == 'X') {
        putUnsigned(sink, s, rest);
    } else if (s.conversion == 'c') {
        const char c = static_cast<char>(static_cast<unsigned char>(va_arg(rest, int)));
        putField(sink, s, nullptr, 0, 0, &c, 1);
    } else if (s.conversion == 's') {
        putTextField(sink, s, va_arg(rest, const char*));
    } else {
        sink.put('%');
    }
    return true;
}

}  // namespace

namespace {

Directive directiveOf(const Conversion& c) {
    Directive s;
    s.left = c.left;
    s.plus = c.plus;
    s.space = c.space;
    s.alt = c.alt;
    s.zero = c.zero;
    s.width = c.width;
    s.precision = c.precision;
    s.length = c.length == 'h' ? Length::h : c.length == 'H' ? Length::hh : c.length == 'l' ? Length::l : Length::none;
    s.conversion = c.conversion;
    return s;
}

}  // namespace

// The value arrives as C varargs would pass it (promoted to int) and is narrowed as printf
// narrows it for its length and conversion.
[[gnu::noinline]] std::size_t appendInteger(char* out, std::size_t capacity, std::size_t length, Conversion conversion,
                                          int value) {
    Sink sink(out, capacity, length);
    const Directive s = directiveOf(conversion);
    const unsigned bits = static_cast<unsigned>(value);
    switch (s.conversion) {
        case 'd': case 'i': {
            const int v = s.length == Length::hh ? static_cast<signed char>(value)
                          : s.length == Length::h ? static_cast<short>(value)
                                                  : value;
            putInteger(sink, s, magnitudeOf(v), v < 0, true);
            break;
        }
        case 'c': {
            const char c = static_cast<char>(static_cast<unsigned char>(bits));
            putField(sink, s, nullptr, 0, 0, &c, 1);
            break;
        }
        default:
            putInteger(sink, s,
                       s.length == Length::hh  ? static_cast<unsigned char>(bits)
                       : s.length == Length::h ? static_cast<unsigned short>(bits)
                                               : bits,
                       false, false);
    }
    return sink.count();
}

// A plain field is counted before it is printed, and printed in place only when it fits: a text
// cut short is never used, so nothing of it is written (and no value is ever printed into a
// scratch area for its length).
[[gnu::noinline]] std::size_t appendReal(char* out, std::size_t capacity, std::size_t length, Conversion conversion,
                                       double value) {
    if (!std::isfinite(value)) return refusedLength;
    const Directive s = directiveOf(conversion);
    if (s.width == 0 && !s.alt) {
        const int precision = s.precision < 0 ? 6 : s.precision;
        const char sign = std::signbit(value) ? '-' : s.plus ? '+' : s.space ? ' ' : '\0';
        const std::size_t signLength = sign != '\0' ? 1 : 0;
        const std::size_t total = signLength + fixedLength(std::fabs(value), precision, false);
        if (length + total >= capacity) return length + total;
        out[length] = sign;
        const auto r = std::to_chars(out + length + signLength, out + capacity - 1, std::fabs(value),
                                     std::chars_format::fixed, precision);
        if (r.ec == std::errc() && r.ptr == out + length + total) return length + total;
    }
    Sink sink(out, capacity, length);
    putFixed(sink, s, value);
    return sink.count();
}

[[gnu::noinline]] std::size_t appendText(char* out, std::size_t capacity, std::size_t length, Conversion conversion,
                                       const char* value) {
    Sink sink(out, capacity, length);
    putTextField(sink, directiveOf(conversion), value);
    return sink.count();
}

int formatV(char* out, std::size_t capacity, const char* format, std::va_list args) {
    std::va_list rest;
    va_copy(rest, args);
    // Literal text and a bare "%d", nearly all a command's format holds, are written here with
    // the count in a register; every other directive goes through a Sink.
    std::size_t length = 0;
    const auto put = [&](char c) {
        if (length + 1 < capacity) out[length] = c;
        ++length;
    };
    bool refused = false;
    for (const char* p = format;;) {
        while (*p != '\0' && *p != '%') put(*p++);
        if (*p == '\0') break;
        ++p;
        if (*p == 'd') {
            ++p;
            char digits[12];
            char* const end = digits + sizeof digits;
            for (const char* q = decimalBefore(end, va_arg(rest, int)); q != end;) put(*q++);
            continue;
        }
        Sink sink(out, capacity, length);
        refused = !putDirective(sink, p, rest);
        length = sink.count();
        if (refused) break;
    }
    va_end(rest);
    Sink sink(out, capacity, length);
    return refused ? sink.refuse() : sink.finish();
}

namespace {

// A scan in progress: the reply text, where its values go, how many were stored and how the
// last directive ended.
class Scan {
public:
    Scan(const char* text, Targets& targets) : in_(text), targets_(targets) {}

    // Matches literal format text: white space matches any run of white space, none included;
    // any other character itself. False when the scan ends here.
    [[gnu::always_inline]] bool literal(const char* f, const char* end) {
        for (; f < end; ++f) {
            if (isSpace(static_cast<unsigned char>(*f))) {
                skipSpace_ = true;
                continue;
            }
            int c = in_.get();
            if (skipSpace_)
                while (isSpace(c)) c = in_.get();
            skipSpace_ = false;
            if (c == EOF) return stop(Outcome::endOfInput);
            if (c != static_cast<unsigned char>(*f)) {
                in_.unget(c);
                return stop(Outcome::mismatch);
            }
        }
        return true;
    }

    // One directive; false when the scan ends here.
    [[gnu::always_inline]] bool convert(const ScanSpec& s) {
        if (skipSpace_ || s.conversion != 'c') {
            in_.skipSpace();
            skipSpace_ = false;
        }
        Outcome outcome = Outcome::converted;
        switch (s.conversion) {
            case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
                outcome = scanInteger(in_, s, targets_);
                break;
            case 'c': case 's':
                outcome = scanCharacters(in_, s, targets_);
                break;
            case '%': {
                const int c = in_.get();
                if (c == EOF) return stop(Outcome::endOfInput);
                if (c != '%') {
                    in_.unget(c);
                    return stop(Outcome::mismatch);
                }
                return true;
            }
            default:
                outcome = scanFloat(in_, s, targets_);
                break;
        }
        if (outcome != Outcome::converted) return stop(outcome);
        if (!s.suppress) ++stored_;
        return true;
    }

    // The directive of a compiled format's step, by the short path its field has.
    [[gnu::always_inline]] bool field(ScanField field, const char* directive) {
        if (Outcome outcome{}; field != ScanField::general && shortPath(field, outcome)) {
            if (outcome != Outcome::converted) return stop(outcome);
            ++stored_;
            return true;
        }
        ScanSpec s;
        parseScanSpec(++directive, s);  // checked when the library was compiled
        return convert(s);
    }

    // What scanf returns: the values stored, or EOF when the text ended before the first one.
    int result() const { return outcome_ == Outcome::endOfInput && stored_ == 0 ? EOF : stored_; }

private:
    bool stop(Outcome outcome) {
        outcome_ = outcome;
        return false;
    }

    // A bare "%d", "%lf" or "%f" by its short path; false, with nothing but white space
    // consumed, for a number that goes the general way ("nan", "0x1p3", ...).
    [[gnu::always_inline]] bool shortPath(ScanField field, Outcome& outcome) {
        in_.skipSpace();
        skipSpace_ = false;
        if (field == ScanField::decimal) {
            std::uint32_t bits = 0;
            outcome = readDecimal(in_, bits);
            if (outcome == Outcome::converted) *targets_.next<int>() = static_cast<int>(bits);
            return true;
        }
        return field == ScanField::decimalDouble ? plainDecimal<double>(outcome) : plainDecimal<float>(outcome);
    }

    template <typename T>
    [[gnu::always_inline]] bool plainDecimal(Outcome& outcome) {
        T value = 0;
        if (!readPlainDecimal(in_, value, outcome)) return false;
        if (outcome == Outcome::converted) *targets_.next<T>() = value;
        return true;
    }

    Input in_;
    Targets& targets_;
    int stored_ = 0;
    bool skipSpace_ = false;
    Outcome outcome_ = Outcome::converted;
};

// A directive the engine does not scan ends the scan as a failed match does.
int scanWith(const char* text, const char* format, Targets& targets) {
    Scan scan(text, targets);
    for (const char* f = format;;) {
        const char* directive = std::strchr(f, '%');
        if (directive == nullptr) {
            scan.literal(f, f + std::strlen(f));
            break;
        }
        if (!scan.literal(f, directive)) break;
        f = directive + 1;
        ScanSpec s;
        if (!parseScanSpec(f, s) || !scan.convert(s)) break;
    }
    return scan.result();
}

}  // namespace

int scanV(const char* text, const char* format, std::va_list args) {
    std::va_list rest;
    va_copy(rest, args);
    Targets targets(rest);
    const int n = scanWith(text, format, targets);
    va_end(rest);
    return n;
}

int scanArray(const char* text, const char* format, void* const* targets) {
    Targets fromArray(targets);
    return scanWith(text, format, fromArray);
}

int scanSteps(const char* text, const char* format, const ScanStep* steps, void* const* targets) {
    Targets fromArray(targets);
    Scan scan(text, fromArray);
    for (const char* f = format;; ++steps) {
        const char* const directive = f + steps->literalLength;
        if (!scan.literal(f, directive) || *directive == '\0' || !scan.field(steps->field, directive)) break;
        f = directive + steps->directiveLength;
    }
    return scan.result();
}

bool formatSupported(const char* format) {
    for (const char* p = format; *p != '\0';) {
        if (*p++ != '%') continue;
        Directive s;
        if (!parseFormatSpec(p, s)) return false;
    }
    return true;
}

bool scanSupported(const char* format) {
    for (const char* p = format; *p != '\0';) {
        if (*p++ != '%') continue;
        ScanSpec s;
        if (!parseScanSpec(p, s)) return false;
    }
    return true;
}

}  // namespace zefra::wire
