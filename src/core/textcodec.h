#pragma once

#include <QByteArray>
#include <QString>

// The program's text files come from a platform whose 8-bit code page is Windows-1252.
// A file is read as UTF-8 when it is valid UTF-8, else as Windows-1252; it is always written
// as UTF-8. Every byte of a Windows-1252 file maps to one character and back, so a file that
// is only read and written back keeps every character the user put in it.
namespace TextCodec {

QString decode(const QByteArray& bytes);
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encode(const QString& text);

} // namespace TextCodec
