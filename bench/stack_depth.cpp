// The stack one exported call uses, library and C library frames together, measured by
// painting: the region below the caller is filled with a pattern, the call runs once more
// against a loopback responder, and the deepest byte it changed gives its depth. Every call is
// made once before it is measured, so that first-time work (symbol binding, the C library's
// own set-up) is not counted.
//
//   zefra_stack_depth
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "loopback.h"
#include "zefraapi.h"

namespace {

constexpr std::size_t paintedBytes = 32768;
constexpr unsigned char paint = 0xA5;

// Both have the same frame, so their arrays cover the same addresses: the stack a call made
// from measureDepth's frame reaches down into.
[[gnu::noinline]] void paintBelow() {
    volatile unsigned char area[paintedBytes];
    for (auto& b : area) b = paint;
}
// Reading the array unwritten is the point: its bytes are what the call left there (an unsigned
// char may hold an indeterminate value).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
[[gnu::noinline]] std::size_t depthReached() {
    volatile unsigned char area[paintedBytes];
    std::size_t untouched = 0;
    while (untouched < paintedBytes && area[untouched] == paint) ++untouched;
    return paintedBytes - untouched;
}
#pragma GCC diagnostic pop

// What the responder answers a "Get" request with; set before each measured call.
std::atomic<const char*> getReply{"##=0$$"};

template <typename Call>
[[gnu::noinline]] std::size_t measureDepth(const char* reply, Call call, std::int32_t expected = RC_OK) {
    getReply = reply;
    if (call() != expected) {  // a call that ends otherwise would measure some other way
        std::fprintf(stderr, "a measured call did not succeed against the responder (reply %s)\n", reply);
        std::exit(1);
    }
    paintBelow();
    call();
    return depthReached();
}

// Answers every frame on one connection: getReply to a "Get" request, "ok" to anything else,
// text ("$$") or binary ("**") alike, until the library disconnects.
void serve(int listener) {
    const int fd = ::accept(listener, nullptr, nullptr);
    char buffer[4096];
    std::size_t have = 0;
    for (;;) {
        const ssize_t n = ::recv(fd, buffer + have, sizeof buffer - have, 0);
        if (n <= 0) break;
        have += static_cast<std::size_t>(n);
        for (std::size_t i = 3; i < have; ++i) {
            const bool end = (buffer[i] == '$' && buffer[i - 1] == '$') || (buffer[i] == '*' && buffer[i - 1] == '*');
            if (!end) continue;
            const char* reply = std::strncmp(buffer + 2, "Get", 3) == 0 ? getReply.load() : "##ok$$";
            ::send(fd, reply, std::strlen(reply), MSG_NOSIGNAL);
            std::memmove(buffer, buffer + i + 1, have - i - 1);
            have -= i + 1;
            i = 2;
        }
    }
    ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {  // it takes none; "--help" is answered like any other
        const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
        std::fprintf(help ? stdout : stderr, "usage: %s  (no arguments)\n", argv[0]);
        return help ? 0 : 2;
    }
    std::uint16_t port = 0;
    const int listener = zefra::bench::listenOnLoopback(1, port);
    std::thread responder(serve, listener);
    if (ZEFRA_Init_ETH(0x7f000001, port, 5, 0) != RC_OK) return 1;

    const RobP small{{1.5, -2, 3, 4, 5, 6}, {0, 0, 0, 1}, {7, 8, 9, 10, 11, 12}};
    const RobP large{{1e300, -2e300, 3, 4, 5, 6}, {0, 0, 0, 1}, {7, 8, 9, 10, 11, 12}};
    const PointRecord target{{-1e300, 2, 3, 4, 5, 6}, {0, 0, 0, 1}, {0, 0, 0}};
    const IoTrigger triggers[3] = {{1, 2, 3, 1e25}, {4, 5, 6, -1e25}, {7, 8, 9, 0.5}};  // a list of 95 characters
    const MoveData move{1, 2, 1e30, 2e30, 3, 4, 5};
    static const unsigned char profile[1024] = {};
    PointRecord point{};
    ToolData tool{};
    WobjData wobj{};
    InterferToolPara shape{};
    ToolData hugeTool{1, {1e300, 1e300, 1e300, 1e300, 1e300, 1e300}, {1e300, 1e300, 1e300, 1e300}};
    std::int32_t head = 0;
    double motion[30] = {};
    char reply[1100];
    // The first six are the usual calls; the rest are those with the largest frames of their own
    // (a work area with records or long argument lists beside it), each given a reply that it
    // reads to the end.
    const char* const pointReply = "##=400.5,0,300,180,0,90;0,0,1,0;0,0,0$$";
    const char* const ok = "##ok$$";
    const struct {
        const char* call;
        std::size_t bytes;
    } rows[] = {
        {"ZEFRA_MovJ(1, 50, 0)", measureDepth(ok, [] { return ZEFRA_MovJ(1, 50, 0, 0); })},
        {"ZEFRA_Common_Cmd(\"MovJ P1 50 0\")", measureDepth(ok, [&] { return ZEFRA_Common_Cmd("MovJ P1 50 0", reply, 0); })},
        {"ZEFRA_Get_PosHere (13-field scan)", measureDepth(pointReply, [&] { return ZEFRA_Get_PosHere(&point, 0); })},
        {"ZEFRA_Set_RobP (12 doubles printed)", measureDepth(ok, [&] { return ZEFRA_Set_RobP(1, &small, 0); })},
        {"ZEFRA_Set_RobP (values near 1e300)", measureDepth(ok, [&] { return ZEFRA_Set_RobP(1, &large, 0); })},
        {"ZEFRA_SetExtProfileData (binary frame)", measureDepth(ok, [&] { return ZEFRA_SetExtProfileData(1, profile, 0); })},
        {"ZEFRA_MovJ_IO (three triggers)", measureDepth(ok, [&] { return ZEFRA_MovJ_IO(1, 2, 3, triggers, 3, 0); })},
        {"ZEFRA_MovC2_IO (two points with -1e300)",
         measureDepth(ok, [&] { return ZEFRA_MovC2_IO(&target, &target, 1, 2, triggers, 3, 0); })},
        {"ZEFRA_MovJ_RobPos (three triggers)",
         measureDepth(ok, [&] { return ZEFRA_MovJ_RobPos(&large, &move, 1, 3, triggers, 0); })},
        {"ZEFRA_Get_ToolData (17 fields)",
         measureDepth("##=1;1.5,2,3,4,5,6;7,8,9,10,11,12,13,14,15,16$$", [&] { return ZEFRA_Get_ToolData(1, &tool, 0); })},
        {"ZEFRA_Get_WobjData (14 fields, a name)",
         measureDepth("##=1,2;1.5,2,3,4,5,6;7,8,9,10,11,12;table$$", [&] { return ZEFRA_Get_WobjData(1, &wobj, 0); })},
        {"ZEFRA_Get_AxisMotionData (31 fields)",
         measureDepth("##=1;1,2,3,4,5;6,7,8,9,10;11,12,13,14,15;16,17,18,19,20;21,22,23,24,25;26,27,28,29,30.5$$",
                      [&] { return ZEFRA_Get_AxisMotionData(1, 2, 3, &head, motion, 0); })},
        {"ZEFRA_Set_ToolData (values near 1e300, refused)",
         measureDepth(ok, [&] { return ZEFRA_Set_ToolData(1, &hugeTool, 0); }, RC_BAD_PARAM)},
        {"ZEFRA_Get_InterferToolPara (shape 3, 13 values)",
         measureDepth("##=3,2,1,2,3,4,5,6,7,8,9,10,11,12,13.5$$", [&] { return ZEFRA_Get_InterferToolPara(1, &shape, 0); })},
    };
    ZEFRA_Exit_ETH(0);
    responder.join();
    ::close(listener);
    std::printf("%-50s %s\n", "call", "stack bytes");
    for (const auto& row : rows) std::printf("%-50s %zu\n", row.call, row.bytes);
    return 0;
}
