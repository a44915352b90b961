// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_tree_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_frame.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "maps/active_selection.h"
#include "maps/random_handoffs.h"
#include "maps/random_map_selection.h"
#include "maps/ui/map_tree_model.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString unavailable_tip = QStringLiteral("Not available in this version");
constexpr int per_mille = 1000;
// The tree's share of the window when none is stored.
constexpr int default_tree_share = 700;
constexpr int least_share = 50;
// Qt keeps stretch factors below 256.
constexpr int max_stretch = 255;

} // namespace

MapTreeWindow::MapTreeWindow(AppContext& ctx, MapWindows& maps, QWidget* parent)
    : QWidget(parent), ctx_(ctx), maps_(maps), model_(new MapTreeModel(ctx, this)) {
    setObjectName(map_tree_form);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setChildrenCollapsible(false);
    tree_ = new QTreeView(splitter_);
    tree_->setObjectName(QStringLiteral("tree"));
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setExpandsOnDoubleClick(true);
    tree_->setModel(model_);
    content_box_ = new QPlainTextEdit(splitter_);
    content_box_->setObjectName(QStringLiteral("Text1"));
    content_box_->setReadOnly(true);
    splitter_->addWidget(tree_);
    splitter_->addWidget(content_box_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    build_menu();

    connect(tree_, &QTreeView::clicked, this, &MapTreeWindow::node_clicked);
    connect(tree_, &QTreeView::doubleClicked, this, &MapTreeWindow::open_node);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { current_changed(current); });
    tree_->installEventFilter(this);
    content_box_->installEventFilter(this);
}

MapTreeWindow::~MapTreeWindow() = default;

void MapTreeWindow::build_menu() {
    popup_menu_ = new QMenu(this);
    popup_menu_->setObjectName(QStringLiteral("m_popup"));
    popup_menu_->setToolTipsVisible(true);
    const auto add = [this](const char* name, const char* caption) {
        QAction* action = popup_menu_->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(add("m_tagmap_view", "Open tag map view"), &QAction::triggered, this,
            &MapTreeWindow::open_map_view);
    connect(add("m_table_view", "Open table view (SPACE)"), &QAction::triggered, this,
            &MapTreeWindow::open_table_view);
    QAction* random_map = add("m_random_map", "Random map view");
    if (ctx_.windows.has_random_views()) {
        connect(random_map, &QAction::triggered, this, &MapTreeWindow::open_random_map);
    } else {
        random_map->setEnabled(false);
        random_map->setToolTip(unavailable_tip);
        random_map->setStatusTip(unavailable_tip);
    }
    QAction* random_item = add("m_random_item", "Random item view");
    if (!ctx_.windows.has_random_views()) {
        random_item->setEnabled(false);
        random_item->setToolTip(unavailable_tip);
        random_item->setStatusTip(unavailable_tip);
    }
    connect(random_item, &QAction::triggered, this, [this] {
        if (ctx_.windows.has_random_views())
            ctx_.windows.open_random_item(
                random_selection_of_attributes(ctx_.collections, form_attributes()));
    });
    popup_menu_->addSeparator();
    connect(add("m_delete_selected_branch", "Delete selected branch (DEL)"), &QAction::triggered, this,
            &MapTreeWindow::delete_selected_branch);
    // The tree creates nothing: this command has no effect.
    add("m_create_sibling_of_selected_branch", "Create sibling of selected branch")->setEnabled(false);
}

void MapTreeWindow::load() {
    try {
        apply_form_place(
            *this, restore_form_position(*ctx_.db, ctx_.screen, map_tree_form, false, form_place(*this)));
        restore_splitter();
        set_form_caption(*this, QStringLiteral("Tree view"));
        model_->build_roots();
        ctx_.active_kind = WindowKind::Tree;
        if (const std::optional<TreeTarget> target = tree_opening_target(ctx_, maps_.last_selected_item))
            select_target(*target);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void MapTreeWindow::restore_splitter() {
    const std::optional<double> stored = numeric_value(get_gen_param(*ctx_.db, map_tree_splitter_key));
    // A stored value that is no usable share (damaged, or typed by hand) gives the default.
    const int share =
        stored && std::isfinite(*stored)
            ? static_cast<int>(std::clamp(*stored, double{least_share}, double{per_mille - least_share}))
            : default_tree_share;
    // The sizes are taken as weights, and the stretch factors share a change of the window's
    // height the same way, so the parts keep this share at any height.
    splitter_->setSizes({share, per_mille - share});
    splitter_->setStretchFactor(0, share * max_stretch / per_mille);
    splitter_->setStretchFactor(1, (per_mille - share) * max_stretch / per_mille);
}

void MapTreeWindow::save_place() {
    save_form_position(*ctx_.db, map_tree_form, false, form_place(*this), form_minimised(*this));
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total > 0)
        set_gen_param(*ctx_.db, map_tree_splitter_key, QString::number(sizes.value(0) * per_mille / total));
}

void MapTreeWindow::activated() {
    ctx_.active_kind = WindowKind::Tree;
}

void MapTreeWindow::open_random_map() {
    const TreeNode* node = selected_node();
    if (!node || !ctx_.windows.has_random_views()) return;
    ctx_.windows.open_storm(attributes_storm_selection(ctx_.collections, form_attributes()));
}

FormAttributes MapTreeWindow::form_attributes() const {
    const TreeNode* node = selected_node();
    return node ? tree_form_attributes(ctx_.collections, *node) : FormAttributes{};
}

const TreeNode* MapTreeWindow::selected_node() const {
    return model_->node(tree_->currentIndex());
}

void MapTreeWindow::select_target(const TreeTarget& target) {
    const QModelIndex found = model_->find(target.collection, target.cat, target.item_nr, target.item_title);
    if (!found.isValid()) return;
    for (QModelIndex branch = found.parent(); branch.isValid(); branch = branch.parent())
        tree_->expand(branch);
    const TreeNode* node = model_->node(found);
    if (node->kind != TreeNodeKind::Item) tree_->expand(found);
    tree_->setCurrentIndex(found);
    tree_->scrollTo(found);
}

void MapTreeWindow::node_clicked(const QModelIndex& index) {
    // A branch is read on its first click and shown open.
    if (model_->canFetchMore(index)) model_->fetchMore(index);
    if (model_->hasChildren(index)) tree_->expand(index);
}

void MapTreeWindow::current_changed(const QModelIndex& current) {
    const TreeNode* node = model_->node(current);
    if (!node || node->kind != TreeNodeKind::Item) {
        content_box_->clear();
        return;
    }
    try {
        content_box_->setPlainText(tree_item_content(*ctx_.db, node->item_nr));
    } catch (const DbError& error) {
        content_box_->clear();
        report_error(ctx_.prompter, error);
    }
}

void MapTreeWindow::open_node(const QModelIndex& index) {
    const TreeNode* node = model_->node(index);
    if (!node || node->kind != TreeNodeKind::Item) return;
    const TreeNode item = *node;
    const TreeItemOpening opening = open_tree_item(ctx_, item);
    switch (opening.kind) {
    case TreeItemOpening::Kind::ExpandMap:
        // After the double click's own mouse handling, which would select the clicked node again.
        QTimer::singleShot(0, this, [this, target = opening.target] { select_target(target); });
        break;
    case TreeItemOpening::Kind::Vanished:
        model_->reread(index.parent());
        break;
    case TreeItemOpening::Kind::Nothing:
    case TreeItemOpening::Kind::LinkRan:
        break;
    }
}

void MapTreeWindow::open_map_view() {
    open_map_view_of_active_form(ctx_);
}

void MapTreeWindow::open_table_view() {
    open_table_view_of_active_form(ctx_);
}

void MapTreeWindow::delete_selected_branch() {
    const QModelIndex index = tree_->currentIndex();
    const TreeNode* selected = model_->node(index);
    if (!selected) return;
    const TreeNode node = *selected;
    switch (delete_tree_branch(ctx_, node)) {
    case BranchDeletion::Deleted:
        model_->remove(index);
        maps_.refresh_all_windows();
        break;
    case BranchDeletion::Vanished:
        model_->reread(index.parent());
        break;
    case BranchDeletion::Refused:
    case BranchDeletion::Cancelled:
    case BranchDeletion::Failed:
        break;
    }
}

bool MapTreeWindow::handle_key(const QKeyEvent& event) {
    // While a modal flow runs (the lock box), keys reach no window.
    if (ctx_.key_lock) return true;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_Space:
            open_table_view();
            return true;
        case Qt::Key_Delete:
            delete_selected_branch();
            return true;
        case Qt::Key_Escape:
            close_form(*this);
            return true;
        default:
            break;
        }
    }
    // The content box keeps its copy and selection keys.
    if (content_box_->hasFocus() && is_text_editing_key(event)) return false;
    return pass_to_hot_keys(ctx_, event);
}

bool MapTreeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handle_key(*static_cast<QKeyEvent*>(event))) return true;
    return QWidget::eventFilter(watched, event);
}

void MapTreeWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The commands act on the selected node: a right click on a node selects it first.
    const QModelIndex under_mouse = tree_->indexAt(tree_->viewport()->mapFromGlobal(event->globalPos()));
    if (under_mouse.isValid()) tree_->setCurrentIndex(under_mouse);
    popup_menu_->popup(event->globalPos());
}

void MapTreeWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void MapTreeWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        try {
            save_place();
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

MapTreeWindow* open_map_tree_window(AppContext& ctx, MapWindows& maps, QMdiArea* area) {
    if (!ctx.db) return nullptr;
    auto* window = new MapTreeWindow(ctx, maps);
    QMdiSubWindow* frame = frame_form(*window, area, QStringLiteral("f_tree_frame"));
    if (frame)
        QObject::connect(frame, &QMdiSubWindow::aboutToActivate, window, [window] { window->activated(); });
    window->load();
    show_form(*window, frame);
    window->activated();
    window->tree().setFocus(Qt::OtherFocusReason);
    return window;
}
