// The operating system's layer: what a host process must never suffer from its transport on
// real loopback sockets (a signal that kills it, a descriptor leaked into its children, a wait
// cut short by its own signals, a full socket taken for a broken one), and bounded conversion
// between character sets: whole characters only, broken input as U+FFFD (each maximal broken
// piece once, as Windows replaces it), "?" for what the target lacks, and neither the limit nor
// the output size ever splitting a character.
#ifndef _WIN32
#include <fcntl.h>
#include <locale.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/charsets.h"
#include "support/controller_test.h"
#include "support/sockets.h"

namespace zefra::test {
namespace {

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

// A full socket is not a broken one, and a reset one fails without the signal that would kill
// the host. The socket is also kept from the host's children (POSIX only: Windows has no
// descriptor flags to read back).
TEST(Platform, FullSocketWouldBlockAndAResetOneFailsWithoutKillingTheHost) {
#ifndef _WIN32
    ::signal(SIGPIPE, SIG_DFL);  // a host that never heard of SIGPIPE
#endif
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
    sockets::resetOnClose(c.peer);
    sockets::close(c.peer);
    c.peer = sockets::none;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // The first send after a reset may report the reset; the later ones meet a broken pipe.
    int failed = 0;
    for (int i = 0; i < 5; ++i) failed += c.net.send(c.socket, "@@x$$", 5).kind == platform::IoResult::failed;
    EXPECT_GE(failed, 4);
}

// POSIX only: Windows has no signals that interrupt a socket wait.
#ifndef _WIN32
TEST(Platform, HostSignalDuringAWaitDoesNotEndIt) {
    struct sigaction action{}, previous{};
    action.sa_handler = [](int) {};  // no SA_RESTART: poll() returns EINTR
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

const Latin1 latin1;
const std::string fffd = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The two fixed sets by name, or a locale (POSIX) or code page (Windows) made once; null when
// this machine lacks it.
const platform::Charset* charset(const std::string& name) {
    static std::map<std::string, std::unique_ptr<platform::Charset>> made;
    if (name == "latin1") return &latin1;
    if (name == "utf8") return &platform::utf8Charset();
    if (made[name] == nullptr) made[name] = platform::localeCharset(name.c_str());
    return made[name].get();
}

const struct { const char *from, *to; std::string text, expected; std::size_t limit = 64, size = 64; } rows[] = {
    {"latin1", "utf8", "caf\xE9", "caf\xC3\xA9"}, {"utf8", "latin1", "caf\xC3\xA9", "caf\xE9"},
    {"utf8", "latin1", "\xE2\x82\xAC" "1", "?1"},  // the euro sign is not in the set
    {"utf8", "utf8", "\xF0\x9F\x99\x82|\xE2\x82\xAC", "\xF0\x9F\x99\x82|\xE2\x82\xAC"},
    {"utf8", "utf8", "\xDF\xBF\xE0\xA0\x80", "\xDF\xBF\xE0\xA0\x80"},  // U+07FF and U+0800
    {"utf8", "utf8", "a\xC0\xAF" "b", "a" + fffd + fffd + "b"},       // overlong
    {"utf8", "utf8", "\xE0\x80\xAF", fffd + fffd + fffd},              // overlong
    {"utf8", "utf8", "\xED\xA0\x80", fffd + fffd + fffd},              // surrogate
    {"utf8", "utf8", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // past U+10FFFF
    {"utf8", "utf8", "\xE2\x82" "a\xFF", fffd + "a" + fffd},
    {"utf8", "utf8", "ab\xE2\x82", "ab" + fffd},     // the text ends mid-character
    {"utf8", "utf8", "ab\xE2\x82", "ab" + fffd, 4},  // also where the limit falls
    {"utf8", "utf8", "ab\xE2\x82\xAC", "ab", 4},  // the limit falls inside the euro sign
    {"utf8", "utf8", "ab\xE2\x82\xAC", "ab\xE2\x82\xAC", 5},
    {"latin1", "utf8", "a\xE9", "a", 64, 3},  // two bytes and the terminator do not fit 3
    {"latin1", "utf8", "a\xE9", "a\xC3\xA9", 64, 4}, {"utf8", "latin1", "abc", "", 64, 1},
    {"utf8", "C", "caf\xC3\xA9", "caf?"},  // "C" knows ASCII only
#ifndef _WIN32
    // The C library's sets, CI generating the locales: a UTF-8 locale is validated like UTF-8
    // itself; a single-byte one is read into a table (the euro sign is byte A4 in ISO-8859-15,
    // where Latin-1 has the currency sign); a multibyte one converts without switching the
    // thread's locale.
    {"C", "utf8", "caf\xE9!", "caf" + fffd + "!"},
    {"utf8", "C.UTF-8", "caf\xC3\xA9\xED\xA0\x80", "caf\xC3\xA9" + fffd + fffd + fffd},
    {"de_DE@euro", "utf8", "Stra\xDF" "e \xA4\xFF", "Stra\xC3\x9F" "e \xE2\x82\xAC\xC3\xBF"},
    {"utf8", "de_DE@euro", "\xC3\x9F\xE2\x82\xAC\xC3\xBF \xC2\xA4", "\xDF\xA4\xFF ?"},
    {"utf8", "ja_JP.EUC-JP", "\xE6\x97\xA5\xE6\x9C\xAC\xE2\x82\xAC" "1", "\xC6\xFC\xCB\xDC?1"},
    {"ja_JP.EUC-JP", "utf8", "\xC6\xFC\xCB\xDC" "a", "\xE6\x97\xA5\xE6\x9C\xAC" "a"},
    {"ja_JP.EUC-JP", "utf8", "\xC6" "A|a\xC6", fffd + "A|a" + fffd},
    {"ja_JP.EUC-JP", "utf8", "a\xC6\xFC", "a", 2},
    {"utf8", "ja_JP.EUC-JP", "a\xE6\x97\xA5\xE6\x9C\xAC", "a", 64, 3},
#else
    // The system's own code pages: a single-byte one with characters beyond Latin-1 and no best
    // fit (a look-alike would change the text), and a double-byte one.
    {"utf8", ".1252", "\xE2\x82\xAC 5 \xC3\xA9", "\x80 5 \xE9"},
    {".1252", "utf8", "\x80 5 \xE9", "\xE2\x82\xAC 5 \xC3\xA9"},
    {"utf8", ".1252", "\xC4\x81", "?"},
    {"utf8", ".932", "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B"},
    {".932", "utf8", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
    {"utf8", ".932", "\xC3\xA9", "?"}, {".932", "utf8", "a\x93\xFA", "a", 2},
#endif
};

TEST(Charset, ConvertsWholeCharactersWithinTheLimitAndSize) {
    // Windows has every code page named here; only a POSIX machine outside CI may lack a locale.
#ifdef _WIN32
    const bool mustHave = true;
#else
    const bool mustHave = std::getenv("CI") != nullptr;
#endif
    int missing = 0;
    for (const auto& row : rows) {
        const platform::Charset *from = charset(row.from), *to = charset(row.to);
        if (from == nullptr || to == nullptr) {
            EXPECT_FALSE(mustHave) << "CI must generate the locales of " << row.from << " -> " << row.to;
            ++missing;
            continue;
        }
        SCOPED_TRACE(std::string(row.from) + " -> " + row.to + " " + testing::PrintToString(row.text));
        char out[64];
        std::fill(out, out + sizeof out, '#');
        const std::size_t length = platform::convertText(*from, *to, row.text.c_str(), row.limit, out, row.size);
        ASSERT_LT(length, row.size);
        EXPECT_EQ(std::string(out, length + 1), row.expected + '\0');  // all it wrote, the terminator included
    }
#ifdef _WIN32
    EXPECT_EQ(platform::localeCharset(".99999"), nullptr);
#else
    EXPECT_EQ(platform::localeCharset("no-such-locale"), nullptr);
    // The calling thread's own locale, the host's choice, does not leak into a named set.
    const locale_t host = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(host);
    char out[8];
    platform::convertText(platform::utf8Charset(), *charset("C"), "\xC3\xA9", 64, out, sizeof out);
    EXPECT_STREQ(out, "?");
    uselocale(previous);
    freelocale(host);
#endif
    if (missing > 0) GTEST_SKIP() << missing << " rows need locales this machine lacks";
}

}  // namespace
}  // namespace zefra::test
