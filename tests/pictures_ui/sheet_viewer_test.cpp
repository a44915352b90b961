// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer's thumbnail commands and the sheet's rename and place, on real windows offscreen.
#include "pictures/sheet_list_text.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/thumbnail_sheet.h"
#include "pictures/ui/thumbnail_sheets.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SheetViewer : public ::testing::Test {
protected:
    TestContext t;
    PictureViewer viewer{t.ctx};
    QString dir = t.env.path(u"pics"_s);

    void SetUp() override {
        QDir().mkpath(dir);
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            QImage image(24, 12, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            ASSERT_TRUE(image.save(dir + u'/' + QLatin1String(name)));
        }
    }
    std::vector<ThumbnailSheetWindow*> sheets() const { return viewer.thumbnail_sheets().open_sheets(); }
};

TEST_F(SheetViewer, SearchResultsAndAPictureWindowsDirectoryBuildIntoTheTmpDirectory) {
    const QString tmp = t.env.path(u"home/tmp"_s);
    viewer.thumbnails_from_search_results();
    EXPECT_EQ(t.prompter.messages(), QStringList{u"Search results list is empty"_s});
    EXPECT_TRUE(sheets().empty());

    t.ctx.pictures.search_results = {dir + u"/c.png"_s, dir + u"/a.png"_s};
    viewer.set_search_strings(false, {u"c"_s, u"a"_s, u""_s});
    viewer.thumbnails_from_search_results();
    ASSERT_EQ(sheets().size(), 1U);
    EXPECT_EQ(sheets().front()->file(), tmp + u"/search_or_c$a$_01.tnf"_s);
    EXPECT_EQ(sheets().front()->paths(), t.ctx.pictures.search_results);

    viewer.thumbnails_of_directory(dir);
    ASSERT_EQ(sheets().size(), 2U);
    EXPECT_EQ(sheets().back()->file(), tmp + u"/_thumbnails_01.tnf"_s);
    EXPECT_EQ(t.ctx.pictures.last_thumbnail_file, tmp + u"/_thumbnails_01.tnf"_s);
    EXPECT_FALSE(QFile::exists(dir + u"/_thumbnails_01.tnf"_s)); // the picture's directory is left alone
    // Gone at once, decodes and all: the viewer may be closing with the program.
    viewer.close_all();
    EXPECT_TRUE(sheets().empty());
}

TEST_F(SheetViewer, OnlyExistingTnfFilesOpen) {
    viewer.open_thumbnail_file(dir + u"/a.png"_s);
    viewer.open_thumbnail_file(dir + u"/none.tnf"_s);
    t.prompter.answer(std::optional<QString>(dir + u"/b.png"_s));
    viewer.choose_thumbnail_file();
    EXPECT_EQ(t.prompter.messages(),
              (QStringList{u"Not a valid thumbnail file"_s, u"File not found"_s,
                           u"Thumbnail file (*.tnf);;All files (*)"_s, u"Not a valid thumbnail file"_s}));
    EXPECT_TRUE(sheets().empty());
}

TEST_F(SheetViewer, SlideShowCommandsWriteRememberAndCheckTheirFiles) {
    viewer.resume_slide_show();
    EXPECT_EQ(t.prompter.messages(), QStringList{u"No slide show has been built or opened yet."_s});
    t.prompter.clear();

    t.settings.save_setting(u"sort_descending"_s, u"-1"_s);
    t.prompter.answer(dir.toUtf8().constData());
    viewer.build_slide_show();
    const QString ssf = dir + u"/_slideshow.ssf"_s;
    EXPECT_EQ(read_list_file(ssf), (QStringList{u"*\\c.png"_s, u"*\\b.png"_s, u"*\\a.png"_s}));
    EXPECT_EQ(t.ctx.pictures.last_slide_show, ssf);
    EXPECT_EQ(t.settings.get_setting(u"last_slide_show_dir"_s), dir);

    // A picture window's S: full paths in the tmp directory, the browser's file left alone.
    viewer.slide_show_of_directory(dir);
    const QString tmp_ssf = t.env.path(u"home/tmp/_slideshow.ssf"_s);
    EXPECT_EQ(read_list_file(tmp_ssf).first(), QDir::toNativeSeparators(dir + u"/c.png"_s));
    EXPECT_EQ(t.ctx.pictures.last_slide_show, tmp_ssf);
    EXPECT_EQ(read_list_file(ssf).size(), 3);

    // Resuming repairs the file first: a picture gone since is told about and its line dropped.
    QFile::remove(dir + u"/b.png"_s);
    viewer.resume_slide_show();
    EXPECT_EQ(read_list_file(tmp_ssf).size(), 2);
    EXPECT_EQ(t.prompter.messages().last(), QDir::toNativeSeparators(dir + u"/b.png"_s) +
                                                u" not found. It will be removed from slide show file."_s);

    t.prompter.answer(std::optional<QString>(dir + u"/a.png"_s));
    viewer.choose_slide_show_file();
    EXPECT_EQ(t.prompter.messages().last(), u"Not a valid slide show file"_s);
    EXPECT_EQ(t.prompter.shown().back().kind, u"message"_s);
}

TEST_F(SheetViewer, RenameChangesTheCellAndKeepsTheFile) {
    const QString tnf = dir + u"/_thumbnails_01.tnf"_s;
    write_list_file(tnf, {dir + u"/a.png"_s, dir + u"/b.png"_s});
    viewer.open_thumbnail_file(tnf);
    ThumbnailSheetWindow* sheet = sheets().front();
    QTRY_VERIFY(sheet->complete());
    sheet->select_cell(1);
    t.prompter.answer("Émile's b.png");
    QTest::keyClick(sheet, Qt::Key_N);
    EXPECT_TRUE(QFile::exists(dir + u"/Émile's b.png"_s));
    EXPECT_EQ(sheet->findChild<QLabel*>(u"l_filename_1"_s)->text(), u"Émile's b.png"_s);
    EXPECT_EQ(read_list_file(tnf).at(1), QDir::toNativeSeparators(dir + u"/b.png"_s));
    EXPECT_EQ(t.ctx.pictures.last_picture_file, dir + u"/Émile's b.png"_s);
    t.ctx.pictures.picture_editor = t.env.write_file(u"editor"_s, "");
    QTest::keyClick(sheet, Qt::Key_E);
    ASSERT_EQ(t.desktop.ran.size(), 1);
    EXPECT_TRUE(t.desktop.ran.front().endsWith(u" "_s + t.env.path(u"pics/Émile's b.png"_s)))
        << t.desktop.ran.front().toStdString();
}

TEST_F(SheetViewer, TheSheetKeepsItsPlaceOnTheScreen) {
    const QString tnf = dir + u"/_thumbnails_01.tnf"_s;
    write_list_file(tnf, {dir + u"/a.png"_s});
    viewer.open_thumbnail_file(tnf);
    ThumbnailSheetWindow* sheet = sheets().front();
    sheet->resize(500, 400);
    sheet->move(100, 80);
    const QRect kept = sheet->frameGeometry();
    sheet->close();
    QTRY_VERIFY(sheets().empty());
    viewer.open_thumbnail_file(tnf);
    ASSERT_EQ(sheets().size(), 1U);
    EXPECT_EQ(sheets().front()->frameGeometry(), kept);
    sheets().front()->close();
    QTRY_VERIFY(sheets().empty());

    // A place kept on a larger screen is brought back onto this one.
    t.settings.save_setting(u"provini_left"_s, QString::number(3000 * 15));
    t.settings.save_setting(u"provini_width"_s, QString::number(5000 * 15));
    viewer.open_thumbnail_file(tnf);
    const QRect place = sheets().front()->frameGeometry();
    EXPECT_GE(place.left(), 0);
    EXPECT_LT(place.right(), 1920);
}

} // namespace
