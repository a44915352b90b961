// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateTimeEdit;

// A date-time picker that can hold no date: a check box in front of the picker says whether it
// holds one, and an unticked picker is greyed and answers nothing.
class OptionalDateTimeEdit final : public QWidget {
    Q_OBJECT
public:
    explicit OptionalDateTimeEdit(QWidget* parent = nullptr);

    std::optional<QDateTime> value() const;
    // Shows the value without reporting a change; nothing unticks the box.
    void set_value(const std::optional<QDateTime>& value);
    // The moment an unticked picker shows, and takes when it is ticked.
    void set_proposed(const QDateTime& moment);
    void set_display_format(const QString& format);

    QCheckBox& check_box() const { return *check_; }
    QDateTimeEdit& editor() const { return *editor_; }

signals:
    // The user ticked, unticked or changed the date-time.
    void changed();

private:
    QCheckBox* check_;
    QDateTimeEdit* editor_;
    bool quiet_ = false;
};
