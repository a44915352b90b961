// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class AppContext;
class QBoxLayout;
class QPlainTextEdit;
class QPushButton;

// What the content editor (f_edit) and the notepad (f_pad) share: a fixed-pitch text field
// (t_testo) over the buttons b_save, b_save_and_exit and b_cancel, the reference text that
// "changed" compares with, the stored place under the form's name, and the keys (Escape closes,
// F12 saves and exits, the rest goes to the program-wide shortcuts).
class TextFormWindow : public QWidget {
    Q_OBJECT
public:
    QString text() const;
    const QString& reference_text() const { return reference_; }
    bool changed() const { return text() != reference_; }
    // No menu command acts on these windows.
    void activated();

protected:
    // `form_name` is the object name and the key of the stored place; `refresh_all` refreshes
    // every other view of the items after a save.
    TextFormWindow(AppContext& ctx, const QString& form_name, const QString& save_and_exit_caption,
                   std::function<void()> refresh_all, QWidget* parent);

    // F12 and b_save_and_exit.
    virtual void save_and_exit() = 0;

    // The window's column (text field, then the button row) and its button row, for the
    // controls a window adds.
    QBoxLayout* column() const { return column_; }
    QBoxLayout* button_row() const { return button_row_; }
    // Puts the window at its stored place and grows it to its controls; throws DbError.
    void restore_place();
    // Stores the window's place; a failure is reported.
    void store_place();
    void refresh_all() const;
    // Shows `text` and makes it the reference.
    void set_reference(const QString& text);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

    AppContext& ctx_;
    QString reference_;
    QPlainTextEdit* text_field_;
    QPushButton* save_button_;
    QPushButton* save_and_exit_button_;
    QPushButton* cancel_button_;
    bool closed_ = false; // the close went through: the place is stored

private:
    const QString form_name_;
    std::function<void()> refresh_all_;
    QBoxLayout* column_;
    QBoxLayout* button_row_;
};
