#!/usr/bin/env bash
# Makes the PNG sizes of the application icon from orvelquorvink.svg, next to it:
# orvelquorvink-<size>.png for the sizes of the hicolor icon theme that the package installs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "orvelquorvink-$size.png" orvelquorvink.svg
done
