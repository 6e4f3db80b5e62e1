#pragma once

#include "export/exportcontext.h"
#include "export/screenpicture.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class ProgramDir;

// The numbered pictures of the screen, "\Images\Orvel000.bmp" onwards. Numbering starts at 0 at
// every start of the program and goes on with the next number after each saved picture; a
// picture file that already exists is never overwritten: the next free number is taken.
class PagePicture {
public:
    // afterPicture runs after the picture was taken and the bars are back (the main window
    // resumes its auto-hide poll there).
    PagePicture(PictureWindow& window, const ExportContext& context,
                std::function<void()> afterPicture = {});

    // Take_Pic: the page shown in the window, the picture of the screen (Load_ClipBoard) written
    // as a Windows bitmap, then a message with its path. A picture that cannot be taken or
    // written is reported instead.
    void Take_Pic();

    // The number of the next picture file.
    int Pic_Count() const { return m_picCount; }
    // How long the window settles before the picture.
    void setSettleMs(int ms) { m_settleMs = ms; }

private:
    // The first number from first on (counted in the three digits of the file name) whose file
    // does not exist yet, or nothing when all 1000 exist.
    static std::optional<int> freeNumber(const ProgramDir& dir, int first);
    // Writes the picture as a Windows bitmap through a temporary file; the error text when not.
    static std::optional<QString> writeBitmap(const QImage& picture, const QString& path);

    PictureWindow& m_window;
    const ExportContext m_context;
    std::function<void()> m_afterPicture;
    int m_picCount = 0;
    int m_settleMs = kPictureSettleMs;
};
