#include "browse/sitetext.h"

#include <QList>

#include <vector>

namespace SiteText {

QString shown(QStringView text, int maxChars)
{
    // The characters kept, runs of blanks, controls and line breaks as one blank.
    std::vector<char32_t> kept;
    bool blank = false;
    // A lone surrogate becomes U+FFFD here.
    const QList<uint> characters = text.toUcs4();
    for (const uint u : characters) {
        const char32_t c = u;
        const QChar::Category category = QChar::category(c);
        if (QChar::isSpace(c) || category == QChar::Other_Control ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph) {
            blank = !kept.empty();
            continue;
        }
        if (category == QChar::Other_Format)
            continue;
        if (blank)
            kept.push_back(U' ');
        blank = false;
        kept.push_back(c);
    }
    const bool cut = int(kept.size()) > maxChars;
    if (cut)
        kept.resize(size_t(qMax(0, maxChars - 1)));
    QString out = QString::fromUcs4(kept.data(), qsizetype(kept.size())).trimmed();
    if (cut)
        out += QChar(0x2026);
    return out;
}

} // namespace SiteText
