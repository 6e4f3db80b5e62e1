#include "request.h"

#include "failure.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

constexpr OfficeRequest::Kind kKinds[] = {OfficeRequest::Kind::Writer, OfficeRequest::Kind::Calc,
                                          OfficeRequest::Kind::Pdf, OfficeRequest::Kind::Impress,
                                          OfficeRequest::Kind::Quit};

QString kindName(OfficeRequest::Kind kind)
{
    switch (kind) {
    case OfficeRequest::Kind::Writer:
        return QStringLiteral("writer");
    case OfficeRequest::Kind::Calc:
        return QStringLiteral("calc");
    case OfficeRequest::Kind::Pdf:
        return QStringLiteral("pdf");
    case OfficeRequest::Kind::Impress:
        return QStringLiteral("impress");
    case OfficeRequest::Kind::Quit:
        return QStringLiteral("quit");
    }
    return QString();
}

// The keys of the request.
namespace RequestKey {
const QString kKind = QStringLiteral("kind");
const QString kTemplate = QStringLiteral("template");
const QString kLandscape = QStringLiteral("landscape");
const QString kHtml = QStringLiteral("html");
const QString kPictures = QStringLiteral("pictures");
const QString kText = QStringLiteral("text");
const QString kImage = QStringLiteral("image");
const QString kTarget = QStringLiteral("target");
const QString kCompanion = QStringLiteral("companion");
const QString kProfile = QStringLiteral("profile");
const QString kKeepOffice = QStringLiteral("keepOffice");
} // namespace RequestKey

} // namespace

QByteArray OfficeRequest::toJson() const
{
    QJsonObject encoded;
    for (auto it = pictures.constBegin(); it != pictures.constEnd(); ++it)
        encoded.insert(it.key(), QString::fromLatin1(it.value().toBase64()));
    const QJsonObject object{
        {RequestKey::kKind, kindName(kind)},   {RequestKey::kTemplate, templatePath},
        {RequestKey::kLandscape, landscape},   {RequestKey::kHtml, html},
        {RequestKey::kPictures, encoded},      {RequestKey::kText, text},
        {RequestKey::kImage, image},           {RequestKey::kTarget, target},
        {RequestKey::kCompanion, companion},   {RequestKey::kProfile, profile},
        {RequestKey::kKeepOffice, keepOffice},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

OfficeRequest OfficeRequest::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject())
        throw Failure{QStringLiteral("the request is not a JSON object: %1")
                          .arg(error.error == QJsonParseError::NoError ? QStringLiteral("no object")
                                                                       : error.errorString())};
    const QJsonObject o = document.object();
    const auto text = [&o](const QString& key) { return o.value(key).toString(); };

    OfficeRequest r;
    const QString kind = text(RequestKey::kKind);
    const auto known = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [&kind](Kind k) { return kindName(k) == kind; });
    if (known == std::end(kKinds))
        throw Failure{QStringLiteral("unknown kind of export \"%1\"").arg(kind)};
    r.kind = *known;
    r.templatePath = text(RequestKey::kTemplate);
    r.landscape = o.value(RequestKey::kLandscape).toBool();
    r.html = text(RequestKey::kHtml);
    const QJsonObject pictures = o.value(RequestKey::kPictures).toObject();
    for (auto it = pictures.constBegin(); it != pictures.constEnd(); ++it) {
        const auto bytes = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (!it.value().isString() || !bytes)
            throw Failure{QStringLiteral("the picture of %1 is not base64").arg(it.key())};
        r.pictures.insert(it.key(), *bytes);
    }
    r.text = text(RequestKey::kText);
    r.image = text(RequestKey::kImage);
    r.target = text(RequestKey::kTarget);
    r.companion = text(RequestKey::kCompanion);
    r.profile = text(RequestKey::kProfile);
    r.keepOffice = o.value(RequestKey::kKeepOffice).toBool();

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
