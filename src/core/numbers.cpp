#include "core/numbers.h"

#include <cfenv>
#include <charconv>
#include <cmath>

namespace Numbers {

QString print(double value, Precision precision)
{
    const int digits = precision == Precision::Single ? 7 : 15;
    QString text = QString::number(value, 'g', digits);
    if (text.contains(QLatin1Char('e'))) // keep the exponent form readable and re-readable
        text.replace(QLatin1String("e+"), QLatin1String("E+"))
            .replace(QLatin1Char('e'), QLatin1Char('E'));
    if (value >= 0 || std::isnan(value))
        text.prepend(QLatin1Char(' '));
    text.append(QLatin1Char(' '));
    return text;
}

double leadingValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number.append(text[i++]);
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        number.append(text[i++]);
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        number.append(text[i++]);
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) {
            number.append(text[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E') ||
                  text[i] == QLatin1Char('d') || text[i] == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent.append(text[j++]);
        bool expDigits = false;
        while (j < n && text[j].unicode() < 128 && text[j].isDigit()) {
            exponent.append(text[j++]);
            expDigits = true;
        }
        if (expDigits)
            number.append(exponent);
    }
    // A number too large to hold reads as infinite, which no conversion accepts.
    const QByteArray latin = number.toLatin1();
    const char* first = latin.constData();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, latin.constData() + latin.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        if (latin.contains("e-"))
            return 0.0; // too small to hold
        return latin.startsWith('-') ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc() ? value : 0.0;
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> leadingInt16(QStringView text)
{
    return toInt16(leadingValue(text));
}

std::optional<qint32> toInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

std::optional<qint32> leadingInt32(QStringView text)
{
    return toInt32(leadingValue(text));
}

} // namespace Numbers
