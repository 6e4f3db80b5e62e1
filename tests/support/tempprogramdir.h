#pragma once

#include "core/programdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program directory of its own for one test: the folders of an install, and the shipped
// language files when asked for.
class TempProgramDir {
public:
    explicit TempProgramDir(bool withShippedLanguages = true)
    {
        for (const char* folder : {"Languages", "Data", "Links", "Images"})
            QDir(m_dir.path()).mkpath(QLatin1String(folder));
        if (withShippedLanguages) {
            const QDir shipped(QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages"));
            const QStringList files = shipped.entryList(QDir::Files);
            for (const QString& name : files)
                QFile::copy(shipped.filePath(name),
                            m_dir.path() + QStringLiteral("/Languages/") + name);
        }
    }

    QString root() const { return m_dir.path(); }
    ProgramDir programDir() const { return ProgramDir(m_dir.path()); }
    QString file(const QString& relative) const
    {
        return m_dir.path() + QLatin1Char('/') + relative;
    }

    bool write(const QString& relative, const QByteArray& bytes) const
    {
        QFile f(file(relative));
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }
    QByteArray read(const QString& relative) const
    {
        QFile f(file(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
