// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class AppContext;
struct MapIdentity;
struct MapItem;

// An item's content makes the item act when it begins with "LINK=" (a file, directory or web
// address), "PICDIR=" (a directory of pictures for the random views) or "> " (a reference to a
// map). This file runs links, inserts them, and guards the content the map window shows.

inline const QString path_not_found_message = QStringLiteral("Path not found: ");
inline const QString picture_viewer_missing_message =
    QStringLiteral("The picture viewer is not available in this version: ");

// ---------------------------------------------------------------- running links

// Opens a link target: the text's first line, after a "LINK=" prefix in any letter case,
// trimmed. A target that names nothing on disk may be a web address; otherwise, with `report`,
// the user is told "Path not found: " + target. Pictures go to the picture viewer (through
// the picture window), ".wav" files are played, other files and directories open with the system.
// A relative directory is taken under the current directory. Answers whether something opened.
bool open_link(AppContext& ctx, const QString& text, bool report);

// Asks the system to open the text's first line when it is a web address. Answers whether the
// system opened it.
bool shell_open_url(AppContext& ctx, const QString& text);

// Runs the link of an item whose content begins with "LINK=": the content from its sixth
// character, with reporting on.
bool run_link(AppContext& ctx, const QString& content);

// When the content begins with "PICDIR=" (any letter case) and its first line names an existing
// directory: that directory, ending in "/"; "" otherwise.
QString picture_dir_of_content(const QString& content);

// ---------------------------------------------------------------- inserting links

inline const QString link_not_available_message =
    QStringLiteral("Funtion not available for this type of item");
inline const QString item_vanished_message =
    QStringLiteral("This item no longer exists: it may have been deleted in another window.");

// How many characters of the old content the replace confirmation shows.
inline constexpr int replace_preview_length = 40;

// "Do you want to replace the item's current content? (\"" + the first 40 characters + "...\")"
QString replace_content_question(const QString& content);

// The file chooser "Select a file", starting at the global parameter "last_link_path". A name
// of a file that does not exist creates it as a text document holding the one line
// "Title of document " + its path. nullopt when cancelled, or when the document could not be
// created (the user was told why). The path comes back in the platform's form.
std::optional<QString> choose_link_file(AppContext& ctx);
// The directory chooser, starting at "last_link_path"; nullopt when cancelled.
std::optional<QString> choose_link_directory(AppContext& ctx);
// Stores "last_link_path": the chosen directory, or the directory of the chosen file.
void remember_link_path(AppContext& ctx, const QString& chosen);

enum class LinkInsertion {
    Refused,   // the item cannot hold a link; the user was told
    Cancelled, // the user cancelled the confirmation or the chooser; nothing was written
    Failed,    // the database write failed or the item vanished; the user was told
    Changed,   // content and panel text of `item` changed: show the content, refresh the windows
};

// "Insert/change link to file" and "Insert/change link to directory" on the selected item of a
// map window. Refuses the top map, collection maps, grid fillers and items whose title is an
// existing map name; asks before replacing a content that is not blank; on success the item's
// row gets the content "LINK=" + path, `item` is updated (its panel text ends with "^") and
// "last_link_path" is stored.
LinkInsertion insert_link_to_file(AppContext& ctx, const MapIdentity& map, MapItem& item);
LinkInsertion insert_link_to_directory(AppContext& ctx, const MapIdentity& map, MapItem& item);

// ---------------------------------------------------------------- content box

// What the content box under the grid shows for the selected entry: the item's content; in a
// collection map the numbered titles of the category's items ("1) title\r\n"...), or "[void]"
// when it has none. Database failures propagate as DbError.
QString content_box_text(AppContext& ctx, const MapIdentity& map, const MapItem& item);

// The content box is read-only: typing into it tells the user how to edit instead.
void content_box_typed(AppContext& ctx, const MapIdentity& map);
