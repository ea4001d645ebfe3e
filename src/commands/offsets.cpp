// Offset positions the controller computes: six offsets applied to a point, a joint target or
// a Cartesian target. The offsets travel with the decimals of the record beside them: six
// beside a point, three beside a target.
#include <cstddef>

#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// "<word> <base> <offsets>". Formatted whole before the exchange and written only after a
// complete scan, so `base` and `result` may be one record.
template <typename Record, bool (*read)(const char*, Record*)>
std::int32_t queryOffset(const char* word, int (*print)(char*, std::size_t, const Record&), int decimals,
                         const Record* base, const double* offset, Record* result, std::int32_t slot) {
    if (base == nullptr || offset == nullptr || result == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("%s ", word);
    command.appendRecord(print, *base);
    command.append(" ");
    command.appendRecord(printSixValues, offset, decimals);
    return readWhole<read>(command.query(slot), command, result);
}

std::int32_t pointOffset(const char* word, const PointRecord* base, const double* offset, PointRecord* result,
                         std::int32_t slot) {
    return queryOffset<PointRecord, readPointRecord>(word, printPointRecord, 6, base, offset, result, slot);
}

std::int32_t robPOffset(const char* word, const RobP* base, const double* offset, RobP* result, std::int32_t slot) {
    return queryOffset<RobP, readRobP>(word, printRobP, 3, base, offset, result, slot);
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_OffsetJ(const PointRecord* base, const double offset[6], PointRecord* result,
                                    int32_t slot) {
    return pointOffset("Get_OffsetJ", base, offset, result, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_Offset(const PointRecord* base, const double offset[6], PointRecord* result,
                                   int32_t slot) {
    return pointOffset("Get_Offset", base, offset, result, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_OffsetT(const PointRecord* base, const double offset[6], PointRecord* result,
                                    int32_t slot) {
    return pointOffset("Get_OffsetT", base, offset, result, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_OffsetJ_RobJP(const RobJP* base, const double offset[6], RobJP* result, int32_t slot) {
    return queryOffset<RobJP, readRobJP>("Get_OffsetJ_RobJP", printRobJP, 3, base, offset, result, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_Offset_RobP(const RobP* base, const double offset[6], RobP* result, int32_t slot) {
    return robPOffset("Get_Offset_RobP", base, offset, result, slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_OffsetT_RobP(const RobP* base, const double offset[6], RobP* result, int32_t slot) {
    return robPOffset("Get_OffsetT_RobP", base, offset, result, slot);
}
