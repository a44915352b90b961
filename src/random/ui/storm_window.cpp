// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/ui/storm_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"
#include "core/ui/form_place.h"
#include "random/random_choice.h"
#include "random/ui/random_labels.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {

// A picture tag is read scaled to fit this box, whatever the size of the file.
constexpr int picture_box_pixels = 160;

int to_pixels(int twips) {
    return twips / twips_per_pixel;
}

int to_twips(int pixels) {
    return pixels * twips_per_pixel;
}

} // namespace

StormWindow::StormWindow(AppContext& ctx, MapWindows& maps, int slot, RandomSelection selection,
                         QWidget* parent)
    : QWidget(parent), ctx_(ctx), maps_(maps), slot_(slot), selection_(std::move(selection)),
      map_(storm_map_of(ctx.collections, selection_)) {
    setObjectName(storm_form);
    setFocusPolicy(Qt::StrongFocus);
    board_ = new QWidget(this);
    board_->setObjectName(QStringLiteral("sfondo"));
    board_->setAutoFillBackground(true);
    board_->installEventFilter(this);
    installEventFilter(this);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    connect(timer_, &QTimer::timeout, this, [this] { animation_step(false); });
    label_font_ = font();
    label_font_.setPointSizeF(ctx_.prefs.font_size);
    build_menus();
}

StormWindow::~StormWindow() = default;

QString StormWindow::geometry_key() const {
    return QStringLiteral("storm_") + selection_.map_name;
}

bool StormWindow::load() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool shown = false;
    try {
        use_pictures_ = get_gen_param(*ctx_.db, QStringLiteral("use_pictures")) == QLatin1String("Y");
        // The board fills the main window unless this map's storm was given a place before.
        TwipsRect place = form_place(*this);
        if (const QWidget* area = parentWidget() ? parentWidget()->parentWidget() : nullptr) {
            place = {0, 0, to_twips(area->width()), to_twips(area->height())};
        }
        if (!get_gen_param(*ctx_.db, geometry_key() + QStringLiteral("_width")).isEmpty())
            place = restore_form_position(*ctx_.db, ctx_.screen, geometry_key(), false, place);
        apply_form_place(*this, place);
        StormTags tags =
            load_storm_tags(*ctx_.db, ctx_.collections, selection_, ctx_.pictures.search_results);
        set_form_caption(*this, tags.caption);
        if (tags.tags.empty()) {
            ctx_.prompter.message(QStringLiteral("The selection holds no items: there is nothing to show."));
        } else {
            if (!tags.limit_message.isEmpty()) ctx_.prompter.message(tags.limit_message);
            pending_ = std::move(tags.tags);
            shown = true;
        }
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    QGuiApplication::restoreOverrideCursor();
    if (!shown) return false;
    ctx_.active_kind = WindowKind::Storm;
    return true;
}

void StormWindow::show_board() {
    board_->setGeometry(rect());
    shown_.reserve(pending_.size());
    for (const StormTag& tag : pending_)
        append_tag(tag);
    pending_.clear();
    cycle_.reset(tag_count());
    update_menus();
    timer_->start(animation_interval(tag_count()));
}

void StormWindow::append_tag(const StormTag& tag) {
    ShownTag shown;
    shown.tag = tag;
    shown.picture = use_pictures_ && !tag.picture.isEmpty();
    shown.label = make_label(tag, shown.picture);
    // A picture that cannot be read leaves the tag as a label with its title.
    if (shown.picture && shown.label->pixmap().isNull()) shown.picture = false;
    shown_.push_back(shown);
    place_at_random(*shown.label);
    shown.label->show();
}

QLabel* StormWindow::make_label(const StormTag& tag, bool as_picture) {
    auto* label = new QLabel(board_);
    label->setFont(label_font_);
    label->setToolTip(tag_tool_tip(tag.content));
    label->installEventFilter(this);
    label->setFocusPolicy(Qt::ClickFocus);
    paint(*label);
    if (as_picture && show_picture(*label, tag.picture)) {
        label->setObjectName(QStringLiteral("picx"));
        label->setToolTip(tag.title);
        return label;
    }
    label->setObjectName(QStringLiteral("lab"));
    label->setText(tag_caption(tag.title));
    fit_text_label(*label);
    return label;
}

void StormWindow::fit_text_label(QLabel& label) const {
    const int widest = to_pixels(widest_label(board()));
    const QFontMetrics metrics(label.font());
    const int wanted = metrics.horizontalAdvance(label.text()) + 2 * label.margin() + 4;
    if (wanted <= widest && !label.text().contains(QLatin1Char('\n'))) {
        label.setWordWrap(false);
        label.setMinimumWidth(0);
        label.setMaximumWidth(QWIDGETSIZE_MAX);
        label.adjustSize();
        return;
    }
    // A long title wraps inside the widest label the board takes.
    label.setWordWrap(true);
    const int width = std::min(widest, wanted);
    label.setFixedWidth(width);
    label.resize(width, label.heightForWidth(width));
}

bool StormWindow::show_picture(QLabel& label, const QString& path) const {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.isEmpty()) return false;
    // Read at the size shown, so that a huge picture is never decoded whole.
    reader.setScaledSize(natural.scaled(picture_box_pixels, picture_box_pixels, Qt::KeepAspectRatio)
                             .boundedTo(natural)
                             .expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull()) return false;
    label.setPixmap(QPixmap::fromImage(image));
    label.adjustSize();
    return true;
}

BoardSize StormWindow::board() const {
    return {to_twips(board_->width()), to_twips(board_->height())};
}

void StormWindow::place_at_random(QLabel& label) {
    const LabelPlace place =
        random_place(ctx_.random, board(), to_twips(label.width()), to_twips(label.height()));
    label.move(to_pixels(place.left), to_pixels(place.top));
}

void StormWindow::paint(QLabel& label) {
    paint_label(label, random_light_colour(ctx_.random));
}

QLabel* StormWindow::label(int index) const {
    if (index < 0 || index >= tag_count()) return nullptr;
    return shown_[static_cast<std::size_t>(index)].label;
}

int StormWindow::index_of(const QObject* watched) const {
    for (int i = 0; i < tag_count(); ++i)
        if (shown_[static_cast<std::size_t>(i)].label == watched) return i;
    return -1;
}

void StormWindow::remove_tag(int index) {
    if (index < 0 || index >= tag_count()) return;
    shown_[static_cast<std::size_t>(index)].label->deleteLater();
    shown_.erase(shown_.begin() + index);
    cycle_.remove(index);
    if (selected_ == index) selected_ = -1;
    if (selected_ > index) --selected_;
    if (dragging_ >= 0) dragging_ = -1;
    timer_->setInterval(animation_interval(tag_count()));
}

void StormWindow::activated() {
    ctx_.active_kind = WindowKind::Storm;
}

FormAttributes StormWindow::form_attributes() const {
    FormAttributes attributes;
    attributes.query = selection_.query;
    attributes.map_name = selection_.map_name;
    attributes.position = selection_.position;
    if (selected_ >= 0 && selected_ < tag_count())
        attributes.item_nr = shown_[static_cast<std::size_t>(selected_)].tag.item_nr;
    return attributes;
}

void StormWindow::resizeEvent(QResizeEvent* event) {
    board_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void StormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void StormWindow::closeEvent(QCloseEvent* event) {
    timer_->stop();
    if (!closed_) {
        closed_ = true;
        try {
            if (ctx_.db)
                save_form_position(*ctx_.db, geometry_key(), false, form_place(*this), form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}
