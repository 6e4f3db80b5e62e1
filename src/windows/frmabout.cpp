#include "windows/frmabout.h"

#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "config/captionnumbers.h"
#include "config/helppages.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "core/twips.h"
#include "platform/desktop.h"
#include "platform/resources.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

constexpr int kAboutControl = 7;
// The design: the window's width, the margin at its right and bottom, all in twips.
constexpr int kWidth = 7200;
constexpr int kMargin = 240;
// The program's icon in the space left of the title: its left, top and size.
constexpr int kIconLeft = 560;
constexpr int kIconTop = 120;
constexpr int kIconSize = 720;
const char kTarget[] = "quorvinkTarget";

// Caption numbers of the window's texts.
constexpr int kAboutTitle = 138; // the menu entry that opens the window
constexpr int kDescription = 197;
constexpr int kVersion = 198;
constexpr int kFeatures = 199;
constexpr int kHarvest = 200;
constexpr int kDisclaimer = 202;
constexpr int kOk = 204;
constexpr int kHelp = 205;

int px(int twips)
{
    return Twips::toPixels(twips);
}

int twipsOf(int pixels)
{
    return int(Twips::fromPixels(pixels));
}

void styleLabel(QLabel* label, int pointSizeDelta, bool bold, bool underline)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() + pointSizeDelta);
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
}

// Places a label at a position in twips: one line as wide as its text, or a wrapped text as wide
// as the window allows.
void place(QLabel* label, int left, int top)
{
    const int available = px(kWidth - kMargin - left);
    if (label->wordWrap()) {
        label->setGeometry(px(left), px(top), available, label->heightForWidth(available));
    } else {
        const QSize size = label->sizeHint();
        label->setGeometry(px(left), px(top), qMin(size.width(), available), size.height());
    }
}

// The top below a label, in twips.
int below(const QLabel* label, int gap = 0)
{
    return twipsOf(label->geometry().bottom() + 1) + gap;
}

} // namespace

frmAbout::frmAbout(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_images(context.imageList({0, 77})),
      m_cmdBar(new CommandBarControl(kAboutControl, this))
{
    const WindowContext& c = context;
    setObjectName(QStringLiteral("frmAbout"));
    // A dialog's frame: a title and a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    m_cmdBar->setObjectName(QStringLiteral("cmdBar%1").arg(kAboutControl));
    setWindowTitle(c.captions[kAboutTitle]);

    // lbKes first: it lies under lblDescription as its light shadow.
    lbKes = addLabel("lbKes");
    imgIcon = addLabel("imgIcon");
    lblTitle = addLabel("lblTitle");
    lblVersion = addLabel("lblVersion");
    Label1 = addLabel("Label1", AboutEndpoints::contact());
    lblDescription = addLabel("lblDescription", AboutEndpoints::site());
    lbSite = addLabel("lbSite", AboutEndpoints::site());
    Label3 = addLabel("Label3", AboutEndpoints::partner());
    lbDescr = addLabel("lbDescr");
    lbKestor = addLabel("lbKestor");
    lblDisclaimer = addLabel("lblDisclaimer");
    styleLabel(lblTitle, 4, true, false);
    styleLabel(lblDescription, 0, true, false);
    styleLabel(lbKes, 0, true, false);
    for (QLabel* link : {Label1, lbSite, Label3})
        styleLabel(link, 0, false, true);
    QPalette shadow = lbKes->palette();
    shadow.setColor(QPalette::WindowText, Qt::white);
    lbKes->setPalette(shadow);
    // Every text but the title and the two addresses wraps within the window: a translation or
    // a long credit line is never cut off at the right.
    for (QLabel* text :
         {lblVersion, Label1, lblDescription, lbKes, lbDescr, lbKestor, lblDisclaimer})
        text->setWordWrap(true);

    // The entries and the bar live in the pool from the first load on.
    CommandPool& pool = c.pool;
    m_cmdBar->setImageList(m_images.get());
    m_cmdBar->setBar(CommandRecords::buildBar(pool, "STANDARD7", commands()));
    m_cmdBar->setBarStyle(c.options.Bar_Style);
    CommandRecords::applyTexts(pool, commands(), [&c](int number) { return c.captions[number]; });
    connect(m_cmdBar, &CommandBarControl::activated, this, &frmAbout::cmdBar_ButtonClick);

    QPalette colour = palette();
    colour.setColor(QPalette::Window, QColor(132, 171, 227));
    setPalette(colour);
    setAutoFillBackground(true);

    imgIcon->setPixmap(programIcon().pixmap(px(kIconSize), px(kIconSize)));
    imgIcon->setGeometry(px(kIconLeft), px(kIconTop), px(kIconSize), px(kIconSize));
    imgIcon->setAccessibleName(c.captions[CaptionNo::ProgramName]);
    lblTitle->setText(c.captions[CaptionNo::ProgramName]);
    lblVersion->setText(c.captions[kVersion] + QLatin1Char(' ') + version());
    Label1->setText(
        c.captions.textOrEnglish(CaptionNo::AboutCredit).arg(AboutEndpoints::contact().path()));
    lblDescription->setText(c.captions[kDescription]);
    lbKes->setText(c.captions[kDescription]);
    lbSite->setText(AboutEndpoints::site().toString());
    Label3->setText(AboutEndpoints::partner().toString());
    lbDescr->setText(c.captions[kFeatures]);
    lbKestor->setText(c.captions[kHarvest]);
    lblDisclaimer->setText(c.captions[kDisclaimer] + QStringLiteral("\n\n") +
                           c.captions[CaptionNo::Licence]);
    placeLabels();
    centre();
}

frmAbout::~frmAbout() = default;

// Centred on the screen, frame included.
void frmAbout::centre()
{
    const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen();
    const QRect area = shownOn->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

// The frame is known once the window is shown.
void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centre();
}

QString frmAbout::version()
{
    return QStringLiteral("%1.%2.%3")
        .arg(QUORVINK_VERSION_MAJOR)
        .arg(QUORVINK_VERSION_MINOR)
        .arg(QUORVINK_VERSION_PATCH);
}

QLabel* frmAbout::addLabel(const char* name, const QUrl& target)
{
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    if (!target.isEmpty()) {
        label->setProperty(kTarget, target);
        label->setCursor(Qt::PointingHandCursor);
        label->setFocusPolicy(Qt::TabFocus);
        label->setToolTip(target.toString());
        label->installEventFilter(this);
    }
    return label;
}

// The positions of the table, in twips; the lines the table leaves to the design follow each
// other, and no text covers the one above it where a translation runs longer.
void frmAbout::placeLabels()
{
    place(lblTitle, 1450, 120);
    place(lblVersion, twipsOf(lblTitle->x()), below(lblTitle));
    place(Label1, twipsOf(lblVersion->x()), qMax(750, below(lblVersion)));
    place(lblDescription, 560, below(Label1, 60));
    place(lbKes, twipsOf(lblDescription->x()), twipsOf(lblDescription->y() + 1));
    place(lbDescr, 810, qMax(1350, below(lblDescription, 60)));
    place(lbKestor, twipsOf(lbDescr->x()), qMax(1830, below(lbDescr, 60)));
    place(lbSite, 1380, below(lbKestor, 180));
    place(Label3, twipsOf(lbSite->x()), below(lbSite, 60));
    place(lblDisclaimer, 560, below(Label3, 180));
    lbKes->lower();

    const QSize bar = m_cmdBar->sizeHint();
    const int barTop = lblDisclaimer->geometry().bottom() + 1 + px(180);
    m_cmdBar->setGeometry(px(kWidth - kMargin) - bar.width(), barTop, bar.width(), bar.height());
    setFixedSize(px(kWidth), barTop + bar.height() + px(kMargin));
}

std::span<const WindowCommand<frmAbout>> frmAbout::commands()
{
    static const WindowCommand<frmAbout> records[] = {
        {.key = "ABOUTOK",
         .bar = "STANDARD7",
         .icon = 0,
         .caption = kOk,
         .handler = [](frmAbout& w, CommandEntry*) { w.done(QDialog::Accepted); },
         .captionInBar = true},
        {.key = "SEP13", .bar = "STANDARD7", .style = EntryStyle::Separator},
        {.key = "ABOUTHELP",
         .bar = "STANDARD7",
         .icon = 1,
         .caption = kHelp,
         .handler =
             [](frmAbout& w, CommandEntry*) {
                 w.openHelp();
                 w.done(QDialog::Accepted);
             },
         .captionInBar = true},
        {.key = "SEP2", .bar = "STANDARD7", .style = EntryStyle::Separator},
    };
    return records;
}

// Either entry closes the window, as does any activation of another control.
void frmAbout::cmdBar_ButtonClick(int control, CommandEntry* entry)
{
    if (control != kAboutControl || !CommandRecords::dispatch(commands(), *this, entry))
        done(QDialog::Accepted);
}

void frmAbout::openHelp()
{
    const WindowContext& c = m_context;
    c.desktop.openOrReport(
        this, QUrl::fromLocalFile(HelpPages::forLanguage(c.dir, c.options.Lang_Name)), c.captions);
}

// The four labels with an address open it, by mouse or by Enter or Space; the window stays.
bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    bool clicked = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        clicked = mouse->button() == Qt::LeftButton && label &&
                  label->rect().contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        clicked = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    if (clicked && label) {
        const WindowContext& c = m_context;
        c.desktop.openOrReport(this, label->property(kTarget).toUrl(), c.captions);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
