#include "operations/MoveHeldFile.h"

namespace qv {

MoveResult MoveHeldFile(FileSystem& fs, const std::string& source, const std::string& destination,
                        LeftOver& left) {
    Attributes a;
    FsStatus st = fs.attributes(source, a);
    if (st.not_found()) return MoveResult::missing;
    if (!st.ok()) {
        left.add(source, st.message);
        return MoveResult::left;
    }
    if (a.link || a.directory) {
        left.add(source, a.link ? "a link, left as it is" : "a folder, not a file");
        return MoveResult::left;
    }
    Attributes d;
    st = fs.attributes(destination, d);
    if (st.ok() && (d.link || d.directory)) {
        left.add(source, destination + (d.link ? " is a link" : " is a folder"));
        return MoveResult::left;
    }
    st = fs.copy_file(source, destination);
    if (!st.ok()) {
        left.add(source, st.message);
        return MoveResult::left;
    }
    st = fs.delete_file(source);
    if (!st.ok()) {
        left.add(source, "copied into the holding folder, but not deleted: " + st.message, true);
        return MoveResult::left;
    }
    return MoveResult::moved;
}

}  // namespace qv
