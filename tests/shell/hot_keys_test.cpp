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

// Records which action each key led to.
struct Recorder {
    QStringList calls;
    HotKeyActions actions() {
        HotKeyActions a;
        const auto note = [this](const char* name) {
            return [this, name] { calls.append(QLatin1String(name)); };
        };
        a.general_menu = note("menu");
        a.open_calendar = note("calendar");
        a.find_map = note("find_map");
        a.global_find = note("global_find");
        a.file_search = note("file_search");
        a.hot_key_list = note("hot_keys");
        a.top_map = note("top_map");
        a.start_maps = note("start_maps");
        a.close_all = note("close_all");
        a.quit = note("quit");
        a.clear_map_filter = note("clear_filter");
        a.open_collection = [this](int position, bool invert) {
            calls.append(QStringLiteral("collection %1%2").arg(position).arg(invert ? " inverted" : ""));
        };
        return a;
    }
};

class HotKeyTest : public ::testing::Test {
protected:
    CollectionTable collections;
    Recorder recorder;
    void SetUp() override { collections.init_collections(); }
    // The calls a key made and whether it was consumed, as "consumed: call, call".
    QString press(int shift, int key) {
        recorder.calls.clear();
        const bool consumed = handle_hot_key(collections, shift, key, recorder.actions());
        return (consumed ? QStringLiteral("consumed") : QStringLiteral("passed")) +
               (recorder.calls.isEmpty() ? QString()
                                         : QStringLiteral(": ") + recorder.calls.join(QStringLiteral(", ")));
    }
};

} // namespace

TEST_F(HotKeyTest, FollowsTheKeyTable) {
    struct Case {
        int shift;
        int key;
        const char* expected;
    };
    const Case cases[] = {
        {alt, Qt::Key_Alt, "passed"},
        {0, Qt::Key_F1, "consumed: menu"},
        {shift_state::shift, Qt::Key_F1, "passed"},
        {ctrl, Qt::Key_F1, "consumed: clear_filter, hot_keys"},
        {0, Qt::Key_F4, "consumed: calendar"},
        {ctrl, Qt::Key_F4, "passed: clear_filter"},
        {0, Qt::Key_F6, "consumed: find_map"},
        {ctrl, Qt::Key_F6, "consumed: find_map"},
        {0, Qt::Key_F11, "consumed: collection 2"},
        {alt, Qt::Key_F11, "consumed: collection 2 inverted"},
        {ctrl, Qt::Key_F3, "consumed: global_find"},
        {alt, Qt::Key_F3, "consumed: file_search"},
        {0, Qt::Key_F3, "consumed"},
        // Alt+0 opens the top map; Ctrl+0 finds position 45's "0".
        {alt, Qt::Key_0, "consumed: clear_filter, top_map"},
        {ctrl, Qt::Key_0, "consumed: clear_filter, collection 45"},
        {alt, Qt::Key_1, "consumed: clear_filter, start_maps"},
        {alt, Qt::Key_Z, "consumed: clear_filter, close_all"},
        {ctrl, Qt::Key_Q, "consumed: clear_filter, quit"},
        {alt, Qt::Key_Q, "passed: clear_filter"},
        // Shortcuts: Ctrl and Alt open the collection with the map/table choice reversed by Alt.
        {ctrl, Qt::Key_B, "consumed: clear_filter, collection 7"},
        {alt, Qt::Key_B, "consumed: clear_filter, collection 7 inverted"},
        {ctrl, Qt::Key_A, "consumed: clear_filter, collection 1"},
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
    EXPECT_EQ(press(0, Qt::Key_F4), QStringLiteral("passed"));
    EXPECT_EQ(press(0, Qt::Key_F11), QStringLiteral("passed"));
}

TEST_F(HotKeyTest, ShortcutsAreMatchedWithoutRegardToCaseInPositionOrder) {
    collections.at(20).shortcut = QStringLiteral("b"); // a custom collection taking Books' letter
    EXPECT_EQ(shortcut_position(collections, QStringLiteral("B")), 7);
    collections.at(7).shortcut.clear();
    EXPECT_EQ(shortcut_position(collections, QStringLiteral("B")), 20);
    EXPECT_EQ(shortcut_position(collections, QString()), 0);
    EXPECT_EQ(press(ctrl, Qt::Key_B), QStringLiteral("consumed: clear_filter, collection 20"));
}

TEST(CommandFormKeys, EnterEscapeAndTypedShortcuts) {
    CollectionTable collections;
    collections.init_collections();
    QStringList calls;
    bool window_open = false;
    CommandFormActions actions;
    actions.general_menu = [&] { calls.append(QStringLiteral("menu")); };
    actions.any_window_open = [&] { return window_open; };
    actions.quit = [&] { calls.append(QStringLiteral("quit")); };
    actions.open_collection_map = [&](int position) { calls.append(QString::number(position)); };
    CommandFormKeys state;

    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Return, QStringLiteral("\r"), actions));
    // Ctrl+M then Enter: no menu.
    EXPECT_FALSE(command_form_key(state, collections, shift_state::ctrl, Qt::Key_M, QString(), actions));
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_Return, QStringLiteral("\r"), actions));
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Enter, QStringLiteral("\r"), actions));
    window_open = true;
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_Escape, QString(), actions));
    window_open = false;
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_Escape, QString(), actions));
    EXPECT_TRUE(command_form_key(state, collections, 0, Qt::Key_J, QStringLiteral("j"), actions));
    EXPECT_FALSE(command_form_key(state, collections, 0, Qt::Key_K, QStringLiteral("k"), actions));
    EXPECT_EQ(calls, (QStringList{"menu", "menu", "quit", "6"}));
}

namespace {

// What a key did, in words that do not come from the key table: the collection keys are
// followed through the navigation rule the program opens collections with.
class KeyEffects {
public:
    explicit KeyEffects(AppContext& ctx) : ctx_(ctx) {}

    // The command the key ran, "" when none ran.
    QString press(int shift, int key) {
        QString effect;
        HotKeyActions a;
        const auto note = [&effect](const char* name) {
            return [&effect, name] { effect = QLatin1String(name); };
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
        a.open_collection = [this, &effect](int position, bool invert) {
            const Route route = open_collection(ctx_, position, invert);
            if (const auto* table = std::get_if<route::Table>(&route))
                effect = QStringLiteral("table ") + ctx_.collections.at(table->position).name;
            else if (std::holds_alternative<route::TopMap>(route))
                effect = QStringLiteral("top map");
            else if (const auto* map = std::get_if<route::Map>(&route))
                effect = QStringLiteral("map ") + map->name;
        };
        handle_hot_key(ctx_.collections, shift, key, a);
        return effect;
    }

    // The same for a key written as captions write it ("CTL+B", "ALT+F11", "F4").
    QString press(const QString& name) {
        QString rest = name;
        int shift = 0;
        for (const auto& [prefix, bit] :
             {std::pair{"CTL+", shift_state::ctrl}, std::pair{"ALT+", shift_state::alt}})
            if (rest.startsWith(QLatin1String(prefix))) {
                shift |= bit;
                rest.remove(0, 4);
            }
        const int key = rest.size() > 1 && rest.startsWith(QLatin1Char('F'))
                            ? Qt::Key_F1 + rest.mid(1).toInt() - 1
                            : rest.at(0).unicode();
        return press(shift, key);
    }

private:
    AppContext& ctx_;
};

// The key between the last parentheses of a caption.
QString caption_key(const QString& caption) {
    const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
    return open < 0 ? QString() : caption.mid(open + 1, caption.size() - open - 2);
}

class KeyAgreementTest : public ::testing::TestWithParam<int> {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;
    KeyEffects effects{ctx};

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
            ctx.collections.at(20).shortcut = QStringLiteral("b");
        }
    }
};

} // namespace

TEST_P(KeyAgreementTest, MenuCaptionsNameKeysThatDoWhatTheEntrySays) {
    const CollectionTable& c = ctx.collections;
    const std::pair<QString, QString> entries[] = {
        {caption_with_key(QStringLiteral("Quit the program"), c, HotKeyCommand::Quit), "quit"},
        {caption_with_key(QStringLiteral("Open top map"), c, HotKeyCommand::TopMap), "top map"},
        {caption_with_key(QStringLiteral("Open start map"), c, HotKeyCommand::StartMaps), "start map"},
        {caption_with_key(QStringLiteral("Open calendar"), c, HotKeyCommand::OpenCalendar), "calendar"},
        {caption_with_key(QStringLiteral("Global search"), c, HotKeyCommand::GlobalFind), "global search"},
        {caption_with_key(QStringLiteral("Find  map"), c, HotKeyCommand::FindMap), "find map"},
        {caption_with_key(QStringLiteral("File search"), c, HotKeyCommand::FileSearch), "file search"},
        {caption_with_key(QStringLiteral("Hot keys"), c, HotKeyCommand::HotKeyList), "hot keys"},
    };
    for (const auto& [caption, effect] : entries) {
        SCOPED_TRACE(caption.toStdString());
        ASSERT_FALSE(caption_key(caption).isEmpty());
        EXPECT_EQ(effects.press(caption_key(caption)), effect);
    }
    EXPECT_EQ(caption_key(caption_with_key(QStringLiteral("Open top map"), c, HotKeyCommand::TopMap)),
              "ALT+0");
    for (int position = 1; position <= CollectionTable::count; ++position) {
        if (!c.at(position).defined || !c.at(position).visible) continue;
        const QString name = c.at(position).name;
        for (const auto& [caption, effect] :
             {std::pair{table_entry_caption(c, position), QStringLiteral("table ") + name},
              std::pair{map_entry_caption(c, position), position == CollectionTable::all_collections
                                                            ? QStringLiteral("top map")
                                                            : QStringLiteral("map ") + name}}) {
            SCOPED_TRACE(caption.toStdString());
            // A collection without a key of its own has a caption without one.
            if (caption == name) continue;
            EXPECT_EQ(effects.press(caption_key(caption)), effect);
        }
    }
}

TEST_P(KeyAgreementTest, TheKeyListNamesKeysThatDoWhatItSays) {
    const QString list = hot_key_list(ctx);
    const QString general = list.section(QStringLiteral("\n\n"), 0, 0);
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
        text.replace(QStringLiteral("Open "), QString()).remove(QLatin1Char('"'));
        if (text == QStringLiteral("map ") + ctx.collections.at(CollectionTable::all_collections).name)
            text = QStringLiteral("top map");
        EXPECT_EQ(effects.press(key), text);
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_P(KeyAgreementTest, EveryKeyOfTheTableRunsItsCommand) {
    for (const HotKey& hot_key : general_hot_keys(ctx.collections)) {
        const QString name = key_name(hot_key.shift, hot_key.key);
        SCOPED_TRACE(name.toStdString());
        const QString effect = effects.press(hot_key.shift, hot_key.key);
        if (hot_key.command == HotKeyCommand::OpenTable)
            EXPECT_EQ(effect, QStringLiteral("table ") + ctx.collections.at(hot_key.position).name);
        else if (hot_key.command == HotKeyCommand::OpenMap)
            EXPECT_TRUE(effect == QStringLiteral("map ") + ctx.collections.at(hot_key.position).name ||
                        (effect == QStringLiteral("top map") &&
                         hot_key.position == CollectionTable::all_collections));
        else
            EXPECT_FALSE(effect.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(InstalledAndChangedCollections, KeyAgreementTest, ::testing::Values(0, 1));

TEST(FieldEditingKeys, StayWithTheFieldWhileOtherCtrlKeysAreGeneral) {
    using namespace shift_state;
    const int shifted = shift_state::shift;
    const std::pair<int, int> editing[] = {
        {ctrl, Qt::Key_A},      {ctrl, Qt::Key_C},        {ctrl, Qt::Key_X},           {ctrl, Qt::Key_V},
        {ctrl, Qt::Key_Z},      {ctrl, Qt::Key_Y},        {ctrl | shifted, Qt::Key_Z}, {0, Qt::Key_Home},
        {0, Qt::Key_End},       {shifted, Qt::Key_Left},  {shifted, Qt::Key_Right},    {shifted, Qt::Key_End},
        {ctrl, Qt::Key_Insert}, {shifted, Qt::Key_Insert}};
    const std::pair<int, int> general[] = {{ctrl, Qt::Key_B},      {alt, Qt::Key_A}, {ctrl, Qt::Key_Q},
                                           {ctrl, Qt::Key_F3},     {0, Qt::Key_F1},  {alt, Qt::Key_Z},
                                           {ctrl | alt, Qt::Key_A}};
    for (const auto& [shift, key] : editing)
        EXPECT_TRUE(is_field_editing_key(shift, key)) << key_name(shift, key).toStdString();
    for (const auto& [shift, key] : general)
        EXPECT_FALSE(is_field_editing_key(shift, key)) << key_name(shift, key).toStdString();
}
