// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/file_search_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/settings.h"
#include "core/translate.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"
#include "maps/links.h"
#include "table/file_search.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace {

// A slice of the walk lasts about this long before the window's events run again.
constexpr qint64 slice_ms = 30;
// Entries examined between looks at the slice's time.
constexpr int entries_per_look = 512;

QString results_caption(int count) {
    return translate(QStringLiteral("Search results (%1 files)")).arg(count);
}

} // namespace

FileSearchWindow::FileSearchWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(file_search_form);
    build_controls();
    connect_controls();
}

FileSearchWindow::~FileSearchWindow() = default;

void FileSearchWindow::build_controls() {
    const auto make_label = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromUtf8(name));
        return label;
    };
    const auto make_button = [this](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromUtf8(name));
        return button;
    };
    string_label_ = make_label("lab_string1", translate(QStringLiteral("string to look for")));
    string_field_ = new QLineEdit(this);
    string_field_->setObjectName(QStringLiteral("t_search_string_1"));
    string_label_->setBuddy(string_field_);
    init_dir_label_ = make_label("lab_init_dir_for_search", translate(QStringLiteral("in. dir for search")));
    init_dir_field_ = new QLineEdit(this);
    init_dir_field_->setObjectName(QStringLiteral("t_init_dir_for_search"));
    init_dir_label_->setBuddy(init_dir_field_);
    change_init_dir_button_ =
        make_button("b_change_init_dir_for_search", translate(QStringLiteral("change")));
    include_dir_names_check_ = new QCheckBox(translate(QStringLiteral("Include directory names")), this);
    include_dir_names_check_->setObjectName(QStringLiteral("c_include_dir_names"));
    search_button_ = make_button("b_search_file", translate(QStringLiteral("search file or directory...")));
    results_label_ = make_label("lab_search_results", results_caption(0));
    results_list_ = new QListWidget(this);
    results_list_->setObjectName(QStringLiteral("List1"));
    results_list_->setUniformItemSizes(true); // a long list of one-line paths stays quick
    open_button_ = make_button("b_open", translate(QStringLiteral("&Open")));
    create_link_button_ =
        make_button("b_create_link", translate(QStringLiteral("Create &link to selected file (L)")));
    exit_button_ = make_button("b_exit", translate(QStringLiteral("&Exit")));
    open_button_->setEnabled(false);
    create_link_button_->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(string_label_, 0, 0);
    layout->addWidget(string_field_, 0, 1, 1, 2);
    layout->addWidget(init_dir_label_, 1, 0);
    layout->addWidget(init_dir_field_, 1, 1);
    layout->addWidget(change_init_dir_button_, 1, 2);
    layout->addWidget(include_dir_names_check_, 2, 1);
    layout->addWidget(search_button_, 2, 2);
    layout->addWidget(results_label_, 3, 0, 1, 3);
    layout->addWidget(results_list_, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_button_);
    buttons->addWidget(create_link_button_);
    buttons->addStretch();
    buttons->addWidget(exit_button_);
    layout->addLayout(buttons, 5, 0, 1, 3);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
}

void FileSearchWindow::connect_controls() {
    connect(search_button_, &QPushButton::clicked, this, &FileSearchWindow::search_file);
    connect(string_field_, &QLineEdit::returnPressed, this, &FileSearchWindow::search_file);
    connect(include_dir_names_check_, &QCheckBox::clicked, this, &FileSearchWindow::search_file);
    connect(change_init_dir_button_, &QPushButton::clicked, this, &FileSearchWindow::change_init_dir);
    connect(open_button_, &QPushButton::clicked, this, &FileSearchWindow::open_selected);
    connect(results_list_, &QListWidget::itemDoubleClicked, this, &FileSearchWindow::open_selected);
    connect(create_link_button_, &QPushButton::clicked, this, &FileSearchWindow::create_link);
    connect(exit_button_, &QPushButton::clicked, this, [this] { close_form(*this); });
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void FileSearchWindow::load() {
    set_form_caption(*this, translate(QStringLiteral("File search")));
    try {
        apply_form_place(*this, file_search_place(*ctx_.db, ctx_.screen));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    init_dir_field_->setText(initial_search_dir(ctx_.settings));
    string_field_->setFocus(Qt::OtherFocusReason);
}

void FileSearchWindow::activated() {
    ctx_.active_kind = WindowKind::FileSearch;
}

void FileSearchWindow::change_init_dir() {
    const QString current = search_directory(init_dir_field_->text());
    const std::optional<QString> chosen = ctx_.prompter.choose_directory(
        translate(QStringLiteral("Select initial directory for search")), current);
    if (!chosen || chosen->trimmed().isEmpty()) return;
    const QString shown = QDir::toNativeSeparators(search_directory(*chosen));
    ctx_.settings.save_setting(init_dir_setting, shown);
    init_dir_field_->setText(shown);
}

void FileSearchWindow::search_file() {
    if (walk_) return; // one search at a time; Escape stops the running one
    const QString typed = string_field_->text();
    const QString shown_dir = init_dir_field_->text().trimmed();
    const QString dir = search_directory(shown_dir);
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        ctx_.prompter.message(translate(QStringLiteral("This directory does not exist: %1")).arg(shown_dir));
        init_dir_field_->setFocus();
        return;
    }
    if (!ctx_.prompter.yes_no(search_question(typed, shown_dir), translate(QStringLiteral("File search")),
                              true))
        return;
    results_list_->clear();
    results_label_->setText(results_caption(0));
    open_button_->setEnabled(false);
    create_link_button_->setEnabled(false);
    walk_ = std::make_unique<FileSearchWalk>(dir, typed, include_dir_names_check_->isChecked());
    search_button_->setEnabled(false);
    QTimer::singleShot(0, this, &FileSearchWindow::run_slice);
}

void FileSearchWindow::run_slice() {
    if (!walk_) return;
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    for (int examined = 0; more && examined < entries_per_slice_ && slice.elapsed() < slice_ms;
         examined += entries_per_look)
        more = walk_->step(std::min(entries_per_look, entries_per_slice_ - examined));
    show_progress();
    if (more)
        QTimer::singleShot(0, this, &FileSearchWindow::run_slice);
    else
        finish_search();
}

void FileSearchWindow::show_progress() {
    const QStringList fresh = walk_->take_new_found();
    if (!fresh.isEmpty()) results_list_->addItems(fresh);
    const int found = static_cast<int>(walk_->found().size());
    set_form_caption(*this,
                     search_progress_caption(walk_->directories_searched(), walk_->files_searched(), found));
    QString caption = results_caption(found);
    if (walk_->unreadable_directories() > 0)
        caption +=
            QStringLiteral("  --  ") + translate(QStringLiteral("directories that could not be read: %1"))
                                           .arg(walk_->unreadable_directories());
    results_label_->setText(caption);
}

void FileSearchWindow::stop_search() {
    if (!walk_) return;
    walk_->cancel();
    show_progress();
    finish_search();
}

void FileSearchWindow::finish_search() {
    walk_.reset();
    search_button_->setEnabled(true);
    const bool any = results_list_->count() > 0;
    if (any) results_list_->setCurrentRow(0);
    open_button_->setEnabled(any);
    create_link_button_->setEnabled(any);
}

QString FileSearchWindow::selected_path() const {
    const QListWidgetItem* item = results_list_->currentItem();
    return item ? item->text() : QString();
}

void FileSearchWindow::open_selected() {
    const QString path = selected_path();
    if (!path.isEmpty()) open_link(ctx_, path, true);
}

void FileSearchWindow::create_link() {
    const QString path = selected_path();
    if (path.isEmpty() || !create_link_button_->isEnabled()) return;
    create_file_link(ctx_, QDir::toNativeSeparators(path));
}

bool FileSearchWindow::handle_key(QObject* watched, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        if (walk_)
            stop_search();
        else
            close_form(*this);
        return true;
    }
    if (key.key() == Qt::Key_L && key.modifiers() == Qt::NoModifier && watched != string_field_ &&
        watched != init_dir_field_ && create_link_button_->isEnabled()) {
        create_link();
        return true;
    }
    if (watched == results_list_ && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
        open_selected();
        return true;
    }
    const bool in_text = watched == string_field_ || watched == init_dir_field_;
    return !(in_text && is_text_editing_key(key)) && pass_to_hot_keys(ctx_, key);
}

void FileSearchWindow::save_place() {
    try {
        save_file_search_place(*ctx_.db, form_place(*this), form_minimised(*this));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

bool FileSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (ctx_.key_lock) return true;
        if (handle_key(watched, *static_cast<QKeyEvent*>(event))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FileSearchWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void FileSearchWindow::closeEvent(QCloseEvent* event) {
    if (walk_) walk_->cancel();
    walk_.reset();
    if (!closed_) {
        closed_ = true;
        save_place();
    }
    event->accept();
}
