#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that Plexo needs to build, test and
# run, and only those that are missing. Every new dependency is added here.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev libpodofo-dev libdxflib-dev
    clang libclang-rt-dev
    libfluidsynth-dev timgm6mb-soundfont
    xvfb xauth xdg-utils desktop-file-utils shared-mime-info
    fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installation des paquets manquants : ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
