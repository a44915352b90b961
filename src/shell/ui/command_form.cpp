// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/command_form.h"

#include "core/app_context.h"
#include "core/program_end.h"
#include "core/ui/password_dialog.h"
#include "shell/password_change.h"
#include "shell/ui/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

CommandForm::CommandForm(AppContext& ctx, std::function<MainWindow*()> main_window)
    : ctx_(ctx), main_window_(std::move(main_window)), timer_(new QTimer(this)), preferences_(ctx),
      lock_(ctx) {
    setObjectName(QStringLiteral("f_ghost"));
    setAttribute(Qt::WA_DontShowOnScreen);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &CommandForm::on_tick);

    end_program = [this](int code) {
        // Every event loop that runs from now on ends at once: a dialog's loop running now, and
        // the main loop even when the lock came while start-up still showed its own dialogs.
        QCoreApplication::exit(code);
        auto* again = new QTimer(this);
        again->setInterval(0);
        connect(again, &QTimer::timeout, this, [code] { QCoreApplication::exit(code); });
        again->start();
    };
    lock_.side.set_timer_enabled = [this](bool enabled) {
        if (enabled)
            timer_->start();
        else
            timer_->stop();
    };
    lock_.side.hide_windows = [this] { hide_windows(); };
    lock_.side.restore_windows = [this] { restore_windows(); };
    lock_.side.refresh_caption = [this] {
        if (MainWindow* window = main_window_()) window->set_main_caption();
    };
    lock_.side.ask_password = [this](const QString& prompt, const QString& title) {
        return ask_unlock_password(prompt, title);
    };
}

CommandForm::~CommandForm() {
    if (loaded_) qApp->removeEventFilter(this);
}

void CommandForm::load() {
    if (loaded_) return;
    loaded_ = true;
    qApp->installEventFilter(this);
}

void CommandForm::start_timer() {
    lock_.start();
}

void CommandForm::guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const ProgramEnd& end) {
        // An exception must not cross the event loop; the program leaves from here.
        timer_->stop();
        if (end_program) end_program(end.code());
    }
}

void CommandForm::on_tick() {
    guarded([this] { lock_.tick(); });
}

void CommandForm::lock_program() {
    guarded([this] { lock_.lock_now(); });
}

void CommandForm::ask_password_change() {
    MainWindow* window = main_window_();
    guarded([this, window] {
        change_password(ctx_, [this, window](const QString& caption) {
            return PasswordDialog::ask_with_caption(window, ctx_.prompter, ctx_.db_path, caption);
        });
    });
}

void CommandForm::build_preferences(QMenu& menu) {
    PreferenceCommands& p = preferences_;
    const auto toggle = [&menu](const char* name, const QString& caption, bool checked,
                                std::function<bool()> run) {
        QAction* action = menu.addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(checked);
        connect(action, &QAction::triggered, action,
                [action, run = std::move(run)] { action->setChecked(run()); });
        return action;
    };
    const auto dialog = [&menu](const char* name, const QString& caption, std::function<bool()> run,
                                std::function<QString()> caption_now) {
        QAction* action = menu.addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, action,
                [action, run = std::move(run), caption_now = std::move(caption_now)] {
                    run();
                    action->setText(caption_now());
                });
        return action;
    };

    toggle("m_open_start_map_at_startup", QStringLiteral("Open start maps at startup on/off"),
           ctx_.prefs.open_start_maps, [&p] { return p.toggle_start_maps_at_startup(); });
    dialog(
        "m_font_size", p.font_size_caption(), [&p] { return p.ask_font_size(); },
        [&p] { return p.font_size_caption(); });
    dialog(
        "m_lock_interval", p.lock_interval_caption(), [&p] { return p.ask_lock_interval(); },
        [&p] { return p.lock_interval_caption(); });
    QAction* random = dialog(
        "m_interval_of_random_item_change", p.interval_of_random_item_change_caption(),
        [&p] { return p.ask_random_item_interval(); },
        [&p] { return p.interval_of_random_item_change_caption(); });
    random->setVisible(ctx_.prefs.cogniva);
    toggle("m_Presence_of_similar_item_indicator",
           QStringLiteral("Presence of similar item indicator on/off"), ctx_.prefs.similar_items_indicator,
           [&p] { return p.toggle_similar_item_indicator(); });
    if (build_language_entry) build_language_entry(menu);
    toggle("m_cogniva_functions", QStringLiteral("Cogniva functions on/off"), ctx_.prefs.cogniva,
           [&p] { return p.toggle_cogniva_functions(); });
}

bool CommandForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        ctx_.inactivity = 0;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CommandForm::hide_windows() {
    // A minimised window could be restored from the task bar: every window goes out of sight.
    // Menus and tool tips close for good; windows and dialogs come back after the unlock.
    hidden_.clear();
    active_before_lock_ = QApplication::activeWindow();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == this || !widget->isVisible()) continue;
        const Qt::WindowType type = widget->windowType();
        if (type == Qt::Window || type == Qt::Dialog) hidden_.append(widget);
        widget->hide();
    }
}

void CommandForm::restore_windows() {
    // Hidden windows keep their state (maximised, minimised) and come back with it, the main
    // window first so that the others stand above it, and the one the user was in in front.
    MainWindow* main = main_window_();
    if (main && hidden_.contains(main)) main->show();
    for (const QPointer<QWidget>& widget : std::as_const(hidden_))
        if (widget && widget != main) widget->show();
    hidden_.clear();
    QWidget* front = active_before_lock_ ? active_before_lock_.data() : main;
    if (front && front->isVisible()) {
        front->raise();
        front->activateWindow();
    }
}

std::optional<QString> CommandForm::ask_unlock_password(const QString& prompt, const QString& title) {
    // Without a parent: every window of the program is hidden while the box waits.
    QInputDialog box;
    box.setObjectName(QStringLiteral("lock_box"));
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(QLineEdit::Password);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
}
