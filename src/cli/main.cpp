// quorvane-cli: the maintenance operations without windows, for scripting, batch use on large
// collections and black-box tests. It works in the current folder (or -C DIR) as the program does:
// the holding folders are made there and the settings file is read from there.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Version.h"
#include "cli/Commands.h"
#include "cli/SimFolderCheck.h"
#include "cli/TranscriptUi.h"
#include "core/OperationError.h"
#include "core/Settings.h"
#include "operations/Recovery.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

int run_settings(FileSystem& fs, Workspace& workspace, TranscriptUi& ui,
                 const std::vector<std::string>& args) {
    if (args.size() != 2) return usage_error("settings takes FOLDER and VERSION");
    const std::string& version = args[1];
    if (version.size() != 1 || version[0] < '1' || version[0] > '4')
        return usage_error("VERSION must be 1, 2, 3 or 4");
    bool lossless = true;
    std::string folder = argument_to_single_byte(args[0], &lossless);
    // A drive root comes back from the settings window as "X:", never "X:\".
    if (folder.size() == 3 && folder[1] == ':' && path::is_separator(folder[2])) folder.resize(2);
    workspace.sim_main_dir = folder;
    workspace.sim_version = static_cast<std::uint8_t>(version[0] - '0');
    if (!folder.empty() && lossless) warn_unless_simulator_here(fs, folder, ui);
    return write_settings_file(fs, workspace, folder, ui, lossless) ? kExitDone : kExitDeclined;
}

// "--" before the command name ("-C DIR -- settings -x 1") ends the options after the command
// instead, as it did when the command was a plain argument: the command is found first.
std::vector<std::string> with_command_before_double_dash(int argc, char** argv) {
    std::vector<std::string> out(argv + 1, argv + argc);
    const auto dash = std::find(out.begin(), out.end(), "--");
    if (dash != out.end() && dash + 1 != out.end() && !(dash + 1)->starts_with("-")) {
        std::iter_swap(dash, dash + 1);
    }
    return out;
}

int run(int argc, char** argv) {
    CLI::App app{
        "quorvane-cli: keeps the add-on aircraft of FS98, FS2000, FS2002 and CFS2 in order"};
    app.name("quorvane-cli");
    // The options every command takes, before or after its name.
    app.fallthrough();
    app.require_subcommand(1, 1);
    std::string directory;
    Answers answers;
    app.add_option("-C", directory, "work in DIR instead of the current folder");
    app.add_flag("--yes", answers.yes, "answer Yes to the command's own confirmation");
    app.add_flag("--sweep", answers.sweep, "answer Yes to the unused-gauge question");
    app.add_flag("--gauges", answers.gauges, "answer Yes to the removal's gauge question");
    app.set_version_flag("--version", std::string("quorvane-cli ") + kVersion);
    app.footer(
        "Exit status: 0 done, 1 declined, 2 usage, 3 error, 4 done with files left in place.");

    // Each command once: its name, its own options and arguments, what it needs, how it runs.
    std::vector<std::string> args;
    std::vector<std::string> titles;
    bool dry_run = false;
    bool json = false;
    struct Command {
        CLI::App* sub;
        bool needs_simulator;  // the simulator folder must exist (a missing Aircraft is warned)
        std::function<int(Context&)> run;
        std::function<bool()> changes_disk;
    };
    const auto never = [] { return false; };
    const auto always = [] { return true; };
    std::vector<Command> commands;
    const auto add = [&](const char* name, const char* help, const char* arguments) {
        CLI::App* sub = app.add_subcommand(name, help);
        sub->add_option("args", args, arguments);
        return sub;
    };
    CLI::App* settings = add("settings",
                             "write quorva_set.cfg (VERSION 1 FS98, 2 FS2000, "
                             "3 FS2002, 4 CFS2)",
                             "FOLDER VERSION");
    commands.push_back({settings, false, nullptr, never});
    commands.push_back({add("list", "load the catalogue and print the aircraft list", ""), true,
                        [&](Context& ctx) {
                            return args.empty() ? run_list(ctx)
                                                : usage_error("list takes no arguments");
                        },
                        [&] { return answers.sweep; }});
    commands.push_back({add("dump", "load the catalogue and print it as JSON", ""), true,
                        [&](Context& ctx) {
                            return args.empty() ? run_dump(ctx)
                                                : usage_error("dump takes no arguments");
                        },
                        [&] { return answers.sweep; }});
    CLI::App* check = add("check", "show what in the collection is broken or wasted", "");
    check->add_flag("--json", json, "the report as JSON");
    commands.push_back({check, true,
                        [&](Context& ctx) {
                            return args.empty() ? run_check(ctx, json)
                                                : usage_error("check takes no arguments");
                        },
                        never});
    CLI::App* hold = add("hold",
                         "move folders the check reports unused or without aircraft into "
                         "Temp_Path, held like a removal until it is emptied",
                         "FOLDER...");
    hold->add_flag("--dry-run", dry_run, "print what would move, change nothing");
    commands.push_back({hold, true,
                        [&](Context& ctx) {
                            std::vector<std::string> single_byte;
                            for (const auto& a : args)
                                single_byte.push_back(argument_to_single_byte(a));
                            return run_hold(ctx, single_byte, dry_run);
                        },
                        [&] { return !dry_run; }});
    CLI::App* remove = add("remove",
                           "remove the list entries at positions '#N' (from 0) or titled T; "
                           "everything removed is held in Temp_Path until it is emptied",
                           "'#N'...");
    remove->add_option("--title", titles, "the first list entry with this text (repeatable)")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    remove->add_flag("--dry-run", dry_run, "print what the removal would do, change nothing");
    commands.push_back({remove, true,
                        [&](Context& ctx) {
                            std::vector<std::string> single_byte;
                            for (const auto& t : titles)
                                single_byte.push_back(argument_to_single_byte(t));
                            return run_remove(ctx, args, single_byte, dry_run);
                        },
                        [&] { return !dry_run; }});
    CLI::App* held = add("held", "list the removals held in Temp_Path, newest first", "");
    held->add_flag("--json", json, "the list as JSON");
    commands.push_back({held, false,
                        [&](Context& ctx) {
                            return args.empty() ? run_held(ctx, json)
                                                : usage_error("held takes no arguments");
                        },
                        never});
    commands.push_back({add("restore", "put held removals back, in one go", "ID..."), false,
                        [&](Context& ctx) { return run_restore(ctx, args); }, always});
    commands.push_back({add("empty", "empty Temp_Path or Unused Gauges", "temp | unused"), false,
                        [&](Context& ctx) { return run_empty(ctx, args); }, always});
    // "--json" before the command, as `held` took it when the command was an argument.
    app.add_flag("--json", json)->group("");

    try {
        std::vector<std::string> arguments = with_command_before_double_dash(argc, argv);
        std::reverse(arguments.begin(), arguments.end());
        app.parse(arguments);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    const auto chosen = std::find_if(commands.begin(), commands.end(),
                                     [](const Command& c) { return c.sub->parsed(); });
    if (chosen == commands.end()) return usage_error("no command");
    if (json && chosen->sub != held && chosen->sub != check)
        return usage_error("--json goes with held and check");

    if (!directory.empty() && !set_current_directory(directory)) {
        write_line(stderr, "error: can't change to the folder " + directory);
        return kExitUsage;
    }
    auto fs = make_native_file_system();
    Workspace workspace;
    // A dry run changes nothing: no sweep, no holding folders made.
    if (dry_run) answers.sweep = false;
    TranscriptUi ui(answers);
    try {
        set_base_dir(*fs, workspace);
        if (!dry_run) create_holding_folders(*fs, workspace);
        if (chosen->sub == settings) return run_settings(*fs, workspace, ui, args);
        if (!settings_file_exists(*fs, workspace)) {
            write_line(
                stderr,
                "error: no settings file " +
                    cp1252_to_utf8(path::with_native_separators(settings_file_path(workspace))) +
                    " here: run 'quorvane-cli settings FOLDER VERSION' first");
            return kExitUsage;
        }
        read_settings_file(*fs, workspace);
    } catch (const OperationError& e) {
        ui.error(e.what());
        return kExitError;
    }

    if (chosen->needs_simulator) {
        if (const int status = check_simulator(*fs, workspace, ui); status != kExitDone)
            return status;
    }
    Context ctx{*fs, workspace, ui};
    // A command that changes the disk works alone in the folder, and first finishes what a
    // command killed halfway left; a reading command finishes it too, as the start does, and
    // when another command is at work it reads the disk as it stands.
    std::unique_ptr<WorkingFolderLock> lock;
    if (chosen->changes_disk()) {
        std::string busy;
        lock = WorkingFolderLock::take(*fs, workspace, busy);
        if (!lock) {
            ui.error(busy);
            return kExitError;
        }
        finish_interrupted(*fs, workspace, ui);
    } else if (!dry_run && !interrupted_removals(*fs, workspace).empty()) {
        std::string busy;
        if (const auto reading = WorkingFolderLock::take(*fs, workspace, busy))
            finish_interrupted(*fs, workspace, ui);
        else
            ui.warning(warn::removal_in_progress(workspace.base_dir));
    }
    return chosen->run(ctx);
}

}  // namespace

int usage_error(const std::string& message) {
    write_line(stderr, "usage: " + message + " (see quorvane-cli --help)");
    return kExitUsage;
}

}  // namespace qv::cli

int main(int argc, char** argv) {
    qv::use_binary_standard_streams();
    // A list of thousands of titles goes out in a few large writes; the C runtime flushes it at
    // exit, and each line on standard error flushes it first (see write_line).
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    return qv::cli::run(argc, argv);
}
