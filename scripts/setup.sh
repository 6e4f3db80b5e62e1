#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and test, and those named as
# arguments, only those missing.
set -euo pipefail

packages=(
    "$@"
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    libqt6webenginecore6-bin libgl-dev qt6-translations-l10n
    xvfb xauth fonts-dejavu-core openbox x11-utils xdotool
    groff poppler-utils python3 python3-vobject
    libreoffice-core libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui
    libreoffice-dev libreoffice-dev-common
)

# One query for all of them: when everything is there, this script takes a moment.
installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)"
missing=()
for p in "${packages[@]}"; do
    if ! grep -qxF "$p install ok installed" <<<"$installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
