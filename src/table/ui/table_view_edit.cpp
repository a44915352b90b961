// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editing side of the table view: the edit area, the command buttons, the cells of the
// grid, rows dragged onto rows and the editing commands of the pop-up menu. Every decision is
// taken by table/table_editing and table/table_bulk_editing; this file reads the controls,
// calls them and shows the result.
#include "core/app_context.h"
#include "core/windows.h"
#include "core/db_error.h"
#include "core/params.h"
#include "maps/map_items.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "table/like_condition.h"
#include "table/table_bulk_editing.h"
#include "table/table_columns.h"
#include "table/table_editing.h"
#include "table/table_model.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDrag>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using table_edit::EditRecord;
using table_edit::TableEditView;

namespace {

const QString row_mime_type = QStringLiteral("application/x-tessarin-item-nr");
const QString highlight_style = QStringLiteral("background-color: #c0ffff;"); // &HFFFFC0, light cyan
const QString unavailable_tip = QStringLiteral("Not available in this version");
const QString cell_undo_hint = QStringLiteral("Cell written: Ctrl+Z in the grid puts the row back");

table_edit::EditMode logic_mode(EditMode mode) {
    switch (mode) {
    case EditMode::Insert:
        return table_edit::EditMode::Insert;
    case EditMode::Edit:
        return table_edit::EditMode::Edit;
    case EditMode::Find:
        return table_edit::EditMode::Find;
    case EditMode::Delete:
        return table_edit::EditMode::Delete;
    case EditMode::Idle:
        break;
    }
    return table_edit::EditMode::Idle;
}

bool pending(EditMode mode) {
    return mode == EditMode::Insert || mode == EditMode::Edit;
}

void highlight(QPushButton* button, bool on) {
    button->setStyleSheet(on ? highlight_style : QString());
    button->setProperty("highlighted", on);
}

TableEditView edit_view(const TableView& view) {
    TableEditView v;
    v.position = view.position();
    v.collection_name = view.collection_name();
    v.title_caption = table_columns::labels_for(view.position()).title_column;
    v.id_caption = view.item_id_label_->text().isEmpty() ? QStringLiteral("Id") : view.item_id_label_->text();
    return v;
}

bool date_fields(const TableView& view) {
    return view.query().date_position();
}

EditRecord read_edit_area(const TableView& view) {
    EditRecord record;
    record.item_nr = view.get_item_nr();
    record.collection = view.collection_field_->text();
    record.cat = view.cat_field_->text();
    record.mark = view.mark_field_->text();
    record.item_id = view.item_id_field_->text();
    record.title = view.item_title_field_->text();
    record.content = view.item_content_field_->toPlainText();
    if (date_fields(view)) {
        if (view.date_exp_check_->isChecked()) record.expiry = view.date_exp_field_->dateTime();
        if (view.date_rem_check_->isChecked()) record.remind = view.date_rem_field_->dateTime();
    }
    return record;
}

// Writes fields without starting an edit. The pickers take the record's dates when it has them.
void write_edit_area(TableView& view, const EditRecord& record) {
    const bool filling = view.filling_edit_area_;
    view.filling_edit_area_ = true;
    view.collection_field_->setText(record.collection);
    view.cat_field_->setText(record.cat);
    view.mark_field_->setText(record.mark);
    view.item_id_field_->setText(record.item_id);
    view.item_title_field_->setText(record.title);
    if (view.item_content_field_->toPlainText() != record.content)
        view.item_content_field_->setPlainText(record.content);
    if (date_fields(view)) {
        view.date_exp_check_->setChecked(record.expiry.has_value());
        view.date_rem_check_->setChecked(record.remind.has_value());
        if (record.expiry) view.date_exp_field_->setDateTime(*record.expiry);
        if (record.remind) view.date_rem_field_->setDateTime(*record.remind);
    }
    view.filling_edit_area_ = filling;
}

QWidget* field_widget(TableView& view, table_edit::EditField field) {
    using table_edit::EditField;
    switch (field) {
    case EditField::Collection:
        return view.collection_field_;
    case EditField::Cat:
        return view.cat_field_;
    case EditField::Mark:
        return view.mark_field_;
    case EditField::ItemId:
        return view.item_id_field_;
    case EditField::Title:
        return view.item_title_field_;
    case EditField::Content:
        return view.item_content_field_;
    case EditField::Expiry:
        return view.date_exp_field_;
    case EditField::Remind:
        return view.date_rem_field_;
    case EditField::None:
        break;
    }
    return nullptr;
}

bool any_text(const TableView& view) {
    for (const QLineEdit* field : {view.collection_field_, view.cat_field_, view.mark_field_,
                                   view.item_id_field_, view.item_title_field_})
        if (!field->text().isEmpty()) return true;
    return !view.item_content_field_->toPlainText().isEmpty();
}

// The map windows showing the old name of a renamed map close, and the new map opens in their
// place with their parameters; an open map window would otherwise reload an emptied map.
void follow_map_rename(AppContext& ctx, MapWindows& maps, const table_edit::MapRename& rename) {
    if (rename.empty()) return;
    bool followed = false;
    for (const int number : ctx.map_windows.in_use_slots()) {
        MapWindow* window = maps.window(number);
        if (!window || !table_edit::followed_map_name(window->map_name(), rename)) continue;
        window->close(); // stores its place under the old name first
        followed = true;
    }
    if (!followed) return;
    try {
        table_edit::move_map_parameters(*ctx.db, rename.old_map, rename.new_map);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
    maps.open_category(rename.new_collection, rename.new_cat);
}

// Mouse, key and drop events of the edit area and the grid that the editing side handles.
class EditEvents final : public QObject {
public:
    explicit EditEvents(TableView* view) : QObject(view), view_(view) { setObjectName(object_name); }
    inline static const QString object_name = QStringLiteral("edit_events");

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            // The content field and the window background open the content editor.
            if (watched == view_->item_content_field_->viewport() || watched == view_) {
                if (!pending(view_->edit_mode_)) view_->expand_edit_area();
                return watched == view_;
            }
            break;
        case QEvent::KeyPress:
            if (watched == view_->cell_editor_) return cell_editor_key(static_cast<QKeyEvent*>(event));
            if (watched == view_->grid()) return grid_key(static_cast<QKeyEvent*>(event));
            break;
        case QEvent::FocusOut:
            // Clicking or tabbing elsewhere leaves the cell; a message box about the cell does not,
            // so that the text typed stays to be corrected.
            if (watched == view_->cell_editor_ && view_->cell_editor_->isVisible()) {
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                    reason == Qt::BacktabFocusReason)
                    view_->cancel_cell_edit();
            }
            break;
        case QEvent::MouseButtonPress:
            if (watched == view_->grid()->viewport()) mouse_pressed(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseMove:
            if (watched == view_->grid()->viewport()) return mouse_moved(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            if (watched == view_->grid()->viewport()) view_->drag_row_ = -1;
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (watched == view_->grid()->viewport()) {
                auto* drag = static_cast<QDropEvent*>(event);
                if (!drag->mimeData()->hasFormat(row_mime_type)) return false;
                drag->acceptProposedAction();
                return true;
            }
            break;
        case QEvent::Drop:
            if (watched == view_->grid()->viewport()) {
                auto* drop = static_cast<QDropEvent*>(event);
                if (!drop->mimeData()->hasFormat(row_mime_type)) return false;
                drop->acceptProposedAction();
                const qint64 item_nr = drop->mimeData()->data(row_mime_type).toLongLong();
                view_->drop_on_row(item_nr, view_->grid()->rowAt(drop->position().toPoint().y()));
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool cell_editor_key(QKeyEvent* key) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            view_->commit_cell_edit();
            return true;
        case Qt::Key_Escape:
            view_->cancel_cell_edit();
            return true;
        default:
            return false;
        }
    }

    // A printable key typed on the grid starts a cell edit; Ctrl+Z undoes the last cell write.
    bool grid_key(QKeyEvent* key) {
        if (key->key() == Qt::Key_Z && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
            return view_->undo_cell_edit();
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint()) return false;
        return view_->start_cell_edit(text);
    }

    void mouse_pressed(QMouseEvent* mouse) {
        view_->drag_row_ =
            mouse->button() == Qt::LeftButton ? view_->grid()->rowAt(mouse->position().toPoint().y()) : -1;
        view_->drag_start_ = mouse->position().toPoint();
    }

    bool mouse_moved(QMouseEvent* mouse) {
        if (view_->drag_row_ < 0 || !(mouse->buttons() & Qt::LeftButton) || pending(view_->edit_mode_))
            return false;
        if ((mouse->position().toPoint() - view_->drag_start_).manhattanLength() <
            QApplication::startDragDistance())
            return false;
        const qint64 item_nr = view_->model() ? view_->model()->item_nr_at(view_->drag_row_) : 0;
        view_->drag_row_ = -1;
        if (item_nr == 0) return false;
        auto* drag = new QDrag(view_->grid()->viewport()); // owned by Qt until the drag ends
        auto* data = new QMimeData;
        data->setData(row_mime_type, QByteArray::number(item_nr));
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
        return true;
    }

    TableView* view_;
};

} // namespace

// ---------------------------------------------------------------- set-up

void TableView::setup_editing() {
    if (editing_ready_) return;
    editing_ready_ = true;

    for (QWidget* w : std::initializer_list<QWidget*>{add_button_, edit_button_, delete_button_, save_button_,
                                                      browse_button_, browse_dir_button_, zoom_button_})
        w->setToolTip(QString());
    for (QWidget* w : std::initializer_list<QWidget*>{collection_field_, cat_field_, mark_field_,
                                                      item_id_field_, item_title_field_, date_exp_check_,
                                                      date_rem_check_, browse_button_, browse_dir_button_})
        w->setEnabled(true);
    item_content_field_->setReadOnly(false);
    zoom_button_->setEnabled(true);
    date_exp_field_->setEnabled(date_exp_check_->isChecked());
    date_rem_field_->setEnabled(date_rem_check_->isChecked());

    connect(add_button_, &QPushButton::clicked, this, [this] { on_add(); });
    connect(edit_button_, &QPushButton::clicked, this, [this] { on_edit(); });
    connect(save_button_, &QPushButton::clicked, this, [this] { on_save(); });
    connect(delete_button_, &QPushButton::clicked, this, [this] { on_delete(); });
    connect(browse_button_, &QPushButton::clicked, this, [this] { on_browse(); });
    connect(browse_dir_button_, &QPushButton::clicked, this, [this] { on_browse_dir(); });
    connect(zoom_button_, &QPushButton::clicked, this, [this] { expand_edit_area(); });
    for (QLineEdit* field : {collection_field_, cat_field_, mark_field_, item_id_field_, item_title_field_})
        connect(field, &QLineEdit::textChanged, this, [this] { edit_area_changed(); });
    connect(item_content_field_, &QPlainTextEdit::textChanged, this, [this] { edit_area_changed(); });
    const std::pair<QCheckBox*, QDateTimeEdit*> pickers[] = {{date_exp_check_, date_exp_field_},
                                                             {date_rem_check_, date_rem_field_}};
    for (const auto& [on, picker] : pickers) {
        connect(on, &QCheckBox::toggled, this, [this, picker = picker](bool checked) {
            picker->setEnabled(checked);
            edit_area_changed();
        });
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { edit_area_changed(); });
    }
    connect(item_title_field_, &QLineEdit::returnPressed, this, [this] {
        if (save_button_->isEnabled()) on_save();
    });
    connect(cat_field_, &QLineEdit::returnPressed, this, [this] { item_title_field_->setFocus(); });

    auto* events = new EditEvents(this);
    installEventFilter(events);
    item_content_field_->viewport()->installEventFilter(events);
    grid()->installEventFilter(events);
    grid()->viewport()->installEventFilter(events);
    grid()->viewport()->setAcceptDrops(true);

    check_save_call = [this](bool ask) { return check_before_save(ask); };
    build_edit_menu(popup_menu_);
    set_edit_mode(edit_mode_);
}

void TableView::set_edit_mode(EditMode mode) {
    edit_mode_ = mode;
    const bool busy = pending(mode);
    for (QPushButton* b : {add_button_, edit_button_, delete_button_, find_button_})
        highlight(b, false);
    if (mode == EditMode::Insert) highlight(add_button_, true);
    if (mode == EditMode::Edit) highlight(edit_button_, true);
    add_button_->setEnabled(editing_ready_ && !busy);
    save_button_->setEnabled(busy && any_text(*this));
    grid()->setEnabled(!busy);
    fra_filters_->setEnabled(!busy);
    fra_filters_->setVisible(mode != EditMode::Insert);
    update_buttons();
}

// ---------------------------------------------------------------- insert, edit, save, delete

void TableView::on_add() {
    if (!editing_ready_ || pending(edit_mode_)) return;
    if (!check_before_save(true)) return;
    EditRecord record;
    try {
        record = table_edit::insert_defaults(ctx_, edit_view(*this), collection_field_->text());
        // A grid filtered to one category proposes that category for the new item.
        const TableFilters filters = read_filters();
        const bool only_by_category =
            !filters.use_or || (filters.mark.trimmed().isEmpty() && filters.collection.trimmed().isEmpty() &&
                                filters.id.trimmed().isEmpty() && filters.title.trimmed().isEmpty() &&
                                filters.content.trimmed().isEmpty());
        record.cat = table_edit::insert_category(filters.cat, only_by_category,
                                                 current_item_nr_ != 0 ? cat_field_->text() : QString());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    write_edit_area(*this, record);
    set_edit_mode(EditMode::Insert);
    save_button_->setEnabled(true);
    item_title_field_->setFocus();
}

void TableView::on_edit() {
    if (!editing_ready_ || pending(edit_mode_) || get_item_nr() == 0) return;
    if (!check_before_save(true)) return;
    EditRecord record = read_edit_area(*this);
    try {
        table_edit::fill_empty_id(ctx_, edit_view(*this), record);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    write_edit_area(*this, record);
    set_edit_mode(EditMode::Edit);
    save_button_->setEnabled(true);
    item_title_field_->setFocus();
}

void TableView::edit_area_changed() {
    if (filling_edit_area_ || !editing_ready_) return;
    if (!pending(edit_mode_)) {
        // Typing into the area of a shown row edits that row. Only the Id field is written, so
        // that the cursor of the field being typed into stays where it is.
        if (get_item_nr() == 0) return;
        EditRecord record = read_edit_area(*this);
        try {
            table_edit::fill_empty_id(ctx_, edit_view(*this), record);
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
        if (record.item_id != item_id_field_->text()) {
            filling_edit_area_ = true;
            item_id_field_->setText(record.item_id);
            filling_edit_area_ = false;
        }
        set_edit_mode(EditMode::Edit);
    }
    save_button_->setEnabled(any_text(*this));
}

void TableView::on_save() {
    check_before_save(false);
}

bool TableView::check_before_save(bool ask) {
    if (!pending(edit_mode_)) return true;
    if (cell_editor_ && cell_editor_->isVisible()) cancel_cell_edit();
    EditRecord record = read_edit_area(*this);
    const table_edit::SaveOutcome outcome =
        table_edit::check_before_save(ctx_, edit_view(*this), logic_mode(edit_mode_), record, ask);
    if (outcome.dropped) {
        set_edit_mode(EditMode::Idle);
        load_current_row();
        return true;
    }
    write_edit_area(*this, record);
    if (!outcome.go_on) {
        if (QWidget* field = field_widget(*this, outcome.focus)) field->setFocus();
        return false;
    }
    const bool inserted = outcome.inserted;
    set_edit_mode(EditMode::Idle);
    refresh_other_views();
    run_query_now(outcome.item_nr);
    if (inserted && items_found_ == 0) {
        // The filters hide every row: they are emptied so that the new item shows.
        TableFilters filters = read_filters();
        filters.mark = filters.collection = filters.cat = filters.id = filters.title = filters.content =
            QString();
        set_filter_texts(filters);
        run_query_now(outcome.item_nr);
        if (items_found_ == 0) ctx_.prompter.message(QStringLiteral("error 2000 09 09 14 20"));
    }
    return true;
}

void TableView::on_delete() {
    if (!editing_ready_ || pending(edit_mode_) || get_item_nr() == 0) return;
    if (!check_before_save(true)) return;
    EditRecord record = read_edit_area(*this);
    const table_edit::DeleteResult result = table_edit::delete_record(ctx_, record);
    if (result == table_edit::DeleteResult::Declined || result == table_edit::DeleteResult::Failed) {
        grid()->setFocus();
        return;
    }
    const int row = current_row_;
    set_edit_mode(EditMode::Delete);
    run_query_now(0);
    if (items_found_ > 0) go_to_row(std::clamp(row, 0, items_found_ - 1));
    set_edit_mode(EditMode::Idle);
    refresh_other_views();
    grid()->setFocus();
}

void TableView::insert_content(const QString& text) {
    if (pending(edit_mode_)) {
        ctx_.prompter.message(table_edit::content_not_now_message);
        return;
    }
    on_add();
    if (edit_mode_ != EditMode::Insert) return;
    item_content_field_->setPlainText(text);
    item_title_field_->setFocus();
}

// ---------------------------------------------------------------- queries and refreshing

void TableView::run_query_now(qint64 item_nr) {
    query_timer_->stop();
    query_waiting_ = false;
    keep_.reset();
    preset_item_nr_ = item_nr;
    query_in_progress_ = true;
    run_query();
}

void TableView::refresh_other_views() {
    views_.maps().refresh_open_maps();
    for (int position = 1; position <= CollectionTable::count; ++position)
        if (TableView* other = views_.window(position); other && other != this) other->refresh_table();
}

// ---------------------------------------------------------------- content, links, editor

void TableView::on_browse() {
    if (const auto content = table_edit::browse_link_file(ctx_)) item_content_field_->setPlainText(*content);
}

void TableView::on_browse_dir() {
    if (const auto content = table_edit::browse_link_directory(ctx_))
        item_content_field_->setPlainText(*content);
}

void TableView::expand_edit_area() {
    if (pending(edit_mode_)) {
        // The content typed so far goes to the editor, and what the editor saves comes back
        // into the content field, to be saved with the rest of the pending change.
        if (!views_.edit_pending_content) return;
        const EditedItem item{edit_mode_ == EditMode::Edit ? get_item_nr() : 0, collection_field_->text(),
                              cat_field_->text(), item_title_field_->text(), QString()};
        const QPointer<TableView> self(this);
        views_.edit_pending_content(item, item_content_field_->toPlainText(), [self](const QString& text) {
            if (!self || !pending(self->edit_mode_)) return false;
            self->item_content_field_->setPlainText(text);
            return true;
        });
        return;
    }
    if (get_item_nr() == 0) return;
    ctx_.windows.open_content_editor(get_item_nr());
}

// ---------------------------------------------------------------- the cells of the grid

bool TableView::start_cell_edit(const QString& typed) {
    if (pending(edit_mode_) || editing_in_grid_ || !model() || current_row_ < 0) return false;
    const QModelIndex index = grid()->currentIndex();
    if (!index.isValid()) return false;
    if (!table_edit::column_editable(index.column())) {
        ctx_.prompter.message(table_edit::column_not_editable_message());
        return true;
    }
    if (!cell_editor_) {
        cell_editor_ = new QLineEdit(grid()->viewport());
        cell_editor_->setObjectName(QStringLiteral("cell_editor"));
        // Plainly not a row any more: a framed, tinted field over the cell.
        cell_editor_->setStyleSheet(
            QStringLiteral("QLineEdit { border: 2px solid #0050b0; background-color: #ffffd0; }"));
        cell_editor_->installEventFilter(
            findChild<QObject*>(EditEvents::object_name, Qt::FindDirectChildrenOnly));
    }
    cell_edit_label_->setText(QStringLiteral("Editing cell: Enter writes the row, Esc leaves it unchanged"));
    cell_edit_label_->show();
    editing_in_grid_ = true;
    cell_edit_column_ = index.column();
    cell_edit_started_ = ctx_.clock.now();
    cell_editor_->setGeometry(grid()->visualRect(index));
    cell_editor_->setText(typed);
    cell_editor_->show();
    cell_editor_->setFocus();
    return true;
}

bool TableView::commit_cell_edit() {
    if (!editing_in_grid_ || !cell_editor_) return false;
    const qint64 item_nr = get_item_nr();
    std::optional<table_edit::CellUndo> before;
    try {
        before = table_edit::cell_before_write(*ctx_.db, item_nr, cell_edit_column_);
    } catch (const DbError&) {
        // write_cell meets the same failure and reports it.
    }
    if (!table_edit::write_cell(ctx_, edit_view(*this), item_nr, cell_edit_column_, cell_editor_->text())) {
        cell_editor_->setFocus();
        return false;
    }
    cancel_cell_edit();
    if (before) {
        undo_item_nr_ = before->item_nr;
        undo_column_ = before->column;
        undo_before_ = before->before;
        cell_edit_label_->setText(cell_undo_hint);
        cell_edit_label_->show();
    }
    run_query_now(item_nr);
    refresh_other_views();
    return true;
}

bool TableView::undo_cell_edit() {
    if (undo_item_nr_ == 0 || editing_in_grid_ || pending(edit_mode_)) return false;
    const table_edit::CellUndo undo{undo_item_nr_, undo_column_, undo_before_};
    undo_item_nr_ = 0;
    undo_before_.clear();
    cell_edit_label_->hide();
    if (!table_edit::undo_cell_write(ctx_, undo)) return true;
    run_query_now(undo.item_nr);
    refresh_other_views();
    return true;
}

void TableView::cancel_cell_edit() {
    editing_in_grid_ = false;
    cell_edit_column_ = -1;
    if (undo_item_nr_ == 0)
        cell_edit_label_->hide();
    else
        cell_edit_label_->setText(cell_undo_hint);
    if (!cell_editor_) return;
    const bool had_focus = cell_editor_->hasFocus();
    cell_editor_->hide();
    if (had_focus) grid()->setFocus();
}

// ---------------------------------------------------------------- dragging a row

void TableView::drop_on_row(qint64 dragged_item_nr, int target_row) {
    if (pending(edit_mode_) || !model() || target_row < 0 || target_row >= model()->rowCount()) return;
    go_to_row(target_row);
    const table_edit::DropResult result =
        table_edit::drop_row(ctx_, dragged_item_nr, model()->item_nr_at(target_row));
    if (result != table_edit::DropResult::Moved) return;
    run_query_now(get_item_nr());
    refresh_other_views();
}

// ---------------------------------------------------------------- the pop-up menu

namespace {

// The name of the current row's category map (as the edit area shows collection and category),
// spelt as the map window stores its settings.
QString current_map(const TableView& view, const CollectionTable& collections) {
    return identify_category(collections, view.collection_field_->text(), view.cat_field_->text()).name;
}

// The collection a command on "the collection" works on: the window's own, or in the window of
// all collections the current row's.
QString command_collection(const TableView& view) {
    if (view.position() == CollectionTable::all_collections || view.collection_name().isEmpty())
        return view.collection_field_->text().trimmed();
    return view.collection_name();
}

} // namespace

void TableView::build_edit_menu(QMenu* menu) {
    auto add = [this, menu](const char* name, const QString& caption, std::function<void()> run) {
        QAction* action = menu->findChild<QAction*>(QString::fromUtf8(name));
        if (!action) {
            action = menu->addAction(caption);
            action->setObjectName(QString::fromUtf8(name));
        }
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
        return action;
    };
    auto unavailable = [menu](const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        action->setEnabled(false);
        action->setToolTip(unavailable_tip);
    };
    // Commands that change rows first save or drop a pending change.
    auto saved = [this] { return check_before_save(true); };

    add("m_bulk_replace_of_category", QStringLiteral("Bulk replace of field \"category\""), [this, saved] {
        if (!saved()) return;
        const QString filter = filter_cat_field_->text().trimmed();
        const table_edit::BulkOutcome outcome = table_edit::bulk_replace_category(
            ctx_, collection_field_->text().trimmed(), cat_field_->text().trimmed());
        if (!outcome.changed) return;
        follow_map_rename(ctx_, views_.maps(), outcome.rename);
        refresh_other_views();
        if (!filter.isEmpty() && literal_text_of_filter(filter).value_or(filter).compare(
                                     outcome.old_value, Qt::CaseInsensitive) == 0) {
            TableFilters filters = read_filters();
            filters.cat = literal_filter(outcome.new_value);
            set_filter_texts(filters);
        }
        run_query_now(get_item_nr());
        if (QMdiSubWindow* sub = sub_window(); sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    });
    add("m_bulk_replace_of_collection", QStringLiteral("Bulk replace of field \"collection\""),
        [this, saved] {
            if (!saved()) return;
            const table_edit::BulkOutcome outcome = table_edit::bulk_replace_collection(
                ctx_, collection_field_->text().trimmed(), cat_field_->text().trimmed());
            if (!outcome.changed) return;
            follow_map_rename(ctx_, views_.maps(), outcome.rename);
            refresh_other_views();
            run_query_now(get_item_nr());
            if (QMdiSubWindow* sub = sub_window(); sub && sub->mdiArea())
                sub->mdiArea()->setActiveSubWindow(sub);
        });
    add("m_expand_edit_area", QStringLiteral("Expand edit area of current record"), [this] { expand_edit_area(); });
    add("m_sum_numbers_in_square_brackes", QStringLiteral("Sum numbers in square brackets"),
        [this] { table_edit::sum_numbers_in_square_brackets(ctx_, current_statement()); });
    add("m_insert_separators", QStringLiteral("Insert/update separators"), [this, saved] {
        if (!saved()) return;
        if (!table_edit::insert_separators(ctx_, collection_field_->text().trimmed())) return;
        run_query_now(get_item_nr());
    });
    add("m_remove_separators", QStringLiteral("Remove separators"), [this, saved] {
        if (!saved()) return;
        if (!table_edit::remove_separators(ctx_, command_collection(*this))) return;
        run_query_now(get_item_nr());
    });
    unavailable("m_random_map_of_current_category", QStringLiteral("Open random map of current category"));
    unavailable("m_storm", QStringLiteral("Open random map of filtered records"));
    unavailable("m_random_item_of_filtered_records", QStringLiteral("Open random item of filtered records"));
    unavailable("m_random_item_of_selected_record", QStringLiteral("Open random item of selected record"));
    add("m_export_filtered_items_to_notepad", QStringLiteral("Print filtered items (export to Wordpad)"),
        [this] { table_edit::export_filtered_items(ctx_, current_statement(), collection_name()); });
    add("m_sort_current_cat", QStringLiteral("Sort items of current category"), [this, saved] {
        if (!saved()) return;
        table_edit::sort_current_cat(ctx_, command_collection(*this), cat_field_->text().trimmed());
        run_query_now(get_item_nr());
        refresh_other_views();
    });
    add("m_sort_all_cat", QStringLiteral("Sort items of all categories"), [this, saved] {
        if (!saved()) return;
        table_edit::sort_all_cat(ctx_, command_collection(*this));
        run_query_now(get_item_nr());
        refresh_other_views();
    });
    add("m_delete_all_filtered_records", QStringLiteral("Delete all filtered records"), [this, saved] {
        if (!saved()) return;
        if (table_edit::delete_all_filtered(ctx_, current_statement()) == 0) return;
        run_query_now(0);
        refresh_other_views();
    });
    add("m_convert_current_content_into_items", QStringLiteral("Create items from content of current record"),
        [this, saved] {
            if (!saved() || get_item_nr() == 0) return;
            try {
                const std::optional<EditRecord> record = table_edit::load_record(*ctx_.db, get_item_nr());
                if (!record) return;
                const EditOutcome outcome = table_edit::create_items_from_record(ctx_, *record);
                if (!outcome.any()) return;
                refresh_other_views();
                run_query_now(get_item_nr());
                if (!outcome.open_map.isEmpty()) views_.maps().open_map(outcome.open_map);
            } catch (const DbError& error) {
                report_error(ctx_.prompter, error);
            }
        });
    QAction* start_map =
        add("m_set_map_as_default_map", QStringLiteral("Set current category as default map"), [this] {
            if (get_item_nr() == 0) return;
            table_edit::toggle_start_map(ctx_, current_map(*this, ctx_.collections));
        });
    start_map->setCheckable(true);
    // The check mark shows the flag of the current row's map each time the menu opens.
    connect(menu, &QMenu::aboutToShow, this, [this, start_map] {
        bool on = false;
        try {
            on = get_item_nr() != 0 && table_edit::is_start_map(ctx_, current_map(*this, ctx_.collections));
        } catch (const DbError&) {
            // An unreadable flag shows unchecked; toggling reports the failure.
        }
        start_map->setChecked(on);
    });
}
