#include "platform/findbox.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

FindBox::FindBox(QWidget* parent) : QWidget(parent) {}

void FindBox::build()
{
    if (m_input)
        return;
    m_input = new QLineEdit(this);
    m_result = new QLabel(this);
    m_previous = new QToolButton(this);
    m_next = new QToolButton(this);
    m_done = new QToolButton(this);
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
    applyTexts();
}

QLineEdit* FindBox::input() const
{
    const_cast<FindBox*>(this)->build();
    return m_input;
}

void FindBox::setVisible(bool visible)
{
    if (visible)
        build();
    QWidget::setVisible(visible);
}

QSize FindBox::sizeHint() const
{
    const_cast<FindBox*>(this)->build();
    return QWidget::sizeHint();
}

void FindBox::setTexts(const CaptionTable& captions, const QString& inputName)
{
    m_inputName = inputName;
    m_buttonTexts[0] = captions[CaptionNo::FindPrevious];
    m_buttonTexts[1] = captions[CaptionNo::FindNext];
    m_buttonTexts[2] = captions[CaptionNo::FindClose];
    if (captions[CaptionNo::FindResult].contains(QLatin1String("%2")))
        m_resultFormat = captions[CaptionNo::FindResult];
    applyTexts();
}

void FindBox::applyTexts()
{
    if (!m_input)
        return;
    m_input->setAccessibleName(m_inputName);
    m_input->setPlaceholderText(m_inputName);
    QToolButton* const buttons[] = {m_previous, m_next, m_done};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setToolTip(m_buttonTexts[i]);
        buttons[i]->setAccessibleName(m_buttonTexts[i]);
    }
}

QString FindBox::resultText() const
{
    return m_result ? m_result->text() : QString();
}

void FindBox::showResult(int active, int total)
{
    build();
    m_result->setText(total > 0 ? m_resultFormat.arg(active).arg(total) : QString());
}

void FindBox::clearResult()
{
    if (m_result)
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
