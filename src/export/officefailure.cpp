#include "export/officefailure.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

namespace {

using Cause = OfficeJob::Cause;
using Step = OfficeJob::Step;

struct Kind {
    int caption;
    const char16_t* english; // for a language file written before the caption existed
};

Kind kindOf(const OfficeJob::Result& result)
{
    switch (result.cause) {
    case Cause::TimeLimit:
        return {CaptionNo::OfficeTooLong, u"The office took too long and was stopped."};
    case Cause::HelperEnded:
    case Cause::Stopped:
        return {CaptionNo::OfficeHelperEnded, u"The office helper ended unexpectedly."};
    case Cause::Office:
        break;
    }
    switch (result.failedStep) {
    case Step::Start:
        break;
    case Step::Open:
        return {CaptionNo::DocumentNotOpened, u"The document or its template could not be opened."};
    case Step::Paste:
        return {CaptionNo::PageNotPasted, u"The page could not be put into the document."};
    case Step::Save:
        return {CaptionNo::FileNotSaved, u"The file could not be saved."};
    case Step::Convert:
        return {CaptionNo::PdfNotMade, u"The PDF could not be made."};
    }
    return {CaptionNo::OfficeNotStarted, u"The office could not be started."};
}

} // namespace

QString officeFailureText(const CaptionTable& captions, const OfficeJob::Result& result)
{
    const Kind kind = kindOf(result);
    QString text = captions.text(kind.caption, kind.english);
    if (!result.error.isEmpty())
        text += QLatin1Char('\n') + result.error;
    return text;
}
