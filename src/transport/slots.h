// The connection table: 10 slots, each a socket and a lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/platform.h"

namespace zefra {

inline constexpr std::uint32_t slotCount = 10;

// A slot is connected exactly while `socket` holds a valid handle. Keeping the flag and the
// handle in one atomic lets a disconnect, a link-failure close and a connect decide who owns
// a handle with one exchange, so a handle is closed exactly once.
//
// `inUse` names the socket that the exchange holding `lock` works on (exchanges on a slot
// are serialised, so there is at most one). A disconnect detaches the socket, wakes that
// exchange and closes the socket as soon as `inUse` no longer names it: never under a running
// exchange, and never behind exchanges that already run on a newer connection.
// Each slot has cache lines of its own: callers on different slots run on different cores, and
// a lock or socket word shared with a neighbour's would move between them on every exchange.
struct alignas(64) ConnectionSlot {
    std::atomic<platform::Socket> socket{platform::invalidSocket};
    std::atomic<platform::Socket> inUse{platform::invalidSocket};
    std::atomic<std::int32_t> timeout{1};
    platform::Lock lock;         // serialises exchanges; created once with the table, never re-created
    platform::Lock publishLock;  // serialises connects publishing a socket and its timeout
    // The socket whose last reply was malformed: what it left unread belongs to no later
    // request and is discarded before the next one goes out. Guarded by `lock`.
    platform::Socket resync = platform::invalidSocket;

    bool connected() const { return socket.load(std::memory_order_acquire) != platform::invalidSocket; }
};

// Slot numbers are checked as unsigned: every negative number is out of range.
constexpr bool validSlot(std::int32_t slot) { return static_cast<std::uint32_t>(slot) < slotCount; }

// The slot for a valid slot number.
ConnectionSlot& slotAt(std::int32_t slot);

// The socket of a connected slot, marked as used by the caller (who holds the slot's lock)
// until the object goes out of scope; invalidSocket when the slot is not connected.
class SocketUse {
public:
    explicit SocketUse(ConnectionSlot& slot);
    ~SocketUse();
    SocketUse(const SocketUse&) = delete;
    SocketUse& operator=(const SocketUse&) = delete;

    platform::Socket socket() const { return socket_; }

private:
    ConnectionSlot& slot_;
    platform::Socket socket_;
};

// Closes the slot after a failed send or receive on `socket`. The caller holds the slot's
// lock and uses `socket`. Does nothing if the slot was already closed (or reconnected).
void closeAfterLinkFailure(ConnectionSlot& slot, platform::Socket socket);

}  // namespace zefra
