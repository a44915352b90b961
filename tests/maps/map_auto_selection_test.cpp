// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"

#include "maps/map_auto_selection.h"
#include "maps/map_names.h"

using namespace Qt::StringLiterals;

namespace {

std::vector<MapItem> entries(const QStringList& titles) {
    std::vector<MapItem> items;
    for (const QString& title : titles) {
        MapItem item;
        item.title = title;
        items.push_back(item);
    }
    return items;
}

QStringList names_of(const std::vector<ChildMap>& children) {
    QStringList names;
    for (const ChildMap& child : children)
        names.append(child.name);
    return names;
}

struct NextCase {
    const char* what;
    QStringList titles;
    int selected;
    bool random_order;
    double random_value;
    std::optional<int> expected;
};

} // namespace

// Sequential and random steps, fillers passed over, wrapping, and maps with nothing to select.
TEST(AutoSelection, NextIndexSkipsFillersAndWraps) {
    const NextCase cases[] = {
        {"the next one", {"a", "b", "c"}, 0, false, 0.0, 1},
        {"a filler is passed over", {"a", "-", "b"}, 0, false, 0.0, 2},
        {"after the last, the first", {"a", "-", "b"}, 2, false, 0.0, 0},
        {"trailing fillers wrap to the first", {"a", "b", "-", "-"}, 1, false, 0.0, 0},
        {"leading fillers after wrapping", {"-", "a", "b"}, 2, false, 0.0, 1},
        {"nothing selected yet", {"-", "a"}, -1, false, 0.0, 1},
        {"a grid filler past the items is selected", {"a", "b"}, 4, false, 0.0, 0},
        {"one item selects itself again", {"-", "a", "-"}, 1, false, 0.0, 1},
        {"fillers only", {"-", "-", "-"}, 0, false, 0.0, std::nullopt},
        {"fillers only, random", {"-", "-"}, 0, true, 0.7, std::nullopt},
        {"an empty map", {}, -1, false, 0.0, std::nullopt},
        {"random: 0.5 of four", {"a", "b", "c", "d"}, 0, true, 0.5, 2},
        {"random: the top of the range", {"a", "b", "c", "d"}, 0, true, 0.9999, 3},
        {"random: the same panel twice", {"a", "b", "c", "d"}, 2, true, 0.5, 2},
        {"random: a filler moves on", {"a", "-", "-", "b"}, 0, true, 0.3, 3},
        {"random: a last filler wraps", {"a", "b", "-"}, 0, true, 0.9, 0},
    };
    for (const NextCase& c : cases) {
        FakeRandom random;
        random.values = {c.random_value};
        EXPECT_EQ(next_auto_index(entries(c.titles), c.selected, c.random_order, random), c.expected)
            << c.what;
        // Random order draws once per step; sequential order never draws.
        EXPECT_EQ(random.index, c.random_order && !c.titles.isEmpty() ? 1U : 0U) << c.what;
    }
}

// A step waits for the rename question, the main window's permission, the switch, a quiet window,
// an active map window, and 10 seconds after the last navigation.
TEST(AutoSelection, StepRunsOnlyWhenEveryConditionHolds) {
    const QDateTime navigated(QDate(2026, 3, 1), QTime(10, 0, 0));
    AutoStepState ready;
    ready.automatic_selection_on = true;
    ready.active_window_is_map = true;
    ready.last_navigation = navigated;
    ready.now = navigated.addSecs(10);
    EXPECT_TRUE(auto_step_may_run(ready));

    AutoStepState early = ready;
    early.now = navigated.addMSecs(9999);
    EXPECT_FALSE(auto_step_may_run(early));

    const std::pair<const char*, void (*)(AutoStepState&)> blocks[] = {
        {"title asked", [](AutoStepState& s) { s.title_being_asked = true; }},
        {"changes not allowed", [](AutoStepState& s) { s.automatic_changes_allowed = false; }},
        {"switched off", [](AutoStepState& s) { s.automatic_selection_on = false; }},
        {"busy", [](AutoStepState& s) { s.busy = true; }},
        {"other window active", [](AutoStepState& s) { s.active_window_is_map = false; }},
    };
    for (const auto& [what, block] : blocks) {
        AutoStepState state = ready;
        block(state);
        EXPECT_FALSE(auto_step_may_run(state)) << what;
    }
    EXPECT_TRUE(is_map_window_tag(map_window_tag(17)));
    EXPECT_FALSE(is_map_window_tag(u"f_gentabx"_s));
}

// Answers in seconds become whole milliseconds; "," is a decimal point; 0.1 to 3600 s pass.
TEST(AutoSelection, FrequencyAnswersAndTheQuestionAsksAgainUntilUsable) {
    const std::pair<QString, std::optional<int>> answers[] = {
        {u"1,5"_s, 1500}, {u"0.1"_s, 100}, {u"3600"_s, 3600000}, {u" 2 "_s, 2000},       {u"0,25"_s, 250},
        {u"0"_s, {}},     {u"3601"_s, {}}, {u"0.09"_s, {}},      {u"-1"_s, {}},          {u"abc"_s, {}},
        {u"1,5s"_s, {}},  {u"inf"_s, {}},  {u"1.2.3"_s, {}},     {u"3600,0"_s, 3600000},
    };
    for (const auto& [answer, expected] : answers)
        EXPECT_EQ(interval_from_answer(answer), expected) << answer.toStdString();
    EXPECT_EQ(frequency_caption(1500), u"&Frequency of auto-selection (now 1.5)"_s);
    EXPECT_EQ(interval_seconds_text(100), u"0.1"_s);

    // Wrong answers are told and asked again; an empty answer ends without a change.
    FakePrompter prompter;
    for (const char* answer : {"abc", "0", "3601", "1,5"})
        prompter.answer(answer);
    EXPECT_EQ(ask_frequency(prompter, 2500), 1500);
    EXPECT_EQ(
        prompter.messages(),
        (QStringList{frequency_question, wrong_frequency_message, frequency_question, wrong_frequency_message,
                     frequency_question, wrong_frequency_message, frequency_question}));
    EXPECT_EQ(prompter.input_defaults.first(), u"2.5"_s);

    prompter.clear();
    prompter.answer("");
    EXPECT_EQ(ask_frequency(prompter, 2500), std::nullopt);
    prompter.answer(std::optional<QString>());
    EXPECT_EQ(ask_frequency(prompter, 2500), std::nullopt);
    EXPECT_EQ(prompter.shown().size(), 2U);
    EXPECT_TRUE(prompter.all_answered());
}

using ChildMaps = MapsDb;

// References name their map (its item part kept for opening); other items name the category map
// of the map's collection; each map once.
TEST_F(ChildMaps, NamesFromReferencesAndPlainItems) {
    const MapIdentity poetry = identify_map(ctx.collections, u"Books: Poetry"_s);
    const auto children = child_maps(ctx.collections, poetry,
                                     entries({"Dante", "> Media: Films.Casablanca", "> Top map",
                                              "> books:", "> media: films", "dante", "> nowhere", "Vol. 2"}));
    EXPECT_EQ(names_of(children),
              (QStringList{"Books: Dante", "Media: Films", "Top map", "Books", "Books: Vol. 2"}));
    ASSERT_EQ(children.size(), 5U);
    EXPECT_EQ(children[1].parts, (MapParts{"Media", "Films", "Casablanca"}));
    EXPECT_EQ(children[2].parts, (MapParts{"Top map", "", ""}));
    EXPECT_EQ(children[3].parts, (MapParts{"Books", "", ""}));
    // A category holding "." stays whole when it comes from a plain item.
    EXPECT_EQ(children[4].parts, (MapParts{"Books", "Vol. 2", ""}));

    // A collection map's panels are its categories: its children are their maps.
    const MapIdentity books = identify_map(ctx.collections, u"Books"_s);
    EXPECT_EQ(names_of(child_maps(ctx.collections, books, entries({"Poetry", "Novels"}))),
              (QStringList{"Books: Poetry", "Books: Novels"}));
    const MapIdentity top = identify_map(ctx.collections, top_map_name);
    EXPECT_TRUE(child_maps(ctx.collections, top, entries({"Agenda", "Books"})).empty());
}

// Only maps that exist with exactly that category are kept; nothing is created.
TEST_F(ChildMaps, OnlyExistingMapsAreKept) {
    add("Media", "Films", "Casablanca");
    add("Books", "Vol. 2", "x");
    add("Books", "Dante,Petrarca", "shared"); // names "Books: Dante" only in a list
    const MapIdentity poetry = identify_map(ctx.collections, u"Books: Poetry"_s);
    const auto children = existing_child_maps(
        ctx, poetry,
        entries({"Dante", "> Media: Films", "> Media: Missing", "Vol. 2", "> Top map", "> Books"}));
    EXPECT_EQ(names_of(children), (QStringList{"Media: Films", "Books: Vol. 2", "Top map", "Books"}));
    EXPECT_EQ(rows("collection='Media'"), 1);
}
