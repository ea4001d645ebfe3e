// Text of the IO trigger entries attached to a motion. Each entry is "%d,%d,%d,%.6lf"
// (field1, field2, field3, value); the motion families differ only in where the ";" goes.
//
// A list is built in an area of its own of triggerListArea bytes. Both printers return false,
// leaving the area unusable, when a value is not finite or the text would not fit the area
// with its terminator; such a list is never sent. They read exactly `count` entries, in order,
// and nothing at all when `count` is 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zefraapi.h"

namespace zefra {

inline constexpr std::size_t triggerListArea = 128;
inline constexpr std::int32_t maxTriggers = 3;

// "a;b;c": ";" between entries.
bool printTriggersSeparated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count);
// "a;b;c;": ";" after every entry, the last included.
bool printTriggersTerminated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count);

}  // namespace zefra
