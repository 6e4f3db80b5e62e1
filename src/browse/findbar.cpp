#include "browse/findbar.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

FindBar::FindBar(QWidget* parent)
    : QWidget(parent), m_input(new QLineEdit(this)), m_result(new QLabel(this)),
      m_previous(new QToolButton(this)), m_next(new QToolButton(this)),
      m_done(new QToolButton(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setAutoFillBackground(true);
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
    connect(m_input, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(m_previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(m_next, &QToolButton::clicked, this, [this] { find(false); });
    connect(m_done, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::setTexts(const CaptionTable& captions)
{
    m_input->setAccessibleName(captions[CaptionNo::FindInPage]);
    m_input->setPlaceholderText(captions[CaptionNo::FindInPage]);
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

void FindBar::open(BrowserView* view)
{
    if (!view)
        return;
    m_view = view;
    const QRect area = view->widget()->geometry();
    const int h = sizeHint().height();
    setGeometry(area.x(), area.bottom() - h + 1, qMin(area.width(), 480), h);
    show();
    raise();
    m_input->setFocus(Qt::ShortcutFocusReason);
    m_input->selectAll();
}

void FindBar::close()
{
    if (m_view)
        m_view->widget()->page()->findText(QString());
    hide();
    if (m_view)
        m_view->focus();
}

QString FindBar::resultText() const
{
    return m_result->text();
}

void FindBar::find(bool backward)
{
    if (!m_view)
        return;
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    QPointer<QLabel> result = m_result;
    m_view->widget()->page()->findText(
        m_input->text(), flags, [result, format = m_resultFormat](const QWebEngineFindTextResult& r) {
            if (!result)
                return;
            result->setText(r.numberOfMatches() > 0
                                ? format.arg(r.activeMatch()).arg(r.numberOfMatches())
                                : QString());
        });
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
