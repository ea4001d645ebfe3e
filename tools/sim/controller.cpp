#include "controller.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>

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
constexpr double kFloatMax = double(std::numeric_limits<float>::max());

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
    savedParameters_ = parameters();
}

// The settings the parameter file holds: arm and drive parameters, limits, frames, tools, work
// objects, regions, jump and pallet parameters and collision settings.
std::map<std::string, Args> Controller::parameters() const {
    static const std::set<std::string> kParameters = {
        "strpara", "strparacomp", "rdctratio", "cpparam", "cpparas", "homepos", "homejpos", "zeropos",
        "stepmotionj", "stepmotionl", "stepmotionr", "teachvellimj", "teachvelliml", "teachacclimj",
        "teachaccliml", "runvellimj", "runvelliml", "runacclimj", "runaccliml", "stopdeclimj", "stopdecliml",
        "zonepara", "cinterpmode", "axisnlim", "axisplim", "tooldata", "wobjdata", "toolc", "userc", "interf",
        "curinterf", "jumppara", "palletpara", "collmodeandaction", "axiscollmode", "axiscolllevel", "colldist"};
    std::map<std::string, Args> out;
    for (const auto& [key, value] : store_) {
        const std::string word = key.substr(0, key.find('#'));
        if (kParameters.count(word) || word.rfind("teachmode", 0) == 0 || word.rfind("playbackmode", 0) == 0) out[key] = value;
    }
    return out;
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
        if (s.path != kJoint && f < 1.0) {
            const Pose a = forward(s.from), b = forward(s.to);
            Pose p{};
            for (int i = 0; i < 3; ++i) p[i] = a[i] + (b[i] - a[i]) * f;
            if (s.arc) {
                const Point3 c = s.arc->at(f);
                for (int i = 0; i < 3; ++i) p[i] = c[i];
            }
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

// Stops the arm and every independent axis where they are.
void Controller::halt() {
    const double t = now_();
    const Joints q = jointsAt(t);
    if (!plan_.empty()) {
        for (int i = 0; i < 6; ++i) travelled_[i] += std::fabs(q[i] - plan_.front().from[i]);
        plan_.clear();
    }
    rest_ = q;
    for (auto& [key, axis] : independent_) {
        axis.from = axis.at(t);
        axis.state = IndependentAxis::kIdle;
    }
}

std::string Controller::moveTo(const Joints& target, Path path, const std::optional<Arc>& arc) {
    if (isOn("estopsts")) return error(kEStop, "emergency stop is on");
    if (!isOn("motorsts")) return error(kMotorsOff, "motors are off");
    const double t = now_();
    const Joints from = planEnd();
    const double start = plan_.empty() ? t : plan_.back().end;
    const double speed = std::clamp(num("vel", 50), 1.0, 100.0) / 100.0;
    double span = 0;
    for (int i = 0; i < 6; ++i) span = std::max(span, std::fabs(target[i] - from[i]) / 180.0);
    if (path != kJoint) {
        const Pose a = forward(from), b = forward(target);
        const double length = arc ? arc->radius * arc->sweep : std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
        span = std::max(span, length / 1000.0);
    }
    setNum("curcmdnum", num("curcmdnum") + 1);
    plan_.push_back({start, start + std::max(0.05, span / speed), from, target, path, int(num("curcmdnum")), arc});
    return "ok";
}

std::string Controller::moveToPose(const Pose& p, const ArmType& cfg, Path path, const Pose* via) {
    const Joints seed = planEnd();
    const std::optional<Joints> q = inverse(p, cfg, seed);
    if (!q) return error(kUnreachable, "target out of reach");
    std::optional<Arc> arc;
    if (via) {
        const Pose a = forward(seed);
        arc = arcThrough({a[0], a[1], a[2]}, {(*via)[0], (*via)[1], (*via)[2]}, {p[0], p[1], p[2]});
        if (!arc) return error(kNoCircle, "the points make no circle");
    }
    return moveTo(*q, path, arc);
}

// A frame of the tool ("toolc") or user ("userc") table; number 0 is the flange or the base.
std::optional<Pose> Controller::frame(const char* table, int number) {
    if (number < 0) return std::nullopt;
    Pose f{};
    const auto it = store_.find(std::string(table) + "#" + std::to_string(number));
    if (number > 0 && it != store_.end())
        for (std::size_t i = 0; i < 6 && i < it->second.size(); ++i) f[i] = it->second[i].num;
    return f;
}

// A tool-centre pose given in one user frame with one tool, re-expressed for another pair: the
// flange stays where it is.
std::optional<Pose> Controller::convert(const Pose& p, int fromTool, int fromUser, int toTool, int toUser) {
    const std::optional<Pose> t1 = frame("toolc", fromTool), u1 = frame("userc", fromUser), t2 = frame("toolc", toTool),
                              u2 = frame("userc", toUser);
    if (!t1 || !u1 || !t2 || !u2) return std::nullopt;
    const Pose flange = compose(compose(*u1, p), invert(*t1));
    return compose(compose(invert(*u2), flange), *t2);
}

// Degrees each axis has moved, the running motion included.
Joints Controller::travelled(double t) {
    const Joints q = jointsAt(t);
    Joints total = travelled_;
    if (!plan_.empty() && plan_.front().start < t)
        for (std::size_t i = 0; i < 6; ++i) total[i] += std::fabs(q[i] - plan_.front().from[i]);
    return total;
}

double Controller::tcpSpeed(double t) {
    const double dt = 0.01;
    const Pose p0 = forward(jointsAt(t - dt)), p1 = forward(jointsAt(t));
    return std::hypot(p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]) / dt;
}

// A binding maps the TCP speed range value1..value2 (mm/s) onto the analog range value3..value4.
std::optional<double> Controller::boundOutput(int channel) {
    const auto it = store_.find("bindtcpspeedvalue#" + std::to_string(channel));
    if (it == store_.end() || it->second.size() < 4) return std::nullopt;
    const Args& b = it->second;
    if (b[1].num == b[0].num) return b[2].num;
    const double f = std::clamp((tcpSpeed(now_()) - b[0].num) / (b[1].num - b[0].num), 0.0, 1.0);
    return b[2].num + (b[3].num - b[2].num) * f;
}

// Each type has a table of its own, and a variable holds only what its type can: integer values
// beyond the type are refused, floats are rounded to single precision.
std::string Controller::commonVar(const Entry& e, const Args& a) {
    const std::size_t at = e.pattern.find(' ', e.pattern.find(' ') + 1) + 1;
    const std::string type = e.pattern.substr(at, e.pattern.find(' ', at) - at);
    if (a[0].num < 0) return error(kRange, "index out of range");
    const std::string key = "commonvar#" + type + "#" + a[0].text;
    if (e.word[0] == 'G') {
        Args v;
        if (const auto it = store_.find(key); it != store_.end()) v = it->second;
        return fill(e.reply, v);
    }
    static const std::map<std::string, std::pair<double, double>> kRanges = {
        {"u8", {0, 255}}, {"s8", {-128, 127}}, {"u16", {0, 65535}}, {"s16", {-32768, 32767}},
        {"f32", {-kFloatMax, kFloatMax}}};
    Args v(a.begin() + 1, a.end());
    if (const auto r = kRanges.find(type); r != kRanges.end() && (v[0].num < r->second.first || v[0].num > r->second.second))
        return error(kRange, "value out of range of the type");
    if (type == "f32") v[0].num = double(float(v[0].num));
    store_[key] = v;
    return "ok";
}

double Controller::IndependentAxis::at(double t) const {
    if (state == kContinuous) return from + speed * (t - since);
    if (state == kAbsolute) {
        const double travel = std::min(std::fabs(target - from), std::fabs(speed) * (t - since));
        return from + std::copysign(travel, target - from);
    }
    return from;
}

bool Controller::IndependentAxis::moving(double t) const {
    return state == kContinuous || (state == kAbsolute && std::fabs(target - from) > std::fabs(speed) * (t - since));
}

// Axes 1 to 6 of a named unit, moved apart from the arm: to a position at a speed (IndAMove:
// position, speed, then acceleration and deceleration, which the model does not ramp), on at a
// speed (IndCMove: speed, acceleration, deceleration), and reset where they stand (IndReset to
// the position given, IndResetOld folded into one turn).
std::string Controller::independent(const Entry& e, const Args& a) {
    const std::string& w = e.word;
    if (a[0].num < 1 || a[0].num > 6) return error(kRange, "axis out of range");
    const double t = now_();
    IndependentAxis& x = independent_[a.back().text + "#" + a[0].text];
    if (w == "IndAMove" || w == "IndCMove") {
        if (isOn("estopsts")) return error(kEStop, "emergency stop is on");
        if (!isOn("motorsts")) return error(kMotorsOff, "motors are off");
        const double speed = w == "IndAMove" ? a[2].num : a[1].num;
        if (w == "IndAMove" && speed <= 0) return error(kRange, "speed must be positive");
        x = {w == "IndAMove" ? IndependentAxis::kAbsolute : IndependentAxis::kContinuous, t, x.at(t), a[1].num, speed, false};
        return "ok";
    }
    if (w == "IndReset" || w == "IndResetOld") {
        const double here = x.at(t);
        x = {IndependentAxis::kIdle, t, w == "IndReset" ? a[1].num : here - 360.0 * std::round(here / 360.0), 0, 0, true};
        return "ok";
    }
    const bool moving = x.moving(t);
    int state = 0;
    if (w == "IndSpeed") state = moving;
    else if (w == "IndInPos") state = !moving;
    else if (w == "Get_IndAMoveSts") state = moving && x.state == IndependentAxis::kAbsolute;
    else if (w == "Get_IndCMoveSts") state = x.state == IndependentAxis::kContinuous;
    else state = x.reset;
    return fill("=%d", numbers({double(state)}));
}

// Per axis: position (degrees), speed (degrees/s), acceleration (degrees/s^2), degrees travelled
// in all and the motor's speed (rpm) through the axis's reduction ratio. The three request
// numbers select nothing: there is one arm.
std::string Controller::motionData() {
    const double t = now_(), dt = 0.01;
    const Joints q0 = jointsAt(t - 2 * dt), q1 = jointsAt(t - dt), q2 = jointsAt(t), total = travelled(t);
    const auto ratios = store_.find("rdctratio");
    Args v = numbers({6});
    for (std::size_t i = 0; i < 6; ++i) {
        const double speed = (q2[i] - q1[i]) / dt, acc = (q2[i] - 2 * q1[i] + q0[i]) / (dt * dt);
        const double ratio = ratios != store_.end() && ratios->second.size() > i ? ratios->second[i].num : 1.0;
        for (double x : {q2[i], speed, acc, total[i], speed * ratio / 6.0}) v.push_back({x, ""});
    }
    return fill("=%d;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf;%lf,%lf,%lf,%lf,%lf", v);
}

std::string Controller::motion(const Entry& e, const Args& a) {
    const std::string& w = e.word;
    if (w == "MovJAbsRobJP") {
        Joints q{};
        for (int i = 0; i < 6; ++i) q[i] = a[i].num;
        return moveTo(q, kJoint);
    }
    if (w == "MovJAbsRobIndexJP") {
        const auto it = store_.find("robjp#" + a[0].text);
        if (it == store_.end() || it->second.size() < 6) return error(kNoPoint, "point never written");
        Joints q{};
        for (int i = 0; i < 6; ++i) q[i] = it->second[i].num;
        return moveTo(q, kJoint);
    }
    // A circular move names its via point first, then its end point.
    const bool circle = w.find("MovC") == 0;
    const Path path = circle ? kCircle : w.find("MovL") == 0 || w.find("JumpL") == 0 ? kLine : kJoint;
    Pose p[2]{};
    ArmType cfg[2]{};
    for (std::size_t n = 0; n < (circle ? 2u : 1u); ++n) {
        // Point records carry their reference triple (tool, user frame, -); robot targets are in
        // the base frame with the flange.
        Args v;
        bool framed = true;
        if (w.find("GP") != std::string::npos || (w.back() != '2' && w.find("RobP") == std::string::npos)) {
            const auto it = store_.find((w.find("GP") != std::string::npos ? "gp#" : "robp#") + a[n].text);
            if (it == store_.end() || it->second.size() < 10) return error(kNoPoint, "point never written");
            v = it->second;
            framed = w.find("GP") != std::string::npos;
        } else {
            const bool robp = w.find("RobP") != std::string::npos;
            v.assign(a.begin() + std::ptrdiff_t(n * (robp ? 16 : 13)), a.end());
            framed = !robp;
        }
        for (int i = 0; i < 6; ++i) p[n][i] = v[std::size_t(i)].num;
        for (int i = 0; i < 4; ++i) cfg[n][i] = int(v[std::size_t(6 + i)].num);
        if (framed && v.size() >= 13) {
            const std::optional<Pose> base = convert(p[n], int(v[10].num), int(v[11].num), 0, 0);
            if (!base) return error(kRange, "frame out of range");
            p[n] = *base;
        }
    }
    return circle ? moveToPose(p[1], cfg[1], path, &p[0]) : moveToPose(p[0], cfg[0], path);
}

std::optional<std::string> Controller::special(const Entry& e, const Args& a) {
    const std::string& w = e.word;
    const std::string& pat = e.pattern;
    auto onOff = [&](const char* key, const std::string& onText) { setNum(key, pat.find(onText) != std::string::npos); return std::string("ok"); };
    if (w == "EStop") {
        if (pat == "EStop ON") halt();
        return onOff("estopsts", " ON");
    }
    if (w == "Motor") {
        if (pat == "Motor ON" && isOn("estopsts")) return error(kEStop, "emergency stop is on");
        if (pat == "Motor OFF") halt();
        return onOff("motorsts", " ON");
    }
    if (w == "InchMode") return onOff("inchmode", " ON");
    if (w == "Set_TeachCoordinate") return onOff("teachcoordinate", " ON");
    if (w == "Latch") return onOff("latchsts", " ON");
    if (w == "ResetErr") { setNum("syserr", 0); setNum("syserrsts", 0); return "ok"; }
    if (w == "Prg") {
        if (pat == "Prg Start" && isOn("estopsts")) return error(kEStop, "emergency stop is on");
        if (pat == "Prg Start" && !isOn("motorsts")) return error(kMotorsOff, "motors are off");
        const double t = now_();
        if (isOn("prgsts")) setNum("prgruntime", num("prgruntime") + t - num("prgstart"));
        setNum("prgstart", t);
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
        if (isOn("curpermit") && !mine && pat != "Acqpermit forcibly") return error(kPermissionHeld, "permission held by another host");
        setNum("curpermit", 1);
        holderIp_ = peerIp_;
        holderPort_ = peerPort_;
        return "ok";
    }
    if (w == "RemovePermit") { setNum("curpermit", 0); return "ok"; }
    if (w == "CurPermit") {
        if (!isOn("curpermit")) return std::string("=0");
        return "=1 Ip:" + holderIp_ + " Port:" + std::to_string(holderPort_);
    }
    if (w == "UserLogin") { setNum("curusertype", a[0].num); return "ok"; }
    if (w == "UserLogout") { setNum("curusertype", 0); return "ok"; }
    if (w == "Get_MotionSts" || w == "Get_MotionStsExceptIndAxis") {
        const double t = now_();
        bool busy = moving(t);
        if (w == "Get_MotionSts")
            for (const auto& [key, axis] : independent_) busy = busy || axis.moving(t);
        return fill("=%d", numbers({double(busy)}));
    }
    if (w.rfind("Ind", 0) == 0 || w.rfind("Get_Ind", 0) == 0) return independent(e, a);
    if (w == "Get_AxisMotionData") return motionData();
    if (w == "Set_CommonVar" || w == "Get_CommonVar") return commonVar(e, a);
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
        return fill("=%d", numbers({std::round(travelled(now_())[std::size_t(a[0].num) - 1])}));
    }
    if (w == "Get_ServoSts") return std::string(isOn("motorsts") ? "=11111100" : "=00000000");
    if (w == "Get_PrgRunTime") {
        const double run = num("prgruntime") + (isOn("prgsts") ? now_() - num("prgstart") : 0);
        return fill("=%d", numbers({std::floor(run)}));
    }
    // The controller library's version, then the version of the part named.
    if (w == "GetRCLibVersion") {
        const std::map<std::string, std::string> parts = {
            {"library", "ZRC-1.4.2"}, {"firmware", store_["fwversion"].at(0).text}, {"servo", "ZSV-3.0.7"}, {"kinematics", "ZK6-1.2.0"}};
        const auto it = parts.find(a[0].text);
        if (it == parts.end()) return error(kRange, "no part of that name");
        return "=ZRC-1.4.2,=" + it->second;
    }
    // Parameters are saved to and recovered from the controller's parameter file.
    if (w == "SavePara") { savedParameters_ = parameters(); return "ok"; }
    if (w == "RecoverPara") {
        for (const auto& [key, value] : parameters()) store_.erase(key);
        for (const auto& [key, value] : savedParameters_) store_[key] = value;
        return "ok";
    }
    if (w == "AutoTestCheckFileAndMemDif") {
        const auto now = parameters();
        const bool same = now.size() == savedParameters_.size() &&
                          std::equal(now.begin(), now.end(), savedParameters_.begin(), [](const auto& x, const auto& y) {
                              return x.first == y.first && x.second.size() == y.second.size() &&
                                     std::equal(x.second.begin(), x.second.end(), y.second.begin(), [](const Arg& u, const Arg& v) { return u.text == v.text; });
                          });
        return fill("=%d", numbers({same ? 0.0 : 1.0}));
    }
    if (w == "Get_Print") {
        if (prints_.empty()) return std::string("=");
        const std::string message = "=" + prints_.front();
        prints_.erase(prints_.begin());
        return message;
    }
    // Each analog output is wired back to the analog input of the same number; an output bound
    // to the TCP speed follows the binding instead of its last setting.
    if (w == "Get_AD" || w == "Get_DA" || w == "Set_DA" || w == "Get_DACfg") {
        if (a[0].num < 0 || a[0].num >= num(w == "Get_AD" ? "adnum" : "danum", 4)) return error(kRange, "channel out of range");
        if (w == "Set_DA") { setNum("da#" + a[0].text, a[1].num); return "ok"; }
        const std::optional<double> bound = boundOutput(int(a[0].num));
        if (w == "Get_DACfg") return fill(e.reply, numbers({bound ? 1.0 : 0.0}));
        return fill(e.reply, numbers({bound ? *bound : num("da#" + a[0].text)}));
    }
    // An output's configuration is what Set_OutCfg gave it; a group's is the mask of its
    // configured outputs.
    if (w == "Set_InCfg" || w == "Get_InCfg" || w == "Set_OutCfg" || w == "Get_OutCfg" || w == "Get_DOCfg") {
        if (a[0].num < 0 || a[0].num >= 32) return error(kRange, "channel out of range");
        const std::string key = (w.find("InCfg") != std::string::npos ? "incfg#" : "outcfg#") + a[0].text;
        if (w[0] == 'S') { setNum(key, a[1].num); return "ok"; }
        return fill(e.reply, numbers({num(key)}));
    }
    if (w == "Get_DOGroupCfg") {
        const int g = int(a[0].num);
        if (g < 0 || g > 3) return error(kRange, "group out of range");
        int mask = 0;
        for (int b = 0; b < 8; ++b) mask |= (num("outcfg#" + std::to_string(g * 8 + b)) != 0) << b;
        return fill("=%d", numbers({double(mask)}));
    }
    if (w.rfind("Mov", 0) == 0 || w.rfind("Jump", 0) == 0) return motion(e, a);
    // Home N goes to the joints taught as home position N, the start-up pose when none was.
    if (w == "Home") {
        if (a[0].num < 0) return error(kRange, "home position out of range");
        Joints home{0, 0, 0, 0, 30, 0};
        if (const auto it = store_.find("homejpos#" + a[0].text); it != store_.end() && it->second.size() >= 6)
            for (std::size_t i = 0; i < 6; ++i) home[i] = it->second[i].num;
        return moveTo(home, kJoint);
    }
    if (w == "Clear_PalletPara") { store_.erase("palletpara"); return "ok"; }
    if (w == "Jog" || w == "Inch" || w == "AxisJog" || w == "AxisInch") {
        if (w[0] != 'A' && a[1].text == "/") return std::string("ok");  // "/" stops jogging
        if (w[0] != 'A' && a[1].text != "+" && a[1].text != "-") return error(kMalformed, "direction must be +, - or /");
        if (pat.find("%s") != std::string::npos) {
            // Cartesian jogging: 5 mm or 5 degrees along X, Y, Z, RX, RY or RZ.
            static const char* axes[] = {"X", "Y", "Z", "RX", "RY", "RZ"};
            const Joints from = planEnd();
            Pose p = forward(from);
            for (int i = 0; i < 6; ++i)
                if (a[0].text == axes[i]) {
                    p[i] += (a[1].text == "-" ? -5.0 : 5.0) * (w == "Inch" ? num("inchstep", 100) / 5000.0 : 1.0);
                    return moveToPose(p, configuration(from), kLine);
                }
            return error(kRange, "no such coordinate");
        }
        const int axis = int(a[0].num);
        if (axis < 1 || axis > 6) return error(kRange, "axis out of range");
        const double dir = (w[0] == 'A') ? (a[1].num != 0 ? 1.0 : -1.0) : (a[1].text == "-" ? -1.0 : 1.0);
        Joints q = planEnd();
        q[axis - 1] += dir * (w.find("Inch") != std::string::npos ? num("inchstep", 100) / 1000.0 : 5.0);
        return moveTo(q, kJoint);
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
            if (w.back() == 'I' && isOn("latchsts") && !isOn(key) && a[1].num != 0) {
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
    // The holding registers are 16-bit words; a float spans two, its high word first.
    if (w == "Set_ModbusReg" || w == "Get_ModbusReg") {
        const bool f32 = pat.find("f32") != std::string::npos;
        const int address = int(a[0].num), count = int(a[1].num);
        if (address < 0 || address > 65535) return error(kRange, "register address out of range");
        if (w[0] == 'S') {
            for (std::size_t i = 2; i < a.size(); ++i) {
                const int at = address + int(i - 2) * (f32 ? 2 : 1);
                const double limit = f32 ? kFloatMax : 65535;
                if (a[i].num < (f32 ? -limit : 0) || a[i].num > limit) return error(kRange, "register value out of range");
                const float f = float(a[i].num);
                std::uint32_t bits = 0;
                std::memcpy(&bits, &f, sizeof bits);
                if (f32) setNum("modbusreg#" + std::to_string(at + 1), bits & 0xffffu);
                setNum("modbusreg#" + std::to_string(at), f32 ? bits >> 16 : a[i].num);
            }
            return "ok";
        }
        const int n = f32 ? count / 2 : count;
        if (n < 1 || n > (f32 ? 4 : 8)) return error(kRange, "register count out of range");
        Args v;
        std::string form = "=";
        for (int i = 0; i < n; ++i) {
            const int at = address + i * (f32 ? 2 : 1);
            const std::uint32_t bits = std::uint32_t(reg(at)) << 16 | std::uint32_t(reg(at + 1));
            float f = 0;
            std::memcpy(&f, &bits, sizeof f);
            v.push_back({f32 ? double(f) : double(reg(at)), ""});
            form += i ? (f32 ? ",%f" : ",%hu") : (f32 ? "%f" : "%hu");
        }
        return fill(form, v);
    }
    // The PLC's variables live in the holding registers: variable N starts at register N, wider
    // types run on into the registers after it, high word first.
    if (w == "Get_PlcVar") {
        const int n = int(a[0].num);
        if (n < 0 || n > 65532) return error(kRange, "variable out of range");
        std::uint64_t bits = 0;
        const int words = pat.find("LReal") != std::string::npos ? 4 : pat.find("DInt") != std::string::npos ? 2 : 1;
        for (int i = 0; i < words; ++i) bits = bits << 16 | std::uint64_t(reg(n + i));
        if (words == 4) {
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            return fill(e.reply, numbers({d}));
        }
        if (pat.find("byte") != std::string::npos) return fill(e.reply, numbers({double(bits & 0xffu)}));
        if (words == 1) return fill(e.reply, numbers({double(std::int16_t(std::uint16_t(bits)))}));
        return fill(e.reply, numbers({double(std::int32_t(std::uint32_t(bits)))}));
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
    if (w == "Set_BindTcpSpeedValue" || w == "Get_BindTcpSpeedValue" || w == "Get_TcpSpeedDAOutAndVel") {
        if (a[0].num < 0 || a[0].num >= num("danum", 4)) return error(kRange, "channel out of range");
        if (w == "Get_TcpSpeedDAOutAndVel") {
            const std::optional<double> out = boundOutput(int(a[0].num));
            return fill("=%d, %lf, %lf", {a[0], Arg{out ? *out : 0.0, ""}, Arg{tcpSpeed(now_()), ""}});
        }
        return std::nullopt;
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
    // The other wrist that reaches the current pose from the configuration asked for: axes 4 and
    // 6 turn half a turn towards zero and axis 5 mirrors.
    if (w == "Get_TransArmType") {
        std::optional<Joints> j = inverse(p, {int(a[0].num), int(a[1].num), int(a[2].num), int(a[3].num)}, q);
        if (!j) return error(kUnreachable, "the current pose has no such configuration");
        for (int i : {3, 5}) (*j)[i] += (*j)[i] >= 0 ? -180.0 : 180.0;
        (*j)[4] = -(*j)[4];
        const ArmType k = configuration(*j);
        return fill("=%d,%d,%d,%d", numbers({double(k[0]), double(k[1]), double(k[2]), double(k[3])}));
    }
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
    // Frame conversions: the reference triple names the tool and the user frame a point is given
    // in; the point keeps its flange pose and its arm configuration.
    if (w == "Get_PosCnvt" || w == "Get_VisionPosCnvt") {
        Pose x{};
        ArmType k{};
        take(0, x, k);
        int fromUser = int(a[11].num);
        if (w == "Get_VisionPosCnvt") {
            // The vision point is seen from the second point (where the camera stood): it lies
            // at that pose, taken in the second point's user frame, composed with the point.
            Pose seen{};
            for (int i = 0; i < 6; ++i) seen[i] = a[16 + std::size_t(i)].num;
            const std::optional<Pose> camera = convert(seen, 0, int(a[16 + 11].num), 0, 0);
            if (!camera) return error(kRange, "frame out of range");
            x = compose(*camera, x);
            fromUser = 0;
        }
        const std::optional<Pose> r = convert(x, int(a[10].num), fromUser, int(a[13].num), int(a[14].num));
        if (!r) return error(kRange, "frame out of range");
        return pform(*r, k, int(a[13].num), int(a[14].num), int(a[15].num));
    }
    // A target seen from a work object: the object's frame is its user frame composed with its
    // object frame; a robot-held object rides on the flange pose given second.
    if (w == "Get_FixWobjRobP" || w == "Get_RobHoldWobjRobP") {
        Pose x{};
        ArmType k{};
        take(0, x, k);
        if (a[16].num < 0) return error(kRange, "work object out of range");
        Pose user{}, object{};
        if (const auto it = store_.find("wobjdata#" + a[16].text); it != store_.end() && it->second.size() >= 14)
            for (std::size_t i = 0; i < 6; ++i) { user[i] = it->second[2 + i].num; object[i] = it->second[8 + i].num; }
        Pose wobj = compose(user, object);
        if (w == "Get_RobHoldWobjRobP") {
            Pose flange{};
            for (std::size_t i = 0; i < 6; ++i) flange[i] = a[17 + i].num;
            wobj = compose(flange, wobj);
        }
        return rform(compose(invert(wobj), x), k, a, 10);
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
