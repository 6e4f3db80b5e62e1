#include "templates.h"

#include "document.h"
#include "exports.h"
#include "office.h"
#include "uno.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// In hundredths of a millimetre.
constexpr sal_Int32 kA4Short = 21000;
constexpr sal_Int32 kA4Long = 29700;
constexpr sal_Int32 kMargin = 2000;
constexpr sal_Int32 kHeaderGap = 500;

void setUpPage(const Document& document, bool landscape)
{
    const Reference<beans::XPropertySet> style = firstPageStyle(document);

    style->setPropertyValue(OUString("IsLandscape"), Any(landscape));
    style->setPropertyValue(OUString("Width"), Any(landscape ? kA4Long : kA4Short));
    style->setPropertyValue(OUString("Height"), Any(landscape ? kA4Short : kA4Long));
    for (const char* side : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"})
        style->setPropertyValue(OUString::createFromAscii(side), Any(kMargin));

    style->setPropertyValue(OUString("HeaderIsOn"), Any(true));
    style->setPropertyValue(OUString("HeaderBodyDistance"), Any(kHeaderGap));
    const Reference<text::XText> header(style->getPropertyValue(OUString("HeaderText")),
                                        UNO_QUERY_THROW);
    header->setString(OUString("OrvelQuorvink"));
}

} // namespace

int makeTemplate(const QString& file, bool landscape, const QString& profile)
{
    return runInOffice(profile, !profile.isEmpty(), [&](const Office& office) {
        enter(OfficeStep::Open, kOpenBound);
        const Document document(newModel(office.context(), "com.sun.star.text.TextDocument"));
        setUpPage(document, landscape);
        enter(OfficeStep::Save, kSaveBound);
        storeFile(document, file, "MS Word 97");
        return OfficeAnswer::done();
    });
}
