// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "../../tools/sample_data.h"

#include "core/collections.h"
#include "core/database.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Sample : public ::testing::Test {
protected:
    TempEnv env;
    FakeClock clock;
    sample::Options options;
};

// The small sample as a new user opens it: every default collection holds items, the pad is
// there once, and the links and the picture directory lead to files beside the database.
TEST_F(Sample, SmallOpensWithEveryCollectionAndFilesForItsLinks) {
    options.output = env.path(u"sample.tdb"_s);
    const sample::Summary summary = sample::generate(options, clock);
    auto db = Database::open(options.output, {}, &clock);

    QSet<QString> expected{u"pad"_s};
    CollectionTable defaults;
    defaults.init_collections();
    for (int position = 1; position < CollectionTable::all_collections; ++position)
        if (defaults.at(position).defined) expected.insert(defaults.at(position).name);
    QSet<QString> present;
    int pads = 0;
    int files = 0;
    QString pictures;
    Statement rows = db->prepare(u"SELECT collection, cat, item_title, item_content FROM repos"_s);
    while (rows.next()) {
        present.insert(rows.value(0).toString());
        pads += rows.value(0) == u"pad"_s && rows.value(1) == u"pad"_s && rows.value(2) == u"pad"_s ? 1 : 0;
        const QString first_line = rows.value(3).toString().section(QLatin1Char('\n'), 0, 0).trimmed();
        if (first_line.startsWith(u"PICDIR="_s)) pictures = first_line.mid(7);
        if (!first_line.startsWith(u"LINK="_s, Qt::CaseInsensitive) || first_line.contains(u"http"_s))
            continue;
        const QString target = first_line.mid(5);
        EXPECT_TRUE(QFileInfo::exists(target)) << target.toStdString();
        EXPECT_TRUE(QDir::cleanPath(target).startsWith(QDir::cleanPath(env.path()))) << target.toStdString();
        ++files;
    }
    // A misspelt collection would show up here as one nobody can open.
    EXPECT_EQ(present, expected);
    EXPECT_EQ(pads, 1);
    EXPECT_GE(files, 4);
    EXPECT_EQ(summary.items, db->scalar(u"SELECT count(*) FROM repos"_s).toLongLong());

    ASSERT_EQ(QDir::cleanPath(pictures), QDir::cleanPath(sample::pictures_dir(options.output)));
    const QFileInfoList entries = QDir(pictures).entryInfoList(QDir::Files);
    EXPECT_GE(entries.size(), 4);
    for (const QFileInfo& entry : entries)
        EXPECT_FALSE(QImage(entry.filePath()).isNull()) << entry.fileName().toStdString();
}

TEST_F(Sample, LargeGivesTheRequestedNumberOfItemsAndNothingBesideTheDatabase) {
    options.output = env.path(u"large.tdb"_s);
    options.items = 3000;
    EXPECT_EQ(sample::generate(options, clock).items, 3000);
    EXPECT_EQ(Database::open(options.output, {}, &clock)->scalar(u"SELECT count(*) FROM repos"_s).toInt(),
              3000);
    EXPECT_FALSE(QFileInfo::exists(sample::files_dir(options.output)));

    // An interrupted run leaves no database behind.
    options.output = env.path(u"cut.tdb"_s);
    options.progress = [](qint64, qint64) { throw std::runtime_error("interrupted"); };
    EXPECT_THROW(sample::generate(options, clock), std::runtime_error);
    EXPECT_FALSE(QFileInfo::exists(options.output));
    EXPECT_FALSE(QFileInfo::exists(options.output + u".part"_s));
}

TEST_F(Sample, AnExistingFileIsLeftAsItWasUnlessForced) {
    options.output = env.write_file(u"notes.tdb"_s, "my own notes");
    EXPECT_THROW(sample::generate(options, clock), sample::OutputExists);
    EXPECT_EQ(contents(options.output), QByteArray("my own notes"));

    options.items = 50;
    options.force = true;
    EXPECT_EQ(sample::generate(options, clock).items, 50);
}

TEST_F(Sample, APasswordEncryptsTheFile) {
    options.output = env.path(u"secret.tdb"_s);
    options.password = u"d'été 2026"_s;
    sample::generate(options, clock);
    const QByteArray bytes = contents(options.output);
    EXPECT_FALSE(bytes.contains("Pride and Prejudice"));
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_THROW(Database::open(options.output, {}, &clock), DbError);
    auto db = Database::open(options.output, options.password, &clock);
    EXPECT_GT(db->scalar(u"SELECT count(*) FROM repos"_s).toInt(), 50);
}

} // namespace
