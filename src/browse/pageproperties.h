#pragma once

#include <QDialog>

class BrowserView;
class CaptionTable;

// The properties of the shown page: title, address, security, size of the document.
class PageProperties : public QDialog {
    Q_OBJECT
public:
    PageProperties(BrowserView* view, const CaptionTable& captions, QWidget* parent);
};
