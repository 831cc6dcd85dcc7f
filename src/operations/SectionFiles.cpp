#include "operations/SectionFiles.h"

#include <optional>

#include "operations/HoldingFolder.h"
#include "platform/Path.h"

namespace qv {
namespace {

// A file named by a value ("sim", "checklist", ...), relative to the aircraft folder: moved to the
// same relative place in the holding folder, whose folders are made for it.
void hold_named_file(FileSystem& fs, const RemovalPlace& place, const std::string& rel_name,
                     LeftOver& left) {
    const auto rel = path::clean_relative(rel_name);
    if (!rel) return;
    const std::string source = path::join(place.aircraft.folder, *rel);
    // A folder on the way that is a link would carry the move out of the aircraft folder.
    std::string_view up = path::parent(*rel);
    while (!up.empty()) {
        Attributes a;
        const FsStatus st = fs.attributes(path::join(place.aircraft.folder, up), a);
        if (st.not_found()) return;
        if (st.ok() && a.link) {
            left.add(source, "reached through a link, left as it is");
            return;
        }
        up = path::parent(up);
    }
    Attributes a;
    if (fs.attributes(source, a).not_found()) return;
    const FsStatus st = make_folder_chain(fs, place.holding_dir, path::parent(*rel));
    if (!st.ok()) {
        left.add(source, st.message);
        return;
    }
    hold_file(fs, source, path::join(place.holding_dir, *rel), left);
}

void hold_folder_files(FileSystem& fs, const RemovalPlace& place, const char* word,
                       const std::string& value, LeftOver& left) {
    const std::string name = value.empty() ? std::string(word) : std::string(word) + "." + value;
    // The folder is an entry of the aircraft folder itself.
    const auto clean = path::clean_relative(name);
    if (!clean || *clean != name) return;
    const std::string destination = path::join(place.holding_dir, name);

    std::vector<std::string> found;
    const FsStatus listed = fs.list(path::join(place.aircraft.folder, name),
                                    ListFilter::entries_and_directories, found);
    std::optional<std::string> source;
    Attributes a;
    if (listed.ok() && !found.empty()) {
        source = path::join(place.aircraft.folder, found.front());
        if (!fs.attributes(*source, a).ok() || !a.directory) source.reset();
    }
    if (source && a.link) {
        left.add(*source, "a link, left as it is");
        return;
    }
    FsStatus st = make_folder_chain(fs, place.holding_dir, name);
    if (!st.ok()) {
        if (source) left.add(*source, st.message);
        return;
    }
    if (!source) return;

    std::vector<std::string> files;
    st = fs.list(path::join(*source, "*.*"), ListFilter::normal_files, files);
    if (!st.ok()) {
        left.add(*source, st.message);
        return;
    }
    for (const auto& file : files)
        hold_file(fs, path::join(*source, file), path::join(destination, file), left);
    // Fails when sub-folders, hidden or system files, or files that could not be moved are left:
    // those stay with the folder, as they should.
    fs.remove_folder(*source);
}

}  // namespace

CfgHold hold_aircraft_cfg(FileSystem& fs, const RemovalPlace& place, const std::string& cfg_text,
                          SectionSpan section, bool other_sections, LeftOver& left) {
    const std::string backup = next_backup_name(fs, place.holding_dir);
    if (backup.empty())
        return {CfgHold::Result::copy_failed,
                "every backup name in " + place.holding_dir + " is taken"};
    FsStatus st = fs.copy_file(place.cfg_path, path::join(place.holding_dir, backup));
    if (!st.ok()) return {CfgHold::Result::copy_failed, st.message};
    if (!other_sections) {
        st = fs.delete_file(place.cfg_path);
        if (!st.ok()) left.add(place.cfg_path, st.message, true);
        return {};
    }
    std::string text = cut_section(cfg_text, section);
    st = write_aircraft_cfg(fs, place.cfg_path, text);
    if (!st.ok()) return {CfgHold::Result::rewrite_failed, st.message};
    return {};
}

void hold_section_files(FileSystem& fs, const RemovalPlace& place, const Sharing& shared,
                        LeftOver& left) {
    const AircraftRecord& r = place.aircraft;
    if (!r.sim.empty() && !shared.sim) hold_named_file(fs, place, r.sim + ".air", left);
    if (!shared.model) hold_folder_files(fs, place, "model", r.model, left);
    if (!shared.panel) hold_folder_files(fs, place, "panel", r.panel, left);
    if (!shared.sound) hold_folder_files(fs, place, "sound", r.sound, left);
    if (!shared.texture) hold_folder_files(fs, place, "texture", r.texture, left);
    if (!r.checklist.empty() && !shared.checklist)
        hold_named_file(fs, place, r.checklist + ".cfg", left);
    if (!r.kb_checklists.empty() && !shared.kb_checklists)
        hold_named_file(fs, place, r.kb_checklists + ".txt", left);
    if (!r.kb_reference.empty() && !shared.kb_reference)
        hold_named_file(fs, place, r.kb_reference + ".txt", left);
}

}  // namespace qv
