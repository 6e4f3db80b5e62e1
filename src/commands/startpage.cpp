#include "commands/startpage.h"

#include "commands/maincatalogue.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

namespace {

// The text a button or an entry shows: a menu entry its caption, a toolbar button its tooltip.
QString startShownAs(const CaptionTable& captions, const char* key)
{
    const MainCommand* command = MainCatalogue::find(QString::fromLatin1(key));
    if (!command)
        return {};
    return captions.textOrEnglish(command->caption ? command->caption : command->tooltip);
}

QString startItem(const CaptionTable& captions, int number, std::initializer_list<const char*> keys)
{
    QString text = captions.textOrEnglish(number);
    for (const char* key : keys)
        text = text.arg(startShownAs(captions, key));
    return QStringLiteral("<li>") + text.toHtmlEscaped() + QStringLiteral("</li>\n");
}

} // namespace

namespace StartPage {

QByteArray html(const CaptionTable& captions, const QString& locale)
{
    const QString title = captions.textOrEnglish(CaptionNo::ProgramName).toHtmlEscaped();
    QString page =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>%2</title>\n<style>\n"
                       "body { font-family: sans-serif; margin: 3em auto; max-width: 40em; "
                       "color: #222; line-height: 1.45; }\n"
                       "h1 { font-weight: normal; color: #245; }\n"
                       "</style>\n</head>\n<body>\n<h1>%2</h1>\n<p>%3</p>\n<ul>\n")
            .arg((locale.isEmpty() ? QStringLiteral("en") : locale).toHtmlEscaped(), title,
                 captions.textOrEnglish(CaptionNo::AboutHarvest).toHtmlEscaped());
    page += startItem(captions, CaptionNo::StartTypeAddress, {});
    page += startItem(captions, CaptionNo::StartCollect, {"QUORVINK", "QUORVINK:START"});
    page += startItem(captions, CaptionNo::StartMailList,
                      {"QUORVINK:VIEW", "QUORVINK:CANCEL", "QUORVINK:ADD"});
    page += startItem(captions, CaptionNo::StartSave, {"SAVE"});
    page += startItem(captions, CaptionNo::StartLanguageAndHelp, {"LANG", "FILE:HELP", "FILE"});
    page += QStringLiteral("</ul>\n</body>\n</html>\n");
    return page.toUtf8();
}

} // namespace StartPage
