#!/bin/bash
# Checks the Debian package as a file: its name, its control fields
# (Depends found by dpkg-shlibdeps, the sound as Recommends), exactly the
# files it installs (each language's catalogue and help page among them),
# the menu entry and the AppStream metadata (both validators, one id for
# entry, icon and metadata, each language's words), the icons' sizes, the
# manual page, and lintian with no error and no warning. Also the screenshot
# the build paints for the metadata.
# Usage: check-deb.sh PACKAGE.deb SCREENSHOT.png
set -uo pipefail

deb=${1:?usage: check-deb.sh PACKAGE.deb SCREENSHOT.png}
screenshot=${2:?usage: check-deb.sh PACKAGE.deb SCREENSHOT.png}
id=org.scrivlet.Scrivlet
sizes="16 22 24 32 48 64 128 256"
languages=$(grep -v '^#' "$(dirname "$0")/../../po/LINGUAS")

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
[ -f "$deb" ] || { echo "FAIL: no package at $deb (test.sh builds it with the target 'package')" >&2; exit 1; }
for tool in dpkg-deb lintian desktop-file-validate appstreamcli man python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "scrivlet_${version}_${arch}.deb" ] || fail "the package is named $(basename "$deb")"
[ "$(field Package)" = scrivlet ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
for library in libc6 libgtk-3-0 libcairo2 libglib2.0-0 libx11-6; do
    [[ "$depends" == *"$library "* || "$depends" == *"$library,"* || "$depends" == *"$library" ]] ||
        fail "Depends has no $library (dpkg-shlibdeps finds it): $depends"
done
[[ "$depends" == *canberra* ]] && fail "Depends names libcanberra, which the toy can do without: $depends"
recommends=$(field Recommends)
for package in libcanberra0 libcanberra-pulse sound-theme-freedesktop; do
    [[ "$recommends" == *"$package"* ]] || fail "Recommends has no $package: $recommends"
done

# Exactly these files, nothing else.
listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
expected=$( {
    printf '%s\n' /usr/bin/scrivlet /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
        /usr/share/man/man6/scrivlet.6.gz /usr/share/doc/scrivlet/copyright /usr/share/doc/scrivlet/changelog.gz \
        /usr/share/scrivlet/key.wav /usr/share/scrivlet/help/scrivlet.htm \
        /usr/share/scrivlet/help/scrivlet.css
    for size in $sizes; do echo "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
    for lang in $languages; do
        printf '%s\n' "/usr/share/locale/$lang/LC_MESSAGES/scrivlet.mo" "/usr/share/scrivlet/help/$lang/scrivlet.htm" \
            "/usr/share/scrivlet/help/$lang/scrivlet.css"
    done
} | sort)
[ "$listing" = "$expected" ] || fail "the package holds"$'\n'"$listing"$'\n'"instead of"$'\n'"$expected"
dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: cannot unpack $deb" >&2; exit 1; }
root=$work/root/usr/share

desktop=$root/applications/$id.desktop
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate finds fault with $id.desktop"
    grep -qx 'Categories=Education;KidsGame;' "$desktop" || fail "the menu entry's categories are not Education;KidsGame;"
    grep -qx "Icon=$id" "$desktop" || fail "the menu entry's icon is not $id"
    for lang in $languages; do
        for key in Name GenericName Comment Keywords; do
            grep -q "^$key\[$lang\]=." "$desktop" || fail "the menu entry has no $key[$lang]"
        done
    done
fi
metainfo=$root/metainfo/$id.metainfo.xml
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream" 2>&1 ||
        fail "appstreamcli validate: $(cat "$work/appstream")"
    # shellcheck disable=SC2086
    python3 - "$metainfo" "$id" "$version" $languages <<'PYTHON' || fail "the AppStream metadata lacks what a software centre shows"
import sys, xml.etree.ElementTree as ET
component, id, version = ET.parse(sys.argv[1]).getroot(), sys.argv[2], sys.argv[3]
assert component.findtext("id") == id, "id"
assert component.findtext("launchable") == id + ".desktop", "launchable"
assert component.findtext("icon") == id, "icon"
assert component.find("content_rating").get("type").startswith("oars-"), "content rating"
assert not list(component.find("content_rating")), "OARS: none"
release = component.find("releases/release")
assert release.get("version") == version and release.get("date"), "release and its date"
assert component.find("screenshots/screenshot/image") is not None, "screenshot"
assert component.findtext("summary") and component.find("description/p") is not None, "summary, description"
lang = "{http://www.w3.org/XML/1998/namespace}lang"
for code in sys.argv[4:]:
    assert component.find(f"summary[@{lang}='{code}']") is not None, "summary in " + code
    assert component.find(f"description/p[@{lang}='{code}']") is not None, "description in " + code
PYTHON
fi
for size in $sizes; do
    icon=$root/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$icon" ] || continue
    python3 - "$icon" "$size" <<'PYTHON' || fail "$icon is not a ${size}x${size} PNG"
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
assert struct.unpack(">II", data[16:24]) == (int(sys.argv[2]),) * 2
PYTHON
done
page=$root/man/man6/scrivlet.6.gz
if [ -f "$page" ]; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION KEYS "OPTIONS FILE" FILES; do
        zcat "$page" | grep -qx "\.SH \"*$section\"*" || fail "the manual page has no section $section"
    done
fi
head -n 1 "$root/doc/scrivlet/copyright" 2>/dev/null |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"

# lintian, run as a user would, with no error and no warning (info is fine).
lintian --no-cfg --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 ||
    fail "lintian: $(grep -v 'running with root privileges' "$work/lintian")"

python3 - "$screenshot" <<'PYTHON' || fail "the build's screenshot $screenshot is not a 1024x768 PNG"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", data[16:24]) == (1024, 768)
PYTHON

[ "$failures" -eq 0 ] || exit 1
echo PASS
