#pragma once

#include <QString>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include <initializer_list>

// Small helpers over the UNO C++ API shared by the exports, the read-back and the templates.
//
// Documents are made as bare models, with no frame and no view: nothing is laid out for a
// screen while a page is put in (with a view, the office's HTML import stops at every
// paragraph to look at the visible area, and a 20 MB page takes minutes instead of seconds),
// and no part of the office's user interface is ever built (the -nogui packages lack the
// files a spreadsheet view builds its input line from, and the office aborts).

using rtl::OUString;

OUString toOUString(const QString& text);
QString toQString(const OUString& text);
OUString fileUrl(const QString& path);
// The message of a UNO exception, or a general text when it has none.
QString describe(const css::uno::Exception& e);

// The UNO sequence of the items (its own list constructor is internal to the office).
template <class E> css::uno::Sequence<E> sequence(std::initializer_list<E> items)
{
    return css::uno::Sequence<E>(items.begin(), sal_Int32(items.size()));
}

template <class T> css::beans::PropertyValue property(const char* name, const T& value)
{
    css::beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value <<= value;
    return p;
}

// A new, empty document of the service ("com.sun.star.text.TextDocument", ...).
css::uno::Reference<css::lang::XComponent>
newModel(const css::uno::Reference<css::uno::XComponentContext>& context, const char* service);
// The file, read through the filter the office detects for it, without running its macros or
// updating its links. With a service, a file of another kind fails. `what` names the file in
// the failure.
css::uno::Reference<css::lang::XComponent>
loadModel(const css::uno::Reference<css::uno::XComponentContext>& context, const QString& path,
          const QString& what, const char* service, bool readOnly = false);
// The bytes as a stream of the office.
css::uno::Reference<css::io::XInputStream>
bytesStream(const css::uno::Reference<css::uno::XComponentContext>& context,
            const QByteArray& bytes);
// A document of the service read from the bytes through the filter.
css::uno::Reference<css::lang::XComponent>
readModel(const css::uno::Reference<css::uno::XComponentContext>& context, const char* service,
          const QByteArray& bytes, const char* filter);
// Gives the document a hidden frame and view: what is rendered (PDF) needs one.
void attachHiddenView(const css::uno::Reference<css::frame::XDesktop2>& desktop,
                      const css::uno::Reference<css::lang::XComponent>& document);
// Stores a copy of the document in `path` through the filter, with the filter's own settings
// when given; the failure names `target`.
void storeTo(const css::uno::Reference<css::lang::XComponent>& document, const QString& path,
             const char* filter, const QString& target,
             const css::uno::Sequence<css::beans::PropertyValue>& filterData = {});
// Closes the document (and its view, if it has one); never throws.
void closeDocument(css::uno::Reference<css::lang::XComponent>& document) noexcept;
