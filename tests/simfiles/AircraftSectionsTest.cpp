#include <gtest/gtest.h>

#include "simfiles/AircraftSections.h"
#include "simfiles/ReadAircraftCfg.h"
#include "simfiles/WholeText.h"
#include "support/RecordingUi.h"

namespace qv {
namespace {

std::vector<std::string> SectionTexts(std::string_view whole) {
    std::vector<std::string> out;
    for (const auto& s : FindAircraftSections(whole))
        out.emplace_back(whole.substr(s.start, s.length));
    return out;
}

TEST(AircraftSections, CutAtEachHeaderLineOfAnySection) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"[General]\r\natc_type=X\r\n[fltsim.0]\r\ntitle=A\r\n[FLTSIM.1]\r\ntitle=B\r\n"
         "[WEIGHT_AND_BALANCE]\r\nmax=1",
         {"[fltsim.0]\r\ntitle=A\r\n", "[FLTSIM.1]\r\ntitle=B\r\n"}},
        // The last section runs to the end of the text; header lines keep their spaces.
        {"[General]\n  [fltsim]  \ntitle=A\n", {"  [fltsim]  \r\ntitle=A"}},
        // Not header lines: a "]" before the end, text before the "[", a tab before it.
        {"[fltsim.0]\ntitle=A\n[a]b]\nx[abc]\n\t[x]\n[abc\n",
         {"[fltsim.0]\r\ntitle=A\r\n[a]b]\r\nx[abc]\r\n\t[x]\r\n[abc"}},
        // A section named like a header elsewhere in the text is cut at its own line.
        {"[fltsim.0]\nui=[fltsim.1]\n[fltsim.1]\ntitle=B",
         {"[fltsim.0]\r\nui=[fltsim.1]\r\n", "[fltsim.1]\r\ntitle=B"}},
        // Two headers of the same text: each section keeps its own text.
        {"[fltsim.0]\ntitle=A\n[fltsim.0]\ntitle=B",
         {"[fltsim.0]\r\ntitle=A\r\n", "[fltsim.0]\r\ntitle=B"}},
        {"", {}},
    };
    for (const auto& [file, sections] : cases)
        EXPECT_EQ(SectionTexts(JoinWholeText(file)), sections) << file;
}

TEST(AircraftSections, RecordsHoldTheirSectionsValuesUntrimmed) {
    const std::string whole = JoinWholeText(
        "\r\n\r\n[General]\r\nsim=GeneralSim\r\n\r\n[fltsim.0]\r\nTitle= Test Plane \r\n"
        "my_sim=A\r\nsim=B\r\nMODEL=\r\npanel=2 ; comment\r\nkb_checklists=K\r\n"
        "[fltsim.1]\r\nsound=\"S\"\r\ntexture=T\r\nchecklist=C\r\nkb_reference=R\r\n"
        "[fltsim.2]\r\ntitle=Last");
    Catalogue catalogue;
    test::RecordingUi ui;
    AddAircraftSections(ui, catalogue, "C:\\a", whole);

    using V = std::vector<std::string>;
    auto fields = [](const AircraftRecord& r) {
        return V{r.folder, r.title,   r.sim,       r.model,         r.panel,
                 r.sound,  r.texture, r.checklist, r.kb_checklists, r.kb_reference};
    };
    ASSERT_EQ(catalogue.aircraft_table.size(), 3u);
    // The first occurrence wins, at the end of a longer key too; nothing comes from [General],
    // from a key that merely ends like another, or from the next section.
    EXPECT_EQ(fields(catalogue.aircraft_table[0]),
              (V{"C:\\a", " Test Plane ", "A", "", "2 ; comment", "", "", "", "K", ""}));
    EXPECT_EQ(fields(catalogue.aircraft_table[1]),
              (V{"C:\\a", "", "", "", "", "\"S\"", "T", "C", "", "R"}));
    // Section index k is the k-th span of the same text: a removal re-cuts exactly this section.
    const auto spans = FindAircraftSections(whole);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(catalogue.aircraft_table[k].section_index, k);
        EXPECT_EQ(catalogue.aircraft_table[k].section_text,
                  whole.substr(spans[k].start, spans[k].length));
    }
    // The untitled section is kept but not listed.
    EXPECT_EQ(ui.list, std::vector<std::string>({" Test Plane ", "Last"}));
    EXPECT_EQ(catalogue.list_records, std::vector<std::size_t>({0, 2}));
}

}  // namespace
}  // namespace qv
