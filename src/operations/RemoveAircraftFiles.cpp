#include "operations/RemoveAircraftFiles.h"

#include <optional>

#include "operations/HoldingFolder.h"
#include "operations/MoveHeldFile.h"
#include "operations/PathContainment.h"
#include "simfiles/WriteAircraftCfg.h"

namespace qv {
namespace {

constexpr int kMaxBackups = 9999;

// A file named by a value ("sim", "checklist", ...), relative to the aircraft folder: moved to the
// same relative place in the holding folder, whose folders are made for it.
void MoveNamedFile(FileSystem& fs, const RemovalPlace& place, const std::string& rel_name,
                   LeftOver& left) {
    const auto rel = CleanRelativePath(rel_name);
    if (!rel) return;
    const std::string source = join_path(place.aircraft.folder, *rel);
    // A folder on the way that is a link would carry the move out of the aircraft folder.
    std::string_view up = ParentPath(*rel);
    while (!up.empty()) {
        Attributes a;
        const FsStatus st = fs.attributes(join_path(place.aircraft.folder, up), a);
        if (st.not_found()) return;
        if (st.ok() && a.link) {
            left.add(source, "reached through a link, left as it is");
            return;
        }
        up = ParentPath(up);
    }
    Attributes a;
    if (fs.attributes(source, a).not_found()) return;
    const FsStatus st = MakeFolderChain(fs, place.holding_dir, ParentPath(*rel));
    if (!st.ok()) {
        left.add(source, st.message);
        return;
    }
    MoveHeldFile(fs, source, join_path(place.holding_dir, *rel), left);
}

void MoveFolderFiles(FileSystem& fs, const RemovalPlace& place, const char* word,
                     const std::string& value, LeftOver& left) {
    const std::string name = value.empty() ? std::string(word) : std::string(word) + "." + value;
    // The folder is an entry of the aircraft folder itself.
    const auto clean = CleanRelativePath(name);
    if (!clean || *clean != name) return;
    const std::string destination = join_path(place.holding_dir, name);

    std::vector<std::string> found;
    const FsStatus listed =
        fs.list(join_path(place.aircraft.folder, name), ListFilter::entries_and_directories, found);
    std::optional<std::string> source;
    Attributes a;
    if (listed.ok() && !found.empty()) {
        source = join_path(place.aircraft.folder, found.front());
        if (!fs.attributes(*source, a).ok() || !a.directory) source.reset();
    }
    if (source && a.link) {
        left.add(*source, "a link, left as it is");
        return;
    }
    FsStatus st = MakeFolderChain(fs, place.holding_dir, name);
    if (!st.ok()) {
        if (source) left.add(*source, st.message);
        return;
    }
    if (!source) return;

    std::vector<std::string> files;
    st = fs.list(join_path(*source, "*.*"), ListFilter::normal_files, files);
    if (!st.ok()) {
        left.add(*source, st.message);
        return;
    }
    for (const auto& file : files)
        MoveHeldFile(fs, join_path(*source, file), join_path(destination, file), left);
    // Fails when sub-folders, hidden or system files, or files that could not be moved are left:
    // those stay with the folder, as they should.
    fs.remove_folder(*source);
}

}  // namespace

std::string NextBackupName(FileSystem& fs, const std::string& holding_dir) {
    for (int n = 1; n <= kMaxBackups; ++n) {
        std::string name =
            n == 1 ? std::string("aircraft.cfg") : "aircraft.cfg." + std::to_string(n);
        Attributes a;
        if (fs.attributes(join_path(holding_dir, name), a).not_found()) return name;
    }
    return {};
}

CfgHold HoldAircraftCfg(FileSystem& fs, const RemovalPlace& place, const std::string& cfg_text,
                        SectionSpan section, bool other_sections, LeftOver& left,
                        std::string& failure) {
    const std::string backup = NextBackupName(fs, place.holding_dir);
    if (backup.empty()) {
        failure = "every backup name in " + place.holding_dir + " is taken";
        return CfgHold::copy_failed;
    }
    FsStatus st = fs.copy_file(place.cfg_path, join_path(place.holding_dir, backup));
    if (!st.ok()) {
        failure = st.message;
        return CfgHold::copy_failed;
    }
    if (!other_sections) {
        st = fs.delete_file(place.cfg_path);
        if (!st.ok()) left.add(place.cfg_path, st.message, true);
        return CfgHold::held;
    }
    // The section's lines go; the text keeps its other lines joined by CR LF, none at the end.
    std::string text = cfg_text;
    std::size_t start = section.start;
    if (section.start + section.length == text.size() && start >= 2 &&
        text.compare(start - 2, 2, "\r\n") == 0)
        start -= 2;
    text.erase(start, section.start + section.length - start);
    st = WriteAircraftCfg(fs, place.cfg_path, text);
    if (!st.ok()) {
        failure = st.message;
        return CfgHold::rewrite_failed;
    }
    return CfgHold::held;
}

void RemoveAircraftFiles(FileSystem& fs, const RemovalPlace& place, const SharingFlags& flags,
                         LeftOver& left) {
    const AircraftRecord& r = place.aircraft;
    if (!r.sim.empty() && flags.sim_unshared) MoveNamedFile(fs, place, r.sim + ".air", left);
    if (flags.model_unshared) MoveFolderFiles(fs, place, "model", r.model, left);
    if (flags.panel_unshared) MoveFolderFiles(fs, place, "panel", r.panel, left);
    if (flags.sound_unshared) MoveFolderFiles(fs, place, "sound", r.sound, left);
    if (flags.texture_unshared) MoveFolderFiles(fs, place, "texture", r.texture, left);
    if (!r.checklist.empty() && flags.checklist_unshared)
        MoveNamedFile(fs, place, r.checklist + ".cfg", left);
    if (!r.kb_checklists.empty() && flags.kb_checklists_unshared)
        MoveNamedFile(fs, place, r.kb_checklists + ".txt", left);
    if (!r.kb_reference.empty() && flags.kb_reference_unshared)
        MoveNamedFile(fs, place, r.kb_reference + ".txt", left);
}

}  // namespace qv
