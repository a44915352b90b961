// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/content_editor.h"
#include "table/ui/content_editor_window.h"
#include "table/ui/notepad_window.h"

#include <QPlainTextEdit>

namespace {

class ContentEditorWindowTest : public TableRoomFixture {
protected:
    qint64 dante = 0;
    void SetUp() override {
        TableRoomFixture::SetUp();
        dante = add("Books", "Poésie", "Dante d'Alighieri", "stored text");
    }

    static QPlainTextEdit* text_field(const QWidget* editor) {
        return child<QPlainTextEdit>(editor, "t_testo");
    }
    static void replace_text(ContentEditorWindow* editor, const QString& text) {
        text_field(editor)->selectAll();
        type_text(text_field(editor), text);
    }
    static void click(const ContentEditorWindow* editor, const char* button) {
        QTest::mouseClick(child<QPushButton>(editor, button), Qt::LeftButton);
    }
};

TEST_F(ContentEditorWindowTest, OpensOnTheItemInTheFirstFreeSlot) {
    ContentEditorWindow* first = room->open_content_editor(dante);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->slot(), 1);
    EXPECT_EQ(text_field(first)->toPlainText(), "stored text");
    ContentEditorWindow* second = room->open_content_editor(dante, "from the table");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->slot(), 2) << "several editors are open at once";
    EXPECT_EQ(text_field(second)->toPlainText(), "from the table");
    EXPECT_FALSE(second->changed());
    QPointer<QWidget> gone = first;
    click(first, "b_cancel");
    settle();
    EXPECT_FALSE(gone);
    EXPECT_EQ(room->open_content_editor(dante)->slot(), 1) << "a freed slot is taken again";
    // A missing item opens nothing and takes no slot.
    EXPECT_EQ(room->open_content_editor(dante + 50), nullptr);
    EXPECT_EQ(t.prompter.messages(), QStringList{item_not_found_message});
    EXPECT_EQ(room->editor_slots().in_use_count(), 2);
}

TEST_F(ContentEditorWindowTest, PlacesTooSmallForTheFontGrowToShowButtonsAndCaption) {
    ctx.prefs.font_size = 14;
    QFont large = area.font();
    large.setPointSizeF(14);
    area.setFont(large);
    for (const char* form : {"f_edit", "f_pad"}) {
        set_gen_param(*ctx.db, QString::fromLatin1(form) + "_width", "1500");
        set_gen_param(*ctx.db, QString::fromLatin1(form) + "_height", "900");
    }
    const QList<QWidget*> windows{room->open_content_editor(dante), room->open_pad()};
    settle();
    for (QWidget* window : windows) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(text_field(window)->font().family(), "Courier New");
        for (const QPushButton* b : window->findChildren<QPushButton*>()) {
            if (b->isVisibleTo(window)) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
            }
        }
        const QWidget* frame = window->parentWidget();
        EXPECT_GT(frame->width(), frame->fontMetrics().horizontalAdvance(window->windowTitle()));
    }
}

TEST_F(ContentEditorWindowTest, SaveWritesAndKeepsTheWindowSaveAndExitCloses) {
    // No-break spaces, tabs and blank lines come back as they were stored.
    const QString text = "prix\u00A0: 10\u00A0€\nl'été\n\n\tfin";
    const qint64 nr = add("Books", "Poésie", "nbsp", text);
    ContentEditorWindow* editor = room->open_content_editor(nr);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->changed());
    text_field(editor)->moveCursor(QTextCursor::End);
    type_text(text_field(editor), "!");
    click(editor, "b_save");
    EXPECT_EQ(content_of(nr), text + "!");
    EXPECT_FALSE(editor->changed());
    EXPECT_EQ(focused(), text_field(editor));
    type_text(text_field(editor), " à Noël");
    QPointer<QWidget> window = editor;
    QTest::keyClick(text_field(editor), Qt::Key_F12);
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(content_of(nr), text + "! à Noël");
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_EQ(room->editor_slots().in_use_count(), 0);

    // An item another window deleted meanwhile is told, not written again, and the editor closes.
    editor = room->open_content_editor(nr);
    window = editor;
    replace_text(editor, "typed meanwhile");
    ctx.db->exec("delete from repos where item_nr=" + QString::number(nr));
    click(editor, "b_save");
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(t.prompter.messages(), QStringList{item_not_found_message}) << "and asks nothing more";
    EXPECT_EQ(rows("item_nr=" + QString::number(nr)), 0);
}

TEST_F(ContentEditorWindowTest, ClosingChangedTextAsksWhetherToSaveCancelNever) {
    for (const auto& [yes, stored] : {std::pair{false, "stored text"}, std::pair{true, "answered"}}) {
        SCOPED_TRACE(yes);
        t.prompter.clear();
        ContentEditorWindow* editor = room->open_content_editor(dante);
        replace_text(editor, "answered");
        t.prompter.answer(yes);
        QTest::keyClick(text_field(editor), Qt::Key_Escape);
        settle();
        ASSERT_EQ(t.prompter.shown().size(), 1U);
        EXPECT_EQ(t.prompter.shown()[0].text, "Do you want to save the changes?");
        EXPECT_FALSE(t.prompter.shown()[0].default_yes);
        EXPECT_EQ(content_of(dante), QLatin1String(stored));
    }
    t.prompter.clear();
    ContentEditorWindow* editor = room->open_content_editor(dante);
    replace_text(editor, "changed");
    QPointer<QWidget> window = editor;
    click(editor, "b_cancel");
    settle();
    EXPECT_FALSE(window);
    EXPECT_EQ(content_of(dante), "answered");
    EXPECT_TRUE(t.prompter.shown().empty()) << "cancel asks nothing";
}

TEST_F(ContentEditorWindowTest, KeepsItsPlaceAndSizeUnderTheEditorKeys) {
    set_gen_param(*ctx.db, "f_edit_top", "1500");
    set_gen_param(*ctx.db, "f_edit_left", "3000");
    set_gen_param(*ctx.db, "f_edit_width", "9000");
    set_gen_param(*ctx.db, "f_edit_height", "6000");
    ContentEditorWindow* editor = room->open_content_editor(dante);
    QMdiSubWindow* frame = area.subWindowList().last();
    EXPECT_EQ(frame->geometry(), QRect(200, 100, 600, 400));
    frame->setGeometry(QRect(20, 10, 500, 300));
    QTest::keyClick(text_field(editor), Qt::Key_Escape);
    settle();
    EXPECT_EQ(get_gen_param(*ctx.db, "f_edit_left"), "300");
    EXPECT_EQ(get_gen_param(*ctx.db, "f_edit_width"), "7500");
}

TEST_F(ContentEditorWindowTest, OtherKeysGoToTheProgramWideKeysButTextEditingKeysStay) {
    std::vector<std::pair<int, int>> passed;
    t.windows.on_hot_key = [&](int shift, int key) {
        if (!is_modifier_key(key)) passed.emplace_back(shift, key);
        return key == Qt::Key_F6 || key == Qt::Key_K;
    };
    ContentEditorWindow* editor = room->open_content_editor(dante);
    QTest::keyClick(text_field(editor), Qt::Key_F6);
    QTest::keyClick(text_field(editor), Qt::Key_A, Qt::ControlModifier);                   // select all
    QTest::keyClick(text_field(editor), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier); // consumed
    QTest::keyClick(text_field(editor), Qt::Key_X);
    EXPECT_EQ(passed, (std::vector<std::pair<int, int>>{{0, Qt::Key_F6}, {6, Qt::Key_K}, {0, Qt::Key_X}}));
    EXPECT_EQ(text_field(editor)->toPlainText(), "x") << "Ctrl+A selected the text for the typing";
    // While keys are locked no key acts.
    passed.clear();
    ctx.key_lock = true;
    QTest::keyClick(text_field(editor), Qt::Key_F12);
    QTest::keyClick(text_field(editor), Qt::Key_Z);
    EXPECT_TRUE(passed.empty());
    EXPECT_EQ(room->editor(1), editor);
    EXPECT_EQ(text_field(editor)->toPlainText(), "x");
    ctx.key_lock = false;
    text_field(editor)->setPlainText(editor->reference_text());
}

TEST_F(ContentEditorWindowTest, WindowsLeftOpenAtTheEndAreClosedWithTheirManager) {
    QPointer<QWidget> editor = room->open_content_editor(dante);
    QPointer<QWidget> pad = room->open_pad();
    room.reset();
    EXPECT_FALSE(editor);
    EXPECT_FALSE(pad);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    room = std::make_unique<TableRoomWindows>(ctx, *maps, [this] { return &area; });
}

TEST_F(ContentEditorWindowTest, F10InAMapEditsTheSelectedItemAndSavingRefreshesTheMap) {
    MapWindow* map = maps->open_map("Books: Poésie");
    ASSERT_NE(map, nullptr);
    map->select(0);
    QTest::keyClick(map->findChild<QWidget*>("pan_pan"), Qt::Key_F10);
    ContentEditorWindow* editor = room->editor(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->item_nr(), dante);
    replace_text(editor, "LINK=c:/x");
    click(editor, "b_save");
    EXPECT_EQ(map->items().item(0).content, "LINK=c:/x");
}

} // namespace
