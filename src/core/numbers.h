#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Numbers in the program's text files: written in the number-print form (a blank where a plus
// sign would stand, the digits, a trailing blank) and read back as the leading numeric value
// of a line.
namespace Numbers {

enum class Precision { Single, Double };

// " 12 ", "-3 ", " 1.5 ": the shortest decimal text of the value at the given precision.
QString print(double value, Precision precision = Precision::Double);

// The leading numeric value of a text: leading blanks and tabs are skipped, an optional sign,
// digits with an optional decimal point and exponent; reading stops at the first character that
// cannot continue the number. A text without a number gives 0.
double leadingValue(QStringView text);

// Rounds to the nearest 16-bit integer (halves to even); a value outside the range fails.
std::optional<qint16> toInt16(double value);

// Text to 16-bit integer in one step: leadingValue, then toInt16.
std::optional<qint16> leadingInt16(QStringView text);

// The same for 32-bit integers.
std::optional<qint32> toInt32(double value);
std::optional<qint32> leadingInt32(QStringView text);

} // namespace Numbers
