#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One program per program directory: two would share the office, the history and the settings.
// The first start holds a lock file in the directory (one left by a program that ended without
// removing it is taken over) and listens on a local socket named after the directory; a later
// start asks it through that socket to bring its window to the front, and ends.
class OneProgram : public QObject {
    Q_OBJECT
public:
    // root: the program directory; lockPath: the lock file in it.
    OneProgram(const QString& root, const QString& lockPath, QObject* parent = nullptr);
    ~OneProgram() override;

    // True when this start is the program of its directory: it holds the lock and listens.
    // False when another program holds it. A lock that cannot be made at all (a read-only
    // directory) does not keep the program from starting.
    bool claim();

    // Asks the program that holds the directory to show its window. Waits for its answer at
    // most waitMs; false when none came (the program does not answer, or is not there).
    bool askToShow(int waitMs) const;

    // The socket's name: in the user's runtime folder, after the directory's canonical path.
    static QString serverName(const QString& root);

signals:
    // A later start asked for the window.
    void showRequested();

private:
    void answer(QLocalSocket* socket);

    QString m_name;
    QLockFile m_lock;
    QLocalServer* m_server = nullptr;
};
