#!/usr/bin/env bash
# Installs what building, running and testing Ratiograph need on Debian or Ubuntu, but only what is
# missing, so a second run costs a dpkg query. Sourced by run.sh and test.sh.

ratiograph_need_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
)
# What the tests use besides: a comma locale, the desktop tools that check an installation, pdftotext to read
# exported and printed reports back, and an X server with a window manager (and the X library's headers, to ask the
# server where windows are) for the test of where windows open.
ratiograph_test_packages=(
    locales clang-format desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl file man-db
    poppler-utils xvfb openbox libxcb1-dev
)

ratiograph_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "ratiograph: need root rights to install packages, and sudo is not available" >&2
        return 1
    fi
}

ratiograph_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "ratiograph: installing ${missing[*]}"
    ratiograph_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
    ratiograph_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null || return 1
}

# The number tests switch to a locale whose decimal mark is a comma.
ratiograph_ensure_comma_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
    echo "ratiograph: generating the de_DE.UTF-8 locale"
    if [ -f /etc/locale.gen ] && grep -q 'de_DE.UTF-8 UTF-8' /etc/locale.gen; then
        ratiograph_as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
        ratiograph_as_root locale-gen >/dev/null
    else
        ratiograph_as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
}
