// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/calendar_editing.h"
#include "calendar/calendar_lists.h"
#include "core/form_attributes.h"

#include <QWidget>

class AppContext;
class DayStrip;
class EventList;
class MapWindows;
class OptionalDateTimeEdit;
class QCalendarWidget;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QPushButton;

inline const QString calendar_form = QStringLiteral("f_calendar");
// What the random views work on when they start from the calendar.
inline const QString calendar_selection = QStringLiteral("select * from repos where date_expiry is not null");

// f_calendar, "Calendar": the month calendar, the lists of the selected day, of today and of what
// has expired, the 40-day strip, and the edit frame in which one event is shown, entered,
// changed, deleted or set done. There is one at a time.
class CalendarWindow final : public QWidget, public FormAttributeSource {
    Q_OBJECT
public:
    // Opens on the reminder's day of `preset_item` when it has one, else on today.
    CalendarWindow(AppContext& ctx, MapWindows& maps, qint64 preset_item, QWidget* parent = nullptr);
    ~CalendarWindow() override;

    // Places the window, fills the lists and gives the lists the focus in turn.
    void load();
    // The three lists, the strip's colours and counts and the bold days, read again.
    void refresh_lists();
    void activated();
    FormAttributes form_attributes() const override;
    qint64 current_item() const { return current_item_; }
    EventMode mode() const { return mode_; }
    QDate selected_day() const;

    // The commands of the edit frame, the pop-up menu and the keys.
    void begin_insert();
    void begin_edit();
    // With `ask`, the user is asked first; nothing happens while there is nothing to save. True
    // unless a check refused the input.
    bool save_record(bool ask);
    void cancel();
    void delete_current();
    void set_done();
    void find();
    void zoom();
    void select_day(const QDate& day);
    void select_today();
    void show_next_occupied();
    void show_previous_occupied();
    void show_next_free();
    void show_previous_free();
    void print_calendar();
    // A line of `list` selected: its event shows in the frame.
    void show_line(EventList& list);
    // A double click on a line of `list`.
    void open_line(EventList& list);
    // A line dropped on a list or a day: the event moves to `day`.
    void reschedule(qint64 item_nr, const QDate& day);

    EventList& list(CalendarList which) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    QWidget* build_edit_frame();
    void build_menus();
    void connect_fields();
    void load_list(CalendarList which);
    void mark_days();
    void paint_strip();
    // The day the month calendar shows changed: save first (asking), then its list reloads.
    void day_changed();
    void show_item(qint64 item_nr);
    void clear_frame();
    void field_changed();
    void enter_mode(EventMode mode);
    void return_to_showing();
    void set_commands_enabled(bool showing);
    void install_filters();
    // The list or month calendar that `watched` belongs to; nullptr for other controls.
    QWidget* tinted_control(QObject* watched) const;
    bool handle_key(QObject* watched, const QKeyEvent& event);
    bool in_edit_field(const QObject* watched) const;
    void focus_changed(QWidget* control, bool gained);
    void tint(QWidget& control, CellColour colour);
    void refresh_everything();

    AppContext& ctx_;
    MapWindows& maps_;
    QString date_pattern_;
    qint64 current_item_ = 0;
    EventMode mode_ = EventMode::Showing;
    CalendarList current_list_ = CalendarList::Calendar;
    QString current_collection_;
    QString current_cat_;
    QString last_search_;
    bool loading_ = false;
    bool closed_ = false;

    QCalendarWidget* monthview_ = nullptr;
    EventList* list_today_ = nullptr;
    EventList* list_expired_ = nullptr;
    EventList* list_calendar_ = nullptr;
    DayStrip* strip_ = nullptr;
    QLineEdit* title_ = nullptr;
    QPlainTextEdit* content_ = nullptr;
    OptionalDateTimeEdit* expiry_ = nullptr;
    OptionalDateTimeEdit* remind_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* done_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* zoom_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* popup_items_ = nullptr;
    QList<QDate> bold_days_;
};

// Opens a fresh calendar in `area` (on its own when area is nullptr), shown and active.
CalendarWindow* open_calendar_window(AppContext& ctx, MapWindows& maps, qint64 preset_item, QMdiArea* area);
