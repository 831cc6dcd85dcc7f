// A removal's rewrite of an aircraft.cfg: the first byte picks the aircraft section to cut, the
// rest is the file. The cut and renumbered text is the plain rule's, and every other aircraft
// section is still there, in order, the same section as before.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Mismatch.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/WholeText.h"
#include "support/References.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv::fuzz;
    if (size == 0) return 0;
    const std::string whole = qv::join_whole_text(bytes_of(data + 1, size - 1));
    const std::vector<qv::SectionSpan> before = qv::find_aircraft_sections(whole);
    if (before.empty()) return 0;
    const std::size_t cut = data[0] % before.size();

    std::string text = qv::cut_section(whole, before[cut]);
    qv::renumber_aircraft_sections(text);
    require_equal(text, qv::test::plain_cut_renumbered(whole, cut), "cut and renumbered text");

    const std::vector<qv::SectionSpan> after = qv::find_aircraft_sections(text);
    require(after.size() + 1 == before.size(), "number of sections left");
    for (std::size_t k = 0; k < after.size(); ++k) {
        const qv::SectionSpan& was = before[k < cut ? k : k + 1];
        require(qv::same_section(std::string_view(text).substr(after[k].start, after[k].length),
                                 std::string_view(whole).substr(was.start, was.length)),
                "a section left is the same section");
    }
    return 0;
}
