#include "app/bottomstrip.h"

#include "commandbar/imagelist.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QWindow>

BottomStrip::BottomStrip(QWidget* window, QWidget* parent)
    : QWidget(parent), m_cmdMoveL(new QToolButton(this)), m_statusBar(new QLabel(this)),
      m_timeBar(new QLabel(this)), m_progressBar(new QProgressBar(this)),
      m_cmdMove(new QToolButton(this)), m_cmdCancel(new QToolButton(this)), m_window(window)
{
    setObjectName(QStringLiteral("picStat"));
    m_cmdMoveL->setObjectName(QStringLiteral("cmdMoveL"));
    m_cmdMove->setObjectName(QStringLiteral("cmdMove"));
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_timeBar->setObjectName(QStringLiteral("timeBar"));
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    for (QToolButton* button : {m_cmdMoveL, m_cmdMove}) {
        button->setAutoRaise(true);
        button->setCursor(Qt::SizeAllCursor);
        button->installEventFilter(this);
    }
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(kRepaintMs);
    connect(&m_repaint, &QTimer::timeout, this, [this] {
        m_statusBar->setUpdatesEnabled(true);
        m_progressBar->setUpdatesEnabled(true);
    });
    m_statusBar->setTextFormat(Qt::PlainText);
    m_statusBar->setIndent(4);
    m_timeBar->setTextFormat(Qt::PlainText);
    m_timeBar->setAlignment(Qt::AlignCenter);
    m_timeBar->setFrameShape(QFrame::StyledPanel);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_cmdCancel->hide();
    connect(m_cmdCancel, &QToolButton::clicked, this, &BottomStrip::cancelRequested);
}

void BottomStrip::place(const QRect& cmdMoveL, const QRect& statusBar, const QRect& timeBar,
                        const QRect& progressBar, const QRect& cmdMove)
{
    m_cmdMoveL->setGeometry(cmdMoveL);
    m_statusBar->setGeometry(statusBar);
    m_timeBar->setGeometry(timeBar);
    m_progressBar->setGeometry(progressBar);
    m_cmdMove->setGeometry(cmdMove);
}

void BottomStrip::setTexts(const CaptionTable& captions)
{
    const QString drag = captions[CaptionNo::DragButtons];
    for (QToolButton* button : {m_cmdMoveL, m_cmdMove}) {
        button->setToolTip(drag);
        button->setAccessibleName(drag);
    }
    // The status text is its own name, so that screen readers read it and hear of each change
    // (a label without a name of its own tells them when its text changes); what it is goes in
    // the description.
    m_statusBar->setAccessibleDescription(captions.textOrEnglish(CaptionNo::StatusText));
    m_cmdCancel->setText(captions[CaptionNo::CancelOffice]);
    m_cmdCancel->setAccessibleName(captions[CaptionNo::CancelOffice]);
    m_progressBar->setAccessibleName(captions[CaptionNo::Progress]);
}

void BottomStrip::setDragIcons(const ImageList& images)
{
    m_cmdMove->setIcon(images.icon(121));
    m_cmdMoveL->setIcon(images.icon(122));
}

void BottomStrip::setDate(const QString& Today_Str)
{
    m_timeBar->setText(Today_Str);
}

void BottomStrip::showCancel(bool shown)
{
    if (shown) {
        m_cmdCancel->setGeometry(m_timeBar->geometry());
        m_cmdCancel->raise();
    }
    m_cmdCancel->setVisible(shown);
}

void BottomStrip::holdRepaint()
{
    if (m_repaint.isActive())
        return;
    m_statusBar->setUpdatesEnabled(false);
    m_progressBar->setUpdatesEnabled(false);
    m_repaint.start();
}

void BottomStrip::setStatus(const QString& text)
{
    if (m_statusBar->text() == text)
        return;
    holdRepaint();
    m_statusBar->setText(text);
}

void BottomStrip::setProgress(int value)
{
    if (m_progressBar->value() == value)
        return;
    holdRepaint();
    m_progressBar->setValue(value);
}

bool BottomStrip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_cmdMove || watched == m_cmdMoveL)) {
        if (QWindow* handle = m_window->windowHandle())
            handle->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
