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
// where they end), except the payload, which reads as "" until a reply has been unframed.
// The request is framed in place ("@@" before the text, "$$" after it, the text's terminator
// put back after the send) and the reply unframed in place, so neither is copied.
struct ExchangeBuffer {
    char framePrefix[2];
    char command[regionSize];
    char reply[replyLimit + 1];  // as received, zero-terminated; the payload starts at reply + 2

    ExchangeBuffer() { reply[2] = '\0'; }
    const char* payload() const { return reply + 2; }
};

// The binary call's work area: the text exchange's, with the binary payload it alone sends.
struct CommandBuffer : ExchangeBuffer {
    unsigned char binary[binaryRegionSize];
    std::int32_t binaryLength = 0;
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
std::int32_t binaryCommandExchange(CommandBuffer& buffer, std::int32_t slot);

}  // namespace zefra
