// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

class AppContext;
class MapWindows;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

// f_list: the quick index of maps. Lists the maps filtered by a text, the maps another window
// chose ("Maps selected") or the parentless maps, and opens the selected entry as a map or a
// table.
class MapListWindow final : public QWidget {
    Q_OBJECT
public:
    MapListWindow(AppContext& ctx, MapWindows& maps, QWidget* parent = nullptr);

    // The opening: `selected`, when not empty, is listed as it is; otherwise `filter` goes into
    // the filter field, or the parentless maps are listed for the parentless marker.
    void load(const QStringList& selected, const QString& filter);
    // show_topic_list.
    void show_topic_list();
    void activated();

    QStringList entries() const;
    // m_storm: the tags storm of the selected map.
    void open_storm();
    QString selected_entry() const;
    QMenu* popup_menu() const { return popup_menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void filter_edited(const QString& text);
    void open_item_map();
    void open_collection_map();
    void open_table(bool with_cat);
    void open_top_table();
    void set_entries(const QStringList& entries);
    bool handle_key(QKeyEvent* event);

    AppContext& ctx_;
    MapWindows& maps_;
    QListWidget* lista_;
    QLabel* filter_label_;
    QLineEdit* filter_field_;
    QCheckBox* filter_check_;
    QPushButton* open_item_map_button_;
    QPushButton* open_collection_map_button_;
    QPushButton* open_item_table_button_;
    QPushButton* open_collection_table_button_;
    QPushButton* open_top_map_button_;
    QPushButton* open_top_table_button_;
    QPushButton* cancel_button_;
    QMenu* popup_menu_;
    QAction* storm_action_;
    bool loading_ = false;
    bool closed_ = false;
};
