// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The storm's two pop-up menus and the commands they run.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "maps/ui/map_windows.h"
#include "random/ui/storm_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

QAction* StormWindow::add_command(QMenu* menu, const char* name, const char* caption,
                                  const std::function<void()>& run) {
    QAction* action = menu->addAction(translate(QString::fromUtf8(caption)));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, run);
    return action;
}

void StormWindow::build_menus() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("m_popup"));
    add_command(popup_, "m_insert_item", "Insert item (INS)", [this] { insert_tag(); });
    add_command(popup_, "m_arrange_sorted", "Arrange_sorted (F7)", [this] { arrange(true); });
    add_command(popup_, "m_arrange_unsorted", "Arrange unsorted (F8)", [this] { arrange(false); });
    const auto toggle = [this](const char* name, const char* caption, void (StormWindow::*command)()) {
        add_command(popup_, name, caption, [this, command] { (this->*command)(); })->setCheckable(true);
    };
    toggle("m_auto_mode", "Auto mode", &StormWindow::toggle_auto_mode);
    toggle("m_position_change", "Position change", &StormWindow::toggle_position_change);
    toggle("m_color_change", "Color change", &StormWindow::toggle_colour_change);
    toggle("m_focus_mode", "Focus mode", &StormWindow::toggle_focus_mode);
    toggle("m_use_pictures", "Use pictures if available on/off", &StormWindow::toggle_use_pictures);
    add_command(popup_, "m_find_item", "Find item (F3)", [this] { find_tag(); });
    toggle("m_show_content", "Show content if available on/off (*)", &StormWindow::toggle_show_content);
    add_command(popup_, "m_exit", "Exit", [this] { close_form(*this); });

    popup_tag_ = new QMenu(this);
    popup_tag_->setObjectName(QStringLiteral("m_popup_tag"));
    add_command(popup_tag_, "m_insert_map", "Insert item (INS)", [this] { insert_tag(); });
    add_command(popup_tag_, "m_rename_tag", "Rename tag", [this] { rename_tag(selected_); });
    add_command(popup_tag_, "m_del_tag", "Delete tag", [this] { delete_tag(selected_); });
    add_command(popup_tag_, "m_table_view_of_tag", "Table view of tag", [this] { table_view_of(selected_); });
    add_command(popup_tag_, "m_map_view_of_tag", "Map view of tag", [this] { map_view_of(selected_); });
}

void StormWindow::update_menus() {
    const auto check = [this](const char* name, bool on) {
        if (auto* action = popup_->findChild<QAction*>(QString::fromLatin1(name))) action->setChecked(on);
    };
    check("m_auto_mode", auto_mode_);
    check("m_position_change", position_change_);
    check("m_color_change", colour_change_);
    check("m_focus_mode", focus_mode_);
    check("m_use_pictures", use_pictures_);
    check("m_show_content", show_content_);
    // Tags of items are the only ones the item commands work on.
    const bool item = selected_ >= 0 && selected_ < tag_count() &&
                      shown_[static_cast<std::size_t>(selected_)].tag.item_nr != 0;
    for (QAction* action : popup_tag_->actions())
        if (action->objectName() != QLatin1String("m_insert_map")) action->setEnabled(item);
}

void StormWindow::refresh_other_windows() {
    maps_.refresh_all_windows();
}

void StormWindow::insert_tag() {
    const std::optional<StormTag> added = insert_storm_tag(ctx_, map_, tag_count());
    if (!added) return;
    append_tag(*added);
    cycle_.add();
    timer_->setInterval(animation_interval(tag_count()));
    refresh_other_windows();
}

void StormWindow::rename_tag(int index) {
    if (index < 0 || index >= tag_count()) return;
    ShownTag& shown = shown_[static_cast<std::size_t>(index)];
    if (shown.tag.item_nr == 0) return;
    const std::optional<QString> title = rename_storm_tag(ctx_, shown.tag.item_nr);
    if (!title) return;
    shown.tag.title = *title;
    if (!shown.picture) {
        shown.label->setText(tag_caption(*title));
        fit_text_label(*shown.label);
    }
    refresh_other_windows();
}

void StormWindow::delete_tag(int index) {
    if (index < 0 || index >= tag_count()) return;
    const qint64 item_nr = shown_[static_cast<std::size_t>(index)].tag.item_nr;
    if (item_nr == 0 || !delete_storm_tag(ctx_, item_nr)) return;
    remove_tag(index);
    refresh_other_windows();
}

void StormWindow::table_view_of(int index) {
    if (index < 0 || index >= tag_count()) return;
    const qint64 item_nr = shown_[static_cast<std::size_t>(index)].tag.item_nr;
    if (item_nr != 0) table_view_of_tag(ctx_, item_nr);
}

void StormWindow::map_view_of(int index) {
    if (index < 0 || index >= tag_count()) return;
    const qint64 item_nr = shown_[static_cast<std::size_t>(index)].tag.item_nr;
    if (item_nr != 0) map_view_of_tag(ctx_, item_nr);
}

void StormWindow::find_tag() {
    std::vector<QString> captions;
    captions.reserve(shown_.size());
    for (const ShownTag& shown : shown_)
        captions.push_back(tag_caption(shown.tag.title));
    const std::optional<int> found = find_storm_tag(ctx_.prompter, captions);
    if (!found) return;
    selected_ = *found;
    update_menus();
    enlarge(*found);
    shown_[static_cast<std::size_t>(*found)].label->setFocus(Qt::OtherFocusReason);
}

void StormWindow::arrange(bool sorted) {
    // The first request explains how the array is placed; the next ones arrange.
    if (!arrange_requested_) {
        arrange_requested_ = ctx_.clock.now();
        ctx_.prompter.message(QStringLiteral(
            "move any label to the leftmost and topmost position wished for the array, then try again"));
        return;
    }
    std::vector<LabelBox> boxes;
    std::vector<QString> captions;
    boxes.reserve(shown_.size());
    for (const ShownTag& shown : shown_) {
        const QRect at = shown.label->geometry();
        boxes.push_back({at.left() * twips_per_pixel, at.top() * twips_per_pixel,
                         at.width() * twips_per_pixel, at.height() * twips_per_pixel});
        captions.push_back(tag_caption(shown.tag.title));
    }
    std::vector<int> order(shown_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (sorted) order = sorted_order(captions);
    const std::vector<LabelPlace> places = arrange_labels(boxes, order, board());
    for (std::size_t i = 0; i < places.size(); ++i)
        shown_[i].label->move(places[i].left / twips_per_pixel, places[i].top / twips_per_pixel);
}

void StormWindow::toggle_auto_mode() {
    auto_mode_ = !auto_mode_;
    if (auto_mode_)
        timer_->start(animation_interval(tag_count()));
    else
        timer_->stop();
    update_menus();
}

void StormWindow::toggle_position_change() {
    position_change_ = !position_change_;
    update_menus();
}

void StormWindow::toggle_colour_change() {
    colour_change_ = !colour_change_;
    update_menus();
}

void StormWindow::toggle_focus_mode() {
    focus_mode_ = !focus_mode_;
    if (!focus_mode_)
        for (int i = 0; i < tag_count(); ++i)
            if (shown_[static_cast<std::size_t>(i)].enlarged_since) restore_look(i);
    update_menus();
}

void StormWindow::toggle_use_pictures() {
    use_pictures_ = !use_pictures_;
    try {
        set_gen_param(*ctx_.db, QStringLiteral("use_pictures"),
                      use_pictures_ ? QStringLiteral("Y") : QStringLiteral("N"));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    // The tags that link to pictures change between their picture and their title.
    for (ShownTag& shown : shown_) {
        if (shown.tag.picture.isEmpty()) continue;
        const QPoint at = shown.label->pos();
        shown.label->deleteLater();
        shown.picture = use_pictures_;
        shown.label = make_label(shown.tag, shown.picture);
        if (shown.picture && shown.label->pixmap().isNull()) shown.picture = false;
        shown.label->move(at);
        shown.label->show();
    }
    update_menus();
}

void StormWindow::toggle_show_content() {
    show_content_ = !show_content_;
    if (selected_ >= 0 && selected_ < tag_count()) {
        ShownTag& shown = shown_[static_cast<std::size_t>(selected_)];
        if (!shown.picture) {
            QString text = tag_caption(shown.tag.title);
            if (show_content_ && !shown.tag.content.isEmpty()) text += QLatin1Char('\n') + shown.tag.content;
            shown.label->setText(text);
            fit_text_label(*shown.label);
        }
    }
    update_menus();
}
