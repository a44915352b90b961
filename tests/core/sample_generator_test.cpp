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
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct ItemRow {
    qint64 nr = 0;
    QString collection;
    QString cat;
    QString mark;
    QString title;
    QString content;
    QVariant seq;
    QVariant expiry;
    QVariant remind;
    QVariant notified;
};

// Every row in item order; the assertions filter in C++ so that they do not depend on the
// engine's own collation and like.
std::vector<ItemRow> read_items(Database& db) {
    std::vector<ItemRow> rows;
    Statement s =
        db.prepare(QStringLiteral("SELECT item_nr, collection, cat, mark, item_title, item_content, seq, "
                                  "date_expiry, date_remind, date_notified FROM repos ORDER BY item_nr"));
    while (s.next()) {
        rows.push_back({s.value(0).toLongLong(), s.value(1).toString(), s.value(2).toString(),
                        s.value(3).toString(), s.value(4).toString(), s.value(5).toString(), s.value(6),
                        s.value(7), s.value(8), s.value(9)});
    }
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

QString key(const QString& collection, const QString& cat) {
    return collection.trimmed().toCaseFolded() + QLatin1Char('\n') + cat.trimmed().toCaseFolded();
}

// Map key -> number of items, an item with a comma list counting in each of its maps.
QMap<QString, int> map_sizes(const std::vector<ItemRow>& rows) {
    QMap<QString, int> sizes;
    for (const ItemRow& row : rows)
        for (const QString& cat : row.cat.split(QLatin1Char(',')))
            ++sizes[key(row.collection, cat)];
    return sizes;
}

// Whether the text after "> " names an existing map (or an item of one, after "."), a default
// collection, or the top map.
bool reference_is_valid(const QString& target, const std::vector<ItemRow>& rows) {
    if (target.compare(QLatin1String("Top map"), Qt::CaseInsensitive) == 0) return true;
    if (!target.contains(QLatin1Char(':')))
        return default_collections().contains(target.trimmed(), Qt::CaseInsensitive);
    const QString collection = target.section(QLatin1Char(':'), 0, 0).trimmed();
    const QString rest = target.section(QLatin1Char(':'), 1).trimmed();
    const QString cat = rest.section(QLatin1Char('.'), 0, 0).trimmed();
    const QString title =
        rest.contains(QLatin1Char('.')) ? rest.section(QLatin1Char('.'), 1).trimmed() : QString();
    for (const ItemRow& row : rows) {
        if (row.collection.compare(collection, Qt::CaseInsensitive) != 0) continue;
        bool in_map = false;
        for (const QString& part : row.cat.split(QLatin1Char(',')))
            in_map = in_map || part.trimmed().compare(cat, Qt::CaseInsensitive) == 0;
        if (in_map && (title.isEmpty() || row.title.compare(title, Qt::CaseInsensitive) == 0)) return true;
    }
    return false;
}

QString first_line(const QString& text) {
    return text.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
}

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

    std::vector<ItemRow> in_collection(const QString& collection) const {
        std::vector<ItemRow> found;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(found),
                     [&](const ItemRow& r) { return r.collection == collection; });
        return found;
    }

    TempEnv env;
    FakeClock clock;
    QString output;
    sample::Summary summary;
    std::unique_ptr<Database> db;
    std::vector<ItemRow> rows;
};

TEST_F(SampleSmall, FillsEveryDefaultCollectionWithSeveralCategoriesAndNothingElse) {
    const QStringList defaults = default_collections();
    ASSERT_EQ(defaults.size(), 20);
    QSet<QString> present;
    for (const ItemRow& row : rows)
        present.insert(row.collection);
    for (const QString& name : defaults) {
        EXPECT_TRUE(present.contains(name)) << name.toStdString();
        QSet<QString> cats;
        for (const ItemRow& row : in_collection(name))
            for (const QString& cat : row.cat.split(QLatin1Char(',')))
                cats.insert(cat.trimmed());
        EXPECT_GE(cats.size(), 2) << name.toStdString();
    }
    // Only the notepad's item lives outside the collection table; a misspelt collection would not.
    QSet<QString> expected(defaults.begin(), defaults.end());
    expected.insert(u"pad"_s);
    EXPECT_EQ(present, expected);

    EXPECT_EQ(summary.items, static_cast<qint64>(rows.size()));
    EXPECT_EQ(summary.maps, map_sizes(rows).size());
    EXPECT_EQ(summary.maps, sample::count_maps(*db));
}

TEST_F(SampleSmall, HoldsThePadItemExactlyOnce) {
    int pads = 0;
    int others_in_pad = 0;
    for (const ItemRow& row : rows) {
        if (row.collection == QLatin1String("pad") && row.cat == QLatin1String("pad") &&
            row.title == QLatin1String("pad")) {
            ++pads;
            EXPECT_FALSE(row.content.trimmed().isEmpty());
        } else if (row.collection.compare(QLatin1String("pad"), Qt::CaseInsensitive) == 0) {
            ++others_in_pad;
        }
    }
    EXPECT_EQ(pads, 1);
    EXPECT_EQ(others_in_pad, 0);
}

TEST_F(SampleSmall, ReferencesOpenExistingMapsExceptTheOneBrokenOnPurpose) {
    QStringList broken;
    int valid = 0;
    bool top_map = false;
    for (const ItemRow& row : rows) {
        if (!row.title.startsWith(QLatin1String("> "))) continue;
        top_map = top_map || row.title == QLatin1String("> Top map");
        if (reference_is_valid(row.title.mid(2), rows))
            ++valid;
        else
            broken.append(row.title);
    }
    EXPECT_TRUE(top_map);
    EXPECT_GE(valid, 5);
    EXPECT_EQ(broken, QStringList{u"> Media: Radio plays"_s});

    // References held in the content (first line) all lead somewhere.
    int in_content = 0;
    for (const ItemRow& row : rows) {
        if (!row.content.startsWith(QLatin1String("> "))) continue;
        ++in_content;
        EXPECT_TRUE(reference_is_valid(first_line(row.content).mid(2), rows)) << row.content.toStdString();
    }
    EXPECT_GE(in_content, 2);
}

TEST_F(SampleSmall, LinksLeadToFilesAndDirectoriesWrittenBesideTheDatabase) {
    int files = 0;
    int directories = 0;
    QStringList web;
    QSet<QString> suffixes;
    for (const ItemRow& row : rows) {
        if (!row.content.startsWith(QLatin1String("LINK="), Qt::CaseInsensitive)) continue;
        const QString target = first_line(row.content).mid(5).trimmed();
        if (target.startsWith(QLatin1String("https://")) || target.startsWith(QLatin1String("http://"))) {
            web.append(target);
            continue;
        }
        const QFileInfo info(target);
        ASSERT_TRUE(info.isAbsolute()) << target.toStdString();
        ASSERT_TRUE(info.exists()) << target.toStdString();
        EXPECT_TRUE(QDir::cleanPath(target).startsWith(QDir::cleanPath(env.path()))) << target.toStdString();
        if (info.isDir()) {
            ++directories;
        } else {
            ++files;
            suffixes.insert(info.suffix().toLower());
            EXPECT_GT(info.size(), 0) << target.toStdString();
        }
    }
    EXPECT_GE(directories, 1);
    EXPECT_GE(files, 3);
    EXPECT_TRUE(suffixes.contains(u"txt"_s));
    EXPECT_TRUE(suffixes.contains(u"html"_s));
    EXPECT_TRUE(web.contains(u"https://www.example.org"_s));

    QFile page(QDir(sample::files_dir(output)).filePath(u"recipes.html"_s));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("<html"));
}

TEST_F(SampleSmall, PictureDirectoryHoldsDistinctLoadablePictures) {
    QString directory;
    for (const ItemRow& row : rows)
        if (row.content.startsWith(QLatin1String("PICDIR=")))
            directory = first_line(row.content).mid(7).trimmed();
    ASSERT_FALSE(directory.isEmpty());
    ASSERT_TRUE(QFileInfo(directory).isDir()) << directory.toStdString();
    EXPECT_EQ(QDir::cleanPath(directory), QDir::cleanPath(sample::pictures_dir(output)));

    QMap<QString, int> by_suffix;
    QSet<QByteArray> thumbnails;
    const QFileInfoList entries = QDir(directory).entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries) {
        const QImage image(entry.filePath());
        ASSERT_FALSE(image.isNull()) << entry.fileName().toStdString();
        EXPECT_EQ(image.size(), QSize(640, 480));
        // A drawn picture, not a flat fill: a grid of sample points finds several colours.
        QSet<QRgb> colours;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                colours.insert(image.pixel(40 + x * 75, 30 + y * 55));
        EXPECT_GE(colours.size(), 4) << entry.fileName().toStdString();
        ++by_suffix[entry.suffix().toLower()];
        const QImage small = image.scaled(16, 12).convertToFormat(QImage::Format_RGB32);
        thumbnails.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    EXPECT_GE(by_suffix.value(u"jpg"_s), 3);
    EXPECT_GE(by_suffix.value(u"png"_s), 1);
    EXPECT_EQ(thumbnails.size(), entries.size());
}

TEST_F(SampleSmall, JournalTitlesAreDatesBeforeTodayExceptOne) {
    static const QRegularExpression day_first(QStringLiteral(R"(^\d\d/\d\d/\d\d$)"));
    const std::vector<ItemRow> journal = in_collection(u"Journal"_s);
    int dated = 0;
    QStringList undated;
    for (const ItemRow& row : journal) {
        const std::optional<QDateTime> date = dates::parse(row.title);
        if (!date) {
            undated.append(row.title);
            continue;
        }
        ++dated;
        EXPECT_TRUE(day_first.match(row.title).hasMatch()) << row.title.toStdString();
        EXPECT_LT(date->date(), clock.now().date()) << row.title.toStdString();
        EXPECT_GT(date->date(), clock.now().date().addYears(-1)) << row.title.toStdString();
    }
    EXPECT_GE(dated, 5);
    EXPECT_EQ(undated.size(), 1) << undated.join(u", "_s).toStdString();
}

TEST_F(SampleSmall, ChronologiesAreTitledByNumbers) {
    bool before_christ = false;
    for (const ItemRow& row : in_collection(u"World chrono"_s)) {
        bool ok = false;
        const int year = row.title.toInt(&ok);
        EXPECT_TRUE(ok) << row.title.toStdString();
        before_christ = before_christ || year < 0;
    }
    EXPECT_TRUE(before_christ);
    const std::vector<ItemRow> own = in_collection(u"Tessarin chrono"_s);
    EXPECT_GE(own.size(), 3u);
    for (const ItemRow& row : own) {
        bool ok = false;
        row.title.toDouble(&ok);
        EXPECT_TRUE(ok) << row.title.toStdString();
    }
}

TEST_F(SampleSmall, OrdersCategoriesNumbersPositionsAndKeepsSettings) {
    const QMap<QString, int> maps = map_sizes(rows);

    int several_maps = 0;
    for (const ItemRow& row : rows)
        several_maps += row.cat.split(QLatin1Char(',')).size() >= 2 ? 1 : 0;
    EXPECT_GE(several_maps, 2);

    // Positions are 1, 2, 3... inside each map, in the order the items were written.
    QMap<QString, int> last;
    for (const ItemRow& row : rows) {
        const QString map = key(row.collection, row.cat.section(QLatin1Char(','), 0, 0));
        EXPECT_EQ(row.seq.typeId(), QMetaType::Double) << row.title.toStdString();
        EXPECT_EQ(row.seq.toDouble(), last.value(map) + 1) << row.title.toStdString();
        last[map] = row.seq.toInt();
    }

    Statement cat_seq = db->prepare(u"SELECT collection, cat, seq FROM cat_seq"_s);
    QMap<QString, QList<int>> orders;
    while (cat_seq.next()) {
        const QString collection = cat_seq.value(0).toString();
        EXPECT_TRUE(maps.contains(key(collection, cat_seq.value(1).toString())))
            << cat_seq.value(1).toString().toStdString();
        orders[collection].append(cat_seq.value(2).toInt());
    }
    EXPECT_GE(orders.size(), 3);
    for (auto it = orders.begin(); it != orders.end(); ++it) {
        // Each category of a collection has its own place.
        const QSet<int> distinct(it.value().begin(), it.value().end());
        EXPECT_GE(it.value().size(), 2) << it.key().toStdString();
        EXPECT_EQ(distinct.size(), it.value().size()) << it.key().toStdString();
    }

    EXPECT_EQ(db->scalar(u"SELECT value FROM gen_params WHERE param = 'show_initial_tips'"_s).toString(),
              u"Y"_s);
    Statement params = db->prepare(u"SELECT colcat, param, value FROM map_params"_s);
    int columns = 0;
    while (params.next()) {
        const QString map = params.value(0).toString();
        if (params.value(1).toString() != QLatin1String("#nr_columns") || !map.contains(QLatin1Char(':')))
            continue;
        ++columns;
        EXPECT_TRUE(maps.contains(key(map.section(QLatin1Char(':'), 0, 0), map.section(QLatin1Char(':'), 1))))
            << map.toStdString();
        const int value = params.value(2).toInt();
        EXPECT_TRUE(value >= 1 && value <= 10) << value;
    }
    EXPECT_GE(columns, 1);
}

TEST_F(SampleSmall, CarriesFillersQuotesAccentsAndMultiLineContent) {
    auto any = [&](auto predicate) { return std::any_of(rows.begin(), rows.end(), predicate); };
    EXPECT_TRUE(any([](const ItemRow& r) { return r.title == QLatin1String("-") && r.content.isEmpty(); }));
    EXPECT_TRUE(any([](const ItemRow& r) { return r.cat.contains(QLatin1Char('\'')); }));
    EXPECT_TRUE(any([](const ItemRow& r) { return r.title == u"L'Étranger: Albert Camus"_s; }));
    EXPECT_TRUE(any([](const ItemRow& r) { return r.title.contains(u"Café d'Émile"_s); }));
    EXPECT_TRUE(any([](const ItemRow& r) { return r.title.contains(u"Müller"_s); }));
    EXPECT_TRUE(any([](const ItemRow& r) { return r.content.contains(QLatin1String("\r\n")); }));
    // Real sentences, not placeholders.
    EXPECT_FALSE(any([](const ItemRow& r) { return r.content.contains(QLatin1Char('{')); }));
}

// A reminder shown "before" it is due would be a contradiction; an early-morning generation
// must not mark today's reminders as shown.
TEST(SampleDates, FollowTheGenerationTimeOnBothSidesOfIt) {
    TempEnv env;
    const QDateTime morning(QDate(2026, 3, 14), QTime(0, 5));
    FakeClock first(morning);
    FakeClock later(morning.addDays(10));
    std::vector<std::vector<ItemRow>> runs;
    for (FakeClock* clock : {&first, &later}) {
        sample::Options options;
        options.output = env.path(u"at_%1.tdb"_s.arg(runs.size()));
        sample::generate(options, *clock);
        auto db = Database::open(options.output, {}, clock);
        runs.push_back(read_items(*db));

        const double now = dates::to_julian(clock->now());
        int past_expiry = 0, future_expiry = 0, past_remind = 0, future_remind = 0, notified = 0;
        for (const ItemRow& row : runs.back()) {
            if (row.expiry.isValid()) (row.expiry.toDouble() < now ? past_expiry : future_expiry)++;
            if (row.remind.isValid()) (row.remind.toDouble() < now ? past_remind : future_remind)++;
            if (row.notified.isValid()) {
                ++notified;
                ASSERT_TRUE(row.remind.isValid()) << row.title.toStdString();
                EXPECT_LE(row.notified.toDouble(), now) << row.title.toStdString();
            }
        }
        EXPECT_GE(past_expiry, 2);
        EXPECT_GE(future_expiry, 5);
        EXPECT_GE(past_remind, 2);
        EXPECT_GE(future_remind, 5);
        EXPECT_GE(notified, 1);
    }
    ASSERT_EQ(runs[0].size(), runs[1].size());
    for (std::size_t i = 0; i < runs[0].size(); ++i) {
        ASSERT_EQ(runs[0][i].expiry.isValid(), runs[1][i].expiry.isValid());
        if (runs[0][i].expiry.isValid()) {
            EXPECT_NEAR(runs[1][i].expiry.toDouble() - runs[0][i].expiry.toDouble(), 10.0, 1e-6);
        }
    }
}

// ---------------------------------------------------------------- large generated databases

sample::Summary generate_large(const QString& output, qint64 items, quint64 seed, const Clock& clock) {
    sample::Options options;
    options.output = output;
    options.items = items;
    options.seed = seed;
    return sample::generate(options, clock);
}

QStringList dump(const QString& path, const Clock& clock) {
    auto db = Database::open(path, {}, &clock);
    QStringList lines;
    Statement s = db->prepare(u"SELECT * FROM repos ORDER BY item_nr"_s);
    while (s.next()) {
        QStringList fields;
        for (int i = 0; i < s.column_count(); ++i)
            fields.append(s.value(i).toString());
        lines.append(fields.join(QLatin1Char('|')));
    }
    return lines;
}

TEST(SampleLarge, GivesExactlyTheRequestedNumberOfItems) {
    TempEnv env;
    FakeClock clock;
    for (const qint64 n : {qint64(1), qint64(7), qint64(4321)}) {
        const QString path = env.path(u"n%1.tdb"_s.arg(n));
        const sample::Summary summary = generate_large(path, n, 3, clock);
        EXPECT_EQ(summary.items, n);
        auto db = Database::open(path, {}, &clock);
        EXPECT_EQ(db->scalar(u"SELECT count(*) FROM repos"_s).toLongLong(), n);
        EXPECT_EQ(summary.maps, sample::count_maps(*db));
    }
    // The large mode writes nothing beside the database.
    EXPECT_FALSE(QFileInfo::exists(sample::files_dir(env.path(u"n7.tdb"_s))));
}

TEST(SampleLarge, IsTheSameForTheSameSeedAndDiffersForAnother) {
    TempEnv env;
    FakeClock clock;
    generate_large(env.path(u"a.tdb"_s), 3000, 7, clock);
    generate_large(env.path(u"b.tdb"_s), 3000, 7, clock);
    generate_large(env.path(u"c.tdb"_s), 3000, 8, clock);
    const QStringList a = dump(env.path(u"a.tdb"_s), clock);
    ASSERT_EQ(a.size(), 3000);
    EXPECT_EQ(a, dump(env.path(u"b.tdb"_s), clock));
    EXPECT_NE(a, dump(env.path(u"c.tdb"_s), clock));
}

TEST(SampleLarge, SpreadsItemsOverMapsOfRealisticSizes) {
    TempEnv env;
    FakeClock clock;
    const QString path = env.path(u"large.tdb"_s);
    const qint64 n = 20000;
    generate_large(path, n, 11, clock);
    auto db = Database::open(path, {}, &clock);
    const std::vector<ItemRow> rows = read_items(*db);
    ASSERT_EQ(static_cast<qint64>(rows.size()), n);

    const QMap<QString, int> sizes = map_sizes(rows);
    EXPECT_GE(sizes.size(), 60);
    const auto [smallest, largest] = std::minmax_element(sizes.begin(), sizes.end());
    EXPECT_EQ(*smallest, 1);
    EXPECT_LE(*largest, 300);
    EXPECT_GT(*largest, 200);
    EXPECT_GE(std::count(sizes.begin(), sizes.end(), 200), 3);

    QSet<QString> collections;
    int dated = 0, references = 0, journal = 0;
    for (const ItemRow& row : rows) {
        collections.insert(row.collection);
        dated += row.expiry.isValid() ? 1 : 0;
        if (row.title.startsWith(QLatin1String("> "))) {
            ++references;
            EXPECT_TRUE(reference_is_valid(row.title.mid(2), rows)) << row.title.toStdString();
            continue;
        }
        if (row.title == QLatin1String("-")) continue;
        if (row.collection == QLatin1String("Journal")) {
            ++journal;
            EXPECT_TRUE(dates::parse(row.title).has_value()) << row.title.toStdString();
        } else if (row.collection == QLatin1String("World chrono")) {
            bool ok = false;
            row.title.toInt(&ok);
            EXPECT_TRUE(ok) << row.title.toStdString();
        }
    }
    const QStringList defaults = default_collections();
    EXPECT_EQ(collections, QSet<QString>(defaults.begin(), defaults.end()));
    EXPECT_GT(journal, 0);
    EXPECT_NEAR(dated / double(n), 0.05, 0.015);
    EXPECT_NEAR(references / double(n), 0.02, 0.008);
}

TEST(SampleLarge, AnInterruptedRunLeavesNoDatabaseBehind) {
    TempEnv env;
    FakeClock clock;
    sample::Options options;
    options.output = env.path(u"cut.tdb"_s);
    options.items = 12000;
    qint64 seen = 0;
    options.progress = [&seen](qint64 written, qint64) {
        seen = written;
        throw std::runtime_error("interrupted");
    };
    EXPECT_THROW(sample::generate(options, clock), std::runtime_error);
    EXPECT_GT(seen, 0);
    EXPECT_FALSE(QFileInfo::exists(options.output));
    EXPECT_FALSE(QFileInfo::exists(options.output + u".part"_s));
    EXPECT_FALSE(QFileInfo::exists(options.output + u".part-journal"_s));
}

// ---------------------------------------------------------------- the output file

TEST(SampleOutput, AnExistingFileIsRefusedAndLeftAsItWasUnlessForced) {
    TempEnv env;
    FakeClock clock;
    const QByteArray original("my own notes, not a database\n");
    const QString path = env.write_file(u"notes.tdb"_s, original);
    for (const bool large : {false, true}) {
        sample::Options options;
        options.output = path;
        if (large) options.items = 50;
        EXPECT_THROW(sample::generate(options, clock), sample::OutputExists);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), original);
        EXPECT_FALSE(QFileInfo::exists(path + u".part"_s));
        EXPECT_FALSE(QFileInfo::exists(sample::files_dir(path)));
    }

    sample::Options forced;
    forced.output = path;
    forced.items = 50;
    forced.force = true;
    EXPECT_EQ(sample::generate(forced, clock).items, 50);
    auto db = Database::open(path, {}, &clock);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM repos"_s).toLongLong(), 50);
    EXPECT_FALSE(QFileInfo::exists(path + u".part"_s));
}

TEST(SampleOutput, APasswordEncryptsEveryByteOfTheFile) {
    TempEnv env;
    FakeClock clock;
    const QString plain_path = env.path(u"plain.tdb"_s);
    const QString secret_path = env.path(u"secret.tdb"_s);
    const QString password = u"d'été 2026"_s;
    sample::Options options;
    options.output = plain_path;
    sample::generate(options, clock);
    options.output = secret_path;
    options.password = password;
    sample::generate(options, clock);

    auto bytes_of = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray plain = bytes_of(plain_path);
    const QByteArray secret = bytes_of(secret_path);
    ASSERT_FALSE(secret.isEmpty());
    for (const QString& text :
         {u"Pride and Prejudice"_s, u"L'Étranger"_s, u"Agenda"_s, u"LINK="_s, u"repos"_s}) {
        const QByteArray utf8 = text.toUtf8();
        // The same search finds the text in the plain file, so its absence means something.
        EXPECT_TRUE(plain.contains(utf8)) << text.toStdString();
        EXPECT_FALSE(secret.contains(utf8)) << text.toStdString();
    }
    EXPECT_FALSE(secret.startsWith("SQLite format 3"));

    try {
        Database::open(secret_path, {}, &clock);
        ADD_FAILURE() << "opened without the password";
    } catch (const DbError& error) {
        EXPECT_EQ(error.kind(), DbErrorKind::MissingPassword);
    }
    try {
        Database::open(secret_path, u"wrong"_s, &clock);
        ADD_FAILURE() << "opened with a wrong password";
    } catch (const DbError& error) {
        EXPECT_EQ(error.kind(), DbErrorKind::WrongPassword);
    }
    auto db = Database::open(secret_path, password, &clock);
    EXPECT_EQ(read_items(*db).size(), read_items(*Database::open(plain_path, {}, &clock)).size());
}

// ---------------------------------------------------------------- command line

sample::Options parsed(const QStringList& arguments) {
    const auto result = sample::parse_arguments(arguments);
    if (const auto* error = std::get_if<QString>(&result)) {
        ADD_FAILURE() << "refused: " << error->toStdString();
        return {};
    }
    return std::get<sample::Options>(result);
}

QString refusal(const QStringList& arguments) {
    const auto result = sample::parse_arguments(arguments);
    const auto* error = std::get_if<QString>(&result);
    return error ? *error : QString();
}

TEST(SampleArguments, ReadsEveryOptionInBothForms) {
    const sample::Options all = parsed({u"out.tdb"_s, u"--items"_s, u"100000"_s, u"--password"_s,
                                        u"--force"_s, u"--seed=42"_s, u"--force"_s});
    EXPECT_EQ(all.output, u"out.tdb"_s);
    EXPECT_EQ(all.items, 100000);
    // A password may look like an option: it is the value of --password.
    EXPECT_EQ(all.password, u"--force"_s);
    EXPECT_EQ(all.seed, 42u);
    EXPECT_TRUE(all.force);

    const sample::Options plain = parsed({u"--items=5"_s, u"x.tdb"_s});
    EXPECT_EQ(plain.items, 5);
    EXPECT_EQ(plain.output, u"x.tdb"_s);
    EXPECT_FALSE(plain.force);
    EXPECT_TRUE(plain.password.isEmpty());

    const sample::Options small = parsed({u"x.tdb"_s});
    EXPECT_FALSE(small.items.has_value());
    EXPECT_TRUE(parsed({u"--help"_s}).help);
}

TEST(SampleArguments, RefusesWhatItCannotUse) {
    EXPECT_FALSE(refusal({}).isEmpty());
    EXPECT_FALSE(refusal({u"--items"_s, u"10"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"--items"_s, u"0"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"--items"_s, u"many"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"--items"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"--seed"_s, u"-3"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"--password"_s}).isEmpty());
    EXPECT_FALSE(refusal({u"x.tdb"_s, u"y.tdb"_s}).isEmpty());
    EXPECT_TRUE(refusal({u"x.tdb"_s, u"--colour"_s}).contains(u"--colour"_s));
}

} // namespace
