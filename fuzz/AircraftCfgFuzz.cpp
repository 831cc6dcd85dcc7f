// The aircraft.cfg reader on any bytes: the whole text, the aircraft sections and every value of
// every record are the plain rules'.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Mismatch.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/WholeText.h"
#include "support/References.h"

namespace {

using Field = std::string qv::AircraftRecord::*;
const std::pair<const char*, Field> kFields[] = {
    {"title", &qv::AircraftRecord::title},
    {"sim", &qv::AircraftRecord::sim},
    {"model", &qv::AircraftRecord::model},
    {"panel", &qv::AircraftRecord::panel},
    {"sound", &qv::AircraftRecord::sound},
    {"texture", &qv::AircraftRecord::texture},
    {"checklist", &qv::AircraftRecord::checklist},
    {"kb_checklists", &qv::AircraftRecord::kb_checklists},
    {"kb_reference", &qv::AircraftRecord::kb_reference},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv::fuzz;
    const std::string_view bytes = bytes_of(data, size);
    const std::string whole = qv::join_whole_text(bytes);
    require_equal(whole, qv::test::plain_whole_text(bytes), "whole text");

    std::vector<qv::AircraftRecord> records;
    read_aircraft_sections("C:\\a", whole, records);
    const std::vector<std::string> sections = qv::test::plain_aircraft_sections(whole);
    require(records.size() == sections.size(), "number of aircraft sections");
    for (std::size_t k = 0; k < records.size(); ++k) {
        const qv::AircraftRecord& record = records[k];
        require(record.section_index == k, "section index");
        require_equal(record.section_text, sections[k], "section text");
        for (const auto& [key, field] : kFields)
            require_equal(record.*field, qv::test::plain_value(sections[k], key), key);
    }
    return 0;
}
