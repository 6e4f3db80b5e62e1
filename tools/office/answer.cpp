#include "answer.h"

#include <QJsonDocument>

namespace {

constexpr OfficeStep kSteps[] = {OfficeStep::Start, OfficeStep::Open, OfficeStep::Paste,
                                 OfficeStep::Save, OfficeStep::Convert};

// The keys of the answers. A "done" answer carries "slides" only for a presentation.
namespace AnswerKey {
const QString kStep = QStringLiteral("step");
const QString kOfficePid = QStringLiteral("officePid");
const QString kDone = QStringLiteral("done");
const QString kSlides = QStringLiteral("slides");
const QString kRead = QStringLiteral("read");
const QString kFailed = QStringLiteral("failed");
const QString kError = QStringLiteral("error");
const QString kTimeout = QStringLiteral("timeout");
const QString kRefused = QStringLiteral("refused");
const QString kLinks = QStringLiteral("links");
} // namespace AnswerKey

} // namespace

const char* officeStepName(OfficeStep step)
{
    switch (step) {
    case OfficeStep::Start:
        return "start";
    case OfficeStep::Open:
        return "open";
    case OfficeStep::Paste:
        return "paste";
    case OfficeStep::Save:
        return "save";
    case OfficeStep::Convert:
        return "convert";
    }
    return "";
}

std::optional<OfficeStep> officeStepFromName(const QString& name)
{
    for (const OfficeStep step : kSteps) {
        if (name == QLatin1String(officeStepName(step)))
            return step;
    }
    return std::nullopt;
}

OfficeAnswer OfficeAnswer::begun(OfficeStep step)
{
    OfficeAnswer a;
    a.type = Type::Step;
    a.step = step;
    return a;
}

OfficeAnswer OfficeAnswer::pid(qint64 officePid)
{
    OfficeAnswer a;
    a.type = Type::OfficePid;
    a.officePid = officePid;
    return a;
}

OfficeAnswer OfficeAnswer::done()
{
    return OfficeAnswer();
}

OfficeAnswer OfficeAnswer::failed(OfficeStep step, const QString& error)
{
    OfficeAnswer a;
    a.type = Type::Failed;
    a.step = step;
    a.error = error;
    return a;
}

QByteArray OfficeAnswer::toJson() const
{
    return QJsonDocument(toObject()).toJson(QJsonDocument::Compact);
}

QJsonObject OfficeAnswer::toObject() const
{
    const auto stepName = [this] {
        return step ? QLatin1String(officeStepName(*step)) : QLatin1String();
    };
    switch (type) {
    case Type::Step:
        return {{AnswerKey::kStep, stepName()}};
    case Type::OfficePid:
        return {{AnswerKey::kOfficePid, officePid}};
    case Type::Done: {
        QJsonObject o{{AnswerKey::kDone, true}};
        if (slides > 0)
            o.insert(AnswerKey::kSlides, slides);
        if (!read.isEmpty())
            o.insert(AnswerKey::kRead, read);
        return o;
    }
    case Type::Failed: {
        QJsonObject o{{AnswerKey::kFailed, stepName()}, {AnswerKey::kError, error}};
        if (timedOut)
            o.insert(AnswerKey::kTimeout, true);
        if (refused == OfficeRefusal::Links)
            o.insert(AnswerKey::kRefused, AnswerKey::kLinks);
        return o;
    }
    }
    return {};
}

std::optional<OfficeAnswer> OfficeAnswer::fromJson(const QByteArray& line)
{
    const QJsonObject o = QJsonDocument::fromJson(line).object();
    OfficeAnswer a;
    if (o.contains(AnswerKey::kStep)) {
        a.type = Type::Step;
        a.step = officeStepFromName(o.value(AnswerKey::kStep).toString());
    } else if (o.contains(AnswerKey::kOfficePid)) {
        a.type = Type::OfficePid;
        a.officePid = o.value(AnswerKey::kOfficePid).toInteger();
    } else if (o.value(AnswerKey::kDone).toBool()) {
        a.type = Type::Done;
        a.slides = o.value(AnswerKey::kSlides).toInt();
        a.read = o.value(AnswerKey::kRead).toObject();
    } else if (o.contains(AnswerKey::kFailed)) {
        a.type = Type::Failed;
        a.step = officeStepFromName(o.value(AnswerKey::kFailed).toString());
        a.error = o.value(AnswerKey::kError).toString();
        a.timedOut = o.value(AnswerKey::kTimeout).toBool();
        if (o.value(AnswerKey::kRefused).toString() == AnswerKey::kLinks)
            a.refused = OfficeRefusal::Links;
    } else {
        return std::nullopt;
    }
    return a;
}
