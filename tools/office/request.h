#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// One export as the browser sends it: a JSON object read from standard input until EOF.
struct Request {
    enum class Kind { Writer, Calc, Pdf, Impress, Quit };

    Kind kind = Kind::Writer;
    QString templatePath;
    bool landscape = false;
    QString html;
    // The pictures the page shows, as the browser fetched them: bytes by address.
    QHash<QString, QByteArray> pictures;
    QString text;
    QString image;
    QString target;
    QString companion;
    QString profile;
    bool keepOffice = false;

    // Throws Failure naming what is missing or malformed.
    static Request fromJson(const QByteArray& json);
};
