// Every command-family export, called with placeholder arguments: 1 for each number, a zeroed
// area for each record, array or output, "1" for each text. What they all share is checked here
// once: one request per call, an error reply's code or a slot not connected as the result, and a
// null pointer in any place or a text too long for a frame refused unsent.
#include <cstring>
#include <set>
#include <string>
#include <type_traits>

#include "support/family_test.h"

namespace zefra::test {
namespace {

int nullAt = -1, longAt = -1;  // the argument to give as null, or as a text too long for a frame
bool replaced = false;         // whether the call had a pointer there
int number = 1;

// Placeholders know their position: the order in which a call's arguments are made is unspecified.
template <int Position>
struct Arg {
    operator const char*() const {
        static const std::string longText(1100, 't');
        replaced |= Position == longAt;
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
        replaced |= Position == nullAt;
        return Position == nullAt ? nullptr : given;
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
    const std::set<std::string> connection = {"ZEFRA_Init_ETH", "ZEFRA_Exit_ETH", "ZEFRA_Common_Cmd"};
    const std::set<std::string> slotless = {"ZEFRA_GetProfileMode", "ZEFRA_GetExtProfileType",
                                            "ZEFRA_GetExtProfileLeftSpace"};  // they ask slot 0 whatever
    for (const auto& [name, call] : calls) {
        if (connection.contains(name)) continue;
        SCOPED_TRACE(name);
        number = name == std::string("ZEF_GetRecommendCollisionLevel") ? 4 : 1;  // levels only for 4 or 6 axes
        controller.clear();
        call(slot);
        // An upload is its entries and then their count.
        EXPECT_EQ(controller.requestCount(), name == std::string("ZEFRA_SetExtProfileData") ? 2u : 1u);
        controller.replyPayload("e12:");
        EXPECT_EQ(call(slot), -12);
        EXPECT_TRUE(slotless.contains(name) || call(1) == RC_COMM_FAIL) << "slot 1 is not connected";
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
