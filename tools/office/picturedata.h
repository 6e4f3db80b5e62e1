#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringView>

#include <optional>

// Pictures as data the office may be given: raster pictures only (PNG, JPEG, GIF, BMP, WebP),
// told by their bytes and not by the type a page declares. A vector picture (SVG and the like)
// can refer to further files, which the office would read while it draws the picture.
namespace PictureData {

// The MIME type of the raster picture the bytes begin like ("image/png", ...), or an empty
// string when they are not one of the raster kinds allowed.
QString rasterType(const QByteArray& bytes);

// The bytes a "data:" address holds (base64 or percent-encoded), with the type it declares;
// nothing when the address is not a well-formed data address.
struct Decoded {
    QString declaredType; // in lower case, without parameters
    QByteArray bytes;
};
std::optional<Decoded> decodeDataAddress(QStringView address);

// The picture as a data address written here in one plain form ("data:image/png;base64,..."),
// or a null string when the bytes are no allowed raster picture.
QString rasterAddress(const QByteArray& bytes);

// A data address of a page, when it declares a raster type and holds one: the same picture
// written as rasterAddress() writes it; a null string otherwise.
QString safeDataAddress(QStringView address);
// The bytes of such an address; nothing when it is none.
std::optional<QByteArray> safeDataBytes(QStringView address);

// The width and height a raster picture declares in its header, read without decoding it;
// nothing when the header cannot be read.
std::optional<QSize> pixelSize(const QByteArray& bytes);

// What of the pictures of one page the office is given: bounded as the browser bounds the
// pictures it fetches, in count and bytes, and in pixels, each and all together (a small file can
// declare a picture that takes gigabytes to draw). A picture past a bound is left out.
class Budget {
public:
    static constexpr int kMaxCount = 64;
    static constexpr qsizetype kMaxBytes = 8 * 1024 * 1024;       // one picture
    static constexpr qsizetype kMaxTotalBytes = 32 * 1024 * 1024; // all of them
    static constexpr qint64 kMaxPixels = 40'000'000;              // one picture
    static constexpr qint64 kMaxTotalPixels = 4 * kMaxPixels;     // all of them

    // True, and the picture counted, when it is within every bound.
    bool admit(const QByteArray& bytes);

private:
    int m_count = 0;
    qsizetype m_bytes = 0;
    qint64 m_pixels = 0;
};

} // namespace PictureData
