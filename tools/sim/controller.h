// The emulated controller: reads one request payload and produces one reply payload.
//
// Error table (reply "e<N>:<text>"; the library returns -N):
//   e1  unknown command word
//   e2  malformed request: wrong argument count, malformed number, wrong decimals
//   e3  index out of range (negative, or beyond the store or channel count), or a value its
//       variable or register cannot hold
//   e4  motion refused: motors are off
//   e5  refused: emergency stop is on
//   e6  the point addressed has never been written
//   e7  target out of reach of the arm
//   e8  binary profile data missing, or not the size announced
//   e9  profile space exhausted
//   e10 permission held by another host (ask "forcibly" to take it)
//   e11 the three points of a circular move make no circle (two coincide, or all in a line)
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "kinematics.h"
#include "wire.h"

namespace zsim {

enum Error { kUnknownWord = 1, kMalformed, kRange, kMotorsOff, kEStop, kNoPoint, kUnreachable,
             kProfileData, kProfileFull, kPermissionHeld, kNoCircle };

class Controller {
public:
    // now() gives the simulated time in seconds; motions run on it.
    explicit Controller(std::function<double()> now);

    // The host a request comes from ("a.b.c.d", port): the permission is held by a host.
    std::string handle(std::string_view request, const std::string& peerIp = "127.0.0.1", int peerPort = 0);
    std::string handleBinary(std::string_view bytes);

    // Requests read so far, and how many of them carried an unknown command word; safe to
    // read from another thread while the server runs.
    int requestCount() const { return requests_; }
    int unknownCount() const { return unknown_; }
    Joints joints() { return jointsAt(now_()); }

private:
    struct Entry { std::string pattern, reply, word, key; int indexCount = 0; };
    enum Path { kJoint, kLine, kCircle };
    struct Segment { double start, end; Joints from, to; Path path; int id; std::optional<Arc> arc; };
    // An axis moving on its own, outside the arm's motions: to a target, or on at a speed.
    struct IndependentAxis {
        enum { kIdle, kAbsolute, kContinuous } state = kIdle;
        double since = 0, from = 0, target = 0, speed = 0;
        bool reset = false;
        double at(double t) const;
        bool moving(double t) const;
    };

    std::string dispatch(const Entry& e, const Args& a);
    std::string generic(const Entry& e, const Args& a);
    std::string motion(const Entry& e, const Args& a);
    std::string pose(std::string_view word, const Args& a);
    std::optional<std::string> special(const Entry& e, const Args& a);

    Joints jointsAt(double t);
    bool moving(double t) { return !plan_.empty() && t < plan_.back().end; }
    std::string moveTo(const Joints& target, Path path, const std::optional<Arc>& arc = std::nullopt);
    std::string moveToPose(const Pose& p, const ArmType& cfg, Path path, const Pose* via = nullptr);
    Joints planEnd() { return plan_.empty() ? jointsAt(now_()) : plan_.back().to; }
    void halt();
    std::optional<Pose> frame(const char* table, int number);
    std::optional<Pose> convert(const Pose& p, int fromTool, int fromUser, int toTool, int toUser);
    std::string commonVar(const Entry& e, const Args& a);
    std::string independent(const Entry& e, const Args& a);
    std::string motionData();
    double tcpSpeed(double t);
    Joints travelled(double t);
    std::map<std::string, Args> parameters() const;
    std::optional<double> boundOutput(int channel);
    int reg(int address) { return int(num("modbusreg#" + std::to_string(address))); }
    Args& var(const std::string& key) { return store_[key]; }
    double num(const std::string& key, double fallback = 0);
    bool isOn(const std::string& key) { return num(key) != 0; }
    void setNum(const std::string& key, double v) { store_[key] = {Arg{v, fixed(v)}}; }

    std::function<double()> now_;
    std::vector<Entry> table_;
    std::multimap<std::string, std::size_t> byWord_;
    std::map<std::string, Args> store_;
    std::vector<Segment> plan_;
    std::vector<std::string> prints_;
    std::vector<Args> latched_;
    std::string peerIp_, holderIp_;
    int peerPort_ = 0, holderPort_ = 0;
    Joints rest_{0, 0, 0, 0, 30, 0};
    Joints travelled_{};  // degrees each axis has moved, finished motions only
    std::map<std::string, IndependentAxis> independent_;
    std::map<std::string, Args> savedParameters_;
    std::atomic<int> unknown_{0};
    std::atomic<int> requests_{0};
    std::size_t lastBinary_ = 0;
};

}  // namespace zsim
