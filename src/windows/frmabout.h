#pragma once

#include "commandbar/commandrecord.h"
#include "windows/windowcontext.h"

#include <QDialog>
#include <QUrl>

#include <memory>

class CommandBarControl;
class CommandEntry;
class ImageList;
class QLabel;

// The addresses the About window leads to.
namespace AboutEndpoints {

inline QUrl contact()
{
    return QUrl(QStringLiteral("mailto:authors@orvelquorvink.example"));
}
// The program's web site.
inline QUrl site()
{
    return QUrl(QStringLiteral("https://orvelquorvink.example/"));
}
// A site on using collected addresses lawfully.
inline QUrl partner()
{
    return QUrl(QStringLiteral("https://harvest-etiquette.example/"));
}

} // namespace AboutEndpoints

// The About window: title, version, credit line, descriptions, disclaimer and four labels that
// lead to the program's contact address and sites; its bar closes it, or opens the help page and
// closes it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The load handler: the entries and the bar "STANDARD7" once per run, their captions, the
    // window centred on the screen in its colour, the labels placed and filled.
    frmAbout(const WindowContext& context, QWidget* parent);
    ~frmAbout() override;

    // Element 7 of the window's command-bar controls.
    CommandBarControl* cmdBar() const { return m_cmdBar; }

    // The window's commands, in bar "STANDARD7".
    static std::span<const WindowCommand<frmAbout>> commands();

    // "ABOUTHELP" opens the help page; either entry then closes the window.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);

    // The version of the build: major.minor.revision.
    static QString version();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void openHelp();
    void centre();
    QLabel* addLabel(const char* name, const QUrl& target = QUrl());
    void placeLabels();

    WindowContext m_context;
    std::unique_ptr<ImageList> m_images;
    CommandBarControl* m_cmdBar;
    QLabel* imgIcon; // the program's icon, left of the title
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* Label1;
    QLabel* lbKes;
    QLabel* lblDescription;
    QLabel* lbSite;
    QLabel* Label3;
    QLabel* lbDescr;
    QLabel* lbKestor;
    QLabel* lblDisclaimer;
};
