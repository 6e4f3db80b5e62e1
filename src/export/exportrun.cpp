#include "export/exportrun.h"

#include "export/setalpha.h"
#include "platform/desktop.h"

#include <QCursor>
#include <QGuiApplication>

ExportRun::Busy::Busy()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

ExportRun::Busy::~Busy()
{
    QGuiApplication::restoreOverrideCursor();
}

ExportRun::ExportRun(const ExportContext& context) : m_context(context), m_window(context.window) {}

ExportRun::~ExportRun()
{
    restore();
}

void ExportRun::dim()
{
    m_dimmed = true;
    Set_Alpha(m_window, Alpha_Dim, m_context.desktop, m_context.captions);
}

void ExportRun::status(const QString& text)
{
    m_statusShown = true;
    m_context.showStatus(text);
}

void ExportRun::report(const QString& text) const
{
    m_context.desktop.report(m_window, text);
}

void ExportRun::finish(const QString& message)
{
    restore();
    report(message);
}

void ExportRun::end()
{
    restore();
}

void ExportRun::showText(const QString& path) const
{
    m_context.desktop.openTextOrReport(m_window, path, m_context.captions);
}

void ExportRun::restore()
{
    if (m_statusShown)
        m_context.showStatus(QString());
    m_statusShown = false;
    if (m_dimmed && m_window)
        Set_Alpha(m_window, Alpha_Full, m_context.desktop, m_context.captions);
    m_dimmed = false;
}
