#include "commandbar/commandbarcontrol.h"
#include "core/twips.h"
#include "testguard.h"
#include "windows/linkstrip.h"
#include "windowset.h"

#include "unittestmain.h"

#include <QInputDialog>
#include <QLabel>
#include <QToolButton>

// Every text of the link-table window, the entry editor and the small windows shows whole at the
// windows' default sizes, in each shipped language: no label, tab or button is cut off.
class TestWindowLayout : public QObject {
    Q_OBJECT

    // The texts of a window's labels and buttons that do not fit where they are shown.
    static QStringList cutTexts(const QWidget* window)
    {
        QStringList cut;
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        for (const QLabel* label : labels) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->contentsRect().width()) <=
                                        label->contentsRect().height()
                                  : label->fontMetrics().horizontalAdvance(label->text()) <=
                                        label->contentsRect().width();
            if (!fits)
                cut << label->objectName() + QStringLiteral(": ") + label->text();
        }
        const QList<QToolButton*> buttons = window->findChildren<QToolButton*>();
        for (const QToolButton* button : buttons) {
            if (button->isVisible() && !button->text().isEmpty() &&
                button->width() < button->sizeHint().width())
                cut << button->objectName() + QStringLiteral(": ") + button->text();
        }
        return cut;
    }

    static QStringList cutTabs(const frmTab& tables)
    {
        QStringList cut;
        for (int s = 0; s < frmTab::kStrips; ++s) {
            for (int t = 0; t < frmTab::kTabsPerStrip; ++t) {
                if (!tables.TabF(s)->tabTextWhole(t))
                    cut << tables.TabF(s)->tabText(t);
            }
        }
        return cut;
    }

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void textsWhole_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"English", "Italiano", "Deutsch"})
            QTest::addRow("%s", language) << QString::fromLatin1(language);
    }
    void textsWhole()
    {
        QFETCH(QString, language);
        WindowSet set(language);
        QVERIFY(set.ok());
        set.showOwner();

        auto tables = set.linkTables();
        tables->show();
        QVERIFY(QTest::qWaitForWindowExposed(tables.get()));
        QCOMPARE(cutTabs(*tables), QStringList());
        QCOMPARE(cutTexts(tables.get()), QStringList());
        // At the design width the default titles give way to their numbers; none is cut.
        tables->resize(Twips::toPixels(frmTab::designSize().width()), tables->height());
        QCOMPARE(cutTabs(*tables), QStringList());

        auto editor = set.entryEditor(*tables);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QCOMPARE(cutTexts(editor.get()), QStringList());
        editor.reset();
        tables.reset();

        frmLang* lang = set.languageEditor();
        lang->show();
        QVERIFY(QTest::qWaitForWindowExposed(lang));
        QCOMPARE(cutTexts(lang), QStringList());
        lang->SAVE5();
        auto* prompt = lang->findChild<QInputDialog*>(QStringLiteral("NamePrompt"));
        QVERIFY(prompt);
        QVERIFY(QTest::qWaitForWindowExposed(prompt));
        QVERIFY(!prompt->labelText().isEmpty());
        QCOMPARE(cutTexts(prompt), QStringList());
        QVERIFY(prompt->width() > prompt->fontMetrics().horizontalAdvance(prompt->windowTitle()));
        prompt->reject();
        lang->hide();

        // The yes/no and About windows are dialogs: nothing to minimise or maximise.
        frmInput* input = set.inputWindow();
        auto about = set.about();
        for (QWidget* window : {static_cast<QWidget*>(input), static_cast<QWidget*>(about.get())}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(cutTexts(window), QStringList());
            QCOMPARE(window->windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowFlags());
        }
        QVERIFY(input->height() >= 2 * input->cmdBar()->height());
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestWindowLayout)
#include "test_windowlayout.moc"
