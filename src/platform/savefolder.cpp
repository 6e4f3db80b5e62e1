#include "platform/savefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kKey = QStringLiteral("Dialogs/LastFolder");

} // namespace

SaveFolder::SaveFolder(QString settingsPath) : m_settingsPath(std::move(settingsPath))
{
    if (!m_settingsPath.isEmpty())
        m_folder = QSettings(m_settingsPath, QSettings::IniFormat).value(kKey).toString();
}

QString SaveFolder::folder() const
{
    if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir())
        return m_folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString SaveFolder::proposal(const QString& proposed) const
{
    if (QFileInfo(proposed).isAbsolute())
        return proposed;
    return QDir(folder()).filePath(proposed);
}

void SaveFolder::remember(const QString& chosenFile)
{
    const QString dir = QFileInfo(chosenFile).absolutePath();
    if (dir.isEmpty() || dir == m_folder)
        return;
    m_folder = dir;
    if (m_settingsPath.isEmpty())
        return;
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(kKey, m_folder);
}
