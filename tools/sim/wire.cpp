#include "wire.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zsim {
namespace {

struct Conv {
    char kind = 0;      // 'd', 'u', 'h' (hu), '1' (one digit), 'c', 'f', 's', 'x'
    int decimals = -1;  // fixed decimals for 'f'
    bool repeat = false;
    std::size_t length = 0;  // characters of the pattern it spans
};

// Reads the conversion at pattern[0] == '%'.
Conv parseConv(std::string_view p) {
    Conv c;
    std::size_t i = 1;
    int width = -1;
    if (i < p.size() && p[i] == '0') ++i;  // "%0.3lf" prints what "%.3lf" prints
    if (i < p.size() && p[i] == '.') {
        c.decimals = 0;
        for (++i; i < p.size() && p[i] >= '0' && p[i] <= '9'; ++i) c.decimals = c.decimals * 10 + (p[i] - '0');
    } else if (i < p.size() && p[i] >= '1' && p[i] <= '9') {
        width = p[i++] - '0';
    }
    if (p.substr(i, 2) == "lf") { c.kind = 'f'; i += 2; }
    else if (p.substr(i, 2) == "hu") { c.kind = 'h'; i += 2; }
    else if (i < p.size()) {
        switch (p[i]) {
            case 'd': c.kind = width == 1 ? '1' : 'd'; break;
            case 'u': c.kind = 'u'; break;
            case 'f': c.kind = 'f'; break;
            case 's': c.kind = 's'; break;
            case 'c': c.kind = 'c'; break;
            case 'x': c.kind = 'x'; break;
            default: break;
        }
        ++i;
    }
    if (c.kind == 'f' && c.decimals < 0) c.decimals = 6;
    if (i < p.size() && p[i] == '*') { c.repeat = true; ++i; }
    c.length = i;
    return c;
}

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Reads one number of the given conversion at the start of text; returns its length or 0.
std::size_t readNumber(const Conv& c, std::string_view t, Arg& out) {
    std::size_t i = 0;
    if (c.kind == '1') {
        if (t.empty() || !isDigit(t[0])) return 0;
        out = {double(t[0] - '0'), std::string(t.substr(0, 1))};
        return 1;
    }
    if (c.kind == 'c') {
        if (t.empty()) return 0;
        out = {double(static_cast<unsigned char>(t[0])), std::string(t.substr(0, 1))};
        return 1;
    }
    const bool signedOk = c.kind == 'd' || c.kind == 'f';
    if (signedOk && i < t.size() && t[i] == '-') ++i;
    const std::size_t digitsStart = i;
    while (i < t.size() && isDigit(t[i])) ++i;
    if (i == digitsStart) return 0;
    if (c.kind == 'f') {
        if (c.decimals > 0) {
            if (i >= t.size() || t[i] != '.') return 0;
            const std::size_t d0 = ++i;
            while (i < t.size() && isDigit(t[i])) ++i;
            if (int(i - d0) != c.decimals) return 0;
        }
    }
    out.text = std::string(t.substr(0, i));
    errno = 0;
    out.num = std::strtod(out.text.c_str(), nullptr);
    if (c.kind == 'd' && (out.num > 2147483647.0 || out.num < -2147483648.0)) return 0;
    if (c.kind == 'u' && out.num > 4294967295.0) return 0;
    if (c.kind == 'h' && out.num > 65535.0) return 0;
    return i;
}

bool matchFrom(std::string_view p, std::string_view t, Args& args) {
    while (!p.empty()) {
        if (p[0] != '%') {
            if (t.empty() || t[0] != p[0]) return false;
            p.remove_prefix(1);
            t.remove_prefix(1);
            continue;
        }
        const Conv c = parseConv(p);
        if (c.kind == 0) return false;
        const std::string_view rest = p.substr(c.length);
        if (c.kind == 's') {
            // Shortest text (possibly empty) after which the rest matches.
            for (std::size_t n = 0; n <= t.size(); ++n) {
                Args tail;
                if (matchFrom(rest, t.substr(n), tail)) {
                    args.push_back({0, std::string(t.substr(0, n))});
                    args.insert(args.end(), tail.begin(), tail.end());
                    return true;
                }
            }
            return false;
        }
        Arg a;
        std::size_t n = readNumber(c, t, a);
        if (n == 0) return false;
        args.push_back(a);
        t.remove_prefix(n);
        while (c.repeat && t.size() > 1 && t[0] == ',') {
            n = readNumber(c, t.substr(1), a);
            if (n == 0) return false;
            args.push_back(a);
            t.remove_prefix(n + 1);
        }
        p = rest;
    }
    return t.empty();
}

}  // namespace

std::optional<Args> match(std::string_view pattern, std::string_view text) {
    Args args;
    if (!matchFrom(pattern, text, args)) return std::nullopt;
    return args;
}

int conversionCount(std::string_view pattern) {
    int n = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == '%') ++n;
    return n;
}

std::string fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string s = buf;
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string fill(std::string_view form, const Args& values) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < form.size();) {
        if (form[i] != '%') { out += form[i++]; continue; }
        const Conv c = parseConv(form.substr(i));
        const Arg v = next < values.size() ? values[next] : Arg{0, ""};
        ++next;
        char buf[64];
        switch (c.kind) {
            case 's': out += v.text.empty() ? std::string("-") : v.text; break;
            case 'f': out += fixed(v.num, c.decimals); break;
            case 'x':
                std::snprintf(buf, sizeof buf, "%x", static_cast<unsigned>(static_cast<long long>(v.num)));
                out += buf;
                break;
            case '1': out += char('0' + (static_cast<int>(v.num) % 10 + 10) % 10); break;
            case 'h': std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(static_cast<long long>(v.num)) & 0xffffu); out += buf; break;
            case 'u': std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(static_cast<long long>(v.num))); out += buf; break;
            default: std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(std::trunc(v.num))); out += buf; break;
        }
        i += c.length;
    }
    return out;
}

}  // namespace zsim
