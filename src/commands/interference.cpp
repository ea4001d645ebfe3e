// Interference zones (parameters and active states) and the tool shapes the controller checks
// against them. A selector in each record picks the group of values that travels. A reply
// these functions cannot use is reported as RC_BAD_PARAM, not RC_FAIL.
#include <cstddef>

#include "transport/command.h"
#include "zefraapi.h"

// Both records are part of the exported interface: a host passes its own structures.
static_assert(sizeof(InterferZonePara) == 68, "InterferZonePara layout");
static_assert(offsetof(InterferZonePara, param1) == 0 && offsetof(InterferZonePara, param2) == 4 &&
                  offsetof(InterferZonePara, param3) == 8 && offsetof(InterferZonePara, param4) == 10 &&
                  offsetof(InterferZonePara, param5) == 12 && offsetof(InterferZonePara, param6) == 16 &&
                  offsetof(InterferZonePara, kind) == 18 && offsetof(InterferZonePara, values0) == 20 &&
                  offsetof(InterferZonePara, values1) == 44,
              "InterferZonePara field offsets");
static_assert(sizeof(InterferToolPara) == 128, "InterferToolPara layout (packed)");
static_assert(offsetof(InterferToolPara, shapeType) == 0 && offsetof(InterferToolPara, type1Values) == 2 &&
                  offsetof(InterferToolPara, type2Values) == 18 && offsetof(InterferToolPara, type3Kind) == 26 &&
                  offsetof(InterferToolPara, type3Values0) == 28 && offsetof(InterferToolPara, type3Values1) == 52 &&
                  offsetof(InterferToolPara, type3Values2) == 76,
              "InterferToolPara field offsets");

using namespace zefra;

namespace {

std::int32_t readActiveTool(std::int32_t rc, const Command& command, std::int32_t* value) {
    if (rc != RC_OK) return rc;
    int scanned = 0;
    if (command.scan("=%d", &scanned) != 1) return RC_BAD_PARAM;
    *value = scanned;
    return RC_OK;
}

// The members of the packed tool record may sit at odd addresses, so no scan is ever given one:
// each group is read into aligned locals and assigned element by element. Counts are not
// examined: a reply that stops early leaves the rest of its group 0.
void scanShapeOne(const Command& command, InterferToolPara& out) {
    unsigned short shape = 0, v[8] = {};
    command.scan("=%hu,%hu,%hu,%hu,%hu,%hu,%hu,%hu,%hu", &shape, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                 &v[7]);
    for (int i = 0; i < 8; ++i) out.type1Values[i] = v[i];
}

void scanShapeTwo(const Command& command, InterferToolPara& out) {
    unsigned short shape = 0;
    float v[2] = {};
    command.scan("=%hu,%f,%f", &shape, &v[0], &v[1]);
    for (int i = 0; i < 2; ++i) out.type2Values[i] = v[i];
}

// Variants 0 and 1 carry six values, variant 2 thirteen; false for any other variant.
bool scanShapeThree(const Command& command, InterferToolPara& out) {
    unsigned short shape = 0, kind = 0;
    command.scan("=%hu,%hu", &shape, &kind);
    float v[13] = {};
    if (kind == 0 || kind == 1) {
        command.scan("=%hu,%hu,%f,%f,%f,%f,%f,%f", &shape, &kind, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
        for (int i = 0; i < 6; ++i) {
            if (kind == 0) out.type3Values0[i] = v[i];
            else out.type3Values1[i] = v[i];
        }
    } else if (kind == 2) {
        command.scan("=%hu,%hu,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f", &shape, &kind, &v[0], &v[1], &v[2], &v[3],
                     &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12]);
        for (int i = 0; i < 13; ++i) out.type3Values2[i] = v[i];
    } else {
        return false;
    }
    out.type3Kind = kind;
    return true;
}

}  // namespace

// ---- zones ---------------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Set_InterferZonePara(int32_t zone, const InterferZonePara* para, int32_t slot) {
    if (para == nullptr || (para->kind != 0 && para->kind != 1)) return RC_BAD_PARAM;
    const InterferZonePara& p = *para;
    const float* v = p.kind == 0 ? p.values0 : p.values1;
    return sendCommand(slot, "Set_InterferZonePara %d %d,%d,%hu,%hu,%f,%hu,%hu,%f,%f,%f,%f,%f,%f", zone, p.param1,
                       p.param2, p.param3, p.param4, p.param5, p.param6, p.kind, v[0], v[1], v[2], v[3], v[4], v[5]);
}

int32_t ZEFRA_CALL ZEFRA_Get_InterferZonePara(int32_t zone, InterferZonePara* para, int32_t slot) {
    if (para == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_InterferZonePara %d", zone); rc != RC_OK) return rc;
    InterferZonePara local{};
    float v[6] = {};
    if (command.scan("=%d,%d,%hu,%hu,%f,%hu,%hu,%f,%f,%f,%f,%f,%f", &local.param1, &local.param2, &local.param3,
                     &local.param4, &local.param5, &local.param6, &local.kind, &v[0], &v[1], &v[2], &v[3], &v[4],
                     &v[5]) != 13 ||
        (local.kind != 0 && local.kind != 1))
        return RC_BAD_PARAM;
    float* values = local.kind == 0 ? local.values0 : local.values1;
    for (int i = 0; i < 6; ++i) values[i] = v[i];
    *para = local;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_InterferZoneActStat(int32_t zone, int32_t state, int32_t slot) {
    return sendCommand(slot, "Set_InterferZoneActStat %d %d", zone, state);
}

// Scanned straight into the host's array: the states read before a mismatch stay written.
int32_t ZEFRA_CALL ZEFRA_Get_InterferZoneActStat(int32_t states[16], int32_t slot) {
    if (states == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_InterferZoneActStat"); rc != RC_OK) return rc;
    int32_t* s = states;
    const int fields = command.scan("=%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &s[0], &s[1], &s[2], &s[3],
                                    &s[4], &s[5], &s[6], &s[7], &s[8], &s[9], &s[10], &s[11], &s[12], &s[13], &s[14],
                                    &s[15]);
    return fields == 16 ? RC_OK : RC_BAD_PARAM;
}

// ---- tool shapes ---------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Set_InterferToolActNum(int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_InterferToolActNum %d", value);
}

int32_t ZEFRA_CALL ZEFRA_Get_InterferToolActNum(int32_t* value, int32_t slot) {
    return queryInto(value, slot, readActiveTool, "Get_InterferToolActNum");
}

// Only the values of the named shape (and variant) travel. Variant 2 of shape 3 alone is
// written with three decimals, and its variant number with "%u" (the same digit). The packed
// record's values are copied to aligned locals first.
int32_t ZEFRA_CALL ZEFRA_Set_InterferToolPara(int32_t tool, const InterferToolPara* para, int32_t slot) {
    if (para == nullptr) return RC_BAD_PARAM;
    const unsigned short shape = para->shapeType;
    const unsigned short kind = para->type3Kind;
    if (shape == 0) return sendCommand(slot, "Set_InterferToolPara %d %hu", tool, shape);
    if (shape == 1) {
        unsigned short h[8];
        for (int i = 0; i < 8; ++i) h[i] = para->type1Values[i];
        return sendCommand(slot, "Set_InterferToolPara %d %hu,%hu,%hu,%hu,%hu,%hu,%hu,%hu,%hu", tool, shape, h[0], h[1],
                           h[2], h[3], h[4], h[5], h[6], h[7]);
    }
    if (shape == 2) {
        const float a = para->type2Values[0], b = para->type2Values[1];
        return sendCommand(slot, "Set_InterferToolPara %d %hu,%f,%f", tool, shape, a, b);
    }
    if (shape != 3 || kind > 2) return RC_BAD_PARAM;
    float v[13];
    if (kind == 2) {
        for (int i = 0; i < 13; ++i) v[i] = para->type3Values2[i];
        return sendCommand(slot,
                           "Set_InterferToolPara %d %hu,%u,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f",
                           tool, shape, static_cast<unsigned>(kind), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                           v[8], v[9], v[10], v[11], v[12]);
    }
    for (int i = 0; i < 6; ++i) v[i] = kind == 0 ? para->type3Values0[i] : para->type3Values1[i];
    return sendCommand(slot, "Set_InterferToolPara %d %hu,%hu,%f,%f,%f,%f,%f,%f", tool, shape, kind, v[0], v[1], v[2],
                       v[3], v[4], v[5]);
}

// A reply without even a shape number is unusable; one that stops after it is accepted.
int32_t ZEFRA_CALL ZEFRA_Get_InterferToolPara(int32_t tool, InterferToolPara* para, int32_t slot) {
    if (para == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_InterferToolPara %d", tool); rc != RC_OK) return rc;
    unsigned short shape = 0;
    if (command.scan("=%hu", &shape) != 1 || shape > 3) return RC_BAD_PARAM;
    InterferToolPara local{};
    local.shapeType = shape;
    if (shape == 1) scanShapeOne(command, local);
    if (shape == 2) scanShapeTwo(command, local);
    if (shape == 3 && !scanShapeThree(command, local)) return RC_BAD_PARAM;
    *para = local;
    return RC_OK;
}
