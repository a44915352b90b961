// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class AppContext;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// f_pad: the one free text of the database, kept as the content of the "pad" item.
class NotepadWindow final : public QWidget {
    Q_OBJECT
public:
    NotepadWindow(AppContext& ctx, std::function<void()> refresh_all, QWidget* parent = nullptr);
    // A notepad destroyed without closing (the program ending) still keeps its unsaved text.
    ~NotepadWindow() override;

    // Finds (or makes) the notepad item and shows its text; text kept unsaved when the notepad
    // last closed comes back in its place, marked as a draft. False when the database refused.
    bool load();

    QString text() const;
    const QString& reference_text() const { return reference_; }
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The save routine; `ask` puts the question first. No command of this window asks.
    bool save(bool ask);
    void save_and_exit();
    // Shows or hides the mark of a restored draft and its button.
    void show_draft_mark(bool on);
    QString draft_path() const;
    bool handle_key(QKeyEvent* event);

    AppContext& ctx_;
    std::function<void()> refresh_all_;
    QString reference_;
    QPlainTextEdit* text_field_;
    QPushButton* save_button_;
    QPushButton* save_and_exit_button_;
    QPushButton* cancel_button_;
    QLabel* draft_label_;
    QPushButton* saved_text_button_;
    bool closed_ = false;
};
