#include "reporter.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <mutex>

namespace {

std::mutex outputLock;
bool closed = false;

void write(const QJsonObject& object, bool last)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    const std::lock_guard<std::mutex> lock(outputLock);
    if (closed)
        return;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    closed = last;
}

} // namespace

namespace Reporter {

void line(const QJsonObject& object)
{
    write(object, false);
}

void step(const char* name)
{
    line({{QStringLiteral("step"), QLatin1String(name)}});
}

void officePid(qint64 pid)
{
    line({{QStringLiteral("officePid"), pid}});
}

void done(const QJsonObject& fields)
{
    QJsonObject object = fields;
    object.insert(QStringLiteral("done"), true);
    line(object);
}

void failed(const char* step, const QString& error)
{
    line({{QStringLiteral("failed"), QLatin1String(step)}, {QStringLiteral("error"), error}});
}

void finalFailure(const char* step, const QString& error, bool timedOut, const char* refused)
{
    QJsonObject object{{QStringLiteral("failed"), QLatin1String(step)},
                       {QStringLiteral("error"), error}};
    if (timedOut)
        object.insert(QStringLiteral("timeout"), true);
    if (refused)
        object.insert(QStringLiteral("refused"), QLatin1String(refused));
    write(object, true);
}

} // namespace Reporter
