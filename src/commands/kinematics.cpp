// Kinematic and drive parameters: structure parameters and their compensation, reduction
// ratios, the CpPara sets, home and zero positions and the step-motion sizes. Parameter sets
// and step sizes are single-precision floats on both sides of the wire; home positions are
// doubles.
#include <cstring>

#include "records/records.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// Home positions are scanned straight into the caller's storage and accepted from their first
// value on; the values not read keep their contents.
std::int32_t readHomePos(std::int32_t rc, const Command& command, double* pos) {
    if (rc != RC_OK) return rc;
    return scanSixValues(command.payload(), pos) >= 1 ? RC_OK : RC_FAIL;
}

std::int32_t readHomeJPos(std::int32_t rc, const Command& command, RobJP* pos) {
    if (rc != RC_OK) return rc;
    return scanRobJP(command.payload(), *pos) >= 1 ? RC_OK : RC_FAIL;
}

// The controller reports zero positions as decimals that may carry a fraction; each is cut
// toward zero. A value with no int32 to cut to (out of range, or the nan and inf that "%lf"
// accepts) makes the whole reply unusable, and nothing is written.
std::int32_t readZeroPos(std::int32_t rc, const Command& command, std::int32_t* zero) {
    if (rc != RC_OK) return rc;
    double v[6] = {};
    if (scanSixValues(command.payload(), v) < 1) return RC_FAIL;
    std::int32_t cut[6] = {};
    for (int i = 0; i < 6; ++i) {
        if (!(v[i] > -2147483649.0 && v[i] < 2147483648.0)) return RC_FAIL;
        cut[i] = static_cast<std::int32_t>(v[i]);
    }
    std::memcpy(zero, cut, sizeof cut);
    return RC_OK;
}

}  // namespace

// ---- six-float parameter sets ------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_StrPara(float para[6], int32_t slot) {
    return queryInto(para, slot, readSixFloats, "Get_StrPara");
}

int32_t ZEFRA_CALL ZEFRA_Set_StrPara(const float para[6], int32_t slot) { return sendFloats(slot, "Set_StrPara", para, 6); }

int32_t ZEFRA_CALL ZEFRA_Get_StrParaComp(float para[6], int32_t slot) {
    return queryInto(para, slot, readSixFloats, "Get_StrParaComp");
}

int32_t ZEFRA_CALL ZEFRA_Set_StrParaComp(const float para[6], int32_t slot) {
    return sendFloats(slot, "Set_StrParaComp", para, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_RdctRatio(float para[6], int32_t slot) {
    return queryInto(para, slot, readUpToSixFloats, "Get_RdctRatio");
}

int32_t ZEFRA_CALL ZEFRA_Set_RdctRatio(const float para[6], int32_t slot) {
    return sendFloats(slot, "Set_RdctRatio", para, 6);
}

int32_t ZEFRA_CALL ZEFRA_Get_CpParaM(float para[6], int32_t slot) {
    return queryInto(para, slot, readUpToSixFloats, "Get_CpParaM");
}

int32_t ZEFRA_CALL ZEFRA_Set_CpParaM(const float para[6], int32_t slot) { return sendFloats(slot, "Set_CpParaM", para, 6); }

int32_t ZEFRA_CALL ZEFRA_Get_CpParaS(float para[6], int32_t slot) {
    return queryInto(para, slot, readUpToSixFloats, "Get_CpParaS");
}

int32_t ZEFRA_CALL ZEFRA_Set_CpParaS(const float para[6], int32_t slot) { return sendFloats(slot, "Set_CpParaS", para, 6); }

// ---- home and zero positions -------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_HomePos(int32_t homeNo, double pos[6], int32_t slot) {
    return queryInto(pos, slot, readHomePos, "Get_HomePos %d", homeNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_HomePos(int32_t homeNo, const double pos[6], int32_t slot) {
    if (pos == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Set_HomePos %d ", homeNo);
    command.appendRecord(printSixValues, pos, 6);
    return command.send(slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_HomeJPos(int32_t homeNo, RobJP* pos, int32_t slot) {
    return queryInto(pos, slot, readHomeJPos, "Get_HomeJPos %d", homeNo);
}

int32_t ZEFRA_CALL ZEFRA_Set_HomeJPos(int32_t homeNo, const RobJP* pos, int32_t slot) {
    if (pos == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format("Set_HomeJPos %d ", homeNo);
    command.appendRecord(printRobJP, *pos);
    return command.send(slot);
}

int32_t ZEFRA_CALL ZEFRA_Get_ZeroPos(int32_t zero[6], int32_t slot) {
    return queryInto(zero, slot, readZeroPos, "Get_ZeroPos");
}

int32_t ZEFRA_CALL ZEFRA_Set_ZeroPos(const int32_t zero[6], int32_t slot) {
    if (zero == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_ZeroPos %d,%d,%d,%d,%d,%d", zero[0], zero[1], zero[2], zero[3], zero[4], zero[5]);
}

int32_t ZEFRA_CALL ZEFRA_Get_InchStep(int32_t* step, int32_t slot) { return integerQuery("Get_InchStep", step, slot); }

// ---- step motion -------------------------------------------------------------------------

int32_t ZEFRA_CALL ZEFRA_Get_StepMotionJ(float* step, int32_t slot) {
    return queryInto(step, slot, readFloat, "Get_StepMotionJ");
}

int32_t ZEFRA_CALL ZEFRA_Set_StepMotionJ(float step, int32_t slot) {
    return sendCommand(slot, "Set_StepMotionJ %.6f", static_cast<double>(step));
}

int32_t ZEFRA_CALL ZEFRA_Get_StepMotionL(float* step, int32_t slot) {
    return queryInto(step, slot, readFloat, "Get_StepMotionL");
}

int32_t ZEFRA_CALL ZEFRA_Set_StepMotionL(float step, int32_t slot) {
    return sendCommand(slot, "Set_StepMotionL %.6f", static_cast<double>(step));
}

int32_t ZEFRA_CALL ZEFRA_Get_StepMotionR(float* step, int32_t slot) {
    return queryInto(step, slot, readFloat, "Get_StepMotionR");
}

int32_t ZEFRA_CALL ZEFRA_Set_StepMotionR(float step, int32_t slot) {
    return sendCommand(slot, "Set_StepMotionR %.6f", static_cast<double>(step));
}
