// Fixed facts about the controller and its robot: versions, time, robot model, servo states
// and the arm-configuration computations the controller does for us.
#include <cmath>
#include <cstddef>
#include <cstring>

#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// Fixed-size version fields reach the host whole (word, then zero padding); the robot type
// buffer only gets the word and its terminator, so the rest of the host's buffer is kept.
enum class Copy { wholeField, wordOnly };

// One blank-free word, scanned into a zeroed field of the host's buffer size: a word that
// does not fit with its terminator is refused rather than cut.
template <std::size_t Size>
std::int32_t readWord(std::int32_t slot, const char* commandText, char* text, Copy copy) {
    if (text == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const std::int32_t rc = command.query(slot, "%s", commandText); rc != RC_OK) return rc;
    char field[Size] = {};
    if (!scanWord(command.payload(), field, Size)) return RC_FAIL;
    std::memcpy(text, field, copy == Copy::wholeField ? Size : std::strlen(field) + 1);
    return RC_OK;
}

// The four integers of an arm configuration, copied only when all four were read.
std::int32_t readArmType(const Command& command, std::int32_t* out) {
    std::int32_t a[4] = {};
    if (command.scan("=%d,%d,%d,%d", &a[0], &a[1], &a[2], &a[3]) != 4) return RC_FAIL;
    std::memcpy(out, a, sizeof a);
    return RC_OK;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_FwVersion(char text[32], int32_t slot) {
    return readWord<32>(slot, "Get_FwVersion", text, Copy::wholeField);
}

int32_t ZEFRA_CALL ZEFRA_Get_SysTime(char text[16], int32_t slot) {
    return readWord<16>(slot, "Get_SysTime", text, Copy::wholeField);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobotType(char* text, int32_t slot) {
    return readWord<128>(slot, "Get_RobotType", text, Copy::wordOnly);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobotAxisNum(int32_t* value, int32_t slot) {
    return integerQuery("Get_RobotAxisNum", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_RobotCategory(int32_t* value, int32_t slot) {
    return integerQuery("Get_RobotCategory", value, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_ServoSts(int32_t states[8], int32_t slot) {
    if (states == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ServoSts"); rc != RC_OK) return rc;
    int32_t s[8] = {};
    const int digits = command.scan("=%1d%1d%1d%1d%1d%1d%1d%1d", &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &s[7]);
    // The controller sends as many digits as it has axes; anything after "=" that was not
    // read as a digit (a ninth digit, a separator, a blank) makes the reply unusable.
    if (digits < static_cast<std::ptrdiff_t>(command.payloadLength()) - 1) return RC_FAIL;
    std::memcpy(states, s, sizeof s);
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_ServoErr(int32_t axis, uint32_t* value, int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ServoErr %d", axis); rc != RC_OK) return rc;
    unsigned int code = 0;
    if (command.scan("=%xh", &code) != 1) return RC_FAIL;
    *value = code;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_ArmType(const double values[6], int32_t armType[4], int32_t slot) {
    if (values == nullptr || armType == nullptr) return RC_BAD_PARAM;
    Command command;
    const int32_t rc = command.query(slot, "Get_ArmType %lf,%lf,%lf,%lf,%lf,%lf", values[0], values[1], values[2],
                                     values[3], values[4], values[5]);
    return rc != RC_OK ? rc : readArmType(command, armType);
}

int32_t ZEFRA_CALL ZEFRA_Get_TransArmType(const int32_t armType[4], int32_t result[4], int32_t slot) {
    if (armType == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    const int32_t rc =
        command.query(slot, "Get_TransArmType %d,%d,%d,%d", armType[0], armType[1], armType[2], armType[3]);
    return rc != RC_OK ? rc : readArmType(command, result);
}

int32_t ZEFRA_CALL ZEFRA_GetRCLibVersion(const char* text, char* head, char tail[128], int32_t slot) {
    if (text == nullptr || head == nullptr || tail == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "GetRCLibVersion %s", text); rc != RC_OK) return rc;
    // The answer is "=<head><separator>=<tail>". Without two "=" signs, or with nothing
    // between them, there is no head to cut, and nothing is written.
    const char* payload = command.payload();
    const char* first = std::strchr(payload, '=');
    const char* second = first != nullptr ? std::strchr(first + 1, '=') : nullptr;
    if (second == nullptr || second - first < 2) return RC_FAIL;
    std::memcpy(head, first + 1, static_cast<std::size_t>(second - first - 2));
    // The tail field is the text after the second "=", zero-padded to its 128 bytes.
    const std::size_t length = strnlen(second + 1, 128);
    std::memcpy(tail, second + 1, length);
    std::memset(tail + length, 0, 128 - length);
    return RC_OK;
}
