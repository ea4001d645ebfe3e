// User alarm texts, and the print messages robot programs leave for the operator. A print
// message is the one text the library converts: it reaches the host in the host's own
// character set.
#include <cstring>

#include "platform/platform.h"
#include "records/text.h"
#include "transport/command.h"
#include "zefraapi.h"

using namespace zefra;

namespace {

constexpr std::size_t alarmSize = 40;
constexpr std::size_t printSize = 128;

// Programs that print this marker write in the host's set already; everything else is UTF-8.
constexpr char hostTextMarker[] = "PRINT:";

}  // namespace

int32_t ZEFRA_CALL ZEFRA_Set_UserAlarm(int32_t index, const char* text, int32_t slot) {
    if (text == nullptr) return RC_BAD_PARAM;
    return sendCommand(slot, "Set_UserAlarm %d %s", index, text);
}

// A bare "=" means the alarm has no text: the host gets an empty one.
int32_t ZEFRA_CALL ZEFRA_Get_UserAlarm(int32_t index, char text[40], int32_t slot) {
    if (text == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_UserAlarm %d", index); rc != RC_OK) return rc;
    char word[alarmSize] = {};
    if (command.payloadLength() > 1 && !scanWord(command.payload(), word, sizeof word)) return RC_FAIL;
    std::memcpy(text, word, sizeof word);
    return RC_OK;
}

// The reply's first character (the "=" of a value) is dropped unlooked-at. A marked message
// goes to UTF-8 and back, which leaves what the host's set holds as it was. Every step stays
// within its 128 bytes and cuts between characters, so the host gets at most 127 bytes and
// the terminator.
int32_t ZEFRA_CALL ZEFRA_Get_Print(char message[128], int32_t slot) {
    if (message == nullptr) return RC_BAD_PARAM;
    Command command;
    if (const int32_t rc = command.query(slot, "Get_Print"); rc != RC_OK) return rc;
    if (command.payloadLength() <= 1) return RC_OK;  // no message pending: the host's buffer is kept
    const char* utf8 = command.payload() + 1;
    char converted[printSize] = {};
    if (std::strncmp(utf8, hostTextMarker, sizeof hostTextMarker - 1) == 0) {
        platform::hostTextToUtf8(utf8, printSize - 1, converted, sizeof converted);
        utf8 = converted;
    }
    char host[printSize] = {};
    platform::utf8ToHostText(utf8, printSize - 1, host, sizeof host);
    std::memcpy(message, host, sizeof host);
    return RC_OK;
}
