// The framed request/reply exchange and reply classification.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace zefra {

inline constexpr std::size_t regionSize = 1024;
inline constexpr std::size_t replyLimit = 512;       // bytes taken from the wire per reply
inline constexpr std::size_t maxCommandText = 1019;  // "@@" + text + "$$" + terminator fit 1024
inline constexpr std::size_t binaryRegionSize = 1400;
inline constexpr std::size_t maxBinaryPayload = binaryRegionSize - 4;

// The work area of one text exchange; lives on the calling function's stack. Nothing in it is
// zeroed: whatever is read is written first (the command text and the reply are terminated
// where they end). The request is framed in place ("@@" before the text, "$$" after it) and,
// once it is sent, the reply is received over it and unframed in place: nothing is copied and
// a call needs room for the larger of the two only. The payload reads as "" until a reply has
// been unframed, and again after any exchange that brought none.
class ExchangeBuffer {
public:
    ExchangeBuffer() { area_[2] = '\0'; }
    ExchangeBuffer(const ExchangeBuffer&) = delete;
    ExchangeBuffer& operator=(const ExchangeBuffer&) = delete;

    char* command() { return area_ + 2; }
    const char* command() const { return area_ + 2; }
    char* frame() { return area_; }  // "@@" + command text + "$$" while sending, then the reply
    const char* payload() const { return area_ + 2; }

private:
    static_assert(replyLimit + 1 <= regionSize + 2, "the reply is received over the request");
    char area_[2 + regionSize];
};

enum class ReceiveOutcome { received, linkFailure };

// Receives one reply into `raw` (at least replyLimit + 1 bytes, kept zero-terminated after
// what has arrived) within `waitMs` in all. Keeps receiving while what has arrived is shorter
// than replyLimit and holds no "$$" yet, whatever it begins with and whatever zero bytes it
// holds. A reply too long for replyLimit is read to its end and the surplus dropped.
ReceiveOutcome receiveReply(platform::Transport& net, platform::Socket socket, int waitMs, char* raw);

// Strips "##" and "$$" from the zero-terminated reply in place: the payload is then the
// zero-terminated text at reply + 2. False (nothing changed) for a malformed reply: shorter
// than 5 characters or not framed.
bool unframeReply(char* reply);

// Payload classification: "ok", "e<N>..." (-N), anything else.
std::int32_t classifyCommandReply(const char* payload);
std::int32_t classifyQueryReply(const char* payload);

// The four exchanges. Each returns a result code; the payload is left in `buffer.payload()`.
std::int32_t plainCommandExchange(ExchangeBuffer& buffer, std::int32_t slot);
std::int32_t queryExchange(ExchangeBuffer& buffer, std::int32_t slot);
std::int32_t integerQuery(const char* commandText, std::int32_t* value, std::int32_t slot);
// One binary request ("@@" + the bytes unchanged + "**"), classified like a plain command.
// More bytes than the binary frame holds are refused with nothing sent.
std::int32_t binaryCommandExchange(std::int32_t slot, const void* bytes, std::size_t size);

}  // namespace zefra
