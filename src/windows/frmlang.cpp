#include "windows/frmlang.h"

#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "core/twips.h"
#include "platform/desktop.h"
#include "windows/codeeditor.h"
#include "windows/textfindbar.h"

#include <QDir>
#include <QFontDatabase>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kLangControl = 5;
constexpr int kLangTitle = 209;
constexpr int kNamePromptTitle = 211;
// Pixels of a title bar that its text cannot use: the icon and the buttons.
constexpr int kTitleBarButtons = 140;

} // namespace

frmLang::frmLang(const WindowContext& context, Ask ask, QWidget* parent)
    : QDialog(parent), m_context(context), m_ask(std::move(ask)),
      m_images(context.imageList({0, 18})), m_cmdBar(new CommandBarControl(kLangControl, this)),
      m_text(new CodeEditor(this)), m_findBar(new TextFindBar(m_text, this))
{
    const WindowContext& c = context;
    setObjectName(QStringLiteral("frmLang"));
    m_cmdBar->setObjectName(QStringLiteral("cmdBar%1").arg(kLangControl));
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->installEventFilter(this);
    setTexts();

    // Text1 below the bar, filling the rest of the window; half the screen wide and high.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_cmdBar);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_findBar);
    const QSize screen = Twips::screenSize();
    resize(Twips::toPixels(screen.width() / 2), Twips::toPixels(screen.height() / 2));

    CommandPool& pool = c.pool;
    CommandBar* bar = CommandRecords::buildBar(pool, "STANDARD5", commands());
    m_cmdBar->setImageList(m_images.get());
    m_cmdBar->setBar(bar);
    m_cmdBar->setBarStyle(c.options.Bar_Style);
    connect(m_cmdBar, &CommandBarControl::activated, this, &frmLang::cmdBar_ButtonClick);
    // A bar that asks for a further control (to show a menu) gets one after the highest.
    m_cmdBar->newInstanceRequest = [this](int) {
        auto* control = new CommandBarControl(kLangControl + 1, this);
        control->setImageList(m_images.get());
        control->setBarStyle(m_cmdBar->barStyle());
        control->hide();
        connect(control, &CommandBarControl::activated, this, &frmLang::cmdBar_ButtonClick);
        return control;
    };

    loadEnglish();
    m_modified = false;
    // Edits without a character key (the Delete key, pasting from the context menu, dropping
    // text) change the text as well: closing must not lose them without asking.
    connect(m_text->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed != 0 || added != 0)
                    m_modified = true;
            });

    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, m_findBar, &TextFindBar::open);
}

frmLang::~frmLang() = default;

void frmLang::loadEnglish()
{
    const WindowContext& c = m_context;
    const QString path = c.dir.path(ProgramFiles::languageFile(QStringLiteral("english")));
    TextFile::Result problem;
    const std::optional<QStringList> lines = TextFile::read(path, &problem);
    if (!lines) {
        // The editor opens empty; the user is told which file is missing when it is shown.
        m_loadProblem = problem ? FileMessages::languageFileUnreadable(c.captions, path)
                                : FileMessages::text(c.captions, problem);
        return;
    }
    m_english = NewLanguageFile::shapeOf(*lines);
    m_text->setPlainText(lines->join(QLatin1Char('\n')));
}

// The window's texts in the current language, also for a window loaded before a language switch.
void frmLang::setTexts()
{
    const CaptionTable& captions = m_context.captions;
    setWindowTitle(captions[kLangTitle]);
    m_text->setAccessibleName(captions.text(CaptionNo::LanguageText));
    m_findBar->setTexts(captions);
}

void frmLang::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setTexts();
    m_text->setFocus(Qt::OtherFocusReason);
    if (!m_loadProblem.isEmpty()) {
        // Said once the window stands, over it.
        QTimer::singleShot(0, this, [this, text = m_loadProblem] { report(text); });
        m_loadProblem.clear();
    }
}

bool frmLang::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        // Every key that types a character, Enter and Backspace included, counts as typing;
        // shortcuts such as Ctrl+C do not (those that change the text count as a change).
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if ((!typed.isEmpty() && typed.front().isPrint()) || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter || key->key() == Qt::Key_Backspace ||
            key->key() == Qt::Key_Tab)
            m_modified = true;
    }
    return QDialog::eventFilter(watched, event);
}

std::span<const WindowCommand<frmLang>> frmLang::commands()
{
    static const WindowCommand<frmLang> records[] = {
        {.key = "SEP1", .bar = "STANDARD5", .style = EntryStyle::Separator},
        {.key = "EXIT3",
         .bar = "STANDARD5",
         .icon = 0,
         .caption = 210,
         .handler = [](frmLang& w, CommandEntry*) { w.EXIT3(); },
         .captionInBar = true},
        {.key = "SEP13", .bar = "STANDARD5", .style = EntryStyle::Separator},
        {.key = "SAVE5",
         .bar = "STANDARD5",
         .icon = 1,
         .caption = 128,
         .handler = [](frmLang& w, CommandEntry*) { w.SAVE5(); },
         .captionInBar = true},
        {.key = "SEP2", .bar = "STANDARD5", .style = EntryStyle::Separator},
    };
    return records;
}

void frmLang::applyTexts(CommandPool& pool, const CaptionTable& captions)
{
    CommandRecords::applyTexts(pool, commands(),
                               [&captions](int number) { return captions.text(number); });
}

void frmLang::cmdBar_ButtonClick(int, CommandEntry* entry)
{
    CommandRecords::dispatch(commands(), *this, entry);
}

void frmLang::reject()
{
    EXIT3();
}

void frmLang::EXIT3()
{
    if (!m_modified) {
        done(QDialog::Rejected);
        return;
    }
    if (m_asking)
        return;
    m_asking = true;
    m_ask(this, [self = QPointer<frmLang>(this)](qint16 answer) {
        if (!self)
            return;
        self->m_asking = false;
        if (answer == 1)
            self->done(QDialog::Rejected);
    });
}

void frmLang::SAVE5()
{
    reportDifferences();
    auto* prompt = new QInputDialog(this);
    prompt->setObjectName(QStringLiteral("NamePrompt"));
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    const CaptionTable& captions = m_context.captions;
    prompt->setWindowTitle(captions[kNamePromptTitle]);
    prompt->setLabelText(captions.text(CaptionNo::LanguageNameLabel));
    prompt->setTextValue(QString());
    // Wide enough for its title beside the frame's buttons, which the window manager draws in a
    // bold font of about this size.
    QFont title = prompt->font();
    title.setBold(true);
    prompt->setMinimumWidth(
        qMax(prompt->sizeHint().width(),
             QFontMetrics(title).horizontalAdvance(prompt->windowTitle()) + kTitleBarButtons));
    connect(prompt, &QInputDialog::textValueSelected, this, &frmLang::saveAs);
    prompt->open();
}

void frmLang::saveAs(const QString& typed)
{
    if (typed.isEmpty())
        return;
    const CaptionTable& captions = m_context.captions;
    using NewLanguageFile::NameProblem;
    const NewLanguageFile::Name name = NewLanguageFile::check(typed);
    if (name.problem != NameProblem::None) {
        if (name.problem == NameProblem::Empty) {
            report(captions.textOrEnglish(CaptionNo::LanguageNameEmpty));
            return;
        }
        QString reason;
        switch (name.problem) {
        case NameProblem::PathSeparator:
            reason = captions.textOrEnglish(CaptionNo::NameHasSeparator);
            break;
        case NameProblem::Dot:
            reason = captions.textOrEnglish(CaptionNo::NameHasDot);
            break;
        case NameProblem::BadCharacter:
            reason = captions.textOrEnglish(CaptionNo::NameHasBadCharacter);
            break;
        case NameProblem::Invisible:
            reason = captions.textOrEnglish(CaptionNo::NameHasInvisible)
                         .arg(QStringLiteral("U+%1")
                                  .arg(uint(name.character), 4, 16, QLatin1Char('0'))
                                  .toUpper());
            break;
        case NameProblem::Device:
            reason = captions.textOrEnglish(CaptionNo::NameIsDevice);
            break;
        default:
            reason = captions.textOrEnglish(CaptionNo::NameIsReserved);
            break;
        }
        report(captions.textOrEnglish(CaptionNo::LanguageNameUnusable)
                   .arg(NewLanguageFile::shown(name.name), reason));
        return;
    }

    const NewLanguageFile::Saved saved = NewLanguageFile::save(
        m_context.dir, name.name, TextFile::splitLines(m_text->toPlainText()));
    QStringList problems;
    if (!saved.written)
        problems << FileMessages::text(captions, saved.written);
    for (const TextFile::Result& failure : saved.notRemoved)
        problems << FileMessages::text(captions, failure);
    if (!saved.written) {
        report(problems.join(QLatin1Char('\n')));
        return;
    }
    // What was saved is nothing to discard any more.
    m_modified = false;
    emit languageSaved();
    if (!problems.isEmpty())
        report(problems.join(QLatin1Char('\n')));
}

// What differs from the English file, said before the name is asked for; saving goes on.
void frmLang::reportDifferences()
{
    if (!m_english)
        return;
    const NewLanguageFile::Differences d = NewLanguageFile::compare(
        *m_english, NewLanguageFile::shapeOf(TextFile::splitLines(m_text->toPlainText())));
    if (!d.any())
        return;
    const CaptionTable& captions = m_context.captions;
    QStringList lines{captions.textOrEnglish(CaptionNo::LanguageDiffers)};
    if (d.captions != d.englishCaptions)
        lines << captions.textOrEnglish(CaptionNo::CaptionCountDiffers)
                     .arg(d.captions)
                     .arg(d.englishCaptions);
    for (const QString& key : d.missingKeys)
        lines << captions.textOrEnglish(CaptionNo::SettingMissing).arg(key);
    for (const QString& key : d.unknownKeys)
        lines << captions.textOrEnglish(CaptionNo::SettingUnknown).arg(key);
    report(lines.join(QStringLiteral("\n- ")));
}

void frmLang::report(const QString& text)
{
    m_context.desktop.report(this, text);
}
