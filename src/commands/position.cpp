// Where the robot is now, in every form the controller reports it. Nothing is cached: each
// call asks the controller.
#include <cstring>

#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// Unlike the other readings, the pulse values go straight into the caller's array: values
// read before a mismatch stay written.
std::int32_t readPulses(std::int32_t rc, const Command& command, double* values) {
    if (rc != RC_OK) return rc;
    return scanSixValues(command.payload(), values) == sixFields ? RC_OK : RC_FAIL;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Get_PosHere(PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readPointRecord>, "Get_PosHere");
}

int32_t ZEFRA_CALL ZEFRA_Get_PosHereJ(PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readSixValuesAsPoint>, "Get_PosHereJ");
}

int32_t ZEFRA_CALL ZEFRA_Get_PosHereC(PointRecord* point, int32_t slot) {
    return queryInto(point, slot, readWhole<readSixValuesAsPoint>, "Get_PosHereC");
}

int32_t ZEFRA_CALL ZEFRA_Get_PosHerePulse(double values[6], int32_t slot) {
    return queryInto(values, slot, readPulses, "Get_PosHerePulse");
}

int32_t ZEFRA_CALL ZEFRA_Get_RobPosHere(RobP* target, int32_t slot) {
    return queryInto(target, slot, readWhole<readRobP>, "Get_RobPHere");
}

int32_t ZEFRA_CALL ZEFRA_Get_RobJPosHere(RobJP* target, int32_t slot) {
    return queryInto(target, slot, readWhole<readRobJP>, "Get_RobJPHere");
}

int32_t ZEFRA_CALL ZEFRA_Set_ActiveMechUnitPosFormat(int32_t format, int32_t slot) {
    return sendCommand(slot, "Set_ActiveMechUnitPosFormat %d", format);
}

int32_t ZEFRA_CALL ZEFRA_Get_ActiveMechUnitPos(int32_t* format, double values[8], int32_t slot) {
    if (format == nullptr || values == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_ActiveMechUnitPos"); rc != RC_OK) return rc;
    int32_t code = 0;
    double v[8] = {};
    if (command.scan("=%d,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf", &code, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                     &v[7]) != 9)
        return RC_FAIL;
    *format = code;
    std::memcpy(values, v, sizeof v);
    return RC_OK;
}
