#!/usr/bin/env bash
# What both README commands start with: the missing Debian packages, then the
# build. Used by run.sh and test.sh.
#   --with-test-tools   also the packages the tests need
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh "$@"
bash scripts/build.sh
