// aircraft.cfg: where its sections lie, the values they give, and the renumbering of a rewrite
// (the removal tests check the files it writes).
#include "simfiles/AircraftCfg.h"

#include <gtest/gtest.h>

#include <random>

#include "simfiles/WholeText.h"
#include "support/References.h"

namespace qv {
namespace {

std::vector<std::string> section_texts(std::string_view whole) {
    std::vector<std::string> out;
    for (const auto& s : find_aircraft_sections(whole))
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
    for (const auto& [file, sections] : cases) {
        EXPECT_EQ(section_texts(join_whole_text(file)), sections) << file;
        EXPECT_EQ(test::plain_aircraft_sections(join_whole_text(file)), sections) << file;
    }
}

TEST(AircraftSections, RecordsHoldTheirSectionsValuesAsTheSimulatorReadsThem) {
    // Spellings from real packages: keys aligned with tabs, blanks around the "=", comment lines
    // before the real keys, an older value commented out, keys inside longer keys.
    const std::string whole = join_whole_text(
        "\xEF\xBB\xBF\r\n[General]\r\nsim=GeneralSim\r\n\r\n[FLTSIM.0]\r\n"
        "Title = Jodel DR-1050 \r\n//texture=Old\r\n;sim=Old\r\nmy_sim=A\r\n"
        "\tsim\t\t=\tbravo ; flight model\r\nMODEL=\r\n  kb_checklists= hampden_check\r\n"
        "xtitle=X\r\ntexture=Blue\r\ntexture=Second\r\n"
        "[fltsim.1]\r\nsound=\"S\"\r\nmodel = \t\r\nchecklist=C\r\nkb_reference=R\r\n"
        "[fltsim.2]\r\n title=Last");
    Catalogue catalogue;
    read_aircraft_sections("C:\\a", whole, catalogue.aircraft_table);

    using V = std::vector<std::string>;
    auto fields = [](const AircraftRecord& r) {
        return V{r.folder, r.title,   r.sim,       r.model,         r.panel,
                 r.sound,  r.texture, r.checklist, r.kb_checklists, r.kb_reference};
    };
    ASSERT_EQ(catalogue.aircraft_table.size(), 3u);
    EXPECT_EQ(fields(catalogue.aircraft_table[0]),
              (V{"C:\\a", "Jodel DR-1050", "bravo ; flight model", "", "", "", "Blue", "",
                 "hampden_check", ""}));
    EXPECT_EQ(fields(catalogue.aircraft_table[1]),
              (V{"C:\\a", "", "", "", "", "\"S\"", "", "C", "", "R"}));
    EXPECT_EQ(catalogue.aircraft_table[2].title, "Last");
    // Section index k is the k-th span of the same text: a removal re-cuts exactly this section.
    const auto spans = find_aircraft_sections(whole);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(catalogue.aircraft_table[k].section_index, k);
        EXPECT_EQ(catalogue.aircraft_table[k].section_text,
                  whole.substr(spans[k].start, spans[k].length));
    }
}

TEST(SectionValues, ManyKeysAtOnceEqualThePlainRuleOnRandomText) {
    std::mt19937 rng(7);
    const std::vector<std::string> pieces = {"a",  "b",    "A", "=",    " ",    "\t", ";",  "/",
                                             "//", "\r\n", "_", "\xC9", "\xE9", "ab", "sim"};
    const std::vector<std::string> keys = {"a", "ab", "b_a", "ba", "aab", "\xE9", "sim"};
    const std::vector<std::string_view> key_views(keys.begin(), keys.end());
    std::vector<std::string_view> values(keys.size());
    for (int round = 0; round < 3000; ++round) {
        std::string section;
        for (auto i = rng() % 30; i > 0; --i) section += pieces[rng() % pieces.size()];
        find_section_values(section, key_views, values);
        for (std::size_t k = 0; k < keys.size(); ++k)
            ASSERT_EQ(values[k], test::plain_value(section, keys[k]))
                << testing::PrintToString(section) << " key " << keys[k];
    }
}

TEST(RenumberAircraftSections, GivesEveryAircraftHeaderItsOwnNumberInTextOrder) {
    const struct {
        const char* name;
        std::string before, after;
    } cases[] = {
        {"gap after a cut", "[fltsim.0]\r\na=1\r\n[fltsim.2]\r\nb=2\r\n[fltsim.3]\r\nc=3",
         "[fltsim.0]\r\na=1\r\n[fltsim.1]\r\nb=2\r\n[fltsim.2]\r\nc=3"},
        {"no aircraft header", "[General]\r\natc_type=x\r\n", "[General]\r\natc_type=x\r\n"},
        {"upper case", "[General]\r\n[FLTSIM.7]\r\ntitle=T", "[General]\r\n[fltsim.0]\r\ntitle=T"},
        {"twin headers", "[fltsim.1]\r\nx\r\n[fltsim.1]\r\nx",
         "[fltsim.0]\r\nx\r\n[fltsim.1]\r\nx"},
        {"descending", "[fltsim.1]\r\n[fltsim.0]", "[fltsim.0]\r\n[fltsim.1]"},
        {"not headers", "; see [fltsim.3]\r\nx=[fltsim.4]\r\n[fltsim.5\r\n[fltsim.9]",
         "; see [fltsim.3]\r\nx=[fltsim.4]\r\n[fltsim.5\r\n[fltsim.0]"},
        {"indented, spaces kept", "  [fltsim.x]  \r\n[fltsim]", "  [fltsim.0]  \r\n[fltsim]"},
        {"unnumbered header takes no number", "[fltsim]\r\n[fltsim.4]", "[fltsim]\r\n[fltsim.0]"},
        {"empty", "", ""},
        {"empty lines kept", "\r\n[fltsim.3]\r\n\r\n", "\r\n[fltsim.0]\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.before;
        renumber_aircraft_sections(text);
        EXPECT_EQ(text, c.after);
        EXPECT_EQ(test::plain_renumbered(c.before), c.after);
    }
}

}  // namespace
}  // namespace qv
