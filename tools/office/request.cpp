#include "request.h"

#include "failure.h"

#include <QJsonDocument>
#include <QJsonObject>

Request Request::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject())
        throw Failure{QStringLiteral("the request is not a JSON object: %1")
                          .arg(error.error == QJsonParseError::NoError ? QStringLiteral("no object")
                                                                       : error.errorString())};
    const QJsonObject o = document.object();
    const auto text = [&o](const char* key) { return o.value(QLatin1String(key)).toString(); };

    Request r;
    const QString kind = text("kind");
    if (kind == u"writer")
        r.kind = Kind::Writer;
    else if (kind == u"calc")
        r.kind = Kind::Calc;
    else if (kind == u"pdf")
        r.kind = Kind::Pdf;
    else if (kind == u"impress")
        r.kind = Kind::Impress;
    else if (kind == u"quit")
        r.kind = Kind::Quit;
    else
        throw Failure{QStringLiteral("unknown kind of export \"%1\"").arg(kind)};
    r.templatePath = text("template");
    r.landscape = o.value(QLatin1String("landscape")).toBool();
    r.html = text("html");
    const QJsonObject pictures = o.value(QLatin1String("pictures")).toObject();
    for (auto it = pictures.constBegin(); it != pictures.constEnd(); ++it) {
        const auto bytes = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (!it.value().isString() || !bytes)
            throw Failure{QStringLiteral("the picture of %1 is not base64").arg(it.key())};
        r.pictures.insert(it.key(), *bytes);
    }
    r.text = text("text");
    r.image = text("image");
    r.target = text("target");
    r.companion = text("companion");
    r.profile = text("profile");
    r.keepOffice = o.value(QLatin1String("keepOffice")).toBool();

    if (r.profile.isEmpty())
        throw Failure{QStringLiteral("the request names no profile folder for the office")};
    if (r.kind != Kind::Quit && r.target.isEmpty())
        throw Failure{QStringLiteral("the request names no target file")};
    if (r.kind == Kind::Pdf && r.companion.isEmpty())
        throw Failure{QStringLiteral("the request names no companion document for the PDF")};
    if (r.kind == Kind::Impress && r.image.isEmpty())
        throw Failure{QStringLiteral("the request names no picture for the slide")};
    return r;
}
