// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"
#include "table/notepad.h"

namespace {

class NotepadTest : public MapsDb {
protected:
    const QString pad_where = "collection='pad' and cat='pad' and item_title='pad'";
    QString pad_text() { return db().scalar("select item_content from repos where " + pad_where).toString(); }
};

TEST_F(NotepadTest, TheNotepadItemIsMadeOnceAndFoundWhateverItsLetterCase) {
    add("Books", "pad", "pad", "not the pad");
    const PadItem first = find_or_create_pad(*ctx.db);
    EXPECT_EQ(rows(pad_where), 1);
    EXPECT_TRUE(first.text.isEmpty());
    EXPECT_EQ(find_or_create_pad(*ctx.db).item_nr, first.item_nr);
    EXPECT_EQ(rows(), 2);

    ctx.db->exec("delete from repos");
    const qint64 nr = add("PAD", "Pad", "pad", "notes");
    const PadItem pad = find_or_create_pad(*ctx.db);
    EXPECT_EQ(pad.item_nr, nr);
    EXPECT_EQ(pad.text, "notes");
    EXPECT_EQ(rows(), 1);
}

TEST_F(NotepadTest, OnlyAChangedTextIsWrittenAndTheAskFlagPutsTheQuestionFirst) {
    find_or_create_pad(*ctx.db);
    EXPECT_FALSE(save_pad(*ctx.db, t.prompter, "same", "same", true));
    EXPECT_TRUE(t.prompter.shown().empty()) << "an unchanged text asks nothing";
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, "L'été à Noël", QString(), false));
    EXPECT_EQ(pad_text(), "L'été à Noël");
    EXPECT_TRUE(t.prompter.shown().empty());
    t.prompter.answer(false);
    EXPECT_FALSE(save_pad(*ctx.db, t.prompter, "draft", QString(), true));
    EXPECT_EQ(pad_text(), "L'été à Noël");
    t.prompter.answer(true);
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, "draft", QString(), true));
    EXPECT_EQ(pad_text(), "draft");
    ASSERT_EQ(t.prompter.shown().size(), 2U);
    const auto& question = t.prompter.shown().front();
    EXPECT_EQ(question.kind, "yes_no");
    EXPECT_EQ(question.text, "Do you want to save the changes?");
    EXPECT_EQ(question.title, "Tessarin - Pad");
    EXPECT_FALSE(question.default_yes);
}

TEST_F(NotepadTest, APadDeletedMeanwhileIsMadeAgainWithTheText) {
    find_or_create_pad(*ctx.db);
    ctx.db->exec("delete from repos");
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, "kept", "old", false));
    EXPECT_EQ(rows(pad_where), 1);
    EXPECT_EQ(pad_text(), "kept");
}

TEST_F(NotepadTest, TheDraftIsKeptWholeAndAnUnwritablePlaceIsSaid) {
    const QString path = ctx.program_path(pad_draft_file); // the directory does not exist yet
    EXPECT_FALSE(read_pad_draft(path));
    const QString text = "l'été\r\nline two\n";
    ASSERT_TRUE(keep_pad_draft(path, text));
    EXPECT_EQ(read_pad_draft(path), text);
    ASSERT_TRUE(keep_pad_draft(path, "shorter"));
    EXPECT_EQ(read_pad_draft(path), "shorter");
    remove_pad_draft(path);
    EXPECT_FALSE(read_pad_draft(path));
    // A file where the directory should be: the draft cannot be written, and the answer says so.
    const QString blocked = t.env.write_file("blocked", "x");
    EXPECT_FALSE(keep_pad_draft(blocked + "/" + pad_draft_file, text));
}

} // namespace
