// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/ui/random_item_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "maps/links.h"
#include "maps/map_names.h"
#include "random/random_choice.h"
#include "random/ui/random_labels.h"
#include "random/ui/random_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The shortest change interval the timer accepts, in milliseconds.
constexpr int least_interval_ms = 100;
// The width at which a long caption wraps, in pixels.
constexpr int wrap_width_px = 420;

QLabel* make_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMargin(2);
    return label;
}

} // namespace

RandomItemWindow::RandomItemWindow(AppContext& ctx, RandomWindows& manager, int slot_number,
                                   RandomSelection selection, std::unique_ptr<RandomChooser> chooser,
                                   QWidget* parent)
    : QWidget(parent), ctx_(ctx), manager_(manager), slot_(slot_number), selection_(std::move(selection)),
      chooser_(std::move(chooser)) {
    setObjectName(random_item_form);
    setFocusPolicy(Qt::StrongFocus);
    set_form_caption(*this, translate(QStringLiteral("random view")));
    // The labels name the collection and category unless the view was made for one map.
    chooser_->toggles.col_and_cat_visible = selection_.map_name.isEmpty();
    build_controls();
    build_menu();
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(std::max(least_interval_ms, static_cast<int>(ctx_.prefs.change_interval * 1000.0F)));
    connect(timer_, &QTimer::timeout, this, &RandomItemWindow::on_tick);
}

// The slot is given back at closing; a window deleted unclosed leaves its slot's pointer null.
RandomItemWindow::~RandomItemWindow() = default;

void RandomItemWindow::build_controls() {
    lab_collection_ = make_label(this, "lab_collection");
    lab_cat_ = make_label(this, "lab_cat");
    lab_item_ = make_label(this, "lab_item");
    picx_ = make_label(this, "picx");
    picx_->hide();
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    arrange_for_mode();
    for (QLabel* label : {lab_collection_, lab_cat_, lab_item_, picx_}) {
        label->installEventFilter(this);
        paint_label(*label, QColor(Qt::white));
    }
    installEventFilter(this);
}

void RandomItemWindow::arrange_for_mode() {
    for (QLabel* label : {picx_, lab_collection_, lab_cat_, lab_item_})
        layout_->removeWidget(label);
    // A picture of a directory sits at the top left; a picture an item links to, under its label.
    if (chooser_->picture_mode()) layout_->addWidget(picx_, 0, Qt::AlignLeft);
    layout_->addWidget(lab_collection_);
    layout_->addWidget(lab_cat_);
    layout_->addWidget(lab_item_);
    if (!chooser_->picture_mode()) layout_->addWidget(picx_, 0, Qt::AlignLeft);
}

void RandomItemWindow::start() {
    apply(chooser_->show_next());
    if (!closed_ && chooser_->toggles.auto_change) timer_->start();
}

FormAttributes RandomItemWindow::form_attributes() const {
    FormAttributes attributes;
    attributes.query = selection_.query;
    attributes.map_name = selection_.map_name;
    attributes.position = selection_.position;
    attributes.item_nr = shown_item_;
    attributes.picture_dir = selection_.picture_dir;
    return attributes;
}

void RandomItemWindow::activated() {
    ctx_.active_kind = WindowKind::RandomItem;
}

QSize RandomItemWindow::picture_limit() {
    return {640, 480};
}

bool RandomItemWindow::changes_paused() const {
    if (!ctx_.allow_automatic_changes || ctx_.title_being_asked || ctx_.key_lock || manager_.dragging())
        return true;
    // An input box asking a title, the selection dialog or any other modal question is open.
    if (QApplication::activeModalWidget() != nullptr) return true;
    const QMdiSubWindow* frame = frame_of(*this);
    if (!frame || !frame->mdiArea()) return false;
    for (const QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == QLatin1String("f_global_find")) return true;
    return false;
}

void RandomItemWindow::on_tick() {
    if (closed_ || changes_paused()) return;
    apply(chooser_->next_random(false));
}

void RandomItemWindow::show_next() {
    apply(chooser_->show_next());
}

void RandomItemWindow::show_previous() {
    const RandomStep step = chooser_->show_previous();
    timer_->stop();
    apply(step);
}

void RandomItemWindow::restart_timer() {
    if (chooser_->toggles.auto_change) timer_->start();
}

void RandomItemWindow::apply(RandomStep step, int depth) {
    switch (step) {
    case RandomStep::Nothing:
        return;
    case RandomStep::Close:
        close_form(*this);
        return;
    case RandomStep::Display:
        break;
    }
    ctx_.inactivity = 0;
    restart_timer();
    display(depth);
}

void RandomItemWindow::display(int depth) {
    const RandomToggles& toggles = chooser_->toggles;
    if (toggles.colour_change) paint_colours();
    const RandomEntry entry = chooser_->current();
    if (entry.empty()) return;
    if (!entry.picture.isEmpty()) {
        display_picture(entry.picture);
    } else {
        if (toggles.selection_change && entry.item_nr == shown_item_ && depth == 0) return;
        if (!display_item(entry.item_nr, depth)) return;
    }
    lab_collection_->setVisible(toggles.col_and_cat_visible);
    lab_cat_->setVisible(toggles.col_and_cat_visible);
    fit_to_content();
    if (toggles.position_change && !pressed_) move_to_random_place();
}

bool RandomItemWindow::display_item(qint64 item_nr, int depth) {
    std::optional<RandomItemRow> row;
    try {
        row = chooser_->row_of(*ctx_.db, item_nr);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    if (!row) {
        // Deleted by another window since it was picked: it leaves the history and another
        // item is drawn (once; a selection emptied meanwhile closes the view).
        chooser_->forget(item_nr);
        if (depth < 1) apply(chooser_->next_random(true), depth + 1);
        return false;
    }
    shown_item_ = row->item_nr;
    shown_picture_.clear();
    const LinkMedia media = link_media(row->content);
    const bool picture = media.kind == LinkMedia::Kind::Picture && show_picture_file(media.path);
    if (!picture) hide_picture();
    show_captions(item_captions(*row, collection_index(ctx_.collections, row->collection), picture));
    if (media.kind == LinkMedia::Kind::Sound) run_link(ctx_, row->content);
    return true;
}

void RandomItemWindow::display_picture(const QString& path) {
    shown_item_ = 0;
    const QString map = selection_.map_name;
    RandomCaptions captions = picture_captions(path, collection_of(ctx_.collections, map), cat_of(map));
    if (!show_picture_file(path)) hide_picture();
    picx_->setToolTip(QFileInfo(path).fileName());
    show_captions(captions);
}

bool RandomItemWindow::show_picture_file(const QString& path) {
    // Read at a reduced size straight from the file: a picture of 20,000 x 20,000 pixels never
    // reaches memory whole.
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = fitted_picture_size(reader.size(), picture_limit());
    if (size.isEmpty()) return false;
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    picx_->setPixmap(QPixmap::fromImage(image));
    picx_->setFixedSize(image.size());
    picx_->show();
    shown_picture_ = path;
    return true;
}

void RandomItemWindow::hide_picture() {
    picx_->clear();
    picx_->hide();
    shown_picture_.clear();
}

void RandomItemWindow::show_captions(const RandomCaptions& captions) {
    lab_collection_->setText(captions.collection);
    lab_cat_->setText(captions.cat);
    lab_item_->setText(captions.item);
    lab_item_->setToolTip(captions.tool_tip);
    QFont font = lab_item_->font();
    font.setPointSize(captions.point_size);
    lab_item_->setFont(font);
    lab_item_->setWordWrap(captions.wrap);
    lab_item_->setMaximumWidth(captions.wrap ? wrap_width_px : QWIDGETSIZE_MAX);
}

void RandomItemWindow::paint_colours() {
    for (QLabel* label : {lab_collection_, lab_cat_, lab_item_})
        paint_label(*label, random_light_colour(ctx_.random));
}

void RandomItemWindow::fit_to_content() {
    adjustSize();
    if (QMdiSubWindow* frame = frame_of(*this)) frame->adjustSize();
}

void RandomItemWindow::move_to_random_place() {
    QMdiSubWindow* frame = frame_of(*this);
    if (!frame || !frame->mdiArea()) return;
    const QSize inner = frame->mdiArea()->viewport()->size() * twips_per_pixel;
    const QPoint place = random_window_place(ctx_.random, inner, frame->size() * twips_per_pixel);
    frame->move(place / twips_per_pixel);
}

void RandomItemWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        timer_->stop();
        manager_.release(slot_);
    }
    event->accept();
}

void RandomItemWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}
