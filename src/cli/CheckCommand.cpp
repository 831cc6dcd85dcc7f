// check: what in the collection is broken or wasted, from one load, read-only.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/Commands.h"
#include "operations/CatalogueLoad.h"
#include "operations/CollectionCheck.h"
#include "operations/FolderHold.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

// A path of the report as this system writes paths, in UTF-8.
std::string shown(const std::string& rel) {
    return cp1252_to_utf8(path::with_native_separators(rel));
}

using Json = nlohmann::ordered_json;

Json texts_json(const std::vector<std::string>& texts, bool paths) {
    Json list = Json::array();
    for (const auto& t : texts) list.push_back(paths ? shown(t) : cp1252_to_utf8(t));
    return list;
}

// Objects are filled member by member: an initializer list would copy every nested list.
Json wasted_json(const std::vector<WastedFolder>& folders) {
    Json list = Json::array();
    for (const auto& f : folders) {
        Json o = Json::object();
        o["folder"] = shown(f.folder);
        o["files"] = f.files;
        o["bytes"] = f.bytes;
        list.push_back(std::move(o));
    }
    return list;
}

Json report_json(const CollectionReport& r) {
    Json j = Json::object();
    Json& broken = j["broken"] = Json::array();
    for (const auto& b : r.broken) {
        Json o = Json::object();
        o["title"] = cp1252_to_utf8(b.title);
        o["folder"] = shown(b.folder);
        o["will_not_load"] = texts_json(b.will_not_load, true);
        o["incomplete"] = texts_json(b.incomplete, true);
        broken.push_back(std::move(o));
    }
    Json& missing = j["missing_gauges"] = Json::array();
    for (const auto& m : r.missing_gauges) {
        Json o = Json::object();
        o["panel"] = shown(m.panel);
        o["gauges"] = texts_json(m.gauges, false);
        o["titles"] = texts_json(m.titles, false);
        missing.push_back(std::move(o));
    }
    Json& duplicates = j["duplicate_titles"] = Json::array();
    for (const auto& d : r.duplicate_titles) {
        Json o = Json::object();
        o["title"] = cp1252_to_utf8(d.title);
        o["folders"] = texts_json(d.folders, true);
        duplicates.push_back(std::move(o));
    }
    j["unused_folders"] = wasted_json(r.unused_folders);
    j["without_aircraft"] = wasted_json(r.without_aircraft);
    Json& holding = j["holding"] = Json::object();
    holding["temp_path"] = {
        {"files", r.temp_path.files}, {"bytes", r.temp_path.bytes}, {"removals", r.held_removals}};
    holding["unused_gauges"] = {{"files", r.unused_gauges.files}, {"bytes", r.unused_gauges.bytes}};
    j["skipped"] = texts_json(r.skipped, true);
    return j;
}

std::string joined(const std::vector<std::string>& items, bool paths) {
    return paths ? path::with_native_separators(listed(items)) : listed(items);
}

std::uint64_t total_bytes(const std::vector<WastedFolder>& folders) {
    std::uint64_t bytes = 0;
    for (const auto& f : folders) bytes += f.bytes;
    return bytes;
}

std::string files_and_size(std::uint64_t files, std::uint64_t bytes) {
    return with_thousands(files) + (files == 1 ? " file, " : " files, ") + human_size(bytes);
}

// The report for a person: a heading with its count for each group, one finding a line.
std::string report_text(const CollectionReport& r) {
    std::string out;
    const auto line = [&out](const std::string& text) {
        out += printable(text);
        out += '\n';
    };
    if (!r.skipped.empty()) {
        line("The load could not read " + with_thousands(r.skipped.size()) +
             (r.skipped.size() == 1 ? " place" : " places") + "; nothing below is drawn from it:");
        for (const auto& s : r.skipped) line("  " + path::with_native_separators(s));
    }
    line("Aircraft that won't load or load incomplete: " + with_thousands(r.broken.size()));
    for (const auto& b : r.broken) {
        line("  " + b.title + "  (" + path::with_native_separators(b.folder) + ")  " +
             path::with_native_separators(what_is_missing(b)));
    }
    line("Panels that name missing gauges: " + with_thousands(r.missing_gauges.size()));
    for (const auto& m : r.missing_gauges)
        line("  " + path::with_native_separators(m.panel) + ": " + joined(m.gauges, false) +
             (m.titles.empty() ? "" : "  (" + joined(m.titles, false) + ")"));
    line("Titles used more than once: " + with_thousands(r.duplicate_titles.size()));
    for (const auto& d : r.duplicate_titles) line("  " + d.title + ": " + joined(d.folders, true));
    line("Unused folders: " + with_thousands(r.unused_folders.size()) + " (" +
         human_size(total_bytes(r.unused_folders)) + ")");
    for (const auto& f : r.unused_folders)
        line("  " + path::with_native_separators(f.folder) + "  " +
             files_and_size(f.files, f.bytes));
    line("Folders without aircraft: " + with_thousands(r.without_aircraft.size()) + " (" +
         human_size(total_bytes(r.without_aircraft)) + ")");
    for (const auto& f : r.without_aircraft)
        line("  " + path::with_native_separators(f.folder) + "  " +
             files_and_size(f.files, f.bytes));
    line("Holding folders:");
    line("  Temp_Path: " + files_and_size(r.temp_path.files, r.temp_path.bytes) + ", " +
         with_thousands(r.held_removals) +
         (r.held_removals == 1 ? " removal held" : " removals held"));
    line("  Unused Gauges: " + files_and_size(r.unused_gauges.files, r.unused_gauges.bytes));
    return out;
}

}  // namespace

int run_check(Context& ctx, bool json) {
    Catalogue catalogue;
    load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    const CollectionReport report = check_collection(ctx.fs, ctx.workspace, catalogue);
    if (json)
        write_out(report_json(report).dump() + "\n");
    else
        write_out(cp1252_to_utf8(report_text(report)));
    std::fflush(stdout);
    return kExitDone;
}

int run_hold(Context& ctx, const std::vector<std::string>& folders, bool dry_run) {
    if (folders.empty()) return usage_error("hold takes the folders the check reports");
    if (dry_run && pending_blocks_dry_run(ctx)) return kExitError;
    Catalogue catalogue;
    load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    if (dry_run) {
        const FolderHoldPlans planned =
            plan_folder_holds(ctx.fs, ctx.workspace, catalogue, folders);
        for (const auto& why : planned.refused) ctx.ui.error(why);
        std::string out;
        for (const auto& p : planned.plans) {
            out += "hold: " + p.folder + "  " + files_and_size(p.files, p.bytes) + "\n";
            for (const auto& m : p.plan.rest) out += "move: " + m.source + " > " + m.held + "\n";
            for (const auto& f : p.plan.folders_to_remove) out += "remove folder: " + f + "\n";
        }
        write_out(cp1252_to_utf8(path::with_native_separators(out)));
        std::fflush(stdout);
        return planned.refused.empty() ? kExitDone : kExitError;
    }
    const FolderHoldOutcome outcome =
        hold_folders(ctx.fs, ctx.workspace, ctx.ui, catalogue, folders);
    if (outcome.reload)
        refresh_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue, outcome.touched);
    if (outcome.result == Ending::stopped) ctx.ui.error("nothing was held");
    return exit_status(outcome.result);
}

}  // namespace qv::cli
