// A command format checked against its arguments when the library is compiled, for the
// helpers that take their arguments as a parameter pack rather than as C varargs (a C-varargs
// function keeps its register save area on the stack until it returns, under everything it
// calls). The check accepts the part of the printf subset the command formats use: flags,
// width and precision (digits or "*"), %d %i %u %o %x %X %c with no length or hh/h, %f %F with
// no length or l, %s and "%%". A format outside it, or arguments that do not match it in count
// and kind, stop the build at the call.
#pragma once

#include <cstddef>
#include <type_traits>

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
    template <std::size_t N>
    consteval WireFormat(const char (&text)[N]) : text_(text) {  // implicit: the call passes a literal
        check(text);
    }
    const char* text() const { return text_; }

private:
    static consteval void check(const char* f) {
        const FormatArgument kinds[] = {formatArgumentOf<Args>()..., FormatArgument::unsupported};
        std::size_t used = 0;
        const auto take = [&](FormatArgument kind) {
            if (used == sizeof...(Args) || kinds[used] != kind) formatDoesNotMatchItsArguments();
            ++used;
        };
        const auto widthOrPrecision = [&] {  // digits, or "*" taking an int argument
            if (*f == '*') {
                ++f;
                take(FormatArgument::integer);
            }
            while (*f >= '0' && *f <= '9') ++f;
        };
        while (*f != '\0') {
            if (*f++ != '%') continue;
            if (*f == '%') {
                ++f;
                continue;
            }
            while (*f == '-' || *f == '+' || *f == ' ' || *f == '#' || *f == '0') ++f;
            widthOrPrecision();
            if (*f == '.') {
                ++f;
                widthOrPrecision();
            }
            const bool shortLength = *f == 'h', longLength = *f == 'l';
            if (shortLength && *++f == 'h') ++f;
            if (longLength) ++f;
            switch (*f++) {
                case 'd': case 'i': case 'u': case 'o': case 'x': case 'X': case 'c':
                    if (longLength) formatDoesNotMatchItsArguments();
                    take(FormatArgument::integer);
                    break;
                case 'f': case 'F':
                    if (shortLength) formatDoesNotMatchItsArguments();
                    take(FormatArgument::floating);
                    break;
                case 's':
                    if (shortLength || longLength) formatDoesNotMatchItsArguments();
                    take(FormatArgument::text);
                    break;
                default:
                    formatDoesNotMatchItsArguments();
            }
        }
        if (used != sizeof...(Args)) formatDoesNotMatchItsArguments();
    }

    const char* text_;
};

}  // namespace zefra
