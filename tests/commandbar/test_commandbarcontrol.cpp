#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "commands/setcaptions.h"
#include "config/languagefile.h"
#include "tempprogramdir.h"
#include "testguard.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

// The command-bar control driven like the user does: clicks on its buttons and in its menus.
class TestCommandBarControl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void toolbarShowsTheBar_data();
    void toolbarShowsTheBar();
    void clickReportsControlAndEntry_data();
    void clickReportsControlAndEntry();
    void menuActivationComesFromTheMenuControl();
    void menuShowsTheDropDownBar();
    void withoutHookTheControlReportsMenus();
    void checkEntryToggledBeforeActivation();
    void optionMarksOneOfItsBar();
    void disabledEntryCannotBeActivated();
    void entriesUpdateLive();
    void nestedDropDownIsASubmenu();
    void barContentFollowsAppends();
    void panelHostsTheTabStrip();
    void panelGoesBackWhenTheBarIsDestroyed();
    void fourStylesLookDifferent();

private:
    CommandBarControl* addControl(int number, const QString& bar);
    // Runs action on the first menu that pops up while the next blocking call runs.
    static void whenMenuShows(std::function<void(QMenu*)> action);
    static void clickAction(QMenu* menu, const QString& key);
    static QAction* actionOf(QMenu* menu, const QString& key);

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<ImageList> m_images;
    std::unique_ptr<CommandPool> m_pool;
    std::unique_ptr<QWidget> m_window;
    QTabBar* m_tab = nullptr;
    QStringList m_langList;
};

void TestCommandBarControl::init()
{
    TestGuard::failOnWarnings();
    m_dir = std::make_unique<TempProgramDir>(true);
    m_images = std::make_unique<ImageList>();
    m_pool = std::make_unique<CommandPool>();
    m_window = std::make_unique<QWidget>();
    m_window->resize(700, 200);
    new QVBoxLayout(m_window.get());
    m_tab = new QTabBar(m_window.get());
    m_tab->addTab(QStringLiteral("one"));
    m_tab->addTab(QStringLiteral("two"));
    m_langList.clear();
    Load_Buttons(*m_pool, *m_images, m_dir->programDir(), 2600, m_tab, m_langList);
    Load_Bars(*m_pool, m_langList);
    CaptionTable captions;
    for (int n = 1; n <= CaptionTable::kCapacity; ++n)
        captions.set(n, QStringLiteral("Text %1").arg(n));
    LanguageSettings settings;
    settings.searchDescr = QStringLiteral("Search the web");
    settings.dictionaryDescr = QStringLiteral("Dictionary");
    settings.mapDescr = QStringLiteral("Maps");
    settings.socialDescr = QStringLiteral("Social");
    settings.ecommerceDescr = QStringLiteral("Shop");
    Set_Captions(*m_pool, captions, settings, QStringLiteral("english"));
}

void TestCommandBarControl::cleanup()
{
    m_window.reset();
    m_pool.reset();
    m_images.reset();
    m_dir.reset();
}

CommandBarControl* TestCommandBarControl::addControl(int number, const QString& bar)
{
    auto* control = new CommandBarControl(number, m_window.get());
    control->setImageList(m_images.get());
    control->setBar(m_pool->bar(bar));
    m_window->layout()->addWidget(control);
    m_window->show();
    return control;
}

void TestCommandBarControl::whenMenuShows(std::function<void(QMenu*)> action)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, tries, poll] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu && menu->isVisible()) {
            action(menu);
            *poll = nullptr;
        } else if (++*tries < 200) {
            QTimer::singleShot(10, *poll);
        } else {
            *poll = nullptr;
        }
    };
    QTimer::singleShot(0, *poll);
}

QAction* TestCommandBarControl::actionOf(QMenu* menu, const QString& key)
{
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->objectName() == key)
            return action;
    }
    return nullptr;
}

void TestCommandBarControl::clickAction(QMenu* menu, const QString& key)
{
    QAction* action = actionOf(menu, key);
    if (!action) {
        menu->close();
        return;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    if (menu->isVisible())
        menu->close(); // a click that did nothing (disabled entry) leaves it open
}

void TestCommandBarControl::toolbarShowsTheBar_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addRow("STANDARD0") << "STANDARD0";
    QTest::addRow("STANDARD2") << "STANDARD2";
}

void TestCommandBarControl::toolbarShowsTheBar()
{
    QFETCH(QString, bar);
    CommandBarControl* control = addControl(0, bar);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    const QList<QAction*> actions = control->toolBar()->actions();
    const CommandBar* shown = m_pool->bar(bar);
    QCOMPARE(actions.size(), shown->count());
    for (int i = 0; i < shown->count(); ++i) {
        const CommandEntry* entry = shown->at(i);
        QAction* action = actions.at(i);
        if (entry->style() == EntryStyle::Separator) {
            QVERIFY(action->isSeparator());
            QCOMPARE(action->objectName(), entry->key());
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(control->toolBar()->widgetForAction(action));
        QVERIFY2(button, qPrintable(entry->key()));
        QCOMPARE(button->objectName(), entry->key());
        QCOMPARE(control->button(entry->key()), button);
        QVERIFY(!entry->tooltip().isEmpty());
        QCOMPARE(button->toolTip(), entry->tooltip());
        QCOMPARE(button->accessibleName(), entry->tooltip());
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->isVisible());
        QCOMPARE(button->menu() != nullptr, entry->dropDown() != nullptr);
    }
}

void TestCommandBarControl::clickReportsControlAndEntry_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("key");
    QTest::addRow("main toolbar BACK") << 0 << "STANDARD0"
                                       << "BACK";
    QTest::addRow("main toolbar KELDRANO") << 0 << "STANDARD0"
                                           << "KELDRANO";
    QTest::addRow("main toolbar EXIT0") << 0 << "STANDARD0"
                                        << "EXIT0";
    QTest::addRow("site toolbar GOOGLE") << 2 << "STANDARD2"
                                         << "GOOGLE";
    QTest::addRow("site toolbar EXIT2") << 2 << "STANDARD2"
                                        << "EXIT2";
}

void TestCommandBarControl::clickReportsControlAndEntry()
{
    QFETCH(int, number);
    QFETCH(QString, bar);
    QFETCH(QString, key);
    CommandBarControl* control = addControl(number, bar);
    int requests = 0;
    control->newInstanceRequest = [&requests](int) {
        ++requests;
        return nullptr;
    };
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy spy(control, &CommandBarControl::activated);
    QToolButton* button = control->button(key);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), number);
    QCOMPARE(spy.at(0).at(1).value<CommandEntry*>(), m_pool->entry(key));
    QCOMPARE(requests, 0); // a toolbar click needs no menu control
}

void TestCommandBarControl::menuActivationComesFromTheMenuControl()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QPointer<CommandBarControl> menuControl;
    QList<int> requesters;
    QStringList log;
    control->newInstanceRequest = [&](int requester) {
        requesters << requester;
        menuControl = new CommandBarControl(3, m_window.get());
        menuControl->hide();
        connect(menuControl, &CommandBarControl::activated, this, [&log](int n, CommandEntry* e) {
            log << QStringLiteral("activated %1 %2").arg(n).arg(e->key());
        });
        connect(menuControl, &CommandBarControl::menuPaused, this,
                [&log](int n) { log << QStringLiteral("paused %1").arg(n); });
        connect(menuControl, &CommandBarControl::menuResumed, this,
                [&log](int n) { log << QStringLiteral("resumed %1").arg(n); });
        return menuControl.data();
    };
    connect(control, &CommandBarControl::activated, this, [&log](int n, CommandEntry* e) {
        log << QStringLiteral("activated %1 %2").arg(n).arg(e->key());
    });
    connect(control, &CommandBarControl::menuPaused, this,
            [&log](int n) { log << QStringLiteral("paused %1").arg(n); });
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    whenMenuShows([](QMenu* menu) { clickAction(menu, QStringLiteral("SAVE:PDF")); });
    QTest::mouseClick(control->button(QStringLiteral("SAVE")), Qt::LeftButton);
    QTRY_COMPARE(log.size(), 3);
    whenMenuShows([](QMenu* menu) { clickAction(menu, QStringLiteral("EDIT:COPY")); });
    QTest::mouseClick(control->button(QStringLiteral("EDIT")), Qt::LeftButton);
    QTRY_COMPARE(log.size(), 6);

    QCOMPARE(requesters, QList<int>{0}); // asked once, by control 0
    QVERIFY(menuControl);
    QVERIFY(menuControl->isHidden());
    QVERIFY(!log.contains(QStringLiteral("paused 0")));
    QCOMPARE(log, QStringList({"paused 3", "resumed 3", "activated 3 SAVE:PDF", "paused 3",
                               "resumed 3", "activated 3 EDIT:COPY"}));

    // A menu closed without a choice pauses and resumes only.
    log.clear();
    whenMenuShows([](QMenu* menu) { menu->close(); });
    QTest::mouseClick(control->button(QStringLiteral("NAVIGATE")), Qt::LeftButton);
    QTRY_COMPARE(log, QStringList({"paused 3", "resumed 3"}));
}

void TestCommandBarControl::menuShowsTheDropDownBar()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QStringList keys;
    QStringList texts;
    QStringList checkable;
    bool separatorsOk = true;
    bool iconsOk = true;
    whenMenuShows([&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            keys << action->objectName();
            const CommandEntry* entry = m_pool->entry(action->objectName());
            separatorsOk &= action->isSeparator() == (entry->style() == EntryStyle::Separator);
            if (action->isSeparator())
                continue;
            texts << action->text();
            iconsOk &= !action->icon().isNull();
            if (action->isCheckable())
                checkable << action->objectName();
        }
        menu->close();
    });
    QTest::mouseClick(control->button(QStringLiteral("FILE")), Qt::LeftButton);
    QTRY_VERIFY(!keys.isEmpty());

    QStringList expected;
    QStringList captions;
    QStringList checkableExpected;
    for (const CommandEntry* entry : m_pool->bar(QStringLiteral("FILE"))->entries()) {
        expected << entry->key();
        if (entry->style() != EntryStyle::Separator)
            captions << entry->caption();
        if (entry->style() == EntryStyle::Check || entry->style() == EntryStyle::Option)
            checkableExpected << entry->key();
    }
    QCOMPARE(keys, expected);
    QCOMPARE(texts, captions);
    QVERIFY(separatorsOk);
    QVERIFY(iconsOk);
    // The check and option entries of the menu are checkable, and only they.
    QVERIFY(!checkableExpected.isEmpty());
    QCOMPARE(checkable, checkableExpected);
}

void TestCommandBarControl::withoutHookTheControlReportsMenus()
{
    CommandBarControl* control = addControl(2, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy activated(control, &CommandBarControl::activated);
    QSignalSpy paused(control, &CommandBarControl::menuPaused);
    QSignalSpy resumed(control, &CommandBarControl::menuResumed);
    whenMenuShows([](QMenu* menu) { clickAction(menu, QStringLiteral("LANG:ITALIANO")); });
    QTest::mouseClick(control->button(QStringLiteral("LANG")), Qt::LeftButton);
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 2);
    QCOMPARE(activated.at(0).at(1).value<CommandEntry*>(),
             m_pool->entry(QStringLiteral("LANG:ITALIANO")));
    QCOMPARE(paused.count(), 1);
    QCOMPARE(paused.at(0).at(0).toInt(), 2);
    QCOMPARE(resumed.count(), 1);
}

void TestCommandBarControl::checkEntryToggledBeforeActivation()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    CommandEntry* floating = m_pool->entry(QStringLiteral("FILE:FLOATING"));
    QList<bool> seen;
    connect(control, &CommandBarControl::activated, this,
            [&seen](int, CommandEntry* entry) { seen << entry->checked(); });
    bool actionMark = false;
    for (int round = 0; round < 2; ++round) {
        whenMenuShows([&actionMark](QMenu* menu) {
            clickAction(menu, QStringLiteral("FILE:FLOATING"));
            actionMark = actionOf(menu, QStringLiteral("FILE:FLOATING"))->isChecked();
        });
        QTest::mouseClick(control->button(QStringLiteral("FILE")), Qt::LeftButton);
        QTRY_COMPARE(seen.size(), round + 1);
        QCOMPARE(actionMark, floating->checked());
    }
    QCOMPARE(seen, QList<bool>({true, false}));
    QVERIFY(!floating->checked());

    // The mark set by the program shows in the menu.
    floating->setChecked(true);
    whenMenuShows([&actionMark](QMenu* menu) {
        actionMark = actionOf(menu, QStringLiteral("FILE:FLOATING"))->isChecked();
        menu->close();
    });
    actionMark = false;
    QTest::mouseClick(control->button(QStringLiteral("FILE")), Qt::LeftButton);
    QTRY_VERIFY(actionMark);
}

void TestCommandBarControl::optionMarksOneOfItsBar()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    CommandEntry* system = m_pool->entry(QStringLiteral("FILE:SYSTEM"));
    CommandEntry* xp = m_pool->entry(QStringLiteral("FILE:XP"));
    system->setChecked(true);
    QSignalSpy spy(control, &CommandBarControl::activated);
    QList<bool> marks;
    for (const char* key : {"FILE:XP", "FILE:XP"}) {
        whenMenuShows([key, &marks](QMenu* menu) {
            clickAction(menu, QLatin1String(key));
            marks << actionOf(menu, QStringLiteral("FILE:SYSTEM"))->isChecked()
                  << actionOf(menu, QLatin1String(key))->isChecked();
        });
        QTest::mouseClick(control->button(QStringLiteral("FILE")), Qt::LeftButton);
        QTRY_COMPARE(marks.size(), spy.count() * 2);
    }
    QCOMPARE(spy.count(), 2);
    // Choosing the marked option again keeps it marked.
    QCOMPARE(marks, QList<bool>({false, true, false, true}));
    QVERIFY(xp->checked());
    QVERIFY(!system->checked());
    QVERIFY(!m_pool->entry(QStringLiteral("FILE:FLOATING"))->checked());
}

void TestCommandBarControl::disabledEntryCannotBeActivated()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy spy(control, &CommandBarControl::activated);
    CommandEntry* favorite = m_pool->entry(QStringLiteral("FAVORITE"));
    favorite->setEnabled(false);
    QTest::mouseClick(control->button(QStringLiteral("FAVORITE")), Qt::LeftButton);
    QVERIFY(!control->activate(favorite, m_pool->bar(QStringLiteral("STANDARD0"))));

    CommandEntry* pdf = m_pool->entry(QStringLiteral("SAVE:PDF"));
    pdf->setEnabled(false);
    bool actionEnabled = true;
    whenMenuShows([&actionEnabled](QMenu* menu) {
        actionEnabled = actionOf(menu, QStringLiteral("SAVE:PDF"))->isEnabled();
        clickAction(menu, QStringLiteral("SAVE:PDF"));
    });
    QTest::mouseClick(control->button(QStringLiteral("SAVE")), Qt::LeftButton);
    QTRY_VERIFY(!actionEnabled);
    QTest::qWait(50);
    QCOMPARE(spy.count(), 0);

    // Separators and panels are never activated either.
    QVERIFY(!control->activate(m_pool->entry(QStringLiteral("SEP13"))));
    QVERIFY(!control->activate(m_pool->entry(QStringLiteral("NIL4"))));
    QVERIFY(!control->activate(m_pool->entry(QStringLiteral("SAVE")))); // opens a menu
    QCOMPARE(spy.count(), 0);

    favorite->setEnabled(true);
    QTest::mouseClick(control->button(QStringLiteral("FAVORITE")), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TestCommandBarControl::entriesUpdateLive()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    CommandEntry* back = m_pool->entry(QStringLiteral("BACK"));
    QToolButton* button = control->button(QStringLiteral("BACK"));
    const QImage before = button->icon().pixmap(16).toImage();

    back->setTooltip(QStringLiteral("Indietro"));
    back->setIcon(2);
    back->setEnabled(false);
    QCOMPARE(button->toolTip(), QStringLiteral("Indietro"));
    QCOMPARE(button->accessibleName(), QStringLiteral("Indietro"));
    QVERIFY(button->icon().pixmap(16).toImage() != before);
    QVERIFY(!button->isEnabled());

    // Caption beside the icon: the caption is shown and spoken.
    back->setEnabled(true);
    back->setCaption(QStringLiteral("Back"));
    back->setCaptionInBar(true);
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(button->text(), QStringLiteral("Back"));
    QCOMPARE(button->accessibleName(), QStringLiteral("Back"));
    QCOMPARE(button->accessibleDescription(), QStringLiteral("Indietro"));

    // A menu that is shown follows its entries too.
    CommandEntry* start = m_pool->entry(QStringLiteral("QUORVINK:START"));
    QString textSeen;
    bool iconChanged = false;
    whenMenuShows([&](QMenu* menu) {
        QAction* action = actionOf(menu, QStringLiteral("QUORVINK:START"));
        const QImage icon132 = action->icon().pixmap(16).toImage();
        start->setCaption(QStringLiteral("Stop harvesting"));
        start->setIcon(133);
        textSeen = action->text();
        iconChanged = action->icon().pixmap(16).toImage() != icon132;
        menu->close();
    });
    QTest::mouseClick(control->button(QStringLiteral("QUORVINK")), Qt::LeftButton);
    QTRY_COMPARE(textSeen, QStringLiteral("Stop harvesting"));
    QVERIFY(iconChanged);
}

void TestCommandBarControl::nestedDropDownIsASubmenu()
{
    CommandPool pool;
    CommandBar* top = pool.addBar(QStringLiteral("TOP"));
    CommandBar* outer = pool.addBar(QStringLiteral("OUTER"));
    CommandBar* inner = pool.addBar(QStringLiteral("INNER"));
    CommandEntry* open = pool.add(QStringLiteral("OPEN"), 7);
    CommandEntry* more = pool.add(QStringLiteral("MORE"), 9, QStringLiteral("More"));
    CommandEntry* deep = pool.add(QStringLiteral("DEEP"), 10, QStringLiteral("Deep"));
    top->append(open);
    outer->append(pool.add(QStringLiteral("FIRST"), 1, QStringLiteral("First")));
    outer->append(more);
    inner->append(deep);
    inner->append(open); // opens OUTER again: not shown as a submenu of itself
    open->setDropDown(outer);
    more->setDropDown(inner);

    auto* control = new CommandBarControl(0, m_window.get());
    control->setBar(top);
    m_window->layout()->addWidget(control);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy spy(control, &CommandBarControl::activated);
    QSignalSpy paused(control, &CommandBarControl::menuPaused);

    whenMenuShows([](QMenu* menu) {
        QAction* moreAction = actionOf(menu, QStringLiteral("MORE"));
        QMenu* submenu = moreAction ? moreAction->menu() : nullptr;
        if (!submenu) {
            menu->close();
            return;
        }
        QCOMPARE(submenu->title(), QStringLiteral("More"));
        menu->setActiveAction(moreAction);
        QTRY_VERIFY(submenu->isVisible());
        QAction* repeated = actionOf(submenu, QStringLiteral("OPEN"));
        QVERIFY(repeated && !repeated->menu());
        clickAction(submenu, QStringLiteral("DEEP"));
        if (menu->isVisible())
            menu->close();
    });
    QTest::mouseClick(control->button(QStringLiteral("OPEN")), Qt::LeftButton);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).value<CommandEntry*>(), deep);
    QCOMPARE(paused.count(), 1); // the submenu is part of the same menu
}

void TestCommandBarControl::barContentFollowsAppends()
{
    CommandPool pool;
    CommandBar* bar = pool.addBar(QStringLiteral("ABOUT"));
    bar->append(pool.add(QStringLiteral("ABOUTOK"), 0, QStringLiteral("OK")));
    auto* control = new CommandBarControl(0, m_window.get());
    control->setBar(bar);
    QVERIFY(control->button(QStringLiteral("ABOUTOK")));
    QVERIFY(!control->button(QStringLiteral("ABOUTHELP")));
    bar->append(pool.add(QStringLiteral("SEP2"), -1));
    bar->append(pool.add(QStringLiteral("ABOUTHELP"), 1, QStringLiteral("Help")));
    QTRY_VERIFY(control->button(QStringLiteral("ABOUTHELP")));
    QCOMPARE(control->toolBar()->actions().size(), 3);
    QVERIFY(control->toolBar()->actions().at(1)->isSeparator());
    // Without an image list the buttons show their caption rather than nothing.
    QCOMPARE(control->button(QStringLiteral("ABOUTHELP"))->text(), QStringLiteral("Help"));
}

void TestCommandBarControl::panelHostsTheTabStrip()
{
    CommandBarControl* control = addControl(1, QStringLiteral("STANDARD1"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QWidget* holder = control->toolBar()->findChild<QWidget*>(QStringLiteral("NIL4"));
    QVERIFY(holder);
    // 2600 twips at 96 dots per inch.
    QCOMPARE(holder->width(), 173);
    QCOMPARE(m_tab->parentWidget(), holder);
    QVERIFY(m_tab->isVisible());
    QCOMPARE(CommandBarControl::twipsToPixels(1440, 96), 96);
    QCOMPARE(CommandBarControl::twipsToPixels(1500, 120), 125);
    QCOMPARE(CommandBarControl::twipsToPixels(15, 96), 1);

    // Showing another bar hands the tab strip back to its window.
    control->setBar(m_pool->bar(QStringLiteral("STANDARD2")));
    QCOMPARE(m_tab->parentWidget(), m_window.get());
    control->setBar(m_pool->bar(QStringLiteral("STANDARD1")));
    QVERIFY(m_tab->parentWidget() != m_window.get());
    delete control;
    QCOMPARE(m_tab->parentWidget(), m_window.get());
}

void TestCommandBarControl::panelGoesBackWhenTheBarIsDestroyed()
{
    // The window ending with both the control and the tab strip in it ends them once each.
    QPointer<QTabBar> tab = m_tab;
    addControl(1, QStringLiteral("STANDARD1"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(tab->parentWidget() != m_window.get());
    m_window.reset();
    QVERIFY(tab.isNull());
}

void TestCommandBarControl::fourStylesLookDifferent()
{
    CommandBarControl* control = addControl(0, QStringLiteral("STANDARD0"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QList<QImage> looks;
    for (int style = 0; style < 4; ++style) {
        control->setBarStyle(style);
        QCOMPARE(control->barStyle(), style);
        QApplication::processEvents();
        looks << control->grab().toImage();
    }
    for (int a = 0; a < looks.size(); ++a) {
        for (int b = a + 1; b < looks.size(); ++b)
            QVERIFY2(looks.at(a) != looks.at(b),
                     qPrintable(QStringLiteral("styles %1 and %2").arg(a).arg(b)));
    }
    control->setBarStyle(7);
    QCOMPARE(control->barStyle(), 0);
    QApplication::processEvents();
    QCOMPARE(control->grab().toImage(), looks.at(0));
}

#include "test_commandbarcontrol.moc"
#include "unittestmain.h"
QUORVINK_WIDGETS_TEST_MAIN(TestCommandBarControl)
