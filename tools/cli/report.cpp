#include "report.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zcli {

namespace {

std::string scalar(const Doc& v) {
    char text[64];
    if (v.is_string()) return v.get<std::string>();
    if (v.is_boolean()) return v.get<bool>() ? "yes" : "no";
    if (v.is_number_float()) {
        std::snprintf(text, sizeof text, "%.3f", v.get<double>());
        return text;
    }
    if (v.is_number()) return v.dump();
    return v.is_null() ? "-" : v.dump();
}

// Arrays of numbers line up in columns from one record to the next.
std::string value(const Doc& v) {
    if (!v.is_array()) return scalar(v);
    std::string line;
    for (const Doc& item : v) {
        char cell[80];
        std::snprintf(cell, sizeof cell, item.is_number_float() ? "%10s" : "%4s", scalar(item).c_str());
        line += cell;
    }
    return line;
}

std::string label(const std::string& key) {
    std::string text = key;
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

void render(const Doc& doc, int indent) {
    std::size_t width = 0;
    for (const auto& [key, v] : doc.items()) width = std::max(width, label(key).size());
    for (const auto& [key, v] : doc.items()) {
        if (v.is_object()) {
            std::printf("%*s%s\n", indent, "", label(key).c_str());
            render(v, indent + 2);
        } else {
            std::printf("%*s%-*s  %s\n", indent, "", int(width), label(key).c_str(), value(v).c_str());
        }
    }
}

template <std::size_t N, typename T>
Doc list(const T (&values)[N]) {
    Doc out = Doc::array();
    for (const T& v : values) out.push_back(v);
    return out;
}

}  // namespace

void emit(const Doc& doc, bool json) {
    // A controller's text need not be UTF-8; replace what is not rather than fail the run.
    if (json) std::printf("%s\n", doc.dump(-1, ' ', false, Doc::error_handler_t::replace).c_str());
    else render(doc, 0);
    std::fflush(stdout);
}

void emitFailure(const Failure& failure, bool json) {
    if (json) emit(Doc{{"error", words(failure)}, {"result", failure.rc}}, true);
    else std::fprintf(stderr, "zefra: %s\n", words(failure).c_str());
}

Doc toDoc(const PointRecord& p) {
    return Doc{{"pos", list(p.pos)}, {"arm_type", list(p.armType)}, {"frame_ref", list(p.frameRef)}};
}

Doc toDoc(const RobP& p) {
    return Doc{{"pos", list(p.pos)}, {"arm_type", list(p.armType)}, {"ext_axes", list(p.extAxes)}};
}

Doc toDoc(const RobJP& p) {
    return Doc{{"axes", list(p.axes)}, {"ext_axes", list(p.extAxes)}};
}

}  // namespace zcli
