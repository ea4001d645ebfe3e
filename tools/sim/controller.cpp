#include "controller.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace zsim {
namespace {

struct Form { const char* pattern; const char* reply; };
const Form kForms[] = {
#include "commands.inc"
};

// Start-up values of settings nobody has written yet; everything else starts at zero.
const std::map<std::string, std::vector<std::string>> kStartup = {
    {"vel", {"50"}}, {"mode", {"1"}}, {"initsts", {"1"}}, {"robotaxisnum", {"6"}},
    {"robotcategory", {"1"}}, {"fwversion", {"ZS-2.4.1"}}, {"robottype", {"ZR6-900"}},
    {"systime", {"20260101000000"}}, {"dinum", {"32"}}, {"donum", {"32"}}, {"adnum", {"4"}},
    {"danum", {"4"}}, {"inchstep", {"100"}}, {"axisnumsgeneral", {"6"}}, {"mechunitcfgnum", {"1"}},
    {"ioauthority", {"1"}}, {"curprgpath", {"/prg/main.prg"}}, {"activemechunit", {"ROB1"}},
    {"curusertype", {"1"}}, {"currobpfilename", {"points.rbp"}}, {"accramp", {"1.0", "1.0"}},
    {"acc", {"100.0", "100.0"}}, {"zonepara", {"5.0", "5.0"}}, {"jumppara", {"50.0", "50.0", "0.0"}},
    {"teachvellimj", {"250", "250", "250", "250", "250", "250"}}, {"teachvelliml", {"250", "90"}},
    {"runvellimj", {"360", "360", "360", "360", "360", "360"}}, {"runvelliml", {"2000", "360"}},
    {"rdctratio", {"100", "100", "80", "60", "60", "50"}}, {"pallet", {"3", "3", "1", "0.0"}},
    {"palletpara", {"3", "3", "1", "0.0"}}, {"devsts", {"1", "1", "1", "1", "1", "1"}},
};

std::string keyOf(std::string_view word) {
    std::string w(word);
    for (const char* prefix : {"Set_", "Get_", "set_", "get_", "Set", "Get"}) {
        if (w.rfind(prefix, 0) == 0 && w.size() > std::string_view(prefix).size()) {
            w.erase(0, std::string_view(prefix).size());
            break;
        }
    }
    std::transform(w.begin(), w.end(), w.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    // Writers whose readers carry another word.
    static const std::map<std::string, std::string> alias = {
        {"forcedi", "di"}, {"forcedo", "do"}, {"memrobp", "robp"}, {"memrobjp", "robjp"},
        {"writeservofuncode", "readservofuncode"}};
    const auto it = alias.find(w);
    return it == alias.end() ? w : it->second;
}

std::string error(int n, const char* text) { return "e" + std::to_string(n) + ":" + text; }

Args numbers(std::initializer_list<double> v) {
    Args a;
    for (double x : v) a.push_back({x, fixed(x)});
    return a;
}

constexpr double kPulsesPerDegree = 131072.0 * 100.0 / 360.0;
constexpr double kProfileSpace = 4096;

}  // namespace

Controller::Controller(std::function<double()> now) : now_(std::move(now)) {
    for (const Form& f : kForms) {
        Entry e{f.pattern, f.reply, {}, {}, 0};
        e.word = e.pattern.substr(0, e.pattern.find(' '));
        e.key = keyOf(e.word);
        byWord_.emplace(e.word, table_.size());
        table_.push_back(e);
    }
    // A writer's leading arguments address the value as its reader's arguments do.
    for (Entry& e : table_) {
        if (!e.reply.empty()) { e.indexCount = conversionCount(e.pattern); continue; }
        for (const Entry& r : table_)
            if (!r.reply.empty() && r.key == e.key) { e.indexCount = conversionCount(r.pattern); break; }
    }
    for (const auto& [key, values] : kStartup) {
        Args a;
        for (const std::string& v : values) a.push_back({std::strtod(v.c_str(), nullptr), v});
        store_[key] = a;
    }
}

double Controller::num(const std::string& key, double fallback) {
    const auto it = store_.find(key);
    return it == store_.end() || it->second.empty() ? fallback : it->second[0].num;
}

std::string Controller::handle(std::string_view request, const std::string& peerIp, int peerPort) {
    ++requests_;
    peerIp_ = peerIp;
    peerPort_ = peerPort;
    const std::string_view word = request.substr(0, request.find(' '));
    const auto [first, last] = byWord_.equal_range(std::string(word));
    if (first == last) { ++unknown_; return error(kUnknownWord, "unknown command word"); }
    for (auto it = first; it != last; ++it) {
        const Entry& e = table_[it->second];
        if (std::optional<Args> a = match(e.pattern, request)) return dispatch(e, *a);
    }
    return error(kMalformed, "malformed arguments");
}

std::string Controller::handleBinary(std::string_view bytes) {
    ++requests_;
    if (bytes.empty() || bytes.size() % 24 != 0) return error(kProfileData, "profile entries are 24 bytes each");
    lastBinary_ = bytes.size();
    return "ok";
}

std::string Controller::dispatch(const Entry& e, const Args& a) {
    if (std::optional<std::string> r = special(e, a)) return *r;
    return generic(e, a);
}

std::string Controller::generic(const Entry& e, const Args& a) {
    const int k = std::min<int>(e.indexCount, int(a.size()));
    std::string key = e.key;
    for (int i = 0; i < k; ++i) {
        if (a[i].text.find_first_not_of("-0123456789") == std::string::npos && a[i].num < 0)
            return error(kRange, "index out of range");
        key += "#" + a[i].text;
    }
    if (e.reply.empty()) {
        store_[key] = Args(a.begin() + k, a.end());
        return "ok";
    }
    Args values;
    if (const auto it = store_.find(key); it != store_.end()) values = it->second;
    // Readers that answer with their own index first ("=%d;..." after "Get_X %d").
    if (k > 0 && conversionCount(e.reply) == int(values.size()) + k && !values.empty())
        values.insert(values.begin(), a.begin(), a.begin() + k);
    return fill(e.reply, values);
}

Joints Controller::jointsAt(double t) {
    Joints q = rest_;
    for (const Segment& s : plan_) {
        if (t <= s.start) break;
        const double f = s.end <= s.start ? 1.0 : std::min(1.0, (t - s.start) / (s.end - s.start));
        if (s.linear && f < 1.0) {
            const Pose a = forward(s.from), b = forward(s.to);
            Pose p{};
            for (int i = 0; i < 6; ++i) p[i] = a[i] + (b[i] - a[i]) * f;
            for (int i = 3; i < 6; ++i) {  // orientation along the short way round
                double d = b[i] - a[i];
                d -= 360.0 * std::round(d / 360.0);
                p[i] = a[i] + d * f;
            }
            if (std::optional<Joints> j = inverse(p, configuration(s.from), s.from)) { q = *j; continue; }
        }
        for (int i = 0; i < 6; ++i) q[i] = s.from[i] + (s.to[i] - s.from[i]) * f;
    }
    // Finished segments fold into the rest position.
    while (!plan_.empty() && plan_.front().end <= t) {
        for (int i = 0; i < 6; ++i) travelled_[i] += std::fabs(plan_.front().to[i] - plan_.front().from[i]);
        rest_ = plan_.front().to;
        plan_.erase(plan_.begin());
    }
    return q;
}

std::string Controller::moveTo(const Joints& target, bool linear) {
    if (num("estopsts")) return error(kEStop, "emergency stop is on");
    if (!num("motorsts")) return error(kMotorsOff, "motors are off");
    const double t = now_();
    const Joints from = plan_.empty() ? jointsAt(t) : plan_.back().to;
    const double start = plan_.empty() ? t : plan_.back().end;
    const double speed = std::clamp(num("vel", 50), 1.0, 100.0) / 100.0;
    double span = 0;
    for (int i = 0; i < 6; ++i) span = std::max(span, std::fabs(target[i] - from[i]) / 180.0);
    if (linear) {
        const Pose a = forward(from), b = forward(target);
        span = std::max(span, std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]) / 1000.0);
    }
    setNum("curcmdnum", num("curcmdnum") + 1);
    plan_.push_back({start, start + std::max(0.05, span / speed), from, target, linear, int(num("curcmdnum"))});
    return "ok";
}

std::string Controller::moveToPose(const Pose& p, const ArmType& cfg, bool linear) {
    const Joints seed = plan_.empty() ? jointsAt(now_()) : plan_.back().to;
    const std::optional<Joints> q = inverse(p, cfg, seed);
    if (!q) return error(kUnreachable, "target out of reach");
    return moveTo(*q, linear);
}

std::string Controller::motion(const Entry& e, const Args& a) {
    const std::string& w = e.word;
    const bool linear = w.find("MovL") == 0 || w.find("JumpL") == 0 || w.find("MovC") == 0;
    auto stored = [&](const std::string& store, const Arg& index, Pose& p, ArmType& cfg) {
        const auto it = store_.find(store + "#" + index.text);
        if (it == store_.end() || it->second.size() < 10) return false;
        for (int i = 0; i < 6; ++i) p[i] = it->second[i].num;
        for (int i = 0; i < 4; ++i) cfg[i] = int(it->second[6 + i].num);
        return true;
    };
    Pose p{};
    ArmType cfg{};
    if (w == "MovJAbsRobJP") {
        Joints q{};
        for (int i = 0; i < 6; ++i) q[i] = a[i].num;
        return moveTo(q, false);
    }
    if (w == "MovJAbsRobIndexJP") {
        const auto it = store_.find("robjp#" + a[0].text);
        if (it == store_.end() || it->second.size() < 6) return error(kNoPoint, "point never written");
        Joints q{};
        for (int i = 0; i < 6; ++i) q[i] = it->second[i].num;
        return moveTo(q, false);
    }
    // Circular moves go through the last point given: the end point is what the arm reaches.
    const bool circle = w.find("MovC") == 0;
    if (w.find("GP") != std::string::npos) {
        if (!stored("gp", a[circle ? 1 : 0], p, cfg)) return error(kNoPoint, "point never written");
    } else if (w.find("RobP") != std::string::npos) {
        const std::size_t at = circle ? 16 : 0;
        for (int i = 0; i < 6; ++i) p[i] = a[at + i].num;
        for (int i = 0; i < 4; ++i) cfg[i] = int(a[at + 6 + i].num);
    } else if (w.back() == '2') {
        const std::size_t at = circle ? 13 : 0;
        for (int i = 0; i < 6; ++i) p[i] = a[at + i].num;
        for (int i = 0; i < 4; ++i) cfg[i] = int(a[at + 6 + i].num);
    } else if (!stored("robp", a[circle ? 1 : 0], p, cfg)) {
        return error(kNoPoint, "point never written");
    }
    return moveToPose(p, cfg, linear);
}

std::optional<std::string> Controller::special(const Entry& e, const Args& a) {
    const std::string& w = e.word;
    const std::string& pat = e.pattern;
    auto onOff = [&](const char* key, const std::string& onText) { setNum(key, pat.find(onText) != std::string::npos); return std::string("ok"); };
    if (w == "EStop") {
        if (pat == "EStop ON") { jointsAt(now_()); rest_ = jointsAt(now_()); plan_.clear(); }
        return onOff("estopsts", " ON");
    }
    if (w == "Motor") {
        if (pat == "Motor ON" && num("estopsts")) return error(kEStop, "emergency stop is on");
        if (pat == "Motor OFF") { rest_ = jointsAt(now_()); plan_.clear(); }
        return onOff("motorsts", " ON");
    }
    if (w == "InchMode") return onOff("inchmode", " ON");
    if (w == "Set_TeachCoordinate") return onOff("teachcoordinate", " ON");
    if (w == "Latch") return onOff("latchsts", " ON");
    if (w == "ResetErr") { setNum("syserr", 0); setNum("syserrsts", 0); return "ok"; }
    if (w == "Prg") {
        if (pat == "Prg Start" && num("estopsts")) return error(kEStop, "emergency stop is on");
        if (pat == "Prg Start" && !num("motorsts")) return error(kMotorsOff, "motors are off");
        setNum("prgsts", pat == "Prg Start" ? 1 : 0);
        const auto path = store_.find("curprgpath");
        prints_.push_back(std::string("PRINT:program ") + (path != store_.end() && !path->second.empty() ? path->second[0].text : "-") +
                          (pat == "Prg Start" ? " started" : " stopped"));
        return "ok";
    }
    if (w == "DsMode") {
        const char* modes[] = {"OFF", "ON", "Pause", "Continue"};
        for (int i = 0; i < 4; ++i)
            if (pat == std::string("DsMode ") + modes[i]) setNum("dsmode", i);
        return "ok";
    }
    if (w == "Acqpermit") {
        const bool mine = holderIp_ == peerIp_ && holderPort_ == peerPort_;
        if (num("curpermit") && !mine && pat != "Acqpermit forcibly") return error(kPermissionHeld, "permission held by another host");
        setNum("curpermit", 1);
        holderIp_ = peerIp_;
        holderPort_ = peerPort_;
        return "ok";
    }
    if (w == "RemovePermit") { setNum("curpermit", 0); return "ok"; }
    if (w == "CurPermit") {
        if (!num("curpermit")) return std::string("=0");
        return "=1 Ip:" + holderIp_ + " Port:" + std::to_string(holderPort_);
    }
    if (w == "UserLogin") { setNum("curusertype", a[0].num); return "ok"; }
    if (w == "UserLogout") { setNum("curusertype", 0); return "ok"; }
    if (w == "Get_MotionSts" || w == "Get_MotionStsExceptIndAxis") return fill("=%d", numbers({double(moving(now_()))}));
    if (w == "Get_CurCmdCacheNum") { const double t = now_(); jointsAt(t); return fill("=%d", numbers({double(plan_.size())})); }
    // Command states by number: 0 finished, 1 running, 2 waiting in the queue.
    if (w == "Get_CmdSts" || w == "Get_CurCmdSts") {
        const double t = now_();
        jointsAt(t);
        const int id = w == "Get_CmdSts" ? int(a[0].num) : int(num("curcmdnum"));
        if (w == "Get_CmdSts" && (id < 1 || id > int(num("curcmdnum")))) return error(kRange, "no command of that number");
        int state = 0;
        for (const Segment& s : plan_)
            if (s.id == id) state = t >= s.start ? 1 : 2;
        return fill("=%d", numbers({double(state)}));
    }
    if (w == "Get_AxisTotalMotionData") {
        if (a[0].num < 1 || a[0].num > 6) return error(kRange, "axis out of range");
        jointsAt(now_());
        return fill("=%d", numbers({std::round(travelled_[std::size_t(a[0].num) - 1])}));
    }
    if (w == "Get_ServoSts") return std::string(num("motorsts") ? "=11111100" : "=00000000");
    if (w == "GetRCLibVersion") return "=ZRC-1.4.2,=" + a[0].text;
    if (w == "Get_Print") {
        if (prints_.empty()) return std::string("=");
        const std::string message = "=" + prints_.front();
        prints_.erase(prints_.begin());
        return message;
    }
    // Each analog output is wired back to the analog input of the same number.
    if (w == "Get_AD") {
        if (a[0].num < 0 || a[0].num >= num("adnum", 4)) return error(kRange, "channel out of range");
        return fill(e.reply, {Arg{num("da#" + a[0].text), ""}});
    }
    if (w.rfind("Mov", 0) == 0 || w.rfind("Jump", 0) == 0) return motion(e, a);
    if (w == "Home") return moveTo(Joints{0, 0, 0, 0, 30, 0}, false);
    if (w == "Jog" || w == "Inch" || w == "AxisJog" || w == "AxisInch") {
        if (w[0] != 'A' && a[1].text == "/") return std::string("ok");  // "/" stops jogging
        if (w[0] != 'A' && a[1].text != "+" && a[1].text != "-") return error(kMalformed, "direction must be +, - or /");
        if (pat.find("%s") != std::string::npos) {
            // Cartesian jogging: 5 mm or 5 degrees along X, Y, Z, RX, RY or RZ.
            static const char* axes[] = {"X", "Y", "Z", "RX", "RY", "RZ"};
            const Joints from = plan_.empty() ? jointsAt(now_()) : plan_.back().to;
            Pose p = forward(from);
            for (int i = 0; i < 6; ++i)
                if (a[0].text == axes[i]) {
                    p[i] += (a[1].text == "-" ? -5.0 : 5.0) * (w == "Inch" ? num("inchstep", 100) / 5000.0 : 1.0);
                    return moveToPose(p, configuration(from), true);
                }
            return error(kRange, "no such coordinate");
        }
        const int axis = int(a[0].num);
        if (axis < 1 || axis > 6) return error(kRange, "axis out of range");
        const double dir = (w[0] == 'A') ? (a[1].num ? 1.0 : -1.0) : (a[1].text == "-" ? -1.0 : 1.0);
        Joints q = plan_.empty() ? jointsAt(now_()) : plan_.back().to;
        q[axis - 1] += dir * (w.find("Inch") != std::string::npos ? num("inchstep", 100) / 1000.0 : 5.0);
        return moveTo(q, false);
    }
    if (w == "Set_DOGroup") {
        const int g = int(a[0].num), v = int(a[1].num);
        if (g < 0 || g > 3) return error(kRange, "group out of range");
        for (int b = 0; b < 8; ++b) setNum("do#" + std::to_string(g * 8 + b), (v >> b) & 1);
        return "ok";
    }
    if (w == "Get_DOGroup" || w == "Get_DIGroup") {
        const int g = int(a[0].num);
        if (g < 0 || g > 3) return error(kRange, "group out of range");
        int v = 0;
        for (int b = 0; b < 8; ++b) v |= (num((w == "Get_DOGroup" ? "do#" : "di#") + std::to_string(g * 8 + b)) != 0) << b;
        return fill("=%d", numbers({double(v)}));
    }
    if (w == "Set_DO" || w == "Set_ForceDO" || w == "Set_ForceDI" || w == "Get_DO" || w == "Get_DI") {
        if (a[0].num < 0 || a[0].num >= 32) return error(kRange, "channel out of range");
        if (w[0] == 'S') {
            const std::string key = (w.back() == 'I' ? "di#" : "do#") + a[0].text;
            // While the latch is on, a rising input latches the arm's position.
            if (w.back() == 'I' && num("latchsts") && !num(key) && a[1].num != 0) {
                const Joints q = jointsAt(now_());
                const Pose p = forward(q);
                const ArmType c = configuration(q);
                latched_.push_back(numbers({p[0], p[1], p[2], p[3], p[4], p[5], double(c[0]), double(c[1]), double(c[2]), double(c[3]), 0, 0, 0, 0, 0, 0}));
            }
            setNum(key, a[1].num != 0);
            return "ok";
        }
        return std::nullopt;
    }
    if (w == "Set_ModbusReg") {
        const bool f32 = pat.find("f32") != std::string::npos;
        for (std::size_t i = 2; i < a.size(); ++i)
            store_["modbusreg#" + std::to_string(int(a[0].num) + int(i - 2) * (f32 ? 2 : 1))] = {a[i]};
        return "ok";
    }
    if (w == "Get_ModbusReg") {
        const bool f32 = pat.find("f32") != std::string::npos;
        const int count = int(a[1].num), n = f32 ? count / 2 : count;
        if (n < 1 || n > (f32 ? 4 : 8)) return error(kRange, "register count out of range");
        Args v;
        std::string form = "=";
        for (int i = 0; i < n; ++i) {
            v.push_back({num("modbusreg#" + std::to_string(int(a[0].num) + i * (f32 ? 2 : 1))), ""});
            form += i ? (f32 ? ",%f" : ",%hu") : (f32 ? "%f" : "%hu");
        }
        return fill(form, v);
    }
    if (w == "SetExtProfileData") {
        if (lastBinary_ == 0 || double(lastBinary_) != a[0].num) return error(kProfileData, "no profile data of that size");
        if (num("extprofileusedspace") + a[0].num > kProfileSpace) return error(kProfileFull, "profile space exhausted");
        setNum("extprofileusedspace", num("extprofileusedspace") + a[0].num);
        lastBinary_ = 0;
        return "ok";
    }
    if (w == "ClearExtProfileData") { setNum("extprofileusedspace", 0); return "ok"; }
    if (w == "GetExtProfileLeftSpace") return fill("=%d", numbers({kProfileSpace - num("extprofileusedspace")}));
    if (w == "Set_InterferZoneActStat" || w == "Get_InterferZoneActStat") {
        Args& states = var("interferzoneactstat");
        states.resize(16, Arg{0, "0"});
        if (w[0] == 'G') return fill("=%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", states);
        // Zones are numbered 1 to 16.
        if (a[0].num < 1 || a[0].num > 16) return error(kRange, "zone out of range");
        states[std::size_t(a[0].num) - 1] = a[1];
        return "ok";
    }
    if (w == "Get_LatchSum") return fill("=%d", numbers({double(latched_.size())}));
    if (w == "Clr_LatchPos") { latched_.clear(); return "ok"; }
    if (w == "Get_LatchPos" || w == "Get_LatchRobP") {
        const double i = a[0].num;
        if (i < 0 || i >= double(latched_.size())) return error(kRange, "no latched position of that number");
        Args v = latched_[std::size_t(i)];
        if (w == "Get_LatchPos") v.resize(6);
        v.insert(v.begin(), a[0]);
        return fill(e.reply, v);
    }
    if (w == "Set_DiagnosisSave") {
        setNum("diagnosissave", num("diagnosissave") + 1);
        store_["diagnosislastsavetrackfile"] = {Arg{0, "track" + std::to_string(int(num("diagnosissave"))) + ".trc"}};
        return "ok";
    }
    if (w == "DiagnosisSaveCtrl") { setNum("diagnosissavests", a[0].num); return "ok"; }
    if (w == "Close_BindTcpSpeed") { store_.erase("bindtcpspeedvalue#" + a[0].text); return "ok"; }
    if (w == "Get_TcpSpeedDAOutAndVel") {
        // A binding maps the TCP speed range value1..value2 (mm/s) onto the analog range
        // value3..value4; the reply gives the index, the analog value and the speed.
        const double t = now_(), dt = 0.01;
        const Pose p0 = forward(jointsAt(t - dt)), p1 = forward(jointsAt(t));
        const double speed = std::hypot(p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]) / dt;
        double out = 0;
        const auto it = store_.find("bindtcpspeedvalue#" + a[0].text);
        if (it != store_.end() && it->second.size() >= 4 && it->second[1].num != it->second[0].num) {
            const Args& b = it->second;
            const double f = std::clamp((speed - b[0].num) / (b[1].num - b[0].num), 0.0, 1.0);
            out = b[2].num + (b[3].num - b[2].num) * f;
        }
        return fill("=%d, %lf, %lf", {a[0], Arg{out, ""}, Arg{speed, ""}});
    }
    if (w == "Get_InterferToolPara") {
        const auto it = store_.find("interfertoolpara#" + a[0].text);
        if (it == store_.end() || it->second.empty()) return std::string("=0");
        const Args& v = it->second;
        const int shape = int(v[0].num);
        std::string form = "=%hu";
        for (std::size_t i = 1; i < v.size(); ++i) form += (shape == 1 || (shape == 3 && i == 1)) ? ",%hu" : ",%f";
        return fill(form, v);
    }
    if (w == "GetRecommendCollisionLevel") {
        const int n = int(a[1].num);
        if (n != 4 && n != 6) return error(kRange, "axis count must be 4 or 6");
        Args v;
        std::string form = "=";
        for (int i = 0; i < n; ++i) {
            v.push_back({std::max(num("axiscolllevel#" + std::to_string(i + 1), 0) * 0.9, 20.0 + 5.0 * i), ""});
            form += i ? ",%lf" : "%lf";
        }
        return fill(form, v);
    }
    if (std::optional<std::string> r = std::optional<std::string>(pose(w, a)); !r->empty()) return r;
    // Storing the current position.
    if (w == "Set_RobPHere" || w == "Set_GPHere" || w == "Set_RobJPHere" || w == "Set_RobPHereToFile") {
        const Joints q = jointsAt(now_());
        const Pose p = forward(q);
        const ArmType c = configuration(q);
        if (w == "Set_RobJPHere") store_["robjp#" + a[0].text] = numbers({q[0], q[1], q[2], q[3], q[4], q[5], 0, 0, 0, 0, 0, 0, 0, 0});
        else if (w == "Set_GPHere") store_["gp#" + a[0].text] = numbers({p[0], p[1], p[2], p[3], p[4], p[5], double(c[0]), double(c[1]), double(c[2]), double(c[3]), 0, 0, 0});
        else store_[(w == "Set_RobPHere" ? "robp#" : "robpfile#" + a[1].text + "#") + a[0].text] =
            numbers({p[0], p[1], p[2], p[3], p[4], p[5], double(c[0]), double(c[1]), double(c[2]), double(c[3]), 0, 0, 0, 0, 0, 0});
        return "ok";
    }
    if (w == "Set_RobPToFile") { store_["robpfile#" + a.back().text + "#" + a[0].text] = Args(a.begin() + 1, a.end() - 1); return "ok"; }
    if (w == "Get_RobPFromFile") {
        const auto it = store_.find("robpfile#" + a[1].text + "#" + a[0].text);
        if (it == store_.end()) return error(kNoPoint, "point never written");
        return fill(e.reply, it->second);
    }
    if (w == "Get_RobP_Label" || w == "Get_RobJP_Label") return std::string(w == "Get_RobP_Label" ? "=P" : "=JP") + a[0].text;
    if (w == "Get_RobLP_Label") return "=" + a[2].text + "_" + a[0].text + "_" + a[1].text;
    return std::nullopt;
}

// Position readings, conversions, offsets and pallets, all computed on the arm model.
std::string Controller::pose(std::string_view w, const Args& a) {
    const Joints q = jointsAt(now_());
    const Pose p = forward(q);
    const ArmType c = configuration(q);
    auto pform = [](const Pose& x, const ArmType& k, int r0, int r1, int r2) {
        return fill("=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d",
                    numbers({x[0], x[1], x[2], x[3], x[4], x[5], double(k[0]), double(k[1]), double(k[2]), double(k[3]), double(r0), double(r1), double(r2)}));
    };
    auto rform = [](const Pose& x, const ArmType& k, const Args& ext, std::size_t at) {
        Args v = numbers({x[0], x[1], x[2], x[3], x[4], x[5], double(k[0]), double(k[1]), double(k[2]), double(k[3])});
        for (std::size_t i = 0; i < 6; ++i) v.push_back(at + i < ext.size() ? ext[at + i] : Arg{0, "0"});
        return fill("=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%lf,%lf,%lf,%lf,%lf,%lf", v);
    };
    auto six = [](const std::array<double, 6>& x) { return fill("=%lf,%lf,%lf,%lf,%lf,%lf", numbers({x[0], x[1], x[2], x[3], x[4], x[5]})); };
    auto take = [&](std::size_t at, Pose& x, ArmType& k) {
        for (int i = 0; i < 6; ++i) x[i] = a[at + i].num;
        for (int i = 0; i < 4; ++i) k[i] = int(a[at + 6 + i].num);
    };
    if (w == "Get_PosHere") return pform(p, c, 0, 0, 0);
    if (w == "Get_PosHereJ") return six(q);
    if (w == "Get_PosHereC") return six(p);
    if (w == "Get_PosHerePulse") { Joints n = q; for (double& x : n) x *= kPulsesPerDegree; return six(n); }
    if (w == "Get_RobPHere") return rform(p, c, {}, 0);
    if (w == "Get_RobJPHere") return fill("=%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf", numbers({q[0], q[1], q[2], q[3], q[4], q[5]}));
    if (w == "Get_ActiveMechUnitPos") {
        const bool joints = num("activemechunitposformat") != 0;
        const std::array<double, 6>& v = joints ? q : p;
        return fill("=%d,%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf", numbers({double(joints), v[0], v[1], v[2], v[3], v[4], v[5], 0, 0}));
    }
    if (w == "Get_ArmType") {
        Joints j{};
        for (int i = 0; i < 6; ++i) j[i] = a[i].num;
        const ArmType k = configuration(j);
        return fill("=%d,%d,%d,%d", numbers({double(k[0]), double(k[1]), double(k[2]), double(k[3])}));
    }
    if (w == "Get_TransArmType") return fill("=%d,%d,%d,%d", Args(a.begin(), a.begin() + 4));
    if (w == "Get_RobJToRobP") {
        Joints j{};
        for (int i = 0; i < 6; ++i) j[i] = a[i].num;
        return rform(forward(j), configuration(j), a, 8);
    }
    if (w == "Get_RobPToRobJ") {
        Pose x{};
        ArmType k{};
        take(0, x, k);
        const std::optional<Joints> j = inverse(x, k, q);
        if (!j) return error(kUnreachable, "target out of reach");
        Args v = numbers({(*j)[0], (*j)[1], (*j)[2], (*j)[3], (*j)[4], (*j)[5], 0, 0});
        v.insert(v.end(), a.begin() + 10, a.begin() + 16);
        return fill("=%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf", v);
    }
    // Offsets: base ("Get_Offset"), tool-relative ("T") and joint ("J").
    if (w.rfind("Get_Offset", 0) == 0) {
        const bool robp = w.find("RobP") != std::string::npos || w.find("RobJP") != std::string::npos;
        const std::size_t offAt = w == "Get_OffsetJ_RobJP" ? 14 : robp ? 16 : 13;
        std::array<double, 6> off{};
        for (int i = 0; i < 6; ++i) off[i] = a[offAt + i].num;
        if (w == "Get_OffsetJ_RobJP") {
            Args v(a.begin(), a.begin() + 14);
            for (int i = 0; i < 6; ++i) v[i] = {a[i].num + off[i], ""};
            return fill("=%lf,%lf,%lf,%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf,%lf", v);
        }
        Pose x{};
        ArmType k{};
        take(0, x, k);
        if (w == "Get_OffsetJ") {
            std::optional<Joints> j = inverse(x, k, q);
            if (!j) return error(kUnreachable, "target out of reach");
            for (int i = 0; i < 6; ++i) (*j)[i] += off[i];
            x = forward(*j);
            k = configuration(*j);
        } else if (w.rfind("Get_OffsetT", 0) == 0) {
            // The offset's translation is given in the tool's axes.
            const double r = 3.14159265358979323846 / 180.0;
            const double ca = std::cos(x[3] * r), sa = std::sin(x[3] * r), cb = std::cos(x[4] * r), sb = std::sin(x[4] * r),
                         cc = std::cos(x[5] * r), sc = std::sin(x[5] * r);
            const double m[3][3] = {{cc * cb, cc * sb * sa - sc * ca, cc * sb * ca + sc * sa},
                                    {sc * cb, sc * sb * sa + cc * ca, sc * sb * ca - cc * sa},
                                    {-sb, cb * sa, cb * ca}};
            for (int i = 0; i < 3; ++i) x[i] += m[i][0] * off[0] + m[i][1] * off[1] + m[i][2] * off[2];
            for (int i = 3; i < 6; ++i) x[i] += off[i];
        } else {
            for (int i = 0; i < 6; ++i) x[i] += off[i];
        }
        if (robp) return rform(x, k, a, 10);
        return pform(x, k, int(a[10].num), int(a[11].num), int(a[12].num));
    }
    // Frame conversions: user frames shift the origin by their translation.
    if (w == "Get_PosCnvt" || w == "Get_VisionPosCnvt") {
        Pose x{};
        ArmType k{};
        take(0, x, k);
        auto origin = [&](int frame, int i) {
            const auto it = store_.find("userc#" + std::to_string(frame));
            return frame > 0 && it != store_.end() && it->second.size() > std::size_t(i) ? it->second[i].num : 0.0;
        };
        const int from = int(a[11].num), to = int(a[14].num);
        for (int i = 0; i < 3; ++i) x[i] += origin(from, i) - origin(to, i);
        return pform(x, k, int(a[13].num), int(a[14].num), int(a[15].num));
    }
    if (w == "Get_FixWobjRobP" || w == "Get_RobHoldWobjRobP") {
        Pose x{};
        ArmType k{};
        take(0, x, k);
        const std::string wobj = "wobjdata#" + a[16].text;
        if (store_.count(wobj) && store_[wobj].size() >= 8)
            for (int i = 0; i < 3; ++i) x[i] -= store_[wobj][2 + i].num;
        return rform(x, k, a, 10);
    }
    if (w == "Get_PalletPoint" || w == "Get_Pallet4Point" || w == "Get_PalletRobP" || w == "Get_Pallet4RobP") {
        const bool four = w.find('4') != std::string::npos, robp = w.find("RobP") != std::string::npos;
        const std::size_t stride = robp ? 16 : 13, corners = four ? 4 : 3;
        const std::size_t idx = stride * corners;
        const double rows = std::max(2.0, num("palletpara", 3)), cols = std::max(2.0, store_["palletpara"].size() > 1 ? store_["palletpara"][1].num : 3.0);
        const double height = store_["palletpara"].size() > 3 ? store_["palletpara"][3].num : 0.0;
        const double u = (a[idx].num - 1) / (rows - 1), v = (a[idx + 1].num - 1) / (cols - 1);
        Pose x{};
        ArmType k{};
        take(0, x, k);
        for (int i = 0; i < 6; ++i) {
            const double A = a[i].num, B = a[stride + i].num, C = a[2 * stride + i].num;
            const double D = four ? a[3 * stride + i].num : B + C - A;
            x[i] = A * (1 - u) * (1 - v) + B * u * (1 - v) + C * (1 - u) * v + D * u * v;
        }
        x[2] += (a[idx + 2].num - 1) * height;
        if (robp) return rform(x, k, a, 10);
        return pform(x, k, int(a[10].num), int(a[11].num), int(a[12].num));
    }
    return {};
}

}  // namespace zsim
