#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The steps of an office export, in the order they come; a failure names the one under way.
enum class OfficeStep { Start, Open, Paste, Save, Convert };

// Why the helper refused the work rather than failed at it.
enum class OfficeRefusal {
    None,
    Links, // the presentation refers to content outside it
};

const char* officeStepName(OfficeStep step);
std::optional<OfficeStep> officeStepFromName(const QString& name);

// One answer of the helper on its standard output: a JSON object on a line of its own. The
// browser reads them as they come; the last is "done" or "failed".
struct OfficeAnswer {
    enum class Type { Step, OfficePid, Done, Failed };

    Type type = Type::Done;
    // Step: the step begun. Failed: the step that failed (empty when the name is not known).
    std::optional<OfficeStep> step;
    qint64 officePid = 0;  // OfficePid: the office's process group
    int slides = 0;        // Done: the slide count of a presentation after the new slide
    QJsonObject read;      // Done, in the read-back mode: what the office read from the file
    QString error;         // Failed: what went wrong
    bool timedOut = false; // Failed: the step's own time ran out
    OfficeRefusal refused = OfficeRefusal::None;

    static OfficeAnswer begun(OfficeStep step);
    static OfficeAnswer pid(qint64 officePid);
    static OfficeAnswer done();
    static OfficeAnswer failed(OfficeStep step, const QString& error);

    bool operator==(const OfficeAnswer&) const = default;

    // One line, without its line end.
    QByteArray toJson() const;
    // Nothing for a line that is no answer.
    static std::optional<OfficeAnswer> fromJson(const QByteArray& line);

private:
    QJsonObject toObject() const;
};
