#include "records/triggers.h"

#include <cmath>

#include "records/text.h"
#include "records/wire_format.h"

// The entry layout is part of the exported interface: a host passes its own array.
static_assert(sizeof(IoTrigger) == 24, "IoTrigger layout");
static_assert(offsetof(IoTrigger, field1) == 0 && offsetof(IoTrigger, field2) == 4 &&
                  offsetof(IoTrigger, field3) == 8 && offsetof(IoTrigger, value) == 16,
              "IoTrigger field offsets");

namespace zefra {
namespace {

int printTriggers(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count, bool terminated) {
    if (capacity == 0) return -1;
    if (capacity > triggerListArea) capacity = triggerListArea;
    out[0] = '\0';
    std::size_t used = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const IoTrigger& t = triggers[i];
        const char* lead = (!terminated && i > 0) ? ";" : "";
        const char* tail = terminated ? ";" : "";
        const int n = formatFields(out + used, capacity - used, "%s%d,%d,%d,%.6lf%s", lead, t.field1, t.field2,
                                 t.field3, t.value, tail);
        if (n < 0 || used + static_cast<std::size_t>(n) >= capacity) {
            out[0] = '\0';
            return -1;
        }
        used += static_cast<std::size_t>(n);
    }
    return static_cast<int>(used);
}

}  // namespace

int printTriggersSeparated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count) {
    return printTriggers(out, capacity, triggers, count, false);
}

int printTriggersTerminated(char* out, std::size_t capacity, const IoTrigger* triggers, std::int32_t count) {
    return printTriggers(out, capacity, triggers, count, true);
}

}  // namespace zefra
