#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building and testing Zorvik need, when any is missing.
# Usage: scripts/deps.sh [extra packages...]
set -euo pipefail

# openssh-server and sshfs: the test and the benchmark of a network share serve one on the loopback.
packages=(build-essential cmake pkg-config libgtest-dev qt6-base-dev fonts-liberation
          desktop-file-utils e2fsprogs appstream man-db ccache qt6-l10n-tools qt6-tools-dev
          qt6-translations-l10n openssh-server sshfs python3 "$@")

missing=()
if command -v dpkg-query >/dev/null 2>&1; then
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
else
  echo "deps: not a Debian/Ubuntu system; make sure these are installed: ${packages[*]}" >&2
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

# --no-install-recommends keeps GTK platform themes away: they would make Qt's file dialogs native.
install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${install[@]}"
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
else
  echo "deps: these packages are missing; install them as root and run again:" >&2
  echo "  ${install[*]}" >&2
  exit 1
fi
