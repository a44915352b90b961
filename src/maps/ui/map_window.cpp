// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/icons.h"
#include "maps/links.h"
#include "maps/map_auto_selection.h"
#include "maps/ui/map_panel.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int px(int twips) {
    return twips / twips_per_pixel;
}

// Window placement in the default state, before the map's own parameters are read.
constexpr TwipsRect default_place{0, 0, 9600, 7200};

// One text measurer for every window: it caches its fonts.
const TextMeasure& text_measure() {
    static const FontMetricsMeasure measure;
    return measure;
}

} // namespace

MapWindow::MapWindow(AppContext& ctx, MapWindows& windows, int window_number, QWidget* parent)
    : QWidget(parent), ctx_(ctx), windows_(windows), window_number_(window_number), items_(MapIdentity{}),
      panel_area_(new PanelArea(this)), fra_edit_(new QFrame(this)), edit_box_(new QPlainTextEdit(fra_edit_)),
      relayout_timer_(new QTimer(this)), menu_(nullptr) {
    setObjectName(QStringLiteral("f_tagmap"));
    // Every map window carries the product word and its window number.
    setProperty("tag", map_window_tag(window_number));
    setAttribute(Qt::WA_DeleteOnClose, false);

    fra_edit_->setObjectName(QStringLiteral("fra_edit"));
    fra_edit_->setFrameShape(QFrame::StyledPanel);
    auto* box_layout = new QVBoxLayout(fra_edit_);
    box_layout->setContentsMargins(0, 0, 0, 0);
    box_layout->addWidget(edit_box_);
    edit_box_->setObjectName(QStringLiteral("Edit_box"));
    // The box shows the content; typing into it explains how to edit instead.
    edit_box_->setReadOnly(true);
    edit_box_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    fra_edit_->hide();

    relayout_timer_->setObjectName(QStringLiteral("Timer1"));
    relayout_timer_->setSingleShot(true);
    relayout_timer_->setInterval(resize_settle_ms);
    connect(relayout_timer_, &QTimer::timeout, this, &MapWindow::on_relayout_timer);
    create_auto_timers();

    connect(panel_area_, &PanelArea::dropped_on_background, this,
            [this](const DragPayload& payload) { drop_on_background(payload); });
    panel_area_->installEventFilter(this);
    edit_box_->installEventFilter(this);
    create_menu();
}

MapWindow::~MapWindow() {
    // A window destroyed without closing (its frame went first) must not leave its slot behind.
    if (!closing_) ctx_.map_windows.release(window_number_);
}

QMdiSubWindow* MapWindow::sub_window() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

MapPanel* MapWindow::panel(int index) const {
    if (index < 0 || index >= panel_count()) return nullptr;
    return panels_[static_cast<std::size_t>(index)];
}

QAction* MapWindow::action(const QString& object_name) const {
    return actions_.value(object_name);
}

// ---------------------------------------------------------------- the load sequence

bool MapWindow::load(const MapOpening& opening) {
    opening_ = true;
    pending_item_ = opening.item;
    items_ = MapItems(opening.by_parts ? identify_category(ctx_.collections, opening.collection, opening.cat)
                                       : identify_map(ctx_.collections, opening.map));
    const MapIdentity& id = items_.identity();
    ctx_.map_windows.record(window_number_, id.collection, id.cat, id.name, this);
    setWindowTitle(items_.caption());
    setWindowIcon(collection_icon(ctx_.program_dir, items_.identity().position));
    if (QMdiSubWindow* sub = sub_window()) {
        sub->setWindowTitle(windowTitle());
        sub->setWindowIcon(windowIcon());
        sub->installEventFilter(this);
    }
    last_navigation_ = ctx_.clock.now();

    apply_geometry_px(QRect(px(default_place.left), px(default_place.top), px(default_place.width),
                            px(default_place.height)));
    params_ = load_map_parameters(ctx_, id.name);
    const TwipsRect& place = params_.place;
    apply_geometry_px(QRect(px(place.left), px(place.top), px(place.width), px(place.height)));
    update_menu();

    if (!load_items(true)) {
        closing_ = true;
        ctx_.map_windows.release(window_number_);
        opening_ = false;
        return false;
    }
    build_panels();
    if (!pending_item_.isEmpty()) select_title(pending_item_);
    if (selected_ < 0 && windows_.last_selected_item != 0) select_item_nr(windows_.last_selected_item);
    if (selected_ < 0) select(0);
    opening_ = false;
    start_auto_selection_staggered();
    return true;
}

LoadOptions MapWindow::load_options() const {
    LoadOptions options;
    options.similar_indicator = ctx_.prefs.similar_items_indicator;
    return options;
}

bool MapWindow::load_items(bool opening) {
    LoadOptions options = load_options();
    options.opening = opening;
    try {
        const LoadResult result = refresh_map(ctx_, items_, options);
        if (result.refused) {
            ctx_.prompter.message(result.message);
            return false;
        }
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    setWindowTitle(items_.caption());
    if (QMdiSubWindow* sub = sub_window()) sub->setWindowTitle(windowTitle());
    return true;
}

void MapWindow::focus_panels() {
    panel_area_->setFocus(Qt::OtherFocusReason);
}

void MapWindow::fit_inside_main_window() {
    QMdiSubWindow* sub = sub_window();
    if (!sub || !sub->mdiArea()) return;
    const QRect area = sub->mdiArea()->viewport()->rect();
    if (area.isEmpty()) return;
    QRect rect = sub->geometry();
    if (rect.width() > area.width()) rect.setWidth(area.width());
    if (rect.height() > area.height()) rect.setHeight(area.height());
    if (rect.right() > area.right()) rect.moveRight(area.right());
    if (rect.bottom() > area.bottom()) rect.moveBottom(area.bottom());
    if (rect.left() < 0) rect.moveLeft(0);
    if (rect.top() < 0) rect.moveTop(0);
    if (rect != sub->geometry()) apply_geometry_px(rect);
}

// ---------------------------------------------------------------- geometry

void MapWindow::apply_geometry_px(const QRect& rect) {
    own_resize_ = true;
    applied_size_ = rect.size();
    if (QMdiSubWindow* sub = sub_window())
        sub->setGeometry(rect);
    else
        setGeometry(rect);
    own_resize_ = false;
}

TwipsRect MapWindow::place_twips() const {
    const QRect rect = sub_window() ? sub_window()->geometry() : geometry();
    return TwipsRect{rect.top() * twips_per_pixel, rect.left() * twips_per_pixel,
                     rect.width() * twips_per_pixel, rect.height() * twips_per_pixel};
}

MapWindowState MapWindow::window_state() const {
    MapWindowState state;
    state.place = place_twips();
    state.minimised = sub_window() ? sub_window()->isMinimized() : isMinimized();
    state.content_box_visible = content_visible_;
    return state;
}

void MapWindow::place_children() {
    const int box = content_visible_ ? px(content_box_height) : 0;
    panel_area_->setGeometry(0, 0, width(), std::max(0, height() - box));
    fra_edit_->setGeometry(0, std::max(0, height() - box), width(), box);
    fra_edit_->setVisible(content_visible_);
}

void MapWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_children();
}

void MapWindow::frame_resized(const QSize& size) {
    // Only a size the window did not give itself is the user's.
    if (own_resize_ || opening_ || closing_ || busy_ || size == applied_size_) return;
    applied_size_ = size;
    // The user changed the size: the window no longer sizes itself, and the panels follow
    // once the size has settled.
    if (params_.auto_size) {
        params_.auto_size = false;
        set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#auto_size"),
                      map_flag_text(false));
        update_menu();
    }
    relayout_timer_->start();
}

void MapWindow::on_relayout_timer() {
    relayout_timer_->stop();
    if (closing_) return;
    if (busy_) {
        relayout_timer_->start();
        return;
    }
    build_panels();
}

// ---------------------------------------------------------------- layout and selection

void MapWindow::build_panels() {
    if (busy_ || closing_) return;
    busy_ = true;
    QMdiSubWindow* sub = sub_window();
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    const QSize area_size = area ? area->viewport()->size() : QSize();
    if (sub && sub->isMaximized()) {
        sub->showNormal();
        const TwipsRect place =
            unmaximised_place(area_size.width() * twips_per_pixel, area_size.height() * twips_per_pixel);
        apply_geometry_px(QRect(px(place.left), px(place.top), px(place.width), px(place.height)));
    }

    LayoutRequest request;
    request.caption = windowTitle();
    request.columns = params_.nr_columns;
    request.font_size = ctx_.prefs.font_size;
    request.auto_size = params_.auto_size;
    request.content_box_visible = content_visible_;
    request.client_width = width() * twips_per_pixel;
    request.client_height = height() * twips_per_pixel;
    request.main_inner_width = area ? area_size.width() * twips_per_pixel : ctx_.screen.width_twips();
    request.main_inner_height = area ? area_size.height() * twips_per_pixel : ctx_.screen.height_twips();
    request.kind = items_.identity().kind;
    request.selected = selected_;
    layout_ = lay_out_panels(items_.items(), request, text_measure());

    while (panel_count() > layout_.panel_count) {
        MapPanel* gone = panels_.back();
        panels_.pop_back();
        // A panel may be the one whose mouse event led here: it goes once the event is over.
        gone->hide();
        gone->setObjectName(QString());
        gone->deleteLater();
    }
    while (panel_count() < layout_.panel_count) {
        auto* made = new MapPanel(panel_count(), panel_area_);
        connect(made, &MapPanel::clicked_at, this, [this](int index) { panel_clicked(index); });
        connect(made, &MapPanel::double_clicked_at, this, [this](int index, bool alt) {
            select(index);
            open_selected(alt);
        });
        connect(made, &MapPanel::context_menu_at, this,
                [this](int, const QPoint& global_pos) { show_popup(global_pos); });
        connect(made, &MapPanel::drag_started_at, this,
                [this](int index, bool shift) { start_drag(index, shift); });
        connect(made, &MapPanel::dropped_on, this,
                [this](int index, const DragPayload& payload) { drop(payload, index); });
        panels_.push_back(made);
    }

    QFont font(layout_.panel_font.family);
    font.setPointSizeF(layout_.panel_font.point_size);
    font.setBold(layout_.panel_font.bold);
    for (const Panel& laid : layout_.panels) {
        MapPanel* button = panel(laid.index - 1);
        if (!button) continue;
        button->setGeometry(px(laid.left), px(laid.top), px(layout_.panel_width), px(layout_.panel_height));
        button->setText(laid.text);
        button->setToolTip(laid.tool_tip);
        button->setFont(font);
        button->set_background(laid.background);
        button->show();
    }
    if (selected_ >= panel_count()) selected_ = panel_count() - 1;

    if (params_.auto_size && layout_.window_width > 0 && layout_.window_height > 0) {
        QRect rect = sub ? sub->geometry() : geometry();
        rect.setSize(QSize(px(layout_.window_width), px(layout_.window_height)));
        apply_geometry_px(rect);
    }
    // A window grown by its panels is moved back inside the main window.
    fit_inside_main_window();
    place_children();
    busy_ = false;
}

void MapWindow::update_panel_texts() {
    for (int i = 0; i < items_.count() && i < panel_count(); ++i) {
        const MapItem& item = items_.item(i);
        const PanelText fitted = fit_panel_text(item.panel_text, item.content, layout_.panel_width,
                                                layout_.panel_font, text_measure());
        panels_[static_cast<std::size_t>(i)]->setText(fitted.text);
        panels_[static_cast<std::size_t>(i)]->setToolTip(fitted.tool_tip);
    }
}

MapItem MapWindow::entry_at(int index) const {
    if (index >= 0 && index < items_.count()) return items_.item(index);
    MapItem filler; // a grid place past the last item
    filler.title = QStringLiteral("-");
    filler.panel_text = filler.title;
    return filler;
}

FormAttributes MapWindow::form_attributes() const {
    FormAttributes attributes;
    attributes.query = items_.last_sql();
    attributes.map_name = identity().name;
    attributes.position = identity().position;
    if (const MapItem* item = selected_item()) {
        attributes.item_nr = item->item_nr;
        attributes.picture_dir = picture_dir_of_content(item->content);
    }
    return attributes;
}

const MapItem* MapWindow::selected_item() const {
    if (selected_ < 0 || selected_ >= items_.count()) return nullptr;
    return &items_.item(selected_);
}

void MapWindow::select(int index) {
    if (index < 0 || index >= panel_count()) return;
    const MapKind kind = items_.identity().kind;
    if (selected_ >= 0 && selected_ < panel_count() && selected_ != index)
        panel(selected_)->set_background(panel_colour(kind, false));
    selected_ = index;
    panel(index)->set_background(panel_colour(kind, true));
    if (const MapItem* item = selected_item(); item && item->item_nr != 0)
        windows_.last_selected_item = item->item_nr;
    fill_content_box();
}

void MapWindow::select_item_nr(qint64 item_nr) {
    for (int i = 0; i < items_.count(); ++i)
        if (items_.item(i).item_nr == item_nr) return select(i);
}

void MapWindow::select_title(const QString& title) {
    for (int i = 0; i < items_.count(); ++i)
        if (items_.item(i).title == title) return select(i);
    for (int i = 0; i < items_.count(); ++i)
        if (items_.item(i).title.compare(title, Qt::CaseInsensitive) == 0) return select(i);
}

void MapWindow::fill_content_box() {
    if (!content_visible_ || busy_) return;
    try {
        edit_box_->setPlainText(content_box_text(ctx_, items_.identity(), entry_at(selected_)));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

// ---------------------------------------------------------------- refreshing

void MapWindow::save_parameters() {
    if (!ctx_.db || closing_) return;
    save_map_parameters(ctx_, map_name(), params_, window_state());
}

void MapWindow::refresh() {
    if (busy_ || closing_) return;
    save_parameters();
    busy_ = true;
    LoadResult result;
    try {
        result = refresh_map(ctx_, items_, load_options());
    } catch (const DbError& error) {
        busy_ = false;
        report_error(ctx_.prompter, error);
        return;
    }
    busy_ = false;
    setWindowTitle(items_.caption());
    if (QMdiSubWindow* sub = sub_window()) sub->setWindowTitle(windowTitle());
    const int expected_panels = static_cast<int>(layout_.panels.size());
    if (result.needs_rebuild || expected_panels == 0 || items_.count() > expected_panels)
        build_panels();
    else
        update_panel_texts();
    select(std::clamp(selected_, 0, panel_count() - 1));
}

void MapWindow::refresh_from_outside() {
    if (busy_ || closing_) return;
    refresh();
    build_panels();
    select(std::clamp(selected_, 0, panel_count() - 1));
}

void MapWindow::apply(const EditOutcome& outcome) {
    if (closing_) return;
    if (outcome.nr_columns > 0) {
        params_.nr_columns = outcome.nr_columns;
        update_menu();
    }
    if (outcome.reload) {
        refresh();
        if (outcome.nr_columns > 0) build_panels();
    } else if (outcome.relayout || outcome.nr_columns > 0) {
        build_panels();
    }
    if (outcome.select_item != 0)
        select_item_nr(outcome.select_item);
    else if (outcome.select_index >= 0)
        select(outcome.select_index);
    else if (outcome.reload || outcome.relayout)
        select(std::clamp(selected_, 0, panel_count() - 1));
    if (!outcome.renamed_to.isEmpty()) save_map_parameters(ctx_, outcome.renamed_to, params_, window_state());
    if (outcome.refresh_other_maps) windows_.refresh_open_maps(map_name());
    if (outcome.refresh_tables) windows_.refresh_other_views();
    if (outcome.refresh_window != 0 && outcome.refresh_window != window_number_)
        if (MapWindow* other = windows_.window(outcome.refresh_window)) other->refresh_from_outside();
    if (outcome.refresh_window == window_number_) refresh();
    if (outcome.activate_window != 0) windows_.activate(outcome.activate_window);
    const QString to_open = outcome.open_map;
    if (outcome.close) {
        keep_place_ = false;
        close();
    }
    if (!to_open.isEmpty()) windows_.open_map(to_open);
}

// ---------------------------------------------------------------- activation and closing

void MapWindow::activated() {
    if (closing_) return;
    ctx_.map_windows.set_active(window_number_);
    ctx_.active_kind = WindowKind::Map;
    const PendingMapOperation pending = ctx_.pending_map_operation;
    if (!pending.pending() || pending.requester == window_number_) return;
    std::optional<QString> requester_map;
    if (pending.requester >= 1 && pending.requester <= MapWindowTable::capacity) {
        const MapSlot& slot = ctx_.map_windows.slot(pending.requester);
        if (slot.in_use) requester_map = slot.map_name;
    }
    const EditOutcome outcome =
        pending.kind == PendingMapOperation::Kind::InsertReference
            ? complete_insert_reference(ctx_, requester_map, window_number_, map_name())
            : complete_copy_items(ctx_, requester_map, window_number_, map_name());
    apply(outcome);
}

void MapWindow::close() {
    if (closing_) return;
    if (QMdiSubWindow* sub = sub_window())
        sub->close();
    else
        QWidget::close();
}

void MapWindow::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        if (ctx_.db && keep_place_) {
            try {
                save_map_position(ctx_, map_name(), window_state());
            } catch (const DbError& error) {
                report_error(ctx_.prompter, error);
            }
        }
        closing_ = true;
        relayout_timer_->stop();
        auto_timer_->stop();
        auto_start_timer_->stop();
        ctx_.map_windows.release(window_number_);
    }
    event->accept();
}
