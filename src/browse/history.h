#pragma once

#include "core/textfile.h"

#include <QStringList>

// The address history, "\Data\orvelquorvink.Hys": one address per line, oldest first. In memory
// it is the drop-down list of the address box, without limit; the newest 30 are kept at exit.
namespace History {

constexpr int kSavedEntries = 30;

// Hyst_Read: the lines of the file unchanged (no trimming, duplicates kept); empty when missing.
// A file that exists but cannot be read is reported in problem.
QStringList read(const QString& path, TextFile::Result* problem = nullptr);

// Hyst_Add's test: true when no item, trimmed, equals the box text, trimmed (exact letter case).
bool isNew(const QStringList& items, const QString& boxText);

// Hyst_Save: the newest 30 items, empty ones skipped.
TextFile::Result save(const QString& path, const QStringList& items);

} // namespace History
