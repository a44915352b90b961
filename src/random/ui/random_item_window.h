// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"
#include "random/random_item.h"
#include "random/random_item_display.h"

#include <QDateTime>
#include <QPoint>
#include <QWidget>
#include <memory>

class AppContext;
class QLabel;
class QMenu;
class QTimer;
class QVBoxLayout;
class RandomWindows;

inline const QString random_item_form = QStringLiteral("f_random_item");

// f_random_item, "random view": one item (or picture) at a time, picked at random from its
// selection on the change timer Timer1, with new label colours and a new place at each change.
// Its chooser decides; the window paints, moves and answers the user.
class RandomItemWindow final : public QWidget, public FormAttributeSource {
    Q_OBJECT
public:
    RandomItemWindow(AppContext& ctx, RandomWindows& manager, int slot_number, RandomSelection selection,
                     std::unique_ptr<RandomChooser> chooser, QWidget* parent = nullptr);
    ~RandomItemWindow() override;

    // Shows the first entry and starts the timer.
    void start();
    int slot() const { return slot_; }
    FormAttributes form_attributes() const override;
    void activated();

    // The timer's tick: a change unless changes are paused (see changes_paused).
    void on_tick();
    // Whether the program holds the changes: automatic changes not allowed, keys locked, a modal
    // question or dialog (a title being asked, the selection dialog), the global find window,
    // or a random view being dragged.
    bool changes_paused() const;
    void show_next();
    void show_previous();

    // The pop-up menu's commands.
    void toggle_auto_change();
    void toggle_selection_change();
    void toggle_position_change();
    void toggle_colour_change();
    void toggle_col_and_cat_visible();
    void view_image();
    void change_selection();
    void table_view_of_item();
    void random_map_view_of_items();

    const RandomChooser& chooser() const { return *chooser_; }
    RandomChooser& chooser() { return *chooser_; }
    QTimer* timer() const { return timer_; }
    qint64 shown_item() const { return shown_item_; }
    const QString& shown_picture() const { return shown_picture_; }
    // The largest size a picture is read at, in pixels.
    static QSize picture_limit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build_controls();
    void build_menu();
    void update_menu();
    void arrange_for_mode();
    // Carries out a step of the chooser; `depth` guards against an item that keeps vanishing.
    void apply(RandomStep step, int depth = 0);
    void display(int depth);
    bool display_item(qint64 item_nr, int depth);
    void display_picture(const QString& path);
    void show_captions(const RandomCaptions& captions);
    // Reads the picture scaled to picture_limit(); false when it cannot be read.
    bool show_picture_file(const QString& path);
    void hide_picture();
    void paint_colours();
    void move_to_random_place();
    void restart_timer();
    void fit_to_content();
    bool handle_key(const QKeyEvent& event);
    bool handle_mouse(QObject* watched, QEvent* event);
    void drag_to(const QPoint& global);
    void end_drag(QObject* watched, const QPoint& global);
    bool is_label(const QObject* watched) const;

    AppContext& ctx_;
    RandomWindows& manager_;
    int slot_;
    RandomSelection selection_;
    std::unique_ptr<RandomChooser> chooser_;
    qint64 shown_item_ = 0;
    QString shown_picture_;
    bool closed_ = false;

    // Dragging: when and where the button went down.
    bool pressed_ = false;
    QDateTime press_time_;
    QPoint press_global_;
    QPoint press_frame_pos_;

    QLabel* lab_collection_ = nullptr;
    QLabel* lab_cat_ = nullptr;
    QLabel* lab_item_ = nullptr;
    QLabel* picx_ = nullptr;
    QLabel* lab_drag_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QTimer* timer_ = nullptr;
    QMenu* popup_ = nullptr;
};
