// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/notepad.h"
#include "table/ui/notepad_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

class NotepadWindowTest : public TableRoomFixture {
protected:
    const QString pad_where = "collection='pad' and cat='pad' and item_title='pad'";
    QString pad_text() {
        return ctx.db->scalar("select item_content from repos where " + pad_where).toString();
    }
    static QPlainTextEdit* text_field(const NotepadWindow* pad) {
        return child<QPlainTextEdit>(pad, "t_testo");
    }
};

TEST_F(NotepadWindowTest, OpensOnOneNotepadItemAndSavesWithoutAsking) {
    NotepadWindow* pad = room->open_pad();
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(rows(pad_where), 1);
    QPointer<QWidget> first = pad;
    pad = room->open_pad();
    settle();
    EXPECT_FALSE(first) << "the notepad is closed and opened afresh";
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(rows(pad_where), 1);
    EXPECT_EQ(area.subWindowList().size(), 1);

    type_text(text_field(pad), "l'été");
    QTest::mouseClick(child<QPushButton>(pad, "b_save"), Qt::LeftButton);
    EXPECT_EQ(pad_text(), "l'été");
    type_text(text_field(pad), " à Noël");
    QPointer<QWidget> window = pad;
    QTest::keyClick(text_field(pad), Qt::Key_F12);
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(pad_text(), "l'été à Noël");
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(NotepadWindowTest, LeavingWithoutSavingAsksNothingAndKeepsTheTextAsADraft) {
    const QString draft = ctx.program_path(pad_draft_file);
    QString typed;
    for (const char* how : {"b_cancel", "escape", "close box"}) {
        SCOPED_TRACE(how);
        NotepadWindow* pad = room->open_pad();
        // The text left unsaved last time comes back, marked, and not yet stored.
        EXPECT_EQ(text_field(pad)->toPlainText(), typed);
        EXPECT_EQ(child<QLabel>(pad, "lab_draft")->isVisibleTo(pad), !typed.isEmpty());
        EXPECT_EQ(pad->reference_text(), QString());
        type_text(text_field(pad), " l'été");
        typed += " l'été";
        QPointer<QWidget> window = pad;
        if (QLatin1String(how) == QLatin1String("b_cancel"))
            QTest::mouseClick(child<QPushButton>(pad, "b_cancel"), Qt::LeftButton);
        else if (QLatin1String(how) == QLatin1String("escape"))
            QTest::keyClick(text_field(pad), Qt::Key_Escape);
        else
            area.subWindowList().last()->close();
        settle();
        EXPECT_FALSE(window);
        EXPECT_EQ(pad_text(), QString());
        EXPECT_EQ(read_pad_draft(draft), typed);
    }
    EXPECT_TRUE(t.prompter.shown().empty());

    // Saving stores the draft and removes it; closing unchanged leaves none.
    NotepadWindow* pad = room->open_pad();
    QTest::mouseClick(child<QPushButton>(pad, "b_save"), Qt::LeftButton);
    EXPECT_EQ(pad_text(), typed);
    EXPECT_FALSE(read_pad_draft(draft));
    EXPECT_FALSE(child<QLabel>(pad, "lab_draft")->isVisibleTo(pad));
    QTest::keyClick(text_field(pad), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(read_pad_draft(draft));

    // "Back to saved text" gives the draft up on purpose.
    pad = room->open_pad();
    text_field(pad)->moveCursor(QTextCursor::End);
    type_text(text_field(pad), "!");
    room.reset(); // the program ends with the notepad open: the text is kept all the same
    room = std::make_unique<TableRoomWindows>(ctx, *maps, [this] { return &area; });
    EXPECT_EQ(read_pad_draft(draft), typed + "!");
    pad = room->open_pad();
    EXPECT_EQ(text_field(pad)->toPlainText(), typed + "!");
    QTest::mouseClick(child<QPushButton>(pad, "b_saved_text"), Qt::LeftButton);
    EXPECT_EQ(text_field(pad)->toPlainText(), typed);
    QTest::keyClick(text_field(pad), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(read_pad_draft(draft));
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(NotepadWindowTest, KeepsItsPlaceUnderThePadKeys) {
    NotepadWindow* pad = room->open_pad();
    area.subWindowList().last()->setGeometry(QRect(30, 20, 420, 310));
    QTest::keyClick(text_field(pad), Qt::Key_Escape);
    settle();
    EXPECT_EQ(get_gen_param(*ctx.db, "f_pad_width"), "6300");
    room->open_pad();
    EXPECT_EQ(area.subWindowList().last()->geometry(), QRect(30, 20, 420, 310));
}

} // namespace
