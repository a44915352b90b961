// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/ui/map_dialog.h"

// f_create_map: names a map by its collection and category, then opens it, opens its table view
// or creates it. Each of the three closes the dialog when it succeeds; a refusal is told and the
// dialog stays.
class CreateMapDialog final : public MapDialog {
    Q_OBJECT
public:
    CreateMapDialog(AppContext& ctx, QWidget* parent, const MapParts& prefill);

protected:
    void list_clicked(int row) override;
    void entry_clicked(bool accepted) override;

private:
    void open_map();
    void open_table();
    void create();
    void update_buttons();

    QPushButton* open_button_;
    QPushButton* table_button_;
    QPushButton* create_button_;
};

// Shows f_create_map modally, its boxes filled from the active map's name.
void run_create_map_dialog(AppContext& ctx, QWidget* parent);
