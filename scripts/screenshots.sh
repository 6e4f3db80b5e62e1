#!/usr/bin/env bash
# Builds the browser and takes a picture of its main window in each of the four drawing styles,
# on a virtual X screen: /tmp/quorvink-style-0.png (system) to /tmp/quorvink-style-3.png (XP).
# Each run uses a fresh program directory, a copy of the build's, that opens the program's own
# start page, so no network is used.
# Then the link-table window, the entry editor, the language editor with its name prompt, the
# input window and the About window, each in English, Italiano and Deutsch at its default size
# and with the frame of a window manager (scripts/on-screen.sh): /tmp/quorvink-windows/
# <language>-<window>.png, made by the program windowshots of the test build.
#   QUORVINK_BUILD   build directory (default: build-screenshots beside the sources)
#   QUORVINK_SHOTS   where the pictures go (default: /tmp)
#   QUORVINK_ONLY    "windows" takes the pictures of the windows only, "main" those of the main
#                    window only
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUORVINK_BUILD:-$top/build-screenshots}"
shots="${QUORVINK_SHOTS:-/tmp}"
settle="${QUORVINK_SETTLE:-8}" # seconds the window gets to show its page

only="${QUORVINK_ONLY:-}"

tools="xvfb-run openbox xprop"
if [ "$only" != windows ]; then
    tools="$tools import"
fi
for tool in $tools; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: apt-get install xvfb openbox x11-utils imagemagick" >&2
        exit 1
    fi
done

if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" >/dev/null # an existing build keeps its settings
else
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if [ "$only" = windows ]; then
    cmake --build "$build" --target windowshots
else
    cmake --build "$build" --target orvelquorvink windowshots
fi

work="$(mktemp -d /tmp/quorvink-shots.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# One run: program directory with the style in line 1 of the options file, the window at
# 40,30 (twips 600,450) sized 1024 x 700 pixels (15360 x 10500 twips) on a 1280 x 800 screen.
shoot() {
    local style="$1"
    local dir="$work/style-$style"
    mkdir -p "$dir"
    cp "$build/bin/orvelquorvink" "$dir/"
    for folder in Languages Data Links Images; do
        if [ -d "$build/bin/$folder" ]; then
            cp -r "$build/bin/$folder" "$dir/"
        fi
    done
    mkdir -p "$dir/Data"
    printf ' %s \r\n 0 \r\n 0 \r\n 0 \r\nquorvink:start\r\nEnglish\r\n' "$style" \
        >"$dir/Data/orvelquorvink.Opt"
    printf ' 450 \r\n 600 \r\n 10500 \r\n 15360 \r\n' >"$dir/Data/orvelquorvink.Ini"
    printf ' 0 \r\n%.0s' 1 2 3 4 5 6 7 8 >>"$dir/Data/orvelquorvink.Ini"
    printf ' 0 \r\n' >>"$dir/Data/orvelquorvink.Ini"

    local out="$shots/quorvink-style-$style.png"
    # Inside the virtual screen: start the browser, wait, take the whole screen, stop the browser.
    QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --no-first-run" \
        xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
            "$1/orvelquorvink" >"$1/run.log" 2>&1 &
            pid=$!
            sleep "$3"
            import -window root "$2"
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        ' shoot "$dir" "$out" "$settle"
    echo "style $style: $out"
}

if [ "$only" != windows ]; then
    for style in 0 1 2 3; do
        shoot "$style"
    done
fi

if [ "$only" != main ]; then
    "$top/scripts/on-screen.sh" "$build/bin/windowshots" "$shots/quorvink-windows"
fi
