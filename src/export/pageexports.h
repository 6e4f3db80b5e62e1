#pragma once

#include "export/exportcontext.h"
#include "export/officeexports.h"

#include <QObject>

#include <functional>
#include <memory>

class PagePicture;
class PictureWindow;

// The kinds of document the page shown can be exported as.
enum class ExportKind {
    WebArchive,    // SaveAsH: what the engine writes (web archive, complete page, markup)
    Source,        // View_Source: the markup in "\Doc.Txt", shown by the desktop
    Picture,       // Take_Pic: the numbered picture of the screen
    WordLandscape, // SaveAsW 0
    WordPortrait,  // SaveAsW 1
    Sheet,         // SaveAsE
    Pdf,           // SaveAsF
    Slide,         // SaveAsP
};

// Every export of the page shown, as the main window's commands reach them: built once from one
// context, each run with the kind of document as its argument.
class PageExports : public QObject {
    Q_OBJECT
public:
    // window: what the screen picture asks of the main window; afterPicture runs once the
    // picture is taken and the bars are back.
    PageExports(const ExportContext& context, PictureWindow& window,
                std::function<void()> afterPicture, OfficeExports::Parts office,
                QObject* parent = nullptr);
    ~PageExports() override;

    // Runs the export of that kind to its end (the source's file follows the page's answer).
    void run(ExportKind kind);

    const ExportContext& context() const { return m_context; }
    OfficeExports& office() const { return *m_office; }
    PagePicture& picture() const { return *m_picture; }

private:
    const ExportContext m_context;
    OfficeExports* const m_office;
    const std::unique_ptr<PagePicture> m_picture;
};
