#include "simfiles/TreeDeletion.h"

#include "platform/Path.h"

namespace qv {
namespace {

class TreeDeleter {
  public:
    TreeDeleter(FileSystem& fs, TreeDeletion& result) : fs_(fs), result_(result) {}

    // False once an operation failed: the deletion ends there, at every level.
    bool empty_folder(const std::string& folder) {
        if (!delete_files(folder, ListFilter::normal_files)) return false;
        // The second pass finds the hidden files the first one could not see.
        if (!delete_files(folder, ListFilter::normal_and_hidden_files)) return false;

        std::vector<std::string> names;
        if (!check(fs_.list(path::join(folder, "*.*"), ListFilter::entries_and_directories, names)))
            return false;
        std::vector<std::string> subfolders;
        for (const auto& name : names) {
            const std::string path = path::join(folder, name);
            Attributes a;
            const FsStatus st = fs_.attributes(path, a);
            if (st.not_found()) continue;
            if (!check(st)) return false;
            if (!a.directory) continue;
            if (a.link) {
                result_.links.push_back(path);
                continue;
            }
            subfolders.push_back(path);
        }
        for (const auto& sub : subfolders) {
            if (!empty_folder(sub)) return false;
            if (!check(fs_.remove_folder(sub))) return false;
        }
        return true;
    }

  private:
    bool delete_files(const std::string& folder, ListFilter filter) {
        std::vector<std::string> names;
        if (!check(fs_.list(path::join(folder, "*.*"), filter, names))) return false;
        for (const auto& name : names) {
            const std::string path = path::join(folder, name);
            Attributes a;
            const FsStatus st = fs_.attributes(path, a);
            if (st.not_found()) continue;  // the first pass already deleted it
            if (!check(st)) return false;
            if (a.directory) continue;
            if (a.link) {
                result_.links.push_back(path);
                continue;
            }
            if (!check(fs_.set_attributes(path, Attributes{})) || !check(fs_.delete_file(path)))
                return false;
        }
        return true;
    }

    bool check(FsStatus st) {
        if (st.ok()) return true;
        result_.failure = std::move(st);
        return false;
    }

    FileSystem& fs_;
    TreeDeletion& result_;
};

}  // namespace

TreeDeletion delete_folder_tree(FileSystem& fs, const std::string& folder) {
    TreeDeletion result;
    const std::string path(path::without_trailing_separator(folder));
    Attributes a;
    const FsStatus st = fs.attributes(path, a);
    if (st.not_found()) return result;
    if (!st.ok()) {
        result.failure = st;
        return result;
    }
    if (a.link) {
        result.links.push_back(path);
        return result;
    }
    TreeDeleter(fs, result).empty_folder(path);
    return result;
}

}  // namespace qv
