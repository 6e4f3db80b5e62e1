#include "picturedata.h"

#include <QList>
#include <QStringList>
#include <QtEndian>

#include <cstdlib>

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
    const std::optional<QByteArray> bytes = safeDataBytes(address);
    return bytes ? rasterAddress(*bytes) : QString();
}

std::optional<QByteArray> safeDataBytes(QStringView address)
{
    const std::optional<Decoded> decoded = decodeDataAddress(address);
    if (!decoded)
        return std::nullopt;
    static const QStringList kDeclared = {
        QStringLiteral("image/png"),      QStringLiteral("image/jpeg"), QStringLiteral("image/jpg"),
        QStringLiteral("image/pjpeg"),    QStringLiteral("image/gif"),  QStringLiteral("image/bmp"),
        QStringLiteral("image/x-ms-bmp"), QStringLiteral("image/webp"),
    };
    if (!kDeclared.contains(decoded->declaredType) || rasterType(decoded->bytes).isEmpty())
        return std::nullopt;
    return decoded->bytes;
}

namespace {

quint32 big16(const QByteArray& b, qsizetype at)
{
    return qFromBigEndian<quint16>(b.constData() + at);
}
quint32 little16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 little24(const QByteArray& b, qsizetype at)
{
    return little16(b, at) | quint32(uchar(b[at + 2])) << 16;
}

std::optional<QSize> sized(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > 1'000'000 || height > 1'000'000)
        return std::nullopt;
    return QSize(int(width), int(height));
}

// The frame header (SOF) that names the size lies after segments of any length.
std::optional<QSize> jpegSize(const QByteArray& b)
{
    qsizetype i = 2;
    while (i + 9 <= b.size()) {
        if (uchar(b[i]) != 0xff)
            return std::nullopt;
        const uchar marker = uchar(b[i + 1]);
        if (marker == 0xff) {
            ++i; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            i += 2;
            continue;
        }
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
            return sized(big16(b, i + 7), big16(b, i + 5));
        i += 2 + big16(b, i + 2);
    }
    return std::nullopt;
}

std::optional<QSize> webpSize(const QByteArray& b)
{
    const QByteArray chunk = b.mid(12, 4);
    if (chunk == "VP8 " && b.size() >= 30 && b.mid(23, 3) == "\x9d\x01\x2a")
        return sized(little16(b, 26) & 0x3fff, little16(b, 28) & 0x3fff);
    if (chunk == "VP8L" && b.size() >= 25 && uchar(b[20]) == 0x2f) {
        const quint32 bits = qFromLittleEndian<quint32>(b.constData() + 21);
        return sized((bits & 0x3fff) + 1, ((bits >> 14) & 0x3fff) + 1);
    }
    if (chunk == "VP8X" && b.size() >= 30)
        return sized(qint64(little24(b, 24)) + 1, qint64(little24(b, 27)) + 1);
    return std::nullopt;
}

} // namespace

std::optional<QSize> pixelSize(const QByteArray& b)
{
    const QString type = rasterType(b);
    if (type == u"image/png") {
        if (b.size() < 24 || b.mid(12, 4) != "IHDR")
            return std::nullopt;
        return sized(qFromBigEndian<quint32>(b.constData() + 16),
                     qFromBigEndian<quint32>(b.constData() + 20));
    }
    if (type == u"image/gif")
        return b.size() >= 10 ? sized(little16(b, 6), little16(b, 8)) : std::nullopt;
    if (type == u"image/bmp") {
        if (uchar(b[14]) == 12)
            return b.size() >= 22 ? sized(little16(b, 18), little16(b, 20)) : std::nullopt;
        if (b.size() < 26)
            return std::nullopt;
        // A negative height is a picture stored top to bottom.
        return sized(qFromLittleEndian<qint32>(b.constData() + 18),
                     std::abs(qint64(qFromLittleEndian<qint32>(b.constData() + 22))));
    }
    if (type == u"image/jpeg")
        return jpegSize(b);
    if (type == u"image/webp")
        return webpSize(b);
    return std::nullopt;
}

bool Budget::admit(const QByteArray& bytes)
{
    if (m_count >= kMaxCount || bytes.size() > kMaxBytes || m_bytes + bytes.size() > kMaxTotalBytes)
        return false;
    const std::optional<QSize> size = pixelSize(bytes);
    const qint64 pixels = size ? qint64(size->width()) * size->height() : 0;
    if (!size || pixels > kMaxPixels || m_pixels + pixels > kMaxTotalPixels)
        return false;
    ++m_count;
    m_bytes += bytes.size();
    m_pixels += pixels;
    return true;
}

} // namespace PictureData
