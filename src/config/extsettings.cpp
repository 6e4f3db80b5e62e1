#include "config/extsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

using Action = TextFile::Result::Action;
using Cause = TextFile::Result::Cause;

namespace {

// The INI text is parsed and written by QSettings, on a private copy: the file itself is only
// ever read as a regular file and replaced whole.
QMap<QString, QVariant> parse(const QByteArray& bytes, bool* ok)
{
    QMap<QString, QVariant> values;
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        *ok = false;
        return values;
    }
    copy.close();
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key));
    *ok = settings.status() == QSettings::NoError;
    return values;
}

std::optional<QByteArray> format(const QMap<QString, QVariant>& values)
{
    QTemporaryFile copy;
    if (!copy.open())
        return std::nullopt;
    copy.close();
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
    }
    QFile written(copy.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return std::nullopt;
    return written.readAll();
}

} // namespace

ExtSettings::ExtSettings(QString path) : m_path(std::move(path))
{
    if (m_path.isEmpty())
        return;
    const QFileInfo info(m_path);
    if (!info.exists())
        return;
    m_unreadable = true;
    if (TextFile::isSpecial(m_path)) {
        note(TextFile::failed(Action::Read, m_path, QString(), Cause::NotRegularFile));
        return;
    }
    if (info.size() > kMaxBytes) {
        note(TextFile::failed(Action::Read, m_path, QString(), Cause::TooLarge));
        return;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        note(TextFile::failed(Action::Read, m_path, file.errorString()));
        return;
    }
    bool ok = false;
    m_values = parse(file.read(kMaxBytes + 1), &ok);
    if (!ok) {
        m_values.clear();
        note(TextFile::failed(Action::Read, m_path, QStringLiteral("INI format")));
        return;
    }
    m_unreadable = false;
}

bool ExtSettings::value(const ExtKey<bool>& key) const
{
    const QVariant v = m_values.value(QString::fromLatin1(key.name));
    return v.isValid() ? v.toBool() : key.fallback;
}

QString ExtSettings::value(const ExtKey<QString>& key) const
{
    const QVariant v = m_values.value(QString::fromLatin1(key.name));
    return v.isValid() ? v.toString() : key.fallback;
}

TextFile::Result ExtSettings::set(const ExtKey<bool>& key, bool value)
{
    return store(key.name, value);
}

TextFile::Result ExtSettings::set(const ExtKey<QString>& key, const QString& value)
{
    return store(key.name, value);
}

TextFile::Result ExtSettings::store(const char* name, const QVariant& value)
{
    const QString key = QString::fromLatin1(name);
    if (m_values.value(key) == value && !m_unreadable)
        return {};
    m_values.insert(key, value);
    if (m_path.isEmpty())
        return {};
    TextFile::Result result;
    if (m_unreadable) {
        result = TextFile::failed(Action::Write, m_path, QString(), Cause::KeptUnread);
    } else if (const std::optional<QByteArray> bytes = format(m_values)) {
        result = TextFile::rewriteBytes(m_path, *bytes);
    } else {
        result = TextFile::failed(Action::Write, m_path, QStringLiteral("INI format"));
    }
    note(result);
    return result;
}

void ExtSettings::note(const TextFile::Result& result)
{
    if (!result.ok && !m_problem)
        m_problem = result;
}

std::optional<TextFile::Result> ExtSettings::takeProblem()
{
    if (m_reported || !m_problem)
        return std::nullopt;
    m_reported = true;
    return m_problem;
}
