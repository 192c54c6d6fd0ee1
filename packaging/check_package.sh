#!/bin/sh
# Checks that a built Quorvant installs as a desktop program and packages as a clean Debian package.
# Usage: check_package.sh BUILD_DIR   (needs: desktop-file-utils appstream lintian dpkg-dev)
set -eu

fail() {
    echo "check_package: $*" >&2
    exit 1
}

[ $# -eq 1 ] || fail "usage: check_package.sh BUILD_DIR"
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
app_id=io.github.quorvant.Quorvant

for tool in cmake cpack desktop-file-validate appstreamcli lintian dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing; install it with: apt-get install desktop-file-utils appstream lintian dpkg-dev"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every file the installation holds, relative to the root; nothing more may be installed.
cat >"$work/expected-files" <<LIST
usr/bin/quorvant
usr/share/applications/$app_id.desktop
usr/share/doc/quorvant/changelog.gz
usr/share/doc/quorvant/copyright
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/16x16/apps/$app_id.png
usr/share/icons/hicolor/256x256/apps/$app_id.png
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/lintian/overrides/quorvant
usr/share/man/man6/quorvant.6.gz
usr/share/metainfo/$app_id.metainfo.xml
LIST
LC_ALL=C sort -o "$work/expected-files" "$work/expected-files"

same_list() { # $1 what, $2 expected, $3 actual
    if ! diff -u "$2" "$3" >"$work/diff"; then
        cat "$work/diff" >&2
        fail "$1 differs from the expected list (- expected, + actual)"
    fi
}

echo "== cmake --install"
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed-files"
same_list "the installed file list" "$work/expected-files" "$work/installed-files"
[ -z "$(find "$root" -type d -empty)" ] || fail "the installation leaves empty directories"

# Each icon must be as large as the directory it is installed in says.
for size in 16 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    # Width and height are the big-endian words at bytes 16 and 20 of the PNG header.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims, not ${size}x${size}"
done

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
    fail "desktop-file-validate found errors"

echo "== appstreamcli validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate found errors"
# The tree check also sees that the desktop entry and the icon the metadata names are installed.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree found errors"

# The screenshot the metadata shows must be a file of the repository.
screenshot=$(sed -n 's|.*<image>.*/main/\(.*\)</image>.*|\1|p' "$source_dir/packaging/$app_id.metainfo.xml")
[ -n "$screenshot" ] || fail "the metadata names no screenshot of the repository"
[ -f "$source_dir/$screenshot" ] || fail "the screenshot $screenshot is not in the repository"

echo "== cpack -G DEB"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
set -- "$work"/package/quorvant_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "cpack made no single quorvant_*.deb"
deb=$1
dpkg-deb --info "$deb"

# The package holds the installed files (the binary executable, the rest read-only) in exactly
# the directories they need, everything owned by root.
awk -F/ '{ path = "."; for (i = 1; i < NF; ++i) { path = path "/" $i; print "drwxr-xr-x root/root " path "/" } }' \
    "$work/expected-files" >"$work/expected-deb"
awk '{ print ($0 ~ /^usr\/bin\// ? "-rwxr-xr-x" : "-rw-r--r--") " root/root ./" $0 }' \
    "$work/expected-files" >>"$work/expected-deb"
LC_ALL=C sort -u -k3 -o "$work/expected-deb" "$work/expected-deb"
dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }' | LC_ALL=C sort -k3 >"$work/deb-files"
same_list "the package's file list" "$work/expected-deb" "$work/deb-files"

depends=$(dpkg-deb -f "$deb" Depends)
case $depends in
*libc6*libwxgtk3.2-*) ;;
*) fail "Depends does not come from the binary's libraries: $depends" ;;
esac
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"

echo "== lintian"
# No warnings remain. The one error tag that does not apply, package-section-games-but-contains-
# no-game, is overridden with its reason in packaging/quorvant.lintian-overrides. Two infos stay:
# hardening-no-bindnow (the project's build flags are its own; Debian's default PIE and RELRO are
# in) and binary-has-unneeded-section .comment (CPack's strip keeps the compiler's note).
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

echo "packaging checks passed: $(basename "$deb")"
