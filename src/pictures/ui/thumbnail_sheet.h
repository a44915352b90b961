// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_image.h"
#include "pictures/thumbnail_files.h"

#include <QFrame>
#include <QThreadPool>
#include <QWidget>
#include <atomic>
#include <memory>
#include <vector>

class AppContext;
class PictureViewer;
class QGridLayout;
class QLabel;
class QMenu;

// One cell of a thumbnail sheet: the picture (PIC_<i>) with its file name below (l_filename_<i>).
class SheetCell : public QFrame {
    Q_OBJECT
public:
    SheetCell(int index, QSize picture_bounds, QWidget* parent);
    QLabel* picture() const { return picture_; }
    QLabel* name() const { return name_; }
    void set_selected(bool selected);

Q_SIGNALS:
    void clicked(int index);
    void double_clicked(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int index_;
    QLabel* picture_;
    QLabel* name_;
};

// The thumbnail sheet (f_provini): the pictures of one thumbnail file in a grid with the screen's
// row length. Thumbnails are decoded in the background, two at a time, each shown as soon as it is
// ready; the sheet answers keys and clicks meanwhile.
class ThumbnailSheetWindow : public QWidget {
    Q_OBJECT
public:
    explicit ThumbnailSheetWindow(PictureViewer& viewer);
    ~ThumbnailSheetWindow() override;
    ThumbnailSheetWindow(const ThumbnailSheetWindow&) = delete;
    ThumbnailSheetWindow& operator=(const ThumbnailSheetWindow&) = delete;

    // Shows the thumbnail file at `path` (already checked) and starts filling the cells; false,
    // after telling why, when it cannot be read.
    bool show_file(const QString& path);
    const QString& file() const { return file_; }
    const QStringList& paths() const { return paths_; }
    // No thumbnail still being decoded and the filling neither running nor interrupted.
    bool complete() const { return pending_ == 0 && !filling_ && resume_at_ < 0; }
    bool interrupted() const { return resume_at_ >= 0; }
    int selected() const { return selected_; }

    // The commands of the menu and the keys.
    void show_previous_file();
    void show_next_file();
    void show_normal_size();
    void refresh();
    void rename_selected();
    void delete_selected();
    void edit_selected();
    void resume();
    void select_file();
    void select_cell(int index);
    void open_cell(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_menus();
    void lay_out_cells();
    void fill_from(int index);
    void start_decode(int index);
    void show_decoded(int generation, int index, const PictureRead& read);
    void mark_cell(int index, const QString& text);
    void update_caption();
    void step_to(const SeriesStep& step);
    // The selected picture; a beep and nothing when no cell is selected.
    QString picture_to_act_on() const;
    void restore_place();
    void save_place() const;

    PictureViewer& viewer_;
    AppContext& ctx_;
    SheetSize size_;
    QSize picture_bounds_;
    QString file_;
    QStringList paths_;
    std::vector<SheetCell*> cells_;
    QWidget* grid_host_ = nullptr;
    QGridLayout* grid_ = nullptr;
    QMenu* popup_ = nullptr;
    int selected_ = -1;
    int resume_at_ = -1; // where m_resume goes on after an interruption; -1 when not interrupted
    bool filling_ = false;
    bool placed_ = false;
    int pending_ = 0;    // decodes of the current generation not yet shown
    int generation_ = 0; // grows at each (re)load, so that late decodes of an earlier one are dropped
    std::shared_ptr<std::atomic<bool>> cancelled_;
    QThreadPool decoders_;
};
