#include "simfiles/TreeDeletion.h"

#include "platform/Path.h"

namespace qv {
namespace {

class TreeDeleter {
  public:
    TreeDeleter(FileSystem& fs, TreeDeletion& result) : fs_(fs), result_(result) {}

    void empty_folder(const std::string& folder) {
        std::vector<std::string> names;
        if (!check(fs_.list(path::join(folder, "*.*"), ListFilter::everything, names))) return;
        for (const auto& name : names) {
            const std::string path = path::join(folder, name);
            Attributes a;
            const FsStatus st = fs_.attributes(path, a);
            if (st.not_found()) continue;
            if (!check(st)) continue;
            if (a.link) {
                result_.links.push_back(path);
                continue;
            }
            if (a.hidden || a.system || a.read_only)
                if (!check(fs_.set_attributes(path, Attributes{}))) continue;
            if (a.directory) {
                empty_folder(path);
                check(fs_.remove_folder(path));
            } else {
                check(fs_.delete_file(path));
            }
        }
    }

  private:
    bool check(FsStatus st) {
        if (st.ok() || st.not_found()) return true;
        result_.failures.push_back(std::move(st));
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
        result.failures.push_back(st);
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
