// The commands of quorvane-cli. Each returns the process's exit status.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/TranscriptUi.h"
#include "core/Workspace.h"
#include "operations/Ending.h"
#include "platform/FileSystem.h"

namespace qv::cli {

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitDeclined = 1;  // the command's own confirmation answered No
inline constexpr int kExitUsage = 2;     // usage error, or no settings file
inline constexpr int kExitError = 3;     // an error stopped the command
inline constexpr int kExitLeftOver = 4;  // done, but something could not be moved or deleted

// The one mapping from how an operation ended to the process's exit status.
constexpr int exit_status(Ending ending) {
    switch (ending) {
        case Ending::nothing_to_do:
            return kExitUsage;
        case Ending::declined:
            return kExitDeclined;
        case Ending::completed:
            return kExitDone;
        case Ending::left_over:
            return kExitLeftOver;
        case Ending::stopped:
            return kExitError;
    }
    return kExitError;
}

struct Context {
    FileSystem& fs;
    Workspace& workspace;
    TranscriptUi& ui;
};

// Bytes (UTF-8 already) to standard output, as they are.
inline void write_out(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// A dry run shows a plan made from the disk as it stands; while a killed command's work waits to
// be finished that would mislead: said on stderr, true.
bool pending_blocks_dry_run(Context& ctx);

// A usage error found by a command (after the load, for remove): message on stderr, exit 2.
int usage_error(const std::string& message);

int run_dump(Context& ctx);
// What in the collection is broken or wasted; `json` for scripts.
int run_check(Context& ctx, bool json);
// `folders`: paths below Aircraft as the check prints them (single-byte), each moved whole into
// Temp_Path with its record; `dry_run` prints what would move instead.
int run_hold(Context& ctx, const std::vector<std::string>& folders, bool dry_run);
int run_list(Context& ctx);
// `args`: the command's positional arguments ("#N" selects the list entry at 0-based position
// N); `titles`: the --title options' texts (single-byte), each selecting the first entry with
// that text. Several select a batch. `dry_run` prints the plan instead.
int run_remove(Context& ctx, const std::vector<std::string>& args,
               const std::vector<std::string>& titles, bool dry_run);
// The removals held in Temp_Path, newest first; `json` for scripts.
int run_held(Context& ctx, bool json);
// `args`: the id of a held removal.
int run_restore(Context& ctx, const std::vector<std::string>& args);
// `args`: "temp" or "unused".
int run_empty(Context& ctx, const std::vector<std::string>& args);

}  // namespace qv::cli
