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

// The work area of one exported call; lives on that call's stack and starts zeroed.
struct CommandBuffer {
    char command[regionSize];
    char framed[regionSize];
    char raw[regionSize];
    char payload[regionSize];
    unsigned char binary[binaryRegionSize];
    std::int32_t binaryLength;
};

enum class ReceiveOutcome { received, linkFailure };

// Receives one reply into `raw` (zeroed by the caller, at least replyLimit + 1 bytes) within
// `waitMs` in all. Keeps receiving while what has arrived is shorter than replyLimit, begins
// like a frame, and holds neither "$$" nor a zero byte yet. A frame too long for replyLimit
// is read to its end and the surplus dropped.
ReceiveOutcome receiveReply(platform::Transport& net, platform::Socket socket, int waitMs, char* raw);

// Strips "##" and "$$" from the zero-terminated reply into `payload` (zero-terminated).
// False for a malformed reply: shorter than 5 characters or not framed.
bool unframeReply(const char* raw, char* payload);

// Payload classification: "ok", "e<N>..." (-N), anything else.
std::int32_t classifyCommandReply(const char* payload);
std::int32_t classifyQueryReply(const char* payload);

// The four exchanges. Each returns a result code; the payload is left in `buffer.payload`.
std::int32_t plainCommandExchange(CommandBuffer& buffer, std::int32_t slot);
std::int32_t queryExchange(CommandBuffer& buffer, std::int32_t slot);
std::int32_t integerQuery(const char* commandText, std::int32_t* value, std::int32_t slot);
std::int32_t binaryCommandExchange(CommandBuffer& buffer, std::int32_t slot);

}  // namespace zefra
