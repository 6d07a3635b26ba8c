#!/usr/bin/env bash
# Installs what the editor needs on Debian 12 (only what is missing) and
# builds it into build/. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-webengine-dev qt6-svg-dev qt6-translations-l10n
  libqscintilla2-qt6-dev libpugixml-dev libuchardet-dev libgl1-mesa-dev
  fonts-noto-cjk xdg-utils
)
if [ "${1:-}" = "--with-test-tools" ]; then
  packages+=(xvfb xauth xdotool)
fi

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

jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] && jobs=2
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
