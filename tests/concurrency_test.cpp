// Every slot used from several threads at once: each thread must get exactly its own replies,
// and a disconnect under load must not hang. A reply handed across a disconnect and reconnect
// is the soak's to catch, among the faults it injects.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

using namespace std::chrono;

// Each controller echoes the request back behind its tag, so a reply from the wrong slot or
// for another thread's request is caught.
std::unique_ptr<FakeController> echoing(const std::string& tag, int32_t slot, milliseconds delay = 0ms) {
    auto controller = std::make_unique<FakeController>();
    controller->setResponder([tag, delay](const std::string& text) {
        std::this_thread::sleep_for(delay);
        return "=" + tag + text;
    });
    EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller->port(), 5, slot), RC_OK);
    return controller;
}

TEST(Concurrency, EveryThreadGetsItsOwnRepliesOnEverySlot) {
    constexpr int slots = 10, threadsPerSlot = 3, callsPerThread = 150;
    std::vector<std::unique_ptr<FakeController>> controllers;
    for (int s = 0; s < slots; ++s) controllers.push_back(echoing("c" + std::to_string(s) + ":", s));
    std::atomic<int> mismatches{0}, failures{0};
    std::vector<std::thread> threads;
    for (int s = 0; s < slots; ++s)
        for (int t = 0; t < threadsPerSlot; ++t)
            threads.emplace_back([&, s, t] {
                for (int i = 0; i < callsPerThread; ++i) {
                    const std::string text = "T" + std::to_string(t) + "_" + std::to_string(i);
                    char reply[512] = {};
                    if (ZEFRA_Common_Cmd(text.c_str(), reply, s) != RC_OK) ++failures;
                    else if (std::string(reply) != "=c" + std::to_string(s) + ":" + text) ++mismatches;
                }
            });
    for (auto& th : threads) th.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(mismatches.load(), 0);
    for (int s = 0; s < slots; ++s) {
        EXPECT_EQ(controllers[s]->requestCount(), static_cast<std::size_t>(threadsPerSlot * callsPerThread));
        EXPECT_EQ(ZEFRA_Exit_ETH(s), RC_OK);
    }
}

// A disconnect waits only for the exchange on the connection it closes (which it wakes at
// once), never for exchanges that other threads have meanwhile started on a new connection.
TEST(Concurrency, DisconnectDoesNotWaitBehindExchangesOnANewerConnection) {
    constexpr int32_t slot = 7;
    const auto controller = echoing("", slot, 300ms);
    std::atomic<bool> stop{false};
    std::vector<std::thread> callers;
    for (int t = 0; t < 3; ++t)
        callers.emplace_back([&] {
            while (!stop) {
                char reply[512] = {};
                if (ZEFRA_Common_Cmd("q", reply, slot) == RC_COMM_FAIL)
                    ZEFRA_Init_ETH(loopback, controller->port(), 5, slot);
            }
        });
    double slowest = 0;
    for (int round = 0; round < 15; ++round) {
        std::this_thread::sleep_for(40ms);
        const auto start = steady_clock::now();
        EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
        slowest = std::max(slowest, duration<double, std::milli>(steady_clock::now() - start).count());
    }
    stop = true;
    ZEFRA_Exit_ETH(slot);  // wakes the callers still waiting for a reply
    for (auto& th : callers) th.join();
    ZEFRA_Exit_ETH(slot);
    EXPECT_LT(slowest, 100.0) << "a disconnect waited " << slowest << " ms";
}

}  // namespace
}  // namespace zefra::test
