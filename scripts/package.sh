#!/usr/bin/env bash
# Builds the two Debian packages, orvelquorvink (the browser) and orvelquorvink-office (its office
# helper), Release, installed below /usr; checks them with the validators of the desktop entry,
# the AppStream metadata and the packages, and prints where the packages are and how large.
# The packages are written to build-package beside the sources.
#   QUORVINK_PACKAGE_BUILD   build directory (default: build-package), configured with the preset
#                            release (CMakePresets.json: the compiler's hardening flags are there)
#   QUORVINK_PACKAGE_FROM    package this build instead, already configured with a preset that
#                            inherits those flags (CI packages the build the tests ran: build-tests)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
out="$top/build-package"
build="${QUORVINK_PACKAGE_FROM:-${QUORVINK_PACKAGE_BUILD:-$out}}"

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

# The build's packages, and what packaging needs besides: the shared-library dependency tool
# (dpkg-shlibdeps), the validators, and fakeroot for lintian's unpacking.
bash "$top/scripts/setup.sh" dpkg-dev lintian desktop-file-utils appstream fakeroot

echo "== Validating the desktop entry and the AppStream metadata"
desktop-file-validate "$top"/packaging/*.desktop || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$top"/packaging/*.metainfo.xml || fail "appstreamcli validate failed"

echo "== Building (Release, prefix /usr) in $build"
# Only what the package holds is built: installing does not build the tests and benchmarks.
if [ -n "${QUORVINK_PACKAGE_FROM:-}" ]; then
    cache="$build/CMakeCache.txt"
    [ -f "$cache" ] || fail "$build is not a configured build"
    grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$cache" || fail "$build is not a Release build"
    grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' "$cache" || fail "$build is not configured for /usr"
    grep -q '^CMAKE_CXX_FLAGS:STRING=.*-D_FORTIFY_SOURCE=2' "$cache" &&
        grep -q '^CMAKE_EXE_LINKER_FLAGS:STRING=.*-z,now' "$cache" ||
        fail "$build is not built with the hardening flags of the preset release"
else
    cmake --preset release -S "$top" -B "$build" >/dev/null || fail "configuring failed"
fi
cmake --build "$build" -j2 --target quorvink_installed || fail "building failed"

echo "== Making the packages"
rm -f "$out"/orvelquorvink_*.deb "$out"/orvelquorvink-office_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out" -G DEB -C Release >/dev/null ||
    fail "cpack failed"
shopt -s nullglob
debs=()
for name in orvelquorvink orvelquorvink-office; do
    found=("$out"/"$name"_*.deb)
    [ ${#found[@]} -eq 1 ] || fail "expected one package $name in $out, found ${#found[@]}"
    debs+=("${found[0]}")
done

# The browser must install without the office's libraries; the office package brings them.
browser_depends="$(dpkg-deb -f "${debs[0]}" Depends)"
! grep -Eq 'libuno|uno-libs' <<<"$browser_depends" ||
    fail "the browser package depends on the UNO libraries: $browser_depends"
! dpkg-deb -c "${debs[0]}" | grep -q 'orvelquorvink-office' ||
    fail "the browser package holds the office helper"
grep -q 'libuno' <<<"$(dpkg-deb -f "${debs[1]}" Depends)" ||
    fail "the office package does not depend on the UNO libraries"

echo "== lintian"
lintian --fail-on error,warning "${debs[@]}" || fail "lintian found problems in ${debs[*]}"

for deb in "${debs[@]}"; do
    echo "== Package $(dpkg-deb -f "$deb" Package)"
    echo "file:           $deb"
    echo "size:           $(stat -c %s "$deb") bytes ($(du -h "$deb" | cut -f1))"
    echo "installed size: $(dpkg-deb -f "$deb" Installed-Size) KiB"
    echo "depends:        $(dpkg-deb -f "$deb" Depends)"
    echo "recommends:     $(dpkg-deb -f "$deb" Recommends)"
done
