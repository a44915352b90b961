// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "table/lookup_list.h"
#include "table/table_bulk_editing.h"
#include "table/table_query.h"
#include "table/ui/table_edit_area.h"
#include "table/ui/table_filter_bar.h"
#include "table/ui/table_grid.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class AppContext;
class QLabel;
class QListWidget;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTimer;
class TableModel;
class TableViews;

// What a table view window is doing with its edit area.
enum class EditMode { Idle, Insert, Edit, Find, Delete };

// f_gentabx: the items of one collection position (45: every collection) as rows of a grid,
// under its filter bar (TableFilterBar) and over the command buttons and the edit area
// (TableEditArea) of the current row. One window per position, kept by TableViews.
//   table_view.cpp        controls, opening, keys, activation, place
//   table_view_query.cpp  the query, the filters, the rows, List1, captions and columns
//   table_view_edit.cpp   insert, edit, save, delete, the cells of the grid, dropped rows
//   table_view_menu.cpp   m_popup and its editing commands
class TableView final : public QWidget, public FormAttributeSource {
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
    // The statement, the map of the current row, the position and the current item.
    // The storm of the rows the filters select (b_storm, m_storm), of the current row's category.
    void open_storm_of_filtered();
    void open_storm_of_category();
    FormAttributes form_attributes() const override;
    // The full statement that filled the grid last.
    const QString& current_statement() const { return current_statement_; }
    int items_found() const { return items_found_; }
    // item_nr of the row shown in the edit area; 0 when none.
    qint64 get_item_nr() const { return current_item_nr_; }
    TableModel* model() const { return model_.get(); }
    TableGrid* grid() const { return grid_; }
    TableEditArea* edit_area() const { return edit_area_; }
    QMenu* popup_menu() const { return popup_menu_; }
    QMdiSubWindow* sub_window() const;
    bool query_waiting() const { return query_waiting_; }
    EditMode edit_mode() const { return edit_mode_; }
    // A cell of the grid is being typed into (Delete then does not delete the row).
    bool editing_in_grid() const { return editing_in_grid_; }

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
    // Fills and shows List1 under the field it fills.
    void build_lookup_list(LookupTarget target);
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

    // Editing. TableViews calls setup_editing() once the window has loaded; before that the
    // editing buttons stay disabled and nothing is ever pending. setup_editing connects b_add,
    // b_edit, b_delete, b_save, b_zoom, b_browse, b_browse_dir, the edit-area fields and the
    // editing entries of m_popup.
    void setup_editing();
    // Starts an insert whose content is `text` (other windows hand contents in this way).
    void insert_content(const QString& text);
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
    bool cell_undo_available() const { return cell_undo_.has_value(); }

public Q_SLOTS:
    // The spacing timer ran out: the waiting query runs now.
    void on_query_timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // table_view.cpp
    void create_controls();
    void create_command_buttons();
    void connect_controls();
    void install_key_filters();
    void apply_options_and_presets(const Options& options);
    // The window's font follows the program's font size where that is larger.
    void apply_font_size();
    // `in_grid`: the key was typed in the grid, where Insert, Delete and Enter act on rows.
    bool handle_key(QKeyEvent* event, bool in_grid);
    bool handle_own_key(int key, bool in_grid);
    void escape_pressed();
    // table_view_query.cpp
    void run_query();
    // Fills the grid with the built statement, falling back to the plain one; false (reported)
    // when neither runs.
    bool fill_grid(const TableQuery::Built& built);
    void update_caption();
    void update_buttons();
    void check_long_content();
    void header_clicked(int column);
    void filter_edited();
    void lookup_chosen(const QString& entry);
    void hide_lookup_list();
    void row_changed(int row);
    QLineEdit* lookup_field(LookupTarget target) const;
    void set_col_widths();
    void save_col_widths();
    // table_view_edit.cpp
    void on_add();
    void on_edit();
    void on_delete();
    // The save routine with its checks; with `ask` and a change pending it asks first. True
    // when the caller may go on.
    bool check_before_save(bool ask);
    void after_save(const table_edit::SaveOutcome& outcome);
    void on_browse();
    void on_browse_dir();
    // Idle, insert or edit: the command buttons, their highlight, the grid and the filters follow.
    void set_edit_mode(EditMode mode);
    // A field of the edit area changed: typing starts an edit, and b_save follows the fields.
    void edit_area_changed();
    // Runs the query at once (a save or a bulk command does not wait for the spacing of typed
    // filters) and puts the grid on `item_nr` (0: the first row).
    void run_query_now(qint64 item_nr);
    // After a change: the open map windows and the other table views.
    void refresh_other_views();
    table_edit::TableEditView edit_view() const;
    // table_view_menu.cpp
    void create_menu();
    // Adds the editing commands to m_popup.
    void build_edit_menu();
    // m_set_map_as_default_map, checked when the current row's map is the start map.
    void add_start_map_command();
    void bulk_replace(bool category);
    // The random item view of the rows shown, or of the current record.
    void open_random_item_of_rows();
    void open_random_item_of_record();
    void run_saved(const std::function<void()>& command);

    AppContext& ctx_;
    TableViews& views_;
    TableQuery query_;
    std::unique_ptr<TableModel> model_;

    TableFilterBar* filter_bar_ = nullptr;
    TableGrid* grid_ = nullptr;
    TableEditArea* edit_area_ = nullptr;
    QPushButton* add_button_ = nullptr;
    QPushButton* edit_button_ = nullptr;
    QPushButton* delete_button_ = nullptr;
    QPushButton* find_button_ = nullptr;
    QPushButton* save_button_ = nullptr;
    QPushButton* storm_button_ = nullptr;
    QPushButton* exit_button_ = nullptr;
    QLabel* cell_edit_label_ = nullptr; // says that a cell is being typed into, then how to undo
    QListWidget* lookup_list_ = nullptr;
    std::optional<LookupTarget> list_target_; // the field List1 fills
    QMenu* popup_menu_ = nullptr;
    QTimer* query_timer_ = nullptr;

    QString current_statement_;
    int items_found_ = 0;
    qint64 current_item_nr_ = 0;
    qint64 preset_item_nr_ = 0;
    bool loading_ = true;
    bool query_in_progress_ = false;
    bool query_waiting_ = false;
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

    // Set by setup_editing: the editing buttons follow the row count from then on.
    bool editing_ready_ = false;
    QObject* edit_events_ = nullptr; // TableEditEvents, made by setup_editing
    EditMode edit_mode_ = EditMode::Idle;
    bool editing_in_grid_ = false;
    int cell_edit_column_ = -1;
    // What the last cell write replaced (one level): the row, the column and the stored value.
    std::optional<table_edit::CellUndo> cell_undo_;
};
