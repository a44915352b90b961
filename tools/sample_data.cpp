// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_data.h"

#include "sample_items.h"
#include "sample_pictures.h"
#include "sample_texts.h"

#include "core/collections.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/schema.h"
#include "core/seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QVariant>
#include <filesystem>
#include <vector>

namespace sample {

namespace {

// SplitMix64: tiny, fast, and gives the same sequence on every platform and library, which the
// standard distributions do not promise.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(quint64 seed) : state_(seed) {}
    double next() override { return static_cast<double>(next_bits() >> 11) * 0x1.0p-53; }
    void seed(quint64 value) override { state_ = value; }
    // Uniform whole number in [0, n).
    int below(int n) { return static_cast<int>(next() * n); }
    // Uniform whole number in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return next() < p; }

private:
    quint64 next_bits() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    quint64 state_;
};

// The collections the samples fill: every defined position of the default table but the last,
// which stands for all collections.
QStringList default_collections() {
    CollectionTable table;
    table.init_collections();
    QStringList names;
    for (int position = 1; position < CollectionTable::all_collections; ++position)
        if (table.at(position).defined) names.append(table.at(position).name);
    return names;
}

QString map_key(const QString& collection, const QString& cat) {
    return collection.toCaseFolded() + QLatin1Char('\n') + cat.toCaseFolded();
}

QString seq_text(int position) {
    return QStringLiteral("%1").arg(position, 3, 10, QLatin1Char('0'));
}

QVariant text_or_null(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant julian_or_null(const std::optional<QDateTime>& when) {
    return when ? QVariant(dates::to_julian(*when)) : QVariant();
}

struct Item {
    QString collection;
    QString cat;
    QString title;
    QString content;
    QString mark;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
    bool notified = false;
};

// Inserts items with one prepared statement, numbering them as the program does: `seq` is the
// position inside the map written "000", `item_id` the running number inside the collection.
class Inserter {
public:
    explicit Inserter(Database& db)
        : statement_(db.prepare(
              QStringLiteral("INSERT INTO repos (collection, cat, mark, item_id, seq, item_title, "
                             "item_content, date_expiry, "
                             "date_remind, date_notified) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {}

    void add(const Item& item) {
        // An item in several maps takes its position from the first of them.
        const QString first_cat = item.cat.section(QLatin1Char(','), 0, 0).trimmed();
        const int seq = ++seq_[map_key(item.collection, first_cat)];
        const int id = ++ids_[item.collection.toCaseFolded()];
        statement_.bind(1, item.collection);
        statement_.bind(2, item.cat);
        statement_.bind(3, text_or_null(item.mark));
        statement_.bind(4, id);
        // Text, as the program formats it; the column's numeric affinity stores the number.
        statement_.bind(5, seq_text(seq));
        statement_.bind(6, item.title);
        statement_.bind(7, text_or_null(item.content));
        statement_.bind(8, julian_or_null(item.expiry));
        statement_.bind(9, julian_or_null(item.remind));
        statement_.bind(10, item.notified ? julian_or_null(item.remind) : QVariant());
        statement_.next();
        statement_.reset();
        ++count_;
    }
    qint64 count() const { return count_; }

private:
    Statement statement_;
    QHash<QString, int> seq_;
    QHash<QString, int> ids_;
    qint64 count_ = 0;
};

void set_gen_param(Database& db, const QString& param, const QString& value) {
    Statement statement =
        db.prepare(QStringLiteral("INSERT OR REPLACE INTO gen_params (param, value) VALUES (?, ?)"));
    statement.bind(1, param);
    statement.bind(2, value);
    statement.next();
}

void set_map_param(Database& db, const QString& map, const QString& param, const QString& value) {
    Statement statement =
        db.prepare(QStringLiteral("INSERT INTO map_params (colcat, param, value) VALUES (?, ?, ?)"));
    statement.bind(1, map);
    statement.bind(2, param);
    statement.bind(3, value);
    statement.next();
}

void set_cat_seq(Database& db, const QString& collection, const QString& cat, int seq) {
    Statement statement =
        db.prepare(QStringLiteral("INSERT INTO cat_seq (collection, cat, seq) VALUES (?, ?, ?)"));
    statement.bind(1, collection);
    statement.bind(2, cat);
    statement.bind(3, seq);
    statement.next();
}

// Settings both samples share: tips on, the cogniva collections offered, and category maps
// opening as maps rather than tables (the sample is there to show the maps). Contacts and Money
// are lists by nature and keep opening as tables.
void write_gen_params(Database& db) {
    set_gen_param(db, QStringLiteral("show_initial_tips"), QStringLiteral("Y"));
    set_gen_param(db, QStringLiteral("cogniva"), QStringLiteral("Y"));
    set_gen_param(db, QStringLiteral("font_size"), QStringLiteral("10"));
    CollectionTable table;
    table.init_collections();
    for (int position = 1; position < CollectionTable::all_collections; ++position) {
        const Collection& c = table.at(position);
        if (!c.defined) continue;
        const QString nn = QStringLiteral("%1").arg(position, 2, 10, QLatin1Char('0'));
        const bool as_map = c.name != QLatin1String("Contacts") && c.name != QLatin1String("Money");
        set_gen_param(db, QStringLiteral("coll%1_open_as_table").arg(nn),
                      as_map ? QStringLiteral("-1") : QStringLiteral("0"));
        set_gen_param(db, QStringLiteral("cat%1_open_as_table").arg(nn),
                      as_map ? QStringLiteral("-1") : QStringLiteral("0"));
    }
}

// ---------------------------------------------------------------- files beside the database

void write_file(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        throw std::runtime_error(("Cannot write " + path + ": " + file.errorString()).toStdString());
}

void make_dir(const QString& path) {
    if (!QDir().mkpath(path)) throw std::runtime_error(("Cannot create directory " + path).toStdString());
}

// The files the small sample links to, and its picture directory.
void write_side_files(const QString& output) {
    const QDir files(files_dir(output));
    make_dir(files.path());
    write_file(files.filePath(QStringLiteral("Reading list.txt")), QByteArray(texts::reading_list));
    write_file(files.filePath(QStringLiteral("recipes.html")), QByteArray(texts::recipes_page));
    make_dir(files.filePath(QStringLiteral("Holiday plans")));
    write_file(files.filePath(QStringLiteral("Holiday plans/Checklist.txt")), QByteArray(texts::checklist));

    const QDir pictures_path(pictures_dir(output));
    make_dir(pictures_path.path());
    // A fixed seed: the shipped sample looks the same every time it is made.
    SeededRandom random(20260314);
    const pictures::Random draw_random = [&random] { return random.next(); };
    for (const pictures::Picture& picture : pictures::all) {
        const QImage image = pictures::render(picture, draw_random);
        const QString path = pictures_path.filePath(QString::fromUtf8(picture.file_name));
        if (!image.save(path, nullptr, 88))
            throw std::runtime_error(("Cannot write picture " + path).toStdString());
    }
}

// ---------------------------------------------------------------- the small sample

QDateTime day_at(const QDate& today, const items::When& when) {
    return QDateTime(today.addDays(when.days), QTime(when.hour, when.minute));
}

void fill_small(Database& db, const QDateTime& now, const QString& output) {
    const QString files = QDir::toNativeSeparators(files_dir(output));
    const QString pictures_path = QDir::toNativeSeparators(pictures_dir(output));
    const QString separator = QDir::toNativeSeparators(QStringLiteral("/"));
    const QDate today = now.date();

    Inserter inserter(db);
    for (const items::Row& row : items::rows) {
        Item item;
        item.collection = QString::fromUtf8(row.collection);
        item.cat = QString::fromUtf8(row.cat);
        item.title = row.title ? QString::fromUtf8(row.title)
                               : today.addDays(row.title_day).toString(QStringLiteral("dd/MM/yy"));
        if (row.content) {
            item.content = QString::fromUtf8(row.content);
            if (item.content.contains(QLatin1Char('{'))) {
                item.content.replace(QStringLiteral("{files}/"), files + separator)
                    .replace(QStringLiteral("{pictures}/"), pictures_path + separator)
                    .replace(QStringLiteral("{files}"), files)
                    .replace(QStringLiteral("{pictures}"), pictures_path);
                // Paths below the directories use the platform's separator too.
                if (item.content.startsWith(QLatin1String("LINK=")) && separator != QLatin1String("/"))
                    item.content.replace(QLatin1Char('/'), separator.at(0));
            }
        }
        if (row.mark) item.mark = QString::fromUtf8(row.mark);
        if (row.expiry.days != items::no_day) item.expiry = day_at(today, row.expiry);
        if (row.remind.days != items::no_day) item.remind = day_at(today, row.remind);
        // A reminder counts as shown only once its moment has passed.
        item.notified = row.notified && item.remind && *item.remind < now;
        inserter.add(item);
    }

    for (const items::CatOrder& order : items::cat_order)
        set_cat_seq(db, QString::fromUtf8(order.collection), QString::fromUtf8(order.cat), order.seq);

    write_gen_params(db);
    set_map_param(db, QStringLiteral("Books: Novels"), QStringLiteral("#nr_columns"), QStringLiteral("2"));
    set_map_param(db, QStringLiteral("Books"), QStringLiteral("#nr_columns"), QStringLiteral("2"));
    set_map_param(db, QStringLiteral("Agenda: Today"), QStringLiteral("#nr_columns"), QStringLiteral("1"));
    set_map_param(db, QStringLiteral("Agenda: Today"), QStringLiteral("#start_map"), QStringLiteral("-1"));
    set_map_param(db, QStringLiteral("Favorites: Grandma's recipes"), QStringLiteral("#nr_columns"),
                  QStringLiteral("1"));
    set_map_param(db, QStringLiteral("Wisdom: Proverbs"), QStringLiteral("#auto_size"), QStringLiteral("-1"));
}

// ---------------------------------------------------------------- the large generated database

QStringList words() {
    static const QStringList list =
        QString::fromUtf8(texts::word_text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return list;
}

QString capitalized(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

class TextMaker {
public:
    explicit TextMaker(SeededRandom& random) : random_(random), words_(words()) {}

    QString word() { return words_.at(random_.below(static_cast<int>(words_.size()))); }

    QString phrase(int low, int high) {
        const int count = random_.between(low, high);
        QString text = word();
        for (int i = 1; i < count; ++i)
            text += QLatin1Char(' ') + word();
        return capitalized(text);
    }

    QString sentence() {
        QString text = phrase(5, 14);
        if (random_.chance(0.2)) {
            const qsizetype comma = text.indexOf(QLatin1Char(' '), text.size() / 2);
            if (comma > 0) text.insert(comma, QLatin1Char(','));
        }
        return text + QLatin1Char('.');
    }

    // One to three sentences; some split over two lines.
    QString content() {
        const int count = random_.between(1, 3);
        QString text = sentence();
        for (int i = 1; i < count; ++i)
            text += (random_.chance(0.3) ? QStringLiteral("\r\n") : QStringLiteral(" ")) + sentence();
        return text;
    }

private:
    SeededRandom& random_;
    QStringList words_;
};

struct MapPlan {
    int collection; // index into the collection list
    QString cat;
    int size;
};

// Map sizes: a few fixed ones first, so that every database of some size has maps of exactly 200
// items (the largest a map window opens) and tiny maps; then mostly large maps with some small.
std::vector<int> plan_sizes(qint64 total, SeededRandom& random) {
    static const int opening[] = {200, 1, 200, 2, 200, 3, 200, 300, 200, 5, 200};
    std::vector<int> sizes;
    qint64 left = total;
    for (const int size : opening) {
        if (left == 0) break;
        sizes.push_back(static_cast<int>(std::min<qint64>(size, left)));
        left -= sizes.back();
    }
    while (left > 0) {
        const int size = random.chance(0.7) ? random.between(100, 300) : random.between(1, 99);
        sizes.push_back(static_cast<int>(std::min<qint64>(size, left)));
        left -= sizes.back();
    }
    return sizes;
}

std::vector<MapPlan> plan_maps(qint64 total, int collections, SeededRandom& random, TextMaker& text) {
    std::vector<MapPlan> maps;
    std::vector<QSet<QString>> used(static_cast<std::size_t>(collections));
    for (const int size : plan_sizes(total, random)) {
        // Every collection gets a map before any gets a second.
        const int collection = maps.size() < static_cast<std::size_t>(collections)
                                   ? static_cast<int>(maps.size())
                                   : random.below(collections);
        QString cat;
        do {
            cat = random.chance(0.6) ? capitalized(text.word()) : text.phrase(2, 2);
        } while (used[static_cast<std::size_t>(collection)].contains(cat.toCaseFolded()));
        used[static_cast<std::size_t>(collection)].insert(cat.toCaseFolded());
        maps.push_back({collection, cat, size});
    }
    return maps;
}

void fill_large(Database& db, const QDateTime& now, const Options& options) {
    const qint64 total = *options.items;
    const QStringList collections = default_collections();
    const int journal = collections.indexOf(QStringLiteral("Journal"));
    const int world_chrono = collections.indexOf(QStringLiteral("World chrono"));
    const int own_chrono = collections.indexOf(QStringLiteral("Tessarin chrono"));

    SeededRandom random(options.seed);
    TextMaker text(random);
    const std::vector<MapPlan> maps = plan_maps(total, static_cast<int>(collections.size()), random, text);
    const QDate today = now.date();

    Inserter inserter(db);
    for (std::size_t m = 0; m < maps.size(); ++m) {
        const MapPlan& map = maps[m];
        const QString& collection = collections.at(map.collection);
        // Journal maps hold consecutive days back from some day in the past.
        const QDate journal_start = today.addDays(-random.between(0, 3000));
        for (int k = 0; k < map.size; ++k) {
            Item item;
            item.collection = collection;
            item.cat = map.cat;
            const double kind = random.next();
            if (kind < 0.02 && maps.size() > 1) {
                if (random.chance(0.05)) {
                    item.title = QStringLiteral("> Top map");
                } else {
                    std::size_t target = m;
                    while (target == m)
                        target = static_cast<std::size_t>(random.below(static_cast<int>(maps.size())));
                    item.title = QStringLiteral("> ") + collections.at(maps[target].collection) +
                                 QStringLiteral(": ") + maps[target].cat;
                }
            } else if (kind < 0.03) {
                item.title = QStringLiteral("-");
            } else {
                if (map.collection == journal)
                    item.title = journal_start.addDays(-k).toString(QStringLiteral("dd/MM/yy"));
                else if (map.collection == world_chrono)
                    item.title = QString::number(random.between(-3000, 2025));
                else if (map.collection == own_chrono)
                    item.title = QString::number(random.between(1, 9999));
                else
                    item.title = text.phrase(1, 4);
                if (random.chance(0.65)) item.content = text.content();
                if (random.chance(0.05)) {
                    const QTime time = random.chance(0.15)
                                           ? QTime(0, 0)
                                           : QTime(random.between(8, 19), 15 * random.below(4));
                    item.expiry = QDateTime(today.addDays(random.between(-365, 365)), time);
                    if (random.chance(0.6)) {
                        item.remind =
                            QDateTime(item.expiry->date().addDays(-random.between(0, 7)), QTime(9, 0));
                        item.notified = *item.remind < now && random.chance(0.5);
                    }
                }
            }
            inserter.add(item);
            if (options.progress && inserter.count() % 5000 == 0) options.progress(inserter.count(), total);
        }
    }

    // Category order for every other collection; the rest sort by name, as the program allows.
    QHash<int, int> next_seq;
    for (const MapPlan& map : maps) {
        if (map.collection % 2 != 0) continue;
        set_cat_seq(db, collections.at(map.collection), map.cat, ++next_seq[map.collection]);
    }
    write_gen_params(db);
    for (std::size_t m = 0; m < maps.size(); m += 10) {
        const QString name = collections.at(maps[m].collection) + QStringLiteral(": ") + maps[m].cat;
        set_map_param(db, name, QStringLiteral("#nr_columns"),
                      QString::number(1 + static_cast<int>(m / 10) % 4));
    }
    if (options.progress) options.progress(inserter.count(), total);
}

void remove_if_present(const QString& path) {
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw std::runtime_error(("Cannot remove " + path).toStdString());
}

std::filesystem::path fs_path(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

// ---------------------------------------------------------------- public

QString usage() {
    return QStringLiteral(
        "Usage: tessarin_sample OUTPUT.tdb [--items N] [--password P] [--seed S] [--force]\n"
        "  Without --items: the small hand-made sample, with the files and pictures it links to\n"
        "  written beside OUTPUT (in OUTPUT's name + \"_files\" and + \"_pictures\").\n"
        "  --items N     a generated database of exactly N items (benchmarks); the same for the same seed\n"
        "  --seed S      seed of the generated database (default 1)\n"
        "  --password P  encrypt the database with the password P\n"
        "  --force       replace OUTPUT when it exists\n");
}

std::variant<Options, QString> parse_arguments(const QStringList& arguments) {
    Options options;
    bool have_output = false;
    for (int i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        std::optional<QString> inline_value;
        if (argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('='))) {
            inline_value = argument.section(QLatin1Char('='), 1);
            argument = argument.section(QLatin1Char('='), 0, 0);
        }
        auto value = [&]() -> std::optional<QString> {
            if (inline_value) return inline_value;
            if (i + 1 < arguments.size()) return arguments.at(++i);
            return std::nullopt;
        };
        if (argument == QLatin1String("--items")) {
            const std::optional<QString> text = value();
            bool ok = false;
            const qint64 count = text ? text->toLongLong(&ok) : 0;
            if (!ok || count < 1) return QStringLiteral("--items needs a whole number of at least 1");
            options.items = count;
        } else if (argument == QLatin1String("--seed")) {
            const std::optional<QString> text = value();
            bool ok = false;
            const quint64 seed = text ? text->toULongLong(&ok) : 0;
            if (!ok) return QStringLiteral("--seed needs a whole number");
            options.seed = seed;
        } else if (argument == QLatin1String("--password")) {
            const std::optional<QString> text = value();
            if (!text) return QStringLiteral("--password needs a value");
            options.password = *text;
        } else if (argument == QLatin1String("--force") && !inline_value) {
            options.force = true;
        } else if ((argument == QLatin1String("--help") || argument == QLatin1String("-h")) &&
                   !inline_value) {
            options.help = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return QStringLiteral("Unknown option: ") + arguments.at(i);
        } else if (have_output) {
            return QStringLiteral("Only one output file can be given");
        } else {
            options.output = argument;
            have_output = true;
        }
    }
    if (!have_output && !options.help) return QStringLiteral("Missing the output file name");
    return options;
}

QString files_dir(const QString& output) {
    const QFileInfo info(output);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral("_files"));
}

QString pictures_dir(const QString& output) {
    const QFileInfo info(output);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral("_pictures"));
}

qint64 count_maps(Database& db) {
    QSet<QString> maps;
    Statement statement = db.prepare(QStringLiteral("SELECT DISTINCT collection, cat FROM repos"));
    while (statement.next()) {
        const QString collection = statement.value(0).toString();
        for (const QString& cat : statement.value(1).toString().split(QLatin1Char(',')))
            maps.insert(map_key(collection.trimmed(), cat.trimmed()));
    }
    return maps.size();
}

Summary generate(const Options& options, const Clock& clock) {
    if (options.output.isEmpty()) throw std::runtime_error("No output file name");
    // Checked before anything is written, so a refused run leaves every file as it was.
    if (QFileInfo::exists(options.output) && !options.force) throw OutputExists(options.output);

    const QString part = options.output + QStringLiteral(".part");
    remove_if_present(part);
    remove_if_present(part + QStringLiteral("-journal"));

    const QDateTime now = clock.now();
    Summary summary;
    try {
        {
            std::unique_ptr<Database> db =
                Database::open(part, options.password, &clock, Database::Mode::CreateNew);
            schema::upgrade(*db);
            Transaction transaction(*db);
            if (options.items) {
                fill_large(*db, now, options);
            } else {
                write_side_files(options.output);
                fill_small(*db, now, options.output);
            }
            transaction.commit();
            summary.items = db->scalar(QStringLiteral("SELECT count(*) FROM repos")).toLongLong();
            summary.maps = count_maps(*db);
        }
        // Replaces an existing output (with --force) in one step.
        std::filesystem::rename(fs_path(part), fs_path(options.output));
    } catch (...) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        throw;
    }
    return summary;
}

} // namespace sample
