#include "mail/maillists.h"

#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "core/textfile.h"
#include "mail/addressbook.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

using Action = TextFile::Result::Action;

// The lines of the list as they stand in the file, each ended by CR LF. The bytes are copied
// unchanged, whatever their encoding; a last line without a line end gets one.
QByteArray withCrLf(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        out.append(bytes.constData() + start, i - start);
        out.append("\r\n");
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n) {
        out.append(bytes.constData() + start, n - start);
        out.append("\r\n");
    }
    return out;
}

// True when the file holds text whose last line has no line end (a book edited outside).
bool endsInsideLine(QFile& file)
{
    const qint64 size = file.size();
    char last = '\n';
    if (size <= 0 || !file.seek(size - 1) || !file.getChar(&last))
        return false;
    return last != '\r' && last != '\n';
}

} // namespace

MailLists::MailLists(const ProgramDir& dir, Desktop& desktop, const CaptionTable& captions,
                     QWidget* messageParent)
    : m_dir(dir), m_desktop(desktop), m_captions(captions), m_messageParent(messageParent)
{
}

QString MailLists::listPath() const
{
    return m_dir.path(ProgramFiles::MailsList);
}

QString MailLists::bookPath() const
{
    return m_dir.path(ProgramFiles::MailsBook);
}

bool MailLists::emptyAtStart()
{
    return emptyList();
}

void MailLists::view()
{
    m_desktop.openOrReport(m_messageParent, QUrl::fromLocalFile(listPath()), m_captions);
}

bool MailLists::add()
{
    // The list is read whole before the book is opened: a list that cannot be read leaves the
    // book exactly as it was, not even created.
    const QString list = listPath();
    if (TextFile::isSpecial(list)) {
        report(TextFile::failed(Action::Read, list, QString(),
                                TextFile::Result::Cause::NotRegularFile));
        return false;
    }
    QFile listFile(list);
    if (!listFile.open(QIODevice::ReadOnly)) {
        report(TextFile::failed(Action::Read, list, listFile.errorString()));
        return false;
    }
    const QByteArray listBytes = listFile.readAll();
    if (listFile.error() != QFileDevice::NoError) {
        report(TextFile::failed(Action::Read, list, listFile.errorString()));
        return false;
    }
    listFile.close();

    const QString book = bookPath();
    if (TextFile::isSpecial(book)) {
        report(TextFile::failed(Action::Append, book, QString(),
                                TextFile::Result::Cause::NotRegularFile));
        return false;
    }
    QFile bookFile(book);
    if (!bookFile.open(QIODevice::ReadWrite | QIODevice::Append)) {
        report(TextFile::failed(Action::Append, book, bookFile.errorString()));
        return false;
    }
    // A write that fails half-way (a full disk) is taken back, so the book keeps no broken line.
    const qint64 before = bookFile.size();
    // The first new entry must not run on from a last line the user left without a line end.
    QByteArray bytes = endsInsideLine(bookFile) ? QByteArrayLiteral("\r\n") : QByteArray();
    bytes += withCrLf(listBytes);
    if (bookFile.write(bytes) != bytes.size() || !bookFile.flush()) {
        const QString reason = bookFile.errorString();
        bookFile.resize(before);
        report(TextFile::failed(Action::Append, book, reason));
        return false;
    }
    bookFile.close();
    if (bookFile.error() != QFileDevice::NoError) {
        report(TextFile::failed(Action::Append, book, bookFile.errorString()));
        return false;
    }
    m_desktop.openOrReport(m_messageParent, QUrl::fromLocalFile(book), m_captions);
    return true;
}

bool MailLists::cancel()
{
    return emptyList();
}

bool MailLists::saveBookAs()
{
    const QString book = bookPath();
    TextFile::Result problem;
    // A book not made yet holds no address; one that cannot be read is named in a message.
    const std::optional<QStringList> lines = TextFile::read(book, &problem);
    if (!problem) {
        report(problem);
        return false;
    }
    const AddressBook::Addresses found = AddressBook::collect(lines.value_or(QStringList()));
    if (found.addresses.isEmpty()) {
        m_desktop.report(m_messageParent,
                         m_captions[CaptionNo::BookWithoutAddress].arg(
                             QDir::toNativeSeparators(book), QString::number(found.skipped)));
        return false;
    }

    const QString vcard = m_captions[CaptionNo::VCardFilter] + QStringLiteral(" (*.vcf)");
    const QString csv = m_captions[CaptionNo::CsvFilter] + QStringLiteral(" (*.csv)");
    QString filter;
    // The menu entry's caption without its ellipsis is the dialog's title.
    QString title = m_captions[CaptionNo::SaveBookAs];
    title.remove(QChar(0x2026));
    const std::optional<QString> chosen =
        m_desktop.askSaveFile(m_messageParent, title.trimmed(), vcard + QStringLiteral(";;") + csv,
                              QStringLiteral("MailsBook.vcf"), &filter);
    if (!chosen || chosen->isEmpty())
        return false;
    // The extension typed decides; a name without a known one takes the filter's.
    QString path = *chosen;
    std::optional<AddressBook::Format> format = AddressBook::formatOf(path);
    if (!format) {
        format = filter.contains(QLatin1String("*.csv")) ? AddressBook::Format::Csv
                                                         : AddressBook::Format::VCard;
        path +=
            format == AddressBook::Format::Csv ? QStringLiteral(".csv") : QStringLiteral(".vcf");
    }
    // A link in the chosen place would have the book itself replaced.
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(book).canonicalFilePath()) {
        m_desktop.report(m_messageParent, m_captions[CaptionNo::BookIsTarget]);
        return false;
    }
    const QByteArray bytes = format == AddressBook::Format::Csv
                                 ? AddressBook::toCsv(found.addresses)
                                 : AddressBook::toVCard(found.addresses);
    const TextFile::Result written = TextFile::rewriteBytes(path, bytes);
    if (!written) {
        report(written);
        return false;
    }
    m_desktop.report(m_messageParent,
                     m_captions[CaptionNo::BookSaved].arg(QString::number(found.addresses.size()),
                                                          QDir::toNativeSeparators(path),
                                                          QString::number(found.skipped)));
    return true;
}

bool MailLists::emptyList()
{
    const TextFile::Result result = TextFile::truncate(listPath());
    if (!result)
        report(result);
    return bool(result);
}

void MailLists::report(const TextFile::Result& result)
{
    m_desktop.report(m_messageParent, FileMessages::text(m_captions, result));
}
