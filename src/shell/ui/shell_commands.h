// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/hot_keys.h"

#include <QObject>
#include <QString>
#include <functional>

class AppContext;
class MainWindow;
class MapWindows;
class QAction;
class QKeyEvent;
class QMenu;
class QWidget;
struct DragPayload;
struct ToolbarButton;

// Commands owned by other windows that the general menu and toolbar offer; each member stays
// empty until its window is part of the program, and the entries leading to it are disabled.
struct ShellExtras {
    std::function<void()> lock_now;
    std::function<void()> change_password;
    std::function<void()> show_tips;
    std::function<QString()> hot_key_list; // the text of "Hot keys (CTL+F1)"
    std::function<QString()> about_text;
    std::function<QString()> version_history;
    QString user_guide_file; // in the program directory
    // Fills the "Preferences" submenu.
    std::function<void(QMenu& menu)> build_preferences;
};

// The general commands: the pop-up menu m_popup, the toolbar buttons, the general keys, and the
// main window's background. main builds one and hands it the windows it drives.
class ShellCommands final : public QObject {
    Q_OBJECT
public:
    ShellCommands(AppContext& ctx, MapWindows& maps, std::function<MainWindow*()> main_window);
    ~ShellCommands() override;

    ShellExtras extras;
    // "Change database" (the session reopens another database in this process).
    std::function<void()> change_database;
    // Ends the program as the quit command does.
    std::function<void()> quit;

    // Connects the main window's toolbar, background and keys; rebuilds its toolbar.
    void attach(MainWindow& window);
    // Rebuilds the toolbar (after a change of collections or preferences).
    void rebuild();
    // Enables the toolbar buttons that can act now: a button whose window is not part of the
    // program is disabled and says so in its tip, one that acts on the active window is disabled
    // while that window cannot take it.
    void update_toolbar();

    // Builds m_popup afresh (so that it shows the current collections and check marks).
    QMenu* build_general_menu(QWidget* parent);
    // Shows m_popup at the mouse position.
    void show_general_menu();

    bool handle_hot_key(int shift, int key);
    bool handle_main_window_key(QKeyEvent* event);
    void toolbar_button(const ToolbarButton& button, bool alt);
    void dropped(const DragPayload& payload);

    void open_collection(int position, bool invert);
    void find_map();
    void resume_previous_session();
    void close_all_windows();
    void show_hot_keys();
    void print();
    void show_toolbar(bool on);
    void set_minimum_size(bool on);

    // The map filter typed last in "Find map" ("" = all maps); any Ctrl or Alt key forgets it.
    const QString& map_filter() const { return map_filter_; }

private:
    enum class ButtonState { Works, NotAvailable };
    ButtonState toolbar_button_state(const QString& key) const;
    HotKeyActions hot_key_actions();
    bool any_window_open() const;
    void fill_collection_menu(QMenu* menu, const QString& name, bool table);
    // Opens the calendar; empty (a disabled command) while the program has no calendar.
    std::function<void()> calendar_command();
    // The table view of all collections listing the items with a deadline.
    void show_deadlines();

    AppContext& ctx_;
    MapWindows& maps_;
    std::function<MainWindow*()> main_window_;
    CommandFormKeys form_keys_;
    QString map_filter_;
};

// A program title plus a suffix, the caption of the program's text windows.
QString text_window_caption(const QString& suffix);
