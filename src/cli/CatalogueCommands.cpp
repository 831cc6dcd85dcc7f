// list and dump: the catalogue load as the main window runs it, then the catalogue on stdout.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/Commands.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

void Write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// Loads the catalogue; false (with the error reported) when the load failed.
bool Load(Context& ctx, Catalogue& catalogue) {
    try {
        LoadCatalogue(ctx.fs, ctx.values, ctx.ui, catalogue);
        return true;
    } catch (const OperationError& e) {
        ctx.ui.error(e.what());
        return false;
    }
}

std::string Utf8Json(const std::string& text) {
    return nlohmann::json(cp1252_to_utf8(text)).dump();
}

nlohmann::ordered_json AircraftJson(const AircraftRecord& r) {
    nlohmann::ordered_json j;
    j["folder"] = cp1252_to_utf8(r.folder);
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

nlohmann::ordered_json PanelJson(const PanelRecord& r) {
    nlohmann::ordered_json j;
    j["folder"] = cp1252_to_utf8(r.folder);
    j["gauges"] = cp1252_to_utf8(r.gauges);
    j["has_alias"] = r.has_alias;
    return j;
}

// Writes `items` as the members of a JSON array, one record at a time: a large catalogue is
// never held twice in memory as a document.
template <typename Items, typename ToText>
void WriteArray(const Items& items, ToText to_text) {
    Write("[");
    bool first = true;
    for (const auto& item : items) {
        Write(first ? "\n" : ",\n");
        first = false;
        Write(to_text(item));
    }
    Write(first ? "]" : "\n]");
}

}  // namespace

int RunList(Context& ctx) {
    Catalogue catalogue;
    if (!Load(ctx, catalogue)) return kExitError;
    std::string line;
    for (const std::size_t index : catalogue.list_records) {
        line = cp1252_to_utf8(catalogue.aircraft_table[index].title);
        line += '\n';
        Write(line);
    }
    std::fflush(stdout);
    return kExitDone;
}

int RunDump(Context& ctx) {
    Catalogue catalogue;
    if (!Load(ctx, catalogue)) return kExitError;
    Write("{\"aircraft\": ");
    WriteArray(catalogue.aircraft_table,
               [](const AircraftRecord& r) { return AircraftJson(r).dump(); });
    Write(",\n\"panels\": ");
    WriteArray(catalogue.panel_table, [](const PanelRecord& r) { return PanelJson(r).dump(); });
    Write(",\n\"list\": ");
    WriteArray(catalogue.list_records,
               [&](std::size_t index) { return Utf8Json(catalogue.aircraft_table[index].title); });
    Write("}\n");
    std::fflush(stdout);
    return kExitDone;
}

}  // namespace qv::cli
