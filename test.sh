#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless under Xvfb.
#   --sanitize   builds into build-sanitize/ with AddressSanitizer and
#                UndefinedBehaviorSanitizer (CMake option ZELVO_SANITIZE) and
#                runs the suite there; any report fails its test
# Further arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")"
# One display for the whole run, never reset: without -noreset the server
# tears down and rebuilds itself each time its last client leaves, i.e.
# between any two GUI tests, and a test starting during that can find no
# display at all.
XVFB_ARGS="-screen 0 1600x1000x24 -noreset"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  bash scripts/install-packages.sh --with-test-tools
  BUILD_DIR=build-sanitize bash scripts/build.sh -DZELVO_SANITIZE=ON
  supp="$PWD/tests/sanitize"
  cd build-sanitize
  # Leaks are checked at exit; the only ones allowed are in the system
  # libraries named in tests/sanitize/lsan.supp. The sized delete check is
  # off: Qt WebEngine's own code frees with a size other than it allocated.
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:new_delete_type_mismatch=0"
  export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
  export QT_QPA_PLATFORM=xcb
  xvfb-run -a -s "$XVFB_ARGS" ctest --output-on-failure --timeout 1800 "$@"
  exit
fi
bash scripts/setup.sh --with-test-tools
cd build
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "$XVFB_ARGS" ctest --output-on-failure --timeout 600 "$@"
