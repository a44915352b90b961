// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The random item view in an MDI area: opening, the timer and its pauses, keys, pictures,
// deleted items, the slot limit and the pop-up menu's commands.
#include "core/ui/form_place.h"
#include "random/ui/random_item_window.h"
#include "random/ui/random_windows.h"
#include "support/db_fixtures.h"
#include "support/window_fixtures.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class RandomItemWindowTest : public MdiFixture {
protected:
    std::unique_ptr<RandomWindows> views;
    std::vector<qint64> novels;

    void SetUp() override {
        open_area(s("random.tdb"));
        for (int i = 1; i <= 5; ++i)
            novels.push_back(add(s("Agenda"), s("Novels"), QStringLiteral("novel %1").arg(i)));
        views = std::make_unique<RandomWindows>(ctx, [this] { return &area; });
    }
    void TearDown() override {
        views->close_all();
        maps->close_all();
        settle();
        views.reset();
        maps.reset();
    }

    static RandomSelection selection_of(const QString& query, const QString& map_name = {}) {
        RandomSelection selection;
        selection.query = query;
        selection.map_name = map_name;
        return selection;
    }
    RandomItemWindow* open_novels() {
        return views->open(selection_of(s("Select * from repos where collection='Agenda' order by item_nr")));
    }
    static QLabel* label(const RandomItemWindow* view, const char* name) {
        auto* found = view->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QAction* command(const RandomItemWindow* view, const char* name) {
        auto* found = view->findChild<QMenu*>(s("m_popup"))->findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Draws landing on item `index` of `count`.
    void next_draws(std::initializer_list<int> indexes, int count) {
        t.random.values.clear();
        t.random.index = 0;
        for (int index : indexes) {
            t.random.values.push_back((index + 0.5) / count);
            // Each of the three label colours takes three draws (0.9 is light enough at once),
            // the place two.
            for (int other = 0; other < 11; ++other)
                t.random.values.push_back(0.9);
        }
    }
    QString write_picture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QString path = tc.env.path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(RandomItemWindowTest, OpensOnAnItemAndTheTimerChangesItUnlessPaused) {
    ctx.prefs.change_interval = 2.5F;
    t.random.values = {0.0, 0.9};
    RandomItemWindow* view = open_novels();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->timer()->interval(), 2500);
    EXPECT_TRUE(view->timer()->isActive());
    EXPECT_EQ(view->shown_item(), novels[0]);
    EXPECT_EQ(label(view, "lab_item")->text(), s(" novel 1 "));
    EXPECT_EQ(label(view, "lab_item")->font().pointSize(), large_caption_points);
    // Opened without a map: collection and category are shown.
    EXPECT_FALSE(label(view, "lab_collection")->isHidden());
    EXPECT_EQ(label(view, "lab_cat")->text(), s(" Novels "));
    EXPECT_EQ(view->form_attributes().item_nr, novels[0]);
    EXPECT_EQ(ctx.active_kind, WindowKind::RandomItem);

    next_draws({3}, 5);
    ctx.allow_automatic_changes = false;
    view->on_tick();
    EXPECT_EQ(view->shown_item(), novels[0]);
    ctx.allow_automatic_changes = true;
    ctx.key_lock = true;
    view->on_tick();
    EXPECT_EQ(view->shown_item(), novels[0]);
    ctx.key_lock = false;
    views->set_dragging(view->slot());
    view->on_tick();
    EXPECT_EQ(view->shown_item(), novels[0]);
    views->set_dragging(0);
    ctx.inactivity = 40;
    view->on_tick();
    EXPECT_EQ(view->shown_item(), novels[3]);
    EXPECT_EQ(label(view, "lab_item")->text(), s(" novel 4 "));
    EXPECT_EQ(ctx.inactivity, 0) << "a change counts as activity for the auto-lock";
}

TEST_F(RandomItemWindowTest, KeysStepThroughTheHistoryAndEscapeStopsThenCloses) {
    next_draws({0, 1, 2}, 5);
    RandomItemWindow* view = open_novels();
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(view->shown_item(), novels[2]);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(view->shown_item(), novels[1]);
    EXPECT_FALSE(view->timer()->isActive()) << "going back stops the automatic change";
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(view->shown_item(), novels[0]);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(t.desktop.beeps, 1);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(view->shown_item(), novels[1]);

    command(view, "m_autochange")->trigger();
    EXPECT_TRUE(view->timer()->isActive());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->timer()->isActive());
    EXPECT_EQ(views->open_count(), 1);
    QTest::keyClick(view, Qt::Key_Escape);
    settle();
    EXPECT_EQ(views->open_count(), 0);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(RandomItemWindowTest, SelectionsWithNothingToShowAndTheTwentySixthOpenNoWindow) {
    EXPECT_EQ(views->open(selection_of(s("Select * from repos where collection='Nobody'"))), nullptr);
    EXPECT_EQ(views->open(RandomSelection{}), nullptr);
    EXPECT_EQ(views->open(selection_of(s("select distinct cat from repos"))), nullptr);
    RandomSelection empty_dir;
    QDir().mkpath(tc.env.path(s("nothing")));
    tc.env.write_file(s("nothing/notes.txt"), "no picture");
    empty_dir.picture_dir = tc.env.path(s("nothing")) + s("/");
    EXPECT_EQ(views->open(empty_dir), nullptr);
    EXPECT_EQ(views->open(selection_of(s("Select * from nowhere"))), nullptr);
    const QStringList shown = t.prompter.messages();
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[0], s("The selection has no items to show."));
    EXPECT_EQ(shown[1], empty_random_selection_message);
    EXPECT_EQ(shown[2], distinct_random_selection_message);
    EXPECT_TRUE(shown[3].startsWith(s("There are no pictures in the directory")));
    EXPECT_TRUE(shown[4].startsWith(s("Error "))) << shown[4].toStdString();
    EXPECT_EQ(views->open_count(), 0);
    EXPECT_TRUE(area.subWindowList().isEmpty());

    // A directory without pictures leaves the items of the statement.
    empty_dir.query = s("Select * from repos");
    RandomItemWindow* view = views->open(empty_dir);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->chooser().picture_mode());

    // The twenty-sixth view is refused; a closed view frees its slot for the next one.
    for (int i = 1; i < RandomWindows::capacity; ++i)
        ASSERT_NE(open_novels(), nullptr) << i;
    t.prompter.clear();
    EXPECT_EQ(open_novels(), nullptr);
    EXPECT_EQ(t.prompter.messages(), QStringList{random_slots_full_message});
    EXPECT_EQ(views->open_count(), RandomWindows::capacity);
    close_form(*views->window(7));
    settle();
    RandomItemWindow* again = open_novels();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->slot(), 7);
}

TEST_F(RandomItemWindowTest, LongTitlesWrapSmallAndAMapsViewHidesItsPlace) {
    const qint64 long_one = add(s("Notes"), s("Long"), QString(300, QLatin1Char('w')), s("its content"));
    RandomItemWindow* view =
        views->open(selection_of(s("Select * from repos where cat='Long'"), s("Notes: Long")));
    ASSERT_NE(view, nullptr);
    QLabel* item = label(view, "lab_item");
    EXPECT_EQ(view->shown_item(), long_one);
    EXPECT_EQ(item->font().pointSize(), small_caption_points);
    EXPECT_TRUE(item->wordWrap());
    EXPECT_LE(item->width(), 420);
    EXPECT_EQ(item->toolTip(), s("its content"));
    // Made for one map: the collection and category labels start hidden.
    EXPECT_TRUE(label(view, "lab_collection")->isHidden());
    command(view, "m_col_and_cat_visible")->trigger();
    EXPECT_FALSE(label(view, "lab_collection")->isHidden());
}

TEST_F(RandomItemWindowTest, PicturesAreReadScaledAndBrokenOnesShowNothing) {
    const QString big = write_picture(s("pics/big.png"), QSize(2000, 1500));
    const QString broken =
        tc.env.write_file(s("pics/broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0 truncated", 14));
    const qint64 linked = add(s("Notes"), s("Pics"), s("linked"), s("LINK=") + big);
    const qint64 missing =
        add(s("Notes"), s("Pics"), s("missing"), s("LINK=") + tc.env.path(s("pics/gone.jpg")));
    const qint64 truncated = add(s("Notes"), s("Pics"), s("truncated"), s("LINK=") + broken);
    next_draws({0, 1, 2}, 3);
    RandomItemWindow* view =
        views->open(selection_of(s("Select * from repos where cat='Pics' order by item_nr")));
    ASSERT_NE(view, nullptr);
    auto* picx = label(view, "picx");
    EXPECT_EQ(view->shown_item(), linked);
    EXPECT_FALSE(picx->isHidden());
    EXPECT_EQ(picx->pixmap().size(), QSize(640, 480));
    EXPECT_EQ(view->shown_picture(), big);
    EXPECT_EQ(label(view, "lab_item")->font().pointSize(), small_caption_points);
    // Without the picture viewer its command is there, disabled; with it, the menu is brought up
    // to date as a right click opens it, and the command hands the shown picture on.
    EXPECT_TRUE(command(view, "m_view_image")->isVisible());
    EXPECT_FALSE(command(view, "m_view_image")->isEnabled());
    tc.windows.picture_viewer = true;
    const auto open_menu = [view](const char* on) {
        QTest::mousePress(label(view, on), Qt::RightButton);
        view->findChild<QMenu*>(s("m_popup"))->hide();
    };
    open_menu("picx");
    ASSERT_TRUE(command(view, "m_view_image")->isEnabled());
    command(view, "m_view_image")->trigger();
    EXPECT_EQ(tc.windows.calls_to(s("show_picture")), QStringList{s("show_picture ") + big});

    view->show_next();
    EXPECT_EQ(view->shown_item(), missing);
    EXPECT_TRUE(picx->isHidden());
    open_menu("lab_item");
    EXPECT_FALSE(command(view, "m_view_image")->isEnabled()) << "nothing to show without a picture";
    view->show_next();
    EXPECT_EQ(view->shown_item(), truncated);
    EXPECT_TRUE(picx->isHidden());
    EXPECT_TRUE(view->shown_picture().isEmpty());
}

TEST_F(RandomItemWindowTest, ADirectoryOfPicturesShowsEachOncePerCycle) {
    for (const char* name : {"a.png", "b.png", "c.png"})
        write_picture(s("album/") + s(name), QSize(40, 30));
    tc.env.write_file(s("album/d.jpg"), "not a picture at all");
    RandomSelection album;
    album.picture_dir = tc.env.path(s("album")) + s("/");
    album.map_name = s("Notes: Album");
    next_draws({1, 1, 1, 1}, 4);
    RandomItemWindow* view = views->open(album);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->chooser().picture_mode());
    QStringList shown{QFileInfo(view->chooser().current().picture).fileName()};
    for (int i = 0; i < 3; ++i) {
        view->show_next();
        shown.append(QFileInfo(view->chooser().current().picture).fileName());
    }
    EXPECT_EQ(shown, (QStringList{s("b.png"), s("c.png"), s("d.jpg"), s("a.png")}));
    // The unreadable d.jpg showed its name and no picture; a.png shows at its own size.
    EXPECT_EQ(label(view, "lab_item")->text(), s(" a.png "));
    EXPECT_EQ(label(view, "picx")->pixmap().size(), QSize(40, 30));
    EXPECT_EQ(label(view, "picx")->toolTip(), s("a.png"));
    EXPECT_EQ(label(view, "lab_cat")->text(), s(" Album "));
}

TEST_F(RandomItemWindowTest, AnItemDeletedWhileShownGivesWayToAnother) {
    next_draws({2}, 5);
    RandomItemWindow* view = open_novels();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->shown_item(), novels[2]);
    view->show_next();
    ASSERT_EQ(view->chooser().history().position(), 2);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(novels[2]));
    // Going back to it finds it gone: it leaves the history and another is drawn.
    next_draws({0}, 5);
    view->show_previous();
    EXPECT_NE(view->shown_item(), novels[2]);
    EXPECT_NE(view->shown_item(), 0);
    // The table view of the item on display.
    view->table_view_of_item();
    EXPECT_EQ(t.windows.calls.last(), s("open_table_view 1"));
    EXPECT_EQ(ctx.table_presets.item_nr, view->shown_item());

    db().exec(s("delete from repos"));
    command(view, "m_autochange")->trigger();
    view->on_tick();
    settle();
    EXPECT_EQ(views->open_count(), 0) << "an emptied selection closes the view";
}

TEST_F(RandomItemWindowTest, MenuCommandsChangeTheSelectionAndTellWhatIsMissing) {
    const qint64 poem = add(s("Books"), s("Poetry"), s("Ode"));
    RandomItemWindow* view = open_novels();
    ASSERT_NE(view, nullptr);
    command(view, "m_random_map_view_of_items")->trigger();
    EXPECT_EQ(t.prompter.messages().last(), s("Function under construction"));

    t.windows.on_select_map = [](const MapParts&, bool) {
        return std::optional<MapParts>(MapParts{QStringLiteral("Books"), QStringLiteral("Poetry"), {}});
    };
    command(view, "m_change_selection")->trigger();
    EXPECT_EQ(view->shown_item(), poem);
    EXPECT_EQ(view->form_attributes().query,
              s("Select * from repos where collection='Books' and cat='Poetry'"));
    EXPECT_EQ(view->form_attributes().map_name, s("Books: Poetry"));
    // A choice without items keeps the selection.
    t.windows.on_select_map = [](const MapParts&, bool) {
        return std::optional<MapParts>(MapParts{QStringLiteral("Money"), QStringLiteral("Nothing"), {}});
    };
    command(view, "m_change_selection")->trigger();
    EXPECT_EQ(t.prompter.messages().last(), s("The selection has no items to show."));
    EXPECT_EQ(view->form_attributes().map_name, s("Books: Poetry"));

    for (const char* toggle :
         {"m_selection_change_on_off", "m_random_item_position_change", "m_color_change"})
        command(view, toggle)->trigger();
    EXPECT_FALSE(view->chooser().toggles.selection_change);
    EXPECT_FALSE(view->chooser().toggles.position_change);
    EXPECT_FALSE(view->chooser().toggles.colour_change);
    command(view, "m_close")->trigger();
    settle();
    EXPECT_EQ(views->open_count(), 0);
}

TEST_F(RandomItemWindowTest, AShortPressShowsTheNextItemAndALongOneMovesTheWindow) {
    next_draws({0, 1}, 5);
    RandomItemWindow* view = open_novels();
    ASSERT_NE(view, nullptr);
    QLabel* cat = label(view, "lab_cat");
    QTest::mouseClick(cat, Qt::LeftButton);
    EXPECT_EQ(view->shown_item(), novels[1]);
    EXPECT_FALSE(view->chooser().toggles.position_change) << "a press stops the position change";

    QMdiSubWindow* frame = frame_of(*view);
    const QPoint before = frame->pos();
    QTest::mousePress(cat, Qt::LeftButton, {}, QPoint(5, 5));
    t.clock.advance_seconds(1);
    QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), cat->mapToGlobal(QPointF(45, 25)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(cat, &move);
    EXPECT_TRUE(views->dragging());
    QTest::mouseRelease(cat, Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_FALSE(views->dragging());
    EXPECT_EQ(frame->pos(), before + QPoint(40, 20));
    EXPECT_EQ(view->shown_item(), novels[1]);
}

} // namespace
