// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail sheet's menu, keys and commands, and its place on the screen.
#include "core/app_context.h"
#include "core/geometry.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/picture_operations.h"
#include "pictures/sheet_builds.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/thumbnail_sheet.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace {

QAction* add_command(QWidget* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
    auto* action = new QAction(text, menu);
    action->setObjectName(QLatin1String(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    // The window's own key handler runs the keys; the menu only shows them.
    action->setShortcutContext(Qt::WidgetShortcut);
    menu->addAction(action);
    return action;
}

} // namespace

void ThumbnailSheetWindow::build_menus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menu_bar"));
    layout()->setMenuBar(bar);
    using Sheet = ThumbnailSheetWindow;
    connect(add_command(bar, "m_prev", translate(QStringLiteral("<< Previous file"))), &QAction::triggered,
            this, &Sheet::show_previous_file);
    connect(add_command(bar, "m_next", translate(QStringLiteral("Next file >>"))), &QAction::triggered, this,
            &Sheet::show_next_file);
    popup_ = bar->addMenu(translate(QStringLiteral("Commands")));
    popup_->setObjectName(QStringLiteral("m_popup"));
    const struct {
        const char* name;
        QString text;
        QKeySequence keys;
        void (Sheet::*command)();
    } entries[] = {
        {"m_show_previous_tn_file", translate(QStringLiteral("Show previous thumbnail file")), Qt::Key_PageUp,
         &Sheet::show_previous_file},
        {"m_show_next_tn_file", translate(QStringLiteral("Show next thumbnail file")), Qt::Key_PageDown,
         &Sheet::show_next_file},
        {"m_select_tn_file", translate(QStringLiteral("Select thumbnail file")), {}, &Sheet::select_file},
        {"m_show_normal_size", translate(QStringLiteral("Show picture in normal size")), Qt::Key_B,
         &Sheet::show_normal_size},
        {"m_refresh_file", translate(QStringLiteral("Refresh")), Qt::Key_F5, &Sheet::refresh},
        {"m_rename_file", translate(QStringLiteral("Rename picture")), Qt::Key_N, &Sheet::rename_selected},
        {"m_delete_file", translate(QStringLiteral("Delete picture")), Qt::Key_Delete,
         &Sheet::delete_selected},
        {"m_edit_file", translate(QStringLiteral("Edit picture")), Qt::Key_E, &Sheet::edit_selected},
        {"m_resume", translate(QStringLiteral("Resume interrupted display")), {}, &Sheet::resume},
    };
    for (const auto& entry : entries)
        connect(add_command(popup_, entry.name, entry.text, entry.keys), &QAction::triggered, this,
                entry.command);
    connect(popup_, &QMenu::aboutToShow, this,
            [this] { popup_->findChild<QAction*>(QStringLiteral("m_resume"))->setEnabled(interrupted()); });
}

void ThumbnailSheetWindow::contextMenuEvent(QContextMenuEvent* event) {
    popup_->popup(event->globalPos());
}

void ThumbnailSheetWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp:
        show_previous_file();
        break;
    case Qt::Key_PageDown:
        show_next_file();
        break;
    case Qt::Key_Delete:
        delete_selected();
        break;
    case Qt::Key_B:
        show_normal_size();
        break;
    case Qt::Key_E:
        edit_selected();
        break;
    case Qt::Key_N:
        rename_selected();
        break;
    case Qt::Key_F5:
        refresh();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ThumbnailSheetWindow::step_to(const SeriesStep& step) {
    if (!step.error.isEmpty()) {
        ctx_.prompter.message(translate(step.error));
        return;
    }
    remember_thumbnail_file(ctx_, ctx_.pictures, step.path);
    show_file(step.path);
}

void ThumbnailSheetWindow::show_previous_file() {
    step_to(previous_thumbnail_file(file_));
}

void ThumbnailSheetWindow::show_next_file() {
    step_to(next_thumbnail_file(file_));
}

void ThumbnailSheetWindow::select_file() {
    if (const auto path = ask_list_file(ctx_, ctx_.pictures, ListFileKind::Thumbnails)) step_to({*path, {}});
}

void ThumbnailSheetWindow::refresh() {
    if (!file_.isEmpty()) show_file(file_);
}

void ThumbnailSheetWindow::resume() {
    if (interrupted()) fill_from(resume_at_);
}

void ThumbnailSheetWindow::select_cell(int index) {
    if (selected_ >= 0 && selected_ < static_cast<int>(cells_.size()))
        cells_[static_cast<std::size_t>(selected_)]->set_selected(false);
    selected_ = index;
    if (index >= 0 && index < static_cast<int>(cells_.size()))
        cells_[static_cast<std::size_t>(index)]->set_selected(true);
}

QString ThumbnailSheetWindow::picture_to_act_on() const {
    if (selected_ < 0 || selected_ >= paths_.size()) {
        ctx_.desktop.beep();
        return {};
    }
    return paths_[selected_];
}

void ThumbnailSheetWindow::open_cell(int index) {
    select_cell(index);
    const QString path = picture_to_act_on();
    if (path.isEmpty()) return;
    set_last_picture(ctx_, ctx_.pictures, path);
    viewer_.show_picture(path);
}

void ThumbnailSheetWindow::show_normal_size() {
    const QString path = picture_to_act_on();
    if (!path.isEmpty()) viewer_.show_picture(path);
}

void ThumbnailSheetWindow::edit_selected() {
    const QString path = picture_to_act_on();
    if (!path.isEmpty()) edit_picture(ctx_, ctx_.pictures.picture_editor, path);
}

void ThumbnailSheetWindow::rename_selected() {
    const QString path = picture_to_act_on();
    if (path.isEmpty()) return;
    const auto renamed = rename_picture(ctx_, ctx_.pictures, path);
    if (!renamed) return;
    paths_[selected_] = *renamed;
    SheetCell* cell = cells_[static_cast<std::size_t>(selected_)];
    cell->name()->setText(QFileInfo(*renamed).fileName());
    cell->name()->setToolTip(*renamed);
}

// The thumbnail file keeps its line: the cell shows that the picture is gone.
void ThumbnailSheetWindow::delete_selected() {
    const QString path = picture_to_act_on();
    if (path.isEmpty() || !delete_picture(ctx_, ctx_.pictures, path)) return;
    mark_cell(selected_, translate(QStringLiteral("Deleted")));
    QLabel* name = cells_[static_cast<std::size_t>(selected_)]->name();
    QFont font = name->font();
    font.setStrikeOut(true);
    name->setFont(font);
}

void ThumbnailSheetWindow::closeEvent(QCloseEvent* event) {
    cancelled_->store(true); // decodes not yet started are dropped
    save_place();
    QWidget::closeEvent(event);
}

// The place (frame included) is kept in twips under "provini_left", "_top", "_width", "_height";
// the window never reaches beyond the screen.
void ThumbnailSheetWindow::restore_place() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const int screen_width = ctx_.screen.width_twips() / twips_per_pixel - frame.width();
    const int screen_height = ctx_.screen.height_twips() / twips_per_pixel - frame.height();
    auto stored = [this](const char* key) {
        bool ok = false;
        const int twips = ctx_.settings.get_setting(QLatin1String(key)).toInt(&ok);
        return ok ? twips / twips_per_pixel : -1;
    };
    // The whole grid when nothing is kept (a scroll area's own hint is far smaller).
    const QSize wanted = grid_host_->sizeHint() + QSize(8, layout()->menuBar()->sizeHint().height() + 8);
    int width = stored("provini_width") > 0 ? stored("provini_width") : wanted.width();
    int height = stored("provini_height") > 0 ? stored("provini_height") : wanted.height();
    width = std::clamp(width, 200, std::max(200, screen_width));
    height = std::clamp(height, 150, std::max(150, screen_height));
    int left = stored("provini_left") >= 0 ? stored("provini_left") : (screen_width - width) / 2;
    int top = stored("provini_top") >= 0 ? stored("provini_top") : (screen_height - height) / 2;
    left = std::clamp(left, 0, std::max(0, screen_width - width));
    top = std::clamp(top, 0, std::max(0, screen_height - height));
    resize(width, height);
    move(left, top);
}

void ThumbnailSheetWindow::save_place() const {
    if (isMinimized()) return;
    const struct {
        const char* key;
        int pixels;
    } values[] = {{"provini_left", pos().x()},
                  {"provini_top", pos().y()},
                  {"provini_width", width()},
                  {"provini_height", height()}};
    for (const auto& value : values)
        ctx_.settings.save_setting(QLatin1String(value.key), QString::number(value.pixels * twips_per_pixel));
}
