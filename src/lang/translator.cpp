// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/translator.h"

#include "core/app_context.h"
#include "core/seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString quoted_identifier(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

QString language_name(int number) {
    switch (number) {
    case 1:
        return QStringLiteral("English");
    case 2:
        return QStringLiteral("Italiano");
    case 3:
        return QStringLiteral("Français");
    case 4:
        return QStringLiteral("Deutsch");
    case 5:
        return QStringLiteral("Español");
    default:
        return {};
    }
}

Translator::Translator(const int& language, Prompter& prompter, QString lang_db_path)
    : language_(language), prompter_(prompter), path_(std::move(lang_db_path)),
      previous_(install_translation(this)) {}

Translator::Translator(AppContext& ctx)
    : Translator(ctx.language, ctx.prompter, ctx.program_path(lang_db_file_name)) {}

Translator::~Translator() {
    if (current_translation() == this) install_translation(previous_);
}

Translator* Translator::current() {
    return dynamic_cast<Translator*>(current_translation());
}

void Translator::open_tables() {
    if (attempted_) return;
    attempted_ = true;
    try {
        db_ = Database::open(path_, QString(), nullptr);
        // The program only reads translations; a stray write must not touch the file.
        db_->exec(QStringLiteral("PRAGMA query_only = 1"));
        Statement shape = db_->prepare(QStringLiteral("SELECT * FROM Translation LIMIT 0"));
        if (shape.column_count() < language_count)
            throw DbError(0, QStringLiteral("the table Translation has %1 columns instead of %2")
                                 .arg(shape.column_count())
                                 .arg(language_count));
        // Columns are taken by position, whatever the file calls them. NOCASE is the program's
        // Unicode-aware comparison, and the index on the key answers it.
        lookup_.emplace(
            db_->prepare(QStringLiteral("SELECT * FROM Translation WHERE %1 = ?1 COLLATE NOCASE LIMIT 1")
                             .arg(quoted_identifier(shape.column_name(0)))));
    } catch (const DbError& error) {
        lookup_.reset();
        db_.reset();
        // In English the file is never needed, so its absence is no news.
        if (language_ != 1)
            prompter_.message(QStringLiteral("The translation file ") + QDir::toNativeSeparators(path_) +
                              QStringLiteral(" cannot be used (") + error.description() +
                              QStringLiteral("). The program goes on in English."));
    }
}

std::optional<QString> Translator::lookup(const QString& text) {
    Statement& statement = *lookup_;
    statement.reset();
    statement.bind(1, text);
    if (!statement.next()) return std::nullopt;
    return statement.value(language_ - 1).toString();
}

QString Translator::translate(const QString& text) {
    if (language_ < 2 || language_ > language_count) return text;
    open_tables();
    if (!lookup_) return text;
    std::optional<QString> found;
    try {
        found = lookup(text);
    } catch (const DbError& error) {
        // A file damaged past its header fails only here: say so once and stay in English.
        lookup_.reset();
        db_.reset();
        prompter_.message(QStringLiteral("The translation file ") + QDir::toNativeSeparators(path_) +
                          QStringLiteral(" cannot be read (") + error.description() +
                          QStringLiteral("). The program goes on in English."));
        return text;
    }
    if (!found) return QLatin1Char('\'') + text;
    return found->trimmed().isEmpty() ? text : *found;
}

bool install_lang_db(const QString& program_dir, const QString& built_path) {
    const QFileInfo built(built_path);
    if (!built.isFile()) return false;
    const QString target = QDir(program_dir).filePath(lang_db_file_name);
    const QFileInfo present(target);
    if (present.exists() && present.lastModified() >= built.lastModified()) return false;
    QDir().mkpath(program_dir);
    // Copied beside the old file first, so that a failed copy leaves the old one usable.
    const QString fresh = target + QStringLiteral(".new");
    QFile::remove(fresh);
    if (!QFile::copy(built_path, fresh)) return false;
    QFile::setPermissions(fresh,
                          QFile::permissions(fresh) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(target);
    return QFile::rename(fresh, target);
}
