// Pallet parameters and pallet points the controller computes from three or four corners.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "records/records.h"
#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// The RobP form, but the first external axis with six decimals: the second corner of the
// three-corner request travels so.
int printRobPFineFirstExtAxis(char* out, std::size_t capacity, const RobP& t) {
    CompiledText text(out, capacity);
    text.addList("%.3lf", t.pos, 6);
    text.add(";%d,%d,%d,%d;%.6lf,", t.armType[0], t.armType[1], t.armType[2], t.armType[3], t.extAxes[0]);
    text.addList("%.3lf", t.extAxes + 1, 5);
    return text.finish();
}

template <typename Record>
struct Corner {
    const Record* record;
    int (*print)(char*, std::size_t, const Record&);
};

// "<word> <corner> <corner> ... %d,%d,%d", then one whole point back or nothing written.
template <typename Record>
std::int32_t queryPalletPoint(std::int32_t slot, const char* word, std::initializer_list<Corner<Record>> corners,
                              const std::int32_t (&index)[3], Record* out, bool (*read)(const char*, Record*)) {
    if (out == nullptr) return RC_BAD_PARAM;
    for (const Corner<Record>& corner : corners)
        if (corner.record == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("%s", word);
    for (const Corner<Record>& corner : corners) {
        command.append(" ");
        command.appendRecord(corner.print, *corner.record);
    }
    command.append(" %d,%d,%d", index[0], index[1], index[2]);
    if (const std::int32_t rc = command.query(slot); rc != RC_OK) return rc;
    return read(command.payload(), out) ? RC_OK : RC_FAIL;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_PalletPara(int32_t* p1, int32_t* p2, int32_t* p3, double* p4, int32_t slot) {
    if (p1 == nullptr || p2 == nullptr || p3 == nullptr || p4 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_PalletPara"); rc != RC_OK) return rc;
    int32_t a = 0, b = 0, c = 0;
    double d = 0;
    if (command.scan("=%d,%d,%d,%lf", &a, &b, &c, &d) != 4) return RC_FAIL;
    *p1 = a;
    *p2 = b;
    *p3 = c;
    *p4 = d;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Set_PalletPara(int32_t p1, int32_t p2, int32_t p3, double p4, int32_t slot) {
    return sendCommand(slot, "Set_PalletPara %d,%d,%d,%lf ", p1, p2, p3, p4);
}

int32_t ZEFRA_CALL ZEFRA_Clear_PalletPara(int32_t slot) { return sendCommand(slot, "Clear_PalletPara"); }

int32_t ZEFRA_CALL ZEFRA_Get_Pallet_RobP(const RobP* a, const RobP* b, const RobP* c, int32_t i1, int32_t i2,
                                         int32_t i3, RobP* out, int32_t slot) {
    return queryPalletPoint<RobP>(slot, "Get_PalletRobP", {{a, printRobP}, {b, printRobPFineFirstExtAxis}, {c, printRobP}},
                                  {i1, i2, i3}, out, readRobP);
}

int32_t ZEFRA_CALL ZEFRA_Get_Pallet4_RobP(const RobP* a, const RobP* b, const RobP* c, const RobP* d, int32_t i1,
                                          int32_t i2, int32_t i3, RobP* out, int32_t slot) {
    return queryPalletPoint<RobP>(slot, "Get_Pallet4RobP",
                                  {{a, printRobP}, {b, printRobP}, {c, printRobP}, {d, printRobP}}, {i1, i2, i3}, out,
                                  readRobP);
}

int32_t ZEFRA_CALL ZEFRA_Get_PalletPoint(const PointRecord* a, const PointRecord* b, const PointRecord* c, int32_t i1,
                                         int32_t i2, int32_t i3, PointRecord* out, int32_t slot) {
    return queryPalletPoint<PointRecord>(slot, "Get_PalletPoint",
                                         {{a, printPointRecord}, {b, printPointRecord}, {c, printPointRecord}},
                                         {i1, i2, i3}, out, readPointRecord);
}

int32_t ZEFRA_CALL ZEFRA_Get_Pallet4Point(const PointRecord* a, const PointRecord* b, const PointRecord* c,
                                          const PointRecord* d, int32_t i1, int32_t i2, int32_t i3, PointRecord* out,
                                          int32_t slot) {
    return queryPalletPoint<PointRecord>(
        slot, "Get_Pallet4Point",
        {{a, printPointRecord}, {b, printPointRecord}, {c, printPointRecord}, {d, printPointRecord}}, {i1, i2, i3}, out,
        readPointRecord);
}
