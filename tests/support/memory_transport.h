// An in-memory transport: no sockets, no threads. Requests are recorded; replies come from a
// queue of chunks already waiting (each chunk is what one receive returns), from replies that
// arrive only once a request frame has gone out, or from one canned reply that answers every
// request. Used by the unit tests, the fuzz target and the CPU-cost benchmark.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace zefra::test {

class MemoryTransport final : public platform::Transport {
public:
    using IoResult = platform::IoResult;
    using Readiness = platform::Readiness;

    std::string sent;                 // every byte sent, in order
    std::deque<std::string> chunks;   // what the next receives return; "" is a receive that would block
    std::deque<std::vector<std::string>> replies;  // each arrives, in chunks, after a request frame
    const char* cannedReply = nullptr;  // when set, every request is answered with it
    bool failStart = false, failOpen = false, failClose = false, failConnect = false, failSends = false;
    bool neverWritable = false;      // a send that would block then waits in vain
    std::size_t sendLimit = 0;       // when set, each send takes at most this many bytes
    int wouldBlockSends = 0;         // this many sends report "would block" first
    int starts = 0, stops = 0, closes = 0, sendCalls = 0, receiveCalls = 0, writableWaits = 0;
    int readableWaitMs = 0;          // the limit given to the last readable wait
    bool cannedPending = false;      // a request went out: the canned reply is on its way

    bool startSockets() override { return !failStart && ++starts > 0; }
    void stopSockets() override { ++stops; }
    platform::Socket openStream() override { return failOpen ? platform::invalidSocket : 7; }
    platform::ConnectStart startConnect(platform::Socket, std::uint32_t, std::uint16_t) override {
        return failConnect ? platform::ConnectStart::inProgress : platform::ConnectStart::connected;
    }
    bool connectSucceeded(platform::Socket) override { return !failConnect; }
    Readiness waitWritable(platform::Socket, int) override {
        ++writableWaits;
        return neverWritable ? Readiness::timedOut : Readiness::ready;
    }
    Readiness waitReadable(platform::Socket, int milliseconds) override {
        readableWaitMs = milliseconds;
        return cannedPending || !chunks.empty() ? Readiness::ready : Readiness::timedOut;
    }
    IoResult send(platform::Socket, const void* data, std::size_t size) override {
        ++sendCalls;
        if (failSends) return {IoResult::failed, 0};
        if (wouldBlockSends > 0) {
            --wouldBlockSends;
            return {IoResult::wouldBlock, 0};
        }
        if (sendLimit != 0) size = std::min(size, sendLimit);
        cannedPending = cannedReply != nullptr;
        if (cannedPending) return {IoResult::done, size};
        sent.append(static_cast<const char*>(data), size);
        if ((sent.ends_with("$$") || sent.ends_with("**")) && !replies.empty()) {
            for (auto& chunk : replies.front()) chunks.push_back(std::move(chunk));
            replies.pop_front();
        }
        return {IoResult::done, size};
    }
    IoResult receive(platform::Socket, void* data, std::size_t size) override {
        ++receiveCalls;
        if (cannedPending) {
            cannedPending = false;
            const std::size_t n = std::min(size, std::strlen(cannedReply));
            std::memcpy(data, cannedReply, n);
            return {IoResult::done, n};
        }
        if (chunks.empty()) return {IoResult::wouldBlock, 0};
        std::string& front = chunks.front();
        const std::size_t n = std::min(size, front.size());
        std::memcpy(data, front.data(), n);
        front.erase(0, n);
        if (front.empty()) chunks.pop_front();
        return {n > 0 ? IoResult::done : IoResult::wouldBlock, n};
    }
    void shutdown(platform::Socket) override {}
    bool close(platform::Socket) override { return ++closes > 0 && !failClose; }
};

}  // namespace zefra::test
