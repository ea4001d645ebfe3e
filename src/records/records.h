// Text encodings of the position records, printed into commands and scanned out of replies.
//
// Printers write the encoding at `out` (zero-terminated, at most `capacity` bytes) and
// return its length as snprintf does, or -1 when a value is not finite (such a record is
// never sent; see formatText). Scanners read a reply payload from its leading "=" with scanf rules, store
// straight into the given record and return the number of fields read (EOF as sscanf).
#pragma once

#include <cstddef>
#include <cstdint>

#include "zefraapi.h"

namespace zefra {

inline constexpr int pointFields = 13;
inline constexpr int robPFields = 16;
inline constexpr int robJPFields = 14;
inline constexpr int sixFields = 6;

// "%.6lf,...;%d,%d,%d,%d;%d,%d,%d"
int printPointRecord(char* out, std::size_t capacity, const PointRecord& point);
// "%.3lf,...;%d,%d,%d,%d;%.3lf,..." ("%0.3lf" prints the same characters)
int printRobP(char* out, std::size_t capacity, const RobP& target);
// "%.3lf x8;%.3lf x6"
int printRobJP(char* out, std::size_t capacity, const RobJP& target);
// Six values with `decimals` (3 or 6) decimals, separated by ",".
int printSixValues(char* out, std::size_t capacity, const double* values, int decimals);
// Runs of single-precision parameters, `count` (2 or 6) of them: "%.6f,%.6f,..." (each float
// widened as printf does).
int printFloats(char* out, std::size_t capacity, const float* values, int count);

int scanPointRecord(const char* payload, PointRecord& point);            // 13 fields
int scanRobP(const char* payload, RobP& target);                         // 16 fields
int scanIndexedRobP(const char* payload, std::int32_t& index, RobP& t);  // "=%d;" + RobP, 17
int scanRobJP(const char* payload, RobJP& target);                       // 14 fields
int scanSixValues(const char* payload, double* values);                  // 6 fields
int scanIndexedSixValues(const char* payload, std::int32_t& index, double* values);  // 7
// "=%f,%f" or "=%f,%f,%f,%f,%f,%f" straight into `count` (2 or 6) floats: never through a
// double, so the caller's float array is all it touches.
int scanFloats(const char* payload, float* values, int count);

// Complete-or-nothing reads: scan into a zeroed local record and copy it to `out` only when
// every field was read.
bool readPointRecord(const char* payload, PointRecord* out);
bool readRobP(const char* payload, RobP* out);
bool readRobJP(const char* payload, RobJP* out);
bool readSixValues(const char* payload, double* out);
// Six values delivered as a PointRecord: `pos` filled, the seven integers set to 0.
bool readSixValuesAsPoint(const char* payload, PointRecord* out);

}  // namespace zefra
