#pragma once

#include <QString>

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
QWebEngineProfile* create(const QString& storageDir, QObject* parent);

} // namespace WebProfile
