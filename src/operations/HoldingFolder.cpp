#include "operations/HoldingFolder.h"

#include "operations/PathContainment.h"
#include "platform/Text.h"

namespace qv {

std::string AircraftRelPath(const SharedValues& values, std::string_view aircraft_folder) {
    std::string rel;
    if (IsInside(aircraft_folder, values.fs_aircraft_dir)) {
        // The components below the aircraft folder, as many as the folder has more.
        std::string_view rest = aircraft_folder;
        std::string_view up = aircraft_folder;
        while (IsInside(ParentPath(up), values.fs_aircraft_dir)) up = ParentPath(up);
        rest.remove_prefix(ParentPath(up).size());
        if (auto clean = CleanRelativePath(rest)) rel = *clean;
    }
    if (rel.empty()) {
        if (auto clean = CleanRelativePath(last_component(aircraft_folder))) rel = *clean;
    }
    if (rel.empty()) rel = "aircraft";
    return to_lower(rel);
}

FsStatus MakeFolderChain(FileSystem& fs, const std::string& base, std::string_view rel,
                         std::vector<std::string>* created) {
    std::string current = base;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rel.size(); ++i) {
        if (i < rel.size() && !is_separator(rel[i])) continue;
        const std::string_view part = rel.substr(start, i - start);
        start = i + 1;
        if (part.empty()) continue;
        current = join_path(current, part);
        Attributes a;
        FsStatus st = fs.attributes(current, a);
        if (st.ok()) {
            if (a.link) return {FsError::failed, current + " is a link to another folder"};
            if (!a.directory) return {FsError::failed, current + " is a file, not a folder"};
            continue;
        }
        if (!st.not_found()) return st;
        st = fs.create_folder(current);
        if (!st.ok()) return st;
        if (created) created->push_back(current);
    }
    return FsStatus::success();
}

}  // namespace qv
