#include "server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <vector>

namespace zsim {
namespace {

using Clock = std::chrono::steady_clock;

struct Pending { Clock::time_point due; std::string bytes; bool close = false; };

struct Connection {
    int fd = -1;
    std::string ip;
    int port = 0;
    std::string in;
    std::deque<Pending> out;
    bool dead = false;
};

// One complete request at the front of `in`: text "@@...$$" or binary "@@...**" (the
// binary one carries whole 24-byte profile entries and bytes a text never holds).
bool takeFrame(std::string& in, std::string& frame, bool& binary) {
    const std::size_t start = in.find("@@");
    if (start == std::string::npos) { in.erase(0, in.size() > 1 ? in.size() - 1 : 0); return false; }
    in.erase(0, start);
    const std::size_t text = in.find("$$", 2);
    std::size_t bin = std::string::npos;
    for (std::size_t at = in.find("**", 2); at != std::string::npos; at = in.find("**", at + 1))
        if ((at - 2) % 24 == 0) { bin = at; break; }
    auto printable = [&](std::size_t end) {
        for (std::size_t i = 2; i < end; ++i)
            if (static_cast<unsigned char>(in[i]) < 0x20) return false;
        return true;
    };
    if (text != std::string::npos && (bin == std::string::npos || (text < bin && printable(text)))) {
        frame = in.substr(2, text - 2);
        in.erase(0, text + 2);
        binary = false;
        return true;
    }
    if (bin != std::string::npos && (text == std::string::npos || bin < text || !printable(text))) {
        frame = in.substr(2, bin - 2);
        in.erase(0, bin + 2);
        binary = true;
        return true;
    }
    return false;
}

}  // namespace

Server::Server(ServerOptions options) : options_(std::move(options)) {}

Server::~Server() {
    if (listener_ >= 0) ::close(listener_);
}

int Server::listen() {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(options_.port));
    if (options_.port < 0 || options_.port > 65535 || inet_pton(AF_INET, options_.host.c_str(), &addr.sin_addr) != 1) {
        std::fprintf(stderr, "zefra-sim: bad address %s:%d\n", options_.host.c_str(), options_.port);
        return -1;
    }
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    socklen_t len = sizeof addr;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, 64) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        std::fprintf(stderr, "zefra-sim: cannot listen on %s:%d: %s\n", options_.host.c_str(), options_.port, std::strerror(errno));
        return -1;
    }
    return ntohs(addr.sin_port);
}

void Server::run(Controller& controller) {
    const Faults& f = options_.faults;
    std::mt19937 rng(f.seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(static_cast<long long>(options_.exitAfter * 1000));
    std::vector<Connection> conns;
    while (!stopping_) {
        if (options_.exitAfter > 0 && Clock::now() >= deadline) break;
        std::vector<pollfd> fds{{listener_, POLLIN, 0}};
        int waitMs = 100;
        const Clock::time_point now = Clock::now();
        for (const Connection& c : conns) {
            fds.push_back({c.fd, POLLIN, 0});
            if (!c.out.empty()) {
                const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(c.out.front().due - now).count();
                waitMs = std::max(0, std::min<int>(waitMs, static_cast<int>(ms)));
            }
        }
        if (::poll(fds.data(), fds.size(), waitMs) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            sockaddr_in peer{};
            socklen_t len = sizeof peer;
            const int fd = ::accept4(listener_, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_CLOEXEC);
            char ip[INET_ADDRSTRLEN] = "0.0.0.0";
            if (fd >= 0) {
                inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
                conns.push_back({fd, ip, ntohs(peer.sin_port), {}, {}, false});
            }
        }
        for (std::size_t i = 1; i < fds.size(); ++i) {
            Connection& c = conns[i - 1];
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
            if (n <= 0) { c.dead = true; continue; }
            c.in.append(buf, static_cast<std::size_t>(n));
            // A request never comes near this size; a peer that sends no frame end is dropped.
            if (c.in.size() > 65536) { c.dead = true; continue; }
            std::string frame;
            bool binary = false;
            while (takeFrame(c.in, frame, binary)) {
                const std::string payload = binary ? controller.handleBinary(frame) : controller.handle(frame, c.ip, c.port);
                if (options_.verbose)
                    std::printf("<- %s\n-> %s\n", binary ? ("(" + std::to_string(frame.size()) + " binary bytes)").c_str() : frame.c_str(), payload.c_str());
                std::string reply = "##" + payload + "$$";
                Clock::time_point due = Clock::now();
                if (chance(rng) < f.silenceRate) { ++counts_.silenced; continue; }
                if (chance(rng) < f.dropRate) { ++counts_.dropped; c.out.push_back({due, {}, true}); continue; }
                if (chance(rng) < f.malformRate) {
                    ++counts_.malformed;
                    // Complete but not a well-formed frame: one "#" short, no payload, or a
                    // line end after the closing "$$".
                    switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
                        case 0: reply.erase(0, 1); break;
                        case 1: reply = "##$$"; break;
                        default: reply += "\r\n"; break;
                    }
                }
                if (chance(rng) < f.delayRate) {
                    ++counts_.delayed;
                    due += std::chrono::milliseconds(std::uniform_int_distribution<int>(0, std::max(0, f.delayMs))(rng));
                }
                if (chance(rng) < f.splitRate && reply.size() > 2) {
                    ++counts_.split;
                    const std::size_t pieces = std::min<std::size_t>(reply.size(), std::uniform_int_distribution<std::size_t>(2, 4)(rng));
                    const std::size_t step = reply.size() / pieces;
                    for (std::size_t p = 0; p < pieces; ++p) {
                        c.out.push_back({due, reply.substr(p * step, p + 1 == pieces ? std::string::npos : step)});
                        due += std::chrono::milliseconds(20);
                    }
                    continue;
                }
                c.out.push_back({due, reply});
            }
            fflush(stdout);
        }
        for (Connection& c : conns) {
            while (!c.dead && !c.out.empty() && c.out.front().due <= Clock::now()) {
                if (c.out.front().close) { c.dead = true; break; }
                const std::string& b = c.out.front().bytes;
                if (::send(c.fd, b.data(), b.size(), MSG_NOSIGNAL) < 0) c.dead = true;
                c.out.pop_front();
            }
        }
        for (Connection& c : conns)
            if (c.dead) ::close(c.fd);
        std::erase_if(conns, [](const Connection& c) { return c.dead; });
    }
    for (Connection& c : conns) ::close(c.fd);
}

}  // namespace zsim
