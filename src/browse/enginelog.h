#pragma once

#include <QByteArray>

// The web engine's own output on the terminal: silent on a normal start, as loud as the user
// asks through QT_LOGGING_RULES (or QT_LOGGING_CONF) and QTWEBENGINE_CHROMIUM_FLAGS.
namespace EngineLog {

// Must run before the application object is created: sets the engine's flags and the default
// rules of Qt's log categories.
void quieten();

// The engine's flags for the user's own: Chromium logs only what is fatal, unless the user's
// flags choose a log level or turn logging on themselves.
QByteArray chromiumFlags(const QByteArray& userFlags);

} // namespace EngineLog
