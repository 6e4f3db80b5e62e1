#include "core/programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(entry);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target))
            QFile::copy(entry, target);
    }
}

} // namespace

ProgramDir::ProgramDir(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

QString ProgramDir::path(QStringView relative) const
{
    QString current = m_root;
    const QList<QStringView> parts = relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QStringView part : parts) {
        const QString name = part.toString();
        QString found = name;
        const QDir dir(current);
        if (!dir.exists(name)) {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                      QDir::Hidden | QDir::System);
            for (const QString& entry : entries) {
                if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        current += QLatin1Char('/') + found;
    }
    return current;
}

ProgramDir ProgramDir::locate()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir + QStringLiteral("/Languages")).isDir())
        return ProgramDir(exeDir);

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QStringList candidates{QDir::cleanPath(exeDir + QStringLiteral("/../share/orvelquorvink"))};
    candidates +=
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("orvelquorvink"), QStandardPaths::LocateDirectory);
    for (const QString& source : std::as_const(candidates)) {
        if (QFileInfo(source + QStringLiteral("/Languages")).isDir()) {
            seed(userDir, source);
            break;
        }
    }
    QDir().mkpath(userDir);
    return ProgramDir(userDir);
}

void ProgramDir::seed(const QString& root, const QString& source)
{
    for (const char* folder : {"Languages", "Data", "Links", "Images"}) {
        const QString from = source + QLatin1Char('/') + QLatin1String(folder);
        if (QFileInfo(from).isDir())
            copyTree(from, root + QLatin1Char('/') + QLatin1String(folder));
        else
            QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    }
}
