// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_names.h"

#include <QString>
#include <array>
#include <optional>

class AppContext;
class CollectionTable;
class Database;

inline const QString no_more_editors_message = QStringLiteral("No more edit forms loadable");
inline const QString item_not_found_message = QStringLiteral("Item not found.");
inline const QString save_changes_question = QStringLiteral("Do you want to save the changes?");
inline const QString hand_back_refused_message =
    QStringLiteral("The insert or edit this text belongs to has ended. The text stays in the editor.");

// The slots of the content editor windows: 1..500, the first free one is taken, and a slot is
// free again once its window has closed.
class EditorSlots {
public:
    static constexpr int capacity = 500;

    // Takes the first free slot; nullopt, and nothing changed, when all are in use.
    std::optional<int> reserve();
    // Frees a slot; a number outside 1..capacity or a free slot is left alone.
    void release(int slot);
    bool in_use(int slot) const;
    int in_use_count() const;

private:
    std::array<bool, capacity + 1> used_{}; // index 0 unused, so that slots read as numbered
};

// The row an editor works on.
struct EditedItem {
    qint64 item_nr = 0;
    QString collection;
    QString cat;
    QString title;
    QString content;
};

// The item as stored now; nullopt when no row has that number.
std::optional<EditedItem> read_edited_item(Database& db, qint64 item_nr);

// Content of item "collection: cat - title"
QString editor_caption(const EditedItem& item);

// The text an editor opens with: the caller's text when it has one, else the stored content.
QString editor_start_text(const EditedItem& item, const QString& passed_text);

enum class ContentSave { Saved, ItemMissing };

// Writes `text` as the item's content. An item that no longer exists is not recreated: the
// answer says so and nothing is written.
ContentSave save_item_content(Database& db, qint64 item_nr, const QString& text);
