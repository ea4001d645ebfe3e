// Soak under fault injection: 10 slots, several threads on each, against the emulator told to
// delay replies past the time limit, split them, drop connections, malform replies and fall
// silent, while one more thread disconnects random slots mid-exchange. Every thread writes
// values that no other thread ever writes into variables of its own and reads them back, so a
// reply that reaches the wrong caller shows up as a foreign value. Fails on such cross-talk,
// on a slot that never got an answer, on a descriptor left open once every slot is closed, and
// on memory that keeps growing.
//
//   zefra_soak --sim PATH [--seconds N] [--seed N]
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "transport/slots.h"
#include "zefraapi.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int slots = 10, threadsPerSlot = 3, timeoutSeconds = 1;

long openDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
}

long residentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The emulator on a free loopback port; it stops by itself should this program die first.
struct Emulator {
    pid_t pid = -1;
    int port = -1;

    Emulator(const char* path, int seconds, unsigned seed) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) return;
        const std::string exitAfter = std::to_string(seconds + 60), seedText = std::to_string(seed);
        const char* argv[] = {path, "--port", "0", "--exit-after", exitAfter.c_str(), "--fault-seed", seedText.c_str(),
                              "--fault-delay", "0.02", "--fault-delay-ms", "2500", "--fault-split", "0.05",
                              "--fault-drop", "0.005", "--fault-malform", "0.01", "--fault-silence", "0.002", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        if (posix_spawn(&pid, path, &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        FILE* const lines = fdopen(out[0], "r");
        if (std::fscanf(lines, "listening on %*[0-9.]:%d", &port) != 1) port = -1;
        std::fclose(lines);
    }
    ~Emulator() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

// Every request here is well formed and every fault the emulator injects is a link or framing
// failure, so any other failure than RC_COMM_FAIL means a reply answered the wrong request.
struct Tally {
    std::atomic<long> calls{0}, ok{0}, mismatched{0}, crossTalk{0}, disconnects{0};
    std::atomic<long> okBySlot[slots] = {};  // a slot never served would hide among the others

    std::int32_t count(std::int32_t rc, int slot) {
        ++calls;
        if (rc == RC_OK) ++ok, ++okBySlot[slot];
        else if (rc != RC_COMM_FAIL) ++mismatched;
        return rc;
    }
};

// What a variable may hold: the last value confirmed, and every value whose write failed since
// (the controller may have taken it before the link broke).
struct Expected {
    std::vector<std::int32_t> values{0};
    void wrote(std::int32_t v, bool confirmed) {
        if (confirmed) values.clear();
        values.push_back(v);
    }
    bool holds(std::int32_t v) {
        if (std::find(values.begin(), values.end(), v) == values.end()) return false;
        values.assign(1, v);
        return true;
    }
};

void worker(int slot, int thread, std::uint16_t port, const std::atomic<bool>& stop, Tally& tally) {
    const int id = slot * threadsPerSlot + thread;
    const std::int32_t index = 100 + id;
    Expected number, point;
    const auto foreign = [&](bool wrong, double value) {
        if (!wrong) return;
        std::fprintf(stderr, "cross-talk: thread %d read %.0f\n", id, value);
        ++tally.crossTalk;
    };
    for (std::int32_t serial = 1; !stop; ++serial) {
        if (!zefra::slotAt(slot).connected() && ZEFRA_Init_ETH(0x7F000001u, port, timeoutSeconds, slot) != RC_OK) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        // Thread id in the high bits: no other thread ever writes this value anywhere.
        const std::int32_t mine = id << 20 | (serial & 0xFFFFF);
        number.wrote(mine, tally.count(ZEFRA_Set_CommonVarInt(index, mine, slot), slot) == RC_OK);
        std::int32_t got = 0;
        if (tally.count(ZEFRA_Get_CommonVarInt(index, &got, slot), slot) == RC_OK) foreign(!number.holds(got), got);
        // A longer reply, more often cut by a split.
        RobP target{}, back{};
        target.pos[0] = mine;
        target.pos[5] = -mine;
        point.wrote(mine, tally.count(ZEFRA_Set_RobP(index, &target, slot), slot) == RC_OK);
        if (tally.count(ZEFRA_Get_RobP(index, &back, slot), slot) == RC_OK)
            foreign(back.pos[0] != -back.pos[5] || !point.holds(static_cast<std::int32_t>(back.pos[0])), back.pos[0]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* sim = nullptr;
    int seconds = 30;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sim") == 0) sim = argv[i + 1];
        else if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
    }
    if (sim == nullptr || seconds <= 0) {
        std::fprintf(stderr, "usage: %s --sim PATH [--seconds N] [--seed N]\n", argv[0]);
        return 2;
    }
    const long descriptorsBefore = openDescriptors();
    Tally tally;
    long residentWarm = 0, residentEnd = 0;
    {
        Emulator emulator(sim, seconds, seed);
        if (emulator.port <= 0) {
            std::fprintf(stderr, "the emulator did not start\n");
            return 1;
        }
        std::atomic<bool> stop{false};
        std::vector<std::thread> threads;
        const auto port = static_cast<std::uint16_t>(emulator.port);
        for (int s = 0; s < slots; ++s)
            for (int t = 0; t < threadsPerSlot; ++t) threads.emplace_back(worker, s, t, port, std::cref(stop), std::ref(tally));
        std::mt19937 random(seed);
        const auto start = Clock::now(), end = start + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 60)(random)));
            const int slot = std::uniform_int_distribution<int>(0, slots - 1)(random);
            if (zefra::slotAt(slot).connected() && ZEFRA_Exit_ETH(slot) == RC_OK) ++tally.disconnects;
            if (residentWarm == 0 && Clock::now() - start > std::chrono::seconds(seconds) / 4) residentWarm = residentKiB();
        }
        residentEnd = residentKiB();
        stop = true;
        for (int s = 0; s < slots; ++s) ZEFRA_Exit_ETH(s);  // wakes threads waiting on a reply
        for (auto& t : threads) t.join();
        for (int s = 0; s < slots; ++s) ZEFRA_Exit_ETH(s);
    }
    const long leaked = openDescriptors() - descriptorsBefore;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr long growthLimitKiB = 64 * 1024;  // the sanitizers' own bookkeeping grows
#else
    constexpr long growthLimitKiB = 4 * 1024;
#endif
    const long growth = residentEnd - residentWarm;
    const long leastServed = *std::min_element(std::begin(tally.okBySlot), std::end(tally.okBySlot));
    std::printf("soak: %d s, %ld calls, %ld ok, %ld answered by the wrong reply, %ld disconnects; cross-talk %ld, "
                "descriptors leaked %ld, memory growth %ld KiB, least successes on one slot %ld\n",
                seconds, tally.calls.load(), tally.ok.load(), tally.mismatched.load(), tally.disconnects.load(),
                tally.crossTalk.load(), leaked, growth, leastServed);
    const bool passed = tally.crossTalk == 0 && tally.mismatched == 0 && leaked == 0 && growth <= growthLimitKiB &&
                        tally.ok > tally.calls / 2 && leastServed > 0;
    return passed ? 0 : 1;
}
