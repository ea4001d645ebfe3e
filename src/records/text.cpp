#include "records/text.h"

#include <cstdio>

#include "records/wire_format.h"
#include "records/wire_text.h"

namespace zefra {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

// The engine consults no locale: whatever the host has set, and on every platform, the wire
// carries the same text.
int formatTextV(char* out, std::size_t capacity, const char* format, std::va_list args) {
    return wire::formatV(out, capacity, format, args);
}

int scanTextV(const char* in, const char* format, std::va_list args) { return wire::scanV(in, format, args); }

int formatText(char* out, std::size_t capacity, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = formatTextV(out, capacity, format, args);
    va_end(args);
    return n;
}

int formatChecked(char* out, std::size_t capacity, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = formatTextV(out, capacity, format, args);
    va_end(args);
    return n;
}

int scanText(const char* in, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = scanTextV(in, format, args);
    va_end(args);
    return n;
}

int scanWordCounted(const char* payload, char* out, std::size_t size) {
    if (payload[0] == '\0') return EOF;
    if (payload[0] != '=') return 0;
    const char* p = payload + 1;
    while (isBlank(*p)) ++p;
    if (*p == '\0') return EOF;
    std::size_t length = 0;
    while (p[length] != '\0' && !isBlank(p[length])) ++length;
    if (length >= size) return 0;
    for (std::size_t i = 0; i < length; ++i) out[i] = p[i];
    out[length] = '\0';
    return 1;
}

bool scanWord(const char* payload, char* out, std::size_t size) { return scanWordCounted(payload, out, size) == 1; }

}  // namespace zefra
