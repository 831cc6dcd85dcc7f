#include "operations/SweepUnusedGauges.h"

#include "core/Messages.h"
#include "operations/GaugeIndex.h"
#include "platform/Text.h"
#include "simfiles/FsFailure.h"

namespace qv {
namespace {

// The simulator loads gauges from these kinds of files, packed or not; all are swept alike.
bool IsGaugeFile(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string ext = to_lower(name.substr(name.size() - 4));
    return ext == ".gau" || ext == ".zip" || ext == ".cab";
}

}  // namespace

void SweepUnusedGauges(FileSystem& fs, const SharedValues& values, UiPort& ui,
                       const Catalogue& catalogue) {
    if (!ui.question(msg::kSweepQuestion)) return;
    ui.SetProgressStatus(msg::kStatusSweeping);

    // Without a gauges folder the path is the main folder with a separator after it; the main
    // folder's own files are no gauges to sweep.
    const std::string& gauges_dir = values.fs_gauges_dir;
    if (gauges_dir.empty() || is_separator(gauges_dir.back())) return;

    std::vector<std::string> names;
    const std::string pattern = join_path(gauges_dir, "*.*");
    const FsStatus st = fs.list(pattern, ListFilter::normal_files, names);
    if (!st.ok()) ThrowFsFailure(st, "Can't list the folder", gauges_dir);
    std::erase_if(names, [](const std::string& name) { return !IsGaugeFile(name); });
    if (names.empty()) return;

    std::vector<std::string_view> stems;
    stems.reserve(names.size());
    for (const auto& name : names)
        stems.push_back(std::string_view(name).substr(0, name.size() - 4));
    const std::vector<bool> used = FindUsedGauges(catalogue.panel_table, stems);

    for (std::size_t i = 0; i < names.size(); ++i) {
        if (used[i]) continue;
        const std::string& name = names[i];
        const std::string source = join_path(gauges_dir, name);
        // Failures are skipped without a word: a file whose copy failed stays where it is, and
        // one that could not be deleted after its copy stays in both places.
        if (fs.copy_file(source, join_path(values.unused_gauges_dir, name)).ok())
            fs.delete_file(source);
    }
}

}  // namespace qv
