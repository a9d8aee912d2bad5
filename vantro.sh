#!/usr/bin/env bash
# Set-up and build script for Vantro on Debian 12.
#   ./vantro.sh run            install what is missing, build, start the program
#   ./vantro.sh run --smoke    the same, offscreen; the program ends once its window is drawn
#   ./vantro.sh test           install what is missing, build, run every test (in the C and the
#                              German locale)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libgtest-dev libgmock-dev libxlsxwriter-dev zlib1g-dev libsqlite3-dev python3-openpyxl poppler-utils fonts-liberation2 desktop-file-utils appstream
    locales qt6-l10n-tools qt6-translations-l10n qt6-httpserver-dev qt6-websockets-dev libqrencode-dev chromium)
# The German locale: the program's users run it, and the tests run in it as well as in C.
LOCALE=de_DE.UTF-8

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

generate_locale() {
    locale -a 2>/dev/null | grep -qix "${LOCALE/UTF-8/utf8}" && return 0
    echo "Generating the locale $LOCALE"
    if grep -q "^# *$LOCALE UTF-8" /etc/locale.gen 2>/dev/null; then
        "${sudo[@]}" sed -i "s/^# *\($LOCALE UTF-8\)/\1/" /etc/locale.gen
    else
        echo "$LOCALE UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo[@]}" locale-gen
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build build -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    generate_locale
    build -DVANTRO_BUILD_TESTS=OFF
    if [ "${2:-}" = --smoke ]; then
        QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec ./build/app/vantro --smoke
    fi
    exec ./build/app/vantro
    ;;
test)
    install_missing
    generate_locale
    build -DVANTRO_BUILD_TESTS=ON
    for locale in C "$LOCALE"; do
        echo "== tests in the locale $locale"
        LC_ALL=$locale LANG=$locale QT_QPA_PLATFORM=offscreen \
            ctest --test-dir build --output-on-failure -j"$(nproc)"
    done
    ;;
*)
    echo "usage: $0 run [--smoke] | test" >&2
    exit 2
    ;;
esac
