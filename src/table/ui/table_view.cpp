// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_view.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "core/db_error.h"
#include "core/file_helpers.h"
#include "core/geometry.h"
#include "core/key_shift.h"
#include "core/params.h"
#include "core/sql_text.h"
#include "core/windows.h"
#include "maps/map_names.h"
#include "maps/ui/map_windows.h"
#include "table/like_condition.h"
#include "table/table_columns.h"
#include "table/table_item.h"
#include "table/table_model.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
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
const QString find_prompt = QStringLiteral("Character string to search for?\r\n(* = show all records)");
const QString find_title = QStringLiteral("Find records");

// Positions that ask for a search when their window is first activated.
bool finds_on_first_activation(int position) {
    return position == 2 || position == 3 || position == 4 || position == 9;
}

QLineEdit* line_edit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
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

TableView::~TableView() = default;

QMdiSubWindow* TableView::sub_window() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

// ---------------------------------------------------------------- controls

void TableView::create_controls() {
    fra_filters_ = new QGroupBox(QStringLiteral("filters"), this);
    fra_filters_->setObjectName(QStringLiteral("fra_filters"));
    filter_mark_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_mark"));
    filter_collection_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_collection"));
    filter_cat_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_cat"));
    filter_id_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_id"));
    filter_title_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_title"));
    filter_content_field_ = line_edit(fra_filters_, QStringLiteral("t_filter_content"));
    look_filter_collection_ =
        button(fra_filters_, QStringLiteral("look_filter_collection"), QStringLiteral("..."));
    look_filter_cat_ = button(fra_filters_, QStringLiteral("look_filter_cat"), QStringLiteral("..."));
    and_option_ = new QRadioButton(QStringLiteral("AND"), fra_filters_);
    and_option_->setObjectName(QStringLiteral("o_and"));
    or_option_ = new QRadioButton(QStringLiteral("OR"), fra_filters_);
    or_option_->setObjectName(QStringLiteral("o_or"));
    or_option_->setChecked(true);
    clear_button_ = button(fra_filters_, QStringLiteral("b_clear"), QStringLiteral("Clear"));

    auto* filters = new QGridLayout(fra_filters_);
    const std::pair<QString, QWidget*> filter_row[] = {
        {QStringLiteral("mark"), filter_mark_field_},   {QStringLiteral("coll."), filter_collection_field_},
        {QStringLiteral("cat."), filter_cat_field_},    {QStringLiteral("Id"), filter_id_field_},
        {QStringLiteral("title"), filter_title_field_}, {QStringLiteral("content"), filter_content_field_},
    };
    int column = 0;
    for (const auto& [caption, field] : filter_row) {
        filters->addWidget(new QLabel(caption, fra_filters_), 0, column);
        filters->addWidget(field, 1, column);
        ++column;
        if (field == filter_collection_field_) filters->addWidget(look_filter_collection_, 1, column++);
        if (field == filter_cat_field_) filters->addWidget(look_filter_cat_, 1, column++);
    }
    filters->addWidget(and_option_, 0, column);
    filters->addWidget(or_option_, 1, column++);
    filters->addWidget(clear_button_, 1, column);
    // Why a filter cannot be used yet: said here, while the user goes on typing.
    filter_problem_label_ = new QLabel(fra_filters_);
    filter_problem_label_->setObjectName(QStringLiteral("lab_filter_problem"));
    filter_problem_label_->setStyleSheet(QStringLiteral("color: #c00000;"));
    filter_problem_label_->setWordWrap(true);
    filter_problem_label_->hide();
    filters->addWidget(filter_problem_label_, 2, 0, 1, column + 1);
    filters->setColumnStretch(7, 2); // title
    filters->setColumnStretch(8, 2); // content

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSortingEnabled(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setStretchLastSection(true);

    fra_edit_ = new QGroupBox(this);
    fra_edit_->setObjectName(QStringLiteral("fra_edit"));
    collection_field_ = line_edit(fra_edit_, QStringLiteral("t_collection"));
    cat_field_ = line_edit(fra_edit_, QStringLiteral("t_cat"));
    mark_field_ = line_edit(fra_edit_, QStringLiteral("t_mark"));
    item_id_field_ = line_edit(fra_edit_, QStringLiteral("t_item_id"));
    item_title_field_ = line_edit(fra_edit_, QStringLiteral("t_item_title"));
    item_content_field_ = new QPlainTextEdit(fra_edit_);
    item_content_field_->setObjectName(QStringLiteral("t_item_content"));
    date_exp_field_ = new QDateTimeEdit(fra_edit_);
    date_exp_field_->setObjectName(QStringLiteral("t_date_exp"));
    date_rem_field_ = new QDateTimeEdit(fra_edit_);
    date_rem_field_->setObjectName(QStringLiteral("t_date_rem"));
    date_exp_check_ = new QCheckBox(fra_edit_);
    date_exp_check_->setObjectName(QStringLiteral("c_date_exp"));
    date_rem_check_ = new QCheckBox(fra_edit_);
    date_rem_check_->setObjectName(QStringLiteral("c_date_rem"));
    collection_label_ = label(fra_edit_, QStringLiteral("lab_collection"), QStringLiteral("coll."));
    cat_label_ = label(fra_edit_, QStringLiteral("lab_cat"), QStringLiteral("cat."));
    mark_label_ = label(fra_edit_, QStringLiteral("lab_mark"), QStringLiteral("mark"));
    item_id_label_ = label(fra_edit_, QStringLiteral("lab_item_id"), QStringLiteral("Id"));
    item_title_label_ = label(fra_edit_, QStringLiteral("lab_item_title"), QStringLiteral("title"));
    item_content_label_ = label(fra_edit_, QStringLiteral("lab_item_content"), QStringLiteral("content"));
    date_exp_label_ = label(fra_edit_, QStringLiteral("lab_date_exp"), QStringLiteral("date expiry"));
    date_rem_label_ = label(fra_edit_, QStringLiteral("lab_date_rem"), QStringLiteral("date remind"));
    look_collection_ = button(fra_edit_, QStringLiteral("look_collection"), QStringLiteral("..."));
    look_cat_ = button(fra_edit_, QStringLiteral("look_cat"), QStringLiteral("..."));
    browse_button_ = button(fra_edit_, QStringLiteral("b_browse"), QStringLiteral("file"));
    browse_dir_button_ = button(fra_edit_, QStringLiteral("b_browse_dir"), QStringLiteral("dir"));
    zoom_button_ = button(fra_edit_, QStringLiteral("b_zoom"), QStringLiteral("&Zoom (F10)"));

    auto* edit = new QGridLayout(fra_edit_);
    edit->addWidget(collection_label_, 0, 0);
    edit->addWidget(collection_field_, 0, 1);
    edit->addWidget(look_collection_, 0, 2);
    edit->addWidget(cat_label_, 0, 3);
    edit->addWidget(cat_field_, 0, 4);
    edit->addWidget(look_cat_, 0, 5);
    edit->addWidget(mark_label_, 0, 6);
    edit->addWidget(mark_field_, 0, 7);
    edit->addWidget(item_id_label_, 0, 8);
    edit->addWidget(item_id_field_, 0, 9);
    edit->addWidget(item_title_label_, 1, 0);
    edit->addWidget(item_title_field_, 1, 1, 1, 9);
    edit->addWidget(item_content_label_, 2, 0);
    edit->addWidget(item_content_field_, 2, 1, 1, 9);
    auto* content_buttons = new QVBoxLayout;
    content_buttons->addWidget(browse_button_);
    content_buttons->addWidget(browse_dir_button_);
    content_buttons->addWidget(zoom_button_);
    edit->addLayout(content_buttons, 2, 10);
    auto* date_row = new QHBoxLayout;
    date_row->addWidget(date_exp_label_);
    date_row->addWidget(date_exp_check_);
    date_row->addWidget(date_exp_field_);
    date_row->addWidget(date_rem_label_);
    date_row->addWidget(date_rem_check_);
    date_row->addWidget(date_rem_field_);
    date_row->addStretch();
    edit->addLayout(date_row, 3, 0, 1, 11);

    add_button_ = button(this, QStringLiteral("b_add"), QStringLiteral("Insert (INS)"));
    edit_button_ = button(this, QStringLiteral("b_edit"), QStringLiteral("Edit (F2)"));
    delete_button_ = button(this, QStringLiteral("b_delete"), QStringLiteral("Delete (DEL)"));
    find_button_ = button(this, QStringLiteral("b_find"), QStringLiteral("Find (F3)"));
    save_button_ = button(this, QStringLiteral("b_save"), QStringLiteral("Save (F12)"));
    storm_button_ = button(this, QStringLiteral("b_storm"), QStringLiteral("Stor&m"));
    exit_button_ = button(this, QStringLiteral("b_exit"), QStringLiteral("Cancel (ESC)"));
    auto* commands = new QHBoxLayout;
    for (QPushButton* b :
         {add_button_, edit_button_, delete_button_, find_button_, save_button_, storm_button_, exit_button_})
        commands->addWidget(b);
    cell_edit_label_ = label(this, QStringLiteral("lab_cell_edit"), QString());
    cell_edit_label_->setStyleSheet(QStringLiteral("color: #0050b0; font-weight: bold;"));
    cell_edit_label_->hide();
    commands->addWidget(cell_edit_label_);
    commands->addStretch();

    lookup_list_ = new QListWidget(this);
    lookup_list_->setObjectName(QStringLiteral("List1"));
    lookup_list_->hide();

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 4);
    main->addWidget(fra_filters_);
    // The rows take most of the height; the edit area grows less.
    main->addWidget(grid_, 3);
    main->addLayout(commands);
    main->addWidget(fra_edit_, 1);

    // Editing comes from table_view_edit.cpp; until it is part of the window the editing
    // controls say so and stay off.
    for (QWidget* w :
         std::initializer_list<QWidget*>{add_button_, edit_button_, delete_button_, save_button_,
                                         storm_button_, browse_button_, browse_dir_button_, zoom_button_}) {
        w->setEnabled(false);
        w->setToolTip(unavailable_tip);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{collection_field_, cat_field_, mark_field_,
                                                      item_id_field_, item_title_field_, date_exp_field_,
                                                      date_rem_field_, date_exp_check_, date_rem_check_})
        w->setEnabled(false);
    item_content_field_->setReadOnly(true);

    for (QLineEdit* field : {filter_mark_field_, filter_collection_field_, filter_cat_field_,
                             filter_id_field_, filter_title_field_, filter_content_field_}) {
        connect(field, &QLineEdit::textChanged, this, [this] { filter_edited(); });
        field->installEventFilter(this);
    }
    connect(and_option_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) filter_edited();
    });
    connect(or_option_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) filter_edited();
    });
    connect(clear_button_, &QPushButton::clicked, this, [this] { clear_filters(); });
    connect(find_button_, &QPushButton::clicked, this, [this] { find_item_in_grid(); });
    connect(exit_button_, &QPushButton::clicked, this, [this] { escape_pressed(); });
    connect(look_filter_collection_, &QPushButton::clicked, this,
            [this] { build_lookup_list(QStringLiteral("filter_collection")); });
    connect(look_filter_cat_, &QPushButton::clicked, this,
            [this] { build_lookup_list(QStringLiteral("filter_cat")); });
    connect(look_collection_, &QPushButton::clicked, this,
            [this] { build_lookup_list(QStringLiteral("edit_or_ins_collection")); });
    connect(look_cat_, &QPushButton::clicked, this,
            [this] { build_lookup_list(QStringLiteral("edit_or_ins_cat")); });
    connect(lookup_list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { lookup_chosen(item->text()); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { header_clicked(c); });
    connect(grid_, &QTableView::doubleClicked, this, [this] { run_current_item(); });
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

void TableView::create_menu() {
    popup_menu_ = new QMenu(this);
    popup_menu_->setObjectName(QStringLiteral("m_popup"));
    popup_menu_->setToolTipsVisible(true);
    auto add = [this](const QString& name, const QString& caption, std::function<void()> run) {
        QAction* action = popup_menu_->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
        return action;
    };
    add(QStringLiteral("m_refresh_grid"), QStringLiteral("Refresh grid"),
        [this] { refresh_keep_position(); });
    add(QStringLiteral("m_filter_on_pictures"), QStringLiteral("Filter on images"),
        [this] { filter_on_pictures(); });
    add(QStringLiteral("m_open_map_of_current_category"), QStringLiteral("Open tag map of current category"),
        [this] {
            const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
            if (row.size() > 2) views_.maps().open_category(row[1].toString(), row[2].toString());
        });
    add(QStringLiteral("m_open_map_of_collection"), QStringLiteral("Open tag map of current collection"),
        [this] {
            const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
            if (row.size() > 1) views_.maps().open_map(row[1].toString());
        });
    add(QStringLiteral("m_open_collections_map"), QStringLiteral("Open top map"),
        [this] { views_.maps().execute(route::TopMap{}); });
    popup_menu_->addSeparator();
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

    const QString date_format = detect_date_format() + QStringLiteral(" HH:mm");
    for (QDateTimeEdit* picker : {date_exp_field_, date_rem_field_})
        picker->setDisplayFormat(date_format);
    for (QWidget* w : std::initializer_list<QWidget*>{date_exp_field_, date_rem_field_, date_exp_check_,
                                                      date_rem_check_, date_exp_label_, date_rem_label_})
        w->setVisible(query_.date_position());
    if (position == 7 || position == 8) item_id_field_->setAlignment(Qt::AlignRight);
    apply_font_size();

    writing_filters_ = true;
    if (deadlines) and_option_->setChecked(true);
    writing_filters_ = false;

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

    writing_filters_ = true;
    if (!presets.search_text.isEmpty()) {
        filter_cat_field_->setText(presets.search_text);
        filter_title_field_->setText(presets.search_text);
        filter_content_field_->setText(presets.search_text);
        if (query_.all_collections_view() && !options.from_global_find)
            filter_collection_field_->setText(presets.search_text);
        or_option_->setChecked(true);
    }
    // A category or title handed over from the data is matched as it stands, not as a pattern.
    if (!presets.category.isEmpty()) {
        filter_cat_field_->setText(literal_filter(presets.category));
        and_option_->setChecked(true);
    }
    if (!presets.title.isEmpty()) {
        filter_title_field_->setText(literal_filter(presets.title));
        and_option_->setChecked(true);
    }
    writing_filters_ = false;
    filter_changed();
}

void TableView::apply_font_size() {
    // The grid, the filters and the edit area in the program's font size where it is larger.
    QFont larger = font();
    if (ctx_.prefs.font_size > larger.pointSizeF()) {
        larger.setPointSizeF(ctx_.prefs.font_size);
        setFont(larger);
    }
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
}

// ---------------------------------------------------------------- the query

TableFilters TableView::read_filters() const {
    TableFilters filters;
    filters.mark = filter_mark_field_->text();
    filters.collection = filter_collection_field_->text();
    filters.cat = filter_cat_field_->text();
    filters.id = filter_id_field_->text();
    filters.title = filter_title_field_->text();
    filters.content = filter_content_field_->text();
    filters.use_or = or_option_->isChecked();
    return filters;
}

void TableView::set_filter_texts(const TableFilters& filters) {
    writing_filters_ = true;
    filter_mark_field_->setText(filters.mark);
    filter_collection_field_->setText(filters.collection);
    filter_cat_field_->setText(filters.cat);
    filter_id_field_->setText(filters.id);
    filter_title_field_->setText(filters.title);
    filter_content_field_->setText(filters.content);
    (filters.use_or ? or_option_ : and_option_)->setChecked(true);
    writing_filters_ = false;
}

void TableView::filter_changed() {
    if (query_in_progress_) return;
    if (!loading_ && last_query_.isValid()) {
        const qint64 since = last_query_.msecsTo(ctx_.clock.now());
        if (since >= 0 && since < query_spacing_ms) {
            // The window stays live while it waits; the filters are read when the query runs.
            query_in_progress_ = true;
            query_waiting_ = true;
            query_timer_->start(static_cast<int>(query_spacing_ms - since));
            return;
        }
    }
    query_in_progress_ = true;
    run_query();
}

void TableView::on_query_timer() {
    if (!query_waiting_) return;
    const qint64 since = last_query_.msecsTo(ctx_.clock.now());
    if (since >= 0 && since < query_spacing_ms) {
        query_timer_->start(static_cast<int>(query_spacing_ms - since));
        return;
    }
    query_waiting_ = false;
    run_query();
}

void TableView::run_query() {
    query_in_progress_ = true;
    last_query_ = ctx_.clock.now();
    if (!check_filters()) {
        // The rows of the previous query stay; the filter stays as typed for the user to fix.
        keep_.reset();
        query_in_progress_ = false;
        return;
    }
    const TableFilters filters = read_filters();
    const TableQuery::Built built = query_.build(filters);
    if (!loading_) save_col_widths();
    try {
        model_->fill(built.statement);
        current_statement_ = built.statement;
    } catch (const DbError&) {
        const QString all = ctx_.collections.at(CollectionTable::all_collections).name;
        if (query_.position() == 6 ||
            (!all.isEmpty() && collection_field_->text().compare(all, Qt::CaseInsensitive) == 0))
            ctx_.prompter.message(QStringLiteral("Check data format of item title"));
        try {
            model_->fill(built.plain);
            current_statement_ = built.plain;
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
            keep_.reset();
            query_in_progress_ = false;
            return;
        }
    }
    items_found_ = model_->rowCount();
    set_col_widths();
    update_column_headers();

    int row = items_found_ > 0 ? 0 : -1;
    if (preset_item_nr_ != 0) {
        const int found = model_->row_of(preset_item_nr_);
        if (found >= 0) row = found;
        preset_item_nr_ = 0;
    } else if (keep_ && items_found_ >= 2) {
        const int found = model_->row_of(keep_->item_nr);
        row = found >= 0 ? found : std::clamp(keep_->row, 0, items_found_ - 1);
    }
    keep_.reset();
    current_row_ = -1;
    go_to_row(row);
    update_caption();
    update_buttons();
    check_long_content();
    query_in_progress_ = false;
}

void TableView::refresh_keep_position() {
    if (query_in_progress_) return;
    keep_ = KeptPosition{current_item_nr_, current_row_};
    filter_changed();
}

bool TableView::check_filters() {
    const std::pair<QString, QLineEdit*> fields[] = {
        {QStringLiteral("mark"), filter_mark_field_},
        {QStringLiteral("collection"), filter_collection_field_},
        {QStringLiteral("category"), filter_cat_field_},
        {QStringLiteral("Id"), filter_id_field_},
        {QStringLiteral("title"), filter_title_field_},
        {QStringLiteral("content"), filter_content_field_},
    };
    QString first_problem;
    for (const auto& [caption, field] : fields) {
        const QString text = field->text();
        std::optional<QString> problem;
        if (!(field == filter_content_field_ &&
              text.trimmed().compare(picture_filter, Qt::CaseInsensitive) == 0))
            problem = filter_problem(caption, text);
        field->setStyleSheet(problem ? QStringLiteral("QLineEdit { border: 2px solid #c00000; }")
                                     : QString());
        field->setProperty("refused", problem.has_value());
        if (problem && first_problem.isEmpty()) first_problem = *problem;
    }
    filter_problem_label_->setText(first_problem);
    filter_problem_label_->setVisible(!first_problem.isEmpty());
    return first_problem.isEmpty();
}

void TableView::filter_edited() {
    if (writing_filters_ || loading_) return;
    // A filter that cannot be used yet ("or", "(a" while typing) is marked and runs nothing.
    if (!check_filters()) {
        if (query_waiting_) {
            query_timer_->stop();
            query_waiting_ = false;
            query_in_progress_ = false;
        }
        return;
    }
    refresh_keep_position();
}

// ---------------------------------------------------------------- grid and edit area

void TableView::go_to_row(int row) {
    if (!model_) return;
    const bool pending = edit_mode_ == EditMode::Insert || edit_mode_ == EditMode::Edit;
    if (row < 0 || row >= model_->rowCount()) {
        current_row_ = -1;
        if (!pending) load_current_row();
        return;
    }
    current_row_ = row;
    const QSignalBlocker block(grid_->selectionModel());
    const QModelIndex index = model_->index(row, table_columns::title);
    grid_->selectionModel()->setCurrentIndex(index,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Only the rows scroll: bringing the title column into a grid not yet laid out would leave
    // the window opened on its far right, with blank headers.
    QScrollBar* across = grid_->horizontalScrollBar();
    const int across_before = across->value();
    grid_->scrollTo(index);
    across->setValue(across_before);
    // A refresh asked for by another window must not overwrite an insert or edit typed here.
    if (!pending) load_current_row();
}

void TableView::row_changed(int row) {
    if (row == current_row_) return;
    if (check_save_call && !check_save_call(true)) {
        // The pending change could not be saved: the grid stays on its row.
        go_to_row(current_row_);
        return;
    }
    current_row_ = row;
    load_current_row();
}

void TableView::load_current_row() {
    filling_edit_area_ = true;
    const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
    auto value = [&row](int column) {
        return column < static_cast<int>(row.size()) ? row[column] : QVariant();
    };
    current_item_nr_ = value(table_columns::item_nr).toLongLong();
    collection_field_->setText(value(table_columns::collection).toString());
    cat_field_->setText(value(table_columns::cat).toString());
    mark_field_->setText(value(table_columns::mark).toString());
    item_id_field_->setText(value(table_columns::item_id).toString());
    item_title_field_->setText(value(table_columns::title).toString());
    item_content_field_->setPlainText(value(table_columns::content).toString());
    if (query_.date_position()) {
        const std::pair<QDateTimeEdit*, QCheckBox*> pickers[] = {{date_exp_field_, date_exp_check_},
                                                                 {date_rem_field_, date_rem_check_}};
        int column = table_columns::date_expiry;
        for (const auto& [picker, on] : pickers) {
            const QVariant stored = value(column++);
            on->setChecked(!stored.isNull());
            picker->setDateTime(stored.isNull() ? ctx_.clock.now() : dates::from_julian(stored.toDouble()));
        }
    }
    filling_edit_area_ = false;
}

void TableView::run_current_item() {
    if (!model_ || current_row_ < 0) return;
    const std::vector<QVariant> row = model_->record(current_row_);
    if (row.size() <= table_columns::content) return;
    views_.maps().execute(
        run_table_item(ctx_, row[table_columns::title].toString(), row[table_columns::content].toString()));
}

// ---------------------------------------------------------------- captions and columns

void TableView::update_column_headers() {
    if (!model_) return;
    const int remind_width = grid_->columnWidth(table_columns::date_remind) * twips_per_pixel;
    QStringList headers;
    for (int column = 0; column <= query_.last_column(); ++column) {
        QString caption = table_columns::header(query_.position(), column, remind_width);
        if (column == query_.sort_column()) caption += QLatin1Char('*');
        headers.append(caption);
    }
    model_->set_headers(headers);
    const table_columns::Labels labels = table_columns::labels_for(query_.position());
    item_title_label_->setText(labels.title_label);
    item_content_label_->setText(labels.content_label);
}

void TableView::set_col_widths() {
    if (!model_) return;
    for (int column = 0; column <= query_.last_column(); ++column) {
        const bool hide = table_columns::hidden(query_.position(), column);
        grid_->setColumnHidden(column, hide);
        if (hide) continue;
        int width = px(table_columns::default_width(column));
        try {
            width = px(table_columns::width(*ctx_.db, query_.position(), column));
        } catch (const DbError&) {
            // The default width stands.
        }
        // A date column is never narrower than a date in the font in use ("05/1..." otherwise).
        if (column >= table_columns::date_expiry && column <= table_columns::date_remind)
            width = std::max(width, date_column_width());
        grid_->setColumnWidth(column, width);
    }
}

int TableView::date_column_width() const {
    const QFontMetrics metrics = grid_->fontMetrics();
    const int margin = 2 * grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 8;
    return metrics.horizontalAdvance(QStringLiteral("00/00/00 00:00")) + margin;
}

void TableView::save_col_widths() {
    if (!model_ || !ctx_.db) return;
    try {
        table_columns::save_widths(*ctx_.db, query_.position(), query_.last_column(), [this](int column) {
            return grid_->columnWidth(column) * twips_per_pixel;
        });
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::update_caption() {
    const QString caption = table_caption(query_.collection_name(), query_.deadlines_only(), items_found_);
    setWindowTitle(caption);
    if (QMdiSubWindow* sub = sub_window()) sub->setWindowTitle(caption);
}

void TableView::update_buttons() {
    const bool idle = edit_mode_ != EditMode::Insert && edit_mode_ != EditMode::Edit;
    find_button_->setEnabled(idle);
    if (editing_ready_) {
        edit_button_->setEnabled(idle && items_found_ > 0);
        delete_button_->setEnabled(idle && items_found_ > 0);
    }
}

void TableView::check_long_content() {
    // Rows that the query found but the grid cannot show point at contents too long for it.
    if (items_found_ == 0 || !isVisible() || model_->rowCount() > 0) return;
    try {
        ctx_.prompter.message(long_content_message(*ctx_.db, items_found_, model_->rowCount()));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::header_clicked(int column) {
    // A query waiting for its spacing builds its statement when it runs, so the new order
    // joins it; only a query being filled right now ignores the click.
    if (query_in_progress_ && !query_waiting_) return;
    if (query_.header_click(column) && !query_waiting_) filter_changed();
}

// ---------------------------------------------------------------- commands

void TableView::find_item_in_grid() {
    if (!find_button_->isEnabled()) return;
    const std::optional<QString> answer = ctx_.prompter.input(find_prompt, find_title, QStringLiteral("*"));
    if (!answer || answer->isEmpty()) return;
    const QString text = *answer == QStringLiteral("*") ? QString() : *answer;
    writing_filters_ = true;
    filter_cat_field_->setText(text);
    filter_title_field_->setText(text);
    filter_content_field_->setText(text);
    or_option_->setChecked(true);
    writing_filters_ = false;
    filter_changed();
}

void TableView::filter_on_pictures() {
    writing_filters_ = true;
    filter_content_field_->setText(picture_filter);
    and_option_->setChecked(true);
    writing_filters_ = false;
    filter_changed();
}

void TableView::clear_filters() {
    writing_filters_ = true;
    for (QLineEdit* field : {filter_mark_field_, filter_collection_field_, filter_cat_field_,
                             filter_id_field_, filter_title_field_, filter_content_field_})
        field->clear();
    or_option_->setChecked(true);
    writing_filters_ = false;
    filter_changed();
}

QLineEdit* TableView::lookup_target(const QString& target) const {
    if (target == QStringLiteral("edit_or_ins_collection")) return collection_field_;
    if (target == QStringLiteral("edit_or_ins_cat")) return cat_field_;
    if (target == QStringLiteral("filter_collection")) return filter_collection_field_;
    if (target == QStringLiteral("filter_cat")) return filter_cat_field_;
    return nullptr;
}

void TableView::build_lookup_list(const QString& target) {
    QLineEdit* field = lookup_target(target);
    if (!field) return;
    QString sql;
    if (target.endsWith(QStringLiteral("collection"))) {
        sql = QStringLiteral("select distinct collection from repos order by collection");
    } else {
        QString collection = collection_field_->text();
        if (target == QStringLiteral("filter_cat") && !filter_collection_field_->text().trimmed().isEmpty())
            collection = filter_collection_field_->text().trimmed();
        if (target == QStringLiteral("filter_cat") && query_.all_collections_view() &&
            filter_collection_field_->text().trimmed().isEmpty())
            sql = QStringLiteral("select distinct cat from repos order by cat");
        else
            sql = QStringLiteral("select distinct cat from repos where collection = '") +
                  sql_quote(collection) + QStringLiteral("' order by cat");
    }
    lookup_list_->clear();
    try {
        Statement rows = ctx_.db->prepare(sql);
        while (rows.next())
            lookup_list_->addItem(rows.value(0).toString());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    list_target_ = target;
    const QPoint below = field->mapTo(this, QPoint(0, field->height()));
    lookup_list_->setGeometry(below.x(), below.y(), std::max(field->width(), 200), 200);
    lookup_list_->show();
    lookup_list_->raise();
    lookup_list_->setFocus();
}

void TableView::lookup_chosen(const QString& entry) {
    QLineEdit* field = lookup_target(list_target_);
    hide_lookup_list();
    if (!field) return;
    const bool edit_field = field == collection_field_ || field == cat_field_;
    // A filter field gets the chosen name in the form that matches it literally.
    field->setText(edit_field ? entry : literal_filter(entry));
    if (edit_field)
        item_title_field_->setFocus();
    else
        grid_->setFocus();
}

void TableView::hide_lookup_list() {
    lookup_list_->hide();
    lookup_list_->clear();
    list_target_.clear();
}

void TableView::escape_pressed() {
    if (lookup_list_->isVisible()) {
        hide_lookup_list();
        return;
    }
    if (edit_mode_ == EditMode::Insert || edit_mode_ == EditMode::Edit) {
        if (check_save_call) check_save_call(true);
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

// ---------------------------------------------------------------- keys and events

bool TableView::handle_key(QKeyEvent* event, bool in_grid) {
    const int key = event->key();
    if (ctx_.key_lock) return true;
    const int shift = shift_bits(event->modifiers() & ~Qt::KeypadModifier);
    // Keys with Ctrl or Alt (Ctrl+F3 global find, Alt+F3 file search...) belong to the
    // program-wide shortcuts; the window's own keys are plain.
    const bool plain = (shift & ~1) == 0;
    auto click_if_enabled = [](QPushButton* b) {
        if (b->isEnabled()) b->click();
        return true;
    };
    if (plain) {
        switch (key) {
        case Qt::Key_F1:
            popup_menu_->popup(mapToGlobal(rect().center()));
            return true;
        case Qt::Key_F2:
            return click_if_enabled(edit_button_);
        case Qt::Key_F3:
            return click_if_enabled(find_button_);
        case Qt::Key_F10:
            return click_if_enabled(zoom_button_);
        case Qt::Key_F12:
            return click_if_enabled(save_button_);
        case Qt::Key_Escape:
            escape_pressed();
            return true;
        default:
            break;
        }
        // Insert, Delete and Enter act on the rows when typed in the grid; in the text fields
        // they keep their ordinary meaning.
        if (in_grid) {
            switch (key) {
            case Qt::Key_Insert:
                return click_if_enabled(add_button_);
            case Qt::Key_Delete:
                if (editing_in_grid_) return false;
                return click_if_enabled(delete_button_);
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (editing_in_grid_) return false;
                run_current_item();
                return true;
            default:
                break;
            }
        }
    }
    // Every other key goes to the program-wide shortcuts.
    return ctx_.windows.handle_hot_key(shift, key);
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* field = qobject_cast<QLineEdit*>(watched);
            field && field->parentWidget() == fra_filters_ &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            grid_->setFocus();
            return true;
        }
        if (handle_key(key, watched == grid_)) return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        if (auto* field = qobject_cast<QLineEdit*>(watched); field && field->parentWidget() == fra_filters_) {
            field->clear(); // the change re-runs the query
            return true;
        }
        if (watched == grid_->viewport() || watched == grid_) {
            popup_menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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

void TableView::store_form_position() {
    if (!ctx_.db) return;
    save_col_widths();
    const QRect rect = sub_window() ? sub_window()->geometry() : geometry();
    const TwipsRect place{rect.top() * twips_per_pixel, rect.left() * twips_per_pixel,
                          rect.width() * twips_per_pixel, rect.height() * twips_per_pixel};
    const bool minimised = sub_window() ? sub_window()->isMinimized() : isMinimized();
    try {
        save_form_position(*ctx_.db, QStringLiteral("f_gentabx_%1").arg(query_.position()), false, place,
                           minimised);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::apply_geometry() {
    const QRect current = sub_window() ? sub_window()->geometry() : geometry();
    const TwipsRect now{current.top() * twips_per_pixel, current.left() * twips_per_pixel,
                        current.width() * twips_per_pixel, current.height() * twips_per_pixel};
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
        if (check_save_call && !check_save_call(true)) {
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
