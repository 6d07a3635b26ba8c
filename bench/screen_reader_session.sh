#!/bin/sh
# Runs a benchmark as a screen reader user's desktop runs the program: a
# D-Bus session of its own with the accessibility bus started, a stand-in
# screen reader registered for the events a real one listens to (so that
# the accessibility bridges send them), and Qt's bridge and the engine's
# accessibility tree switched on for every program, the editor and the
# bare engine view it is measured against alike.
#
#   xvfb-run -a -s "-screen 0 1600x1000x24" bench/screen_reader_session.sh \
#       build/bench/bench_largepages --no-50 --no-deep --no-wrapped
#
# Needs dbus-run-session, at-spi2-core and the AT-SPI Python bindings
# (python3-gi, gir1.2-atspi-2.0). The stand-in's count of the events it
# received is printed at the end.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${ZELVO_SCREEN_READER_SESSION:-}" ]; then
    ZELVO_SCREEN_READER_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

# Asking the session bus for the accessibility bus starts it (and, on it,
# the registry that tells programs which events are listened to).
address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress)
echo "accessibility bus: $address" >&2

fifo=$(mktemp -u)
mkfifo "$fifo"
/usr/bin/python3 "$here/screen_reader_standin.py" > "$fifo" &
reader=$!
read -r ready < "$fifo" || true
rm -f "$fifo"
if [ "$ready" != listening ]; then
    echo "the stand-in screen reader did not start" >&2
    exit 1
fi

status=0
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY=1 "$@" || status=$?
kill -TERM "$reader"
wait "$reader" || true
exit $status
