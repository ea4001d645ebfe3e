#include "kinematics.h"

#include <cmath>

namespace zsim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

struct Dh { double a, alpha, d, offset; };
constexpr Dh kArm[6] = {{150, -90, 450, 0}, {600, 0, 0, -90}, {120, -90, 0, 0},
                        {0, 90, 640, 0},    {0, -90, 0, 0},    {0, 0, 100, 0}};

using Mat = std::array<std::array<double, 4>, 4>;

double dot(const Point3& a, const Point3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Point3 cross(const Point3& a, const Point3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Mat mul(const Mat& x, const Mat& y) {
    Mat r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) r[i][j] += x[i][k] * y[k][j];
    return r;
}

Mat link(const Dh& l, double qDeg) {
    const double t = (qDeg + l.offset) * kRad, al = l.alpha * kRad;
    const double ct = std::cos(t), st = std::sin(t), ca = std::cos(al), sa = std::sin(al);
    return {{{ct, -st * ca, st * sa, l.a * ct}, {st, ct * ca, -ct * sa, l.a * st}, {0, sa, ca, l.d}, {0, 0, 0, 1}}};
}

Mat chain(const Joints& q, int links) {
    Mat m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    for (int i = 0; i < links; ++i) m = mul(m, link(kArm[i], q[i]));
    return m;
}

Mat poseMatrix(const Pose& p) {
    const double a = p[3] * kRad, b = p[4] * kRad, c = p[5] * kRad;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b), cc = std::cos(c), sc = std::sin(c);
    return {{{cc * cb, cc * sb * sa - sc * ca, cc * sb * ca + sc * sa, p[0]},
             {sc * cb, sc * sb * sa + cc * ca, sc * sb * ca - cc * sa, p[1]},
             {-sb, cb * sa, cb * ca, p[2]},
             {0, 0, 0, 1}}};
}

// Position error and rotation error (axis times angle, radians scaled to mm-like weight).
std::array<double, 6> error(const Mat& want, const Mat& have) {
    std::array<double, 6> e{};
    for (int i = 0; i < 3; ++i) e[i] = want[i][3] - have[i][3];
    // R = want * have^T; its skew part gives the rotation still to go.
    double r[3][3]{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r[i][j] += want[i][k] * have[j][k];
    e[3] = 0.5 * (r[2][1] - r[1][2]) * 1000;
    e[4] = 0.5 * (r[0][2] - r[2][0]) * 1000;
    e[5] = 0.5 * (r[1][0] - r[0][1]) * 1000;
    return e;
}

bool solve6(std::array<std::array<double, 6>, 6> a, std::array<double, 6>& x) {
    for (int c = 0; c < 6; ++c) {
        int piv = c;
        for (int r = c + 1; r < 6; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[piv][c])) piv = r;
        if (std::fabs(a[piv][c]) < 1e-12) return false;
        std::swap(a[piv], a[c]);
        std::swap(x[piv], x[c]);
        for (int r = 0; r < 6; ++r) {
            if (r == c) continue;
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < 6; ++k) a[r][k] -= f * a[c][k];
            x[r] -= f * x[c];
        }
    }
    for (int c = 0; c < 6; ++c) x[c] /= a[c][c];
    return true;
}

std::optional<Joints> newton(const Mat& want, Joints q) {
    for (int iter = 0; iter < 60; ++iter) {
        const std::array<double, 6> e = error(want, chain(q, 6));
        double norm = 0;
        for (double v : e) norm = std::fmax(norm, std::fabs(v));
        if (norm < 1e-11) return q;
        std::array<std::array<double, 6>, 6> jac{};
        const double h = 1e-6;
        for (int j = 0; j < 6; ++j) {
            Joints qh = q;
            qh[j] += h;
            const std::array<double, 6> eh = error(want, chain(qh, 6));
            for (int i = 0; i < 6; ++i) jac[i][j] = (e[i] - eh[i]) / h;
        }
        std::array<double, 6> step = e;
        if (!solve6(jac, step)) return std::nullopt;
        double big = 0;
        for (double v : step) big = std::fmax(big, std::fabs(v));
        const double scale = big > 20 ? 20 / big : 1;  // degrees per step at most
        for (int j = 0; j < 6; ++j) q[j] += step[j] * scale;
    }
    return std::nullopt;
}

double wrap(double deg) { return deg - 360.0 * std::floor((deg + 180.0) / 360.0); }

Pose poseOf(const Mat& m) {
    Pose p{m[0][3], m[1][3], m[2][3], 0, 0, 0};
    p[4] = std::atan2(-m[2][0], std::hypot(m[0][0], m[1][0])) / kRad;
    p[5] = std::atan2(m[1][0], m[0][0]) / kRad;
    p[3] = std::atan2(m[2][1], m[2][2]) / kRad;
    return p;
}

}  // namespace

Pose forward(const Joints& q) { return poseOf(chain(q, 6)); }

Pose compose(const Pose& a, const Pose& b) { return poseOf(mul(poseMatrix(a), poseMatrix(b))); }

Pose invert(const Pose& a) {
    const Mat m = poseMatrix(a);
    Mat r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) r[i][j] = m[j][i];
        r[i][3] = -(m[0][i] * m[0][3] + m[1][i] * m[1][3] + m[2][i] * m[2][3]);
    }
    r[3][3] = 1;
    return poseOf(r);
}

std::optional<Arc> arcThrough(const Point3& a, const Point3& b, const Point3& c) {
    // The centre is where the perpendicular bisectors of ab and ac meet in the plane of the three.
    const Point3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const Point3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double nn = dot(n, n), uu = dot(u, u), vv = dot(v, v);
    if (nn < 1e-9 * uu * vv || uu < 1e-12 || vv < 1e-12) return std::nullopt;  // coincident or in a line
    // centre - a = (uu * (v x n) - vv * (u x n)) / (2 |n|^2)
    const Point3 vn = cross(v, n), un = cross(u, n);
    Arc arc{};
    for (int i = 0; i < 3; ++i) arc.centre[i] = a[i] + (uu * vn[i] - vv * un[i]) / (2 * nn);
    const Point3 r0{a[0] - arc.centre[0], a[1] - arc.centre[1], a[2] - arc.centre[2]};
    arc.radius = std::sqrt(dot(r0, r0));
    const double nl = std::sqrt(nn);
    for (int i = 0; i < 3; ++i) { arc.x[i] = r0[i] / arc.radius; arc.normal[i] = n[i] / nl; }
    arc.y = cross(arc.normal, arc.x);
    // Sweeping from a about the normal (a to b to c turn that way) until c.
    const Point3 rc{c[0] - arc.centre[0], c[1] - arc.centre[1], c[2] - arc.centre[2]};
    arc.sweep = std::atan2(dot(rc, arc.y), dot(rc, arc.x));
    if (arc.sweep <= 0) arc.sweep += 2 * kPi;
    return arc;
}

Point3 Arc::at(double f) const {
    const double t = sweep * f, ct = std::cos(t), st = std::sin(t);
    return {centre[0] + radius * (ct * x[0] + st * y[0]), centre[1] + radius * (ct * x[1] + st * y[1]),
            centre[2] + radius * (ct * x[2] + st * y[2])};
}

ArmType configuration(const Joints& q) {
    const Mat w = chain(q, 4);  // the wrist centre is the origin of frame 4
    const double reach = w[0][3] * std::cos(q[0] * kRad) + w[1][3] * std::sin(q[0] * kRad);
    const double elbowBend = q[2] + std::atan2(kArm[2].a, kArm[3].d) / kRad;
    return {reach < 0 ? 1 : 0, elbowBend < 0 ? 1 : 0, q[4] < 0 ? 1 : 0,
            static_cast<int>(std::floor((q[5] + 180.0) / 360.0))};
}

std::optional<Joints> inverse(const Pose& pose, const ArmType& config, const Joints& seed) {
    const Mat want = poseMatrix(pose);
    // Seeds: the current joints first, then one of each configuration.
    std::array<Joints, 9> seeds{};
    seeds[0] = seed;
    int n = 1;
    for (int s = 0; s < 2; ++s)
        for (int e = 0; e < 2; ++e)
            for (int w = 0; w < 2; ++w) {
                const double base = std::atan2(pose[1], pose[0]) / kRad + (s ? 180 : 0);
                seeds[n++] = {wrap(base), s ? -20.0 : 20.0, e ? -60.0 : 30.0, 10, w ? -45.0 : 45.0, 0};
            }
    std::optional<Joints> fallback;
    for (int i = 0; i < n; ++i) {
        std::optional<Joints> q = newton(want, seeds[i]);
        if (!q) continue;
        for (int j = 0; j < 5; ++j) (*q)[j] = wrap((*q)[j]);
        // Axis 6 keeps the turn count asked for.
        (*q)[5] = wrap((*q)[5]) + 360.0 * config[3];
        const ArmType got = configuration(*q);
        if (got == config) return q;
        if (!fallback) fallback = q;
    }
    return std::nullopt;
}

}  // namespace zsim
