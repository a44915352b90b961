// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "../../tools/sample_data.h"

#include "core/collections.h"
#include "core/database.h"
#include "core/dates.h"
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

struct ItemRow {
    QString collection;
    QString cat;
    QString title;
    QString content;
};

std::vector<ItemRow> read_items(Database& db) {
    std::vector<ItemRow> rows;
    Statement s =
        db.prepare(u"SELECT collection, cat, item_title, item_content FROM repos ORDER BY item_nr"_s);
    while (s.next())
        rows.push_back(
            {s.value(0).toString(), s.value(1).toString(), s.value(2).toString(), s.value(3).toString()});
    return rows;
}

QStringList default_collections() {
    CollectionTable table;
    table.init_collections();
    QStringList names;
    for (int position = 1; position < CollectionTable::all_collections; ++position)
        if (table.at(position).defined) names.append(table.at(position).name);
    return names;
}

QString first_line(const QString& text) {
    return text.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
}

// Whether the text after "> " opens something: the top map, a default collection, or a map (or
// an item of one, after ".") that holds items.
bool reference_is_valid(const QString& target, const std::vector<ItemRow>& rows) {
    if (target.compare(u"Top map"_s, Qt::CaseInsensitive) == 0) return true;
    if (!target.contains(QLatin1Char(':')))
        return default_collections().contains(target.trimmed(), Qt::CaseInsensitive);
    const QString collection = target.section(QLatin1Char(':'), 0, 0).trimmed();
    const QString rest = target.section(QLatin1Char(':'), 1).trimmed();
    const QString cat = rest.section(QLatin1Char('.'), 0, 0).trimmed();
    const QString title =
        rest.contains(QLatin1Char('.')) ? rest.section(QLatin1Char('.'), 1).trimmed() : QString();
    return std::any_of(rows.begin(), rows.end(), [&](const ItemRow& row) {
        if (row.collection.compare(collection, Qt::CaseInsensitive) != 0) return false;
        const QStringList cats = row.cat.split(QLatin1Char(','));
        const bool in_map = std::any_of(cats.begin(), cats.end(), [&](const QString& part) {
            return part.trimmed().compare(cat, Qt::CaseInsensitive) == 0;
        });
        return in_map && (title.isEmpty() || row.title.compare(title, Qt::CaseInsensitive) == 0);
    });
}

// The small sample as a new user opens it.
class SampleSmall : public ::testing::Test {
protected:
    void SetUp() override {
        output = env.path(u"sample.tdb"_s);
        sample::Options options;
        options.output = output;
        summary = sample::generate(options, clock);
        db = Database::open(output, {}, &clock);
        rows = read_items(*db);
    }

    TempEnv env;
    FakeClock clock;
    QString output;
    sample::Summary summary;
    std::unique_ptr<Database> db;
    std::vector<ItemRow> rows;
};

TEST_F(SampleSmall, FillsEveryDefaultCollectionAndHoldsThePadOnce) {
    QSet<QString> present;
    int pads = 0;
    for (const ItemRow& row : rows) {
        present.insert(row.collection);
        pads += row.collection == u"pad"_s && row.cat == u"pad"_s && row.title == u"pad"_s ? 1 : 0;
    }
    const QStringList defaults = default_collections();
    QSet<QString> expected(defaults.begin(), defaults.end());
    expected.insert(u"pad"_s);
    // A misspelt collection would show up here as one nobody can open.
    EXPECT_EQ(present, expected);
    EXPECT_EQ(pads, 1);
    EXPECT_EQ(summary.items, static_cast<qint64>(rows.size()));
    EXPECT_EQ(summary.maps, sample::count_maps(*db));
}

TEST_F(SampleSmall, ReferencesOpenExistingMapsExceptTheOneBrokenOnPurpose) {
    QStringList broken;
    int valid = 0;
    for (const ItemRow& row : rows) {
        const QString target = row.title.startsWith(u"> "_s)     ? row.title.mid(2)
                               : row.content.startsWith(u"> "_s) ? first_line(row.content).mid(2)
                                                                 : QString();
        if (target.isNull()) continue;
        if (reference_is_valid(target, rows))
            ++valid;
        else
            broken.append(target);
    }
    EXPECT_GE(valid, 7);
    EXPECT_EQ(broken, QStringList{u"Media: Radio plays"_s});
}

TEST_F(SampleSmall, LinksAndThePictureDirectoryLeadToFilesBesideTheDatabase) {
    int files = 0;
    int directories = 0;
    QString pictures;
    for (const ItemRow& row : rows) {
        if (row.content.startsWith(u"PICDIR="_s)) pictures = first_line(row.content).mid(7).trimmed();
        if (!row.content.startsWith(u"LINK="_s, Qt::CaseInsensitive)) continue;
        const QString target = first_line(row.content).mid(5).trimmed();
        if (target.startsWith(u"http"_s)) continue;
        const QFileInfo info(target);
        ASSERT_TRUE(info.exists()) << target.toStdString();
        EXPECT_TRUE(QDir::cleanPath(target).startsWith(QDir::cleanPath(env.path()))) << target.toStdString();
        ++(info.isDir() ? directories : files);
    }
    EXPECT_GE(directories, 1);
    EXPECT_GE(files, 3);

    ASSERT_EQ(QDir::cleanPath(pictures), QDir::cleanPath(sample::pictures_dir(output)));
    const QFileInfoList entries = QDir(pictures).entryInfoList(QDir::Files);
    EXPECT_GE(entries.size(), 4);
    for (const QFileInfo& entry : entries)
        EXPECT_FALSE(QImage(entry.filePath()).isNull()) << entry.fileName().toStdString();
}

TEST_F(SampleSmall, JournalTitlesAreRecentDaysExceptOne) {
    int dated = 0;
    int undated = 0;
    for (const ItemRow& row : rows) {
        if (row.collection != u"Journal"_s) continue;
        const std::optional<QDateTime> date = dates::parse(row.title);
        if (!date) {
            ++undated;
            continue;
        }
        ++dated;
        EXPECT_LT(date->date(), clock.now().date()) << row.title.toStdString();
        EXPECT_GT(date->date(), clock.now().date().addYears(-1)) << row.title.toStdString();
    }
    EXPECT_GE(dated, 5);
    EXPECT_EQ(undated, 1);
}

TEST(SampleLarge, GivesTheRequestedNumberOfItemsTheSameForTheSameSeed) {
    TempEnv env;
    FakeClock clock;
    const auto make = [&](const QString& name, qint64 items, quint64 seed) {
        sample::Options options;
        options.output = env.path(name);
        options.items = items;
        options.seed = seed;
        EXPECT_EQ(sample::generate(options, clock).items, items);
        auto db = Database::open(options.output, {}, &clock);
        QStringList lines;
        Statement s = db->prepare(u"SELECT * FROM repos ORDER BY item_nr"_s);
        while (s.next())
            for (int i = 0; i < s.column_count(); ++i)
                lines.append(s.value(i).toString());
        EXPECT_EQ(db->scalar(u"SELECT count(*) FROM repos"_s).toLongLong(), items);
        return lines;
    };
    EXPECT_EQ(make(u"one.tdb"_s, 1, 3).isEmpty(), false);
    const QStringList a = make(u"a.tdb"_s, 3000, 7);
    EXPECT_EQ(a, make(u"b.tdb"_s, 3000, 7));
    EXPECT_NE(a, make(u"c.tdb"_s, 3000, 8));
    // The large mode writes nothing beside the database.
    EXPECT_FALSE(QFileInfo::exists(sample::files_dir(env.path(u"a.tdb"_s))));
}

TEST(SampleLarge, AnInterruptedRunLeavesNoDatabaseBehind) {
    TempEnv env;
    FakeClock clock;
    sample::Options options;
    options.output = env.path(u"cut.tdb"_s);
    options.items = 12000;
    options.progress = [](qint64, qint64) { throw std::runtime_error("interrupted"); };
    EXPECT_THROW(sample::generate(options, clock), std::runtime_error);
    EXPECT_FALSE(QFileInfo::exists(options.output));
    EXPECT_FALSE(QFileInfo::exists(options.output + u".part"_s));
}

TEST(SampleOutput, AnExistingFileIsLeftAsItWasUnlessForced) {
    TempEnv env;
    FakeClock clock;
    const QByteArray original("my own notes, not a database\n");
    sample::Options options;
    options.output = env.write_file(u"notes.tdb"_s, original);
    EXPECT_THROW(sample::generate(options, clock), sample::OutputExists);
    QFile file(options.output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
    EXPECT_FALSE(QFileInfo::exists(sample::files_dir(options.output)));

    options.items = 50;
    options.force = true;
    EXPECT_EQ(sample::generate(options, clock).items, 50);
}

TEST(SampleOutput, APasswordEncryptsTheFile) {
    TempEnv env;
    FakeClock clock;
    sample::Options options;
    options.output = env.path(u"secret.tdb"_s);
    options.password = u"d'été 2026"_s;
    sample::generate(options, clock);
    QFile file(options.output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("Pride and Prejudice"));
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_THROW(Database::open(options.output, {}, &clock), DbError);
    EXPECT_GT(read_items(*Database::open(options.output, options.password, &clock)).size(), 50u);
}

TEST(SampleArguments, ReadsTheOptionsAndRefusesWhatItCannotUse) {
    const auto result = sample::parse_arguments(
        {u"out.tdb"_s, u"--items"_s, u"100000"_s, u"--password"_s, u"--force"_s, u"--seed=42"_s});
    ASSERT_TRUE(std::holds_alternative<sample::Options>(result));
    const auto& all = std::get<sample::Options>(result);
    EXPECT_EQ(all.output, u"out.tdb"_s);
    EXPECT_EQ(all.items, 100000);
    // A password may look like an option: it is the value of --password.
    EXPECT_EQ(all.password, u"--force"_s);
    EXPECT_EQ(all.seed, 42u);
    EXPECT_FALSE(all.force);
    for (const QStringList& wrong :
         {QStringList{}, QStringList{u"x.tdb"_s, u"--items"_s, u"0"_s},
          QStringList{u"x.tdb"_s, u"--seed"_s, u"-3"_s}, QStringList{u"x.tdb"_s, u"y.tdb"_s},
          QStringList{u"x.tdb"_s, u"--colour"_s}})
        EXPECT_TRUE(std::holds_alternative<QString>(sample::parse_arguments(wrong)))
            << wrong.join(u' ').toStdString();
}

} // namespace
