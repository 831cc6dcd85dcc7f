// list and dump: the catalogue load as the main window runs it, then the catalogue on stdout.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/Commands.h"
#include "operations/CatalogueLoad.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

std::string utf8_json(const std::string& text) {
    return nlohmann::json(cp1252_to_utf8(text)).dump();
}

nlohmann::ordered_json aircraft_json(const AircraftRecord& r) {
    nlohmann::ordered_json j;
    j["folder"] = cp1252_to_utf8(path::with_native_separators(r.folder));
    j["title"] = cp1252_to_utf8(r.title);
    j["sim"] = cp1252_to_utf8(r.sim);
    j["model"] = cp1252_to_utf8(r.model);
    j["panel"] = cp1252_to_utf8(r.panel);
    j["sound"] = cp1252_to_utf8(r.sound);
    j["texture"] = cp1252_to_utf8(r.texture);
    j["checklist"] = cp1252_to_utf8(r.checklist);
    j["kb_checklists"] = cp1252_to_utf8(r.kb_checklists);
    j["kb_reference"] = cp1252_to_utf8(r.kb_reference);
    j["section_text"] = cp1252_to_utf8(r.section_text);
    return j;
}

nlohmann::ordered_json panel_json(const PanelRecord& r) {
    nlohmann::ordered_json j;
    j["folder"] = cp1252_to_utf8(path::with_native_separators(r.folder));
    j["gauges"] = cp1252_to_utf8(r.gauges);
    j["has_alias"] = r.has_alias;
    return j;
}

// Writes `items` as the members of a JSON array, one record at a time: a large catalogue is
// never held twice in memory as a document.
template <typename Items, typename ToText>
void write_array(const Items& items, ToText to_text) {
    write_out("[");
    bool first = true;
    for (const auto& item : items) {
        write_out(first ? "\n" : ",\n");
        first = false;
        write_out(to_text(item));
    }
    write_out(first ? "]" : "\n]");
}

}  // namespace

int run_list(Context& ctx) {
    Catalogue catalogue;
    load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    std::string line;
    for (const std::size_t index : catalogue.list_records) {
        line = cp1252_to_utf8(printable(catalogue.aircraft_table[index].title));
        line += '\n';
        write_out(line);
    }
    std::fflush(stdout);
    return kExitDone;
}

int run_dump(Context& ctx) {
    Catalogue catalogue;
    load_catalogue(ctx.fs, ctx.workspace, ctx.ui, catalogue);
    write_out("{\"aircraft\": ");
    write_array(catalogue.aircraft_table,
                [](const AircraftRecord& r) { return aircraft_json(r).dump(); });
    write_out(",\n\"panels\": ");
    write_array(catalogue.panel_table, [](const PanelRecord& r) { return panel_json(r).dump(); });
    write_out(",\n\"list\": ");
    write_array(catalogue.list_records, [&](std::size_t index) {
        return utf8_json(catalogue.aircraft_table[index].title);
    });
    write_out("}\n");
    std::fflush(stdout);
    return kExitDone;
}

}  // namespace qv::cli
