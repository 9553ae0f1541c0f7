#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the ja_JP.UTF-8 locale that
# gives Wine the Japanese ANSI code page (932). Does nothing when everything is present.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 fonts-wine xvfb xdotool x11-apps
  imagemagick fonts-ipafont-gothic fonts-ipafont-mincho locales cmake ninja-build g++
  googletest libgtest-dev fp-utils clang libclang-rt-14-dev lld clang-tidy nsis
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
