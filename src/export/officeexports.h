#pragma once

#include "export/exportcontext.h"
#include "export/exportdialog.h"
#include "export/officejob.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class BrowserView;
class CaptionTable;
class Desktop;
class ExportRun;
class OfficeSession;
class QWidget;
struct CopiedPage;

// The exports of the page shown through the office: word-processor document (SaveAsW),
// spreadsheet (SaveAsE), PDF with its companion document (SaveAsF) and presentation slide
// (SaveAsP). Each runs to its end inside its command. The office works in a helper process while
// the window waits in place: it keeps painting, takes no input, shows a busy pointer and names
// the step under way in its status text. A failure of the office ends in a message that names
// the step; the window is made opaque again in every case.
class OfficeExports : public QObject {
    Q_OBJECT
public:
    // What the office exports need of the main window beyond the context of every export.
    struct Parts {
        const QString officeProfile;
        const std::function<void(bool)> setNoResize;
        // Before the slide's picture: the top strip shown, the view as tall as the window.
        const std::function<void()> stretchView;
        // Load_ClipBoard: a picture of the whole screen; a null image when none could be taken.
        const std::function<QImage()> screenPicture;
    };

    OfficeExports(const ExportContext& context, Parts parts, QObject* parent = nullptr);
    ~OfficeExports() override;

    // The paths of the landscape and the portrait templates, known from the deferred start step
    // on; until then both are empty.
    void setTemplates(const QString& Template_Doc, const QString& Template_HDoc);

    // Word_Kind 0: the landscape template, 1: the portrait template.
    void SaveAsW(int Word_Kind);
    void SaveAsE();
    void SaveAsF();
    void SaveAsP();

    // The name the save dialog last proposed or returned.
    const QString& FileName() const { return m_dialog.FileName(); }
    // Starts the office in the background ahead of an export (the export menu opens).
    void warmUp();
    // Ends the wait for the office of the export under way, and that office; the export leaves
    // nothing under the chosen name and shows no message.
    void cancelOffice();
    // The control that cancels: its input passes while an export waits for the office.
    void setCancelControl(QWidget* control);
    OfficeSession& session() const { return *m_session; }
    // Ends the office kept between exports (at exit).
    void quitOffice();

signals:
    // The office entered a step of the export under way.
    void stepChanged(OfficeJob::Step step);
    // An export began or ended waiting for the office (while it waits, it can be cancelled).
    void officeWaiting(bool waiting);

private:
    struct Family;
    // The road shared by SaveAsW, SaveAsE and SaveAsF: dim, copy, dialog, office, closing steps.
    // request() gives the office's work once the file is chosen, or nothing to skip it.
    void exportPage(const Family& family,
                    const std::function<std::optional<OfficeJob::Request>()>& request);
    std::optional<CopiedPage> copyPage(ExportRun& run, BrowserView* view, const Family& family);
    bool askFileName(ExportRun& run, BrowserView* view, QStringView filter, QStringView fallback,
                     QStringView extension,
                     ExportDialog::Existing existing = ExportDialog::Existing::Replaced);
    // Without the helper the office exports say which package to install: true then.
    bool officeMissing(const ExportRun& run);
    // The office's part, with the busy pointer. A cancelled export leaves no file it made.
    OfficeJob::Result runOffice(const ExportRun& run, const OfficeJob::Request& request);
    // The closing message: 108 and the dialog's FileName.
    QString savedMessage() const;

    const ExportContext c;
    const Parts p;
    QString m_templateDoc;
    QString m_templateHDoc;
    ExportDialog m_dialog;
    OfficeSession* m_session;
    bool m_running = false;
};
