#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh
exec ./build/src/zelvo "$@"
