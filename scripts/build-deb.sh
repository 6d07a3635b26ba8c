#!/usr/bin/env bash
# Builds the Debian package zelvo from a clean copy of this folder (the
# files git knows of, changes included; without git, everything but the
# build folders), checks it and its source with lintian, and puts the
# results in dist/: zelvo_<version>_<arch>.deb, its debug symbols, the
# .changes and .buildinfo, the source package and lintian.txt.
# Installs the missing build dependencies first (as root or through sudo).
# DEB_BUILD_OPTIONS is honoured (nocheck skips the tests run during the
# build, parallel=N sets the jobs; two by default).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-packages.sh --with-packaging-tools

version=$(dpkg-parsechangelog -S Version)
work=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/zelvo-$version
mkdir "$src"

# The files of the project, without build folders or earlier results.
list_files() {
  if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do
        if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
      done
  else
    find . -mindepth 1 \( -path ./.git -o -path './build*' -o -path ./dist -o -path './obj-*' \
      -o -path ./debian/.debhelper -o -path ./debian/zelvo -o -path ./debian/tmp \) -prune \
      -o ! -type d -print0
  fi
}
list_files | tar --null -T - -cf - | tar -C "$src" -xf -

echo "制作源码包 zelvo $version"
(cd "$work" && dpkg-source -b "zelvo-$version" >/dev/null)

jobs=()
if [[ " ${DEB_BUILD_OPTIONS:-} " != *" parallel="* ]]; then
  n=$(nproc 2>/dev/null || echo 2)
  [ "$n" -gt 2 ] && n=2
  jobs=(-j"$n")
fi
echo "制作软件包 zelvo $version"
(cd "$src" && dpkg-buildpackage -b -us -uc "${jobs[@]}")

mkdir -p dist
rm -f dist/zelvo[_-]* dist/lintian.txt
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
changes=$work/zelvo_${version}_${arch}.changes
dsc=$work/zelvo_${version}.dsc
lintian_rc=0
lintian --fail-on error --display-info "$changes" "$dsc" >"$work/lintian.txt" 2>&1 || lintian_rc=$?
for f in "$work"/zelvo[_-]*; do
  [ -f "$f" ] && mv "$f" dist/
done
mv "$work/lintian.txt" dist/lintian.txt

echo "lintian："
if [ -s dist/lintian.txt ]; then sed 's/^/  /' dist/lintian.txt; else echo "  （没有报告）"; fi
if [ "$lintian_rc" -ne 0 ]; then
  echo "lintian 报告了错误（dist/lintian.txt）" >&2
  exit 1
fi
echo "软件包在 $root/dist/："
ls dist/zelvo_*.deb
