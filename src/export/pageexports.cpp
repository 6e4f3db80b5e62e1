#include "export/pageexports.h"

#include "export/pagepicture.h"
#include "export/pagesource.h"
#include "export/savepage.h"

PageExports::PageExports(const ExportContext& context, PictureWindow& window,
                         std::function<void()> afterPicture, OfficeExports::Parts office,
                         QObject* parent)
    : QObject(parent), m_context(context),
      m_office(new OfficeExports(m_context, std::move(office), this)),
      m_picture(std::make_unique<PagePicture>(window, m_context, std::move(afterPicture)))
{
}

PageExports::~PageExports() = default;

void PageExports::run(ExportKind kind)
{
    switch (kind) {
    case ExportKind::WebArchive:
        SaveAsH(m_context);
        return;
    case ExportKind::Source:
        View_Source(m_context);
        return;
    case ExportKind::Picture:
        m_picture->Take_Pic();
        return;
    case ExportKind::WordLandscape:
        m_office->SaveAsW(0);
        return;
    case ExportKind::WordPortrait:
        m_office->SaveAsW(1);
        return;
    case ExportKind::Sheet:
        m_office->SaveAsE();
        return;
    case ExportKind::Pdf:
        m_office->SaveAsF();
        return;
    case ExportKind::Slide:
        m_office->SaveAsP();
        return;
    }
}
