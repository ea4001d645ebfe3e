// The only seam between the library and the operating system. Everything that touches a
// socket goes through a Transport; the default one is the OS's, and tests, fuzz targets and
// benchmarks can install an in-memory one.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Writes text to the process's standard output through the C library's stdout, so that it
// keeps its place among the host's own output and follows the host's buffering choice.
void writeStandardOutput(const char* text);
// Tests catch what would be written; nullptr restores stdout.
using OutputSink = void (*)(const char* text);
void divertStandardOutput(OutputSink sink);

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
