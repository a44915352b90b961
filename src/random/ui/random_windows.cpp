// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/ui/random_windows.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"
#include "random/random_item.h"
#include "random/random_item_display.h"
#include "random/ui/random_item_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

RandomWindows::RandomWindows(AppContext& ctx, std::function<QMdiArea*()> area)
    : ctx_(ctx), area_(std::move(area)) {}

RandomWindows::~RandomWindows() {
    close_all();
}

int RandomWindows::free_slot() const {
    for (int slot = 1; slot <= capacity; ++slot)
        if (!slots_[static_cast<size_t>(slot)]) return slot;
    return 0;
}

RandomItemWindow* RandomWindows::window(int slot) const {
    if (slot < 1 || slot > capacity) return nullptr;
    return slots_[static_cast<size_t>(slot)].data();
}

int RandomWindows::open_count() const {
    int count = 0;
    for (int slot = 1; slot <= capacity; ++slot)
        if (slots_[static_cast<size_t>(slot)]) ++count;
    return count;
}

void RandomWindows::release(int slot) {
    if (slot < 1 || slot > capacity) return;
    slots_[static_cast<size_t>(slot)] = nullptr;
    if (dragging_ == slot) dragging_ = 0;
}

void RandomWindows::close_all() {
    for (int slot = 1; slot <= capacity; ++slot)
        if (RandomItemWindow* open_window = window(slot)) close_form(*open_window);
}

std::unique_ptr<RandomChooser> RandomWindows::make_chooser(const RandomSelection& selection) {
    auto chooser = std::make_unique<RandomChooser>(ctx_.random, ctx_.desktop);
    if (!selection.picture_dir.isEmpty()) {
        QStringList pictures = list_pictures(selection.picture_dir);
        if (!pictures.isEmpty()) {
            chooser->use_pictures(std::move(pictures));
            return chooser;
        }
        // A directory without pictures leaves the items of the selection, when there are any.
        if (selection.query.isEmpty()) {
            ctx_.prompter.message(translate(QStringLiteral("There are no pictures in the directory")) +
                                  QStringLiteral(" ") + selection.picture_dir);
            return nullptr;
        }
    }
    if (!ctx_.db) return nullptr;
    auto items = std::make_unique<ItemSelection>(*ctx_.db, selection.query);
    items->read();
    if (items->count() == 0) {
        msg_translated(ctx_.prompter, QStringLiteral("The selection has no items to show."));
        return nullptr;
    }
    chooser->use_items(std::move(items));
    return chooser;
}

RandomItemWindow* RandomWindows::open(const RandomSelection& selection) {
    const int slot = free_slot();
    if (slot == 0) {
        // Refused without ending the session: the open views stay as they are.
        msg_translated(ctx_.prompter, random_slots_full_message);
        return nullptr;
    }
    if (selection.empty()) {
        ctx_.prompter.message(empty_random_selection_message);
        return nullptr;
    }
    if (selection.query.contains(QStringLiteral("select distinct"), Qt::CaseInsensitive)) {
        // A list of distinct values has no items to show.
        ctx_.prompter.message(distinct_random_selection_message);
        return nullptr;
    }
    std::unique_ptr<RandomChooser> chooser;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        chooser = make_chooser(selection);
    } catch (const DbError& error) {
        QGuiApplication::restoreOverrideCursor();
        report_error(ctx_.prompter, error);
        return nullptr;
    }
    QGuiApplication::restoreOverrideCursor();
    if (!chooser) return nullptr;

    auto* view = new RandomItemWindow(ctx_, *this, slot, selection, std::move(chooser));
    slots_[static_cast<size_t>(slot)] = view;
    QMdiArea* mdi = area_ ? area_() : nullptr;
    QMdiSubWindow* frame = nullptr;
    if (mdi) {
        frame = mdi->addSubWindow(view);
        frame->setObjectName(QStringLiteral("f_random_item_frame_%1").arg(slot));
        frame->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(frame, &QMdiSubWindow::aboutToActivate, view, [view] { view->activated(); });
        frame->show();
        mdi->setActiveSubWindow(frame);
    } else {
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->show();
    }
    view->activated();
    view->start();
    // The first pick may already have found the selection emptied and closed the view.
    return window(slot);
}
