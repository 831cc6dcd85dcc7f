// quorvane-cli remove, held, restore and empty: what a user does with the main window's button
// and menus.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "operations/CatalogueLoad.h"
#include "operations/Emptying.h"
#include "operations/Recovery.h"
#include "operations/Removal.h"
#include "operations/RemovalPlan.h"
#include "operations/Restore.h"
#include "operations/Warnings.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/Catalogue.h"

namespace qv::cli {
namespace {

// The list position named by "#N", or -1.
std::ptrdiff_t parse_position(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '#') return -1;
    std::ptrdiff_t n = -1;
    const char* end = arg.data() + arg.size();
    const auto [p, ec] = std::from_chars(arg.data() + 1, end, n);
    if (ec != std::errc() || p != end || n < 0) return -1;
    return n;
}

// The first list entry with this title that is not chosen yet, or -1.
std::ptrdiff_t find_title(const Catalogue& catalogue, const std::string& title,
                          const std::vector<std::size_t>& chosen) {
    for (std::size_t i = 0; i < catalogue.list_records.size(); ++i)
        if (catalogue.aircraft_table[catalogue.list_records[i]].title == title &&
            std::find(chosen.begin(), chosen.end(), i) == chosen.end())
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

void write(const std::string& text) {
    write_out(cp1252_to_utf8(text));
}

// Each removal's plan, as if it were the only one; nothing on the disk changes.
int print_plans(Context& ctx, const Catalogue& catalogue, const std::vector<std::size_t>& chosen) {
    int status = kExitDone;
    for (std::size_t position : chosen) {
        const AircraftRecord& target = catalogue.aircraft_table[catalogue.list_records[position]];
        if (const std::string why = why_not_through(ctx.fs, ctx.workspace, target); !why.empty()) {
            ctx.ui.error(why);
            status = kExitError;
            continue;
        }
        const PlanOutcome planned = plan_removal(ctx.fs, ctx.workspace, catalogue, target);
        if (planned.result != PlanOutcome::Result::planned) {
            ctx.ui.error(planned.why);
            status = kExitError;
            continue;
        }
        write(path::with_native_separators(describe(planned.plan)));
    }
    std::fflush(stdout);
    return status;
}

}  // namespace

bool pending_blocks_dry_run(Context& ctx) {
    if (interrupted_removals(ctx.fs, ctx.workspace).empty()) return false;
    ctx.ui.error(
        "an interrupted removal is pending; the next command that changes the disk here "
        "finishes it");
    return true;
}

int run_remove(Context& ctx, const std::vector<std::string>& args,
               const std::vector<std::string>& titles, bool dry_run) {
    if (args.empty() && titles.empty())
        return usage_error("remove takes '#N'... or --title TEXT...");
    if (dry_run && pending_blocks_dry_run(ctx)) return kExitError;
    Catalogue catalogue;
    load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    std::vector<std::size_t> chosen;
    for (const auto& arg : args) {
        const std::ptrdiff_t position = parse_position(arg);
        if (position < 0 || static_cast<std::size_t>(position) >= catalogue.list_records.size())
            return usage_error("no list entry at position " + arg);
        if (std::find(chosen.begin(), chosen.end(), position) == chosen.end())
            chosen.push_back(static_cast<std::size_t>(position));
    }
    for (const auto& title : titles) {
        const std::ptrdiff_t position = find_title(catalogue, title, chosen);
        if (position < 0)
            return usage_error("no list entry has the title " + cp1252_to_utf8(title));
        chosen.push_back(static_cast<std::size_t>(position));
    }
    if (dry_run) return print_plans(ctx, catalogue, chosen);

    const RemovalOutcome outcome =
        remove_aircraft(ctx.fs, ctx.workspace, ctx.ui, catalogue, chosen);
    if (outcome.reload)
        refresh_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue, outcome.touched);
    if (outcome.result == Ending::nothing_to_do) return usage_error("no list entry selected");
    if (outcome.result == Ending::stopped) ctx.ui.error("nothing was removed");
    return exit_status(outcome.result);
}

int run_held(Context& ctx, bool json) {
    const HeldList held = list_held(ctx.fs, ctx.workspace);
    for (const auto& problem : held.problems) ctx.ui.warning(problem);
    if (json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const auto& h : held.removals)
            list.push_back(
                {{"id", h.id},
                 {"when", h.when},
                 {"title", cp1252_to_utf8(h.title)},
                 {"folder", cp1252_to_utf8(path::with_native_separators(h.aircraft_folder))},
                 {"record", cp1252_to_utf8(path::with_native_separators(h.record_path))},
                 {"files", h.files}});
        write(list.dump(1) + "\n");
    } else {
        for (const auto& h : held.removals)
            write(h.id + "  " + h.when + "  " + printable(h.title) + "  (" +
                  printable(path::with_native_separators(h.aircraft_folder)) + ")" +
                  (h.partly_put_back ? "  partly put back" : "") + "\n");
    }
    std::fflush(stdout);
    return kExitDone;
}

int run_restore(Context& ctx, const std::vector<std::string>& args) {
    if (args.empty()) return usage_error("restore takes the ids of held removals");
    const RestoreOutcome outcome = restore_removals(ctx.fs, ctx.workspace, ctx.ui, args);
    if (outcome.reload) {
        // Nothing was loaded before the restore: the list after it is a whole walk.
        Catalogue catalogue;
        load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    }
    if (outcome.result == Ending::nothing_to_do) {
        std::string ids;
        for (const std::string& id : args) ids += (ids.empty() ? "" : " ") + id;
        return usage_error("no held removal has the id " + ids + " (quorvane-cli held lists them)");
    }
    if (outcome.result == Ending::stopped) ctx.ui.error("nothing was put back");
    return exit_status(outcome.result);
}

int run_empty(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1 || (args[0] != "temp" && args[0] != "unused"))
        return usage_error("empty takes temp or unused");
    return exit_status(args[0] == "temp" ? empty_temp_path(ctx.fs, ctx.workspace, ctx.ui)
                                         : empty_unused_gauges(ctx.fs, ctx.workspace, ctx.ui));
}

}  // namespace qv::cli
