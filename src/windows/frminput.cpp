#include "windows/frminput.h"

#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "core/twips.h"
#include "windows/windowcontext.h"

#include <QLabel>

#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kInputControl = 6;
constexpr int kWidthTwips = 4100;
constexpr int kQuestion = 213;
// Pixels around the bar, and the least height of the window.
constexpr int kInputMargin = 18;
constexpr int kInputMinHeight = 90;

} // namespace

frmInput::frmInput(const WindowContext& c, QWidget* parent)
    : QDialog(parent), m_images(c.imageList({100, 7})), m_labTitle(new QLabel(this)),
      m_cmdBar(new CommandBarControl(kInputControl, this))
{
    setObjectName(QStringLiteral("frmInput"));
    m_cmdBar->setObjectName(QStringLiteral("cmdBar%1").arg(kInputControl));
    m_labTitle->setObjectName(QStringLiteral("labTitle"));
    m_labTitle->setAlignment(Qt::AlignCenter);
    m_labTitle->setWordWrap(true);
    setWindowTitle(c.captions[CaptionNo::ProgramName]);

    CommandPool& pool = c.pool;
    CommandBar* bar = CommandRecords::buildBar(pool, "STANDARD6", commands());

    m_cmdBar->setImageList(m_images.get());
    m_cmdBar->setBar(bar);
    m_cmdBar->setBarStyle(c.options.Bar_Style);
    // A dialog's frame: a title and a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kInputMargin, kInputMargin, kInputMargin, kInputMargin);
    // The question stands above its two answers.
    layout->addWidget(m_labTitle);
    layout->addWidget(m_cmdBar, 0, Qt::AlignCenter);
    m_labTitle->setText(c.captions[kQuestion]);
    fitQuestion();
    connect(m_cmdBar, &CommandBarControl::activated, this, &frmInput::cmdBar_ButtonClick);
}

// The window is as wide as the question needs on one line (never narrower than its design
// width), with the answers below it.
void frmInput::fitQuestion()
{
    const int needed = m_labTitle->fontMetrics().horizontalAdvance(m_labTitle->text()) + 16;
    m_cmdBar->setBar(m_cmdBar->bar()); // built again, with the answers' captions of now
    const QSize bar = m_cmdBar->sizeHint();
    const int width = std::max({int(Twips::toPixels(kWidthTwips)), bar.width(), needed});
    const int question = m_labTitle->heightForWidth(width);
    setFixedSize(width + 2 * kInputMargin,
                 qMax(bar.height() + question + 3 * kInputMargin, kInputMinHeight));
}

// The question goes back from the bar to this window before either ends.
frmInput::~frmInput()
{
    delete m_cmdBar;
}

std::span<const WindowCommand<frmInput>> frmInput::commands()
{
    static const WindowCommand<frmInput> records[] = {
        {.key = "OKYES",
         .bar = "STANDARD6",
         .icon = 0,
         .caption = 212,
         .handler = [](frmInput& w, CommandEntry*) { w.answer(1); },
         .captionInBar = true},
        {.key = "SEP13", .bar = "STANDARD6", .style = EntryStyle::Separator},
        {.key = "OKNO",
         .bar = "STANDARD6",
         .icon = 1,
         .caption = 214,
         .handler = [](frmInput& w, CommandEntry*) { w.answer(0); },
         .captionInBar = true},
    };
    return records;
}

void frmInput::applyTexts(CommandPool& pool, const CaptionTable& captions)
{
    CommandRecords::applyTexts(pool, commands(),
                               [&captions](int number) { return captions.text(number); });
}

void frmInput::cmdBar_ButtonClick(int, CommandEntry* entry)
{
    CommandRecords::dispatch(commands(), *this, entry);
}

void frmInput::answer(int value)
{
    done(value);
}
