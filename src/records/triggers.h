// Text of the IO trigger entries attached to a motion. Each entry is "%d,%d,%d,%.6lf"
// (field1, field2, field3, value); the motion families differ only in where the ";" goes.
//
// A list takes at most triggerListArea - 1 characters, wherever it is printed (usually straight
// into the command text). Both printers return the length printed, or -1 with `out` left empty
// when a value is not finite or the list would not fit that limit or `capacity`; such a list
// is never sent. They read exactly `count` entries, in order, and nothing at all when `count`
// is 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zefraapi.h"

namespace zefra {

inline constexpr std::size_t triggerListArea = 128;
inline constexpr std::int32_t maxTriggers = 3;

// "a;b;c": ";" between entries.
int printTriggersSeparated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count);
// "a;b;c;": ";" after every entry, the last included.
int printTriggersTerminated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count);

}  // namespace zefra
