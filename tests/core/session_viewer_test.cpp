// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the picture viewer: no database until the user asks for the organizer.
#include "core/program_end.h"
#include "core/session.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ViewerStart : public ::testing::Test, protected TestContext {
protected:
    Session session{ctx, ui};
    QString db = env.path(u"notes.tdb"_s);

    bool run(const QString& command_line, bool as_viewer) {
        try {
            session.start(command_line, as_viewer);
            return false;
        } catch (const ProgramEnd&) {
            return true;
        }
    }
};

TEST(ViewerProgramName, OnlyTheViewersNameStartsTheViewer) {
    EXPECT_TRUE(started_as_picture_viewer(u"/usr/bin/glimmeron"_s));
    EXPECT_TRUE(started_as_picture_viewer(u"Glimmeron.exe"_s));
    EXPECT_TRUE(started_as_picture_viewer(u"./glimmeron"_s));
    EXPECT_FALSE(started_as_picture_viewer(u"/usr/bin/tessarin"_s));
    EXPECT_FALSE(started_as_picture_viewer(u"/opt/glimmeron/tessarin"_s));
    EXPECT_FALSE(started_as_picture_viewer(u"glimmeron2"_s));
}

TEST_F(ViewerStart, AsTheViewerTheBrowserOpensAndNoDatabase) {
    make_database(db, {}, 1, &clock);
    settings.save_setting(u"last_db_file"_s, db);
    windows.picture_viewer = true;
    EXPECT_FALSE(run({}, true));
    EXPECT_EQ(windows.calls_to(u"open_picture_browser"_s).size(), 1);
    EXPECT_FALSE(ctx.db) << "the remembered database stays closed";
    EXPECT_TRUE(ui.calls.filter(u"choose:"_s).isEmpty());
}

TEST_F(ViewerStart, APictureIsShownEvenUnderTheViewersName) {
    const QString picture = env.write_file(u"sea.png"_s, "x");
    windows.picture_viewer = true;
    EXPECT_FALSE(run(picture, true));
    EXPECT_EQ(windows.calls_to(u"show_picture"_s), QStringList{u"show_picture "_s + picture});
    EXPECT_TRUE(windows.calls_to(u"open_picture_browser"_s).isEmpty());
}

TEST_F(ViewerStart, TheOrganizerAfterAPictureChoosesItsDatabaseAsAtAPlainStart) {
    const QString picture = env.write_file(u"sea.jpg"_s, "x");
    windows.picture_viewer = true;
    EXPECT_FALSE(run(picture, false));
    ASSERT_FALSE(ctx.db);
    // The picture is not taken for a database: the dialog asks, and Cancel ends as at start-up.
    ui.choose(std::nullopt);
    bool auto_open = true;
    EXPECT_THROW(session.open_database(auto_open), ProgramEnd);
    EXPECT_EQ(ui.calls.filter(u"choose:"_s).size(), 1);
    EXPECT_TRUE(prompter.shown().empty()) << prompter.messages().join(u'|').toStdString();
}

} // namespace
