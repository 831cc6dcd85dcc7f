#include "operations/RemovalRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <set>

#include "operations/RemovalJournal.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

// A held folder changes no aircraft.cfg and takes no gauges: those steps are done before it starts.
void settle_cfg_steps(RemovalRecord& r) {
    r.copy_done = r.cfg_done = true;
    r.gauges_decided = true;
    r.gauges_moved = false;
    r.cfg_put_back = true;
}

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

}  // namespace

RecordStamps::Stamp RecordStamps::next() {
    std::int64_t now = clock_.now_ms();
    if (now <= last_) now = last_ + 1;
    last_ = now;
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
    std::snprintf(millis, sizeof millis, "-%03d", static_cast<int>(now % 1000));
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return {std::string(stamp) + millis, when};
}

bool is_record_id(std::string_view id) {
    if (id.size() != 19 || id[8] != '-' || id[15] != '-') return false;
    for (std::size_t i = 0; i < id.size(); ++i)
        if (i != 8 && i != 15 && (id[i] < '0' || id[i] > '9')) return false;
    return true;
}

std::string fingerprint(std::string_view bytes) {
    return digest_of(bytes).text();
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
    r.holds_folder = plan.cfg_path.empty();
    if (!r.holds_folder) {
        r.cfg = relative_to(main, plan.cfg_path);
        r.cfg_copy = relative_to(base, plan.cfg_copy);
        r.fingerprint = fingerprint(plan.cfg_bytes);
    }
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
    r.held_digests.assign(r.moves.size(), std::nullopt);
    r.put_back.assign(r.moves.size(), false);
    if (r.holds_folder) settle_cfg_steps(r);
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
    if (!r.batch.empty()) line("batch", r.batch);
    line("title", r.title);
    line("simulator", r.simulator);
    line("aircraft", r.aircraft);
    line("holding", r.holding);
    if (r.holds_folder) {
        line("change", "hold");
    } else {
        line("aircraft.cfg", r.cfg);
        line("copy", r.cfg_copy);
        line("fingerprint", r.fingerprint);
        line("change", r.rewrite ? "rewrite" : "delete");
        if (r.rewrite) line("new fingerprint", r.new_fingerprint);
        line("section",
             std::to_string(r.section_index + 1) + " of " + std::to_string(r.section_count));
    }
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

bool parse_record(std::string_view text, RemovalRecord& r, std::string& error) {
    r = RemovalRecord{};
    std::vector<std::string> lines;
    split_lines(text, lines);
    const bool whole_last_line = !text.empty() && (text.back() == '\n' || text.back() == '\r');
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
                r.held_digests.assign(r.moves.size(), std::nullopt);
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
            // Only whole lines count: a line cut short by an interruption is no step done.
            if (i + 1 < lines.size() || whole_last_line) journal::apply(l, r);
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
        else if (key == "batch")
            r.batch = value;
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
        else if (key == "change") {
            r.rewrite = value == "rewrite";
            r.holds_folder = value == "hold";
        } else if (key == "new fingerprint")
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
            const std::size_t of = value.find(" of ");
            if (of == std::string::npos ||
                !journal::parse_count(std::string_view(value).substr(0, of), index) ||
                !journal::parse_count(std::string_view(value).substr(of + 4), count) ||
                index == 0 || index > count) {
                error = "a section position that is none: " + value;
                return false;
            }
            r.section_index = index - 1;
            r.section_count = count;
        }
    }
    if (r.holds_folder) {
        // A hold names no aircraft.cfg; one that does is not a hold someone may act on.
        if (!r.cfg.empty() || !r.cfg_copy.empty()) {
            error = "a held folder's record names an aircraft.cfg";
            return false;
        }
        settle_cfg_steps(r);
    }
    if (!plan_ended || r.id.empty() || (!r.holds_folder && (r.cfg.empty() || r.cfg_copy.empty()))) {
        error = "the record is incomplete";
        return false;
    }
    if (!is_record_id(r.id)) {
        error = "its id is not one the program gives: " + r.id;
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

namespace {

// `rel` relative to the folder `base_rel` (itself relative), or nothing when it is not inside it.
bool lies_in(std::string_view rel, std::string_view base_rel, bool or_is = false) {
    return path::is_inside(rel, base_rel) || (or_is && path::is_same_or_inside(rel, base_rel));
}

}  // namespace

std::string out_of_bounds(const Workspace& workspace, const RemovalRecord& r) {
    const std::string& main = workspace.sim_main_dir;
    const std::string& base = workspace.base_dir;
    const std::string aircraft_root = relative_to(main, workspace.sim_aircraft_dir);
    const std::string gauges_root = relative_to(main, workspace.sim_gauges_dir);
    const std::string temp_root = relative_to(base, workspace.temp_path_dir);
    const auto plain = [](const std::string& p) { return path::is_plain_relative(p); };
    const auto bad = [](const char* what, const std::string& value) {
        return std::string("its ") + what + " " + value + " lies outside its place";
    };
    if (!is_record_id(r.id)) return "its id " + r.id + " is not one the program gives";
    if (!plain(aircraft_root) || !plain(temp_root))
        return "the folders of the settings are not plain";
    if (!plain(r.aircraft) || !lies_in(r.aircraft, aircraft_root, true))
        return bad("aircraft folder", r.aircraft);
    if (r.holds_folder) {
        // A held folder lies below the Aircraft folder, never is it.
        if (!lies_in(r.aircraft, aircraft_root)) return bad("aircraft folder", r.aircraft);
    } else if (!plain(r.cfg) || !path::is_inside(r.cfg, r.aircraft)) {
        return bad("aircraft.cfg", r.cfg);
    }
    if (!plain(r.holding) || !lies_in(r.holding, temp_root))
        return bad("holding folder", r.holding);
    if (!r.holds_folder && (!plain(r.cfg_copy) || !lies_in(r.cfg_copy, r.holding)))
        return bad("copy", r.cfg_copy);
    if (!r.panel_cfg.empty() && (!plain(r.panel_cfg) || !lies_in(r.panel_cfg, r.holding)))
        return bad("panel", r.panel_cfg);
    for (const auto& m : r.moves) {
        if (!plain(m.source) || !plain(m.held) || !lies_in(m.held, r.holding))
            return bad("move", m.source + " > " + m.held);
        const bool in_place =
            m.kind == MoveKind::gauge
                ? iequals(path::parent(m.source), gauges_root) && plain(gauges_root)
                : lies_in(m.source, r.aircraft);
        if (!in_place) return bad("move", m.source + " > " + m.held);
    }
    for (const auto& f : r.folders)
        if (!plain(f) || !lies_in(f, r.aircraft, true)) return bad("folder", f);
    return {};
}

std::string link_on_the_way(FileSystem& fs, const Workspace& workspace, const RemovalRecord& r) {
    // Each folder on the way is looked at once, however many places lie below it.
    std::set<std::string> seen;
    std::string why;
    const auto walk = [&](const std::string& root, const std::string& rel, bool last_too) {
        std::string at = root;
        const auto parts = path::parts(rel);
        for (std::size_t i = 0; i < parts.size() && why.empty(); ++i) {
            if (i + 1 == parts.size() && !last_too) break;
            at = path::join(at, parts[i]);
            if (!seen.insert(to_lower(at)).second) continue;
            Attributes a;
            const FsStatus st = fs.attributes(at, a);
            if (st.not_found()) return;  // nothing below a missing folder can be a link
            if (!st.ok())
                why = st.message;
            else if (a.link)
                why = at + " is a link to another place";
        }
    };
    if (!r.holds_folder) {
        walk(workspace.sim_main_dir, r.cfg, false);
        walk(workspace.base_dir, r.cfg_copy, true);
    }
    for (const auto& m : r.moves) {
        walk(workspace.sim_main_dir, m.source, false);
        walk(workspace.base_dir, m.held, true);
    }
    for (const auto& f : r.folders) walk(workspace.sim_main_dir, f, true);
    return why;
}

bool same_simulator(std::string_view a, std::string_view b) {
    const auto key = [](std::string_view folder) {
        if (folder.size() >= 2 && (folder[0] == 'Z' || folder[0] == 'z') && folder[1] == ':')
            folder.remove_prefix(2);
        std::string k = to_lower(path::without_trailing_separator(folder));
        std::replace(k.begin(), k.end(), '\\', '/');
        return k;
    };
    return key(a) == key(b);
}

}  // namespace qv
