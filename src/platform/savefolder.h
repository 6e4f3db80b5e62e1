#pragma once

#include <QString>

#include <functional>

// The folder the save dialogs open in: the folder of the file last saved through one of them,
// kept between runs by the program's settings; while none is known, or the one kept no longer
// exists, the user's documents folder.
class SaveFolder {
public:
    using Keep = std::function<void(const QString& folder)>;

    // remembered: the folder kept from an earlier run (empty: none); keep stores a new one for
    // later runs (empty: the folder is kept for this run only).
    explicit SaveFolder(QString remembered = QString(), Keep keep = {});

    QString folder() const;
    // The proposed name placed in the folder; a proposal that names a folder of its own is kept.
    QString proposal(const QString& proposed) const;
    // The folder of a chosen file becomes the folder of the next dialog, also in later runs.
    void remember(const QString& chosenFile);

private:
    QString m_folder;
    Keep m_keep;
};
