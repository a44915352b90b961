// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"
#include "random/storm_commands.h"
#include "random/storm_layout.h"
#include "random/storm_tags.h"

#include <QDateTime>
#include <QFont>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class AppContext;
class MapWindows;
class QLabel;
class QMenu;
class QTimer;

inline const QString storm_form = QStringLiteral("f_storm");

// f_storm, the random map view: the tags of a selection as labels scattered over a board
// (`sfondo`), dragged by the user, lined up on request, and changed one at a time by the
// animation timer (`Timer1`): a new light colour, a new place, or brought forward enlarged.
class StormWindow final : public QWidget, public FormAttributeSource {
    Q_OBJECT
public:
    StormWindow(AppContext& ctx, MapWindows& maps, int slot, RandomSelection selection,
                QWidget* parent = nullptr);
    ~StormWindow() override;

    // Reads the tags; false (the user was told) when there is nothing to show.
    bool load();
    // Makes the labels and scatters them over the board: once the window is shown, at its size.
    void show_board();
    void activated();
    FormAttributes form_attributes() const override;
    int slot() const { return slot_; }

    // The toggles of m_popup.
    bool auto_mode() const { return auto_mode_; }
    bool focus_mode() const { return focus_mode_; }
    bool use_pictures() const { return use_pictures_; }
    int tag_count() const { return static_cast<int>(shown_.size()); }
    QTimer& animation_timer() const { return *timer_; }
    // The label of the tag at `index`.
    QLabel* label(int index) const;
    // The board's size in twips.
    BoardSize board() const;

    // The commands, as the menus and keys run them.
    void insert_tag();
    void rename_tag(int index);
    void delete_tag(int index);
    void table_view_of(int index);
    void map_view_of(int index);
    void find_tag();
    void arrange(bool sorted);
    void toggle_show_content();
    void toggle_use_pictures();
    void toggle_focus_mode();
    void toggle_auto_mode();
    void toggle_position_change();
    void toggle_colour_change();
    // One animation step; `forced` runs it even while the animation pauses.
    void animation_step(bool forced = false);
    // The tag the commands of m_popup_tag act on (-1 for none).
    int selected_tag() const { return selected_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct ShownTag {
        StormTag tag;
        QLabel* label = nullptr;
        bool picture = false;
        std::optional<QDateTime> enlarged_since;
    };

    void build_menus();
    QAction* add_command(QMenu* menu, const char* name, const char* caption,
                         const std::function<void()>& run);
    void update_menus();
    QLabel* make_label(const StormTag& tag, bool as_picture);
    void fit_text_label(QLabel& label) const;
    bool show_picture(QLabel& label, const QString& path) const;
    void place_at_random(QLabel& label);
    void paint(QLabel& label);
    void append_tag(const StormTag& tag);
    void remove_tag(int index);
    int index_of(const QObject* watched) const;
    void enlarge(int index);
    void restore_look(int index);
    void restore_expired_looks();
    bool animation_paused() const;
    bool handle_key(const QKeyEvent& event);
    bool handle_mouse(QObject* watched, QEvent* event);
    void refresh_other_windows();
    QString geometry_key() const;

    AppContext& ctx_;
    MapWindows& maps_;
    const int slot_;
    const RandomSelection selection_;
    const StormMap map_;
    std::vector<StormTag> pending_;
    std::vector<ShownTag> shown_;
    PickCycle cycle_;
    QFont label_font_;

    bool auto_mode_ = true;
    bool position_change_ = true;
    bool colour_change_ = true;
    bool focus_mode_ = true;
    bool use_pictures_ = false;
    bool show_content_ = false;
    std::optional<QDateTime> arrange_requested_;
    int selected_ = -1;
    int dragging_ = -1;
    QPoint drag_offset_;
    bool closed_ = false;

    QWidget* board_ = nullptr;
    QTimer* timer_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* popup_tag_ = nullptr;
};
