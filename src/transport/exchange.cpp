#include "transport/exchange.h"

#include <cstring>
#include <mutex>

#include "records/text.h"
#include "transport/slots.h"
#include "zefraapi.h"

namespace zefra {
namespace {

enum class FrameOutcome { replied, linkFailure, malformed, notConnected };

// Sends with one call when the socket takes it; waits for writability only when it does not.
bool sendAll(platform::Transport& net, platform::Socket s, const char* data, std::size_t size, int waitMs) {
    while (size > 0) {
        const platform::IoResult r = net.send(s, data, size);
        if (r.kind == platform::IoResult::failed) return false;
        if (r.kind == platform::IoResult::wouldBlock || r.bytes == 0) {
            if (net.waitWritable(s, waitMs) != platform::Readiness::ready) return false;
            continue;
        }
        data += r.bytes;
        size -= r.bytes;
    }
    return true;
}

bool awaitingMore(const char* raw, std::size_t got) {
    if (got >= replyLimit) return false;
    if (raw[0] != '#' || (got >= 2 && raw[1] != '#')) return false;
    if (std::memchr(raw, '\0', got) != nullptr) return false;
    for (std::size_t i = 1; i < got; ++i)
        if (raw[i - 1] == '$' && raw[i] == '$') return false;
    return true;
}

// Runs one request/reply on the slot under its lock; a link failure closes the slot.
FrameOutcome exchangeFrame(ConnectionSlot& slot, const char* request, std::size_t size, char* raw, char* payload) {
    platform::Transport& net = platform::transport();
    {
        std::lock_guard<platform::Lock> guard(slot.lock);
        const platform::Socket s = slot.socket.load(std::memory_order_acquire);
        if (s == platform::invalidSocket) return FrameOutcome::notConnected;
        const int waitMs = platform::waitMilliseconds(slot.timeout.load(std::memory_order_relaxed));
        std::memset(raw, 0, replyLimit + 1);
        if (!sendAll(net, s, request, size, waitMs) ||
            receiveReply(net, s, waitMs, raw) != ReceiveOutcome::received) {
            closeAfterLinkFailure(slot, s);
            return FrameOutcome::linkFailure;
        }
    }
    return unframeReply(raw, payload) ? FrameOutcome::replied : FrameOutcome::malformed;
}

// Frames the command text and runs the exchange; RC_OK when a well-formed reply arrived.
std::int32_t exchangeText(CommandBuffer& buffer, std::int32_t slot) {
    if (!validSlot(slot)) return RC_BAD_PARAM;
    const std::size_t length = std::strlen(buffer.command);
    if (length > maxCommandText) return RC_BAD_PARAM;
    // A "$$" inside the text, or a "$" at its end, would end the frame early; the controller
    // would take the rest for a second request, and its reply would answer the next call.
    if (std::strstr(buffer.command, "$$") != nullptr || (length > 0 && buffer.command[length - 1] == '$'))
        return RC_BAD_PARAM;
    ConnectionSlot& entry = slotAt(slot);
    if (!entry.connected()) return RC_COMM_FAIL;
    buffer.framed[0] = '@';
    buffer.framed[1] = '@';
    std::memcpy(buffer.framed + 2, buffer.command, length);
    buffer.framed[length + 2] = '$';
    buffer.framed[length + 3] = '$';
    buffer.framed[length + 4] = '\0';
    const FrameOutcome outcome = exchangeFrame(entry, buffer.framed, length + 4, buffer.raw, buffer.payload);
    return outcome == FrameOutcome::replied ? RC_OK : RC_COMM_FAIL;
}

// -N without overflow for every N the controller can send.
std::int32_t negated(int n) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(n)); }

}  // namespace

ReceiveOutcome receiveReply(platform::Transport& net, platform::Socket s, int waitMs, char* raw) {
    std::size_t got = 0;
    do {
        if (net.waitReadable(s, waitMs) != platform::Readiness::ready) return ReceiveOutcome::linkFailure;
        const platform::IoResult r = net.receive(s, raw + got, replyLimit - got);
        if (r.kind == platform::IoResult::failed) return ReceiveOutcome::linkFailure;
        got += r.bytes;
    } while (got == 0 || awaitingMore(raw, got));
    return ReceiveOutcome::received;
}

bool unframeReply(const char* raw, char* payload) {
    const std::size_t length = std::strlen(raw);
    if (length < 5 || raw[0] != '#' || raw[1] != '#' || raw[length - 2] != '$' || raw[length - 1] != '$')
        return false;
    std::memcpy(payload, raw + 2, length - 4);
    payload[length - 4] = '\0';
    return true;
}

std::int32_t classifyCommandReply(const char* payload) {
    if (std::strcmp(payload, "ok") == 0) return RC_OK;
    int number = 0;
    if (scanText(payload, "e%d:", &number) == 1) return negated(number);
    return RC_FAIL;
}

std::int32_t classifyQueryReply(const char* payload) {
    if (payload[0] != 'e') return RC_OK;
    int number = 0;
    if (scanText(payload, "e%d", &number) == 1) return negated(number);
    return RC_FAIL;
}

std::int32_t plainCommandExchange(CommandBuffer& buffer, std::int32_t slot) {
    const std::int32_t rc = exchangeText(buffer, slot);
    return rc == RC_OK ? classifyCommandReply(buffer.payload) : rc;
}

std::int32_t queryExchange(CommandBuffer& buffer, std::int32_t slot) {
    const std::int32_t rc = exchangeText(buffer, slot);
    return rc == RC_OK ? classifyQueryReply(buffer.payload) : rc;
}

std::int32_t integerQuery(const char* commandText, std::int32_t* value, std::int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    CommandBuffer buffer{};
    const std::size_t length = std::strlen(commandText);
    if (length >= regionSize) return RC_BAD_PARAM;
    std::memcpy(buffer.command, commandText, length);
    // Only a negative result is a failure; any other payload must scan.
    if (const std::int32_t rc = queryExchange(buffer, slot); rc < 0) return rc;
    int scanned = 0;
    if (scanText(buffer.payload, "=%d", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

std::int32_t binaryCommandExchange(CommandBuffer& buffer, std::int32_t slot) {
    if (!validSlot(slot)) return RC_COMM_FAIL;
    ConnectionSlot& entry = slotAt(slot);
    if (!entry.connected()) return RC_COMM_FAIL;
    if (buffer.binaryLength < 0 || static_cast<std::size_t>(buffer.binaryLength) > maxBinaryPayload)
        return RC_BAD_PARAM;
    const std::size_t n = static_cast<std::size_t>(buffer.binaryLength);
    unsigned char frame[binaryRegionSize] = {};
    frame[0] = '@';
    frame[1] = '@';
    std::memcpy(frame + 2, buffer.binary, n);
    frame[n + 2] = '*';
    frame[n + 3] = '*';
    const FrameOutcome outcome =
        exchangeFrame(entry, reinterpret_cast<const char*>(frame), n + 4, buffer.raw, buffer.payload);
    return outcome == FrameOutcome::replied ? classifyCommandReply(buffer.payload) : RC_COMM_FAIL;
}

}  // namespace zefra

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Common_Cmd(const char* cmd, char* reply, int32_t slot) {
    if (cmd == nullptr || reply == nullptr) return RC_BAD_PARAM;
    CommandBuffer buffer{};
    const std::size_t length = strnlen(cmd, regionSize);
    if (length > maxCommandText) return RC_BAD_PARAM;
    std::memcpy(buffer.command, cmd, length);
    // Only a negative result is a failure; any other payload is the host's to read.
    if (const std::int32_t rc = queryExchange(buffer, slot); rc < 0) return rc;
    std::memcpy(reply, buffer.payload, std::strlen(buffer.payload));
    return RC_OK;
}
