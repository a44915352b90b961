// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/collections.h"
#include "shell/hot_keys.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using namespace shift_state;

// Records which action each key led to.
struct Recorder {
    QStringList calls;
    HotKeyActions actions() {
        HotKeyActions a;
        const auto note = [this](const char* name) { return [this, name] { calls.append(QLatin1String(name)); }; };
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
               (recorder.calls.isEmpty() ? QString() : QStringLiteral(": ") + recorder.calls.join(QStringLiteral(", ")));
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
        // Alt+0 opens the top map although the menu says Ctrl+0; Ctrl+0 finds position 45's "0".
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
        EXPECT_EQ(press(c.shift, c.key), QString::fromLatin1(c.expected)) << "shift " << c.shift << " key " << c.key;
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
