#include "links.h"

#include "document.h"
#include "uno.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XMasterPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/presentation/XHandoutMasterSupplier.hpp>
#include <com/sun/star/presentation/XPresentationPage.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

OUString textProperty(const Reference<beans::XPropertySet>& shape,
                      const Reference<beans::XPropertySetInfo>& info, const char* name)
{
    OUString value;
    const OUString key = OUString::createFromAscii(name);
    if (info.is() && info->hasPropertyByName(key))
        shape->getPropertyValue(key) >>= value;
    return value;
}

// The address a linked picture was read from; the picture itself is not asked for its pixels,
// which would fetch it.
void pictureLink(const Reference<beans::XPropertySet>& shape,
                 const Reference<beans::XPropertySetInfo>& info, QStringList* links)
{
    if (!info->hasPropertyByName(OUString("Graphic")))
        return;
    Reference<graphic::XGraphic> picture;
    shape->getPropertyValue(OUString("Graphic")) >>= picture;
    const Reference<beans::XPropertySet> descriptor(picture, UNO_QUERY);
    if (!descriptor.is())
        return;
    const Reference<beans::XPropertySetInfo> about = descriptor->getPropertySetInfo();
    bool linked = false;
    if (about.is() && about->hasPropertyByName(OUString("Linked")))
        descriptor->getPropertyValue(OUString("Linked")) >>= linked;
    const OUString origin = textProperty(descriptor, about, "OriginURL");
    if (linked || !origin.isEmpty())
        links->append(origin.isEmpty() ? QStringLiteral("a linked picture") : toQString(origin));
}

void collect(const Reference<drawing::XShapes>& shapes, QStringList* links)
{
    if (!shapes.is())
        return;
    for (sal_Int32 i = 0; i < shapes->getCount(); ++i) {
        const Reference<beans::XPropertySet> shape(shapes->getByIndex(i), UNO_QUERY);
        if (!shape.is())
            continue;
        const Reference<beans::XPropertySetInfo> info = shape->getPropertySetInfo();
        if (!info.is())
            continue;
        pictureLink(shape, info, links);
        // Media kept in the document are addressed within its package.
        const OUString media = textProperty(shape, info, "MediaURL");
        if (!media.isEmpty() && !media.startsWithIgnoreAsciiCase("vnd.sun.star.Package:"))
            links->append(toQString(media));
        const OUString object = textProperty(shape, info, "LinkURL");
        if (!object.isEmpty())
            links->append(toQString(object));
        // A group holds shapes of its own.
        collect(Reference<drawing::XShapes>(shape, UNO_QUERY), links);
    }
}

void collectPages(const Reference<drawing::XDrawPages>& pages, bool notes, QStringList* links)
{
    if (!pages.is())
        return;
    for (sal_Int32 i = 0; i < pages->getCount(); ++i) {
        const Reference<drawing::XShapes> page(pages->getByIndex(i), UNO_QUERY);
        collect(page, links);
        const Reference<presentation::XPresentationPage> slide(page, UNO_QUERY);
        if (notes && slide.is())
            collect(Reference<drawing::XShapes>(slide->getNotesPage(), UNO_QUERY), links);
    }
}

} // namespace

QStringList externalLinks(const Document& presentation)
{
    QStringList links;
    collectPages(presentation.as<drawing::XDrawPagesSupplier>()->getDrawPages(), true, &links);
    collectPages(presentation.as<drawing::XMasterPagesSupplier>()->getMasterPages(), true, &links);
    const Reference<presentation::XHandoutMasterSupplier> handout(presentation.component(),
                                                                  UNO_QUERY);
    if (handout.is())
        collect(Reference<drawing::XShapes>(handout->getHandoutMasterPage(), UNO_QUERY), &links);
    links.removeDuplicates();
    return links;
}
