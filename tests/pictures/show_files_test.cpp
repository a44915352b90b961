// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/show_files.h"
#include "support/test_context.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ShowFilesFixture : ::testing::Test {
    TestContext t;
    QString source = t.env.write_file(u"pics/l'été d'or.jpg"_s, "picture bytes");
};

TEST_F(ShowFilesFixture, ACopyIsWrittenWhereTheUserSaysAndRemembered) {
    const QString target = t.env.path(u"copies/copy ü.jpg"_s);
    QDir().mkpath(t.env.path(u"copies"_s));
    t.prompter.answer(std::optional<QString>(target));
    ASSERT_TRUE(save_picture_copy(t.ctx, source));
    QFile copy(target);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("picture bytes"));
    EXPECT_TRUE(QFile::exists(source));
    EXPECT_EQ(t.settings.get_setting(u"last_saved_file"_s), target);
    // The next save dialog starts in that directory, with the picture's own name.
    t.prompter.answer(std::optional<QString>());
    EXPECT_FALSE(save_picture_copy(t.ctx, source));
    ASSERT_EQ(t.prompter.shown().size(), 2U);
    EXPECT_EQ(t.prompter.shown()[1].kind, u"save_file"_s);
}

TEST_F(ShowFilesFixture, CopyOntoItselfOrFromAVanishedFileIsAnErrorAndTouchesNothing) {
    t.prompter.answer(std::optional<QString>(source));
    EXPECT_FALSE(save_picture_copy(t.ctx, source));
    QFile kept(source);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("picture bytes"));
    const QString gone = t.env.path(u"pics/gone.jpg"_s);
    t.prompter.answer(std::optional<QString>(t.env.path(u"x.jpg"_s)));
    EXPECT_FALSE(save_picture_copy(t.ctx, gone));
    const QStringList messages = t.prompter.messages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[1].startsWith(u"Error 75 - "_s)) << messages[1].toStdString();
    EXPECT_TRUE(messages[3].startsWith(u"Error 53 - "_s)) << messages[3].toStdString();
    EXPECT_FALSE(QFile::exists(t.env.path(u"x.jpg"_s)));
    EXPECT_TRUE(t.settings.get_setting(u"last_saved_file"_s).isEmpty());
}

TEST_F(ShowFilesFixture, TheAgendaIsMadeWhenMissingAndOpened) {
    open_agenda(t.ctx);
    const QString agenda = t.ctx.program_path(u"agenda.txt"_s);
    EXPECT_TRUE(QFile::exists(agenda));
    EXPECT_EQ(t.desktop.opened, QStringList{agenda});
    {
        QFile file(agenda);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("meet Ann");
    }
    open_agenda(t.ctx);
    QFile file(agenda);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("meet Ann")); // an agenda there is never rewritten
}

TEST_F(ShowFilesFixture, TheEditorInUseComesBeforeTheStoredOne) {
    t.settings.save_setting(u"picture_editor"_s, u"/usr/bin/stored"_s);
    EXPECT_EQ(picture_editor_path(t.ctx, t.ctx.pictures), u"/usr/bin/stored"_s);
    t.ctx.pictures.picture_editor = u"/usr/bin/chosen"_s;
    EXPECT_EQ(picture_editor_path(t.ctx, t.ctx.pictures), u"/usr/bin/chosen"_s);
}

} // namespace
