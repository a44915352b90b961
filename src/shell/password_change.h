// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db_files.h"

#include <QString>
#include <functional>
#include <optional>

class AppContext;

inline const QString wrong_password_message = QStringLiteral("wrong password");
inline const QString repeated_password_message =
    QStringLiteral("The repated password is different than the previous one.");

// Shows the password dialog under `caption`; nullopt for Cancel.
using AskPassword = std::function<std::optional<QString>(const QString& caption)>;

enum class PasswordChange { Cancelled, Unchanged, Changed, Failed };

// "Change password": the current password in exact case, the new one twice (the repetition
// compares without regard to case), then the database is rewritten under the new key through a
// verified copy that replaces it atomically; an empty new password leaves a plain file. Cancel
// at any dialog leaves everything as it was. On a failure the user is told what happened and the
// database stays as it was, open with the old password. ctx.db stays the same object, open
// again afterwards, so that windows holding it read the new connection. When neither key opens
// the file again, the failure is reported, ctx.db is dropped and ProgramEnd is thrown. After a
// change, one message says that existing backups still open with the old password.
// `hook` lets tests fail the file work at a named step.
PasswordChange change_password(AppContext& ctx, const AskPassword& ask, const db_files::StepHook& hook = {});
