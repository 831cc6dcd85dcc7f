// What the program knows of the simulator's aircraft and panels after a load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One aircraft section ("[fltsim...]") of one aircraft.cfg. Values are the rest of the key's line
// after "=", without the blanks at its ends, in the file's case; "" when the section has no such
// key.
struct AircraftRecord {
    std::string folder;  // folder holding the aircraft.cfg, no trailing separator
    std::string title;
    std::string sim;
    std::string model;
    std::string panel;
    std::string sound;
    std::string texture;
    std::string checklist;
    std::string kb_checklists;
    std::string kb_reference;
    std::string section_text;  // the section's text, header line first, as cut from the file
    // Which aircraft section of its file this is (0 for the first "[fltsim" header), so a removal
    // cuts exactly this section even when another one has the same text or title.
    std::size_t section_index = 0;
    // The first link or junction on the way from the simulator's aircraft folder to `folder`, ""
    // when there is none. Nothing is ever moved through a link.
    std::string through_link;
};

// One panel.cfg.
struct PanelRecord {
    std::string folder;  // folder holding the panel.cfg, no trailing separator
    // Gauge entries ("name!" or "name,"), CR LF separated, closed by "-end of list-" when any.
    std::string gauges;
    bool has_alias = false;  // the file contains "alias=" in any case
    std::string alias;       // the first alias's value (a folder below Aircraft), "" when none
    // What its folder offers as gauges: its .gau, .cab and .dll files and its subfolders.
    std::vector<std::string> own_gauges;
};

// What the collection check needs to know of a folder the walk entered, kept for the folders
// directly below the aircraft folder, the folders holding an aircraft.cfg, the model folders
// ("model", "model.<x>", any case) and the model, texture, panel and sound folders no section
// names.
struct FolderRecord {
    std::string folder;  // no trailing separator
    bool top = false;    // directly below the aircraft folder
    bool holds_cfg = false;
    bool model_like = false;
    bool has_model_file = false;          // a ".mdl" file in it
    std::vector<std::string> subfolders;  // of a folder holding an aircraft.cfg
    std::vector<std::string> links;       // those of them that are links or junctions
    std::vector<std::string> air_files;   // its ".air" files
    // A model, texture, panel or sound folder of an aircraft folder that no section of its
    // aircraft.cfg names, as the walk counted it: its files, everything below it included, and
    // their bytes. `measured` is false when the walk could not count them whole.
    bool measured = false;
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

inline constexpr const char* kEndOfGaugeList = "-end of list-";

// The catalogue the main window works from; rebuilt from nothing by every load.
struct Catalogue {
    std::vector<AircraftRecord> aircraft_table;
    std::vector<PanelRecord> panel_table;
    std::vector<FolderRecord> folder_table;
    // The panels of removals held in Temp_Path: they still name their gauges, which stay until
    // the removal is emptied, so that it can be put back whole.
    std::vector<PanelRecord> held_panels;
    // The aircraft list: for each list position, the index of its record in aircraft_table.
    std::vector<std::size_t> list_records;
    // What the load passed over, each naming the file or folder and why. When a panel.cfg or a
    // folder is among it, a panel may be missing from panel_table, so no gauge file may be judged
    // unused.
    std::vector<std::string> skipped;
    bool gauges_incomplete = false;
    // How many whole walks built it so far (an update after a removal is no walk).
    std::size_t walks = 0;

    void clear() {
        aircraft_table.clear();
        panel_table.clear();
        folder_table.clear();
        held_panels.clear();
        list_records.clear();
        skipped.clear();
        gauges_incomplete = false;
    }
};

}  // namespace qv
