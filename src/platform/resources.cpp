#include "platform/resources.h"

#include <QDir>
#include <QtGlobal>

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

QIcon programIcon()
{
    initResources();
    QIcon icon;
    const QDir sizes(QStringLiteral(":/appicon"));
    for (const QString& name : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(name));
    return icon;
}
