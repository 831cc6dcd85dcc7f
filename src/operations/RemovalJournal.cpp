#include "operations/RemovalJournal.h"

#include "operations/RemovalRecord.h"

namespace qv::journal {
namespace {

constexpr std::string_view kCopyHeld = "done: copy";
constexpr std::string_view kCfgChanged = "done: aircraft.cfg";
constexpr std::string_view kGaugesMoved = "gauges: moved";
constexpr std::string_view kGaugesKept = "gauges: kept";
constexpr std::string_view kMovesDone = "done: moves ";
constexpr std::string_view kHeld = "held ";
constexpr std::string_view kFoldersDone = "done: folders";
constexpr std::string_view kFinished = "finished";
constexpr std::string_view kRestoreBegun = "restore: begun";
constexpr std::string_view kRestoreMoves = "restore: moves ";
constexpr std::string_view kRestoreCfg = "restore: aircraft.cfg";

// "3-17" as the 0-based range [2, 16] of `count` moves; false when it is not one.
bool range(std::string_view text, std::size_t count, std::size_t& first, std::size_t& last) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    if (!parse_count(text.substr(0, dash), first) || !parse_count(text.substr(dash + 1), last))
        return false;
    if (first == 0 || last < first || last > count) return false;
    --first;
    --last;
    return true;
}

std::string range_text(std::size_t first, std::size_t last) {
    return std::to_string(first + 1) + "-" + std::to_string(last + 1);
}

}  // namespace

bool parse_count(std::string_view digits, std::size_t& out) {
    if (digits.empty() || digits.size() > 9) return false;
    out = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

std::string copy_held() {
    return std::string(kCopyHeld);
}
std::string cfg_changed() {
    return std::string(kCfgChanged);
}
std::string gauges(bool moved) {
    return std::string(moved ? kGaugesMoved : kGaugesKept);
}
std::string moves_done(std::size_t first, std::size_t last) {
    return std::string(kMovesDone) + range_text(first, last);
}
std::string held(std::size_t move, const FileDigest& digest) {
    return std::string(kHeld) + std::to_string(move + 1) + ": " + digest.text();
}
std::string folders_done() {
    return std::string(kFoldersDone);
}
std::string finished() {
    return std::string(kFinished);
}
std::string restore_begun() {
    return std::string(kRestoreBegun);
}
std::string restore_moves(std::size_t first, std::size_t last) {
    return std::string(kRestoreMoves) + range_text(first, last);
}
std::string restore_cfg() {
    return std::string(kRestoreCfg);
}

bool apply(std::string_view l, RemovalRecord& r) {
    const std::size_t count = r.moves.size();
    std::size_t first = 0, last = 0;
    if (l == kCopyHeld) {
        r.copy_done = true;
    } else if (l == kCfgChanged) {
        r.cfg_done = true;
    } else if (l == kGaugesMoved || l == kGaugesKept) {
        r.gauges_decided = true;
        r.gauges_moved = l == kGaugesMoved;
    } else if (l.starts_with(kMovesDone) &&
               range(l.substr(kMovesDone.size()), count, first, last)) {
        for (std::size_t k = first; k <= last; ++k) r.moved[k] = true;
    } else if (l.starts_with(kHeld)) {
        const std::string_view rest = l.substr(kHeld.size());
        const std::size_t colon = rest.find(": ");
        std::size_t move = 0;
        if (colon == std::string_view::npos || !parse_count(rest.substr(0, colon), move) ||
            move == 0 || move > count)
            return false;
        const auto digest = FileDigest::parse(rest.substr(colon + 2));
        if (!digest) return false;
        r.held_digests[move - 1] = *digest;
    } else if (l == kFoldersDone) {
        r.folders_done = true;
    } else if (l == kFinished) {
        r.finished = true;
    } else if (l == kRestoreBegun) {
        r.restore_begun = true;
    } else if (l.starts_with(kRestoreMoves) &&
               range(l.substr(kRestoreMoves.size()), count, first, last)) {
        for (std::size_t k = first; k <= last; ++k) r.put_back[k] = true;
    } else if (l == kRestoreCfg) {
        r.cfg_put_back = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace qv::journal

namespace qv {

bool JournalWriter::write(const std::vector<std::string>& lines) {
    if (failed()) return false;
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    const FsStatus st = fs_.append_file(record_path_, text);
    if (!st.ok()) failure_ = st;
    return st.ok();
}

}  // namespace qv
