// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/notepad.h"

#include "core/database.h"
#include "core/program_title.h"
#include "core/seams.h"
#include "table/content_editor.h"
#include "table/table_editing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

PadItem find_or_create_pad(Database& db) {
    Statement row = db.prepare(
        QStringLiteral("select * from repos where collection='pad' and cat='pad' and item_title='pad'"));
    if (row.next()) {
        const table_edit::EditRecord pad = table_edit::read_item_row(row);
        return PadItem{pad.item_nr, pad.content};
    }
    db.exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('pad','pad','pad')"));
    return PadItem{db.last_insert_id(), QString()};
}

QString pad_caption() {
    return QStringLiteral("Pad");
}

QString pad_question_title() {
    return program_title() + QStringLiteral(" - Pad");
}

bool save_pad(Database& db, Prompter& prompter, const QString& text, const QString& reference, bool ask) {
    if (text == reference) return false;
    if (ask && !prompter.yes_no(save_changes_question, pad_question_title(), false)) return false;
    // Making the item and writing its text go together, so that a failure leaves no empty pad.
    Transaction transaction(db);
    const PadItem pad = find_or_create_pad(db);
    Statement update = db.prepare(QStringLiteral("update repos set item_content=? where item_nr=") +
                                  QString::number(pad.item_nr));
    update.bind(1, text);
    update.next();
    transaction.commit();
    return true;
}

bool keep_pad_draft(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QString> read_pad_draft(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

void remove_pad_draft(const QString& path) {
    QFile::remove(path);
}
