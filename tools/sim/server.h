// The emulator's network side: one poll loop serving every connection, framing requests,
// and, when asked, misbehaving on purpose so hosts can test their failure handling.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "controller.h"

namespace zsim {

// Fault injection: each rate is the chance per reply (0..1); all draws come from one
// generator seeded with `seed`, so a run repeats exactly.
struct Faults {
    double delayRate = 0;      // hold the reply back...
    int delayMs = 0;           // ...by up to this many milliseconds
    double splitRate = 0;      // send the reply in several segments, 20 ms apart
    double dropRate = 0;       // close the connection instead of replying
    double malformRate = 0;    // send a complete reply that is not a well-formed frame
    double silenceRate = 0;    // never reply (the connection stays open)
    std::uint32_t seed = 1;
};

// How many replies each fault has hit so far.
struct FaultCounts {
    long delayed = 0, split = 0, dropped = 0, malformed = 0, silenced = 0;
};

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 0;
    double exitAfter = 0;  // seconds; 0 runs until stopped
    bool verbose = false;
    Faults faults;
};

class Server {
public:
    explicit Server(ServerOptions options);
    ~Server();
    // Binds and listens; returns the port, or -1 with a message on stderr.
    int listen();
    // Serves until stop() or the time limit.
    void run(Controller& controller);
    // Safe from a signal handler; the loop notices within 100 ms.
    void stop() { stopping_ = true; }
    const FaultCounts& faultCounts() const { return counts_; }

private:
    ServerOptions options_;
    int listener_ = -1;
    std::atomic<bool> stopping_{false};
    FaultCounts counts_;
};

}  // namespace zsim
