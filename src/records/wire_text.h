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

namespace zefra::wire {

// Largest printf precision for %f; a larger one is refused (a double's fixed-point text at
// that precision would need a scratch area larger than a call's stack should hold).
inline constexpr int maxFloatPrecision = 99;

int formatV(char* out, std::size_t capacity, const char* format, std::va_list args);
int scanV(const char* in, const char* format, std::va_list args);

bool formatSupported(const char* format);
bool scanSupported(const char* format);

}  // namespace zefra::wire
