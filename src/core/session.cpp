// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "core/file_helpers.h"
#include "core/params.h"
#include "core/picture_names.h"
#include "core/preferences.h"
#include "core/program_end.h"
#include "core/schema.h"
#include "core/settings.h"
#include "core/startup_ui.h"
#include "core/translate.h"
#include "core/windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cmath>

namespace {

const QString database_filter = QStringLiteral("Tessarin database (*.tdb)");

// Start times are kept to the second, so that the row can be found again by its text form.
QDateTime to_second(const QDateTime& t) {
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second()));
}

QString log_time(const QDateTime& t) {
    return t.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

// The directory must take new files (the compacted copy, backups, the journal) and the file
// must be writable, or nothing the user does could be saved.
bool writable(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo dir(file.absolutePath());
    return file.isWritable() && dir.isWritable();
}

} // namespace

Session::Session(AppContext& ctx, StartupUi& ui) : ctx_(ctx), ui_(ui) {}

Session::~Session() = default;

bool started_as_picture_viewer(const QString& program_path) {
    return QFileInfo(program_path).baseName().compare(QLatin1String("glimmeron"), Qt::CaseInsensitive) == 0;
}

void Session::start(const QString& command_line, bool as_picture_viewer) {
    ctx_.language = 1;
    const QString language = ctx_.settings.get_setting(QStringLiteral("language"));
    bool numeric = false;
    const int number = language.trimmed().toInt(&numeric);
    if (numeric && number >= 1 && number <= 5) ctx_.language = number;
    ctx_.allow_automatic_changes = true;
    QDir().mkpath(ctx_.program_dir);
    QDir::setCurrent(ctx_.program_dir);

    // A source tree used as program directory is a development set-up: its build description
    // stands for the project file, the running program for the compiled one.
    const QString project_file = ctx_.program_path(QStringLiteral("CMakeLists.txt"));
    ctx_.development_mode = QFileInfo::exists(project_file);
    const QString program_file = QCoreApplication::applicationFilePath();
    if (ctx_.development_mode && command_line.compare(QStringLiteral("vb"), Qt::CaseInsensitive) != 0 &&
        !program_file.isEmpty() && QFileInfo::exists(program_file)) {
        auto minute = [](const QDateTime& t) {
            return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()));
        };
        ctx_.recompilation_needed =
            minute(QFileInfo(project_file).lastModified()) > minute(QFileInfo(program_file).lastModified());
    }

    if (ctx_.language != 1) open_translation_tables();

    if (ctx_.screen.width_twips() < 12000) {
        ctx_.prompter.message(translate(
            QStringLiteral("This program requires a screen resolution of at least 800x640 pixels.")));
        throw ProgramEnd(1);
    }
    ctx_.small_screen = ctx_.screen.width_twips() < 15360;

    load_picture_settings(ctx_);

    command_line_ = command_line;
    strip_quotes(command_line_);
    if (QFileInfo(command_line_).isFile() && is_picture_file_name(command_line_)) {
        ctx_.pictures.last_picture_file = command_line_;
        ctx_.settings.save_setting(QStringLiteral("last_picture_file"), command_line_);
        if (ctx_.windows.has_picture_viewer()) {
            ctx_.windows.show_picture(command_line_);
            // The organizer opened later from the viewer chooses its database as at a start
            // without a command line: the picture is no database.
            command_line_.clear();
            return;
        }
        ctx_.prompter.message(QStringLiteral("The picture viewer is not available in this version, so ") +
                              QDir::toNativeSeparators(command_line_) + QStringLiteral(" cannot be shown."));
        throw ProgramEnd(0);
    }
    if (as_picture_viewer && ctx_.windows.has_picture_viewer()) {
        ctx_.windows.open_picture_browser();
        return;
    }
    bool auto_open = true;
    open_database(auto_open);
}

void Session::open_database(bool& auto_open) {
    ui_.set_hourglass(true);
    ctx_.random.seed(static_cast<quint64>(ctx_.clock.now().toMSecsSinceEpoch()));
    ctx_.collections.init_collections();

    QString candidate = auto_open ? command_line_.trimmed() : QString();
    if (candidate.contains(QLatin1Char('|'))) {
        ctx_.map_to_open = candidate.section(QLatin1Char('|'), 1).trimmed();
        candidate = candidate.section(QLatin1Char('|'), 0, 0).trimmed();
    }
    if (!candidate.isEmpty() && !QFileInfo(candidate).isFile()) candidate.clear();

    int attempts = 0;
    Next next = Next::Choose;
    QString file;
    bool from_dialog = false;
    while (next != Next::Done) {
        if (next == Next::Choose) {
            QString remembered = ctx_.settings.get_setting(QStringLiteral("last_db_file"));
            if (!remembered.isEmpty() && !QFileInfo::exists(remembered)) remembered.clear();
            from_dialog = false;
            if (!candidate.isEmpty()) {
                file = candidate;
                next = Next::Password;
            } else if (!remembered.isEmpty() && auto_open) {
                file = remembered;
                next = Next::Password;
            } else {
                next = Next::Dialog;
            }
        }
        if (next == Next::Dialog) {
            QString remembered = ctx_.settings.get_setting(QStringLiteral("last_db_file"));
            if (!remembered.isEmpty() && !QFileInfo::exists(remembered)) remembered.clear();
            ui_.set_hourglass(false);
            const auto chosen = ui_.choose_database(remembered.isEmpty() ? ctx_.program_dir : remembered);
            if (!chosen || chosen->trimmed().isEmpty()) throw ProgramEnd(0);
            file = QFileInfo(chosen->trimmed()).absoluteFilePath();
            if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".tdb");
            ctx_.settings.save_setting(QStringLiteral("last_db_file"), file);
            from_dialog = true;
            next = Next::Password;
        }
        next = open_chosen(file, from_dialog, auto_open, candidate, attempts);
    }
    completion_steps();
}

Session::Next Session::open_chosen(const QString& file, bool from_dialog, bool& auto_open, QString& candidate,
                                   int& attempts) {
    const bool is_new = !QFileInfo::exists(file);
    // A new name typed in the file dialog makes a new database; any other missing file is an error.
    if (is_new && !from_dialog) {
        ctx_.prompter.message(QStringLiteral("File not found"));
        auto_open = false;
        return Next::Choose;
    }
    ctx_.db_path = file;
    ctx_.db_title = QFileInfo(file).completeBaseName();

    for (;;) {
        ui_.set_hourglass(false);
        const PasswordAnswer answer = ui_.ask_password(file);
        ui_.set_hourglass(true);
        ui_.process_events();
        if (answer.kind == PasswordAnswer::Kind::Cancel) throw ProgramEnd(0);
        if (answer.kind == PasswordAnswer::Kind::ChangeDatabase) return Next::Dialog;
        const QString password = answer.password;

        ui_.show_wait_box();
        ui_.process_events();
        try {
            open_file(file, password, is_new);
            return Next::Done;
        } catch (const DbError& error) {
            ui_.close_wait_box();
            ctx_.db.reset();
            const bool password_error =
                error.kind() == DbErrorKind::WrongPassword || error.kind() == DbErrorKind::MissingPassword;
            if (password_error) {
                lock_.reset();
                if (error.kind() == DbErrorKind::MissingPassword)
                    ctx_.prompter.message(QStringLiteral("Missing password."));
                else
                    ctx_.prompter.message(
                        QStringLiteral("error %1 - %2").arg(error.number()).arg(error.description()));
                if (auto_open) {
                    auto_open = false;
                    return Next::Choose;
                }
                if (++attempts >= 3) throw ProgramEnd(1);
                continue;
            }
            if (error_while_compacting_) {
                error_while_compacting_ = false;
                const bool go_on = ctx_.prompter.ok_cancel(
                    translate(QStringLiteral("Compacting not executed due to error")) +
                    QStringLiteral(" %1 (%2").arg(error.number()).arg(error.description()) +
                    translate(QStringLiteral(
                        "). Processing may proceed nevertheless. Press OK to continue, Cancel to quit.")));
                if (!go_on) throw ProgramEnd(1);
                // Go on with the uncompacted file: backups, then opening.
                try {
                    ui_.show_wait_box();
                    back_up(file, password, false);
                    ctx_.db = Database::open(file, password, &ctx_.clock);
                    schema::upgrade(*ctx_.db);
                    return Next::Done;
                } catch (const DbError& later) {
                    ui_.close_wait_box();
                    ctx_.db.reset();
                    lock_.reset();
                    ctx_.prompter.message(
                        QStringLiteral("error %1 - %2").arg(later.number()).arg(later.description()));
                    candidate.clear();
                    auto_open = false;
                    return Next::Choose;
                }
            }
            lock_.reset();
            ctx_.prompter.message(
                QStringLiteral("error %1 - %2").arg(error.number()).arg(error.description()));
            // The same file would fail again: let the user choose another.
            candidate.clear();
            auto_open = false;
            return Next::Choose;
        }
    }
}

void Session::open_file(const QString& file, const QString& password, bool is_new) {
    const auto cannot_write = [&file] {
        return DbError(
            db_errno::read_only,
            QStringLiteral("The database cannot be written: %1. Tessarin writes to the file and its "
                           "folder (compaction, backups, journal); copy it to a writable folder and "
                           "open it from there.")
                .arg(QDir::toNativeSeparators(file)));
    };
    // Checked before the lock, whose file could not be made in such a folder either.
    if (!is_new && !writable(file)) throw cannot_write();
    lock_ = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // held for the whole session; a dead holder is still detected
    if (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            lock_.reset();
            throw cannot_write();
        }
        qint64 pid = 0;
        QString host;
        QString app;
        lock_->getLockInfo(&pid, &host, &app);
        lock_.reset();
        throw DbError(
            db_errno::in_use,
            QStringLiteral("The database is already open in another Tessarin (process %1). Close it "
                           "there, then open it here.")
                .arg(pid));
    }
    if (is_new) {
        auto created = Database::open(file, password, &ctx_.clock, Database::Mode::CreateNew);
        schema::upgrade(*created);
    }
    db_files::remove_leftovers(file);
    // Opening checks the password before anything is written.
    std::unique_ptr<Database> source = Database::open(file, password, &ctx_.clock);
    bool verified = false;
    if (!db_files::enough_space_to_compact(file, free_bytes(file))) {
        source.reset();
        ui_.close_wait_box();
        ctx_.prompter.message(
            QStringLiteral("Compacting skipped: the disk holding %1 has less free space than "
                           "twice the size of the database.")
                .arg(QDir::toNativeSeparators(file)));
        ui_.show_wait_box();
    } else {
        error_while_compacting_ = true;
        db_files::compact(std::move(source), file_hook);
        error_while_compacting_ = false;
        verified = true; // the compacted copy passed its checks before it took the file's place
    }
    back_up(file, password, verified);
    ctx_.db = Database::open(file, password, &ctx_.clock);
    schema::upgrade(*ctx_.db);
}

void Session::back_up(const QString& file, const QString& password, bool verified) {
    // A damaged database must not push good backups out of their generations.
    if (!verified && !db_files::verify(file, password, &ctx_.clock)) return;
    try {
        db_files::rotate_backups(file, ctx_.clock.now(), file_hook);
    } catch (const DbError& error) {
        ui_.close_wait_box();
        ctx_.prompter.message(QStringLiteral("The backup copy was not written: ") + error.description());
        ui_.show_wait_box();
    }
}

void Session::completion_steps() {
    ui_.process_events();
    ctx_.windows.reset_map_windows();
    report_failure([this] { load_preferences(ctx_); });
    ui_.show_main_window();
    ctx_.windows.show_command_form();
    ui_.close_wait_box();
    if (!ctx_.map_to_open.isEmpty()) {
        ui_.close_wait_box();
        ui_.process_events();
        report_failure([this] { ctx_.windows.open_named_map(ctx_.map_to_open); });
        ui_.process_events();
    }
    ui_.set_hourglass(false);
    report_failure([this] { start_session(); });
    ctx_.windows.start_command_timer();
    ctx_.windows.rebuild_main_window();
    ui_.bring_main_window_forward();
    report_failure([this] { ctx_.windows.check_reminders(true); });
    if (ctx_.prefs.open_start_maps) report_failure([this] { ctx_.windows.open_start_maps(false); });
    report_failure([this] {
        if (get_gen_param(*ctx_.db, QStringLiteral("show_initial_tips"))
                .compare(QStringLiteral("N"), Qt::CaseInsensitive) != 0)
            ctx_.windows.show_tips();
    });
}

void Session::report_failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void Session::append_log(const QString& line) {
    QFile log(ctx_.program_path(QStringLiteral("log.txt")));
    if (!log.open(QIODevice::Append)) return;
    log.write((line + QStringLiteral("\r\n")).toUtf8());
}

void Session::start_session() {
    ctx_.session_start = to_second(ctx_.clock.now());
    Statement insert = ctx_.db->prepare(QStringLiteral("insert into session_log (start_time) values (?)"));
    insert.bind(1, dates::to_julian(ctx_.session_start));
    insert.next();
    append_log(QStringLiteral("Start ") + log_time(ctx_.session_start));
}

void Session::end_session() {
    QFile::remove(ctx_.program_path(QStringLiteral("buff.tmp")));
    QDir scratch(ctx_.program_path(QStringLiteral("tmp")));
    if (scratch.exists()) scratch.removeRecursively();
    // A failing database must not stop the rest of the shutdown: each failure is reported and
    // the end is written wherever it still can be.
    report_failure([this] { ctx_.windows.save_open_maps(); });
    report_failure([this] { ui_.save_main_window_geometry(); });

    const QDateTime end = to_second(ctx_.clock.now());
    const double days = dates::to_julian(end) - dates::to_julian(ctx_.session_start);
    if (ctx_.db) {
        report_failure([&] {
            const auto seconds = static_cast<qint64>(std::floor(days * 24 * 60 * 60 + 1e-6));
            ctx_.db->exec(QStringLiteral(
                              "update session_log set end_time=%1, duration_seconds=%2 where start_time = %3")
                              .arg(QString::number(dates::to_julian(end), 'f', 8))
                              .arg(seconds)
                              .arg(dates::sql_literal(ctx_.session_start)));
        });
    }
    append_log(QStringLiteral("End   ") + log_time(end) + QStringLiteral(" - duration minutes: ") +
               QString::number(days * 24 * 60, 'f', 2));
    close_database();
    ui_.quit();
}

bool Session::main_window_unloading() {
    report_failure([this] { ctx_.windows.save_open_maps(); });
    report_failure([this] { ui_.save_main_window_geometry(); });
    ctx_.main_window_loaded = false;
    if (ctx_.restarting) {
        ctx_.restarting = false;
        return true;
    }
    end_session();
    return true;
}

void Session::close_database() {
    ctx_.db.reset();
    lock_.reset();
}

void Session::restart_with_database() {
    ctx_.restarting = true;
    // Windows store their places as they close; a failing database must not stop the change.
    report_failure([this] { ui_.close_all_windows(); });
    report_failure([this] { ui_.close_all_windows(); });
    close_database();
    ui_.process_events();
    bool auto_open = false;
    open_database(auto_open);
    ctx_.restarting = false;
}
