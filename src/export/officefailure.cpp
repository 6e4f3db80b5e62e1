#include "export/officefailure.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

namespace {

using Cause = OfficeJob::Cause;
using Step = OfficeJob::Step;

int captionOf(const OfficeJob::Result& result)
{
    switch (result.cause) {
    case Cause::TimeLimit:
        return CaptionNo::OfficeTooLong;
    case Cause::HelperEnded:
    case Cause::Stopped:
        return CaptionNo::OfficeHelperEnded;
    case Cause::Linked:
        return CaptionNo::PresentationLinked;
    case Cause::Office:
        break;
    }
    switch (result.failedStep) {
    case Step::Start:
        break;
    case Step::Open:
        return CaptionNo::DocumentNotOpened;
    case Step::Paste:
        return CaptionNo::PageNotPasted;
    case Step::Save:
        return CaptionNo::FileNotSaved;
    case Step::Convert:
        return CaptionNo::PdfNotMade;
    }
    return CaptionNo::OfficeNotStarted;
}

} // namespace

QString officeFailureText(const CaptionTable& captions, const OfficeJob::Result& result)
{
    QString text = captions.textOrEnglish(captionOf(result));
    if (!result.error.isEmpty())
        text += QLatin1Char('\n') + result.error;
    return text;
}
