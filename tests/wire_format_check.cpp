// Command and reply formats the compile-time checks must refuse, one per CASE. CASE 0 holds
// formats they must accept and is built the same way, so a refusal is the check's, not a broken
// build's.
#include "records/wire_format.h"

using zefra::ScanFormat;
using zefra::WireFormat;

#if CASE == 0
constexpr WireFormat<int, unsigned short, double, float, const char*> accepted = "P%d %hu %.3lf %f [%s] 100%%";
constexpr WireFormat<int, double, char> starred = "%-*.6f %c";
constexpr ScanFormat<int*, unsigned short*, signed char*, float*, double*, char*, char*> scanned =
    "=%d,%hu %hhx;%f %lf %*d %c%31s %%";
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
#elif CASE == 10
constexpr WireFormat<int> alternateDecimal = "%#d";
#elif CASE == 11
constexpr ScanFormat<float*> floatForDouble = "%lf";
#elif CASE == 12
constexpr ScanFormat<int*> shortForInt = "%hd";
#elif CASE == 13
constexpr ScanFormat<char*> unboundedWord = "%s";
#elif CASE == 14
constexpr ScanFormat<int*, int*> suppressedTakesNoTarget = "%d %*d";
#elif CASE == 15
constexpr ScanFormat<const int*> readOnlyTarget = "%d";
#endif
