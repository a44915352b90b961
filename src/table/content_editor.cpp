// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/content_editor.h"

#include "core/app_context.h"
#include "core/database.h"
#include "maps/map_names.h"
#include "table/table_editing.h"

std::optional<int> EditorSlots::reserve() {
    for (int slot = 1; slot <= capacity; ++slot) {
        if (!used_[static_cast<std::size_t>(slot)]) {
            used_[static_cast<std::size_t>(slot)] = true;
            return slot;
        }
    }
    return std::nullopt;
}

void EditorSlots::release(int slot) {
    if (slot >= 1 && slot <= capacity) used_[static_cast<std::size_t>(slot)] = false;
}

bool EditorSlots::in_use(int slot) const {
    return slot >= 1 && slot <= capacity && used_[static_cast<std::size_t>(slot)];
}

int EditorSlots::in_use_count() const {
    int count = 0;
    for (int slot = 1; slot <= capacity; ++slot)
        count += used_[static_cast<std::size_t>(slot)] ? 1 : 0;
    return count;
}

std::optional<EditedItem> read_edited_item(Database& db, qint64 item_nr) {
    Statement row =
        db.prepare(QStringLiteral("select * from repos where item_nr=") + QString::number(item_nr));
    if (!row.next()) return std::nullopt;
    const table_edit::EditRecord record = table_edit::read_item_row(row);
    return EditedItem{record.item_nr, record.collection, record.cat, record.title, record.content};
}

QString editor_caption(const EditedItem& item) {
    return QStringLiteral("Content of item \"") + item.collection + QStringLiteral(": ") + item.cat +
           QStringLiteral(" - ") + item.title + QLatin1Char('"');
}

QString editor_start_text(const EditedItem& item, const QString& passed_text) {
    return passed_text.isEmpty() ? item.content : passed_text;
}

ContentSave save_item_content(Database& db, qint64 item_nr, const QString& text) {
    const QString where = QStringLiteral(" where item_nr=") + QString::number(item_nr);
    // Another window may have deleted the item while it was being edited.
    Statement row = db.prepare(QStringLiteral("select item_nr from repos") + where);
    if (!row.next()) return ContentSave::ItemMissing;
    // The content is bound rather than quoted into the text: it may be long and hold anything.
    Statement update = db.prepare(QStringLiteral("update repos set item_content=?") + where);
    update.bind(1, text);
    update.next();
    return ContentSave::Saved;
}
