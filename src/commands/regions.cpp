// Interference regions, the switches that put them in force, and the jump parameters.
#include <cstdint>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr int regionFields = 6;
constexpr int switchCount = 8;

// Digit i of the request, for bits 0 to 7 of the mask; higher bits have no switch.
int switchDigit(std::int32_t mask, int bit) { return static_cast<int>((static_cast<std::uint32_t>(mask) >> bit) & 1u); }

// The region getter scans straight into the caller's six values.
std::int32_t readRegionInPlace(std::int32_t rc, const Command& command, double* r) {
    if (rc != RC_OK) return rc;
    const int read = command.scan("=%lf,%lf,%lf;%lf,%lf,%lf", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5]);
    return read == regionFields ? RC_OK : RC_FAIL;
}

// One digit per switch, the first for bit 0. A digit above 1 is kept at its value and weight,
// so it carries into the higher bits.
std::int32_t readSwitches(std::int32_t rc, const Command& command, std::int32_t* mask) {
    if (rc != RC_OK) return rc;
    int d[switchCount] = {};
    if (command.scan("=%1d%1d%1d%1d%1d%1d%1d%1d", &d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &d[6], &d[7]) !=
        switchCount)
        return RC_FAIL;
    std::int32_t value = 0;
    for (int i = 0; i < switchCount; ++i) value += d[i] * (1 << i);
    *mask = value;
    return RC_OK;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_Interf(int32_t regionNo, double region[6], int32_t slot) {
    return queryInto(region, slot, readRegionInPlace, "Get_Interf %d", regionNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_Interf(int32_t regionNo, const double region[6], int32_t slot) {
    if (region == nullptr) return RC_BAD_PARAM;
    const double* r = region;
    return sendCommand(slot, "Set_Interf %d %.6lf,%.6lf,%.6lf;%.6lf,%.6lf,%.6lf", regionNo, r[0], r[1], r[2], r[3],
                       r[4], r[5]);
}

int32_t ZEFRA_CALL ZEFRA_Get_CurInterf(int32_t* mask, int32_t slot) {
    return queryInto(mask, slot, readSwitches, "Get_CurInterf");
}

int32_t ZEFRA_CALL ZEFRA_Set_CurInterf(int32_t mask, int32_t slot) {
    return sendCommand(slot, "Set_CurInterf %1d%1d%1d%1d%1d%1d%1d%1d", switchDigit(mask, 0), switchDigit(mask, 1),
                       switchDigit(mask, 2), switchDigit(mask, 3), switchDigit(mask, 4), switchDigit(mask, 5),
                       switchDigit(mask, 6), switchDigit(mask, 7));
}

int32_t ZEFRA_CALL ZEFRA_Get_JumpPara(float* p1, float* p2, float* p3, int32_t slot) {
    if (p1 == nullptr || p2 == nullptr || p3 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_JumpPara"); rc != RC_OK) return rc;
    float a = 0, b = 0, c = 0;
    if (command.scan("=%f,%f,%f", &a, &b, &c) != 3) return RC_FAIL;
    *p1 = a;
    *p2 = b;
    *p3 = c;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_JumpPara(float p1, float p2, float p3, int32_t slot) {
    return sendCommand(slot, "Set_JumpPara %.6f,%.6f,%.6f", static_cast<double>(p1), static_cast<double>(p2),
                       static_cast<double>(p3));
}
