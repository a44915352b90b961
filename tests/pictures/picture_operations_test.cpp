// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands the viewer's windows share (delete, rename, edit, save a copy, the agenda) and the
// reading of pictures.
#include "pictures/file_error.h"
#include "pictures/picture_image.h"
#include "pictures/picture_operations.h"
#include "pictures/show_files.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class PictureOperations : public ::testing::Test {
protected:
    TestContext tc;
    AppContext& ctx = tc.ctx;

    QString picture(const QString& name, QSize size = {40, 30}) {
        QString path = tc.env.path(name);
        QDir().mkpath(QFileInfo(path).path());
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString last_setting() const { return tc.settings.get_setting(u"last_picture_file"_s); }
    // A file whose bytes a copy must keep.
    QString copied_file() const { return tc.env.write_file(u"pics/l'été d'or.jpg"_s, "picture bytes"); }
};

// The deleted picture is kept in the recycle directory; Cancel, the preselected answer, keeps it.
TEST_F(PictureOperations, DeleteAsksKeepsACopyAndListsTheFile) {
    const QString path = picture(u"photos d'été/Noël 1.jpg"_s);
    set_last_picture(ctx, ctx.pictures, path);

    tc.prompter.answer(false);
    EXPECT_FALSE(delete_picture(ctx, ctx.pictures, path));
    ASSERT_EQ(tc.prompter.shown().size(), 1U);
    EXPECT_EQ(tc.prompter.shown()[0].text, u"Do you really want to delete file "_s + path + u"?"_s);
    EXPECT_EQ(tc.prompter.shown()[0].title, u"Deleting last picture"_s);
    EXPECT_FALSE(tc.prompter.shown()[0].default_yes);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ctx.pictures.last_picture_file, path);

    tc.prompter.answer(true);
    EXPECT_TRUE(delete_picture(ctx, ctx.pictures, path));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QFileInfo::exists(recycle_directory(ctx) + u"/Noël 1.jpg"_s));
    EXPECT_TRUE(ctx.pictures.is_deleted(path));
    EXPECT_TRUE(ctx.pictures.last_picture_file.isEmpty());
    EXPECT_TRUE(last_setting().isEmpty());

    // A file that went away meanwhile is reported with its number and changes nothing.
    const QString gone = tc.env.path(u"gone.jpg"_s);
    set_last_picture(ctx, ctx.pictures, gone);
    tc.prompter.answer(true);
    EXPECT_FALSE(delete_picture(ctx, ctx.pictures, gone));
    EXPECT_TRUE(tc.prompter.messages().last().startsWith(u"Error 53 - "_s));
    EXPECT_FALSE(ctx.pictures.is_deleted(gone));
    EXPECT_EQ(ctx.pictures.last_picture_file, gone);
}

TEST_F(PictureOperations, RenameKeepsTheExtensionAndTheDirectory) {
    const QString path = picture(u"dir/l'arbre.jpg"_s);
    const QString other = picture(u"dir/taken.jpg"_s);

    tc.prompter.answer(std::optional<QString>()); // cancelled
    tc.prompter.answer("");                       // empty: nothing
    tc.prompter.answer("tree.png");               // another extension
    tc.prompter.answer("sub/tree.jpg");           // not a name
    tc.prompter.answer("taken.jpg");              // an existing file is not overwritten
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(rename_picture(ctx, ctx.pictures, path));
    EXPECT_EQ(tc.prompter.input_defaults.first(), u"l'arbre.jpg"_s);
    EXPECT_EQ(
        tc.prompter.messages().mid(3),
        QStringList({u"File extension cannot be modified"_s, u"New file name?"_s, u"Invalid file name"_s,
                     u"New file name?"_s, u"Error 58 - File already exists: "_s + other}));
    EXPECT_TRUE(QFileInfo::exists(path));

    tc.prompter.answer("l'arbre d'hiver.JPG");
    const auto renamed = rename_picture(ctx, ctx.pictures, path);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(*renamed, tc.env.path(u"dir/l'arbre d'hiver.JPG"_s));
    EXPECT_TRUE(QFileInfo::exists(*renamed));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(last_setting(), *renamed);
}

TEST_F(PictureOperations, EditorPathIsCheckedBeforeItRuns) {
    const QString path = picture(u"a b.jpg"_s);
    const QString editor = tc.env.write_file(u"bin/editor"_s, "#!/bin/sh\n");
    EXPECT_FALSE(edit_picture(ctx, u"  "_s, path));
    EXPECT_FALSE(edit_picture(ctx, tc.env.path(u"bin/none"_s), path));
    EXPECT_EQ(tc.prompter.messages(),
              QStringList({u"Path of picture editor is missing."_s, u"Path of picture editor is wrong."_s}));
    EXPECT_TRUE(edit_picture(ctx, u" "_s + editor + u" "_s, path));
    EXPECT_EQ(tc.desktop.ran, QStringList({editor + u" "_s + path}));
}

TEST(PictureFit, ProportionsAreKeptAndSmallPicturesKeepTheirSize) {
    struct Case {
        QSize full, bounds;
        bool enlarge;
        QSize expected;
    };
    for (const Case& c :
         {Case{{4000, 3000}, {800, 800}, false, {800, 600}},
          Case{{3000, 4000}, {800, 800}, false, {600, 800}}, Case{{100, 50}, {800, 800}, false, {100, 50}},
          Case{{100, 50}, {800, 800}, true, {800, 400}}, Case{{20000, 1}, {100, 100}, false, {100, 1}},
          Case{{0, 0}, {100, 100}, false, {1, 1}}})
        EXPECT_EQ(fit_size(c.full, c.bounds, c.enlarge), c.expected)
            << c.full.width() << "x" << c.full.height();
}

// A picture stored sideways with an orientation tag is read upright, and scaled while reading.
TEST_F(PictureOperations, PicturesAreReadUprightAndScaled) {
    const QString path = tc.env.path(u"sideways.jpg"_s);
    QImage stored(400, 200, QImage::Format_RGB32);
    stored.fill(Qt::white);
    QImageWriter writer(path);
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(stored)) << writer.errorString().toStdString();

    EXPECT_EQ(picture_size(path), QSize(200, 400));
    const PictureRead read = read_picture_fitted(path, {100, 100}, false);
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.full_size, QSize(200, 400));
    EXPECT_EQ(read.image.size(), QSize(50, 100));
}

// Files that are no pictures, or broken ones, give a message instead of a crash.
TEST_F(PictureOperations, BrokenPicturesGiveAMessage) {
    const QString empty = tc.env.write_file(u"empty.jpg"_s, {});
    const QString text = tc.env.write_file(u"notes.jpg"_s, "just some text\n");
    for (const QString& path : {empty, text, tc.env.path(u"missing.jpg"_s)}) {
        const PictureRead read = read_picture_fitted(path, {100, 100}, false);
        EXPECT_TRUE(read.image.isNull()) << path.toStdString();
        EXPECT_TRUE(read.error.startsWith(u"Error "_s)) << read.error.toStdString();
        EXPECT_TRUE(read.error.contains(QDir::toNativeSeparators(path))) << read.error.toStdString();
    }
    EXPECT_TRUE(
        read_picture_fitted(tc.env.path(u"missing.jpg"_s), {9, 9}, false).error.startsWith(u"Error 53 - "_s));

    // A truncated JPEG still shows what it holds.
    QImage noise(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            noise.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 13) % 256, (x ^ y) % 256));
    const QString whole = tc.env.path(u"whole.jpg"_s);
    ASSERT_TRUE(noise.save(whole));
    QFile file(whole);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString cut = tc.env.write_file(u"cut.jpg"_s, file.read(file.size() * 2 / 3));
    const PictureRead read = read_picture_fitted(cut, {32, 32}, false);
    EXPECT_EQ(read.full_size, QSize(256, 256));
    EXPECT_EQ(read.image.size(), QSize(32, 32));
}

TEST_F(PictureOperations, ACopyIsWrittenWhereTheUserSaysAndRemembered) {
    const QString source = copied_file();
    const QString target = tc.env.path(u"copies/copy ü.jpg"_s);
    QDir().mkpath(tc.env.path(u"copies"_s));
    tc.prompter.answer(std::optional<QString>(target));
    ASSERT_TRUE(save_picture_copy(ctx, source));
    QFile copy(target);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("picture bytes"));
    EXPECT_TRUE(QFile::exists(source));
    EXPECT_EQ(tc.settings.get_setting(u"last_saved_file"_s), target);
    // The next save dialog starts in that directory, with the picture's own name.
    tc.prompter.answer(std::optional<QString>());
    EXPECT_FALSE(save_picture_copy(ctx, source));
    ASSERT_EQ(tc.prompter.shown().size(), 2U);
    EXPECT_EQ(tc.prompter.shown()[1].kind, u"save_file"_s);
}

TEST_F(PictureOperations, CopyOntoItselfOrFromAVanishedFileIsAnErrorAndTouchesNothing) {
    const QString source = copied_file();
    tc.prompter.answer(std::optional<QString>(source));
    EXPECT_FALSE(save_picture_copy(ctx, source));
    QFile kept(source);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("picture bytes"));
    const QString gone = tc.env.path(u"pics/gone.jpg"_s);
    tc.prompter.answer(std::optional<QString>(tc.env.path(u"x.jpg"_s)));
    EXPECT_FALSE(save_picture_copy(ctx, gone));
    const QStringList messages = tc.prompter.messages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[1].startsWith(u"Error 75 - "_s)) << messages[1].toStdString();
    EXPECT_TRUE(messages[3].startsWith(u"Error 53 - "_s)) << messages[3].toStdString();
    EXPECT_FALSE(QFile::exists(tc.env.path(u"x.jpg"_s)));
    EXPECT_TRUE(tc.settings.get_setting(u"last_saved_file"_s).isEmpty());
}

TEST_F(PictureOperations, TheAgendaIsMadeWhenMissingAndOpened) {
    open_agenda(ctx);
    const QString agenda = ctx.program_path(u"agenda.txt"_s);
    EXPECT_TRUE(QFile::exists(agenda));
    EXPECT_EQ(tc.desktop.opened, QStringList{agenda});
    {
        QFile file(agenda);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("meet Ann");
    }
    open_agenda(ctx);
    QFile file(agenda);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("meet Ann")); // an agenda there is never rewritten
}

TEST_F(PictureOperations, TheEditorInUseComesBeforeTheStoredOne) {
    tc.settings.save_setting(u"picture_editor"_s, u"/usr/bin/stored"_s);
    EXPECT_EQ(picture_editor_path(ctx, ctx.pictures), u"/usr/bin/stored"_s);
    ctx.pictures.picture_editor = u"/usr/bin/chosen"_s;
    EXPECT_EQ(picture_editor_path(ctx, ctx.pictures), u"/usr/bin/chosen"_s);
}

} // namespace
