#include "operations/RemovalRecord.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

constexpr std::string_view kHeading = "Quorvane removal record";
constexpr std::string_view kEndOfPlan = "end of plan";
constexpr std::string_view kTextLine = "| ";

// `path` relative to `base` when it lies inside it, else as it is.
std::string relative_to(std::string_view base, const std::string& path) {
    if (!path::is_inside(path, base)) return path;
    std::string_view rest =
        std::string_view(path).substr(path::without_trailing_separator(base).size());
    while (!rest.empty() && path::is_separator(rest.front())) rest.remove_prefix(1);
    return std::string(rest);
}

std::string absolute_in(std::string_view base, const std::string& rel) {
    if (path::root_length(rel) > 0) return rel;
    return path::join(base, rel);
}

// "3-17" as the 0-based range [2, 16]; false when it is not one.
bool parse_range(std::string_view text, std::size_t count, std::size_t& first, std::size_t& last) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    const auto number = [](std::string_view digits, std::size_t& out) {
        if (digits.empty() || digits.size() > 9) return false;
        out = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            out = out * 10 + static_cast<std::size_t>(c - '0');
        }
        return true;
    };
    if (!number(text.substr(0, dash), first) || !number(text.substr(dash + 1), last)) return false;
    if (first == 0 || last < first || last > count) return false;
    --first;
    --last;
    return true;
}

}  // namespace

std::string new_record_id() {
    // Milliseconds since the epoch, made to increase within a run: a batch removes several
    // aircraft a second, and the newest is listed first.
    static long long last = 0;
    long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    if (now <= last) now = last + 1;
    last = now;
    const std::time_t seconds = static_cast<std::time_t>(now / 1000);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    char millis[8];
    std::snprintf(millis, sizeof millis, "-%03lld", now % 1000);
    return std::string(stamp) + millis;
}

std::string local_time_text() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string fingerprint(std::string_view bytes) {
    // FNV-1a: enough to notice a file that changed, not a defence against one made to collide.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%zu-%016llx", bytes.size(),
                  static_cast<unsigned long long>(hash));
    return text;
}

RemovalRecord make_record(const Workspace& workspace, const RemovalPlan& plan, std::string id,
                          std::string when) {
    const std::string& main = workspace.sim_main_dir;
    const std::string& base = workspace.base_dir;
    RemovalRecord r;
    r.id = std::move(id);
    r.when = std::move(when);
    r.title = plan.title;
    r.simulator = main;
    r.aircraft = relative_to(main, plan.aircraft_folder);
    r.holding = relative_to(base, plan.holding_dir);
    r.cfg = relative_to(main, plan.cfg_path);
    r.cfg_copy = relative_to(base, plan.cfg_copy);
    r.fingerprint = fingerprint(plan.cfg_bytes);
    r.rewrite = plan.rewrite;
    if (plan.rewrite) r.new_fingerprint = fingerprint(plan.new_cfg_bytes);
    r.section_index = plan.section_index;
    r.section_count = plan.section_count;
    r.section_text = plan.section_text;
    if (!plan.panel_cfg.empty()) r.panel_cfg = relative_to(base, plan.panel_cfg);
    const auto add = [&](const std::vector<PlannedMove>& moves, MoveKind kind) {
        for (const auto& m : moves)
            r.moves.push_back({relative_to(main, m.source), relative_to(base, m.held), kind});
    };
    add(plan.gauges, MoveKind::gauge);
    add(plan.moves, MoveKind::section);
    add(plan.rest, MoveKind::rest);
    for (const auto& f : plan.folders_to_remove) r.folders.push_back(relative_to(main, f));
    r.folder_goes = plan.folder_goes;
    r.moved.assign(r.moves.size(), false);
    r.put_back.assign(r.moves.size(), false);
    return r;
}

std::string format_record(const RemovalRecord& r) {
    std::string out(kHeading);
    const auto line = [&](std::string_view key, const std::string& value) {
        out += "\r\n";
        out += key;
        out += ": ";
        out += value;
    };
    line("id", r.id);
    line("when", r.when);
    line("title", r.title);
    line("simulator", r.simulator);
    line("aircraft", r.aircraft);
    line("holding", r.holding);
    line("aircraft.cfg", r.cfg);
    line("copy", r.cfg_copy);
    line("fingerprint", r.fingerprint);
    line("change", r.rewrite ? "rewrite" : "delete");
    if (r.rewrite) line("new fingerprint", r.new_fingerprint);
    line("section", std::to_string(r.section_index + 1) + " of " + std::to_string(r.section_count));
    if (!r.panel_cfg.empty()) line("panel", r.panel_cfg);
    line("folder", r.folder_goes ? "removed" : "kept");
    for (const auto& m : r.moves)
        line(m.kind == MoveKind::gauge  ? "gauge"
             : m.kind == MoveKind::rest ? "also"
                                        : "move",
             m.source + " > " + m.held);
    for (const auto& f : r.folders) line("empty folder", f);
    out += "\r\nsection text:";
    std::size_t start = 0;
    while (start <= r.section_text.size()) {
        std::size_t end = r.section_text.find("\r\n", start);
        if (end == std::string::npos) end = r.section_text.size();
        out += "\r\n";
        out += kTextLine;
        out.append(r.section_text, start, end - start);
        start = end + 2;
    }
    out += "\r\n";
    out += kEndOfPlan;
    out += "\r\n";
    return out;
}

std::string moves_line(std::string_view step, std::size_t first, std::size_t last) {
    return std::string(step) + ": moves " + std::to_string(first + 1) + "-" +
           std::to_string(last + 1);
}

bool parse_record(std::string_view text, RemovalRecord& r, std::string& error) {
    r = RemovalRecord{};
    std::vector<std::string> lines;
    split_lines(text, lines);
    if (lines.empty() || lines[0] != kHeading) {
        error = "not a removal record";
        return false;
    }
    bool in_text = false;
    bool plan_ended = false;
    std::vector<std::string> text_lines;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view l = lines[i];
        if (in_text) {
            if (l == kEndOfPlan) {
                in_text = false;
                plan_ended = true;
                r.moved.assign(r.moves.size(), false);
                r.put_back.assign(r.moves.size(), false);
            } else if (l.starts_with(kTextLine)) {
                text_lines.emplace_back(l.substr(kTextLine.size()));
            } else {
                error = "a line of the section text lacks its mark";
                return false;
            }
            continue;
        }
        if (!plan_ended && l == "section text:") {
            in_text = true;
            continue;
        }
        if (plan_ended) {
            std::size_t first = 0, last = 0;
            if (l == "done: copy") {
                r.copy_done = true;
            } else if (l == "done: aircraft.cfg") {
                r.cfg_done = true;
            } else if (l == "gauges: moved" || l == "gauges: kept") {
                r.gauges_decided = true;
                r.gauges_moved = l == "gauges: moved";
            } else if (l.starts_with("done: moves ") &&
                       parse_range(l.substr(12), r.moves.size(), first, last)) {
                for (std::size_t k = first; k <= last; ++k) r.moved[k] = true;
            } else if (l == "done: folders") {
                r.folders_done = true;
            } else if (l == "finished") {
                r.finished = true;
            } else if (l == "undone") {
                r.undone = true;
            } else if (l == "restore: begun") {
                r.restore_begun = true;
            } else if (l.starts_with("restore: moves ") &&
                       parse_range(l.substr(15), r.moves.size(), first, last)) {
                for (std::size_t k = first; k <= last; ++k) r.put_back[k] = true;
            } else if (l == "restore: aircraft.cfg") {
                r.cfg_put_back = true;
            }
            // A journal line cut short by an interruption is no step done.
            continue;
        }
        const std::size_t colon = l.find(": ");
        if (colon == std::string_view::npos) {
            error = "a line without a name: " + std::string(l);
            return false;
        }
        const std::string_view key = l.substr(0, colon);
        const std::string value(l.substr(colon + 2));
        const auto move = [&](MoveKind kind) {
            const std::size_t arrow = value.find(" > ");
            if (arrow == std::string::npos) return false;
            r.moves.push_back({value.substr(0, arrow), value.substr(arrow + 3), kind});
            return true;
        };
        if (key == "id")
            r.id = value;
        else if (key == "when")
            r.when = value;
        else if (key == "title")
            r.title = value;
        else if (key == "simulator")
            r.simulator = value;
        else if (key == "aircraft")
            r.aircraft = value;
        else if (key == "holding")
            r.holding = value;
        else if (key == "aircraft.cfg")
            r.cfg = value;
        else if (key == "copy")
            r.cfg_copy = value;
        else if (key == "fingerprint")
            r.fingerprint = value;
        else if (key == "change")
            r.rewrite = value == "rewrite";
        else if (key == "new fingerprint")
            r.new_fingerprint = value;
        else if (key == "panel")
            r.panel_cfg = value;
        else if (key == "folder")
            r.folder_goes = value == "removed";
        else if (key == "empty folder")
            r.folders.push_back(value);
        else if (key == "move" || key == "gauge" || key == "also") {
            if (!move(key == "gauge"  ? MoveKind::gauge
                      : key == "also" ? MoveKind::rest
                                      : MoveKind::section)) {
                error = "a move without its held place: " + value;
                return false;
            }
        } else if (key == "section") {
            std::size_t index = 0, count = 0;
            if (std::sscanf(value.c_str(), "%zu of %zu", &index, &count) != 2 || index == 0 ||
                index > count) {
                error = "a section position that is none: " + value;
                return false;
            }
            r.section_index = index - 1;
            r.section_count = count;
        }
    }
    if (!plan_ended || r.id.empty() || r.cfg.empty() || r.cfg_copy.empty()) {
        error = "the record is incomplete";
        return false;
    }
    for (std::size_t i = 0; i < text_lines.size(); ++i) {
        if (i > 0) r.section_text += "\r\n";
        r.section_text += text_lines[i];
    }
    return true;
}

std::string in_simulator(const Workspace& workspace, const std::string& rel) {
    return absolute_in(workspace.sim_main_dir, rel);
}

std::string in_working_folder(const Workspace& workspace, const std::string& rel) {
    return absolute_in(workspace.base_dir, rel);
}

std::string record_path(const Workspace& workspace, const RemovalRecord& record) {
    return path::join(in_working_folder(workspace, record.holding),
                      std::string(kRecordPrefix) + record.id + std::string(kRecordSuffix));
}

std::string pending_marker_path(const Workspace& workspace, const std::string& id) {
    return path::join(workspace.temp_path_dir,
                      std::string(kPendingPrefix) + id + std::string(kRecordSuffix));
}

}  // namespace qv
