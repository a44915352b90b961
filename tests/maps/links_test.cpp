// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_fixture.h"

#include <QDir>
#include <QFile>

namespace {

class Links : public MapFixture {
protected:
    // An existing file or directory in the scratch directory, with blanks, accents and an
    // apostrophe in its path.
    QString file(const QString& name, const QByteArray& content = "x") {
        return tc.env.write_file(name, content);
    }
    QString directory(const QString& name) {
        const QString path = tc.env.path(name);
        QDir().mkpath(path);
        return path;
    }
    QStringList messages() const { return tc.prompter.messages(); }
};

TEST_F(Links, OnlyTheFirstLineIsTheTarget) {
    const QString path = file(QStringLiteral("my notes/l'été à Noël.txt"));
    EXPECT_TRUE(
        open_link(ctx, QStringLiteral("LINK=") + path + QStringLiteral("\r\nC:\\other\\file.txt"), true));
    // A bare line feed ends the line too, and blanks around the target do not count.
    EXPECT_TRUE(open_link(ctx, QStringLiteral("link=  ") + path + QStringLiteral("  \nsecond line"), true));
    EXPECT_EQ(tc.desktop.opened, QStringList({path, path}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Links, WebAddressesOpenThroughTheShellWhateverThePrefixCase) {
    EXPECT_TRUE(open_link(ctx, QStringLiteral("link=www.example.org/l'été?q=a b\r\nnotes"), true));
    EXPECT_TRUE(open_link(ctx, QStringLiteral("Link=HTTPS://example.org/Page"), true));
    // Without any prefix, as the table view passes its link fields.
    EXPECT_TRUE(open_link(ctx, QStringLiteral("ftp://files.example.org/"), true));
    EXPECT_EQ(tc.desktop.opened, QStringList({QStringLiteral("www.example.org/l'été?q=a b"),
                                              QStringLiteral("HTTPS://example.org/Page"),
                                              QStringLiteral("ftp://files.example.org/")}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Links, MissingTargetIsReportedOnlyWhenAsked) {
    const QString missing = tc.env.path(QStringLiteral("gone away/d'Artagnan.doc"));
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=") + missing + QStringLiteral("\r\nmore"), true));
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=") + missing, false));
    EXPECT_EQ(messages(), QStringList({QStringLiteral("Path not found: ") + missing}));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());

    // "mailto:" is not one of the web address forms; an empty target is missing too.
    tc.prompter.clear();
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=mailto:anne@example.org"), true));
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=\r\nwww.example.org"), true));
    EXPECT_EQ(messages(), QStringList({QStringLiteral("Path not found: mailto:anne@example.org"),
                                       QStringLiteral("Path not found: ")}));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());
}

TEST_F(Links, WebAddressTheSystemCannotOpenCountsAsNotFound) {
    tc.desktop.open_result = false;
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=www.example.org"), true));
    EXPECT_EQ(messages(), QStringList({QStringLiteral("Path not found: www.example.org")}));
}

TEST_F(Links, RelativeDirectoryOpensUnderTheCurrentDirectory) {
    directory(QStringLiteral("work dir/Année 2026"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tc.env.path(QStringLiteral("work dir"))));
    const bool opened = open_link(ctx, QStringLiteral("LINK=Année 2026"), true);
    const QString current = QDir::currentPath();
    QDir::setCurrent(previous);

    EXPECT_TRUE(opened);
    EXPECT_EQ(tc.desktop.opened, QStringList({current + QStringLiteral("/Année 2026")}));
}

TEST_F(Links, AbsoluteDirectoriesAndFilesOpenAsGiven) {
    const QString dir = directory(QStringLiteral("photos d'hiver"));
    const QString png = file(QStringLiteral("photos d'hiver/snow.png"));
    EXPECT_TRUE(open_link(ctx, QStringLiteral("LINK=") + dir, true));
    // Only ".jpg", ".gif" and ".bmp" go to the picture viewer.
    EXPECT_TRUE(open_link(ctx, QStringLiteral("LINK=") + png, true));
    EXPECT_EQ(tc.desktop.opened, QStringList({dir, png}));
    EXPECT_TRUE(tc.desktop.played.isEmpty());
}

TEST_F(Links, SoundsArePlayedInAnyLetterCase) {
    const QString upper = file(QStringLiteral("sounds/Ring Ring.WAV"));
    const QString lower = file(QStringLiteral("sounds/l'alarme.wav"));
    EXPECT_TRUE(open_link(ctx, QStringLiteral("LINK=") + upper, true));
    EXPECT_TRUE(open_link(ctx, lower, true));
    EXPECT_EQ(tc.desktop.played, QStringList({upper, lower}));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());
}

TEST_F(Links, PicturesGoToThePictureViewer) {
    const QString jpg = file(QStringLiteral("pics/Été 1.JpG"));
    const QString gif = file(QStringLiteral("pics/anim.gif"));
    const QString bmp = file(QStringLiteral("pics/old.BMP"));

    // Not built yet: the user is told so, and nothing else opens the picture.
    EXPECT_FALSE(open_link(ctx, QStringLiteral("LINK=") + jpg, true));
    EXPECT_EQ(messages(),
              QStringList({QStringLiteral("The picture viewer is not available in this version: ") + jpg}));

    QStringList shown;
    ctx.link_hooks.show_picture = [&shown](const QString& path) { shown.append(path); };
    EXPECT_TRUE(open_link(ctx, QStringLiteral("LINK=") + jpg, true));
    EXPECT_TRUE(open_link(ctx, QStringLiteral("link=") + gif + QStringLiteral("\r\nholidays"), true));
    EXPECT_TRUE(open_link(ctx, bmp, false));
    EXPECT_EQ(shown, QStringList({jpg, gif, bmp}));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(tc.desktop.opened.isEmpty());
}

TEST_F(Links, RunLinkTakesTheContentAfterItsPrefix) {
    const QString path = file(QStringLiteral("docs/report (final).txt"));
    EXPECT_TRUE(Run_link(ctx, QStringLiteral("LINK=  ") + path + QStringLiteral("\r\nsee page 3")));
    EXPECT_EQ(tc.desktop.opened, QStringList({path}));

    EXPECT_FALSE(Run_link(ctx, QStringLiteral("LINK=/no/such/file.txt")));
    EXPECT_EQ(messages(), QStringList({QStringLiteral("Path not found: /no/such/file.txt")}));
}

TEST_F(Links, ShellOpensOnlyWebAddressesOnTheFirstLine) {
    EXPECT_TRUE(shell_open_url(ctx, QStringLiteral(" WWW.example.org \r\nsecond")));
    EXPECT_FALSE(shell_open_url(ctx, QStringLiteral("notes\r\nwww.example.org")));
    EXPECT_FALSE(shell_open_url(ctx, QString()));
    EXPECT_EQ(tc.desktop.opened, QStringList({QStringLiteral("WWW.example.org")}));
}

// ---------------------------------------------------------------- picture directory

TEST_F(Links, PictureDirectoryGetsItsTrailingSlashAndMustExist) {
    const QString dir = directory(QStringLiteral("Photos d'Été"));
    EXPECT_TRUE(
        picture_dir_of_item(ctx, QStringLiteral("PICDIR=") + dir + QStringLiteral("\r\nmy holidays")));
    EXPECT_EQ(ctx.picture_dir, dir + QStringLiteral("/"));

    const QString other = directory(QStringLiteral("other pics"));
    EXPECT_TRUE(picture_dir_of_item(ctx, QStringLiteral("picdir= ") + other + QStringLiteral("/ ")));
    EXPECT_EQ(ctx.picture_dir, other + QStringLiteral("/"));

    // A missing directory, a file, and other contents leave the directory as it was.
    EXPECT_FALSE(
        picture_dir_of_item(ctx, QStringLiteral("PICDIR=") + tc.env.path(QStringLiteral("missing"))));
    EXPECT_FALSE(picture_dir_of_item(ctx, QStringLiteral("PICDIR=") + file(QStringLiteral("a.jpg"))));
    EXPECT_FALSE(picture_dir_of_item(ctx, QStringLiteral("PICDIR=")));
    EXPECT_FALSE(picture_dir_of_item(ctx, QStringLiteral("see PICDIR=") + dir));
    EXPECT_EQ(ctx.picture_dir, other + QStringLiteral("/"));
    EXPECT_TRUE(messages().isEmpty());
}

// ---------------------------------------------------------------- inserting links

class InsertLink : public Links {
protected:
    MapIdentity poetry = identify_map(ctx.collections, QStringLiteral("Books: Poetry"));

    MapItem item_of(qint64 item_nr) {
        Statement row =
            db().prepare(QStringLiteral("select * from repos where item_nr=") + QString::number(item_nr));
        EXPECT_TRUE(row.next());
        MapItem item;
        item.item_nr = item_nr;
        item.title = row.text(QStringLiteral("item_title"));
        item.content = row.text(QStringLiteral("item_content"));
        item.panel_text = item.title + (item.content.isEmpty() ? QString() : QStringLiteral("~"));
        return item;
    }
    QString stored_content(qint64 item_nr) {
        return db()
            .scalar(QStringLiteral("select item_content from repos where item_nr=") +
                    QString::number(item_nr))
            .toString();
    }
    QString last_link_path() { return get_gen_param(db(), QStringLiteral("last_link_path")); }
    static QString read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<unreadable>");
    }
};

TEST_F(InsertLink, NewFileNameCreatesTheDocumentAndLinksIt) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Leopardi"));
    MapItem item = item_of(nr);
    const QString path = directory(QStringLiteral("new docs")) + QStringLiteral("/L'infinito à lire.txt");
    tc.prompter.answer(std::optional<QString>(path));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Changed);

    // Blank content: no confirmation, straight to the chooser.
    ASSERT_EQ(tc.prompter.shown().size(), 1u);
    EXPECT_EQ(tc.prompter.shown()[0].kind, QStringLiteral("open_file"));
    EXPECT_EQ(tc.prompter.shown()[0].title, QStringLiteral("Select a file"));
    EXPECT_EQ(read(path), QStringLiteral("Title of document ") + path + QStringLiteral("\n"));
    EXPECT_EQ(stored_content(nr), QStringLiteral("LINK=") + path);
    EXPECT_EQ(item.content, QStringLiteral("LINK=") + path);
    EXPECT_EQ(item.panel_text, QStringLiteral("Leopardi^"));
    EXPECT_EQ(last_link_path(), tc.env.path(QStringLiteral("new docs")));
}

TEST_F(InsertLink, ExistingFileIsLinkedUntouchedAfterConfirmingTheReplacement) {
    const qint64 nr =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"),
            QStringLiteral("Nel mezzo del cammin di nostra vita mi ritrovai per una selva oscura"));
    MapItem item = item_of(nr);
    item.panel_text = QStringLiteral("Dante^");
    const QString path = file(QStringLiteral("texts/inferno.txt"), "canto I\n");
    tc.prompter.answer(true);
    tc.prompter.answer(std::optional<QString>(path));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Changed);

    ASSERT_EQ(tc.prompter.shown().size(), 2u);
    EXPECT_EQ(tc.prompter.shown()[0].kind, QStringLiteral("ok_cancel"));
    EXPECT_EQ(tc.prompter.shown()[0].text,
              QStringLiteral("Do you want to replace the item's current content? "
                             "(\"Nel mezzo del cammin di nostra vita mi r...\")"));
    EXPECT_EQ(read(path), QStringLiteral("canto I\n"));
    EXPECT_EQ(stored_content(nr), QStringLiteral("LINK=") + path);
    // The mark is there already: not doubled.
    EXPECT_EQ(item.panel_text, QStringLiteral("Dante^"));
}

TEST_F(InsertLink, ReplaceQuestionShowsShortContentWhole) {
    EXPECT_EQ(replace_content_question(QStringLiteral("l'été")),
              QStringLiteral("Do you want to replace the item's current content? (\"l'été...\")"));
    EXPECT_EQ(replace_content_question(QString(45, QLatin1Char('a'))),
              QStringLiteral("Do you want to replace the item's current content? (\"") +
                  QString(40, QLatin1Char('a')) + QStringLiteral("...\")"));
}

TEST_F(InsertLink, CancellingTheConfirmationOrTheChooserWritesNothing) {
    const QString content = QStringLiteral("O'Brien's notes");
    const qint64 nr =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Yeats"), content);
    set_gen_param(db(), QStringLiteral("last_link_path"), tc.env.path(QStringLiteral("start here")));
    const QString path = tc.env.path(QStringLiteral("never.txt"));

    MapItem item = item_of(nr);
    tc.prompter.answer(false);
    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Cancelled);

    tc.prompter.answer(true);
    tc.prompter.answer(std::optional<QString>());
    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Cancelled);

    tc.prompter.answer(true);
    tc.prompter.answer(std::optional<QString>());
    EXPECT_EQ(insert_link_to_directory(ctx, poetry, item), LinkInsertion::Cancelled);

    EXPECT_EQ(stored_content(nr), content);
    EXPECT_EQ(item.content, content);
    EXPECT_EQ(item.panel_text, QStringLiteral("Yeats~"));
    EXPECT_EQ(last_link_path(), tc.env.path(QStringLiteral("start here")));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(tc.prompter.all_answered());
    // The directory chooser started where the last link was taken from.
    EXPECT_EQ(tc.prompter.shown().back().kind, QStringLiteral("directory"));
    EXPECT_EQ(tc.prompter.shown().back().text, tc.env.path(QStringLiteral("start here")));
}

TEST_F(InsertLink, DirectoryLinkStoresTheDirectoryItself) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Archive"));
    MapItem item = item_of(nr);
    const QString dir = directory(QStringLiteral("Archives d'Hélène"));
    tc.prompter.answer(std::optional<QString>(dir));

    EXPECT_EQ(insert_link_to_directory(ctx, poetry, item), LinkInsertion::Changed);
    EXPECT_EQ(stored_content(nr), QStringLiteral("LINK=") + dir);
    EXPECT_EQ(item.panel_text, QStringLiteral("Archive^"));
    EXPECT_EQ(last_link_path(), dir);
}

TEST_F(InsertLink, ItemsThatAreNoPlainItemsAreRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Dune"));
    const qint64 map_title =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("books: novels"));
    const qint64 collection_title =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Media"));

    std::vector<std::pair<MapIdentity, MapItem>> cases;
    cases.emplace_back(poetry, item_of(map_title));
    cases.emplace_back(poetry, item_of(collection_title));
    MapItem grid_filler;
    grid_filler.title = QStringLiteral("-");
    cases.emplace_back(poetry, grid_filler);
    MapItem category;
    category.title = QStringLiteral("Poetry");
    cases.emplace_back(identify_map(ctx.collections, QStringLiteral("Books")), category);
    MapItem collection;
    collection.title = QStringLiteral("Agenda");
    cases.emplace_back(identify_map(ctx.collections, QStringLiteral("Top map")), collection);

    for (auto& [map, item] : cases) {
        SCOPED_TRACE(item.title.toStdString());
        tc.prompter.clear();
        const QString before = item.content;
        EXPECT_EQ(insert_link_to_file(ctx, map, item), LinkInsertion::Refused);
        EXPECT_EQ(insert_link_to_directory(ctx, map, item), LinkInsertion::Refused);
        EXPECT_EQ(messages(), QStringList(2, QStringLiteral("Funtion not available for this type of item")));
        EXPECT_EQ(item.content, before);
    }
    EXPECT_EQ(rows(QStringLiteral("item_content is not null and item_content <> ''")), 0);
}

TEST_F(InsertLink, VanishedItemIsReportedAndKeepsTheWindowEntry) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ghost"));
    MapItem item = item_of(nr);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(nr));
    tc.prompter.answer(std::optional<QString>(file(QStringLiteral("ghost.txt"))));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Failed);
    EXPECT_EQ(messages().back(),
              QStringLiteral("This item no longer exists: it may have been deleted in another window."));
    EXPECT_TRUE(item.content.isEmpty());
    EXPECT_EQ(item.panel_text, QStringLiteral("Ghost"));
    EXPECT_TRUE(last_link_path().isEmpty());
}

TEST_F(InsertLink, DocumentThatCannotBeCreatedLinksNothing) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Nowhere"));
    MapItem item = item_of(nr);
    const QString path = tc.env.path(QStringLiteral("no such dir/new.txt"));
    tc.prompter.answer(std::optional<QString>(path));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Cancelled);
    EXPECT_TRUE(messages().back().startsWith(QStringLiteral("The document could not be created: ") + path));
    EXPECT_TRUE(stored_content(nr).isEmpty());
    EXPECT_TRUE(last_link_path().isEmpty());
}

// ---------------------------------------------------------------- content box and editing

class ItemContent : public InsertLink {};

TEST_F(ItemContent, EditingIsRefusedForPointersAndAllowedForItems) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Dune"));
    const qint64 plain =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("l'Aube"), QStringLiteral("x"));
    const qint64 pointer =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Books: NOVELS"));
    MapItem grid_filler;
    grid_filler.title = QStringLiteral("-");
    MapItem category;
    category.title = QStringLiteral("Poetry");

    EXPECT_EQ(edit_content(ctx, poetry, item_of(plain)), ContentEdit::OpenEditor);
    EXPECT_TRUE(messages().isEmpty());

    EXPECT_EQ(edit_content(ctx, identify_map(ctx.collections, QStringLiteral("top map")), category),
              ContentEdit::Refused);
    EXPECT_EQ(edit_content(ctx, identify_map(ctx.collections, QStringLiteral("Books:")), category),
              ContentEdit::Refused);
    EXPECT_EQ(edit_content(ctx, poetry, item_of(pointer)), ContentEdit::Refused);
    EXPECT_EQ(edit_content(ctx, poetry, grid_filler), ContentEdit::Refused);
    EXPECT_EQ(messages(),
              QStringList({
                  QStringLiteral(
                      "The content of this item cannot be edited (the item is a pointer to a collection)."),
                  QStringLiteral(
                      "The content of this item cannot be edited (the item is a pointer to a category)."),
                  QStringLiteral(
                      "The content of this item cannot be edited (the item is a pointer to anothe topic)."),
                  QStringLiteral(
                      "The content of this item cannot be edited (the panel is an empty place of the grid)."),
              }));
}

TEST_F(ItemContent, BoxShowsTheContentOrTheCategoryTitlesNumbered) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Rimbaud"),
                          QStringLiteral("Le Bateau ivre\r\nl'Éternité"));
    EXPECT_EQ(content_box_text(ctx, poetry, item_of(nr)), QStringLiteral("Le Bateau ivre\r\nl'Éternité"));

    add(Row{QStringLiteral("Books"), QStringLiteral("l'été"), QStringLiteral("zeta"), {}, 1.0, std::nullopt});
    add(Row{
        QStringLiteral("Books"), QStringLiteral("l'été"), QStringLiteral("alpha"), {}, 2.0, std::nullopt});
    add(Row{QStringLiteral("Books"),
            QStringLiteral("Novels,L'ÉTÉ"),
            QStringLiteral("beta"),
            {},
            2.0,
            std::nullopt});
    add(Row{QStringLiteral("Media"),
            QStringLiteral("l'été"),
            QStringLiteral("other collection"),
            {},
            0.0,
            std::nullopt});
    const MapIdentity books = identify_map(ctx.collections, QStringLiteral("Books"));
    MapItem category;
    category.title = QStringLiteral("l'été");
    EXPECT_EQ(content_box_text(ctx, books, category), QStringLiteral("1) zeta\r\n2) alpha\r\n3) beta\r\n"));

    category.title = QStringLiteral("nothing here");
    EXPECT_EQ(content_box_text(ctx, books, category), QStringLiteral("[void]"));
}

TEST_F(ItemContent, TypingIntoTheBoxPointsToTheEditorOrRefuses) {
    content_box_typed(ctx, poetry);
    content_box_typed(ctx, identify_map(ctx.collections, QStringLiteral("Books")));
    content_box_typed(ctx, identify_map(ctx.collections, QStringLiteral("Top map")));
    EXPECT_EQ(messages(), QStringList({QStringLiteral("Press F10 for editing."),
                                       QStringLiteral("this item cannot be edited"),
                                       QStringLiteral("this item cannot be edited")}));
}

} // namespace
