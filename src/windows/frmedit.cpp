#include "windows/frmedit.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/settingsfile.h"
#include "core/twips.h"
#include "links/linkline.h"
#include "links/linktable.h"
#include "platform/desktop.h"
#include "windows/linkimages.h"
#include "windows/linkwindows.h"
#include "windows/windowplacement.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

// The drawing style of the editor's bar, and the twips around it.
constexpr int kEditorBarStyle = 1;
constexpr int kBarTop = 20;
constexpr int kBarLeft = 10;
constexpr int kBarNarrower = 40;

// The caption of the label of box i.
int labelCaption(int i)
{
    return i == 6 ? 73 : 64 + i;
}

} // namespace

frmEDit::frmEDit(const LinkWindowsSetup& setup, LinkTable& table, int Edit_Row, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_table(table), m_editRow(Edit_Row),
      m_images(LinkImages::editor())
{
    setObjectName(QStringLiteral("frmEDit"));
    setModal(true);

    m_imgTitle = new QFrame(this);
    m_imgTitle->setObjectName(QStringLiteral("imgTitle"));
    m_imgTitle->setAutoFillBackground(true);
    m_imgTitle->setBackgroundRole(QPalette::Mid);
    m_imgBkg = new QFrame(this);
    m_imgBkg->setObjectName(QStringLiteral("imgBkg"));
    auto* form = new QFormLayout(m_imgBkg);
    for (int i = 1; i <= kBoxes; ++i) {
        auto* box = new QLineEdit(m_imgBkg);
        box->setObjectName(QStringLiteral("Txt%1").arg(i));
        auto* label = new QLabel(m_imgBkg);
        label->setObjectName(QStringLiteral("Lab%1").arg(i));
        label->setBuddy(box);
        form->addRow(label, box);
        m_boxes[static_cast<size_t>(i - 1)] = box;
        m_labels[static_cast<size_t>(i - 1)] = label;
    }
    m_bar = new CommandBarControl(9, this);
    m_bar->setObjectName(QStringLiteral("cmdBar9"));
    connect(m_bar, &CommandBarControl::activated, this, &frmEDit::cmdBar_ButtonClick);

    Form_Load();
}

frmEDit::~frmEDit() = default;

void frmEDit::Form_Load()
{
    const CaptionTable& captions = m_setup.captions;
    CommandPool& pool = m_setup.pool;
    // The bar is built once per run.
    CommandBar* bar = CommandRecords::buildBar(pool, "EDIT9", commands());
    Txt(4)->clear();
    setWindowTitle(captions.text(76));

    m_bar->setImageList(&m_images);
    m_bar->setBar(bar);
    m_bar->setBarStyle(kEditorBarStyle);
    CommandRecords::applyTexts(pool, commands(),
                               [&captions](int number) { return captions.text(number); });

    WindowPlace& place = m_setup.editorPlace;
    WindowPlacement::place(this, place, place.height != 0 || place.left != 0 || place.width != 0,
                           designSize());
    layoutImages();

    for (int i = 1; i <= kBoxes; ++i) {
        Lab(i)->setText(captions.text(labelCaption(i)));
        Txt(i)->setAccessibleName(captions.text(labelCaption(i)));
        Txt(i)->setText(m_table.grid().cell(m_editRow, i));
    }
    const QString hidden = m_table.grid().hiddenText(m_editRow);
    if (!hidden.isEmpty())
        Txt(4)->setText(hidden);
    Txt(1)->setFocus();
}

void frmEDit::layoutImages()
{
    const int barHeight = m_bar->sizeHint().height();
    m_bar->setGeometry(Twips::toPixels(kBarLeft), Twips::toPixels(kBarTop),
                       width() - Twips::toPixels(kBarNarrower), barHeight);
    const int titleHeight = barHeight + Twips::toPixels(kBarTop) + Twips::toPixels(30);
    m_imgTitle->setGeometry(0, 0, width() - Twips::toPixels(kBarNarrower), titleHeight);
    m_imgBkg->setGeometry(0, titleHeight, width(), qMax(0, height() - titleHeight));
    m_bar->raise();
}

std::span<const WindowCommand<frmEDit>> frmEDit::commands()
{
    static const WindowCommand<frmEDit> records[] = {
        {.key = "CANCEL",
         .bar = "EDIT9",
         .icon = 1,
         .tooltip = 94,
         .handler = [](frmEDit& w, CommandEntry*) { w.cancelEntry(); }},
        {.key = "SAVE3",
         .bar = "EDIT9",
         .icon = 2,
         .tooltip = 95,
         .handler = [](frmEDit& w, CommandEntry*) { w.saveEntry(); }},
    };
    return records;
}

void frmEDit::addCommands(CommandPool& pool)
{
    CommandRecords::addEntries(pool, commands());
}

void frmEDit::cmdBar_ButtonClick(int, CommandEntry* entry)
{
    CommandRecords::dispatch(commands(), *this, entry);
}

void frmEDit::cancelEntry()
{
    LinkGrid& grid = m_table.grid();
    for (int column = 0; column < LinkGrid::kColumns; ++column)
        grid.setCell(m_editRow, column, QString());
    GO_Exit();
}

void frmEDit::saveEntry()
{
    // What the user typed is stored as typed or refused, never changed unseen (a concealed value
    // changed by one character would be a wrong password later): the user changes it.
    for (int i = 1; i <= kBoxes; ++i) {
        if (!LinkLine::keeps(Txt(i)->text())) {
            m_setup.desktop.report(this, m_setup.captions.textOrEnglish(CaptionNo::FieldNotKept)
                                             .arg(m_setup.captions.text(labelCaption(i))));
            Txt(i)->setFocus();
            return;
        }
    }
    LinkGrid& grid = m_table.grid();
    for (int i = 1; i <= kBoxes; ++i)
        grid.setCell(m_editRow, i, Txt(i)->text());
    grid.setHiddenText(m_editRow, Txt(4)->text());
    LinkWindows::reportProblem(m_setup, this, m_table.Save_Table());
    GO_Exit();
}

void frmEDit::GO_Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;
    WindowPlacement::remember(this, m_setup.editorPlace, false);
    hide();
}

void frmEDit::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutImages();
}

void frmEDit::closeEvent(QCloseEvent* event)
{
    GO_Exit();
    event->accept();
}

void frmEDit::reject()
{
    GO_Exit();
}
