#!/usr/bin/python3
"""A stand-in for a screen reader, for measuring the program as its users
meet it: it registers for the events a screen reader listens to (focus,
every object event, window events), so that the programs' accessibility
bridges send them, and answers the ones a screen reader speaks from as one
would: on focus it reads the name and role, on a caret move the line under
the caret. Prints "listening" once registered; on SIGTERM or SIGINT it
prints how many events of each kind arrived and what the queries cost.
"""
import collections
import signal
import sys
import time
import warnings

warnings.simplefilter('ignore', DeprecationWarning)
import gi  # noqa: E402

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

counts = collections.Counter()
query_seconds = [0.0]
slowest = [0.0, '']


def on_event(event):
    kind = event.type
    counts[kind.split(':')[0] + ':' + (kind.split(':')[1] if ':' in kind else '')] += 1
    start = time.monotonic()
    try:
        if kind.startswith('focus') or kind.startswith('object:state-changed:focused'):
            if kind.startswith('focus') or event.detail1:
                event.source.get_name()
                event.source.get_role_name()
        elif kind.startswith('object:text-caret-moved'):
            text = event.source.get_text_iface()
            if text:
                text.get_string_at_offset(event.detail1, Atspi.TextGranularity.LINE)
    except GLib.Error:
        pass  # the object went away meanwhile
    spent = time.monotonic() - start
    query_seconds[0] += spent
    if spent > slowest[0]:
        slowest[0], slowest[1] = spent, kind


def report(*_):
    total = sum(counts.values())
    summary = ', '.join(f'{k} {n}' for k, n in counts.most_common(8))
    print(f'screen reader stand-in: {total} events ({summary}); queries {query_seconds[0] * 1000:.0f} ms, '
          f'slowest {slowest[0] * 1000:.0f} ms ({slowest[1]})', file=sys.stderr, flush=True)
    Atspi.event_quit()
    return False


def main():
    listener = Atspi.EventListener.new(on_event)
    for kind in ('focus:', 'object:', 'window:', 'document:'):
        listener.register(kind)
    for sig in (signal.SIGTERM, signal.SIGINT):
        GLib.unix_signal_add(GLib.PRIORITY_HIGH, sig, report)
    print('listening', flush=True)
    Atspi.event_main()
    return 0


if __name__ == '__main__':
    sys.exit(main())
