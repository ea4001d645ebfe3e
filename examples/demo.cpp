// A short cell session through the library against the controller emulator, zefra-sim.
//
//     zefra_demo                      start zefra-sim on a free loopback port and drive it
//     zefra_demo --sim PATH           the same with another zefra-sim program
//     zefra_demo --host ADDR --port N drive the controller listening at ADDR:N
//     zefra_demo --help
#include <arpa/inet.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "zefraapi.h"

extern char** environ;

namespace {

const char kUsage[] =
    "usage: zefra_demo [--sim PATH | --host ADDR --port N]\n"
    "  without options the demo starts the emulator built next to it (" ZEFRA_SIM_PATH ")\n"
    "  --sim PATH   start this zefra-sim program instead\n"
    "  --host ADDR  IPv4 address of a running controller (default 127.0.0.1)\n"
    "  --port N     its TCP port, 1 to 65535\n"
    "  --help       print this text\n";

std::string words(int32_t rc) {
    switch (rc) {
        case RC_OK: return "done";
        case RC_COMM_FAIL: return "communication failure";
        case RC_BAD_PARAM: return "bad parameter";
        case RC_FAIL: return "reply not understood";
        default: return "refused by the controller, error " + std::to_string(-rc);
    }
}

int failures = 0;

int32_t step(const char* what, int32_t rc) {
    std::printf("%-44s %s\n", what, words(rc).c_str());
    if (rc != RC_OK) ++failures;
    return rc;
}

// Starts zefra-sim on a free port and reads the port from its first line.
pid_t startEmulator(const char* path, int& port) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(path), const_cast<char*>("--port"), const_cast<char*>("0"),
                    const_cast<char*>("--exit-after"), const_cast<char*>("120"), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, path, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        std::fprintf(stderr, "zefra_demo: cannot start %s: %s\n", path, std::strerror(spawned));
        return -1;
    }
    std::string line;
    char ch;
    while (line.size() < 200 && ::read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
    ::close(out[0]);
    if (std::sscanf(line.c_str(), "listening on %*[^:]:%d", &port) != 1) {
        std::fprintf(stderr, "zefra_demo: %s did not report its port\n", path);
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

void printPosition(const char* label) {
    PointRecord here{};
    if (ZEFRA_Get_PosHere(&here, 0) == RC_OK)
        std::printf("  %-10s x %8.3f  y %8.3f  z %8.3f  rx %8.3f  ry %8.3f  rz %8.3f\n", label, here.pos[0],
                    here.pos[1], here.pos[2], here.pos[3], here.pos[4], here.pos[5]);
}

void waitForMotion() {
    for (int i = 0; i < 100; ++i) {
        int32_t moving = 0;
        if (ZEFRA_Get_MotionSts(&moving, 0) != RC_OK || moving == 0) break;
        printPosition("moving");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    printPosition("arrived");
}

int session() {
    step("reset errors", ZEFRA_ResetErr(0));
    step("motors on", ZEFRA_MotorEnable(1, 0));
    step("speed 30 %", ZEFRA_Set_Vel(30, 0));
    int32_t speed = 0;
    if (step("read the speed back", ZEFRA_Get_Vel(&speed, 0)) == RC_OK) std::printf("  speed is %d %%\n", speed);

    PointRecord gp{{800, -150, 900, 180, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}};
    step("store global point GP1", ZEFRA_Set_GP(1, &gp, 0));
    if (step("joint move to GP1", ZEFRA_MovJ_GP(1, 0, 0, 0)) == RC_OK) waitForMotion();
    PointRecord target{{700, 200, 750, 180, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}};
    if (step("linear move to 700, 200, 750", ZEFRA_MovL2(&target, 0, 0, 0)) == RC_OK) waitForMotion();

    step("output 3 on", ZEFRA_Set_DO(3, 1, 0));
    int32_t level = 0;
    if (step("read output 3", ZEFRA_Get_DO(3, &level, 0)) == RC_OK) std::printf("  output 3 is %s\n", level ? "on" : "off");
    step("output 3 off", ZEFRA_Set_DO(3, 0, 0));
    if (step("read output 3", ZEFRA_Get_DO(3, &level, 0)) == RC_OK) std::printf("  output 3 is %s\n", level ? "on" : "off");
    if (step("read input 1", ZEFRA_Get_DI(1, &level, 0)) == RC_OK) std::printf("  input 1 is %s\n", level ? "on" : "off");

    step("set variable R5 to 42", ZEFRA_Set_R(5, 42, 0));
    int32_t r5 = 0;
    if (step("read variable R5", ZEFRA_Get_R(5, &r5, 0)) == RC_OK) std::printf("  R5 is %d\n", r5);

    step("select program /prg/demo.prg", ZEFRA_Set_CurPrgPath("/prg/demo.prg", 0));
    step("program start", ZEFRA_PrgCtrl(1, 0));
    int32_t state = 0;
    if (step("program state", ZEFRA_Get_PrgSts(&state, 0)) == RC_OK) std::printf("  program %s\n", state ? "running" : "stopped");
    step("program stop", ZEFRA_PrgCtrl(0, 0));
    step("motors off", ZEFRA_MotorEnable(0, 0));
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    std::string sim = ZEFRA_SIM_PATH, host = "127.0.0.1";
    int port = 0;
    bool external = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") { std::fputs(kUsage, stdout); return 0; }
        if ((a == "--sim" || a == "--host" || a == "--port") && i + 1 < argc) {
            const char* v = argv[++i];
            if (a == "--sim") sim = v;
            else if (a == "--host") { host = v; external = true; }
            else {
                char* end = nullptr;
                const long p = std::strtol(v, &end, 10);
                if (end == v || *end != '\0' || p < 1 || p > 65535) {
                    std::fprintf(stderr, "zefra_demo: bad port %s\n%s", v, kUsage);
                    return 2;
                }
                port = int(p);
                external = true;
            }
            continue;
        }
        std::fprintf(stderr, "zefra_demo: unknown option or missing value: %s\n%s", a.c_str(), kUsage);
        return 2;
    }
    in_addr addr{};
    if (inet_pton(AF_INET, host.c_str(), &addr) != 1) {
        std::fprintf(stderr, "zefra_demo: bad address %s\n%s", host.c_str(), kUsage);
        return 2;
    }
    if (external && port == 0) {
        std::fprintf(stderr, "zefra_demo: --host needs --port\n%s", kUsage);
        return 2;
    }
    pid_t emulator = -1;
    if (!external) {
        emulator = startEmulator(sim.c_str(), port);
        if (emulator < 0) return 1;
        std::printf("started %s on 127.0.0.1:%d\n", sim.c_str(), port);
    }
    int status = 0;
    if (step("connect", ZEFRA_Init_ETH(ntohl(addr.s_addr), static_cast<uint16_t>(port), 2, 0)) != RC_OK) {
        std::fprintf(stderr, "zefra_demo: nothing answers at %s:%d\n", host.c_str(), port);
        status = 1;
    } else {
        status = session() == 0 ? 0 : 1;
        step("disconnect", ZEFRA_Exit_ETH(0));
    }
    if (emulator > 0) {
        ::kill(emulator, SIGTERM);
        ::waitpid(emulator, nullptr, 0);
    }
    return status;
}
