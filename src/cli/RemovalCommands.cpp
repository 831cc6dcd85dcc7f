// quorvane-cli remove and empty: what a user does with the main window's button and menus.
#include <charconv>

#include "cli/Commands.h"
#include "core/OperationError.h"
#include "operations/CatalogueLoad.h"
#include "operations/Emptying.h"
#include "operations/Removal.h"
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

std::ptrdiff_t find_title(const Catalogue& catalogue, const std::string& title) {
    for (std::size_t i = 0; i < catalogue.list_records.size(); ++i)
        if (catalogue.aircraft_table[catalogue.list_records[i]].title == title)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

}  // namespace

int run_remove(Context& ctx, const std::vector<std::string>& args,
               const std::optional<std::string>& title) {
    if (title ? !args.empty() : args.size() != 1)
        return usage_error("remove takes '#N' or --title TEXT");
    Catalogue catalogue;
    try {
        load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    } catch (const OperationError& e) {
        ctx.ui.error(e.what());
        return kExitError;
    }
    std::ptrdiff_t position = title ? find_title(catalogue, *title) : parse_position(args[0]);
    if (position < 0 || static_cast<std::size_t>(position) >= catalogue.list_records.size())
        return usage_error(title ? "no list entry has that title"
                                 : "no list entry at position " + args[0]);

    const RemovalOutcome outcome =
        remove_aircraft(ctx.fs, ctx.workspace, ctx.ui, catalogue, position);
    if (outcome.reload) {
        try {
            load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
        } catch (const OperationError& e) {
            ctx.ui.error(e.what());
            return kExitError;
        }
    }
    using Result = RemovalOutcome::Result;
    switch (outcome.result) {
        case Result::nothing_selected:
            return usage_error("no list entry selected");
        case Result::declined:
            return kExitDeclined;
        case Result::completed:
            return kExitDone;
        case Result::left_over:
            return kExitLeftOver;
        case Result::stopped:
            ctx.ui.error("the removal stopped before anything was moved");
            return kExitError;
    }
    return kExitError;
}

int run_empty(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1 || (args[0] != "temp" && args[0] != "unused"))
        return usage_error("empty takes temp or unused");
    const EmptyOutcome outcome = args[0] == "temp"
                                     ? empty_temp_path(ctx.fs, ctx.workspace, ctx.ui)
                                     : empty_unused_gauges(ctx.fs, ctx.workspace, ctx.ui);
    switch (outcome) {
        case EmptyOutcome::declined:
            return kExitDeclined;
        case EmptyOutcome::emptied:
            return kExitDone;
        case EmptyOutcome::left_over:
            return kExitLeftOver;
    }
    return kExitError;
}

}  // namespace qv::cli
