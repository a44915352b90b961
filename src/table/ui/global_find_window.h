// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

class AppContext;
class QLabel;
class QLineEdit;
class QPushButton;

// f_global_find: one search string for every category, title and content of all collections,
// handed to the table view of all collections.
class GlobalFindWindow final : public QWidget {
    Q_OBJECT
public:
    // `open_table` opens a table view with the search marked as coming from this window; it is
    // asked at the moment of the search, and empty while the program has no table view.
    GlobalFindWindow(AppContext& ctx, std::function<std::function<bool(int)>()> open_table,
                     QWidget* parent = nullptr);

    // Places the window, empties the field and gives it the focus.
    void load();
    void activated();
    // b_start_search, Enter in the field.
    void start_search();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void save_place();

    AppContext& ctx_;
    std::function<std::function<bool(int)>()> open_table_;
    QLabel* string_label_;
    QLineEdit* string_field_;
    QPushButton* start_search_button_;
    QPushButton* exit_button_;
    bool closed_ = false;
};
