// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tags storm (f_storm) offscreen in an MDI area: its labels, limits, animation, keys, menus,
// pictures and the window table of 25.
#include "core/params.h"
#include "core/ui/form_place.h"
#include "random/ui/storm_window.h"
#include "random/ui/storm_windows.h"
#include "support/window_fixtures.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class StormWindowTest : public MdiFixture {
protected:
    std::unique_ptr<StormWindows> storms;

    void SetUp() override {
        open_area(QStringLiteral("storm.tdb"));
        storms = std::make_unique<StormWindows>(ctx, *maps, [this] { return &area; });
        // Scattered draws; the last one, repeated once they run out, gives a light colour.
        quint32 state = 12345;
        tc.random.values.clear();
        for (int i = 0; i < 20000; ++i) {
            state = state * 1664525U + 1013904223U;
            tc.random.values.push_back(static_cast<double>(state >> 8) / static_cast<double>(1U << 24));
        }
        tc.random.values.push_back(0.9);
    }
    void TearDown() override {
        storms->close_all();
        maps->close_all();
        settle();
        storms.reset();
        maps.reset();
    }

    static RandomSelection category(const char* cat) {
        RandomSelection selection;
        selection.map_name = s("Books: ") + s(cat);
        selection.position = 7;
        selection.query = s("Select * from repos where collection='Books' and cat='") + s(cat) + s("'");
        return selection;
    }
    StormWindow* open(const RandomSelection& selection) {
        StormWindow* window = storms->open(selection);
        settle();
        return window;
    }
    static QList<QLabel*> labels(const StormWindow* window) {
        QList<QLabel*> found;
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->objectName() == QLatin1String("lab") || label->objectName() == QLatin1String("picx"))
                found.append(label);
        return found;
    }
    static bool inside_board(const StormWindow* window, const QLabel* label) {
        const QWidget* board = window->findChild<QWidget*>(QStringLiteral("sfondo"));
        return board && board->rect().contains(label->geometry());
    }
    static QAction* command(const StormWindow* window, const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
};

TEST_F(StormWindowTest, ShowsOneLabelPerItemInsideTheBoard) {
    const QString content = QString(130, QLatin1Char('c'));
    add(s("Books"), s("Poetry"), s("Odes"), content);
    add(s("Books"), s("Poetry"), s("Sonnets"));
    add_filler(s("Books"), s("Poetry"));
    add(s("Books"), s("Poetry"), QString(300, QLatin1Char('w')));
    StormWindow* window = open(category("Poetry"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), s("f_storm"));
    EXPECT_EQ(window->windowTitle(), s("Books: Poetry"));
    EXPECT_EQ(ctx.active_kind, WindowKind::Storm);
    const QList<QLabel*> shown = labels(window);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(window->label(0)->text(), s(" Odes "));
    EXPECT_EQ(window->label(0)->toolTip(), content.left(120) + s("..."));
    for (const QLabel* label : shown)
        EXPECT_TRUE(inside_board(window, label)) << label->text().left(20).toStdString();
    // The title of 300 characters wraps inside the board rather than running past it.
    EXPECT_TRUE(window->label(2)->wordWrap());
    EXPECT_LE(window->label(2)->width() * twips_per_pixel, window->board().width - 140);
    EXPECT_EQ(window->animation_timer().interval(), 100 - 3 + 1);
    EXPECT_TRUE(window->animation_timer().isActive());
    EXPECT_EQ(window->form_attributes().map_name, s("Books: Poetry"));
}

TEST_F(StormWindowTest, FourHundredAndOneTagsShowFourHundredAfterOneMessage) {
    add_many(s("Books"), s("Many"), 401);
    StormWindow* window = open(category("Many"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(labels(window).size(), 400);
    EXPECT_EQ(tc.prompter.messages(),
              QStringList{s("Max number of tags (400) exceeded. Some tags will not be shown.")});
    EXPECT_EQ(window->animation_timer().interval(), 16);
    // The board is full: Insert refuses without a question.
    QTest::keyClick(window, Qt::Key_Insert);
    EXPECT_EQ(tc.prompter.messages().last(), s("Max number of tags (400) exceeded."));
}

TEST_F(StormWindowTest, EmptySelectionsAndTheTwentySixthStormOpenNothing) {
    add(s("Books"), s("Poetry"), s("Odes"));
    EXPECT_EQ(open(category("Nothing here")), nullptr);
    EXPECT_EQ(open(RandomSelection{}), nullptr);
    RandomSelection pictures;
    pictures.picture_dir = tc.env.path(s("no pictures"));
    EXPECT_EQ(open(pictures), nullptr);
    EXPECT_EQ(
        tc.prompter.messages(),
        (QStringList{s("The selection holds no items: there is nothing to show."), s("Invalid selection."),
                     s("The selection holds no items: there is nothing to show.")}));
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_EQ(storms->open_count(), 0);

    // The twenty-sixth storm is refused and a freed slot is used again.
    tc.prompter.clear();
    for (int i = 0; i < StormWindows::capacity; ++i)
        ASSERT_NE(open(category("Poetry")), nullptr) << i;
    EXPECT_EQ(open(category("Poetry")), nullptr);
    EXPECT_EQ(tc.prompter.messages(), QStringList{storm_limit_message()});
    EXPECT_EQ(area.subWindowList().size(), StormWindows::capacity);
    close_form(*storms->window(4));
    settle();
    StormWindow* again = open(category("Poetry"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->slot(), 4);
}

TEST_F(StormWindowTest, EachStepChangesOneLabelAndPausesWhenItMust) {
    tc.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
    add_many(s("Books"), s("Few"), 5);
    StormWindow* window = open(category("Few"));
    ASSERT_NE(window, nullptr);
    const auto places = [window] {
        QList<QPoint> at;
        for (int i = 0; i < window->tag_count(); ++i)
            at.append(window->label(i)->pos());
        return at;
    };
    // Five steps change each label once: each is enlarged in turn, never one twice.
    QSet<int> enlarged;
    const int normal = window->label(0)->font().pointSize();
    for (int step = 0; step < 5; ++step) {
        const QList<QPoint> before = places();
        window->animation_step();
        int moved = 0;
        for (int i = 0; i < 5; ++i) {
            if (places()[i] != before[i]) ++moved;
            if (window->label(i)->font().pointSize() == 2 * normal) enlarged.insert(i);
        }
        EXPECT_LE(moved, 1);
    }
    EXPECT_EQ(enlarged.size(), 5);
    // After more than 3 seconds an enlarged tag returns to its normal size.
    tc.clock.advance_seconds(4);
    window->animation_step();
    int large = 0;
    for (int i = 0; i < 5; ++i)
        if (window->label(i)->font().pointSize() == 2 * normal) ++large;
    EXPECT_EQ(large, 1);

    // No step while automatic changes are off, while a title is asked, while minimised.
    const QList<QPoint> still = places();
    ctx.allow_automatic_changes = false;
    window->animation_step();
    ctx.allow_automatic_changes = true;
    ctx.title_being_asked = true;
    window->animation_step();
    ctx.title_being_asked = false;
    frame_of(*window)->showMinimized();
    window->animation_step();
    EXPECT_EQ(places(), still);
    frame_of(*window)->showNormal();
    // Enter runs one step at once, even with the animation off.
    command(window, "m_auto_mode")->trigger();
    EXPECT_FALSE(window->animation_timer().isActive());
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_NE(places(), still);
}

TEST_F(StormWindowTest, DraggingMovesALabelAndHoldsTheAnimation) {
    add_many(s("Books"), s("Few"), 3);
    StormWindow* window = open(category("Few"));
    ASSERT_NE(window, nullptr);
    QLabel* dragged = window->label(1);
    const QPoint start = dragged->pos();
    QTest::mousePress(dragged, Qt::LeftButton, {}, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(42, 32), dragged->mapToGlobal(QPointF(42, 32)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dragged, &move);
    const QList<QPoint> held{window->label(0)->pos(), window->label(2)->pos()};
    window->animation_step();
    EXPECT_EQ((QList<QPoint>{window->label(0)->pos(), window->label(2)->pos()}), held);
    QTest::mouseRelease(dragged, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(dragged->pos(), start + QPoint(40, 30));
    EXPECT_EQ(window->selected_tag(), 1);
}

TEST_F(StormWindowTest, ArrangeHintsFirstThenLinesUpSorted) {
    add(s("Books"), s("Fruit"), s("pear"));
    add(s("Books"), s("Fruit"), s("Apple"));
    add(s("Books"), s("Fruit"), s("banana"));
    add(s("Books"), s("Fruit"), s("cherry"));
    StormWindow* window = open(category("Fruit"));
    ASSERT_NE(window, nullptr);
    const QPoint before = window->label(0)->pos();
    QTest::keyClick(window, Qt::Key_F7);
    EXPECT_EQ(
        tc.prompter.messages(),
        QStringList{
            s("move any label to the leftmost and topmost position wished for the array, then try again")});
    EXPECT_EQ(window->label(0)->pos(), before);
    QTest::keyClick(window, Qt::Key_F7);
    // Apple, banana / cherry, pear in two rows of two.
    EXPECT_EQ(window->label(1)->y(), window->label(2)->y());
    EXPECT_LT(window->label(1)->x(), window->label(2)->x());
    EXPECT_EQ(window->label(3)->x(), window->label(1)->x());
    EXPECT_GT(window->label(0)->y(), window->label(1)->y());
    EXPECT_EQ(tc.prompter.messages().size(), 1);
}

TEST_F(StormWindowTest, TagCommandsFromTheMenusAndKeysThenEscape) {
    const qint64 odes = add(s("Books"), s("Poetry"), s("Odes"));
    const qint64 elegies = add(s("Books"), s("Poetry"), s("Elegies"));
    StormWindow* window = open(category("Poetry"));
    ASSERT_NE(window, nullptr);
    // Insert through its key.
    tc.prompter.answer("O'Neill's odes");
    QTest::keyClick(window, Qt::Key_Insert);
    ASSERT_EQ(window->tag_count(), 3);
    EXPECT_EQ(window->label(2)->text(), s(" O'Neill's odes "));
    EXPECT_EQ(tc.windows.calls_to(s("refresh_table_views")).size(), 1);
    // Find focuses the tag and selects it for the tag menu: rename it.
    tc.prompter.answer("eleg");
    QTest::keyClick(window, Qt::Key_F3);
    EXPECT_EQ(window->selected_tag(), 1);
    EXPECT_EQ(window->form_attributes().item_nr, elegies);
    tc.prompter.answer("Elegies of Rilke");
    command(window, "m_rename_tag")->trigger();
    EXPECT_EQ(window->label(1)->text(), s(" Elegies of Rilke "));
    EXPECT_EQ(column(elegies, s("item_title")).toString(), s("Elegies of Rilke"));
    // Another window deletes "Odes": the storm's commands on it say so and change nothing.
    db().exec(s("delete from repos where item_nr=") + QString::number(odes));
    tc.prompter.clear();
    tc.prompter.answer("Odes");
    QTest::keyClick(window, Qt::Key_F3);
    command(window, "m_del_tag")->trigger();
    command(window, "m_map_view_of_tag")->trigger();
    EXPECT_EQ(tc.prompter.messages().mid(1), QStringList(2, missing_item_message()));
    EXPECT_EQ(window->tag_count(), 3);
    // Delete asks, then the label goes.
    tc.prompter.answer("Rilke");
    QTest::keyClick(window, Qt::Key_F3);
    tc.prompter.answer(true);
    command(window, "m_del_tag")->trigger();
    settle();
    EXPECT_EQ(window->tag_count(), 2);
    EXPECT_EQ(labels(window).size(), 2);
    EXPECT_EQ(rows(s("item_nr=") + QString::number(elegies)), 0);
    EXPECT_TRUE(tc.prompter.all_answered());

    // Escape leaves the focus mode, then closes; the place is kept for the next storm of the map.
    QPointer<StormWindow> shown = window;
    EXPECT_TRUE(shown->focus_mode());
    QTest::keyClick(shown, Qt::Key_Escape);
    EXPECT_FALSE(shown->focus_mode());
    settle();
    ASSERT_TRUE(shown);
    const QRect place = frame_of(*shown)->geometry();
    QTest::keyClick(shown, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(shown);
    EXPECT_EQ(get_gen_param(db(), s("storm_Books: Poetry_width")).toInt(), place.width() * twips_per_pixel);
    EXPECT_FALSE(get_gen_param(db(), s("storm_Books: Poetry_left")).isEmpty());
    EXPECT_EQ(storms->open_count(), 0);
}

TEST_F(StormWindowTest, PictureTagsAreReadScaledAndBadFilesFallBackToTitles) {
    set_gen_param(db(), s("use_pictures"), s("Y"));
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QDir().mkpath(tc.env.path(s("pics")));
    const QString good = tc.env.path(s("pics/good.jpg"));
    ASSERT_TRUE(image.save(good, "JPG"));
    QFile source(good);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    // Half a file, and a bitmap header that claims 20,000 x 20,000 pixels with no data behind it.
    const QString truncated = tc.env.write_file(s("truncated.jpg"), source.readAll().left(source.size() / 3));
    const QString huge = tc.env.write_file(
        s("huge.bmp"),
        QByteArray::fromHex("424d00000000000000003600000028000000204e0000204e00000100180000000000"
                            "0000000000000000000000000000000000000000"));

    add(s("Books"), s("Pictures"), s("Good"), s("LINK=") + good);
    add(s("Books"), s("Pictures"), s("Missing"), s("LINK=") + tc.env.path(s("missing.jpg")));
    add(s("Books"), s("Pictures"), s("Truncated"), s("LINK=") + truncated);
    add(s("Books"), s("Pictures"), s("Huge"), s("LINK=") + huge);
    StormWindow* window = open(category("Pictures"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->use_pictures());
    EXPECT_EQ(window->label(0)->objectName(), s("picx"));
    EXPECT_EQ(window->label(0)->pixmap().size(), QSize(160, 80));
    EXPECT_EQ(window->label(1)->text(), s(" Missing "));
    EXPECT_EQ(window->label(3)->text(), s(" Huge "));
    // A truncated file shows what could be read, or the title: never nothing.
    EXPECT_TRUE(!window->label(2)->pixmap().isNull() || window->label(2)->text() == s(" Truncated "));
    // Off: every tag shows its title, and the choice is stored.
    command(window, "m_use_pictures")->trigger();
    settle();
    EXPECT_EQ(window->label(0)->text(), s(" Good "));
    EXPECT_EQ(get_gen_param(db(), s("use_pictures")), s("N"));

    // A storm of a directory shows its pictures.
    set_gen_param(db(), s("use_pictures"), s("Y"));
    ASSERT_TRUE(image.save(tc.env.path(s("pics/other.jpg")), "JPG"));
    RandomSelection pictures;
    pictures.picture_dir = tc.env.path(s("pics"));
    StormWindow* album = open(pictures);
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->tag_count(), 2);
    EXPECT_EQ(album->label(1)->objectName(), s("picx"));
    EXPECT_TRUE(album->windowTitle().startsWith(s("Random map of pictures in ")));
}

} // namespace
