#include "export/exportdialog.h"

#include "platform/desktop.h"

namespace {

constexpr qsizetype kTitleChars = 22;

bool isAsciiLetterOrDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// "Description|pattern" pairs as the dialog takes them: each description shows its pattern in
// parentheses, and the pairs are separated by ";;".
QString dialogFilters(QStringView filter)
{
    const QList<QStringView> parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QStringLiteral("(%1)").arg(parts[i + 1]);
        QString description = parts[i].toString();
        if (!description.endsWith(pattern))
            description += QLatin1Char(' ') + pattern;
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

QString defaultFileName(const QString& title, QStringView fallback, QStringView extension)
{
    QString name;
    for (const QChar c : QStringView(title).left(kTitleChars)) {
        if (isAsciiLetterOrDigit(c))
            name += c;
    }
    // A name of the extension alone would be a hidden file the user does not see afterwards.
    if (name.isEmpty())
        name = fallback.toString();
    return name.append(extension);
}

bool ExportDialog::ShowSave(Desktop& desktop, QWidget* parent, const QString& title,
                            QStringView filter, const QString& proposed, Existing existing)
{
    m_fileName = proposed;
    const std::optional<QString> chosen =
        desktop.askSaveFile(parent, title, dialogFilters(filter), proposed, nullptr,
                            {.confirmReplace = existing == Existing::Replaced});
    if (!chosen || chosen->isEmpty())
        return false;
    m_fileName = *chosen;
    return true;
}
