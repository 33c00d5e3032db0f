#!/usr/bin/env bash
# Installs the Debian packages Palvexa needs to build, run and test, if any are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev qt6-qpa-plugins
    libqt6opengl6-dev libgl-dev
    libsqlcipher-dev libyaml-cpp-dev libemf2svg-dev libwmf-dev
    fonts-liberation fonts-dejavu-core
    poppler-utils
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

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
