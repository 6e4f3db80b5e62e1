#include "filenames.h"

namespace FileNames {

QString leadingBytes(QStringView name, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < name.size()) {
        const char16_t c = name[end].unicode();
        const bool pair = QChar::isHighSurrogate(c) && end + 1 < name.size() &&
                          QChar::isLowSurrogate(name[end + 1].unicode());
        // A lone surrogate is written as U+FFFD, three bytes.
        const qsizetype size = pair ? 4 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += pair ? 2 : 1;
    }
    return name.left(end).toString();
}

} // namespace FileNames
