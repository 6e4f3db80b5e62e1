#pragma once

#include <QString>

// The short site name of an address, shown as the caption of its tab:
// "http://www.example.com/a/b.html" gives "Example", "https://news.example.org/x" gives
// "News.example.org".
QString Site_Name(const QString& address);

// Proper case: the first letter of each blank-separated word in upper case, the others in lower
// case ("english" gives "English").
QString properCase(const QString& text);
