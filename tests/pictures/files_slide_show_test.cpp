// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Slide-show files: writing, reading both line forms and encodings, and the repair.
#include "pictures/file_error.h"
#include "pictures/sheet_list_text.h"
#include "pictures/slide_show_files.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList paths_of(const PictureList& pictures) {
    QStringList paths;
    for (const PictureEntry& p : pictures)
        paths.append(p.path);
    return paths;
}

class SlideShowFile : public ::testing::Test {
protected:
    TestContext t;
    QString dir = t.env.path(u"pics"_s);
    QString other = t.env.path(u"other"_s);
    void SetUp() override {
        ASSERT_TRUE(make_file_tree(dir, {u"a.jpg"_s, u"with space.jpg"_s, u"it's.gif"_s, u"Ünïcödé.bmp"_s}));
        ASSERT_TRUE(make_file_tree(other, {u"far.jpg"_s}));
        QDir().mkpath(t.ctx.program_dir);
    }
};

TEST_F(SlideShowFile, WritesStarNamesForItsOwnDirectoryAndFullPathsOtherwise) {
    const PictureList pictures{
        {dir + u"/a.jpg"_s, {}}, {other + u"/far.jpg"_s, {}}, {dir + u"/it's.gif"_s, {}}};
    EXPECT_EQ(
        slide_show_lines(pictures, dir),
        (QStringList{u"*\\a.jpg"_s, QDir::toNativeSeparators(other + u"/far.jpg"_s), u"*\\it's.gif"_s}));
    EXPECT_EQ(slide_show_lines(pictures).first(), QDir::toNativeSeparators(dir + u"/a.jpg"_s));
    EXPECT_EQ(list_file_bytes({u"*\\a.jpg"_s, u"é"_s}), QByteArray("*\\a.jpg\r\n\xc3\xa9\r\n"));
}

TEST_F(SlideShowFile, ReadsBothLineFormsBothLineEndsAndSkipsBlankLines) {
    const QByteArray text = "*\\a.jpg\r\n\r\n*/with space.jpg\n   \n" + (other + u"/far.jpg"_s).toUtf8() +
                            "\n*\\it's.gif\r\n*\\\xc3\x9cn\xc3\xaf"
                            "c\xc3\xb6"
                            "d\xc3\xa9.bmp";
    const QString ssf = t.env.write_file(u"pics/show.ssf"_s, text);
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_EQ(paths_of(load.pictures),
              (QStringList{dir + u"/a.jpg"_s, dir + u"/with space.jpg"_s, other + u"/far.jpg"_s,
                           dir + u"/it's.gif"_s, dir + u"/Ünïcödé.bmp"_s}));
    EXPECT_TRUE(load.missing.isEmpty());
    EXPECT_FALSE(load.repaired);
    EXPECT_TRUE(t.prompter.shown().empty());
    // A file with nothing missing is left exactly as it was, and no temporary file stays behind.
    EXPECT_EQ(read_bytes(ssf), text);
    EXPECT_FALSE(QFileInfo::exists(slide_show_repair_file(t.ctx)));
}

TEST_F(SlideShowFile, ReadsAnEightBitFileWhenTheBytesAreNotUtf8) {
    const QString ssf = t.env.write_file(u"pics/latin.ssf"_s, "*\\\xdcn\xef"
                                                              "c\xf6"
                                                              "d\xe9.bmp\r\n*\\a.jpg\r\n");
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_EQ(paths_of(load.pictures), (QStringList{dir + u"/Ünïcödé.bmp"_s, dir + u"/a.jpg"_s}));
    EXPECT_EQ(list_file_lines("\xef\xbb\xbf"
                              "a\r\nb"),
              (QStringList{u"a"_s, u"b"_s})); // byte-order mark
}

TEST_F(SlideShowFile, AMissingPictureIsToldOnceAndItsLineRemoved) {
    const QString gone = dir + u"/gone.jpg"_s;
    const QByteArray text =
        "*\\a.jpg\r\n*\\gone.jpg\r\n*\\with space.jpg\n" + other.toUtf8() + "/far.jpg\r\n";
    const QString ssf = t.env.write_file(u"pics/show.ssf"_s, text);
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_EQ(paths_of(load.pictures),
              (QStringList{dir + u"/a.jpg"_s, dir + u"/with space.jpg"_s, other + u"/far.jpg"_s}));
    EXPECT_EQ(t.prompter.messages(), QStringList{QDir::toNativeSeparators(gone) +
                                                 u" not found. It will be removed from slide show file."_s});
    EXPECT_TRUE(load.repaired);
    // The surviving lines keep their form; the file now ends every line in CR LF.
    EXPECT_EQ(read_bytes(ssf), "*\\a.jpg\r\n*\\with space.jpg\r\n" + other.toUtf8() + "/far.jpg\r\n");
    EXPECT_FALSE(QFileInfo::exists(ssf + u".being replaced"_s));
    EXPECT_FALSE(QFileInfo::exists(slide_show_repair_file(t.ctx)));
    // Loaded again, nothing is missing any more.
    t.prompter.clear();
    EXPECT_FALSE(load_slide_show_file(t.ctx, ssf).repaired);
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(SlideShowFile, WindowsPathsAndBareNamesAreReportedMissing) {
    const QString ssf = t.env.write_file(u"pics/win.ssf"_s, "C:\\Pictures\\x.jpg\r\na.jpg\r\n*\\a.jpg\r\n");
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_EQ(load.missing, (QStringList{u"C:\\Pictures\\x.jpg"_s, u"a.jpg"_s}));
    EXPECT_EQ(paths_of(load.pictures), QStringList{dir + u"/a.jpg"_s});
    EXPECT_EQ(read_bytes(ssf), QByteArray("*\\a.jpg\r\n"));
}

TEST_F(SlideShowFile, AFailedRepairKeepsTheOriginalAndStillShowsThePictures) {
    const QByteArray text = "*\\a.jpg\r\n*\\gone.jpg\r\n";
    const QString ssf = t.env.write_file(u"pics/show.ssf"_s, text);
    // A directory where the file would be set aside: the first rename of the repair fails.
    ASSERT_TRUE(make_file_tree(dir, {u"show.ssf.being replaced/keep"_s}));
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_FALSE(load.repaired);
    EXPECT_EQ(paths_of(load.pictures), QStringList{dir + u"/a.jpg"_s});
    ASSERT_EQ(t.prompter.messages().size(), 2);
    EXPECT_TRUE(t.prompter.messages().at(1).startsWith(u"Error "_s))
        << t.prompter.messages().at(1).toStdString();
    EXPECT_EQ(read_bytes(ssf), text);
    EXPECT_FALSE(QFileInfo::exists(slide_show_repair_file(t.ctx)));
}

TEST_F(SlideShowFile, TakesAtMostAThousandPicturesAndKeepsTheRestInTheFile) {
    QStringList lines;
    for (int i = 0; i < 1001; ++i)
        lines.append(u"*\\a.jpg"_s);
    lines.append(u"*\\gone.jpg"_s);
    const QString ssf = t.env.write_file(u"pics/big.ssf"_s, list_file_bytes(lines));
    const SlideShowLoad load = load_slide_show_file(t.ctx, ssf);
    EXPECT_EQ(load.pictures.size(), 1000U);
    EXPECT_TRUE(load.too_many);
    EXPECT_EQ(read_list_file(ssf).size(), 1001);
}

TEST_F(SlideShowFile, AnUnreadableFileIsAnError) {
    EXPECT_THROW(load_slide_show_file(t.ctx, dir + u"/none.ssf"_s), FileError);
}

} // namespace
