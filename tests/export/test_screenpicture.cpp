// Load_ClipBoard on a desktop where programs may not read the screen: the picture comes from the
// desktop's screenshot service, played here by a stand-in on a private session bus of the test's
// own. The bars leave the picture and come back in every case.
#include "export/screenpicture.h"

#include "testguard.h"
#include "unittestmain.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>

// The desktop's screenshot service as a stand-in: it answers every request with the picture
// given (or refuses), under the request path the caller expects or one of its own.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    QString pictureUri;
    uint response = 0;
    bool pathOfItsOwn = false;
    QVariantMap options;

public slots:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& given)
    {
        options = given;
        QString sender = message().service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path =
            QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + QLatin1Char('/') +
            (pathOfItsOwn ? QStringLiteral("other")
                          : given.value(QStringLiteral("handle_token")).toString());
        // The answer follows the reply, as from a real service.
        QTimer::singleShot(200, this, [this, path, bus = connection()] {
            QDBusMessage signal = QDBusMessage::createSignal(
                path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            signal << response << QVariantMap{{QStringLiteral("uri"), pictureUri}};
            bus.send(signal);
        });
        return QDBusObjectPath(path);
    }
};

// The main window as the picture sees it: what happened to its bars, in order.
class FakeWindow : public PictureWindow {
public:
    QWidget widget;
    QStringList calls;
    QWidget* window() const override { return const_cast<QWidget*>(&widget); }
    void hideBars() override { calls << QStringLiteral("hide"); }
    void showBars() override { calls << QStringLiteral("show"); }
};

class TestScreenPicture : public QObject {
    Q_OBJECT

    QProcess bus;
    QTemporaryDir dir;
    FakePortal portal;
    QImage served{64, 48, QImage::Format_RGB32};

private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("needs dbus-daemon for a session bus of the test's own");
        bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address=1")});
        QVERIFY(bus.waitForReadyRead(10000));
        const QByteArray address = bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        // The program reaches the service through the session bus, and under a Wayland desktop
        // it asks the service before reading the screen itself.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("WAYLAND_DISPLAY", "wayland-test");
        QDBusConnection service =
            QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("portal"));
        QVERIFY(service.isConnected());
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        served.fill(Qt::magenta);
        const QString file = dir.filePath(QStringLiteral("screen.png"));
        QVERIFY(served.save(file));
        portal.pictureUri = QUrl::fromLocalFile(file).toString();
    }

    void init() { TestGuard::failOnWarnings(); }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        bus.kill();
        bus.waitForFinished();
    }

    void pictureComesFromTheService_data()
    {
        QTest::addColumn<uint>("response");
        QTest::addColumn<bool>("pathOfItsOwn");
        QTest::addColumn<bool>("fromService");
        QTest::addRow("answered") << 0u << false << true;
        QTest::addRow("answered under a path of its own") << 0u << true << true;
        // A refusal leaves the program's own reading of the screen.
        QTest::addRow("refused") << 2u << false << false;
    }
    void pictureComesFromTheService()
    {
        QFETCH(uint, response);
        QFETCH(bool, pathOfItsOwn);
        QFETCH(bool, fromService);
        portal.response = response;
        portal.pathOfItsOwn = pathOfItsOwn;
        portal.options.clear();
        QGuiApplication::clipboard()->clear();
        FakeWindow window;
        QString error;

        const QImage picture = Load_ClipBoard(window, &error, nullptr, 0);

        QCOMPARE(window.calls, (QStringList{QStringLiteral("hide"), QStringLiteral("show")}));
        QCOMPARE(portal.options.value(QStringLiteral("interactive")), QVariant(false));
        QVERIFY2(!picture.isNull(), qPrintable(error));
        const QSize expected = fromService ? served.size() : window.widget.screen()->size();
        QCOMPARE(picture.size(), expected);
        QCOMPARE(picture.pixelColor(0, 0) == QColor(Qt::magenta), fromService);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), expected);
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestScreenPicture)
#include "test_screenpicture.moc"
