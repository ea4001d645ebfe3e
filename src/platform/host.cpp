// What the library shares with its host process, the same on every OS: the transport in use
// (tests put their own in), the one standard-output line, and the host's character set.
#include <atomic>
#include <cstdio>

#include "platform/platform.h"

namespace zefra::platform {
namespace {

std::atomic<Transport*> replacementTransport{nullptr};
std::atomic<OutputSink> outputSink{nullptr};
std::atomic<const Charset*> fixedHostCharset{nullptr};

const Charset& hostCharset() {
    const Charset* fixed = fixedHostCharset.load(std::memory_order_acquire);
    return fixed != nullptr ? *fixed : environmentCharset();
}

}  // namespace

Transport& transport() {
    Transport* replacement = replacementTransport.load(std::memory_order_acquire);
    return replacement != nullptr ? *replacement : systemTransport();
}

void useTransport(Transport* replacement) { replacementTransport.store(replacement, std::memory_order_release); }

void writeStandardOutput(const char* text) {
    if (const OutputSink sink = outputSink.load(std::memory_order_acquire)) {
        sink(text);
        return;
    }
    std::fputs(text, stdout);
}

void divertStandardOutput(OutputSink sink) { outputSink.store(sink, std::memory_order_release); }

std::size_t hostTextToUtf8(const char* text, std::size_t limit, char* out, std::size_t size) {
    return convertText(hostCharset(), utf8Charset(), text, limit, out, size);
}

std::size_t utf8ToHostText(const char* text, std::size_t limit, char* out, std::size_t size) {
    return convertText(utf8Charset(), hostCharset(), text, limit, out, size);
}

void useHostCharset(const Charset* charset) { fixedHostCharset.store(charset, std::memory_order_release); }

}  // namespace zefra::platform
