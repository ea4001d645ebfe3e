// The connection table: 10 slots, each a socket and a lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/platform.h"

namespace zefra {

inline constexpr std::uint32_t slotCount = 10;

// A slot is connected exactly while `socket` holds a valid handle. Keeping the flag and the
// handle in one atomic lets a disconnect, a link-failure close and a connect decide who owns
// a handle with one exchange, so a handle is closed exactly once and never under an
// exchange that is using it (closes happen only under `lock`).
struct ConnectionSlot {
    std::atomic<platform::Socket> socket{platform::invalidSocket};
    std::atomic<std::int32_t> timeout{1};
    platform::Lock lock;  // created once with the table, never re-created

    bool connected() const { return socket.load(std::memory_order_acquire) != platform::invalidSocket; }
};

// Slot numbers are checked as unsigned: every negative number is out of range.
constexpr bool validSlot(std::int32_t slot) { return static_cast<std::uint32_t>(slot) < slotCount; }

// The slot for a valid slot number.
ConnectionSlot& slotAt(std::int32_t slot);

// Closes the slot after a failed send or receive on `socket`. The caller holds the slot's
// lock. Does nothing if the slot was already closed (or reconnected) by someone else.
void closeAfterLinkFailure(ConnectionSlot& slot, platform::Socket socket);

}  // namespace zefra
