#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh --with-test-tools
cd build
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --output-on-failure --timeout 600 "$@"
