// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/notepad_window.h"
#include "table_room_fixture.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class NotepadWindowTest : public TableRoomFixture {
protected:
    const QString pad_where = QStringLiteral("collection='pad' and cat='pad' and item_title='pad'");
    QString pad_text() {
        return ctx.db->scalar(QStringLiteral("select item_content from repos where ") + pad_where).toString();
    }
    static QPlainTextEdit* text_field(const NotepadWindow* pad) {
        return child<QPlainTextEdit>(pad, "t_testo");
    }
};

TEST_F(NotepadWindowTest, OpeningMakesTheNotepadItemOnceAndReopeningReplacesTheWindow) {
    NotepadWindow* pad = room->open_pad();
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(pad->windowTitle(), QStringLiteral("Pad"));
    EXPECT_EQ(count(pad_where), 1);
    EXPECT_EQ(child<QPushButton>(pad, "b_save_and_exit")->text(), QStringLiteral("&Save and exit (F12)"));
    QPointer<QWidget> first = pad;
    NotepadWindow* again = room->open_pad();
    settle();
    EXPECT_FALSE(first) << "the notepad is closed and opened afresh";
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(room->pad(), again);
    EXPECT_EQ(count(pad_where), 1);
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST_F(NotepadWindowTest, SaveAndF12WriteWithoutAsking) {
    NotepadWindow* pad = room->open_pad();
    type_text(text_field(pad), QStringLiteral("l'été"));
    QTest::mouseClick(child<QPushButton>(pad, "b_save"), Qt::LeftButton);
    EXPECT_EQ(pad_text(), QStringLiteral("l'été"));
    type_text(text_field(pad), QStringLiteral(" à Noël"));
    QPointer<QWidget> window = pad;
    QTest::keyClick(text_field(pad), Qt::Key_F12);
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(pad_text(), QStringLiteral("l'été à Noël"));
    EXPECT_TRUE(t.prompter.shown().empty());

    NotepadWindow* reopened = room->open_pad();
    EXPECT_EQ(text_field(reopened)->toPlainText(), QStringLiteral("l'été à Noël"));
}

TEST_F(NotepadWindowTest, LeavingWithoutSavingAsksNothingAndLosesTheText) {
    for (const char* how : {"b_cancel", "escape", "close box"}) {
        SCOPED_TRACE(how);
        NotepadWindow* pad = room->open_pad();
        type_text(text_field(pad), QStringLiteral("unsaved"));
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
    }
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(NotepadWindowTest, KeepsItsPlaceUnderThePadKeys) {
    NotepadWindow* pad = room->open_pad();
    area.subWindowList().last()->setGeometry(QRect(30, 20, 420, 310));
    QTest::keyClick(text_field(pad), Qt::Key_Escape);
    settle();
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_pad_top")), QStringLiteral("300"));
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_pad_left")), QStringLiteral("450"));
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_pad_width")), QStringLiteral("6300"));
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_pad_height")), QStringLiteral("4650"));
    room->open_pad();
    EXPECT_EQ(area.subWindowList().last()->geometry(), QRect(30, 20, 420, 310));
}

} // namespace
