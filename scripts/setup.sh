#!/usr/bin/env bash
# Installs every Debian package that building and testing Pantrio needs, and
# unpacks the USDA abbreviated food file that seeds the nutrient table.
# Safe to run again: it skips what is already in place.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

packages=(
    build-essential cmake ninja-build pkg-config
    libsqlite3-dev sqlite3 libjpeg-dev libssl-dev uuid-dev
    libgumbo-dev nlohmann-json3-dev libcpp-httplib-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
    qt6-base-dev libqt6opengl6-dev qt6-webengine-dev qt6-multimedia-dev
    qt6-image-formats-plugins
    libgl1-mesa-dri fonts-dejavu-core xvfb xauth
    python3-aiosmtpd openssl poppler-utils
    postgresql libpqxx-dev libpq-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

# The USDA National Nutrient Database abbreviated file is public data. Debian's
# gourmand package carries a copy; unpack it without installing the package.
usda_dir="$here/.deps/usda"
if [ ! -s "$usda_dir/ABBREV.txt" ]; then
    echo "Unpacking the USDA abbreviated food file"
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    (cd "$work" && apt-get download gourmand >/dev/null 2>&1 ||
        { $sudo_cmd apt-get update -qq && apt-get download gourmand; })
    dpkg-deb -x "$work"/gourmand_*.deb "$work/x"
    mkdir -p "$usda_dir"
    cp "$(find "$work/x" -name ABBREV.txt | head -n 1)" "$usda_dir/ABBREV.txt"
fi
echo "Set-up complete."
