#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandpool.h"
#include "config/languagefile.h"
#include "config/settingsfile.h"
#include "core/twips.h"
#include "links/linktitles.h"
#include "testguard.h"
#include "windows/frmedit.h"
#include "windows/frmtab.h"
#include "windows/linkgridview.h"
#include "windows/linkstrip.h"
#include "windows/movehandle.h"

#include "recordingdesktop.h"
#include "tempprogramdir.h"
#include "unittestmain.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

// The link-table window and the entry editor, driven as a user drives them: clicks on tabs, grid
// cells and bar buttons, keys in the title box, on real table files.
class TestFrmTab : public QObject {
    Q_OBJECT

    // The run's pool, with the entries the main window creates for these windows.
    CommandPool pool;
    CaptionTable captions;
    std::unique_ptr<TempProgramDir> dir;
    ProgramDir programDir;
    RecordingDesktop desktop;
    LinkTitles titles;
    IniSettings ini;
    std::unique_ptr<frmTab> w;
    // Checks every change of the entries' model as the views see it (rows, cells, headers).
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    LinkWindowsSetup setup()
    {
        return {programDir, desktop,       captions,       pool,
                titles,     ini.linkTable, ini.linkEditor, QStringLiteral("Eng")};
    }

    frmTab& open(const ShownPage& page = {})
    {
        modelTester.reset();
        w = std::make_unique<frmTab>(setup(), page);
        modelTester = std::make_unique<QAbstractItemModelTester>(
            &w->table().grid(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        w->show();
        return *w;
    }

    // A table file and its count; entries are "title;url;hidden", the other fields made up.
    void writeTable(int table, const QStringList& entries)
    {
        QByteArray bytes;
        for (const QString& entry : entries) {
            const QStringList f = entry.split(QLatin1Char(';'));
            bytes += (f[0] + ";-;" + f[1] + ";-;x;-;" + f.value(2) + ";-;note;-;2024-01-01\r\n")
                         .toUtf8();
        }
        QVERIFY(dir->write(QStringLiteral("Links/Links.%1").arg(table, 3, 10, QLatin1Char('0')),
                           bytes));
        titles.setEntryCount(table + 1, static_cast<int>(entries.size()));
    }

    QStringList fileTitles(int table) const
    {
        QStringList result;
        const QString text = QString::fromUtf8(
            dir->read(QStringLiteral("Links/Links.%1").arg(table, 3, 10, QLatin1Char('0'))));
        for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            result << line.section(QStringLiteral(";-;"), 0, 0) + QLatin1Char('/') +
                          line.section(QStringLiteral(";-;"), 3, 3);
        return result;
    }

    void click(const QString& key) { QTest::mouseClick(button(key), Qt::LeftButton); }
    QToolButton* button(const QString& key) const
    {
        QToolButton* found = w->cmdBar(0)->button(key);
        return found ? found : w->cmdBar(1)->button(key);
    }
    QPoint cellCenter(int row, int column) const
    {
        return w->GridList()->visualRect(w->table().grid().index(row - 1, column)).center();
    }
    void clickCell(int row, int column)
    {
        QTest::mouseClick(w->GridList()->viewport(), Qt::LeftButton, {}, cellCenter(row, column));
    }
    void clickTab(int strip, int tab)
    {
        QTest::mouseClick(w->TabF(strip), Qt::LeftButton, {},
                          w->TabF(strip)->tabRect(tab).center());
    }

    // Runs act on the entry editor from inside its modal loop, once it is shown.
    void whenEditorOpens(std::function<void(frmEDit&)> act)
    {
        auto* poll = new QTimer(w.get());
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, poll, [this, poll, act] {
            if (w->editor() && w->editor()->isVisible()) {
                poll->deleteLater();
                act(*w->editor());
            }
        });
        poll->start();
    }

private slots:
    void initTestCase()
    {
        LanguageSettings settings;
        QVERIFY(LanguageFile::read(
                    QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages/Quorvink_English.txt"),
                    captions, settings)
                    .ok);
        for (const char* key : {"EXIT5", "EXIT6", "ADDURL", "EDITURL", "GOURL", "SORT", "SAVE2",
                                "HELP2", "TITLE", "CANCEL", "SAVE3"})
            pool.add(QLatin1String(key), 0);
        for (const char* key : {"SEP1", "SEP4", "SEP5", "SEP7", "SEP10"})
            pool.add(QLatin1String(key), -1, QString(), EntryStyle::Separator);
    }

    void init()
    {
        TestGuard::failOnWarnings();
        modelTester.reset();
        w.reset();
        dir = std::make_unique<TempProgramDir>(false);
        programDir = dir->programDir();
        titles = LinkTitles();
        titles.applyDefaultTitles(QStringLiteral("Group"));
        desktop.opened.clear();
        desktop.messages.clear();
    }

    void opensOnTableZero()
    {
        writeTable(0, {"Zero;http://z/;"});
        open();
        QCOMPARE(w->TabF(0)->selectedTab(), 0);
        for (int s = 1; s < frmTab::kStrips; ++s)
            QCOMPARE(w->TabF(s)->selectedTab(), -1);
        QCOMPARE(w->TabF(6)->tabText(14), QStringLiteral("Group 105"));
        QCOMPARE(w->table().grid().cell(1, 1), QStringLiteral("Zero"));
        QCOMPARE(w->Label1()->text(), captions.text(33));
        // Every control a screen reader reaches has a name.
        QCOMPARE(w->TabF(3)->accessibleName(), QStringLiteral("Tables 46 to 60"));
        QVERIFY(!w->GridList()->accessibleName().isEmpty());
        QVERIFY(!w->Text1()->accessibleName().isEmpty());
        QCOMPARE(button("ADDURL")->accessibleName(), captions.text(75));
        // The bars are built once per run.
        const qsizetype bars = pool.bars().size();
        open();
        QCOMPARE(pool.bars().size(), bars);
        QCOMPARE(pool.bar(QStringLiteral("TAB0"))->count(), 12);
    }

    void stripThreeShowsItsTable()
    {
        writeTable(49, {"Forty-nine;http://49/;"});
        open();
        clickTab(3, 4);
        QCOMPARE(w->TabF(0)->selectedTab(), -1);
        QCOMPARE(w->TabF(3)->selectedTab(), 4);
        QCOMPARE(w->Cur_Strip(), 3);
        QCOMPARE(w->table().Cur_Table(), 49);
        QCOMPARE(w->table().grid().cell(1, 1), QStringLiteral("Forty-nine"));
        // The arrow keys choose the next tab as a click does.
        QTest::keyClick(w->TabF(3), Qt::Key_Right);
        QCOMPARE(w->table().Cur_Table(), 50);
        QCOMPARE(w->TabF(3)->selectedTab(), 5);
    }

    void addUrl_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("note");

        QTest::addRow("short address") << "Page"
                                       << "http://a.example/"
                                       << "http://a.example/";
        const QString longer = QStringLiteral("http://a.example/") + QString(133, u'q');
        QTest::addRow("150 characters") << "Page" << longer << longer.left(100) + "..";
        QTest::addRow("no page title") << ""
                                       << "http://a.example/"
                                       << "";
    }

    void addUrl()
    {
        QFETCH(QString, title);
        QFETCH(QString, address);
        QFETCH(QString, note);
        open({title, address + QStringLiteral("#cur"), address, QStringLiteral("2024-05-06")});
        click(QStringLiteral("ADDURL"));
        click(QStringLiteral("ADDURL"));
        const QString text = QString::fromUtf8(dir->read(QStringLiteral("Links/Links.000")));
        QVERIFY(QFileInfo::exists(dir->file(QStringLiteral("Links/Links.000"))));
        if (title.isEmpty()) {
            QVERIFY(text.isEmpty());
            return;
        }
        QCOMPARE(text, title + ";-;" + address + "#cur;-;;-;;-;" + note + ";-;2024-05-06\r\n");
        QCOMPARE(w->table().Entry_Count(), 1);
    }

    // "SORT" orders the rows without regard to letter case and keeps every one of a table longer
    // than the rows shown; the file stays as it was.
    void sortShowsWithoutSaving()
    {
        QStringList entries;
        for (int i = 0; i < 40; ++i)
            entries << QStringLiteral("%1 %2;http://%3/;")
                           .arg(QLatin1String(i % 2 ? "apple" : "Apple"))
                           .arg(39 - i, 2, 10, QLatin1Char('0'))
                           .arg(i);
        writeTable(0, entries);
        const QByteArray before = dir->read(QStringLiteral("Links/Links.000"));
        open();
        QVERIFY(w->table().Rows_Shown() < 40);
        clickCell(3, 3); // not a column to sort by: the title is taken
        click(QStringLiteral("SORT"));
        const LinkGrid& grid = w->table().grid();
        QCOMPARE(grid.Rows(), 41);
        for (int r = 1; r <= 40; ++r) {
            QCOMPARE(grid.cell(r, 0), QString::number(r));
            QCOMPARE(grid.cell(r, 1).right(2),
                     QStringLiteral("%1").arg(r - 1, 2, 10, QLatin1Char('0')));
        }
        QCOMPARE(dir->read(QStringLiteral("Links/Links.000")), before);
    }

    // The address is never shown, yet its order is reached by mouse and by keyboard: "SORT" or a
    // click on the title's header sorts by title, the next one by address, then by title again.
    // Each row keeps its concealed value, and the title's header tells the address's order.
    void sortByAddress_data()
    {
        QTest::addColumn<bool>("byHeader");
        QTest::addRow("SORT by keyboard") << false;
        QTest::addRow("title header by mouse") << true;
    }
    void sortByAddress()
    {
        QFETCH(bool, byHeader);
        writeTable(0, {"b;http://Z.test/;zz", "A;http://y.test/;yy", "c;http://x.test/;"});
        open();
        const LinkGrid& grid = w->table().grid();
        QHeaderView* header = w->GridList()->horizontalHeader();
        const auto sort = [&] {
            if (byHeader) {
                QTest::mouseClick(
                    header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
            } else {
                button(QStringLiteral("SORT"))->setFocus();
                QTest::keyClick(button(QStringLiteral("SORT")), Qt::Key_Space);
            }
        };
        const auto column = [&grid](int c) {
            return QStringList{grid.cell(1, c), grid.cell(2, c), grid.cell(3, c)};
        };
        sort();
        QCOMPARE(column(1), QStringList({"A", "b", "c"}));
        QCOMPARE(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Title"));
        sort();
        QCOMPARE(column(2), QStringList({"http://x.test/", "http://y.test/", "http://Z.test/"}));
        QCOMPARE(column(0), QStringList({"1", "2", "3"}));
        QCOMPARE((QStringList{grid.hiddenText(1), grid.hiddenText(2), grid.hiddenText(3)}),
                 QStringList({"", "yy", "zz"}));
        QVERIFY(grid.headerData(1, Qt::Horizontal).toString().contains(QLatin1String("address")));
        sort();
        QCOMPARE(column(1), QStringList({"A", "b", "c"}));
        QCOMPARE(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Title"));
        QVERIFY(button(QStringLiteral("SORT"))->toolTip().contains(QLatin1String("address")));
    }

    void revealSequence()
    {
        writeTable(0, {"A;http://a/;", "B;http://b/;two", "C;http://c/;three"});
        writeTable(1, {"D;http://d/;four", "E;http://e/;five"});
        open();
        const LinkGrid& grid = w->table().grid();
        const QString masked = QStringLiteral("********");
        clickCell(2, 4);
        QCOMPARE(grid.cell(2, 4), QStringLiteral("two"));
        clickCell(2, 4);
        QCOMPARE(grid.cell(2, 4), masked);
        clickCell(2, 4);
        clickCell(3, 4);
        QCOMPARE(grid.cell(2, 4), masked);
        QCOMPARE(grid.cell(3, 4), QStringLiteral("three"));
        clickCell(1, 4); // no concealed value
        QCOMPARE(grid.cell(1, 4), QString());
        QCOMPARE(grid.cell(3, 4), QStringLiteral("three"));
        // Sorting conceals the value shown: its row may move.
        click(QStringLiteral("SORT"));
        QCOMPARE(grid.cell(3, 4), masked);
        QCOMPARE(w->table().Reveal_Row(), 0);

        clickTab(0, 1);
        clickCell(2, 4);
        QCOMPARE(grid.cell(1, 4), masked);
        QCOMPARE(grid.cell(3, 4), QString());
        QCOMPARE(grid.cell(2, 4), QStringLiteral("five"));
        // Space on a concealed cell acts as a click.
        QTest::keyClick(w->GridList(), Qt::Key_Space);
        QCOMPARE(grid.cell(2, 4), masked);
    }

    void titleBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter"); // Enter, else "TITLE" again
        QTest::addColumn<QString>("title");

        QTest::addRow("typed and Enter") << "News" << true << "News";
        QTest::addRow("TITLE twice") << "News" << false << "Group 1";
        QTest::addRow("Enter on an empty box") << "" << true << "";
        QTest::addRow("a comma") << "Shops, local" << true << "Shops\u201A local";
    }

    void titleBox()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, title);
        open();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        click(QStringLiteral("TITLE"));
        QVERIFY(w->Title_Edit() && w->Text1()->isVisible() && w->Text1()->hasFocus());
        QTest::keyClicks(w->Text1(), typed);
        if (enter)
            QTest::keyClick(w->Text1(), Qt::Key_Return);
        else
            click(QStringLiteral("TITLE"));
        QVERIFY(!w->Title_Edit() && !w->Text1()->isVisible());
        QCOMPARE(w->TabF(0)->tabText(0), title);
        QCOMPARE(titles.title(1), title);
        if (enter) {
            const QString file = QString::fromUtf8(dir->read(QStringLiteral("Links/Links.Bok")));
            QCOMPARE(file.section(QStringLiteral("\r\n"), 0, 0), title + QStringLiteral(","));
        }
        QVERIFY(w->isVisible()); // Enter in the box does not close the window
    }

    void editor_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("newTitle");
        QTest::addColumn<QString>("key"); // the editor's command, or Escape
        QTest::addColumn<QStringList>("stored");

        const QStringList all{"A/ha", "B/hb", "C/"};
        QTest::addRow("a new title sorts, the concealed value stays")
            << 1 << "D"
            << "SAVE3" << QStringList{"B/hb", "C/", "D/ha"};
        QTest::addRow("an empty title deletes") << 2 << ""
                                                << "SAVE3" << QStringList{"A/ha", "C/"};
        QTest::addRow("CANCEL deletes") << 2 << "B"
                                        << "CANCEL" << QStringList{"A/ha", "C/"};
        QTest::addRow("an empty row stores nothing") << 5 << "New"
                                                     << "SAVE3" << all;
        QTest::addRow("closed without a command") << 1 << "D"
                                                  << "Escape" << all;
    }

    void editor()
    {
        QFETCH(int, row);
        QFETCH(QString, newTitle);
        QFETCH(QString, key);
        QFETCH(QStringList, stored);
        writeTable(0, {"A;http://a/;ha", "B;http://b/;hb", "C;http://c/;"});
        open();
        clickCell(row, 1);
        QString shownHidden;
        whenEditorOpens([&](frmEDit& editor) {
            shownHidden = editor.Txt(4)->text();
            editor.Txt(1)->setText(newTitle);
            if (key == QLatin1String("Escape"))
                QTest::keyClick(editor.Txt(1), Qt::Key_Escape);
            else
                QTest::mouseClick(editor.cmdBar()->button(key), Qt::LeftButton);
        });
        click(QStringLiteral("EDITURL"));
        QVERIFY(!w->editor());
        QCOMPARE(shownHidden, row == 1   ? QStringLiteral("ha")
                              : row == 2 ? QStringLiteral("hb")
                                         : QString());
        QCOMPARE(fileTitles(0), stored);
        const int withHidden = static_cast<int>(stored.indexOf(QStringLiteral("D/ha")));
        if (withHidden >= 0)
            QCOMPARE(w->table().grid().cell(withHidden + 1, 4), QStringLiteral("********"));
    }

    // A value the table file cannot keep is refused with a message naming its field, and the
    // editor stays open for the user to change it; what is then saved comes back as typed.
    void editorRefusesWhatTheFileCannotKeep_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("changed"); // what the user then types
        QTest::newRow("Hidden: a PIN ending in ;-") << 4 << ";-pin;-"
                                                    << ";-pin;-x";
        QTest::newRow("Address: holding ;-;") << 2 << "http://a/?x;-;y"
                                              << "http://a/?x;y";
        QTest::newRow("Note: a line break") << 5 << "one\ntwo"
                                            << "one two";
    }
    void editorRefusesWhatTheFileCannotKeep()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, changed);
        writeTable(0, {"A;http://a/;ha"});
        open();
        clickCell(1, 1);
        bool stayedOpen = false;
        whenEditorOpens([&](frmEDit& editor) {
            editor.Txt(box)->setText(typed);
            QTest::mouseClick(editor.cmdBar()->button(QStringLiteral("SAVE3")), Qt::LeftButton);
            stayedOpen = editor.isVisible() && editor.focusWidget() == editor.Txt(box);
            editor.Txt(box)->setText(changed);
            QTest::mouseClick(editor.cmdBar()->button(QStringLiteral("SAVE3")), Qt::LeftButton);
            editor.GO_Exit(); // in case it was refused again
        });
        click(QStringLiteral("EDITURL"));
        QVERIFY(stayedOpen);
        QCOMPARE(desktop.messages.size(), 1);
        const QString field = QString::fromLatin1(QTest::currentDataTag()).section(':', 0, 0);
        QVERIFY2(desktop.messages[0].text.contains(field), qPrintable(desktop.messages[0].text));
        const QString line = QString::fromUtf8(dir->read(QStringLiteral("Links/Links.000")));
        QCOMPARE(line.section(QStringLiteral(";-;"), box - 1, box - 1).section('\r', 0, 0),
                 changed);
    }

    void gridActivation_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("edits");

        QTest::addRow("double-click on the title") << 1 << false << "http://b/" << false;
        QTest::addRow("double-click on the note") << 5 << false << "http://b/" << false;
        QTest::addRow("Enter on the title") << 1 << true << "http://b/" << false;
        QTest::addRow("double-click on the extra text") << 3 << false << "" << false;
        QTest::addRow("double-click on the position") << 0 << false << "" << true;
        QTest::addRow("Enter on the position") << 0 << true << "" << true;
    }

    void gridActivation()
    {
        QFETCH(int, column);
        QFETCH(bool, enter);
        QFETCH(QString, picked);
        QFETCH(bool, edits);
        writeTable(0, {"A;http://a/;", "B;http://b/;"});
        open();
        bool edited = false;
        whenEditorOpens([&](frmEDit& editor) {
            edited = editor.Txt(1)->text() == QLatin1String("B");
            editor.GO_Exit();
        });
        clickCell(2, column);
        if (enter)
            QTest::keyClick(w->GridList(), Qt::Key_Return);
        else
            QTest::mouseDClick(w->GridList()->viewport(), Qt::LeftButton, {},
                               cellCenter(2, column));
        QCOMPARE(w->Picked_URL(), picked);
        QCOMPARE(w->isVisible(), picked.isEmpty());
        QCOMPARE(edited, edits);
    }

    // Both windows open where the user left them; the link-table window is moved by its handle.
    void rememberedPlaces()
    {
        writeTable(0, {"A;http://a/;"});
        open();
        QVERIFY(ini.linkTable.isPlaced());
        QCOMPARE(ini.linkTable.width, 16200.0);
        const QPoint start = w->pos();
        MoveHandle* handle = w->lblMove();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(handle, QPoint(45, 25));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(45, 25));
        QCOMPARE(w->pos(), start + QPoint(40, 20));

        whenEditorOpens([](frmEDit& editor) {
            editor.move(editor.pos() + QPoint(17, 9));
            editor.close();
        });
        click(QStringLiteral("EDITURL"));
        const WindowPlace editorPlace = ini.linkEditor;
        QPoint reopened;
        whenEditorOpens([&reopened](frmEDit& editor) {
            reopened = editor.pos();
            editor.close();
        });
        click(QStringLiteral("EDITURL"));
        QCOMPARE(reopened,
                 QPoint(Twips::toPixels(editorPlace.left), Twips::toPixels(editorPlace.top)));

        click(QStringLiteral("EXIT6"));
        QVERIFY(!w->isVisible());
        QCOMPARE(ini.linkTable.left, Twips::fromPixels(start.x() + 40));
        open();
        QCOMPARE(w->pos(), start + QPoint(40, 20));
    }

    void narrowWindowKeepsItsLayout()
    {
        open();
        w->resize(Twips::toPixels(frmTab::kLayoutWidthTwips) + 100, 600);
        QTRY_COMPARE(w->width(), Twips::toPixels(frmTab::kLayoutWidthTwips) + 100);
        const QRect wide = w->GridList()->geometry();
        w->resize(Twips::toPixels(frmTab::kLayoutWidthTwips) - 50, 500);
        QTRY_COMPARE(w->height(), 500);
        QCOMPARE(w->GridList()->geometry(), wide);
        w->resize(Twips::toPixels(frmTab::kLayoutWidthTwips) + 200, 500);
        QTRY_COMPARE(w->GridList()->width(), wide.width() + 100);
    }

    void helpOpensTheGuide()
    {
        open();
        click(QStringLiteral("HELP2")); // not installed: nothing opens, and a message says so
        QVERIFY(desktop.opened.isEmpty());
        QCOMPARE(desktop.messages.size(), 1);
        QVERIFY(desktop.messages[0].text.contains(
            QDir::toNativeSeparators(dir->file(QStringLiteral("Data/OrvelGOTabEng.pdf")))));
        desktop.messages.clear();
        QVERIFY(dir->write(QStringLiteral("Data/OrvelGOTabEng.pdf"), "%PDF-1.4\n"));
        click(QStringLiteral("HELP2"));
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(
                                     dir->file(QStringLiteral("Data/OrvelGOTabEng.pdf")))});
        QVERIFY(desktop.messages.isEmpty());
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestFrmTab)
#include "test_frmtab.moc"
