// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "core/preferences.h"
#include "shell/preference_commands.h"
#include "support/db_fixtures.h"

#include <vector>

namespace {

using Answers = std::vector<std::optional<QString>>;

struct DialogCase {
    const char* what;
    Answers answers;
    QString stored;       // the parameter afterwards ("" = never written)
    QStringList messages; // every message box, in order
};

class PreferenceCommandsTest : public ShellTest {
protected:
    void SetUp() override { open_database(); }
    PreferenceCommands commands{ctx};

    void script(const Answers& answers) {
        for (const auto& answer : answers)
            prompter.answer(answer);
    }
    QString param(const char* key) { return get_gen_param(*ctx.db, QString::fromLatin1(key)); }

    // Runs `command` with each case's answers on a fresh preference state and checks what was
    // stored, what was said and that every answer was used.
    void run_cases(bool (PreferenceCommands::*command)(), const char* key,
                   const std::vector<DialogCase>& cases) {
        for (const DialogCase& c : cases) {
            SCOPED_TRACE(c.what);
            set_gen_param(*ctx.db, QString::fromLatin1(key), QString());
            load_preferences(ctx);
            prompter.clear();
            script(c.answers);
            const bool taken = (commands.*command)();
            EXPECT_EQ(taken, !c.stored.isEmpty());
            EXPECT_EQ(param(key), c.stored);
            EXPECT_EQ(messages(), c.messages);
            EXPECT_TRUE(prompter.all_answered());
        }
    }
};

const QStringList invalid{"Invalid value"};

} // namespace

TEST_F(PreferenceCommandsTest, FontSizeAcceptsEightToFourteenAndAsksAgainOtherwise) {
    // A refusal names the answer and says what is accepted, then the question comes again.
    const auto refused = [](const char* answer) {
        const QString text = invalid_font_size_message(QString::fromLatin1(answer));
        EXPECT_TRUE(text.contains(QString::fromLatin1(answer)));
        EXPECT_TRUE(text.contains("from 8 to 14"));
        return QStringList{text};
    };
    run_cases(&PreferenceCommands::ask_font_size, "font_size",
              {
                  {"empty answer leaves", {QString()}, {}, {}},
                  {"cancel leaves", {std::nullopt}, {}, {}},
                  {"not a number", {"abc", QString()}, {}, refused("abc")},
                  {"below 8", {"7", QString()}, {}, refused("7")},
                  {"above 14", {"14.5", QString()}, {}, refused("14.5")},
                  {"no comma rule here", {"10,5", QString()}, {}, refused("10,5")},
                  {"lower bound", {"8"}, "8", {}},
                  {"upper bound", {"14"}, "14", {}},
                  // Stored as the shortest text of the single-precision value.
                  {"a fraction after a refusal", {"7.99", " 12.3 "}, "12.3", refused("7.99")},
              });
}

TEST_F(PreferenceCommandsTest, FontSizeAndIndicatorLayTheMapsOutAgainCognivaRebuildsTheWindow) {
    int relayouts = 0;
    float size_seen = 0;
    windows.then["relayout_map_windows"] = [&] {
        ++relayouts;
        size_seen = ctx.prefs.font_size;
    };
    script({QString()});
    commands.ask_font_size();
    EXPECT_EQ(relayouts, 0);
    script({"14"});
    commands.ask_font_size();
    EXPECT_EQ(relayouts, 1);
    EXPECT_EQ(size_seen, 14.0F);
    commands.toggle_similar_item_indicator();
    EXPECT_EQ(relayouts, 2);

    QStringList rebuilt_with;
    windows.then["rebuild_main_window"] = [&] { rebuilt_with.append(QString::number(ctx.prefs.cogniva)); };
    commands.toggle_cogniva_functions();
    commands.toggle_start_maps_at_startup();
    // The window is rebuilt after the flag changed, so the new toolbar follows it.
    EXPECT_EQ(rebuilt_with, QStringList{"1"});
}

TEST_F(PreferenceCommandsTest, LockIntervalInMinutesWithTheCommaRule) {
    const QStringList too_short{"Value should not be less than 0.5 minutes"};
    run_cases(&PreferenceCommands::ask_lock_interval, "lock_interval",
              {
                  {"empty answer leaves", {QString()}, {}, {}},
                  {"cancel leaves", {std::nullopt}, {}, {}},
                  {"not a number", {"soon", QString()}, {}, invalid},
                  {"comma decimal", {"1,5"}, "90", {}},
                  {"only the first comma", {"1,5,0", QString()}, {}, invalid},
                  {"lower bound", {"0.5"}, "30", {}},
                  {"below the bound with a comma", {"0,25", QString()}, {}, too_short},
                  {"negative", {"-2", QString()}, {}, too_short},
                  {"zero switches it off", {"0"}, "0", {}},
                  {"rounded to whole seconds", {"0.508"}, "30", {}},
                  {"asked again until valid", {"x", "0.1", "10"}, "600", invalid + too_short},
              });
}

// Each entry's caption shows the value now in force, and its box proposes it.
TEST_F(PreferenceCommandsTest, CaptionsAndProposedAnswersFollowTheStoredValue) {
    const struct {
        bool (PreferenceCommands::*command)();
        QString (PreferenceCommands::*caption)() const;
        const char* answer;
        const char* proposed;
        const char* before;
        const char* after;
    } cases[] = {
        {&PreferenceCommands::ask_font_size, &PreferenceCommands::font_size_caption, "12.5", "10",
         "Preferred font size (now = 10)", "Font size (now = 12.5)"},
        {&PreferenceCommands::ask_lock_interval, &PreferenceCommands::lock_interval_caption, "2,25", "3.0",
         "Auto-lock timer (minutes, 0 = no auto lock, now = 3.0 mins)",
         "Auto-lock timer (minutes, 0 = no auto lock, now = 2.3 mins)"},
        {&PreferenceCommands::ask_random_item_interval,
         &PreferenceCommands::interval_of_random_item_change_caption, "2,5", "3",
         "Interval of random item change (now = 3 secs)", "Interval of random item change (now = 2.5 secs)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        prompter.input_defaults.clear();
        EXPECT_EQ((commands.*c.caption)(), QString::fromUtf8(c.before));
        script({QString::fromUtf8(c.answer)});
        ASSERT_TRUE((commands.*c.command)());
        EXPECT_EQ(prompter.input_defaults, QStringList{QString::fromUtf8(c.proposed)});
        EXPECT_EQ((commands.*c.caption)(), QString::fromUtf8(c.after));
    }
    // The stored text reads back as the same size at the next opening.
    ctx.prefs.font_size = 10;
    load_preferences(ctx);
    EXPECT_EQ(ctx.prefs.font_size, 12.5F);
}

TEST_F(PreferenceCommandsTest, ANewLockIntervalRestartsTheCountARefusedOneDoesNot) {
    ctx.inactivity = 25;
    script({"2"});
    ASSERT_TRUE(commands.ask_lock_interval());
    EXPECT_EQ(ctx.inactivity, 0);
    // A refused answer leaves the count alone.
    ctx.inactivity = 7;
    script({"0.2", QString()});
    EXPECT_FALSE(commands.ask_lock_interval());
    EXPECT_EQ(ctx.inactivity, 7);
}

TEST_F(PreferenceCommandsTest, RandomChangeIntervalAboveZeroWithTheCommaRule) {
    run_cases(&PreferenceCommands::ask_random_item_interval, "change_interval",
              {
                  {"empty answer leaves", {QString()}, {}, {}},
                  {"cancel leaves", {std::nullopt}, {}, {}},
                  {"zero", {"0", QString()}, {}, invalid},
                  {"negative", {"-1", QString()}, {}, invalid},
                  {"words", {"three", QString()}, {}, invalid},
                  {"comma decimal", {"0,5"}, "0.5", {}},
                  {"infinity", {"inf", QString()}, {}, invalid},
                  {"whole seconds", {"7"}, "7", {}},
                  {"no exponent", {"10000000"}, "10000000", {}},
              });
}

TEST_F(PreferenceCommandsTest, TogglesStoreYesOrNoAndReadBack) {
    struct Toggle {
        const char* key;
        bool (PreferenceCommands::*command)();
        bool Preferences::*flag;
    };
    const Toggle toggles[] = {
        {"global_search_auto_start", &PreferenceCommands::toggle_start_maps_at_startup,
         &Preferences::open_start_maps},
        {"presence_of_similar_items_indicator", &PreferenceCommands::toggle_similar_item_indicator,
         &Preferences::similar_items_indicator},
        {"cogniva", &PreferenceCommands::toggle_cogniva_functions, &Preferences::cogniva},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.key);
        load_preferences(ctx);
        const bool before = ctx.prefs.*t.flag;
        EXPECT_EQ((commands.*t.command)(), !before);
        EXPECT_EQ(param(t.key), before ? "N" : "Y");
        ctx.prefs = Preferences{};
        load_preferences(ctx);
        EXPECT_EQ(ctx.prefs.*t.flag, !before);
        EXPECT_EQ((commands.*t.command)(), before);
        EXPECT_EQ(param(t.key), before ? "Y" : "N");
        EXPECT_EQ(ctx.prefs.*t.flag, before);
    }
}
