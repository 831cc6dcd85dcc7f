// The main window's filter: which catalogue positions the narrowed list stands for, and the list
// frame's caption.
#include <gtest/gtest.h>

#include "ui/TitleFilter.h"

namespace qv::ui {
namespace {

using Positions = std::vector<std::size_t>;

TitleFilter loaded(std::initializer_list<const char*> titles) {
    TitleFilter filter;
    for (const char* title : titles) filter.add(title);
    return filter;
}

TEST(TitleFilter, NarrowsToTitlesHoldingTheTextInAnyCase) {
    // "\xc9" and "\xe9" are É and é in Windows-1252.
    TitleFilter filter = loaded({"Cessna 182S United", "Boeing 737 Delta",
                                 "A\xc9ROSPATIALE Caravelle", "Piper Cub UNITED"});
    EXPECT_EQ(filter.shown(), (Positions{0, 1, 2, 3}));
    EXPECT_EQ(filter.caption(), "Aircraft List");

    filter.set_text("uNiTeD");
    EXPECT_EQ(filter.shown(), (Positions{0, 3}));
    EXPECT_EQ(filter.caption(), "Aircraft List (2 of 4)");
    filter.set_text("a\xe9ro");
    EXPECT_EQ(filter.shown(), (Positions{2}));
    filter.set_text("Airbus");
    EXPECT_EQ(filter.shown(), Positions{});
    EXPECT_EQ(filter.caption(), "Aircraft List (0 of 4)");

    filter.set_text("");
    EXPECT_EQ(filter.shown(), (Positions{0, 1, 2, 3}));
    EXPECT_EQ(filter.caption(), "Aircraft List");
}

TEST(TitleFilter, ALoadKeepsTheTextAndFiltersAsTitlesCome) {
    TitleFilter filter = loaded({"Alpha", "Bravo"});
    filter.set_text("bravo");
    filter.clear();
    EXPECT_TRUE(filter.active());
    EXPECT_FALSE(filter.add("Alpha One"));
    EXPECT_TRUE(filter.add("Bravo Red"));
    EXPECT_FALSE(filter.add("Charlie"));
    EXPECT_TRUE(filter.add("BRAVO Blue"));
    // List entries stand for catalogue positions.
    EXPECT_EQ(filter.shown(), (Positions{1, 3}));
    EXPECT_EQ(filter.title(3), "BRAVO Blue");
    EXPECT_EQ(filter.caption(), "Aircraft List (2 of 4)");
}

}  // namespace
}  // namespace qv::ui
