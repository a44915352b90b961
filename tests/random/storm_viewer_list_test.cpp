// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The storm of the picture browser's search result: the toolbar's hand-off and its tags.
#include "random/storm_handoff.h"
#include "random/storm_tags.h"
#include "support/db_fixtures.h"

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class StormViewerListTest : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        tc.windows.random_views = true;
    }
};

TEST_F(StormViewerListTest, ToolbarWithTheBrowserActiveStormsItsList) {
    ctx.active_kind = WindowKind::PictureBrowser;
    FormAttributes table;
    table.query = s("select * from repos");
    tc.windows.attributes = table; // another window answers too, but the browser was active
    open_storm_of_active_form(ctx);
    EXPECT_EQ(tc.windows.calls, QStringList{s("open_storm ") + viewer_list_marker});
}

TEST_F(StormViewerListTest, TagsAreTheListedPicturesWithTheirCaption) {
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

} // namespace
