#include "simfiles/DeleteFolderTree.h"

namespace qv {
namespace {

class TreeDeleter {
  public:
    TreeDeleter(FileSystem& fs, TreeDeletion& result) : fs_(fs), result_(result) {}

    // False once an operation failed: the deletion ends there, at every level.
    bool Empty(const std::string& folder) {
        if (!DeleteFiles(folder, ListFilter::normal_files)) return false;
        // The second pass finds the hidden files the first one could not see.
        if (!DeleteFiles(folder, ListFilter::normal_and_hidden_files)) return false;

        std::vector<std::string> names;
        if (!Check(fs_.list(join_path(folder, "*.*"), ListFilter::entries_and_directories, names)))
            return false;
        std::vector<std::string> subfolders;
        for (const auto& name : names) {
            const std::string path = join_path(folder, name);
            Attributes a;
            const FsStatus st = fs_.attributes(path, a);
            if (st.not_found()) continue;
            if (!Check(st)) return false;
            if (!a.directory) continue;
            if (a.link) {
                result_.links.push_back(path);
                continue;
            }
            subfolders.push_back(path);
        }
        for (const auto& sub : subfolders) {
            if (!Empty(sub)) return false;
            if (!Check(fs_.remove_folder(sub))) return false;
        }
        return true;
    }

  private:
    bool DeleteFiles(const std::string& folder, ListFilter filter) {
        std::vector<std::string> names;
        if (!Check(fs_.list(join_path(folder, "*.*"), filter, names))) return false;
        for (const auto& name : names) {
            const std::string path = join_path(folder, name);
            Attributes a;
            const FsStatus st = fs_.attributes(path, a);
            if (st.not_found()) continue;  // the first pass already deleted it
            if (!Check(st)) return false;
            if (a.directory) continue;
            if (a.link) {
                result_.links.push_back(path);
                continue;
            }
            if (!Check(fs_.set_normal(path)) || !Check(fs_.delete_file(path))) return false;
        }
        return true;
    }

    bool Check(FsStatus st) {
        if (st.ok()) return true;
        result_.failure = std::move(st);
        return false;
    }

    FileSystem& fs_;
    TreeDeletion& result_;
};

}  // namespace

TreeDeletion DeleteFolderTree(FileSystem& fs, const std::string& folder) {
    TreeDeletion result;
    std::string path = folder;
    while (path.size() > 1 && is_separator(path.back())) path.pop_back();
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
    TreeDeleter(fs, result).Empty(path);
    return result;
}

}  // namespace qv
