#pragma once

#include <QString>
#include <QStringView>

class Desktop;
class QWidget;

// The file name an export proposes: the page title cut to its first 22 characters, of which only
// the ASCII letters and digits are kept, then the extension. A page without a title, or with none
// of those characters in it, gives the exporter's fallback name instead. Only without a fallback
// may the result be the extension alone.
QString defaultFileName(const QString& title, QStringView fallback, QStringView extension);

// CommonDialog1: the save dialog the exports share. Its FileName is the name it was last given or
// returned, kept for the whole run: the closing message of an export shows it.
class ExportDialog {
public:
    // What is done to a file chosen that exists already.
    enum class Existing { Replaced, AddedTo };
    // Proposes a name and asks for a file; a file that is replaced is confirmed in the dialog.
    // The filter is given as "Microsoft Word (*.doc)|*.doc". True when a file was chosen
    // (FileName is then its path); after a cancel FileName stays the proposed name.
    bool ShowSave(Desktop& desktop, QWidget* parent, const QString& title, QStringView filter,
                  const QString& proposed, Existing existing = Existing::Replaced);

    const QString& FileName() const { return m_fileName; }

private:
    QString m_fileName;
};
