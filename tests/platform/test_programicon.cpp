#include "platform/resources.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QDir>
#include <QImage>

// The window's icon is the installed application icon: the same drawing in the same sizes.
class TestProgramIcon : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void sameSizesAsTheInstalledIcon()
    {
        const QDir installed(QStringLiteral(QUORVINK_SOURCE_DIR "/packaging/icons"));
        const QStringList pngs = installed.entryList({QStringLiteral("orvelquorvink-*.png")});
        QVERIFY(!pngs.isEmpty());
        QList<QSize> expected;
        for (const QString& name : pngs)
            expected.append(QImage(installed.filePath(name)).size());

        const QIcon icon = programIcon();
        QList<QSize> sizes = icon.availableSizes();
        const auto byWidth = [](QSize a, QSize b) { return a.width() < b.width(); };
        std::sort(expected.begin(), expected.end(), byWidth);
        std::sort(sizes.begin(), sizes.end(), byWidth);
        QCOMPARE(sizes, expected);
        QCOMPARE(icon.pixmap(QSize(256, 256))
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 QImage(installed.filePath(QStringLiteral("orvelquorvink-256.png")))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestProgramIcon)
#include "test_programicon.moc"
