#include "links/linkline.h"

namespace {

constexpr QStringView kSeparator = u";-;";

} // namespace

namespace LinkLine {

std::optional<Fields> split(QStringView line)
{
    Fields fields;
    qsizetype start = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        const qsizetype end = line.indexOf(kSeparator, start);
        if (end < 0 && i + 1 < fields.size())
            return std::nullopt;
        const qsizetype stop = end < 0 ? line.size() : end;
        fields[i] = line.sliced(start, stop - start).toString();
        start = stop + kSeparator.size();
    }
    return fields;
}

QString join(const Fields& fields)
{
    qsizetype size = (kFields - 1) * kSeparator.size();
    for (const QString& field : fields)
        size += field.size();
    QString line;
    line.reserve(size);
    for (int i = 0; i < kFields; ++i) {
        if (i > 0)
            line += kSeparator;
        line += fields[static_cast<size_t>(i)];
    }
    return line;
}

QString storable(const QString& field, bool isAddress)
{
    if (!field.contains(kSeparator) && !field.contains(QLatin1Char('\r')) &&
        !field.contains(QLatin1Char('\n')))
        return field;
    QString text = field;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (isAddress) {
        text.replace(QLatin1Char(';'), QLatin1String("%3B"));
        return text;
    }
    // ";-;-;" holds two separators that overlap: break them up until none is left.
    while (text.contains(kSeparator))
        text.replace(kSeparator.toString(), QStringLiteral(";- ;"));
    return text;
}

int lastEntryLine(const QStringList& lines)
{
    for (qsizetype i = lines.size(); i > 0; --i) {
        const QString& line = lines.at(i - 1);
        if (!line.startsWith(kSeparator) && split(line))
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace LinkLine
