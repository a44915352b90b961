// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"
#include "table/content_editor.h"

namespace {

TEST(EditorSlotsTest, TakesTheFirstFreeSlotAndRefusesWhenAllAreTaken) {
    EditorSlots table;
    EXPECT_EQ(table.reserve(), 1);
    EXPECT_EQ(table.reserve(), 2);
    EXPECT_EQ(table.reserve(), 3);
    table.release(2);
    EXPECT_FALSE(table.in_use(2));
    EXPECT_EQ(table.reserve(), 2) << "a freed slot is the first free one again";
    for (int i = 4; i <= EditorSlots::capacity; ++i)
        ASSERT_EQ(table.reserve(), i);
    EXPECT_EQ(table.reserve(), std::nullopt);
    EXPECT_EQ(table.in_use_count(), EditorSlots::capacity);
    table.release(0);
    table.release(EditorSlots::capacity + 1);
    EXPECT_EQ(table.in_use_count(), EditorSlots::capacity);
    table.release(EditorSlots::capacity);
    EXPECT_EQ(table.reserve(), EditorSlots::capacity);
}

using ContentEditorTest = MapsDb;

TEST_F(ContentEditorTest, ReadsTheItemAndComposesTheCaption) {
    const qint64 nr = add("Books", "Poésie", "L'été", "first line\nsecond");
    const auto item = read_edited_item(*ctx.db, nr);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->content, "first line\nsecond");
    EXPECT_EQ(editor_caption(*item), "Content of item \"Books: Poésie - L'été\"");
    EXPECT_EQ(editor_start_text(*item, {}), item->content);
    EXPECT_EQ(editor_start_text(*item, "typed in a table"), "typed in a table");
    EXPECT_FALSE(read_edited_item(*ctx.db, nr + 100));
}

TEST_F(ContentEditorTest, SavesLongTextsWithApostrophesAsTheyAre) {
    const qint64 nr = add("Books", "Novels", "Dante");
    const QString line = "l'été d''où -- ' ; drop table repos; -- Ünïcødé\n";
    QString text;
    while (text.size() < qsizetype{1024} * 1024)
        text += line;
    EXPECT_EQ(save_item_content(*ctx.db, nr, text), ContentSave::Saved);
    EXPECT_EQ(read_edited_item(*ctx.db, nr)->content, text);
    EXPECT_EQ(save_item_content(*ctx.db, nr, QString()), ContentSave::Saved);
    EXPECT_EQ(read_edited_item(*ctx.db, nr)->content, QString());
}

TEST_F(ContentEditorTest, AnItemDeletedMeanwhileIsNotWrittenAgain) {
    const qint64 nr = add("Books", "Novels", "Dante");
    add("Books", "Novels", "Other", "kept");
    ctx.db->exec("delete from repos where item_nr=" + QString::number(nr));
    EXPECT_EQ(save_item_content(*ctx.db, nr, "lost"), ContentSave::ItemMissing);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(ctx.db->scalar("select count(*) from repos where item_content='lost'").toInt(), 0);
}

TEST_F(ContentEditorTest, RefusesPanelsThatStandForCollectionsCategoriesAndMaps) {
    add("Books", "Poetry", "Dante");
    struct Case {
        bool top_map;
        bool collection_map;
        const char* title;
        const char* refusal;
    };
    const char* to_topic =
        "The content of this item cannot be edited (the item is a pointer to anothe topic).";
    const Case cases[] = {
        {true, false, "Books",
         "The content of this item cannot be edited (the item is a pointer to a collection)."},
        {false, true, "Poetry",
         "The content of this item cannot be edited (the item is a pointer to a category)."},
        {false, false, "Books: Poetry", to_topic},
        {false, false, "books: poetry", to_topic},
        {false, false, "Books", to_topic},
        {false, false, "Books: Missing", ""},
        {false, false, "Dante", ""},
        {false, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(edit_content_refusal(ctx, c.top_map, c.collection_map, QString::fromUtf8(c.title)),
                  QString::fromUtf8(c.refusal));
    }
}

} // namespace
