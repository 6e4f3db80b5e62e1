#include "core/programdir.h"

#include "core/asciicase.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Copies the files below from into root's folder of that name, except those root holds already
// (names matched without regard to letter case, as the program matches them): nothing there is
// overwritten. The copies are the user's to change, even when the installed files are read-only.
void copyTree(const QString& from, const QString& root, const QString& folder)
{
    const ProgramDir target(root);
    QDir().mkpath(target.path(QLatin1Char('\\') + folder));
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QString path = target.path(
            QLatin1Char('\\') + folder + QLatin1Char('\\') +
            source.relativeFilePath(entry).replace(QLatin1Char('/'), QLatin1Char('\\')));
        if (it.fileInfo().isDir()) {
            QDir().mkpath(path);
        } else if (!QFileInfo::exists(path) && QFile::copy(entry, path)) {
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        }
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
                if (AsciiCase::equal(entry, name)) {
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
    return locate(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                  QStringLiteral(QUORVINK_INSTALLED_DATA_DIR));
}

ProgramDir ProgramDir::locate(const QString& exeDir, const QString& userDir,
                              const QString& installedDir)
{
    if (QFileInfo(exeDir + QStringLiteral("/Languages")).isDir())
        return ProgramDir(exeDir);

    // Every start brings in what the installed copy has and the user's folder lacks: all of it the
    // first time, a new language or template after an upgrade.
    if (QFileInfo(installedDir + QStringLiteral("/Languages")).isDir())
        seed(userDir, installedDir);
    QDir().mkpath(userDir);
    return ProgramDir(userDir);
}

ProgramDir ProgramDir::existing()
{
    return existing(QCoreApplication::applicationDirPath(),
                    QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                    QStringLiteral(QUORVINK_INSTALLED_DATA_DIR));
}

ProgramDir ProgramDir::existing(const QString& exeDir, const QString& userDir,
                                const QString& installedDir)
{
    if (QFileInfo(exeDir + QStringLiteral("/Languages")).isDir())
        return ProgramDir(exeDir);
    if (QFileInfo(userDir + QStringLiteral("/Languages")).isDir())
        return ProgramDir(userDir);
    return ProgramDir(installedDir);
}

void ProgramDir::seed(const QString& root, const QString& source)
{
    for (const char* folder : {"Languages", "Data", "Links", "Images"}) {
        const QString from = source + QLatin1Char('/') + QLatin1String(folder);
        if (QFileInfo(from).isDir())
            copyTree(from, root, QLatin1String(folder));
        else
            QDir().mkpath(ProgramDir(root).path(QLatin1Char('\\') + QLatin1String(folder)));
    }
}
