#include "document.h"

#include "failure.h"
#include "filenames.h"
#include "uno.h"
#include "watchdog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Document::Document(css::uno::Reference<css::lang::XComponent> component)
    : m_component(std::move(component))
{
}

Document::~Document()
{
    closeDocument(m_component);
}

PendingFile::PendingFile(const QString& target) : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    if (info.isDir())
        throw Failure{QStringLiteral("cannot write the file %1: it is a folder").arg(target)};
    // A hidden folder of its own beside the target holds the file while it is written, and
    // whatever the office writes along with it. Its name is the target's, cut so that the whole
    // stays within the system's 255 bytes.
    constexpr int kAttempts = 8;
    constexpr qsizetype kNameBytes = 200;
    for (int attempt = 1;; ++attempt) {
        m_folder = info.dir().filePath(
            QStringLiteral(".%1.%2.part")
                .arg(FileNames::leadingBytes(info.fileName(), kNameBytes))
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        Watchdog::addTemporary(m_folder);
        if (::mkdir(QFile::encodeName(m_folder).constData(), 0700) == 0)
            break;
        const int error = errno;
        Watchdog::removeTemporary(m_folder);
        if (error != EEXIST || attempt == kAttempts) {
            m_folder.clear();
            throw Failure{QStringLiteral("cannot write the file %1: %2")
                              .arg(target, QString::fromLocal8Bit(std::strerror(error)))};
        }
    }
    m_path = QDir(m_folder).filePath(info.fileName());
}

PendingFile::~PendingFile()
{
    if (m_folder.isEmpty())
        return;
    QDir(m_folder).removeRecursively();
    Watchdog::removeTemporary(m_folder);
}

bool PendingFile::commit(bool replace)
{
    const QByteArray from = QFile::encodeName(m_path);
    const QByteArray to = QFile::encodeName(m_target);
    int result = 0;
    if (replace) {
        result = std::rename(from.constData(), to.constData());
    } else {
        result =
            ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        // File systems without the flag: a second name that cannot replace one, then the first
        // name goes with the folder.
        if (result != 0 && (errno == EINVAL || errno == ENOSYS))
            result = ::link(from.constData(), to.constData());
        if (result != 0 && errno == EEXIST)
            return false;
    }
    if (result != 0)
        throw Failure{QStringLiteral("cannot write the file %1: %2")
                          .arg(m_target, QString::fromLocal8Bit(std::strerror(errno)))};
    return true;
}

css::uno::Reference<css::beans::XPropertySet> firstPageStyle(const Document& document)
{
    using namespace css;
    const uno::Reference<text::XText> body = document.as<text::XTextDocument>()->getText();
    const uno::Reference<beans::XPropertySet> paragraph(body->createTextCursor(),
                                                        uno::UNO_QUERY_THROW);
    // A document without a view has no pages laid out to ask: the first paragraph names its
    // page style when it starts one, and otherwise the default one applies.
    OUString name;
    paragraph->getPropertyValue(OUString("PageDescName")) >>= name;
    if (name.isEmpty())
        paragraph->getPropertyValue(OUString("PageStyleName")) >>= name;
    if (name.isEmpty())
        name = OUString("Standard");
    const uno::Reference<container::XNameAccess> pageStyles(
        document.as<style::XStyleFamiliesSupplier>()->getStyleFamilies()->getByName(
            OUString("PageStyles")),
        uno::UNO_QUERY_THROW);
    return uno::Reference<beans::XPropertySet>(pageStyles->getByName(name), uno::UNO_QUERY_THROW);
}

css::table::CellRangeAddress usedArea(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet)
{
    using namespace css;
    const uno::Reference<sheet::XSheetCellCursor> cursor = sheet->createCursor();
    const uno::Reference<sheet::XUsedAreaCursor> used(cursor, uno::UNO_QUERY_THROW);
    used->gotoStartOfUsedArea(false);
    used->gotoEndOfUsedArea(true);
    return uno::Reference<sheet::XCellRangeAddressable>(cursor, uno::UNO_QUERY_THROW)
        ->getRangeAddress();
}

bool storeFile(const Document& document, const QString& target, const char* filter,
               const css::uno::Sequence<css::beans::PropertyValue>& filterData, bool replace)
{
    PendingFile file(target);
    storeTo(document.component(), file.path(), filter, target, filterData);
    return file.commit(replace);
}
