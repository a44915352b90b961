// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/collections.h"
#include "maps/navigation.h"
#include "shell/general_commands.h"
#include "shell/help_texts.h"
#include "shell/hot_keys.h"
#include "support/test_context.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using namespace shift_state;

// Runs keys through handle_hot_key and tells what they did in words that do not come from the
// key table: the collection keys are followed through the navigation rule the program opens
// collections with.
class KeyTest : public ::testing::Test {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;
    CollectionTable& collections = ctx.collections;

    void SetUp() override { collections.init_collections(); }

    // "consumed" or "passed", then the commands the key ran: "consumed: clear_filter, table Books".
    QString press(int shift, int key) {
        QStringList calls;
        HotKeyActions a;
        const auto note = [&calls](const char* name) {
            return [&calls, name] { calls.append(QLatin1String(name)); };
        };
        a.general_menu = note("general menu");
        a.open_calendar = note("calendar");
        a.find_map = note("find map");
        a.global_find = note("global search");
        a.file_search = note("file search");
        a.hot_key_list = note("hot keys");
        a.top_map = note("top map");
        a.start_maps = note("start map");
        a.close_all = note("close all");
        a.quit = note("quit");
        a.clear_map_filter = note("clear_filter");
        a.open_collection = [this, &calls](int position, bool invert) {
            const Route route = open_collection(ctx, position, invert);
            if (const auto* table = std::get_if<route::Table>(&route))
                calls.append("table " + collections.at(table->position).name);
            else if (std::holds_alternative<route::TopMap>(route))
                calls.append("top map");
            else if (const auto* map = std::get_if<route::Map>(&route))
                calls.append("map " + map->name);
            else
                calls.append("nothing");
        };
        const bool consumed = handle_hot_key(collections, shift, key, a);
        return QLatin1String(consumed ? "consumed" : "passed") +
               (calls.isEmpty() ? QString() : ": " + calls.join(", "));
    }

    // The last command run by a key written as captions write it ("CTL+B", "ALT+F11", "F4").
    QString command(const QString& name) {
        QString rest = name;
        int shift = 0;
        for (const auto& [prefix, bit] : {std::pair{"CTL+", ctrl}, std::pair{"ALT+", alt}})
            if (rest.startsWith(QLatin1String(prefix))) {
                shift |= bit;
                rest.remove(0, 4);
            }
        const int key = rest.size() > 1 && rest.startsWith(QLatin1Char('F'))
                            ? Qt::Key_F1 + rest.mid(1).toInt() - 1
                            : rest.at(0).unicode();
        const QString done = press(shift, key);
        return done.contains(QLatin1Char(':'))
                   ? done.section(QStringLiteral(", "), -1).section(QStringLiteral(": "), -1)
                   : QString();
    }
};

using HotKeyTest = KeyTest;

} // namespace

// Which keys pass, which clear the map filter; the keys of the key list are followed in full
// by KeyAgreementTest below.
TEST_F(HotKeyTest, FollowsTheKeyTable) {
    struct Case {
        int shift;
        int key;
        const char* expected;
    };
    const Case cases[] = {
        {alt, Qt::Key_Alt, "passed"},
        {0, Qt::Key_F1, "consumed: general menu"},
        {shift_state::shift, Qt::Key_F1, "passed"},
        {ctrl, Qt::Key_F1, "consumed: clear_filter, hot keys"},
        {ctrl, Qt::Key_F4, "passed: clear_filter"},
        {ctrl, Qt::Key_F6, "consumed: find map"},
        {0, Qt::Key_F3, "consumed"},
        // Alt+0 opens the top map; Ctrl+0 finds position 45's "0".
        {alt, Qt::Key_0, "consumed: clear_filter, top map"},
        {ctrl, Qt::Key_0, "consumed: clear_filter, table All collections"},
        {ctrl, Qt::Key_Q, "consumed: clear_filter, quit"},
        {alt, Qt::Key_Q, "passed: clear_filter"},
        // Shortcuts: Ctrl and Alt open the collection with the map/table choice reversed by Alt.
        {ctrl, Qt::Key_B, "consumed: clear_filter, table Books"},
        {alt, Qt::Key_B, "consumed: clear_filter, map Books"},
        {ctrl | alt, Qt::Key_B, "passed: clear_filter"},
        {ctrl | shift_state::shift, Qt::Key_B, "passed: clear_filter"},
        {0, Qt::Key_B, "passed"},
        // "Z" is beyond the shortcut range; K is nobody's shortcut.
        {ctrl, Qt::Key_Z, "passed: clear_filter"},
        {ctrl, Qt::Key_K, "passed: clear_filter"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(press(c.shift, c.key), QString::fromLatin1(c.expected))
            << "shift " << c.shift << " key " << c.key;
}

TEST_F(HotKeyTest, KeysOfUndefinedPositionsAreLeftToTheWindow) {
    collections.at(1).defined = false;
    collections.at(2).defined = false;
    EXPECT_EQ(press(0, Qt::Key_F4), "passed");
    EXPECT_EQ(press(0, Qt::Key_F11), "passed");
}

TEST_F(HotKeyTest, ShortcutsAreMatchedWithoutRegardToCaseInPositionOrder) {
    collections.at(20).shortcut = "b"; // a custom collection taking Books' letter
    EXPECT_EQ(shortcut_position(collections, "B"), 7);
    collections.at(7).shortcut.clear();
    EXPECT_EQ(shortcut_position(collections, "B"), 20);
    EXPECT_EQ(shortcut_position(collections, QString()), 0);
    EXPECT_EQ(press(ctrl, Qt::Key_B), "consumed: clear_filter, table x02");
}

TEST(CommandFormKeys, EnterEscapeAndTypedShortcuts) {
    CollectionTable collections;
    collections.init_collections();
    QStringList calls;
    bool window_open = false;
    CommandFormActions actions;
    actions.general_menu = [&] { calls.append("menu"); };
    actions.any_window_open = [&] { return window_open; };
    actions.quit = [&] { calls.append("quit"); };
    actions.open_collection_map = [&](int position) { calls.append(QString::number(position)); };
    CommandFormKeys state;

    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Return, "\r", actions));
    // Ctrl+M then Enter: no menu.
    EXPECT_FALSE(command_form_key(state, collections, shift_state::ctrl, Qt::Key_M, QString(), actions));
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_Return, "\r", actions));
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Enter, "\r", actions));
    window_open = true;
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_Escape, QString(), actions));
    window_open = false;
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Escape, QString(), actions));
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_J, "j", actions));
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_K, "k", actions));
    EXPECT_EQ(calls, (QStringList{"menu", "menu", "quit", "6"}));
}

namespace {

// The key between the last parentheses of a caption.
QString caption_key(const QString& caption) {
    const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
    return open < 0 ? QString() : caption.mid(open + 1, caption.size() - open - 2);
}

class KeyAgreementTest : public KeyTest, public ::testing::WithParamInterface<int> {
protected:
    // Parameter 0: the collections as installed. 1: Books, Contacts and All collections open as
    // maps, Journal has no shortcut and a custom collection takes Books' letter.
    void SetUp() override {
        ctx.collections.init_collections();
        for (int position = 1; position <= CollectionTable::count; ++position)
            ctx.collections.at(position).visible = ctx.collections.at(position).defined;
        if (GetParam() == 1) {
            for (int position : {2, 7, 45})
                ctx.collections.at(position).open_coll_as_map = true;
            ctx.collections.at(6).shortcut.clear();
            ctx.collections.at(20).defined = ctx.collections.at(20).visible = true;
            ctx.collections.at(20).shortcut = "b";
        }
    }
};

} // namespace

TEST_P(KeyAgreementTest, MenuCaptionsNameKeysThatDoWhatTheEntrySays) {
    const CollectionTable& c = ctx.collections;
    const std::pair<QString, QString> entries[] = {
        {caption_with_key("Quit the program", c, HotKeyCommand::Quit), "quit"},
        {caption_with_key("Open top map", c, HotKeyCommand::TopMap), "top map"},
        {caption_with_key("Open start map", c, HotKeyCommand::StartMaps), "start map"},
        {caption_with_key("Open calendar", c, HotKeyCommand::OpenCalendar), "calendar"},
        {caption_with_key("Global search", c, HotKeyCommand::GlobalFind), "global search"},
        {caption_with_key("Find  map", c, HotKeyCommand::FindMap), "find map"},
        {caption_with_key("File search", c, HotKeyCommand::FileSearch), "file search"},
        {caption_with_key("Hot keys", c, HotKeyCommand::HotKeyList), "hot keys"},
    };
    for (const auto& [caption, effect] : entries) {
        SCOPED_TRACE(caption.toStdString());
        ASSERT_FALSE(caption_key(caption).isEmpty());
        EXPECT_EQ(command(caption_key(caption)), effect);
    }
    EXPECT_EQ(caption_key(caption_with_key("Open top map", c, HotKeyCommand::TopMap)), "ALT+0");
    for (int position = 1; position <= CollectionTable::count; ++position) {
        if (!c.at(position).defined || !c.at(position).visible) continue;
        const QString name = c.at(position).name;
        for (const auto& [caption, effect] :
             {std::pair{table_entry_caption(c, position), "table " + name},
              std::pair{map_entry_caption(c, position),
                        position == CollectionTable::all_collections ? "top map" : "map " + name}}) {
            SCOPED_TRACE(caption.toStdString());
            // A collection without a key of its own has a caption without one.
            if (caption == name) continue;
            EXPECT_EQ(command(caption_key(caption)), effect);
        }
    }
}

TEST_P(KeyAgreementTest, TheKeyListNamesKeysThatDoWhatItSays) {
    const QString list = hot_key_list(ctx);
    const QString general = list.section("\n\n", 0, 0);
    const std::pair<const char*, const char*> meanings[] = {
        {"Quit program", "quit"},
        {"Close all maps", "close all"},
        {"Display context menu (if any)", "general menu"},
        {"Display hot keys", "hot keys"},
        {"File search", "file search"},
        {"Global search", "global search"},
        {"Open calendar", "calendar"},
        {"Find map", "find map"},
        {"Open top map", "top map"},
        {"Open start map", "start map"},
    };
    int checked = 0;
    for (const QString& line : general.split(QLatin1Char('\n')).mid(1)) {
        SCOPED_TRACE(line.toStdString());
        const QString key = line.section(QLatin1Char('\t'), 0, 0);
        QString text = line.section(QLatin1Char('\t'), 1);
        for (const auto& [shown, effect] : meanings)
            if (text == QLatin1String(shown)) text = QLatin1String(effect);
        // "Open table "Books"" -> "table Books"; the collection keys are followed through navigation.
        text.replace("Open ", QString()).remove(QLatin1Char('"'));
        if (text == "map " + ctx.collections.at(CollectionTable::all_collections).name) text = "top map";
        EXPECT_EQ(command(key), text);
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

INSTANTIATE_TEST_SUITE_P(InstalledAndChangedCollections, KeyAgreementTest, ::testing::Values(0, 1));

TEST(FieldEditingKeys, StayWithTheFieldWhileOtherCtrlKeysAreGeneral) {
    using namespace shift_state;
    const int shifted = shift_state::shift;
    const std::pair<int, int> editing[] = {
        {ctrl, Qt::Key_A}, {ctrl, Qt::Key_Z},      {ctrl | shifted, Qt::Key_Z}, {shifted, Qt::Key_Left},
        {0, Qt::Key_End},  {ctrl, Qt::Key_Insert}, {shifted, Qt::Key_Insert},   {ctrl, Qt::Key_Y}};
    const std::pair<int, int> general[] = {{ctrl, Qt::Key_B},      {alt, Qt::Key_A}, {ctrl, Qt::Key_Q},
                                           {ctrl, Qt::Key_F3},     {0, Qt::Key_F1},  {alt, Qt::Key_Z},
                                           {ctrl | alt, Qt::Key_A}};
    for (const auto& [shift, key] : editing)
        EXPECT_TRUE(is_field_editing_key(shift, key)) << key_name(shift, key).toStdString();
    for (const auto& [shift, key] : general)
        EXPECT_FALSE(is_field_editing_key(shift, key)) << key_name(shift, key).toStdString();
}
