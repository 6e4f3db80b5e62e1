#include "app/frmstart.h"

#include "app/bottomstrip.h"
#include "app/captionnumbers.h"
#include "app/desktop.h"
#include "app/mainlayout.h"
#include "app/module.h"
#include "app/twips.h"
#include "app/wait.h"
#include "browse/addressbox.h"
#include "browse/bookmark.h"
#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/history.h"
#include "browse/pageprinter.h"
#include "browse/pageproperties.h"
#include "browse/sitename.h"
#include "browse/tabset.h"
#include "browse/tabstrip.h"
#include "browse/webattend.h"
#include "browse/webpage.h"
#include "browse/webprofile.h"
#include "commands/commandbar.h"
#include "commands/commandbarcontrol.h"
#include "commands/commandentry.h"
#include "commands/commandpool.h"
#include "commands/dispatcher.h"
#include "commands/imagelist.h"
#include "commands/loadbars.h"
#include "commands/setcaptions.h"
#include "mail/harvester.h"
#include "mail/maillists.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

const QString kOptionsFile = QStringLiteral("\\Data\\orvelquorvink.Opt");
const QString kSettingsFile = QStringLiteral("\\Data\\orvelquorvink.Ini");
const QString kHistoryFile = QStringLiteral("\\Data\\orvelquorvink.Hys");
const QString kBookmarkFile = QStringLiteral("\\Data\\OrvelBook.bm");

// Menu entries whose features the program does not offer yet: shown, but not available.
const char* const kNotYetAvailable[] = {"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV",   "SAVE:EXCEL",
                                        "SAVE:PPT",  "SAVE:PDF",   "EDIT:VIEW",    "EDIT:PICTURE",
                                        "LANG:NEW",  "KELDRANO",   "FILE:KELDRANO"};

// The drawing-style entries, by style number.
const char* const kStyleKeys[] = {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"};

} // namespace

frmStart::frmStart(Module& module, CommandPool& pool, QWidget* parent)
    : QWidget(parent), m(module), m_pool(pool), m_images(std::make_unique<ImageList>())
{
    setObjectName(QStringLiteral("frmStart"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 200);

    m_profile = WebProfile::create(m.dir.path(u"\\Data") + QStringLiteral("/Engine"), nullptr);

    m_picBar = new QWidget(this);
    m_picBar->setObjectName(QStringLiteral("picBar"));
    for (int i = 0; i < 3; ++i) {
        auto* control = new CommandBarControl(i, m_picBar);
        control->setObjectName(QStringLiteral("cmdBar%1").arg(i));
        m_bars.append(control);
        attachControl(control);
        control->newInstanceRequest = [this](int requester) { return newInstance(requester); };
    }
    m_bars[2]->raise();
    m_picStat = new BottomStrip(this, this);

    m_tabs = std::make_unique<TabSet>(m_profile, this, m_bars[1]);
    m_tabs->relayout = [this] { Form_Resize(); };
    connect(m_tabs.get(), &TabSet::viewCreated, this, &frmStart::connectView);

    // The address box lies over control 1, right of the tab strip it hosts.
    m_address = new AddressBox(m_picBar);
    connect(m_address, &AddressBox::enterPressed, this, [this] { GO_Navigate(1); });
    connect(m_address, &AddressBox::itemChosen, this, [this] { GO_Navigate(1); });
    connect(m_address, &AddressBox::focusReceived, this, [this] { m_timer1.stop(); });

    m_harvester = new Harvester(
        m, [this] { return currentView(); }, this, this);
    connect(m_harvester, &Harvester::iconChanged, this, [this](int icon) {
        if (CommandEntry* start = m_pool.entry(QStringLiteral("QUORVINK:START")))
            start->setIcon(icon);
        // While harvesting is on, the frames of every page get their isolated world as they
        // load, so that the pass after the page finds them ready; otherwise pages load without.
        if (icon == Harvester::kIconOn)
            Harvester::installFrameScript(m_profile);
        else
            Harvester::removeFrameScript(m_profile);
    });
    m_mailLists = std::make_unique<MailLists>(m, this);
    m_printer = new PagePrinter(this);
    m_findBar = new FindBar(this);
    m_dispatcher = std::make_unique<MainDispatcher>(*this);

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer4.setObjectName(QStringLiteral("Timer4"));
    connect(&m_timer1, &QTimer::timeout, this, &frmStart::Timer1_Timer);
    connect(&m_timer4, &QTimer::timeout, this, &frmStart::Timer4_Timer);
}

frmStart::~frmStart()
{
    // The pages must go before the profile they use.
    for (BrowserView* view : m_tabs->Web())
        delete view->widget();
    m_tabs.reset();
    delete m_profile;
}

void frmStart::start()
{
    Form_Load();
    show();
    // The frame is known only once the window is shown.
    if (m.ini.Win_Mode == 2)
        coverScreen();
    Form_Resize();
}

// The load handler: every later step relies on the order of these steps.
void frmStart::Form_Load()
{
    m.Today_Str = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    OptionsFile::read(m.path(kOptionsFile), m.options, Module::makerHomePage());

    // Before any language file says otherwise there are three tabs.
    m_tabs->setCount(3);
    Read_Lang();
    m_tabs->Tab_URL = QStringList(m_tabs->count());

    buildCommandBars();

    SettingsFile::read(m.path(kSettingsFile), m.ini, Twips::screenSize());

    Bar_Shown = true;
    if (CommandEntry* floating = m_pool.entry(QStringLiteral("FILE:FLOATING")))
        floating->setChecked(m.options.Float_Bar != 0);
    if (m.options.Bar_Style >= 0 && m.options.Bar_Style <= 3) {
        if (CommandEntry* style = m_pool.entry(QLatin1String(kStyleKeys[m.options.Bar_Style])))
            style->setChecked(true);
    }
    Hyst_Read();

    bindCommandBars();
    if (CommandEntry* favorite = m_pool.entry(QStringLiteral("FAVORITE")))
        favorite->setEnabled(false);

    placeWindow();
    for (int i = 0; i < m_tabs->count(); ++i)
        Set_Web(i);

    Cur_URL.clear();
    m_picStat->progressBar->setRange(0, 100);
    m_picStat->setProgress(0);
    m_picStat->timeBar->setText(m.Today_Str);
    m_picStat->cmdMove->setIcon(m_images->icon(121));
    m_picStat->cmdMoveL->setIcon(m_images->icon(122));

    if (m.options.Home_Page.isEmpty())
        m.options.Home_Page = Module::makerHomePage();
    openHomePage();

    if (m.options.Float_Bar == 1) {
        m_timer1.setInterval(5000);
        m_timer1.start();
        Bar_Shown = true;
    }
    m_timer4.setInterval(750);
    m_timer4.start();
}

void frmStart::openHomePage()
{
    const QString home = m.options.Home_Page;
    m_address->setText(home);
    m_tabs->select(0);
    m_tabs->Tab_URL[0] = home;
    Cur_URL = home;
    BrowserView* view = m_tabs->view(0);
    view->Navigate(home);
    m_tabs->setCaption(0, Site_Name(home));
    view->setVisible(true);
}

// The whole window, frame included, covers the screen; its state is not changed.
void frmStart::coverScreen()
{
    const QRect screen = this->screen()->geometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    move(screen.topLeft());
    resize(screen.size() - frame);
}

void frmStart::placeWindow()
{
    const auto& ini = m.ini;
    if (ini.Win_Mode == 2) {
        coverScreen();
    } else {
        move(Twips::toPixels(ini.Win_Left), Twips::toPixels(ini.Win_Top));
        resize(Twips::toPixels(ini.Win_Width), Twips::toPixels(ini.Win_Height));
    }
}

// The deferred start step, once, 750 ms after the load.
void frmStart::Timer4_Timer()
{
    if (Wait::active())
        return;
    m_timer4.stop();
    m.Template_Doc = m.path(u"\\Data\\Template.Doc");
    m.Template_HDoc = m.path(u"\\Data\\TemplateH.Doc");
    if (CommandEntry* favorite = m_pool.entry(QStringLiteral("FAVORITE")))
        favorite->setEnabled(true);
    m_mailLists->emptyAtStart();
}

// The pool's entries and the window's bars, built once, then their texts.
void frmStart::buildCommandBars()
{
    Load_Buttons(m_pool, *m_images, m.dir, m.lang.Tab_Width, m_tabs->Tab1(), m.Lang_List);
    Load_Bars(m_pool, m.Lang_List);
    for (const char* key : kNotYetAvailable) {
        if (CommandEntry* entry = m_pool.entry(QLatin1String(key)))
            entry->setEnabled(false);
    }
    applyCaptions();
}

void frmStart::bindCommandBars()
{
    const char* const bars[] = {"STANDARD0", "STANDARD1", "STANDARD2"};
    for (int i = 0; i < 3; ++i) {
        m_bars[i]->setBar(m_pool.bar(QLatin1String(bars[i])));
        if (i != 1)
            m_bars[i]->setImageList(m_images.get());
        m_bars[i]->setBarStyle(m.options.Bar_Style);
    }
}

CommandBarControl* frmStart::cmdBar(int i) const
{
    return i >= 0 && i < m_bars.size() ? m_bars[i] : nullptr;
}

// A command bar asks for one more control, hidden, made like control 0: the first is control 3,
// which shows the drop-down menus.
CommandBarControl* frmStart::newInstance(int)
{
    auto* control = new CommandBarControl(static_cast<int>(m_bars.size()), this);
    control->setObjectName(QStringLiteral("cmdBar%1").arg(m_bars.size()));
    control->setImageList(m_images.get());
    control->setBarStyle(m_bars[0]->barStyle());
    control->hide();
    attachControl(control);
    m_bars.append(control);
    return control;
}

// Every control reports its activations to the one command handler; while one of its drop-down
// menus is open the top bar does not hide.
void frmStart::attachControl(CommandBarControl* control)
{
    connect(control, &CommandBarControl::activated, this, &frmStart::cmdBar_ButtonClick);
    connect(control, &CommandBarControl::menuPaused, this, [this] { m_timer1.stop(); });
    connect(control, &CommandBarControl::menuResumed, this, [this] {
        if (m.options.Float_Bar == 1)
            m_timer1.start();
    });
}

void frmStart::cmdBar_ButtonClick(int control, CommandEntry* entry)
{
    m_dispatcher->dispatch(control, entry);
}

void frmStart::applyCaptions()
{
    Set_Captions(m_pool, m.Lang_Text, m.lang, m.options.Lang_Name);
    m_picStat->setDragToolTip(m.Lang_Text[CaptionNo::DragButtons]);
    // Empty link tables take the language's default title, in memory only.
    m.Link_Titles.applyDefaultTitles(m.Lang_Text[CaptionNo::LinkTableWord]);
    // Names for screen readers of the parts that show no caption of their own.
    m_address->setAccessibleName(m.Lang_Text[CaptionNo::AddressBox]);
    m_tabs->Tab1()->setAccessibleName(m.Lang_Text[CaptionNo::TabStrip]);
    m_picStat->statusBar->setAccessibleName(m.Lang_Text[CaptionNo::StatusText]);
    m_picStat->progressBar->setAccessibleName(m.Lang_Text[CaptionNo::Progress]);
    m_findBar->setTexts(m.Lang_Text);
}

void frmStart::switchLanguage(const QString& name)
{
    m.options.Lang_Name = name;
    Read_Lang();
    applyCaptions();
    if (const TextFile::Result r = OptionsFile::save(m.path(kOptionsFile), m.options); !r)
        m.desktop.message(this, Module::messageTitle(), r.error);
}

void frmStart::setDrawingStyle(int style, CommandEntry* entry)
{
    m.options.Bar_Style = static_cast<qint16>(style);
    if (entry)
        entry->setChecked(true);
    for (int i = 0; i < 3; ++i)
        m_bars[i]->setBarStyle(style);
}

void frmStart::autoHideSwitch(CommandEntry* entry)
{
    if (entry && entry->checked()) {
        m_timer1.setInterval(750);
        m_timer1.start();
        m.options.Float_Bar = 1;
        Bar_Shown = true;
        GO_BarOff();
    } else {
        m_timer1.stop();
        m.options.Float_Bar = 0;
    }
}

void frmStart::setHomePage()
{
    m.options.Home_Page = m_address->text();
    if (const TextFile::Result r = OptionsFile::save(m.path(kOptionsFile), m.options); !r)
        m.desktop.message(this, Module::messageTitle(), r.error);
}

void frmStart::printPage()
{
    m_printer->print(currentView());
}

void frmStart::printPreview()
{
    m_printer->preview(currentView());
}

void frmStart::pageSetup()
{
    m_printer->pageSetup();
}

void frmStart::pageProperties()
{
    if (BrowserView* view = currentView()) {
        PageProperties dialog(view, m.Lang_Text, this);
        dialog.exec();
    }
}

void frmStart::findInPage()
{
    m_findBar->open(currentView());
}

void frmStart::deleteSelection()
{
    if (BrowserView* view = currentView())
        view->runIsolated(QStringLiteral("document.execCommand('delete')"), [](const QVariant&) {});
}

void frmStart::Read_Lang()
{
    const QString wanted = m.path(LanguageFile::relativePath(m.options.Lang_Name));
    LanguageFile::ReadResult result = LanguageFile::read(wanted, m.Lang_Text, m.lang);
    if (!result.ok) {
        // An unreadable language file falls back to English; without English the captions stay
        // empty. Either way the user is told which file could not be read.
        const QString english = m.path(LanguageFile::relativePath(QStringLiteral("English")));
        result = LanguageFile::read(english, m.Lang_Text, m.lang);
        if (!result.ok)
            m.Lang_Text.clear();
        m.desktop.message(this, Module::messageTitle(),
                          QStringLiteral("The language file %1 could not be read.")
                              .arg(QDir::toNativeSeparators(wanted)));
    }
    for (const int n : std::as_const(result.tabNumbers))
        m_tabs->setCount(n);
    m_tabs->clearCaptions();
}

void frmStart::GO_Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;

    QStringList failures;
    if (const TextFile::Result r = OptionsFile::save(m.path(kOptionsFile), m.options); !r)
        failures << r.error;
    if (const TextFile::Result r = History::save(m.path(kHistoryFile), m_address->items()); !r)
        failures << r.error;
    const QRect place(qRound(Twips::fromPixels(x())), qRound(Twips::fromPixels(y())),
                      qRound(Twips::fromPixels(width())), qRound(Twips::fromPixels(height())));
    if (const TextFile::Result r = SettingsFile::save(m.path(kSettingsFile), m.ini, place); !r)
        failures << r.error;
    if (!failures.isEmpty())
        m.desktop.message(this, Module::messageTitle(), failures.join(QLatin1Char('\n')));

    // From here on nothing stops the exit.
    if (BrowserView* view = currentView())
        view->Stop();
    hide();
    for (const QString& name : {QStringLiteral("\\html.txt"), QStringLiteral("\\doc.txt")}) {
        const QString path = m.path(name);
        if (QFile::exists(path))
            QFile::remove(path);
    }
    m_timer1.stop();
    m_timer4.stop();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    m_exited = true;
    emit exited();
    close();
}

void frmStart::closeEvent(QCloseEvent* event)
{
    GO_Exit();
    event->accept();
}

BrowserView* frmStart::currentView() const
{
    return m_tabs->current();
}

// --- Navigation -------------------------------------------------------------------------------

void frmStart::GO_Navigate(int add_history)
{
    BrowserView* view = currentView();
    const QString a = m_address->text();
    if (a.isEmpty()) {
        view->Navigate(m.lang.Start_Page);
    } else {
        const QString lower = a.toLower();
        if (!lower.startsWith(QLatin1String("http://")) &&
            !lower.startsWith(QLatin1String("ftp://")) &&
            !lower.startsWith(QLatin1String("https://")))
            m_address->setText(QStringLiteral("http://") + a);
        const QString address = m_address->text();
        view->Navigate(address);
        const int s = m_tabs->selected();
        m_tabs->Tab_URL[s] = address;
        m_tabs->setCaption(s, Site_Name(address));
        Cur_URL = address;
        Mark_URL = Cur_URL;
        if (Cur_URL.trimmed().toLower().startsWith(QLatin1String("http")) && Cur_URL.size() > 8 &&
            add_history == 1)
            Hyst_Add();
    }
    view->focus();
    if (m.options.Float_Bar == 1)
        m_timer1.start();
}

void frmStart::Hyst_Read()
{
    const QStringList lines = History::read(m.path(kHistoryFile));
    const QString text = m_address->text();
    m_address->addItems(lines);
    m_address->setText(text);
}

void frmStart::Hyst_Add()
{
    if (History::isNew(m_address->items(), m_address->text())) {
        const QString text = m_address->text();
        m_address->addItem(Cur_URL);
        m_address->setText(text);
    }
}

void frmStart::Save_BookMark()
{
    if (const TextFile::Result r = Bookmark::save(m.path(kBookmarkFile), Mark_URL); !r)
        m.desktop.message(this, Module::messageTitle(), r.error);
}

void frmStart::Read_BookMark()
{
    const std::optional<QString> line = Bookmark::read(m.path(kBookmarkFile));
    if (!line)
        return;
    BrowserView* view = currentView();
    view->Stop();
    m_address->setText(*line);
    if (!line->isEmpty())
        view->Navigate(*line);
}

// Opens an address picked from the link tables; the link-table window is not part of the
// program yet, so no address is ever picked.
void frmStart::GO_Links()
{
    Picked_URL.clear();
    if (Picked_URL.isEmpty())
        return;
    m_address->setText(Picked_URL);
    GO_Navigate(0);
}

bool frmStart::WebAttend()
{
    return ::WebAttend([this] { return currentView(); });
}

// --- Page events ------------------------------------------------------------------------------

void frmStart::connectView(BrowserView* view)
{
    view->page()->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    connect(view, &BrowserView::beforeNavigate, this, &frmStart::onBeforeNavigate);
    connect(view, &BrowserView::progressChange, this, &frmStart::onProgressChange);
    connect(view, &BrowserView::statusTextChange, this, &frmStart::onStatusTextChange);
    connect(view, &BrowserView::titleChange, this, &frmStart::onTitleChange);
    connect(view, &BrowserView::documentComplete, this, &frmStart::onDocumentComplete);
    connect(view, &BrowserView::externalRequested, this,
            [this](const QUrl& url) { m.desktop.open(url); });
}

void frmStart::onBeforeNavigate(const QUrl& url)
{
    m_picStat->setProgress(0);
    const QString target = url.toString();
    if (target.toLower().startsWith(QLatin1String("http")))
        m_address->setText(target);
    m_picStat->setStatus(m.Lang_Text[CaptionNo::ProgramName]);
}

void frmStart::onProgressChange(int progress, int maximum)
{
    if (progress >= 1 && maximum >= progress)
        m_picStat->setProgress(qRound(progress * 100.0 / maximum));
}

void frmStart::onStatusTextChange(const QString& text)
{
    m_picStat->setStatus(text);
}

void frmStart::onTitleChange(const QString& text)
{
    m_picStat->setStatus(text);
    Page_Title = text;
}

void frmStart::onDocumentComplete()
{
    m_picStat->setProgress(100);
    m_harvester->onDocumentComplete();
}

// --- Layout -----------------------------------------------------------------------------------

void frmStart::Form_Resize()
{
    if (No_Resize == 1)
        return;
    if (isMinimized()) {
        Was_Min = 1;
        setWindowTitle(m.Lang_Text[CaptionNo::ProgramName]);
        return;
    }
    if (Was_Min == 1 && !isMaximized() && !isFullScreen()) {
        Was_Min = 0;
        setWindowTitle(QString());
        const int grow = Twips::toPixels(MainLayout::kTitleBarCompensation);
        const QRect inner = geometry();
        setGeometry(inner.x(), inner.y() - grow, inner.width(), inner.height() + grow);
        return; // the geometry change runs the handler again
    }
    MainLayout::Input in;
    in.S = qRound(Twips::fromPixels(width()));
    in.H = qRound(Twips::fromPixels(height()));
    in.tabStripWidth = qRound(Twips::fromPixels(m_tabs->Tab1()->width()));
    in.barShown = Bar_Shown;
    const MainLayout::Output out = MainLayout::compute(in);

    m_picBar->setGeometry(Twips::toPixels(out.picBar));
    for (int i = 0; i < 3; ++i) {
        const QRect& r = i == 0 ? out.bar0 : (i == 1 ? out.bar1 : out.bar2);
        // A control's top may lie above the strip (bar 1 sits 10 twips higher).
        m_bars[i]->setGeometry(Twips::toPixels(r));
    }
    const QRect address = Twips::toPixels(out.address.translated(out.bar1.topLeft()));
    m_address->setGeometry(address);
    m_address->raise();
    m_picStat->setGeometry(Twips::toPixels(out.picStat));
    m_picStat->cmdMoveL->setGeometry(Twips::toPixels(out.cmdMoveL));
    m_picStat->statusBar->setGeometry(Twips::toPixels(out.statusBar));
    m_picStat->timeBar->setGeometry(Twips::toPixels(out.timeBar));
    m_picStat->progressBar->setGeometry(Twips::toPixels(out.progressBar));
    m_picStat->cmdMove->setGeometry(Twips::toPixels(out.cmdMove));
    Set_Web(m_tabs->selected());
}

void frmStart::Set_Web(int i)
{
    BrowserView* view = m_tabs->view(i);
    if (!view)
        return;
    const QRect r = MainLayout::viewRect(qRound(Twips::fromPixels(width())),
                                         qRound(Twips::fromPixels(height())), Bar_Shown);
    view->widget()->setGeometry(Twips::toPixels(r));
    if (!Bar_Shown)
        view->widget()->raise();
}

void frmStart::GO_BarOff()
{
    if (!Bar_Shown)
        return;
    m_picStat->hide();
    BrowserView* view = currentView();
    const int H = height();
    // The status text keeps its own visibility while its strip is hidden.
    const int viewHeight =
        m_picStat->statusBar->isHidden() ? H : H - Twips::toPixels(MainLayout::kPicStatHeight);
    view->widget()->setGeometry(0, 0, width(), viewHeight);
    view->widget()->raise();
    Bar_Shown = false;
}

void frmStart::GO_BarOn()
{
    if (!Bar_Shown) {
        m_picStat->show();
        BrowserView* view = currentView();
        const int top = Twips::toPixels(MainLayout::kPicBarHeight);
        view->widget()->setGeometry(0, top, width(),
                                    height() - top - Twips::toPixels(MainLayout::kPicStatHeight));
        Bar_Shown = true;
        activateWindow();
    }
    QCoreApplication::processEvents();
}

void frmStart::Timer1_Timer()
{
    if (Wait::active())
        return;
    const double y = Twips::fromPixels(QCursor::pos().y());
    const double top = Twips::fromPixels(frameGeometry().y());
    if (Bar_Shown) {
        if (top + MainLayout::kPicBarHeight + MainLayout::kHideZone > y)
            return;
        GO_BarOff();
    } else if (top + MainLayout::kShowZone > y) {
        GO_BarOn();
    }
    if (m_timer1.interval() != 1500)
        m_timer1.setInterval(1500);
}

void frmStart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmStart::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmStart::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F12) {
        coverScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}
