// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/qt_startup_ui.h"

#include "core/app_context.h"
#include "core/geometry.h"
#include "core/ui/password_dialog.h"
#include "core/ui/qt_seams.h"
#include "core/ui/wait_box.h"
#include "core/windows.h"
#include "shell/ui/main_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>

QtStartupUi::QtStartupUi(AppContext& ctx, QtPrompter& prompter) : ctx_(ctx), prompter_(prompter) {}

QtStartupUi::~QtStartupUi() {
    set_hourglass(false);
}

std::optional<QString> QtStartupUi::choose_database(const QString& start) {
    QFileDialog dialog(main_window_.get(), QStringLiteral("Select database file"));
    dialog.setObjectName(QStringLiteral("database_dialog"));
    dialog.setNameFilter(QStringLiteral("Tessarin database (*.tdb)"));
    dialog.setDefaultSuffix(QStringLiteral("tdb"));
    // A name that does not exist yet is accepted: it becomes a new database.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QFileInfo info(start);
    if (info.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

PasswordAnswer QtStartupUi::ask_password(const QString& path) {
    return PasswordDialog::ask(main_window_.get(), prompter_, path);
}

void QtStartupUi::show_wait_box() {
    if (!wait_box_) wait_box_ = std::make_unique<WaitBox>();
    wait_box_->show_now();
}

void QtStartupUi::close_wait_box() {
    wait_box_.reset();
}

void QtStartupUi::process_events() {
    QCoreApplication::processEvents();
}

void QtStartupUi::set_hourglass(bool on) {
    if (on == hourglass_) return;
    hourglass_ = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtStartupUi::show_main_window() {
    if (!main_window_) {
        main_window_ = std::make_unique<MainWindow>(ctx_);
        main_window_->on_close = [this] { return on_main_window_close ? on_main_window_close() : true; };
        if (on_main_window_made) on_main_window_made(*main_window_);
    }
    main_window_->restore_geometry();
    main_window_->show();
    main_window_->set_main_caption();
    prompter_.set_parent(main_window_.get());
}

void QtStartupUi::bring_main_window_forward() {
    if (!main_window_) return;
    main_window_->raise();
    main_window_->activateWindow();
}

void QtStartupUi::save_main_window_geometry() {
    if (!main_window_ || !ctx_.db) return;
    ::save_main_window_geometry(*ctx_.db, main_window_->geometry_twips(), ctx_.main_window_loaded,
                                main_window_->is_minimised());
}

void QtStartupUi::close_all_windows() {
    ctx_.windows.close_map_windows();
    if (main_window_) main_window_->mdi_area()->closeAllSubWindows();
}

void QtStartupUi::quit() {
    QCoreApplication::exit(0);
}
