// A fixed single-byte character set for tests, whatever locales the machine has: ISO-8859-1,
// where every byte is the code point of the same number.
#pragma once

#include "platform/platform.h"

namespace zefra::test {

class Latin1 final : public platform::Charset {
public:
    Decoded decode(const char* text, std::size_t) const override {
        return {Decoded::character, 1, static_cast<unsigned char>(text[0])};
    }
    std::size_t encode(char32_t c, char* out) const override { return c > 0xFF ? 0 : (*out = static_cast<char>(c), 1); }
};

}  // namespace zefra::test
