// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/ui/text_form_window.h"

#include <QString>
#include <functional>

class AppContext;
class QLabel;

// f_pad: the one free text of the database, kept as the content of the "pad" item.
class NotepadWindow final : public TextFormWindow {
    Q_OBJECT
public:
    NotepadWindow(AppContext& ctx, std::function<void()> refresh_all, QWidget* parent = nullptr);
    // A notepad destroyed without closing (the program ending) still keeps its unsaved text.
    ~NotepadWindow() override;

    // Finds (or makes) the notepad item and shows its text; text kept unsaved when the notepad
    // last closed comes back in its place, marked as a draft. False when the database refused.
    bool load();

protected:
    void closeEvent(QCloseEvent* event) override;
    void save_and_exit() override;

private:
    // The save routine; `ask` puts the question first. No command of this window asks.
    bool save(bool ask);
    // Shows or hides the mark of a restored draft and its button.
    void show_draft_mark(bool on);
    QString draft_path() const;

    QLabel* draft_label_;
    QPushButton* saved_text_button_;
};
