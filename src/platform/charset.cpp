// The bounded text conversion behind print messages, and strict UTF-8. Nothing here depends
// on the operating system: each OS layer only says which set the host uses.
#include <cstring>

#include "platform/platform.h"

namespace zefra::platform {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

class Utf8Charset final : public Charset {
public:
    // Invalid input is reported one maximal valid prefix at a time, as Windows and the
    // Unicode standard's recommended practice replace it.
    Decoded decode(const char* text, std::size_t available) const override {
        const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        const unsigned lead = byte(0);
        if (lead < 0x80) return {Decoded::character, 1, lead};
        std::size_t length = 0;
        char32_t value = 0;
        unsigned low = 0x80, high = 0xBF;  // the second byte's range, narrowed where forms are forbidden
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0Fu;
            if (lead == 0xE0) low = 0xA0;   // overlong
            if (lead == 0xED) high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07u;
            if (lead == 0xF0) low = 0x90;   // overlong
            if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
        } else {
            return {Decoded::invalid, 1, 0};
        }
        for (std::size_t i = 1; i < length; ++i) {
            if (i == available) return {Decoded::incomplete, i, 0};
            const unsigned next = byte(i);
            if (next < low || next > high) return {Decoded::invalid, i, 0};
            value = value << 6 | (next & 0x3Fu);
            low = 0x80;
            high = 0xBF;
        }
        return {Decoded::character, length, value};
    }

    std::size_t encode(char32_t c, char* out) const override {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
        if (c < 0x80) {
            out[0] = static_cast<char>(c);
            return 1;
        }
        const std::size_t length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        static constexpr unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
        for (std::size_t i = length - 1; i > 0; --i, c >>= 6) out[i] = static_cast<char>(0x80 | (c & 0x3F));
        out[0] = static_cast<char>(leads[length] | c);
        return length;
    }
};

}  // namespace

const Charset& utf8Charset() {
    static const Utf8Charset charset;
    return charset;
}

std::size_t convertText(const Charset& from, const Charset& to, const char* text, std::size_t limit, char* out,
                        std::size_t size) {
    if (size == 0) return 0;
    const std::size_t available = strnlen(text, limit);
    // A character still going on at the limit was cut there and is dropped whole; one that the
    // text itself ends in the middle of is broken input.
    const bool cutAtLimit = available == limit && text[limit] != '\0';
    std::size_t at = 0, written = 0;
    while (at < available) {
        Charset::Decoded d = from.decode(text + at, available - at);
        if (d.kind == Charset::Decoded::incomplete) {
            if (cutAtLimit) break;
            d = {Charset::Decoded::invalid, available - at, 0};
        }
        char bytes[Charset::maxEncoded];
        std::size_t n = to.encode(d.kind == Charset::Decoded::character ? d.value : replacementCharacter, bytes);
        if (n == 0 || n > sizeof bytes) {
            bytes[0] = '?';
            n = 1;
        }
        if (n >= size - written) break;  // the terminator must still fit
        std::memcpy(out + written, bytes, n);
        written += n;
        at += d.length > 0 ? d.length : 1;
    }
    out[written] = '\0';
    return written;
}

}  // namespace zefra::platform
