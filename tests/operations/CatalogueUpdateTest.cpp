// After removals of first, middle and last sections, whole folders, batches mixing sections of
// one file, and restores in any order, the catalogue brought up to date by re-reading only the
// folders touched equals a fresh walk of the whole tree, field by field and in order.
#include <gtest/gtest.h>

#include <random>

#include "operations/HeldRemovals.h"
#include "operations/InstallationFixture.h"
#include "operations/Restore.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

// Says Yes to every confirmation and tosses a coin for the gauge and sweep questions.
class CoinUi final : public UiPort, public AircraftListSink {
  public:
    explicit CoinUi(std::mt19937& rng) : rng_(rng) {}
    void notice(const std::string&) override {}
    void warning(const std::string&) override {}
    void show_progress() override {}
    void set_progress_range(int) override {}
    void set_progress_status(const std::string&) override {}
    void step_progress() override {}
    void close_progress() override {}
    void yield() override {}
    void clear() override { list.clear(); }
    void add(const AircraftRecord& titled) override { list.push_back(titled.title); }
    std::vector<std::string> list;

  protected:
    bool on_ask(Question question, const std::string&) override {
        if (question == Question::remove_gauges || question == Question::sweep_unused_gauges)
            return rng_() % 2 == 0;
        return true;
    }

  private:
    std::mt19937& rng_;
};

void write_collection(TempFolder& tmp, int serial) {
    const std::string n = std::to_string(serial);
    tmp.write("FS/Aircraft/Single" + n + "/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Single " + n + "\r\nsim=s\r\ntexture=\r\n");
    write_files(tmp, "FS\\Aircraft\\Single" + n, {"s.air", "texture\\t.bmp", "model\\m.mdl"});
    tmp.write("FS/Aircraft/Single" + n + "/panel/panel.cfg",
              "gauge00=Own" + n + "!a\r\ngauge01=Shared!b\r\n");
    tmp.write("FS/Gauges/Own" + n + ".gau", "own");
    tmp.write("FS/Aircraft/Family" + n + "/aircraft.cfg",
              "[General]\r\natc=x\r\n\r\n[fltsim.0]\r\ntitle=Family " + n +
                  " A\r\ntexture=a\r\n\r\n[fltsim.1]\r\ntitle=Family " + n +
                  " B\r\ntexture=b\r\npanel=b\r\n\r\n[fltsim.2]\r\ntitle=Family " + n +
                  " C\r\ntexture=c\r\n[fltsim.3]\r\nsim=untitled\r\n");
    write_files(tmp, "FS\\Aircraft\\Family" + n,
                {"texture.a\\a.bmp", "texture.b\\b.bmp", "texture.c\\c.bmp", "model\\m.mdl"});
    tmp.write("FS/Aircraft/Family" + n + "/panel.b/panel.cfg", "gauge00=Shared!x\r\n");
    tmp.write("FS/Aircraft/Family" + n + "/panel/panel.cfg", "[fltsim]\r\nalias=Single1/panel\r\n");
    // Nested: an airline's folder holding aircraft folders of its own, and one inside another.
    tmp.write("FS/Aircraft/Airline" + n + "/B747/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Jumbo " + n + "\r\n");
    tmp.write("FS/Aircraft/Airline" + n + "/B747/Cargo/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Jumbo Cargo " + n + "\r\n[fltsim.1]\r\ntitle=Jumbo Cargo " + n +
                  " Night\r\n");
    tmp.write("FS/Aircraft/Airline" + n + "/A320/Aircraft.CFG",
              "[FLTSIM.0]\r\ntitle=Bus " + n + "\r\n");
    tmp.write("FS/Gauges/Shared.gau", "shared");
}

void expect_same(const Catalogue& updated, const Catalogue& walked) {
    ASSERT_EQ(updated.aircraft_table.size(), walked.aircraft_table.size());
    for (std::size_t i = 0; i < walked.aircraft_table.size(); ++i) {
        const AircraftRecord& a = updated.aircraft_table[i];
        const AircraftRecord& b = walked.aircraft_table[i];
        EXPECT_EQ(a.folder, b.folder) << i;
        EXPECT_EQ(a.title, b.title) << i;
        EXPECT_EQ(a.section_text, b.section_text) << i;
        EXPECT_EQ(a.section_index, b.section_index) << i;
        EXPECT_EQ(std::tie(a.sim, a.model, a.panel, a.sound, a.texture, a.through_link),
                  std::tie(b.sim, b.model, b.panel, b.sound, b.texture, b.through_link))
            << i;
    }
    ASSERT_EQ(updated.panel_table.size(), walked.panel_table.size());
    for (std::size_t i = 0; i < walked.panel_table.size(); ++i) {
        EXPECT_EQ(updated.panel_table[i].folder, walked.panel_table[i].folder) << i;
        EXPECT_EQ(updated.panel_table[i].gauges, walked.panel_table[i].gauges) << i;
        EXPECT_EQ(updated.panel_table[i].has_alias, walked.panel_table[i].has_alias) << i;
        EXPECT_EQ(updated.panel_table[i].alias, walked.panel_table[i].alias) << i;
        EXPECT_EQ(updated.panel_table[i].own_gauges, walked.panel_table[i].own_gauges) << i;
    }
    ASSERT_EQ(updated.held_panels.size(), walked.held_panels.size());
    for (std::size_t i = 0; i < walked.held_panels.size(); ++i)
        EXPECT_EQ(updated.held_panels[i].gauges, walked.held_panels[i].gauges) << i;
    ASSERT_EQ(updated.folder_table.size(), walked.folder_table.size());
    for (std::size_t i = 0; i < walked.folder_table.size(); ++i) {
        const FolderRecord& a = updated.folder_table[i];
        const FolderRecord& b = walked.folder_table[i];
        EXPECT_EQ(std::tie(a.folder, a.top, a.holds_cfg, a.model_like, a.has_model_file,
                           a.subfolders, a.links, a.air_files, a.measured, a.files, a.bytes),
                  std::tie(b.folder, b.top, b.holds_cfg, b.model_like, b.has_model_file,
                           b.subfolders, b.links, b.air_files, b.measured, b.files, b.bytes))
            << i;
    }
    EXPECT_EQ(updated.list_records, walked.list_records);
    EXPECT_EQ(updated.skipped, walked.skipped);
    EXPECT_EQ(updated.gauges_incomplete, walked.gauges_incomplete);
}

TEST_F(InstallationTest, TheCatalogueUpdatedAfterEachOperationEqualsAWalk) {
    std::mt19937 rng(21);
    for (int n = 1; n <= 4; ++n) write_collection(tmp, n);
    CoinUi coin(rng);
    load_catalogue(tmp.fs(), workspace, coin, catalogue, &coin);
    const std::size_t operations = 200 / kPointStride;
    std::size_t removals = 0, restores = 0;
    for (std::size_t step = 0; step < operations; ++step) {
        SCOPED_TRACE("operation " + std::to_string(step));
        const std::size_t walks = catalogue.walks;
        const auto held = list_held(tmp.fs(), workspace).removals;
        if (catalogue.list_records.size() < 4 && held.empty())
            write_collection(tmp, 10 + static_cast<int>(step));
        if (!held.empty() && (catalogue.list_records.empty() || rng() % 3 == 0)) {
            const RestoreOutcome outcome =
                restore_removal(tmp.fs(), workspace, coin, held[rng() % held.size()].id);
            ++restores;
            if (outcome.reload)
                refresh_catalogue(tmp.fs(), workspace, coin, catalogue, outcome.touched, &coin);
        } else if (!catalogue.list_records.empty()) {
            std::vector<std::size_t> picked;
            const std::size_t count = 1 + rng() % 3;
            for (std::size_t k = 0; k < count; ++k) {
                const std::size_t p = rng() % catalogue.list_records.size();
                if (std::find(picked.begin(), picked.end(), p) == picked.end()) picked.push_back(p);
            }
            const RemovalOutcome outcome =
                remove_aircraft(tmp.fs(), workspace, coin, catalogue, picked);
            ++removals;
            if (outcome.reload)
                refresh_catalogue(tmp.fs(), workspace, coin, catalogue, outcome.touched, &coin);
        } else {
            // New aircraft from outside the program: only a whole walk finds them.
            load_catalogue(tmp.fs(), workspace, coin, catalogue, &coin);
            continue;
        }
        EXPECT_EQ(catalogue.walks, walks) << "the update walked the whole tree";
        Catalogue walked;
        CoinUi quiet(rng);
        load_catalogue(tmp.fs(), workspace, quiet, walked, &quiet);
        expect_same(catalogue, walked);
        EXPECT_EQ(coin.list, quiet.list);
        if (::testing::Test::HasFailure()) break;
    }
    std::cout << "catalogue updates compared with a walk: " << removals << " removals and "
              << restores << " restores, all equal\n";
    EXPECT_GT(restores, 10u / kPointStride);
}

}  // namespace
}  // namespace qv::test
