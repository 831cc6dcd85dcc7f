// Times, inside one process, the removal steps of a batch against the same removals made one at
// a time: on the command line each removal comes with two catalogue loads, which would hide the
// removals' own cost. bench/run builds this against quorvane_core.
//
//   removal_timer BASE_DIR batch|single N...
//
// BASE_DIR holds the settings file; each N is a position in the aircraft list as first loaded.
// "batch" removes them all in one call, as `quorvane-cli remove '#N'...` does; "single" removes
// them in the same order one call each, the catalogue loaded again (untimed) before each, as a
// user removing them one after the other would. Prints one JSON object: the removal calls' time
// summed, as [wall, cpu] seconds, how many aircraft were removed and how many loads were made.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "InProcess.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/Removal.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace {

// An aircraft section told apart from every other, whatever its list position.
struct Section {
    std::string folder;
    std::string text;
};

Section section_at(const qv::Catalogue& catalogue, std::size_t position) {
    const qv::AircraftRecord& r = catalogue.aircraft_table.at(catalogue.list_records.at(position));
    return {r.folder, r.section_text};
}

// The list position of `wanted` in a catalogue loaded since, or -1.
std::ptrdiff_t position_of(const qv::Catalogue& catalogue, const Section& wanted) {
    for (std::size_t i = 0; i < catalogue.list_records.size(); ++i) {
        const qv::AircraftRecord& r = catalogue.aircraft_table[catalogue.list_records[i]];
        if (r.folder == wanted.folder && r.section_text == wanted.text)
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

bool removed(const qv::RemovalOutcome& outcome) {
    return outcome.result == qv::RemovalOutcome::Result::completed ||
           outcome.result == qv::RemovalOutcome::Result::left_over;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    if (argc < 4 || (mode != "batch" && mode != "single") || !qv::set_current_directory(argv[1])) {
        std::fprintf(stderr, "usage: removal_timer BASE_DIR batch|single N...\n");
        return 2;
    }
    std::vector<std::size_t> positions;
    for (int i = 3; i < argc; ++i) positions.push_back(std::strtoul(argv[i], nullptr, 10));

    auto fs = qv::make_native_file_system();
    qv::Workspace workspace;
    bench::SilentUi ui(true);
    qv::Catalogue catalogue;
    bench::Seconds steps;
    std::size_t count = 0;
    try {
        qv::set_base_dir(*fs, workspace);
        qv::read_settings_file(*fs, workspace);
        qv::load_catalogue(*fs, workspace, ui, catalogue);
        if (mode == "batch") {
            qv::RemovalOutcome outcome;
            steps = bench::timed(
                [&] { outcome = qv::remove_aircraft(*fs, workspace, ui, catalogue, positions); });
            if (removed(outcome)) count = positions.size();
            if (outcome.reload) qv::load_catalogue(*fs, workspace, ui, catalogue);
        } else {
            std::vector<Section> sections;
            for (std::size_t p : positions) sections.push_back(section_at(catalogue, p));
            for (std::size_t k = 0; k < sections.size(); ++k) {
                if (k > 0) qv::load_catalogue(*fs, workspace, ui, catalogue);
                const std::ptrdiff_t at = position_of(catalogue, sections[k]);
                if (at < 0) continue;
                qv::RemovalOutcome outcome;
                steps += bench::timed(
                    [&] { outcome = qv::remove_aircraft(*fs, workspace, ui, catalogue, at); });
                count += removed(outcome);
            }
            qv::load_catalogue(*fs, workspace, ui, catalogue);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 3;
    }
    std::printf("{\"removal\": [%.6f, %.6f], \"removed\": %zu, \"loads\": %d}\n", steps.wall,
                steps.cpu, count, ui.loads);
    return 0;
}
