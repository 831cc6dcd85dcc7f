#include "operations/HoldingFolder.h"

#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {

std::string aircraft_rel_path(const Workspace& workspace, std::string_view aircraft_folder) {
    std::string rel;
    if (path::is_inside(aircraft_folder, workspace.sim_aircraft_dir)) {
        // The components below the aircraft folder, as many as the folder has more.
        std::string_view rest = aircraft_folder;
        std::string_view up = aircraft_folder;
        while (path::is_inside(path::parent(up), workspace.sim_aircraft_dir)) up = path::parent(up);
        rest.remove_prefix(path::parent(up).size());
        if (auto clean = path::clean_relative(rest)) rel = *clean;
    }
    if (rel.empty()) {
        if (auto clean = path::clean_relative(path::last_part(aircraft_folder))) rel = *clean;
    }
    if (rel.empty()) rel = "aircraft";
    return to_lower(rel);
}

FsStatus make_folder_chain(FileSystem& fs, const std::string& base, std::string_view rel,
                           std::vector<std::string>* created) {
    std::string current = base;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rel.size(); ++i) {
        if (i < rel.size() && !path::is_separator(rel[i])) continue;
        const std::string_view part = rel.substr(start, i - start);
        start = i + 1;
        if (part.empty()) continue;
        current = path::join(current, part);
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

std::string next_backup_name(FileSystem& fs, const std::string& holding_dir) {
    constexpr int kMaxBackups = 9999;
    for (int n = 1; n <= kMaxBackups; ++n) {
        std::string name =
            n == 1 ? std::string("aircraft.cfg") : "aircraft.cfg." + std::to_string(n);
        Attributes a;
        if (fs.attributes(path::join(holding_dir, name), a).not_found()) return name;
    }
    return {};
}

void hold_file(FileSystem& fs, const std::string& source, const std::string& destination,
               LeftOver& left) {
    Attributes a;
    FsStatus st = fs.attributes(source, a);
    if (st.not_found()) return;
    if (!st.ok()) {
        left.add(source, st.message);
        return;
    }
    if (a.link || a.directory) {
        left.add(source, a.link ? "a link, left as it is" : "a folder, not a file");
        return;
    }
    Attributes d;
    st = fs.attributes(destination, d);
    if (st.ok() && (d.link || d.directory)) {
        left.add(source, destination + (d.link ? " is a link" : " is a folder"));
        return;
    }
    st = fs.copy_file(source, destination);
    if (!st.ok()) {
        left.add(source, st.message);
        return;
    }
    st = fs.delete_file(source);
    if (!st.ok())
        left.add(source, "copied into the holding folder, but not deleted: " + st.message, true);
}

}  // namespace qv
