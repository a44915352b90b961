// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a storm shows: its tags from each kind of selection, with their limit, and their captions.
#include "random/storm_tags.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <QImage>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QStringList titles(const StormTags& tags) {
    QStringList list;
    for (const StormTag& tag : tags.tags)
        list.append(tag.title);
    return list;
}

class StormTagsTest : public MapsDb {
protected:
    StormTags load(const QString& query, const QString& map_name = {}, int position = 0) {
        RandomSelection selection;
        selection.query = query;
        selection.map_name = map_name;
        selection.position = position;
        return load_storm_tags(db(), ctx.collections, selection);
    }
};

TEST_F(StormTagsTest, ItemsOfAStatementWithoutFillersOrSeparators) {
    const qint64 odes = add(s("Books"), s("Poetry"), s("Odes"), s("LINK=C:/pictures/odes.JPG\nsecond line"));
    add_filler(s("Books"), s("Poetry"));
    add(s("Books"), s("Poetry"), s(" _____ Poetry _____"));
    // A separator of another category is an ordinary title here.
    add(s("Books"), s("Poetry"), s(" _____ Novels _____"));
    add(s("Books"), s("Poetry"), s("Sonnets"), s("LINK=C:/texts/sonnets.txt"));
    const StormTags tags =
        load(s("Select * from repos where collection='Books' and cat='Poetry'"), s("Books: Poetry"), 7);
    EXPECT_EQ(titles(tags), (QStringList{s("Odes"), s(" _____ Novels _____"), s("Sonnets")}));
    EXPECT_EQ(tags.caption, s("Books: Poetry"));
    EXPECT_EQ(tags.tags[0].item_nr, odes);
    EXPECT_EQ(tags.tags[0].cat, s("Poetry"));
    EXPECT_EQ(tags.tags[0].picture, s("C:/pictures/odes.JPG"));
    EXPECT_TRUE(tags.tags[2].picture.isEmpty());
    EXPECT_TRUE(tags.limit_message.isEmpty());
}

TEST_F(StormTagsTest, CategoriesOfASelectDistinctAndCollectionsOfTheTopMap) {
    add(s("Books"), s("Poetry"), s("Odes"));
    add(s("Books"), s("Poetry"), s("Elegies"));
    add(s("Books"), s("Novels"), s("Emma"));
    const StormTags cats =
        load(s("SELECT DISTINCT cat from repos where collection='Books' order by cat"), s("Books"), 7);
    EXPECT_EQ(titles(cats), (QStringList{s("Novels"), s("Poetry")}));
    EXPECT_EQ(cats.tags[0].item_nr, 0);

    const StormTags top = load(s("Select * from repos"), s("Top map"), 45);
    EXPECT_EQ(top.caption, s("TOP MAP"));
    EXPECT_TRUE(titles(top).contains(ctx.collections.at(7).name));
    EXPECT_FALSE(titles(top).contains(QString()));
    EXPECT_FALSE(titles(top).contains(ctx.collections.at(45).name));
}

TEST_F(StormTagsTest, FourHundredAndOneItemsShowFourHundredAndSaySo) {
    add_many(s("Books"), s("Many"), 401);
    const StormTags tags = load(s("Select * from repos where cat='Many' order by item_title"));
    ASSERT_EQ(tags.tags.size(), 400U);
    EXPECT_EQ(tags.tags.back().title, s("tag 0400"));
    EXPECT_EQ(tags.left_out, 1);
    EXPECT_EQ(tags.limit_message, s("Max number of tags (400) exceeded. Some tags will not be shown."));
    // Exactly 400 is no excess.
    EXPECT_TRUE(
        load(s("Select * from repos where cat='Many' and item_title<>'tag 0401'")).limit_message.isEmpty());
}

TEST_F(StormTagsTest, AStatementTheEngineRefusesIsAnError) {
    EXPECT_THROW(load(s("Select * from no_such_table")), DbError);
}

TEST_F(StormTagsTest, PicturesOfADirectory) {
    const QString dir = tc.env.path(s("pictures"));
    QDir().mkpath(dir + s("/sub.jpg"));
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir + s("/b.JPG"), "JPG"));
    ASSERT_TRUE(image.save(dir + s("/a.bmp"), "BMP"));
    tc.env.write_file(s("pictures/notes.txt"), "no picture");
    RandomSelection selection;
    selection.picture_dir = dir + QLatin1Char('/');
    const StormTags tags = load_storm_tags(db(), ctx.collections, selection);
    EXPECT_EQ(titles(tags), (QStringList{s("a.bmp"), s("b.JPG")}));
    EXPECT_TRUE(tags.tags[1].picture.endsWith(s("/b.JPG")));
    EXPECT_TRUE(tags.caption.startsWith(s("Random map of pictures in ")));

    // A directory without pictures, and one that does not exist, give no tags.
    const QString empty = tc.env.path(s("empty"));
    QDir().mkpath(empty);
    selection.picture_dir = empty;
    EXPECT_TRUE(load_storm_tags(db(), ctx.collections, selection).tags.empty());
    selection.picture_dir = tc.env.path(s("missing"));
    EXPECT_TRUE(load_storm_tags(db(), ctx.collections, selection).tags.empty());
}

TEST_F(StormTagsTest, PicturesOfTheViewersListWithTheCountLeftOut) {
    RandomSelection selection;
    selection.picture_dir = viewer_list_marker;
    const QStringList listed{s("/photos/l'été.jpg"), s("/photos/b/Sea.PNG")};
    const StormTags tags = load_storm_tags(db(), ctx.collections, selection, listed);
    ASSERT_EQ(tags.tags.size(), 2u);
    EXPECT_EQ(tags.tags[0].title, s("l'été.jpg"));
    EXPECT_EQ(tags.tags[1].picture, s("/photos/b/Sea.PNG"));
    EXPECT_EQ(tags.caption, s("Random map of pictures from image viewer list"));

    QStringList many;
    for (int n = 0; n < storm_tag_limit + 3; ++n)
        many.append(s("/p/%1.jpg").arg(n));
    const StormTags full = load_storm_tags(db(), ctx.collections, selection, many);
    EXPECT_EQ(full.tags.size(), static_cast<std::size_t>(storm_tag_limit));
    EXPECT_EQ(full.limit_message, s("Max number of tags (400) exceeded. 3 tags will not be shown."));
    EXPECT_TRUE(load_storm_tags(db(), ctx.collections, selection, {}).tags.empty());
}

TEST(StormTagTexts, CaptionsToolTipsSeparatorsAndLinks) {
    EXPECT_EQ(tag_caption(s("Odes")), s(" Odes "));
    const QString long_content = QString(120, QLatin1Char('x'));
    EXPECT_EQ(tag_tool_tip(long_content), long_content);
    EXPECT_EQ(tag_tool_tip(long_content + s("y")), long_content + s("..."));
    EXPECT_EQ(tag_tool_tip(QString()), QString());

    EXPECT_TRUE(is_category_separator(s(" _____ Poetry _____"), s("Poetry")));
    EXPECT_FALSE(is_category_separator(s(" _____ Poetry _____"), s("Novels")));
    EXPECT_FALSE(is_category_separator(s("_____ Poetry _____"), s("Poetry")));

    EXPECT_EQ(linked_picture(s("link=/p/a.gif")), s("/p/a.gif"));
    EXPECT_EQ(linked_picture(s("LINK=/p/a.bmp\r\nmore")), s("/p/a.bmp"));
    EXPECT_EQ(linked_picture(s("see LINK=/p/a.jpg")), QString());
    EXPECT_EQ(linked_picture(s("first\nLINK=/p/a.jpg")), QString());
    // Every format the viewer reads is a picture; other files are not.
    EXPECT_EQ(linked_picture(s("LINK=/p/a.jpeg")), s("/p/a.jpeg"));
    EXPECT_EQ(linked_picture(s("LINK=/p/a.txt")), QString());
}

} // namespace
