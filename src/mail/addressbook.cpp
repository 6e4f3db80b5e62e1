#include "mail/addressbook.h"

#include <QSet>
#include <QUrl>

namespace AddressBook {

namespace {

// Characters the local part may hold unquoted besides letters and digits (RFC 5322 atext, and
// the dot between atoms).
bool isLocalChar(char32_t c)
{
    static const QString extra = QStringLiteral("!#$%&'*+-/=?^_`{|}~.");
    return c > 0x7f || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           extra.contains(QChar(c));
}

bool isDomainChar(char32_t c)
{
    return c > 0x7f || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.';
}

bool allOf(const QString& text, bool (*test)(char32_t))
{
    for (const char32_t c : text.toUcs4()) {
        if (!test(c) || QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control ||
            QChar::category(c) == QChar::Other_Format)
            return false;
    }
    return true;
}

// Escapes a text value of a card: backslash, comma, semicolon and line ends.
QString escapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

// One content line, folded: no physical line longer than 75 octets, a continuation beginning
// with a blank, never inside the bytes of one UTF-8 character.
void appendFolded(QByteArray& out, const QByteArray& line)
{
    constexpr qsizetype kMax = 75;
    qsizetype start = 0;
    qsizetype room = kMax;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        // Back to the first byte of the character the cut would fall in.
        while (cut > start && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.constData() + start, cut - start);
        out.append("\r\n ");
        start = cut;
        room = kMax - 1; // the leading blank counts
    }
    out.append(line.constData() + start, line.size() - start);
    out.append("\r\n");
}

QByteArray csvField(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r') &&
        !bytes.contains('\n'))
        return bytes;
    QByteArray quoted = bytes;
    quoted.replace("\"", "\"\"");
    return '"' + quoted + '"';
}

} // namespace

std::optional<QString> addressOf(QStringView entry)
{
    QStringView text = entry;
    if (const qsizetype query = text.indexOf(QLatin1Char('?')); query >= 0)
        text = text.left(query);
    const QString address = QUrl::fromPercentEncoding(text.toUtf8());
    // Bytes that are no UTF-8 come back as replacement characters.
    if (address.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at != address.lastIndexOf(QLatin1Char('@')) || at == address.size() - 1)
        return std::nullopt;
    const QString local = address.left(at);
    const QString domain = address.mid(at + 1);
    // A cell that begins like a formula would be calculated by a spreadsheet opening the table.
    static const QString formula = QStringLiteral("=+-@");
    if (formula.contains(local.front()) || local.startsWith(QLatin1Char('.')) ||
        local.endsWith(QLatin1Char('.')) || local.contains(QStringLiteral("..")))
        return std::nullopt;
    if (domain.startsWith(QLatin1Char('.')) || domain.endsWith(QLatin1Char('.')) ||
        domain.contains(QStringLiteral("..")) || domain.startsWith(QLatin1Char('-')))
        return std::nullopt;
    if (!allOf(local, isLocalChar) || !allOf(domain, isDomainChar))
        return std::nullopt;
    return address;
}

Addresses collect(const QStringList& lines)
{
    Addresses result;
    QSet<QString> seen;
    for (const QString& line : lines) {
        bool any = false;
        const QStringView entry = QStringView(line).trimmed();
        for (const QStringView part : entry.split(QLatin1Char(','))) {
            const std::optional<QString> address = addressOf(part.trimmed());
            if (!address)
                continue;
            any = true;
            const QString key = address->toCaseFolded();
            if (seen.contains(key))
                continue;
            seen.insert(key);
            result.addresses.append(*address);
        }
        if (!any)
            ++result.skipped;
    }
    return result;
}

std::optional<Format> formatOf(const QString& fileName)
{
    const QString name = fileName.toLower();
    if (name.endsWith(QLatin1String(".vcf")) || name.endsWith(QLatin1String(".vcard")))
        return Format::VCard;
    if (name.endsWith(QLatin1String(".csv")))
        return Format::Csv;
    return std::nullopt;
}

QByteArray toVCard(const QStringList& addresses)
{
    QByteArray out;
    for (const QString& address : addresses) {
        const QByteArray value = escapeValue(address).toUtf8();
        out.append("BEGIN:VCARD\r\nVERSION:4.0\r\n");
        appendFolded(out, "FN:" + value);
        appendFolded(out, "EMAIL:" + value);
        out.append("END:VCARD\r\n");
    }
    return out;
}

QByteArray toCsv(const QStringList& addresses)
{
    QByteArray out = "Name,E-mail Address\r\n";
    for (const QString& address : addresses) {
        const QByteArray field = csvField(address);
        out += field + ',' + field + "\r\n";
    }
    return out;
}

} // namespace AddressBook
