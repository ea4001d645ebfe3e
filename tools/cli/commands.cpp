#include "commands.h"

#include <arpa/inet.h>

#include <cctype>
#include <cfloat>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zcli {

namespace {

[[noreturn]] void badArgument(const std::string& detail) { throw Failure{RC_BAD_PARAM, detail}; }

int64_t integer(const std::string& text, int64_t lo, int64_t hi, const std::string& what) {
    int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v);
    if (error != std::errc{} || stop != end || v < lo || v > hi)
        badArgument(what + " must be an integer " + std::to_string(lo) + ".." + std::to_string(hi));
    return v;
}

template <typename T>
T integer(const std::string& text, const std::string& what) {
    return static_cast<T>(integer(text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), what));
}

// The library prints whatever it is given; an infinity or a float overflow is refused here.
double real(const std::string& text, const std::string& what, double limit = DBL_MAX) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v) || std::fabs(v) > limit)
        badArgument(what + " must be a finite number" + (limit < DBL_MAX ? " in the float range" : ""));
    return v;
}

// "1,2,3" and "1 2 3" (as separate words) are the same list.
std::vector<std::string> pieces(const std::vector<std::string>& words) {
    std::vector<std::string> out;
    for (const std::string& word : words)
        for (std::size_t start = 0;;) {
            const std::size_t comma = word.find(',', start);
            out.push_back(word.substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    return out;
}

template <typename T, std::size_t N>
void fill(const std::vector<std::string>& words, T (&out)[N], std::size_t least, const std::string& what) {
    const std::vector<std::string> p = pieces(words);
    if (p.size() < least || p.size() > N)
        badArgument(what + " takes " + (least == N ? "" : std::to_string(least) + " to ") + std::to_string(N) + " values");
    for (std::size_t i = 0; i < p.size(); ++i) {
        if constexpr (std::is_integral_v<T>) out[i] = integer<T>(p[i], what);
        else out[i] = real(p[i], what);
    }
}

// The values of a point given on the command line, and the options that complete it.
struct PointArgs {
    std::vector<std::string> values;
    std::string arm, frame, ext;

    void addTo(CLI::App* sub) {
        sub->add_option("--arm", arm, "arm configuration, four integers: a,b,c,d");
        sub->add_option("--frame", frame, "reference triple of a GP/P point: f,g,h");
        sub->add_option("--ext", ext, "external axes of a robot point, up to six values");
    }
    void only(bool armFrame, bool extAxes, const char* kind) const {
        if ((!armFrame && (!arm.empty() || !frame.empty())) || (!extAxes && !ext.empty()))
            badArgument(std::string(kind) + " takes " + (armFrame ? "--arm and --frame" : extAxes ? "--ext" : "no options"));
    }
    PointRecord point(const char* kind) const {
        only(true, false, kind);
        PointRecord p{};
        fill(values, p.pos, 6, "a position");
        if (!arm.empty()) fill({arm}, p.armType, 4, "--arm");
        if (!frame.empty()) fill({frame}, p.frameRef, 3, "--frame");
        return p;
    }
    RobP robP() const {
        if (!frame.empty()) badArgument("robp takes --arm and --ext");
        RobP p{};
        fill(values, p.pos, 6, "a position");
        if (!arm.empty()) fill({arm}, p.armType, 4, "--arm");
        if (!ext.empty()) fill({ext}, p.extAxes, 1, "--ext");
        return p;
    }
    RobJP robJP() const {
        only(false, true, "robjp");
        RobJP p{};
        fill(values, p.axes, 6, "the axes");
        if (!ext.empty()) fill({ext}, p.extAxes, 1, "--ext");
        return p;
    }
};

// Everything the sub-commands read, filled by the parser.
struct Args {
    std::string text, kind, target, target2, value;
    int32_t index = 0;
    PointArgs point;
    long count = 0;
    double interval = 0.5;
    int32_t arg1 = 0, arg2 = 0;
    bool wait = false;
} args;

template <typename Rows>
std::vector<std::string> names(const Rows& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.name);
    return out;
}

template <typename Rows>
const auto& row(const Rows& rows) {
    for (const auto& r : rows)
        if (args.kind == r.name) return r;
    badArgument("unknown kind " + args.kind);
}

Doc done(Doc echo) {
    Doc doc{{"result", "done"}};
    doc.update(echo);
    return doc;
}

// ---- variables: one row per type word, the library's getter and setter behind it -----------

struct VarType {
    const char* name;
    std::function<Doc(int32_t index, int32_t slot)> get;
    std::function<Doc(int32_t index, int32_t slot)> set;  // reads args
};

template <typename T>
VarType number(const char* name, int32_t (*get)(int32_t, T*, int32_t), int32_t (*set)(int32_t, T, int32_t)) {
    return {name,
            [get](int32_t index, int32_t slot) {
                T v{};
                check(get(index, &v, slot));
                if constexpr (std::is_integral_v<T>) return Doc(int64_t{v});
                else return Doc(double{v});
            },
            [set](int32_t index, int32_t slot) {
                T v;
                if constexpr (std::is_integral_v<T>) v = integer<T>(args.value, "the value");
                else v = static_cast<T>(real(args.value, "the value", std::is_same_v<T, float> ? FLT_MAX : DBL_MAX));
                check(set(index, v, slot));
                if constexpr (std::is_integral_v<T>) return Doc(int64_t{v});
                else return Doc(double{v});
            }};
}

const std::vector<VarType>& varTypes() {
    static const std::vector<VarType> types = {
        number("b", ZEFRA_Get_B, ZEFRA_Set_B),
        number("r", ZEFRA_Get_R, ZEFRA_Set_R),
        number("d", ZEFRA_Get_D, ZEFRA_Set_D),
        number("lb", ZEFRA_Get_LB, ZEFRA_Set_LB),
        number("lr", ZEFRA_Get_LR, ZEFRA_Set_LR),
        number("ld", ZEFRA_Get_LD, ZEFRA_Set_LD),
        number("u8", ZEFRA_Get_CommonVarUchar, ZEFRA_Set_CommonVarUchar),
        number("s8", ZEFRA_Get_CommonVarChar, ZEFRA_Set_CommonVarChar),
        number("u16", ZEFRA_Get_CommonVarUshort, ZEFRA_Set_CommonVarUshort),
        number("s16", ZEFRA_Get_CommonVarShort, ZEFRA_Set_CommonVarShort),
        number("u32", ZEFRA_Get_CommonVarUint, ZEFRA_Set_CommonVarUint),
        number("s32", ZEFRA_Get_CommonVarInt, ZEFRA_Set_CommonVarInt),
        number("f32", ZEFRA_Get_CommonVarFloat, ZEFRA_Set_CommonVarFloat),
        number("d64", ZEFRA_Get_CommonVarDouble, ZEFRA_Set_CommonVarDouble),
        {"p",
         [](int32_t index, int32_t slot) {
             PointRecord p{};
             check(ZEFRA_Get_CommonVarP(index, &p, slot));
             return toDoc(p);
         },
         [](int32_t index, int32_t slot) {
             const PointRecord p = args.point.point("a p variable");
             check(ZEFRA_Set_CommonVarP(index, &p, slot));
             return toDoc(p);
         }},
    };
    return types;
}

// ---- stored points --------------------------------------------------------------------------

struct PointKind {
    const char* name;
    std::function<Doc(int32_t index, int32_t slot)> get;
    std::function<Doc(int32_t index, int32_t slot)> set;
};

const std::vector<PointKind>& pointKinds() {
    // "p" is the library's second name of the GP table: ZEFRA_Get_P is ZEFRA_Get_GP.
    static const std::vector<PointKind> kinds = {
        {"gp",
         [](int32_t i, int32_t s) { PointRecord p{}; check(ZEFRA_Get_GP(i, &p, s)); return toDoc(p); },
         [](int32_t i, int32_t s) { const PointRecord p = args.point.point("gp"); check(ZEFRA_Set_GP(i, &p, s)); return toDoc(p); }},
        {"p",
         [](int32_t i, int32_t s) { PointRecord p{}; check(ZEFRA_Get_P(i, &p, s)); return toDoc(p); },
         [](int32_t i, int32_t s) { const PointRecord p = args.point.point("p"); check(ZEFRA_Set_P(i, &p, s)); return toDoc(p); }},
        {"robp",
         [](int32_t i, int32_t s) { RobP p{}; check(ZEFRA_Get_RobP(i, &p, s)); return toDoc(p); },
         [](int32_t i, int32_t s) { const RobP p = args.point.robP(); check(ZEFRA_Set_RobP(i, &p, s)); return toDoc(p); }},
        {"robjp",
         [](int32_t i, int32_t s) { RobJP p{}; check(ZEFRA_Get_RobJP(i, &p, s)); return toDoc(p); },
         [](int32_t i, int32_t s) { const RobJP p = args.point.robJP(); check(ZEFRA_Set_RobJP(i, &p, s)); return toDoc(p); }},
    };
    return kinds;
}

// ---- I/O --------------------------------------------------------------------------------------

struct IoKind {
    const char* name;
    int32_t (*getInt)(int32_t, int32_t*, int32_t);
    int32_t (*getReal)(int32_t, float*, int32_t);
    int32_t (*setInt)(int32_t, int32_t, int32_t);  // setting an input forces it
    int32_t (*setReal)(int32_t, float, int32_t);
};

constexpr IoKind kIo[] = {
    {"di", ZEFRA_Get_DI, nullptr, ZEFRA_Set_ForceDI, nullptr},
    {"do", ZEFRA_Get_DO, nullptr, ZEFRA_Set_DO, nullptr},
    {"di-group", ZEFRA_Get_DIGroup, nullptr, nullptr, nullptr},
    {"do-group", ZEFRA_Get_DOGroup, nullptr, ZEFRA_Set_DOGroup, nullptr},
    {"ad", nullptr, ZEFRA_Get_AD, nullptr, nullptr},
    {"da", nullptr, ZEFRA_Get_DA, nullptr, ZEFRA_Set_DA},
};

// ---- motions ----------------------------------------------------------------------------------

using ToPoint = int32_t (*)(int32_t, int32_t, int32_t, int32_t);
using ToTarget = int32_t (*)(const PointRecord*, int32_t, int32_t, int32_t);

struct Motion {
    const char* name;
    ToPoint p, gp;
    ToTarget target;
};

constexpr Motion kMotions[] = {
    {"joint", ZEFRA_MovJ, ZEFRA_MovJ_GP, ZEFRA_MovJ2},
    {"linear", ZEFRA_MovL, ZEFRA_MovL_GP, ZEFRA_MovL2},
    {"jump", ZEFRA_Jump, ZEFRA_Jump_GP, ZEFRA_Jump2},
    {"jumpl", ZEFRA_JumpL, ZEFRA_JumpL_GP, ZEFRA_JumpL2},
};

// A target is pN, gpN (stored points) or six values.
struct Target {
    enum { P, GP, Values } form;
    int32_t number = 0;
    PointRecord point{};
};

Target target(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (lower.rfind("gp", 0) == 0) return {Target::GP, integer<int32_t>(text.substr(2), "a point number"), {}};
    if (lower.rfind("p", 0) == 0) return {Target::P, integer<int32_t>(text.substr(1), "a point number"), {}};
    PointArgs given = args.point;
    given.values = {text};
    return {Target::Values, 0, given.point("an explicit target")};
}

Doc position(int32_t slot) {
    PointRecord here{};
    check(ZEFRA_Get_PosHere(&here, slot));
    return toDoc(here);
}

void move(int32_t slot, bool json) {
    const Target a = target(args.target);
    const std::string what = args.kind + " to " + args.target + (args.kind == "circle" ? " via " + args.target2 : "");
    if (args.kind == "circle") {
        if (args.target2.empty()) badArgument("a circle takes two targets");
        const Target b = target(args.target2);
        if (a.form != b.form) badArgument("both targets of a circle must be of one form");
        if (a.form == Target::P) check(ZEFRA_MovC(a.number, b.number, args.arg1, args.arg2, slot));
        else if (a.form == Target::GP) check(ZEFRA_MovC_GP(a.number, b.number, args.arg1, args.arg2, slot));
        else check(ZEFRA_MovC2(&a.point, &b.point, args.arg1, args.arg2, slot));
    } else {
        if (!args.target2.empty()) badArgument("a " + args.kind + " motion takes one target");
        for (const Motion& m : kMotions) {
            if (args.kind != m.name) continue;
            if (a.form == Target::Values) check(m.target(&a.point, args.arg1, args.arg2, slot));
            else check((a.form == Target::P ? m.p : m.gp)(a.number, args.arg1, args.arg2, slot));
        }
    }
    Doc doc = done({{"motion", what}});
    if (args.wait) {
        for (int32_t moving = 1; moving != 0 && pause(0.1);) check(ZEFRA_Get_MotionSts(&moving, slot));
        doc["position"] = position(slot);
    }
    emit(doc, json);
}

// ---- status and watch -------------------------------------------------------------------------

int32_t query(int32_t (*get)(int32_t*, int32_t), int32_t slot) {
    int32_t v = 0;
    check(get(&v, slot));
    return v;
}

void status(int32_t slot, bool json) {
    uint32_t error = 0;
    Doc doc{{"mode", query(ZEFRA_Get_Mode, slot)},
            {"motors_on", query(ZEFRA_Get_MotorSts, slot) != 0},
            {"emergency_stop", query(ZEFRA_Get_EStopSts, slot) != 0},
            {"moving", query(ZEFRA_Get_MotionSts, slot) != 0},
            {"program_state", query(ZEFRA_Get_PrgSts, slot)},
            {"error_state", query(ZEFRA_Get_SysErrSts, slot)}};
    check(ZEFRA_Get_SysErr(&error, slot));
    doc["error_code"] = error;
    doc["speed_percent"] = query(ZEFRA_Get_Vel, slot);
    doc["position"] = position(slot);
    emit(doc, json);
}

void watch(int32_t slot, bool json) {
    if (args.count < 0) badArgument("--count must be 0 (until interrupted) or more");
    if (!(args.interval >= 0.01 && args.interval <= 3600)) badArgument("--interval must be 0.01..3600 seconds");
    const auto start = std::chrono::steady_clock::now();
    if (!json) std::printf("%8s  %-6s  %7s %9s %9s %9s %9s %9s %9s\n", "time", "moving", "program", "x", "y", "z", "rx", "ry", "rz");
    for (long n = 0; args.count == 0 || n < args.count; ++n) {
        if (n > 0 && !pause(args.interval)) break;
        PointRecord here{};
        const bool moving = query(ZEFRA_Get_MotionSts, slot) != 0;
        const int32_t program = query(ZEFRA_Get_PrgSts, slot);
        check(ZEFRA_Get_PosHere(&here, slot));
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (json) {
            emit(Doc{{"time", t}, {"moving", moving}, {"program_state", program}, {"position", toDoc(here)}}, true);
            continue;
        }
        std::printf("%8.2f  %-6s  %7d", t, moving ? "yes" : "no", program);
        for (double v : here.pos) std::printf(" %9.3f", v);
        std::printf("\n");
        std::fflush(stdout);
    }
}

void version(int32_t slot, bool json) {
    char firmware[32] = {}, robot[128] = {};
    check(ZEFRA_Get_FwVersion(firmware, slot));
    check(ZEFRA_Get_RobotType(robot, slot));
    emit(Doc{{"zefra", ZEFRA_VERSION}, {"firmware", firmware}, {"robot_type", robot}}, json);
}

}  // namespace

void connect(const Connection& conn) {
    in_addr address{};
    if (inet_pton(AF_INET, conn.host.c_str(), &address) != 1)
        badArgument("host must be an IPv4 address such as 127.0.0.1");
    if (conn.port < 1 || conn.port > 65535) badArgument("port must be 1..65535");
    const int32_t rc = ZEFRA_Init_ETH(ntohl(address.s_addr), static_cast<uint16_t>(conn.port), conn.timeout, conn.slot);
    if (rc == RC_BAD_PARAM)
        badArgument(conn.slot < 0 || conn.slot > 9 ? "slot must be 0..9" : "timeout must be at least 1 second");
    if (rc == RC_COMM_FAIL)
        throw Failure{rc, "not connected: nothing answers at " + conn.host + ":" + std::to_string(conn.port), true};
    check(rc);
}

void addCommands(CLI::App& app, Command& command) {
    const auto on = [&command](CLI::App* sub, std::function<void(int32_t, bool)> run) {
        sub->callback([&command, run] { command.run = run; });
        return sub;
    };

    auto* raw = on(app.add_subcommand("raw", "send a command text unchanged, print the reply payload"),
                   [](int32_t slot, bool json) {
                       char reply[512] = {};  // the pass-through copies the payload without a terminator
                       check(ZEFRA_Common_Cmd(args.text.c_str(), reply, slot),
                             "a command text holds at most 1019 characters, no \"$$\" and does not end in \"$\"");
                       if (json) emit(Doc{{"command", args.text}, {"reply", reply}}, true);
                       else std::printf("%s\n", reply);
                   });
    raw->add_option("text", args.text, "command text, for example \"Get_Vel\"")->required();

    on(app.add_subcommand("status", "mode, motors, emergency stop, motion, program, errors, speed, position"), status);

    auto* w = on(app.add_subcommand("watch", "position and state at an interval until interrupted"), watch);
    w->add_option("--count", args.count, "stop after this many samples (0: until interrupted)")->capture_default_str();
    w->add_option("--interval", args.interval, "seconds between samples")->capture_default_str();

    auto* io = app.add_subcommand("io", "digital and analog inputs and outputs");
    io->require_subcommand(1);
    auto* ioGet = on(io->add_subcommand("get", "read a channel or a group"), [](int32_t slot, bool json) {
        const IoKind& k = row(kIo);
        Doc value;
        if (k.getInt) { int32_t v = 0; check(k.getInt(args.index, &v, slot)); value = v; }
        else { float v = 0; check(k.getReal(args.index, &v, slot)); value = double{v}; }
        emit(Doc{{"io", args.kind}, {"index", args.index}, {"value", value}}, json);
    });
    auto* ioSet = on(io->add_subcommand("set", "write an output or a group, or force an input (di)"), [](int32_t slot, bool json) {
        const IoKind& k = row(kIo);
        Doc value;
        if (k.setInt) { const auto v = integer<int32_t>(args.value, "the value"); check(k.setInt(args.index, v, slot)); value = v; }
        else if (k.setReal) { const double v = real(args.value, "the value", FLT_MAX); check(k.setReal(args.index, float(v), slot)); value = v; }
        else badArgument(args.kind + " cannot be set");
        emit(done({{"io", args.kind}, {"index", args.index}, {"value", value}}), json);
    });
    for (CLI::App* sub : {ioGet, ioSet}) {
        sub->add_option("kind", args.kind, "di, do, di-group, do-group, ad or da")->required()->check(CLI::IsMember(names(kIo)));
        sub->add_option("index", args.index, "channel or group number")->required();
    }
    ioSet->add_option("value", args.value, "integer, or a number for da")->required();

    auto* var = app.add_subcommand("var", "controller variables of every type");
    var->require_subcommand(1);
    auto* varGet = on(var->add_subcommand("get", "read a variable"), [](int32_t slot, bool json) {
        emit(Doc{{"var", args.kind}, {"index", args.index}, {"value", row(varTypes()).get(args.index, slot)}}, json);
    });
    auto* varSet = on(var->add_subcommand("set", "write a variable"), [](int32_t slot, bool json) {
        const VarType& t = row(varTypes());
        if (args.kind != "p" && args.point.values.size() != 1) badArgument(args.kind + " takes one value");
        if (args.point.values.size() == 1) args.value = args.point.values.front();
        emit(done({{"var", args.kind}, {"index", args.index}, {"value", t.set(args.index, slot)}}), json);
    });
    for (CLI::App* sub : {varGet, varSet}) {
        sub->add_option("type", args.kind, "b r d lb lr ld u8 s8 u16 s16 u32 s32 f32 d64 p")
            ->required()->check(CLI::IsMember(names(varTypes()), CLI::ignore_case));
        sub->add_option("index", args.index, "variable number")->required();
    }
    varSet->add_option("value", args.point.values, "the value; six values for p (x,y,z,rx,ry,rz)")->required();
    args.point.addTo(varSet);

    auto* point = app.add_subcommand("point", "stored points: gp (p is its second name), robp, robjp");
    point->require_subcommand(1);
    auto* pointGet = on(point->add_subcommand("get", "read a stored point"), [](int32_t slot, bool json) {
        emit(Doc{{"point", args.kind}, {"index", args.index}, {"value", row(pointKinds()).get(args.index, slot)}}, json);
    });
    auto* pointSet = on(point->add_subcommand("set", "write a stored point"), [](int32_t slot, bool json) {
        emit(done({{"point", args.kind}, {"index", args.index}, {"value", row(pointKinds()).set(args.index, slot)}}), json);
    });
    for (CLI::App* sub : {pointGet, pointSet}) {
        sub->add_option("kind", args.kind, "gp, p, robp or robjp")->required()->check(CLI::IsMember(names(pointKinds()), CLI::ignore_case));
        sub->add_option("index", args.index, "point number")->required();
    }
    pointSet->add_option("values", args.point.values, "six values (robjp: six to eight axes), by commas or blanks")->required();
    args.point.addTo(pointSet);

    auto* program = app.add_subcommand("program", "select, start and stop the program");
    program->require_subcommand(1);
    on(program->add_subcommand("start", "start the current program"), [](int32_t slot, bool json) {
        check(ZEFRA_PrgCtrl(1, slot));
        emit(done({{"program", "start"}}), json);
    });
    on(program->add_subcommand("stop", "stop the program"), [](int32_t slot, bool json) {
        check(ZEFRA_PrgCtrl(0, slot));
        emit(done({{"program", "stop"}}), json);
    });
    on(program->add_subcommand("select", "make a program the current one"), [](int32_t slot, bool json) {
        check(ZEFRA_Set_CurPrgPath(args.text.c_str(), slot), "a program path must not hold \"$$\" and must fit one command");
        emit(done({{"program", "select"}, {"path", args.text}}), json);
    })->add_option("path", args.text, "program path on the controller")->required();

    auto* mv = on(app.add_subcommand("move", "a joint, linear, jump or circular motion to a point"), move);
    mv->add_option("kind", args.kind, "joint, linear, jump, jumpl or circle")
        ->required()->check(CLI::IsMember({"joint", "linear", "jump", "jumpl", "circle"}));
    mv->add_option("target", args.target, "pN, gpN, or six values x,y,z,rx,ry,rz")->required();
    mv->add_option("target2", args.target2, "the second target of a circle");
    mv->add_option("--arg1", args.arg1, "first motion argument, passed to the controller")->capture_default_str();
    mv->add_option("--arg2", args.arg2, "second motion argument, passed to the controller")->capture_default_str();
    mv->add_option("--arm", args.point.arm, "arm configuration of explicit targets: a,b,c,d");
    mv->add_option("--frame", args.point.frame, "reference triple of explicit targets: f,g,h");
    mv->add_flag("--wait", args.wait, "wait until the motion ends and print the position");

    on(app.add_subcommand("version", "versions of this tool and of the controller's firmware"), version);
}

}  // namespace zcli
