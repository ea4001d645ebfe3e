#include "records/text.h"

#include <clocale>
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

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
int formatTextV(char* out, std::size_t capacity, const char* format, std::va_list args) {
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

bool scanWord(const char* payload, char* out, std::size_t size) {
    if (payload[0] != '=') return false;
    const char* p = payload + 1;
    while (isBlank(*p)) ++p;
    std::size_t length = 0;
    while (p[length] != '\0' && !isBlank(p[length])) ++length;
    if (length == 0 || length >= size) return false;
    for (std::size_t i = 0; i < length; ++i) out[i] = p[i];
    out[length] = '\0';
    return true;
}

}  // namespace zefra
