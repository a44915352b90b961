// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_item.h"

#include "core/database.h"
#include "core/seams.h"
#include "maps/map_edit_support.h"

#include <algorithm>

// ---------------------------------------------------------------- history

void RandomHistory::push(const RandomEntry& entry) {
    if (position_ < capacity) {
        entries_[static_cast<size_t>(position_)] = entry;
        ++position_;
        return;
    }
    std::move(entries_.begin() + 1, entries_.end(), entries_.begin());
    entries_.back() = entry;
}

bool RandomHistory::has_next() const {
    return position_ < capacity && !entries_[static_cast<size_t>(position_)].empty();
}

void RandomHistory::forward() {
    if (has_next()) ++position_;
}

void RandomHistory::back() {
    if (has_previous()) --position_;
}

RandomEntry RandomHistory::current() const {
    return position_ == 0 ? RandomEntry{} : entries_[static_cast<size_t>(position_ - 1)];
}

void RandomHistory::forget(qint64 item_nr) {
    std::array<RandomEntry, capacity> kept;
    size_t count = 0;
    int position = 0;
    for (int i = 0; i < capacity; ++i) {
        const RandomEntry& entry = entries_[static_cast<size_t>(i)];
        if (entry.empty() || entry.item_nr == item_nr) continue;
        kept[count++] = entry;
        if (i < position_) ++position;
    }
    entries_ = kept;
    position_ = position;
}

// ---------------------------------------------------------------- pictures

int PictureCycle::choose(int drawn) {
    const int n = count();
    if (n == 0) return -1;
    drawn = std::clamp(drawn, 0, n - 1);
    for (int step = 0; step < n; ++step) {
        const auto at = static_cast<size_t>((drawn + step) % n);
        if (!shown_[at]) {
            shown_[at] = true;
            return static_cast<int>(at);
        }
    }
    // Every picture has been shown: a new cycle starts with the one drawn.
    std::fill(shown_.begin(), shown_.end(), false);
    shown_[static_cast<size_t>(drawn)] = true;
    return drawn;
}

// ---------------------------------------------------------------- the selection's items

namespace {

QString without_trailing_semicolons(QString query) {
    query = query.trimmed();
    while (query.endsWith(QLatin1Char(';')))
        query = query.chopped(1).trimmed();
    return query;
}

} // namespace

ItemSelection::ItemSelection(Database& db, QString query)
    : db_(db), query_(without_trailing_semicolons(std::move(query))) {}

void ItemSelection::read() {
    item_numbers_.clear();
    lookups_ = 0;
    // Only the numbers are read: the rows themselves are read one at a time as they are drawn.
    Statement numbers = db_.prepare(QStringLiteral("select item_nr from (") + query_ + QStringLiteral(")"));
    while (numbers.next())
        item_numbers_.push_back(numbers.value(0).toLongLong());
}

std::optional<RandomItemRow> ItemSelection::fetch(qint64 item_nr) {
    ++lookups_;
    return read_random_item(db_, item_nr);
}

std::optional<RandomItemRow> ItemSelection::pick(int index) {
    const int n = count();
    if (n == 0) return std::nullopt;
    index = std::clamp(index, 0, n - 1);
    std::optional<RandomItemRow> row = fetch(item_numbers_[static_cast<size_t>(index)]);
    if (!row || n == 1 || !is_category_separator(row->title, row->cat)) return row;
    return fetch(item_numbers_[static_cast<size_t>((index + 1) % n)]);
}

std::optional<RandomItemRow> read_random_item(Database& db, qint64 item_nr) {
    Statement item = db.prepare(QStringLiteral(
        "select item_nr, collection, cat, item_title, item_content from repos where item_nr=?"));
    item.bind(1, item_nr);
    if (!item.next()) return std::nullopt;
    RandomItemRow row;
    row.item_nr = item.value(0).toLongLong();
    row.collection = item.value(1).toString();
    row.cat = item.value(2).toString();
    row.title = item.value(3).toString();
    row.content = item.value(4).toString();
    return row;
}

bool is_category_separator(const QString& title, const QString& cat) {
    return title.compare(map_edit::separator_title(cat), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------- the chooser

void RandomChooser::use_items(std::unique_ptr<ItemSelection> selection) {
    items_ = std::move(selection);
    pictures_.clear();
    cycle_ = PictureCycle();
    history_ = RandomHistory();
    last_row_.reset();
}

void RandomChooser::use_pictures(QStringList pictures) {
    items_.reset();
    cycle_ = PictureCycle(static_cast<int>(pictures.size()));
    pictures_ = std::move(pictures);
    history_ = RandomHistory();
    last_row_.reset();
}

int RandomChooser::candidates() const {
    if (picture_mode()) return static_cast<int>(pictures_.size());
    return items_ ? items_->count() : 0;
}

int RandomChooser::draw(int count) {
    // A number in [0, 1) times the count, cut to a whole number.
    return std::clamp(static_cast<int>(random_.next() * count), 0, count - 1);
}

RandomStep RandomChooser::next_random(bool forced) {
    const RandomToggles& t = toggles;
    if (!forced && !(t.auto_change && (t.selection_change || t.colour_change || t.position_change)))
        return RandomStep::Nothing;
    // With selection change off the item stays; its colours and place may still change.
    if (!forced && !t.selection_change) return current().empty() ? RandomStep::Nothing : RandomStep::Display;
    return picture_mode() ? pick_picture() : pick_item();
}

RandomStep RandomChooser::pick_item() {
    if (!items_) return RandomStep::Close;
    // An item drawn may have been deleted by another window: the numbers are read again once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (items_->count() == 0) return RandomStep::Close;
        std::optional<RandomItemRow> row = items_->pick(draw(items_->count()));
        if (row) {
            history_.push(RandomEntry{row->item_nr, {}});
            last_row_ = std::move(row);
            return RandomStep::Display;
        }
        items_->read();
    }
    return items_->count() == 0 ? RandomStep::Close : RandomStep::Nothing;
}

RandomStep RandomChooser::pick_picture() {
    const int chosen = cycle_.choose(draw(static_cast<int>(pictures_.size())));
    history_.push(RandomEntry{0, pictures_.at(chosen)});
    return RandomStep::Display;
}

RandomStep RandomChooser::show_next() {
    if (!history_.has_next()) return next_random(true);
    history_.forward();
    return RandomStep::Display;
}

RandomStep RandomChooser::show_previous() {
    toggles.auto_change = false;
    if (!history_.has_previous()) {
        desktop_.beep();
        return RandomStep::Nothing;
    }
    history_.back();
    return RandomStep::Display;
}

std::optional<RandomItemRow> RandomChooser::row_of(Database& db, qint64 item_nr) {
    // The row the pick has just read is used once; later displays read the item afresh, so that
    // a change made by another window shows.
    if (last_row_ && last_row_->item_nr == item_nr) {
        std::optional<RandomItemRow> row = std::move(last_row_);
        last_row_.reset();
        return row;
    }
    last_row_.reset();
    return read_random_item(db, item_nr);
}
