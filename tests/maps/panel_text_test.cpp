// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"

#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/panel_facts.h"
#include "maps/statement_counter.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Facts given by the test: the valid references and the repeated titles are listed.
struct ListedFacts {
    QSet<QString> valid;
    QSet<QString> repeated;
    QStringList asked;
    PanelFacts facts() {
        PanelFacts f;
        f.reference_valid = [this](const QString& text) {
            asked.append(text);
            return valid.contains(text);
        };
        f.title_repeated = [this](const QString& title) { return repeated.contains(title); };
        return f;
    }
};

MapItem item(const QString& title, const QString& content = {}) {
    MapItem entry;
    entry.item_nr = 1;
    entry.title = title;
    entry.content = content;
    return entry;
}

constexpr int books = 7;
constexpr int journal = 6;

} // namespace

// ---------------------------------------------------------------- composition rules

TEST(PanelText, ReferenceTitlesShowWhetherTheyLeadSomewhere) {
    ListedFacts listed;
    listed.valid.insert(u"Books: Poetry"_s);
    EXPECT_EQ(compose_panel_text(item("> Books: Poetry"), books, false, listed.facts()),
              u"> Books: Poetry"_s);
    EXPECT_EQ(compose_panel_text(item("> Books: Gone"), books, false, listed.facts()), u"> Books: Gone !"_s);
    EXPECT_EQ(listed.asked, QStringList({"Books: Poetry", "Books: Gone"}));
    // A reference takes no other mark, even with content, an expiry or repeated.
    MapItem dated = item("> Books: Poetry", u"LINK=/tmp"_s);
    dated.expiry = QDateTime(QDate(2026, 1, 2), QTime(0, 0));
    listed.repeated.insert(dated.title);
    EXPECT_EQ(compose_panel_text(dated, books, true, listed.facts()), u"> Books: Poetry"_s);
    // In the journal too.
    EXPECT_EQ(compose_panel_text(item("> Books: Gone"), journal, false, listed.facts()),
              u"> Books: Gone !"_s);
}

TEST(PanelText, MarksDatesAndContentReferences) {
    ListedFacts listed;
    listed.valid.insert(u"Books: Poetry"_s);
    listed.repeated = {u"Holidays"_s, u"Dune"_s};
    const QString sixty = u"0123456789"_s.repeated(6);
    const QString fifty = sixty.left(50);
    const QDateTime jan2(QDate(2026, 1, 2), QTime(0, 0));
    const QDate apr1(2026, 4, 1);
    const QDateTime dec31(QDate(2026, 12, 31), QTime(23, 0));
    const struct {
        QString title;
        QString content;
        std::optional<QDateTime> expiry;
        int position;
        bool similar;
        QString expected;
    } cases[] = {
        // A content reference is the content's first line, when the content begins with ">".
        {"Poems", "> Books: Poetry\r\nmore text", {}, books, false, "Poems >"},
        {"Poems", ">Books: Poetry\nmore", {}, books, false, "Poems >"},
        {"Poems", "> Books: Prose", {}, books, false, "Poems !"},
        {"Poems", " > Books: Poetry", {}, books, false, "Poems~"},
        // Journal dates show fifty characters of content, cut before the first line end.
        {"14/03/2026", sixty, {}, journal, false, "14/03/26 - " + fifty + "..."},
        {"2026-03-14 22:15:00", fifty, {}, journal, false, "14/03/26 - " + fifty},
        {"14/03/2026", "Dear diary\r\n" + sixty, {}, journal, false, "14/03/26 - Dear diary"},
        {"14/03/2026", sixty.left(49) + "\n" + sixty, {}, journal, false, "14/03/26 - " + sixty.left(49)},
        {"14/03/2026", {}, {}, journal, false, "14/03/26 - "},
        // A journal title that is no date shows as it is, without marks or "+"; a date title
        // elsewhere is an ordinary title.
        {"Holidays", "LINK=/tmp", jan2, journal, true, "Holidays"},
        {"14/03/2026", sixty, {}, books, false, "14/03/2026~"},
        // The expiry prefix shows the time only when there is one.
        {"Pay rent", {}, QDateTime(apr1, QTime(0, 0, 30)), books, false, "01/04/26 - Pay rent"},
        {"Pay rent", {}, QDateTime(apr1, QTime(0, 5)), books, false, "01/04/26 00:05 - Pay rent"},
        {"Pay rent", {}, dec31, books, false, "31/12/26 23:00 - Pay rent"},
        // One mark: "^" for a link or a web address on its own, "~" for any other content.
        {"t", "LINK=/home/me/file.txt", {}, books, false, "t^"},
        {"t", "link=C:\\docs", {}, books, false, "t^"},
        {"t", "https://example.org", {}, books, false, "t^"},
        {"t", "HTTP://example.org", {}, books, false, "t^"},
        {"t", "ftp://files", {}, books, false, "t^"},
        {"t", "www.example.org", {}, books, false, "t^"},
        {"t", "see www.example.org", {}, books, false, "t~"},
        {"t", "PICDIR=/pictures", {}, books, false, "t~"},
        {"t", " \r\n\t ", {}, books, false, "t"},
        {"t", "", {}, books, false, "t"},
        {"t", "  x  ", {}, books, false, "t~"},
        // "+" marks a repeated title only when the indicator is switched on.
        {"Dune", "spice", QDateTime(apr1, QTime(0, 0)), books, true, "01/04/26 - Dune~+"},
        {"Dune", "spice", QDateTime(apr1, QTime(0, 0)), books, false, "01/04/26 - Dune~"},
        {"Emma", {}, {}, books, true, "Emma"},
    };
    for (const auto& c : cases) {
        MapItem entry = item(c.title, c.content);
        entry.expiry = c.expiry;
        EXPECT_EQ(compose_panel_text(entry, c.position, c.similar, listed.facts()), c.expected)
            << c.title.toStdString() << " / " << c.content.left(30).toStdString();
    }
}

// ---------------------------------------------------------------- facts from the database

namespace {

class PanelFactsFromDatabase : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        const char* const stored[][3] = {
            {"Books", "Poetry", "Dante"},    {"Books", "Poetry,Italian", "Petrarca"},
            {"Books", "l'été", "O'Hara"},    {"Books", "Été", "Hugo"},
            {"Books", "*", "star"},          {"Books", "[x]", "bracket"},
            {"Books", "?", "question"},      {"Books", "#1", "hash"},
            {"Books", "", "loose"},          {"Books", "Odd'one,Poetry", "apostrophe in a list"},
            {"Media", "Films", "-"},         {"Media", "Films", "-"},
            {"Media", "Films", "dune"},      {"Journal", "Diary", "Dune"},
            {"Journal", "Diary", "*"},       {"Journal", "Diary", "[x]"},
            {"Journal", "Diary", "[*]"},     {"Journal", "Diary", "unique"},
            {"Journal", "Diary", "l'été"},   {"Journal", "Diary", "L'ÉTÉ"},
            {"Journal", "Diary", "50%1 %2"}, {"Journal", "Other", "50%1 %2"}};
        for (const auto& row : stored)
            add(row[0], row[1], row[2]);
    }
};

} // namespace

TEST_F(PanelFactsFromDatabase, BatchedReferencesAnswerAsThePerPanelRule) {
    // clang-format off
    const QStringList references = {
        "Books: Poetry", "books: POETRY", "Books: Italian", "Books: Ital", "Books: Prose", "Books", "books:",
        "Nowhere", "Top map", "top MAP ", "Books: Poetry.Dante", "Books: Poetry.dante", "Books: Poetry.Beatrice",
        "Books: Poetry. Dante", "Books: Poetry...", "Books: l'été", "Books: L'ÉTÉ.o'hara", "Books: été",
        "Books: *", "Books: ?", "Books: [x]", "Books: x", "Books: [", "Books: a*b", "Books: #1", "Books: 1",
        "Books: #", "BOOKS: odd'ONE", "Books: Poetry,Italian", "Media: Films.-", "Media: Films", "Media: Films.",
        "Media: Films..-", "Nowhere: at all", "Books: Poetry>Dante", "", "Books: ", ": Poetry", "Books:Poetry",
        " Books: Poetry "};
    // clang-format on
    const PanelFacts single = single_panel_facts(ctx);
    StatementCounter counter(db().handle());
    const BatchedPanelFacts batched(ctx, references, {});
    EXPECT_EQ(batched.statements(), 1);
    EXPECT_EQ(counter.count(), 1);
    int valid = 0;
    for (const QString& reference : references) {
        EXPECT_EQ(batched.reference_valid(reference), single.reference_valid(reference))
            << reference.toStdString();
        valid += batched.reference_valid(reference) ? 1 : 0;
    }
    // Both answers occur, so agreeing is not a matter of always saying the same.
    EXPECT_GT(valid, 5);
    EXPECT_LT(valid, references.size() - 5);
}

TEST_F(PanelFactsFromDatabase, BatchedTitleCountsAnswerAsThePerPanelRule) {
    const QStringList titles = {"Dune", "DUNE",  "-",     "unique", "Dante",   "*", "[x]",    "[*]",
                                "?",    "l'été", "L'Été", "O'Hara", "nothing", "",  "50%1 %2"};
    const PanelFacts single = single_panel_facts(ctx);
    StatementCounter counter(db().handle());
    const BatchedPanelFacts batched(ctx, {}, titles);
    EXPECT_EQ(counter.count(), 1);
    for (const QString& title : titles)
        EXPECT_EQ(batched.title_repeated(title), single.title_repeated(title)) << title.toStdString();
    EXPECT_TRUE(batched.title_repeated(u"DUNE"_s));
    EXPECT_TRUE(batched.title_repeated(u"L'Été"_s));
    EXPECT_FALSE(batched.title_repeated(u"unique"_s));
    EXPECT_TRUE(batched.title_repeated(u"50%1 %2"_s));
}

TEST_F(PanelFactsFromDatabase, NothingToAskIssuesNoStatement) {
    StatementCounter counter(db().handle());
    const BatchedPanelFacts batched(ctx, {u"Books"_s, u"Nowhere"_s}, {});
    EXPECT_EQ(counter.count(), 0);
    EXPECT_TRUE(batched.reference_valid(u"Books"_s));
    EXPECT_FALSE(batched.reference_valid(u"Nowhere"_s));
}

TEST_F(PanelFactsFromDatabase, VeryLongTextsAreSplitOverSeveralStatements) {
    QStringList titles;
    for (int i = 0; i < 5; ++i)
        titles.append(QString(QChar(u'a' + i)).repeated(90000));
    titles.append(u"Dune"_s);
    StatementCounter counter(db().handle());
    const BatchedPanelFacts batched(ctx, {}, titles);
    EXPECT_GT(counter.count(), 1);
    EXPECT_EQ(batched.statements(), counter.count());
    EXPECT_TRUE(batched.title_repeated(u"Dune"_s));
    EXPECT_FALSE(batched.title_repeated(titles.first()));
}

// ---------------------------------------------------------------- whole maps

namespace {

class MapPanelTexts : public MapsDb {
protected:
    LoadResult load(MapItems& map, bool similar) {
        LoadOptions options;
        options.opening = true;
        options.similar_indicator = similar;
        return load_map_items(ctx, map, options);
    }
};

} // namespace

TEST_F(MapPanelTexts, ALoadedMapComposesEveryRuleAsOnePanelAtATimeWould) {
    add("Books", "Poetry", "Dante", "Inferno");
    add("Books", "Prose", "Dante");
    add("Books", "Poetry", "> Books: Prose");
    add("Books", "Poetry", "> Books: Missing");
    add("Books", "Poetry", "Link", "LINK=/tmp/file");
    add("Books", "Poetry", "Content ref", "> Books: Prose.Dante\r\nsecond line");
    add({"Books", "Poetry", "Due", {}, std::nullopt, QDateTime(QDate(2026, 6, 1), QTime(9, 30))});
    MapItems map(identify_map(ctx.collections, u"Books: Poetry"_s));
    load(map, true);
    const PanelFacts single = single_panel_facts(ctx);
    for (const MapItem& entry : map.items())
        EXPECT_EQ(entry.panel_text, compose_panel_text(entry, 7, true, single)) << entry.title.toStdString();
    EXPECT_EQ(texts_of(map.items()), QStringList({"> Books: Missing !", "> Books: Prose", "Content ref >",
                                                  "Dante~+", "01/06/26 09:30 - Due", "Link^"}));
}

TEST_F(MapPanelTexts, OpeningA200ItemMapWithReferencesIssuesAConstantNumberOfStatements) {
    auto fill = [&](const QString& cat, int count) {
        Transaction transaction(db());
        for (int i = 0; i < count; i += 4) {
            add("Books", cat, u"> Books: Target %1"_s.arg(i % 8));
            add("Books", cat, u"title %1"_s.arg((i + 1) % 10), u"> Books: Poetry.x"_s);
            add("Books", cat, u"repeated"_s);
            add("Books", cat, u"plain %1"_s.arg(i + 3));
        }
        for (int n = 0; n < 4; ++n)
            add("Books", u"Target %1"_s.arg(n), "-");
        transaction.commit();
    };
    fill(u"Small"_s, 20);
    fill(u"Large"_s, 200);

    auto statements_for = [&](const QString& name) {
        MapItems map(identify_map(ctx.collections, name));
        StatementCounter counter(db().handle(), true);
        const LoadResult result = load(map, true);
        EXPECT_FALSE(result.refused);
        EXPECT_EQ(result.statements, counter.count()) << counter.texts().join('\n').left(2000).toStdString();
        return counter.count();
    };
    const int small = statements_for(u"Books: Small"_s);
    const int large = statements_for(u"Books: Large"_s);
    EXPECT_EQ(small, large);
    // The items, their references and their titles.
    EXPECT_EQ(large, 3);
}
