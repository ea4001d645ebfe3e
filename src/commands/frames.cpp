// Tool data, work-object data, tool and user coordinate frames, and the current selections.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "records/records.h"
#include "records/text.h"
#include "records/wire_format.h"
#include "transport/command.h"
#include "zefraapi.h"

// Both records are part of the exported interface: a host passes its own structures.
static_assert(sizeof(ToolData) == 8 + 16 * 8, "ToolData layout");
static_assert(offsetof(ToolData, attr) == 0 && offsetof(ToolData, frame) == 8 && offsetof(ToolData, params) == 56,
              "ToolData field offsets");
static_assert(sizeof(WobjData) == 8 + 24 + 12 * 8, "WobjData layout");
static_assert(offsetof(WobjData, attr1) == 0 && offsetof(WobjData, attr2) == 4 && offsetof(WobjData, name) == 8 &&
                  offsetof(WobjData, frame1) == 32 && offsetof(WobjData, frame2) == 80,
              "WobjData field offsets");

using namespace zefra;

namespace {

constexpr int toolDataFields = 17;
constexpr int wobjNumberFields = 14;

int scanToolData(const char* payload, ToolData& t) {
    return scanFields(payload, "=%d;%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf", &t.attr,
                    &t.frame[0], &t.frame[1], &t.frame[2], &t.frame[3], &t.frame[4], &t.frame[5], &t.params[0],
                    &t.params[1], &t.params[2], &t.params[3], &t.params[4], &t.params[5], &t.params[6],
                    &t.params[7], &t.params[8], &t.params[9]);
}

int scanWobjNumbers(const char* payload, WobjData& w) {
    return scanFields(payload, "=%d,%d;%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf", &w.attr1, &w.attr2,
                    &w.frame1[0], &w.frame1[1], &w.frame1[2], &w.frame1[3], &w.frame1[4], &w.frame1[5],
                    &w.frame2[0], &w.frame2[1], &w.frame2[2], &w.frame2[3], &w.frame2[4], &w.frame2[5]);
}

// Where the name starts: the length the numbers take when printed back with three decimals.
// Only the length is asked for, since a value such as 1e300 runs to hundreds of digits;
// negative when a value has no fixed-point form.
int numbersLength(const WobjData& w) {
    // "=%d,%d;%0.3lf,...,%0.3lf;%0.3lf,...,%0.3lf;"
    CompiledText text(nullptr, 0);
    text.add("=%d,%d;", w.attr1, w.attr2);
    text.addList("%0.3lf", w.frame1, 6);
    text.add(";");
    text.addList("%0.3lf", w.frame2, 6);
    text.add(";");
    return text.finish();
}

// What is kept of a work-object reply once its numbers are scanned: its length and its last
// characters, which hold the name if there is one (a name takes at most 23).
struct WobjReplyEnd {
    std::size_t length = 0;
    char last[sizeof WobjData::name - 1] = {};
};

// Runs the query and scans the numbers. Out of line, so that its work area is gone before the
// numbers are printed back to find where the name starts.
[[gnu::noinline]] std::int32_t queryWobjNumbers(std::int32_t wobjNo, WobjData& local, WobjReplyEnd& end,
                                                std::int32_t slot) {
    Command command;
    if (const std::int32_t rc = command.query(slot, "Get_WobjData %d", wobjNo); rc != RC_OK) return rc;
    if (scanWobjNumbers(command.payload(), local) != wobjNumberFields) return RC_FAIL;
    end.length = command.payloadLength();
    const std::size_t kept = std::min(end.length, sizeof end.last);
    std::memcpy(end.last, command.payload() + end.length - kept, kept);
    return RC_OK;
}

// The text from `from` to the end of the payload, into the zeroed name. A reply whose
// numbers were written shorter than we print them leaves no text there: the name is empty.
bool takeName(const WobjReplyEnd& end, std::size_t from, char (&name)[24]) {
    if (from >= end.length) return true;
    const std::size_t size = end.length - from;
    if (size >= sizeof name) return false;
    const std::size_t kept = std::min(end.length, sizeof end.last);
    std::memcpy(name, end.last + kept - size, size);
    return true;
}

// The frame getters scan straight into the caller's six values.
std::int32_t readFrameInPlace(std::int32_t rc, const Command& command, double* frame) {
    if (rc != RC_OK) return rc;
    return scanSixValues(command.payload(), frame) == sixFields ? RC_OK : RC_FAIL;
}

std::int32_t setFrame(std::int32_t slot, const char* word, std::int32_t frameNo, const double* f) {
    if (f == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "%s %d %.6lf,%.6lf,%.6lf,%.6lf,%.6lf,%.6lf", word, frameNo, f[0], f[1], f[2], f[3], f[4],
                       f[5]);
}

}  // namespace

// ---- whole entries -------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_ToolData(int32_t toolNo, ToolData* data, int32_t slot) {
    if (data == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ToolData %d", toolNo); rc != RC_OK) return rc;
    ToolData local{};
    if (scanToolData(command.payload(), local) != toolDataFields) return RC_FAIL;
    *data = local;
    return RC_OK;
}

// The two groups are separated by a blank here, by ";" in the reply.
int32_t ZEFRA_CALL ZEFRA_Set_ToolData(int32_t toolNo, const ToolData* data, int32_t slot) {
    if (data == nullptr) return RC_BAD_PARAM;
    const double* f = data->frame;
    const double* p = data->params;
    return sendCommand(slot,
                       "Set_ToolData %d %d;%.3f,%.3f,%.3f,%.3f,%.3f,%.3f %.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f",
                       toolNo, data->attr, f[0], f[1], f[2], f[3], f[4], f[5], p[0], p[1], p[2], p[3], p[4], p[5], p[6],
                       p[7], p[8], p[9]);
}

int32_t ZEFRA_CALL ZEFRA_Get_WobjData(int32_t wobjNo, WobjData* data, int32_t slot) {
    if (data == nullptr) return RC_BAD_PARAM;
    WobjData local{};
    WobjReplyEnd end;
    if (const int32_t rc = queryWobjNumbers(wobjNo, local, end, slot); rc != RC_OK) return rc;
    const int nameAt = numbersLength(local);
    if (nameAt < 0 || !takeName(end, static_cast<std::size_t>(nameAt), local.name)) return RC_FAIL;
    *data = local;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_WobjData(int32_t wobjNo, const WobjData* data, int32_t slot) {
    // "%s" would read on past an unterminated name.
    if (data == nullptr || std::memchr(data->name, '\0', sizeof data->name) == nullptr) return RC_BAD_PARAM;
    const double* f = data->frame1;
    const double* g = data->frame2;
    return sendCommand(slot,
                       "Set_WobjData %d %d,%d;%.3lf,%.3lf,%.3lf,%.3lf,%.3lf,%.3lf;%.3lf,%.3lf,%.3lf,%.3lf,%.3lf,%.3lf;%s",
                       wobjNo, data->attr1, data->attr2, f[0], f[1], f[2], f[3], f[4], f[5], g[0], g[1], g[2], g[3],
                       g[4], g[5], data->name);
}

// ---- coordinate tables ---------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_ToolC(int32_t frameNo, double frame[6], int32_t slot) {
    return queryInto(frame, slot, readFrameInPlace, "Get_ToolC %d", frameNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_ToolC(int32_t frameNo, const double frame[6], int32_t slot) {
    return setFrame(slot, "Set_ToolC", frameNo, frame);
}

int32_t ZEFRA_CALL ZEFRA_Get_UserC(int32_t frameNo, double frame[6], int32_t slot) {
    return queryInto(frame, slot, readFrameInPlace, "Get_UserC %d", frameNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_UserC(int32_t frameNo, const double frame[6], int32_t slot) {
    return setFrame(slot, "Set_UserC", frameNo, frame);
}

// ---- selections ----------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_ToolCNum(int32_t* toolFrameNo, int32_t slot) {
    return integerQuery("Get_ToolCNum", toolFrameNo, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_ToolCNum(int32_t toolFrameNo, int32_t slot) {
    return sendCommand(slot, "Set_ToolCNum %d", toolFrameNo);
}

int32_t ZEFRA_CALL ZEFRA_Get_WobjNum(int32_t* wobjNo, int32_t slot) { return integerQuery("Get_WobjNum", wobjNo, slot); }

int32_t ZEFRA_CALL ZEFRA_Set_WobjNum(int32_t wobjNo, int32_t slot) { return sendCommand(slot, "Set_WobjNum %d", wobjNo); }

int32_t ZEFRA_CALL ZEFRA_Get_UserCNum(int32_t* userFrameNo, int32_t slot) {
    return integerQuery("Get_UserCNum", userFrameNo, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_UserCNum(int32_t userFrameNo, int32_t slot) {
    return sendCommand(slot, "Set_UserCNum %d", userFrameNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_CoordType(int32_t coordType, int32_t slot) {
    return sendCommand(slot, "Set_CoordType %d", coordType);
}

int32_t ZEFRA_CALL ZEFRA_Set_Coord(int32_t coord, int32_t slot) { return sendCommand(slot, "Set_Coord %d", coord); }
