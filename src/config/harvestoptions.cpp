#include "config/harvestoptions.h"

#include <QSettings>

namespace {

const QString kKey = QStringLiteral("Harvest/OtherSiteFrames");

} // namespace

namespace HarvestOptions {

bool otherSiteFrames(const QString& extraPath)
{
    const QSettings settings(extraPath, QSettings::IniFormat);
    return settings.value(kKey, false).toBool();
}

bool setOtherSiteFrames(const QString& extraPath, bool on)
{
    QSettings settings(extraPath, QSettings::IniFormat);
    settings.setValue(kKey, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace HarvestOptions
