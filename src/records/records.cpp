#include "records/records.h"

#include <cstddef>

#include "records/text.h"
#include "records/wire_format.h"

// The record layouts are part of the exported interface: a host passes its own structures.
static_assert(sizeof(PointRecord) == 6 * 8 + 4 * 4 + 3 * 4 + 4, "PointRecord layout");
static_assert(offsetof(PointRecord, pos) == 0 && offsetof(PointRecord, armType) == 48 &&
                  offsetof(PointRecord, frameRef) == 64,
              "PointRecord field offsets");
static_assert(sizeof(RobP) == 6 * 8 + 4 * 4 + 6 * 8, "RobP layout");
static_assert(offsetof(RobP, pos) == 0 && offsetof(RobP, armType) == 48 && offsetof(RobP, extAxes) == 64,
              "RobP field offsets");
static_assert(sizeof(RobJP) == 14 * 8, "RobJP layout");
static_assert(offsetof(RobJP, axes) == 0 && offsetof(RobJP, extAxes) == 64, "RobJP field offsets");

namespace zefra {
// Records are printed field by field: each piece's compiled format stays small, and so does the
// stack under the printing of each value.
int printPointRecord(char* out, std::size_t capacity, const PointRecord& p) {
    // "%.6lf,...,%.6lf;%d,%d,%d,%d;%d,%d,%d"
    CompiledText text(out, capacity);
    text.addList("%.6lf", p.pos, 6);
    text.add(";%d,%d,%d,%d;", p.armType[0], p.armType[1], p.armType[2], p.armType[3]);
    text.add("%d,%d,%d", p.frameRef[0], p.frameRef[1], p.frameRef[2]);
    return text.finish();
}

int printRobP(char* out, std::size_t capacity, const RobP& t) {
    // "%.3lf,...,%.3lf;%d,%d,%d,%d;%.3lf,...,%.3lf"
    CompiledText text(out, capacity);
    text.addList("%.3lf", t.pos, 6);
    text.add(";%d,%d,%d,%d;", t.armType[0], t.armType[1], t.armType[2], t.armType[3]);
    text.addList("%.3lf", t.extAxes, 6);
    return text.finish();
}

int printRobJP(char* out, std::size_t capacity, const RobJP& t) {
    // "%.3lf,...,%.3lf;%.3lf,...,%.3lf": eight axes, six external axes
    CompiledText text(out, capacity);
    text.addList("%.3lf", t.axes, 8);
    text.add(";");
    text.addList("%.3lf", t.extAxes, 6);
    return text.finish();
}

int printSixValues(char* out, std::size_t capacity, const double* v, int decimals) {
    CompiledText text(out, capacity);
    if (decimals == 3) text.addList("%.3lf", v, 6);
    else text.addList("%.6lf", v, 6);
    return text.finish();
}

int printFloats(char* out, std::size_t capacity, const float* v, int count) {
    CompiledText text(out, capacity);
    text.addList("%.6f", v, count == 2 ? 2 : 6);
    return text.finish();
}

int scanPointRecord(const char* payload, PointRecord& p) {
    return scanFields(payload, "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", &p.pos[0], &p.pos[1], &p.pos[2],
                    &p.pos[3], &p.pos[4], &p.pos[5], &p.armType[0], &p.armType[1], &p.armType[2], &p.armType[3],
                    &p.frameRef[0], &p.frameRef[1], &p.frameRef[2]);
}

int scanRobP(const char* payload, RobP& t) {
    return scanFields(payload, "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf", &t.pos[0], &t.pos[1],
                    &t.pos[2], &t.pos[3], &t.pos[4], &t.pos[5], &t.armType[0], &t.armType[1], &t.armType[2],
                    &t.armType[3], &t.extAxes[0], &t.extAxes[1], &t.extAxes[2], &t.extAxes[3], &t.extAxes[4],
                    &t.extAxes[5]);
}

int scanIndexedRobP(const char* payload, std::int32_t& index, RobP& t) {
    return scanFields(payload, "=%d;%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf", &index, &t.pos[0],
                    &t.pos[1], &t.pos[2], &t.pos[3], &t.pos[4], &t.pos[5], &t.armType[0], &t.armType[1],
                    &t.armType[2], &t.armType[3], &t.extAxes[0], &t.extAxes[1], &t.extAxes[2], &t.extAxes[3],
                    &t.extAxes[4], &t.extAxes[5]);
}

int scanRobJP(const char* payload, RobJP& t) {
    return scanFields(payload, "=%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf", &t.axes[0], &t.axes[1],
                    &t.axes[2], &t.axes[3], &t.axes[4], &t.axes[5], &t.axes[6], &t.axes[7], &t.extAxes[0],
                    &t.extAxes[1], &t.extAxes[2], &t.extAxes[3], &t.extAxes[4], &t.extAxes[5]);
}

int scanSixValues(const char* payload, double* v) {
    return scanFields(payload, "=%lf,%lf,%lf,%lf,%lf,%lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
}

int scanIndexedSixValues(const char* payload, std::int32_t& index, double* v) {
    return scanFields(payload, "=%d;%lf,%lf,%lf,%lf,%lf,%lf", &index, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
}

int scanFloats(const char* payload, float* v, int count) {
    if (count == 2) return scanFields(payload, "=%f,%f", &v[0], &v[1]);
    return scanFields(payload, "=%f,%f,%f,%f,%f,%f", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
}

bool readPointRecord(const char* payload, PointRecord* out) {
    PointRecord local{};
    if (scanPointRecord(payload, local) != pointFields) return false;
    *out = local;
    return true;
}

bool readRobP(const char* payload, RobP* out) {
    RobP local{};
    if (scanRobP(payload, local) != robPFields) return false;
    *out = local;
    return true;
}

bool readRobJP(const char* payload, RobJP* out) {
    RobJP local{};
    if (scanRobJP(payload, local) != robJPFields) return false;
    *out = local;
    return true;
}

bool readSixValues(const char* payload, double* out) {
    double local[6] = {};
    if (scanSixValues(payload, local) != sixFields) return false;
    for (int i = 0; i < 6; ++i) out[i] = local[i];
    return true;
}

bool readSixValuesAsPoint(const char* payload, PointRecord* out) {
    PointRecord local{};
    if (scanSixValues(payload, local.pos) != sixFields) return false;
    *out = local;
    return true;
}

}  // namespace zefra
