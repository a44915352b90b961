// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"
#include "support/file_tree.h"
#include "support/window_fixtures.h"
#include "table/file_search.h"
#include "table/ui/file_search_window.h"
#include "table/ui/table_edit_area.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

class FileSearchWindowTest : public TableRoomFixture {
protected:
    QTemporaryDir tree;
    QString root = tree.path();

    void SetUp() override {
        TableRoomFixture::SetUp();
        ASSERT_TRUE(
            make_file_tree(root, {"Notes.txt", "page.HTML", "sub/l'été notes.txt", "sub/deep/other.md"}));
        t.settings.save_setting(init_dir_setting, root);
    }

    FileSearchWindow* open_window() {
        FileSearchWindow* window = room->open_file_search();
        EXPECT_NE(window, nullptr);
        return window;
    }
    // Types the string, answers the question and lets the walk run to its end.
    void search(FileSearchWindow* window, const QString& text, bool proceed = true) {
        auto* field = child<QLineEdit>(window, "t_search_string_1");
        field->setText(text);
        t.prompter.answer(proceed);
        QTest::keyClick(field, Qt::Key_Return);
        for (int i = 0; i < 1000 && window->searching(); ++i)
            settle();
        EXPECT_FALSE(window->searching());
    }
    static QStringList listed(const FileSearchWindow* window) {
        QStringList paths;
        auto* list = child<QListWidget>(window, "List1");
        for (int row = 0; row < list->count(); ++row)
            paths.append(list->item(row)->text());
        return paths;
    }
    QString at(const QString& relative) const { return root + QLatin1Char('/') + relative; }
};

TEST_F(FileSearchWindowTest, ASearchListsTheFilesOpensOneAndLinksAnother) {
    FileSearchWindow* window = open_window();
    EXPECT_EQ(child<QLineEdit>(window, "t_init_dir_for_search")->text(), root);
    EXPECT_FALSE(child<QPushButton>(window, "b_open")->isEnabled());
    search(window, "NOTES");
    ASSERT_EQ(t.prompter.shown().size(), 1U);
    EXPECT_EQ(t.prompter.shown()[0].kind, "yes_no");
    EXPECT_TRUE(t.prompter.shown()[0].text.contains("\"NOTES\""));
    EXPECT_EQ(listed(window), (QStringList{at("Notes.txt"), at("sub/l'été notes.txt")}));
    EXPECT_EQ(child<QLabel>(window, "lab_search_results")->text(), "Search results (2 files)");
    EXPECT_TRUE(window->windowTitle().startsWith("directories searched: 3  --  files searched: 4"));
    auto* list = child<QListWidget>(window, "List1");
    EXPECT_EQ(list->currentRow(), 0) << "the first result is selected";

    QTest::mouseClick(child<QPushButton>(window, "b_open"), Qt::LeftButton);
    EXPECT_EQ(t.desktop.opened, QStringList{at("Notes.txt")});
    list->setCurrentRow(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(t.desktop.opened.last(), at("sub/l'été notes.txt"));

    // L on the list hands the selected file to the table view of "File links".
    QTest::keyClick(list, Qt::Key_L);
    EXPECT_EQ(t.windows.calls_to("open_table_view"), QStringList{"open_table_view 3"});
    // L in the string field is typed.
    auto* field = child<QLineEdit>(window, "t_search_string_1");
    field->clear();
    QTest::keyClick(field, Qt::Key_L);
    EXPECT_EQ(field->text(), "l");
    EXPECT_EQ(t.windows.calls_to("open_table_view").size(), 1);
}

TEST_F(FileSearchWindowTest, TheLinkStartsAnInsertInTheTableView) {
    TableViews tables(
        ctx, [this] { return &area; }, *maps);
    t.windows.on_open_table_view = [&tables](int position) { tables.open_table_view(position); };
    FileSearchWindow* window = open_window();
    search(window, ".html");
    ASSERT_EQ(listed(window), QStringList{at("page.HTML")});
    QTest::mouseClick(child<QPushButton>(window, "b_create_link"), Qt::LeftButton);
    settle();
    TableView* view = tables.window(4);
    ASSERT_NE(view, nullptr) << "a web page goes to Internet URLs";
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    EXPECT_EQ(view->edit_area()->content_field()->toPlainText(), "LINK=" + at("page.HTML"));
    EXPECT_TRUE(ctx.table_presets.empty());
    t.prompter.answer(false); // the unsaved insert is dropped at closing
    tables.close_all();
    settle();
}

TEST_F(FileSearchWindowTest, EscapeStopsTheSearchKeepsTheResultsThenCloses) {
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many.append(QStringLiteral("d%1/f%1.txt").arg(i, 2, 10, QLatin1Char('0')));
    ASSERT_TRUE(make_file_tree(root, many));
    FileSearchWindow* window = open_window();
    window->set_entries_per_slice(5);
    auto* field = child<QLineEdit>(window, "t_search_string_1");
    field->setText(".txt");
    t.prompter.answer(true);
    QTest::mouseClick(child<QPushButton>(window, "b_search_file"), Qt::LeftButton);
    for (int i = 0; i < 12; ++i)
        settle();
    ASSERT_TRUE(window->searching());
    const int before = child<QListWidget>(window, "List1")->count();
    ASSERT_GT(before, 0);
    QPointer<QWidget> alive = window;
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(window->searching());
    settle();
    ASSERT_TRUE(open(alive)) << "the first Escape only stops the search";
    EXPECT_EQ(child<QListWidget>(window, "List1")->count(), before);
    EXPECT_TRUE(child<QPushButton>(window, "b_create_link")->isEnabled());
    QTest::keyClick(field, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(open(alive));
    EXPECT_FALSE(get_gen_param(*ctx.db, "f_file_search_top").isEmpty()) << "the place is kept";
}

TEST_F(FileSearchWindowTest, NoSearchWithoutYesOrWithoutADirectory) {
    FileSearchWindow* window = open_window();
    search(window, "notes", false);
    EXPECT_TRUE(listed(window).isEmpty());
    auto* dir_field = child<QLineEdit>(window, "t_init_dir_for_search");
    dir_field->setText(at("missing"));
    t.prompter.clear();
    search(window, "notes");
    ASSERT_EQ(t.prompter.shown().size(), 1U);
    EXPECT_EQ(t.prompter.shown()[0].text, "This directory does not exist: " + at("missing"));
    t.prompter.clear();
    // A click on the check box searches again, over whole paths.
    dir_field->setText(root + "/");
    t.prompter.answer(true);
    QTest::mouseClick(child<QCheckBox>(window, "c_include_dir_names"), Qt::LeftButton);
    for (int i = 0; i < 100 && window->searching(); ++i)
        settle();
    EXPECT_EQ(listed(window), (QStringList{at("Notes.txt"), at("sub/l'été notes.txt")}));
}

TEST_F(FileSearchWindowTest, TheInitialDirectoryIsChosenStoredAndOneWindowServes) {
    t.settings.save_setting(init_dir_setting, QString());
    FileSearchWindow* window = open_window();
    EXPECT_EQ(child<QLineEdit>(window, "t_init_dir_for_search")->text(), QDir::homePath());
    t.prompter.answer(std::optional<QString>());
    QTest::mouseClick(child<QPushButton>(window, "b_change_init_dir_for_search"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(window, "t_init_dir_for_search")->text(), QDir::homePath())
        << "cancel changes nothing";
    t.prompter.answer((root + "/sub/").toUtf8().constData());
    QTest::mouseClick(child<QPushButton>(window, "b_change_init_dir_for_search"), Qt::LeftButton);
    EXPECT_EQ(t.settings.get_setting(init_dir_setting), at("sub"));
    EXPECT_EQ(child<QLineEdit>(window, "t_init_dir_for_search")->text(), at("sub"));
    EXPECT_EQ(room->open_file_search(), window) << "the open window comes forward";
}

} // namespace
