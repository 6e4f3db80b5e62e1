#pragma once

#include <QString>

// Makes one of the program's word-processor templates: an A4 page with 2 cm margins and a
// header line naming the program, portrait or landscape, stored as a Word 97 document.
int makeTemplate(const QString& file, bool landscape, const QString& profile);
