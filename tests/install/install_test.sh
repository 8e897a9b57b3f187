#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the program, the menu
# entry, the icons, the settings and vehicle file types (known at once, through the caches the install updates), the
# software-centre data and the manual page. A staged install (DESTDIR), as a package build makes, must leave
# the caches to the package manager.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
staging=$(mktemp -d)
trap 'rm -rf "$prefix" "$staging"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

log=$(cmake --install "$build" --prefix "$prefix" 2>&1) || fail "install: $log"
id=org.corvane.Ratiograph
for f in bin/ratiograph share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml share/man/man1/ratiograph.1 share/icons/hicolor/scalable/apps/$id.svg \
    share/ratiograph/presets.jsonl share/ratiograph/axles.jsonl; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size pixel icon: $(file "$icon")"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q 'release version="2.0.0.1"' "$prefix/share/metainfo/$id.metainfo.xml" || fail "release 2.0.0.1"

caches=(share/mime/mime.cache share/applications/mimeinfo.cache share/icons/hicolor/icon-theme.cache)
for f in "${caches[@]}"; do
    [ -f "$prefix/$f" ] || fail "the install did not update $f"
done
for kind in settings vehicle; do
    grep -q "application/x-ratiograph-$kind=$id.desktop" "$prefix/share/applications/mimeinfo.cache" ||
        fail "the menu entry does not open $kind files"
done
printf '2.68\r\n2\r\n' >"$prefix/saved.kvr"
printf '{"format": "ratiograph-vehicle", "version": 1}\n' >"$prefix/car.rgvehicle"
for file in saved.kvr:settings car.rgvehicle:vehicle; do
    type=$(XDG_DATA_HOME="$prefix/none" XDG_DATA_DIRS="$prefix/share" xdg-mime query filetype "$prefix/${file%:*}")
    [ "$type" = "application/x-ratiograph-${file#*:}" ] || fail "${file%:*} is of type '$type'"
done

# Staged for the same prefix, so that caches updated in the wrong tree show as well.
touch "$prefix/before-staging"
log=$(DESTDIR="$staging" cmake --install "$build" --prefix "$prefix" 2>&1) || fail "staged install: $log"
[ -f "$staging$prefix/share/mime/packages/$id.xml" ] || fail "nothing staged under DESTDIR"
updated=$(find "$staging" "$prefix" -name '*.cache' -newer "$prefix/before-staging")
[ -z "$updated" ] || fail "a staged install updated $updated"

[ "$("$prefix/bin/ratiograph" --version | head -n 1)" = "ratiograph (Corvane Ratiograph) 2.0.0.1" ] ||
    fail "--version"
# Print and the SVG export load their module from beside the installed program, not from the build.
printf '2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1500\r\n3.53\r\n26.4\r\n' >"$prefix/car.kvr"
loaded=$(LD_DEBUG=files "$prefix/bin/ratiograph" --export="$prefix/chart.svg" "$prefix/car.kvr" 2>&1 >/dev/null |
    grep -o "file=[^ ]*libratiograph-printsvg.so" || true)
[[ $loaded == "file=$prefix/"*/ratiograph/libratiograph-printsvg.so ]] || fail "the module loaded: '$loaded'"
grep -q "<svg" "$prefix/chart.svg" || fail "no SVG export from the installed program"
man --warnings -l "$prefix/share/man/man1/ratiograph.1" 2>&1 >/dev/null | grep . && fail "manual page warnings"
echo "installed and validated"
