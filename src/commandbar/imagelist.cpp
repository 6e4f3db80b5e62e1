#include "commandbar/imagelist.h"

#include <QFile>
#include <QPixmap>

// The icons are compiled into the static library; pull their resource in explicitly.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

struct FlagKey {
    int index;
    const char* key;
};

constexpr FlagKey kFlagKeys[] = {
    {106, "pea"}, {107, "it"},  {108, "en"},  {109, "uk"}, {110, "am"},  {111, "fr"},  {112, "ger"},
    {113, "esp"}, {114, "por"}, {115, "rus"}, {116, "nl"}, {117, "bel"}, {118, "can"},
};

} // namespace

ImageList::ImageList(const QString& resourcePrefix)
    : m_prefix(resourcePrefix), m_icons(kCount), m_loaded(kCount, false), m_keys(kCount)
{
    initIconResources();
    for (const FlagKey& flag : kFlagKeys)
        m_keys[flag.index] = QLatin1String(flag.key);
}

QIcon ImageList::icon(int index) const
{
    if (index < 0 || index >= kCount)
        return QIcon();
    if (!m_loaded[index]) {
        m_loaded[index] = true;
        const QString file =
            m_prefix + QStringLiteral("/%1.png").arg(index, 3, 10, QLatin1Char('0'));
        const QPixmap pixmap(file);
        if (!pixmap.isNull())
            m_icons[index] = QIcon(pixmap);
    }
    return m_icons.at(index);
}

void ImageList::setIcon(int index, const QIcon& icon)
{
    if (index >= 0 && index < kCount) {
        m_icons[index] = icon;
        m_loaded[index] = true;
    }
}

QString ImageList::key(int index) const
{
    return index >= 0 && index < kCount ? m_keys.at(index) : QString();
}

int ImageList::indexOfKeyPrefix(QStringView prefix) const
{
    for (int i = kFirstFlagSearch; i < kCount; ++i) {
        if (QStringView(m_keys.at(i)).left(2) == prefix)
            return i;
    }
    return kDefaultFlag;
}
