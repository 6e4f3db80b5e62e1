#include "platform/resources.h"

#include <QDir>
#include <QIconEngine>
#include <QtGlobal>

#include <utility>

static void initQuorvinkResources()
{
    Q_INIT_RESOURCE(resources);
}

void initResources()
{
    static bool done = false;
    if (!done) {
        initQuorvinkResources();
        done = true;
    }
}

namespace {

// The program's icon, its pictures read when one is first drawn: reading all eight sizes (up to
// 256 pixels) would take milliseconds of the start before the first window is up. Each picture
// is named after its size ("48.png"), so the sizes are known without reading.
class ProgramIconEngine final : public QIconEngine {
public:
    ProgramIconEngine()
    {
        const QDir dir(QStringLiteral(":/appicon"));
        for (const QString& name : dir.entryList(QDir::Files)) {
            const int side = QStringView(name).left(name.indexOf(QLatin1Char('.'))).toInt();
            if (side > 0)
                m_files.append({QSize(side, side), dir.filePath(name)});
        }
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        // Every picture is the normal look; Qt derives the others when drawing.
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        QList<QSize> sizes;
        for (const auto& [size, file] : std::as_const(m_files))
            sizes.append(size);
        return sizes;
    }
    bool isNull() override { return m_files.isEmpty(); }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

private:
    QIcon& loaded()
    {
        if (m_icon.isNull()) {
            for (const auto& [size, file] : std::as_const(m_files))
                m_icon.addFile(file, size);
        }
        return m_icon;
    }

    QList<std::pair<QSize, QString>> m_files;
    QIcon m_icon;
};

} // namespace

QIcon programIcon()
{
    initResources();
    return QIcon(new ProgramIconEngine);
}
