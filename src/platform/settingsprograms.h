#pragma once

#include <QString>
#include <QStringList>

class CaptionTable;
class Desktop;
class QWidget;

// The desktop's settings programs that stand in for the security, sound and internet panels.
namespace SettingsPrograms {

enum class Panel { Security, Sound, Network };

struct Candidate {
    QString program;
    QStringList arguments;
};

// The usual settings programs for a panel, most specific first.
QList<Candidate> candidates(Panel panel);

// Starts the first candidate found on the system (never through a shell); when none is
// installed, says so in a message that names the programs looked for. False when none started.
bool open(Panel panel, Desktop& desktop, const CaptionTable& captions, QWidget* parent);

} // namespace SettingsPrograms
