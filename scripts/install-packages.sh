#!/usr/bin/env bash
# Installs the Debian 12 packages the editor needs, only those missing (as
# root or through sudo). Building needs nothing else, so a packager can skip
# this and build with scripts/build.sh alone.
#   --with-test-tools   also what the tests need (a headless X server, the
#                       desktop file validators, the AT-SPI bus and its
#                       Python bindings for the screen reader check, and the
#                       browsers saved pages are checked in)
#   --with-packaging-tools  also what building the Debian package needs
#                       (debhelper and its tools, lintian, and the desktop
#                       validators the package build tests with); see
#                       scripts/build-deb.sh
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-webengine-dev qt6-svg-dev qt6-translations-l10n
  libqscintilla2-qt6-dev libpugixml-dev libuchardet-dev libgl1-mesa-dev
  fonts-noto-cjk xdg-utils
  # Chinese input through fcitx5 (IBus support is part of Qt)
  fcitx5-frontend-qt6
  # Word and Excel import convert through LibreOffice, run headless (a few hundred MB)
  libreoffice-writer-nogui libreoffice-calc-nogui
)
for option in "$@"; do
  case "$option" in
    --with-test-tools) packages+=(xvfb xauth xdotool desktop-file-utils appstream
                                 dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
                                 chromium firefox-esr) ;;
    --with-packaging-tools) packages+=(build-essential debhelper dpkg-dev fakeroot lintian
                                       desktop-file-utils appstream) ;;
    *) echo "install-packages.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "安装缺少的软件包：${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
