// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_error.h"
#include "core/db_files.h"
#include "shell/password_change.h"
#include "shell_fixture.h"
#include "support/test_context.h"

#include <QFile>
#include <QFileInfo>
#include <deque>

namespace {

constexpr int items = 40;

class PasswordChangeTest : public ShellTest {
protected:
    std::deque<std::optional<QString>> answers;
    QStringList captions;

    void open_with(const QString& password) {
        QDir().mkpath(ctx.program_dir);
        ctx.db_path = env.path(QStringLiteral("family.tdb"));
        ctx.db_title = QStringLiteral("family");
        make_database(ctx.db_path, password, items, &clock);
        ctx.db = Database::open(ctx.db_path, password, &clock);
    }
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
        EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), items);
    }
};

const QString current = QStringLiteral("Enter current password");
const QString fresh = QStringLiteral("Enter new password");
const QString repeat = QStringLiteral("Repeat new password");

} // namespace

TEST_F(PasswordChangeTest, PlainFileBecomesEncrypted) {
    open_with({});
    ASSERT_TRUE(plain_file());
    EXPECT_EQ(run({QString(), QStringLiteral("Key1"), QStringLiteral("key1")}), PasswordChange::Changed);
    EXPECT_EQ(captions, (QStringList{current, fresh, repeat}));
    EXPECT_FALSE(plain_file());
    EXPECT_TRUE(opens_with(QStringLiteral("Key1")));
    EXPECT_FALSE(opens_with(QStringLiteral("key1")));
    expect_connection(QStringLiteral("Key1"));
    EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(ctx.db_path)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PasswordChangeTest, EncryptedFileTakesANewKeyAndForgetsTheOld) {
    open_with(QStringLiteral("Old'pw"));
    EXPECT_EQ(run({QStringLiteral("Old'pw"), QStringLiteral("Fresh"), QStringLiteral("Fresh")}),
              PasswordChange::Changed);
    EXPECT_TRUE(opens_with(QStringLiteral("Fresh")));
    EXPECT_FALSE(opens_with(QStringLiteral("Old'pw")));
    expect_connection(QStringLiteral("Fresh"));
    // The shared connection can still write.
    ctx.db->exec(
        QStringLiteral("insert into repos (collection, cat, item_title) values ('Books', 'Novels', 'x')"));
    EXPECT_EQ(count_items(ctx.db_path, QStringLiteral("Fresh"), &clock), items + 1);
}

TEST_F(PasswordChangeTest, EmptyNewPasswordLeavesAPlainFile) {
    open_with(QStringLiteral("Old"));
    EXPECT_EQ(run({QStringLiteral("Old"), QString(), QString()}), PasswordChange::Changed);
    EXPECT_TRUE(plain_file());
    EXPECT_TRUE(opens_with({}));
    expect_connection({});
}

TEST_F(PasswordChangeTest, CurrentPasswordMustMatchInExactCase) {
    open_with(QStringLiteral("Old"));
    EXPECT_EQ(run({QStringLiteral("old"), QStringLiteral("Olds"), QStringLiteral("Old"), QStringLiteral("N1"),
                   QStringLiteral("N1")}),
              PasswordChange::Changed);
    EXPECT_EQ(captions, (QStringList{current, current, current, fresh, repeat}));
    EXPECT_EQ(messages(), (QStringList{wrong_password_message, wrong_password_message}));
    EXPECT_TRUE(opens_with(QStringLiteral("N1")));
}

TEST_F(PasswordChangeTest, ADifferentRepetitionAsksForTheNewPasswordAgain) {
    open_with(QStringLiteral("Old"));
    EXPECT_EQ(run({QStringLiteral("Old"), QStringLiteral("abc"), QStringLiteral("abd"), QStringLiteral("Abc"),
                   QStringLiteral("aBC")}),
              PasswordChange::Changed);
    EXPECT_EQ(captions, (QStringList{current, fresh, repeat, fresh, repeat}));
    EXPECT_EQ(messages(), QStringList{repeated_password_message});
    // The password is the one typed as new, not its repetition.
    EXPECT_TRUE(opens_with(QStringLiteral("Abc")));
    EXPECT_FALSE(opens_with(QStringLiteral("aBC")));
}

TEST_F(PasswordChangeTest, CancelAtAnyDialogChangesNothing) {
    open_with(QStringLiteral("Old"));
    const QByteArray before = bytes();
    const std::vector<std::vector<std::optional<QString>>> scripts = {
        {std::nullopt},
        {QStringLiteral("Old"), std::nullopt},
        {QStringLiteral("Old"), QStringLiteral("New"), std::nullopt},
        {QStringLiteral("Old"), QStringLiteral("New"), QStringLiteral("Other"), std::nullopt},
    };
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.size());
        EXPECT_EQ(run(script), PasswordChange::Cancelled);
        EXPECT_EQ(bytes(), before);
        expect_connection(QStringLiteral("Old"));
    }
}

TEST_F(PasswordChangeTest, TheSamePasswordAgainTouchesNothing) {
    open_with(QStringLiteral("Old"));
    const QByteArray before = bytes();
    EXPECT_EQ(run({QStringLiteral("Old"), QStringLiteral("Old"), QStringLiteral("old")}),
              PasswordChange::Unchanged);
    EXPECT_EQ(bytes(), before);
    expect_connection(QStringLiteral("Old"));
}

TEST_F(PasswordChangeTest, AFailureBeforeTheRenameLeavesTheOriginalWhole) {
    for (const char* failing : {"remove_tmp", "export", "verify", "replace"}) {
        SCOPED_TRACE(failing);
        open_with(QStringLiteral("Old"));
        const QByteArray before = bytes();
        prompter.clear();
        const auto hook = [failing](const char* step) {
            if (qstrcmp(step, failing) == 0) throw DbError(3026, QStringLiteral("disk pulled out"));
        };
        EXPECT_EQ(run({QStringLiteral("Old"), QStringLiteral("New"), QStringLiteral("New")}, hook),
                  PasswordChange::Failed);
        EXPECT_EQ(bytes(), before);
        EXPECT_TRUE(opens_with(QStringLiteral("Old")));
        EXPECT_FALSE(opens_with(QStringLiteral("New")));
        EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(ctx.db_path)));
        expect_connection(QStringLiteral("Old"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("The password was not changed: disk pulled out")});
        ctx.db.reset();
        QFile::remove(ctx.db_path);
        captions.clear();
    }
}

TEST_F(PasswordChangeTest, AFailureAfterTheRenameKeepsTheNewFileOpen) {
    open_with(QStringLiteral("Old"));
    const auto hook = [](const char* step) {
        if (qstrcmp(step, "sync_directory") == 0) throw DbError(3026, QStringLiteral("flush failed"));
    };
    EXPECT_EQ(run({QStringLiteral("Old"), QStringLiteral("New"), QStringLiteral("New")}, hook),
              PasswordChange::Changed);
    EXPECT_TRUE(opens_with(QStringLiteral("New")));
    expect_connection(QStringLiteral("New"));
}
