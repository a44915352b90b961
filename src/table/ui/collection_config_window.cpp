// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/collection_config_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"
#include "core/windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The window keeps only its position; this is its size.
constexpr int config_width = 9000;
constexpr int config_height = 9000;

QLabel* header(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

CollectionConfigWindow::CollectionConfigWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(collection_config_form);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    rows_area_ = new QWidget(scroll);
    scroll->setWidget(rows_area_);
    auto* grid = new QGridLayout(rows_area_);
    grid->addWidget(header(rows_area_, "lab_header_collection", "Collection"), 0, 0);
    grid->addWidget(header(rows_area_, "lab_header_visible", "visible"), 0, 1);
    grid->addWidget(header(rows_area_, "lab_header_col_open_as_tagmap", "show collection as tag map"), 0, 2);
    grid->addWidget(header(rows_area_, "lab_header_cat_open_as_tagmap", "show category as tag map"), 0, 3);

    save_and_exit_button_ = new QPushButton(QStringLiteral("Save and exit (F12)"), this);
    save_and_exit_button_->setObjectName(QStringLiteral("b_save_and_exit"));
    cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_and_exit_button_);
    buttons->addWidget(cancel_button_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    connect(save_and_exit_button_, &QPushButton::clicked, this, &CollectionConfigWindow::save_and_exit);
    connect(cancel_button_, &QPushButton::clicked, this, &CollectionConfigWindow::cancel);
    save_and_exit_button_->installEventFilter(this);
    cancel_button_->installEventFilter(this);
    scroll->installEventFilter(this);
}

void CollectionConfigWindow::load() {
    loading_ = true;
    set_form_caption(*this, collection_config_caption);
    try {
        apply_form_place(*this, restore_form_position(*ctx_.db, ctx_.screen, collection_config_form, true,
                                                      TwipsRect{0, 0, config_width, config_height}));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    auto* grid = static_cast<QGridLayout*>(rows_area_->layout());
    int line = 1;
    for (const int position : config_positions(ctx_.prefs.cogniva)) {
        const CollectionFlags flags = flags_of(ctx_.collections, position);
        // The boxes of one kind share their object name and tell their position apart by the
        // "index" property, as the rows of one table do.
        auto box = [&](const char* name, bool ticked) {
            auto* check = new QCheckBox(rows_area_);
            check->setObjectName(QString::fromLatin1(name));
            check->setProperty("index", position);
            check->setChecked(ticked);
            check->installEventFilter(this);
            connect(check, &QCheckBox::clicked, this, [this] {
                if (!loading_) changed_ = true;
            });
            return check;
        };
        auto* name = new QLabel(ctx_.collections.at(position).name, rows_area_);
        name->setObjectName(QStringLiteral("lab_collection"));
        name->setProperty("index", position);
        const Row row{box("check_visible", flags.visible), box("check_col_open_as_tagmap", flags.coll_as_map),
                      box("check_cat_open_as_tagmap", flags.cat_as_map)};
        grid->addWidget(name, line, 0);
        grid->addWidget(row.visible, line, 1);
        grid->addWidget(row.coll_as_map, line, 2);
        grid->addWidget(row.cat_as_map, line, 3);
        rows_.emplace(position, row);
        ++line;
    }
    grid->setRowStretch(line, 1);
    changed_ = false;
    loading_ = false;
}

void CollectionConfigWindow::activated() {
    ctx_.active_kind = WindowKind::None;
}

std::vector<int> CollectionConfigWindow::positions() const {
    std::vector<int> list;
    for (const auto& entry : rows_)
        list.push_back(entry.first);
    return list;
}

void CollectionConfigWindow::save_and_exit() {
    std::map<int, CollectionFlags> flags;
    for (const auto& [position, row] : rows_)
        flags[position] = CollectionFlags{row.visible->isChecked(), row.coll_as_map->isChecked(),
                                          row.cat_as_map->isChecked()};
    try {
        save_collection_config(*ctx_.db, ctx_.collections, flags);
    } catch (const DbError& error) {
        // Nothing was written; the boxes stay as they are for another try.
        report_error(ctx_.prompter, error);
        return;
    }
    const bool rebuild = changed_;
    changed_ = false;
    close_form(*this);
    // The main window is rebuilt once this window has gone: the rebuild may replace the area
    // that holds it.
    if (rebuild) QTimer::singleShot(0, qApp, [&windows = ctx_.windows] { windows.rebuild_main_window(); });
}

void CollectionConfigWindow::cancel() {
    changed_ = false;
    close_form(*this);
}

bool CollectionConfigWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (ctx_.key_lock) return true;
        auto* key = static_cast<QKeyEvent*>(event);
        if (pass_to_hot_keys(ctx_, *key)) return true;
        if (key->key() == Qt::Key_Escape) {
            cancel();
            return true;
        }
        if (key->key() == Qt::Key_F12) {
            save_and_exit();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CollectionConfigWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void CollectionConfigWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        try {
            save_form_position(*ctx_.db, collection_config_form, true, form_place(*this),
                               form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}
