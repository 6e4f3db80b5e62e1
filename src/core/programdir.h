#pragma once

#include <QString>
#include <QStringView>

// The folder below which every file of the program lives. Paths are given the way the program
// names them, relative and beginning with a backslash ("\Data\orvelquorvink.Ini"); names are
// matched without regard to the case of ASCII letters (AsciiCase), so
// "\languages\quorvink_english.txt" finds "Languages/Quorvink_English.txt", and writing a name that
// exists in another letter case writes that file.
class ProgramDir {
public:
    ProgramDir() = default;
    explicit ProgramDir(QString root);

    const QString& root() const { return m_root; }
    bool isValid() const { return !m_root.isEmpty(); }

    // The absolute path for a program-relative name, each component matched case-insensitively
    // against what exists; components that do not exist keep the letter case given.
    QString path(QStringView relative) const;

    // The executable's folder when it holds "Languages" (a portable install or the build tree),
    // otherwise the per-user data folder, seeded from the shipped data installed with the program.
    static ProgramDir locate();
    // The same for given folders: the executable's, the per-user one and the installed data.
    static ProgramDir locate(const QString& exeDir, const QString& userDir,
                             const QString& installedDir);

    // The folder locate() gives, for reading only: nothing is made or filled. Without a
    // per-user folder yet, the installed data (whose options file is then missing).
    static ProgramDir existing();
    static ProgramDir existing(const QString& exeDir, const QString& userDir,
                               const QString& installedDir);

    // Copies the shipped files that root lacks from source; names are matched without regard to
    // letter case and nothing in root is overwritten.
    static void seed(const QString& root, const QString& source);

private:
    QString m_root;
};
