#!/usr/bin/env python3
"""The editor as a screen reader meets it, through AT-SPI.

Starts the program (the path is the first argument) with its accessibility
bridge on, inside the D-Bus session that dbus-run-session made for this
test, and walks the tree a screen reader sees: every window has a name,
every control a user acts on has a spoken name, and the toolbar's picture
buttons open their dialogs through the "press" action, whose controls are
walked in turn. Exits 77 (skipped) when the AT-SPI Python bindings are
missing.
"""
import os
import socket
import subprocess
import sys
import tempfile
import time
import warnings

# The bindings warn about their older names, which are the ones Debian 12 has.
warnings.simplefilter('ignore', DeprecationWarning)
try:
    import gi
    gi.require_version('Atspi', '2.0')
    from gi.repository import Atspi
except (ImportError, ValueError):
    print('python3-gi / gir1.2-atspi-2.0 not installed: AT-SPI walk skipped')
    sys.exit(77)

INTERACTIVE = {
    'push button', 'toggle button', 'check box', 'radio button', 'combo box',
    'text', 'entry', 'password text', 'spin button', 'list', 'slider',
    'page tab', 'menu bar', 'menu', 'menu item',
}

# Toolbar picture button -> the caption of the window it opens.
DIALOGS = {
    '插入按钮': '插入按钮', '插入分组框': '插入分组框', '插入表格': '插入表格',
    '插入图片': '插入图片', '插入超级链接': '超级链接', '插入多媒体视频': '多媒体视频',
    '插入网页框架': '插入网页框架', '插入滚动字幕': '插入滚动字幕', '插入艺术字': '插入艺术字',
    '插入发光字': '插入发光字', '修改页面属性': '页面属性', '取色': '取色窗口',
}


def wait_for(what, timeout=60.0):
    end = time.time() + timeout
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def spoken_name(node):
    """What a screen reader says for the control: its label through the
    labelled-by relation (Qt names a drop-down list by its current item),
    else its name, else (for a drop-down list) its description."""
    for relation in node.get_relation_set() or []:
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for i in range(relation.get_n_targets()):
                name = relation.get_target(i).get_name()
                if name:
                    return name
    if node.get_role_name() == 'combo box':
        return node.get_description()
    return node.get_name()


def unnamed(node, path=''):
    role = node.get_role_name()
    here = f'{path}/{role}'
    found = []
    if role in INTERACTIVE and not spoken_name(node):
        found.append(here)
    if role in ('combo box', 'document web'):
        return found  # the list's own pop-up; the user's page
    for child in children(node):
        found += unnamed(child, here)
    return found


def find(node, role, name):
    if node.get_role_name() == role and node.get_name() == name:
        return node
    for child in children(node):
        hit = find(child, role, name)
        if hit:
            return hit
    return None


def top_level(app, name):
    return next((w for w in children(app) if w.get_name() == name), None)


def display_state():
    """Whether the X server of DISPLAY still takes connections, for telling
    a display that went away from a program that failed on its own."""
    number = os.environ.get('DISPLAY', '').lstrip(':').split('.')[0]
    path = f'/tmp/.X11-unix/X{number}'
    probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        probe.connect(path)
        return f'{path} takes connections'
    except OSError as error:
        return f'{path} does not take connections ({error})'
    finally:
        probe.close()


def main():
    program = sys.argv[1]
    # A state folder of its own: a recovery copy the user's editor left
    # would hold the program at its question.
    scratch = tempfile.mkdtemp()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', TMPDIR=scratch,
               XDG_DATA_HOME=os.path.join(scratch, 'data'))
    log_path = os.path.join(env['TMPDIR'], 'program.log')
    log = open(log_path, 'w')
    editor = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
    failures = []
    try:
        desktop = Atspi.get_desktop(0)
        app = wait_for(lambda: next((a for a in children(desktop) if a.get_name() == 'zelvo'), None)
                       or (editor.poll() is not None and 'ended'))
        if app == 'ended' or not app:
            print('the program never showed up on the accessibility bus; it ' +
                  ('is still running' if editor.poll() is None else f'ended with {editor.returncode}') +
                  f'; {display_state()}; the end of its output:')
            log.flush()
            with open(log_path, errors='replace') as f:
                print(''.join(f.readlines()[-30:]))
            return 1
        main_window = wait_for(lambda: next(
            (w for w in children(app) if w.get_role_name() == 'frame' and w.get_name().startswith('Zelvo网页编辑器')),
            None))
        if not main_window or not wait_for(lambda: find(main_window, 'push button', '插入表格')):
            print('no main window with its toolbar')
            return 1

        windows = [w.get_name() for w in children(app)]
        if '' in windows or 'Offscreen' in windows:
            failures.append(f'windows without a name of their own: {windows}')
        failures += [f'main window: {p}' for p in unnamed(main_window)]

        for button_name, caption in DIALOGS.items():
            button = find(main_window, 'push button', button_name)
            if not button:
                failures.append(f'no toolbar button {button_name}')
                continue
            names = [button.get_action_name(i) for i in range(button.get_n_actions())]
            if 'Press' not in names:
                failures.append(f'{button_name}: no press action ({names})')
                continue
            button.do_action(names.index('Press'))
            dialog = wait_for(lambda: top_level(app, caption), 30)
            if not dialog:
                failures.append(f'{button_name}: pressing it opened no window "{caption}"')
                continue
            if dialog.get_role_name() != 'dialog':
                failures.append(f'{caption}: role {dialog.get_role_name()}, not dialog')
            failures += [f'{caption}: {p}' for p in unnamed(dialog)]
            cancel = find(dialog, 'push button', '取消')
            if cancel:
                cancel.do_action(0)
    finally:
        editor.kill()
        editor.wait()
    for failure in failures:
        print(failure)
    print(f'{len(DIALOGS)} dialogs walked, {len(failures)} problems')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
