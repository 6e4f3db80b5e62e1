#pragma once

// Tests against the real office: whether it is there, and what a file holds when the office
// reads it back. Without LibreOffice the tests that need it are skipped, except under CI, where
// they fail.

#include "export/officejob.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// The soffice the helper starts.
inline QString officeProgram()
{
    const QString soffice = qEnvironmentVariable("QUORVINK_SOFFICE");
    if (!soffice.isEmpty())
        return soffice;
    const QString installed = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    return QFileInfo::exists(installed) ? installed
                                        : QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

inline bool officeInstalled()
{
    const QString soffice = officeProgram();
    return !soffice.isEmpty() && QFileInfo(soffice).isExecutable() &&
           QFileInfo(OfficeJob::defaultHelperPath()).isExecutable();
}

#define REQUIRE_OFFICE()                                                                           \
    do {                                                                                           \
        if (!officeInstalled()) {                                                                  \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL("LibreOffice or the office helper is missing (CI is set, so this fails)");   \
            QSKIP("LibreOffice (soffice) or orvelquorvink-office is missing: run "                 \
                  "scripts/setup.sh and build the helper");                                        \
        }                                                                                          \
    } while (false)

// What the helper's read-back mode finds in the file, through the office of the profile (kept
// running); the helper's last answer when it could not read the file.
inline QJsonObject readBack(const QString& file, const QString& profile)
{
    QProcess helper;
    helper.start(OfficeJob::defaultHelperPath(), {QStringLiteral("--read"), file, profile});
    if (!helper.waitForFinished(180'000))
        return {{QStringLiteral("failed"), QStringLiteral("read-back did not end")}};
    const QList<QByteArray> lines = helper.readAllStandardOutput().trimmed().split('\n');
    const QJsonObject last = QJsonDocument::fromJson(lines.value(lines.size() - 1)).object();
    return last.value(QLatin1String("done")).toBool() ? last.value(QLatin1String("read")).toObject()
                                                      : last;
}
