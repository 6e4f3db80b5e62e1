#pragma once

#include <QList>
#include <QWidget>

class CaptionTable;
class Desktop;
class Downloads;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The small window of the downloads: each transfer with its file name, progress and Cancel;
// once done, Open and Show in folder. It follows the transfers while it is open.
class DownloadsWindow : public QWidget {
    Q_OBJECT
public:
    DownloadsWindow(Downloads& downloads, Desktop& desktop, const CaptionTable& captions,
                    QWidget* parent);

    // The rows as they stand, for the transfers in order.
    struct Row {
        QLabel* name;
        QProgressBar* bar;
        QLabel* state;
        QPushButton* cancel;
        QPushButton* open;
        QPushButton* folder;
    };
    const QList<Row>& rows() const { return m_rows; }
    // The captions of the current language.
    void setTexts();

private:
    void refresh();
    void addRow(int index);

    Downloads& m_downloads;
    Desktop& m_desktop;
    const CaptionTable& m_captions;
    QVBoxLayout* m_list;
    QWidget* m_listWidget = nullptr;
    QScrollArea* m_scroll = nullptr;
    QList<Row> m_rows;
};
