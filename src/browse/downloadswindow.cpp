#include "browse/downloadswindow.h"

#include "browse/downloads.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

DownloadsWindow::DownloadsWindow(Downloads& downloads, Desktop& desktop,
                                 const CaptionTable& captions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_downloads(downloads), m_desktop(desktop), m_captions(captions),
      m_list(new QVBoxLayout)
{
    setObjectName(QStringLiteral("frmDownloads"));
    // Many transfers scroll; the window keeps its size.
    auto* scroll = new QScrollArea(this);
    m_scroll = scroll;
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* list = new QWidget(scroll);
    m_listWidget = list;
    auto* listLayout = new QVBoxLayout(list);
    listLayout->addLayout(m_list);
    listLayout->addStretch();
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    (new QVBoxLayout(this))->addWidget(scroll);
    resize(600, 200);
    connect(&m_downloads, &Downloads::changed, this, &DownloadsWindow::refresh);
    setTexts();
}

void DownloadsWindow::setTexts()
{
    setWindowTitle(m_captions.textOrEnglish(CaptionNo::DownloadsTitle));
    refresh();
}

void DownloadsWindow::addRow(int index)
{
    auto* line = new QHBoxLayout;
    Row row{new QLabel(this),      new QProgressBar(this), new QLabel(this),
            new QPushButton(this), new QPushButton(this),  new QPushButton(this)};
    // The name came from a page or a server, or was typed: plain text only.
    row.name->setTextFormat(Qt::PlainText);
    row.state->setTextFormat(Qt::PlainText);
    row.name->setMinimumWidth(160);
    row.bar->setRange(0, 100);
    line->addWidget(row.name, 1);
    line->addWidget(row.bar, 1);
    line->addWidget(row.state);
    line->addWidget(row.cancel);
    line->addWidget(row.open);
    line->addWidget(row.folder);
    m_list->addLayout(line);
    connect(row.cancel, &QPushButton::clicked, this, [this, index] { m_downloads.cancel(index); });
    connect(row.open, &QPushButton::clicked, this, [this, index] {
        m_desktop.openOrReport(this, QUrl::fromLocalFile(m_downloads.transfers()[index].target),
                               m_captions);
    });
    connect(row.folder, &QPushButton::clicked, this, [this, index] {
        m_desktop.openOrReport(
            this, QUrl::fromLocalFile(QFileInfo(m_downloads.transfers()[index].target).path()),
            m_captions);
    });
    m_rows.append(row);
}

void DownloadsWindow::refresh()
{
    const QList<Downloads::Transfer>& transfers = m_downloads.transfers();
    while (m_rows.size() < transfers.size())
        addRow(int(m_rows.size()));
    const QLocale locale;
    for (qsizetype i = 0; i < transfers.size(); ++i) {
        const Downloads::Transfer& t = transfers[i];
        const Row& row = m_rows[i];
        row.name->setText(QFileInfo(t.target).fileName());
        row.name->setToolTip(QDir::toNativeSeparators(t.target));
        const bool running = t.state == Downloads::State::Running;
        const bool done = t.state == Downloads::State::Done;
        row.bar->setValue(done ? 100 : t.total > 0 ? int(t.received * 100 / t.total) : 0);
        row.bar->setVisible(running || done);
        QString state;
        switch (t.state) {
        case Downloads::State::Running:
            state = t.total > 0 ? m_captions.textOrEnglish(CaptionNo::DownloadProgress)
                                      .arg(locale.formattedDataSize(t.received),
                                           locale.formattedDataSize(t.total))
                                : locale.formattedDataSize(t.received);
            break;
        case Downloads::State::Done:
            state = m_captions.textOrEnglish(CaptionNo::DownloadDone);
            break;
        case Downloads::State::Cancelled:
            state = m_captions.textOrEnglish(CaptionNo::DownloadCancelled);
            break;
        case Downloads::State::Failed:
            state = m_captions.textOrEnglish(CaptionNo::DownloadFailedRow).arg(t.why);
            break;
        }
        row.state->setText(state);
        row.cancel->setText(m_captions.textOrEnglish(CaptionNo::DownloadCancel));
        row.open->setText(m_captions.textOrEnglish(CaptionNo::DownloadOpen));
        row.folder->setText(m_captions.textOrEnglish(CaptionNo::DownloadShowInFolder));
        row.cancel->setVisible(running);
        row.open->setVisible(done);
        row.folder->setVisible(done);
    }
    // The window widens for its rows rather than scroll sideways.
    m_listWidget->layout()->activate();
    m_scroll->setMinimumWidth(m_listWidget->minimumSizeHint().width() +
                              m_scroll->verticalScrollBar()->sizeHint().width());
}
