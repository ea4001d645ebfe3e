// Digital and analog I/O: channel values, groups, forcing, configuration codes and the device
// status. Channel and group numbers are the controller's to judge, so none is tested here.
#include <cstring>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Set_DO(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_DO %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_DOGroup(int32_t group, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_DOGroup %d %d", group, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_DA(int32_t channel, float value, int32_t slot) {
    return sendCommand(slot, "Set_DA %d %f", channel, static_cast<double>(value));
}

int32_t ZEFRA_CALL ZEFRA_Set_ForceDI(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_ForceDI %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_ForceDO(int32_t index, int32_t value, int32_t slot) {
    return sendCommand(slot, "Set_ForceDO %d %d", index, value);
}

int32_t ZEFRA_CALL ZEFRA_Set_InCfg(int32_t index, int32_t config, int32_t slot) {
    return sendCommand(slot, "Set_InCfg %d %d", index, config);
}

int32_t ZEFRA_CALL ZEFRA_Set_OutCfg(int32_t index, int32_t config, int32_t slot) {
    return sendCommand(slot, "Set_OutCfg %d %d", index, config);
}

int32_t ZEFRA_CALL ZEFRA_Get_DINum(int32_t* count, int32_t slot) { return integerQuery("Get_DINum", count, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_DONum(int32_t* count, int32_t slot) { return integerQuery("Get_DONum", count, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_ADNum(int32_t* count, int32_t slot) { return integerQuery("Get_ADNum", count, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_DANum(int32_t* count, int32_t slot) { return integerQuery("Get_DANum", count, slot); }

int32_t ZEFRA_CALL ZEFRA_Get_DI(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_DI %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_DIGroup(int32_t group, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_DIGroup %d", group);
}

int32_t ZEFRA_CALL ZEFRA_Get_DO(int32_t index, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_DO %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_DOGroup(int32_t group, int32_t* value, int32_t slot) {
    return queryInto(value, slot, readInteger, "Get_DOGroup %d", group);
}

int32_t ZEFRA_CALL ZEFRA_Get_DOCfg(int32_t index, int32_t* config, int32_t slot) {
    return queryInto(config, slot, readInteger, "Get_DOCfg %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_DOGroupCfg(int32_t group, int32_t* config, int32_t slot) {
    return queryInto(config, slot, readInteger, "Get_DOGroupCfg %d", group);
}

int32_t ZEFRA_CALL ZEFRA_Get_DACfg(int32_t channel, int32_t* config, int32_t slot) {
    return queryInto(config, slot, readInteger, "Get_DACfg %d", channel);
}

int32_t ZEFRA_CALL ZEFRA_Get_InCfg(int32_t index, int32_t* config, int32_t slot) {
    return queryInto(config, slot, readInteger, "Get_InCfg %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_OutCfg(int32_t index, int32_t* config, int32_t slot) {
    return queryInto(config, slot, readInteger, "Get_OutCfg %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Get_AD(int32_t channel, float* value, int32_t slot) {
    return queryInto(value, slot, readFloat, "Get_AD %d", channel);
}

int32_t ZEFRA_CALL ZEFRA_Get_DA(int32_t channel, float* value, int32_t slot) {
    return queryInto(value, slot, readFloat, "Get_DA %d", channel);
}

// One digit per flag, so "=101100" is six flags; blanks before a digit are skipped as scanf
// does, and anything after the sixth is ignored.
int32_t ZEFRA_CALL ZEFRA_Get_DevSts(int32_t status[6], int32_t slot) {
    if (status == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_DevSts"); rc != RC_OK) return rc;
    int32_t flags[6] = {};
    if (command.scan("=%1d%1d%1d%1d%1d%1d", &flags[0], &flags[1], &flags[2], &flags[3], &flags[4], &flags[5]) != 6)
        return RC_FAIL;
    std::memcpy(status, flags, sizeof flags);
    return RC_OK;
}
