// Every command-family export, called with placeholder arguments: 1 for each number, a zeroed
// area for each record, array or output, "1" for each text. The rules shared by all of them are
// checked here once: the call sends one request, and refuses unsent a null pointer in any place
// and a text too long for a frame.
#include <cstring>
#include <string>
#include <type_traits>

#include "support/family_test.h"

namespace zefra::test {
namespace {

int nullAt = -1, longAt = -1;  // the argument to give as null, or as a text too long for a frame
bool replaced = false;         // whether the call had a pointer there
int number = 1;

template <int Position>
struct Arg {
    operator const char*() const {
        static const std::string longText(1100, 't');
        if (Position == longAt) replaced = true;
        return Position == longAt ? longText.c_str() : pointer<const char>("1");
    }
    template <typename T>
        requires std::is_arithmetic_v<T>
    operator T() const {
        return T(number);
    }
    template <typename T>
    operator T*() const {
        alignas(16) static unsigned char area[8192];
        std::memset(area, 0, sizeof area);
        return pointer<T>(reinterpret_cast<T*>(area));
    }
    template <typename T>
    static T* pointer(T* given) {
        if (Position != nullAt) return given;
        replaced = true;
        return nullptr;
    }
};

#define ARG(position) Arg<position>{}
const struct {
    const char* name;
    int32_t (*call)(int32_t slot);
} calls[] = {
#include "calls.inc"
};

using Arguments = FamilyTest;

TEST_F(Arguments, EveryCallSendsOneRequestAndRefusesANullOrOverlongArgumentUnsent) {
    for (const auto& [name, call] : calls) {
        const std::string n = name;
        if (n == "ZEFRA_Init_ETH" || n == "ZEFRA_Exit_ETH" || n == "ZEFRA_Common_Cmd") continue;  // no family's
        SCOPED_TRACE(n);
        number = n == "ZEF_GetRecommendCollisionLevel" ? 4 : 1;  // levels are needed only for 4 or 6 axes
        nullAt = longAt = -1;
        controller.clear();
        call(slot);
        // An upload is its entries and then their count.
        EXPECT_EQ(controller.requestCount(), n == "ZEFRA_SetExtProfileData" ? 2u : 1u);
        for (int* wrong : {&nullAt, &longAt}) {
            for (int position = 0; position < 12; ++position) {
                controller.clear();
                *wrong = position;
                replaced = false;
                const int32_t rc = call(slot);
                *wrong = -1;
                if (!replaced) continue;
                EXPECT_EQ(rc, RC_BAD_PARAM) << (wrong == &nullAt ? "null " : "too long ") << position;
                EXPECT_TRUE(nothingSent()) << position;
            }
        }
    }
}

}  // namespace
}  // namespace zefra::test
