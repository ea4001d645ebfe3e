// Locale-proof text formatting and scanning with printf/scanf rules under the classic "C" locale,
// whatever locale the host has set. These take a format known only at run time; the library's
// own formats go through the compile-time-checked helpers of records/wire_format.h, which use
// the same engine.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace zefra {

// As vsnprintf: returns the full length of the text, or -1 when a floating-point argument is
// not finite or the format holds a conversion the engine does not print (nothing is formatted
// then; see records/wire_text.h). The output is always zero-terminated when capacity > 0.
int formatTextV(char* out, std::size_t capacity, const char* format, std::va_list args);
[[gnu::format(printf, 3, 4)]] int formatText(char* out, std::size_t capacity, const char* format, ...);

// As vsscanf: returns the number of conversions stored, or EOF when the input ends before
// the first conversion. An integer outside -2^31..2^32-1 does not match (glibc would wrap it).
int scanTextV(const char* in, const char* format, std::va_list args);
[[gnu::format(scanf, 2, 3)]] int scanText(const char* in, const char* format, ...);

// One blank-free word after a leading "=", as "=%s" reads it, bounded by the destination:
// false when no word was read or when the word and its terminator do not fit `size` bytes.
// The destination is written only on success.
bool scanWord(const char* payload, char* out, std::size_t size);

// The same scan, returning what a size-bounded "=%s" scan returns: 1 when the word was
// stored; 0 when the payload does not begin with "=" or the word does not fit (a plain
// "%31s" would store part of it and return 1); EOF when the payload ends before a word.
int scanWordCounted(const char* payload, char* out, std::size_t size);

}  // namespace zefra
