// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_print.h"
#include "calendar/ui/print_calendar_window.h"
#include "core/ui/form_place.h"
#include "support/window_fixtures.h"

#include <QDateEdit>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The clock stands at 14 March 2026, 09:26:53.
class PrintCalendarWindowTest : public MdiFixture {
protected:
    QPointer<PrintCalendarWindow> window;
    // The texts the preview was asked to show, in place of the modal dialog.
    QStringList previewed;

    void SetUp() override {
        open_area(QStringLiteral("print.tdb"));
        const auto on = [](int month, int day, int hour, int minute = 0) {
            return QDateTime(QDate(2026, month, day), QTime(hour, minute));
        };
        add({s("Agenda"), s("Scheduled"), s("Pay rent"), s("Bank transfer."), {}, on(3, 10, 8), on(3, 9, 8)});
        add({s("Agenda"), s("Scheduled"), s("Dentist"), {}, {}, on(4, 20, 10, 30), on(4, 19, 9)});
    }
    void TearDown() override {
        if (window) close_form(*window);
        settle();
    }

    void open_window(QMdiArea* in_area) {
        window = open_print_calendar_window(ctx, in_area);
        ASSERT_NE(window, nullptr);
        window->set_preview_runner(
            [this](QTextDocument& document, QWidget*) { previewed.append(document.toPlainText()); });
    }
    template <class W> W* control(const char* name) const {
        W* found = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void set_period(QDate from, QDate to) {
        control<QDateEdit>("date_from")->setDate(from);
        control<QDateEdit>("date_to")->setDate(to);
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    QString document_path() const { return ctx.program_path(calendar_document_name()); }
    QString written_document() const {
        QFile file(document_path());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll());
    }
    QMdiSubWindow* frame() const { return qobject_cast<QMdiSubWindow*>(window->parentWidget()); }
};

TEST_F(PrintCalendarWindowTest, OpensInTheMainWindowWithTheNextMonthAsPeriod) {
    open_window(&area);
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(area.activeSubWindow(), frame());
    EXPECT_EQ(control<QDateEdit>("date_from")->date(), QDate(2026, 3, 14));
    EXPECT_EQ(control<QDateEdit>("date_to")->date(), QDate(2026, 4, 14));
    // Sized to its controls: every button shows whole.
    for (const char* name : {"b_print", "b_preview", "b_exit"}) {
        const QPushButton* button = control<QPushButton>(name);
        EXPECT_GE(button->width(), button->minimumSizeHint().width()) << name;
        EXPECT_TRUE(window->rect().contains(button->geometry())) << name;
    }
}

TEST_F(PrintCalendarWindowTest, PreviewAndPrintTakeThePickedPeriod) {
    open_window(&area);
    set_period(QDate(2026, 4, 1), QDate(2026, 4, 30));
    const QString expected = calendar_document(ctx, QDate(2026, 4, 1), QDate(2026, 4, 30));
    EXPECT_TRUE(expected.contains(s("Dentist"))) << "the picked period, not the default one";
    click("b_preview");
    EXPECT_EQ(previewed, QStringList{QString(expected).replace(s("\r\n"), s("\n"))});
    EXPECT_FALSE(QFile::exists(document_path())) << "the preview writes no file";
    click("b_print");
    EXPECT_EQ(written_document(), expected);
    EXPECT_EQ(t.desktop.opened, QStringList{document_path()});
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_TRUE(window) << "the window stays for another period";

    const std::unique_ptr<QTextDocument> document =
        calendar_preview_document(ctx, QDate(2026, 3, 14), QDate(2026, 4, 14));
    EXPECT_TRUE(document->defaultFont().fixedPitch());
    // The heading's leading blanks and the content's indentation line up the columns.
    EXPECT_TRUE(document->toPlainText().startsWith(QString(15, QLatin1Char(' ')) + s("14/03/26 09:26")));
    EXPECT_TRUE(document->toPlainText().contains(s("\n       Bank transfer.")));
}

TEST_F(PrintCalendarWindowTest, APeriodRunningBackwardsIsRefusedAndNothingIsWritten) {
    open_window(&area);
    set_period(QDate(2026, 3, 20), QDate(2026, 3, 19));
    click("b_print");
    click("b_preview");
    EXPECT_FALSE(QFile::exists(document_path()));
    EXPECT_TRUE(t.desktop.opened.isEmpty());
    EXPECT_TRUE(previewed.isEmpty());
    ASSERT_EQ(t.prompter.shown().size(), 2U);
    EXPECT_TRUE(t.prompter.shown()[0].text.contains(s("its first day comes after its last day")));
    EXPECT_EQ(control<QDateEdit>("date_from")->date(), QDate(2026, 3, 20))
        << "the dates stay to be corrected";

    // A one-day period is a period.
    set_period(QDate(2026, 3, 19), QDate(2026, 3, 19));
    click("b_print");
    EXPECT_EQ(t.desktop.opened.size(), 1);
}

TEST_F(PrintCalendarWindowTest, EscapeClosesAndTheNextWindowOpensWhereItWasOrInView) {
    set_gen_param(*ctx.db, "f_print_calendar_top", "1500");
    set_gen_param(*ctx.db, "f_print_calendar_left", "3000");
    open_window(&area);
    EXPECT_EQ(frame()->pos(), QPoint(200, 100));
    frame()->move(330, 140);
    QTest::keyClick(control<QDateEdit>("date_to"), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(get_gen_param(*ctx.db, "f_print_calendar_top"), "2100");
    EXPECT_EQ(get_gen_param(*ctx.db, "f_print_calendar_left"), "4950");
    EXPECT_TRUE(get_gen_param(*ctx.db, "f_print_calendar_width").isEmpty()) << "only the position is kept";

    open_window(&area);
    EXPECT_EQ(frame()->pos(), QPoint(330, 140));
    click("b_exit");
    settle();
    EXPECT_FALSE(window);

    // Kept from a larger main window: far right and far down, but below the off-screen mark.
    set_gen_param(*ctx.db, "f_print_calendar_top", "40000");
    set_gen_param(*ctx.db, "f_print_calendar_left", "44000");
    open_window(&area);
    const QRect room = area.viewport()->rect();
    EXPECT_EQ(frame()->geometry().right(), room.right());
    EXPECT_EQ(frame()->geometry().bottom(), room.bottom());
    EXPECT_TRUE(room.contains(frame()->geometry()));
}

TEST_F(PrintCalendarWindowTest, OnItsOwnItStaysOnTheScreenAndPassesProgramKeysOn) {
    set_gen_param(*ctx.db, "f_print_calendar_top", "-3000");
    set_gen_param(*ctx.db, "f_print_calendar_left", "-3000");
    std::vector<int> keys;
    t.windows.on_hot_key = [&](int, int key) {
        keys.push_back(key);
        return key == Qt::Key_F6;
    };
    open_window(nullptr);
    EXPECT_EQ(frame(), nullptr);
    EXPECT_TRUE(window->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->frameGeometry()));
    const int top_shown = window->geometry().top();
    QTest::keyClick(control<QDateEdit>("date_from"), Qt::Key_F6);
    EXPECT_EQ(keys, std::vector<int>{Qt::Key_F6}) << "each key reaches the program's routine once";
    EXPECT_TRUE(window);
    QTest::keyClick(window, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(get_gen_param(*ctx.db, "f_print_calendar_top"), QString::number(top_shown * 15));
}

} // namespace
