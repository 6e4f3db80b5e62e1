#pragma once

#include <QString>

// The names and places of a download, without the engine: what the save dialog proposes, the
// folder it opens in, the file that fills while the transfer runs and why a transfer failed.
namespace DownloadNames {

// The longest file name, in bytes of its UTF-8 form, that the usual file systems take.
constexpr int kMaxNameBytes = 255;

// The name a server or page suggested, made a plain file name: only its last path part, without
// control or format characters (bidirectional overrides, zero widths), without leading dots or
// blanks, and cut to kMaxNameBytes without splitting a character (the extension is kept where
// the name allows). A suggestion left empty becomes "download".
QString safeName(const QString& suggested);

// The folder the download dialog opens in: the folder last used for downloads while it exists,
// else the user's download folder, else the home folder.
QString folder(const QString& lastUsed);

// The file the data goes to until the transfer is complete: beside the chosen file, its name
// followed by ".part", or by ".1.part", ".2.part", ... when that name is taken; cut so that it
// stays a file name the file system takes.
QString partPath(const QString& chosen);

// The caption number that says why a transfer failed, for the engine's interrupt reason (its
// own reason texts are English).
int reasonCaption(int interruptReason);

} // namespace DownloadNames
