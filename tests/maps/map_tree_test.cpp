// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_tree.h"

#include "maps/links.h"
#include "maps/statement_counter.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Names that break a statement or a key when a quoting or parsing rule is missing.
const char* const awkward_names[] = {"Rock'n'roll", "#1 hits", "[draft]",    "*starred*",
                                     "?",           "a,b",     "Émile à Zoë"};

class MapTree : public MapsDb {
protected:
    FakePrompter& prompter = t.prompter;
    void TearDown() override { EXPECT_TRUE(prompter.all_answered()) << "scripted answers left unused"; }

    QStringList item_titles(const QString& collection, const QString& cat) {
        QStringList titles;
        for (const TreeItem& item : load_tree_items(ctx, collection, cat).items)
            titles.append(item.title);
        return titles;
    }
    TreeNode category(const char* collection, const char* cat) {
        return TreeNode{TreeNodeKind::Category, s(collection), s(cat), {}, 0};
    }
    TreeNode item(const char* collection, const char* cat, const char* title, qint64 item_nr) {
        return TreeNode{TreeNodeKind::Item, s(collection), s(cat), s(title), item_nr};
    }
};

// ---------------------------------------------------------------- keys

TEST(MapTreeKeys, KeysNameTheNodeAndParseBackOtherTextsAreNone) {
    for (const char* raw : awkward_names) {
        const QString name = s(raw);
        const TreeNode collection{TreeNodeKind::Collection, name, {}, {}, 0};
        const TreeNode cat{TreeNodeKind::Category, s("Books"), name, {}, 0};
        const TreeNode item{TreeNodeKind::Item, s("Books"), name, name + s(" title. v2"), 0};
        for (const TreeNode& node : {collection, cat, item}) {
            const std::optional<TreeNode> parsed = parse_tree_key(node.key());
            ASSERT_TRUE(parsed) << node.key().toStdString();
            EXPECT_EQ(*parsed, node) << node.key().toStdString();
        }
    }
    EXPECT_EQ(TreeNode({TreeNodeKind::Category, s("Books"), s("Poetry"), {}, 0}).key(),
              s("colcat=Books: Poetry"));
    EXPECT_EQ(TreeNode({TreeNodeKind::Item, s("Books"), s("Poetry"), s("> Media: Films"), 3}).key(),
              s("item=Books: Poetry.> Media: Films"));
    // Other texts are no keys.
    for (const char* text :
         {"", "collection=", "colcat=Books", "item=Books: Poetry", "map=Books: Poetry", "Books"})
        EXPECT_FALSE(parse_tree_key(s(text))) << text;
}

// ---------------------------------------------------------------- branches

TEST_F(MapTree, CollectionsAreTheVisibleOnesInOrderAndCategoriesFollowTheirStoredOrder) {
    for (int position : {9, 2, 44, 45})
        ctx.collections.at(position).visible = true;
    QList<int> positions;
    for (const TreeCollection& collection : tree_collections(ctx.collections)) {
        positions.append(collection.position);
        EXPECT_EQ(collection.name, ctx.collections.at(collection.position).name);
    }
    EXPECT_EQ(positions, QList<int>({2, 9, 44}));

    // Categories follow their stored order, then their names.
    for (const char* cat : {"Zeta", "alpha", "Mid", "a,b", "ALPHA"})
        add(s("Books"), s(cat), s("x"));
    add(s("Media"), s("Films"), s("x"));
    db().exec(
        s("insert into cat_seq (collection, cat, seq) values ('Books', 'Mid', 1), ('Books', 'zeta', 2)"));
    // Uncounted categories come first (no stored order), by name; a comma list stays whole and
    // letter cases of one category make one node.
    QStringList cats = load_tree_categories(db(), s("Books"));
    ASSERT_EQ(cats.size(), 4) << cats.join(s("|")).toStdString();
    // Either spelling may stand for the category.
    EXPECT_EQ(cats[1].toLower(), s("alpha"));
    cats[1] = s("alpha");
    EXPECT_EQ(cats, QStringList({s("a,b"), s("alpha"), s("Mid"), s("Zeta")}));
    EXPECT_EQ(load_tree_categories(db(), s("Agenda")), QStringList());
}

TEST_F(MapTree, AwkwardNamesFindTheirOwnRowsOnly) {
    ctx.collections.at(8).name = s("Rock'n'roll");
    for (const char* raw : awkward_names) {
        add(s("Rock'n'roll"), s(raw), s(raw) + s(" item"));
        add(s("Books"), s(raw), s("other collection"));
    }
    add(s("Rock'n'roll"), s("plain"), s("not for [draft]"));
    const QStringList cats = load_tree_categories(db(), s("Rock'n'roll"));
    EXPECT_EQ(cats.size(), std::size(awkward_names) + 1);
    for (const char* raw : awkward_names) {
        EXPECT_TRUE(cats.contains(s(raw))) << raw;
        EXPECT_EQ(item_titles(s("Rock'n'roll"), s(raw)), QStringList({s(raw) + s(" item")})) << raw;
    }
}

TEST_F(MapTree, ItemsComeInMapOrderWithTheirPanelTextsAndPictures) {
    add(s("Books"), s("Poetry"), s("second"), s("some notes"), 2);
    add(s("Books"), s("Poetry"), s("first"), {}, 1);
    add(s("Books"), s("Poetry"), s("> Media: Films"), {}, 3);
    add(s("Books"), s("Poetry"), s("> Media: Gone"), {}, 4);
    add(s("Books"), s("Poetry"), s("see"), s("> Books: Poetry\r\nmore"), 5);
    add(s("Media"), s("Films"), s("x"));
    const TreeItems branch = load_tree_items(ctx, s("Books"), s("Poetry"));
    QStringList texts;
    QList<int> pictures;
    for (const TreeItem& entry : branch.items) {
        texts.append(entry.panel_text);
        pictures.append(entry.picture_position);
    }
    EXPECT_EQ(texts,
              QStringList({s("first"), s("second~"), s("> Media: Films"), s("> Media: Gone !"), s("see >")}));
    // A reference shows the picture of the collection it leads to; other items show none.
    EXPECT_EQ(pictures, QList<int>({0, 0, 8, 8, 0}));
}

TEST_F(MapTree, ABranchCostsItsStatementAndOneFactsBatchWhateverItsSize) {
    for (int i = 0; i < 60; ++i)
        add(s("Books"), s("Big"), QStringLiteral("> Media: Films %1").arg(i));
    add_many(s("Books"), s("Big"), 60);
    StatementCounter counter(db().handle());
    const TreeItems branch = load_tree_items(ctx, s("Books"), s("Big"));
    EXPECT_EQ(branch.items.size(), 120U);
    EXPECT_LE(counter.count(), 3);
    EXPECT_EQ(counter.count(), branch.statements);
    counter.reset();
    load_tree_categories(db(), s("Books"));
    EXPECT_EQ(counter.count(), 1);
}

// ---------------------------------------------------------------- what is selected

TEST_F(MapTree, AttributesNameTheSelectedBranch) {
    const FormAttributes cat = tree_form_attributes(ctx.collections, category("Books", "O'Hara [1]"));
    EXPECT_EQ(cat.map_name, s("Books: O'Hara [1]"));
    EXPECT_EQ(cat.position, 7);
    EXPECT_EQ(cat.item_nr, 0);
    EXPECT_EQ(cat.query, s("Select * from repos where collection='Books' and cat='O''Hara [1]'"));

    const FormAttributes collection =
        tree_form_attributes(ctx.collections, TreeNode{TreeNodeKind::Collection, s("Media"), {}, {}, 0});
    EXPECT_EQ(collection.map_name, s("Media"));
    EXPECT_EQ(collection.position, 8);
    EXPECT_EQ(collection.query, s("Select * from repos where collection='Media'"));

    const FormAttributes entry = tree_form_attributes(ctx.collections, item("Books", "*", "t", 42));
    EXPECT_EQ(entry.map_name, s("Books: *"));
    EXPECT_EQ(entry.item_nr, 42);
    // "=" compares the value itself: no brackets around a lone "*".
    EXPECT_EQ(entry.query, s("Select * from repos where collection='Books' and cat='*'"));
}

TEST_F(MapTree, OpensAtTheLastSelectedItemElseAtTheActiveCategoryMap) {
    const qint64 nr = add(s("Media"), s("Films"), s("Alien"));
    EXPECT_EQ(tree_opening_target(ctx, nr), (TreeTarget{s("Media"), s("Films"), s("Alien"), nr}));
    EXPECT_FALSE(tree_opening_target(ctx, 0));

    const int slot = *ctx.map_windows.reserve_slot();
    ctx.map_windows.record(slot, s("Books"), s("Poetry"), s("Books: Poetry"), nullptr);
    ctx.map_windows.set_active(slot);
    db().exec(QStringLiteral("delete from repos where item_nr=%1").arg(nr));
    EXPECT_EQ(tree_opening_target(ctx, nr), (TreeTarget{s("Books"), s("Poetry"), {}, 0}));

    const int collection_slot = *ctx.map_windows.reserve_slot();
    ctx.map_windows.record(collection_slot, s("Books"), {}, s("Books"), nullptr);
    ctx.map_windows.set_active(collection_slot);
    EXPECT_FALSE(tree_opening_target(ctx, 0));
}

// ---------------------------------------------------------------- opening an item node

TEST_F(MapTree, DoubleClickFollowsReferencesToMapsThatExist) {
    add(s("Media"), s("Films"), s("Alien"));
    const qint64 ref = add(s("Books"), s("Poetry"), s("> Media: Films"));
    const qint64 missing = add(s("Books"), s("Poetry"), s("> Media: Nowhere"));
    const qint64 collection = add(s("Books"), s("Poetry"), s("> Media"));
    const qint64 by_content = add(s("Books"), s("Poetry"), s("see"), s("> Media: Films.Alien\r\nnotes"));
    const qint64 dead_content = add(s("Books"), s("Poetry"), s("dead"), s("> Media: Nowhere"));
    const qint64 plain = add(s("Books"), s("Poetry"), s("plain"), s("just text"));

    struct Case {
        qint64 nr;
        const char* title;
        TreeItemOpening::Kind kind;
        TreeTarget target;
    };
    using Kind = TreeItemOpening::Kind;
    const Case cases[] = {
        {ref, "> Media: Films", Kind::ExpandMap, {s("Media"), s("Films"), {}, 0}},
        {missing, "> Media: Nowhere", Kind::Nothing, {}},
        {collection, "> Media", Kind::ExpandMap, {s("Media"), {}, {}, 0}},
        {by_content, "see", Kind::ExpandMap, {s("Media"), s("Films"), s("Alien"), 0}},
        {dead_content, "dead", Kind::Nothing, {}},
        {plain, "plain", Kind::Nothing, {}},
    };
    for (const Case& c : cases) {
        const TreeItemOpening opening = open_tree_item(ctx, item("Books", "Poetry", c.title, c.nr));
        EXPECT_EQ(opening.kind, c.kind) << c.title;
        EXPECT_EQ(opening.target, c.target) << c.title;
    }
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(t.desktop.opened.isEmpty());
}

TEST_F(MapTree, DoubleClickRunsALinkAndReportsAMissingOneOrAVanishedItem) {
    add(s("Books"), s("Poetry"), s("site"), s("LINK=https://example.org/a'b"));
    const QString missing_path = t.env.path(QStringLiteral("no such file.txt"));
    add(s("Books"), s("Poetry"), s("file"), s("LINK=") + missing_path);
    EXPECT_EQ(open_tree_item(ctx, item("Books", "Poetry", "site", 0)).kind, TreeItemOpening::Kind::LinkRan);
    EXPECT_EQ(t.desktop.opened, QStringList({s("https://example.org/a'b")}));
    EXPECT_EQ(open_tree_item(ctx, item("Books", "Poetry", "file", 0)).kind, TreeItemOpening::Kind::LinkRan);
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0].text, path_not_found_message + missing_path);
    // An item deleted elsewhere says so.
    EXPECT_EQ(open_tree_item(ctx, item("Books", "Poetry", "gone", 555)).kind,
              TreeItemOpening::Kind::Vanished);
    EXPECT_EQ(prompter.messages().last(), item_vanished_message);
}

// ---------------------------------------------------------------- deleting a branch

TEST_F(MapTree, CollectionsAndTheLastCategoryAreNeverDeleted) {
    add(s("Books"), s("Only"), s("x"));
    add(s("Media"), s("Films"), s("y"));
    EXPECT_EQ(delete_tree_branch(ctx, TreeNode{TreeNodeKind::Collection, s("Books"), {}, {}, 0}),
              BranchDeletion::Refused);
    EXPECT_EQ(delete_tree_branch(ctx, category("Books", "Only")), BranchDeletion::Refused);
    EXPECT_EQ(prompter.messages(), QStringList({collection_not_deletable_message, last_category_message}));
    EXPECT_EQ(rows(), 2);
}

TEST_F(MapTree, DeletingACategoryAsksWithNoPreselectedAndDeletesOnlyIt) {
    for (const char* raw : awkward_names) {
        add(s("Books"), s(raw), s("one"));
        add(s("Books"), s(raw), s("two"));
        add(s("Media"), s(raw), s("same category elsewhere"));
    }
    add(s("Books"), s("Keep"), s("k"));
    int expected = rows();
    for (const char* raw : awkward_names) {
        prompter.clear();
        prompter.answer(false);
        EXPECT_EQ(delete_tree_branch(ctx, category("Books", raw)), BranchDeletion::Cancelled) << raw;
        EXPECT_EQ(rows(), expected) << raw;
        prompter.answer(true);
        EXPECT_EQ(delete_tree_branch(ctx, category("Books", raw)), BranchDeletion::Deleted) << raw;
        expected -= 2;
        EXPECT_EQ(rows(), expected) << raw;
        ASSERT_EQ(prompter.shown().size(), 2U);
        EXPECT_EQ(prompter.shown()[1].kind, s("yes_no"));
        EXPECT_EQ(prompter.shown()[1].text,
                  s("Do you really want to delete category \"") + s(raw) + s("\"?"));
        EXPECT_FALSE(prompter.shown()[1].default_yes);
    }
    EXPECT_EQ(rows(s("collection='Media'")), static_cast<int>(std::size(awkward_names)));
}

TEST_F(MapTree, DeletingAnItemAsksByItsTitleAndDeletesOnlyThatRow) {
    const qint64 nr = add(s("Books"), s("Poetry"), s("O'Neil \"Z\""));
    add(s("Books"), s("Poetry"), s("O'Neil \"Z\""));
    prompter.answer(false);
    EXPECT_EQ(delete_tree_branch(ctx, item("Books", "Poetry", "stale title", nr)), BranchDeletion::Cancelled);
    EXPECT_EQ(rows(), 2);
    prompter.answer(true);
    EXPECT_EQ(delete_tree_branch(ctx, item("Books", "Poetry", "stale title", nr)), BranchDeletion::Deleted);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(rows(QStringLiteral("item_nr=%1").arg(nr)), 0);
    EXPECT_EQ(prompter.shown().back().text, s("Do you really want to delete item \"O'Neil \"Z\"\"?"));
    EXPECT_FALSE(prompter.shown().back().default_yes);
}

TEST_F(MapTree, ABranchDeletedByAnotherWindowOrADatabaseFailureDeletesNothing) {
    const qint64 nr = add(s("Books"), s("Poetry"), s("x"));
    add(s("Books"), s("Other"), s("y"));
    db().exec(QStringLiteral("delete from repos where item_nr=%1").arg(nr));
    EXPECT_EQ(delete_tree_branch(ctx, item("Books", "Poetry", "x", nr)), BranchDeletion::Vanished);
    EXPECT_EQ(delete_tree_branch(ctx, category("Books", "Poetry")), BranchDeletion::Vanished);
    ASSERT_EQ(prompter.shown().size(), 2U);
    EXPECT_EQ(prompter.shown()[0].text, item_vanished_message);
    EXPECT_EQ(prompter.shown()[1].kind, s("message"));
    EXPECT_EQ(rows(), 1);

    // A database failure is reported and deletes nothing.
    add(s("Books"), s("Poetry"), s("x"));
    db().exec(s("create trigger refuse before delete on repos begin select raise(abort, 'locked'); end"));
    prompter.answer(true);
    EXPECT_EQ(delete_tree_branch(ctx, category("Books", "Poetry")), BranchDeletion::Failed);
    EXPECT_TRUE(prompter.shown().back().text.startsWith(s("Error ")))
        << prompter.shown().back().text.toStdString();
    EXPECT_EQ(rows(), 2);
}

} // namespace
