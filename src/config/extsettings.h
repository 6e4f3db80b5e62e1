#pragma once

#include "core/textfile.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <optional>

// A setting of the program's own file of settings that the other files do not hold: its name
// in the INI file ("Group/Key") and the value used while the file or the key is missing.
template <typename T> struct ExtKey {
    const char* name;
    T fallback;
};

// Every setting of "\Data\orvelquorvink.Ext", declared once.
namespace ExtKeys {
// Whether harvest passes read the frames of other sites too.
inline const ExtKey<bool> OtherSiteFrames{"Harvest/OtherSiteFrames", false};
// Whether passes read the page itself, its frames within frames and shadow trees.
inline const ExtKey<bool> PageItself{"Harvest/PageItself", false};
// Whether passes also write the addresses a page shows as text.
inline const ExtKey<bool> TextAddresses{"Harvest/TextAddresses", false};
// The folder the save dialogs of the exports and the address book open in.
inline const ExtKey<QString> SaveFolder{"Dialogs/LastFolder", {}};
// The folder the last download was saved in.
inline const ExtKey<QString> DownloadFolder{"Downloads/LastFolder", {}};
} // namespace ExtKeys

// The one owner of the program's own INI file. It is read once, and only when it is a regular
// file (or a link to one): a folder, a pipe or a device in its place is never opened, so it cannot
// block the start, and the defaults are used for the run. Every change is written at once, whole,
// through a checked atomic rewrite; keys of the file that the program does not know are kept.
class ExtSettings {
public:
    explicit ExtSettings(QString path);

    const QString& path() const { return m_path; }

    bool value(const ExtKey<bool>& key) const;
    QString value(const ExtKey<QString>& key) const;

    // Stores the value at once. It holds for the run even when the file could not be written;
    // the result then names the file and why.
    TextFile::Result set(const ExtKey<bool>& key, bool value);
    TextFile::Result set(const ExtKey<QString>& key, const QString& value);

    // The first problem with the file in this run (it could not be read or written), once: later
    // calls give nothing, so that the user is told once per run.
    std::optional<TextFile::Result> takeProblem();

    // The largest file that is read; a larger one is not the program's and is left alone.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

private:
    TextFile::Result store(const char* name, const QVariant& value);
    void note(const TextFile::Result& result);

    QString m_path;
    QMap<QString, QVariant> m_values;
    // The file exists but could not be read: it is never written over.
    bool m_unreadable = false;
    std::optional<TextFile::Result> m_problem;
    bool m_reported = false;
};
