// Runs one scan through the engine and through the C library with the same twenty result
// fields, for the differential test and the fuzz target.
#pragma once

#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <utility>

#include "records/text.h"

namespace zefra::test {

struct ScanResults {
    int count = 0;
    alignas(16) unsigned char fields[20][16];
};

// The engine through the library's own entry, and the C library's scanf.
inline constexpr auto engineScan = &scanText;
inline constexpr auto libraryScan = &std::sscanf;

template <std::size_t... I>
ScanResults scanWith(int (*scan)(const char*, const char*, ...), const char* in, const char* format,
                     std::index_sequence<I...>) {
    ScanResults r;
    std::memset(r.fields, 0xA5, sizeof r.fields);
    r.count = scan(in, format, static_cast<void*>(r.fields[I])...);
    return r;
}

inline bool sameResults(const ScanResults& a, const ScanResults& b) {
    return a.count == b.count && std::memcmp(a.fields, b.fields, sizeof a.fields) == 0;
}

// Did the engine stop at an integer it refuses on purpose (outside -2^31..2^32-1) where glibc
// stored a wrapped value? It must have stored less, everything it stored must be equal, the
// format must hold an integer conversion and the input a digit run long enough for such a
// number. A format without integers is never excused.
inline bool refusedOnPurpose(const char* format, const std::string& in, const ScanResults& ours,
                             const ScanResults& theirs) {
    static const std::regex integerConversion("%\\*?[0-9]*h*[diouxX]"),
        longNumber("[0-9a-fA-F]{9,}|[0-9]{10,}|-(0[xX])?[0-9a-fA-F]{8}");
    // A suppressed field refused this way leaves nothing stored where glibc went on to EOF.
    return ours.count >= 0 && (theirs.count > ours.count || (ours.count == 0 && theirs.count == EOF)) &&
           std::memcmp(ours.fields, theirs.fields, 16 * static_cast<std::size_t>(ours.count)) == 0 &&
           std::regex_search(format, integerConversion) && std::regex_search(in, longNumber);
}

}  // namespace zefra::test
