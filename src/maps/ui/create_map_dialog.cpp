// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/create_map_dialog.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/map_names.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

CreateMapDialog::CreateMapDialog(AppContext& ctx, QWidget* parent, const MapParts& prefill)
    : MapDialog(ctx, parent, QStringLiteral("f_create_map"), MapParts{prefill.collection, prefill.cat, {}},
                false) {
    setWindowTitle(QStringLiteral("Open or create map"));
    add_look_boxes();
    open_button_ = add_button("b_select", QStringLiteral("&Open map"));
    table_button_ =
        add_button("b_open_table_view_of_map", QStringLiteral("Open &table view of collection+category"));
    create_button_ = add_button("b_create_map", QStringLiteral("&Create map"));
    open_button_->setDefault(true);
    finish_layout();
    update_buttons();

    connect(open_button_, &QPushButton::clicked, this, &CreateMapDialog::open_map);
    connect(table_button_, &QPushButton::clicked, this, &CreateMapDialog::open_table);
    connect(create_button_, &QPushButton::clicked, this, &CreateMapDialog::create);
    connect(collection_field_, &QLineEdit::textChanged, this, &CreateMapDialog::update_buttons);
    connect(cat_field_, &QLineEdit::textChanged, this, &CreateMapDialog::update_buttons);
    // A double click on a category opens its map (the first click has put it into its box).
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (!cat_field_->text().trimmed().isEmpty()) open_map();
    });
}

void CreateMapDialog::list_clicked(int row) {
    // A category only goes into its box here, and the categories stay on view so that a double
    // click can open the one chosen; the buttons say what happens with it.
    if (selection_.list() == SelectionList::Categories && row >= 0 && row < list_->count()) {
        cat_field_->setText(list_->item(row)->text());
        return;
    }
    MapDialog::list_clicked(row);
}

void CreateMapDialog::entry_clicked(bool /*accepted*/) {}

void CreateMapDialog::update_buttons() {
    const bool collection = !collection_field_->text().trimmed().isEmpty();
    const bool cat = !cat_field_->text().trimmed().isEmpty();
    open_button_->setEnabled(collection);
    table_button_->setEnabled(collection);
    create_button_->setEnabled(collection && cat);
}

void CreateMapDialog::open_map() {
    read_boxes();
    try {
        const std::optional<MapParts> choice = selection_.accept();
        if (!choice) return;
        accept();
        ctx_.windows.open_map(*choice);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void CreateMapDialog::open_table() {
    read_boxes();
    const int position = collection_index(ctx_.collections, selection_.boxes.collection.trimmed());
    if (position == 0) {
        ctx_.prompter.message(selection_.boxes.collection.trimmed().isEmpty()
                                  ? select_collection_first_message
                                  : selection_missing_message);
        return;
    }
    accept();
    ctx_.table_presets = TablePresets{};
    ctx_.table_presets.category = selection_.boxes.cat.trimmed();
    ctx_.windows.open_table_view(position);
}

void CreateMapDialog::create() {
    read_boxes();
    try {
        if (!create_map_of_parts(ctx_, selection_.boxes.collection, selection_.boxes.cat)) return;
        accept();
        const int position = collection_index(ctx_.collections, selection_.boxes.collection.trimmed());
        ctx_.windows.open_map(
            MapParts{ctx_.collections.at(position).name, selection_.boxes.cat.trimmed(), {}});
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void run_create_map_dialog(AppContext& ctx, QWidget* parent) {
    MapParts prefill;
    if (const int active = ctx.map_windows.active_slot(); active != 0 && ctx.map_windows.slot(active).in_use)
        prefill = MapParts{ctx.map_windows.slot(active).collection, ctx.map_windows.slot(active).cat, {}};
    CreateMapDialog dialog(ctx, parent, prefill);
    dialog.exec();
}
