#include "platform/desktop.h"

#include "config/filemessages.h"
#include "config/languagefile.h"
#include "platform/desktopapps.h"
#include "platform/textwindow.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace {

// Text the program's own window shows at most; a larger file shows its beginning.
constexpr qint64 kTextWindowBytes = 16 * 1024 * 1024;

} // namespace

bool Desktop::open(const QUrl& target, const std::function<void()>& failedLater)
{
    // The desktop's opener is watched to its end: it exits with a failure when it finds no
    // program for the target, and only then can the user be told. It is not the program's child
    // for longer than that: where it waits for the program it started, that program outlives the
    // browser.
    const QString program = findProgram(opener());
    if (program.isEmpty())
        return QDesktopServices::openUrl(target);
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(
        {target.isLocalFile() ? target.toLocalFile() : target.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failedLater](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (failedLater && (status != QProcess::NormalExit || code != 0))
                             failedLater();
                     });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

bool Desktop::openText(QWidget* parent, const QString& path, const QString& title)
{
    const DesktopApps::Folders folders = DesktopApps::Folders::fromEnvironment();
    const QString entry = DesktopApps::defaultEntry(QStringLiteral("text/plain"), folders);
    if (!entry.isEmpty()) {
        if (const auto command = DesktopApps::command(entry, path)) {
            const QString program = command->program.contains(QLatin1Char('/'))
                                        ? command->program
                                        : findProgram(command->program);
            if (!program.isEmpty() && startProgram(program, command->arguments))
                return true;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.read(kTextWindowBytes));
    auto* window = new TextWindow(title, text, parent);
    window->show();
    return true;
}

bool Desktop::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString Desktop::findProgram(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

void Desktop::report(QWidget* parent, const QString& text)
{
    if (!m_unattended) {
        message(parent, messageTitle(), text);
        return;
    }
    QTextStream err(stderr);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        err << messageTitle() << QLatin1String(": ") << line << Qt::endl;
}

void Desktop::message(QWidget* parent, const QString& title, const QString& text)
{
    // Messages name files and addresses that pages and servers chose: never rich text.
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> Desktop::askSaveFile(QWidget* parent, const QString& title,
                                            const QString& filters, const QString& proposed,
                                            QString* selectedFilter, SaveOptions options)
{
    const QString chosen = QFileDialog::getSaveFileName(
        parent, title, m_saveFolder.proposal(proposed), filters, selectedFilter,
        options.confirmReplace ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    if (options.rememberFolder)
        m_saveFolder.remember(chosen);
    return chosen;
}

bool Desktop::askYesNo(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> Desktop::askOpenFile(QWidget* parent, const QString& title,
                                            const QString& filters, const QString& folder)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, title, folder, filters);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool Desktop::openOrReport(QWidget* parent, const QUrl& target, const CaptionTable& captions)
{
    // An empty address (an empty address box) is nothing to open and nothing to tell.
    if (target.isEmpty())
        return false;
    if (target.isLocalFile() && !QFileInfo::exists(target.toLocalFile())) {
        report(parent, FileMessages::notOpened(captions, target, FileMessages::NotOpened::Missing,
                                               QString()));
        return false;
    }
    // Desktop and captions last for the whole run.
    const auto failedLater = [this, parent = QPointer<QWidget>(parent), target, &captions] {
        report(parent, FileMessages::notOpened(captions, target, FileMessages::NotOpened::NoProgram,
                                               QString()));
    };
    if (open(target, failedLater))
        return true;
    report(parent,
           FileMessages::notOpened(captions, target, FileMessages::NotOpened::NoOpener, opener()));
    return false;
}

bool Desktop::openTextOrReport(QWidget* parent, const QString& path, const CaptionTable& captions)
{
    if (!QFileInfo::exists(path)) {
        report(parent, FileMessages::notOpened(captions, QUrl::fromLocalFile(path),
                                               FileMessages::NotOpened::Missing, QString()));
        return false;
    }
    if (openText(parent, path, FileMessages::readOnlyTitle(captions, QFileInfo(path).fileName())))
        return true;
    report(parent, FileMessages::text(captions, TextFile::failed(TextFile::Result::Action::Read,
                                                                 path, QFile(path).errorString())));
    return false;
}
