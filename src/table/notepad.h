// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
