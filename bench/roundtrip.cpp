// Round-trip time through the library against the same exchange done by a minimal raw-socket
// client (the physical floor), both against one loopback responder in the same run.
// Library and raw calls alternate call by call so machine noise hits both alike.
//
//   zefra_roundtrip [blocks=40] [calls per block=500]
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
#include <string>
#include <thread>
#include <vector>

#include "records/records.h"
#include "transport/command.h"
#include "loopback.h"
#include "zefraapi.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr char queryReply[] = "##=400.5,0,300,180,0,90;0,0,1,0;0,0,0$$";

// Answers every framed request: "ok" to commands, a point to requests that start with "Get".
// One thread serves both connections (library and raw), so both see the same scheduling.
class Responder {
public:
    Responder() {
        listener_ = zefra::bench::listenOnLoopback(4, port);
        server_ = std::thread([this] { serve(); });
    }
    ~Responder() {
        server_.join();
        ::close(listener_);
    }
    std::uint16_t port = 0;

private:
    struct Connection {
        int fd = -1;
        char buffer[2048];
        std::size_t have = 0;
    };

    void serve() {
        Connection connections[2];
        for (auto& c : connections) {
            c.fd = ::accept(listener_, nullptr, nullptr);
            zefra::bench::noDelay(c.fd);
        }
        pollfd polls[2] = {{connections[0].fd, POLLIN, 0}, {connections[1].fd, POLLIN, 0}};
        for (int open = 2; open > 0;) {
            if (::poll(polls, 2, 5000) <= 0) break;
            for (int i = 0; i < 2; ++i)
                if (polls[i].revents != 0 && !answer(connections[i])) {
                    ::close(connections[i].fd);
                    polls[i].fd = -1;
                    --open;
                }
        }
    }

    static bool answer(Connection& c) {
        const ssize_t n = ::recv(c.fd, c.buffer + c.have, sizeof c.buffer - c.have, 0);
        if (n <= 0) return false;
        c.have += static_cast<std::size_t>(n);
        for (std::size_t i = 3; i < c.have; ++i) {
            if (c.buffer[i] != '$' || c.buffer[i - 1] != '$') continue;
            const bool query = std::strncmp(c.buffer + 2, "Get", 3) == 0;
            const char* reply = query ? queryReply : "##ok$$";
            ::send(c.fd, reply, std::strlen(reply), MSG_NOSIGNAL);
            std::memmove(c.buffer, c.buffer + i + 1, c.have - i - 1);
            c.have -= i + 1;
            i = 2;
        }
        return true;
    }

    int listener_ = -1;
    std::thread server_;
};

// The floor: one send, poll, receive until "$$", nothing else.
class RawClient {
public:
    explicit RawClient(std::uint16_t port) {
        fd_ = zefra::bench::connectToLoopback(port);
    }
    ~RawClient() { ::close(fd_); }
    std::size_t exchange(const char* frame, std::size_t size) {
        ::send(fd_, frame, size, MSG_NOSIGNAL);
        char reply[512];
        std::size_t got = 0;
        do {
            pollfd p{fd_, POLLIN, 0};
            ::poll(&p, 1, 2000);
            const ssize_t n = ::recv(fd_, reply + got, sizeof reply - got, 0);
            if (n <= 0) std::abort();
            got += static_cast<std::size_t>(n);
        } while (got < 2 || reply[got - 1] != '$' || reply[got - 2] != '$');
        return got;
    }

private:
    int fd_ = -1;
};

struct Stats {
    double median, p99;
};

Stats summarise(std::vector<double>& samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

template <typename Call>
void measure(std::vector<double>& into, int calls, Call call) {
    for (int i = 0; i < calls; ++i) {
        const auto start = Clock::now();
        call();
        into.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* usage = "[BLOCKS [CALLS]]  (default 40 blocks of 500 calls of each kind)";
    const int blocks = zefra::bench::countArgument(argc, argv, 1, 40, usage);
    const int calls = zefra::bench::countArgument(argc, argv, 2, 500, usage);
    Responder responder;
    RawClient raw(responder.port);
    if (ZEFRA_Init_ETH(INADDR_LOOPBACK, responder.port, 5, 0) != RC_OK) return 1;

    std::vector<double> libCommand, rawCommand, libQuery, rawQuery;
    const char commandFrame[] = "@@MovJ P1 50 0$$";
    const char queryFrame[] = "@@Get_PosHere$$";
    int failures = 0;
    const auto libraryCommand = [&] { failures += ZEFRA_MovJ(1, 50, 0, 0) != RC_OK; };
    const auto rawCommandCall = [&] { raw.exchange(commandFrame, sizeof commandFrame - 1); };
    const auto libraryQuery = [&] {
        zefra::Command query;
        PointRecord point;
        failures += query.query(0, "Get_PosHere") != RC_OK || !zefra::readPointRecord(query.payload(), &point);
    };
    const auto rawQueryCall = [&] { raw.exchange(queryFrame, sizeof queryFrame - 1); };
    // Short alternating runs: drift in the machine's state reaches both sides alike.
    for (int b = 0; b < blocks; ++b) {
        for (int i = 0; i < calls; ++i) {
            measure(libCommand, 1, libraryCommand);
            measure(rawCommand, 1, rawCommandCall);
            measure(libQuery, 1, libraryQuery);
            measure(rawQuery, 1, rawQueryCall);
        }
    }
    ZEFRA_Exit_ETH(0);
    if (failures != 0) return std::fprintf(stderr, "%d library calls failed\n", failures), 1;

    const Stats lc = summarise(libCommand), rc = summarise(rawCommand);
    const Stats lq = summarise(libQuery), rq = summarise(rawQuery);
    std::printf("%d x %d calls each, loopback, microseconds\n", blocks, calls);
    std::printf("%-8s %10s %10s %10s %10s %12s %12s\n", "", "lib p50", "raw p50", "lib p99", "raw p99", "ratio p50",
                "ratio p99");
    std::printf("%-8s %10.2f %10.2f %10.2f %10.2f %12.3f %12.3f\n", "command", lc.median, rc.median, lc.p99, rc.p99,
                lc.median / rc.median, lc.p99 / rc.p99);
    std::printf("%-8s %10.2f %10.2f %10.2f %10.2f %12.3f %12.3f\n", "query", lq.median, rq.median, lq.p99, rq.p99,
                lq.median / rq.median, lq.p99 / rq.p99);
    return 0;
}
