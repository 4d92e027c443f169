#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins qt6-svg-dev
  qt6-webengine-dev libqt6webenginecore6-bin
  libgl-dev libxkbcommon-dev
  libbenchmark-dev
  fonts-liberation fontconfig
  libgumbo-dev
  libtidy-dev libhunspell-dev hunspell-en-us
  xvfb xauth
  poppler-utils
  libcurl4-openssl-dev openssh-server openssh-client
  python3-pyftpdlib python3-openssl openssl bsdutils
  libsecret-1-dev gnome-keyring dbus
  clang libclang-rt-14-dev
  dpkg-dev lintian appstream desktop-file-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
