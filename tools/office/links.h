#pragma once

#include <QStringList>

class Document;

// What a presentation refers to outside itself: linked pictures, media and objects, on its
// slides, notes pages and masters, groups included. The office fetches a linked picture only when
// it draws or stores it, so reading the addresses here fetches and reads nothing.
QStringList externalLinks(const Document& presentation);
