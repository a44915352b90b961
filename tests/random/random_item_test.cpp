// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The random item view's decisions: picks over a selection, the history, the picture cycle, the
// category separator, deleted items, captions, colours, links, picture directories and placement.
#include "maps/map_edit_support.h"
#include "random/random_choice.h"
#include "random/random_item.h"
#include "random/random_item_display.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The draw that lands on index `index` of `count` candidates.
double draw_of(int index, int count) {
    return (index + 0.5) / count;
}

class RandomPicks : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;
    std::vector<qint64> items;

    void SetUp() override {
        open_db(s("random.tdb"));
        for (int i = 1; i <= 20; ++i)
            items.push_back(add(s("Books"), s("Novels"), QStringLiteral("novel %1").arg(i)));
    }

    std::unique_ptr<RandomChooser> chooser_over(const QString& query) {
        auto selection = std::make_unique<ItemSelection>(db(), query);
        selection->read();
        auto chooser = std::make_unique<RandomChooser>(t.random, t.desktop);
        chooser->use_items(std::move(selection));
        return chooser;
    }
    std::unique_ptr<RandomChooser> chooser_over_novels() {
        return chooser_over(s("Select * from repos where collection='Books' order by item_nr"));
    }
};

TEST_F(RandomPicks, TwelvePicksKeepTenThenBackNineTimesAndBeepThenForwardReplays) {
    auto chooser = chooser_over_novels();
    ASSERT_EQ(chooser->candidates(), 20);
    // Picks land on items 0, 1, 2 ... 11 of the selection, one statement each.
    t.random.values.clear();
    for (int i = 0; i < 12; ++i)
        t.random.values.push_back(draw_of(i, 20));
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(chooser->show_next(), RandomStep::Display);
        EXPECT_EQ(chooser->current().item_nr, items[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(chooser->items()->lookups(), 12);
    EXPECT_EQ(chooser->history().position(), RandomHistory::capacity);

    for (int back = 1; back <= 9; ++back) {
        ASSERT_EQ(chooser->show_previous(), RandomStep::Display) << back;
        EXPECT_EQ(chooser->current().item_nr, items[static_cast<size_t>(11 - back)]);
    }
    EXPECT_EQ(t.desktop.beeps, 0);
    // The oldest kept entry (the third pick) is on display: one more step back beeps.
    EXPECT_EQ(chooser->show_previous(), RandomStep::Nothing);
    EXPECT_EQ(t.desktop.beeps, 1);
    EXPECT_EQ(chooser->current().item_nr, items[2]);
    EXPECT_FALSE(chooser->toggles.auto_change);

    // Forward replays the kept entries without drawing...
    const size_t draws = t.random.index;
    for (int i = 3; i < 12; ++i) {
        ASSERT_EQ(chooser->show_next(), RandomStep::Display);
        EXPECT_EQ(chooser->current().item_nr, items[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(t.random.index, draws);
    // ...and at the newest entry draws a new one.
    t.random.values = {draw_of(19, 20)};
    t.random.index = 0;
    ASSERT_EQ(chooser->show_next(), RandomStep::Display);
    EXPECT_EQ(chooser->current().item_nr, items[19]);
}

TEST_F(RandomPicks, TheTimerPicksOnlyWhileAutoChangeAndSomeChangeAreOn) {
    auto chooser = chooser_over_novels();
    t.random.values = {draw_of(4, 20)};
    ASSERT_EQ(chooser->next_random(true), RandomStep::Display);
    const int lookups = chooser->items()->lookups();

    chooser->toggles.selection_change = false;
    // Colours and place may change: the same entry is displayed, nothing is read.
    EXPECT_EQ(chooser->next_random(false), RandomStep::Display);
    EXPECT_EQ(chooser->current().item_nr, items[4]);
    EXPECT_EQ(chooser->items()->lookups(), lookups);

    chooser->toggles.colour_change = false;
    chooser->toggles.position_change = false;
    EXPECT_EQ(chooser->next_random(false), RandomStep::Nothing);
    chooser->toggles.selection_change = true;
    chooser->toggles.auto_change = false;
    EXPECT_EQ(chooser->next_random(false), RandomStep::Nothing);
    // A forced pick (Enter) ignores the toggles.
    t.random.values = {draw_of(7, 20)};
    t.random.index = 0;
    EXPECT_EQ(chooser->next_random(true), RandomStep::Display);
    EXPECT_EQ(chooser->current().item_nr, items[7]);
}

TEST_F(RandomPicks, TheSeparatorGivesWayToTheNextRowAndTheLastWrapsToTheFirst) {
    const qint64 separator = add(s("Media"), s("Films"), map_edit::separator_title(s("Films")));
    const qint64 western = add(s("Media"), s("Films"), s("Western"));
    const qint64 last_separator = add(s("Media"), s("Music"), map_edit::separator_title(s("Music")));
    auto chooser = chooser_over(s("Select * from repos where collection='Media' order by item_nr"));
    ASSERT_EQ(chooser->candidates(), 3);
    t.random.values = {draw_of(0, 3), draw_of(2, 3), draw_of(1, 3)};
    chooser->next_random(true);
    EXPECT_EQ(chooser->current().item_nr, western);
    chooser->next_random(true);
    EXPECT_EQ(chooser->current().item_nr, separator) << "the last row's separator wraps to the first row";
    chooser->next_random(true);
    EXPECT_EQ(chooser->current().item_nr, western);
    EXPECT_NE(chooser->current().item_nr, last_separator);
    // A separator of another category is an ordinary title.
    EXPECT_FALSE(is_category_separator(map_edit::separator_title(s("Films")), s("Music")));
    EXPECT_TRUE(is_category_separator(map_edit::separator_title(s("Films")), s("films")));
}

TEST_F(RandomPicks, OneItemIsShownAgainAndAnEmptySelectionCloses) {
    auto one = chooser_over(s("Select * from repos where item_title='novel 3'"));
    ASSERT_EQ(one->candidates(), 1);
    t.random.values = {0.0, 0.999999, 0.5};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(one->next_random(false), RandomStep::Display);
        EXPECT_EQ(one->current().item_nr, items[2]);
    }
    auto none = chooser_over(s("Select * from repos where collection='Nothing';"));
    EXPECT_EQ(none->candidates(), 0);
    EXPECT_EQ(none->next_random(true), RandomStep::Close);
    EXPECT_EQ(none->show_next(), RandomStep::Close);
}

TEST_F(RandomPicks, AnItemDeletedByAnotherWindowIsNeverShownAgain) {
    auto chooser = chooser_over_novels();
    t.random.values = {draw_of(5, 20)};
    chooser->next_random(true);
    const qint64 shown = chooser->current().item_nr;
    ASSERT_EQ(shown, items[5]);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(shown));
    // The row the pick read serves its display once; later displays read the item afresh.
    EXPECT_TRUE(chooser->row_of(db(), shown));
    EXPECT_FALSE(chooser->row_of(db(), shown));
    chooser->forget(shown);
    EXPECT_TRUE(chooser->current().empty());

    // The same place is drawn again: the numbers are read afresh and the item after it comes.
    t.random.values = {draw_of(5, 20), draw_of(5, 19)};
    t.random.index = 0;
    ASSERT_EQ(chooser->next_random(true), RandomStep::Display);
    EXPECT_EQ(chooser->current().item_nr, items[6]);
    EXPECT_EQ(chooser->candidates(), 19);

    db().exec(s("delete from repos"));
    EXPECT_EQ(chooser->next_random(true), RandomStep::Close);
}

TEST(RandomHistoryForget, KeepsTheOrderAndMovesThePositionBack) {
    RandomHistory history;
    for (qint64 n : {1, 2, 3, 2, 4})
        history.push(RandomEntry{n, {}});
    history.back();
    history.forget(2);
    EXPECT_EQ(history.position(), 2);
    EXPECT_EQ(history.current().item_nr, 3);
    ASSERT_TRUE(history.has_next());
    history.forward();
    EXPECT_EQ(history.current().item_nr, 4);
    EXPECT_FALSE(history.has_next());
}

TEST(PictureCycles, EveryPictureOnceInEachCycleWhateverIsDrawn) {
    FakeRandom random;
    FakeDesktop desktop;
    RandomChooser chooser(random, desktop);
    chooser.use_pictures({s("/p/a.jpg"), s("/p/b.gif"), s("/p/c.bmp")});
    ASSERT_TRUE(chooser.picture_mode());
    // The same picture drawn three times: the cycle moves on to those not shown, wrapping.
    random.values = {draw_of(1, 3)};
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(chooser.next_random(true), RandomStep::Display);
        shown.append(chooser.current().picture);
    }
    EXPECT_EQ(shown, (QStringList{s("/p/b.gif"), s("/p/c.bmp"), s("/p/a.jpg")}));
    // A new cycle starts with the picture drawn.
    chooser.next_random(true);
    EXPECT_EQ(chooser.current().picture, s("/p/b.gif"));

    PictureCycle cycle(3);
    std::vector<int> order;
    // The second cycle is drawn the same picture each time and still shows all three.
    for (int drawn : {2, 2, 0, 0, 0, 0})
        order.push_back(cycle.choose(drawn));
    EXPECT_EQ(order, (std::vector<int>{2, 0, 1, 0, 1, 2}));
    EXPECT_EQ(PictureCycle().choose(0), -1);
}

TEST(RandomCaptionsTest, SizeFollowsTheLengthThePositionAndThePicture) {
    RandomItemRow row;
    row.collection = s("Notes");
    row.cat = s("Ideas");
    row.content = s("the content");
    struct Case {
        int title_length;
        int position;
        bool picture;
        int points;
        bool wrap;
    };
    const Case cases[] = {
        {60, 1, false, large_caption_points, false}, {61, 1, false, small_caption_points, true},
        {300, 1, false, small_caption_points, true}, {10, 1, true, small_caption_points, true},
        {10, 7, false, small_caption_points, false},
    };
    for (const Case& c : cases) {
        row.title = QString(c.title_length, QLatin1Char('x'));
        const RandomCaptions captions = item_captions(row, c.position, c.picture);
        EXPECT_EQ(captions.point_size, c.points) << c.title_length << " " << c.position;
        EXPECT_EQ(captions.wrap, c.wrap) << c.title_length << " " << c.position;
    }
    row.title = s("Title");
    EXPECT_EQ(item_captions(row, 1, false).item, s(" Title "));
    EXPECT_EQ(item_captions(row, 1, false).tool_tip, s("the content"));
    EXPECT_EQ(item_captions(row, 6, false).item, s(" the content ")) << "the Journal shows its content";
    EXPECT_EQ(item_captions(row, 8, false).item, s(" Title - the content "));
    EXPECT_EQ(item_captions(row, 1, false).collection, s(" Notes "));
    EXPECT_EQ(item_captions(row, 1, false).cat, s(" Ideas "));
    // The length that counts is the trimmed caption's.
    row.title = QString(60, QLatin1Char('y')) + s("   ");
    EXPECT_EQ(item_captions(row, 1, false).point_size, large_caption_points);
}

class RandomFiles : public ::testing::Test {
protected:
    TempEnv env;
    QString write(const QString& name) const { return env.write_file(name, "x"); }
};

TEST_F(RandomFiles, LinksNameAnExistingPictureOrSoundOnTheirFirstLine) {
    const QString picture = write(s("pics/Photo.JPG"));
    const QString sound = write(s("sounds/bell.wav"));
    const QString text = write(s("notes.txt"));
    EXPECT_EQ(link_media(s("link=") + picture + s("\nmore")).kind, LinkMedia::Kind::Picture);
    EXPECT_EQ(link_media(s("LINK=") + picture).path, picture);
    EXPECT_EQ(link_media(s("LINK=\"") + sound + s("\"")).kind, LinkMedia::Kind::Sound);
    EXPECT_EQ(link_media(s("LINK=") + text).kind, LinkMedia::Kind::None);
    EXPECT_EQ(link_media(s("LINK=") + env.path(s("pics/gone.jpg"))).kind, LinkMedia::Kind::None);
    EXPECT_EQ(link_media(s("see\nLINK=") + picture).kind, LinkMedia::Kind::None);
    EXPECT_EQ(link_media(s("LINK=") + env.path(s("pics"))).kind, LinkMedia::Kind::None);
}

TEST_F(RandomFiles, ADirectoryGivesItsPicturesSortedAndAtMostAThousand) {
    write(s("empty/readme.txt"));
    EXPECT_TRUE(list_pictures(env.path(s("empty"))).isEmpty());
    EXPECT_TRUE(list_pictures(env.path(s("missing"))).isEmpty());
    EXPECT_TRUE(list_pictures({}).isEmpty());

    for (const char* name : {"b.GIF", "a.jpg", "c.bmp", "d.png", "e.jpeg", "f.webp", "g.txt", "h.jpgx"})
        write(s("mixed/") + s(name));
    QDir().mkpath(env.path(s("mixed/sub.jpg")));
    QStringList names;
    for (const QString& path : list_pictures(env.path(s("mixed"))))
        names.append(QFileInfo(path).fileName());
    EXPECT_EQ(names, (QStringList{s("a.jpg"), s("b.GIF"), s("c.bmp"), s("d.png"), s("e.jpeg"), s("f.webp")}));

    for (int i = 0; i < max_random_pictures + 5; ++i)
        write(QStringLiteral("many/%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    const QStringList many = list_pictures(env.path(s("many")));
    EXPECT_EQ(many.size(), max_random_pictures);
    EXPECT_TRUE(many.first().endsWith(s("0000.jpg")));
}

TEST(RandomLightColour, DrawsAgainUntilTheColourIsLightEnough) {
    FakeRandom random;
    // 0.4 gives 102 per channel (306 in all, too dark); 0.5 gives 128 (384).
    random.values = {0.4, 0.4, 0.4, 0.5, 0.5, 0.5};
    EXPECT_EQ(random_light_colour(random), QColor(128, 128, 128));
    EXPECT_EQ(random.index, 6U);
    // The extremes of the draw: 0 gives 0, just below 1 gives 255.
    random.values = {0.0, 0.999999, 0.999999};
    random.index = 0;
    EXPECT_EQ(random_light_colour(random), QColor(0, 255, 255));
}

TEST(RandomPlace, StaysInsideTheMainWindow) {
    FakeRandom random;
    const QSize inner(15000, 9000);
    const QSize window(4000, 3000);
    random.values = {0.0, 0.0};
    EXPECT_EQ(random_window_place(random, inner, window), QPoint(0, 0));
    random.values = {0.999999, 0.999999};
    random.index = 0;
    const QPoint far = random_window_place(random, inner, window);
    EXPECT_EQ(far.x(), 9999);
    EXPECT_EQ(far.y(), 5799);
    // A window larger than the main window stays at its top left.
    random.index = 0;
    EXPECT_EQ(random_window_place(random, QSize(2000, 1000), window), QPoint(0, 0));
}

TEST(PictureSize, LargePicturesAreReadScaledDown) {
    const QSize limit(640, 480);
    EXPECT_EQ(fitted_picture_size(QSize(20000, 20000), limit), QSize(480, 480));
    EXPECT_EQ(fitted_picture_size(QSize(3200, 1200), limit), QSize(640, 240));
    EXPECT_EQ(fitted_picture_size(QSize(100, 50), limit), QSize(100, 50));
    EXPECT_TRUE(fitted_picture_size(QSize(), limit).isEmpty());
    EXPECT_TRUE(fitted_picture_size(QSize(-1, -1), limit).isEmpty());
}

} // namespace
