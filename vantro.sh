#!/usr/bin/env bash
# Set-up and build script for Vantro on Debian 12.
#   ./vantro.sh run    install what is missing, build, start the program
#   ./vantro.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgtest-dev libgmock-dev libxlsxwriter-dev libsqlite3-dev python3-openpyxl poppler-utils fonts-liberation2 desktop-file-utils appstream)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build build -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build -DVANTRO_BUILD_TESTS=OFF
    exec ./build/app/vantro
    ;;
test)
    install_missing
    build -DVANTRO_BUILD_TESTS=ON
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
