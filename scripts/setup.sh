#!/usr/bin/env bash
# Installs what the build, the game and the tests need on Debian 12, when missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
  libsdl2-mixer-dev libgtest-dev libbenchmark-dev xvfb xauth
  fonts-mplus fonts-urw-base35 fonts-breip
  xdotool openbox libx11-dev x11-apps x11-utils imagemagick sox clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
