// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/collection_config.h"

#include <QWidget>
#include <map>

class AppContext;
class QCheckBox;
class QPushButton;

// f_config: per collection position, whether the collection is offered, and whether it and its
// categories open as tag maps or as tables.
class CollectionConfigWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CollectionConfigWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Places the window and makes one row per offered position, ticked from the collection
    // table.
    void load();
    void activated();
    // The positions that have a row, in order.
    std::vector<int> positions() const;
    bool changed() const { return changed_; }

    // b_save_and_exit, F12.
    void save_and_exit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QCheckBox* visible;
        QCheckBox* coll_as_map;
        QCheckBox* cat_as_map;
    };
    void cancel();

    AppContext& ctx_;
    std::map<int, Row> rows_;
    QWidget* rows_area_;
    QPushButton* save_and_exit_button_;
    QPushButton* cancel_button_;
    bool changed_ = false;
    bool loading_ = false;
    bool closed_ = false;
};
