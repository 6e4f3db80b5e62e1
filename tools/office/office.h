#pragma once

#include <QString>
#include <QStringList>

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <sys/types.h>

// The private office of one profile folder: a headless soffice in its own process group,
// listening on a pipe whose name is derived from the user id and the profile path, so that an
// office the user runs is never touched and two program directories never share one.
class Office {
public:
    explicit Office(const QString& profileDir);

    // The soffice to start: $QUORVINK_SOFFICE when set, else the one of the LibreOffice the
    // helper was built against, else the first on PATH.
    static QString sofficePath();

    // Connects to the office already listening on the profile's pipe, or starts one and waits
    // until it answers (the caller bounds the wait). Throws Failure.
    void open();
    // Connects only to an office that is listening already; false when there is none.
    bool attach();
    // Ends the office: terminate(), then its process group is killed if it does not go.
    void terminate();
    // Kills the office recorded for the profile, listening or not.
    void kill();
    // The office recorded for the profile, while it is one listening on the profile's pipe
    // (0: none).
    pid_t recordedPid() const;
    // What an office of the profile leaves when it is killed: the sockets of its two pipes in
    // the system's temporary folder, and the lock file in the profile.
    QStringList leftovers() const;

    css::uno::Reference<css::uno::XComponentContext> context() const { return m_context; }
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_desktop; }

private:
    // The pipe's name: the user id and a hash of the profile's path.
    QString pipe() const;
    // The profile as the office is told of it.
    QByteArray profileUrl() const;
    // The leftovers of an office that has ended (given a while to close its sockets, when
    // `closing`); none while an office answers on them.
    void removeLeftovers(bool closing = true) const;
    // The office is gone: no group to end, no record, nothing left behind.
    void forget();
    bool tryConnect();
    void spawn();
    void recordSetupVersion();
    void forbidActiveContent();
    void writePidFile() const;

    QString m_profile;
    QString m_pidFile;
    pid_t m_pid = 0;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
