// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QWidget>
#include <functional>
#include <memory>

class AppContext;
class QDateEdit;
class QMdiArea;
class QPushButton;
class QTextDocument;

inline const QString print_calendar_form = QStringLiteral("f_print_calendar");

// The printed calendar for the days `from` to `to` as a text document in a fixed-pitch font, for
// the print preview: the same text as calendar_document, line by line. Database failures
// propagate as DbError.
std::unique_ptr<QTextDocument> calendar_preview_document(AppContext& ctx, const QDate& from, const QDate& to);

// f_print_calendar, "Print calendar": a period, printed as the calendar document opened by the
// system, or shown in a print preview from which the user prints or saves a PDF.
class PrintCalendarWindow final : public QWidget {
    Q_OBJECT
public:
    // Shows the document to the user; the window's own runs the modal print preview dialog.
    using PreviewRunner = std::function<void(QTextDocument& document, QWidget* parent)>;

    explicit PrintCalendarWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Places the window where it was last closed (kept on the screen), sized to its controls, and
    // sets the period from today to today + 31 days.
    void load();

    // b_print: writes the document for the period and opens it.
    void print();
    // b_preview: the document for the period in the print preview.
    void preview();

    // Replaces the print preview dialog, so that a test sees the document without a modal dialog.
    void set_preview_runner(PreviewRunner runner) { preview_runner_ = std::move(runner); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // True when the period runs forwards; otherwise the user is told and nothing is done.
    bool period_is_valid();
    void keep_on_screen();
    void save_place();

    AppContext& ctx_;
    QDateEdit* from_field_;
    QDateEdit* to_field_;
    QPushButton* print_button_;
    QPushButton* preview_button_;
    QPushButton* exit_button_;
    PreviewRunner preview_runner_;
    bool closed_ = false;
};

// Opens a print window in `area` (on its own when area is nullptr), shown and active; nullptr
// without an open database.
PrintCalendarWindow* open_print_calendar_window(AppContext& ctx, QMdiArea* area);
