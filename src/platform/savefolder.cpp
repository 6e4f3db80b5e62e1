#include "platform/savefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SaveFolder::SaveFolder(QString remembered, Keep keep)
    : m_folder(std::move(remembered)), m_keep(std::move(keep))
{
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
    if (m_keep)
        m_keep(m_folder);
}
