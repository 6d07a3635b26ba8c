#!/usr/bin/env python3
"""The editor as a screen reader meets it, through AT-SPI.

Starts the program (the path is the first argument) with its accessibility
bridge on, inside the D-Bus session that dbus-run-session made for this
test, and walks the tree a screen reader sees: every window has a name,
every control a user acts on has a spoken name, and the toolbar's picture
buttons open their dialogs through the "press" action, whose controls are
walked in turn. Then, with a page opened, it types into each view as a
user does (keys through xdotool) and reads what a screen reader says: the
caret's moves and the text changes it hears, and the line under the caret
it reads at the offset it was told. Exits 77 (skipped) when the AT-SPI
Python bindings are missing.
"""
import os
import shutil
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
    from gi.repository import Atspi, GLib
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
        # The events a listener registered for arrive meanwhile.
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        time.sleep(0.1)
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


def find_role(node, role):
    if node.get_role_name() == role:
        return node
    for child in children(node):
        hit = find_role(child, role)
        if hit:
            return hit
    return None


def xdotool(*args):
    return subprocess.run(['xdotool', *args], capture_output=True, text=True, timeout=60)


def focus_window(pid, caption):
    """Gives the keyboard to the program's window of that caption (there is
    no window manager to do it)."""
    for window in xdotool('search', '--onlyvisible', '--pid', str(pid)).stdout.split():
        if caption in xdotool('getwindowname', window).stdout:
            return xdotool('windowfocus', '--sync', window).returncode == 0
    return False


class Ear:
    """What a screen reader hears: text changes and caret moves."""

    def __init__(self):
        self.heard = []
        self.listener = Atspi.EventListener.new(self.hear)
        for kind in ('object:text-changed:insert', 'object:text-changed:delete', 'object:text-caret-moved'):
            self.listener.register(kind)

    def hear(self, event):
        self.heard.append((event.type, event.source, event.detail1, event.any_data))

    def inserted(self):
        return ''.join(str(data) for kind, _, _, data in self.heard if kind == 'object:text-changed:insert')

    def last_caret(self):
        moves = [(source, offset) for kind, source, offset, _ in self.heard if kind == 'object:text-caret-moved']
        return moves[-1] if moves else (None, -1)

    def line_at_caret(self):
        """The line a screen reader reads at the caret it was last told of,
        and the part of it before the caret."""
        source, offset = self.last_caret()
        if source is None:
            return None, None
        try:
            text = source.get_text_iface()
            line = text.get_text_at_offset(offset, Atspi.TextBoundaryType.LINE_START)
            return line.content, text.get_text(line.start_offset, offset)
        except GLib.Error:
            return None, None


def read_what_is_typed(program, env):
    """Types into the design view and the code view of an opened page and
    reads back what a screen reader hears and reads; the problems found."""
    scratch = tempfile.mkdtemp()
    env = dict(env, TMPDIR=scratch, XDG_DATA_HOME=os.path.join(scratch, 'data'))
    page = os.path.join(scratch, '读屏.htm')
    with open(page, 'w', encoding='utf-8') as f:
        f.write('<html><head><meta charset="utf-8"><title>读屏</title></head>'
                '<body><p>第一段文字。</p><p>第二段。</p></body></html>\n')
    editor = subprocess.Popen([program, page], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    problems = []
    try:
        desktop = Atspi.get_desktop(0)
        main_window = wait_for(lambda: next(
            (w for a in children(desktop) if a.get_name() == 'zelvo' for w in children(a)
             if w.get_role_name() == 'frame' and w.get_name().startswith('Zelvo网页编辑器')), None))
        document = main_window and wait_for(lambda: find_role(main_window, 'document web'))
        if not document:
            return ['the opened page is not on the accessibility bus']
        if not focus_window(editor.pid, 'Zelvo网页编辑器'):
            return ['the main window could not be given the keyboard']

        # Typed at the start of the page, where the caret of an opened page
        # stands. The engine tells the caret of editable content as an
        # offset into the editable root's text taken from text-field
        # attributes a page does not have: always its start. At the start
        # of the page that is where the caret is.
        ear = Ear()
        xdotool('type', '--delay', '50', 'Zelvo')
        line, _ = wait_for(lambda: (lambda r: r if r[0] and 'Zelvo' in r[0] else None)(ear.line_at_caret()),
                           30) or (None, None)
        if line is None or line.strip() != 'Zelvo第一段文字。':
            told = [(source.get_role_name(), offset) for kind, source, offset, _ in ear.heard]
            problems.append(f'design view: typed "Zelvo" at the start, the line read at the caret is {line!r} '
                            f'(carets told: {told})')

        code_button = find(main_window, 'push button', '切换至代码窗口')
        if not code_button:
            return problems + ['no toolbar button 切换至代码窗口']
        code_button.do_action(0)
        code = wait_for(lambda: next((n for n in [find(main_window, 'text', '代码视图')]
                                      if n and n.get_state_set().contains(Atspi.StateType.SHOWING)), None), 30)
        if not code:
            return problems + ['the code view is not shown']
        focus_window(editor.pid, 'Zelvo网页编辑器')
        code.grab_focus()
        wait_for(lambda: code.get_state_set().contains(Atspi.StateType.FOCUSED), 10)
        ear.heard.clear()
        xdotool('type', '--delay', '50', 'Zelvo')
        line, before = wait_for(lambda: (lambda r: r if r[0] and 'Zelvo' in r[0] else None)(ear.line_at_caret()),
                                30) or (None, None)
        caret = code.get_text_iface().get_caret_offset()
        told = [(kind, offset, str(data)) for kind, source, offset, data in ear.heard
                if kind.startswith('object:text-changed')]
        if ear.inserted() != 'Zelvo' or [offset for _, offset, _ in told] != list(range(caret - 5, caret)):
            problems.append(f'code view: typed "Zelvo" before offset {caret}, heard {told}')
        if not line or not before.endswith('Zelvo') or ear.last_caret()[1] != caret:
            problems.append(f'code view: typed "Zelvo", the line read at the caret is {line!r}, '
                            f'before the caret {before!r}, caret told {ear.last_caret()[1]} of {caret}')
        ear.heard.clear()
        xdotool('key', 'BackSpace')
        wait_for(lambda: ear.last_caret()[0] is not None, 30)
        told = [(kind, offset, str(data)) for kind, source, offset, data in ear.heard
                if kind.startswith('object:text-changed')]
        if told != [('object:text-changed:delete', caret - 1, 'o')] or ear.last_caret()[1] != caret - 1:
            problems.append(f'code view: Backspace after offset {caret}, heard {told}, caret {ear.last_caret()[1]}')
    finally:
        editor.kill()
        editor.wait()
    return problems


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
    if shutil.which('xdotool'):
        failures += read_what_is_typed(program, env)
    else:
        print('xdotool not installed: typing into the views not checked')
    for failure in failures:
        print(failure)
    print(f'{len(DIALOGS)} dialogs walked, both views typed into and read, {len(failures)} problems')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
