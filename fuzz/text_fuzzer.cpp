// The number engine against the C library on arbitrary input: the first byte picks a scan
// format (one the families use, one of each kind, or the input's own first line when the
// engine implements it) and the rest is the reply text; the same bytes, read as numbers, are
// printed with a printf format of each kind. Any difference that is not a deliberate one
// (an integer outside -2^31..2^32-1 in a scan) stops the run.
#include <algorithm>
#include <bit>
#include <clocale>
#include <cstdarg>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "records/wire_text.h"
#include "support/scan_reference.h"

#pragma GCC diagnostic ignored "-Wformat-nonliteral"

namespace {

const char* const scanFormats[] = {
    "=%d", "=%xh", "e%d:", "e%d", "=%lf,%lf,%lf,%lf,%lf,%lf", "=%1d%1d%1d%1d%1d%1d%1d%1d",
    "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf",
    "=%d;%lf,%lf,%lf,%lf,%lf,%lf", "=%lf, %lf", "=%d, %d", "=%f,%f,%f,%f,%f,%f", "=%f", "=%lf", "%u%c", "%i%c",
    "%hu%c", "%hhd%c", "%3lf%c", "%le%c", "%*d%d", "%x%X%o", "%5s%c", "%4c", "%%%lf", " %lf ; %d"};

const char* const printFormats[] = {"%.6lf", "%.3lf", "%0.3lf", "%lf", "%.6f", "%f", "%.3f", "%+#020.9f", "%-12.0f",
                                    "%.40f"};
const char* const integerFormats[] = {"%d", "%1d", "%x", "%u", "%hu", "%+08d", "%-#12o", "%.5X", "% hhd"};

// Each stored field has 16 bytes: a text conversion wider than that would let either scanner
// write past it, so a format from the input must keep its text widths within the field.
bool textWidthsFit(const std::string& format) {
    for (std::size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at + 1)) {
        std::size_t end = at + 1;
        if (end < format.size() && format[end] == '%') {
            at = end;
            continue;
        }
        if (end < format.size() && format[end] == '*') ++end;
        unsigned long width = 0;
        for (; end < format.size() && format[end] >= '0' && format[end] <= '9'; ++end)
            width = std::min(width * 10 + static_cast<unsigned long>(format[end] - '0'), 1000UL);
        while (end < format.size() && (format[end] == 'h' || format[end] == 'l' || format[end] == 'L')) ++end;
        if (end < format.size() && (format[end] == 's' || format[end] == 'c' || format[end] == '[') && width > 15)
            return false;
    }
    return true;
}

void check(bool same) {
    if (!same) __builtin_trap();
}

// Both scanners are given twenty result fields: a format storing more would read pointers
// that were never passed.
bool storesAtMostTwenty(const char* format) {
    int stored = 0;
    for (const char* p = std::strchr(format, '%'); p != nullptr; p = std::strchr(p, '%')) {
        ++p;
        if (*p == '%') ++p;
        else if (*p != '*') ++stored;
    }
    return stored <= 20;
}

void compareScan(const char* format, const std::string& text) {
    if (!zefra::wire::scanSupported(format) || !storesAtMostTwenty(format)) return;
    const auto ours = zefra::test::scanWith(zefra::test::engineScan, text.c_str(), format, std::make_index_sequence<20>());
    const auto theirs =
        zefra::test::scanWith(zefra::test::libraryScan, text.c_str(), format, std::make_index_sequence<20>());
    if (zefra::test::sameResults(ours, theirs) || zefra::test::refusedOnPurpose(format, text, ours, theirs)) return;
    std::fprintf(stderr, "format \"%s\" input \"%s\": engine %d, C library %d\n", format, text.c_str(), ours.count,
                 theirs.count);
    check(false);
}

int enginePrint(char* out, std::size_t capacity, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = zefra::wire::formatV(out, capacity, format, args);
    va_end(args);
    return n;
}

template <typename T>
void comparePrint(const char* format, T value, std::size_t capacity) {
    char ours[512], theirs[512];
    std::memset(ours, 0x5A, sizeof ours);
    std::memset(theirs, 0x5A, sizeof theirs);
    const int a = enginePrint(ours, capacity, format, value);
    const int b = std::snprintf(theirs, capacity, format, value);
    check(a == b && std::memcmp(ours, theirs, sizeof ours) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool classic = std::setlocale(LC_ALL, "C") != nullptr;
    (void)classic;
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string reply = text.substr(0, text.find('\0'));
    const std::size_t pick = data[0] % (std::size(scanFormats) + 1);
    if (pick < std::size(scanFormats)) {
        compareScan(scanFormats[pick], reply);
    } else {
        // The first line is the format, the rest the reply.
        const std::size_t line = reply.find('\n');
        if (line != std::string::npos && textWidthsFit(reply.substr(0, line)))
            compareScan(reply.substr(0, line).c_str(), reply.substr(line + 1));
    }

    std::uint64_t bits = 0;
    std::memcpy(&bits, data + 1, std::min<std::size_t>(size - 1, sizeof bits));
    const double value = std::bit_cast<double>(bits);
    const std::size_t capacity = 1 + data[0] % 200;
    const double narrowed = static_cast<double>(static_cast<float>(value));
    for (const char* format : printFormats) {
        if (std::isfinite(value)) comparePrint(format, value, capacity);
        if (std::isfinite(narrowed)) comparePrint(format, narrowed, 512);
    }
    for (const char* format : integerFormats) comparePrint(format, static_cast<int>(bits >> 7), capacity);
    return 0;
}
