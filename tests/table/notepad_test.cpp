// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"
#include "table/notepad.h"

namespace {

class NotepadTest : public MapsDb {
protected:
    int pads() {
        return ctx.db
            ->scalar(QStringLiteral(
                "select count(*) from repos where collection='pad' and cat='pad' and item_title='pad'"))
            .toInt();
    }
    QString pad_text() {
        return ctx.db
            ->scalar(QStringLiteral("select item_content from repos where collection='pad' and cat='pad' and "
                                    "item_title='pad'"))
            .toString();
    }
};

TEST_F(NotepadTest, TheNotepadItemIsMadeOnceAndFoundAfterwards) {
    add(QStringLiteral("Books"), QStringLiteral("pad"), QStringLiteral("pad"), QStringLiteral("not the pad"));
    const PadItem first = find_or_create_pad(*ctx.db);
    EXPECT_EQ(pads(), 1);
    EXPECT_TRUE(first.text.isEmpty());
    const PadItem second = find_or_create_pad(*ctx.db);
    EXPECT_EQ(second.item_nr, first.item_nr);
    EXPECT_EQ(pads(), 1);
    EXPECT_EQ(rows(), 2);
}

TEST_F(NotepadTest, AnExistingPadIsFoundWhateverItsLetterCase) {
    const qint64 nr =
        add(QStringLiteral("PAD"), QStringLiteral("Pad"), QStringLiteral("pad"), QStringLiteral("notes"));
    const PadItem pad = find_or_create_pad(*ctx.db);
    EXPECT_EQ(pad.item_nr, nr);
    EXPECT_EQ(pad.text, QStringLiteral("notes"));
    EXPECT_EQ(rows(), 1);
}

TEST_F(NotepadTest, SavingWritesOnlyChangedText) {
    find_or_create_pad(*ctx.db);
    EXPECT_FALSE(save_pad(*ctx.db, t.prompter, QStringLiteral("same"), QStringLiteral("same"), true));
    EXPECT_TRUE(t.prompter.shown().empty()) << "an unchanged text asks nothing";
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, QStringLiteral("L'été à Noël"), QString(), false));
    EXPECT_EQ(pad_text(), QStringLiteral("L'été à Noël"));
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(NotepadTest, TheAskFlagPutsTheQuestionFirst) {
    find_or_create_pad(*ctx.db);
    t.prompter.answer(false);
    EXPECT_FALSE(save_pad(*ctx.db, t.prompter, QStringLiteral("draft"), QString(), true));
    EXPECT_EQ(pad_text(), QString());
    t.prompter.answer(true);
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, QStringLiteral("draft"), QString(), true));
    EXPECT_EQ(pad_text(), QStringLiteral("draft"));
    ASSERT_EQ(t.prompter.shown().size(), 2U);
    const auto& question = t.prompter.shown().front();
    EXPECT_EQ(question.kind, QStringLiteral("yes_no"));
    EXPECT_EQ(question.text, QStringLiteral("Do you want to save the changes?"));
    EXPECT_EQ(question.title, QStringLiteral("Tessarin - Pad"));
    EXPECT_FALSE(question.default_yes);
}

TEST_F(NotepadTest, APadDeletedMeanwhileIsMadeAgainWithTheText) {
    find_or_create_pad(*ctx.db);
    ctx.db->exec(QStringLiteral("delete from repos"));
    EXPECT_TRUE(save_pad(*ctx.db, t.prompter, QStringLiteral("kept"), QStringLiteral("old"), false));
    EXPECT_EQ(pads(), 1);
    EXPECT_EQ(pad_text(), QStringLiteral("kept"));
}

TEST_F(NotepadTest, TheDraftIsKeptWholeAndAnUnwritablePlaceIsSaid) {
    const QString path = ctx.program_path(pad_draft_file); // the directory does not exist yet
    EXPECT_FALSE(read_pad_draft(path));
    const QString text = QStringLiteral("l'été\r\nline two\n");
    ASSERT_TRUE(keep_pad_draft(path, text));
    EXPECT_EQ(read_pad_draft(path), text);
    ASSERT_TRUE(keep_pad_draft(path, QStringLiteral("shorter")));
    EXPECT_EQ(read_pad_draft(path), QStringLiteral("shorter"));
    remove_pad_draft(path);
    EXPECT_FALSE(read_pad_draft(path));
    // A file where the directory should be: the draft cannot be written, and the answer says so.
    const QString blocked = t.env.write_file(QStringLiteral("blocked"), "x");
    EXPECT_FALSE(keep_pad_draft(blocked + QStringLiteral("/") + pad_draft_file, text));
}

} // namespace
