#include "app/mainbars.h"

#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "commands/maincatalogue.h"

MainBars::MainBars(CommandPool& pool, QWidget* picBar, QWidget* window)
    : QObject(window), m_pool(pool), m_window(window), m_images(std::make_unique<ImageList>())
{
    for (int i = 0; i < 3; ++i) {
        auto* control = new CommandBarControl(i, picBar);
        control->setObjectName(QStringLiteral("cmdBar%1").arg(i));
        m_controls.append(control);
        attach(control);
        control->newInstanceRequest = [this](int) { return newInstance(); };
    }
    m_controls[2]->raise();
}

MainBars::~MainBars() = default;

CommandBarControl* MainBars::control(int i) const
{
    return i >= 0 && i < m_controls.size() ? m_controls[i] : nullptr;
}

void MainBars::build(const ProgramDir& dir, qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List)
{
    Load_Buttons(m_pool, *m_images, dir, Tab_Width, Tab1, Lang_List);
    Load_Bars(m_pool, Lang_List);
    CommandRecords::addShortcuts(m_pool, MainCatalogue::commands(), m_window,
                                 [this](CommandEntry* entry) { emit keyPressed(entry); });
}

void MainBars::bind(int Bar_Style)
{
    // The three toolbars; the menus are shown by the controls made later. The style and the
    // icons come before the entries, so that each toolbar is built and styled once.
    for (const MainBar& def : MainCatalogue::bars()) {
        if (def.control < 0 || def.control >= 3)
            continue;
        CommandBarControl* control = m_controls[def.control];
        control->setBarStyle(Bar_Style);
        if (def.control != 1)
            control->setImageList(m_images.get());
        control->setBar(m_pool.bar(QLatin1String(def.key)));
    }
}

void MainBars::setBarStyle(int style)
{
    for (int i = 0; i < 3; ++i)
        m_controls[i]->setBarStyle(style);
}

// A command bar asks for one more control, hidden, made like control 0: the first is control 3,
// which shows the drop-down menus.
CommandBarControl* MainBars::newInstance()
{
    const int n = static_cast<int>(m_controls.size());
    auto* control = new CommandBarControl(n, m_window);
    control->setObjectName(QStringLiteral("cmdBar%1").arg(n));
    control->setImageList(m_images.get());
    control->setBarStyle(m_controls[0]->barStyle());
    control->hide();
    attach(control);
    m_controls.append(control);
    return control;
}

void MainBars::attach(CommandBarControl* control)
{
    connect(control, &CommandBarControl::activated, this, &MainBars::activated);
    connect(control, &CommandBarControl::dropDownOpening, this, &MainBars::dropDownOpening);
    connect(control, &CommandBarControl::menuPaused, this, &MainBars::menuPaused);
    connect(control, &CommandBarControl::menuResumed, this, &MainBars::menuResumed);
}
