// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/links.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class Links : public MapsDb {
protected:
    // An existing file or directory in the scratch directory, with blanks, accents and an
    // apostrophe in its path.
    QString file(const QString& name, const QByteArray& content = "x") {
        return tc.env.write_file(name, content);
    }
    QString directory(const QString& name) {
        QString path = tc.env.path(name);
        QDir().mkpath(path);
        return path;
    }
    QStringList messages() const { return tc.prompter.messages(); }
};

// Only the first line is the target, blanks around it do not count, the prefix is optional and
// its case free; web addresses and other files go to the system, sounds are played.
TEST_F(Links, TargetsOpenThroughTheSystemOrArePlayed) {
    const QString notes = file(u"my notes/l'été à Noël.txt"_s);
    const QString dir = directory(u"photos d'hiver"_s);
    const QString drawing = file(u"photos d'hiver/snow.svg"_s); // not a picture the viewer takes
    const QString wav = file(u"sounds/Ring Ring.WAV"_s);
    const QString sound = file(u"sounds/l'alarme.wav"_s);
    for (const QString& content :
         {u"LINK="_s + notes + u"\r\nC:\\other\\file.txt"_s, u"link=  "_s + notes + u"  \nsecond line"_s,
          u"link=www.example.org/l'été?q=a b\r\nnotes"_s, u"Link=HTTPS://example.org/Page"_s,
          u"ftp://files.example.org/"_s, u"LINK="_s + dir, u"LINK="_s + drawing, u"LINK="_s + wav, sound})
        EXPECT_TRUE(open_link(ctx, content, true)) << content.toStdString();
    EXPECT_EQ(tc.desktop.opened,
              QStringList({notes, notes, u"www.example.org/l'été?q=a b"_s, u"HTTPS://example.org/Page"_s,
                           u"ftp://files.example.org/"_s, dir, drawing}));
    EXPECT_EQ(tc.desktop.played, QStringList({wav, sound}));
    EXPECT_TRUE(messages().isEmpty());
    // Running an item's link takes its content the same way.
    tc.desktop.opened.clear();
    EXPECT_TRUE(run_link(ctx, u"LINK=  "_s + notes + u"\r\nsee page 3"_s));
    EXPECT_FALSE(run_link(ctx, u"LINK=/no/such/file.txt"_s));
    EXPECT_EQ(tc.desktop.opened, QStringList({notes}));
    EXPECT_EQ(messages(), QStringList({u"Path not found: /no/such/file.txt"_s}));
}

TEST_F(Links, MissingTargetIsReportedOnlyWhenAsked) {
    const QString missing = tc.env.path(u"gone away/d'Artagnan.doc"_s);
    EXPECT_FALSE(open_link(ctx, u"LINK="_s + missing + u"\r\nmore"_s, true));
    EXPECT_FALSE(open_link(ctx, u"LINK="_s + missing, false));
    EXPECT_EQ(messages(), QStringList({u"Path not found: "_s + missing}));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());

    // "mailto:" is not one of the web address forms; an empty target is missing too.
    tc.prompter.clear();
    EXPECT_FALSE(open_link(ctx, u"LINK=mailto:anne@example.org"_s, true));
    EXPECT_FALSE(open_link(ctx, u"LINK=\r\nwww.example.org"_s, true));
    EXPECT_EQ(messages(), QStringList({u"Path not found: mailto:anne@example.org"_s, u"Path not found: "_s}));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());

    // A web address the system cannot open counts as not found.
    tc.prompter.clear();
    tc.desktop.open_result = false;
    EXPECT_FALSE(open_link(ctx, u"LINK=www.example.org"_s, true));
    EXPECT_EQ(messages(), QStringList({u"Path not found: www.example.org"_s}));
}

TEST_F(Links, RelativeDirectoryOpensUnderTheCurrentDirectory) {
    directory(u"work dir/Année 2026"_s);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tc.env.path(u"work dir"_s)));
    const bool opened = open_link(ctx, u"LINK=Année 2026"_s, true);
    const QString current = QDir::currentPath();
    QDir::setCurrent(previous);

    EXPECT_TRUE(opened);
    EXPECT_EQ(tc.desktop.opened, QStringList({current + u"/Année 2026"_s}));
}

TEST_F(Links, PicturesGoToThePictureViewer) {
    const QString jpg = file(u"pics/Été 1.JpG"_s);
    const QString gif = file(u"pics/anim.gif"_s);
    const QString bmp = file(u"pics/old.BMP"_s);

    // Not built yet: the user is told so, and nothing else opens the picture.
    EXPECT_FALSE(open_link(ctx, u"LINK="_s + jpg, true));
    EXPECT_EQ(messages(), QStringList({u"The picture viewer is not available in this version: "_s + jpg}));

    tc.windows.picture_viewer = true;
    EXPECT_TRUE(open_link(ctx, u"LINK="_s + jpg, true));
    EXPECT_TRUE(open_link(ctx, u"link="_s + gif + u"\r\nholidays"_s, true));
    EXPECT_TRUE(open_link(ctx, bmp, false));
    EXPECT_EQ(tc.windows.calls_to(u"show_picture"_s),
              QStringList({u"show_picture "_s + jpg, u"show_picture "_s + gif, u"show_picture "_s + bmp}));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(tc.desktop.opened.isEmpty());
}

TEST_F(Links, ShellOpensOnlyWebAddressesOnTheFirstLine) {
    EXPECT_TRUE(shell_open_url(ctx, u" WWW.example.org \r\nsecond"_s));
    EXPECT_FALSE(shell_open_url(ctx, u"notes\r\nwww.example.org"_s));
    EXPECT_FALSE(shell_open_url(ctx, QString()));
    EXPECT_EQ(tc.desktop.opened, QStringList({u"WWW.example.org"_s}));
}

// ---------------------------------------------------------------- picture directory

TEST_F(Links, PictureDirectoryGetsItsTrailingSlashAndMustExist) {
    const QString dir = directory(u"Photos d'Été"_s);
    EXPECT_EQ(picture_dir_of_content(u"PICDIR="_s + dir + u"\r\nmy holidays"_s), dir + u"/"_s);
    const QString other = directory(u"other pics"_s);
    EXPECT_EQ(picture_dir_of_content(u"picdir= "_s + other + u"/ "_s), other + u"/"_s);
    // A missing directory, a file, and other contents name none.
    for (const QString& content : {u"PICDIR="_s + tc.env.path(u"missing"_s), u"PICDIR="_s + file(u"a.jpg"_s),
                                   u"PICDIR="_s, u"see PICDIR="_s + dir})
        EXPECT_TRUE(picture_dir_of_content(content).isEmpty()) << content.toStdString();
}

// ---------------------------------------------------------------- inserting links

class InsertLink : public Links {
protected:
    MapIdentity poetry = identify_map(ctx.collections, u"Books: Poetry"_s);

    MapItem item_of(qint64 item_nr) {
        Statement row = db().prepare(u"select * from repos where item_nr="_s + QString::number(item_nr));
        EXPECT_TRUE(row.next());
        MapItem item;
        item.item_nr = item_nr;
        item.title = row.text(u"item_title"_s);
        item.content = row.text(u"item_content"_s);
        item.panel_text = item.title + (item.content.isEmpty() ? QString() : u"~"_s);
        return item;
    }
    QString stored_content(qint64 item_nr) {
        return db()
            .scalar(u"select item_content from repos where item_nr="_s + QString::number(item_nr))
            .toString();
    }
    QString last_link_path() { return get_gen_param(db(), u"last_link_path"_s); }
    static QString read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : u"<unreadable>"_s;
    }
};

TEST_F(InsertLink, NewFileNameCreatesTheDocumentAndLinksIt) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Leopardi"_s);
    MapItem item = item_of(nr);
    const QString path = directory(u"new docs"_s) + u"/L'infinito à lire.txt"_s;
    tc.prompter.answer(std::optional<QString>(path));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Changed);

    // Blank content: no confirmation, straight to the chooser.
    ASSERT_EQ(tc.prompter.shown().size(), 1u);
    EXPECT_EQ(tc.prompter.shown()[0].kind, u"open_file"_s);
    EXPECT_EQ(tc.prompter.shown()[0].title, u"Select a file"_s);
    EXPECT_EQ(read(path), u"Title of document "_s + path + u"\n"_s);
    EXPECT_EQ(stored_content(nr), u"LINK="_s + path);
    EXPECT_EQ(item.content, u"LINK="_s + path);
    EXPECT_EQ(item.panel_text, u"Leopardi^"_s);
    EXPECT_EQ(last_link_path(), tc.env.path(u"new docs"_s));
}

TEST_F(InsertLink, ExistingFileIsLinkedUntouchedAfterConfirmingTheReplacement) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Dante"_s,
                          u"Nel mezzo del cammin di nostra vita mi ritrovai per una selva oscura"_s);
    MapItem item = item_of(nr);
    item.panel_text = u"Dante^"_s;
    const QString path = file(u"texts/inferno.txt"_s, "canto I\n");
    tc.prompter.answer(true);
    tc.prompter.answer(std::optional<QString>(path));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Changed);

    ASSERT_EQ(tc.prompter.shown().size(), 2u);
    EXPECT_EQ(tc.prompter.shown()[0].kind, u"ok_cancel"_s);
    EXPECT_EQ(tc.prompter.shown()[0].text,
              QStringLiteral("Do you want to replace the item's current content? "
                             "(\"Nel mezzo del cammin di nostra vita mi r...\")"));
    EXPECT_EQ(read(path), u"canto I\n"_s);
    EXPECT_EQ(stored_content(nr), u"LINK="_s + path);
    // The mark is there already: not doubled.
    EXPECT_EQ(item.panel_text, u"Dante^"_s);
}

TEST_F(InsertLink, CancellingTheConfirmationOrTheChooserWritesNothing) {
    const QString content = u"O'Brien's notes"_s;
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Yeats"_s, content);
    set_gen_param(db(), u"last_link_path"_s, tc.env.path(u"start here"_s));
    const QString path = tc.env.path(u"never.txt"_s);

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
    EXPECT_EQ(item.panel_text, u"Yeats~"_s);
    EXPECT_EQ(last_link_path(), tc.env.path(u"start here"_s));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(tc.prompter.all_answered());
    // The directory chooser started where the last link was taken from.
    EXPECT_EQ(tc.prompter.shown().back().kind, u"directory"_s);
    EXPECT_EQ(tc.prompter.shown().back().text, tc.env.path(u"start here"_s));
}

TEST_F(InsertLink, DirectoryLinkStoresTheDirectoryItself) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Archive"_s);
    MapItem item = item_of(nr);
    const QString dir = directory(u"Archives d'Hélène"_s);
    tc.prompter.answer(std::optional<QString>(dir));

    EXPECT_EQ(insert_link_to_directory(ctx, poetry, item), LinkInsertion::Changed);
    EXPECT_EQ(stored_content(nr), u"LINK="_s + dir);
    EXPECT_EQ(item.panel_text, u"Archive^"_s);
    EXPECT_EQ(last_link_path(), dir);
}

TEST_F(InsertLink, ItemsThatAreNoPlainItemsAreRefused) {
    add(u"Books"_s, u"Novels"_s, u"Dune"_s);
    const qint64 map_title = add(u"Books"_s, u"Poetry"_s, u"books: novels"_s);
    const qint64 collection_title = add(u"Books"_s, u"Poetry"_s, u"Media"_s);

    std::vector<std::pair<MapIdentity, MapItem>> cases;
    cases.emplace_back(poetry, item_of(map_title));
    cases.emplace_back(poetry, item_of(collection_title));
    MapItem grid_filler;
    grid_filler.title = u"-"_s;
    cases.emplace_back(poetry, grid_filler);
    MapItem category;
    category.title = u"Poetry"_s;
    cases.emplace_back(identify_map(ctx.collections, u"Books"_s), category);
    MapItem collection;
    collection.title = u"Agenda"_s;
    cases.emplace_back(identify_map(ctx.collections, u"Top map"_s), collection);

    for (auto& [map, item] : cases) {
        SCOPED_TRACE(item.title.toStdString());
        tc.prompter.clear();
        const QString before = item.content;
        EXPECT_EQ(insert_link_to_file(ctx, map, item), LinkInsertion::Refused);
        EXPECT_EQ(insert_link_to_directory(ctx, map, item), LinkInsertion::Refused);
        EXPECT_EQ(messages(), QStringList(2, u"Funtion not available for this type of item"_s));
        EXPECT_EQ(item.content, before);
    }
    EXPECT_EQ(rows(u"item_content is not null and item_content <> ''"_s), 0);
}

TEST_F(InsertLink, VanishedItemOrADocumentThatCannotBeCreatedLinksNothing) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Ghost"_s);
    MapItem item = item_of(nr);
    db().exec(u"delete from repos where item_nr="_s + QString::number(nr));
    tc.prompter.answer(std::optional<QString>(file(u"ghost.txt"_s)));

    EXPECT_EQ(insert_link_to_file(ctx, poetry, item), LinkInsertion::Failed);
    EXPECT_EQ(messages().back(),
              u"This item no longer exists: it may have been deleted in another window."_s);
    EXPECT_TRUE(item.content.isEmpty());
    EXPECT_EQ(item.panel_text, u"Ghost"_s);

    // A new document that cannot be created links nothing either.
    const qint64 other = add(u"Books"_s, u"Poetry"_s, u"Nowhere"_s);
    MapItem nowhere = item_of(other);
    const QString path = tc.env.path(u"no such dir/new.txt"_s);
    tc.prompter.answer(std::optional<QString>(path));
    EXPECT_EQ(insert_link_to_file(ctx, poetry, nowhere), LinkInsertion::Cancelled);
    EXPECT_TRUE(messages().back().startsWith(u"The document could not be created: "_s + path));
    EXPECT_TRUE(stored_content(other).isEmpty());
    EXPECT_TRUE(last_link_path().isEmpty());
}

// ---------------------------------------------------------------- content box and editing

class ItemContent : public InsertLink {};

TEST_F(ItemContent, BoxShowsTheContentOrTheCategoryTitlesNumberedAndRefusesTyping) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Rimbaud"_s, u"Le Bateau ivre\r\nl'Éternité"_s);
    EXPECT_EQ(content_box_text(ctx, poetry, item_of(nr)), u"Le Bateau ivre\r\nl'Éternité"_s);

    add(Row{u"Books"_s, u"l'été"_s, u"zeta"_s, {}, 1.0, std::nullopt});
    add(Row{u"Books"_s, u"l'été"_s, u"alpha"_s, {}, 2.0, std::nullopt});
    add(Row{u"Books"_s, u"Novels,L'ÉTÉ"_s, u"beta"_s, {}, 2.0, std::nullopt});
    add(Row{u"Media"_s, u"l'été"_s, u"other collection"_s, {}, 0.0, std::nullopt});
    const MapIdentity books = identify_map(ctx.collections, u"Books"_s);
    MapItem category;
    category.title = u"l'été"_s;
    EXPECT_EQ(content_box_text(ctx, books, category), u"1) zeta\r\n2) alpha\r\n3) beta\r\n"_s);

    category.title = u"nothing here"_s;
    EXPECT_EQ(content_box_text(ctx, books, category), u"[void]"_s);

    // Typing into the box points to the editor, or refuses.
    content_box_typed(ctx, poetry);
    content_box_typed(ctx, identify_map(ctx.collections, u"Books"_s));
    content_box_typed(ctx, identify_map(ctx.collections, u"Top map"_s));
    EXPECT_EQ(messages(), QStringList({u"Press F10 for editing."_s, u"this item cannot be edited"_s,
                                       u"this item cannot be edited"_s}));
}

} // namespace
