// The only seam between the library and the operating system. Everything that touches a
// socket goes through a Transport; the default one is the OS's, and tests, fuzz targets and
// benchmarks can install an in-memory one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace zefra::platform {

using Socket = std::intptr_t;
inline constexpr Socket invalidSocket = -1;

enum class Readiness { ready, timedOut, failed };
enum class ConnectStart { connected, inProgress, failed };

// Result of a non-blocking send or receive: a byte count, "would block", or failure
// (an error, or for a receive the peer closing the connection).
struct IoResult {
    enum Kind { done, wouldBlock, failed } kind;
    std::size_t bytes;
};

class Transport {
public:
    virtual ~Transport() = default;
    // Start/stop the socket layer; every connected slot holds one start.
    virtual bool startSockets() = 0;
    virtual void stopSockets() = 0;
    // A non-blocking IPv4 stream socket, close-on-exec, no Nagle delay, address reuse set.
    virtual Socket openStream() = 0;
    virtual ConnectStart startConnect(Socket s, std::uint32_t ipHostOrder, std::uint16_t port) = 0;
    // After a writable wait on a connecting socket: did the connect succeed?
    virtual bool connectSucceeded(Socket s) = 0;
    virtual Readiness waitWritable(Socket s, int milliseconds) = 0;
    virtual Readiness waitReadable(Socket s, int milliseconds) = 0;
    virtual IoResult send(Socket s, const void* data, std::size_t size) = 0;
    virtual IoResult receive(Socket s, void* data, std::size_t size) = 0;
    // Wakes every wait on the socket at once; the descriptor stays valid until close().
    virtual void shutdown(Socket s) = 0;
    virtual bool close(Socket s) = 0;
};

// The transport in use. Swapping it is meant for tests, before any slot is connected.
Transport& transport();
void useTransport(Transport* replacement);  // nullptr restores the OS transport
Transport& systemTransport();                // the OS transport, one per process

// Writes text to the process's standard output through the C library's stdout, so that it
// keeps its place among the host's own output and follows the host's buffering choice.
void writeStandardOutput(const char* text);
// Tests catch what would be written; nullptr restores stdout.
using OutputSink = void (*)(const char* text);
void divertStandardOutput(OutputSink sink);

// Print messages cross between the host's own multibyte character set (a Windows host's ANSI
// code page, a POSIX host's locale charset) and UTF-8. Each reads the zero-terminated `text`,
// no further than `limit` bytes, and writes whole characters only to `out`, at most `size`
// bytes with the terminator, which is always written (size > 0). A character that runs past
// `limit` or does not fit `out` ends the text there. Input that is no character becomes
// U+FFFD; a character the target set lacks becomes "?". Returns the length written.
std::size_t hostTextToUtf8(const char* text, std::size_t limit, char* out, std::size_t size);
std::size_t utf8ToHostText(const char* text, std::size_t limit, char* out, std::size_t size);

// One character set, taken one character at a time.
class Charset {
public:
    struct Decoded {
        enum Kind { character, invalid, incomplete } kind;
        std::size_t length;  // bytes taken (at least 1 for character and invalid)
        char32_t value;      // the code point of a character
    };
    static constexpr std::size_t maxEncoded = 16;

    virtual ~Charset() = default;
    // The character at `text`, of which `available` bytes (at least 1, none zero) may be read.
    // incomplete: all `available` bytes begin a character that goes on past them.
    virtual Decoded decode(const char* text, std::size_t available) const = 0;
    // Writes `c` (at most maxEncoded bytes) and returns its length; 0 when the set lacks it.
    virtual std::size_t encode(char32_t c, char* out) const = 0;
};

// Strict UTF-8: overlong forms, surrogates and code points past U+10FFFF are not characters.
const Charset& utf8Charset();
// The conversion behind the two above, between any two sets, with their bounds and rules.
std::size_t convertText(const Charset& from, const Charset& to, const char* text, std::size_t limit, char* out,
                        std::size_t size);

// The host's set is its locale's: the environment's, taken once at first use. Tests fix another
// one; nullptr restores the environment's.
void useHostCharset(const Charset* charset);
// The environment's set (a POSIX host's locale, a Windows host's ANSI code page), made once.
const Charset& environmentCharset();
// The set of a named locale ("" is the environment's) as the library would use it; nullptr
// when the system has no such locale.
std::unique_ptr<Charset> localeCharset(const char* name);

using Lock = std::mutex;

// A monotonic clock in milliseconds, as cheap to read as the OS allows and only a few
// milliseconds fine: good enough for time limits given in whole seconds.
std::int64_t coarseMilliseconds();

// Seconds to milliseconds for a readiness wait, saturating instead of overflowing.
constexpr int waitMilliseconds(std::int32_t seconds) {
    constexpr std::int64_t maxMs = 0x7fffffff;
    const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
    return ms > maxMs ? static_cast<int>(maxMs) : static_cast<int>(ms);
}

}  // namespace zefra::platform
