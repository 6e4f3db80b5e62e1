#include "picturedata.h"

#include <QList>
#include <QStringList>

namespace PictureData {

QString rasterType(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("image/png");
    if (bytes.startsWith("\xff\xd8\xff"))
        return QStringLiteral("image/jpeg");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QStringLiteral("image/gif");
    // "BM", then the file's size and two reserved words; the header sizes of the known kinds.
    if (bytes.size() >= 18 && bytes.startsWith("BM")) {
        const uchar header = uchar(bytes[14]);
        if (bytes[15] == 0 && bytes[16] == 0 && bytes[17] == 0 &&
            (header == 12 || header == 40 || header == 52 || header == 56 || header == 64 ||
             header == 108 || header == 124))
            return QStringLiteral("image/bmp");
    }
    if (bytes.size() >= 16 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP" &&
        (bytes.mid(12, 4) == "VP8 " || bytes.mid(12, 4) == "VP8L" || bytes.mid(12, 4) == "VP8X"))
        return QStringLiteral("image/webp");
    return QString();
}

std::optional<Decoded> decodeDataAddress(QStringView address)
{
    if (!address.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype comma = address.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    const QStringView head = address.sliced(5, comma - 5);
    const QStringView payload = address.sliced(comma + 1);
    bool base64 = false;
    Decoded decoded;
    const QList<QStringView> parts = head.split(u';');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed().toString().toLower();
        if (i == 0)
            decoded.declaredType = part;
        else if (part == u"base64" && i == parts.size() - 1)
            base64 = true;
    }
    // Only ASCII is allowed in the payload; its percent escapes are undone first.
    for (QChar c : payload) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
    }
    const QByteArray escaped = QByteArray::fromPercentEncoding(payload.toLatin1());
    if (!base64) {
        decoded.bytes = escaped;
        return decoded;
    }
    QByteArray compact;
    compact.reserve(escaped.size());
    for (char c : escaped) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            compact.append(c);
    }
    const auto result =
        QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    decoded.bytes = *result;
    return decoded;
}

QString rasterAddress(const QByteArray& bytes)
{
    const QString type = rasterType(bytes);
    if (type.isEmpty())
        return QString();
    return QStringLiteral("data:") + type + QStringLiteral(";base64,") +
           QString::fromLatin1(bytes.toBase64());
}

QString safeDataAddress(QStringView address)
{
    const std::optional<Decoded> decoded = decodeDataAddress(address);
    if (!decoded)
        return QString();
    static const QStringList kDeclared = {
        QStringLiteral("image/png"),      QStringLiteral("image/jpeg"), QStringLiteral("image/jpg"),
        QStringLiteral("image/pjpeg"),    QStringLiteral("image/gif"),  QStringLiteral("image/bmp"),
        QStringLiteral("image/x-ms-bmp"), QStringLiteral("image/webp"),
    };
    if (!kDeclared.contains(decoded->declaredType))
        return QString();
    return rasterAddress(decoded->bytes);
}

} // namespace PictureData
