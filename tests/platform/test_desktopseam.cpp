// The desktop seam: which program opens plain text (the freedesktop.org lists and desktop
// entries, read without a shell), the program's own text window where there is none, the
// message when nothing opens a file or address, and the folder of the save dialogs.
#include "config/languagefile.h"
#include "platform/desktop.h"
#include "platform/desktopapps.h"
#include "platform/savefolder.h"
#include "platform/textwindow.h"
#include "recordingdesktop.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestDesktopSeam : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString at(const QString& relative) const { return tmp.filePath(relative); }
    DesktopApps::Folders folders() const
    {
        return {{at(QStringLiteral("config-home")), at(QStringLiteral("config-system"))},
                {at(QStringLiteral("data-home")), at(QStringLiteral("data-system"))}};
    }
    void entry(const QString& id, const QByteArray& exec = "reader %f")
    {
        QVERIFY(writeFile(at(QStringLiteral("data-system/applications/") + id),
                          "[Desktop Entry]\nType=Application\nName=R\nExec=" + exec + "\n"));
    }

private slots:
    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(QDir(tmp.path()).removeRecursively());
        QVERIFY(QDir().mkpath(tmp.path()));
    }

    // The user's choice wins over the system's, a listed entry that is not installed is passed
    // over, and without any choice the installed applications' cache answers.
    void defaultProgramForText_data()
    {
        QTest::addColumn<QStringList>("files"); // path=content
        QTest::addColumn<QString>("expected");  // the entry found, relative, or empty
        const QString lists = QStringLiteral("[Default Applications]\ntext/plain=");
        QTest::newRow("user over system")
            << QStringList{QStringLiteral("config-home/mimeapps.list=") + lists + "mine.desktop",
                           QStringLiteral("config-system/mimeapps.list=") + lists +
                               "theirs.desktop"}
            << QStringLiteral("data-system/applications/mine.desktop");
        QTest::newRow("missing entry passed over")
            << QStringList{QStringLiteral("config-home/mimeapps.list=") + lists +
                           "gone.desktop;theirs.desktop;"}
            << QStringLiteral("data-system/applications/theirs.desktop");
        QTest::newRow("other type only")
            << QStringList{QStringLiteral("config-home/mimeapps.list=[Default Applications]\n"
                                          "text/html=mine.desktop")}
            << QString();
        QTest::newRow("cache") << QStringList{QStringLiteral(
                                      "data-system/applications/mimeinfo.cache=[MIME Cache]\n"
                                      "text/plain=theirs.desktop;mine.desktop;")}
                               << QStringLiteral("data-system/applications/theirs.desktop");
    }
    void defaultProgramForText()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        entry(QStringLiteral("mine.desktop"));
        entry(QStringLiteral("theirs.desktop"));
        for (const QString& file : files)
            QVERIFY(writeFile(at(file.section(QLatin1Char('='), 0, 0)),
                              file.section(QLatin1Char('='), 1).toUtf8()));
        QCOMPARE(DesktopApps::defaultEntry(QStringLiteral("text/plain"), folders()),
                 expected.isEmpty() ? QString() : at(expected));
    }

    // Exec lines become a program and its arguments; a file name is one argument whatever it
    // holds, and nothing of it is ever read by a shell.
    void execLines_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("words");
        const QString hostile = QStringLiteral("/tmp/a b;$(touch x) `id` \"q\".txt");
        QTest::newRow("path") << "gedit %F"
                              << "/tmp/Doc.Txt" << QStringList{"gedit", "/tmp/Doc.Txt"};
        QTest::newRow("address") << "kate -b %U"
                                 << "/tmp/a b.txt"
                                 << QStringList{"kate", "-b", "file:///tmp/a%20b.txt"};
        QTest::newRow("quoted") << "\"/opt/my editor/run\" --title \"say \\\"hi\\\"\" %f"
                                << "/f"
                                << QStringList{"/opt/my editor/run", "--title", "say \"hi\"", "/f"};
        QTest::newRow("dropped codes") << "viewer %i %c %k --x=100%% %f"
                                       << "/f" << QStringList{"viewer", "--x=100%", "/f"};
        QTest::newRow("hostile name") << "viewer %f" << hostile << QStringList{"viewer", hostile};
    }
    void execLines()
    {
        QFETCH(QString, exec);
        QFETCH(QString, file);
        QFETCH(QStringList, words);
        QCOMPARE(DesktopApps::splitExec(exec, file), words);
    }

    // An entry without a file code gets the file last; one that needs a terminal or is hidden
    // is not used.
    void entryCommands()
    {
        entry(QStringLiteral("plain.desktop"), "reader --new");
        const auto plain = DesktopApps::command(
            at(QStringLiteral("data-system/applications/plain.desktop")), QStringLiteral("/f"));
        QVERIFY(plain);
        QCOMPARE(plain->program, QStringLiteral("reader"));
        QCOMPARE(plain->arguments, (QStringList{QStringLiteral("--new"), QStringLiteral("/f")}));
        for (const char* extra : {"Terminal=true", "Hidden=true"}) {
            QVERIFY(writeFile(at(QStringLiteral("data/applications/t.desktop")),
                              QByteArray("[Desktop Entry]\nExec=vi %f\n") + extra + "\n"));
            QVERIFY(!DesktopApps::command(at(QStringLiteral("data/applications/t.desktop")),
                                          QStringLiteral("/f")));
        }
    }

    // Without a program for plain text the file shows in a read-only window of the program's
    // own, as text: markup stays markup.
    void ownTextWindow()
    {
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(name, tmp.path().toUtf8());
        const QString file = at(QStringLiteral("Doc.Txt"));
        const QByteArray markup = "<html><script>alert(1)</script><b>caf\xc3\xa9</b></html>";
        QVERIFY(writeFile(file, markup));
        Desktop desktop;
        QVERIFY(desktop.openText(nullptr, file, QStringLiteral("Doc.Txt (read only)")));
        TextWindow* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<TextWindow*>(w);
        QVERIFY(window);
        QVERIFY(window->isVisible() && window->editor()->isReadOnly());
        QCOMPARE(window->windowTitle(), QStringLiteral("Doc.Txt (read only)"));
        QCOMPARE(window->editor()->toPlainText(), QString::fromUtf8(markup));
        window->close();
        QVERIFY(!desktop.openText(nullptr, at(QStringLiteral("none.txt")), QString()));
    }

    // A file or address that nothing opens is named in a message with what would open it; a
    // file that is not there is not handed over at all.
    void failedOpensSaySo_data()
    {
        QTest::addColumn<QString>("target"); // relative file, or an address
        QTest::addColumn<bool>("openerAnswers");
        QTest::addColumn<QStringList>("messageHolds"); // empty: no message
        QTest::newRow("opened") << "MailsList.txt" << true << QStringList();
        QTest::newRow("no opener, file")
            << "MailsList.txt" << false << QStringList{"MailsList.txt", "xdg-open"};
        QTest::newRow("no opener, address")
            << "mailto:someone@example.org" << false
            << QStringList{"mailto:someone@example.org", "xdg-open"};
        QTest::newRow("missing file") << "Data/OrvelGOTabEng.pdf" << true
                                      << QStringList{"OrvelGOTabEng.pdf", "does not exist"};
        QTest::newRow("empty address") << "" << false << QStringList();
    }
    void failedOpensSaySo()
    {
        QFETCH(QString, target);
        QFETCH(bool, openerAnswers);
        QFETCH(QStringList, messageHolds);
        QVERIFY(writeFile(at(QStringLiteral("MailsList.txt")), "a@example.org\r\n"));
        const QUrl url = target.isEmpty() || target.contains(QLatin1Char(':'))
                             ? QUrl(target)
                             : QUrl::fromLocalFile(at(target));
        RecordingDesktop desktop;
        desktop.openAnswer = openerAnswers;
        const CaptionTable captions;
        QCOMPARE(desktop.openOrReport(nullptr, url, captions),
                 messageHolds.isEmpty() && !target.isEmpty());
        QCOMPARE(desktop.opened.size(),
                 target.isEmpty() || target.startsWith(QLatin1String("Data")) ? 0 : 1);
        QCOMPARE(desktop.messages.size(), messageHolds.isEmpty() ? 0 : 1);
        for (const QString& part : messageHolds)
            QVERIFY2(desktop.messages[0].text.contains(part), qPrintable(desktop.messages[0].text));
    }

    // The real opener is watched to its end: when it finds no program for the target (it exits
    // with 3 or 4), the user is told once, by name; when it succeeds, nothing is said.
    void openerThatFindsNoProgram()
    {
        struct WatchedDesktop : Desktop {
            QString opener;
            QStringList texts;
            QString findProgram(const QString& name) override
            {
                return name == Desktop::opener() ? opener : QString();
            }
            void message(QWidget*, const QString&, const QString& text) override { texts << text; }
        } desktop;
        // The opener logs its process and argument, and exits with the code of the file "code".
        desktop.opener = at(QStringLiteral("xdg-open"));
        QVERIFY(writeFile(desktop.opener,
                          "#!/bin/sh\necho \"$$ $1\" >> \"$0.log\"\nexit $(cat \"$0.code\")\n"));
        QVERIFY(QFile::setPermissions(desktop.opener, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(writeFile(at(QStringLiteral("MailsList.txt")), "a@example.org\r\n"));
        const CaptionTable captions;
        const auto open = [&](const QUrl& url, const QByteArray& code) {
            QVERIFY(writeFile(desktop.opener + QStringLiteral(".code"), code));
            QVERIFY(desktop.openOrReport(nullptr, url, captions));
        };
        const auto logged = [&] {
            QFile log(desktop.opener + QStringLiteral(".log"));
            return log.open(QIODevice::ReadOnly)
                       ? QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts)
                       : QStringList();
        };

        // A file opened: the opener ends well and is gone before the next one starts.
        const QUrl list = QUrl::fromLocalFile(at(QStringLiteral("MailsList.txt")));
        open(list, "0");
        QTRY_COMPARE(logged().size(), 1);
        const QString pid = logged()[0].section(u' ', 0, 0);
        QCOMPARE(logged()[0].section(u' ', 1), list.toLocalFile());
        QTRY_VERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + pid));
        // The same file, no method for it; then an address whose action failed: one message
        // each, naming it, and none for the first.
        open(list, "3");
        QTRY_COMPARE(desktop.texts.size(), 1);
        QVERIFY2(desktop.texts[0].contains(QLatin1String("MailsList.txt")) &&
                     desktop.texts[0].contains(QLatin1String("no program")),
                 qPrintable(desktop.texts[0]));
        const QUrl address(QStringLiteral("https://example.org/a?b=c"));
        open(address, "4");
        QTRY_COMPARE(desktop.texts.size(), 2);
        QVERIFY2(desktop.texts[1].contains(address.toString()), qPrintable(desktop.texts[1]));
        QCOMPARE(logged().value(2).section(u' ', 1), address.toString());
    }

    // The first dialog opens in the documents folder, later ones where the last file went, also
    // in the next run; a folder that has gone gives the documents folder again.
    void saveFolder()
    {
        QString kept;
        const auto keep = [&kept](const QString& folder) { kept = folder; };
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString start = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        const QString chosen = at(QStringLiteral("exports"));
        QVERIFY(QDir().mkpath(chosen));
        {
            SaveFolder folder(kept, keep);
            QCOMPARE(folder.proposal(QStringLiteral("Page.doc")),
                     QDir(start).filePath(QStringLiteral("Page.doc")));
            QCOMPARE(folder.proposal(QStringLiteral("/elsewhere/Page.doc")),
                     QStringLiteral("/elsewhere/Page.doc"));
            folder.remember(chosen + QStringLiteral("/Page.doc"));
            QCOMPARE(folder.proposal(QStringLiteral("Next.pdf")),
                     chosen + QStringLiteral("/Next.pdf"));
        }
        QCOMPARE(kept, chosen);
        QCOMPARE(SaveFolder(kept).folder(), chosen);
        QVERIFY(QDir(chosen).removeRecursively());
        QCOMPARE(SaveFolder(kept).folder(), start);
    }

    // The desktop's save dialog itself opens in that folder and remembers the one chosen.
    // A message or question naming what a page chose shows its text as it stands; Enter answers
    // a question No.
    void messagesArePlainText_data()
    {
        QTest::addColumn<bool>("question"); // answered with Enter: No
        QTest::addRow("message") << false;
        QTest::addRow("question") << true;
    }
    void messagesArePlainText()
    {
        QFETCH(bool, question);
        const QString text = QStringLiteral("The download of <img src='x'><b>x</b>.zip failed");
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box->textFormat() == Qt::PlainText)
                shown = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        Desktop desktop;
        if (question)
            QVERIFY(!desktop.askYesNo(nullptr, QStringLiteral("title"), text));
        else
            desktop.message(nullptr, QStringLiteral("title"), text);
        QCOMPARE(shown, text);
    }

    void saveDialogOpensInTheFolder()
    {
        const QString chosen = at(QStringLiteral("chosen"));
        QVERIFY(QDir().mkpath(chosen));
        Desktop desktop;
        QStringList shownIn;
        QList<bool> asksBeforeReplacing;
        const auto answer = [&](const QString& file) {
            QTimer::singleShot(0, [&shownIn, &asksBeforeReplacing, file] {
                QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                shownIn << dialog->directory().absolutePath();
                asksBeforeReplacing << !dialog->testOption(QFileDialog::DontConfirmOverwrite);
                dialog->selectFile(file);
                QMetaObject::invokeMethod(dialog, "accept");
            });
        };
        answer(chosen + QStringLiteral("/Page.doc"));
        QCOMPARE(desktop.askSaveFile(nullptr, QStringLiteral("Save"),
                                     QStringLiteral("Word (*.doc)"), QStringLiteral("Page.doc")),
                 std::optional<QString>(chosen + QStringLiteral("/Page.doc")));
        answer(chosen + QStringLiteral("/Page.pdf"));
        QVERIFY(desktop.askSaveFile(nullptr, QStringLiteral("Save"), QStringLiteral("PDF (*.pdf)"),
                                    QStringLiteral("Page.pdf")));
        // A dialog with a folder of its own, adding to the file chosen: the dialog does not ask
        // before replacing, and the folder of the next dialog stays.
        const QString own = at(QStringLiteral("own"));
        QVERIFY(QDir().mkpath(own));
        answer(own + QStringLiteral("/Slides.ppt"));
        QVERIFY(desktop.askSaveFile(nullptr, QStringLiteral("Save"), QStringLiteral("PPT (*.ppt)"),
                                    own + QStringLiteral("/Slides.ppt"), nullptr,
                                    {.confirmReplace = false, .rememberFolder = false}));
        QCOMPARE(shownIn.size(), 3);
        QCOMPARE(shownIn[0], QDir(SaveFolder().folder()).absolutePath());
        QCOMPARE(shownIn[1], chosen);
        QCOMPARE(shownIn[2], own);
        QCOMPARE(asksBeforeReplacing, QList<bool>({true, true, false}));
        QCOMPARE(desktop.saveFolder().folder(), chosen);
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestDesktopSeam)
#include "test_desktopseam.moc"
