// Who may command the controller: the control device, the network control permission and
// its holder, operator login, and the controller's clock. The controller keeps all of it;
// the library holds no permission or user state of its own.
#include <cstdint>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

// a.b.c.d with a as the most significant byte. Unsigned multiply-add, so numbers outside
// 0..255 wrap instead of overflowing.
uint32_t packAddress(const int32_t (&dotted)[4]) {
    uint32_t address = 0;
    for (const int32_t part : dotted) address = address * 256u + static_cast<uint32_t>(part);
    return address;
}

}  // namespace

int32_t ZEFRA_CALL ZEFRA_CurCtrlDev(int32_t* device, int32_t slot) {
    return queryInto(device, slot, readInteger, "CurCtrlDev");
}

int32_t ZEFRA_CALL ZEFRA_SetCurCtrlDev(int32_t device, int32_t slot) {
    return sendCommand(slot, "SetCurCtrlDev %d", device);
}

// The state comes first and is written as soon as it is read; only a held permission has a
// holder to report, so its address and port come from a second, longer scan of the same reply.
int32_t ZEFRA_CALL ZEFRA_CurPermit(int32_t* state, uint32_t* address, uint16_t* port, int32_t slot) {
    if (state == nullptr || address == nullptr || port == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "CurPermit"); rc != RC_OK) return rc;
    int32_t held = 0;
    if (command.scan("=%d", &held) != 1) return RC_FAIL;
    *state = held;
    if (held == 0) {
        *address = 0;
        *port = 0;
        return RC_OK;
    }
    int32_t dotted[4] = {};
    int32_t holderPort = 0;
    if (command.scan("=%d Ip:%d.%d.%d.%d Port:%d", &held, &dotted[0], &dotted[1], &dotted[2], &dotted[3], &holderPort) != 6)
        return RC_FAIL;
    *address = packAddress(dotted);
    *port = static_cast<uint16_t>(holderPort);
    return RC_OK;
}

// The controller spells this command word with a lower-case "p".
int32_t ZEFRA_CALL ZEFRA_AcqPermit(int32_t mode, int32_t slot) {
    return sendSwitch(slot, mode, "Acqpermit", "Acqpermit forcibly");
}

int32_t ZEFRA_CALL ZEFRA_RemovePermit(int32_t slot) { return sendCommand(slot, "RemovePermit"); }

int32_t ZEFRA_CALL ZEFRA_CurUserType(int32_t* userType, int32_t slot) {
    return queryInto(userType, slot, readInteger, "CurUserType");
}

// An empty password still sends the blank after the user number.
int32_t ZEFRA_CALL ZEFRA_UserLogin(int32_t user, const char* password, int32_t slot) {
    if (password == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "UserLogin %d %s", user, password);
}

int32_t ZEFRA_CALL ZEFRA_UserLogout(int32_t slot) { return sendCommand(slot, "UserLogout"); }

int32_t ZEFRA_CALL ZEFRA_Set_SysTime(const char* timeText, int32_t slot) {
    if (timeText == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_SysTime %s", timeText);
}
