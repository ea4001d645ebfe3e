// Windows transport over Winsock 2.2. select() is safe here: a Windows fd_set is a list of
// handles, not a bitmap, so one socket fits whatever its handle value. A failed non-blocking
// connect shows up in the exception set, which is watched too so that a refused connection is
// reported at once instead of after the whole wait.
//
// A shutdown() from another thread is not guaranteed to end a select() already waiting on the
// socket, so waits run in short slices and a socket that has been shut down ends its wait
// between two of them: a disconnect still wakes a waiting exchange within a slice.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace zefra::platform {
namespace {

SOCKET handle(Socket s) { return static_cast<SOCKET>(s); }

static_assert(static_cast<Socket>(INVALID_SOCKET) == invalidSocket);

constexpr int sliceMs = 10;

// Sockets shut down and not yet closed, each held as its handle + 1 so that the zero a static
// table starts with means a free entry. Only a disconnect shuts a socket down, and it closes it
// soon after, so there are at most as many as slots; a full table only delays a wake-up until
// the wait's own limit.
std::atomic<Socket> shutDown[32];

void markShutDown(Socket s) {
    for (auto& entry : shutDown) {
        Socket expected = 0;
        if (entry.compare_exchange_strong(expected, s + 1)) return;
    }
}

// Before the handle is closed, so that a new socket that gets the same handle is not marked.
void forgetShutDown(Socket s) {
    for (auto& entry : shutDown) {
        Socket expected = s + 1;
        entry.compare_exchange_strong(expected, 0);
    }
}

bool isShutDown(Socket s) {
    for (const auto& entry : shutDown)
        if (entry.load(std::memory_order_relaxed) == s + 1) return true;
    return false;
}

Readiness waitFor(Socket s, bool forWriting, int milliseconds) {
    const std::int64_t deadline = coarseMilliseconds() + milliseconds;
    for (int left = milliseconds;;) {
        const int slice = left < sliceMs ? left : sliceMs;
        fd_set wanted, failed;
        FD_ZERO(&wanted);
        FD_ZERO(&failed);
        FD_SET(handle(s), &wanted);
        FD_SET(handle(s), &failed);
        timeval limit{0, slice * 1000};
        const int n = ::select(0, forWriting ? nullptr : &wanted, forWriting ? &wanted : nullptr, &failed, &limit);
        if (n == SOCKET_ERROR) return Readiness::failed;
        // A socket in the exception set counts as ready: the following call reports the outcome.
        if (n > 0) return Readiness::ready;
        if (isShutDown(s)) return Readiness::failed;
        const std::int64_t remaining = deadline - coarseMilliseconds();
        if (remaining <= 0) return Readiness::timedOut;
        left = remaining > INT_MAX ? INT_MAX : static_cast<int>(remaining);
    }
}

class WinsockTransport final : public Transport {
public:
    bool startSockets() override {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    void stopSockets() override { ::WSACleanup(); }

    Socket openStream() override {
        // Not inherited by the host's child processes.
        const SOCKET s = ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
        if (s == INVALID_SOCKET) return invalidSocket;
        const BOOL one = TRUE;
        (void)::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&one), sizeof one);
        (void)::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
        u_long nonBlocking = 1;
        (void)::ioctlsocket(s, FIONBIO, &nonBlocking);
        return static_cast<Socket>(s);
    }

    ConnectStart startConnect(Socket s, std::uint32_t ip, std::uint16_t port) override {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(ip);
        addr.sin_port = htons(port);
        if (::connect(handle(s), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
            return ConnectStart::connected;
        const int error = ::WSAGetLastError();
        return (error == WSAEWOULDBLOCK || error == WSAEINPROGRESS) ? ConnectStart::inProgress : ConnectStart::failed;
    }

    bool connectSucceeded(Socket s) override {
        int error = 0;
        int len = sizeof error;
        return ::getsockopt(handle(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &len) == 0 && error == 0;
    }

    Readiness waitWritable(Socket s, int ms) override { return waitFor(s, true, ms); }
    Readiness waitReadable(Socket s, int ms) override { return waitFor(s, false, ms); }

    IoResult send(Socket s, const void* data, std::size_t size) override {
        const int n = ::send(handle(s), static_cast<const char*>(data), clamp(size), 0);
        if (n != SOCKET_ERROR) return {IoResult::done, static_cast<std::size_t>(n)};
        return {::WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::wouldBlock : IoResult::failed, 0};
    }

    IoResult receive(Socket s, void* data, std::size_t size) override {
        const int n = ::recv(handle(s), static_cast<char*>(data), clamp(size), 0);
        if (n > 0) return {IoResult::done, static_cast<std::size_t>(n)};
        if (n == 0) return {IoResult::failed, 0};
        return {::WSAGetLastError() == WSAEWOULDBLOCK ? IoResult::wouldBlock : IoResult::failed, 0};
    }

    void shutdown(Socket s) override {
        markShutDown(s);
        (void)::shutdown(handle(s), SD_BOTH);
    }
    bool close(Socket s) override {
        forgetShutDown(s);
        return ::closesocket(handle(s)) == 0;
    }

private:
    static int clamp(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }
};


// A Windows code page: single-byte, double-byte (a lead byte announces a second one) or
// UTF-8, which gets the strict UTF-8 of this library so that broken input is replaced the
// same way on every platform.
class CodePageCharset final : public Charset {
public:
    explicit CodePageCharset(UINT codePage) : codePage_(codePage) {}

    Decoded decode(const char* text, std::size_t available) const override {
        if (codePage_ == CP_UTF8) return utf8Charset().decode(text, available);
        const std::size_t length = ::IsDBCSLeadByteEx(codePage_, static_cast<BYTE>(text[0])) ? 2 : 1;
        if (length > available) return {Decoded::incomplete, available, 0};
        wchar_t wide[2];
        const int n = ::MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, text, static_cast<int>(length), wide, 2);
        if (n != 1) return {Decoded::invalid, 1, 0};
        return {Decoded::character, length, static_cast<char32_t>(wide[0])};
    }

    std::size_t encode(char32_t c, char* out) const override {
        if (codePage_ == CP_UTF8) return utf8Charset().encode(c, out);
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
        wchar_t wide[2];
        int units = 1;
        if (c < 0x10000) {
            wide[0] = static_cast<wchar_t>(c);
        } else {
            wide[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            units = 2;
        }
        // No best fit: a character the code page lacks is reported as lacking, not turned
        // into a look-alike.
        BOOL usedDefault = FALSE;
        const int n = ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide, units, out,
                                            static_cast<int>(maxEncoded), nullptr, &usedDefault);
        return n <= 0 || usedDefault ? 0 : static_cast<std::size_t>(n);
    }

private:
    UINT codePage_;
};

// Only ASCII: the "C" locale's set.
class AsciiCharset final : public Charset {
public:
    Decoded decode(const char* text, std::size_t) const override {
        const unsigned char c = static_cast<unsigned char>(text[0]);
        return c < 0x80 ? Decoded{Decoded::character, 1, c} : Decoded{Decoded::invalid, 1, 0};
    }
    std::size_t encode(char32_t c, char* out) const override {
        if (c >= 0x80) return 0;
        out[0] = static_cast<char>(c);
        return 1;
    }
};

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && ::_strnicmp(text.data() + text.size() - tail.size(), tail.data(), tail.size()) == 0;
}

}  // namespace

Transport& systemTransport() {
    static WinsockTransport winsockTransport;
    return winsockTransport;
}

// The host's ANSI code page.
const Charset& environmentCharset() {
    // Never destroyed: a host thread may still fetch a message while the process exits.
    static const Charset* const charset = new CodePageCharset(::GetACP());
    return *charset;
}

// Windows has no named C locales behind its code pages; the names map as the C runtime reads
// them: "" is the ANSI code page, "C" plain ASCII, "<anything>.UTF-8" UTF-8 and
// "<anything>.<number>" that code page, when the system has it.
std::unique_ptr<Charset> localeCharset(const char* name) {
    const std::string_view n(name);
    if (n.empty()) return std::make_unique<CodePageCharset>(::GetACP());
    if (n == "C") return std::make_unique<AsciiCharset>();
    if (endsWithNoCase(n, ".UTF-8") || endsWithNoCase(n, ".UTF8")) return std::make_unique<CodePageCharset>(CP_UTF8);
    const std::size_t dot = n.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == n.size()) return nullptr;
    char* end = nullptr;
    const unsigned long page = std::strtoul(name + dot + 1, &end, 10);
    if (*end != '\0' || page == 0 || page > 65535 || !::IsValidCodePage(static_cast<UINT>(page))) return nullptr;
    return std::make_unique<CodePageCharset>(static_cast<UINT>(page));
}

std::int64_t coarseMilliseconds() { return static_cast<std::int64_t>(::GetTickCount64()); }

}  // namespace zefra::platform
