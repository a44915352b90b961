// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_print.h"

#include "calendar/calendar_test_helpers.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString heading_of_default_period =
    QString(15, QLatin1Char(' ')) + s("14/03/26 09:26 - Calendar from 14/03/26 to 14/04/26\r\n\r\n");

} // namespace

// The clock stands at Saturday 14 March 2026, 09:26:53; the default period runs from today to
// today + 31 days (14 April).
class CalendarPrint : public MapsDb {
protected:
    QDate today() const { return t.clock.now().date(); }
    qint64 add_event(const QString& title, std::optional<QDateTime> expiry, std::optional<QDateTime> remind,
                     const QString& content = {}) {
        return add(
            Row{s("Agenda"), s("Scheduled"), title, content, {}, std::move(expiry), std::move(remind)});
    }
    QString document(QDate from = {}, QDate to = {}) {
        if (!from.isValid()) from = today();
        if (!to.isValid()) to = today().addDays(31);
        return calendar_document(ctx, from, to);
    }
    // The event lines of the document, without the heading.
    QStringList lines(QDate from = {}, QDate to = {}) {
        QStringList all = document(from, to).split(s("\r\n"));
        return all.mid(3);
    }
};

TEST_F(CalendarPrint, WholeDocumentForTheDefaultPeriod) {
    // An empty calendar is its heading alone.
    EXPECT_EQ(document(), heading_of_default_period);
    EXPECT_EQ(document(QDate(2025, 12, 31), QDate(2026, 1, 2)),
              QString(15, QLatin1Char(' ')) +
                  s("14/03/26 09:26 - Calendar from 31/12/25 to 02/01/26\r\n\r\n"));
    add_event(s("Pay rent"), at(2026, 3, 10, 8, 0), at(2026, 3, 9, 8, 0), s("Bank transfer."));
    add_event(s("Dentist"), at(2026, 3, 20, 10, 30), at(2026, 3, 19, 9, 0));
    add_event(s("no dates"), {}, {});

    EXPECT_EQ(document(),
              heading_of_default_period + s("\r\nMar-09 08:00 (R) Pay rent (expires 10/03/26 08:00)"
                                            "\r\n       Bank transfer."
                                            "\r\nMar-10 08:00 (E) Pay rent"
                                            "\r\n       Bank transfer."
                                            "\r\nMar-19 09:00 (R) Dentist (expires 20/03/26 10:30)"
                                            "\r\nMar-20 10:30 (E) Dentist"));
}

// Overdue events and due reminders are listed whatever the period, the rest only inside it.
TEST_F(CalendarPrint, OverdueAlwaysFutureOnlyInsideThePeriod) {
    add_event(s("past year"), at(2025, 12, 1, 18, 5), at(2025, 11, 30, 7, 0));
    add_event(s("overdue same"), at(2026, 3, 1, 12, 0), at(2026, 3, 1, 12, 0));
    add_event(s("overdue, no reminder"), at(2026, 3, 14, 9, 26), {});
    add_event(s("reminder due"), at(2026, 6, 1, 9, 0), at(2026, 3, 14, 9, 0));
    add_event(s("future same"), at(2026, 3, 25, 15, 0), at(2026, 3, 25, 15, 0));
    add_event(s("31 days at noon"), at(2026, 4, 14, 12, 0), at(2026, 4, 14, 12, 0));
    add_event(s("32 days at midnight"), at(2026, 4, 15), at(2026, 4, 14, 23, 0));
    add_event(s("32 days and a minute"), at(2026, 4, 15, 0, 1), at(2026, 4, 15, 0, 1));
    add_event(s("reminder inside"), at(2026, 5, 2, 8, 0), at(2026, 4, 1, 8, 0));
    add_event(s("next month"), at(2026, 5, 20, 8, 0), at(2026, 5, 19, 8, 0));
    add_event(s("reminder without deadline"), {}, at(2026, 3, 20, 8, 0));

    EXPECT_EQ(lines(),
              (QStringList{s("2025-Nov-30 07:00 (R) past year (expires 01/12/25 18:05)"),
                           s("2025-Dec-01 18:05 (E) past year"), s("Mar-01 12:00 (E) overdue same"),
                           s("Mar-14 09:00 (R) reminder due (expires 01/06/26 09:00)"),
                           s("Mar-14 09:26 (E) overdue, no reminder"), s("Mar-25 15:00 (E) future same"),
                           s("Apr-01 08:00 (R) reminder inside (expires 02/05/26 08:00)"),
                           s("Apr-14 12:00 (E) 31 days at noon"),
                           s("Apr-14 23:00 (R) 32 days at midnight (expires 15/04/26 00:00)"),
                           s("Apr-15 00:00 (E) 32 days at midnight")}));
}

TEST_F(CalendarPrint, APeriodLaterThanTodayStillListsWhatIsDueNow) {
    add_event(s("overdue"), at(2026, 3, 1, 12, 0), at(2026, 2, 28, 12, 0));
    add_event(s("before the period"), at(2026, 3, 20, 12, 0), at(2026, 3, 20, 12, 0));
    add_event(s("first minute"), at(2026, 12, 30), at(2026, 12, 30));
    add_event(s("next year"), at(2027, 1, 5, 6, 45), at(2027, 1, 5, 6, 45));
    add_event(s("last minute"), at(2027, 1, 6), at(2027, 1, 6));
    add_event(s("after the period"), at(2027, 1, 6, 0, 0, 1), at(2027, 1, 6, 0, 0, 1));

    EXPECT_EQ(lines(QDate(2026, 12, 30), QDate(2027, 1, 5)),
              (QStringList{s("Feb-28 12:00 (R) overdue (expires 01/03/26 12:00)"),
                           s("Mar-01 12:00 (E) overdue"), s("Dec-30 00:00 (E) first minute"),
                           s("2027-Jan-05 06:45 (E) next year"), s("2027-Jan-06 00:00 (E) last minute")}));
}

// In Santiago the clocks skip from 5 September 2026, 23:59:59 to 6 September, 01:00: a period
// that begins with that day still begins at its wall-clock midnight.
TEST_F(CalendarPrint, APeriodStartingOnADayWithoutMidnight) {
    const ZoneForTest santiago("America/Santiago");
    t.clock.set(at(2026, 9, 1, 10, 0));
    const QDate day(2026, 9, 6);
    ASSERT_FALSE(QDateTime(day, QTime(0, 0)).isValid()) << "the test needs the gap of Santiago";
    add_event(s("before"), at(2026, 9, 5, 23, 59), at(2026, 9, 5, 23, 59));
    add_event(s("first hour"), at(2026, 9, 6, 1, 0), at(2026, 9, 6, 1, 0));
    add_event(s("next midnight"), at(2026, 9, 7), at(2026, 9, 7));
    add_event(s("next day"), at(2026, 9, 7, 0, 1), at(2026, 9, 7, 0, 1));

    const QStringList document_lines = calendar_document(ctx, day, day).split(s("\r\n"));
    EXPECT_EQ(document_lines, (QStringList{QString(15, QLatin1Char(' ')) +
                                               s("01/09/26 10:00 - Calendar from 06/09/26 to 06/09/26"),
                                           QString(), QString(), s("Sep-06 01:00 (E) first hour"),
                                           s("Sep-07 00:00 (E) next midnight")}));
}

TEST_F(CalendarPrint, EventsOfOneMinuteOrderByMarkerAndTitle) {
    const QDateTime minute = at(2026, 3, 18, 10, 0);
    add_event(s("zebra"), minute.addSecs(5), minute.addDays(1).addSecs(-60));
    add_event(s("Zebra"), minute.addSecs(30), minute.addDays(1));
    add_event(s("Émile's party"), minute.addSecs(50), minute.addDays(1));
    add_event(s("O'Brien"), minute, minute.addDays(1));
    add_event(s("apples"), minute.addDays(1), minute.addSecs(40));
    add_event(s("Zoo § trip"), minute.addSecs(59), minute.addDays(1));
    add_event(s("earlier"), minute.addSecs(-1), minute.addDays(1));

    QStringList at_ten;
    for (const QString& line : lines())
        if (line.startsWith(s("Mar-18 "))) at_ten.append(line);
    EXPECT_EQ(at_ten, (QStringList{s("Mar-18 09:59 (E) earlier"), s("Mar-18 10:00 (E) O'Brien"),
                                   s("Mar-18 10:00 (E) Zebra"), s("Mar-18 10:00 (E) zebra"),
                                   s("Mar-18 10:00 (E) Zoo § trip"), s("Mar-18 10:00 (E) Émile's party"),
                                   s("Mar-18 10:00 (R) apples (expires 19/03/26 10:00)")}));
}

TEST_F(CalendarPrint, MissingTitlesAndContentsAndLongTitles) {
    const QString long_title = QString(290, QLatin1Char('x')) + s(" 300 chars");
    add(Row{s("Agenda"), {}, {}, {}, {}, at(2026, 3, 16, 8, 0), at(2026, 3, 15, 8, 0)});
    add_event(long_title, at(2026, 3, 17, 8, 0), at(2026, 3, 17, 8, 0), s("\r\n  \r\n"));

    EXPECT_EQ(lines(), (QStringList{s("Mar-15 08:00 (R)  (expires 16/03/26 08:00)"), s("Mar-16 08:00 (E) "),
                                    s("Mar-17 08:00 (E) ") + long_title}));
}

TEST_F(CalendarPrint, ContentIsWrappedAndIndented) {
    const QString content = s("The meeting with the board is moved to the large room on the second floor. "
                              "Bring the printed budget.\r\nCall Anna first");
    add_event(s("Board"), at(2026, 3, 18, 10, 0), at(2026, 3, 18, 10, 0), content);

    const QStringList expected{
        s("Mar-18 10:00 (E) Board"),
        s("       The meeting with the board is moved to the large room on the second"),
        s("       floor. Bring the printed budget."),
        s("       Call Anna first"),
    };
    EXPECT_EQ(lines(), expected);
}

TEST(WrapContent, BreaksAtBlanksAndFullStopsWithinTheWidth) {
    const QString seventy(70, QLatin1Char('a'));
    struct Case {
        const char* name;
        QString text;
        QStringList expected;
    };
    const Case cases[] = {
        {"short", s("Buy milk."), {s("Buy milk.")}},
        {"empty", QString(), {}},
        {"blank lines only", s("  \r\n\r\n"), {}},
        {"exactly the width", seventy, {seventy}},
        {"one over breaks at the blank", s("word ") + seventy.left(66), {s("word"), seventy.left(66)}},
        {"blank right after the width", seventy + s(" next"), {seventy, s("next")}},
        {"after a full stop",
         seventy.left(40) + s(".") + seventy.left(40),
         {seventy.left(40) + s("."), seventy.left(40)}},
        {"full stop as the last character", seventy.left(69) + s(".b"), {seventy.left(69) + s("."), s("b")}},
        {"a word longer than a line is cut",
         QString(150, QLatin1Char('w')),
         {QString(70, QLatin1Char('w')), QString(70, QLatin1Char('w')), QString(10, QLatin1Char('w'))}},
        {"own line breaks kept",
         s("one\r\n\r\ntwo\nthree\rfour"),
         {s("one"), QString(), s("two"), s("three"), s("four")}},
        {"blanks between lines dropped", s("ab   ") + seventy.left(68), {s("ab"), seventy.left(68)}},
        {"accents count as one character", s("é").repeated(70) + s(" é"), {s("é").repeated(70), s("é")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrap_content(c.text), c.expected) << c.name;
}

TEST_F(CalendarPrint, PrintWritesTheDocumentAndOpensIt) {
    add_event(s("Émile's party"), at(2026, 3, 21, 20, 0), at(2026, 3, 21, 20, 0), s("Bring the cake."));
    const QString path = ctx.program_path(calendar_document_name());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
    old.close();

    EXPECT_TRUE(print_calendar(ctx, today(), today().addDays(31)));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), document());
    EXPECT_EQ(t.desktop.opened, QStringList{path});
    EXPECT_TRUE(t.prompter.messages().isEmpty());

    // A document no program opens is told and kept.
    t.desktop.open_result = false;
    QFile::remove(path);
    EXPECT_FALSE(print_calendar(ctx, today(), today().addDays(31)));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(t.prompter.messages(), QStringList{s("No program is set to open ") + path});
}

TEST_F(CalendarPrint, AFailedWriteIsToldAndNothingIsOpened) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"a directory in the document's place",
         [&] { QDir().mkpath(ctx.program_path(calendar_document_name())); }},
        {"the program directory is a file",
         [&] {
             ctx.program_dir = tc.env.path(s("not_a_directory"));
             QFile file(ctx.program_dir);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         }},
    };
    for (const Case& c : cases) {
        t.prompter.clear();
        c.arrange();
        EXPECT_FALSE(print_calendar(ctx, today(), today().addDays(31))) << c.name;
        ASSERT_EQ(t.prompter.messages().size(), 1) << c.name;
        EXPECT_TRUE(t.prompter.messages().front().startsWith(
            s("The calendar could not be written to ") +
            QDir::toNativeSeparators(ctx.program_path(calendar_document_name())) + s(": ")))
            << t.prompter.messages().front().toStdString();
        EXPECT_TRUE(t.desktop.opened.isEmpty()) << c.name;
    }
}
