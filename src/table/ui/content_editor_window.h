// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/ui/text_form_window.h"

#include <QString>
#include <functional>

class AppContext;
struct EditedItem;
class EditorSlots;

// f_edit: the content of one item in a large text field of its own, in one of the editor slots.
class ContentEditorWindow final : public TextFormWindow {
    Q_OBJECT
public:
    // `refresh_all` refreshes every other view of the items after a save and at closing.
    ContentEditorWindow(AppContext& ctx, EditorSlots& editor_slots, int slot,
                        std::function<void()> refresh_all, QWidget* parent = nullptr);
    ~ContentEditorWindow() override;

    // Loads the item: the text passed by the caller when it is not empty, else the stored
    // content. False (the user told, the slot freed) when the item does not exist.
    bool load(qint64 item_nr, const QString& passed_text);
    // Loads text that is not stored yet (the content of a pending insert or edit elsewhere):
    // saving writes nothing and hands the text to `hand_back`, which answers whether it took it.
    void load_handed(const EditedItem& item, const QString& text,
                     std::function<bool(const QString&)> hand_back);

    int slot() const { return slot_; }
    qint64 item_nr() const { return item_nr_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void save_and_exit() override;

private:
    // Caption, text, stored place; the text as shown becomes the reference for "changed".
    void show_item(const EditedItem& item, const QString& text);
    enum class SaveResult { Written, ItemMissing, Failed };
    // Writes the text; an item deleted meanwhile is reported ("Item not found.") and written
    // nowhere. Either way the text becomes the reference text.
    SaveResult save();
    void save_clicked();
    void cancel();

    EditorSlots& slots_;
    const int slot_;
    std::function<bool(const QString&)> hand_back_; // set: the text goes back to its owner
    qint64 item_nr_ = 0;
};
