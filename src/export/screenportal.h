#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The desktop's screenshot service (the portal on the session bus), for desktops where a program
// may not read the screen itself (Wayland). It is asked for a picture of the whole screen without
// a dialog; the answer is awaited in place, bounded in time.
class ScreenPortal : public QObject {
    Q_OBJECT
public:
    // True when a session bus offers the portal.
    static bool available();
    // The picture, or a null image when the service is missing, refuses or does not answer in
    // time; the file the service wrote for it is left where the service put it.
    static QImage take(int boundMs);

private slots:
    void onResponse(uint response, const QVariantMap& results);

private:
    bool m_answered = false;
    QString m_uri;
};
