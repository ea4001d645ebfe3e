// Base fixture for the tables of a command family: one row states the request a call must send,
// the reply it gets, and the result and outputs it must come back with.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "controller_test.h"
#include "zefraapi.h"

namespace zefra::test {

using Six = std::array<double, 6>;

// The fields of the records, in order, for priming and showing them.
inline auto fields(RobP& r) { return std::tie(r.pos, r.armType, r.extAxes); }
inline auto fields(PointRecord& r) { return std::tie(r.pos, r.armType, r.frameRef); }
inline auto fields(ToolData& r) { return std::tie(r.attr, r.frame, r.params); }
inline auto fields(WobjData& r) { return std::tie(r.attr1, r.attr2, r.name, r.frame1, r.frame2); }
inline auto fields(InterferZonePara& r) {
    return std::tie(r.param1, r.param2, r.param3, r.param4, r.param5, r.param6, r.kind, r.values0, r.values1);
}

template <typename T> constexpr bool isText = std::is_array_v<T> && std::is_same_v<std::remove_extent_t<T>, char>;

// Every number 9, every text "9": what an output shows when nothing was written to it.
template <typename T>
void prime(T& v) {
    if constexpr (isText<T>) std::memcpy(v, "9", 2);
    else if constexpr (std::is_arithmetic_v<T>) v = 9;
    else if constexpr (requires { std::begin(v); }) for (auto& e : v) prime(e);
    else std::apply([](auto&... f) { (prime(f), ...); }, fields(v));
}

template <typename... T> std::string show(T&... values);

// Values separated by ",", arrays and records element by element, texts up to their terminator.
template <typename T>
void showOne(std::ostringstream& s, T& v) {
    if constexpr (isText<T>) s << std::string(v, strnlen(v, sizeof v));
    else if constexpr (std::is_integral_v<T> && sizeof(T) == 1) s << static_cast<int>(v);  // a number, not a character
    else if constexpr (std::is_arithmetic_v<T>) s << v;
    else if constexpr (requires { std::begin(v); }) {
        for (auto e = std::begin(v); e != std::end(v); ++e) s << (e == std::begin(v) ? "" : ",") << show(*e);
    } else s << std::apply([](auto&... f) { return show(f...); }, fields(v));
}

template <typename... T>
std::string show(T&... values) {
    std::ostringstream s;
    s.precision(10);
    int n = 0;
    ((s << (n++ > 0 ? "," : ""), showOne(s, values)), ...);
    return s.str();
}

inline std::string nines(int n) { return n == 1 ? "9" : "9," + nines(n - 1); }

// A call given outputs of the types T, primed, and shown after it returns.
template <typename... T, typename Call>
auto with(Call call) {
    return [call](std::string& shown) {
        std::tuple<T...> outs;
        std::apply([](auto&... o) { (prime(o), ...); }, outs);
        const int32_t rc = std::apply(call, outs);
        shown = std::apply([](auto&... o) { return show(o...); }, outs);
        return rc;
    };
}

template <typename T>
auto pointerTo(T& v) {
    if constexpr (requires { v.data(); }) return v.data();
    else return &v;
}

// A command: "ok" gives RC_OK and the request goes out exactly as stated.
struct Sent {
    std::string request;
    std::function<int32_t()> call;
};

// A query, its scripted reply, and the result and outputs it must come back with.
struct Read {
    std::string request, reply;
    int32_t rc;
    std::string outputs;
    std::function<int32_t(std::string& outputs)> call;
};

class FamilyTest : public ControllerTest {
protected:
    // A getter whose one output comes right before the slot, with the arguments before it fixed.
    template <typename Out, typename F, typename... A>
    static auto getter(F f, A... args) {
        return with<Out>([=](auto& out) { return f(args..., pointerTo(out), slot); });
    }

    void expectSent(std::initializer_list<Sent> rows) {
        for (const Sent& row : rows) {
            controller.clear();
            EXPECT_EQ(row.call(), RC_OK) << row.request;
            EXPECT_EQ(controller.commands(), std::vector<std::string>{row.request});
        }
        controller.clear();
    }

    void expectRead(std::initializer_list<Read> rows) {
        for (const Read& row : rows) {
            SCOPED_TRACE(row.request + " <- " + row.reply);
            controller.clear();
            controller.replyPayload(row.reply);
            std::string outputs;
            EXPECT_EQ(row.call(outputs), row.rc);
            EXPECT_EQ(controller.commands(), std::vector<std::string>{row.request});
            EXPECT_EQ(outputs, row.outputs);
        }
        controller.clear();
    }

    // Results of calls made after the last table: each refused, and nothing sent.
    void expectRefused(std::initializer_list<int32_t> results) {
        int i = 0;
        for (const int32_t rc : results) EXPECT_EQ(rc, RC_BAD_PARAM) << "call " << i++;
        EXPECT_TRUE(nothingSent());
    }
};

}  // namespace zefra::test
