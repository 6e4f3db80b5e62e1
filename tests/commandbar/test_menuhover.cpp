#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "testguard.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// A toolbar button that opened its menu is drawn plain again once the menu has closed with the
// mouse elsewhere. Only real pointer events show the fault (the menu holds the pointer, and the
// crossing events that follow its closing do not reach the button), so the mouse and the keyboard
// are driven by xdotool on the X screen of scripts/on-screen.sh; elsewhere the test is skipped.
class TestMenuHover : public QObject {
    Q_OBJECT

    static bool xdotool(const QStringList& arguments)
    {
        return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    }
    static QStringList at(const QPoint& global)
    {
        return {QStringLiteral("mousemove"), QString::number(global.x()),
                QString::number(global.y())};
    }

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void buttonIsPlainAfterItsMenuCloses()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs an X screen and xdotool (scripts/on-screen.sh)");
        CommandPool pool;
        CommandEntry* open = pool.add(QStringLiteral("OPEN"), -1, QStringLiteral("Open"));
        open->setCaptionInBar(true);
        pool.add(QStringLiteral("OPEN:ONE"), -1, QStringLiteral("One"));
        CommandBar* menu = pool.addBar(QStringLiteral("OPENMENU"));
        menu->append(pool.entry(QStringLiteral("OPEN:ONE")));
        open->setDropDown(menu);
        CommandBar* bar = pool.addBar(QStringLiteral("BAR"));
        bar->append(open);

        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* control = new CommandBarControl(0, &window);
        control->setBar(bar);
        control->setBarStyle(1);
        layout->addWidget(control);
        auto* page = new QWidget(&window);
        page->setMinimumSize(300, 300);
        layout->addWidget(page);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QToolButton* button = control->button(QStringLiteral("OPEN"));
        QVERIFY(xdotool(at(button->mapToGlobal(button->rect().center()))));
        QTRY_VERIFY(button->underMouse());

        // The menu runs a loop of its own once open: it is closed from a timer inside that loop.
        bool closed = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (!qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                return;
            poll.stop();
            closed = xdotool(at(page->mapToGlobal(page->rect().center()))) &&
                     xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        });
        poll.start(20);
        QVERIFY(xdotool({QStringLiteral("click"), QStringLiteral("1")}));
        QTRY_VERIFY(closed);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_VERIFY(!button->underMouse());
        QVERIFY(!button->isDown());
    }
};

// On the X screen when there is one, offscreen (and skipped) otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestMenuHover test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_menuhover.moc"
