// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_helpers.h"

#include "core/app_context.h"
#include "core/params.h"
#include "core/seams.h"
#include "core/settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>
#include <limits>

bool file_exists(const QString& path) {
    if (path.trimmed().isEmpty()) return false;
    const QFileInfo info(path);
    // A dangling link is still an entry of its directory.
    return info.exists() || info.isSymLink();
}

void strip_quotes(QString& text) {
    if (text.startsWith(QLatin1Char('"'))) text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"'))) text.chop(1);
}

bool is_web_address(const QString& text) {
    for (const char* prefix : {"https://", "ftp://", "http://", "www."}) {
        if (text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)) return true;
    }
    return false;
}

bool open_with_system(Desktop& desktop, Prompter& prompter, const QString& target) {
    if (desktop.open(target)) return true;
    // No program set for the file type: say so rather than leave the user waiting.
    prompter.message(QStringLiteral("No program is set to open ") + target);
    return false;
}

void open_path(Desktop& desktop, Prompter& prompter, const QString& path) {
    // Paths come from item contents, which go on after the first line; a bare line feed ends
    // the line too in texts written on this platform.
    QString target = path;
    for (qsizetype i = 0; i < target.size(); ++i) {
        if (target[i] == QLatin1Char('\r') || target[i] == QLatin1Char('\n')) {
            target.truncate(i);
            break;
        }
    }

    // The system's handler shows a directory in its file manager and opens a file with the
    // program registered for it.
    if (file_exists(target) || is_web_address(target)) {
        open_with_system(desktop, prompter, target);
    } else {
        prompter.message(QStringLiteral("Path not found: ") + target);
    }
}

QString detect_date_format(const QLocale& locale) {
    // The first of d, M and y in the short date format tells the order; quoted parts are literal text.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString order;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) &&
                   !order.contains(c)) {
            order.append(c);
        }
    }
    if (order.startsWith(QLatin1String("yM"))) return QStringLiteral("yy/MM/dd");
    if (order.indexOf(QLatin1Char('M')) >= 0 &&
        order.indexOf(QLatin1Char('d')) > order.indexOf(QLatin1Char('M')))
        return QStringLiteral("MM/dd/yy");
    return QStringLiteral("dd/MM/yy");
}

void load_picture_settings(AppContext& ctx) {
    QDir(ctx.program_dir).mkpath(QStringLiteral("tmp"));

    Settings& settings = ctx.settings;
    auto existing = [&](const char* key) {
        const QString value = settings.get_setting(QLatin1String(key));
        return file_exists(value) ? value : QString();
    };
    PictureSettings& pictures = ctx.pictures;
    pictures.picture_editor = existing("picture_editor");
    pictures.last_picture_file = existing("last_picture_file");
    if (pictures.last_picture_file.isEmpty()) settings.save_setting(QStringLiteral("last_picture_file"), {});
    pictures.last_slide_show = existing("last_slide_show");
    pictures.last_thumbnail_file = existing("last_thumbnail_file");
    pictures.init_dir_for_search = existing("init_dir_for_search");

    const auto interval = numeric_value(settings.get_setting(QStringLiteral("interval")));
    pictures.interval = interval && std::fabs(*interval) < std::numeric_limits<int>::max()
                            ? static_cast<int>(std::round(*interval))
                            : 0;
}

QString program_directory() {
    QString dir = qEnvironmentVariable("TESSARIN_HOME");
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir;
}

void install_shipped_files(const QString& program_dir, const QString& data_dir) {
    const QDir source(data_dir);
    if (!source.exists()) return;
    const QDir target(program_dir);
    QDirIterator it(data_dir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        const QString to = target.filePath(relative);
        if (QFileInfo::exists(to)) continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        // An installed data directory is read-only; the copies belong to the user.
        if (QFile::copy(from, to))
            QFile::setPermissions(to,
                                  QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}
