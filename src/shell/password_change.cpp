// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/password_change.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/schema.h"

#include <QDir>

namespace {

std::unique_ptr<Database> reopen(AppContext& ctx, const QString& path, const QString& password) {
    auto db = Database::open(path, password, &ctx.clock);
    schema::upgrade(*db);
    return db;
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

    // The connection is handed to the file work, which closes it before the copy takes the file's
    // place; the lock beside the database stays held throughout.
    const QString path = ctx.db->path();
    try {
        db_files::change_key(std::move(ctx.db), new_password, &ctx.clock, hook);
    } catch (const DbError& error) {
        try {
            ctx.db = reopen(ctx, path, old_password);
            ctx.prompter.message(QStringLiteral("The password was not changed: ") + error.description());
            return PasswordChange::Failed;
        } catch (const DbError&) {
            // A failure after the rename leaves the new file in place: it opens with the new key.
        }
        try {
            ctx.db = reopen(ctx, path, new_password);
            return PasswordChange::Changed;
        } catch (const DbError& again) {
            ctx.prompter.message(QStringLiteral("The password was not changed: ") + error.description() +
                                 QStringLiteral("\nThe database could not be opened again: ") +
                                 again.description());
            return PasswordChange::Failed;
        }
    }
    try {
        ctx.db = reopen(ctx, path, new_password);
    } catch (const DbError& error) {
        ctx.prompter.message(QStringLiteral("The password of ") + QDir::toNativeSeparators(path) +
                             QStringLiteral(" was changed, but the database could not be opened again: ") +
                             error.description());
        return PasswordChange::Failed;
    }
    return PasswordChange::Changed;
}
