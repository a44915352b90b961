// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

class AppContext;
class PictureSearch;
class PictureViewer;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenuBar;
class QPushButton;
class QRadioButton;

// The picture browser panel (f_start, "Image viewer"; "Glimmeron" when the program runs as the
// picture viewer): opening, editing, renaming and deleting pictures, the picture search below a
// directory, and the slide-show and thumbnail commands, which it hands to the PictureViewer.
// A top-level window that keeps its place in the settings store.
//
// The search walks in slices on this thread, the event loop running between them (as the file
// search does): List1 fills as pictures are found, Escape stops the walk and keeps what it
// found, and nothing is shared with another thread.
class PictureBrowserWindow : public QWidget {
public:
    PictureBrowserWindow(AppContext& ctx, PictureViewer& viewer, bool standalone);
    ~PictureBrowserWindow() override;
    PictureBrowserWindow(const PictureBrowserWindow&) = delete;
    PictureBrowserWindow& operator=(const PictureBrowserWindow&) = delete;

    // Reads the settings into the boxes and puts the window in its stored place.
    void load();
    bool standalone() const { return standalone_; }
    // True while a search walks.
    bool searching() const { return static_cast<bool>(search_); }
    // Stops a running search (Escape); what was found stays.
    void stop_search();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // picture_browser_window.cpp: the controls.
    void build_controls();
    QGroupBox* build_picture_frame();
    QGroupBox* build_search_frame();
    QGroupBox* build_slide_show_frame();
    QGroupBox* build_thumbnail_frame();
    void build_menu();
    void connect_controls();
    void connect_settings();
    QPushButton* make_button(const char* name, const QString& caption);
    QLineEdit* make_field(const char* name);

    // picture_browser_window_commands.cpp: what the controls do.
    void open_picture();
    void open_last_picture();
    void edit_last_picture();
    void rename_last_picture();
    void delete_last_picture();
    void change_editor();
    void change_init_dir();
    void search_pictures();
    void run_slice();
    void show_progress();
    void finish_search();
    void show_listed_picture(QListWidgetItem* item);
    void run_viewer_command(void (PictureViewer::*command)(), bool with_search_strings);
    void show_last_files();
    void store_interval_box();
    void set_automatic(bool on);
    void open_agenda();
    void save_place();

    AppContext& ctx_;
    PictureViewer& viewer_;
    const bool standalone_;
    std::unique_ptr<PictureSearch> search_;

    QMenuBar* menu_bar_ = nullptr;
    QPushButton* open_picture_button_ = nullptr;
    QPushButton* open_last_picture_button_ = nullptr;
    QPushButton* edit_last_picture_button_ = nullptr;
    QPushButton* rename_last_picture_button_ = nullptr;
    QPushButton* delete_last_picture_button_ = nullptr;
    QLineEdit* picture_editor_field_ = nullptr;
    QPushButton* change_editor_button_ = nullptr;
    QLineEdit* init_dir_field_ = nullptr;
    QPushButton* change_init_dir_button_ = nullptr;
    QLineEdit* search_fields_[3] = {};
    QRadioButton* and_option_ = nullptr;
    QRadioButton* or_option_ = nullptr;
    QPushButton* search_button_ = nullptr;
    QLabel* results_label_ = nullptr;
    QListWidget* results_list_ = nullptr;
    QPushButton* build_slide_show_button_ = nullptr;
    QPushButton* open_slide_show_button_ = nullptr;
    QPushButton* slide_show_from_results_button_ = nullptr;
    QPushButton* resume_slide_show_button_ = nullptr;
    QLineEdit* last_slide_show_field_ = nullptr;
    QLineEdit* interval_field_ = nullptr;
    QCheckBox* auto_show_check_ = nullptr;
    QCheckBox* random_check_ = nullptr;
    QCheckBox* fit_mode_check_ = nullptr;
    QCheckBox* black_screen_check_ = nullptr;
    QRadioButton* sort_ascending_option_ = nullptr;
    QRadioButton* sort_descending_option_ = nullptr;
    QRadioButton* sort_by_filename_option_ = nullptr;
    QRadioButton* sort_by_datetime_option_ = nullptr;
    QPushButton* build_thumbnails_button_ = nullptr;
    QPushButton* show_thumbnail_file_button_ = nullptr;
    QPushButton* thumbnails_from_results_button_ = nullptr;
    QLineEdit* last_thumbnail_file_field_ = nullptr;
};
