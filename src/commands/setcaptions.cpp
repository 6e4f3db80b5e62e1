#include "commands/setcaptions.h"

#include "commands/maincatalogue.h"
#include "config/languagefile.h"
#include "windows/frminput.h"
#include "windows/frmlang.h"
#include "windows/smallwindows.h"

#include <QLabel>

void Set_Captions(CommandPool& pool, const CaptionTable& Lang_Text,
                  const LanguageSettings& settings, const QString& Lang_Name, SmallWindows* windows)
{
    MainCatalogue::applyTexts(pool, Lang_Text, settings, Lang_Name);

    if (windows)
        windows->loadHidden();
    frmLang::applyTexts(pool, Lang_Text);
    frmInput::applyTexts(pool, Lang_Text);
    if (frmInput* input = windows ? windows->inputWindow() : nullptr) {
        input->labTitle()->setText(Lang_Text.text(213));
        input->fitQuestion();
    }
}
