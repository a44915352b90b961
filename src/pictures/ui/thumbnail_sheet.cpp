// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail sheet: its cells, the filling and the background decodes.
#include "pictures/ui/thumbnail_sheet.h"

#include "core/app_context.h"
#include "core/geometry.h"
#include "core/translate.h"
#include "pictures/file_error.h"
#include "pictures/sheet_list_text.h"
#include "pictures/slide_show_files.h"
#include "pictures/ui/picture_viewer.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace {

constexpr int name_height = 18;
constexpr int cell_margin = 6;

// The room a thumbnail has: the screen shared out among the sheet's rows and columns, less the
// menu, the caption and each cell's file name.
QSize picture_bounds_for(const ScreenInfo& screen, SheetSize size) {
    const int width = std::max(320, screen.width_twips() / twips_per_pixel);
    const int height = std::max(240, screen.height_twips() / twips_per_pixel);
    const int cell_width = std::clamp((width - 40) / size.per_row - 2 * cell_margin, 40, 320);
    const int cell_height = std::clamp((height - 140) / size.rows() - name_height - 2 * cell_margin, 30, 320);
    return {cell_width, cell_height};
}

} // namespace

SheetCell::SheetCell(int index, QSize picture_bounds, QWidget* parent)
    : QFrame(parent), index_(index), picture_(new QLabel(this)), name_(new QLabel(this)) {
    setObjectName(QStringLiteral("cell_%1").arg(index));
    picture_->setObjectName(QStringLiteral("PIC_%1").arg(index));
    name_->setObjectName(QStringLiteral("l_filename_%1").arg(index));
    picture_->setFixedSize(picture_bounds);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setWordWrap(true);
    name_->setFixedSize(picture_bounds.width(), name_height);
    name_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(cell_margin, cell_margin, cell_margin, cell_margin);
    layout->setSpacing(2);
    layout->addWidget(picture_);
    layout->addWidget(name_);
    setFrameShape(QFrame::Box);
    set_selected(false);
}

void SheetCell::set_selected(bool selected) {
    setLineWidth(selected ? 2 : 0);
    setFrameShadow(QFrame::Plain);
    setForegroundRole(selected ? QPalette::Highlight : QPalette::WindowText);
}

void SheetCell::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked(index_);
    QFrame::mousePressEvent(event);
}

void SheetCell::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT double_clicked(index_);
}

ThumbnailSheetWindow::ThumbnailSheetWindow(PictureViewer& viewer)
    : QWidget(nullptr, Qt::Window), viewer_(viewer), ctx_(viewer.context()),
      size_(sheet_size_for_screen(ctx_.screen)), picture_bounds_(picture_bounds_for(ctx_.screen, size_)),
      cancelled_(std::make_shared<std::atomic<bool>>(false)) {
    setObjectName(QStringLiteral("f_provini"));
    setAttribute(Qt::WA_DeleteOnClose);
    decoders_.setMaxThreadCount(2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // The sheet takes the keys itself: Page Up and Page Down change files rather than scroll.
    scroll->setFocusPolicy(Qt::NoFocus);
    grid_host_ = new QWidget(scroll);
    grid_ = new QGridLayout(grid_host_);
    grid_->setSpacing(2);
    grid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(grid_host_);
    layout->addWidget(scroll);
    build_menus();
    setFocusPolicy(Qt::StrongFocus);
}

ThumbnailSheetWindow::~ThumbnailSheetWindow() {
    // Decodes still queued see the flag and end at once; the pool waits for the running ones.
    cancelled_->store(true);
    decoders_.waitForDone();
}

bool ThumbnailSheetWindow::show_file(const QString& path) {
    QStringList lines;
    if (!run_file_command(ctx_.prompter, [&] { lines = read_list_file(path); })) return false;
    const QString directory = QFileInfo(path).absolutePath();
    paths_.clear();
    for (const QString& line : lines.mid(0, max_picture_list)) {
        const QString picture = slide_show_line_path(line, directory);
        paths_.append(picture.isEmpty() ? line : picture);
    }
    file_ = path;
    cancelled_->store(true);
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    ++generation_;
    pending_ = 0;
    selected_ = -1;
    resume_at_ = -1;
    lay_out_cells();
    update_caption();
    show();
    setFocus();
    if (!placed_) {
        restore_place(); // once shown, so that the frame's size is known
        placed_ = true;
    }
    fill_from(0);
    return true;
}

void ThumbnailSheetWindow::lay_out_cells() {
    for (SheetCell* cell : cells_)
        delete cell;
    cells_.clear();
    for (int i = 0; i < paths_.size(); ++i) {
        auto* cell = new SheetCell(i, picture_bounds_, grid_host_);
        cell->name()->setText(QFileInfo(paths_[i]).fileName());
        cell->name()->setToolTip(QDir::toNativeSeparators(paths_[i]));
        connect(cell, &SheetCell::clicked, this, &ThumbnailSheetWindow::select_cell);
        connect(cell, &SheetCell::double_clicked, this, &ThumbnailSheetWindow::open_cell);
        grid_->addWidget(cell, i / size_.per_row, i % size_.per_row);
        cells_.push_back(cell);
    }
}

// Queues the decode of every picture from `index` on; a missing one stops to ask whether to go on.
void ThumbnailSheetWindow::fill_from(int index) {
    filling_ = true;
    resume_at_ = -1;
    for (int i = index; i < paths_.size(); ++i) {
        const QString& path = paths_[i];
        // A picture deleted in this run is shown as gone, not asked about.
        if (ctx_.pictures.is_deleted(path)) {
            mark_cell(i, translate(QStringLiteral("Deleted")));
            continue;
        }
        if (QFileInfo(path).isFile()) {
            start_decode(i);
            continue;
        }
        mark_cell(i, translate(QStringLiteral("File not found")));
        const bool go_on = ctx_.prompter.ok_cancel(
            translate(
                QStringLiteral("File %1 not found. You may want to rebuild the thumbnail file. Press OK if "
                               "you want to proceed with the current file, Cancel if you want to abort this "
                               "operation."))
                .arg(QDir::toNativeSeparators(path)));
        if (!go_on) {
            resume_at_ = i + 1;
            break;
        }
    }
    filling_ = false;
    update_caption();
}

void ThumbnailSheetWindow::start_decode(int index) {
    ++pending_;
    cells_[static_cast<std::size_t>(index)]->picture()->setText(QStringLiteral("..."));
    const int generation = generation_;
    auto* watcher = new QFutureWatcher<PictureRead>(this);
    connect(watcher, &QFutureWatcher<PictureRead>::finished, this, [this, watcher, generation, index] {
        show_decoded(generation, index, watcher->result());
        watcher->deleteLater();
    });
    const auto cancelled = cancelled_;
    watcher->setFuture(
        QtConcurrent::run(&decoders_, [cancelled, path = paths_[index], bounds = picture_bounds_] {
            if (cancelled->load()) return PictureRead{};
            return read_picture_fitted(path, bounds, false);
        }));
}

void ThumbnailSheetWindow::show_decoded(int generation, int index, const PictureRead& read) {
    if (generation != generation_) return;
    --pending_;
    if (ctx_.pictures.is_deleted(paths_[index])) return; // deleted while it was being read
    SheetCell* cell = cells_[static_cast<std::size_t>(index)];
    if (read.image.isNull()) {
        mark_cell(index, translate(QStringLiteral("This picture cannot be shown")));
        cell->picture()->setToolTip(read.error);
        return;
    }
    cell->picture()->setPixmap(QPixmap::fromImage(read.image));
    cell->picture()->setToolTip(QDir::toNativeSeparators(paths_[index]));
}

void ThumbnailSheetWindow::mark_cell(int index, const QString& text) {
    QLabel* picture = cells_[static_cast<std::size_t>(index)]->picture();
    picture->setPixmap({});
    picture->setText(text);
}

void ThumbnailSheetWindow::update_caption() {
    const int number = thumbnail_file_number(file_);
    QString caption = QDir::toNativeSeparators(file_);
    if (number >= 0)
        caption = translate(QStringLiteral("%1 (%2 of %3)"))
                      .arg(caption, QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')),
                           QString::number(thumbnail_series_length(file_)));
    if (interrupted()) caption += translate(QStringLiteral(" (interrupted)"));
    setWindowTitle(caption);
}
