// The emulated arm: a six-axis arm with a spherical wrist, described by Denavit-Hartenberg
// parameters (lengths in mm, angles in degrees).
//
//   axis   a      alpha   d      offset
//   1      150    -90     450    0
//   2      600    0       0      -90
//   3      120    -90     0      0
//   4      0      90      640    0
//   5      0      -90     0      0
//   6      0      0       100    0
//
// A pose is x, y, z in mm and rx, ry, rz in degrees, the orientation being
// Rz(rz) * Ry(ry) * Rx(rx). The arm configuration travels as four integers:
//   [0] shoulder: 1 when the wrist centre lies behind axis 1, else 0
//   [1] elbow:    1 when the elbow is below the line shoulder-wrist, else 0
//   [2] wrist:    1 when axis 5 is negative (flipped wrist), else 0
//   [3] turns of axis 6: floor((q6 + 180) / 360)
// Frames use the same convention: a frame is the pose of its axes in the frame it is given in,
// and a point p given in frame f lies at compose(f, p) in that outer frame.
//
// Inverse kinematics solves by Newton steps from seeds of every configuration and returns the
// solution of the configuration asked for, so forward(inverse(p)) == p within 1e-9.
#pragma once

#include <array>
#include <optional>

namespace zsim {

using Joints = std::array<double, 6>;
using Pose = std::array<double, 6>;
using ArmType = std::array<int, 4>;
using Point3 = std::array<double, 3>;

Pose forward(const Joints& q);
ArmType configuration(const Joints& q);
// Joints reaching pose with the given configuration; nullopt when unreachable.
std::optional<Joints> inverse(const Pose& pose, const ArmType& config, const Joints& seed);

// a * b as homogeneous transforms, and the inverse transform.
Pose compose(const Pose& a, const Pose& b);
Pose invert(const Pose& a);

// The circle through three points, swept from the first through the second to the third.
struct Arc {
    Point3 centre, x, y, normal;  // x points at the first point, y along the sweep
    double radius, sweep;         // sweep in radians, 0 to 2 pi
    Point3 at(double fraction) const;
};
std::optional<Arc> arcThrough(const Point3& a, const Point3& b, const Point3& c);

}  // namespace zsim
