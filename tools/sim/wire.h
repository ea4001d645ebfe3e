// The emulator's own reading of the wire: request patterns written as the controller's
// command formats, matched strictly (a "%.3lf" needs exactly three decimals), and reply
// forms filled from values. Nothing here shares code with the library.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zsim {

// One argument read from a request: the number (for numeric conversions) and its text.
struct Arg {
    double num = 0;
    std::string text;
};
using Args = std::vector<Arg>;

// Conversions understood in patterns:
//   %d signed decimal int32, %u / %hu unsigned (hu at most 65535), %1d one digit,
//   %c one character, %lf / %f fixed-point with six decimals, %.Nlf / %.Nf / %0.Nlf with N,
//   %s any text (shortest match that lets the rest of the pattern match; blanks included),
//   a trailing "*" after a conversion: zero or more further ",<conversion>".
// Everything else in a pattern is a literal that must stand exactly there.
std::optional<Args> match(std::string_view pattern, std::string_view text);

// Number of conversions in a pattern (a starred one counts once).
int conversionCount(std::string_view pattern);

// Fills a reply form such as "=%d,%lf;%s" with values in order; doubles print with six
// decimals, "%xh" prints lower-case hex followed by "h". Missing values print as 0.
std::string fill(std::string_view form, const Args& values);

// A double as the controller prints it in a reply value (six decimals, never "-0.000000").
std::string fixed(double value, int decimals = 6);

}  // namespace zsim
