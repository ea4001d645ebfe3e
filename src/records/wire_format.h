// Command and reply formats parsed and checked against their arguments when the library is
// compiled, for the helpers that take their arguments as a parameter pack rather than as C
// varargs (a varargs function keeps its register save area on the stack under everything it
// calls). A format outside what the number engine handles, or arguments that do not match it in
// count and kind, stop the build at the call.
//
// WireFormat (printing) reads each directive with the engine's own parser, so it accepts what
// the engine prints and nothing else, and asks in addition that an integer conversion take no
// length beyond hh/h (its argument is at most an int). A format whose arguments each have a conversion of their
// own (no "%%", no "*") is kept as its pieces, the literal text before each conversion and the
// conversion itself, and CompiledText prints it without reading the text at run time; any other
// goes to the engine as text. ScanFormat (replies) is checked the same way and kept as its steps,
// which the engine follows instead of reading the format; the targets reach it as an array.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "records/wire_text.h"

namespace zefra {

enum class FormatArgument { integer, floating, text, unsupported };

template <typename T>
consteval FormatArgument formatArgumentOf() {
    if constexpr (std::is_integral_v<T> && sizeof(T) <= sizeof(int)) return FormatArgument::integer;
    else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) return FormatArgument::floating;
    else if constexpr (std::is_convertible_v<T, const char*>) return FormatArgument::text;
    else return FormatArgument::unsupported;
}

// Never defined and not constexpr: the checker calls it only for a format that does not match,
// and the compiler then names it in its error at the offending call.
void formatDoesNotMatchItsArguments();

template <typename... Args>
class WireFormat {
public:
    static constexpr std::size_t count = sizeof...(Args);

    // The pieces are worked out by a function and the members set in the initializer list only
    // (some compilers drop what a consteval constructor's body assigns to its members).
    template <std::size_t N>
    consteval WireFormat(const char (&text)[N]) : text_(text), pieces_(parse(text)) {}  // implicit: a literal
    const char* text() const { return text_; }
    bool compiled() const { return pieces_.compiled; }
    // Piece i (0 to count - 1): the literal text before argument i's conversion, and that
    // conversion; literal(count) is the text after the last one.
    const char* literal(std::size_t i) const { return text_ + pieces_.literalStarts[i]; }
    std::size_t literalLength(std::size_t i) const { return pieces_.literalLengths[i]; }
    wire::Conversion conversion(std::size_t i) const { return pieces_.conversions[i]; }

private:
    struct Pieces {
        bool compiled;
        std::uint16_t literalStarts[count + 1];
        std::uint16_t literalLengths[count + 1];
        wire::Conversion conversions[count + 1];
    };

    static consteval wire::Conversion conversionOf(const wire::Directive& d) {
        wire::Conversion c;
        c.left = d.left;
        c.plus = d.plus;
        c.space = d.space;
        c.alt = d.alt;
        c.zero = d.zero;
        c.length = d.length == wire::Length::hh ? 'H' : d.length == wire::Length::h ? 'h'
                   : d.length == wire::Length::l ? 'l' : '\0';
        c.conversion = d.conversion;
        if (d.width > INT16_MAX || d.precision > INT16_MAX) formatDoesNotMatchItsArguments();
        c.width = static_cast<std::int16_t>(d.width);
        c.precision = static_cast<std::int16_t>(d.precision);
        return c;
    }

    static consteval Pieces parse(const char* const text) {
        Pieces pieces{};
        pieces.compiled = true;
        const FormatArgument kinds[] = {formatArgumentOf<Args>()..., FormatArgument::unsupported};
        std::size_t used = 0;
        const auto take = [&](FormatArgument kind) {
            if (used == count || kinds[used] != kind) formatDoesNotMatchItsArguments();
            ++used;
        };
        const char* f = text;
        const char* run = f;
        while (*f != '\0') {
            const char* const percent = f;
            if (*f++ != '%') continue;
            wire::Directive d;
            if (!wire::parseFormatSpec(f, d)) formatDoesNotMatchItsArguments();  // the engine's own rules
            if (d.conversion == '%' || d.widthFromArgument || d.precisionFromArgument) pieces.compiled = false;
            if (d.conversion == '%') continue;
            if (d.widthFromArgument) take(FormatArgument::integer);
            if (d.precisionFromArgument) take(FormatArgument::integer);
            FormatArgument kind = FormatArgument::integer;
            if (d.conversion == 'f' || d.conversion == 'F') kind = FormatArgument::floating;
            else if (d.conversion == 's') kind = FormatArgument::text;
            else if (d.length != wire::Length::none && d.length != wire::Length::h && d.length != wire::Length::hh)
                formatDoesNotMatchItsArguments();  // an argument is at most an int
            if (used < count) {
                pieces.literalStarts[used] = static_cast<std::uint16_t>(run - text);
                pieces.literalLengths[used] = static_cast<std::uint16_t>(percent - run);
                pieces.conversions[used] = conversionOf(d);
            }
            take(kind);
            run = f;
        }
        if (used != count || f - text > UINT16_MAX) formatDoesNotMatchItsArguments();
        pieces.literalStarts[count] = static_cast<std::uint16_t>(run - text);
        pieces.literalLengths[count] = static_cast<std::uint16_t>(f - run);
        return pieces;
    }

    const char* text_;
    Pieces pieces_;
};

// A scan format checked against its targets when the library is compiled: white space, literal
// text and "%%"; "*" suppression; a width; %d %i %u %o %x %X into int (h: short, hh: char), %f %F
// %e %E %g %G %a %A into float (l: double), %c and a bounded %Ns into char. One pointer for
// each conversion not suppressed, of the conversion's own type.
enum class ScanTarget { int32, int16, int8, float32, float64, chars, unsupported };

template <typename P>
consteval ScanTarget scanTargetOf() {
    if constexpr (!std::is_pointer_v<P> || std::is_const_v<std::remove_pointer_t<P>>) {
        return ScanTarget::unsupported;
    } else {
        using T = std::remove_pointer_t<P>;
        if constexpr (std::is_same_v<T, char>) return ScanTarget::chars;
        else if constexpr (std::is_integral_v<T> && sizeof(T) == 4) return ScanTarget::int32;
        else if constexpr (std::is_integral_v<T> && sizeof(T) == 2) return ScanTarget::int16;
        else if constexpr (std::is_integral_v<T> && sizeof(T) == 1) return ScanTarget::int8;
        else if constexpr (std::is_same_v<T, float>) return ScanTarget::float32;
        else if constexpr (std::is_same_v<T, double>) return ScanTarget::float64;
        else return ScanTarget::unsupported;
    }
}

template <typename... Pointers>
class ScanFormat {
public:
    static constexpr std::size_t count = sizeof...(Pointers);

    template <std::size_t N>
    consteval ScanFormat(const char (&text)[N]) : text_(text), steps_(parse(text)) {}  // implicit: a literal
    const char* text() const { return text_; }
    // The steps of a format whose targets each have a conversion of their own (no "%%", no "*"),
    // the last without a conversion; nullptr for any other, which the engine reads as text.
    const wire::ScanStep* steps() const { return steps_.compiled ? steps_.steps : nullptr; }

private:
    struct Steps {
        bool compiled;
        wire::ScanStep steps[count + 1];
    };

    static consteval ScanTarget targetOf(const wire::ScanSpec& s) {
        switch (s.conversion) {
            case 'c': case 's':
                return ScanTarget::chars;
            case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
                return s.length == wire::Length::h ? ScanTarget::int16
                       : s.length == wire::Length::hh ? ScanTarget::int8 : ScanTarget::int32;
            default:
                return s.length == wire::Length::l ? ScanTarget::float64 : ScanTarget::float32;
        }
    }

    static consteval Steps parse(const char* const text) {
        Steps steps{};
        steps.compiled = true;
        const ScanTarget kinds[] = {scanTargetOf<Pointers>()..., ScanTarget::unsupported};
        std::size_t used = 0;
        const char* f = text;
        const char* run = f;
        while (*f != '\0') {
            const char* const percent = f;
            if (*f++ != '%') continue;
            wire::ScanSpec s;
            if (!wire::parseScanSpec(f, s)) formatDoesNotMatchItsArguments();  // the engine's own rules
            if (s.conversion == '%' || s.suppress) {
                steps.compiled = false;
                continue;
            }
            if (used == count || kinds[used] != targetOf(s)) formatDoesNotMatchItsArguments();
            if (percent - run > UINT8_MAX || f - percent > UINT8_MAX) steps.compiled = false;
            steps.steps[used] = {static_cast<std::uint8_t>(percent - run), static_cast<std::uint8_t>(f - percent),
                                 wire::scanFieldOf(s)};
            ++used;
            run = f;
        }
        if (used != count) formatDoesNotMatchItsArguments();
        if (f - run > UINT8_MAX) steps.compiled = false;
        steps.steps[count] = {static_cast<std::uint8_t>(f - run)};
        return steps;
    }

    const char* text_;
    Steps steps_;
};

// Scans `in` as scanText does, into pointers checked against the format when the library is
// compiled; they reach the engine as an array, so no varargs frame lies under the scan.
template <typename... Pointers>
int scanFields(const char* in, const ScanFormat<std::type_identity_t<Pointers>...>& format, Pointers... targets) {
    void* const array[] = {static_cast<void*>(targets)..., nullptr};
    if (const wire::ScanStep* steps = format.steps()) return wire::scanSteps(in, format.text(), steps, array);
    return wire::scanArray(in, format.text(), array);
}

// Prints a compiled format's pieces into a bounded text, byte for byte as the engine prints the
// format: everything counted, at most capacity - 1 bytes land, the text terminated by finish().
class CompiledText {
public:
    CompiledText(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

    // The whole text of one format.
    template <typename... Args>
    [[gnu::always_inline]] int print(const WireFormat<std::type_identity_t<Args>...>& format, Args... args) {
        add(format, args...);
        return finish();
    }

    // A text built piece by piece (a record printed field by field keeps each piece's format
    // small): add() the pieces, then finish().
    template <typename... Args>
    [[gnu::always_inline]] CompiledText& add(const WireFormat<std::type_identity_t<Args>...>& format, Args... args) {
        printPieces(format, std::index_sequence_for<Args...>{}, args...);
        literal(format.literal(sizeof...(Args)), format.literalLength(sizeof...(Args)));
        return *this;
    }
    // `count` values, each as `format` prints it, "," between them.
    template <typename T>
    CompiledText& addList(WireFormat<std::type_identity_t<T>> format, const T* values, int count) {
        for (int i = 0; i < count; ++i) {
            if (i > 0) literal(",", 1);
            add(format, values[i]);
        }
        return *this;
    }
    // Terminates the text; returns its whole length (what it would take in room enough), or
    // -1 when a value was refused.
    [[gnu::always_inline]] int finish() {
        if (refused_) {
            if (capacity_ > 0) out_[0] = '\0';
            return -1;
        }
        if (capacity_ > 0) out_[length_ < capacity_ ? length_ : capacity_ - 1] = '\0';
        return length_ > static_cast<std::size_t>(INT_MAX) ? -1 : static_cast<int>(length_);
    }

private:
    template <typename Format, std::size_t... I, typename... Args>
    [[gnu::always_inline]] void printPieces(const Format& format, std::index_sequence<I...>, Args... args) {
        ((literal(format.literal(I), format.literalLength(I)), put(format.conversion(I), args)), ...);
    }
    [[gnu::always_inline]] void literal(const char* text, std::size_t n) {
        if (refused_) return;  // the engine stops at a refused value
        if (length_ + 1 < capacity_) {
            const std::size_t room = capacity_ - 1 - length_;
            std::memcpy(out_ + length_, text, n < room ? n : room);
        }
        length_ += n;
    }
    template <typename T>
    [[gnu::always_inline]] void put(wire::Conversion c, T value) {
        if (refused_) return;
        if constexpr (std::is_integral_v<T>) {
            if (c.bareDecimal()) decimal(static_cast<int>(value));
            else length_ = wire::appendInteger(out_, capacity_, length_, c, static_cast<int>(value));
        } else if constexpr (std::is_floating_point_v<T>) {
            const std::size_t length = wire::appendReal(out_, capacity_, length_, c, value);
            if (length == wire::refusedLength) refused_ = true;
            else length_ = length;
        } else {
            length_ = wire::appendText(out_, capacity_, length_, c, value);
        }
    }
    [[gnu::always_inline]] void decimal(int v) {
        char digits[12];
        const char* const first = wire::decimalBefore(digits + sizeof digits, v);
        literal(first, static_cast<std::size_t>(digits + sizeof digits - first));
    }

    char* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
    bool refused_ = false;
};

// Formats as formatText does, for a format that WireFormat has already checked against these
// arguments (so the compiler is not asked to check it again).
int formatChecked(char* out, std::size_t capacity, const char* format, ...);

// Formats as formatText does, for a format checked against its arguments when the library is
// compiled: printed from its pieces where it has them, with no varargs frame under the printing.
template <typename... Args>
int formatFields(char* out, std::size_t capacity, WireFormat<std::type_identity_t<Args>...> format, Args... args) {
    if (!format.compiled()) return formatChecked(out, capacity, format.text(), args...);
    return CompiledText(out, capacity).print(format, args...);
}

}  // namespace zefra
