#include "browse/pageproperties.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QUrl>
#include <QWebEngineView>

PageProperties::PageProperties(BrowserView* view, const CaptionTable& captions, QWidget* parent)
    : QDialog(parent)
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
    addRow(captions[CaptionNo::PageTitle], page->title());
    addRow(captions[CaptionNo::AddressBox], url.toString());
    addRow(captions[CaptionNo::PageProtocol], url.scheme());
    const QSizeF size = page->contentsSize();
    addRow(captions[CaptionNo::PageSize],
           captions[CaptionNo::PageSizeValue].arg(qRound(size.width())).arg(qRound(size.height())));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    form->addRow(buttons);
}
