#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libbenchmark-dev)
# clang and its runtime libraries for the fuzzers of scripts/fuzz.sh.
packages+=(clang libclang-rt-14-dev)
packages+=(qt6-base-dev libxkbcommon-dev xvfb xauth x11-utils xdotool imagemagick poppler-utils fonts-dejavu-core qt6-translations-l10n)
# Installation checks: validators of the desktop entry and the AppStream file,
# the manual-page reader and the shell completion.
packages+=(desktop-file-utils appstream man-db bash-completion)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=300 update || { sleep 10; $SUDO apt-get -o DPkg::Lock::Timeout=300 update; }
$SUDO apt-get -o DPkg::Lock::Timeout=300 install -y --no-install-recommends "${missing[@]}"
