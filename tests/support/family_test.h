// Base fixture of the command families. A family test lists its functions in tables, one row
// per call: the request it must send, the reply it gets, and the result and outputs it must
// come back with; the output rules the families share are each stated once here. The refusal of
// null and overlong arguments is the argument test's, for every export at once. Slots, framing
// and error replies belong to the exchange tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "controller_test.h"
#include "platform/platform.h"
#include "zefraapi.h"

namespace zefra::test {

using Six = std::array<double, 6>;

// The fields of the records, in order, for priming and showing them.
inline auto fields(RobP& r) { return std::tie(r.pos, r.armType, r.extAxes); }
inline auto fields(RobJP& r) { return std::tie(r.axes, r.extAxes); }
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

// A call given outputs of the types T, primed and shown after it returns.
template <typename Call, typename... T>
struct WithOutputs {
    Call call;
    int32_t operator()(std::string& shown) const {
        std::tuple<T...> outs;
        std::apply([](auto&... o) { (prime(o), ...); }, outs);
        const int32_t rc = std::apply([&](auto&... o) { return call(&o...); }, outs);
        shown = std::apply([](auto&... o) { return show(o...); }, outs);
        return rc;
    }
};

// A fill no reply in these tests produces.
template <typename Record>
Record filled() {
    Record r;
    std::memset(&r, 0x55, sizeof r);
    return r;
}

// Up to the end of the last field: a PointRecord's trailing padding is nobody's business.
template <typename Record>
bool same(const Record& a, const Record& b) {
    constexpr std::size_t size = std::is_same_v<Record, PointRecord>
                                     ? offsetof(PointRecord, frameRef) + sizeof(PointRecord::frameRef)
                                     : sizeof(Record);
    return std::memcmp(&a, &b, size) == 0;
}

// A call, the request it must send, the reply it gets, and the result, outputs and printed text it must come back with.
struct Row {
    std::string request, reply;
    int32_t rc;
    std::string outputs;
    std::function<int32_t(std::string& outputs)> call;
    std::string printed = "";
};

// A call with its leading arguments fixed, leaving the rest (a query's output and the slot).
template <typename F, typename... A>
auto partial(F f, A... args) {
    return [=](auto... rest) { return f(args..., rest...); };
}

// What a query of one number leaves in its output.
enum class Output {
    written,    // the scanned value, only after a complete scan
    zeroed,     // as written, but 0 on any failure: hosts read it whatever the result
    bare,       // as written, but a bare "=" means nothing to report: RC_OK with 0
    counter,    // cleared first; no number reads as 0, a reply ending after "=" is refused
    authority,  // scanned in place: no number keeps the host's value; a negative one is refused as 0
};
template <typename Out>
struct Scalar {
    std::function<int32_t(Out* out, int32_t slot)> call;
    std::string request;
};

// A single-precision parameter set: "Get_<word>" and "Set_<word> ..." with 2 or 6 values.
struct FloatSet {
    const char* word;
    int32_t(ZEFRA_CALL* get)(float*, int32_t);
    int32_t(ZEFRA_CALL* set)(const float*, int32_t);
    int count;
    bool fromFirst;  // the getter succeeds from the first value on
};

// What the library wrote to standard output.
inline std::string printed;

// The scan-count line: after every exchange that did not fail, whether or not the value was read.
inline std::string scanCountLine(const char* count) {
    return *count ? std::string("sscanf_s ret = ") + count + "\n" : "";
}

class FamilyTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        printed.clear();
        platform::divertStandardOutput([](const char* text) { printed += text; });
    }
    void TearDown() override {  // back to the host's own output and character set
        platform::divertStandardOutput(nullptr);
        platform::useHostCharset(nullptr);
        ControllerTest::TearDown();
    }

    // `sends("Set_DO 3 1", ZEFRA_Set_DO, 3, 1)`: a command, made with these arguments and the slot, that
    // returns RC_OK to the default "ok" and has no outputs.
    template <typename F, typename... A>
    static Row sends(std::string request, F f, A... args) {
        return {std::move(request), "ok", RC_OK, "", [=](std::string&) { return f(args..., slot); }};
    }

    // A getter whose outputs come right before the slot, with the arguments before them fixed.
    template <typename... Out, typename F, typename... A>
    static auto getter(F f, A... args) {
        const auto call = [=](auto*... out) { return f(args..., address(out)..., slot); };
        return WithOutputs<decltype(call), Out...>{call};
    }
    template <typename T>
    static auto* address(T* out) {
        if constexpr (requires { out->data(); }) return out->data();
        else return out;
    }

    void expectCalls(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.request + " <- " + row.reply);
            controller.clear();
            controller.replyPayload(row.reply);
            std::string outputs;
            printed.clear();
            EXPECT_EQ(row.call(outputs), row.rc);
            EXPECT_EQ(controller.commands(), std::vector<std::string>{row.request});
            EXPECT_EQ(outputs, row.outputs);
            EXPECT_EQ(printed, row.printed);
        }
        controller.clear();
    }

    // Results of calls made after the last table: each refused, and nothing sent.
    void expectRefused(std::initializer_list<int32_t> results) {
        int i = 0;
        for (const int32_t rc : results) EXPECT_EQ(rc, RC_BAD_PARAM) << "call " << i++;
        EXPECT_TRUE(nothingSent());
    }

    // A query of one number: given the output's value before the call, it leaves the value after.
    using OneNumber = std::function<int32_t(double& value, int32_t slot)>;

    // Integers read "= -42" as -42, single and double precision as -42.5.
    void expectQuery(const OneNumber& query, const std::string& request, Output output, bool integral) {
        struct Outcome { int32_t rc; double value; };
        const struct { const char* payload; double before; Outcome by[5]; } cases[] = {  // by Output
            {integral ? "= -42" : "= -42.5", 9,
             {{RC_OK, -42.5}, {RC_OK, -42.5}, {RC_OK, -42.5}, {RC_OK, -42.5}, {RC_BAD_PARAM, 0}}},
            {"=0", 9, {{RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}}},
            {"=", 9, {{RC_FAIL, 9}, {RC_FAIL, 0}, {RC_OK, 0}, {RC_BAD_PARAM, 0}, {RC_BAD_PARAM, 0}}},
            {"ok", 5, {{RC_FAIL, 5}, {RC_FAIL, 0}, {RC_FAIL, 5}, {RC_OK, 0}, {RC_OK, 5}}},
            {"=x", -1, {{RC_FAIL, -1}, {RC_FAIL, 0}, {RC_FAIL, -1}, {RC_OK, 0}, {RC_BAD_PARAM, 0}}},
            {"e12:", 9, {{-12, 9}, {-12, 0}, {-12, 9}, {-12, 0}, {-12, 0}}},
            {"e-3:", 9, {{RC_FAIL, 9}, {RC_FAIL, 0}, {RC_FAIL, 9}, {RC_OK, 0}, {RC_OK, 9}}}};  // +3 is no failure code
        for (const auto& c : cases) {
            SCOPED_TRACE(request + " <- " + c.payload);
            const Outcome& expected = c.by[static_cast<int>(output)];
            double value = c.before;
            controller.replyPayload(c.payload);
            EXPECT_EQ(query(value, slot), expected.rc);
            EXPECT_EQ(value, integral ? std::trunc(expected.value) : expected.value);
            EXPECT_EQ(sent(), request);
        }
    }
    template <typename Out = int32_t>
    void expectQueries(std::initializer_list<Scalar<Out>> rows) {
        for (const Scalar<Out>& row : rows) {
            const auto query = [&row](double& value, int32_t s) {
                Out out = static_cast<Out>(value);
                const int32_t rc = row.call(&out, s);
                value = out;
                return rc;
            };
            expectQuery(query, row.request, Output::written, std::is_integral_v<Out>);
        }
    }

    // One blank-free word after "=" that must fit `field` bytes with its terminator. The host gets
    // the whole field or only the word and its terminator; a bare "=" is a failed scan or an empty word.
    // A query that reports prints what its scan stored after every exchange that did not fail.
    void expectWordQuery(const std::function<int32_t(char*, int32_t)>& call, const std::string& request,
                         std::size_t field, bool wholeField, bool bareIsEmpty = false, bool reports = false) {
        const std::string longest(field - 1, 'w');
        const struct { std::string payload, word; int32_t rc; const char* count; } cases[] = {
            {"=V2.1 b5", "V2.1", RC_OK, "1"}, {"= \tR6", "R6", RC_OK, "1"}, {"=" + longest, longest, RC_OK, "1"},
            {"=" + longest + "w", "", RC_FAIL, "0"}, {"=", "", bareIsEmpty ? RC_OK : RC_FAIL, "-1"},
            {"ok", "", RC_FAIL, "0"}, {"e5:", "", -5, ""}};
        for (const auto& c : cases) {
            SCOPED_TRACE(request + " <- " + c.payload);
            std::string text(200, 'x');
            printed.clear();
            controller.replyPayload(c.payload);
            EXPECT_EQ(call(text.data(), slot), c.rc);
            EXPECT_EQ(sent(), request);
            const std::size_t written = c.rc != RC_OK ? 0 : wholeField ? field : c.word.size() + 1;
            EXPECT_EQ(text, (c.word + std::string(field, '\0')).substr(0, written) + std::string(200 - written, 'x'));
            EXPECT_EQ(printed, reports ? scanCountLine(c.count) : "");
        }
    }

    // Six decimals out; replies straight into the caller's array, never past `count` elements.
    void expectFloatSets(std::initializer_list<FloatSet> rows) {
        for (const FloatSet& row : rows) {
            SCOPED_TRACE(row.word);
            const float values[6] = {0.5f, -1.25f, 100, 0.1f, 2, 1e6f};
            const std::string six = "0.500000,-1.250000,100.000000,0.100000,2.000000,1000000.000000";
            EXPECT_EQ(row.set(values, slot), RC_OK);
            EXPECT_EQ(sent(), "Set_" + std::string(row.word) + " " + (row.count == 6 ? six : six.substr(0, 18)));
            float got[7] = {7, 7, 7, 7, 7, 7, 7};
            const float full[7] = {1.5f, -0.1f, 3, 4, 5, 6, 7};
            controller.replyPayload("=1.5,-0.1,3,4,5,6,8");
            EXPECT_EQ(row.get(got, slot), RC_OK);
            EXPECT_EQ(sent(), "Get_" + std::string(row.word));
            for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i], i < row.count ? full[i] : 7) << i;
            controller.replyPayload("=9;8");  // one value, then a mismatch
            EXPECT_EQ(row.get(got, slot), row.fromFirst ? RC_OK : RC_FAIL);
            EXPECT_EQ(got[0], 9.0f);
            EXPECT_EQ(got[1], -0.1f);
            controller.replyPayload("=x");
            EXPECT_EQ(row.get(got, slot), RC_FAIL);
        }
    }

    // `call(&record, slot)` sends `request`; `reply` cut before its last field leaves the record as
    // it was, `reply` itself replaces it whole with `expected`.
    // `start` may be an input of the call too, so whatever is sent must be read before anything is written.
    template <typename Record, typename Call>
    void expectWholeRecord(const std::string& request, const std::string& reply, const Record& expected, Call call,
                           const Record& start = filled<Record>()) {
        SCOPED_TRACE(request);
        Record record = start;
        controller.replyPayload(reply.substr(0, reply.find_last_of(",;")));
        EXPECT_EQ(call(&record, slot), RC_FAIL);
        EXPECT_EQ(sent(), request);
        EXPECT_TRUE(same(record, start));
        controller.replyPayload(reply);
        EXPECT_EQ(call(&record, slot), RC_OK);
        EXPECT_EQ(sent(), request);
        EXPECT_TRUE(same(record, expected));
    }
};

}  // namespace zefra::test
