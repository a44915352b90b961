// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail sheet on real windows, offscreen: filling in the background, damaged and missing
// pictures, the interruption and its resumption, the keys; and the viewer's commands that build
// and open thumbnail and slide-show files.
#include "pictures/sheet_list_text.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/thumbnail_sheet.h"
#include "pictures/ui/thumbnail_sheets.h"
#include "support/test_context.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A small picture with a gradient, so that JPEG has something to encode.
void make_picture(const QString& path, QSize size, const char* format = "JPG") {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    painter.fillRect(image.rect(), gradient);
    painter.end();
    ASSERT_TRUE(image.save(path, format, 80)) << path.toStdString();
}

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SheetWindow : public ::testing::Test {
protected:
    TestContext t;
    PictureViewer viewer{t.ctx};
    QString dir = t.env.path(u"pics"_s);

    void SetUp() override { QDir().mkpath(dir); }
    QString picture(const QString& name, QSize size = {120, 60}) {
        make_picture(dir + u'/' + name, size);
        return dir + u'/' + name;
    }
    QString tnf(const QString& name, const QStringList& paths) {
        write_list_file(dir + u'/' + name, paths);
        return dir + u'/' + name;
    }
    std::vector<ThumbnailSheetWindow*> sheets() const { return viewer.thumbnail_sheets().open_sheets(); }
    ThumbnailSheetWindow* only_sheet() const { return sheets().size() == 1 ? sheets().front() : nullptr; }
    // Three pictures, a.png to c.png.
    void abc() {
        for (const char* name : {"a.png", "b.png", "c.png"})
            picture(QLatin1String(name), {24, 12});
    }
    static QLabel* label(QWidget* sheet, const QString& name) { return sheet->findChild<QLabel*>(name); }
    static bool has_picture(QLabel* cell) { return !cell->pixmap().isNull(); }
};

TEST_F(SheetWindow, FillsEveryCellInTheBackgroundAndSaysWhatCannotBeShown) {
    QStringList paths;
    for (int i = 0; i < 8; ++i)
        paths.append(picture(u"p%1 it's é.jpg"_s.arg(i), i == 0 ? QSize(200, 50) : QSize(60, 90)));
    const QByteArray whole = read_bytes(paths[1]);
    t.env.write_file(u"pics/truncated.jpg"_s, whole.left(whole.size() / 2));
    t.env.write_file(u"pics/empty.jpg"_s, {});
    t.env.write_file(u"pics/text.jpg"_s, "this is not a picture\n");
    paths << dir + u"/truncated.jpg"_s << dir + u"/empty.jpg"_s << dir + u"/text.jpg"_s;
    viewer.open_thumbnail_file(tnf(u"_thumbnails_01.tnf"_s, paths));
    ThumbnailSheetWindow* sheet = only_sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->objectName(), u"f_provini"_s);
    QTRY_VERIFY_WITH_TIMEOUT(sheet->complete(), 20000);

    // Proportions kept: 200 x 50 stays four times as wide as high; 60 x 90 stays upright.
    const QPixmap wide = label(sheet, u"PIC_0"_s)->pixmap();
    EXPECT_EQ(wide.width(), 4 * wide.height());
    EXPECT_GT(label(sheet, u"PIC_1"_s)->pixmap().height(), label(sheet, u"PIC_1"_s)->pixmap().width());
    EXPECT_EQ(label(sheet, u"l_filename_3"_s)->text(), u"p3 it's é.jpg"_s);
    // A truncated JPEG may decode in part; the empty and the text file cannot.
    for (const char* name : {"PIC_9", "PIC_10"}) {
        QLabel* cell = label(sheet, QLatin1String(name));
        EXPECT_FALSE(has_picture(cell)) << name;
        EXPECT_EQ(cell->text(), u"This picture cannot be shown"_s) << name;
    }
    EXPECT_TRUE(sheet->windowTitle().endsWith(u"_thumbnails_01.tnf (01 of 1)"_s))
        << sheet->windowTitle().toStdString();
    EXPECT_TRUE(t.prompter.shown().empty());

    // With no place kept, the sheet opens wide enough for its seven columns.
    sheet->layout()->activate();
    QApplication::processEvents();
    EXPECT_GE(sheet->width(), sheet->findChild<QWidget*>(u"cell_6"_s)->geometry().right());
}

TEST_F(SheetWindow, CancelAtAMissingPictureInterruptsAndResumeGoesOn) {
    const QString gone = dir + u"/gone.jpg"_s;
    const QString file = tnf(u"_thumbnails_01.tnf"_s, {picture(u"a.jpg"_s), gone, picture(u"b.jpg"_s)});
    t.prompter.answer(false);
    viewer.open_thumbnail_file(file);
    ThumbnailSheetWindow* sheet = only_sheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(t.prompter.shown().size(), 1U);
    EXPECT_TRUE(t.prompter.shown()[0].text.startsWith(u"File "_s + QDir::toNativeSeparators(gone) +
                                                      u" not found."_s));
    EXPECT_TRUE(sheet->interrupted());
    EXPECT_TRUE(sheet->windowTitle().endsWith(u"(01 of 1) (interrupted)"_s))
        << sheet->windowTitle().toStdString();
    QTRY_VERIFY(has_picture(label(sheet, u"PIC_0"_s)));
    QApplication::processEvents();
    EXPECT_FALSE(has_picture(label(sheet, u"PIC_2"_s)));
    EXPECT_EQ(label(sheet, u"PIC_1"_s)->text(), u"File not found"_s);

    sheet->findChild<QAction*>(u"m_resume"_s)->trigger();
    EXPECT_FALSE(sheet->interrupted());
    QTRY_VERIFY(sheet->complete());
    EXPECT_TRUE(has_picture(label(sheet, u"PIC_2"_s)));
    EXPECT_TRUE(sheet->windowTitle().endsWith(u"(01 of 1)"_s));
    EXPECT_EQ(t.prompter.shown().size(), 1U); // the missing picture was not asked about again

    // OK goes on at once.
    t.prompter.clear();
    t.prompter.answer(true);
    sheet->refresh();
    EXPECT_FALSE(sheet->interrupted());
    QTRY_VERIFY(sheet->complete());
    EXPECT_TRUE(has_picture(label(sheet, u"PIC_2"_s)));
}

TEST_F(SheetWindow, PageKeysWalkTheSeriesAndSayWhereItEnds) {
    const QString first = tnf(u"_thumbnails_01.tnf"_s, {picture(u"a.jpg"_s)});
    tnf(u"_thumbnails_02.tnf"_s, {picture(u"b.jpg"_s), picture(u"c.jpg"_s)});
    viewer.open_thumbnail_file(first);
    ThumbnailSheetWindow* sheet = only_sheet();
    ASSERT_NE(sheet, nullptr);
    // The keys reach the sheet, not the scroll area around its grid.
    EXPECT_EQ(sheet->focusWidget(), sheet);
    QTest::keyClick(sheet, Qt::Key_PageUp);
    EXPECT_EQ(t.prompter.messages(), QStringList{u"No more previous files"_s});
    QTest::keyClick(sheet, Qt::Key_PageDown);
    EXPECT_EQ(sheet->paths().size(), 2);
    EXPECT_TRUE(sheet->windowTitle().endsWith(u"_thumbnails_02.tnf (02 of 2)"_s))
        << sheet->windowTitle().toStdString();
    EXPECT_EQ(t.ctx.pictures.last_thumbnail_file, dir + u"/_thumbnails_02.tnf"_s);
    QTest::keyClick(sheet, Qt::Key_PageDown);
    EXPECT_EQ(t.prompter.messages().last(), u"No more thumbnail files available"_s);
    QTRY_VERIFY(sheet->complete());
    QTest::keyClick(sheet, Qt::Key_Escape);
    QTRY_VERIFY(viewer.thumbnail_sheets().open_sheets().empty());
}

TEST_F(SheetWindow, DeleteRemovesThePictureButNotItsLine) {
    const QString a = picture(u"a.jpg"_s);
    const QString file = tnf(u"_thumbnails_01.tnf"_s, {a, picture(u"b.jpg"_s)});
    const QByteArray before = read_bytes(file);
    viewer.open_thumbnail_file(file);
    ThumbnailSheetWindow* sheet = only_sheet();
    ASSERT_NE(sheet, nullptr);
    QTRY_VERIFY(sheet->complete());
    QTest::keyClick(sheet, Qt::Key_Delete); // nothing selected: a beep, no question
    EXPECT_EQ(t.desktop.beeps, 1);
    QTest::mouseClick(sheet->findChild<QWidget*>(u"cell_0"_s), Qt::LeftButton);
    EXPECT_EQ(sheet->selected(), 0);
    t.prompter.answer(true);
    QTest::keyClick(sheet, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(t.ctx.pictures.is_deleted(a));
    EXPECT_EQ(read_bytes(file), before);
    EXPECT_EQ(label(sheet, u"PIC_0"_s)->text(), u"Deleted"_s);
    EXPECT_FALSE(has_picture(label(sheet, u"PIC_0"_s)));
    // Refreshed, the sheet shows it gone again rather than asking about a missing file.
    QTest::keyClick(sheet, Qt::Key_F5);
    EXPECT_EQ(label(sheet, u"PIC_0"_s)->text(), u"Deleted"_s);
    EXPECT_EQ(t.prompter.shown().size(), 1U);
    QTRY_VERIFY(sheet->complete());

    QTest::mouseDClick(sheet->findChild<QWidget*>(u"cell_1"_s), Qt::LeftButton);
    EXPECT_EQ(t.ctx.pictures.last_picture_file, dir + u"/b.jpg"_s);
}

TEST_F(SheetWindow, TheViewerBuildsADirectorysSheetsForTheScreenWidth) {
    t.screen.width = 800 * 15;
    for (int i = 1; i <= 19; ++i)
        picture(u"p%1.png"_s.arg(i, 2, 10, QLatin1Char('0')), {16, 16});
    t.prompter.answer(dir.toUtf8().constData());
    viewer.build_thumbnails();
    ThumbnailSheetWindow* sheet = only_sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->file(), dir + u"/_thumbnails_01.tnf"_s);
    EXPECT_EQ(sheet->paths().size(), 18);
    EXPECT_TRUE(sheet->windowTitle().endsWith(u"(01 of 2)"_s)) << sheet->windowTitle().toStdString();
    EXPECT_EQ(t.settings.get_setting(u"last_thumbnail_file"_s), sheet->file());
    QTRY_VERIFY(sheet->complete());
    sheet->layout()->activate();
    EXPECT_GT(sheet->findChild<QWidget*>(u"cell_6"_s)->y(), sheet->findChild<QWidget*>(u"cell_5"_s)->y());
    // The sheet stays on the 800 x 1080 screen.
    EXPECT_LE(sheet->geometry().right(), 800);
    viewer.close_all();
    QTRY_VERIFY(viewer.thumbnail_sheets().open_sheets().empty());
}

TEST_F(SheetWindow, SearchResultsAndAPictureWindowsDirectoryBuildIntoTheTmpDirectory) {
    abc();
    const QString tmp = t.env.path(u"home/tmp"_s);
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

TEST_F(SheetWindow, OnlyExistingTnfFilesOpen) {
    abc();
    viewer.open_thumbnail_file(dir + u"/a.png"_s);
    viewer.open_thumbnail_file(dir + u"/none.tnf"_s);
    t.prompter.answer(std::optional<QString>(dir + u"/b.png"_s));
    viewer.choose_thumbnail_file();
    EXPECT_EQ(t.prompter.messages(),
              (QStringList{u"Not a valid thumbnail file"_s, u"File not found"_s,
                           u"Thumbnail file (*.tnf);;All files (*)"_s, u"Not a valid thumbnail file"_s}));
    EXPECT_TRUE(sheets().empty());
}

TEST_F(SheetWindow, SlideShowCommandsWriteRememberAndCheckTheirFiles) {
    abc();
    viewer.resume_slide_show();
    EXPECT_EQ(t.prompter.messages(), QStringList{u"No slide show has been built or opened yet."_s});
    t.prompter.clear();

    t.settings.save_setting(u"sort_descending"_s, u"-1"_s);
    t.prompter.answer(dir.toUtf8().constData());
    viewer.build_slide_show();
    const QString ssf = dir + u"/_slideshow.ssf"_s;
    EXPECT_EQ(read_list_file(ssf), (QStringList{u"*\\c.png"_s, u"*\\b.png"_s, u"*\\a.png"_s}));
    EXPECT_EQ(t.ctx.pictures.last_slide_show, ssf);
    EXPECT_EQ(t.settings.get_setting(u"last_slide_show"_s), ssf);
    EXPECT_EQ(t.settings.get_setting(u"last_slide_show_dir"_s), dir);

    // A picture window's S: full paths in the tmp directory, the browser's file left alone.
    viewer.slide_show_of_directory(dir);
    const QString tmp_ssf = t.env.path(u"home/tmp/_slideshow.ssf"_s);
    EXPECT_EQ(read_list_file(tmp_ssf).first(), QDir::toNativeSeparators(dir + u"/c.png"_s));
    EXPECT_EQ(t.ctx.pictures.last_slide_show, tmp_ssf);
    EXPECT_EQ(read_list_file(ssf).size(), 3);

    t.prompter.answer(std::optional<QString>(dir + u"/a.png"_s));
    viewer.choose_slide_show_file();
    EXPECT_EQ(t.prompter.messages().last(), u"Not a valid slide show file"_s);
    EXPECT_EQ(t.prompter.shown().back().kind, u"message"_s);
}

TEST_F(SheetWindow, RenameChangesTheCellAndKeepsTheFile) {
    abc();
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

TEST_F(SheetWindow, TheSheetKeepsItsPlaceOnTheScreen) {
    abc();
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
