#include "core/propercase.h"

QString properCase(const QString& text)
{
    QString result;
    result.reserve(text.size());
    bool wordStart = true;
    qsizetype i = 0;
    while (i < text.size()) {
        // Whole code points, so letters outside the basic plane change case too.
        char32_t cp = text.at(i).unicode();
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            length = 2;
        }
        if (cp == U' ') {
            result += QLatin1Char(' ');
            wordStart = true;
        } else {
            const char32_t changed = wordStart ? QChar::toTitleCase(cp) : QChar::toLower(cp);
            result += QString::fromUcs4(&changed, 1);
            wordStart = false;
        }
        i += length;
    }
    return result;
}
