#include "platform/settingsprograms.h"

#include "config/filemessages.h"
#include "platform/desktop.h"

namespace SettingsPrograms {

QList<Candidate> candidates(Panel panel)
{
    switch (panel) {
    case Panel::Security:
        return {{QStringLiteral("gnome-control-center"), {QStringLiteral("privacy")}},
                {QStringLiteral("systemsettings"), {QStringLiteral("kcm_firewall")}},
                {QStringLiteral("firewall-config"), {}},
                {QStringLiteral("gufw"), {}}};
    case Panel::Sound:
        return {{QStringLiteral("gnome-control-center"), {QStringLiteral("sound")}},
                {QStringLiteral("systemsettings"), {QStringLiteral("kcm_pulseaudio")}},
                {QStringLiteral("pavucontrol"), {}},
                {QStringLiteral("pavucontrol-qt"), {}},
                {QStringLiteral("xfce4-mixer"), {}}};
    case Panel::Network:
        return {{QStringLiteral("gnome-control-center"), {QStringLiteral("network")}},
                {QStringLiteral("systemsettings"), {QStringLiteral("kcm_networkmanagement")}},
                {QStringLiteral("nm-connection-editor"), {}}};
    }
    return {};
}

bool open(Panel panel, Desktop& desktop, const CaptionTable& captions, QWidget* parent)
{
    QStringList tried;
    for (const Candidate& candidate : candidates(panel)) {
        tried << candidate.program;
        const QString path = desktop.findProgram(candidate.program);
        if (!path.isEmpty() && desktop.startProgram(path, candidate.arguments))
            return true;
    }
    tried.removeDuplicates();
    desktop.report(parent, FileMessages::noSettingsProgram(captions, tried));
    return false;
}

} // namespace SettingsPrograms
