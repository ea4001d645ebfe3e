#include "transport/exchange.h"

#include <cstddef>
#include <cstring>
#include <mutex>

#include "records/text.h"
#include "records/wire_format.h"
#include "transport/slots.h"
#include "zefraapi.h"

namespace zefra {
namespace {

// Deadlines in milliseconds of the platform's coarse clock. Time limits are whole seconds, so
// a few milliseconds of resolution change nothing, and the fine clock would cost the client a
// good part of what the library adds to a call.
using Deadline = std::int64_t;

enum class FrameOutcome { replied, linkFailure, malformed, notConnected };

// What is dropped unread passes through this much stack at a time: small, because it sits on
// top of the caller's work area.
constexpr std::size_t scrapSize = 256;

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

// Each "$" before the last byte, found by memchr, and the byte after it.
bool holdsFrameEnd(const char* raw, std::size_t got) {
    if (got < 2) return false;
    const char* const last = raw + got - 1;
    for (const char* p = raw; p < last; ++p) {
        p = static_cast<const char*>(std::memchr(p, '$', static_cast<std::size_t>(last - p)));
        if (p == nullptr) return false;
        if (p[1] == '$') return true;
    }
    return false;
}

// A reply runs to its "$$" however it begins: one that is malformed at its start (a "#" short,
// a stray line end left over from the reply before) still has its end on the way, and
// stopping early would leave that end, or the whole of the real reply behind it, to answer the
// next request on the slot.
bool awaitingMore(const char* raw, std::size_t got) { return got < replyLimit && !holdsFrameEnd(raw, got); }

// Milliseconds left until `deadline`; 0 once it has passed.
int millisecondsLeft(Deadline deadline) {
    const std::int64_t left = deadline - platform::coarseMilliseconds();
    return left <= 0 ? 0 : static_cast<int>(left);
}

// Waits up to `left` milliseconds for the socket to become readable and receives once.
platform::IoResult receiveWithin(platform::Transport& net, platform::Socket s, int left, char* into, std::size_t size) {
    if (left == 0 || net.waitReadable(s, left) != platform::Readiness::ready) return {platform::IoResult::failed, 0};
    return net.receive(s, into, size);
}

// Waits for the socket to become readable before `deadline` and receives once into `into`.
platform::IoResult receiveBefore(platform::Transport& net, platform::Socket s, Deadline deadline,
                                 char* into, std::size_t size) {
    return receiveWithin(net, s, millisecondsLeft(deadline), into, size);
}

// An oversize reply has filled the reply area with the start of a frame and no end. Its rest
// would otherwise answer the next request, so it is read and dropped up to its "$$" within
// the same deadline; a frame whose end never comes is a time-out. Out of line, as is
// discardUnread: their scrap must not sit on the stack of every call that receives.
[[gnu::noinline]] bool discardRestOfFrame(platform::Transport& net, platform::Socket s, Deadline deadline, char last) {
    char scrap[scrapSize];
    for (;;) {
        const platform::IoResult r = receiveBefore(net, s, deadline, scrap, sizeof scrap);
        if (r.kind == platform::IoResult::failed) return false;
        for (std::size_t i = 0; i < r.bytes; ++i) {
            if (last == '$' && scrap[i] == '$') return true;
            last = scrap[i];
        }
    }
}

// Drops whatever the connection holds unread, without waiting; false when more is left than
// one call is willing to read (the next request then drains again).
[[gnu::noinline]] bool discardUnread(platform::Transport& net, platform::Socket s) {
    constexpr int maxReceives = 128;  // 32 KB
    char scrap[scrapSize];
    for (int i = 0; i < maxReceives; ++i) {
        const platform::IoResult r = net.receive(s, scrap, sizeof scrap);
        if (r.kind != platform::IoResult::done || r.bytes == 0) return true;
    }
    return false;
}

// Runs one request/reply on the slot under its lock; a link failure closes the slot. The reply
// may be received over the request: it is sent in full before anything is received.
FrameOutcome exchangeFrame(ConnectionSlot& slot, char* frame, std::size_t size) {
    char* const reply = frame;
    platform::Transport& net = platform::transport();
    std::lock_guard<platform::Lock> guard(slot.lock);
    const SocketUse use(slot);
    const platform::Socket s = use.socket();
    if (s == platform::invalidSocket) return FrameOutcome::notConnected;
    // After a malformed reply the stream may hold the rest of it, or bytes the controller sent
    // after it; none of that may be read as the reply to this request. Only this case costs a
    // receive before the request.
    if (slot.resync == s && discardUnread(net, s)) slot.resync = platform::invalidSocket;
    const int waitMs = platform::waitMilliseconds(slot.timeout.load(std::memory_order_relaxed));
    if (!sendAll(net, s, frame, size, waitMs) || receiveReply(net, s, waitMs, reply) != ReceiveOutcome::received) {
        reply[2] = '\0';  // no payload: what did arrive is not one
        closeAfterLinkFailure(slot, s);
        return FrameOutcome::linkFailure;
    }
    if (unframeReply(reply)) return FrameOutcome::replied;
    reply[2] = '\0';
    slot.resync = s;
    return FrameOutcome::malformed;
}

// Frames the command text and runs the exchange; RC_OK when a well-formed reply arrived.
std::int32_t frameAndExchange(ExchangeBuffer& buffer, std::int32_t slot) {
    if (!validSlot(slot)) return RC_BAD_PARAM;
    char* const text = buffer.command();
    const std::size_t length = std::strlen(text);
    if (length > maxCommandText) return RC_BAD_PARAM;
    // A "$$" inside the text, or a "$" at its end, would end the frame early; the controller
    // would take the rest for a second request, and its reply would answer the next call.
    if (holdsFrameEnd(text, length) || (length > 0 && text[length - 1] == '$')) return RC_BAD_PARAM;
    ConnectionSlot& entry = slotAt(slot);
    if (!entry.connected()) return RC_COMM_FAIL;
    char* const frame = buffer.frame();
    frame[0] = '@';
    frame[1] = '@';
    text[length] = '$';
    text[length + 1] = '$';
    return exchangeFrame(entry, frame, length + 4) == FrameOutcome::replied ? RC_OK : RC_COMM_FAIL;
}

// The command text is gone once sent; a call that brought no reply leaves no payload either.
std::int32_t exchangeText(ExchangeBuffer& buffer, std::int32_t slot) {
    const std::int32_t rc = frameAndExchange(buffer, slot);
    if (rc != RC_OK) buffer.command()[0] = '\0';
    return rc;
}

// -N without overflow for every N the controller can send.
std::int32_t negated(int n) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(n)); }

}  // namespace

ReceiveOutcome receiveReply(platform::Transport& net, platform::Socket s, int waitMs, char* raw) {
    // One deadline for the whole reply: a controller that trickles its reply byte by byte
    // cannot hold the slot longer than its time limit.
    const Deadline deadline = platform::coarseMilliseconds() + waitMs;
    std::size_t got = 0;
    // The first wait starts at once, with the whole limit left: no second clock reading.
    for (int left = waitMs;; left = millisecondsLeft(deadline)) {
        const platform::IoResult r = receiveWithin(net, s, left, raw + got, replyLimit - got);
        if (r.kind == platform::IoResult::failed) return ReceiveOutcome::linkFailure;
        got += r.bytes;
        raw[got] = '\0';
        if (got != 0 && !awaitingMore(raw, got)) break;
    }
    if (got == replyLimit && !holdsFrameEnd(raw, got) && !discardRestOfFrame(net, s, deadline, raw[replyLimit - 1]))
        return ReceiveOutcome::linkFailure;
    return ReceiveOutcome::received;
}

bool unframeReply(char* reply) {
    const std::size_t length = std::strlen(reply);
    if (length < 5 || reply[0] != '#' || reply[1] != '#' || reply[length - 2] != '$' || reply[length - 1] != '$')
        return false;
    reply[length - 2] = '\0';
    return true;
}

std::int32_t classifyCommandReply(const char* payload) {
    if (std::strcmp(payload, "ok") == 0) return RC_OK;
    int number = 0;
    if (scanFields(payload, "e%d:", &number) == 1) return negated(number);
    return RC_FAIL;
}

std::int32_t classifyQueryReply(const char* payload) {
    if (payload[0] != 'e') return RC_OK;
    int number = 0;
    if (scanFields(payload, "e%d", &number) == 1) return negated(number);
    return RC_FAIL;
}

std::int32_t plainCommandExchange(ExchangeBuffer& buffer, std::int32_t slot) {
    const std::int32_t rc = exchangeText(buffer, slot);
    return rc == RC_OK ? classifyCommandReply(buffer.payload()) : rc;
}

std::int32_t queryExchange(ExchangeBuffer& buffer, std::int32_t slot) {
    const std::int32_t rc = exchangeText(buffer, slot);
    return rc == RC_OK ? classifyQueryReply(buffer.payload()) : rc;
}

std::int32_t integerQuery(const char* commandText, std::int32_t* value, std::int32_t slot) {
    if (value == nullptr) return RC_BAD_PARAM;
    ExchangeBuffer buffer;
    const std::size_t length = std::strlen(commandText);
    if (length >= regionSize) return RC_BAD_PARAM;
    std::memcpy(buffer.command(), commandText, length + 1);
    // Only a negative result is a failure; any other payload must scan.
    if (const std::int32_t rc = queryExchange(buffer, slot); rc < 0) return rc;
    int scanned = 0;
    if (scanFields(buffer.payload(), "=%d", &scanned) != 1) return RC_FAIL;
    *value = scanned;
    return RC_OK;
}

std::int32_t binaryCommandExchange(std::int32_t slot, const void* bytes, std::size_t size) {
    if (size > maxBinaryPayload) return RC_BAD_PARAM;
    if (!validSlot(slot)) return RC_COMM_FAIL;
    ConnectionSlot& entry = slotAt(slot);
    if (!entry.connected()) return RC_COMM_FAIL;
    char frame[binaryRegionSize];  // the reply is received over it
    static_assert(replyLimit + 1 <= binaryRegionSize);
    frame[0] = '@';
    frame[1] = '@';
    if (size > 0) std::memcpy(frame + 2, bytes, size);
    frame[size + 2] = '*';
    frame[size + 3] = '*';
    return exchangeFrame(entry, frame, size + 4) == FrameOutcome::replied ? classifyCommandReply(frame + 2)
                                                                           : RC_COMM_FAIL;
}

}  // namespace zefra

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Common_Cmd(const char* cmd, char* reply, int32_t slot) {
    if (cmd == nullptr || reply == nullptr) return RC_BAD_PARAM;
    ExchangeBuffer buffer;
    const std::size_t length = strnlen(cmd, regionSize);
    if (length > maxCommandText) return RC_BAD_PARAM;
    std::memcpy(buffer.command(), cmd, length);
    buffer.command()[length] = '\0';
    // Only a negative result is a failure; any other payload is the host's to read.
    if (const std::int32_t rc = queryExchange(buffer, slot); rc < 0) return rc;
    std::memcpy(reply, buffer.payload(), std::strlen(buffer.payload()));
    return RC_OK;
}
