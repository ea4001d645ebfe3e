#include "transport/command.h"

#include <cstdarg>
#include <cstring>

#include "records/records.h"
#include "records/text.h"
#include "zefraapi.h"

namespace zefra {

std::size_t Command::usedLength() const { return std::strlen(buffer_.command()); }

bool Command::accept(std::size_t used, int written) {
    if (written < 0 || used + static_cast<std::size_t>(written) >= regionSize) {
        buffer_.command()[0] = '\0';
        fits_ = false;
    }
    return fits_;
}

bool Command::append(const char* format, ...) {
    if (!fits_) return false;
    const std::size_t used = usedLength();
    std::va_list args;
    va_start(args, format);
    const int n = formatTextV(buffer_.command() + used, regionSize - used, format, args);
    va_end(args);
    return accept(used, n);
}

std::size_t Command::payloadLength() const { return std::strlen(buffer_.payload()); }

std::int32_t readInteger(std::int32_t rc, const Command& command, std::int32_t* value) {
    if (rc != RC_OK) return rc;
    int scanned = 0;
    if (command.scan("=%d", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

std::int32_t readFloat(std::int32_t rc, const Command& command, float* value) {
    if (rc != RC_OK) return rc;
    float scanned = 0;
    if (command.scan("=%f", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

std::int32_t readSixFloats(std::int32_t rc, const Command& command, float* values) {
    if (rc != RC_OK) return rc;
    return scanFloats(command.payload(), values, 6) == 6 ? RC_OK : RC_FAIL;
}

std::int32_t readTwoFloats(std::int32_t rc, const Command& command, float* values) {
    if (rc != RC_OK) return rc;
    return scanFloats(command.payload(), values, 2) == 2 ? RC_OK : RC_FAIL;
}

std::int32_t readUpToSixFloats(std::int32_t rc, const Command& command, float* values) {
    if (rc != RC_OK) return rc;
    // A bare "=" scans as EOF, which is not a first value.
    return scanFloats(command.payload(), values, 6) >= 1 ? RC_OK : RC_FAIL;
}

std::int32_t sendFloats(std::int32_t slot, const char* word, const float* values, int count) {
    if (values == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("%s ", word);
    command.appendRecord(printFloats, values, count);
    return command.send(slot);
}

std::int32_t readDouble(std::int32_t rc, const Command& command, double* value) {
    if (rc != RC_OK) return rc;
    double scanned = 0;
    if (command.scan("=%lf", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

void printLine(const char* format, ...) {
    char line[128];
    std::va_list args;
    va_start(args, format);
    const int n = formatTextV(line, sizeof line, format, args);
    va_end(args);
    if (n >= 0) platform::writeStandardOutput(line);
}

std::int32_t sendSwitch(std::int32_t slot, std::int32_t state, const char* whenOff, const char* whenOn) {
    if (state != 0 && state != 1) return RC_BAD_PARAM;
    return sendCommand(slot, "%s", state == 1 ? whenOn : whenOff);
}

}  // namespace zefra
