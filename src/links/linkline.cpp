#include "links/linkline.h"

namespace {

constexpr QStringView kSeparator = u";-;";
// The hyphen (U+2010) that stands for a dash that would make a separator with the semicolons
// around it.
constexpr QChar kLookAlikeDash = QChar(0x2010);

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
    // The line is split at the first separator from the left, so a field reads back whole unless
    // it holds ";-;" or ends in ";-" (whose ";" the separator after it would complete). In both,
    // the dash has a semicolon before it and a semicolon or the end after it.
    const auto breaksLine = [&field](qsizetype i) {
        return field.at(i) == QLatin1Char('-') && i > 0 && field.at(i - 1) == QLatin1Char(';') &&
               (i + 1 == field.size() || field.at(i + 1) == QLatin1Char(';'));
    };
    bool change = false;
    for (qsizetype i = 0; i < field.size() && !change; ++i)
        change =
            field.at(i) == QLatin1Char('\r') || field.at(i) == QLatin1Char('\n') || breaksLine(i);
    if (!change)
        return field;

    QString text;
    text.reserve(field.size() + 8);
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            text += QLatin1Char(' ');
        } else if (isAddress && c == QLatin1Char(';') && i + 1 < field.size() &&
                   breaksLine(i + 1)) {
            // In an address the semicolon is written as %3B, which means the same there.
            text += QLatin1String("%3B");
        } else if (!isAddress && breaksLine(i)) {
            text += kLookAlikeDash;
        } else {
            text += c;
        }
    }
    return text;
}

bool keeps(const QString& field)
{
    // An address and any other field are changed on the same conditions.
    return storable(field) == field;
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
