// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/lang_source.h"

#include "core/database.h"
#include "lang/translator.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <stdexcept>

namespace {

QString unescape(const QString& cell) {
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c != QLatin1Char('\\') || i + 1 == cell.size()) {
            out.append(c);
            continue;
        }
        const QChar next = cell.at(++i);
        if (next == QLatin1Char('t'))
            out.append(QLatin1Char('\t'));
        else if (next == QLatin1Char('n'))
            out.append(QLatin1Char('\n'));
        else if (next == QLatin1Char('\\'))
            out.append(QLatin1Char('\\'));
        else
            out.append(c).append(next);
    }
    return out;
}

[[noreturn]] void fail(int line, const QString& what) {
    throw std::runtime_error(QStringLiteral("line %1: %2").arg(line).arg(what).toStdString());
}

QString quoted_identifier(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

TranslationSource parse_translation_source(const QByteArray& utf8) {
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(utf8);
    if (decode.hasError()) throw std::runtime_error("the file is not valid UTF-8");
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);

    TranslationSource source;
    QSet<QString> keys;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const int number = static_cast<int>(index) + 1;
        QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != language_count)
            fail(number, QStringLiteral("%1 cells instead of %2 (cells are separated by tabs)")
                             .arg(cells.size())
                             .arg(language_count));
        if (source.languages.isEmpty()) {
            for (QString& cell : cells)
                cell = cell.trimmed();
            source.languages = cells;
            continue;
        }
        for (QString& cell : cells)
            cell = unescape(cell);
        if (cells.first().isEmpty()) fail(number, QStringLiteral("the English text is empty"));
        const QString folded = cells.first().toCaseFolded();
        if (keys.contains(folded)) fail(number, QStringLiteral("\"%1\" appears twice").arg(cells.first()));
        keys.insert(folded);
        source.rows.push_back(cells);
    }
    if (source.languages.isEmpty()) throw std::runtime_error("the header line is missing");
    return source;
}

void write_lang_db(const TranslationSource& source, const QString& path) {
    const QString fresh = path + QStringLiteral(".new");
    QFile::remove(fresh);
    try {
        {
            auto db = Database::open(fresh, QString(), nullptr, Database::Mode::CreateNew);
            QStringList columns;
            for (const QString& language : source.languages)
                columns.append(quoted_identifier(language) + QStringLiteral(" TEXT COLLATE NOCASE"));
            db->exec(QStringLiteral("CREATE TABLE Translation (%1)").arg(columns.join(QStringLiteral(", "))));
            db->exec(QStringLiteral("CREATE UNIQUE INDEX primarykey ON Translation (%1)")
                         .arg(quoted_identifier(source.languages.first())));
            Transaction transaction(*db);
            Statement insert =
                db->prepare(QStringLiteral("INSERT INTO Translation VALUES (?1, ?2, ?3, ?4, ?5)"));
            for (const QStringList& row : source.rows) {
                insert.reset();
                for (int column = 0; column < language_count; ++column) {
                    const QString& cell = row.at(column);
                    insert.bind(column + 1, cell.isEmpty() ? QVariant() : QVariant(cell));
                }
                insert.next();
            }
            transaction.commit();
        }
        QFile::remove(path);
        if (!QFile::rename(fresh, path))
            throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
    } catch (...) {
        QFile::remove(fresh);
        throw;
    }
}
