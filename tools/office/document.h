#pragma once

#include <QString>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>

// A document of the office, closed when the code that opened it is left, however it is left.
class Document {
public:
    explicit Document(css::uno::Reference<css::lang::XComponent> component);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const css::uno::Reference<css::lang::XComponent>& component() const { return m_component; }
    template <class T> css::uno::Reference<T> as() const
    {
        return css::uno::Reference<T>(m_component, css::uno::UNO_QUERY_THROW);
    }

private:
    css::uno::Reference<css::lang::XComponent> m_component;
};

// A file written beside its target, in a hidden temporary folder, and renamed over the target
// only once it is complete, so that no half-written file ever stands under the target's name.
// Creating it fails, naming the target, when the folder cannot be written; the temporary folder
// goes when it does, and when the helper is stopped.
class PendingFile {
public:
    explicit PendingFile(const QString& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    QString path() const { return m_path; }
    // Renames the file to the target. Without `replace` an existing file under the target's name
    // is left as it is, and so is the name: false then.
    bool commit(bool replace = true);

private:
    QString m_target;
    QString m_folder;
    QString m_path;
};

// The page style of a text document's first page.
css::uno::Reference<css::beans::XPropertySet> firstPageStyle(const Document& document);

// The used area of a sheet: A1 alone in an empty one.
css::table::CellRangeAddress usedArea(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);

// Stores the document through the filter (with its settings, when given), by way of a pending
// file. Without `replace` a file already under the target's name stays, and the document is not
// kept: false then.
bool storeFile(const Document& document, const QString& target, const char* filter,
               const css::uno::Sequence<css::beans::PropertyValue>& filterData = {},
               bool replace = true);
