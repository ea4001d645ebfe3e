// The operating system's transport on real loopback sockets: what a host process must never
// suffer from it (a signal that kills it, a descriptor leaked into its children, a wait cut
// short by its own signals, a full socket taken for a broken one).
#ifndef _WIN32
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/fake_controller.h"
#include "support/sockets.h"

namespace zefra::test {
namespace {

static_assert(platform::waitMilliseconds(1) == 1000);
static_assert(platform::waitMilliseconds(2147483) == 2147483000);
static_assert(platform::waitMilliseconds(2147484) == INT_MAX);
static_assert(platform::waitMilliseconds(INT_MAX) == INT_MAX);

// A connected pair on loopback: the library's socket and the peer's descriptor.
struct Connection {
    platform::Transport& net = platform::transport();
    platform::Socket socket = net.openStream();
    sockets::Handle peer = sockets::none;
    Connection() {
        std::uint16_t port = 0;
        const sockets::Handle listener = sockets::open(1, port);
        if (listener != sockets::none && net.startConnect(socket, loopback, port) != platform::ConnectStart::failed &&
            net.waitWritable(socket, 2000) == platform::Readiness::ready && net.connectSucceeded(socket))
            peer = sockets::accept(listener);
        sockets::close(listener);
    }
    ~Connection() {
        if (peer != sockets::none) sockets::close(peer);
        net.close(socket);
    }
};

TEST(Platform, SendingToAResetConnectionFailsWithoutKillingTheHost) {
#ifndef _WIN32
    ::signal(SIGPIPE, SIG_DFL);  // a host that never heard of SIGPIPE
#endif
    Connection c;
    ASSERT_NE(c.peer, sockets::none);
    sockets::resetOnClose(c.peer);
    sockets::close(c.peer);
    c.peer = sockets::none;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // The first send after a reset may report the reset; the later ones meet a broken pipe.
    int failed = 0;
    for (int i = 0; i < 5; ++i) failed += c.net.send(c.socket, "@@x$$", 5).kind == platform::IoResult::failed;
    EXPECT_GE(failed, 4);
}

// Also kept from the host's children (POSIX only: Windows has no descriptor flags to read back).
TEST(Platform, FullSocketWouldBlockInsteadOfFailing) {
    Connection c;
    ASSERT_NE(c.peer, sockets::none);
#ifndef _WIN32
    EXPECT_NE(::fcntl(static_cast<int>(c.socket), F_GETFD) & FD_CLOEXEC, 0);
    EXPECT_NE(::fcntl(static_cast<int>(c.socket), F_GETFL) & O_NONBLOCK, 0);
#endif
    const std::vector<char> block(1 << 16, 'x');
    platform::IoResult r{platform::IoResult::done, 0};
    for (int i = 0; i < 1024 && r.kind == platform::IoResult::done; ++i)
        r = c.net.send(c.socket, block.data(), block.size());
    EXPECT_EQ(r.kind, platform::IoResult::wouldBlock);
    EXPECT_EQ(c.net.waitWritable(c.socket, 50), platform::Readiness::timedOut);
}

// POSIX only: Windows has no signals that interrupt a socket wait.
#ifndef _WIN32
void ignoreSignal(int) {}

TEST(Platform, HostSignalDuringAWaitDoesNotEndIt) {
    struct sigaction action{};
    action.sa_handler = ignoreSignal;  // no SA_RESTART: poll() returns EINTR
    struct sigaction previous{};
    ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
    Connection c;
    ASSERT_NE(c.peer, sockets::none);
    const pthread_t waiter = ::pthread_self();
    std::thread host([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::pthread_kill(waiter, SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        (void)!::write(static_cast<int>(c.peer), "x", 1);
    });
    EXPECT_EQ(c.net.waitReadable(c.socket, 2000), platform::Readiness::ready);
    host.join();
    ::sigaction(SIGUSR1, &previous, nullptr);
}
#endif

// The library's one output line must land where the host's own stdout output would, in order.
TEST(Platform, StandardOutputGoesThroughTheHostsStdout) {
    testing::internal::CaptureStdout();
    std::fputs("host ", stdout);  // still in stdout's buffer
    platform::writeStandardOutput("line\n");
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "host line\n");
}

}  // namespace
}  // namespace zefra::test
