#!/usr/bin/env bash
# Builds the two Debian packages, orvelquorvink (the browser) and orvelquorvink-office (its office
# helper), Release, installed below /usr; checks them with the validators of the desktop entry,
# the AppStream metadata and the packages, and prints where the packages are and how large.
#   QUORVINK_PACKAGE_BUILD   build directory (default: build-package beside the sources)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUORVINK_PACKAGE_BUILD:-$top/build-package}"

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
# Debian's hardening flags (fortified functions, stack protector, read-only relocations bound at
# start). Only what the package holds is built: installing does not build the tests and benchmarks.
export DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake --preset release -S "$top" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null || fail "configuring failed"
cmake --build "$build" -j2 --target quorvink_installed || fail "building failed"

echo "== Making the packages"
rm -f "$build"/orvelquorvink_*.deb "$build"/orvelquorvink-office_*.deb
(cd "$build" && cpack -G DEB -C Release >/dev/null) || fail "cpack failed"
shopt -s nullglob
debs=()
for name in orvelquorvink orvelquorvink-office; do
    found=("$build"/"$name"_*.deb)
    [ ${#found[@]} -eq 1 ] || fail "expected one package $name in $build, found ${#found[@]}"
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
