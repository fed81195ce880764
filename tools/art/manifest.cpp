#include "art/manifest.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace art {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == '\t') {
            out.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

bool toInt(const std::string& s, int& v) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string dirOf(const std::string& p) {
    auto k = p.rfind('/');
    return k == std::string::npos ? "" : p.substr(0, k + 1);
}

bool endsWith(const std::string& s, const std::string& t) {
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// Layout choices for rows that give no suggested size.
const std::map<std::string, Size>& ownChoices() {
    static const std::map<std::string, Size> m = {
        {"art/wiresheet.png", {64, 16}},
        {"art/display/inverse_bg.png", {256, 256}},
        {"art/editor/BottomBar_Base-Left.png", {24, 96}},
        {"art/editor/BottomBar_Base-Middle.png", {64, 96}},
        {"art/editor/BottomBar_Base-Right.png", {24, 96}},
        {"art/editor/TestBar_Base-Left.png", {24, 96}},
        {"art/editor/TestBar_Base-Middle.png", {64, 96}},
        {"art/editor/TestBar_Base-Right.png", {24, 96}},
        {"art/editor/BottomBar_ModPanel-Left.png", {20, 84}},
        {"art/editor/BottomBar_ModPanel-Middle.png", {32, 84}},
        {"art/editor/BottomBar_ModPanel-Right.png", {20, 84}},
        {"art/editor/TestBar_Ticks-Left.png", {14, 76}},
        {"art/editor/TestBar_Ticks-Middle.png", {32, 76}},
        {"art/editor/TestBar_Ticks-Right.png", {12, 76}},
        {"art/editor/TestBar_TicksBright-Left.png", {14, 76}},
        {"art/editor/TestBar_TicksBright-Middle.png", {32, 76}},
        {"art/editor/TestBar_TicksBright-Right.png", {12, 76}},
    };
    return m;
}

// Module art sized by the shared metrics: path pattern -> (width key, height key).
std::optional<std::pair<std::string, std::string>> metricKeys(const std::string& path) {
    static const std::vector<std::pair<std::regex, std::pair<std::string, std::string>>> table = {
        {std::regex("art/modules/(sections|overlays)/[A-Za-z0-9_]+-Top\\.png"),
         {"section_width", "section_top_height"}},
        {std::regex("art/modules/(sections|overlays)/[A-Za-z0-9_]+-Middle\\.png"),
         {"section_width", "section_middle_height"}},
        {std::regex("art/modules/(sections|overlays)/[A-Za-z0-9_]+-Bottom(-Delay)?\\.png"),
         {"section_width", "section_bottom_height"}},
        {std::regex("art/modules/overlays/Highlight-Clock\\.png"),
         {"section_width", "section_bottom_height"}},
        {std::regex("art/modules/sections/Module_Number(_Grey)?\\.png"),
         {"number_body_width", "number_body_height"}},
        {std::regex("art/modules/overlays/[A-Za-z]+-Number\\.png"),
         {"number_body_width", "number_body_height"}},
        {std::regex("art/modules/infoboxes/.*\\.png"), {"infobox_width", "infobox_height"}},
        {std::regex("art/modules/symbols/[A-Za-z ]+\\.png"), {"symbol_width", "symbol_height"}},
        {std::regex("art/modules/delay/.*\\.png"), {"delay_meter_width", "delay_meter_height"}},
        {std::regex("art/editor/ClockPeriod_White_Notch[A-Za-z]*\\.png"),
         {"notch_width", "notch_height"}},
        {std::regex("art/modules/clocks/(Arithmetic|State|Control|Grey)\\.png"),
         {"clock_face_width", "clock_face_height"}},
        {std::regex("art/modules/clocks/[A-Za-z]+_Circle\\.png"),
         {"clock_hand_size", "clock_hand_size"}},
        {std::regex("art/modules/clocks/RedHighlight\\.png"), {"clock_hand_size", "clock_hand_size"}},
        {std::regex("art/modules/clocks/[A-Za-z]+_Wire\\.png"),
         {"clock_wire_width", "clock_wire_height"}},
        {std::regex("art/modules/write_light\\.png"), {"write_light_size", "write_light_size"}},
        {std::regex("art/modules/write_light_glow\\.png"),
         {"write_light_glow_size", "write_light_glow_size"}},
    };
    for (auto& [re, keys] : table)
        if (std::regex_match(path, re)) return keys;
    return std::nullopt;
}

}  // namespace

bool readManifest(const std::string& file, std::vector<ManifestRow>& rows, std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = "cannot open " + file;
        return false;
    }
    std::string line;
    bool header = true;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (header) {
            header = false;
            continue;
        }
        if (line.empty()) continue;
        auto f = splitTabs(line);
        if (f.size() != 7) {
            error = file + " line " + std::to_string(n) + ": expected 7 columns";
            return false;
        }
        rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return true;
}

bool readMetrics(const std::string& file, std::map<std::string, int>& metrics, std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = "cannot open " + file;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        auto hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream ss(line);
        std::string name, value;
        if (!(ss >> name)) continue;
        int v = 0;
        if (!(ss >> value) || !toInt(value, v)) {
            error = file + ": bad value for " + name;
            return false;
        }
        metrics[name] = v;
    }
    return true;
}

std::string smallTwin(const std::string& path) {
    return path.substr(0, path.size() - 4) + "-Small.png";
}

bool isSmall(const std::string& path) { return endsWith(path, "-Small.png"); }

std::string fullOfSmall(const std::string& path) {
    return path.substr(0, path.size() - 10) + ".png";
}

std::string resolveReference(const std::vector<ManifestRow>& rows, const std::string& from,
                             const std::string& refIn) {
    std::string ref = refIn;
    if (!endsWith(ref, ".png")) ref += ".png";
    for (auto& r : rows)
        if (r.path == ref) return ref;
    std::string local = dirOf(from) + ref;
    for (auto& r : rows)
        if (r.path == local) return local;
    for (auto& r : rows)
        if (endsWith(r.path, "/" + ref)) return r.path;
    return "";
}

bool resolveSizes(const std::vector<ManifestRow>& rows, const std::map<std::string, int>& metrics,
                  std::map<std::string, Size>& sizes, std::string& error) {
    std::map<std::string, const ManifestRow*> byPath;
    for (auto& r : rows) byPath[r.path] = &r;
    static const std::regex halfRe("exactly half of ([^;]+?\\.png)");
    static const std::regex suggestRe("suggest (\\d+)x(\\d+)");
    static const std::regex sameRe("same size as ([A-Za-z0-9_ ./-]+?)(\\.png|[;,)]|$| \\()");
    std::map<std::string, int> visiting;

    std::function<bool(const std::string&)> resolve = [&](const std::string& path) -> bool {
        if (sizes.count(path)) return true;
        auto it = byPath.find(path);
        if (it == byPath.end()) {
            error = "no manifest row for " + path;
            return false;
        }
        if (visiting[path]++) {
            error = "size reference loop at " + path;
            return false;
        }
        const ManifestRow& row = *it->second;
        Size s;
        std::smatch m;
        if (auto keys = metricKeys(path)) {
            auto w = metrics.find(keys->first), h = metrics.find(keys->second);
            if (w == metrics.end() || h == metrics.end()) {
                error = "art metrics lack " + keys->first + " or " + keys->second;
                return false;
            }
            s = {w->second, h->second};
        } else if (isSmall(path) && byPath.count(fullOfSmall(path))) {
            if (!resolve(fullOfSmall(path))) return false;
            Size full = sizes[fullOfSmall(path)];
            s = {full.w / 2, full.h / 2};
        } else if (std::regex_search(row.constraints, m, halfRe)) {
            std::string ref = m[1];
            if (!resolve(ref)) return false;
            s = {sizes[ref].w / 2, sizes[ref].h / 2};
        } else if (std::regex_search(row.constraints, m, suggestRe)) {
            toInt(m[1], s.w);
            toInt(m[2], s.h);
        } else if (std::regex_search(row.constraints, m, sameRe)) {
            std::string ref = resolveReference(rows, path, m[1]);
            if (ref.empty() || !resolve(ref)) {
                if (error.empty()) error = path + ": unknown reference " + std::string(m[1]);
                return false;
            }
            s = sizes[ref];
        } else if (ownChoices().count(path)) {
            s = ownChoices().at(path);
        }
        int v = 0;
        if (toInt(row.width, v)) s.w = v;
        if (toInt(row.height, v)) s.h = v;
        if (s.w <= 0 || s.h <= 0) {
            error = "no size for " + path;
            return false;
        }
        sizes[path] = s;
        return true;
    };
    for (auto& r : rows)
        if (!r.absent() && !resolve(r.path)) return false;
    return true;
}

}  // namespace art
