// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tessarin_lang_db SOURCE.tsv OUTPUT.db: writes the translation database from its source.
#include "core/db_error.h"
#include "lang/lang_source.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <stdexcept>

namespace {

int fail(const QString& text) {
    std::fputs(QStringLiteral("tessarin_lang_db: %1\n").arg(text).toLocal8Bit().constData(), stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.size() != 2) return fail(QStringLiteral("usage: tessarin_lang_db SOURCE.tsv OUTPUT.db"));

    QFile input(arguments.at(0));
    if (!input.open(QIODevice::ReadOnly))
        return fail(arguments.at(0) + QStringLiteral(": ") + input.errorString());
    try {
        write_lang_db(parse_translation_source(input.readAll()), arguments.at(1));
    } catch (const DbError& error) {
        return fail(arguments.at(1) + QStringLiteral(": ") + error.description());
    } catch (const std::exception& error) {
        return fail(arguments.at(0) + QStringLiteral(", ") + QString::fromStdString(error.what()));
    }
    return 0;
}
