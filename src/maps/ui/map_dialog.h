// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_selection.h"

#include <QDialog>
#include <optional>

class AppContext;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// What the selection dialog (f_select_map) and the open-or-create dialog (f_create_map) share:
// the collection and category boxes, the list that the look buttons fill, Cancel, and the
// position kept under the form's name (centred on the main window until one is stored). The
// decisions are MapSelection's.
class MapDialog : public QDialog {
    Q_OBJECT
public:
    const MapSelection& selection() const { return selection_; }

protected:
    MapDialog(AppContext& ctx, QWidget* parent, QString form_name, MapParts prefill, bool collection_only);

    // A labelled box in the next row, showing and editing one part of the boxes, with the
    // button that lists its values beside it.
    QLineEdit* add_box(const char* name, const QString& label, QString MapParts::*part, QPushButton* look);
    // A button; in the action row below the boxes unless `in_action_row` is false.
    QPushButton* add_button(const char* name, const QString& caption, bool in_action_row = true);
    // The collection and category rows with their look buttons, which both dialogs have.
    void add_look_boxes();
    // A look button: the boxes as typed, then the list of what `step` listed.
    void look(bool (MapSelection::*step)());
    // Lays out the boxes, then the buttons in one column beside them, and the list below; places
    // the dialog. Called once the subclass has added its controls.
    void finish_layout();

    // The list shows what the selection has listed (hidden when nothing).
    void show_list();
    // A click on entry `row` of the list: the selection takes it and the list shows what comes
    // next, then entry_clicked.
    virtual void list_clicked(int row);
    // After a click on a list entry; `accepted` when the selection says the click accepts.
    virtual void entry_clicked(bool accepted) = 0;
    // The boxes as the fields show them, and back.
    void read_boxes();
    void write_boxes();

    void done(int result) override;

    AppContext& ctx_;
    MapSelection selection_;
    QLineEdit* collection_field_ = nullptr;
    QLineEdit* cat_field_ = nullptr;
    QPushButton* look_collections_button_ = nullptr;
    QPushButton* look_categories_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    QListWidget* list_ = nullptr;

private:
    void place();

    QString form_name_;
    QGridLayout* boxes_layout_;
    std::vector<std::pair<QLineEdit*, QString MapParts::*>> fields_;
    std::vector<QPushButton*> buttons_;
};

// f_select_map: picks a collection, a category and optionally an item.
class SelectMapDialog final : public MapDialog {
    Q_OBJECT
public:
    SelectMapDialog(AppContext& ctx, QWidget* parent, const MapParts& prefill, bool collection_only);

    // What the user accepted; nothing while the dialog is open or after Cancel.
    const std::optional<MapParts>& choice() const { return choice_; }

protected:
    void entry_clicked(bool accepted) override;

private:
    void select();

    QLineEdit* item_field_;
    QPushButton* look_item_button_;
    QPushButton* select_button_;
    std::optional<MapParts> choice_;
};

// Shows f_select_map modally; nothing when the user cancelled.
std::optional<MapParts> run_select_map_dialog(AppContext& ctx, QWidget* parent, const MapParts& prefill,
                                              bool collection_only);
