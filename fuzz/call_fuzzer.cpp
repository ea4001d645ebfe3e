// Every exported call that talks to a controller, with arbitrary arguments and an arbitrary
// reply stream, through the in-memory transport. The call table is generated from the public
// header; each output lies between guard bytes (poisoned under AddressSanitizer), each input
// in exactly the room the header promises, so a stray write or read stops the run. After the
// call: the guards and inputs are intact, a refused or failed call left its outputs as its
// rule says, a successful one terminated its text outputs, and what went out was one
// well-formed frame per request.
//
// Input: bytes 0-1 pick the call, byte 2 cuts the reply into receives (0: one piece, else
// 1 + b % 64 bytes each), byte 3 picks the slot (low 3 bits: 0-4 the connected slot 0, 5 a slot
// never connected, 6 slot 10, 7 slot -1) and, with bit 3, makes the pointer picked by byte 4
// null; bytes 5-36 are the argument pool, the rest is what the controller sends.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/memory_transport.h"
#include "zefraapi.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define ZEFRA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define ZEFRA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#endif
#endif
#ifndef ZEFRA_POISON
#define ZEFRA_POISON(p, n) ((void)(p), (void)(n))
#define ZEFRA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

[[noreturn]] void fail(const char* what, std::string_view call, std::string_view param = {}) {
    std::fprintf(stderr, "%s: %.*s %.*s\n", what, static_cast<int>(call.size()), call.data(),
                 static_cast<int>(param.size()), param.data());
    std::abort();
}

// What a call that does not return RC_OK may leave in its outputs.
enum class OnFailure {
    untouched,  // written only after a complete reply
    partial,    // scanned in place: values read before the mismatch stay written
    zeroed,     // 0 on any failure
    cleared,    // cleared before the exchange: 0 or untouched
};

// How a text output reads after RC_OK.
enum class Text {
    padded,      // a word, then zeros to the end of the field
    terminated,  // a word and its terminator; the rest of the field untouched
    raw,         // characters only, no terminator (the host zero-fills)
    kept,        // padded, or untouched when there is nothing to report
};

struct Argument {
    std::string_view name;
    std::size_t declared = 0;  // the [N] of the header, 0 for none
    std::int64_t integer = 0;
    double real = 0;
};

// Outputs and inputs whose room the header does not state, or whose room an argument sets.
struct Room {
    const char* call;  // nullptr: every call with such a parameter
    const char* param;
    std::size_t (*elements)(const std::vector<Argument>& args);
    Text text = Text::padded;
};

std::int64_t argument(const std::vector<Argument>& args, std::string_view name) {
    for (const Argument& a : args)
        if (a.name == name) return a.integer;
    fail("no argument", name);
}
std::size_t clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) { return static_cast<std::size_t>(std::clamp(v, lo, hi)); }

const Room rooms[] = {
    {nullptr, "triggers", [](const auto& a) { return clamp(argument(a, "triggerCount"), 0, 3); }},
    {"ZEFRA_Common_Cmd", "reply", [](const auto&) -> std::size_t { return 509; }, Text::raw},
    {"ZEFRA_GetRCLibVersion", "head", [](const auto&) -> std::size_t { return 505; }, Text::raw},
    {"ZEFRA_GetRCLibVersion", "tail", [](const auto&) -> std::size_t { return 128; }, Text::raw},
    {"ZEFRA_Get_CurPrgPath", "path", [](const auto&) -> std::size_t { return 128; }},
    {"ZEFRA_Get_TaskPrgPath", "path", [](const auto&) -> std::size_t { return 128; }},
    {"ZEFRA_Get_RobotType", "text", [](const auto&) -> std::size_t { return 128; }, Text::terminated},
    {"ZEFRA_Get_ActiveMechUnit", "name", [](const auto&) -> std::size_t { return 128; }, Text::terminated},
    {"ZEFRA_Get_DiagnosisLastSaveTrackFile", "fileName", [](const auto&) -> std::size_t { return 128; }, Text::raw},
    {"ZEFRA_Get_Print", "message", [](const auto&) -> std::size_t { return 128; }, Text::kept},
    {"ZEFRA_Get_ModbusRegUshort", "values", [](const auto& a) { return clamp(argument(a, "count"), 0, 8); }},
    {"ZEFRA_Set_ModbusRegUshort", "values", [](const auto& a) { return clamp(argument(a, "count"), 1, 1024); }},
    {"ZEFRA_Set_ModbusRegFloat", "values", [](const auto& a) { return clamp(argument(a, "count") / 2, 1, 1024); }},
    {"ZEFRA_SetExtProfileData", "entries", [](const auto& a) {
         const std::int64_t n = static_cast<std::uint32_t>(argument(a, "count"));
         return n >= 1 && n <= 42 ? static_cast<std::size_t>(n) * 24 : 0;
     }},
    {"ZEF_GetRecommendCollisionLevel", "levels", [](const auto& a) {
         const std::int64_t n = argument(a, "axisCount");
         return n == 4 || n == 6 ? static_cast<std::size_t>(n) : 0;
     }},
};

// Every query whose outputs do not follow the common rule (written only on success).
const std::pair<const char*, OnFailure> failureRules[] = {
    {"ZEFRA_Get_PrgRunTime", OnFailure::zeroed},         {"ZEFRA_Get_CurCmdNum", OnFailure::zeroed},
    {"ZEFRA_Get_ProjSyncStatus", OnFailure::cleared},    {"ZEFRA_Get_MechUnitCfgNum", OnFailure::cleared},
    {"ZEFRA_Get_MechUnitCfgType", OnFailure::cleared},   {"ZEFRA_Get_IOAuthority", OnFailure::zeroed},
    {"ZEFRA_Get_AccRamp", OnFailure::partial},           {"ZEFRA_Get_FlyMode", OnFailure::partial},
    {"ZEFRA_Get_RapidMove", OnFailure::partial},         {"ZEFRA_Get_SLVSMode", OnFailure::partial},
    {"ZEFRA_Get_FlyPress", OnFailure::partial},          {"ZEFRA_Get_PosHerePulse", OnFailure::partial},
    {"ZEFRA_Get_StrPara", OnFailure::partial},           {"ZEFRA_Get_StrParaComp", OnFailure::partial},
    {"ZEFRA_Get_RdctRatio", OnFailure::partial},         {"ZEFRA_Get_CpParaM", OnFailure::partial},
    {"ZEFRA_Get_CpParaS", OnFailure::partial},           {"ZEFRA_Get_HomePos", OnFailure::partial},
    {"ZEFRA_Get_HomeJPos", OnFailure::partial},          {"ZEFRA_Get_TeachVelLimJ", OnFailure::partial},
    {"ZEFRA_Get_TeachVelLimL", OnFailure::partial},      {"ZEFRA_Get_TeachAccLimJ", OnFailure::partial},
    {"ZEFRA_Get_TeachAccLimL", OnFailure::partial},      {"ZEFRA_Get_RunVelLimJ", OnFailure::partial},
    {"ZEFRA_Get_RunVelLimL", OnFailure::partial},        {"ZEFRA_Get_RunAccLimJ", OnFailure::partial},
    {"ZEFRA_Get_RunAccLimL", OnFailure::partial},        {"ZEFRA_Get_StopDecLimJ", OnFailure::partial},
    {"ZEFRA_Get_StopDecLimL", OnFailure::partial},       {"ZEFRA_Get_ZonePara", OnFailure::partial},
    {"ZEFRA_Get_ToolC", OnFailure::partial},             {"ZEFRA_Get_UserC", OnFailure::partial},
    {"ZEFRA_Get_Interf", OnFailure::partial},            {"ZEFRA_Get_LatchPos", OnFailure::partial},
    {"ZEFRA_Get_DiagnosisSaveItem", OnFailure::partial}, {"ZEFRA_Get_AxisMotionData", OnFailure::partial},
    {"ZEFRA_Get_InterferZoneActStat", OnFailure::partial}, {"ZEFRA_CurPermit", OnFailure::partial},
};

// Guarded room for the arguments of one call, reused by every run.
class Arena {
public:
    static constexpr std::size_t guard = 16;
    static constexpr unsigned char guardByte = 0xE7, freshByte = 0xA5;

    void reset() {
        ZEFRA_UNPOISON(area_, sizeof area_);
        used_ = 0;
        blocks_.clear();
    }
    // Room for `size` bytes between guards; `from` fills it (nullptr: the fresh pattern).
    unsigned char* carve(std::size_t size, const unsigned char* from, bool output) {
        const std::size_t start = (used_ + guard + 15) / 16 * 16;
        if (start + size + guard > sizeof area_) fail("arena too small", "");
        unsigned char* p = area_ + start;
        std::memset(p - guard, guardByte, guard);
        std::memset(p + size, guardByte, guard);
        if (from != nullptr) std::memcpy(p, from, size);
        else std::memset(p, freshByte, size);
        blocks_.push_back({p, size, output, std::vector<unsigned char>(p, p + size)});
        ZEFRA_POISON(p - guard, guard);
        ZEFRA_POISON(p + size, guard);
        used_ = start + size + guard;
        return p;
    }
    struct Block {
        unsigned char* p;
        std::size_t size;
        bool output;
        std::vector<unsigned char> before;
        bool untouched() const { return size == 0 || std::memcmp(p, before.data(), size) == 0; }
        bool zero() const { return std::all_of(p, p + size, [](unsigned char c) { return c == 0; }); }
    };
    std::size_t count() const { return blocks_.size(); }
    // Unpoisons and checks every guard; the blocks, in order of carving.
    const std::vector<Block>& settle(std::string_view call) {
        ZEFRA_UNPOISON(area_, sizeof area_);
        for (const Block& b : blocks_)
            for (std::size_t i = 0; i < guard; ++i)
                if (b.p[-1 - static_cast<std::ptrdiff_t>(i)] != guardByte || b.p[b.size + i] != guardByte)
                    fail("write outside an argument", call);
        return blocks_;
    }

private:
    alignas(16) unsigned char area_[1 << 14];
    std::size_t used_ = 0;
    std::vector<Block> blocks_;
};

struct Entry;

// One run: the input taken apart, and the arguments of the call as they were built.
struct Run {
    const Entry* entry;
    const std::uint8_t* pool;
    std::size_t poolSize, next = 0;
    std::int32_t slot;
    int nullIndex;  // the parameter passed as a null pointer, -1 for none
    std::vector<Argument> args;
    std::vector<const Room*> roomOf;  // per parameter
    std::vector<int> blockOf;         // per parameter, -1 for values
    std::vector<bool> textOf;         // per parameter: a text output
    Arena arena;

    std::uint8_t byte() { return pool[next++ % poolSize]; }
    void bytes(void* out, std::size_t n) {
        auto* o = static_cast<unsigned char*>(out);
        for (std::size_t i = 0; i < n; ++i) o[i] = byte();
    }
    // Small numbers mostly, now and then any bit pattern at all.
    std::int64_t integer() {
        const std::uint8_t b = byte();
        if (b < 0xC0) return static_cast<std::int64_t>(b) - 0x40;
        std::int32_t v;
        bytes(&v, sizeof v);
        return v;
    }
    double real() {
        const std::uint8_t b = byte();
        if (b < 0xC0) return (static_cast<double>(b) - 0x40) / 4;
        double v;
        bytes(&v, sizeof v);
        return v;
    }

    template <typename T>
    void draw(std::size_t i);
    template <typename T>
    T make(std::size_t i);
    const char* text(std::size_t i);
    unsigned char* room(std::size_t i, std::size_t elementSize, bool output, bool isChar);
};

struct Entry {
    const char* name;
    std::int32_t (*invoke)(Run&);
    const char* params;
};

template <typename T>
void Run::draw(std::size_t i) {
    if constexpr (std::is_floating_point_v<T>) args[i].real = real();
    else if constexpr (std::is_arithmetic_v<T>) args[i].integer = args[i].name == "slot" ? slot : integer();
}

template <typename T>
T Run::make(std::size_t i) {
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(args[i].real);
    } else if constexpr (std::is_arithmetic_v<T>) {
        return static_cast<T>(args[i].integer);
    } else if (static_cast<int>(i) == nullIndex) {
        return nullptr;
    } else if constexpr (std::is_same_v<T, const char*>) {
        return text(i);
    } else {
        using Pointee = std::remove_pointer_t<T>;
        constexpr std::size_t size = std::is_void_v<Pointee> ? 1 : sizeof(std::conditional_t<std::is_void_v<Pointee>, char, Pointee>);
        return reinterpret_cast<T>(room(i, size, !std::is_const_v<Pointee>, std::is_same_v<std::remove_cv_t<Pointee>, char>));
    }
}

const char* Run::text(std::size_t i) {
    static const char* const awkward[] = {"$", "a$$b", "%s%n%d", "1 2", "x\r\n", "]", "=7", "@@x$$"};
    char buffer[1100];
    std::size_t n = 0;
    const std::uint8_t b = byte();
    switch (b & 3) {
        case 0: break;
        case 1:  // a few bytes of the pool, up to a zero
            for (std::size_t want = (b >> 2) & 15; n < want; ++n)
                if ((buffer[n] = static_cast<char>(byte())) == '\0') break;
            break;
        case 2:  // around the longest text a request holds
            n = 1000 + (b >> 2);
            std::memset(buffer, 'a', n);
            break;
        default:
            n = std::strlen(awkward[(b >> 2) % std::size(awkward)]);
            std::memcpy(buffer, awkward[(b >> 2) % std::size(awkward)], n);
    }
    buffer[n] = '\0';
    blockOf[i] = static_cast<int>(arena.count());
    auto* p = arena.carve(n + 1, reinterpret_cast<const unsigned char*>(buffer), false);
    return reinterpret_cast<const char*>(p);
}

unsigned char* Run::room(std::size_t i, std::size_t elementSize, bool output, bool isChar) {
    std::size_t elements = args[i].declared != 0 ? args[i].declared : 1;
    if (roomOf[i] != nullptr) elements = roomOf[i]->elements(args);
    else if (isChar && output && args[i].declared == 0) fail("no room stated for", entry->name, args[i].name);
    std::vector<unsigned char> fill(elements * elementSize);
    if (!output) bytes(fill.data(), fill.size());
    blockOf[i] = static_cast<int>(arena.count());
    textOf[i] = isChar && output;
    return arena.carve(fill.size(), output ? nullptr : fill.data(), output);
}

template <typename T>
struct Signature;
template <typename... P>
struct Signature<std::int32_t (*)(P...)> {
    template <auto F>
    static std::int32_t run(Run& r) {
        return [&]<std::size_t... I>(std::index_sequence<I...>) {
            (r.draw<P>(I), ...);  // every number first: a count may follow the array it sizes
            std::tuple<P...> values{r.make<P>(I)...};
            return std::apply(F, values);
        }(std::index_sequence_for<P...>{});
    }
};

template <auto F>
std::int32_t invoke(Run& r) {
    return Signature<decltype(F)>::template run<F>(r);
}

const Entry calls[] = {
#include "fuzz_calls.inc"
};

// The parameters of a declaration: names and array sizes.
std::vector<Argument> parameters(std::string_view list) {
    std::vector<Argument> out;
    while (!list.empty() && list != "void") {
        const std::size_t comma = list.find(',');
        std::string_view p = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        Argument a;
        if (const std::size_t open = p.find('['); open != std::string_view::npos) {
            a.declared = std::strtoul(std::string(p.substr(open + 1)).c_str(), nullptr, 10);
            p = p.substr(0, open);
        }
        const std::size_t start = p.find_last_of(" *");
        a.name = p.substr(start + 1);
        out.push_back(a);
    }
    return out;
}

zefra::test::MemoryTransport& memory() {
    static zefra::test::MemoryTransport transport;
    static const bool installed = [] {
        zefra::platform::useTransport(&transport);
        zefra::platform::divertStandardOutput([](const char*) {});
        return true;
    }();
    (void)installed;
    return transport;
}

// What went out is whole text frames, each "@@" + text + "$$" with no "$$" or zero inside.
bool framesWellFormed(const std::string& sent) {
    for (std::size_t at = 0; at < sent.size();) {
        if (sent.compare(at, 2, "@@") != 0) return false;
        const std::size_t end = sent.find("$$", at + 2);
        if (end == std::string::npos || end - at - 2 > 1019) return false;
        if (sent.find('\0', at) < end) return false;
        at = end + 2;
    }
    return true;
}

bool isResultCode(std::int32_t rc) { return rc == RC_OK || rc == RC_COMM_FAIL || rc == RC_BAD_PARAM || rc == RC_FAIL; }

void check(Run& r, std::int32_t rc, const std::string& stream) {
    const std::string_view name = r.entry->name;
    const auto& blocks = r.arena.settle(name);
    auto& net = memory();
    const bool binary = name == "ZEFRA_SetExtProfileData";
    const bool hasSlot = !r.args.empty() && r.args.back().name == "slot";
    const std::int32_t slot = hasSlot ? r.slot : 0;
    if (slot != 0 && (!net.sent.empty() || rc == RC_OK)) fail("a call on a slot not connected went through", name);
    if (!isResultCode(rc) && stream.find("##e") == std::string::npos && !(binary && rc == -3 && net.sent.empty()))
        fail("an error number without an error reply", name);
    if (!binary && !framesWellFormed(net.sent)) fail("a request that is not one well-formed frame", name);

    OnFailure rule = OnFailure::untouched;
    for (const auto& [call, onFailure] : failureRules)
        if (name == call) rule = onFailure;
    for (std::size_t i = 0; i < r.args.size(); ++i) {
        if (r.blockOf[i] < 0) continue;
        const Arena::Block& b = blocks[static_cast<std::size_t>(r.blockOf[i])];
        if (!b.output) {
            if (!b.untouched()) fail("an input was written", name, r.args[i].name);
            continue;
        }
        if (rc != RC_OK) {
            const bool kept = b.untouched();
            const bool ok = rule == OnFailure::zeroed    ? b.zero()
                            : rule == OnFailure::cleared ? kept || b.zero()
                            : rule == OnFailure::partial ? kept || !net.sent.empty()
                                                         : kept;
            if (!ok) fail("a failed call wrote where its rule forbids", name, r.args[i].name);
            continue;
        }
        if (!r.textOf[i]) continue;
        const Text text = r.roomOf[i] != nullptr ? r.roomOf[i]->text : Text::padded;
        const unsigned char* end = b.p + b.size;
        const unsigned char* zero = std::find(static_cast<const unsigned char*>(b.p), end, static_cast<unsigned char>(0));
        switch (text) {
            case Text::raw: break;
            case Text::terminated:
                if (zero == end) fail("a text output without its terminator", name, r.args[i].name);
                break;
            case Text::kept:
                if (b.untouched()) break;
                [[fallthrough]];
            case Text::padded:
                if (zero == end || !std::all_of(zero, end, [](unsigned char c) { return c == 0; }))
                    fail("a text output not zero padded", name, r.args[i].name);
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<std::vector<Argument>> declared = [] {
        std::vector<std::vector<Argument>> all;
        for (const Entry& e : calls) all.push_back(parameters(e.params));
        return all;
    }();
    static Run r;
    constexpr std::size_t head = 5, poolSize = 32;
    std::uint8_t pool[poolSize] = {};
    if (size > head) std::memcpy(pool, data + head, std::min(poolSize, size - head));
    const auto at = [&](std::size_t i) -> std::uint8_t { return i < size ? data[i] : 0; };

    const std::size_t index = (at(0) | at(1) << 8) % std::size(calls);
    r.entry = &calls[index];
    r.pool = pool;
    r.poolSize = poolSize;
    r.next = 0;
    static const std::int32_t slots[] = {0, 0, 0, 0, 0, 1, 10, -1};
    r.slot = slots[at(3) & 7];
    r.nullIndex = (at(3) & 8) != 0 ? at(4) % 8 : -1;
    r.args = declared[index];
    r.roomOf.assign(r.args.size(), nullptr);
    r.blockOf.assign(r.args.size(), -1);
    r.textOf.assign(r.args.size(), false);
    for (std::size_t i = 0; i < r.args.size(); ++i)
        for (const Room& room : rooms)
            if ((room.call == nullptr || std::string_view(room.call) == r.entry->name) && r.args[i].name == room.param)
                r.roomOf[i] = &room;
    r.arena.reset();

    auto& net = memory();
    ZEFRA_Exit_ETH(0);
    if (ZEFRA_Init_ETH(0x7F000001, 1, 1, 0) != RC_OK) fail("cannot connect", "");
    net.chunks.clear();
    net.replies.clear();
    net.sent.clear();
    const std::size_t headSize = head + poolSize;
    const std::string stream = size > headSize ? std::string(reinterpret_cast<const char*>(data + headSize), size - headSize) : "";
    std::vector<std::string> pieces;
    const std::size_t piece = at(2) == 0 ? std::max<std::size_t>(stream.size(), 1) : 1 + at(2) % 64;
    for (std::size_t p = 0; p < stream.size(); p += piece) pieces.push_back(stream.substr(p, piece));
    if (!pieces.empty()) net.replies.push_back(std::move(pieces));

    const std::int32_t rc = r.entry->invoke(r);
    check(r, rc, stream);
    return 0;
}
