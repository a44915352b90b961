// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/table_query.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class AppContext;
class QAction;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMdiSubWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
class TableModel;
class TableViews;

// What a table view window is doing with its edit area.
enum class EditMode { Idle, Insert, Edit, Find, Delete };

// f_gentabx: the items of one collection position (45: every collection) as rows of a grid,
// with six filter fields, an AND/OR choice, command buttons and an edit area for the current
// row. One window per position, kept by TableViews.
class TableView final : public QWidget {
    Q_OBJECT
public:
    // Queries are spaced at least this long apart; typing during the wait is read when the
    // query finally runs.
    static constexpr int query_spacing_ms = 2000;

    // Hand-over values beyond ctx.table_presets, given by the opener.
    struct Options {
        bool from_global_find = false; // the search text comes from the global find window
        bool find_on_activate = false; // run the find command when the window is first activated
        bool no_auto_find = false;     // no automatic find prompt on first activation
    };

    TableView(AppContext& ctx, TableViews& views, int position, QWidget* parent = nullptr);
    ~TableView() override;

    // The opening steps: applies and clears ctx.table_presets, runs the first query. False when
    // the window cannot open (the user was told why).
    bool load(const Options& options);

    int position() const { return query_.position(); }
    const QString& collection_name() const { return query_.collection_name(); }
    bool deadlines_only() const { return query_.deadlines_only(); }
    const TableQuery& query() const { return query_; }
    // The full statement that filled the grid last.
    const QString& current_statement() const { return current_statement_; }
    int items_found() const { return items_found_; }
    // item_nr of the row shown in the edit area; 0 when none.
    qint64 get_item_nr() const { return current_item_nr_; }
    TableModel* model() const { return model_.get(); }
    QTableView* grid() const { return grid_; }
    QMenu* popup_menu() const { return popup_menu_; }
    QMdiSubWindow* sub_window() const;
    bool query_waiting() const { return query_waiting_; }

    // filter_changed: builds the statement from the filters and the sort state and fills the
    // grid. Outside loading it keeps the two-second spacing between queries; the query that
    // finally runs reads the filters as they are then.
    void filter_changed();
    // Runs the query and keeps the grid on the same item where possible.
    void refresh_keep_position();
    // refresh_table: what other windows call after changing items.
    void refresh_table() { refresh_keep_position(); }
    // The find command (F3): asks for a text and puts it into category, title and content.
    void find_item_in_grid();
    // The picture filter: link items pointing at pictures.
    void filter_on_pictures();
    // Empties the visible filters, selects OR and runs the query once.
    void clear_filters();
    // Column captions and edit-area labels of the position.
    void update_column_headers();
    // Column widths and visibility from the stored parameters.
    void set_col_widths();
    // Stores the column widths of the grid.
    void save_col_widths();
    // Fills and shows List1 for a target ("edit_or_ins_collection", "edit_or_ins_cat",
    // "filter_collection", "filter_cat").
    void build_lookup_list(const QString& target);
    // Runs the item of the current row (double click, Enter in the grid).
    void run_current_item();
    // Moves the grid to `row` and shows that row in the edit area.
    void go_to_row(int row);
    // Loads the grid's current row into the edit area (clears it when the grid is empty).
    void load_current_row();
    // Called when the window becomes the active one.
    void activated();
    // Stores geometry and column widths (closing).
    void store_form_position();
    // Gives the window its stored place (once it sits in its sub-window).
    void apply_geometry();

public Q_SLOTS:
    // The spacing timer ran out: the waiting query runs now.
    void on_query_timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // table_view.cpp
    void create_controls();
    void create_menu();
    void set_layout_for_position();
    // The window's font follows the program's font size where that is larger.
    void apply_font_size();
    // The width, in pixels, that shows a date and time of the grid in full.
    int date_column_width() const;
    void apply_options_and_presets(const Options& options);
    void run_query();
    void update_caption();
    void update_buttons();
    void check_long_content();
    // `in_grid`: the key was typed in the grid, where Insert, Delete and Enter act on rows.
    bool handle_key(QKeyEvent* event, bool in_grid);
    void header_clicked(int column);
    void filter_edited();
    // Marks the filters that cannot be turned into a condition (red frame, the reason in
    // lab_filter_problem) and clears the marks of the others. True when every filter is usable.
    bool check_filters();
    void lookup_chosen(const QString& entry);
    void hide_lookup_list();
    TableFilters read_filters() const;
    void set_filter_texts(const TableFilters& filters);
    void escape_pressed();
    void row_changed(int row);
    QLineEdit* lookup_target(const QString& target) const;

public:
    // ------------------------------------------------------------------------------------
    // Editing (table_view_edit.cpp)
    // The editing commands of the window. TableViews calls setup_editing() once the window has
    // loaded; before that the editing buttons stay disabled. setup_editing connects b_add,
    // b_edit, b_delete, b_save, b_zoom, b_browse, b_browse_dir, the edit-area fields and the
    // editing entries of m_popup, and fills check_save_call so that the rest of the window can
    // ask for the save check.
    void setup_editing();
    void on_add();
    void on_edit();
    void on_save();
    void on_delete();
    // The save routine with its checks; with `ask` and a change pending it asks first. True
    // when the caller may go on.
    bool check_before_save(bool ask);
    // Starts an insert whose content is `text` (other windows hand contents in this way).
    void insert_content(const QString& text);
    // Adds the editing commands to m_popup.
    void build_edit_menu(QMenu* menu);
    // b_browse and b_browse_dir: the content becomes a link to the chosen file or directory.
    void on_browse();
    void on_browse_dir();
    // m_expand_edit_area (b_zoom, F10, double clicks while idle): the content editor on the
    // current item.
    void expand_edit_area();
    // A row of the grid dragged onto row `target_row`.
    void drop_on_row(qint64 dragged_item_nr, int target_row);
    // Typing into a cell of the grid opens the cell editor on the current cell (the date columns
    // refuse); Enter in it writes the cell, Escape leaves it.
    bool start_cell_edit(const QString& typed);
    bool commit_cell_edit();
    void cancel_cell_edit();
    // Ctrl+Z in the grid: the row of the last cell write as it was before it. False when there is
    // nothing to undo.
    bool undo_cell_edit();
    bool cell_undo_available() const { return undo_item_nr_ != 0; }
    // Idle, insert or edit: the command buttons, their highlight, the grid and the filters follow.
    void set_edit_mode(EditMode mode);
    // A field of the edit area changed: typing starts an edit, and b_save follows the fields.
    void edit_area_changed();
    // Runs the query at once (a save or a bulk command does not wait for the spacing of typed
    // filters) and puts the grid on `item_nr` (0: the first row).
    void run_query_now(qint64 item_nr);
    // After a change: the open map windows and the other table views.
    void refresh_other_views();
    QLineEdit* cell_editor_ = nullptr; // open while a cell is typed into
    int cell_edit_column_ = -1;
    QDateTime cell_edit_started_;
    // What the last cell write replaced (one level): the row, the column and the stored value.
    qint64 undo_item_nr_ = 0;
    int undo_column_ = 0;
    QVariant undo_before_;
    QLabel* cell_edit_label_ = nullptr; // says that a cell is being typed into, then how to undo
    int drag_row_ = -1;                 // the row a mouse press may start to drag
    QPoint drag_start_;
    // Set by setup_editing: the save check run before the grid moves to another row, before
    // Escape ends a pending insert or edit, and before the window closes. Empty: nothing is
    // ever pending.
    std::function<bool(bool ask)> check_save_call;

    // Set by setup_editing: the editing buttons follow the row count from then on.
    bool editing_ready_ = false;
    // True while the window itself writes the current row into the edit area, so that the
    // change events of its fields start no edit.
    bool filling_edit_area_ = false;
    EditMode edit_mode_ = EditMode::Idle;
    // Set while a cell of the grid is being typed into (Delete then does not delete the row).
    bool editing_in_grid_ = false;

    // The edit area (fra_edit).
    QGroupBox* fra_edit_ = nullptr;
    QLineEdit* collection_field_ = nullptr;
    QLineEdit* cat_field_ = nullptr;
    QLineEdit* mark_field_ = nullptr;
    QLineEdit* item_id_field_ = nullptr;
    QLineEdit* item_title_field_ = nullptr;
    QPlainTextEdit* item_content_field_ = nullptr;
    QDateTimeEdit* date_exp_field_ = nullptr;
    QDateTimeEdit* date_rem_field_ = nullptr;
    // The check boxes that switch the date pickers on; a switched-off date is stored as Null.
    QCheckBox* date_exp_check_ = nullptr;
    QCheckBox* date_rem_check_ = nullptr;
    QLabel* collection_label_ = nullptr;
    QLabel* cat_label_ = nullptr;
    QLabel* mark_label_ = nullptr;
    QLabel* item_id_label_ = nullptr;
    QLabel* item_title_label_ = nullptr;
    QLabel* item_content_label_ = nullptr;
    QLabel* date_exp_label_ = nullptr;
    QLabel* date_rem_label_ = nullptr;
    QPushButton* look_collection_ = nullptr;
    QPushButton* look_cat_ = nullptr;
    QPushButton* browse_button_ = nullptr;
    QPushButton* browse_dir_button_ = nullptr;
    QPushButton* zoom_button_ = nullptr;

    // Command buttons.
    QPushButton* add_button_ = nullptr;
    QPushButton* edit_button_ = nullptr;
    QPushButton* delete_button_ = nullptr;
    QPushButton* find_button_ = nullptr;
    QPushButton* save_button_ = nullptr;
    QPushButton* storm_button_ = nullptr;
    QPushButton* exit_button_ = nullptr;

    // The filters (fra_filters).
    QGroupBox* fra_filters_ = nullptr;
    QLineEdit* filter_mark_field_ = nullptr;
    QLineEdit* filter_collection_field_ = nullptr;
    QLineEdit* filter_cat_field_ = nullptr;
    QLineEdit* filter_id_field_ = nullptr;
    QLineEdit* filter_title_field_ = nullptr;
    QLineEdit* filter_content_field_ = nullptr;
    QPushButton* look_filter_collection_ = nullptr;
    QPushButton* look_filter_cat_ = nullptr;
    QRadioButton* and_option_ = nullptr;
    QRadioButton* or_option_ = nullptr;
    QPushButton* clear_button_ = nullptr;
    QLabel* filter_problem_label_ = nullptr;

    QListWidget* lookup_list_ = nullptr;
    QString list_target_; // the field List1 fills
    QMenu* popup_menu_ = nullptr;

    AppContext& ctx_;
    TableViews& views_;

private:
    TableQuery query_;
    std::unique_ptr<TableModel> model_;
    QTableView* grid_ = nullptr;
    QTimer* query_timer_ = nullptr;
    QString current_statement_;
    int items_found_ = 0;
    qint64 current_item_nr_ = 0;
    qint64 preset_item_nr_ = 0;
    bool loading_ = true;
    bool query_in_progress_ = false;
    bool query_waiting_ = false;
    bool writing_filters_ = false; // the window itself writes into the filter fields
    bool first_activation_ = true;
    bool presets_applied_ = false;
    bool closing_ = false;
    Options options_;
    QDateTime last_query_;
    // The item and row that refresh_keep_position returns to once its query has run.
    struct KeptPosition {
        qint64 item_nr = 0;
        int row = -1;
    };
    std::optional<KeptPosition> keep_;
    int current_row_ = -1;
};
