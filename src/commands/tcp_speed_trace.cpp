// Binding the tool-centre-point speed to an analog output, and how the controller brings the
// robot back onto its path (trace recovery). The replies separate their fields with ", "; the
// blank in the scan formats takes any white space, none included.
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Set_BindTcpSpeedValue(int32_t index, double value1, double value2, double value3, double value4,
                                               int32_t slot) {
    return sendCommand(slot, "Set_BindTcpSpeedValue %d %lf %lf %lf %lf", index, value1, value2, value3, value4);
}

int32_t ZEFRA_CALL ZEFRA_Get_BindTcpSpeedValue(int32_t index, int32_t* head, double* value1, double* value2,
                                               double* value3, double* value4, int32_t slot) {
    if (head == nullptr || value1 == nullptr || value2 == nullptr || value3 == nullptr || value4 == nullptr)
        return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_BindTcpSpeedValue %d", index); rc != RC_OK) return rc;
    int32_t h = 0;
    double v[4] = {};
    if (command.scan("=%d, %lf, %lf, %lf, %lf", &h, &v[0], &v[1], &v[2], &v[3]) != 5) return RC_FAIL;
    *head = h;
    *value1 = v[0];
    *value2 = v[1];
    *value3 = v[2];
    *value4 = v[3];
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Get_TcpSpeedDAOutAndVel(int32_t index, int32_t* head, double* first, double* second,
                                                 int32_t slot) {
    if (head == nullptr || first == nullptr || second == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_TcpSpeedDAOutAndVel %d", index); rc != RC_OK) return rc;
    int32_t h = 0;
    double a = 0, b = 0;
    if (command.scan("=%d, %lf, %lf", &h, &a, &b) != 3) return RC_FAIL;
    *head = h;
    *first = a;
    *second = b;
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Close_BindTcpSpeed(int32_t index, int32_t slot) {
    return sendCommand(slot, "Close_BindTcpSpeed %d", index);
}

int32_t ZEFRA_CALL ZEFRA_Set_TraceRecoverMode(int32_t mode, int32_t slot) {
    return sendCommand(slot, "Set_TraceRecoverMode %d", mode);
}

int32_t ZEFRA_CALL ZEFRA_Get_TraceRecoverMode(int32_t* mode, int32_t slot) {
    return integerQuery("Get_TraceRecoverMode", mode, slot);
}

int32_t ZEFRA_CALL ZEFRA_Set_VarTraceRecoverParams(int32_t index, double param1, double param2, double param3,
                                                   double param4, int32_t slot) {
    return sendCommand(slot, "Set_VarTraceRecoverParams %d %lf %lf %lf %lf", index, param1, param2, param3, param4);
}

int32_t ZEFRA_CALL ZEFRA_Get_VarTraceRecoverParams(int32_t index, double* param1, double* param2, double* param3,
                                                   double* param4, int32_t slot) {
    if (param1 == nullptr || param2 == nullptr || param3 == nullptr || param4 == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_VarTraceRecoverParams %d", index); rc != RC_OK) return rc;
    double p[4] = {};
    if (command.scan("=%lf, %lf, %lf, %lf", &p[0], &p[1], &p[2], &p[3]) != 4) return RC_FAIL;
    *param1 = p[0];
    *param2 = p[1];
    *param3 = p[2];
    *param4 = p[3];
    return RC_OK;
}
