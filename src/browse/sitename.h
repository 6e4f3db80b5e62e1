#pragma once

#include "core/propercase.h"

#include <QString>

// The short site name of an address, shown as the caption of its tab:
// "http://www.example.com/a/b.html" gives "Example", "https://news.example.org/x" gives
// "News.example.org".
QString Site_Name(const QString& address);
