// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/collections.h"

int CollectionTable::find(const QString& name) const {
    for (int position = 1; position <= count; ++position) {
        if (at(position).name.compare(name, Qt::CaseInsensitive) == 0) return position;
    }
    return 0;
}

void CollectionTable::init_collections() {
    struct Default {
        const char* name;
        const char* shortcut;
        bool cogniva;
    };
    static const Default defaults[] = {
        {"Agenda", "A", false},         {"Contacts", "F11", false},   {"File links", "L", false},
        {"Internet URLs", "I", false},  {"Money", "E", false},        {"Journal", "J", false},
        {"Books", "B", false},          {"Media", "D", false},        {"Glossary", "G", false},
        {"Encyclopaedia", "Y", false},  {"World chrono", "H", false}, {"Myself", "M", true},
        {"Tessarin chrono", "O", true}, {"Persons", "P", true},       {"Favorites", "F", true},
        {"Wisdom", "W", true},          {"Improvement", "T", true},   {"Profession", "N", true},
    };
    for (int position = 1; position <= count; ++position) {
        Collection c;
        if (position <= 18) {
            const Default& d = defaults[position - 1];
            c = {QString::fromUtf8(d.name), QString::fromLatin1(d.shortcut), d.cogniva, true};
        } else if (position <= 42) {
            c.name = QStringLiteral("x%1").arg(position - 18, 2, 10, QLatin1Char('0'));
        } else if (position == 43) {
            c = {QStringLiteral("Mix"), QStringLiteral("S"), false, true};
        } else if (position == 44) {
            c = {QStringLiteral("Apx"), QStringLiteral("U"), false, true};
        } else {
            c = {QStringLiteral("All collections"), QStringLiteral("0"), false, true};
        }
        at(position) = c;
    }
}
