#include "platform/findbox.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

FindBox::FindBox(QWidget* parent)
    : QWidget(parent), m_input(new QLineEdit(this)), m_result(new QLabel(this)),
      m_previous(new QToolButton(this)), m_next(new QToolButton(this)),
      m_done(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_input->setObjectName(QStringLiteral("FindText"));
    m_input->setClearButtonEnabled(true);
    m_input->installEventFilter(this);
    m_previous->setArrowType(Qt::UpArrow);
    m_next->setArrowType(Qt::DownArrow);
    m_done->setText(QStringLiteral("\u2715"));
    layout->addWidget(m_input, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_result);
    layout->addWidget(m_done);
    connect(m_input, &QLineEdit::textChanged, this, [this] { searchTextChanged(); });
    connect(m_previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(m_next, &QToolButton::clicked, this, [this] { find(false); });
    connect(m_done, &QToolButton::clicked, this, [this] { dismiss(); });
}

void FindBox::setTexts(const CaptionTable& captions, const QString& inputName)
{
    m_input->setAccessibleName(inputName);
    m_input->setPlaceholderText(inputName);
    const std::pair<QToolButton*, int> buttons[] = {{m_previous, CaptionNo::FindPrevious},
                                                    {m_next, CaptionNo::FindNext},
                                                    {m_done, CaptionNo::FindClose}};
    for (const auto& [button, number] : buttons) {
        button->setToolTip(captions[number]);
        button->setAccessibleName(captions[number]);
    }
    if (captions[CaptionNo::FindResult].contains(QLatin1String("%2")))
        m_resultFormat = captions[CaptionNo::FindResult];
}

QString FindBox::resultText() const
{
    return m_result->text();
}

void FindBox::showResult(int active, int total)
{
    m_result->setText(total > 0 ? m_resultFormat.arg(active).arg(total) : QString());
}

void FindBox::clearResult()
{
    m_result->clear();
}

bool FindBox::eventFilter(QObject* watched, QEvent* event)
{
    // Escape closes the box: it claims the key before a shortcut of the window can take it.
    if (watched == m_input && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
