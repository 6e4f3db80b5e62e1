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
    : QWidget(parent), cmdMoveL(new QToolButton(this)), statusBar(new QLabel(this)),
      timeBar(new QLabel(this)), progressBar(new QProgressBar(this)),
      cmdMove(new QToolButton(this)), m_window(window)
{
    setObjectName(QStringLiteral("picStat"));
    cmdMoveL->setObjectName(QStringLiteral("cmdMoveL"));
    cmdMove->setObjectName(QStringLiteral("cmdMove"));
    statusBar->setObjectName(QStringLiteral("statusBar"));
    timeBar->setObjectName(QStringLiteral("timeBar"));
    progressBar->setObjectName(QStringLiteral("progressBar"));
    for (QToolButton* button : {cmdMoveL, cmdMove}) {
        button->setAutoRaise(true);
        button->setCursor(Qt::SizeAllCursor);
        button->installEventFilter(this);
    }
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(kRepaintMs);
    connect(&m_repaint, &QTimer::timeout, this, [this] {
        statusBar->setUpdatesEnabled(true);
        progressBar->setUpdatesEnabled(true);
    });
    statusBar->setTextFormat(Qt::PlainText);
    statusBar->setIndent(4);
    timeBar->setTextFormat(Qt::PlainText);
    timeBar->setAlignment(Qt::AlignCenter);
    timeBar->setFrameShape(QFrame::StyledPanel);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
}

void BottomStrip::setTexts(const CaptionTable& captions)
{
    const QString drag = captions[CaptionNo::DragButtons];
    for (QToolButton* button : {cmdMoveL, cmdMove}) {
        button->setToolTip(drag);
        button->setAccessibleName(drag);
    }
    statusBar->setAccessibleName(captions[CaptionNo::StatusText]);
    progressBar->setAccessibleName(captions[CaptionNo::Progress]);
}

void BottomStrip::setDragIcons(const ImageList& images)
{
    cmdMove->setIcon(images.icon(121));
    cmdMoveL->setIcon(images.icon(122));
}

void BottomStrip::setDate(const QString& Today_Str)
{
    timeBar->setText(Today_Str);
}

void BottomStrip::holdRepaint()
{
    if (m_repaint.isActive())
        return;
    statusBar->setUpdatesEnabled(false);
    progressBar->setUpdatesEnabled(false);
    m_repaint.start();
}

void BottomStrip::setStatus(const QString& text)
{
    if (statusBar->text() == text)
        return;
    holdRepaint();
    statusBar->setText(text);
}

void BottomStrip::setProgress(int value)
{
    if (progressBar->value() == value)
        return;
    holdRepaint();
    progressBar->setValue(value);
}

bool BottomStrip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == cmdMove || watched == cmdMoveL)) {
        if (QWindow* handle = m_window->windowHandle())
            handle->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
