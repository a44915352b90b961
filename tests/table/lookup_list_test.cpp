// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"
#include "table/lookup_list.h"

namespace {

class LookupListTest : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        add("Books", "Poetry", "Dante");
        add("Books", "Novels", "Emma");
        add("Money", "bills", "gas");
        add("O'Brien", "letters", "to Ann");
    }
};

TEST_F(LookupListTest, CollectionsOrCategoriesOfTheRightCollection) {
    const auto entries = [this](LookupTarget target, const char* edit, const char* filter, bool all) {
        return lookup_list_entries(*ctx.db, target,
                                   {QString::fromUtf8(edit), QString::fromUtf8(filter), all});
    };
    const QStringList collections{"Books", "Money", "O'Brien"};
    EXPECT_EQ(entries(LookupTarget::EditCollection, "Books", "", false), collections);
    EXPECT_EQ(entries(LookupTarget::FilterCollection, "", "Money", true), collections);
    // The edit area's collection, quoted where it holds an apostrophe.
    EXPECT_EQ(entries(LookupTarget::EditCat, "Books", "Money", false), (QStringList{"Novels", "Poetry"}));
    EXPECT_EQ(entries(LookupTarget::EditCat, "O'Brien", "", false), QStringList{"letters"});
    // The category filter follows a collection filter, trimmed, before the edit area.
    EXPECT_EQ(entries(LookupTarget::FilterCat, "Books", " Money ", false), QStringList{"bills"});
    EXPECT_EQ(entries(LookupTarget::FilterCat, "Books", "", false), (QStringList{"Novels", "Poetry"}));
    // Without one, the window of all collections offers every category.
    EXPECT_EQ(entries(LookupTarget::FilterCat, "Books", " ", true),
              (QStringList{"bills", "letters", "Novels", "Poetry"}));
    EXPECT_EQ(entries(LookupTarget::EditCat, "Books", "", true), (QStringList{"Novels", "Poetry"}));
}

} // namespace
