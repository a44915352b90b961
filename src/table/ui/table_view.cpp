// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The table view's controls, its opening, its keys, its activation and its place.
#include "table/ui/table_view.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/file_helpers.h"
#include "core/geometry.h"
#include "core/key_shift.h"
#include "core/params.h"
#include "core/windows.h"
#include "table/like_condition.h"
#include "table/table_columns.h"
#include "table/table_model.h"
#include "table/ui/table_views.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Size of a table view opened for the first time, in twips.
constexpr int first_width = 12000;
constexpr int first_height = 9000;

constexpr int px(int twips) {
    return twips / twips_per_pixel;
}

const QString unavailable_tip = QStringLiteral("Not available in this version");

// Positions that ask for a search when their window is first activated.
bool finds_on_first_activation(int position) {
    return position == 2 || position == 3 || position == 4 || position == 9;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

TwipsRect twips_of(const QRect& rect) {
    return {rect.top() * twips_per_pixel, rect.left() * twips_per_pixel, rect.width() * twips_per_pixel,
            rect.height() * twips_per_pixel};
}

} // namespace

TableView::TableView(AppContext& ctx, TableViews& views, int position, QWidget* parent)
    : QWidget(parent), ctx_(ctx), views_(views), query_(position, {}, false) {
    setObjectName(QStringLiteral("f_gentabx"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    query_timer_ = new QTimer(this);
    query_timer_->setObjectName(QStringLiteral("query_timer"));
    query_timer_->setSingleShot(true);
    connect(query_timer_, &QTimer::timeout, this, &TableView::on_query_timer);
    create_controls();
    create_menu();
}

TableView::~TableView() {
    // The editing event filter asks the view for its parts: it goes first, so that no event
    // reaches it while the widgets of a half-destroyed view close.
    delete edit_events_;
}

QMdiSubWindow* TableView::sub_window() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

// ---------------------------------------------------------------- controls

void TableView::create_controls() {
    filter_bar_ = new TableFilterBar(this);
    grid_ = new TableGrid(this);
    edit_area_ = new TableEditArea(this);
    create_command_buttons();
    lookup_list_ = new QListWidget(this);
    lookup_list_->setObjectName(QStringLiteral("List1"));
    lookup_list_->hide();

    auto* commands = new QHBoxLayout;
    for (QPushButton* b :
         {add_button_, edit_button_, delete_button_, find_button_, save_button_, storm_button_, exit_button_})
        commands->addWidget(b);
    commands->addWidget(cell_edit_label_);
    commands->addStretch();
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 4);
    main->addWidget(filter_bar_);
    // The rows take most of the height; the edit area grows less.
    main->addWidget(grid_, 3);
    main->addLayout(commands);
    main->addWidget(edit_area_, 1);

    connect_controls();
    install_key_filters();
}

void TableView::create_command_buttons() {
    add_button_ = button(this, QStringLiteral("b_add"), QStringLiteral("Insert (INS)"));
    edit_button_ = button(this, QStringLiteral("b_edit"), QStringLiteral("Edit (F2)"));
    delete_button_ = button(this, QStringLiteral("b_delete"), QStringLiteral("Delete (DEL)"));
    find_button_ = button(this, QStringLiteral("b_find"), QStringLiteral("Find (F3)"));
    save_button_ = button(this, QStringLiteral("b_save"), QStringLiteral("Save (F12)"));
    storm_button_ = button(this, QStringLiteral("b_storm"), QStringLiteral("Stor&m"));
    exit_button_ = button(this, QStringLiteral("b_exit"), QStringLiteral("Cancel (ESC)"));
    cell_edit_label_ = new QLabel(this);
    cell_edit_label_->setObjectName(QStringLiteral("lab_cell_edit"));
    cell_edit_label_->setStyleSheet(QStringLiteral("color: #0050b0; font-weight: bold;"));
    cell_edit_label_->hide();
    // Until setup_editing the editing commands say that they are not there and stay off.
    for (QPushButton* b : {add_button_, edit_button_, delete_button_, save_button_, storm_button_}) {
        b->setEnabled(false);
        b->setToolTip(unavailable_tip);
    }
    // The storm needs only its window in the program.
    if (ctx_.windows.has_random_views()) {
        storm_button_->setEnabled(true);
        storm_button_->setToolTip(QString());
        connect(storm_button_, &QPushButton::clicked, this, [this] { open_storm_of_filtered(); });
    }
}

void TableView::connect_controls() {
    connect(filter_bar_, &TableFilterBar::edited, this, [this] { filter_edited(); });
    connect(filter_bar_, &TableFilterBar::clear_clicked, this, [this] { clear_filters(); });
    connect(filter_bar_, &TableFilterBar::lookup_clicked, this,
            [this](LookupTarget target) { build_lookup_list(target); });
    connect(edit_area_->look_collection_button(), &QPushButton::clicked, this,
            [this] { build_lookup_list(LookupTarget::EditCollection); });
    connect(edit_area_->look_cat_button(), &QPushButton::clicked, this,
            [this] { build_lookup_list(LookupTarget::EditCat); });
    connect(find_button_, &QPushButton::clicked, this, [this] { find_item_in_grid(); });
    connect(exit_button_, &QPushButton::clicked, this, [this] { escape_pressed(); });
    connect(lookup_list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { lookup_chosen(item->text()); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { header_clicked(c); });
    connect(grid_, &QTableView::doubleClicked, this, [this] { run_current_item(); });
}

void TableView::install_key_filters() {
    // The window sees the keys before its controls: a filter on every control that takes the
    // focus, but not on the parts inside one (a date editor's own line edit), so that a key the
    // inner part leaves to the outer one is handled once.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() == Qt::NoFocus) continue;
        bool inside_control = false;
        for (QWidget* up = child->parentWidget(); up && up != this; up = up->parentWidget())
            inside_control = inside_control || up->focusPolicy() != Qt::NoFocus;
        if (!inside_control) child->installEventFilter(this);
    }
    grid_->viewport()->installEventFilter(this); // its pop-up menu
}

// ---------------------------------------------------------------- opening

bool TableView::load(const Options& options) {
    loading_ = true;
    const int position = query_.position();
    if (position < 1 || position > CollectionTable::count) {
        // A configuration fault: the window refuses to open instead of ending the program.
        ctx_.prompter.message(QStringLiteral("GLB_collection_idx=0 in f_gentabx"));
        ctx_.table_presets = TablePresets{};
        return false;
    }
    const bool deadlines = ctx_.table_presets.deadlines_only;
    ctx_.table_presets.deadlines_only = false;
    query_ = TableQuery(position, ctx_.collections.at(position).name, deadlines);
    options_ = options;

    edit_area_->set_position(query_.date_position(), detect_date_format() + QStringLiteral(" HH:mm"),
                             position == 7 || position == 8);
    apply_font_size();
    if (deadlines) {
        TableFilters filters = filter_bar_->read();
        filters.use_or = false;
        filter_bar_->write(filters);
    }

    model_ = std::make_unique<TableModel>(ctx_.db, query_.select_from(), query_.last_column() + 1);
    model_->set_right_aligned(table_columns::item_id);
    grid_->setModel(model_.get());
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { row_changed(current.isValid() ? current.row() : -1); });

    apply_options_and_presets(options);
    update_caption();
    loading_ = false;
    return true;
}

void TableView::apply_options_and_presets(const Options& options) {
    TablePresets presets = ctx_.table_presets;
    ctx_.table_presets = TablePresets{};
    presets_applied_ = !presets.search_text.isEmpty() || !presets.category.isEmpty() ||
                       !presets.title.isEmpty() || presets.item_nr != 0 || query_.deadlines_only();
    preset_item_nr_ = presets.item_nr;

    TableFilters filters = filter_bar_->read();
    if (!presets.search_text.isEmpty()) {
        filters.cat = filters.title = filters.content = presets.search_text;
        if (query_.all_collections_view() && !options.from_global_find)
            filters.collection = presets.search_text;
        filters.use_or = true;
    }
    // A category or title handed over from the data is matched as it stands, not as a pattern.
    if (!presets.category.isEmpty()) {
        filters.cat = literal_filter(presets.category);
        filters.use_or = false;
    }
    if (!presets.title.isEmpty()) {
        filters.title = literal_filter(presets.title);
        filters.use_or = false;
    }
    filter_bar_->write(filters);
    filter_changed();
}

void TableView::apply_font_size() {
    // The grid, the filters and the edit area in the program's font size where it is larger.
    QFont larger = font();
    if (ctx_.prefs.font_size > larger.pointSizeF()) {
        larger.setPointSizeF(ctx_.prefs.font_size);
        setFont(larger);
    }
    grid_->fit_rows_to_font();
}

// ---------------------------------------------------------------- keys and events

bool TableView::handle_key(QKeyEvent* event, bool in_grid) {
    const int key = event->key();
    if (ctx_.key_lock) return true;
    const int shift = shift_bits(event->modifiers() & ~Qt::KeypadModifier);
    // Keys with Ctrl or Alt (Ctrl+F3 global find, Alt+F3 file search...) belong to the
    // program-wide shortcuts; the window's own keys are plain.
    const bool plain = (shift & ~1) == 0;
    if (plain && handle_own_key(key, in_grid)) return true;
    // Every other key goes to the program-wide shortcuts.
    return ctx_.windows.handle_hot_key(shift, key);
}

bool TableView::handle_own_key(int key, bool in_grid) {
    auto click_if_enabled = [](QPushButton* b) {
        if (b->isEnabled()) b->click();
        return true;
    };
    switch (key) {
    case Qt::Key_F1:
        popup_menu_->popup(mapToGlobal(rect().center()));
        return true;
    case Qt::Key_F2:
        return click_if_enabled(edit_button_);
    case Qt::Key_F3:
        return click_if_enabled(find_button_);
    case Qt::Key_F10:
        return click_if_enabled(edit_area_->zoom_button());
    case Qt::Key_F12:
        return click_if_enabled(save_button_);
    case Qt::Key_Escape:
        escape_pressed();
        return true;
    default:
        break;
    }
    // Insert, Delete and Enter act on the rows when typed in the grid; in the text fields they
    // keep their ordinary meaning.
    if (!in_grid) return false;
    switch (key) {
    case Qt::Key_Insert:
        return click_if_enabled(add_button_);
    case Qt::Key_Delete:
        return !editing_in_grid_ && click_if_enabled(delete_button_);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editing_in_grid_) return false;
        run_current_item();
        return true;
    default:
        return false;
    }
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (filter_bar_->holds(watched) && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            grid_->setFocus();
            return true;
        }
        if (handle_key(key, watched == grid_)) return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        if (filter_bar_->holds(watched)) {
            static_cast<QLineEdit*>(watched)->clear(); // the change re-runs the query
            return true;
        }
        if (watched == grid_->viewport() || watched == grid_) {
            popup_menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TableView::escape_pressed() {
    if (lookup_list_->isVisible()) {
        hide_lookup_list();
        return;
    }
    if (edit_mode_ == EditMode::Insert || edit_mode_ == EditMode::Edit) {
        check_before_save(true);
        grid_->setFocus();
        return;
    }
    if (edit_mode_ != EditMode::Idle) {
        edit_mode_ = EditMode::Idle;
        load_current_row();
        return;
    }
    if (QMdiSubWindow* sub = sub_window())
        sub->close();
    else
        close();
}

void TableView::activated() {
    ctx_.active_kind = WindowKind::Table;
    views_.set_active(query_.position());
    const bool first = first_activation_;
    first_activation_ = false;
    const bool no_auto_find = options_.no_auto_find;
    options_.no_auto_find = false;
    if (options_.find_on_activate) {
        options_.find_on_activate = false;
        find_item_in_grid();
        return;
    }
    if (first && !presets_applied_ && !no_auto_find && finds_on_first_activation(query_.position()) &&
        !query_.deadlines_only())
        find_item_in_grid();
    check_long_content();
}

// ---------------------------------------------------------------- place and closing

void TableView::store_form_position() {
    if (!ctx_.db) return;
    save_col_widths();
    const QRect rect = sub_window() ? sub_window()->geometry() : geometry();
    const bool minimised = sub_window() ? sub_window()->isMinimized() : isMinimized();
    try {
        save_form_position(*ctx_.db, QStringLiteral("f_gentabx_%1").arg(query_.position()), false,
                           twips_of(rect), minimised);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::apply_geometry() {
    const TwipsRect now = twips_of(sub_window() ? sub_window()->geometry() : geometry());
    TwipsRect place = now;
    const QString name = QStringLiteral("f_gentabx_%1").arg(query_.position());
    try {
        place = restore_form_position(*ctx_.db, ctx_.screen, name, false, now);
        // The first opening of a position: room for the filters, the grid and the edit area,
        // centred on the screen, rather than the small default of other windows.
        if (get_gen_param(*ctx_.db, name + QStringLiteral("_width")).trimmed().isEmpty()) {
            place.width = std::min(first_width, ctx_.screen.width_twips() - 1000);
            place.height = std::min(first_height, ctx_.screen.height_twips() - 900);
            place.left = std::max(0, (ctx_.screen.width_twips() - place.width) / 2);
            place.top = std::max(0, (ctx_.screen.height_twips() - place.height) / 2);
        }
    } catch (const DbError&) {
        // A window without a stored place keeps the one it was given.
    }
    QRect rect(px(place.left), px(place.top), px(place.width), px(place.height));
    // Never smaller than its controls need, so that no caption is cut.
    rect.setSize(rect.size().expandedTo(minimumSizeHint()));
    if (QMdiSubWindow* sub = sub_window())
        sub->setGeometry(rect);
    else
        setGeometry(rect);
}

void TableView::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        if (!check_before_save(true)) {
            event->ignore();
            return;
        }
        closing_ = true;
        query_timer_->stop();
        store_form_position();
        views_.forget(query_.position(), this);
    }
    QWidget::closeEvent(event);
}
