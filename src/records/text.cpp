#include "records/text.h"

#include <clocale>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <locale.h>

namespace zefra {
namespace {

// The classic locale, made once. uselocale() switches only the calling thread, so the
// host's global locale and its other threads are never touched.
locale_t classicLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

class ClassicLocaleScope {
public:
    ClassicLocaleScope() : previous_(uselocale(classicLocale())) {}
    ~ClassicLocaleScope() { uselocale(previous_); }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    locale_t previous_;
};

// Walks the conversions of a printf format and reports whether every floating-point
// argument is finite. "nan" and "inf" are not numbers a controller can act on, and they have
// no fixed-point form, so a command that would carry one is never formatted.
bool floatingArgumentsFinite(const char* format, std::va_list args) {
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) ++p;
        if (*p == '*') {
            (void)va_arg(args, int);
            ++p;
        }
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                (void)va_arg(args, int);
                ++p;
            }
            while (*p >= '0' && *p <= '9') ++p;
        }
        int longs = 0;
        bool longDouble = false;
        for (; *p == 'l' || *p == 'h' || *p == 'L' || *p == 'z' || *p == 'j' || *p == 't'; ++p) {
            if (*p == 'l') ++longs;
            if (*p == 'L') longDouble = true;
            if (*p == 'z' || *p == 'j' || *p == 't') longs = 2;
        }
        switch (*p) {
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
                if (longDouble ? !std::isfinite(va_arg(args, long double)) : !std::isfinite(va_arg(args, double)))
                    return false;
                break;
            case 's': case 'p': case 'n':
                (void)va_arg(args, void*);
                break;
            case '\0':
                return true;
            default:  // integer conversions
                if (longs >= 2) (void)va_arg(args, long long);
                else if (longs == 1) (void)va_arg(args, long);
                else (void)va_arg(args, int);
                break;
        }
    }
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
int formatTextV(char* out, std::size_t capacity, const char* format, std::va_list args) {
    std::va_list check;
    va_copy(check, args);
    const bool finite = floatingArgumentsFinite(format, check);
    va_end(check);
    if (!finite) {
        if (capacity > 0) out[0] = '\0';
        return -1;
    }
    ClassicLocaleScope scope;
    return std::vsnprintf(out, capacity, format, args);
}

int scanTextV(const char* in, const char* format, std::va_list args) {
    ClassicLocaleScope scope;
    return std::vsscanf(in, format, args);
}
#pragma GCC diagnostic pop

int formatText(char* out, std::size_t capacity, const char* format, ...) {
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
