#pragma once

#include <QString>

// The harvest's settings in the program's own INI file of settings the other files do not hold
// ("\Data\orvelquorvink.Ext"): group [Harvest], key OtherSiteFrames, true or false.
namespace HarvestOptions {

// Whether passes read the frames of other sites too; false when the file or the key is missing.
bool otherSiteFrames(const QString& extraPath);
// Stores the choice at once; false when the file could not be written.
bool setOtherSiteFrames(const QString& extraPath, bool on);

} // namespace HarvestOptions
