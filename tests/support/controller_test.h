// A scripted controller on a loopback port, for tests of everything that goes over the wire,
// and the base fixture of every command family: such a controller connected on one slot.
//
// The controller accepts connections, cuts the incoming bytes into request frames ("@@...$$" or
// "@@...**"), records each one, and answers it with the next scripted action, or with the
// responder when the script is empty. It stops by itself when destroyed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
#include "zefraapi.h"

namespace zefra::test {

inline constexpr std::uint32_t loopback = 0x7F000001;  // 127.0.0.1

class FakeController {
public:
    // Raw bytes sent in order, each piece its own send `gap` after the one before; no pieces
    // and no hang-up is a request never answered.
    struct Action {
        std::vector<std::string> pieces;
        std::chrono::milliseconds gap{0};
        bool hangUp = false;  // close the connection once the pieces are out
    };

    FakeController() {
        acceptor_ = std::thread([this] {
            while (!stopping_) {
                if (!sockets::waitReadable(listener_, 20)) continue;
                const sockets::Handle fd = sockets::accept(listener_);
                if (fd == sockets::none) continue;
                clients_.push_back(fd);  // the acceptor's own, until the destructor has joined it
                servers_.emplace_back([this, fd] { serve(fd); });
            }
        });
    }
    ~FakeController() {
        stopping_ = true;
        acceptor_.join();
        for (const sockets::Handle fd : clients_) sockets::shutdown(fd);
        for (auto& t : servers_) t.join();
        for (const sockets::Handle fd : clients_) sockets::close(fd);
        sockets::close(listener_);
    }

    std::uint16_t port() const { return port_; }

    // Script the answers to the next requests, in order.
    void script(Action action) {
        std::lock_guard<std::mutex> lock(mutex_);
        script_.push_back(std::move(action));
    }
    void replyPayload(const std::string& payload) { script({{"##" + payload + "$$"}}); }

    // Answers requests when nothing is scripted; the default answers "ok".
    void setResponder(std::function<std::string(const std::string& commandText)> payloadFor) {
        std::lock_guard<std::mutex> lock(mutex_);
        responder_ = std::move(payloadFor);
    }

    // Request frames received so far, whole ("@@...$$"), and their command texts.
    std::vector<std::string> frames() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }
    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const auto& f : frames()) out.push_back(commandOf(f));
        return out;
    }
    std::size_t requestCount() const { return frames().size(); }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.clear();
        script_.clear();
    }

private:
    // "@@text$$" -> "text"
    static std::string commandOf(const std::string& frame) {
        return frame.size() < 4 ? std::string() : frame.substr(2, frame.size() - 4);
    }

    // Records the frame before it is answered, so a test that has its reply also sees its frame.
    // The responder runs unlocked: it may take its time.
    Action next(const std::string& frame) {
        std::unique_lock<std::mutex> lock(mutex_);
        frames_.push_back(frame);
        if (script_.empty()) {
            const auto responder = responder_;
            lock.unlock();
            return {{"##" + responder(commandOf(frame)) + "$$"}};
        }
        Action action = std::move(script_.front());
        script_.pop_front();
        return action;
    }

    void serve(sockets::Handle fd) {
        std::string pending;
        char chunk[4096];
        while (!stopping_) {
            if (!sockets::waitReadable(fd, 20)) continue;
            const long n = sockets::receive(fd, chunk, sizeof chunk);
            if (n <= 0) return;
            pending.append(chunk, static_cast<std::size_t>(n));
            // A frame ends at the first "$$" or "**" after its "@@".
            for (std::size_t e; (e = std::min(pending.find("$$", 2), pending.find("**", 2))) != pending.npos;) {
                const Action action = next(pending.substr(0, e + 2));
                pending.erase(0, e + 2);
                for (const std::string& piece : action.pieces) {
                    std::this_thread::sleep_for(action.gap);
                    if (!sockets::send(fd, piece.data(), piece.size())) return;
                }
                if (action.hangUp) return sockets::shutdown(fd);
            }
        }
    }

    std::uint16_t port_ = 0;
    sockets::Handle listener_ = sockets::open(16, port_);
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<std::thread> servers_;
    std::vector<sockets::Handle> clients_;
    std::deque<Action> script_;
    std::function<std::string(const std::string&)> responder_ = [](const std::string&) { return std::string("ok"); };
    std::vector<std::string> frames_;
};

class ControllerTest : public ::testing::Test {
protected:
    static constexpr int32_t slot = 0;

    void SetUp() override { ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, slot), RC_OK); }
    void TearDown() override { ZEFRA_Exit_ETH(slot); }

    // The command text of the last request the controller received.
    std::string sent() const {
        const auto all = controller.commands();
        return all.empty() ? std::string() : all.back();
    }

    // True when nothing reached the controller since the last clear(): a probe sent now must
    // be the first request it sees.
    bool nothingSent() {
        char reply[512] = {};
        controller.replyPayload("ok");
        const bool clean = ZEFRA_Common_Cmd("probe", reply, slot) == RC_OK &&
                           controller.commands() == std::vector<std::string>{"probe"};
        controller.clear();
        return clean;
    }

    FakeController controller;
};

}  // namespace zefra::test
