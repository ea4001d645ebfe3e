// Command formats the compile-time check must refuse, one per CASE. CASE 0 holds formats it
// must accept and is built the same way, so a refusal is the check's, not a broken build's.
#include "records/wire_format.h"

using zefra::WireFormat;

#if CASE == 0
constexpr WireFormat<int, unsigned short, double, float, const char*> accepted = "P%d %hu %.3lf %f [%s] 100%%";
constexpr WireFormat<int, double, char> starred = "%-*.6f %c";
#elif CASE == 1
constexpr WireFormat<int> textForNumber = "%s";
#elif CASE == 2
constexpr WireFormat<double> numberForFloat = "%d";
#elif CASE == 3
constexpr WireFormat<int, int> surplusArgument = "%d";
#elif CASE == 4
constexpr WireFormat<int> missingArgument = "%d %d";
#elif CASE == 5
constexpr WireFormat<long long> wideInteger = "%d";
#elif CASE == 6
constexpr WireFormat<int> longLength = "%ld";
#elif CASE == 7
constexpr WireFormat<double> exponentForm = "%e";
#elif CASE == 8
constexpr WireFormat<int> trailingPercent = "%d%";
#elif CASE == 9
constexpr WireFormat<double> starWithoutWidth = "%*f";
#endif
