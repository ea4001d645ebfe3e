// What only a Windows host shows: many sockets already open in the process, and print
// messages converted with the system's own code pages.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/controller_test.h"
#include "support/sockets.h"

namespace zefra::test {
namespace {

// A select()-based wait breaks at 64 sockets where the set is a bitmap or its count is taken
// from the handle; here the library's socket comes after more than 64 others.
TEST(Windows, ConnectsWhileTheHostHoldsManySockets) {
    std::vector<sockets::Handle> held;
    for (int i = 0; i < 100; ++i) {
        std::uint16_t port = 0;
        held.push_back(sockets::open(-1, port));
        ASSERT_NE(held.back(), sockets::none);
    }
    FakeController controller;
    EXPECT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, 5), RC_OK);
    char reply[512] = {};
    EXPECT_EQ(ZEFRA_Common_Cmd("probe", reply, 5), RC_OK);
    EXPECT_EQ(ZEFRA_Exit_ETH(5), RC_OK);
    for (const sockets::Handle h : held) sockets::close(h);
}

// The host's ANSI code page, whatever it is here, as the system itself converts.
TEST(Windows, PrintMessagesArriveInTheHostsCodePage) {
    platform::useHostCharset(nullptr);
    FakeController controller;
    ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, 5), RC_OK);
    char converted[64] = {};
    const int n = WideCharToMultiByte(CP_ACP, 0, L"caf\u00e9 12", 7, converted, sizeof converted, nullptr, nullptr);
    const std::string ansi(converted, n > 0 ? static_cast<std::size_t>(n) : 0);
    const struct { std::string payload, expected; } rows[] = {
        {"=caf\xC3\xA9 12", ansi},
        {"=PRINT:" + ansi, "PRINT:" + ansi},
    };
    for (const auto& row : rows) {
        controller.replyPayload(row.payload);
        char message[128] = {};
        EXPECT_EQ(ZEFRA_Get_Print(message, 5), RC_OK);
        EXPECT_EQ(std::string(message), row.expected) << row.payload;
    }
    EXPECT_EQ(ZEFRA_Exit_ETH(5), RC_OK);
}

}  // namespace
}  // namespace zefra::test
