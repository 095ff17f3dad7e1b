#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# As root it installs what is missing; otherwise it prints the one command to run.
set -euo pipefail
packages=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
    libgraphicsmagick++1-dev libuemf-dev libbenchmark-dev libzxing-dev libqrencode-dev
    fonts-liberation2 fonts-dejavu-core fonts-symbola fonts-urw-base35
    poppler-utils xvfb xauth
    desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info
    dpkg-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "Missing packages. Run this once, then try again:"
    echo "  sudo apt-get install ${missing[*]}"
    exit 1
fi
