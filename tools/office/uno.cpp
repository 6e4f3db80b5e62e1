#include "uno.h"

#include "failure.h"

#include <QFileInfo>
#include <QUrl>

#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XCloseable.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<uno::XInterface> create(const Reference<uno::XComponentContext>& context,
                                  const char* service)
{
    return context->getServiceManager()->createInstanceWithContext(
        OUString::createFromAscii(service), context);
}

OUString propertyOf(const Sequence<beans::PropertyValue>& properties, const char* name)
{
    OUString value;
    for (const beans::PropertyValue& p : properties) {
        if (p.Name.equalsAscii(name))
            p.Value >>= value;
    }
    return value;
}

Reference<lang::XComponent> loadInto(const Reference<uno::XComponentContext>& context,
                                     const OUString& service,
                                     const Sequence<beans::PropertyValue>& descriptor,
                                     const QString& what)
{
    try {
        const Reference<frame::XLoadable> model(
            context->getServiceManager()->createInstanceWithContext(service, context),
            UNO_QUERY_THROW);
        model->load(descriptor);
        return Reference<lang::XComponent>(model, UNO_QUERY_THROW);
    } catch (const io::IOException& e) {
        throw Failure{QStringLiteral("cannot open %1: %2").arg(what, describe(e))};
    } catch (const lang::IllegalArgumentException& e) {
        throw Failure{QStringLiteral("cannot open %1: %2").arg(what, describe(e))};
    }
}

Sequence<beans::PropertyValue> withProperty(Sequence<beans::PropertyValue> properties,
                                            const beans::PropertyValue& added)
{
    const sal_Int32 n = properties.getLength();
    properties.realloc(n + 1);
    properties.getArray()[n] = added;
    return properties;
}

} // namespace

OUString toOUString(const QString& text)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

QString toQString(const OUString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

OUString fileUrl(const QString& path)
{
    return toOUString(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

QString describe(const uno::Exception& e)
{
    const QString message = toQString(e.Message).trimmed();
    return message.isEmpty() ? QStringLiteral("the office reported an error") : message;
}

Reference<lang::XComponent> newModel(const Reference<uno::XComponentContext>& context,
                                     const char* service)
{
    const Reference<frame::XLoadable> model(create(context, service), UNO_QUERY_THROW);
    model->initNew();
    return Reference<lang::XComponent>(model, UNO_QUERY_THROW);
}

Reference<lang::XComponent> loadModel(const Reference<uno::XComponentContext>& context,
                                      const QString& path, const QString& what, const char* service,
                                      bool readOnly)
{
    if (!QFileInfo(path).isFile())
        throw Failure{QStringLiteral("cannot open %1: there is no such file").arg(what)};
    Sequence<beans::PropertyValue> descriptor = sequence({
        property("URL", fileUrl(path)),
        property("ReadOnly", readOnly),
        property("MacroExecutionMode", document::MacroExecMode::NEVER_EXECUTE),
        property("UpdateDocMode", document::UpdateDocMode::NO_UPDATE),
    });

    // A bare model does not detect what it is given: the office's type detection names the
    // filter, and the filter the kind of document it makes.
    const Reference<document::XTypeDetection> detection(
        create(context, "com.sun.star.document.TypeDetection"), UNO_QUERY_THROW);
    const OUString type = detection->queryTypeByDescriptor(descriptor, true);
    OUString filter;
    OUString documentService;
    try {
        Sequence<beans::PropertyValue> typeProperties;
        Reference<container::XNameAccess>(detection, UNO_QUERY_THROW)->getByName(type) >>=
            typeProperties;
        filter = propertyOf(typeProperties, "PreferredFilter");
        Sequence<beans::PropertyValue> filterProperties;
        Reference<container::XNameAccess>(create(context, "com.sun.star.document.FilterFactory"),
                                          UNO_QUERY_THROW)
            ->getByName(filter) >>= filterProperties;
        documentService = propertyOf(filterProperties, "DocumentService");
    } catch (const container::NoSuchElementException&) {
    }
    if (filter.isEmpty() || documentService.isEmpty())
        throw Failure{
            QStringLiteral("cannot open %1: the office does not know its format").arg(what)};
    if (service && !documentService.equalsAscii(service))
        throw Failure{QStringLiteral("cannot open %1: it is a document of another kind (%2)")
                          .arg(what, toQString(documentService))};
    return loadInto(context, documentService,
                    withProperty(descriptor, property("FilterName", filter)), what);
}

Reference<io::XInputStream> bytesStream(const Reference<uno::XComponentContext>& context,
                                        const QByteArray& bytes)
{
    return Reference<io::XInputStream>(
        io::SequenceInputStream::createStreamFromSequence(
            context, Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(bytes.constData()),
                                        sal_Int32(bytes.size()))),
        UNO_QUERY_THROW);
}

Reference<lang::XComponent> readModel(const Reference<uno::XComponentContext>& context,
                                      const char* service, const QByteArray& bytes,
                                      const char* filter)
{
    return loadInto(context, OUString::createFromAscii(service),
                    sequence({
                        property("URL", OUString("private:stream")),
                        property("InputStream", bytesStream(context, bytes)),
                        property("FilterName", OUString::createFromAscii(filter)),
                    }),
                    QStringLiteral("the page"));
}

void attachHiddenView(const Reference<frame::XDesktop2>& desktop,
                      const Reference<lang::XComponent>& document)
{
    desktop->loadComponentFromURL(
        OUString("private:object"), OUString("_blank"), 0,
        sequence({
            property("Model", Reference<frame::XModel>(document, UNO_QUERY_THROW)),
            property("Hidden", true),
        }));
}

void storeTo(const Reference<lang::XComponent>& document, const QString& path, const char* filter,
             const QString& target, const Sequence<beans::PropertyValue>& filterData)
{
    const Reference<frame::XStorable> storable(document, UNO_QUERY_THROW);
    Sequence<beans::PropertyValue> arguments = sequence({
        property("FilterName", OUString::createFromAscii(filter)),
        property("Overwrite", true),
    });
    if (filterData.hasElements())
        arguments = withProperty(arguments, property("FilterData", filterData));
    try {
        storable->storeToURL(fileUrl(path), arguments);
    } catch (const io::IOException& e) {
        throw Failure{QStringLiteral("cannot write the file %1: %2").arg(target, describe(e))};
    }
}

void closeDocument(Reference<lang::XComponent>& document) noexcept
{
    if (!document.is())
        return;
    try {
        const Reference<util::XCloseable> closeable(document, uno::UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
        else
            document->dispose();
    } catch (const uno::Exception&) {
        // A document that refuses to close, or an office that went away, is left to the end of
        // the office.
    }
    document.clear();
}
