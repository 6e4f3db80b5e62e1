#pragma once

#include "platform/findbox.h"

#include <QPointer>

class BrowserView;

// The find bar of the shown page: type to search, Enter or the arrows for the next and the
// previous match, Escape to close it.
class FindBar : public FindBox {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent);

    // Shows the bar over the bottom of the view and puts the focus in its text box.
    void open(BrowserView* view);
    // The texts of the current language.
    void setTexts(const CaptionTable& captions);
    void close();

protected:
    void find(bool backward) override;
    void dismiss() override { close(); }

private:
    QPointer<BrowserView> m_view;
};
