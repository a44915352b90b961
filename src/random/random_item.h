// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class Database;
class Desktop;
class RandomSource;

// What the random item view (f_random_item) decides: which item or picture comes next, the last
// ten shown, and when the window has nothing left to show. The window only paints the result.

// One entry of the history: an item number, or the path of a picture in picture mode.
struct RandomEntry {
    qint64 item_nr = 0;
    QString picture;

    bool empty() const { return item_nr == 0 && picture.isEmpty(); }
    bool operator==(const RandomEntry&) const = default;
};

// The last ten entries picked, with the one on display. Positions run from 1 (the oldest kept)
// to 10; 0 means nothing was picked yet.
class RandomHistory {
public:
    static constexpr int capacity = 10;

    // Moves one on and stores the entry there; at the tenth the oldest entry is dropped.
    void push(const RandomEntry& entry);
    // An entry after the one on display (one was shown, then "previous" went back).
    bool has_next() const;
    bool has_previous() const { return position_ >= 2; }
    void forward();
    void back();
    int position() const { return position_; }
    // The entry on display; empty before the first pick.
    RandomEntry current() const;
    // Every kept entry that names `item_nr` is forgotten (the item was deleted).
    void forget(qint64 item_nr);

private:
    std::array<RandomEntry, capacity> entries_;
    int position_ = 0;
};

// The pictures of a directory shown in cycles: a picture is not shown again until every picture
// of the directory has been shown once.
class PictureCycle {
public:
    explicit PictureCycle(int count = 0) : shown_(static_cast<size_t>(count), false) {}

    int count() const { return static_cast<int>(shown_.size()); }
    // The picture to show when `drawn` (0-based) was drawn: that one when it has not been shown
    // in this cycle, else the next one not shown (wrapping); when all were shown a new cycle
    // starts with `drawn`.
    int choose(int drawn);

private:
    std::vector<bool> shown_;
};

// The row of an item as the view shows it.
struct RandomItemRow {
    qint64 item_nr = 0;
    QString collection;
    QString cat;
    QString title;
    QString content;
};

// The item numbers of a selection, read once, and the item at a drawn place read by its number:
// each pick costs one lookup by primary key, never a read of the whole selection.
class ItemSelection {
public:
    ItemSelection(Database& db, QString query);

    // Reads the item numbers of the selection (at opening, after a change of selection, or when
    // an item drawn has gone). Throws DbError when the statement is refused.
    void read();
    int count() const { return static_cast<int>(item_numbers_.size()); }
    const QString& query() const { return query_; }
    // The item at `index` (0-based); the category separator there gives way to the following
    // row (the first after the last). Nothing when that item is no longer in the database.
    std::optional<RandomItemRow> pick(int index);
    // Statements run by pick() since the selection was read (for the benchmark and the tests).
    int lookups() const { return lookups_; }

private:
    std::optional<RandomItemRow> fetch(qint64 item_nr);

    Database& db_;
    QString query_;
    std::vector<qint64> item_numbers_;
    int lookups_ = 0;
};

// Reads one item by number; nothing when it does not exist.
std::optional<RandomItemRow> read_random_item(Database& db, qint64 item_nr);

// Whether `title` is the separator the table view inserts for category `cat`.
bool is_category_separator(const QString& title, const QString& cat);

// The four toggles of the window, all on when it opens, and the visibility of the two upper labels.
struct RandomToggles {
    bool auto_change = true;
    bool selection_change = true;
    bool colour_change = true;
    bool position_change = true;
    bool col_and_cat_visible = false;
};

// What the window does after a step.
enum class RandomStep {
    Nothing, // nothing to show (a beep, or the change is off)
    Display, // display the history's current entry (colours and place may change)
    Close,   // the selection has no item left: the window closes
};

// The chooser of one window: its selection or pictures, the history and the toggles.
class RandomChooser {
public:
    RandomChooser(RandomSource& random, Desktop& desktop) : random_(random), desktop_(desktop) {}

    // Item mode over `selection` (already read), or picture mode over `pictures`.
    void use_items(std::unique_ptr<ItemSelection> selection);
    void use_pictures(QStringList pictures);
    bool picture_mode() const { return !pictures_.isEmpty(); }
    int candidates() const;
    const QStringList& pictures() const { return pictures_; }
    ItemSelection* items() const { return items_.get(); }

    // A timer tick (not forced) or a request for a new entry (forced).
    RandomStep next_random(bool forced);
    // Enter: the entry after the one on display, or a new one.
    RandomStep show_next();
    // Backspace: auto change goes off; the entry before, or a beep at the oldest.
    RandomStep show_previous();

    RandomEntry current() const { return history_.current(); }
    const RandomHistory& history() const { return history_; }
    // The row last read for `item_nr`, when the pick just read it (no second statement).
    std::optional<RandomItemRow> row_of(Database& db, qint64 item_nr);
    // The item on display was deleted meanwhile: it leaves the history.
    void forget(qint64 item_nr) { history_.forget(item_nr); }

    RandomToggles toggles;

private:
    RandomStep pick_item();
    RandomStep pick_picture();
    int draw(int count);

    RandomSource& random_;
    Desktop& desktop_;
    std::unique_ptr<ItemSelection> items_;
    QStringList pictures_;
    PictureCycle cycle_;
    RandomHistory history_;
    std::optional<RandomItemRow> last_row_;
};
