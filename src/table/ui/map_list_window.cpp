// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/map_list_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "maps/map_names.h"
#include "maps/random_map_selection.h"
#include "maps/ui/map_windows.h"
#include "table/global_find.h"
#include "table/map_list.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

namespace {

QPushButton* make_button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

MapListWindow::MapListWindow(AppContext& ctx, MapWindows& maps, QWidget* parent)
    : QWidget(parent), ctx_(ctx), maps_(maps) {
    setObjectName(map_list_form);
    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("lista"));
    lista_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    filter_label_ = new QLabel(QStringLiteral("Filter"), this);
    filter_label_->setObjectName(QStringLiteral("lab_filter"));
    filter_field_ = new QLineEdit(this);
    filter_field_->setObjectName(QStringLiteral("t_filter"));
    filter_check_ = new QCheckBox(this);
    filter_check_->setObjectName(QStringLiteral("c_filter"));
    filter_check_->setToolTip(QStringLiteral("Filter on/off"));
    open_item_map_button_ = make_button(this, "b_open_item_map", "&Open item map");
    open_collection_map_button_ = make_button(this, "b_open_collection_map", "Open &collection map");
    open_item_table_button_ = make_button(this, "b_open_item_table", "&Open item table");
    open_collection_table_button_ = make_button(this, "b_open_collection_table", "Open &collection table");
    open_top_map_button_ = make_button(this, "b_open_top_map", "Open &top map");
    open_top_table_button_ = make_button(this, "b_open_top_table", "Open top table");
    cancel_button_ = make_button(this, "b_cancel", "&Cancel (ESC)");

    popup_menu_ = new QMenu(this);
    popup_menu_->setObjectName(QStringLiteral("m_popup"));
    storm_action_ = popup_menu_->addAction(QStringLiteral("Storm"));
    storm_action_->setObjectName(QStringLiteral("m_storm"));
    // The storm of the selected map, in a program that has the storm's window.
    const bool random_views = ctx_.windows.has_random_views();
    storm_action_->setEnabled(random_views);
    storm_action_->setToolTip(random_views ? QString() : QStringLiteral("Not available in this version"));
    connect(storm_action_, &QAction::triggered, this, [this] { open_storm(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(filter_label_, 0, 0);
    layout->addWidget(filter_field_, 0, 1);
    layout->addWidget(filter_check_, 0, 2);
    layout->addWidget(lista_, 1, 0, 1, 3);
    auto* buttons = new QGridLayout;
    buttons->addWidget(open_item_map_button_, 0, 0);
    buttons->addWidget(open_collection_map_button_, 0, 1);
    buttons->addWidget(open_top_map_button_, 0, 2);
    buttons->addWidget(open_item_table_button_, 1, 0);
    buttons->addWidget(open_collection_table_button_, 1, 1);
    buttons->addWidget(open_top_table_button_, 1, 2);
    buttons->addWidget(cancel_button_, 2, 2);
    layout->addLayout(buttons, 2, 0, 1, 3);
    layout->setRowStretch(1, 1);

    connect(filter_field_, &QLineEdit::textEdited, this, &MapListWindow::filter_edited);
    connect(filter_check_, &QCheckBox::clicked, this, [this] {
        if (!loading_) show_topic_list();
    });
    connect(lista_, &QListWidget::itemDoubleClicked, this, [this] { open_item_map(); });
    connect(open_item_map_button_, &QPushButton::clicked, this, &MapListWindow::open_item_map);
    connect(open_collection_map_button_, &QPushButton::clicked, this, &MapListWindow::open_collection_map);
    connect(open_collection_table_button_, &QPushButton::clicked, this, [this] { open_table(false); });
    connect(open_item_table_button_, &QPushButton::clicked, this, [this] { open_table(true); });
    connect(open_top_map_button_, &QPushButton::clicked, this, [this] { maps_.open_map(top_map_name); });
    connect(open_top_table_button_, &QPushButton::clicked, this, &MapListWindow::open_top_table);
    connect(cancel_button_, &QPushButton::clicked, this, [this] { close_form(*this); });

    // The pop-up menu keeps its own keys: Escape there closes the menu, not the window.
    for (QWidget* child : findChildren<QWidget*>())
        if (child != popup_menu_) child->installEventFilter(this);
}

void MapListWindow::load(const QStringList& selected, const QString& filter) {
    loading_ = true;
    try {
        apply_form_place(
            *this, restore_form_position(*ctx_.db, ctx_.screen, map_list_form, false, form_place(*this)));
        fit_form_to_content(*this);
        const MapListOpening opening = map_list_opening(selected, filter);
        switch (opening.mode) {
        case MapListOpening::Mode::Selected:
            set_entries(opening.entries);
            break;
        case MapListOpening::Mode::Filter:
            filter_field_->setText(opening.filter);
            filter_edited(opening.filter);
            break;
        case MapListOpening::Mode::Parentless:
            set_entries(parentless_maps(*ctx_.db));
            break;
        }
        set_form_caption(*this, map_list_caption(opening.caption, lista_->count()));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    if (lista_->count() > 0) filter_field_->setFocus(Qt::OtherFocusReason);
    loading_ = false;
}

void MapListWindow::set_entries(const QStringList& entries) {
    lista_->clear();
    lista_->addItems(entries);
    if (lista_->count() > 0) lista_->setCurrentRow(0);
}

void MapListWindow::show_topic_list() {
    lista_->clear();
    try {
        const TopicList list = ::show_topic_list(*ctx_.db, filter_field_->text(), filter_check_->isChecked());
        set_entries(list.entries);
        set_form_caption(*this, map_list_caption(QStringLiteral("Maps"), list.rows_read));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void MapListWindow::filter_edited(const QString& text) {
    filter_check_->setChecked(filter_box_for(text));
    show_topic_list();
}

void MapListWindow::activated() {
    ctx_.active_kind = WindowKind::MapList;
}

QStringList MapListWindow::entries() const {
    QStringList names;
    for (int row = 0; row < lista_->count(); ++row)
        names.append(lista_->item(row)->text());
    return names;
}

QString MapListWindow::selected_entry() const {
    const QListWidgetItem* item = lista_->currentItem();
    return item ? item->text() : QString();
}

void MapListWindow::open_item_map() {
    const QString entry = selected_entry();
    if (!entry.isEmpty()) maps_.open_map(entry);
}

void MapListWindow::open_storm() {
    const QString entry = selected_entry();
    if (entry.isEmpty() || !ctx_.windows.has_random_views()) return;
    ctx_.windows.open_storm(map_storm_selection(identify_map(ctx_.collections, entry), {}));
}

void MapListWindow::open_collection_map() {
    const QString entry = selected_entry();
    if (!entry.isEmpty()) maps_.open_map(collection_of(ctx_.collections, entry));
}

void MapListWindow::open_table(bool with_cat) {
    const QString entry = selected_entry();
    if (!entry.isEmpty())
        open_entry_table(ctx_, entry, with_cat,
                         [this](int position) { ctx_.windows.open_table_view(position); });
}

void MapListWindow::open_top_table() {
    ctx_.table_presets = TablePresets{};
    hand_to_table_view(ctx_, CollectionTable::all_collections,
                       [this](int position) { ctx_.windows.open_table_view(position); });
}

bool MapListWindow::handle_key(QKeyEvent* event) {
    // While a modal flow runs (the lock box), keys reach no window.
    if (ctx_.key_lock) return true;
    const bool in_text = event->key() != Qt::Key_Escape && qobject_cast<QLineEdit*>(focusWidget());
    if (!(in_text && is_text_editing_key(*event)) && pass_to_hot_keys(ctx_, *event)) return true;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape) {
        close_form(*this);
        return true;
    }
    if (event->key() == Qt::Key_Up && mods == Qt::NoModifier && !lista_->hasFocus()) {
        lista_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool MapListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handle_key(static_cast<QKeyEvent*>(event))) return true;
    return QWidget::eventFilter(watched, event);
}

void MapListWindow::contextMenuEvent(QContextMenuEvent* event) {
    popup_menu_->popup(event->globalPos());
}

void MapListWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void MapListWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        try {
            save_form_position(*ctx_.db, map_list_form, false, form_place(*this), form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}
