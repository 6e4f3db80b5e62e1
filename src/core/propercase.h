#pragma once

#include <QString>

// The first letter of each blank-separated word in upper (title) case, every other letter in
// lower case: "english" gives "English", "NEW zealand" gives "New Zealand".
QString properCase(const QString& text);
