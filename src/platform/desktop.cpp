#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void Desktop::open(const QUrl& target)
{
    QDesktopServices::openUrl(target);
}

bool Desktop::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString Desktop::findProgram(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

void Desktop::message(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

std::optional<QString> Desktop::askSaveFile(QWidget* parent, const QString& title,
                                            const QString& filters, const QString& proposed,
                                            QString* selectedFilter)
{
    const QString chosen = QFileDialog::getSaveFileName(
        parent, title, proposed, filters, selectedFilter, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}
