#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// One export as the browser sends it to the helper: a JSON object, read from standard input
// until EOF.
struct OfficeRequest {
    enum class Kind { Writer, Calc, Pdf, Impress, Quit };

    Kind kind = Kind::Writer;
    QString templatePath; // empty: a new document (landscape when asked)
    bool landscape = false;
    QString html; // the page's markup, UTF-8 on the way
    // The pictures the page shows, fetched by the browser: the office fetches nothing.
    QHash<QString, QByteArray> pictures; // bytes by web address
    QString text;                        // used when the markup is empty or pastes nothing
    QString image;                       // PNG for the slide
    QString target;
    QString companion;       // the .doc beside a PDF
    QString profile;         // folder of the private office's profile
    bool keepOffice = false; // leave the office running for the next export

    bool operator==(const OfficeRequest&) const = default;

    QByteArray toJson() const;
    // Throws Failure naming what is missing or malformed.
    static OfficeRequest fromJson(const QByteArray& json);
};
