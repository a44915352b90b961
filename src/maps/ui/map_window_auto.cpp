// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map window's automatic selection (timer_autom) and its child map commands.
#include "core/app_context.h"
#include "core/params.h"
#include "maps/map_auto_selection.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

void MapWindow::create_auto_timers() {
    auto_timer_ = new QTimer(this);
    auto_timer_->setObjectName(QStringLiteral("timer_autom"));
    connect(auto_timer_, &QTimer::timeout, this, &MapWindow::on_auto_timer);
    auto_start_timer_ = new QTimer(this);
    auto_start_timer_->setObjectName(QStringLiteral("timer_autom_start"));
    auto_start_timer_->setSingleShot(true);
    connect(auto_start_timer_, &QTimer::timeout, this, &MapWindow::on_auto_start_timer);
}

void MapWindow::start_auto_selection_staggered() {
    auto_timer_->stop();
    if (!params_.autom) return;
    auto_start_timer_->start(staggered_start_delay_ms(ctx_.random));
}

void MapWindow::on_auto_start_timer() {
    auto_start_timer_->stop();
    if (!closing_) restart_auto_timer();
}

void MapWindow::restart_auto_timer() {
    auto_start_timer_->stop();
    if (params_.autom && !closing_)
        auto_timer_->start(params_.intervallo);
    else
        auto_timer_->stop();
}

bool MapWindow::active_child_is_map_window() const {
    const QMdiSubWindow* sub = sub_window();
    const QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    // The current sub-window is the active one, also while another application has the focus.
    const QMdiSubWindow* current = area ? area->currentSubWindow() : nullptr;
    const QWidget* child = current ? current->widget() : nullptr;
    return child && is_map_window_tag(child->property("tag").toString());
}

void MapWindow::on_auto_timer() {
    if (closing_) return;
    AutoStepState state;
    state.title_being_asked = ctx_.title_being_asked;
    state.automatic_changes_allowed = ctx_.allow_automatic_changes;
    state.automatic_selection_on = params_.autom;
    state.busy = busy_ || opening_;
    state.active_window_is_map = active_child_is_map_window();
    state.last_navigation = last_navigation_;
    state.now = ctx_.clock.now();
    if (!auto_step_may_run(state)) return;
    const std::optional<int> next =
        next_auto_index(items_.items(), selected_, params_.randomico, ctx_.random);
    auto_timer_->setInterval(params_.intervallo);
    update_menu();
    if (next) select(*next);
}

// ---------------------------------------------------------------- commands

void MapWindow::cmd_toggle_auto() {
    params_.autom = !params_.autom;
    set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#autom"),
                  map_flag_text(params_.autom));
    update_menu();
    restart_auto_timer();
    if (params_.autom) on_auto_timer();
}

void MapWindow::cmd_toggle_random_order() {
    params_.randomico = !params_.randomico;
    set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#randomico"),
                  map_flag_text(params_.randomico));
    update_menu();
    restart_auto_timer();
}

void MapWindow::cmd_change_frequency() {
    const std::optional<int> interval = ask_frequency(ctx_.prompter, params_.intervallo);
    if (!interval) return;
    params_.intervallo = *interval;
    set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#intervallo"),
                  QString::number(*interval));
    auto_timer_->setInterval(*interval);
    update_menu();
}

void MapWindow::cmd_toggle_open_child_maps() {
    params_.open_child_topics = !params_.open_child_topics;
    set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#open_child_topics"),
                  map_flag_text(params_.open_child_topics));
    update_menu();
}

void MapWindow::cmd_open_child_maps() {
    windows_.open_child_maps(*this, false);
}

void MapWindow::cmd_close_child_maps() {
    windows_.close_child_maps(*this);
}
