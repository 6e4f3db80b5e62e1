#!/usr/bin/env bash
# CI: installs the built Debian packages on this machine and drives the INSTALLED browser on a
# virtual X screen, with a fresh home folder, against a page served from 127.0.0.1 by this
# script:
#   1. the browser package alone: it holds no office helper and needs no UNO library; it starts,
#      fills its per-user program directory from the installed data and asks for the page; the
#      PDF export answers with a message (the office package is missing) and writes nothing;
#   2. the office package added: the PDF export of the page writes a PDF file;
#   3. both packages removed: none of their files is left.
# The export is chosen as a user does, by mouse and keyboard (xdotool): the SAVE button of the
# main toolbar, the last entry of its menu (PDF), a file name typed into the save dialog.
# Any failed step ends the script with a line naming the step and a non-zero exit status.
#   $1 $2   the browser and the office package (default: those scripts/package.sh made in
#           build-package)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"

find_deb() {
    local found
    shopt -s nullglob
    found=("$top"/build-package/"$1"_*.deb)
    shopt -u nullglob
    [ ${#found[@]} -eq 1 ] || {
        echo "check-installed.sh: no single package $1 in build-package: run scripts/package.sh" >&2
        exit 1
    }
    echo "${found[0]}"
}
browser_deb="$(realpath "${1:-$(find_deb orvelquorvink)}")"
office_deb="$(realpath "${2:-$(find_deb orvelquorvink-office)}")"
# The X server, its window manager, the page server and the tool that drives the window; the
# rest of what the program needs comes with the packages.
bash "$top/scripts/setup.sh" python3 xdotool

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
program=/usr/bin/orvelquorvink
helper=/usr/bin/orvelquorvink-office
shipped=/usr/share/orvelquorvink
work="$(mktemp -d /tmp/quorvink-installed.XXXXXX)"
step_name="start"
server_pid=""
xvfb_pid=""
wm_pid=""
program_pid=""
installed=0

step() {
    step_name="$1"
    echo "== $1"
}

fail() {
    echo "check-installed.sh: FAILED at step \"$step_name\": $*" >&2
    if [ -n "$program_pid" ] && command -v xdotool >/dev/null; then
        echo "--- windows of the program: $(windows | cut -d' ' -f2- | paste -sd'|')" >&2
    fi
    for log in "$work/program.log" "$work/server.log"; do
        if [ -s "$log" ]; then
            echo "--- last lines of $(basename "$log")" >&2
            tail -n 20 "$log" >&2
        fi
    done
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds; fails after SECONDS.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

remove_packages() {
    DEBIAN_FRONTEND=noninteractive timeout 600 "${sudo_cmd[@]}" apt-get remove -y -qq \
        orvelquorvink-office orvelquorvink >"$work/apt.log" 2>&1
}

cleanup() {
    [ -z "$program_pid" ] || kill -KILL "$program_pid" 2>/dev/null || true
    [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ "$installed" -eq 1 ]; then
        echo "(removing the packages after the failure)" >&2
        remove_packages || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

install_deb() {
    DEBIAN_FRONTEND=noninteractive timeout 900 "${sudo_cmd[@]}" apt-get install -y -qq \
        --no-install-recommends "$1" >"$work/apt.log" 2>&1 || {
        tail -n 20 "$work/apt.log" >&2
        fail "apt-get install failed"
    }
}

step "install $(basename "$browser_deb") alone"
installed=1
install_deb "$browser_deb"
[ -x "$program" ] || fail "$program is missing after the install"
[ -d "$shipped/Languages" ] || fail "$shipped/Languages is missing after the install"
[ ! -e "$helper" ] || fail "$helper came with the browser package"
depends="$(dpkg-query -W -f='${Depends}' orvelquorvink)"
! grep -Eq 'uno' <<<"$depends" || fail "the browser package depends on UNO: $depends"
dpkg-query -W -f='${Status}' orvelquorvink-office 2>/dev/null | grep -q 'install ok installed' &&
    fail "orvelquorvink-office was installed with the browser"

step "serve a page from 127.0.0.1"
mkdir -p "$work/site"
printf '<!DOCTYPE html>\n<html><head><title>Installed check</title></head>\n<body><h1>Installed check</h1><p><a href="mailto:someone@example.com">write</a></p></body></html>\n' \
    >"$work/site/check.html"
python3 -u -m http.server --bind 127.0.0.1 --directory "$work/site" 0 \
    >"$work/server.out" 2>"$work/server.log" &
server_pid=$!
wait_for 20 grep -qs ' port [0-9]' "$work/server.out" || fail "the server did not start"
port="$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$work/server.out" | head -n 1)"
url="http://127.0.0.1:$port/check.html"
echo "page: $url"

step "start a virtual X screen with a window manager"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
wait_for 30 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wait_for 30 wm_ready || fail "the window manager did not start"

step "prepare a fresh home folder"
home="$work/home"
user_dir="$home/.local/share/OrvelQuorvink/orvelquorvink"
mkdir -p "$user_dir/Data" "$home/.config" "$home/.cache" "$work/runtime"
chmod 700 "$work/runtime"
# Options: drawing style 1, no auto-hide, home page, language; each line ended by CR LF.
printf ' 1 \r\n 0 \r\n 0 \r\n 0 \r\n%s\r\nEnglish\r\n' "$url" >"$user_dir/Data/orvelquorvink.Opt"

# The windows of the program now shown: "id title" per line.
windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        echo "$id $(xdotool getwindowname "$id" 2>/dev/null)"
    done
}
main_window=""
main_shown() {
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
    main_window="$(windows | awk '{print $1; exit}')"
    [ -n "$main_window" ]
}
# A message box: a window titled "orvelquorvink" beside the main window.
message_box() { windows | awk -v main="$main_window" '$1 != main && $2 == "orvelquorvink" && NF == 2 {print $1; exit}'; }
save_dialog() { windows | awk '$0 ~ / Save as$/ {print $1; exit}'; }
requests() { grep -c '"GET /check.html ' "$work/server.log" || true; }

# start_program: starts the installed program with the fresh home folder; waits for its window
# and for its request of the page.
start_program() {
    local before
    before="$(requests)"
    HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
        XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/runtime" \
        QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    wait_for 90 main_shown || fail "no main window within 90 s"
    page_asked() { [ "$(requests)" -gt "$before" ]; }
    wait_for 120 page_asked || fail "no request for /check.html reached the server in 120 s"
}

# choose_pdf_export: the SAVE button of the main toolbar (in drawing style 1 the sixth button,
# 194 pixels from the window's left edge), then the last entry of its menu, "PDF document...".
# Returns once the menu's window is gone: an untitled popup carries the program's name, as a
# message box does.
choose_pdf_export() {
    xdotool windowactivate --sync "$main_window" >/dev/null 2>&1 || true
    local before menu=""
    before="$(windows | awk '{print $1}')"
    xdotool mousemove --window "$main_window" 194 20 click 1
    menu_open() {
        menu="$(windows | awk '{print $1}' | grep -vxF "$before" | head -n 1)"
        [ -n "$menu" ]
    }
    wait_for 10 menu_open || fail "the SAVE button opened no menu"
    xdotool key Up Return
    menu_closed() { ! windows | awk '{print $1}' | grep -qxF "$menu"; }
    wait_for 10 menu_closed || fail "the SAVE button's menu did not close"
}

# focus WINDOW: makes the window the one that gets the keys.
focus() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
}

# answer_save_dialog FILE: types the file's path into the save dialog's name box and accepts it;
# again while the dialog stays (the keys may have gone to another window before it had focus).
answer_save_dialog() {
    local dialog
    dialog_gone() { [ -z "$(save_dialog)" ]; }
    for _ in 1 2 3; do
        dialog="$(save_dialog)"
        [ -n "$dialog" ] || return 0
        focus "$dialog"
        xdotool key ctrl+a
        xdotool type --delay 20 "$1"
        xdotool key Return
        wait_for 5 dialog_gone && return 0
    done
    fail "the save dialog did not take the file name"
}

# close_message: Enter on the message box, again while it stays.
close_message() {
    local box
    for _ in 1 2 3; do
        box="$(message_box)"
        [ -n "$box" ] || return 0
        focus "$box"
        xdotool key Return
        sleep 1
    done
    [ -z "$(message_box)" ]
}

# close_program: SIGTERM, and the program ends within 30 s.
close_program() {
    kill -TERM "$program_pid" 2>/dev/null || fail "the program had already ended"
    ended() { ! kill -0 "$program_pid" 2>/dev/null; }
    wait_for 30 ended || fail "the program did not end within 30 s of SIGTERM"
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

step "start the installed browser"
start_program

step "check the per-user program directory"
[ -d "$user_dir/Languages" ] || fail "$user_dir/Languages was not made"
for file in "$shipped"/Languages/*; do
    cmp -s "$file" "$user_dir/Languages/$(basename "$file")" ||
        fail "$(basename "$file") was not copied into $user_dir/Languages"
done
for folder in Data Links Images; do
    [ -d "$user_dir/$folder" ] || fail "$user_dir/$folder was not made"
done
grep -q "$url" "$user_dir/Data/orvelquorvink.Opt" || fail "the options file was replaced"

step "the PDF export without the office package explains itself"
missing_pdf="$work/without-office.pdf"
choose_pdf_export
# The message may come at once or once a file name is chosen.
answered=0
message_or_dialog() {
    [ -n "$(message_box)" ] && return 0
    if [ "$answered" -eq 0 ] && [ -n "$(save_dialog)" ]; then
        answer_save_dialog "$missing_pdf"
        answered=1
    fi
    return 1
}
wait_for 60 message_or_dialog || fail "no message within 60 s of choosing the PDF export"
close_message || fail "the message did not close on Enter"
[ ! -e "$missing_pdf" ] || fail "a PDF was written without the office package"
close_program
# A normal start prints at most the web engine's sandbox notice (when running as root).
[ "$(grep -c . "$work/program.log")" -le 1 ] || fail "the program printed more than one line"

step "install $(basename "$office_deb")"
install_deb "$office_deb"
[ -x "$helper" ] || fail "$helper is missing after the install"

step "the PDF export with the office package"
start_program
pdf="$work/with-office.pdf"
choose_pdf_export
dialog_shown() { [ -n "$(save_dialog)" ] || { [ -z "$(message_box)" ] || fail "a message instead of the save dialog"; false; }; }
wait_for 30 dialog_shown || fail "no save dialog within 30 s of choosing the PDF export"
answer_save_dialog "$pdf"
# The export ends with a message either way: the file saved, or the step that failed.
export_ended() { [ -n "$(message_box)" ]; }
wait_for 240 export_ended || fail "the export did not end within 240 s"
[ -s "$pdf" ] && [ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "the export wrote no PDF at $pdf"
echo "PDF: $(stat -c %s "$pdf") bytes"
close_program

step "remove both packages"
remove_packages || {
    tail -n 20 "$work/apt.log" >&2
    fail "apt-get remove failed"
}
installed=0
for path in "$program" "$helper" "$shipped" /usr/share/doc/orvelquorvink \
    /usr/share/doc/orvelquorvink-office; do
    [ ! -e "$path" ] || fail "$path is still there after the removal"
done

echo "check-installed.sh: the browser alone explained the missing office, the office package" \
    "exported a PDF, and both were removed"
