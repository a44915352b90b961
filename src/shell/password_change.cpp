// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/password_change.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/program_end.h"
#include "core/schema.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Opens the same Database object again, so that every window holding it reads the new connection.
void reopen(AppContext& ctx, const QString& password) {
    ctx.db->reopen(password);
    schema::upgrade(*ctx.db);
}

// Neither key opens the file: the program cannot go on without its database.
[[noreturn]] void end_without_database(AppContext& ctx, const QString& what) {
    ctx.db.reset();
    ctx.prompter.message(what + QStringLiteral("\nThe program ends."));
    throw ProgramEnd(1);
}

// The backups beside the database were written under the old key and are not rewritten.
void tell_about_backups(AppContext& ctx, const QString& path, const QString& old_password) {
    QStringList backups;
    for (int generation = 1; generation <= 3; ++generation)
        if (QFileInfo::exists(db_files::backup_path(path, generation)))
            backups.append(QDir::toNativeSeparators(db_files::backup_path(path, generation)));
    if (backups.isEmpty()) return;
    ctx.prompter.message(QStringLiteral("The backup copies %1 still open %2.")
                             .arg(backups.join(QStringLiteral(", ")),
                                  old_password.isEmpty() ? QStringLiteral("without a password")
                                                         : QStringLiteral("with the old password")));
}

} // namespace

PasswordChange change_password(AppContext& ctx, const AskPassword& ask, const db_files::StepHook& hook) {
    const QString old_password = ctx.db->password();
    for (;;) {
        const auto current = ask(QStringLiteral("Enter current password"));
        if (!current) return PasswordChange::Cancelled;
        if (*current == old_password) break;
        ctx.prompter.message(wrong_password_message);
    }
    QString new_password;
    for (;;) {
        const auto first = ask(QStringLiteral("Enter new password"));
        if (!first) return PasswordChange::Cancelled;
        const auto repeated = ask(QStringLiteral("Repeat new password"));
        if (!repeated) return PasswordChange::Cancelled;
        if (first->compare(*repeated, Qt::CaseInsensitive) == 0) {
            new_password = *first;
            break;
        }
        ctx.prompter.message(repeated_password_message);
    }
    if (new_password == old_password) return PasswordChange::Unchanged;

    // The file work closes the connection before the copy takes the file's place; the same
    // Database object is then opened again in place. The lock beside the database stays held.
    const QString path = ctx.db->path();
    try {
        db_files::change_key(*ctx.db, new_password, hook);
    } catch (const DbError& error) {
        try {
            reopen(ctx, old_password);
            ctx.prompter.message(QStringLiteral("The password was not changed: ") + error.description());
            return PasswordChange::Failed;
        } catch (const DbError&) {
            // A failure after the rename leaves the new file in place: it opens with the new key.
        }
        try {
            reopen(ctx, new_password);
        } catch (const DbError& again) {
            end_without_database(ctx, QStringLiteral("The password was not changed: ") + error.description() +
                                          QStringLiteral("\nThe database could not be opened again: ") +
                                          again.description());
        }
        tell_about_backups(ctx, path, old_password);
        return PasswordChange::Changed;
    }
    try {
        reopen(ctx, new_password);
    } catch (const DbError& error) {
        end_without_database(
            ctx, QStringLiteral("The password of ") + QDir::toNativeSeparators(path) +
                     QStringLiteral(" was changed, but the database could not be opened again: ") +
                     error.description());
    }
    tell_about_backups(ctx, path, old_password);
    return PasswordChange::Changed;
}
