// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_error.h"
#include "core/db_files.h"
#include "core/program_end.h"
#include "shell/password_change.h"
#include "support/db_fixtures.h"
#include "table/table_model.h"
#include "table/table_query.h"

#include <QFile>
#include <QFileInfo>
#include <deque>
#include <sys/stat.h>

namespace {

constexpr int items = 40;

class PasswordChangeTest : public ShellTest {
protected:
    std::deque<std::optional<QString>> answers;
    QStringList captions;

    void open_with(const QString& password) { open_db("family.tdb", password, items); }
    AskPassword ask() {
        return [this](const QString& caption) -> std::optional<QString> {
            captions.append(caption);
            if (answers.empty()) {
                ADD_FAILURE() << "unscripted dialog " << caption.toStdString();
                return std::nullopt;
            }
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
    PasswordChange run(const std::vector<std::optional<QString>>& script,
                       const db_files::StepHook& hook = {}) {
        answers.assign(script.begin(), script.end());
        const PasswordChange result = change_password(ctx, ask(), hook);
        EXPECT_TRUE(answers.empty()) << "answers left over";
        return result;
    }
    QByteArray bytes() const {
        QFile file(ctx.db_path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    bool plain_file() const {
        QFile file(ctx.db_path);
        return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
    }
    bool opens_with(const QString& password) const {
        try {
            return count_items(ctx.db_path, password, &clock) == items;
        } catch (const DbError&) {
            return false;
        }
    }
    // The shared connection works and carries the password it was opened with.
    void expect_connection(const QString& password) {
        ASSERT_TRUE(ctx.db);
        EXPECT_EQ(ctx.db->password(), password);
        EXPECT_EQ(ctx.db->scalar("select count(*) from repos").toInt(), items);
    }
};

const QString current = "Enter current password";
const QString fresh = "Enter new password";
const QString repeat = "Repeat new password";

} // namespace

TEST_F(PasswordChangeTest, TheFileTakesTheNewKeyAndForgetsTheOld) {
    const struct {
        QString old_password;
        QString new_password;
        QString repeated; // the repetition is compared without regard to case
    } cases[] = {{{}, "Key1", "key1"}, {"Old'pw", "Fresh", "Fresh"}, {"Old", {}, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.new_password.toStdString());
        open_with(c.old_password);
        EXPECT_EQ(plain_file(), c.old_password.isEmpty());
        EXPECT_EQ(run({c.old_password, c.new_password, c.repeated}), PasswordChange::Changed);
        EXPECT_EQ(captions, (QStringList{current, fresh, repeat}));
        EXPECT_EQ(plain_file(), c.new_password.isEmpty());
        EXPECT_TRUE(opens_with(c.new_password));
        if (!c.new_password.isEmpty()) {
            EXPECT_FALSE(opens_with(c.old_password));
        }
        expect_connection(c.new_password);
        EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(ctx.db_path)));
        EXPECT_TRUE(messages().isEmpty());
        // The shared connection can still write.
        ctx.db->exec("insert into repos (collection, cat, item_title) values ('Books', 'Novels', 'x')");
        EXPECT_EQ(count_items(ctx.db_path, c.new_password, &clock), items + 1);
        ctx.db.reset();
        QFile::remove(ctx.db_path);
        captions.clear();
    }
}

TEST_F(PasswordChangeTest, CurrentPasswordMustMatchInExactCase) {
    open_with("Old");
    EXPECT_EQ(run({"old", "Olds", "Old", "N1", "N1"}), PasswordChange::Changed);
    EXPECT_EQ(captions, (QStringList{current, current, current, fresh, repeat}));
    EXPECT_EQ(messages(), (QStringList{wrong_password_message, wrong_password_message}));
    EXPECT_TRUE(opens_with("N1"));
}

TEST_F(PasswordChangeTest, ADifferentRepetitionAsksForTheNewPasswordAgain) {
    open_with("Old");
    EXPECT_EQ(run({"Old", "abc", "abd", "Abc", "aBC"}), PasswordChange::Changed);
    EXPECT_EQ(captions, (QStringList{current, fresh, repeat, fresh, repeat}));
    EXPECT_EQ(messages(), QStringList{repeated_password_message});
    // The password is the one typed as new, not its repetition.
    EXPECT_TRUE(opens_with("Abc"));
    EXPECT_FALSE(opens_with("aBC"));
}

TEST_F(PasswordChangeTest, CancelAtAnyDialogOrTheSamePasswordChangesNothing) {
    open_with("Old");
    const QByteArray before = bytes();
    const std::pair<std::vector<std::optional<QString>>, PasswordChange> scripts[] = {
        {{std::nullopt}, PasswordChange::Cancelled},
        {{"Old", std::nullopt}, PasswordChange::Cancelled},
        {{"Old", "New", std::nullopt}, PasswordChange::Cancelled},
        {{"Old", "New", "Other", std::nullopt}, PasswordChange::Cancelled},
        {{"Old", "Old", "old"}, PasswordChange::Unchanged},
    };
    for (const auto& [script, result] : scripts) {
        SCOPED_TRACE(script.size());
        EXPECT_EQ(run(script), result);
        EXPECT_EQ(bytes(), before);
        expect_connection("Old");
    }
}

TEST_F(PasswordChangeTest, AFailureBeforeTheRenameLeavesTheOriginalWhole) {
    for (const char* failing : {"remove_tmp", "export", "verify", "replace"}) {
        SCOPED_TRACE(failing);
        open_with("Old");
        const QByteArray before = bytes();
        prompter.clear();
        const auto hook = [failing](const char* step) {
            if (qstrcmp(step, failing) == 0) throw DbError(3026, "disk pulled out");
        };
        EXPECT_EQ(run({"Old", "New", "New"}, hook), PasswordChange::Failed);
        EXPECT_EQ(bytes(), before);
        EXPECT_TRUE(opens_with("Old"));
        EXPECT_FALSE(opens_with("New"));
        EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(ctx.db_path)));
        expect_connection("Old");
        EXPECT_EQ(messages(), QStringList{"The password was not changed: disk pulled out"});
        ctx.db.reset();
        QFile::remove(ctx.db_path);
        captions.clear();
    }
}

TEST_F(PasswordChangeTest, AFailureAfterTheRenameKeepsTheNewFileOpen) {
    open_with("Old");
    const auto hook = [](const char* step) {
        if (qstrcmp(step, "sync_directory") == 0) throw DbError(3026, "flush failed");
    };
    EXPECT_EQ(run({"Old", "New", "New"}, hook), PasswordChange::Changed);
    EXPECT_TRUE(opens_with("New"));
    expect_connection("New");
}

// A table view's model and a map keep working across the change: the Database object they read
// is the one ctx.db owned before, opened again in place (run under AddressSanitizer, a window
// left on a freed connection fails here).
TEST_F(PasswordChangeTest, OpenWindowsReadTheNewConnection) {
    for (const QString& next : {QStringLiteral("New"), QString()}) {
        SCOPED_TRACE(next.toStdString());
        open_with("Old");
        ctx.collections.init_collections();
        const Database* before = ctx.db.get();
        TableModel model(ctx.db, TableQuery(1, "Books", false).select_from(), 8);
        model.fill("Select item_nr, item_title from repos order by item_title");
        MapItems map(identify_map(ctx.collections, "Books: Novels"));
        const int taken = load_map_items(ctx, map, {}).taken;
        ASSERT_GT(taken, 0);

        EXPECT_EQ(run({"Old", next, next}), PasswordChange::Changed);
        EXPECT_EQ(ctx.db.get(), before);
        // Filter, edit, and read both windows again.
        model.fill("Select item_nr, item_title from repos where item_title like 'item 1*'");
        ASSERT_GT(model.rowCount(), 0);
        ctx.db->exec(QStringLiteral("update repos set item_title = 'edited' where item_nr = %1")
                         .arg(model.item_nr_at(0)));
        model.invalidate();
        EXPECT_EQ(model.record(0).at(0).toLongLong(), model.item_nr_at(0));
        EXPECT_EQ(load_map_items(ctx, map, {}).taken, taken);
        EXPECT_TRUE(opens_with(next));
        ctx.db.reset();
        QFile::remove(ctx.db_path);
    }
}

// When neither key opens the file afterwards, the program ends with a message instead of
// running on without a database.
TEST_F(PasswordChangeTest, ADatabaseThatCannotBeReopenedEndsTheProgram) {
    for (const bool step_fails : {false, true}) {
        SCOPED_TRACE(step_fails);
        open_with("Old");
        prompter.clear();
        const auto hook = [&](const char* step) {
            if (qstrcmp(step, "sync_directory") != 0) return;
            QFile damaged(ctx.db_path);
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(QByteArray(4096, 'x'));
            damaged.close();
            if (step_fails) throw DbError(3026, "flush failed");
        };
        EXPECT_THROW(run({"Old", "New", "New"}, hook), ProgramEnd);
        EXPECT_FALSE(ctx.db);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].contains("could not be opened again"));
        EXPECT_TRUE(messages()[0].endsWith("The program ends."));
        QFile::remove(ctx.db_path);
        captions.clear();
    }
}

// The rewritten file keeps the permissions of the original; the user is told once that the
// existing backups still open with the old password.
TEST_F(PasswordChangeTest, TheNewFileKeepsItsPermissionsAndTheBackupsAreNamed) {
    open_with("Old");
    ASSERT_EQ(::chmod(QFile::encodeName(ctx.db_path).constData(), 0600), 0);
    db_files::rotate_backups(ctx.db_path, clock.now());
    db_files::rotate_backups(ctx.db_path, clock.now().addDays(1));
    EXPECT_EQ(run({"Old", QString(), QString()}), PasswordChange::Changed);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(ctx.db_path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(db_files::backup_path(ctx.db_path, 2)));
    EXPECT_TRUE(messages()[0].endsWith("still open with the old password."));
}
