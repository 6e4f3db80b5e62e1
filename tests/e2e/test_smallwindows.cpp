// The language editor, the input window and the About window of the real main window, driven
// through their command bars, with the language files in a temporary program directory. The tests
// share one window; the next start after a save runs on a window of its own.
#include "appfixture.h"
#include "commanddriver.h"
#include "testguard.h"
#include "testmain.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/languagefile.h"
#include "windows/codeeditor.h"
#include "windows/frmabout.h"
#include "windows/frminput.h"
#include "windows/frmlang.h"
#include "windows/smallwindows.h"
#include "windows/textfindbar.h"

#include <QDirIterator>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

using CommandDriver::activate;
using CommandDriver::chooseInMenu;
using CommandDriver::Reached;

namespace {

const QString kEnglish = QStringLiteral("Languages/Quorvink_English.txt");
const QString kShipped = QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages");
const QByteArray kOptions = " 1 \r\n 0 \r\n 0 \r\n 0 \r\nabout:blank\r\nEnglish\r\n";

QStringList keysOf(const CommandBar* bar)
{
    QStringList keys;
    if (bar) {
        for (const CommandEntry* entry : bar->entries())
            keys << entry->key();
    }
    return keys;
}

// Every file below a folder, relative to it, sorted.
QStringList filesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The modal window of a class once it is shown, or nullptr.
template <typename Window> Window* shownModal()
{
    Window* found = nullptr;
    const bool shown = QTest::qWaitFor(
        [&found] {
            found = qobject_cast<Window*>(QApplication::activeModalWidget());
            return found && found->isVisible();
        },
        5000);
    return shown ? found : nullptr;
}

bool click(CommandBarControl* bar, const QString& key)
{
    QToolButton* button = bar ? bar->button(key) : nullptr;
    if (!button || !button->isVisible())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool gone(const QPointer<QWidget>& window)
{
    return QTest::qWaitFor([&window] { return window.isNull(); }, 5000);
}

// Opens the language editor from the language menu of a main window.
frmLang* openEditor(frmStart& w)
{
    if (chooseInMenu(w, QStringLiteral("LANG"), QStringLiteral("LANG:NEW")) != Reached::Activated)
        return nullptr;
    return shownModal<frmLang>();
}

// Closes the editor with "EXIT3", answering yes when it asks; true once it is released.
bool closeEditor(frmLang* editor)
{
    const QPointer<QWidget> guard(editor);
    if (!click(editor->cmdBar(), QStringLiteral("EXIT3")))
        return false;
    if (guard && guard->isVisible()) {
        frmInput* input = shownModal<frmInput>();
        if (!input || !click(input->cmdBar(), QStringLiteral("OKYES")))
            return false;
    }
    return gone(guard);
}

// Types a name into the prompt that "SAVE5" opens and accepts it.
bool answerNamePrompt(frmLang* editor, const QString& answer, const QString& title)
{
    QInputDialog* prompt = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            prompt = editor->findChild<QInputDialog*>(QStringLiteral("NamePrompt"));
            return prompt && prompt->isVisible();
        },
        5000);
    // The prompt says what it asks for; its field starts empty.
    if (!shown || prompt->windowTitle() != title || prompt->labelText().isEmpty() ||
        !prompt->textValue().isEmpty())
        return false;
    prompt->setTextValue(answer);
    prompt->accept();
    return true;
}

} // namespace

class TestSmallWindows : public QObject {
    Q_OBJECT

    AppFixture app; // the window the tests share, started in English on an empty page
    qsizetype m_entriesWithAbout = -1; // the pool's size once the About window was first shown

    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }
    SmallWindows& windows() { return app.browser->smallWindows(); }
    QString caption(int n) const { return app.module->Lang_Text[n]; }

    // The shared window as at start: no small window shown, English, the shipped language files
    // and nothing else in the languages folder.
    bool resetWindow()
    {
        for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* input = qobject_cast<frmInput*>(modal))
                click(input->cmdBar(), QStringLiteral("OKYES"));
            else
                modal->close();
            QCoreApplication::processEvents();
        }
        QDir languages(app.dir.file(QStringLiteral("Languages")));
        if (!languages.removeRecursively() || !languages.mkpath(QStringLiteral(".")))
            return false;
        const QStringList shipped = QDir(kShipped).entryList(QDir::Files);
        for (const QString& name : shipped) {
            if (!QFile::copy(kShipped + QLatin1Char('/') + name, languages.filePath(name)))
                return false;
        }
        if (app.module->options.Lang_Name != QLatin1String("English"))
            root().switchLanguage(QStringLiteral("English"));
        return app.reset(QUrl(QStringLiteral("about:blank")));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(app.dir.write(QStringLiteral("Data/orvelquorvink.Opt"), kOptions));
        app.timings.deferredStartMs = 20;
        app.startWindow();
        QSignalSpy deferred(app.browser.get(), &Browser::deferredStepDone);
        QVERIFY(deferred.wait(20000));
        QVERIFY(app.desktop.messages.isEmpty());
    }

    void cleanupTestCase() { app.close(); }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(resetWindow());
    }

    void editorShowsEnglishWhateverTheLanguage()
    {
        root().switchLanguage(QStringLiteral("Italiano"));
        CaptionTable italian;
        LanguageSettings settings;
        QVERIFY(LanguageFile::read(app.dir.file(QStringLiteral("Languages/Quorvink_Italiano.txt")),
                                   italian, settings)
                    .ok);
        // The language switch gives the windows loaded hidden the new texts.
        QCOMPARE(app.pool->entry(QStringLiteral("EXIT3"))->caption(), italian[210]);
        QCOMPARE(app.pool->entry(QStringLiteral("OKNO"))->caption(), italian[214]);
        QVERIFY(windows().inputWindow());
        QCOMPARE(windows().inputWindow()->labTitle()->text(), italian[213]);

        frmLang* editor = openEditor(w());
        QVERIFY(editor);
        QCOMPARE(QApplication::activeModalWidget(), editor);
        QCOMPARE(editor->windowTitle(), italian[209]);
        QCOMPARE(keysOf(app.pool->bar(QStringLiteral("STANDARD5"))),
                 QStringList({"SEP1", "EXIT3", "SEP13", "SAVE5", "SEP2"}));
        QCOMPARE(editor->Text1()->toPlainText(), linesOf(app.dir.read(kEnglish)).join('\n'));
        QVERIFY(!editor->Lang_Modified());

        // Nothing typed: "EXIT3" closes at once, without asking.
        const QPointer<QWidget> guard(editor);
        QVERIFY(click(editor->cmdBar(), QStringLiteral("EXIT3")));
        QVERIFY(!editor->isVisible());
        QVERIFY(!windows().inputWindow()->isVisible());
        QVERIFY(gone(guard));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(app.desktop.messages.isEmpty());
    }

    void typingThenClosingAsks_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("answer"); // an entry of the input window, or empty: closed
        QTest::addColumn<bool>("closes");
        QTest::addRow("no keeps the text") << int(Qt::Key_X) << "OKNO" << false;
        QTest::addRow("yes discards the text") << int(Qt::Key_X) << "OKYES" << true;
        QTest::addRow("Enter counts as typing") << int(Qt::Key_Return) << "OKYES" << true;
        QTest::addRow("Backspace with nothing to remove")
            << int(Qt::Key_Backspace) << "OKNO" << false;
        QTest::addRow("Delete changes the text too") << int(Qt::Key_Delete) << "OKYES" << true;
        QTest::addRow("closed without answer is no") << int(Qt::Key_X) << QString() << false;
    }
    void typingThenClosingAsks()
    {
        QFETCH(int, key);
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        frmLang* editor = openEditor(w());
        QVERIFY(editor);
        const QString english = editor->Text1()->toPlainText();
        editor->Text1()->moveCursor(QTextCursor::Start);
        QTest::keyClick(editor->Text1(), Qt::Key(key));
        QVERIFY(editor->Lang_Modified());
        const QString typed = editor->Text1()->toPlainText();

        windows().Input_Answer = 1; // an earlier yes must not count for a window closed unanswered
        QVERIFY(click(editor->cmdBar(), QStringLiteral("EXIT3")));
        frmInput* input = shownModal<frmInput>();
        QVERIFY(input);
        QVERIFY(editor->isVisible());
        QCOMPARE(input->labTitle()->text(), caption(213));
        // The question stands above its answers.
        QVERIFY(input->labTitle()->isVisible());
        QVERIFY(input->labTitle()->geometry().bottom() < input->cmdBar()->geometry().top());
        const QPointer<QWidget> asked(input);
        const QPointer<QWidget> guard(editor);
        if (answer.isEmpty())
            input->close();
        else
            QVERIFY(click(input->cmdBar(), answer));
        QVERIFY(gone(asked));
        QCOMPARE(windows().Input_Answer, qint16(closes ? 1 : 0));
        // Every row shows an input window of its own (the first one the window loaded hidden at
        // start); the bar, built by the first, holds its entries once.
        QCOMPARE(keysOf(app.pool->bar(QStringLiteral("STANDARD6"))),
                 QStringList({"OKYES", "SEP13", "OKNO"}));
        if (!closes) {
            QVERIFY(editor->isVisible());
            QCOMPARE(QApplication::activeModalWidget(), editor);
            QCOMPARE(editor->Text1()->toPlainText(), typed);
            QVERIFY(closeEditor(editor));
            return;
        }
        QVERIFY(gone(guard));
        editor = openEditor(w());
        QVERIFY(editor);
        QCOMPARE(editor->Text1()->toPlainText(), english);
        QVERIFY(!editor->Lang_Modified());
        QVERIFY(closeEditor(editor));
    }

    void savingWritesTheLanguageFile_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written"); // the file written, or empty for none
        QTest::addColumn<bool>("message");
        QTest::addRow("Deutsch") << "Deutsch"
                                 << "Languages/Quorvink_Deutsch.Txt" << false;
        QTest::addRow("blanks around") << "  Klingon "
                                       << "Languages/Quorvink_Klingon.Txt" << false;
        QTest::addRow("english") << "english"
                                 << "Languages/Quorvink_english.Txt" << false;
        QTest::addRow("empty answer") << "" << QString() << false;
        QTest::addRow("blank answer") << "   " << QString() << true;
        QTest::addRow("up and out") << "../evil" << QString() << true;
        QTest::addRow("out through a folder") << "x/../../evil" << QString() << true;
    }
    void savingWritesTheLanguageFile()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(bool, message);
        // A language file in two other letter cases, one of a longer name, and a folder through
        // which a name with a path would lead out of the languages folder.
        QVERIFY(QFile::rename(app.dir.file(QStringLiteral("Languages/Quorvink_Deutsch.txt")),
                              app.dir.file(QStringLiteral("Languages/quorvink_deutsch.txt"))));
        for (const char* other : {"QUORVINK_DEUTSCH.TXT", "Quorvink_Deutsch.txt.bak"})
            QVERIFY(app.dir.write(QStringLiteral("Languages/") + QLatin1String(other), "old"));
        QVERIFY(QDir(app.dir.root()).mkpath(QStringLiteral("Languages/Quorvink_x")));
        const QStringList before = filesBelow(app.dir.root());

        frmLang* editor = openEditor(w());
        QVERIFY(editor);
        editor->Text1()->moveCursor(QTextCursor::End);
        QTest::keyClick(editor->Text1(), Qt::Key_Return);
        QTest::keyClicks(editor->Text1(), QStringLiteral("; tlhIngan Hol"));
        const QString text = editor->Text1()->toPlainText();
        QVERIFY(click(editor->cmdBar(), QStringLiteral("SAVE5")));
        QVERIFY(answerNamePrompt(editor, answer, caption(211)));

        QStringList expected = before;
        if (!written.isEmpty()) {
            expected.removeIf([&written](const QString& file) {
                return file.compare(written, Qt::CaseInsensitive) == 0;
            });
            expected << written;
            expected.sort();
            QCOMPARE(app.dir.read(written), text.toUtf8().replace('\n', "\r\n") + "\r\n");
        }
        QCOMPARE(filesBelow(app.dir.root()), expected);
        QCOMPARE(app.desktop.messages.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(app.desktop.messages[0].title, QStringLiteral("orvelquorvink"));
            QVERIFY(app.desktop.messages[0].text.contains(answer.trimmed()));
        }
        // After a save there is nothing to discard: closing asks nothing. Otherwise it asks.
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->Lang_Modified(), written.isEmpty());
        if (!written.isEmpty()) {
            const QPointer<QWidget> guard(editor);
            QVERIFY(click(editor->cmdBar(), QStringLiteral("EXIT3")));
            QVERIFY(gone(guard));
            return;
        }
        QVERIFY(closeEditor(editor));
    }

    void savedLanguageIsOfferedAtOnceAndAtTheNextStart()
    {
        app.window->hide(); // the exit of the own window would close it
        AppFixture own;
        QVERIFY(own.dir.write(QStringLiteral("Data/orvelquorvink.Opt"), kOptions));
        own.startWindow();
        QVERIFY(!own.pool->entry(QStringLiteral("LANG:KLINGON")));
        frmLang* editor = openEditor(*own.window);
        QVERIFY(editor);

        // A translation that lost a caption line and a setting, and has a misspelt one.
        QStringList lines = editor->Text1()->toPlainText().split(QLatin1Char('\n'));
        int captions = 0;
        for (const QString& line : std::as_const(lines))
            captions += line.trimmed().startsWith(QLatin1Char('"')) ? 1 : 0;
        const qsizetype firstCaption = lines.indexOf(QStringLiteral("\"Exit\""));
        QVERIFY(firstCaption > 0);
        lines.removeAt(firstCaption);
        const qsizetype width = lines.indexOf(QRegularExpression(QStringLiteral("^TAB_WIDTH=.*")));
        QVERIFY(width > 0);
        lines[width] = QStringLiteral("TAB_WIDHT=2600");
        editor->Text1()->selectAll();
        editor->Text1()->insertPlainText(lines.join(QLatin1Char('\n')));

        QVERIFY(click(editor->cmdBar(), QStringLiteral("SAVE5")));
        // The differences are listed before the name is asked for; they do not stop the save.
        QCOMPARE(own.desktop.messages.size(), 1);
        const CaptionTable& text = own.module->Lang_Text;
        const QString listed = own.desktop.messages[0].text;
        QVERIFY2(listed.contains(text[298].arg(captions - 1).arg(captions)), qPrintable(listed));
        QVERIFY2(listed.contains(text[299].arg(QStringLiteral("TAB_WIDTH"))), qPrintable(listed));
        QVERIFY2(listed.contains(text[300].arg(QStringLiteral("TAB_WIDHT"))), qPrintable(listed));
        QVERIFY(answerNamePrompt(editor, QStringLiteral("Klingon"), text[211]));
        QVERIFY(QFile::exists(own.dir.file(QStringLiteral("Languages/Quorvink_Klingon.Txt"))));
        // The language menu offers it at once, in its place by name.
        QCOMPARE(
            keysOf(own.pool->bar(QStringLiteral("LANG"))).indexOf(QStringLiteral("LANG:KLINGON")),
            keysOf(own.pool->bar(QStringLiteral("LANG"))).indexOf(QStringLiteral("LANG:ITALIANO")) +
                1);
        QVERIFY(closeEditor(editor));
        QCOMPARE(own.desktop.messages.size(), 1);

        own.close();
        own.startWindow();
        const CommandEntry* klingon = own.pool->entry(QStringLiteral("LANG:KLINGON"));
        QVERIFY(klingon);
        QCOMPARE(klingon->caption(), QStringLiteral("Klingon"));
        QVERIFY(keysOf(own.pool->bar(QStringLiteral("LANG"))).contains(klingon->key()));
        own.close();
    }

    void missingEnglishFileOpensAnEmptyEditor()
    {
        // The editor loaded at start has read the file; the next one is loaded when it is used.
        frmLang* first = openEditor(w());
        QVERIFY(first);
        QVERIFY(closeEditor(first));
        QVERIFY(
            QFile::rename(app.dir.file(kEnglish), app.dir.file(QStringLiteral("English.away"))));

        frmLang* editor = openEditor(w());
        QVERIFY(editor);
        QVERIFY(editor->Text1()->toPlainText().isEmpty());
        QTRY_COMPARE(app.desktop.messages.size(), 1);
        QVERIFY(app.desktop.messages[0].text.contains(QDir::toNativeSeparators(
            app.dir.file(QStringLiteral("Languages/Quorvink_english.txt")))));
        QVERIFY(closeEditor(editor));
        QCOMPARE(app.desktop.messages.size(), 1);
    }

    void findAndLineNumbers()
    {
        frmLang* editor = openEditor(w());
        QVERIFY(editor);
        CodeEditor* text = editor->Text1();
        // The English file holds "tab_", in any letter case, on these two lines only.
        const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
        const qsizetype matches[] = {
            lines.indexOf(QRegularExpression(QStringLiteral("TAB_NUMBER=.*"))),
            lines.indexOf(QRegularExpression(QStringLiteral("TAB_WIDTH=.*")))};
        QCOMPARE(text->toPlainText().count(QLatin1String("tab_"), Qt::CaseInsensitive), 2);

        QVERIFY(QTest::qWaitForWindowActive(editor)); // shortcuts act in the active window
        QTest::keyClick(text, Qt::Key_F, Qt::ControlModifier);
        TextFindBar* find = editor->findBar();
        QVERIFY(find->isVisible());
        QTest::keyClicks(find->input(), QStringLiteral("TAB_"));
        // The first match, the second, then round to the first again; backwards round to the last.
        const QList<std::pair<Qt::KeyboardModifiers, int>> steps = {
            {Qt::NoModifier, 0}, {Qt::NoModifier, 1}, {Qt::NoModifier, 0}, {Qt::ShiftModifier, 1}};
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (i > 0)
                QTest::keyClick(find->input(), Qt::Key_Return, steps[i].first);
            QCOMPARE(text->textCursor().selectedText().toUpper(), QStringLiteral("TAB_"));
            QCOMPARE(text->textCursor().blockNumber(), matches[steps[i].second]);
            QCOMPARE(find->resultText(), caption(232).arg(steps[i].second + 1).arg(2));
        }
        QTest::keyClick(find->input(), Qt::Key_Escape);
        QVERIFY(!find->isVisible());
        QVERIFY(editor->isVisible()); // Escape closed the find bar, not the editor
        QVERIFY(!editor->Lang_Modified());

        // The margin holds the highest line number.
        QVERIFY(text->lineNumberArea()->isVisible());
        QVERIFY(text->lineNumberArea()->width() >
                text->fontMetrics().horizontalAdvance(QString::number(text->blockCount())));
        QVERIFY(closeEditor(editor));
    }

    void aboutWindow_data()
    {
        QTest::addColumn<QString>("what"); // a label, or an entry of the bar
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::addRow("Label1") << "Label1"
                                << "mailto:authors@orvelquorvink.example" << false;
        QTest::addRow("lblDescription") << "lblDescription"
                                        << "https://orvelquorvink.example/" << false;
        QTest::addRow("lbSite") << "lbSite"
                                << "https://orvelquorvink.example/" << false;
        QTest::addRow("Label3") << "Label3"
                                << "https://harvest-etiquette.example/" << false;
        QTest::addRow("ABOUTHELP") << "ABOUTHELP"
                                   << "Data/OrvelHelp.html" << true;
        QTest::addRow("ABOUTOK") << "ABOUTOK" << QString() << true;
    }
    void aboutWindow()
    {
        QFETCH(QString, what);
        QFETCH(QString, target);
        QFETCH(bool, closes);
        // The help page is shipped: only a file that is there is handed over.
        if (!target.isEmpty() && !target.contains(QLatin1Char(':')))
            QVERIFY(app.dir.write(target, "<html></html>"));
        // From the toolbar or from the menu; the entries and the bar are made once per run.
        QCOMPARE(
            activate(w(), closes ? QStringLiteral("FILE:KELDRANO") : QStringLiteral("KELDRANO")),
            Reached::Activated);
        frmAbout* about = shownModal<frmAbout>();
        QVERIFY(about);
        const QPointer<QWidget> guard(about);
        QVERIFY(windows().About_Built);
        QCOMPARE(keysOf(app.pool->bar(QStringLiteral("STANDARD7"))),
                 QStringList({"ABOUTOK", "SEP13", "ABOUTHELP", "SEP2"}));
        if (m_entriesWithAbout < 0)
            m_entriesWithAbout = app.pool->entries().size();
        QCOMPARE(app.pool->entries().size(), m_entriesWithAbout);

        auto label = [about](const char* name) {
            return about->findChild<QLabel*>(QLatin1String(name));
        };
        QCOMPARE(label("lblVersion")->text(),
                 caption(198) + QLatin1Char(' ') + QStringLiteral(QUORVINK_TEST_VERSION));
        for (const auto& [name, number] : {std::pair{"lblDescription", 197},
                                           {"lbKes", 197},
                                           {"lbDescr", 199},
                                           {"lbKestor", 200}})
            QCOMPARE(label(name)->text(), caption(number));
        // The disclaimer, and the licence as its last line.
        QCOMPARE(label("lblDisclaimer")->text(),
                 caption(202) + QStringLiteral("\n\n") + caption(380));
        QCOMPARE(about->cmdBar()->button(QStringLiteral("ABOUTOK"))->text(), caption(204));
        QCOMPARE(about->cmdBar()->button(QStringLiteral("ABOUTHELP"))->text(), caption(205));
        QCOMPARE(about->palette().color(QPalette::Window), QColor(132, 171, 227));
        const QPoint centre = about->screen()->geometry().center();
        QVERIFY(qAbs(about->frameGeometry().center().x() - centre.x()) <= 1);
        QVERIFY(qAbs(about->frameGeometry().center().y() - centre.y()) <= 1);

        if (what.startsWith(QLatin1String("ABOUT")))
            QVERIFY(click(about->cmdBar(), what));
        else
            QTest::mouseClick(label(qPrintable(what)), Qt::LeftButton);
        const QUrl expected = target.isEmpty()       ? QUrl()
                              : target.contains(':') ? QUrl(target)
                                                     : QUrl::fromLocalFile(app.dir.file(target));
        QCOMPARE(app.desktop.opened, expected.isEmpty() ? QList<QUrl>() : QList<QUrl>{expected});
        if (!closes) {
            QVERIFY(about->isVisible());
            QVERIFY(click(about->cmdBar(), QStringLiteral("ABOUTOK")));
        }
        QVERIFY(gone(guard));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(app.desktop.opened.size(), expected.isEmpty() ? 0 : 1);
    }
};

QUORVINK_TEST_MAIN(TestSmallWindows)
#include "test_smallwindows.moc"
