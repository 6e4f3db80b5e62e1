#pragma once

#include <QByteArray>
#include <QString>

class CaptionTable;

// The start page, "quorvink:start", in the interface's language: its texts are captions, and it
// names the buttons and menu entries as the bars show them.
namespace StartPage {

// The page in UTF-8; locale is the language file's ("de"), for the page's own language tag.
QByteArray html(const CaptionTable& captions, const QString& locale);

} // namespace StartPage
