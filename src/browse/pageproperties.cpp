#include "browse/pageproperties.h"

#include "browse/browserview.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QUrl>
#include <QWebEngineView>

PageProperties::PageProperties(BrowserView* view, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PageProperties"));
    const QWebEnginePage* page = view->widget()->page();
    setWindowTitle(page->title());
    auto* form = new QFormLayout(this);
    auto addRow = [form](const QString& label, const QString& value) {
        auto* text = new QLabel(value);
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        text->setAccessibleName(label);
        form->addRow(label, text);
    };
    const QUrl url = page->url();
    addRow(tr("Title"), page->title());
    addRow(tr("Address"), url.toString());
    addRow(tr("Protocol"), url.scheme());
    const QSizeF size = page->contentsSize();
    addRow(tr("Size"), tr("%1 x %2 pixels").arg(qRound(size.width())).arg(qRound(size.height())));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    form->addRow(buttons);
}
