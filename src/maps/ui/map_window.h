// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/map_window_table.h"
#include "maps/map_editing.h"
#include "maps/map_items.h"
#include "maps/map_parameters.h"
#include "maps/navigation.h"
#include "maps/panel_layout.h"

#include <QDateTime>
#include <QHash>
#include <QWidget>
#include <vector>

class AppContext;
class MapPanel;
class MapWindows;
class PanelArea;
class QAction;
class QFrame;
class QMdiSubWindow;
class QMenu;
class QPlainTextEdit;
class QTimer;

// A map shown as a grid of tag panels, with an optional read-only content box below; lives in
// a sub-window of the main window's MDI area, in slot `window_number` of the map window table.
class MapWindow final : public QWidget, public MapWindowHandle, public FormAttributeSource {
    Q_OBJECT
public:
    // How long a resize must rest before the panels are laid out again.
    static constexpr int resize_settle_ms = 300;

    MapWindow(AppContext& ctx, MapWindows& windows, int window_number, QWidget* parent = nullptr);
    ~MapWindow() override;

    // The load sequence. False when the map was refused (the user was told why); the window has
    // then released its slot and its owner discards it.
    bool load(const MapOpening& opening);

    // MapWindowHandle
    void close() override;
    QString map_name() const override { return items_.identity().name; }

    // The map's statement, its name and position, and the selected item.
    FormAttributes form_attributes() const override;
    int window_number() const { return window_number_; }
    const MapIdentity& identity() const { return items_.identity(); }
    const MapItems& items() const { return items_; }
    const PanelLayout& panel_layout() const { return layout_; }
    const MapParameters& parameters() const { return params_; }
    int selected_index() const { return selected_; }
    int panel_count() const { return static_cast<int>(panels_.size()); }
    MapPanel* panel(int index) const;
    QMenu* popup_menu() const { return menu_; }
    QAction* action(const QString& object_name) const;
    bool content_box_visible() const { return content_visible_; }
    bool busy() const { return busy_; }
    QDateTime last_navigation() const { return last_navigation_; }
    QMdiSubWindow* sub_window() const;

    // Selecting restores the previous panel's colour, colours the new one and fills the
    // content box.
    void select(int index);
    // Gives the keyboard focus to the panel area.
    void focus_panels();
    // Moves and shrinks the window as needed to lie inside the main window's visible area.
    void fit_inside_main_window();

    // refresh_map: saves the parameters, reloads the items and lays the panels out when needed.
    void refresh();
    // The refresh another window asks for: save_map_parameters, load_map_items, lay_out_panels.
    void refresh_from_outside();
    // save_map_parameters with the window as it stands.
    void save_parameters();

    // Opens the selected item (Enter, double click); `invert` swaps the map/table choice.
    void open_selected(bool invert);
    // What a drag of panel `index` carries; nothing for a grid filler, which cannot be dragged.
    std::optional<DragPayload> drag_payload(int index, bool shift) const;
    // A drop of a dragged panel on panel `target` of this window.
    void drop(const DragPayload& payload, int target);
    // A drop on the background: the dragged tag is deleted in its own window.
    void drop_on_background(const DragPayload& payload);
    // Called when the window becomes the active one: records it and completes a pending
    // insert-reference or copy-items operation of another window.
    void activated();
    // Carries out what an editing command answered.
    void apply(const EditOutcome& outcome);

public Q_SLOTS:
    // Timer1: lays the panels out again once a resize has settled.
    void on_relayout_timer();
    // timer_autom: one step of automatic selection.
    void on_auto_timer();
    // The end of the staggered start: timer_autom runs from now on.
    void on_auto_start_timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // map_window.cpp
    void build_panels();
    void update_panel_texts();
    void apply_geometry_px(const QRect& rect);
    void frame_resized(const QSize& size);
    TwipsRect place_twips() const;
    MapWindowState window_state() const;
    void place_children();
    void fill_content_box();
    const MapItem* selected_item() const;
    MapItem entry_at(int index) const;
    void select_item_nr(qint64 item_nr);
    void select_title(const QString& title);
    bool load_items(bool opening);
    LoadOptions load_options() const;

    // map_window_keys.cpp
    bool handle_key(QKeyEvent* event);
    // The key families of handle_key; each returns whether it took the key.
    bool handle_movement_key(int key, bool ctrl, bool alt);
    bool handle_command_key(int key, bool ctrl, bool alt);
    bool handle_letter_key(int key);
    void move_vertical(int step);
    void move_horizontal(int step);
    void activate_neighbour(bool forward);
    void start_drag(int index, bool shift);
    void panel_clicked(int index);
    void show_popup(const QPoint& global_pos);

    // map_window_menu.cpp
    void create_menu();
    void update_menu();
    QAction* add_command(const QString& object_name, const QString& caption, void (MapWindow::*slot)());
    QAction* add_unavailable(const QString& object_name, const QString& caption);
    void cmd_open_item();
    void cmd_open_parent();
    void cmd_add_item();
    void cmd_rename_tag();
    void cmd_rename_map();
    void cmd_remove_item();
    void cmd_delete_map();
    void cmd_sort();
    void cmd_sort_by_date();
    void cmd_insert_reference();
    void cmd_copy_items();
    void cmd_items_from_content();
    void cmd_change_nr_columns();
    void cmd_create_map_from_item();
    void cmd_toggle_content_box();
    void cmd_link_to_file();
    void cmd_link_to_directory();
    void cmd_export();
    void cmd_table_view();
    void cmd_search_in_collection();
    void cmd_edit_content();
    void cmd_show_similar_tags();
    void cmd_random_item_of_map();
    void cmd_random_item_of_selected();
    void cmd_random_map_of_this_map();
    void cmd_random_map_of_category();
    void cmd_toggle_start_map();
    void cmd_toggle_auto_size();
    void cmd_refresh();
    void cmd_close();
    void set_columns(int columns);

    // map_window_auto.cpp
    void create_auto_timers();
    // Starts timer_autom after a random fraction of staggered_start_span_ms when automatic
    // selection is on.
    void start_auto_selection_staggered();
    // timer_autom runs, with the current interval, exactly while automatic selection is on.
    void restart_auto_timer();
    bool active_child_is_map_window() const;
    void cmd_toggle_auto();
    void cmd_toggle_random_order();
    void cmd_change_frequency();
    void cmd_toggle_open_child_maps();
    void cmd_open_child_maps();
    void cmd_close_child_maps();

    AppContext& ctx_;
    MapWindows& windows_;
    const int window_number_;
    MapItems items_;
    MapParameters params_;
    PanelLayout layout_;
    QString pending_item_;
    PanelArea* panel_area_;
    QFrame* fra_edit_;
    QPlainTextEdit* edit_box_;
    QTimer* relayout_timer_;
    QTimer* auto_timer_ = nullptr;       // timer_autom
    QTimer* auto_start_timer_ = nullptr; // the staggered start of timer_autom
    QMenu* menu_;
    QHash<QString, QAction*> actions_;
    std::vector<MapPanel*> panels_;
    int selected_ = -1;
    bool content_visible_ = false;
    bool busy_ = false;
    bool opening_ = false;
    bool opening_item_ = false;
    bool closing_ = false;
    bool own_resize_ = false;
    bool keep_place_ = true; // false once the map was renamed or deleted: nothing to save under its name
    QSize applied_size_;     // the frame size the window gave itself last
    QDateTime last_navigation_;
};
