// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/qt_seams.h"

#include "core/program_title.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QSoundEffect>
#include <QStandardPaths>
#include <algorithm>
#include <random>

namespace {

// Message boxes without a title of their own carry the program's name.
QString caption_or_default(const QString& title) {
    return title.isEmpty() ? program_title() : title;
}

std::optional<QString> chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path;
}

// A screen size used when the platform reports no screen at all.
constexpr int fallback_width_px = 1024;
constexpr int fallback_height_px = 768;

// Room beside a window title for the title bar's icon and buttons.
constexpr int title_bar_buttons_px = 120;

// Input boxes take the width of their prompt only, so a long title came out elided ("Addin...
// ovels"). The box is made wide enough for the whole title and every prompt line in its font, but
// never wider than the screen it shows on.
void fit_to_title(QInputDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    int wanted = metrics.horizontalAdvance(dialog.windowTitle()) + title_bar_buttons_px;
    for (const QString& line : dialog.labelText().split(QLatin1Char('\n')))
        wanted = std::max(wanted, metrics.horizontalAdvance(line) + 2 * metrics.averageCharWidth());
    const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    const int screen_width = screen ? screen->availableGeometry().width() : fallback_width_px;
    // The dialog's layout sets its minimum size from its contents, so the width goes to the
    // prompt's label; asking for the size hint builds that layout.
    (void)dialog.sizeHint();
    auto* label = dialog.findChild<QLabel*>();
    if (!label || !dialog.layout()) return;
    const QMargins margins = dialog.layout()->contentsMargins();
    label->setMinimumWidth(std::min(wanted, screen_width) - margins.left() - margins.right());
}

} // namespace

void QtPrompter::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, caption_or_default(title), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPrompter::yes_no(const QString& text, const QString& title, bool default_yes) {
    QMessageBox box(QMessageBox::Question, caption_or_default(title), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(default_yes ? QMessageBox::Yes : QMessageBox::No);
    // Closing the box by its title bar answers No.
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompter::ok_cancel(const QString& text, const QString& title, bool default_ok) {
    QMessageBox box(QMessageBox::Question, caption_or_default(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(default_ok ? QMessageBox::Ok : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& default_text) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(caption_or_default(title));
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(default_text);
    fit_to_title(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::choose(const QString& prompt, const QString& title,
                                          const QStringList& choices) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(caption_or_default(title));
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(false);
    fit_to_title(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::open_file(const QString& title, const QString& filter,
                                             const QString& start) {
    return chosen(QFileDialog::getOpenFileName(parent_, title, start, qt_file_filter(filter)));
}

std::optional<QString> QtPrompter::save_file(const QString& title, const QString& filter,
                                             const QString& start) {
    return chosen(QFileDialog::getSaveFileName(parent_, title, start, qt_file_filter(filter)));
}

std::optional<QString> QtPrompter::choose_directory(const QString& title, const QString& start) {
    return chosen(QFileDialog::getExistingDirectory(parent_, title, start));
}

QtDesktop::QtDesktop() = default;
QtDesktop::~QtDesktop() = default;

namespace {

// On the free desktops Qt hands the path to "xdg-open" and reports success once that has
// started, before it has looked for a program. The desktop's table of default programs tells
// beforehand whether there is one; without the table nothing is known and the open goes ahead.
bool no_program_set_for(const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString type;
    if (url.isLocalFile()) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists()) return false;
        type = QMimeDatabase().mimeTypeForFile(info).name();
    } else {
        type = QStringLiteral("x-scheme-handler/") + url.scheme();
    }
    const QString query_tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query_tool.isEmpty()) return false;
    QProcess query;
    query.start(query_tool, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return query.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(url);
    return false;
#endif
}

} // namespace

bool QtDesktop::open(const QString& path_or_url) {
    const QUrl url = desktop_url(path_or_url);
    if (no_program_set_for(url)) return false;
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::run(const QString& program, const QString& argument) {
    QStringList arguments;
    if (!argument.isEmpty()) arguments.append(argument);
    return QProcess::startDetached(program, arguments);
}

void QtDesktop::play_wav(const QString& path) {
    if (!sound_) sound_ = std::make_unique<QSoundEffect>();
    sound_->stop();
    sound_->setSource(QUrl::fromLocalFile(path));
    sound_->play();
}

void QtDesktop::beep() {
    QApplication::beep();
}

void QtDesktop::request_attention() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && (window->isMinimized() || !window->isActiveWindow()) &&
            window->inherits("QMainWindow"))
            QApplication::alert(window);
}

void QtDesktop::set_clipboard_text(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtDesktop::set_clipboard_image(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

QtRandom::QtRandom() : generator_(QRandomGenerator::securelySeeded()) {}

double QtRandom::next() {
    return generator_.generateDouble();
}

void QtRandom::seed(quint64 value) {
    // Both halves of the seed count, so that seeds differing only above 32 bits give different runs.
    std::seed_seq sequence{static_cast<quint32>(value), static_cast<quint32>(value >> 32)};
    generator_.seed(sequence);
}

int QtScreenInfo::width_twips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen ? screen->availableSize().width() : fallback_width_px) * 15;
}

int QtScreenInfo::height_twips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen ? screen->availableSize().height() : fallback_height_px) * 15;
}

QUrl desktop_url(const QString& path_or_url) {
    const QString text = path_or_url.trimmed();
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("https://") + text, QUrl::TolerantMode);
    for (const char* scheme : {"http://", "https://", "ftp://", "file://", "mailto:"}) {
        if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return QUrl(text, QUrl::TolerantMode);
    }
    // A local path is taken exactly as given: file names may end in spaces.
    return QUrl::fromLocalFile(path_or_url);
}

QString qt_file_filter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|'))) return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QStringList patterns =
            i + 1 < parts.size() ? parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts) : QStringList();
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        const QString list = patterns.join(QLatin1Char(' '));
        if (name.isEmpty() && list.isEmpty()) continue;
        // Qt reads the patterns from the name's last parentheses; names often show them already.
        const QString shown = QLatin1Char('(') + list + QLatin1Char(')');
        if (list.isEmpty() || name.endsWith(shown)) {
            entries.append(name);
        } else {
            entries.append(name.isEmpty() ? shown : name + QLatin1Char(' ') + shown);
        }
    }
    return entries.join(QStringLiteral(";;"));
}
