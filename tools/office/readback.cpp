#include "readback.h"

#include "document.h"
#include "exports.h"
#include "office.h"
#include "uno.h"

#include <QJsonArray>
#include <QJsonObject>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// Enough of a sheet to check an export; a huge sheet is not printed whole.
constexpr sal_Int32 kMaxRows = 2000;
constexpr sal_Int32 kMaxColumns = 100;

QJsonObject readText(const Document& document)
{
    const Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    const Reference<beans::XPropertySet> style = firstPageStyle(document);
    bool landscape = false;
    bool headerOn = false;
    style->getPropertyValue(OUString("IsLandscape")) >>= landscape;
    style->getPropertyValue(OUString("HeaderIsOn")) >>= headerOn;
    QString header;
    if (headerOn) {
        const Reference<text::XText> headerText(style->getPropertyValue(OUString("HeaderText")),
                                                UNO_QUERY);
        if (headerText.is())
            header = toQString(headerText->getString());
    }
    const Reference<container::XIndexAccess> tables(
        document.as<text::XTextTablesSupplier>()->getTextTables(), UNO_QUERY_THROW);
    const int pictures = int(document.as<text::XTextGraphicObjectsSupplier>()
                                 ->getGraphicObjects()
                                 ->getElementNames()
                                 .getLength());
    return {{QStringLiteral("text"), toQString(body->getString())},
            {QStringLiteral("pictures"), pictures},
            {QStringLiteral("header"), header},
            {QStringLiteral("landscape"), landscape},
            {QStringLiteral("tables"), int(tables->getCount())}};
}

QJsonObject readCells(const Document& document)
{
    const Reference<container::XIndexAccess> sheets(
        document.as<sheet::XSpreadsheetDocument>()->getSheets(), UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
        const Reference<sheet::XSpreadsheet> sheet(sheets->getByIndex(i), UNO_QUERY_THROW);
        const table::CellRangeAddress area = usedArea(sheet);
        QJsonArray rows;
        bool any = false;
        for (sal_Int32 row = 0; row <= std::min(area.EndRow, kMaxRows); ++row) {
            QJsonArray cells;
            for (sal_Int32 column = 0; column <= std::min(area.EndColumn, kMaxColumns); ++column) {
                const Reference<text::XTextRange> cell(sheet->getCellByPosition(column, row),
                                                       UNO_QUERY_THROW);
                const QString value = toQString(cell->getString());
                any = any || !value.isEmpty();
                cells.append(value);
            }
            rows.append(cells);
        }
        if (any) {
            const OUString name = Reference<container::XNamed>(sheet, UNO_QUERY_THROW)->getName();
            return {{QStringLiteral("sheet"), toQString(name)},
                    {QStringLiteral("sheets"), int(sheets->getCount())},
                    {QStringLiteral("cells"), rows}};
        }
    }
    return {{QStringLiteral("sheets"), int(sheets->getCount())},
            {QStringLiteral("cells"), QJsonArray()}};
}

QJsonObject readPages(const Document& document)
{
    const Reference<drawing::XDrawPages> pages =
        document.as<drawing::XDrawPagesSupplier>()->getDrawPages();
    QJsonArray pictures;
    QJsonArray shapeCounts;
    QStringList texts;
    for (sal_Int32 i = 0; i < pages->getCount(); ++i) {
        const Reference<container::XIndexAccess> shapes(pages->getByIndex(i), UNO_QUERY_THROW);
        int count = 0;
        for (sal_Int32 j = 0; j < shapes->getCount(); ++j) {
            const Reference<drawing::XShape> shape(shapes->getByIndex(j), UNO_QUERY_THROW);
            if (Reference<lang::XServiceInfo>(shape, UNO_QUERY_THROW)
                    ->supportsService(OUString("com.sun.star.drawing.GraphicObjectShape")))
                ++count;
            const Reference<text::XTextRange> text(shape, UNO_QUERY);
            if (text.is() && !text->getString().isEmpty())
                texts.append(toQString(text->getString()));
        }
        pictures.append(count);
        shapeCounts.append(int(shapes->getCount()));
    }
    return {{QStringLiteral("pages"), int(pages->getCount())},
            {QStringLiteral("pictures"), pictures},
            {QStringLiteral("shapes"), shapeCounts},
            {QStringLiteral("text"), texts.join(QLatin1Char('\n'))}};
}

} // namespace

int readBack(const QString& file, const QString& profile)
{
    return runInOffice(profile, !profile.isEmpty(), [&file](const Office& office) {
        enter(OfficeStep::Open, kOpenBound);
        const Document document(loadModel(office.context(), file, file, nullptr, true));
        QJsonObject read;
        if (Reference<text::XTextDocument>(document.component(), UNO_QUERY).is())
            read = readText(document);
        else if (Reference<sheet::XSpreadsheetDocument>(document.component(), UNO_QUERY).is())
            read = readCells(document);
        else if (Reference<drawing::XDrawPagesSupplier>(document.component(), UNO_QUERY).is())
            read = readPages(document);
        OfficeAnswer done = OfficeAnswer::done();
        done.read = read;
        return done;
    });
}
