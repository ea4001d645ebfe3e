// POSIX transport: poll() (no FD_SETSIZE limit), MSG_NOSIGNAL (a dropped connection never
// raises SIGPIPE in the host), close-on-exec sockets (no leaks into the host's children).
#include "platform/platform.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <mutex>

namespace zefra::platform {
namespace {

Readiness waitFor(Socket s, short events, int milliseconds) {
    // A signal that interrupts the wait must not restart it with the whole limit again. The
    // coarse clock is enough for a limit of whole milliseconds, and this reading happens on
    // every call, where the fine clock costs tens of nanoseconds under a hypervisor.
    const std::int64_t deadline = coarseMilliseconds() + milliseconds;
    pollfd p{static_cast<int>(s), events, 0};
    for (int left = milliseconds;;) {
        const int n = ::poll(&p, 1, left);
        if (n > 0) {
            // POLLHUP/POLLERR count as ready: the following call reports the real outcome.
            return Readiness::ready;
        }
        if (n == 0) return Readiness::timedOut;
        if (errno != EINTR) return Readiness::failed;
        const std::int64_t remaining = deadline - coarseMilliseconds();
        if (remaining <= 0) return Readiness::timedOut;
        left = static_cast<int>(remaining);
    }
}

class PosixTransport final : public Transport {
public:
    bool startSockets() override { return true; }
    void stopSockets() override {}

    Socket openStream() override {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return invalidSocket;
        const int one = 1;
        (void)::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return fd;
    }

    ConnectStart startConnect(Socket s, std::uint32_t ip, std::uint16_t port) override {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(ip);
        addr.sin_port = htons(port);
        if (::connect(static_cast<int>(s), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
            return ConnectStart::connected;
        return (errno == EINPROGRESS || errno == EINTR) ? ConnectStart::inProgress : ConnectStart::failed;
    }

    bool connectSucceeded(Socket s) override {
        int error = 0;
        socklen_t len = sizeof error;
        return ::getsockopt(static_cast<int>(s), SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
    }

    Readiness waitWritable(Socket s, int ms) override { return waitFor(s, POLLOUT, ms); }
    Readiness waitReadable(Socket s, int ms) override { return waitFor(s, POLLIN, ms); }

    IoResult send(Socket s, const void* data, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::send(static_cast<int>(s), data, size, MSG_NOSIGNAL);
            if (n >= 0) return {IoResult::done, static_cast<std::size_t>(n)};
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return {IoResult::wouldBlock, 0};
            return {IoResult::failed, 0};
        }
    }

    IoResult receive(Socket s, void* data, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::recv(static_cast<int>(s), data, size, 0);
            if (n > 0) return {IoResult::done, static_cast<std::size_t>(n)};
            if (n == 0) return {IoResult::failed, 0};
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return {IoResult::wouldBlock, 0};
            return {IoResult::failed, 0};
        }
    }

    void shutdown(Socket s) override { (void)::shutdown(static_cast<int>(s), SHUT_RDWR); }
    bool close(Socket s) override { return ::close(static_cast<int>(s)) == 0; }
};


static_assert(MB_LEN_MAX <= Charset::maxEncoded);

// uselocale() switches the calling thread only: the host's locale and its other threads are
// never touched.
class LocaleScope {
public:
    explicit LocaleScope(locale_t locale) : previous_(uselocale(locale)) {}
    ~LocaleScope() { uselocale(previous_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    locale_t previous_;
};

// One direction of a multibyte conversion through iconv, opened once. A descriptor carries
// conversion state, so calls from several threads take turns; each converts one character
// from the initial state, as a fresh mbstate_t would.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (opened()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    struct Result {
        std::size_t taken, written;
        int error;  // 0, or the errno of a conversion that stopped early
    };
    // Converts from `in` until `out` is full or `in` ends.
    Result convert(const char* in, std::size_t inSize, char* out, std::size_t outSize) const {
        std::lock_guard<std::mutex> turn(mutex_);
        (void)iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in);  // iconv's signature; the input is not written
        std::size_t sourceLeft = inSize, targetLeft = outSize;
        const std::size_t r = iconv(cd_, &source, &sourceLeft, &out, &targetLeft);
        const int error = r == static_cast<std::size_t>(-1) ? errno : 0;
        // Back to the initial shift state, so that the character stands alone.
        if (error == 0) (void)iconv(cd_, nullptr, nullptr, &out, &targetLeft);
        return {inSize - sourceLeft, outSize - targetLeft, error};
    }

private:
    iconv_t cd_;
    mutable std::mutex mutex_;
};

// A locale's character set. A UTF-8 locale gets the strict UTF-8 of this library, so that
// broken input is replaced the same way whatever the C library accepts. A single-byte set (the
// "C" locale, the ISO-8859 family, ...) is read into a table once; a multibyte set other than
// UTF-8 converts through iconv. No call ever switches its thread's locale. Without a locale at
// all, or a set iconv does not know, plain ASCII.
class LocaleCharset final : public Charset {
public:
    explicit LocaleCharset(locale_t locale)
        : locale_(locale), utf8_(locale != nullptr && std::strcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0) {
        if (locale_ == nullptr || utf8_) return;
        readSingleByteTable();
        if (singleByte_) return;
        const char* const codeset = nl_langinfo_l(CODESET, locale_);
        toCharacter_ = std::make_unique<Converter>("WCHAR_T", codeset);
        fromCharacter_ = std::make_unique<Converter>(codeset, "WCHAR_T");
        if (!toCharacter_->opened() || !fromCharacter_->opened()) toCharacter_.reset(), fromCharacter_.reset();
    }
    ~LocaleCharset() override {
        if (locale_ != nullptr) freelocale(locale_);
    }
    LocaleCharset(const LocaleCharset&) = delete;
    LocaleCharset& operator=(const LocaleCharset&) = delete;

    Decoded decode(const char* text, std::size_t available) const override {
        if (utf8_) return utf8Charset().decode(text, available);
        if (singleByte_) {
            const char32_t c = byteToCharacter_[static_cast<unsigned char>(text[0])];
            return c != noCharacter ? Decoded{Decoded::character, 1, c} : Decoded{Decoded::invalid, 1, 0};
        }
        if (toCharacter_ == nullptr) {
            const unsigned char c = static_cast<unsigned char>(text[0]);
            return c < 0x80 ? Decoded{Decoded::character, 1, c} : Decoded{Decoded::invalid, 1, 0};
        }
        wchar_t c = 0;
        const Converter::Result r =
            toCharacter_->convert(text, available, reinterpret_cast<char*>(&c), sizeof c);
        if (r.written == sizeof c) return {Decoded::character, r.taken, static_cast<char32_t>(c)};
        if (r.error == EINVAL) return {Decoded::incomplete, available, 0};
        return {Decoded::invalid, 1, 0};
    }

    std::size_t encode(char32_t c, char* out) const override {
        if (utf8_) return utf8Charset().encode(c, out);
        if (singleByte_) {
            const auto* const end = characterToByte_.begin() + characters_;
            const auto* const it = std::lower_bound(characterToByte_.begin(), end, std::pair<char32_t, unsigned char>{c, 0});
            if (it == end || it->first != c) return 0;
            out[0] = static_cast<char>(it->second);
            return 1;
        }
        if (fromCharacter_ == nullptr) {
            if (c >= 0x80) return 0;
            out[0] = static_cast<char>(c);
            return 1;
        }
        const wchar_t wide = static_cast<wchar_t>(c);
        const Converter::Result r =
            fromCharacter_->convert(reinterpret_cast<const char*>(&wide), sizeof wide, out, maxEncoded);
        return r.error == 0 && r.taken == sizeof wide ? r.written : 0;
    }

private:
    static constexpr char32_t noCharacter = 0xFFFFFFFF;

    void readSingleByteTable() {
        // Under the locale for these few calls only, when the charset is made.
        LocaleScope scope(locale_);
        if (MB_CUR_MAX != 1) return;
        for (unsigned byte = 1; byte < 256; ++byte) {
            const char text = static_cast<char>(byte);
            std::mbstate_t state{};
            wchar_t c = 0;
            const bool decodes = std::mbrtowc(&c, &text, 1, &state) == 1;
            byteToCharacter_[byte] = decodes ? static_cast<char32_t>(c) : noCharacter;
            if (decodes) characterToByte_[characters_++] = {static_cast<char32_t>(c), static_cast<unsigned char>(byte)};
        }
        std::sort(characterToByte_.begin(), characterToByte_.begin() + characters_);
        singleByte_ = true;
    }

    locale_t locale_;
    bool utf8_;
    bool singleByte_ = false;
    std::array<char32_t, 256> byteToCharacter_{};  // entry 0 unused: texts end at a zero byte
    std::array<std::pair<char32_t, unsigned char>, 255> characterToByte_{};  // sorted by character
    std::size_t characters_ = 0;
    std::unique_ptr<Converter> toCharacter_, fromCharacter_;
};

locale_t newCtypeLocale(const char* name) { return newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr)); }

}  // namespace

Transport& systemTransport() {
    static PosixTransport posixTransport;
    return posixTransport;
}

// The environment's locale as a host that called setlocale(LC_ALL, "") would have it, made
// once; "C" when the environment names a locale the system lacks.
const Charset& environmentCharset() {
    // Never destroyed: a host thread may still fetch a message while the process exits.
    static const Charset* const charset = new LocaleCharset([] {
        const locale_t own = newCtypeLocale("");
        return own != nullptr ? own : newCtypeLocale("C");
    }());
    return *charset;
}

std::unique_ptr<Charset> localeCharset(const char* name) {
    const locale_t locale = newCtypeLocale(name);
    if (locale == nullptr) return nullptr;
    return std::make_unique<LocaleCharset>(locale);
}

std::int64_t coarseMilliseconds() {
    // The coarse clock reads what the kernel last stored, without the time-stamp counter
    // (which costs tens of nanoseconds under a hypervisor).
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

}  // namespace zefra::platform
