// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "maps/map_tree.h"

#include <QWidget>

class AppContext;
class MapTreeModel;
class MapWindows;
class QAction;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTreeView;

inline const QString map_tree_form = QStringLiteral("f_tree");
// The upper part's share of the window, in per mille, kept beside the window's geometry.
inline const QString map_tree_splitter_key = QStringLiteral("f_tree_splitter");

// f_tree, "Tree view": every map as one outline over a read-only box with the selected item's
// content. Its commands act on the selected node.
class MapTreeWindow final : public QWidget, public FormAttributeSource {
    Q_OBJECT
public:
    MapTreeWindow(AppContext& ctx, MapWindows& maps, QWidget* parent = nullptr);
    ~MapTreeWindow() override;

    // Places the window, builds the collection nodes and opens the branch of the last selected
    // item, or else of the active map.
    void load();
    // The tree is the active window: the main window's commands act on it.
    void activated();

    FormAttributes form_attributes() const override;

    MapTreeModel& model() const { return *model_; }
    QTreeView& tree() const { return *tree_; }
    QMenu* popup_menu() const { return popup_menu_; }
    // What the selected node stands for; nullptr when nothing is selected.
    const TreeNode* selected_node() const;
    // Selects (and shows) the node of the target, opening the branches on the way.
    void select_target(const TreeTarget& target);

    // The commands of the pop-up menu and the keys.
    void open_map_view();
    void open_table_view();
    // m_random_map: the tags storm of the selected collection, category or item's map.
    void open_random_map();
    void delete_selected_branch();
    // A double click on the node at `index`.
    void open_node(const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void build_menu();
    void node_clicked(const QModelIndex& index);
    void current_changed(const QModelIndex& current);
    bool handle_key(const QKeyEvent& event);
    void restore_splitter();
    void save_place();

    AppContext& ctx_;
    MapWindows& maps_;
    MapTreeModel* model_;
    QTreeView* tree_;
    QPlainTextEdit* content_box_;
    QSplitter* splitter_;
    QMenu* popup_menu_ = nullptr;
    bool closed_ = false;
};

// Opens a fresh tree in `area` (on its own when area is nullptr), shown and active.
MapTreeWindow* open_map_tree_window(AppContext& ctx, MapWindows& maps, QMdiArea* area);
