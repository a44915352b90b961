// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_browser_window.h"

#include "core/app_context.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "pictures/browser_settings.h"
#include "pictures/bulk_rename.h"
#include "pictures/picture_search.h"
#include "pictures/ui/picture_viewer.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace {

QLabel* make_label(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

QCheckBox* make_check(QWidget* parent, const char* name, const QString& text) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QString::fromUtf8(name));
    return check;
}

QRadioButton* make_option(QWidget* parent, const char* name, const QString& text) {
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(QString::fromUtf8(name));
    return option;
}

} // namespace

PictureBrowserWindow::PictureBrowserWindow(AppContext& ctx, PictureViewer& viewer, bool standalone)
    : QWidget(nullptr, Qt::Window), ctx_(ctx), viewer_(viewer), standalone_(standalone) {
    setObjectName(QStringLiteral("f_start"));
    setAttribute(Qt::WA_DeleteOnClose);
    build_controls();
    build_menu();
    connect_controls();
}

PictureBrowserWindow::~PictureBrowserWindow() = default;

QPushButton* PictureBrowserWindow::make_button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromUtf8(name));
    return button;
}

QLineEdit* PictureBrowserWindow::make_field(const char* name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromUtf8(name));
    return field;
}

void PictureBrowserWindow::build_controls() {
    auto* layout = new QVBoxLayout(this);
    menu_bar_ = new QMenuBar(this);
    layout->setMenuBar(menu_bar_);
    layout->addWidget(build_picture_frame());
    layout->addWidget(build_search_frame(), 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(build_slide_show_frame(), 3);
    lower->addWidget(build_thumbnail_frame(), 2);
    layout->addLayout(lower);
}

QGroupBox* PictureBrowserWindow::build_picture_frame() {
    auto* frame = new QGroupBox(translate(QStringLiteral("Pictures")), this);
    open_picture_button_ = make_button("b_open_picture", translate(QStringLiteral("Open picture...")));
    open_last_picture_button_ =
        make_button("b_open_last_picture", translate(QStringLiteral("Open last picture")));
    edit_last_picture_button_ =
        make_button("b_edit_last_picture", translate(QStringLiteral("Edit last picture")));
    rename_last_picture_button_ =
        make_button("b_rename_last_pic", translate(QStringLiteral("Rename last picture")));
    delete_last_picture_button_ =
        make_button("b_delete_last_picture", translate(QStringLiteral("Delete last picture")));
    picture_editor_field_ = make_field("t_picture_editor");
    change_editor_button_ = make_button("b_change_editor", translate(QStringLiteral("change")));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(open_picture_button_, 0, 0);
    grid->addWidget(open_last_picture_button_, 0, 1);
    grid->addWidget(edit_last_picture_button_, 0, 2);
    grid->addWidget(rename_last_picture_button_, 0, 3);
    grid->addWidget(delete_last_picture_button_, 0, 4);
    grid->addWidget(make_label(this, "lab_picture_editor", translate(QStringLiteral("Picture editor"))), 1,
                    0);
    grid->addWidget(picture_editor_field_, 1, 1, 1, 3);
    grid->addWidget(change_editor_button_, 1, 4);
    return frame;
}

QGroupBox* PictureBrowserWindow::build_search_frame() {
    auto* frame = new QGroupBox(translate(QStringLiteral("Search pictures")), this);
    init_dir_field_ = make_field("t_init_dir_for_search");
    change_init_dir_button_ =
        make_button("b_change_init_dir_for_search", translate(QStringLiteral("change")));
    const char* const names[] = {"t_search_string_1", "t_search_string_2", "t_search_string_3"};
    for (int box = 0; box < 3; ++box)
        search_fields_[box] = make_field(names[box]);
    and_option_ = make_option(this, "option_and", translate(QStringLiteral("AND")));
    or_option_ = make_option(this, "option_or", translate(QStringLiteral("OR")));
    and_option_->setChecked(true);
    auto* join = new QButtonGroup(frame);
    join->addButton(and_option_);
    join->addButton(or_option_);
    search_button_ = make_button("b_search_picture", translate(QStringLiteral("Search pictures")));
    results_label_ = make_label(this, "lab_search_results", picture_search_results_caption(0));
    results_list_ = new QListWidget(this);
    results_list_->setObjectName(QStringLiteral("List1"));
    results_list_->setUniformItemSizes(true); // a long list of one-line paths stays quick

    auto* grid = new QGridLayout(frame);
    grid->addWidget(
        make_label(this, "lab_init_dir_for_search", translate(QStringLiteral("in. dir for search"))), 0, 0);
    grid->addWidget(init_dir_field_, 0, 1, 1, 4);
    grid->addWidget(change_init_dir_button_, 0, 5);
    const char* const labels[] = {"lab_find_1", "lab_find_2", "lab_find_3"};
    const QString captions[] = {QStringLiteral("find 1"), QStringLiteral("find 2"), QStringLiteral("find 3")};
    for (int box = 0; box < 3; ++box) {
        grid->addWidget(make_label(this, labels[box], captions[box]), 1, box * 2);
        grid->addWidget(search_fields_[box], 1, box * 2 + 1);
    }
    grid->addWidget(and_option_, 2, 1);
    grid->addWidget(or_option_, 2, 3);
    grid->addWidget(search_button_, 2, 5);
    grid->addWidget(results_label_, 3, 0, 1, 6);
    grid->addWidget(results_list_, 4, 0, 1, 6);
    grid->setRowStretch(4, 1);
    return frame;
}

QGroupBox* PictureBrowserWindow::build_slide_show_frame() {
    auto* frame = new QGroupBox(translate(QStringLiteral("Slide show")), this);
    build_slide_show_button_ =
        make_button("b_build_slide_show", translate(QStringLiteral("Build slide show of a directory")));
    open_slide_show_button_ =
        make_button("b_open_slide_show", translate(QStringLiteral("Open slide show file")));
    slide_show_from_results_button_ = make_button("b_slideshow_from_search_results",
                                                  translate(QStringLiteral("Slide show of search results")));
    resume_slide_show_button_ =
        make_button("b_resume_slide_show", translate(QStringLiteral("Resume last slide show")));
    last_slide_show_field_ = make_field("t_last_slideshow");
    last_slide_show_field_->setReadOnly(true);
    interval_field_ = make_field("t_interval");
    // Only whole milliseconds can be typed, so the box never holds an interval that is not stored.
    interval_field_->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), interval_field_));
    auto_show_check_ = make_check(this, "c_auto_show", translate(QStringLiteral("Automatic advance")));
    random_check_ = make_check(this, "c_random", translate(QStringLiteral("Random order")));
    fit_mode_check_ = make_check(this, "c_fit_mode", translate(QStringLiteral("Fit to screen")));
    black_screen_check_ = make_check(this, "c_black_screen", translate(QStringLiteral("Black screen")));
    sort_ascending_option_ = make_option(this, "o_sort_ascending", translate(QStringLiteral("Ascending")));
    sort_descending_option_ = make_option(this, "o_sort_descending", translate(QStringLiteral("Descending")));
    sort_by_filename_option_ =
        make_option(this, "o_sort_by_filename", translate(QStringLiteral("By file name")));
    sort_by_datetime_option_ =
        make_option(this, "o_sort_by_datetime", translate(QStringLiteral("By date-time")));
    auto* direction = new QButtonGroup(frame);
    direction->addButton(sort_ascending_option_);
    direction->addButton(sort_descending_option_);
    auto* order = new QButtonGroup(frame);
    order->addButton(sort_by_filename_option_);
    order->addButton(sort_by_datetime_option_);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(build_slide_show_button_, 0, 0, 1, 2);
    grid->addWidget(open_slide_show_button_, 0, 2, 1, 2);
    grid->addWidget(slide_show_from_results_button_, 1, 0, 1, 2);
    grid->addWidget(resume_slide_show_button_, 1, 2, 1, 2);
    grid->addWidget(make_label(this, "lab_last_slideshow", translate(QStringLiteral("Last slide show"))), 2,
                    0);
    grid->addWidget(last_slide_show_field_, 2, 1, 1, 3);
    grid->addWidget(make_label(this, "lab_interval", translate(QStringLiteral("Interval (ms)"))), 3, 0);
    grid->addWidget(interval_field_, 3, 1);
    grid->addWidget(auto_show_check_, 3, 2);
    grid->addWidget(random_check_, 3, 3);
    grid->addWidget(fit_mode_check_, 4, 2);
    grid->addWidget(black_screen_check_, 4, 3);
    grid->addWidget(sort_ascending_option_, 5, 0);
    grid->addWidget(sort_descending_option_, 5, 1);
    grid->addWidget(sort_by_filename_option_, 5, 2);
    grid->addWidget(sort_by_datetime_option_, 5, 3);
    return frame;
}

QGroupBox* PictureBrowserWindow::build_thumbnail_frame() {
    auto* frame = new QGroupBox(translate(QStringLiteral("Thumbnails")), this);
    build_thumbnails_button_ =
        make_button("b_build_and_show_thumbnails", translate(QStringLiteral("Thumbnails of a directory")));
    show_thumbnail_file_button_ =
        make_button("b_show_thumbnail_file", translate(QStringLiteral("Open thumbnail file")));
    thumbnails_from_results_button_ = make_button("b_thumbnails_from_search_results",
                                                  translate(QStringLiteral("Thumbnails of search results")));
    last_thumbnail_file_field_ = make_field("t_last_thumbnail_file");
    last_thumbnail_file_field_->setReadOnly(true);
    auto* box = new QVBoxLayout(frame);
    box->addWidget(build_thumbnails_button_);
    box->addWidget(show_thumbnail_file_button_);
    box->addWidget(thumbnails_from_results_button_);
    box->addWidget(
        make_label(this, "lab_last_thumbnail_file", translate(QStringLiteral("Last thumbnail file"))));
    box->addWidget(last_thumbnail_file_field_);
    box->addStretch();
    return frame;
}

void PictureBrowserWindow::build_menu() {
    QMenu* menu = menu_bar_->addMenu(translate(QStringLiteral("&Commands")));
    menu->setObjectName(QStringLiteral("m_commands"));
    const auto add = [this, menu](const char* name, const QString& caption, auto command) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add("m_add_string_to_names_of_all_files_of_given_directory",
        translate(QStringLiteral("Add string to names of all files of given directory")),
        [this] { add_string_to_file_names(ctx_, ctx_.pictures); });
    add("m_remove_string",
        translate(QStringLiteral("Remove string from names of all files of given directory")),
        [this] { remove_string_from_file_names(ctx_, ctx_.pictures); });
    add("m_agenda", translate(QStringLiteral("Open agenda")), [this] { open_agenda(); });
    QAction* organizer = add("m_tessarin_main_panel", translate(QStringLiteral("Tessarin main panel")),
                             [this] { ctx_.windows.open_organizer(); });
    // Started as the picture viewer, the program has no organizer window to return to here.
    organizer->setVisible(!standalone_);
    menu->addSeparator();
    add("m_exit", translate(QStringLiteral("&Exit")), [this] { close(); });
    // Escape stops a running search; it does nothing else in this window.
    auto* stop = new QAction(this);
    stop->setObjectName(QStringLiteral("a_stop_search"));
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
    stop->setShortcutContext(Qt::WindowShortcut);
    addAction(stop);
    connect(stop, &QAction::triggered, this, &PictureBrowserWindow::stop_search);
}

void PictureBrowserWindow::connect_controls() {
    connect(open_picture_button_, &QPushButton::clicked, this, &PictureBrowserWindow::open_picture);
    connect(open_last_picture_button_, &QPushButton::clicked, this, &PictureBrowserWindow::open_last_picture);
    connect(edit_last_picture_button_, &QPushButton::clicked, this, &PictureBrowserWindow::edit_last_picture);
    connect(rename_last_picture_button_, &QPushButton::clicked, this,
            &PictureBrowserWindow::rename_last_picture);
    connect(delete_last_picture_button_, &QPushButton::clicked, this,
            &PictureBrowserWindow::delete_last_picture);
    connect(change_editor_button_, &QPushButton::clicked, this, &PictureBrowserWindow::change_editor);
    connect(change_init_dir_button_, &QPushButton::clicked, this, &PictureBrowserWindow::change_init_dir);
    connect(search_button_, &QPushButton::clicked, this, &PictureBrowserWindow::search_pictures);
    // Enter in a search box leads to the search button; a second Enter there starts the search.
    for (QLineEdit* field : search_fields_)
        connect(field, &QLineEdit::returnPressed, this,
                [this] { search_button_->setFocus(Qt::OtherFocusReason); });
    search_button_->setAutoDefault(true);
    // A double click and Enter both activate the line: one picture window each.
    connect(results_list_, &QListWidget::itemActivated, this, &PictureBrowserWindow::show_listed_picture);

    const auto viewer_button = [this](QPushButton* button, void (PictureViewer::*command)(),
                                      bool with_strings) {
        connect(button, &QPushButton::clicked, this,
                [this, command, with_strings] { run_viewer_command(command, with_strings); });
    };
    viewer_button(build_slide_show_button_, &PictureViewer::build_slide_show, false);
    viewer_button(open_slide_show_button_, &PictureViewer::choose_slide_show_file, false);
    viewer_button(slide_show_from_results_button_, &PictureViewer::slide_show_from_search_results, true);
    viewer_button(resume_slide_show_button_, &PictureViewer::resume_slide_show, false);
    viewer_button(build_thumbnails_button_, &PictureViewer::build_thumbnails, false);
    viewer_button(show_thumbnail_file_button_, &PictureViewer::choose_thumbnail_file, false);
    viewer_button(thumbnails_from_results_button_, &PictureViewer::thumbnails_from_search_results, true);
}

void PictureBrowserWindow::connect_settings() {
    connect(interval_field_, &QLineEdit::editingFinished, this, &PictureBrowserWindow::store_interval_box);
    connect(auto_show_check_, &QCheckBox::toggled, this, &PictureBrowserWindow::set_automatic);
    const auto flag = [this](QAbstractButton* button, const QString& key) {
        connect(button, &QAbstractButton::toggled, this,
                [this, key](bool on) { store_flag(ctx_.settings, key, on); });
    };
    flag(random_check_, random_key);
    flag(fit_mode_check_, fit_mode_key);
    flag(black_screen_check_, black_screen_key);
    flag(sort_descending_option_, sort_descending_key);
    flag(sort_by_datetime_option_, sort_by_datetime_key);
}

void PictureBrowserWindow::load() {
    setWindowTitle(standalone_ ? QStringLiteral("Glimmeron") : translate(QStringLiteral("Image viewer")));
    const BrowserSettings shown = read_browser_settings(ctx_.settings, ctx_.pictures);
    init_dir_field_->setText(shown.init_dir_for_search);
    picture_editor_field_->setText(shown.picture_editor);
    interval_field_->setText(shown.interval);
    auto_show_check_->setChecked(shown.autom);
    random_check_->setChecked(shown.random);
    fit_mode_check_->setChecked(shown.fit_mode);
    black_screen_check_->setChecked(shown.black_screen);
    (shown.sort_descending ? sort_descending_option_ : sort_ascending_option_)->setChecked(true);
    (shown.sort_by_datetime ? sort_by_datetime_option_ : sort_by_filename_option_)->setChecked(true);
    show_last_files();
    // Stored from here on: reading the settings into the boxes must not write them back.
    connect_settings();
    apply_form_place(*this, browser_place(ctx_.settings, ctx_.screen));
    // A stored or default size may be smaller than the controls need in the font in use; the
    // window grows to them, but never beyond the screen.
    const QRect area = screen()->availableGeometry();
    resize(sizeHint().expandedTo(size()).boundedTo(area.size()));
    move(std::clamp(x(), area.left(), std::max(area.left(), area.right() - width())),
         std::clamp(y(), area.top(), std::max(area.top(), area.bottom() - height())));
    search_fields_[0]->setFocus(Qt::OtherFocusReason);
}

bool PictureBrowserWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) ctx_.active_kind = WindowKind::PictureBrowser;
    return QWidget::event(event);
}

void PictureBrowserWindow::closeEvent(QCloseEvent* event) {
    stop_search();
    store_interval_box();
    save_place();
    event->accept();
}
