// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/db_error.h"
#include "core/schema.h"
#include "shell/password_change.h"
#include "shell/ui/command_form.h"
#include "shell/ui/main_window.h"
#include "support/test_db.h"
#include "ui/ui_helpers.h"

#include <QEventLoop>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

namespace {

class CommandFormTest : public ::testing::Test {
protected:
    TestDb db;
    TestContext& t = db.tc;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<CommandForm> form;
    std::vector<int> ended;

    void open(const QString& password) {
        db.open_db(QStringLiteral("family.tdb"), password, 12);
        window = std::make_unique<MainWindow>(t.ctx);
        window->show();
        form = std::make_unique<CommandForm>(t.ctx, [this] { return window.get(); });
        form->end_program = [this](int code) { ended.push_back(code); };
    }
    QTimer* timer() const { return form->findChild<QTimer*>(QStringLiteral("Timer1")); }
};

// The unlock box as it shows: its title and masking, then `answer` typed (nullopt: Cancel).
void answer_unlock_box(const std::optional<QString>& answer, QStringList* seen = nullptr) {
    when_modal_shows([answer, seen](QWidget* modal) {
        auto* box = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(box, nullptr);
        if (seen) {
            seen->append(box->windowTitle());
            seen->append(box->textEchoMode() == QLineEdit::Password ? "masked" : "plain");
        }
        if (!answer) {
            box->reject();
            return;
        }
        box->setTextValue(*answer);
        box->accept();
    });
}

} // namespace

TEST_F(CommandFormTest, TheTimerTicksEverySecondOnceStarted) {
    open(QStringLiteral("pw"));
    ASSERT_NE(timer(), nullptr);
    EXPECT_EQ(timer()->interval(), 1000);
    EXPECT_FALSE(timer()->isActive());
    t.ctx.inactivity = 40;
    form->start_timer();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(t.ctx.inactivity, 0);
}

TEST_F(CommandFormTest, AnyMouseOrKeyInputResetsTheCount) {
    open(QStringLiteral("pw"));
    const QPointF at(10, 10);
    QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QWheelEvent wheel(at, at, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QEvent paint(QEvent::UpdateRequest);
    const auto count_after = [this](QEvent* event) {
        t.ctx.inactivity = 77;
        QApplication::sendEvent(window->mdi_area(), event);
        return t.ctx.inactivity;
    };
    // Before the form is loaded nothing watches the input.
    EXPECT_EQ(count_after(&move), 77);
    form->load();
    for (QEvent* event : std::initializer_list<QEvent*>{&move, &press, &key, &wheel})
        EXPECT_EQ(count_after(event), 0) << event->type();
    // Other events are no activity.
    EXPECT_EQ(count_after(&paint), 77);
}

TEST_F(CommandFormTest, LockHidesEveryWindowUntilTheMaskedAnswerAndCancelEnds) {
    open(QStringLiteral("Secret"));
    window->showMaximized();
    // A text window of its own beside the main window, as tips and the key list are.
    QWidget text_window(window.get(), Qt::Window);
    text_window.show();
    form->start_timer();
    QStringList seen;
    QStringList visible_while_asked;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && widget != QApplication::activeModalWidget())
                visible_while_asked.append(widget->objectName() + QLatin1Char(' ') +
                                           widget->metaObject()->className());
    });
    answer_unlock_box(QStringLiteral("SECRET"), &seen);
    form->lock_program();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Tessarin (family)"), QStringLiteral("masked")}));
    EXPECT_TRUE(visible_while_asked.isEmpty()) << visible_while_asked.join(", ").toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(text_window.isVisible());
    EXPECT_TRUE(timer()->isActive());
    EXPECT_TRUE(ended.empty());

    // Cancel ends the program and stops the timer.
    answer_unlock_box(std::nullopt);
    form->lock_program();
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(CommandFormTest, ChangePasswordThroughTheDialogKeepsNineCharacters) {
    open(QStringLiteral("Old"));
    QStringList titles;
    const auto fill = [&titles](const QString& text, const std::function<void()>& next) {
        when_modal_shows([&titles, text, next](QWidget* modal) {
            titles.append(modal->windowTitle());
            auto* change_db = modal->findChild<QPushButton*>(QStringLiteral("b_change_db"));
            ASSERT_NE(change_db, nullptr);
            EXPECT_FALSE(change_db->isVisible());
            type_text(modal->findChild<QLineEdit*>(QStringLiteral("t_password")), text);
            if (next) next();
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("b_enter")), Qt::LeftButton);
        });
    };
    fill(QStringLiteral("Old"),
         [&] { fill(QStringLiteral("abcdefghij"), [&] { fill(QStringLiteral("ABCDEFGHI"), nullptr); }); });
    form->ask_password_change();
    EXPECT_EQ(titles.size(), 3);
    EXPECT_TRUE(
        t.prompter.messages().contains(QStringLiteral("Password should no be longer than 9 characters")));
    ASSERT_TRUE(t.ctx.db);
    EXPECT_EQ(t.ctx.db->password(), QStringLiteral("abcdefghi"));
    EXPECT_EQ(count_items(t.ctx.db_path, QStringLiteral("abcdefghi"), &t.clock), 12);
    EXPECT_THROW(count_items(t.ctx.db_path, QStringLiteral("Old"), &t.clock), DbError);
}

// The captions and checks follow each change (their texts are the logic's, tested with it).
TEST_F(CommandFormTest, PreferencesEntriesKeepTheirCaptionsAndChecksCurrent) {
    open(QStringLiteral("pw"));
    QMenu menu;
    form->build_preferences(menu);
    const auto action = [&menu](const char* name) { return menu.findChild<QAction*>(QLatin1String(name)); };
    EXPECT_FALSE(action("m_interval_of_random_item_change")->isVisible());

    t.prompter.answer("14");
    action("m_font_size")->trigger();
    EXPECT_TRUE(action("m_font_size")->text().contains(QStringLiteral("now = 14")));

    QAction* start_maps = action("m_open_start_map_at_startup");
    EXPECT_FALSE(start_maps->isChecked());
    start_maps->trigger();
    EXPECT_TRUE(start_maps->isChecked());
    EXPECT_TRUE(t.ctx.prefs.open_start_maps);
    start_maps->trigger();
    EXPECT_FALSE(start_maps->isChecked());
    EXPECT_TRUE(t.prompter.all_answered());
}

TEST(CommandFormEnd, LeavesTheRunningLoopAndTheMainLoop) {
    TestContext t;
    CommandForm form(t.ctx, []() -> MainWindow* { return nullptr; });
    // A dialog's loop running when the unlock box was cancelled.
    QEventLoop dialog_loop;
    QTimer::singleShot(0, &dialog_loop, [&form] { form.end_program(3); });
    EXPECT_EQ(dialog_loop.exec(), 3);
    // The application's main loop, started afterwards, ends at once with the same code.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(-1); }); // never hang
    EXPECT_EQ(QCoreApplication::exec(), 3);
}
