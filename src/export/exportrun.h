#pragma once

#include "export/exportcontext.h"

#include <QPointer>
#include <QWidget>
#include <QString>

class QWidget;

// One export under way, from its command to its closing message, and the window's busy state
// meanwhile: the window dimmed (for the exports that dim it), the status text naming the step,
// the busy pointer around the long steps. When the run ends, in every case (an export that
// returns early or throws included), the status text it set is cleared and the window it dimmed
// is made opaque again. Its messages go over the window, or stand alone once the window is gone.
class ExportRun {
public:
    explicit ExportRun(const ExportContext& context);
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    // The pointer shows that the program is busy for as long as this lives.
    class Busy {
    public:
        Busy();
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    };
    [[nodiscard]] Busy busy() const { return {}; }

    // The window dimmed until the closing message, or the end of the run.
    void dim();
    // The status text names the step under way (empty: none); the run's end clears it.
    void status(const QString& text);
    // A message while the run goes on; the window stays as it is.
    void report(const QString& text) const;
    // The closing message: the status text cleared and the window opaque again, then the
    // message. An export that goes on after it runs undimmed.
    void finish(const QString& message);
    // The end without a message (the export was cancelled): as finish, silent.
    void end();
    // The closing step of an export that wrote a text file: the desktop shows it, or a message
    // says why it could not.
    void showText(const QString& path) const;

    const ExportContext& context() const { return m_context; }
    // The window, or none once it is gone.
    QWidget* window() const { return m_window; }

private:
    // The status text cleared, then the window opaque, when the run changed them.
    void restore();

    const ExportContext m_context;
    const QPointer<QWidget> m_window;
    bool m_dimmed = false;      // dimmed and not made opaque since
    bool m_statusShown = false; // a status text set and not cleared since
};
