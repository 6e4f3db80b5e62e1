#include "windows/frmtab.h"

#include "commandbar/commandrecord.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "config/settingsfile.h"
#include "core/programdir.h"
#include "core/twips.h"
#include "links/linktitles.h"
#include "platform/desktop.h"
#include "windows/frmedit.h"
#include "windows/linkgridview.h"
#include "windows/linkimages.h"
#include "windows/linkstrip.h"
#include "windows/movehandle.h"
#include "windows/windowplacement.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <cmath>

namespace {

// The drawing style of both bars.
constexpr int kTableBarStyle = 1;

// Places of the controls, in twips.
constexpr int kBar1Width = 530;
constexpr int kTitleBoxLeft = 3500;
constexpr int kTitleBoxWidth = 2500;
constexpr int kStripLeft = 100;
constexpr int kStripGap = 50;    // between the top band and the first strip
constexpr int kStripPitch = 230; // from one strip to the next
constexpr int kStripMargin = 250;
constexpr int kGridLeft = 100;
constexpr int kGridBottom = 120;
constexpr int kGridNarrower = 10;

// The pale yellow of the open title box.
const QString kTitleBoxOpen = QStringLiteral("QLineEdit { background-color: #FFFFC0; }");

QList<QToolButton*> buttonsOf(const CommandBarControl* control)
{
    QList<QToolButton*> buttons;
    if (!control->toolBar())
        return buttons;
    const QList<QToolButton*> children =
        control->toolBar()->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    for (QToolButton* button : children) {
        if (!button->objectName().startsWith(QLatin1String("qt_")))
            buttons << button;
    }
    return buttons;
}

} // namespace

std::span<const WindowCommand<frmTab>> frmTab::commands()
{
    static const WindowCommand<frmTab> records[] = {
        // Bar "TAB0".
        {.key = "EXIT5", .bar = "TAB0", .icon = 0, .tooltip = 32, .handler = exitWindow},
        {.key = "SEP1", .bar = "TAB0", .style = EntryStyle::Separator},
        {.key = "ADDURL",
         .bar = "TAB0",
         .icon = 1,
         .tooltip = 75,
         .handler = [](frmTab& w, CommandEntry*) { w.addUrl(); }},
        {.key = "SEP5", .bar = "TAB0", .style = EntryStyle::Separator},
        {.key = "EDITURL",
         .bar = "TAB0",
         .icon = 2,
         .tooltip = 76,
         .handler = [](frmTab& w, CommandEntry*) { w.Edit_URL(); }},
        {.key = "GOURL",
         .bar = "TAB0",
         .icon = 3,
         .tooltip = 78,
         .handler = [](frmTab& w, CommandEntry*) { w.goUrl(); }},
        {.key = "SEP4", .bar = "TAB0", .style = EntryStyle::Separator},
        {.key = "SORT",
         .bar = "TAB0",
         .icon = 6,
         .tooltip = 81,
         .handler = [](frmTab& w, CommandEntry*) { w.m_table.sortNext(); }},
        {.key = "SAVE2",
         .bar = "TAB0",
         .icon = 7,
         .tooltip = 82,
         .handler =
             [](frmTab& w, CommandEntry*) {
                 w.report(w.m_table.Save_Table());
                 w.report(w.m_table.Read_Table());
             }},
        {.key = "HELP2",
         .bar = "TAB0",
         .icon = 8,
         .tooltip = 83,
         .handler = [](frmTab& w, CommandEntry*) { w.openHelp(); }},
        {.key = "SEP7", .bar = "TAB0", .style = EntryStyle::Separator},
        {.key = "TITLE",
         .bar = "TAB0",
         .icon = 9,
         .tooltip = 77,
         .handler = [](frmTab& w, CommandEntry*) { w.titleSwitch(); }},
        // Bar "TAB1".
        {.key = "SEP10", .bar = "TAB1", .style = EntryStyle::Separator},
        {.key = "EXIT6", .bar = "TAB1", .icon = 0, .tooltip = 32, .handler = exitWindow},
    };
    return records;
}

void frmTab::exitWindow(frmTab& window, CommandEntry*)
{
    window.GO_Exit();
}

void frmTab::addCommands(CommandPool& pool)
{
    CommandRecords::addEntries(pool, commands());
}

frmTab::frmTab(const LinkWindowsSetup& setup, const ShownPage& page, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_page(page), m_images(LinkImages::table()),
      m_table(setup.dir, setup.titles, setup.captions)
{
    setObjectName(QStringLiteral("frmTab"));
    setModal(true);
    setSizeGripEnabled(true);

    m_picLab = new QWidget(this);
    m_picLab->setObjectName(QStringLiteral("PicLab"));
    m_label = new QLabel(m_picLab);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_move = new MoveHandle(m_picLab);
    m_move->setObjectName(QStringLiteral("lblMove"));
    m_titleBox = new QLineEdit(m_picLab);
    m_titleBox->setObjectName(QStringLiteral("Text1"));
    m_titleBox->installEventFilter(this);
    m_bar0 = new CommandBarControl(0, m_picLab);
    m_bar0->setObjectName(QStringLiteral("cmdBar0"));
    m_bar1 = new CommandBarControl(1, m_picLab);
    m_bar1->setObjectName(QStringLiteral("cmdBar1"));
    for (CommandBarControl* control : {m_bar0, m_bar1})
        connect(control, &CommandBarControl::activated, this, &frmTab::cmdBar_ButtonClick);
    // Over the bar's empty part: the label, the handle over it, the title box over both.
    m_label->raise();
    m_move->raise();
    m_titleBox->raise();

    for (int s = kStrips - 1; s >= 0; --s) {
        auto* strip = new LinkStrip(s, this);
        for (int t = 0; t < kTabsPerStrip; ++t)
            strip->addTab(QString());
        connect(strip, &LinkStrip::tabChosen, this, &frmTab::selectTab);
        m_strips[static_cast<size_t>(s)] = strip;
    }

    m_grid = new LinkGridView(this);
    m_grid->setModel(&m_table.grid());
    connect(m_grid, &LinkGridView::cellClicked, &m_table, &LinkTable::clickCell);
    connect(m_grid, &LinkGridView::activated, this, &frmTab::gridActivated);
    // A click on the title's header sorts as "SORT" does: by title, then by address.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == 1)
            m_table.sortNext();
    });
    connect(&m_table, &LinkTable::titleStored, this, &frmTab::Load_Group);

    Form_Load();
}

frmTab::~frmTab() = default;

void frmTab::Form_Load()
{
    const CaptionTable& captions = m_setup.captions;
    buildBars();
    m_tabsReady = false;
    m_titleBox->hide();
    m_curStrip = 0;
    m_picLab->move(0, 0);
    Load_Group();

    m_bar1->setImageList(&m_images);
    m_bar1->setBar(m_setup.pool.bar(QStringLiteral("TAB1")));
    m_bar1->setBarStyle(kTableBarStyle);
    m_bar1->resize(qMax(Twips::toPixels(kBar1Width), m_bar1->sizeHint().width()),
                   m_bar1->sizeHint().height());
    m_bar0->setImageList(&m_images);
    m_bar0->setBar(m_setup.pool.bar(QStringLiteral("TAB0")));
    m_bar0->setBarStyle(kTableBarStyle);
    m_bar0->move(0, 0);
    m_bar0->resize(m_bar0->sizeHint());
    CommandRecords::applyTexts(m_setup.pool, commands(),
                               [&captions](int number) { return captions.text(number); });
    if (CommandEntry* sort = m_setup.pool.entry(QStringLiteral("SORT")))
        sort->setTooltip(m_table.sortToolTip());

    // The title box begins where the bar ends, and no further left than its usual place.
    const int left = qMax(Twips::toPixels(kTitleBoxLeft), m_bar0->sizeHint().width() + 4);
    m_titleBox->setGeometry(left, Twips::toPixels(30), Twips::toPixels(kTitleBoxWidth),
                            m_titleBox->sizeHint().height());
    m_move->move(left, Twips::toPixels(70));
    m_picLab->resize(m_picLab->width(),
                     qMax(m_bar0->sizeHint().height(), m_titleBox->sizeHint().height() + 4));

    WindowPlacement::place(this, m_setup.tablePlace, m_setup.tablePlace.isPlaced(), defaultSize());

    // As many rows as three quarters of the screen's height holds, for a short table.
    const double rowTwips = Twips::fromPixels(m_grid->verticalHeader()->defaultSectionSize());
    const double screenRows = std::floor(Twips::screenSize().height() / rowTwips);
    m_table.setRowsShown(qRound(screenRows * 0.75));
    m_table.grid().setRows(m_table.Rows_Shown());

    GO_SetImg();
    m_label->setText(captions.text(33));
    setWindowTitle(captions.text(33));
    m_table.setCurTable(0);
    m_grid->GO_Grid();
    report(m_table.Read_Table());
    m_tabsReady = true;

    // Names for screen readers of the parts that show no text of their own.
    for (int s = 0; s < kStrips; ++s) {
        TabF(s)->setAccessibleName(captions.textOrEnglish(CaptionNo::LinkStrip)
                                       .arg(s * kTabsPerStrip + 1)
                                       .arg((s + 1) * kTabsPerStrip));
    }
    m_titleBox->setAccessibleName(captions.text(CaptionNo::LinkTitleBox));
    const QString move = captions.text(CaptionNo::LinkMoveHandle);
    m_move->setAccessibleName(move);
    m_move->setToolTip(move);
    m_grid->setAccessibleName(captions.text(CaptionNo::LinkGridName));
    setTabOrder();
    // A window placed narrower than the layout needs still starts with every control in place.
    layoutControls(qMax(width(), Twips::toPixels(kLayoutWidthTwips)), height());
    m_grid->setFocus();
}

// The bars are built once per run; later windows find them in the pool.
void frmTab::buildBars()
{
    for (const char* bar : {"TAB0", "TAB1"})
        CommandRecords::buildBar(m_setup.pool, bar, commands());
}

void frmTab::Load_Group()
{
    for (int s = 0; s < kStrips; ++s) {
        for (int t = 0; t < kTabsPerStrip; ++t)
            showTitle(s, t);
    }
    fitTabTitles();
}

// A tab shows its table's title; one with the default title (the language's word for a table and
// its number) may show the number alone where the titles do not fit.
void frmTab::showTitle(int strip, int tab)
{
    const int row = strip * kTabsPerStrip + tab + 1;
    const QString title = m_setup.titles.title(row);
    const QString number = QString::number(row);
    const bool isDefault =
        title == m_setup.captions.text(CaptionNo::LinkTableWord) + QLatin1Char(' ') + number;
    TabF(strip)->setTitle(tab, title, isDefault ? number : QString());
}

// Whole titles where every strip has room for them; otherwise the tables with default titles
// show their numbers, on every strip alike.
void frmTab::fitTabTitles()
{
    bool fit = true;
    for (const LinkStrip* strip : m_strips)
        fit = fit && strip->wholeTitlesWidth() <= strip->width();
    for (LinkStrip* strip : m_strips)
        strip->setShortTitles(!fit);
}

QSize frmTab::defaultSize() const
{
    int needed = 0;
    for (const LinkStrip* strip : m_strips)
        needed = qMax(needed, strip->wholeTitlesWidth());
    const QSize available = Twips::fromPixels(screen()->availableGeometry()).size();
    const int width = qMin(int(Twips::fromPixels(needed + 2)) + kStripMargin + kStripLeft,
                           available.width() * 9 / 10);
    return QSize(qMax(designSize().width(), width), designSize().height());
}

void frmTab::GO_SetImg()
{
    const int band = m_picLab->height();
    const int boxTop = qMax(0, (band - m_titleBox->height()) / 2 - Twips::toPixels(20));
    m_titleBox->move(m_titleBox->x(), boxTop);
    m_label->setGeometry(m_titleBox->x(), boxTop + Twips::toPixels(40),
                         Twips::toPixels(kTitleBoxWidth), m_label->sizeHint().height());
    const int pitch = qMax(Twips::toPixels(kStripPitch), TabF(0)->sizeHint().height());
    for (int s = kStrips - 1; s >= 0; --s) {
        const int top = band + Twips::toPixels(kStripGap) + (kStrips - 1 - s) * pitch;
        TabF(s)->setGeometry(Twips::toPixels(kStripLeft), top, TabF(s)->width(), pitch);
        TabF(s)->setSelectedTab(-1);
    }
    TabF(0)->setSelectedTab(0);
    m_grid->move(Twips::toPixels(180), m_grid->y());
}

// The controls follow the window's size once it is wide enough for all of them.
void frmTab::Form_Resize()
{
    if (!isMinimized() && width() >= Twips::toPixels(kLayoutWidthTwips))
        layoutControls(width(), height());
}

void frmTab::layoutControls(int w, int h)
{
    m_picLab->resize(w, m_picLab->height());
    m_bar1->move(w - m_bar1->width(), 0);
    m_bar0->resize(w - m_bar1->width(), m_picLab->height());
    const int stripWidth = w - Twips::toPixels(kStripMargin);
    for (LinkStrip* strip : m_strips)
        strip->resize(stripWidth, strip->height());
    const int gridTop = TabF(0)->geometry().bottom() + 1;
    m_grid->setGeometry(Twips::toPixels(kGridLeft), gridTop,
                        stripWidth - Twips::toPixels(kGridNarrower),
                        qMax(0, h - Twips::toPixels(kGridBottom) - gridTop));
    m_grid->fitNoteColumn(m_grid->width());
    m_move->resize(w - m_move->x(), m_move->height());
    m_picLab->update();
    fitTabTitles();
}

void frmTab::setTabOrder()
{
    QList<QWidget*> order;
    for (int s = kStrips - 1; s >= 0; --s)
        order << TabF(s);
    order << m_grid;
    for (QToolButton* button : buttonsOf(m_bar0))
        order << button;
    order << m_titleBox;
    for (QToolButton* button : buttonsOf(m_bar1))
        order << button;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void frmTab::selectTab(int strip, int tab)
{
    if (!m_tabsReady || strip < 0 || strip >= kStrips)
        return;
    // The table shown already (a click on its tab, which also makes it current).
    if (strip == m_curStrip && m_table.Cur_Table() == tab + strip * kTabsPerStrip &&
        TabF(strip)->selectedTab() == tab)
        return;
    m_curStrip = strip;
    for (LinkStrip* other : m_strips) {
        if (other->index() != strip)
            other->setSelectedTab(-1);
    }
    TabF(strip)->setSelectedTab(tab);
    m_table.setCurTable(tab + strip * kTabsPerStrip);
    report(m_table.Read_Table());
}

void frmTab::cmdBar_ButtonClick(int, CommandEntry* entry)
{
    CommandRecords::dispatch(commands(), *this, entry);
}

void frmTab::addUrl()
{
    m_table.ADD_Tab(m_page);
    report(m_table.Save_Table());
    report(m_table.Read_Table());
}

void frmTab::Edit_URL()
{
    m_editRow = m_grid->currentGridRow();
    {
        frmEDit editor(m_setup, m_table, m_editRow, this);
        m_editor = &editor;
        editor.exec();
        m_editor = nullptr;
    }
    LinkGrid& grid = m_table.grid();
    if (!grid.hiddenText(m_editRow).isEmpty())
        grid.setCell(m_editRow, 4, LinkGrid::concealed());
    report(m_table.Save_Table());
    report(m_table.Read_Table());
    m_editRow = 0;
}

void frmTab::goUrl()
{
    m_pickedUrl = m_table.grid().cell(m_grid->currentGridRow(), 2);
    GO_Exit();
}

// The guide in the user's language; a guide that is not there, or that nothing opens, is named
// in a message.
void frmTab::openHelp()
{
    const QString path = m_setup.dir.path(ProgramFiles::linkHelp(m_setup.Lang_Code));
    m_setup.desktop.openOrReport(this, QUrl::fromLocalFile(path), m_setup.captions);
}

void frmTab::titleSwitch()
{
    if (m_titleEdit) {
        closeTitleBox();
        return;
    }
    m_titleEdit = true;
    m_titleBox->setStyleSheet(kTitleBoxOpen);
    m_titleBox->clear();
    m_titleBox->show();
    m_titleBox->setFocus();
    m_table.clearNewTitle();
}

void frmTab::closeTitleBox()
{
    m_titleBox->setStyleSheet(QString());
    m_titleBox->hide();
    m_titleEdit = false;
}

void frmTab::titleEntered()
{
    const QString typed = m_titleBox->text();
    closeTitleBox();
    report(m_table.Enter_Title(typed));
    const int tab = TabF(m_curStrip)->selectedTab();
    if (tab >= 0) {
        showTitle(m_curStrip, tab);
        fitTabTitles();
    }
    m_titleBox->clear();
    m_grid->setFocus();
}

void frmTab::gridActivated()
{
    if (m_grid->selectionSpansEntry()) {
        Edit_URL();
        return;
    }
    const int column = m_grid->currentColumn();
    if (column == 1 || column == 5)
        goUrl();
}

void frmTab::GO_Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;
    WindowPlacement::remember(this, m_setup.tablePlace, true);
    report(m_table.Save_Title());
    hide();
}

void frmTab::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmTab::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmTab::closeEvent(QCloseEvent* event)
{
    GO_Exit();
    event->accept();
}

void frmTab::reject()
{
    GO_Exit();
}

bool frmTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_titleBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            titleEntered();
            return true;
        }
        if (key == Qt::Key_Escape) {
            closeTitleBox();
            m_grid->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
