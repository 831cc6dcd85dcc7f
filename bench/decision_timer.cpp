// Times, inside one process, the catalogue load and the unused-gauge decision that follows it:
// the command line can only show the sweep as the difference of two whole runs, which on a
// shared machine is smaller than the noise. bench/run builds this against quorvane_core.
//
//   decision_timer BASE_DIR RUNS
//
// BASE_DIR holds the settings file. Prints one JSON object: the best load, gauges-folder listing
// and decision times over RUNS runs, each as [wall, cpu] seconds, and how many gauge files were
// decided and found used.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "InProcess.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/GaugeIndex.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
    if (argc != 3 || !qv::set_current_directory(argv[1])) {
        std::fprintf(stderr, "usage: decision_timer BASE_DIR RUNS\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[2]));
    auto fs = qv::make_native_file_system();
    qv::Workspace workspace;
    bench::SilentUi ui;
    qv::Catalogue catalogue;
    try {
        qv::set_base_dir(*fs, workspace);
        qv::read_settings_file(*fs, workspace);
        const bench::Seconds load =
            bench::best_of(runs, [&] { qv::load_catalogue(*fs, workspace, ui, catalogue); });

        std::vector<std::string> names;
        const bench::Seconds listing = bench::best_of(runs, [&] {
            names.clear();
            fs->list(qv::path::join(workspace.sim_gauges_dir, "*.*"), qv::ListFilter::normal_files,
                     names);
            std::erase_if(names, [](const std::string& n) { return !qv::is_gauge_file(n); });
        });
        std::vector<std::string_view> stems;
        for (const auto& name : names)
            stems.push_back(std::string_view(name).substr(0, name.size() - 4));
        std::vector<std::string_view> lists;
        for (const auto& panel : catalogue.panel_table) lists.push_back(panel.gauges);
        std::vector<bool> used;
        const bench::Seconds decision =
            bench::best_of(runs, [&] { used = qv::find_used_gauges(lists, stems); });

        std::printf(
            "{\"load\": [%.6f, %.6f], \"listing\": [%.6f, %.6f], \"decision\": [%.6f, "
            "%.6f], \"files\": %zu, \"used\": %zu}\n",
            load.wall, load.cpu, listing.wall, listing.cpu, decision.wall, decision.cpu,
            stems.size(), static_cast<std::size_t>(std::count(used.begin(), used.end(), true)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 3;
    }
    return 0;
}
