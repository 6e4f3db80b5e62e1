#pragma once

#include <QString>

// Reads an office file back through the office and answers with what it holds, for tests and
// for checking an export by hand: {"done": true, "read": {...}} with
//   text documents:  "text" (the body), "header", "landscape", "tables", "pictures"
//   spreadsheets:    "sheet" (the first that is not empty), "cells" (its used area, row by row)
//   presentations and PDFs: "pages", "pictures" and "shapes" (per page), "text" (of the shapes)
// With a profile the office of that profile is used and kept running; without one, a
// temporary office is started and ended.
int readBack(const QString& file, const QString& profile);
