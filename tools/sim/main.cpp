// zefra-sim: a controller emulator for hosts of the library. See README.md in this folder.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <string>

#include "server.h"

namespace {

zsim::Server* running = nullptr;

void onSignal(int) {
    if (running) running->stop();
}

const char kUsage[] =
    "usage: zefra-sim [options]\n"
    "  --host ADDR          IPv4 address to listen on (default 127.0.0.1)\n"
    "  --port N             TCP port, 0 picks a free one (default 6000, where the zefra tool\n"
    "                       looks by default)\n"
    "  --exit-after SECONDS stop by itself after this long (default: run until SIGINT/SIGTERM)\n"
    "  --verbose            print every request and reply\n"
    "  --time-scale X       simulated seconds per real second (default 1)\n"
    "fault injection (all off by default; rates are chances per reply, 0..1):\n"
    "  --fault-seed N       seed of the fault draws (default 1)\n"
    "  --fault-delay RATE --fault-delay-ms MS   hold replies back up to MS ms\n"
    "  --fault-split RATE   send replies in 2 to 4 segments, 20 ms apart\n"
    "  --fault-drop RATE    close the connection instead of replying\n"
    "  --fault-malform RATE send complete replies that are not well-formed frames\n"
    "  --fault-silence RATE never reply\n";

bool number(const char* text, double lo, double hi, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= lo && out <= hi;
}

}  // namespace

int main(int argc, char** argv) {
    zsim::ServerOptions o;
    o.port = 6000;
    double timeScale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") { std::fputs(kUsage, stdout); return 0; }
        if (a == "--verbose") { o.verbose = true; continue; }
        double v = 0;
        const bool hasValue = i + 1 < argc;
        const char* value = hasValue ? argv[i + 1] : "";
        bool ok = hasValue;
        if (a == "--host") o.host = value;
        else if (a == "--port") { ok = ok && number(value, 0, 65535, v) && v == int(v); o.port = int(v); }
        else if (a == "--exit-after") { ok = ok && number(value, 0, 1e7, v); o.exitAfter = v; }
        else if (a == "--time-scale") { ok = ok && number(value, 0.001, 1000, v); timeScale = v; }
        else if (a == "--fault-seed") { ok = ok && number(value, 0, 4294967295.0, v); o.faults.seed = std::uint32_t(v); }
        else if (a == "--fault-delay-ms") { ok = ok && number(value, 0, 60000, v); o.faults.delayMs = int(v); }
        else if (a == "--fault-delay") { ok = ok && number(value, 0, 1, v); o.faults.delayRate = v; }
        else if (a == "--fault-split") { ok = ok && number(value, 0, 1, v); o.faults.splitRate = v; }
        else if (a == "--fault-drop") { ok = ok && number(value, 0, 1, v); o.faults.dropRate = v; }
        else if (a == "--fault-malform") { ok = ok && number(value, 0, 1, v); o.faults.malformRate = v; }
        else if (a == "--fault-silence") { ok = ok && number(value, 0, 1, v); o.faults.silenceRate = v; }
        else {
            std::fprintf(stderr, "zefra-sim: unknown option %s\n%s", a.c_str(), kUsage);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "zefra-sim: %s needs a valid value\n%s", a.c_str(), kUsage);
            return 2;
        }
        ++i;
    }
    zsim::Server server(o);
    const int port = server.listen();
    if (port < 0) return 1;
    // A script may signal as soon as it has read the port line: the handlers come first.
    running = &server;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::printf("listening on %s:%d\n", o.host.c_str(), port);
    std::fflush(stdout);

    const auto start = std::chrono::steady_clock::now();
    zsim::Controller controller([start, timeScale] {
        return timeScale * std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    server.run(controller);
    running = nullptr;
    const zsim::Faults& f = o.faults;
    if (f.delayRate > 0 || f.splitRate > 0 || f.dropRate > 0 || f.malformRate > 0 || f.silenceRate > 0) {
        const zsim::FaultCounts& n = server.faultCounts();
        std::fprintf(stderr, "zefra-sim: faults injected: %ld delayed, %ld split, %ld dropped, %ld malformed, %ld silenced\n",
                     n.delayed, n.split, n.dropped, n.malformed, n.silenced);
    }
    return 0;
}
