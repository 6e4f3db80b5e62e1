// Takes a picture of the link-table window, the entry editor, the language editor with its name
// prompt, the input window and the About window in each shipped language, at their default sizes
// and with the window manager's frame: windowshots <folder>. Run on an X screen with a window
// manager (scripts/screenshots.sh does so); the pictures are named <language>-<window>.png.
#include "config/startlanguage.h"
#include "core/programdir.h"
#include "platform/qttranslations.h"
#include "windowset.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

// Shows the window and waits until the window manager has framed it and it has painted.
void showFramed(QWidget* window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return;
    QElapsedTimer waited;
    waited.start();
    while (window->frameGeometry() == window->geometry() && waited.elapsed() < 2000)
        QTest::qWait(20);
    // Painted now, and on the screen once the X server has taken every request so far.
    window->repaint();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

bool shoot(QWidget* window, const QString& folder, const QString& language, const QString& name)
{
    showFramed(window);
    const QRect frame = window->frameGeometry();
    const QPixmap picture =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path = QDir(folder).filePath(language + QLatin1Char('-') + name + ".png");
    const bool saved = picture.save(path);
    std::printf("%s %dx%d (inner %dx%d)%s\n", qPrintable(path), frame.width(), frame.height(),
                window->width(), window->height(), saved ? "" : " NOT SAVED");
    window->hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: windowshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    // Qt's own buttons in each language, as the program loads them.
    QtTranslations qtTexts;
    const ProgramDir shipped(QStringLiteral(QUORVINK_SOURCE_DIR "/data"));
    for (const char16_t* name : {u"English", u"Italiano", u"Deutsch"}) {
        const QString language = QString::fromUtf16(name);
        qtTexts.use(StartLanguage::localeOf(shipped, language));
        WindowSet set(language);
        if (!set.ok()) {
            std::fprintf(stderr, "the %s language file could not be read\n", qPrintable(language));
            return 1;
        }
        set.showOwner();
        auto tables = set.linkTables();
        ok &= shoot(tables.get(), folder, language, QStringLiteral("frmTab"));
        tables->show();
        auto editor = set.entryEditor(*tables);
        ok &= shoot(editor.get(), folder, language, QStringLiteral("frmEDit"));
        editor.reset();
        tables.reset();

        frmLang* lang = set.languageEditor();
        ok &= shoot(lang, folder, language, QStringLiteral("frmLang"));
        lang->show();
        lang->SAVE5();
        if (auto* prompt = lang->findChild<QInputDialog*>(QStringLiteral("NamePrompt")))
            ok &= shoot(prompt, folder, language, QStringLiteral("NamePrompt"));
        lang->hide();
        ok &= shoot(set.inputWindow(), folder, language, QStringLiteral("frmInput"));
        auto about = set.about();
        ok &= shoot(about.get(), folder, language, QStringLiteral("frmAbout"));
    }
    return ok ? 0 : 1;
}
