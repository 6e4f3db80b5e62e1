#pragma once

#include "app/timings.h"
#include "config/extsettings.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/settingsfile.h"
#include "core/programdir.h"
#include "links/linktitles.h"

#include <QString>
#include <QStringList>

class Desktop;

// The state shared between the windows for the whole run. The application owns one and hands it
// to the windows.
class Module {
public:
    Module(ProgramDir dir, Desktop& desktop);

    // The full path of a program-relative name such as "\Data\orvelquorvink.Opt".
    QString path(QStringView relative) const { return dir.path(relative); }

    ProgramDir dir;
    Desktop& desktop;

    Options options;
    // The program's own settings (\Data\orvelquorvink.Ext).
    ExtSettings ext;
    IniSettings ini;
    CaptionTable Lang_Text;
    LanguageSettings lang;
    QStringList Lang_List; // the language names found at start, in folder order
    LinkTitles Link_Titles;

    Timings timings;

    QString Today_Str;
    QString Template_Doc;
    QString Template_HDoc;

    // The maker's home page: the program's own start page, which works offline.
    static QString makerHomePage();
};
