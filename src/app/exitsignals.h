#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C, a closed terminal) become a request to
// end the program on the event loop, so that the exit sequence runs as for the exit command.
// The handler only writes the signal's number to a socket pair; everything else happens when
// the event loop reads it. Once a request has been read, a further signal ends the process at
// once (an exit that hangs can always be ended).
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

    // False when the handlers could not be installed (the signals then end the process at once).
    bool installed() const { return m_notifier != nullptr; }

signals:
    void exitRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
