// The main window's rows: which catalogue positions the narrowed and sorted list stands for, the
// list frame's caption and the status bar's count.
#include <gtest/gtest.h>

#include "ui/AircraftRows.h"

namespace qv::ui {
namespace {

using Positions = std::vector<std::size_t>;

AircraftRows loaded(std::initializer_list<std::pair<const char*, const char*>> rows) {
    AircraftRows list;
    for (const auto& [title, folder] : rows) list.add(title, folder);
    return list;
}

TEST(AircraftRows, NarrowsToTitlesHoldingTheTextInAnyCase) {
    // "\xc9" and "\xe9" are É and é in Windows-1252.
    AircraftRows rows = loaded({{"Cessna 182S United", "C182"},
                                {"Boeing 737 Delta", "B737"},
                                {"A\xc9ROSPATIALE Caravelle", "Caravelle"},
                                {"Piper Cub UNITED", "Cub"}});
    EXPECT_EQ(rows.shown(), (Positions{0, 1, 2, 3}));
    EXPECT_EQ(rows.caption(), "Aircraft List");
    EXPECT_EQ(rows.count_text(), "4 aircraft");

    rows.set_text("uNiTeD");
    EXPECT_EQ(rows.shown(), (Positions{0, 3}));
    EXPECT_EQ(rows.caption(), "Aircraft List (2 of 4)");
    EXPECT_EQ(rows.count_text(), "2 of 4 shown");
    rows.set_text("a\xe9ro");
    EXPECT_EQ(rows.shown(), (Positions{2}));
    rows.set_text("Airbus");
    EXPECT_EQ(rows.shown(), Positions{});
    EXPECT_EQ(rows.caption(), "Aircraft List (0 of 4)");

    rows.set_text("");
    EXPECT_EQ(rows.shown(), (Positions{0, 1, 2, 3}));
    EXPECT_EQ(rows.caption(), "Aircraft List");
}

TEST(AircraftRows, ALoadKeepsTheTextAndTheOrderAndFiltersAsTitlesCome) {
    AircraftRows rows = loaded({{"Alpha", "A"}, {"Bravo", "B"}});
    rows.set_text("bravo");
    rows.sort_by(AircraftRows::kTitle);
    rows.sort_by(AircraftRows::kTitle);  // again: Z to A
    rows.clear();
    EXPECT_TRUE(rows.active());
    EXPECT_FALSE(rows.add("Alpha One", "A"));
    EXPECT_TRUE(rows.add("Bravo Red", "B"));
    EXPECT_FALSE(rows.add("Charlie", "C"));
    EXPECT_TRUE(rows.add("BRAVO Blue", "B"));
    // Added in the walk's order; sort() puts them where the chosen order wants them.
    EXPECT_EQ(rows.shown(), (Positions{1, 3}));
    rows.sort();
    EXPECT_EQ(rows.shown(), (Positions{1, 3}));  // "bravo red" > "bravo blue"
    EXPECT_EQ(rows.title(3), "BRAVO Blue");
    EXPECT_EQ(rows.folder(3), "B");
    EXPECT_EQ(rows.caption(), "Aircraft List (2 of 4)");
}

TEST(AircraftRows, SortsByEitherColumnEitherWayWithTiesInTheWalksOrder) {
    AircraftRows rows = loaded({{"delta", "Zulu"},
                                {"Charlie", "alpha\\Sub"},
                                {"Bravo", "Zulu"},
                                {"alpha", "Alpha"},
                                {"Bravo", "Mike"}});
    const struct {
        AircraftRows::Column click;
        Positions order;
    } clicks[] = {
        {AircraftRows::kTitle, {3, 2, 4, 1, 0}},   // A to Z, without regard to case
        {AircraftRows::kTitle, {0, 1, 2, 4, 3}},   // again: Z to A, the two Bravos as walked
        {AircraftRows::kFolder, {3, 1, 4, 2, 0}},  // by folder, then by title
        {AircraftRows::kFolder, {2, 0, 4, 1, 3}},  // Z to A, ties still by title A to Z
        {AircraftRows::kFolder, {0, 1, 2, 3, 4}},  // a third click: the walk's order
        {AircraftRows::kTitle, {3, 2, 4, 1, 0}},
    };
    for (const auto& c : clicks) {
        rows.sort_by(c.click);
        EXPECT_EQ(rows.shown(), c.order) << rows.sorted_by() << (rows.descending() ? " down" : "");
    }
    rows.set_text("o");  // Bravo, Bravo (and not delta, Charlie, alpha)
    EXPECT_EQ(rows.shown(), (Positions{2, 4}));
}

}  // namespace
}  // namespace qv::ui
