#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QWebEngineProfile;

// The web engine profile every view shares, and the program's own "quorvink:" pages.
namespace WebProfile {

// Must run before the application object is created.
void registerSchemes();

// Must run before the application object is created: the engine's compositor keeps no shader
// cache below the user's cache folder, so that the engine writes only below its storage folder.
void keepOutOfUserFolders();

// A profile keeping its cookies and cache below storageDir, serving the program's own pages.
// The engine fixes the language of its own texts (error pages, the PDF viewer) when it starts:
// a locale given ("de", "it", "en") is that language, and the first language the profile asks
// pages for; with none, the desktop's.
QWebEngineProfile* create(const QString& storageDir, QObject* parent,
                          const QString& locale = QString());

// Makes one of the program's own pages, by its name ("start" for "quorvink:start"), in UTF-8;
// nothing: the page built into the program, if there is one.
using PageMaker = std::function<std::optional<QByteArray>(const QString& page)>;
// The program's own pages of the profile are made from now on.
void servePages(QWebEngineProfile* profile, PageMaker make);

} // namespace WebProfile
