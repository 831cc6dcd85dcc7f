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

std::string HeldNames::claim(const std::string& folder, std::string_view name) {
    const std::string key = to_lower(folder);
    auto [it, fresh] = taken_.try_emplace(key);
    std::set<std::string>& taken = it->second;
    if (fresh) {
        std::vector<std::string> names;
        fs_.list(path::join(folder, "*.*"), ListFilter::everything, names);
        for (const auto& n : names) taken.insert(to_lower(n));
    }
    std::string candidate(name);
    for (int n = 2; taken.contains(to_lower(candidate)); ++n)
        candidate = std::string(name) + "." + std::to_string(n);
    taken.insert(to_lower(candidate));
    return path::join(folder, candidate);
}

}  // namespace qv
