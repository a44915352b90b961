// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_error.h"
#include "core/params.h"
#include "support/db_fixtures.h"
#include "table/like_condition.h"
#include "table/table_columns.h"
#include "table/table_item.h"
#include "table/table_model.h"
#include "table/table_query.h"

#include <QFile>

namespace {

class TableDb : public MapsDb {
protected:
    QStringList titles(TableModel& model) {
        QStringList list;
        for (int row = 0; row < model.rowCount(); ++row)
            list.append(model.text(row, 6));
        return list;
    }
};

} // namespace

TEST_F(TableDb, EveryFilterStatementRunsOnTheDatabase) {
    const QString long_text = QString(QLatin1Char('x')).repeated(1000);
    for (const int position : {5, 6, 7, 11, 45}) {
        for (bool use_or : {true, false}) {
            for (const char* text : {"*", "***", "?", "??", "O'Brien", "'", "[", "]", "[a-", "gas or power",
                                     "(gas or power)", "Gordon", "bread and O", "%image%", "a*b", "#"}) {
                TableQuery query(position, ctx.collections.at(position).name, position == 45);
                TableFilters f;
                f.use_or = use_or;
                f.title = f.cat = f.content = f.mark = QString::fromUtf8(text);
                const auto built = query.build(f);
                EXPECT_NO_THROW(ctx.db->prepare(built.plain)) << text << "\n" << built.plain.toStdString();
            }
            TableFilters f;
            f.title = long_text;
            f.use_or = use_or;
            EXPECT_NO_THROW(ctx.db->prepare(TableQuery(position, "M", false).build(f).plain));
        }
    }
    // Filters that cannot make a condition are caught before the database sees them.
    for (const char* broken : {"(gas", "gas)", "Andrew", "a (b)"}) {
        TableFilters f;
        f.title = QString::fromUtf8(broken);
        EXPECT_TRUE(filter_problem("title", f.title).has_value()) << broken;
        EXPECT_THROW(ctx.db->prepare(TableQuery(5, "Money", false).build(f).plain), DbError) << broken;
    }
}

TEST_F(TableDb, FiltersSelectTheExpectedRows) {
    add("Money", "bills", "Gordon gas", "LINK=/tmp/holiday.JPG");
    add("Money", "bills", "power *", "monthly");
    add("Money", "shop", "O'Brien bread", "LINK=/tmp/notes.txt");
    add("Books", "Novels", "gas station");
    TableModel model(ctx.db, TableQuery(5, "Money", false).select_from(), 8);
    auto run = [&](const TableFilters& f) {
        model.fill(TableQuery(5, "Money", false).build(f).statement);
        QStringList list = titles(model);
        list.sort();
        return list;
    };
    TableFilters f;
    f.title = "gas";
    EXPECT_EQ(run(f), QStringList{"Gordon gas"});
    f.title = "*";
    EXPECT_EQ(run(f), QStringList{"power *"});
    f.title = "O'Brien";
    EXPECT_EQ(run(f), QStringList{"O'Brien bread"});
    f.title = "gas or bread";
    EXPECT_EQ(run(f), (QStringList{"Gordon gas", "O'Brien bread"}));
    f.title.clear();
    f.content = "%Image%";
    EXPECT_EQ(run(f), QStringList{"Gordon gas"});
    f.content = "month";
    f.cat = "shop";
    f.use_or = false;
    EXPECT_EQ(run(f), QStringList{});
    f.use_or = true;
    EXPECT_EQ(run(f), (QStringList{"O'Brien bread", "power *"}));
}

TEST_F(TableDb, TypedOrderingSortsDatesAndNumbersAndFailsOnlyOnNonDates) {
    add("World chrono", "c", "1500");
    add("World chrono", "c", "800");
    add("World chrono", "c", "not a year");
    TableQuery chrono(11, "World chrono", false);
    TableModel model(ctx.db, chrono.select_from(), 8);
    model.fill(chrono.build({}).statement);
    // Titles that are no numbers count as 0 and come first.
    EXPECT_EQ(titles(model), (QStringList{"not a year", "800", "1500"}));

    add("Journal", "j", "01/02/2024");
    add("Journal", "j", "15/01/2025");
    TableQuery journal(6, "Journal", false);
    TableModel days(ctx.db, journal.select_from(), 8);
    days.fill(journal.build({}).statement);
    EXPECT_EQ(titles(days), (QStringList{"15/01/2025", "01/02/2024"}));
    // A title that is no date makes the typed statement fail; the plain one still runs and the
    // rows shown before stay when filling fails.
    add("Journal", "j", "shopping");
    EXPECT_THROW(days.fill(journal.build({}).statement), DbError);
    EXPECT_EQ(days.rowCount(), 2);
    days.fill(journal.build({}).plain);
    EXPECT_EQ(days.rowCount(), 3);
}

TEST_F(TableDb, DateColumnsShowDayFirstAndExpiredMarks) {
    const qint64 nr = add("Agenda", "todo", "dentist");
    ctx.db->exec(QStringLiteral("update repos set date_expiry = cvdate('2020-05-04 10:30:00'), date_remind = "
                                "cvdate('2020-05-03 09:00:00') where item_nr = %1")
                     .arg(nr));
    const TableQuery query(1, "Agenda", false);
    TableModel model(ctx.db, query.select_from(), 11);
    model.fill(query.build({}).statement);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.text(0, 8), "04/05/20 10:30");
    EXPECT_EQ(model.text(0, 9), "03/05/20 09:00");
    EXPECT_EQ(model.text(0, 10), "Expired");
}

TEST_F(TableDb, ColumnWidthsAndCaptions) {
    using namespace table_columns;
    EXPECT_EQ(width(*ctx.db, 5, collection), 0);
    EXPECT_EQ(width(*ctx.db, 45, collection), 1300);
    EXPECT_EQ(width(*ctx.db, 5, item_id), 0);
    EXPECT_EQ(width(*ctx.db, 7, item_id), 300);
    EXPECT_EQ(width(*ctx.db, 6, title), 1220);
    save_widths(*ctx.db, 5, 7, [](int column) { return column * 100; });
    EXPECT_EQ(get_gen_param(*ctx.db, "f_gentabx_5_col_1_width"), "0");
    EXPECT_EQ(get_gen_param(*ctx.db, "f_gentabx_5_col_7_width"), "700");
    EXPECT_EQ(get_gen_param(*ctx.db, "f_gentabx_5_col_5_width"), QString());
    EXPECT_EQ(width(*ctx.db, 5, title), 600);
    EXPECT_EQ(header(1, date_remind, 989), "D.rem.");
    EXPECT_EQ(header(1, date_expiry, 990), "Date expiry");
    EXPECT_EQ(table_caption("Books", false, 3), "Books (items found: 3)");
    EXPECT_EQ(table_caption("All collections", true, 0), "All collections - DEADLINES ONLY (items found: 0)");
}

TEST_F(TableDb, RunningARowsItem) {
    const QString file = t.env.path("doc.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    add("Books", "Poetry", "Dante");

    struct Case {
        QString title;
        QString content;
        QString opened;  // what the desktop was asked to open
        QString message; // what the user was told
        bool map = false;
    };
    const Case cases[] = {
        {"x", file + "\nmore", file, {}},
        {file, "notes", file, {}},
        {"x", "LINK=https://example.org\nnext", "https://example.org", {}},
        {"> Books: Poetry", {}, {}, {}, true},
        {"> Books: Nothing", {}, {}, "Map \"Books: Nothing\" not found."},
        {"x", "write to (anna@example.org) soon", "mailto:anna@example.org", {}},
        {"x", "plain", {}, {}},
    };
    for (const Case& c : cases) {
        t.desktop.opened.clear();
        t.prompter.clear();
        const Route route = run_table_item(ctx, c.title, c.content);
        EXPECT_EQ(t.desktop.opened.value(0), c.opened) << c.title.toStdString();
        EXPECT_EQ(t.prompter.messages().value(0), c.message) << c.title.toStdString();
        EXPECT_EQ(std::holds_alternative<route::Map>(route), c.map) << c.title.toStdString();
    }
    // Without a program for the file or the mail address the user hears which one.
    t.desktop.open_result = false;
    for (const Case& c : {cases[0], cases[1], cases[5]}) {
        t.prompter.clear();
        run_table_item(ctx, c.title, c.content);
        EXPECT_EQ(t.prompter.messages(), QStringList{"No program is set to open " + c.opened})
            << c.title.toStdString();
    }
    EXPECT_EQ(mail_address_in("mail:bob@x.org]"), "bob@x.org");
    EXPECT_EQ(mail_address_in("line\r\n[joe@y.it\r\n"), "joe@y.it");
    EXPECT_EQ(mail_address_in("none"), QString());
}

TEST_F(TableDb, LongContentMessageListsLongContents) {
    add("Books", "Novels", "short", "s");
    add("Books", "Novels", "long", QString(QLatin1Char('y')).repeated(long_content_limit));
    const QString message = long_content_message(*ctx.db, 5, 0);
    EXPECT_TRUE(message.startsWith("DBGrid error: items found = 5 and visible rows = 0. One or more"));
    EXPECT_TRUE(message.endsWith("\r\n\r\ncollection = Books / cat = Novels / title = long (length=1096)"))
        << message.toStdString();
    EXPECT_FALSE(message.contains("title = short"));
}

TEST_F(TableDb, NumbersStatementKeepsTheRowsAndTheirOrder) {
    Transaction transaction(*ctx.db);
    for (int i = 0; i < 60; ++i) {
        const qint64 nr = add(i % 2 ? "Agenda" : "Books", QStringLiteral("c%1").arg(i % 4),
                              QStringLiteral("t%1").arg(i % 9), QStringLiteral("content %1").arg(i % 5));
        ctx.db->exec(QStringLiteral("update repos set mark = '%1', date_expiry = %2 where item_nr = %3")
                         .arg(i % 3)
                         .arg(i % 7 ? "null" : QString::number(2460000 + i))
                         .arg(nr));
    }
    transaction.commit();
    auto numbers = [this](const QString& sql) {
        std::vector<qint64> ids;
        Statement rows = ctx.db->prepare(sql);
        while (rows.next())
            ids.push_back(rows.value(0).toLongLong());
        return ids;
    };
    for (int column : {1, 2, 3, 4, 6, 7, 8, 9, 10}) {
        TableQuery query(45, "All collections", false);
        query.header_click(column);
        TableFilters f;
        f.content = "1 or 3";
        for (const QString& sql : {query.build({}).statement, query.build(f).statement}) {
            const QString short_form = TableModel::numbers_statement(sql);
            ASSERT_TRUE(short_form.startsWith("Select repos.item_nr from repos "));
            EXPECT_EQ(numbers(short_form), numbers(sql)) << column;
        }
    }
    // A statement of another shape is run as it is.
    EXPECT_EQ(TableModel::numbers_statement("select * from repos"), "select * from repos");
}
