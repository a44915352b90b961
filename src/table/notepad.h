// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class Database;
class Prompter;

// The notepad is one item whose collection, category and title are all "pad"; its content is
// the notepad text. It is made the first time the notepad is needed.
struct PadItem {
    qint64 item_nr = 0;
    QString text;
};

// Finds the notepad item, creating it when it does not exist.
PadItem find_or_create_pad(Database& db);

// The caption of the notepad window and the title of its question.
QString pad_caption();
QString pad_question_title();

// The notepad's save routine. Nothing happens when `text` equals `reference`; with `ask` set,
// "Do you want to save the changes?" is asked first and No keeps the stored text. Saving finds
// the notepad item again (making it when another window deleted it meanwhile). True when
// written; the caller then takes `text` as its new reference.
bool save_pad(Database& db, Prompter& prompter, const QString& text, const QString& reference, bool ask);

// Text typed into the notepad and not saved is kept in this file of the program directory when
// the notepad closes, and offered at the next opening, so that closing without a question never
// loses typing. Saving the notepad removes it.
inline const QString pad_draft_file = QStringLiteral("notepad_draft.txt");
// Writes the draft in one step (a crash leaves the old draft or the new, never half of one).
// False when it could not be written.
bool keep_pad_draft(const QString& path, const QString& text);
// The kept draft; nullopt when there is none (or it cannot be read).
std::optional<QString> read_pad_draft(const QString& path);
void remove_pad_draft(const QString& path);
