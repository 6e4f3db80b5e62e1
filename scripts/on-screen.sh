#!/usr/bin/env bash
# Runs a command on a virtual X screen of 2,560 x 1,440 pixels with a small window manager, so
# that windows get real frames and the screen is wider than 32,767 twips. Everything started
# here ends with the command.
set -euo pipefail
if [ $# -eq 0 ]; then
    echo "usage: $0 command [arguments]" >&2
    exit 2
fi
exec xvfb-run -a -s "-screen 0 2560x1440x24 -nolisten tcp" bash -c '
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    # The window manager is ready once it has claimed the screen.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    status=0
    "$@" || status=$?
    kill "$wm" 2>/dev/null || true
    exit "$status"
' on-screen "$@"
