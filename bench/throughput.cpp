// Calls per second and client CPU per call with 1, 2, 4 and 10 threads, each on its own slot,
// through the library and through a minimal raw-socket client doing the same exchange, against
// a loopback responder with one thread per connection. Every thread alternates short batches of
// library calls and raw exchanges, so that machine noise reaches both alike; only their ratios
// mean anything.
//
//   zefra_throughput [milliseconds per thread count=2000] [calls per batch=32]
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

// Serves connections in the order they arrive, two at a time on one thread: a caller's library
// slot and its raw connection, so that both sides meet the same responder thread and the same
// wake-up path (which core the responder runs on moves a call's cost by more than 2x here).
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
        int waiting = -1;
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0) continue;
            zefra::bench::noDelay(fd);
            if (waiting < 0) {
                waiting = fd;
                continue;
            }
            servers_.emplace_back([a = waiting, b = fd] { serve(a, b); });
            waiting = -1;
        }
    }
    // Answers every "$$"-terminated request on either connection until both are closed.
    static void serve(int first, int second) {
        struct Connection {
            char buffer[2048];
            std::size_t have = 0;
        } connections[2];
        pollfd p[2] = {{first, POLLIN, 0}, {second, POLLIN, 0}};
        while (p[0].fd >= 0 || p[1].fd >= 0) {
            if (::poll(p, 2, -1) <= 0) continue;
            for (int c = 0; c < 2; ++c) {
                if (p[c].fd < 0 || p[c].revents == 0) continue;
                Connection& in = connections[c];
                const ssize_t n = ::recv(p[c].fd, in.buffer + in.have, sizeof in.buffer - in.have, 0);
                if (n <= 0) {
                    ::close(p[c].fd);
                    p[c].fd = -1;
                    continue;
                }
                in.have += static_cast<std::size_t>(n);
                for (std::size_t i = 3; i < in.have; ++i) {
                    if (in.buffer[i] != '$' || in.buffer[i - 1] != '$') continue;
                    ::send(p[c].fd, "##ok$$", 6, MSG_NOSIGNAL);
                    std::memmove(in.buffer, in.buffer + i + 1, in.have - i - 1);
                    in.have -= i + 1;
                    i = 2;
                }
            }
        }
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

// One batch of library calls and one of raw exchanges, back to back on one thread: the two
// meet the same machine, so their ratio is steady where whole phases of each are not.
struct Pair {
    double libraryWall, rawWall, libraryCpu, rawCpu;
};

// Each of `threads` callers alternates batches of `batch` library calls on its slot and raw
// exchanges on its own connection for `ms` milliseconds, which side goes first alternating too.
template <typename Library, typename Raw>
std::vector<Pair> pairedBatches(int threads, int ms, int batch, Library library, Raw raw) {
    std::atomic<bool> go{false}, stop{false};
    std::vector<std::vector<Pair>> pairs(static_cast<std::size_t>(threads));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            auto& mine = pairs[static_cast<std::size_t>(t)];
            mine.reserve(100000);
            while (!go) std::this_thread::yield();
            const auto timed = [&](auto&& call, double& wall, double& cpu) {
                const auto w0 = Clock::now();
                const double c0 = threadCpuSeconds();
                for (int i = 0; i < batch; ++i)
                    if (!call(t)) std::abort();
                cpu = threadCpuSeconds() - c0;
                wall = std::chrono::duration<double>(Clock::now() - w0).count();
            };
            std::size_t k = 0;
            do {  // at least one pair, however short the run: the ratios need one
                Pair p{};
                if (k++ % 2 == 0) timed(library, p.libraryWall, p.libraryCpu), timed(raw, p.rawWall, p.rawCpu);
                else timed(raw, p.rawWall, p.rawCpu), timed(library, p.libraryWall, p.libraryCpu);
                mine.push_back(p);
            } while (!stop);
        });
    go = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    stop = true;
    for (auto& w : workers) w.join();
    std::vector<Pair> all;
    for (const auto& mine : pairs) all.insert(all.end(), mine.begin(), mine.end());
    return all;
}

// The median and quartiles of `values`, as "median [first, third]".
std::string quartiles(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) { return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))]; };
    char text[48];
    std::snprintf(text, sizeof text, "%.3f [%.3f, %.3f]", at(0.5), at(0.25), at(0.75));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* usage = "[MILLISECONDS [BATCH]]  (default 2000 ms per thread count, batches of 32 calls)";
    const int ms = zefra::bench::countArgument(argc, argv, 1, 2000, usage);
    const int batch = zefra::bench::countArgument(argc, argv, 2, 32, usage);
    Responder responder;
    std::printf("%d ms per thread count in paired batches of %d calls, loopback, ZEFRA_MovJ against its raw frame\n",
                ms, batch);
    std::printf("ratios library / raw: over all pairs, then the median [quartiles] of the pairs\n");
    std::printf("%-8s %8s %12s %12s %30s %10s %10s %30s\n", "threads", "pairs", "lib calls/s", "raw calls/s",
                "calls/s ratio", "lib cpu us", "raw cpu us", "cpu per call ratio");
    for (const int threads : {1, 2, 4, 10}) {
        std::vector<std::unique_ptr<RawClient>> raw;
        for (int s = 0; s < threads; ++s) {  // in pairs, as the responder serves them
            if (ZEFRA_Init_ETH(INADDR_LOOPBACK, responder.port, 5, s) != RC_OK) return 1;
            raw.push_back(std::make_unique<RawClient>(responder.port));
        }
        const std::vector<Pair> pairs = pairedBatches(
            threads, ms, batch, [](int slot) { return ZEFRA_MovJ(1, 50, 0, slot) == RC_OK; },
            [&](int t) { return raw[static_cast<std::size_t>(t)]->exchange(); });
        for (int s = 0; s < threads; ++s) ZEFRA_Exit_ETH(s);
        raw.clear();
        Pair sum{};
        std::vector<double> rateRatios, cpuRatios;
        for (const Pair& p : pairs) {
            sum.libraryWall += p.libraryWall, sum.rawWall += p.rawWall;
            sum.libraryCpu += p.libraryCpu, sum.rawCpu += p.rawCpu;
            rateRatios.push_back(p.rawWall / p.libraryWall);
            cpuRatios.push_back(p.libraryCpu / p.rawCpu);
        }
        const double calls = static_cast<double>(pairs.size()) * batch;
        char rate[64], cpu[64];
        std::snprintf(rate, sizeof rate, "%.3f, %s", sum.rawWall / sum.libraryWall, quartiles(rateRatios).c_str());
        std::snprintf(cpu, sizeof cpu, "%.3f, %s", sum.libraryCpu / sum.rawCpu, quartiles(cpuRatios).c_str());
        std::printf("%-8d %8zu %12.0f %12.0f %30s %10.2f %10.2f %30s\n", threads, pairs.size(),
                    calls / sum.libraryWall * threads, calls / sum.rawWall * threads, rate,
                    sum.libraryCpu / calls * 1e6, sum.rawCpu / calls * 1e6, cpu);
    }
    return 0;
}
