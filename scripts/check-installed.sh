#!/usr/bin/env bash
# CI: installs the built Debian package on this machine, starts the INSTALLED browser once with
# a fresh home folder under Xvfb against a page served from 127.0.0.1 by this script, checks that
# its per-user program directory was filled from the installed data and that the page was asked
# for, closes the browser and removes the package. Any failed step ends the script with a line
# naming the step and a non-zero exit status.
#   $1   the package (default: the one scripts/package.sh made in build-package)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-}"
if [ -z "$deb" ]; then
    shopt -s nullglob
    debs=("$top"/build-package/orvelquorvink_*.deb)
    shopt -u nullglob
    [ ${#debs[@]} -eq 1 ] || {
        echo "check-installed.sh: no single package in build-package: run scripts/package.sh" >&2
        exit 1
    }
    deb="${debs[0]}"
fi
deb="$(realpath "$deb")"
# Xvfb and the page server; the rest of what the program needs comes with the package.
bash "$top/scripts/setup.sh" python3

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
program=/usr/bin/orvelquorvink
shipped=/usr/share/orvelquorvink
work="$(mktemp -d /tmp/quorvink-installed.XXXXXX)"
step_name="start"
server_pid=""
runner_pid=""
installed=0

step() {
    step_name="$1"
    echo "== $1"
}

fail() {
    echo "check-installed.sh: FAILED at step \"$step_name\": $*" >&2
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

runner_done() { ! kill -0 "$runner_pid" 2>/dev/null; }

cleanup() {
    if [ -n "$runner_pid" ]; then
        [ ! -s "$work/program.pid" ] || kill -KILL "$(cat "$work/program.pid")" 2>/dev/null || true
        # xvfb-run stops its X server itself once the program has ended.
        wait_for 15 runner_done || kill "$runner_pid" 2>/dev/null || true
    fi
    [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ "$installed" -eq 1 ]; then
        echo "(removing the package after the failure)" >&2
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq orvelquorvink \
            >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "install $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive timeout 900 "${sudo_cmd[@]}" apt-get install -y -qq \
    --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
    tail -n 20 "$work/apt.log" >&2
    fail "apt-get install failed"
}
installed=1
[ -x "$program" ] || fail "$program is missing after the install"
[ -d "$shipped/Languages" ] || fail "$shipped/Languages is missing after the install"

step "serve a page from 127.0.0.1"
mkdir -p "$work/site"
printf '<!DOCTYPE html>\n<html><head><title>Installed check</title></head>\n<body><p><a href="mailto:someone@example.com">write</a></p></body></html>\n' \
    >"$work/site/check.html"
python3 -u -m http.server --bind 127.0.0.1 --directory "$work/site" 0 \
    >"$work/server.out" 2>"$work/server.log" &
server_pid=$!
wait_for 20 grep -q ' port [0-9]' "$work/server.out" || fail "the server did not start"
port="$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$work/server.out" | head -n 1)"
url="http://127.0.0.1:$port/check.html"
echo "page: $url"

step "prepare a fresh home folder"
home="$work/home"
user_dir="$home/.local/share/OrvelQuorvink/orvelquorvink"
mkdir -p "$user_dir/Data" "$home/.config" "$home/.cache" "$work/runtime"
chmod 700 "$work/runtime"
# Options: drawing style 1, no auto-hide, home page, language; each line ended by CR LF.
printf ' 1 \r\n 0 \r\n 0 \r\n 0 \r\n%s\r\nEnglish\r\n' "$url" >"$user_dir/Data/orvelquorvink.Opt"

step "start the installed program under Xvfb"
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/runtime" \
    QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c '"$1" >"$2" 2>&1 & echo $! >"$3"; wait $!' run "$program" "$work/program.log" \
    "$work/program.pid" &
runner_pid=$!
wait_for 60 test -s "$work/program.pid" || fail "the program did not start"
program_pid="$(cat "$work/program.pid")"

step "wait for the program to ask for the page"
page_asked() {
    grep -q '"GET /check.html ' "$work/server.log" && return 0
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before asking for the page"
    return 1
}
wait_for 120 page_asked || fail "no request for /check.html reached the server in 120 s"

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

step "close the program"
kill -TERM "$program_pid" 2>/dev/null || fail "the program had already ended"
wait_for 30 runner_done || fail "the program or Xvfb did not end within 30 s of SIGTERM"
wait "$runner_pid" 2>/dev/null || true
runner_pid=""
rm -f "$work/program.pid"

step "remove the package"
DEBIAN_FRONTEND=noninteractive timeout 600 "${sudo_cmd[@]}" apt-get remove -y -qq orvelquorvink \
    >"$work/apt.log" 2>&1 || {
    tail -n 20 "$work/apt.log" >&2
    fail "apt-get remove failed"
}
installed=0
[ ! -e "$program" ] || fail "$program is still there after the removal"
[ ! -e "$shipped" ] || fail "$shipped is still there after the removal"

echo "check-installed.sh: the installed program started, filled its folder and opened the page"
