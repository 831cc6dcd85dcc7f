// quorvane-cli remove and empty: what a user does with the main window's button and menus.
#include <charconv>

#include "cli/Commands.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/EmptyHoldingFolder.h"
#include "operations/RemoveAircraft.h"
#include "simfiles/Records.h"

namespace qv::cli {
namespace {

// The list position named by "#N", or -1.
std::ptrdiff_t ParsePosition(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '#') return -1;
    std::ptrdiff_t n = -1;
    const char* end = arg.data() + arg.size();
    const auto [p, ec] = std::from_chars(arg.data() + 1, end, n);
    if (ec != std::errc() || p != end || n < 0) return -1;
    return n;
}

std::ptrdiff_t FindTitle(const Catalogue& catalogue, const std::string& title) {
    for (std::size_t i = 0; i < catalogue.list_records.size(); ++i)
        if (catalogue.aircraft_table[catalogue.list_records[i]].title == title)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

}  // namespace

int RunRemove(Context& ctx, const std::vector<std::string>& args,
              const std::optional<std::string>& title) {
    if (title ? !args.empty() : args.size() != 1)
        return UsageError("remove takes '#N' or --title TEXT");
    Catalogue catalogue;
    try {
        LoadCatalogue(ctx.fs, ctx.values, ctx.ui, catalogue);
    } catch (const OperationError& e) {
        ctx.ui.error(e.what());
        return kExitError;
    }
    std::ptrdiff_t position = title ? FindTitle(catalogue, *title) : ParsePosition(args[0]);
    if (position < 0 || static_cast<std::size_t>(position) >= catalogue.list_records.size())
        return UsageError(title ? "no list entry has that title"
                                : "no list entry at position " + args[0]);

    std::string reload_error;
    switch (RemoveAircraft(ctx.fs, ctx.values, ctx.ui, catalogue, position, reload_error)) {
        case RemovalOutcome::nothing_selected:
            return UsageError("no list entry selected");
        case RemovalOutcome::declined:
            return kExitDeclined;
        case RemovalOutcome::completed:
            return kExitDone;
        case RemovalOutcome::left_over:
            return kExitLeftOver;
        case RemovalOutcome::stopped:
            ctx.ui.error("the removal stopped before anything was moved");
            return kExitError;
        case RemovalOutcome::reload_failed:
            ctx.ui.error(reload_error);
            return kExitError;
    }
    return kExitError;
}

int RunEmpty(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1 || (args[0] != "temp" && args[0] != "unused"))
        return UsageError("empty takes temp or unused");
    const EmptyOutcome outcome = args[0] == "temp" ? EmptyTempPath(ctx.fs, ctx.values, ctx.ui)
                                                   : EmptyUnusedGauges(ctx.fs, ctx.values, ctx.ui);
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
