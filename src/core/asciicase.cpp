#include "core/asciicase.h"

namespace {

char16_t lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

char16_t upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

template <typename Map> QString mapped(QStringView text, Map map)
{
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = QChar(map(text[i].unicode()));
    return result;
}

} // namespace

namespace AsciiCase {

QString toUpper(QStringView text)
{
    return mapped(text, upper);
}

QString toLower(QStringView text)
{
    return mapped(text, lower);
}

bool equal(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i].unicode()) != lower(b[i].unicode()))
            return false;
    }
    return true;
}

} // namespace AsciiCase
