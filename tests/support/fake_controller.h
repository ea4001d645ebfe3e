// A scripted controller on a loopback port, for tests of everything that goes over the wire.
//
// It accepts connections, cuts the incoming bytes into request frames ("@@...$$" or
// "@@...**"), records each one, and answers it with the next scripted action, or with the
// responder when the script is empty. It stops by itself when destroyed.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/sockets.h"

namespace zefra::test {

class FakeController {
public:
    // Raw bytes sent in order, each piece its own send with `gap` between them; no pieces and
    // no hang-up is a request never answered.
    struct Action {
        std::vector<std::string> pieces;
        std::chrono::milliseconds gap{0};
        bool hangUp = false;  // close the connection once the pieces are out
    };

    FakeController();
    ~FakeController();
    FakeController(const FakeController&) = delete;
    FakeController& operator=(const FakeController&) = delete;

    std::uint16_t port() const { return port_; }

    // Script the answers to the next requests, in order.
    void script(Action action);
    void replyPayload(const std::string& payload) { script({{"##" + payload + "$$"}}); }

    // Answers requests when nothing is scripted; the default answers "ok".
    void setResponder(std::function<std::string(const std::string& commandText)> payloadFor);

    // Request frames received so far, whole ("@@...$$"), and their command texts.
    std::vector<std::string> frames() const;
    std::vector<std::string> commands() const;
    std::string lastCommand() const;
    std::size_t requestCount() const { return frames().size(); }
    int connectionsAccepted() const { return accepted_.load(); }
    void clear();

private:
    void serve(sockets::Handle fd);
    Action next(const std::string& frame);

    sockets::Handle listener_ = sockets::none;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<std::thread> servers_;
    std::vector<sockets::Handle> clients_;
    std::deque<Action> script_;
    std::function<std::string(const std::string&)> responder_;
    std::vector<std::string> frames_;
};

inline constexpr std::uint32_t loopback = 0x7F000001;  // 127.0.0.1

}  // namespace zefra::test
