// Calls per second and client CPU per call with 1, 2, 4 and 10 threads, each on its own slot,
// through the library and through a minimal raw-socket client doing the same exchange, against
// a loopback responder with one thread per connection. Library and raw phases alternate so
// that machine noise reaches both alike; only their ratios mean anything.
//
//   zefra_throughput [rounds=4] [milliseconds per phase=250]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "loopback.h"
#include "zefraapi.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr char commandFrame[] = "@@MovJ P1 50 0$$";

// Accepts every connection and serves each on its own thread until the client closes it.
class Responder {
public:
    Responder() {
        listener_ = zefra::bench::listenOnLoopback(32, port);
        acceptor_ = std::thread([this] { acceptAll(); });
    }
    ~Responder() {
        stop_ = true;
        acceptor_.join();
        for (auto& t : servers_) t.join();
        ::close(listener_);
    }
    std::uint16_t port = 0;

private:
    void acceptAll() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0) continue;
            zefra::bench::noDelay(fd);
            servers_.emplace_back([fd] { serve(fd); });
        }
    }
    static void serve(int fd) {
        char buffer[2048];
        std::size_t have = 0;
        for (;;) {
            const ssize_t n = ::recv(fd, buffer + have, sizeof buffer - have, 0);
            if (n <= 0) break;
            have += static_cast<std::size_t>(n);
            for (std::size_t i = 3; i < have; ++i) {
                if (buffer[i] != '$' || buffer[i - 1] != '$') continue;
                ::send(fd, "##ok$$", 6, MSG_NOSIGNAL);
                std::memmove(buffer, buffer + i + 1, have - i - 1);
                have -= i + 1;
                i = 2;
            }
        }
        ::close(fd);
    }
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    std::vector<std::thread> servers_;
};

// The floor: one send, poll, receive until "$$".
class RawClient {
public:
    explicit RawClient(std::uint16_t port) {
        fd_ = zefra::bench::connectToLoopback(port);
    }
    ~RawClient() { ::close(fd_); }
    bool exchange() {
        ::send(fd_, commandFrame, sizeof commandFrame - 1, MSG_NOSIGNAL);
        char reply[512];
        std::size_t got = 0;
        do {
            pollfd p{fd_, POLLIN, 0};
            ::poll(&p, 1, 2000);
            const ssize_t n = ::recv(fd_, reply + got, sizeof reply - got, 0);
            if (n <= 0) return false;
            got += static_cast<std::size_t>(n);
        } while (got < 2 || reply[got - 1] != '$' || reply[got - 2] != '$');
        return true;
    }

private:
    int fd_ = -1;
};

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Totals {
    long calls = 0;
    double seconds = 0, cpu = 0;
};

// Runs `threads` callers for `ms` milliseconds; each calls `call(index)` in a loop.
template <typename Call>
void phase(int threads, int ms, Totals& into, Call call) {
    std::atomic<bool> go{false}, stop{false};
    std::vector<long> calls(static_cast<std::size_t>(threads));
    std::vector<double> cpu(static_cast<std::size_t>(threads));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            while (!go) std::this_thread::yield();
            const double start = threadCpuSeconds();
            long n = 0;
            while (!stop) {
                if (!call(t)) std::abort();
                ++n;
            }
            cpu[static_cast<std::size_t>(t)] = threadCpuSeconds() - start;
            calls[static_cast<std::size_t>(t)] = n;
        });
    const auto begin = Clock::now();
    go = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    stop = true;
    for (auto& w : workers) w.join();
    into.seconds += std::chrono::duration<double>(Clock::now() - begin).count();
    for (int t = 0; t < threads; ++t) {
        into.calls += calls[static_cast<std::size_t>(t)];
        into.cpu += cpu[static_cast<std::size_t>(t)];
    }
}

// The median of `values` (sorted in place).
double median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* usage = "[ROUNDS [MILLISECONDS]]  (default 4 rounds of 250 ms per side)";
    const int rounds = zefra::bench::countArgument(argc, argv, 1, 4, usage);
    const int ms = zefra::bench::countArgument(argc, argv, 2, 250, usage);
    Responder responder;
    std::printf("%d rounds of %d ms per side, loopback, ZEFRA_MovJ against its raw frame\n", rounds, ms);
    std::printf("ratios: library / raw, median over the rounds [lowest, highest]\n");
    std::printf("%-8s %12s %12s %22s %11s %11s %22s\n", "threads", "lib calls/s", "raw calls/s", "calls/s ratio",
                "lib cpu us", "raw cpu us", "cpu per call ratio");
    for (const int threads : {1, 2, 4, 10}) {
        for (int s = 0; s < threads; ++s)
            if (ZEFRA_Init_ETH(INADDR_LOOPBACK, responder.port, 5, s) != RC_OK) return 1;
        std::vector<std::unique_ptr<RawClient>> raw;
        for (int s = 0; s < threads; ++s) raw.push_back(std::make_unique<RawClient>(responder.port));
        const auto libraryPhase = [&](Totals& t) {
            phase(threads, ms, t, [](int slot) { return ZEFRA_MovJ(1, 50, 0, slot) == RC_OK; });
        };
        const auto rawPhase = [&](Totals& t) {
            phase(threads, ms, t, [&](int i) { return raw[static_cast<std::size_t>(i)]->exchange(); });
        };
        Totals lib, direct;
        std::vector<double> rateRatios, cpuRatios;
        for (int r = 0; r < rounds; ++r) {
            // Each side goes first in every other round, so that neither always meets the
            // machine as the other left it.
            Totals l, d;
            if (r % 2 == 0) libraryPhase(l), rawPhase(d);
            else rawPhase(d), libraryPhase(l);
            rateRatios.push_back((static_cast<double>(l.calls) / l.seconds) / (static_cast<double>(d.calls) / d.seconds));
            cpuRatios.push_back((l.cpu / static_cast<double>(l.calls)) / (d.cpu / static_cast<double>(d.calls)));
            lib.calls += l.calls, lib.seconds += l.seconds, lib.cpu += l.cpu;
            direct.calls += d.calls, direct.seconds += d.seconds, direct.cpu += d.cpu;
        }
        for (int s = 0; s < threads; ++s) ZEFRA_Exit_ETH(s);
        const auto spread = [](std::vector<double>& v) {
            char text[40];
            const double mid = median(v);  // sorts
            std::snprintf(text, sizeof text, "%.3f [%.3f, %.3f]", mid, v.front(), v.back());
            return std::string(text);
        };
        std::printf("%-8d %12.0f %12.0f %22s %11.2f %11.2f %22s\n", threads,
                    static_cast<double>(lib.calls) / lib.seconds, static_cast<double>(direct.calls) / direct.seconds,
                    spread(rateRatios).c_str(), lib.cpu / static_cast<double>(lib.calls) * 1e6,
                    direct.cpu / static_cast<double>(direct.calls) * 1e6, spread(cpuRatios).c_str());
    }
    return 0;
}
