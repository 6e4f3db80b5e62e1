#include "config/languagefile.h"

#include "core/numbers.h"
#include "core/textfile.h"

#include <QHash>

#include <algorithm>
#include <cmath>

QString CaptionTable::text(int number) const
{
    if (number < 1 || number > kCapacity)
        return {};
    const QString& caption = m_texts.at(number);
    if (caption.isEmpty() && number > kOriginalCaptions)
        return english(number);
    return caption;
}

QString CaptionTable::textOrEnglish(int number) const
{
    const QString caption = text(number);
    return caption.isEmpty() ? english(number) : caption;
}

QString CaptionTable::english(int number)
{
    static const CaptionTable table = [] {
        CaptionTable english;
        LanguageSettings unused;
        LanguageFile::read(QLatin1String(kBuiltInEnglish), english, unused);
        return english;
    }();
    return number < 1 || number > kCapacity ? QString() : table.m_texts.at(number);
}

void CaptionTable::set(int number, const QString& text)
{
    if (number < 1 || number > kCapacity)
        return;
    m_texts[number] = text;
}

void CaptionTable::clear()
{
    m_texts.fill(QString());
}

namespace {

// The tab count a TAB_NUMBER value asks for, kept within what the tab strip offers.
int boundedTabCount(QStringView value)
{
    const double asked = Numbers::leadingValue(value);
    if (std::isnan(asked))
        return LanguageFile::kMinTabs;
    const double bounded =
        std::clamp(asked, double(LanguageFile::kMinTabs), double(LanguageFile::kMaxTabs));
    return static_cast<int>(std::nearbyint(bounded));
}

enum class Key {
    StartPage,
    Lang,
    Locale,
    SearchUrl,
    SearchDescr,
    DictionaryUrl,
    DictionaryDescr,
    MapUrl,
    MapDescr,
    SocialUrl,
    SocialDescr,
    EcommerceUrl,
    EcommerceDescr,
    TabNumber,
    TabWidth,
    TranslatorPath,
};

const QHash<QString, Key>& keys()
{
    static const QHash<QString, Key> table{
        {QStringLiteral("START_PAGE"), Key::StartPage},
        {QStringLiteral("LANG"), Key::Lang},
        {LanguageFile::kLocaleKey.toString(), Key::Locale},
        {QStringLiteral("SEARCH_URL"), Key::SearchUrl},
        {QStringLiteral("SEARCH_DESCR"), Key::SearchDescr},
        {QStringLiteral("DICTIONARY_URL"), Key::DictionaryUrl},
        {QStringLiteral("DICTIONARY_DESCR"), Key::DictionaryDescr},
        {QStringLiteral("MAP_URL"), Key::MapUrl},
        {QStringLiteral("MAP_DESCR"), Key::MapDescr},
        {QStringLiteral("SOCIAL_URL"), Key::SocialUrl},
        {QStringLiteral("SOCIAL_DESCR"), Key::SocialDescr},
        {QStringLiteral("ECOMMERCE_URL"), Key::EcommerceUrl},
        {QStringLiteral("ECOMMERCE_DESCR"), Key::EcommerceDescr},
        {QStringLiteral("TAB_NUMBER"), Key::TabNumber},
        {QStringLiteral("TAB_WIDTH"), Key::TabWidth},
        {QStringLiteral("TRANSLATOR_PATH"), Key::TranslatorPath},
    };
    return table;
}

void applySetting(QStringView keyText, QStringView value, LanguageSettings& settings,
                  LanguageFile::ReadResult& result)
{
    const auto found = keys().constFind(keyText.toString().toUpper());
    if (found == keys().cend())
        return;
    switch (*found) {
    case Key::StartPage:
        settings.Start_Page = value.toString();
        break;
    case Key::Lang:
        settings.Lang_Code = TextFile::trimSpaces(value).left(3).toString();
        break;
    case Key::Locale:
        settings.locale = TextFile::trimSpaces(value).toString();
        break;
    case Key::SearchUrl:
        settings.searchUrl = value.toString();
        break;
    case Key::SearchDescr:
        settings.searchDescr = value.toString();
        break;
    case Key::DictionaryUrl:
        settings.dictionaryUrl = value.toString();
        break;
    case Key::DictionaryDescr:
        settings.dictionaryDescr = value.toString();
        break;
    case Key::MapUrl:
        settings.mapUrl = value.toString();
        break;
    case Key::MapDescr:
        settings.mapDescr = value.toString();
        break;
    case Key::SocialUrl:
        settings.socialUrl = value.toString();
        break;
    case Key::SocialDescr:
        settings.socialDescr = value.toString();
        break;
    case Key::EcommerceUrl:
        settings.ecommerceUrl = value.toString();
        break;
    case Key::EcommerceDescr:
        settings.ecommerceDescr = value.toString();
        break;
    case Key::TabNumber:
        result.tabNumbers.append(boundedTabCount(value));
        break;
    case Key::TabWidth:
        if (const std::optional<qint16> width = Numbers::leadingInt16(value))
            settings.Tab_Width = *width;
        break;
    case Key::TranslatorPath:
        settings.translatorPath = value.toString();
        break;
    }
}

} // namespace

namespace LanguageFile {

ReadResult read(const QString& path, CaptionTable& captions, LanguageSettings& settings)
{
    ReadResult result;
    const std::optional<QStringList> lines = TextFile::read(path);
    if (!lines)
        return result; // the caller decides what to fall back on; nothing has been touched

    result.ok = true;
    captions.clear();
    settings.locale.clear();
    int caption = 0;
    for (const QString& raw : *lines) {
        const QStringView line = TextFile::trimSpaces(raw);
        if (line.isEmpty() || line.front() == QLatin1Char('['))
            continue;
        if (line.front() == QLatin1Char('"')) {
            ++caption;
            if (caption <= CaptionTable::kCapacity)
                captions.set(caption, line.size() < 2 ? QString()
                                                      : line.sliced(1, line.size() - 2).toString());
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        applySetting(line.first(equals), line.sliced(equals + 1), settings, result);
    }
    return result;
}

} // namespace LanguageFile
