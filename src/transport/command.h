// What a command family needs to turn one exported call into one exchange: format the
// command text, run the exchange, scan the reply payload. A typical exported function is:
//
//     return sendCommand(slot, "MovJ P%d %d %d", point, arg1, arg2);
//
// a query with one output and a reading of its own:
//
//     return queryInto(value, slot, readInteger, "Get_CmdSts %d", index);
//
// or, for a query with several outputs, written only after a complete scan:
//
//     Command command;
//     if (const int32_t rc = command.query(slot, "get_acc"); rc != RC_OK) return rc;
//     double a = 0, b = 0;
//     if (command.scan("=%lf,%lf", &a, &b) != 2) return RC_FAIL;
//     *value1 = a; *value2 = b;
//     return RC_OK;
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/wire_format.h"
#include "transport/exchange.h"
#include "zefraapi.h"

namespace zefra {

class Command {
public:
    Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Formats the command text (locale-proof), the format checked against its arguments when
    // the library is compiled; false when it does not fit the command-text region, in which
    // case nothing may be sent.
    template <typename... Args>
    bool format(WireFormat<std::type_identity_t<Args>...> text, Args... args) {
        fits_ = true;
        return accept(0, formatChecked(buffer_.command(), regionSize, text.text(), args...));
    }
    // The same, with the format's pieces printed in line where the call is (no text is parsed at
    // run time): the request of every plain command and query. Its temporaries sit in the
    // caller's frame, so record commands, whose printing goes deeper, use format().
    template <typename... Args>
    [[gnu::always_inline]] bool formatInline(WireFormat<std::type_identity_t<Args>...> text, Args... args) {
        fits_ = true;
        if (!text.compiled()) return accept(0, formatChecked(buffer_.command(), regionSize, text.text(), args...));
        return accept(0, CompiledText(buffer_.command(), regionSize).print(text, args...));
    }

    // Appends formatted text, or a record or value run printed by one of the record printers
    // (appendRecord(printPointRecord, point), appendRecord(printSixValues, offsets, 3)), to the
    // command text. A text that does not fit (or a record that cannot be printed) makes the
    // next send()/query() return RC_BAD_PARAM without sending anything.
    [[gnu::format(printf, 2, 3)]] bool append(const char* format, ...);
    template <typename... Params, typename... Args>
    bool appendRecord(int (*print)(char*, std::size_t, Params...), const Args&... args) {
        if (!fits_) return false;
        const std::size_t used = usedLength();
        const int n = print(buffer_.command() + used, regionSize - used, args...);
        return accept(used, n);
    }

    // Formats, then runs the plain-command / query exchange. A text that does not fit
    // gives RC_BAD_PARAM with nothing sent.
    template <typename... Args>
    std::int32_t send(std::int32_t slot, WireFormat<std::type_identity_t<Args>...> text, Args... args) {
        formatInline(text, args...);
        return send(slot);
    }
    template <typename... Args>
    std::int32_t query(std::int32_t slot, WireFormat<std::type_identity_t<Args>...> text, Args... args) {
        formatInline(text, args...);
        return query(slot);
    }

    // Runs the exchange on the text built with format()/append(). A query fails only with a
    // negative result; an error payload with a negative number ("e-3") gives no failure code
    // and is left for the query's own scan like any other payload.
    std::int32_t send(std::int32_t slot) { return fits_ ? plainCommandExchange(buffer_, slot) : RC_BAD_PARAM; }
    std::int32_t query(std::int32_t slot) { return fits_ ? failureOnly(queryExchange(buffer_, slot)) : RC_BAD_PARAM; }
    // The query exchange's result as it stands, for a command that is sent as a query and
    // whose answer is never scanned: "ok" and any other text give RC_OK, "e-3" gives 3.
    std::int32_t queryResult(std::int32_t slot) { return fits_ ? queryExchange(buffer_, slot) : RC_BAD_PARAM; }

    // Scans the reply payload (locale-proof, scanf rules, the format checked against its
    // targets when the library is compiled); returns what sscanf returns.
    template <typename... Pointers>
    int scan(const ScanFormat<std::type_identity_t<Pointers>...>& format, Pointers... targets) const {
        return scanFields(buffer_.payload(), format, targets...);
    }

    const char* payload() const { return buffer_.payload(); }
    std::size_t payloadLength() const;

private:
    static std::int32_t failureOnly(std::int32_t rc) { return rc > 0 ? RC_OK : rc; }
    std::size_t usedLength() const;
    bool accept(std::size_t used, int written);

    ExchangeBuffer buffer_;
    bool fits_ = true;
};

// One plain command: format and send; RC_BAD_PARAM when the text does not fit.
template <typename... Args>
[[gnu::always_inline]] inline std::int32_t sendCommand(std::int32_t slot,
                                                      WireFormat<std::type_identity_t<Args>...> format, Args... args) {
    Command command;
    command.formatInline(format, args...);
    return command.send(slot);
}

// Reads a query's outcome into a caller's output: given the query's result and the Command
// holding the payload, returns the call's result. Each query family states its own reading.
template <typename Out>
using QueryReader = std::int32_t (*)(std::int32_t rc, const Command& command, Out* out);

// The shape of every query with one output: refuse a null output unsent, format the request,
// run the query exchange, then let `read` decide (it also sees a failed exchange, for the
// queries that write their output whatever happens). The arguments come as a pack, so no
// varargs frame stays on the stack under the reading.
template <typename Out, typename... Args>
std::int32_t queryInto(Out* out, std::int32_t slot, QueryReader<Out> read,
                       WireFormat<std::type_identity_t<Args>...> format, Args... args) {
    if (out == nullptr) return RC_BAD_PARAM;
    Command command;
    command.formatInline(format, args...);
    return read(command.query(slot), command, out);
}

// "=%d" into a local, written to the output only after a complete scan.
std::int32_t readInteger(std::int32_t rc, const Command& command, std::int32_t* value);
// "=%f" into a local float, written to the output only after a complete scan.
std::int32_t readFloat(std::int32_t rc, const Command& command, float* value);

// Runs of single-precision parameters scanned straight into the caller's array (values read
// before a mismatch stay written), each with its own field rule: all six, both of two, or
// the six-float form from its first value on (the elements not read keep their contents).
std::int32_t readSixFloats(std::int32_t rc, const Command& command, float* values);
std::int32_t readTwoFloats(std::int32_t rc, const Command& command, float* values);
std::int32_t readUpToSixFloats(std::int32_t rc, const Command& command, float* values);

// A whole-or-nothing record read (readPointRecord, readRobP, readRobJP, readSixValuesAsPoint)
// as a query's reading: queryInto(point, slot, readWhole<readPointRecord>, "Get_PosHere").
template <auto read, typename Out>
std::int32_t readWhole(std::int32_t rc, const Command& command, Out* out) {
    if (rc != RC_OK) return rc;
    return read(command.payload(), out) ? RC_OK : RC_FAIL;
}

// "<word> " and a run of `count` (2 or 6) floats as printFloats writes it; a null run is
// refused with nothing sent.
std::int32_t sendFloats(std::int32_t slot, const char* word, const float* values, int count);

// "=%d" as readInteger, stored in a narrower or unsigned output by keeping the low bits that
// fit it: "=300" gives 44 in 8 unsigned bits, "=-1" gives 4294967295 in 32.
template <typename Out>
std::int32_t readIntegerBits(std::int32_t rc, const Command& command, Out* value) {
    std::int32_t scanned = 0;
    if (const std::int32_t result = readInteger(rc, command, &scanned); result != RC_OK) return result;
    *value = static_cast<Out>(scanned);
    return RC_OK;
}

// "=%lf" into a local, written to the output only after a complete scan.
std::int32_t readDouble(std::int32_t rc, const Command& command, double* value);

// A plain command that ends in one record: refuses a null record unsent, formats the head,
// appends the record as `print` encodes it, sends.
template <typename Record, typename... Args>
std::int32_t sendRecord(std::int32_t slot, int (*print)(char*, std::size_t, const Record&), const Record* record,
                        WireFormat<std::type_identity_t<Args>...> head, Args... args) {
    if (record == nullptr) return RC_BAD_PARAM;
    Command command;
    command.format(head, args...);
    command.appendRecord(print, *record);
    return command.send(slot);
}

// Writes one formatted line to the host's standard output, the only output the library makes.
[[gnu::format(printf, 1, 2)]] void printLine(const char* format, ...);

// Fixed command words where a two-state argument picks the text (0 or 1 only).
std::int32_t sendSwitch(std::int32_t slot, std::int32_t state, const char* whenOff, const char* whenOn);

}  // namespace zefra

// Declares `twin` as a second exported name of `target` (same address). `target` must be
// defined above in the same file. Where there is no alias (Visual C++) or it cannot name the
// target (32-bit Windows, whose __stdcall names carry their argument size), the .def file alone
// makes the twin ("twin=target"), in the DLL only.
#if (defined(_MSC_VER) && !defined(__clang__)) || (defined(_WIN32) && defined(__i386__))
#define ZEFRA_TWIN(twin, target) static_assert(sizeof(&target) > 0, "exported as " #twin " by the .def file")
#elif defined(__clang__)
#define ZEFRA_TWIN(twin, target) extern "C" decltype(target) twin __attribute__((alias(#target)))
#else
#define ZEFRA_TWIN(twin, target) extern "C" decltype(target) twin __attribute__((alias(#target), copy(target)))
#endif
