// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

class AppContext;
class FileSearchWalk;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// f_file_search: files below an initial directory whose name (or whole path) contains a
// string, opened with the system or turned into a link item of a table view. The walk runs in
// slices between the window's events; Escape stops it and keeps what was found.
class FileSearchWindow final : public QWidget {
    Q_OBJECT
public:
    explicit FileSearchWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~FileSearchWindow() override;

    // Places the window, fills the initial directory and gives the string field the focus.
    void load();
    void activated();
    // b_search_file, Enter in the string field, a click on c_include_dir_names.
    void search_file();
    // Escape while searching: the walk stops, the results found so far stay.
    void stop_search();
    bool searching() const { return walk_ != nullptr; }
    // The most entries one slice of the walk examines; a slice also ends after about 30 ms.
    void set_entries_per_slice(int entries) { entries_per_slice_ = entries; }
    // b_change_init_dir_for_search.
    void change_init_dir();
    // b_open, a double click or Enter in List1.
    void open_selected();
    // b_create_link, or L outside the string field.
    void create_link();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    void connect_controls();
    bool handle_key(QObject* watched, const QKeyEvent& key);
    void run_slice();
    void show_progress();
    void finish_search();
    QString selected_path() const;
    void save_place();

    AppContext& ctx_;
    std::unique_ptr<FileSearchWalk> walk_;
    QLabel* string_label_ = nullptr;
    QLineEdit* string_field_ = nullptr;
    QLabel* init_dir_label_ = nullptr;
    QLineEdit* init_dir_field_ = nullptr;
    QPushButton* change_init_dir_button_ = nullptr;
    QCheckBox* include_dir_names_check_ = nullptr;
    QPushButton* search_button_ = nullptr;
    QLabel* results_label_ = nullptr;
    QListWidget* results_list_ = nullptr;
    QPushButton* open_button_ = nullptr;
    QPushButton* create_link_button_ = nullptr;
    QPushButton* exit_button_ = nullptr;
    int entries_per_slice_ = 1 << 30;
    bool closed_ = false;
};
