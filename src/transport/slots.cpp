#include "transport/slots.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "zefraapi.h"

namespace zefra {
namespace {

ConnectionSlot connectionTable[slotCount];

constexpr int connectLimitMs = 2000;  // fixed; the slot's own timeout plays no part

// Opens and connects a socket; invalidSocket when no connection was established in time.
platform::Socket connectStream(platform::Transport& net, platform::Socket s, std::uint32_t ip, std::uint16_t port) {
    switch (net.startConnect(s, ip, port)) {
        case platform::ConnectStart::connected:
            return s;
        case platform::ConnectStart::inProgress:
            if (net.waitWritable(s, connectLimitMs) == platform::Readiness::ready && net.connectSucceeded(s)) return s;
            break;
        case platform::ConnectStart::failed:
            break;
    }
    return platform::invalidSocket;
}

}  // namespace

ConnectionSlot& slotAt(std::int32_t slot) { return connectionTable[static_cast<std::uint32_t>(slot)]; }

SocketUse::SocketUse(ConnectionSlot& slot) : slot_(slot), socket_(platform::invalidSocket) {
    // Publish the use first, then confirm the socket is still attached: a disconnect detaches
    // first, then looks at the use, so one of the two always sees the other (both sequentially
    // consistent).
    for (;;) {
        const platform::Socket s = slot.socket.load();
        if (s == platform::invalidSocket) return;
        slot.inUse.store(s);
        if (slot.socket.load() == s) {
            socket_ = s;
            return;
        }
        slot.inUse.store(platform::invalidSocket, std::memory_order_release);
    }
}

SocketUse::~SocketUse() {
    if (socket_ != platform::invalidSocket) slot_.inUse.store(platform::invalidSocket, std::memory_order_release);
}

void closeAfterLinkFailure(ConnectionSlot& slot, platform::Socket socket) {
    platform::Socket expected = socket;
    if (!slot.socket.compare_exchange_strong(expected, platform::invalidSocket, std::memory_order_acq_rel)) return;
    platform::Transport& net = platform::transport();
    if (net.close(socket)) net.stopSockets();
}

}  // namespace zefra

using namespace zefra;

int32_t ZEFRA_CALL ZEFRA_Init_ETH(uint32_t ip, uint16_t port, int32_t timeout, int32_t slot) {
    if (!validSlot(slot) || timeout <= 0) return RC_BAD_PARAM;
    platform::Transport& net = platform::transport();
    if (!net.startSockets()) return RC_FAIL;
    ConnectionSlot& entry = slotAt(slot);
    if (entry.connected()) {
        net.stopSockets();
        return RC_OK;
    }
    const platform::Socket opened = net.openStream();
    if (opened == platform::invalidSocket) {
        net.stopSockets();
        return RC_FAIL;
    }
    if (connectStream(net, opened, ip, port) == platform::invalidSocket) {
        net.close(opened);
        net.stopSockets();
        return RC_COMM_FAIL;
    }
    // Exchanges never take this lock, so a connect is never kept waiting behind them.
    std::lock_guard<platform::Lock> guard(entry.publishLock);
    if (entry.connected()) {  // another thread connected this slot meanwhile: keep its connection
        net.close(opened);
        net.stopSockets();
        return RC_OK;
    }
    entry.timeout.store(timeout, std::memory_order_relaxed);
    entry.socket.store(opened, std::memory_order_release);
    return RC_OK;
}

int32_t ZEFRA_CALL ZEFRA_Exit_ETH(int32_t slot) {
    if (!validSlot(slot)) return RC_BAD_PARAM;
    ConnectionSlot& entry = slotAt(slot);
    const platform::Socket owned = entry.socket.exchange(platform::invalidSocket, std::memory_order_acq_rel);
    if (owned == platform::invalidSocket) return RC_OK;
    platform::Transport& net = platform::transport();
    // Wake an exchange working on this socket now, and close only once it has let go of it, so
    // the descriptor number cannot be reused under it. Exchanges on a newer connection of the
    // slot do not hold this one up.
    // The shutdown has woken it, so this is a wait of microseconds, and polling for it keeps
    // the exchanges free of any wake-up call of their own.
    net.shutdown(owned);
    while (entry.inUse.load() == owned) std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (!net.close(owned)) return RC_FAIL;
    net.stopSockets();
    return RC_OK;
}
