// Servo-drive function codes read and written through the controller, and the motion-profile
// settings, including the external profile table the host uploads as raw entries.
#include <cstddef>

#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t profileEntrySize = 24;
constexpr std::uint32_t maxProfileEntries = 42;  // 1008 bytes: within the 1024 the controller takes
constexpr std::int32_t badEntryCount = -3;       // the upload's own refusal, not RC_BAD_PARAM

// The controller's profile queries that name no slot talk to the first one.
constexpr std::int32_t profileSlot = 0;

}  // namespace

int32_t ZEFRA_CALL ZEFRA_ReadServoFunCode(int32_t addr1, int32_t addr2, int32_t addr3, int32_t addr4, int32_t* value,
                                          int32_t slot) {
    return queryInto(value, slot, readInteger, "ReadServoFunCode %d %d %d %d", addr1, addr2, addr3, addr4);
}

int32_t ZEFRA_CALL ZEFRA_WriteServoFunCode(int32_t addr1, int32_t addr2, int32_t addr3, int32_t addr4, int32_t value,
                                           int32_t slot) {
    return sendCommand(slot, "WriteServoFunCode %d %d %d %d %d", addr1, addr2, addr3, addr4, value);
}

int32_t ZEFRA_CALL ZEFRA_SetProfileMode(int32_t mode, int32_t slot) { return sendCommand(slot, "SetProfileMode %d", mode); }

int32_t ZEFRA_CALL ZEFRA_GetProfileMode(int32_t* mode) { return integerQuery("GetProfileMode", mode, profileSlot); }

int32_t ZEFRA_CALL ZEFRA_SetExtProfileType(int32_t type, int32_t slot) {
    return sendCommand(slot, "SetExtProfileType %d", type);
}

int32_t ZEFRA_CALL ZEFRA_GetExtProfileType(int32_t* type) { return integerQuery("GetExtProfileType", type, profileSlot); }

// The entries travel in a binary frame, then a text command announces their byte count. The
// two are separate exchanges; a refused upload is not announced. A refusal numbered "e-N"
// classifies as +N, which is still a refusal, so only RC_OK goes on to the announcement.
int32_t ZEFRA_CALL ZEFRA_SetExtProfileData(uint32_t count, const void* entries, int32_t slot) {
    if (count == 0 || count > maxProfileEntries) return badEntryCount;
    if (entries == nullptr) return RC_BAD_PARAM;
    const std::size_t bytes = count * profileEntrySize;
    if (const int32_t rc = binaryCommandExchange(slot, entries, bytes); rc != RC_OK) return rc;
    return sendCommand(slot, "SetExtProfileData %d", static_cast<int32_t>(bytes));
}

int32_t ZEFRA_CALL ZEFRA_ClearExtProfileData(int32_t slot) { return sendCommand(slot, "ClearExtProfileData"); }

int32_t ZEFRA_CALL ZEFRA_GetExtProfileLeftSpace(int32_t* space) {
    return integerQuery("GetExtProfileLeftSpace", space, profileSlot);
}

int32_t ZEFRA_CALL ZEFRA_GetExtProfileUsedSpace(int32_t* space, int32_t slot) {
    return integerQuery("GetExtProfileUsedSpace", space, slot);
}
