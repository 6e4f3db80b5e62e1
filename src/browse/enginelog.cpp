#include "browse/enginelog.h"

#include <QLoggingCategory>

namespace EngineLog {

QByteArray chromiumFlags(const QByteArray& userFlags)
{
    const QByteArrayList own = userFlags.simplified().split(' ');
    for (const QByteArray& flag : own) {
        for (const char* logging : {"--log-level", "--enable-logging", "--v", "--vmodule"}) {
            const QByteArray name(logging);
            if (flag == name || flag.startsWith(name + '='))
                return userFlags;
        }
    }
    const QByteArray quiet = QByteArrayLiteral("--log-level=3");
    return userFlags.trimmed().isEmpty() ? quiet : userFlags.trimmed() + ' ' + quiet;
}

void quieten()
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", chromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
    // The engine reports its graphics set-up and start parameters at every start. Rules of the
    // user's QT_LOGGING_RULES or QT_LOGGING_CONF take precedence over these.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\n"
                                                    "qt.webenginecontext.debug=false"));
}

} // namespace EngineLog
