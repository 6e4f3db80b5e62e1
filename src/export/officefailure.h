#pragma once

#include "export/officejob.h"

#include <QString>

class CaptionTable;

// The message of a failed office export, wholly in the language of the interface: the caption of
// the kind of failure (the office did not start, the document or template did not open, the page
// was not pasted, the file was not saved, the PDF was not made, the time ran out, the helper
// ended), then the helper's technical detail on a line of its own.
QString officeFailureText(const CaptionTable& captions, const OfficeJob::Result& result);
