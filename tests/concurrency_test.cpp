// Every slot used from several threads at once: each thread must get exactly its own replies.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

TEST(Concurrency, EveryThreadGetsItsOwnRepliesOnEverySlot) {
    constexpr int slots = 10, threadsPerSlot = 3, callsPerThread = 150;
    std::vector<std::unique_ptr<FakeController>> controllers;
    for (int s = 0; s < slots; ++s) {
        controllers.push_back(std::make_unique<FakeController>());
        // Echo the request back, tagged with the controller, so a reply from the wrong slot
        // or for another thread's request is caught.
        const std::string tag = "c" + std::to_string(s) + ":";
        controllers.back()->setResponder([tag](const std::string& text) { return "=" + tag + text; });
        ASSERT_EQ(ZEFRA_Init_ETH(loopback, controllers.back()->port(), 5, s), RC_OK);
    }
    std::atomic<int> mismatches{0}, failures{0};
    std::vector<std::thread> threads;
    for (int s = 0; s < slots; ++s)
        for (int t = 0; t < threadsPerSlot; ++t)
            threads.emplace_back([&, s, t] {
                for (int i = 0; i < callsPerThread; ++i) {
                    const std::string text = "T" + std::to_string(t) + "_" + std::to_string(i);
                    char reply[512] = {};
                    if (ZEFRA_Common_Cmd(text.c_str(), reply, s) != RC_OK) {
                        ++failures;
                        continue;
                    }
                    if (std::string(reply) != "=c" + std::to_string(s) + ":" + text) ++mismatches;
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

// Disconnects and reconnects while other threads keep calling: no call may crash, hang or
// see another connection's reply.
TEST(Concurrency, DisconnectAndReconnectUnderLoad) {
    FakeController controller;
    controller.setResponder([](const std::string& text) { return "=" + text; });
    constexpr int32_t slot = 8;
    ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 5, slot), RC_OK);
    std::atomic<bool> stop{false};
    std::atomic<int> mismatches{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < 4; ++t)
        callers.emplace_back([&, t] {
            for (int i = 0; !stop; ++i) {
                const std::string text = std::to_string(t) + "/" + std::to_string(i);
                char reply[512] = {};
                const int32_t rc = ZEFRA_Common_Cmd(text.c_str(), reply, slot);
                if (rc == RC_OK && std::string(reply) != "=" + text) ++mismatches;
            }
        });
    for (int round = 0; round < 40; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
        EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 5, slot), RC_OK);
    }
    stop = true;
    for (auto& th : callers) th.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(ZEFRA_Exit_ETH(slot), RC_OK);
}

// A disconnect waits only for the exchange on the connection it closes (which it wakes at
// once), never for exchanges that other threads have meanwhile started on a new connection.
TEST(Concurrency, DisconnectDoesNotWaitBehindExchangesOnANewerConnection) {
    using namespace std::chrono;
    FakeController controller;
    controller.setResponder([](const std::string& text) {
        std::this_thread::sleep_for(milliseconds(300));
        return "=" + text;
    });
    constexpr int32_t slot = 7;
    ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 5, slot), RC_OK);
    std::atomic<bool> stop{false};
    std::vector<std::thread> callers;
    for (int t = 0; t < 3; ++t)
        callers.emplace_back([&] {
            while (!stop) {
                char reply[512] = {};
                if (ZEFRA_Common_Cmd("q", reply, slot) == RC_COMM_FAIL) ZEFRA_Init_ETH(loopback, controller.port(), 5, slot);
            }
        });
    double slowest = 0;
    for (int round = 0; round < 15; ++round) {
        std::this_thread::sleep_for(milliseconds(40));
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
