// quorvane-cli: the maintenance operations without windows, for scripting, batch use on large
// collections and black-box tests. It works in the current folder (or -C DIR) as the program does:
// the holding folders are made there and the settings file is read from there.
#include <CLI/CLI.hpp>
#include <cstdio>
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

int run(int argc, char** argv) {
    CLI::App app{
        "quorvane-cli: keeps the add-on aircraft of FS98, FS2000, FS2002 and CFS2 in order"};
    std::string directory;
    Answers answers;
    std::vector<std::string> titles;
    bool dry_run = false;
    bool json = false;
    std::string command;
    std::vector<std::string> args;
    app.add_option("-C", directory, "work in DIR instead of the current folder");
    app.add_flag("--yes", answers.yes, "answer Yes to the command's own confirmation");
    app.add_flag("--sweep", answers.sweep, "answer Yes to the unused-gauge question");
    app.add_flag("--gauges", answers.gauges, "answer Yes to the removal's gauge question");
    app.add_option("--title", titles, "remove: the first list entry with this text (repeatable)")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_flag("--dry-run", dry_run, "remove: print what the removal would do, change nothing");
    app.add_flag("--json", json, "held: the list as JSON");
    app.set_version_flag("--version", std::string("quorvane-cli ") + kVersion);
    app.add_option("command", command, "settings, list, dump, remove, held, restore or empty")
        ->required();
    app.add_option("args", args, "the command's arguments");
    app.footer(
        "Commands:\n"
        "  settings FOLDER VERSION   write quorva_set.cfg (VERSION 1 FS98, 2 FS2000, 3 FS2002, 4 "
        "CFS2)\n"
        "  list                      load the catalogue and print the aircraft list\n"
        "  dump                      load the catalogue and print it as JSON\n"
        "  remove '#N'... | --title T...\n"
        "                            remove the list entries at positions N (from 0) or titled T;\n"
        "                            everything removed is held in Temp_Path until it is emptied\n"
        "  held                      list the removals held in Temp_Path, newest first\n"
        "  restore ID                put a held removal back\n"
        "  empty temp | unused       empty Temp_Path or Unused Gauges\n"
        "Exit status: 0 done, 1 declined, 2 usage, 3 error, 4 done with files left in place.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    if (!directory.empty() && !set_current_directory(directory)) {
        write_line(stderr, "error: can't change to the folder " + directory);
        return kExitUsage;
    }
    static const char* const kCommands[] = {"settings", "list",    "dump", "remove",
                                            "held",     "restore", "empty"};
    bool known = false;
    for (const char* c : kCommands) known = known || command == c;
    if (!known) return usage_error("unknown command " + command);
    if (!titles.empty() && command != "remove") return usage_error("--title goes with remove");
    if (dry_run && command != "remove") return usage_error("--dry-run goes with remove");
    if (json && command != "held") return usage_error("--json goes with held");

    auto fs = make_native_file_system();
    Workspace workspace;
    // A dry run changes nothing: no sweep, no holding folders made.
    if (dry_run) answers.sweep = false;
    TranscriptUi ui(answers);
    try {
        set_base_dir(*fs, workspace);
        if (!dry_run) create_holding_folders(*fs, workspace);
        if (command == "settings") return run_settings(*fs, workspace, ui, args);
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

    if (command == "list" || command == "dump" || command == "remove") {
        if (const int status = check_simulator(*fs, workspace, ui); status != kExitDone)
            return status;
    }

    Context ctx{*fs, workspace, ui};
    // A command that changes the disk works alone in the folder, and first finishes what a
    // command killed halfway left.
    const bool changes_disk = command == "empty" || command == "restore" ||
                              (command == "remove" && !dry_run) ||
                              ((command == "list" || command == "dump") && answers.sweep);
    std::unique_ptr<WorkingFolderLock> lock;
    if (changes_disk) {
        std::string busy;
        lock = WorkingFolderLock::take(*fs, workspace, busy);
        if (!lock) {
            ui.error(busy);
            return kExitError;
        }
        finish_interrupted(*fs, workspace, ui);
    } else if ((command == "list" || command == "dump" || command == "held") &&
               !interrupted_removals(*fs, workspace).empty()) {
        // A reading command finishes what a killed one left, as the start does; when another
        // command is at work it reads the disk as it stands.
        std::string busy;
        if (const auto reading = WorkingFolderLock::take(*fs, workspace, busy))
            finish_interrupted(*fs, workspace, ui);
        else
            ui.warning(warn::removal_in_progress(workspace.base_dir));
    }
    std::vector<std::string> single_byte_titles;
    for (const auto& t : titles) single_byte_titles.push_back(argument_to_single_byte(t));
    if (command == "list")
        return args.empty() ? run_list(ctx) : usage_error("list takes no arguments");
    if (command == "dump")
        return args.empty() ? run_dump(ctx) : usage_error("dump takes no arguments");
    if (command == "remove") return run_remove(ctx, args, single_byte_titles, dry_run);
    if (command == "held")
        return args.empty() ? run_held(ctx, json) : usage_error("held takes no arguments");
    if (command == "restore") return run_restore(ctx, args);
    return run_empty(ctx, args);
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
