#include "windows/frminput.h"

#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "core/twips.h"
#include "windows/smallwindows.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kInputControl = 6;
constexpr int kWidthTwips = 4100;
// The question's panel: 150 pixels at 96 dots per inch, kept in twips like every panel width.
constexpr int kPanelTwips = 150 * 15;
constexpr int kQuestion = 213;
// Pixels around the bar, and the least height of the window.
constexpr int kInputMargin = 18;
constexpr int kInputMinHeight = 90;

} // namespace

frmInput::frmInput(SmallWindows& windows, QWidget* parent)
    : QDialog(parent), m_windows(windows), m_images(windows.imageList({100, 7})),
      m_labTitle(new QLabel(this)), m_cmdBar(new CommandBarControl(kInputControl, this))
{
    setObjectName(QStringLiteral("frmInput"));
    m_cmdBar->setObjectName(QStringLiteral("cmdBar%1").arg(kInputControl));
    m_labTitle->setObjectName(QStringLiteral("labTitle"));
    m_labTitle->setAlignment(Qt::AlignCenter);
    m_labTitle->setWordWrap(true);
    const SmallWindows::Context& c = windows.context();
    setWindowTitle(c.captions[CaptionNo::ProgramName]);

    CommandPool& pool = c.pool;
    if (!pool.bar(QStringLiteral("STANDARD6"))) {
        for (const auto& [key, icon] : {std::pair{"OKYES", 0}, std::pair{"OKNO", 1}})
            pool.add(QLatin1String(key), icon)->setCaptionInBar(true);
        CommandEntry* panel = pool.add(QStringLiteral("NIL6"), -1, QString(), EntryStyle::Panel);
        panel->setPanelWidth(kPanelTwips);
        SmallWindows::makeBar(pool, "STANDARD6", {"OKYES", "SEP13", "NIL6", "SEP2", "OKNO"});
    }
    // The panel hosts the question of this window, also when an earlier one built the bar.
    pool.entry(QStringLiteral("NIL6"))->setPanelControl(m_labTitle);

    m_cmdBar->setImageList(m_images.get());
    m_cmdBar->setBar(pool.bar(QStringLiteral("STANDARD6")));
    m_cmdBar->setBarStyle(c.options.Bar_Style);
    // A dialog's frame: a title and a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kInputMargin, kInputMargin, kInputMargin, kInputMargin);
    layout->addWidget(m_cmdBar, 0, Qt::AlignCenter);
    m_labTitle->setText(c.captions[kQuestion]);
    fitQuestion();
    connect(m_cmdBar, &CommandBarControl::activated, this, &frmInput::cmdBar_ButtonClick);
}

// The question's panel is as wide as the question needs (never narrower than its design width);
// the window is a dialog around the bar, of the design width at least.
void frmInput::fitQuestion()
{
    const int needed = m_labTitle->fontMetrics().horizontalAdvance(m_labTitle->text()) + 16;
    if (CommandEntry* panel = m_windows.context().pool.entry(QStringLiteral("NIL6")))
        panel->setPanelWidth(qMax(kPanelTwips, int(Twips::fromPixels(needed)) + 15));
    m_cmdBar->setBar(m_cmdBar->bar()); // built again now, with the panel's new width
    const QSize bar = m_cmdBar->sizeHint();
    setFixedSize(qMax(Twips::toPixels(kWidthTwips), bar.width()) + 2 * kInputMargin,
                 qMax(bar.height() + 2 * kInputMargin, kInputMinHeight));
}

// The question goes back from the bar to this window before either ends.
frmInput::~frmInput()
{
    delete m_cmdBar;
}

void frmInput::cmdBar_ButtonClick(int, CommandEntry* entry)
{
    if (entry->key() == QLatin1String("OKYES"))
        m_windows.Input_Answer = 1;
    else if (entry->key() == QLatin1String("OKNO"))
        m_windows.Input_Answer = 0;
    else
        return;
    done(m_windows.Input_Answer);
}

void frmInput::reject()
{
    m_windows.Input_Answer = 0;
    QDialog::reject();
}
