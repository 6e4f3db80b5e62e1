#include "browse/bookmark.h"

namespace Bookmark {

TextFile::Result save(const QString& path, const QString& Mark_URL)
{
    return TextFile::rewrite(path, {Mark_URL});
}

std::optional<QString> read(const QString& path)
{
    const std::optional<QStringList> lines = TextFile::read(path);
    if (!lines || lines->isEmpty())
        return std::nullopt;
    return lines->first();
}

} // namespace Bookmark
