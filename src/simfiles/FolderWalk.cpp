#include "simfiles/FolderWalk.h"

#include <algorithm>
#include <unordered_set>

#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

// A folder's place independent of the separators it was written with.
std::string key_of(std::string_view path) {
    std::string key(path::without_trailing_separator(path));
    std::replace(key.begin(), key.end(), '/', '\\');
    return key;
}

class Walk {
  public:
    Walk(FileSystem& fs, UiPort& ui, std::span<const std::string> file_names,
         const FolderVisitor& visit, WalkGaps& gaps, const SizeWanted& sized)
        : fs_(fs), ui_(ui), file_names_(file_names), visit_(visit), gaps_(gaps), sized_(sized) {}

    void run(std::string_view root, std::span<const std::string> skip) {
        for (const auto& folder : skip) {
            std::string real;
            if (fs_.real_path(folder, real).ok()) skipped_.insert(to_lower(key_of(real)));
        }
        std::string real;
        // A root that can't be resolved is keyed as given; only links are compared with it.
        if (!fs_.real_path(std::string(root), real).ok()) real = std::string(root);
        walk_plain(std::string(path::without_trailing_separator(root)), real, "");
        // Links in the order met; following one may meet more.
        for (std::size_t i = 0; i < links_.size(); ++i) {
            const Link link = links_[i];
            std::string target;
            const FsStatus st = fs_.real_path(link.path, target);
            if (st.not_found()) continue;  // a link to nothing
            if (!st.ok()) {
                gaps_.unlisted.push_back(st.message);
                continue;
            }
            if (walked_.contains(key_of(target))) continue;
            walk_plain(link.path, target, link.first_link.empty() ? link.path : link.first_link);
        }
    }

  private:
    struct Link {
        std::string path;
        std::string first_link;  // the first link crossed to reach it, "" when none
    };
    struct Frame {
        std::string path;  // as reached, without a trailing separator
        std::string real;  // its key
        std::vector<ScannedFolder> subfolders;
        std::size_t next = 0;
    };

    // Walks the tree below `start` without following links, collecting the links it meets.
    void walk_plain(const std::string& start, const std::string& start_real,
                    const std::string& first_link) {
        std::vector<Frame> stack;
        auto enter = [&](std::string dir, std::string real) {
            if (!walked_.insert(key_of(real)).second) return;
            if (!skipped_.empty() && skipped_.contains(to_lower(key_of(real)))) return;
            ui_.yield();
            // What lies behind a link is counted at its own place, as a folder's size leaves
            // links out.
            scan_.sized = sized_ && first_link.empty() && sized_(dir);
            const FsStatus st = fs_.scan_folder(dir, file_names_, scan_);
            // A folder that vanished since its parent was listed lists as empty.
            if (st.not_found()) return;
            if (!st.ok()) {
                gaps_.unlisted.push_back(st.message);
                return;
            }
            for (const auto& name : scan_.unreachable)
                gaps_.unreachable.push_back(path::join(dir, name));
            visit_(FoundFolder{dir, scan_.matches, first_link, scan_.subfolders, scan_.suffixed,
                               scan_.sized, scan_.files, scan_.bytes, scan_.size_partial});
            stack.push_back({std::move(dir), std::move(real), std::move(scan_.subfolders), 0});
        };
        enter(start, start_real);
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.next == top.subfolders.size()) {
                stack.pop_back();
                continue;
            }
            const ScannedFolder& sub = top.subfolders[top.next++];
            std::string child = path::join(top.path, sub.name);
            if (sub.link) {
                links_.push_back({std::move(child), first_link});
                continue;
            }
            std::string real = path::join(top.real, sub.name);
            enter(std::move(child), std::move(real));
        }
    }

    FileSystem& fs_;
    UiPort& ui_;
    std::span<const std::string> file_names_;
    const FolderVisitor& visit_;
    WalkGaps& gaps_;
    const SizeWanted& sized_;
    FolderScan scan_;
    std::unordered_set<std::string> walked_;
    std::unordered_set<std::string> skipped_;
    std::vector<Link> links_;
};

}  // namespace

void walk_folders(FileSystem& fs, UiPort& ui, std::string_view root,
                  std::span<const std::string> file_names, const FolderVisitor& visit,
                  WalkGaps& gaps, std::span<const std::string> skip, const SizeWanted& sized) {
    Walk(fs, ui, file_names, visit, gaps, sized).run(root, skip);
}

}  // namespace qv
