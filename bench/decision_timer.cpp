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
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"
#include "core/UiPort.h"
#include "operations/CatalogueLoad.h"
#include "operations/GaugeIndex.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace {

// Answers No to the sweep question and shows nothing.
class SilentUi : public qv::UiPort {
  public:
    void notice(const std::string&) override {}
    void warning(const std::string&) override {}
    void show_progress() override {}
    void set_progress_range(int) override {}
    void set_progress_status(const std::string&) override {}
    void step_progress() override {}
    void close_progress() override {}
    void yield() override {}

  protected:
    bool on_ask(qv::Question, const std::string&) override { return false; }
};

struct Best {
    double wall = 1e300;  // seconds
    double cpu = 1e300;   // seconds of processor time of this process
};

template <typename Work>
Best best_of(int runs, Work work) {
    Best best;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu_start = std::clock();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        best.wall = std::min(best.wall, took.count());
        best.cpu = std::min(best.cpu, cpu);
    }
    return best;
}

bool is_gauge_file(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string ext = qv::to_lower(name.substr(name.size() - 4));
    return ext == ".gau" || ext == ".zip" || ext == ".cab";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !qv::set_current_directory(argv[1])) {
        std::fprintf(stderr, "usage: decision_timer BASE_DIR RUNS\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[2]));
    auto fs = qv::make_native_file_system();
    qv::Workspace workspace;
    SilentUi ui;
    qv::Catalogue catalogue;
    try {
        qv::set_base_dir(*fs, workspace);
        qv::read_settings_file(*fs, workspace);
        const Best load = best_of(runs, [&] { qv::load_catalogue(*fs, workspace, ui, catalogue); });

        std::vector<std::string> names;
        const Best listing = best_of(runs, [&] {
            names.clear();
            fs->list(qv::path::join(workspace.sim_gauges_dir, "*.*"), qv::ListFilter::normal_files,
                     names);
            std::erase_if(names, [](const std::string& n) { return !is_gauge_file(n); });
        });
        std::vector<std::string_view> stems;
        for (const auto& name : names)
            stems.push_back(std::string_view(name).substr(0, name.size() - 4));
        std::vector<std::string_view> lists;
        for (const auto& panel : catalogue.panel_table) lists.push_back(panel.gauges);
        std::vector<bool> used;
        const Best decision = best_of(runs, [&] { used = qv::find_used_gauges(lists, stems); });

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
