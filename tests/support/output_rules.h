// The output rules the command families share, each stated once: a family test lists its
// functions in a table, one line per function, and hands the table to the rule they follow.
// Slots, framing and the mapping of error replies belong to the exchange tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controller_test.h"

namespace zefra::test {

using Call = std::function<int32_t()>;
template <typename Out>
using Query = std::function<int32_t(Out* out, int32_t slot)>;

// What a query of one integer leaves in its output.
enum class Output {
    written,    // the scanned value, only after a complete scan
    zeroed,     // as written, but 0 on any failure: hosts read it whatever the result
    bare,       // as written, but a bare "=" means nothing to report: RC_OK with 0
    counter,    // cleared first; no number reads as 0, a reply ending after "=" is refused
    authority,  // scanned in place: no number keeps the host's value; a negative one is refused as 0
};
struct IntQuery {
    Query<int32_t> call;
    std::string text;
    Output output = Output::written;
};

class RuleTest : public ControllerTest {
protected:
    // Plain commands: exactly the text goes out, once, and the controller's verdict comes back.
    void expectCommands(const std::vector<std::pair<Call, std::string>>& rows) {
        for (const auto& [call, text] : rows) {
            controller.clear();
            EXPECT_EQ(call(), RC_OK) << text;
            EXPECT_EQ(controller.commands(), std::vector<std::string>{text});
            controller.replyPayload("e17:no");
            EXPECT_EQ(call(), -17) << text;
            controller.replyPayload("=1");  // a query's answer is no verdict
            EXPECT_EQ(call(), RC_FAIL) << text;
        }
    }

    // Results of calls, made after the last clear(), that must be refused with nothing sent.
    void expectRefused(const std::vector<int32_t>& results) {
        for (std::size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i], RC_BAD_PARAM) << "call " << i;
        EXPECT_TRUE(nothingSent());
    }

    void expectIntQueries(const std::vector<IntQuery>& rows) {
        struct Outcome { int32_t rc, value; };
        const struct { const char* payload; int32_t before; Outcome by[5]; } cases[] = {  // by Output
            {"= -42", 9, {{RC_OK, -42}, {RC_OK, -42}, {RC_OK, -42}, {RC_OK, -42}, {RC_BAD_PARAM, 0}}},
            {"=0", 9, {{RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}, {RC_OK, 0}}},
            {"=", 9, {{RC_FAIL, 9}, {RC_FAIL, 0}, {RC_OK, 0}, {RC_BAD_PARAM, 0}, {RC_BAD_PARAM, 0}}},
            {"ok", 5, {{RC_FAIL, 5}, {RC_FAIL, 0}, {RC_FAIL, 5}, {RC_OK, 0}, {RC_OK, 5}}},
            {"=x", -1, {{RC_FAIL, -1}, {RC_FAIL, 0}, {RC_FAIL, -1}, {RC_OK, 0}, {RC_BAD_PARAM, 0}}},
            {"e12:", 9, {{-12, 9}, {-12, 0}, {-12, 9}, {-12, 0}, {-12, 0}}},
            {"e-3:", 9, {{RC_FAIL, 9}, {RC_FAIL, 0}, {RC_FAIL, 9}, {RC_OK, 0}, {RC_OK, 9}}},  // +3 is no failure code
            {nullptr, 9, {{RC_COMM_FAIL, 9}, {RC_COMM_FAIL, 0}, {RC_COMM_FAIL, 9}, {RC_COMM_FAIL, 0}, {RC_COMM_FAIL, 0}}},
        };  // a null payload: the call goes to slot 1, which is not connected
        for (const auto& row : rows) {
            for (const auto& c : cases) {
                SCOPED_TRACE(row.text + " <- " + (c.payload != nullptr ? c.payload : "(not connected)"));
                const Outcome& expected = c.by[static_cast<int>(row.output)];
                int32_t value = c.before;
                if (c.payload != nullptr) controller.replyPayload(c.payload);
                EXPECT_EQ(row.call(&value, c.payload != nullptr ? slot : 1), expected.rc);
                EXPECT_EQ(value, expected.value);
                EXPECT_EQ(sent(), row.text);
            }
            controller.clear();
            expectRefused({row.call(nullptr, slot)});
        }
    }

    // One blank-free word after "=" that must fit `field` bytes with its terminator. The host gets
    // the whole field or only the word and its terminator; a bare "=" is a failed scan or an empty word.
    void expectWordQuery(const Query<char>& call, const std::string& request, std::size_t field, bool wholeField,
                         bool bareIsEmpty = false) {
        const std::string longest(field - 1, 'w');
        const struct { std::string payload, word; int32_t rc; } cases[] = {
            {"=V2.1 b5", "V2.1", RC_OK}, {"= \tR6", "R6", RC_OK}, {"=" + longest, longest, RC_OK},
            {"=" + longest + "w", "", RC_FAIL}, {"=", "", bareIsEmpty ? RC_OK : RC_FAIL}, {"ok", "", RC_FAIL},
            {"e5:", "", -5}};
        for (const auto& c : cases) {
            SCOPED_TRACE(request + " <- " + c.payload);
            std::string text(200, 'x');
            controller.replyPayload(c.payload);
            EXPECT_EQ(call(text.data(), slot), c.rc);
            EXPECT_EQ(sent(), request);
            const std::size_t written = c.rc != RC_OK ? 0 : wholeField ? field : c.word.size() + 1;
            EXPECT_EQ(text, (c.word + std::string(field, '\0')).substr(0, written) + std::string(200 - written, 'x'));
        }
        controller.clear();
        expectRefused({call(nullptr, slot)});
    }

    // A hexadecimal code, "=%xh" (optional 0x, optional trailing h), written only when read.
    void expectHexQuery(const Query<uint32_t>& call, const std::string& text) {
        for (const auto& [payload, value] : {std::pair<const char*, uint32_t>{"=ffh", 255}, {"=0x1A", 26}, {"=zz", 7}}) {
            uint32_t out = 7;
            controller.replyPayload(payload);
            EXPECT_EQ(call(&out, slot), value == 7 ? RC_FAIL : RC_OK) << payload;
            EXPECT_EQ(out, value) << payload;
            EXPECT_EQ(sent(), text);
        }
        controller.clear();
        expectRefused({call(nullptr, slot)});
    }

    // Two values from one reply. `partial`: scanned straight into the outputs, so a reply that
    // breaks off keeps what was read before the break; otherwise both are written or neither.
    template <typename T>
    void expectPairQuery(const std::function<int32_t(T*, T*, int32_t)>& call, const std::string& text, bool partial) {
        const struct { const char* payload; int32_t rc; T first, second; } cases[] = {
            {"=7,8", RC_OK, 7, 8}, {"=7;8", RC_FAIL, partial ? T(7) : T(9), 9}, {"e3:", -3, 9, 9}};
        for (const auto& c : cases) {
            T first = 9, second = 9;
            controller.replyPayload(c.payload);
            EXPECT_EQ(call(&first, &second, slot), c.rc) << c.payload;
            EXPECT_EQ(std::vector<T>({first, second}), std::vector<T>({c.first, c.second})) << c.payload;
            EXPECT_EQ(sent(), text);
        }
        T v = 0;
        controller.clear();
        expectRefused({call(nullptr, &v, slot), call(&v, nullptr, slot)});
    }
};

}  // namespace zefra::test
