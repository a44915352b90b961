// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/map_names.h"
#include "maps/map_selection.h"
#include "maps/ui/create_map_dialog.h"
#include "maps/ui/map_dialog.h"
#include "support/db_fixtures.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

template <class W> W* control(const QWidget& dialog, const char* name) {
    W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString field(const QWidget& dialog, const char* name) {
    return control<QLineEdit>(dialog, name)->text();
}

void click(const QWidget& dialog, const char* button) {
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

// Clicks the list entry showing `text`; false when the list has none.
bool click_entry(const QWidget& dialog, const QString& text) {
    auto* list = control<QListWidget>(dialog, "List1");
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    return true;
}

QStringList entries(const QWidget& dialog) {
    auto* list = control<QListWidget>(dialog, "List1");
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

class MapDialogTest : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        add("Books", "Novels", "Emma");
        add("Books", "Poetry,L'été", "O'Brien");
    }
};

TEST_F(MapDialogTest, TheSelectionDialogIsFilledWalkedThroughAndAccepted) {
    SelectMapDialog dialog(ctx, nullptr, MapParts{s("Books"), s("Novels"), s("Emma")}, false);
    dialog.show();
    EXPECT_EQ(field(dialog, "t_collection"), s("Books"));
    EXPECT_EQ(field(dialog, "t_cat"), s("Novels"));
    EXPECT_EQ(field(dialog, "t_item"), s("Emma"));
    EXPECT_FALSE(control<QListWidget>(dialog, "List1")->isVisible());

    // Collections, then a collection's categories (comma lists split), then a category accepts.
    click(dialog, "b_look_collections");
    ASSERT_TRUE(control<QListWidget>(dialog, "List1")->isVisible());
    ASSERT_TRUE(click_entry(dialog, s("Books")));
    EXPECT_EQ(entries(dialog), (QStringList{s("L'été"), s("Novels"), s("Poetry")}));
    EXPECT_TRUE(field(dialog, "t_cat").isEmpty());
    ASSERT_TRUE(click_entry(dialog, s("L'été")));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (MapParts{s("Books"), s("L'été"), {}}));
    EXPECT_TRUE(t.prompter.messages().isEmpty());
}

TEST_F(MapDialogTest, ARefusalKeepsTheDialogOpenAndEnterInTheCategoryAccepts) {
    SelectMapDialog dialog(ctx, nullptr, MapParts{s("Books"), {}, {}}, false);
    dialog.show();
    click(dialog, "b_look_item");
    EXPECT_EQ(t.prompter.messages(), QStringList{select_cat_first_message});
    auto* cat = control<QLineEdit>(dialog, "t_cat");
    cat->setText(s("Drafts"));
    QTest::keyClick(cat, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(t.prompter.messages().last(), selection_missing_message);
    cat->setText(s("novels"));
    QTest::keyClick(cat, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.choice(), (MapParts{s("Books"), s("novels"), {}}));
}

TEST_F(MapDialogTest, CollectionOnlyModeAndTheStoredPlace) {
    {
        SelectMapDialog dialog(ctx, nullptr, MapParts{s("Books"), s("Novels"), {}}, true);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), s("Select collection"));
        EXPECT_FALSE(control<QLineEdit>(dialog, "t_cat")->isVisible());
        EXPECT_FALSE(control<QPushButton>(dialog, "b_look_categories")->isVisible());
        click(dialog, "b_look_collections");
        ASSERT_TRUE(click_entry(dialog, s("Agenda")));
        EXPECT_TRUE(dialog.isVisible()) << "a collection alone waits for Select";
        dialog.move(120, 80);
        click(dialog, "b_cancel");
        EXPECT_EQ(dialog.choice(), std::nullopt);
    }
    EXPECT_EQ(get_gen_param(db(), s("f_select_map_left")), QString::number(120 * 15));
    EXPECT_EQ(get_gen_param(db(), s("f_select_map_top")), QString::number(80 * 15));
    SelectMapDialog again(ctx, nullptr, MapParts{}, false);
    EXPECT_EQ(again.pos(), QPoint(120, 80));
}

TEST_F(MapDialogTest, TheOpenOrCreateDialogCreatesOpensAndRefuses) {
    const int before = rows();
    CreateMapDialog dialog(ctx, nullptr, MapParts{s("Books"), {}, {}});
    dialog.show();
    EXPECT_FALSE(control<QPushButton>(dialog, "b_create_map")->isEnabled()) << "no category typed";
    control<QLineEdit>(dialog, "t_cat")->setText(s("novels"));
    ASSERT_TRUE(control<QPushButton>(dialog, "b_create_map")->isEnabled());
    click(dialog, "b_create_map");
    EXPECT_EQ(t.prompter.messages(), QStringList{map_already_exists_message});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(rows(), before);

    control<QLineEdit>(dialog, "t_cat")->setText(s("Drafts #1"));
    click(dialog, "b_create_map");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(titles_in(s("Books"), s("Drafts #1")), QStringList{s("-")});
    EXPECT_EQ(t.windows.calls, QStringList{s("open_map Books: Drafts #1")});
}

TEST_F(MapDialogTest, TheOpenOrCreateDialogOpensTheTableOrADoubleClickedCategory) {
    {
        CreateMapDialog dialog(ctx, nullptr, MapParts{s("Books"), s("Novels"), {}});
        dialog.show();
        click(dialog, "b_open_table_view_of_map");
        EXPECT_EQ(t.windows.calls, QStringList{s("open_table_view 7")});
        EXPECT_EQ(ctx.table_presets.category, s("Novels"));
    }
    t.windows.calls.clear();
    CreateMapDialog dialog(ctx, nullptr, MapParts{});
    dialog.show();
    click(dialog, "b_look_categories");
    EXPECT_EQ(t.prompter.messages(), QStringList{select_collection_first_message});
    click(dialog, "b_look_collections");
    ASSERT_TRUE(click_entry(dialog, s("Books")));
    ASSERT_TRUE(click_entry(dialog, s("Poetry")));
    EXPECT_EQ(field(dialog, "t_cat"), s("Poetry"));
    EXPECT_TRUE(dialog.isVisible()) << "one click only chooses";
    auto* list = control<QListWidget>(dialog, "List1");
    const QPoint at = list->visualItemRect(list->findItems(s("Poetry"), Qt::MatchExactly).first()).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(t.windows.calls, QStringList{s("open_map Books: Poetry")});
}
