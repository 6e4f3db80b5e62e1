#pragma once

#include <QByteArray>
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

} // namespace PictureData
