#pragma once

#include <QString>

// The folder the save dialogs open in: the folder of the file last saved through one of them,
// kept between runs in the program's own settings file (INI, group [Dialogs], key LastFolder);
// while none is known, or the one kept no longer exists, the user's documents folder.
class SaveFolder {
public:
    // settingsPath: the program's INI file of settings the other files do not hold; empty keeps
    // the folder for the run only.
    explicit SaveFolder(QString settingsPath = QString());

    QString folder() const;
    // The proposed name placed in the folder; a proposal that names a folder of its own is kept.
    QString proposal(const QString& proposed) const;
    // The folder of a chosen file becomes the folder of the next dialog, also in later runs.
    void remember(const QString& chosenFile);

private:
    QString m_settingsPath;
    QString m_folder;
};
