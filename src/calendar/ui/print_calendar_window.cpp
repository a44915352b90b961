// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/print_calendar_window.h"

#include "calendar/calendar_print.h"
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_frame.h"
#include "core/ui/form_place.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>

namespace {

// The default period runs from today to this many days ahead.
constexpr int default_period_days = 31;
// The printed page's type size, whatever the screen's font.
constexpr float printed_point_size = 10;

void run_print_preview(QTextDocument& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(translate(QStringLiteral("Print preview")));
    // The dialog's own print button offers the printers and saving as a PDF file.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { document.print(target); });
    dialog.exec();
}

QDateEdit* date_field(const char* name, QWidget* parent) {
    auto* field = new QDateEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setCalendarPopup(true);
    return field;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

// Moves `outer` so that it lies inside `room`, its top left corner first when it is larger.
void move_inside(QWidget& outer, const QRect& room) {
    // A top-level window moves by its frame, title bar included.
    const QRect place = outer.frameGeometry();
    const int left = std::clamp(place.left(), room.left(),
                                std::max(room.left(), room.left() + room.width() - place.width()));
    const int top = std::clamp(place.top(), room.top(),
                               std::max(room.top(), room.top() + room.height() - place.height()));
    if (left != place.left() || top != place.top()) outer.move(left, top);
}

} // namespace

std::unique_ptr<QTextDocument> calendar_preview_document(AppContext& ctx, const QDate& from,
                                                         const QDate& to) {
    QString text = calendar_document(ctx, from, to);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto document = std::make_unique<QTextDocument>();
    // The document is laid out in columns of blanks (the heading, the indented contents).
    document->setDefaultFont(fixed_pitch_font(printed_point_size));
    document->setPlainText(text);
    return document;
}

PrintCalendarWindow::PrintCalendarWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), from_field_(date_field("date_from", this)),
      to_field_(date_field("date_to", this)),
      print_button_(button("b_print", translate(QStringLiteral("&Print")), this)),
      preview_button_(button("b_preview", translate(QStringLiteral("Print pre&view")), this)),
      exit_button_(button("b_exit", translate(QStringLiteral("&Exit (ESC)")), this)),
      preview_runner_(run_print_preview) {
    setObjectName(print_calendar_form);
    auto* from_label = new QLabel(translate(QStringLiteral("&From")), this);
    from_label->setObjectName(QStringLiteral("lab_from"));
    from_label->setBuddy(from_field_);
    auto* to_label = new QLabel(translate(QStringLiteral("&To")), this);
    to_label->setObjectName(QStringLiteral("lab_to"));
    to_label->setBuddy(to_field_);

    auto* dates = new QGridLayout;
    dates->addWidget(from_label, 0, 0);
    dates->addWidget(from_field_, 0, 1);
    dates->addWidget(to_label, 1, 0);
    dates->addWidget(to_field_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_button_);
    buttons->addWidget(preview_button_);
    buttons->addStretch(1);
    buttons->addWidget(exit_button_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(buttons);

    connect(print_button_, &QPushButton::clicked, this, &PrintCalendarWindow::print);
    connect(preview_button_, &QPushButton::clicked, this, &PrintCalendarWindow::preview);
    connect(exit_button_, &QPushButton::clicked, this, [this] { close_form(*this); });
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
}

void PrintCalendarWindow::load() {
    set_form_caption(*this, translate(QStringLiteral("Print calendar")));
    const QDate today = ctx_.clock.now().date();
    from_field_->setDate(today);
    to_field_->setDate(today.addDays(default_period_days));

    // The controls' own size; only the position is kept between sessions.
    QMdiSubWindow* frame = frame_of(*this);
    if (frame)
        frame->resize(frame->sizeHint());
    else
        adjustSize();
    try {
        apply_form_place(*this, restore_form_position(*ctx_.db, ctx_.screen, print_calendar_form, true,
                                                      form_place(*this)));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    fit_form_to_content(*this);
    keep_on_screen();
    from_field_->setFocus(Qt::OtherFocusReason);
}

void PrintCalendarWindow::keep_on_screen() {
    // A place stored on a larger screen, or in a larger main window, would leave the window out
    // of reach.
    if (QMdiSubWindow* frame = frame_of(*this)) {
        if (const QMdiArea* area = frame->mdiArea(); area && !area->viewport()->rect().isEmpty())
            move_inside(*frame, area->viewport()->rect());
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(frameGeometry().center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) move_inside(*this, screen->availableGeometry());
}

bool PrintCalendarWindow::period_is_valid() {
    if (from_field_->date() <= to_field_->date()) return true;
    msg_translated(ctx_.prompter,
                   QStringLiteral("The period cannot be printed: its first day comes after its "
                                  "last day. Choose a start date on or before the end date."));
    from_field_->setFocus(Qt::OtherFocusReason);
    return false;
}

void PrintCalendarWindow::print() {
    if (!period_is_valid()) return;
    try {
        print_calendar(ctx_, from_field_->date(), to_field_->date());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void PrintCalendarWindow::preview() {
    if (!period_is_valid()) return;
    std::unique_ptr<QTextDocument> document;
    try {
        document = calendar_preview_document(ctx_, from_field_->date(), to_field_->date());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    preview_runner_(*document, this);
}

void PrintCalendarWindow::save_place() {
    try {
        save_form_position(*ctx_.db, print_calendar_form, true, form_place(*this), form_minimised(*this));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

bool PrintCalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // While a modal flow runs (the lock box), keys reach no window.
        if (ctx_.key_lock) return true;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (pass_to_hot_keys(ctx_, *key)) return true;
        if (key->key() == Qt::Key_Escape && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            close_form(*this);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PrintCalendarWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        save_place();
    }
    event->accept();
}

PrintCalendarWindow* open_print_calendar_window(AppContext& ctx, QMdiArea* area) {
    if (!ctx.db) return nullptr;
    auto* window = new PrintCalendarWindow(ctx);
    QMdiSubWindow* frame = frame_form(*window, area, QStringLiteral("f_print_calendar_frame"));
    window->load();
    show_form(*window, frame);
    return window;
}
