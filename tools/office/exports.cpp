#include "exports.h"

#include "document.h"
#include "failure.h"
#include "links.h"
#include "markup.h"
#include "office.h"
#include "reporter.h"
#include "request.h"
#include "uno.h"
#include "watchdog.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCalculatable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets2.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <algorithm>
#include <optional>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const char* const kTextDocument = "com.sun.star.text.TextDocument";
const char* const kSpreadsheetDocument = "com.sun.star.sheet.SpreadsheetDocument";
const char* const kPresentationDocument = "com.sun.star.presentation.PresentationDocument";

// The office's number for a slide without placeholders.
constexpr sal_Int16 kBlankLayout = 20;

// The page's markup as UTF-8, with nothing left in it for the office to fetch and the pictures
// the browser supplied in their place; the office reads markup without a declared character set
// as Latin-1, so one is declared first.
QByteArray htmlBytes(const OfficeRequest& r)
{
    return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" +
           safeMarkup(r.html, r.pictures).toUtf8();
}

QStringList textLines(const QString& text)
{
    return QString(text)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .split(QLatin1Char('\n'));
}

// ---- word processor

void setLandscape(const Document& document)
{
    const Reference<beans::XPropertySet> style = firstPageStyle(document);
    sal_Int32 width = 0;
    sal_Int32 height = 0;
    style->getPropertyValue(OUString("Width")) >>= width;
    style->getPropertyValue(OUString("Height")) >>= height;
    style->setPropertyValue(OUString("IsLandscape"), Any(true));
    if (width < height) {
        style->setPropertyValue(OUString("Width"), Any(height));
        style->setPropertyValue(OUString("Height"), Any(width));
    }
}

// Empties the body: its tables and its text. Headers, footers and page styles stay.
void clearBody(const Document& document)
{
    const Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    const Reference<container::XIndexAccess> tables(
        document.as<text::XTextTablesSupplier>()->getTextTables(), UNO_QUERY_THROW);
    for (sal_Int32 i = tables->getCount() - 1; i >= 0; --i) {
        const Reference<text::XTextContent> table(tables->getByIndex(i), UNO_QUERY_THROW);
        if (table->getAnchor()->getText() == body)
            body->removeTextContent(table);
    }
    body->setString(OUString());
}

bool bodyIsEmpty(const Document& document)
{
    const Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    if (!toQString(body->getString()).trimmed().isEmpty())
        return false;
    if (document.as<text::XTextTablesSupplier>()->getTextTables()->hasElements())
        return false;
    return !document.as<text::XTextGraphicObjectsSupplier>()->getGraphicObjects()->hasElements();
}

// The page goes in at the start of the body through the office's HTML import, as a paste would
// put it at the cursor.
void insertHtml(const Office& office, const Document& document, const OfficeRequest& r)
{
    const Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    const Reference<document::XDocumentInsertable> cursor(
        body->createTextCursorByRange(body->getStart()), UNO_QUERY_THROW);
    cursor->insertDocumentFromURL(
        OUString("private:stream"),
        sequence({
            property("FilterName", OUString("HTML (StarWriter)")),
            property("InputStream", bytesStream(office.context(), htmlBytes(r))),
        }));
}

// Whatever of the page still refers outside the document after the import goes: a picture kept
// as a link (it would be fetched by whoever opens the document) and the fields that fetch or run
// something. The markup gives the office no cause for either; this holds should it make one.
void removeExternalReferences(const Document& document)
{
    const Reference<container::XIndexAccess> graphics(
        document.as<text::XTextGraphicObjectsSupplier>()->getGraphicObjects(), UNO_QUERY_THROW);
    for (sal_Int32 i = graphics->getCount() - 1; i >= 0; --i) {
        const Reference<beans::XPropertySet> graphic(graphics->getByIndex(i), UNO_QUERY_THROW);
        OUString link;
        try {
            graphic->getPropertyValue(OUString("GraphicURL")) >>= link;
        } catch (const uno::Exception&) {
            // Only a linked picture has an address to give.
        }
        if (!link.isEmpty()) {
            const Reference<text::XTextContent> content(graphic, UNO_QUERY_THROW);
            content->getAnchor()->getText()->removeTextContent(content);
        }
    }
    const Reference<container::XEnumeration> fields =
        document.as<text::XTextFieldsSupplier>()->getTextFields()->createEnumeration();
    QList<Reference<text::XTextContent>> outward;
    while (fields->hasMoreElements()) {
        const Reference<lang::XServiceInfo> field(fields->nextElement(), UNO_QUERY);
        if (!field.is())
            continue;
        for (const char* kind : {"DDE", "Macro", "Database", "DatabaseName", "DatabaseNextSet",
                                 "DatabaseNumberOfSet", "DatabaseSetNumber"}) {
            const QByteArray service = QByteArray("com.sun.star.text.TextField.") + kind;
            if (field->supportsService(OUString::createFromAscii(service.constData()))) {
                outward.append(Reference<text::XTextContent>(field, UNO_QUERY_THROW));
                break;
            }
        }
    }
    for (const Reference<text::XTextContent>& field : std::as_const(outward))
        field->getAnchor()->getText()->removeTextContent(field);
}

void insertText(const Document& document, const QString& text)
{
    const Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            body->insertControlCharacter(body->getEnd(), text::ControlCharacter::PARAGRAPH_BREAK,
                                         false);
        body->insertString(body->getEnd(), toOUString(lines[i]), false);
    }
}

// The template, or a new text document when there is none, for the word-processor and PDF
// exports.
Reference<lang::XComponent> openTemplate(const Office& office, const OfficeRequest& r)
{
    enter(OfficeStep::Open, kOpenBound);
    if (r.templatePath.isEmpty())
        return newModel(office.context(), kTextDocument);
    return loadModel(office.context(), r.templatePath,
                     QStringLiteral("the template %1").arg(r.templatePath), kTextDocument);
}

// The page in place of the template's body, on the template's pages.
void pasteIntoTemplate(const Office& office, const Document& document, const OfficeRequest& r)
{
    if (r.templatePath.isEmpty() && r.landscape)
        setLandscape(document);
    clearBody(document);

    enter(OfficeStep::Paste, kPasteBound);
    if (!r.html.isEmpty()) {
        insertHtml(office, document, r);
        removeExternalReferences(document);
    }
    if (bodyIsEmpty(document))
        insertText(document, r.text);
}

void exportWriter(const Office& office, const OfficeRequest& r)
{
    const Document document(openTemplate(office, r));
    pasteIntoTemplate(office, document, r);
    enter(OfficeStep::Save, kSaveBound);
    storeFile(document, r.target, "MS Word 97");
}

// A tagged PDF without bookmarks.
uno::Sequence<beans::PropertyValue> pdfSettings()
{
    return sequence({property("ExportBookmarks", false), property("UseTaggedPDF", true)});
}

void exportPdf(const Office& office, const OfficeRequest& r)
{
    const Document document(openTemplate(office, r));
    pasteIntoTemplate(office, document, r);
    enter(OfficeStep::Save, kSaveBound);
    // The companion never replaces a file: when its name is taken, it is made in a private
    // temporary folder and goes with it.
    const QFileInfo companion(r.companion);
    std::optional<QTemporaryDir> aside;
    if (companion.exists() || companion.isSymLink()) {
        aside.emplace();
        if (!aside->isValid())
            throw Failure{QStringLiteral("cannot make a temporary folder for the document "
                                         "beside the PDF: %1")
                              .arg(aside->errorString())};
        Watchdog::addTemporary(aside->path());
    }
    const auto removeAside = qScopeGuard([&aside] {
        if (aside) {
            const QString path = aside->path();
            aside.reset();
            Watchdog::removeTemporary(path);
        }
    });
    storeFile(document, aside ? aside->filePath(companion.fileName()) : r.companion, "MS Word 97",
              {}, false);
    enter(OfficeStep::Convert, kConvertBound);
    attachHiddenView(office.desktop(), document.component());
    storeFile(document, r.target, "writer_pdf_Export", pdfSettings());
}

// ---- spreadsheet

OUString newSheetName(const Reference<sheet::XSpreadsheets>& sheets)
{
    for (int n = int(sheets->getElementNames().getLength()) + 1;; ++n) {
        const OUString name = toOUString(QStringLiteral("Sheet%1").arg(n));
        if (!sheets->hasByName(name))
            return name;
    }
}

bool sheetIsEmpty(const Reference<sheet::XSpreadsheet>& sheet)
{
    const table::CellRangeAddress area = usedArea(sheet);
    return area.StartColumn == area.EndColumn && area.StartRow == area.EndRow &&
           sheet->getCellByPosition(area.StartColumn, area.StartRow)->getType() ==
               table::CellContentType_EMPTY;
}

// The office's HTML import makes a formula of every cell that begins with "=": each becomes the
// text it was made from, before anything is calculated, so that the cell shows what the page
// shows and nothing of the page runs (a formula can fetch from a server, read files of the user
// or tell about the system).
void formulasToText(const Document& page)
{
    page.as<sheet::XCalculatable>()->enableAutomaticCalculation(false);
    const Reference<container::XIndexAccess> sheets(
        page.as<sheet::XSpreadsheetDocument>()->getSheets(), UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
        const Reference<sheet::XCellRangesQuery> query(sheets->getByIndex(i), UNO_QUERY_THROW);
        const Reference<container::XEnumeration> cells =
            query->queryContentCells(sheet::CellFlags::FORMULA)->getCells()->createEnumeration();
        while (cells->hasMoreElements()) {
            const Reference<table::XCell> cell(cells->nextElement(), UNO_QUERY_THROW);
            Reference<text::XTextRange>(cell, UNO_QUERY_THROW)->setString(cell->getFormula());
        }
    }
}

// The page read by the office's HTML import for spreadsheets, so that its tables become cells,
// and its sheet copied into the workbook at `index` under `name`.
void insertHtmlSheet(const Office& office, const Reference<sheet::XSpreadsheets>& sheets,
                     sal_Int16 index, const OUString& name, const OfficeRequest& r)
{
    const Document page(
        readModel(office.context(), kSpreadsheetDocument, htmlBytes(r), "HTML (StarCalc)"));
    formulasToText(page);
    const Reference<container::XIndexAccess> pageSheets(
        page.as<sheet::XSpreadsheetDocument>()->getSheets(), UNO_QUERY_THROW);
    const OUString pageSheet =
        Reference<container::XNamed>(pageSheets->getByIndex(0), UNO_QUERY_THROW)->getName();
    const sal_Int32 at =
        Reference<sheet::XSpreadsheets2>(sheets, UNO_QUERY_THROW)
            ->importSheet(page.as<sheet::XSpreadsheetDocument>(), pageSheet, index);
    Reference<container::XNamed>(
        Reference<container::XIndexAccess>(sheets, UNO_QUERY_THROW)->getByIndex(at),
        UNO_QUERY_THROW)
        ->setName(name);
}

void exportCalc(const Office& office, const OfficeRequest& r)
{
    enter(OfficeStep::Open, kOpenBound);
    const Document book(newModel(office.context(), kSpreadsheetDocument));
    const Reference<sheet::XSpreadsheets> sheets =
        book.as<sheet::XSpreadsheetDocument>()->getSheets();
    // The new sheet goes in at the active sheet's place and becomes the active one: in a new
    // workbook that is the first place, and the first sheet is the one a workbook opens at.
    const sal_Int16 index = 0;
    const OUString name = newSheetName(sheets);

    enter(OfficeStep::Paste, kPasteBound);
    if (!r.html.isEmpty())
        insertHtmlSheet(office, sheets, index, name, r);
    else
        sheets->insertNewByName(name, index);
    const Reference<sheet::XSpreadsheet> sheet(sheets->getByName(name), UNO_QUERY_THROW);
    if (sheetIsEmpty(sheet)) {
        // As text: a line that begins with "=" is not made a formula.
        const QStringList lines = textLines(r.text);
        for (qsizetype row = 0; row < lines.size(); ++row)
            Reference<text::XTextRange>(sheet->getCellByPosition(0, sal_Int32(row)),
                                        UNO_QUERY_THROW)
                ->setString(toOUString(lines[row]));
    }

    enter(OfficeStep::Save, kSaveBound);
    storeFile(book, r.target, "MS Excel 97");
}

// ---- presentation

Reference<graphic::XGraphic> readPicture(const Office& office, const QString& path)
{
    const QString what = QStringLiteral("cannot read the picture %1").arg(path);
    if (!QFileInfo(path).isFile())
        throw Failure{what + QStringLiteral(": there is no such file")};
    Reference<graphic::XGraphic> picture;
    try {
        picture = graphic::GraphicProvider::create(office.context())
                      ->queryGraphic(sequence({property("URL", fileUrl(path))}));
    } catch (const uno::Exception& e) {
        throw Failure{what + QStringLiteral(": ") + describe(e)};
    }
    if (!picture.is())
        throw Failure{what + QStringLiteral(": not a picture the office can read")};
    return picture;
}

// Puts the picture on the slide as large as fits, centred, keeping its proportions.
void placePicture(const Document& document, const Reference<drawing::XDrawPage>& slide,
                  const Reference<graphic::XGraphic>& picture)
{
    const Reference<beans::XPropertySet> page(slide, UNO_QUERY_THROW);
    sal_Int32 pageWidth = 0;
    sal_Int32 pageHeight = 0;
    page->getPropertyValue(OUString("Width")) >>= pageWidth;
    page->getPropertyValue(OUString("Height")) >>= pageHeight;
    awt::Size pixels;
    Reference<beans::XPropertySet>(picture, UNO_QUERY_THROW)
        ->getPropertyValue(OUString("SizePixel")) >>= pixels;
    awt::Size size(pageWidth, pageHeight);
    if (pixels.Width > 0 && pixels.Height > 0) {
        const double scale =
            std::min(double(pageWidth) / pixels.Width, double(pageHeight) / pixels.Height);
        size = awt::Size(sal_Int32(pixels.Width * scale), sal_Int32(pixels.Height * scale));
    }

    const Reference<drawing::XShape> shape(
        document.as<lang::XMultiServiceFactory>()->createInstance(
            OUString("com.sun.star.drawing.GraphicObjectShape")),
        UNO_QUERY_THROW);
    slide->add(shape);
    Reference<beans::XPropertySet>(shape, UNO_QUERY_THROW)
        ->setPropertyValue(OUString("Graphic"), Any(picture));
    shape->setSize(size);
    shape->setPosition(awt::Point((pageWidth - size.Width) / 2, (pageHeight - size.Height) / 2));
}

int exportImpress(const Office& office, const OfficeRequest& r)
{
    enter(OfficeStep::Open, kOpenBound);
    const bool append = QFileInfo::exists(r.target);
    const Document document(
        append ? loadModel(office.context(), r.target, r.target, kPresentationDocument)
               : newModel(office.context(), kPresentationDocument));
    // A presentation that refers to content outside it would have the office fetch it from the
    // web, or read files of the user's, as soon as the slides are stored: it is left as it is.
    if (append) {
        constexpr qsizetype kNamed = 5;
        const QStringList links = externalLinks(document);
        if (!links.isEmpty())
            throw Failure{QStringLiteral("the presentation %1 refers to content outside it: %2")
                              .arg(r.target, links.mid(0, kNamed).join(QStringLiteral(", ")) +
                                                 (links.size() > kNamed ? QStringLiteral(", ...")
                                                                        : QString())),
                          OfficeRefusal::Links};
    }
    const Reference<drawing::XDrawPages> slides =
        document.as<drawing::XDrawPagesSupplier>()->getDrawPages();
    // A new presentation comes with one empty slide: the first export uses it.
    const Reference<drawing::XDrawPage> slide =
        append ? slides->insertNewByIndex(slides->getCount() - 1)
               : Reference<drawing::XDrawPage>(slides->getByIndex(0), UNO_QUERY_THROW);
    Reference<beans::XPropertySet>(slide, UNO_QUERY_THROW)
        ->setPropertyValue(OUString("Layout"), Any(kBlankLayout));

    enter(OfficeStep::Paste, kPasteBound);
    placePicture(document, slide, readPicture(office, r.image));

    enter(OfficeStep::Save, kSaveBound);
    storeFile(document, r.target, "MS PowerPoint 97");
    return int(slides->getCount());
}

int runExport(const Office& office, const OfficeRequest& r)
{
    switch (r.kind) {
    case OfficeRequest::Kind::Writer:
        exportWriter(office, r);
        break;
    case OfficeRequest::Kind::Pdf:
        exportPdf(office, r);
        break;
    case OfficeRequest::Kind::Calc:
        exportCalc(office, r);
        break;
    case OfficeRequest::Kind::Impress:
        return exportImpress(office, r);
    case OfficeRequest::Kind::Quit:
        break;
    }
    return -1;
}

} // namespace

void enter(OfficeStep step, std::chrono::milliseconds bound)
{
    Reporter::step(step);
    Watchdog::arm(step, bound);
}

int runInOffice(const QString& profile, bool keepOffice,
                const std::function<OfficeAnswer(const Office&)>& work)
{
    // Without a profile of its own the work gets a temporary one, and an office that ends.
    const QTemporaryDir temporary;
    if (profile.isEmpty())
        keepOffice = false;
    Office office(profile.isEmpty() ? temporary.path() : profile);
    QString error;
    OfficeRefusal refused = OfficeRefusal::None;
    bool officeBroken = false;
    try {
        enter(OfficeStep::Start, kStartBound);
        office.open();
        const OfficeAnswer answer = work(office);
        Watchdog::arm(Watchdog::step(), kCleanupBound);
        if (!keepOffice)
            office.terminate();
        Watchdog::disarm();
        Reporter::send(answer);
        return 0;
    } catch (const Failure& f) {
        error = f.message;
        refused = f.refused;
    } catch (const uno::RuntimeException& e) {
        // The bridge went down, or the office is in a state of its own: it is not reused.
        error = QStringLiteral("the office failed: %1").arg(describe(e));
        officeBroken = true;
    } catch (const uno::Exception& e) {
        error = describe(e);
    }

    const OfficeStep step = Watchdog::step();
    Reporter::finalFailure(step, error, false, refused);
    Watchdog::arm(step, kCleanupBound);
    if (officeBroken)
        office.kill();
    else if (!keepOffice)
        office.terminate();
    return 1;
}

int runRequest(const OfficeRequest& r)
{
    if (r.kind == OfficeRequest::Kind::Quit) {
        Office office(r.profile);
        Watchdog::arm(OfficeStep::Start, kStartBound);
        if (office.attach())
            office.terminate();
        else
            office.kill();
        Watchdog::disarm();
        Reporter::send(OfficeAnswer::done());
        return 0;
    }
    return runInOffice(r.profile, r.keepOffice, [&r](const Office& office) {
        OfficeAnswer done = OfficeAnswer::done();
        done.slides = std::max(runExport(office, r), 0);
        return done;
    });
}
