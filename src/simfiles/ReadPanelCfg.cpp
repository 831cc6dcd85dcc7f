#include "simfiles/ReadPanelCfg.h"

#include "simfiles/ParseGaugeEntries.h"
#include "simfiles/WholeText.h"

namespace qv {

PanelRecord MakePanelRecord(const std::string& folder, std::string_view whole_text) {
    PanelRecord record;
    record.folder = folder;
    record.has_alias = HasPanelAlias(whole_text);
    record.gauges = ParseGaugeEntries(whole_text);
    return record;
}

void ReadPanelCfg(FileSystem& fs, Catalogue& catalogue, const std::string& folder,
                  const std::string& file_name) {
    const std::string whole_text = ReadWholeText(fs, folder, file_name);
    catalogue.panel_table.push_back(MakePanelRecord(folder, whole_text));
}

}  // namespace qv
