#!/usr/bin/python3
"""Opens every window of the running vornik program through its accessibility interface, as a
screen reader user would, and fails on any focusable control a screen reader would announce
without a name.

Run inside a session D-Bus on an X display (scripts/accessibility-walk.sh sets both up):
    accessibility-walk.py PATH-OF-VORNIK
It starts the program itself, presses the toolbar buttons by their names, types load values,
runs the calculation, opens the diagram window and the About box, and walks each window shown.
"""

import os
import subprocess
import sys
import time

import pyatspi

STEP_TIMEOUT = 20  # seconds to wait for one window or state


class WalkFailed(Exception):
    """A step of the walk could not be taken (a window or control did not appear)."""


def wait_for(what, probe, timeout=STEP_TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = probe()
        except WalkFailed:
            raise
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise WalkFailed(f"timed out waiting for {what}")


def children(node):
    try:
        return [c for c in node if c is not None]
    except Exception:
        return []


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find(node, role, name):
    """The first showing node of the role and name below node, or None."""
    for child in children(node):
        if not showing(child):
            continue
        if child.getRoleName() == role and child.name == name:
            return child
        hit = find(child, role, name)
        if hit is not None:
            return hit
    return None


def program(name):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == name:
            return app
    return None


def window(app, title):
    for w in children(app):
        if w.name == title and showing(w):
            return w
    return None


def control_name(node):
    """What a screen reader announces as the control's name. Qt on Linux reports a combo box's
    current text (a value, not a name) as its name, so a combo box is named by its description
    or, when editable, by its line edit."""
    if node.getRoleName() != "combo box":
        return node.name
    for child in children(node):
        if child.getRoleName() == "text" and child.name:
            return child.name
    return node.description


class Walk:
    def __init__(self):
        self.checked = {}  # (window, path) -> name, each control counted once
        self.nameless = []

    def window(self, win):
        self._walk(win, win.name, win.name)

    def _walk(self, node, title, path):
        for index, child in enumerate(children(node)):
            if not showing(child):
                continue
            role = child.getRoleName()
            here = f"{path}/{index}:{role}"
            if child.getState().contains(pyatspi.STATE_FOCUSABLE):
                name = control_name(child)
                if (title, here) not in self.checked:
                    self.checked[(title, here)] = name
                    print(f"  {role:12} {name!r}" + (f"  ({child.description})" if child.description else ""))
                    if not name:
                        self.nameless.append(f"{title}: {role} at {here}")
            self._walk(child, title, here)


def press(node, what):
    actions = node.queryAction()
    for k in range(actions.nActions):
        if actions.getName(k) in ("Press", "press", "click", "Toggle", "toggle"):
            actions.doAction(k)
            return
    raise WalkFailed(f"{what} has no press action")


def set_text(app, field_window, name, text):
    field = wait_for(f"field {name}", lambda: find(window(app, field_window), "text", name))
    field.queryEditableText().setTextContents(text)


def steps(app, walk):
    """Opens the windows one after another, as a keyboard user would, and walks each."""
    main_title = "Vornik (Three phase chains) ver. 2.2"
    params_title = "Параметры  расчёта"
    main_win = wait_for("the main window", lambda: window(app, main_title))
    wait_for("the parameter form", lambda: window(app, params_title))
    wait_for("the results window", lambda: window(app, "Поле отображения и редактирования результатов"))
    for w in children(app):
        if showing(w):
            print(f"window {w.name!r}")
            walk.window(w)

    def open_and_walk(button, title):
        press(wait_for(button, lambda: find(main_win, "push button", button)), button)
        win = wait_for(f"window {title}", lambda: window(app, title))
        print(f"window {title!r}")
        walk.window(win)

    open_and_walk("Настройка точности рассчёта", "Настройка точности рассчёта")
    open_and_walk("Настройка вводимых параметров", "Настройка вводимых параметров")

    # A load the solver accepts, then the calculation, which enables the diagram command.
    for field in ("Ra", "Rb", "Rc"):
        set_text(app, params_title, field, "10")
    press(wait_for("ВЫПОЛНИТЬ", lambda: find(main_win, "push button", "ВЫПОЛНИТЬ")), "ВЫПОЛНИТЬ")

    def enabled_diagram_button():
        button = find(main_win, "push button", "ВЕКТОРНАЯ ДИАГРАММА")
        return button if button is not None and button.getState().contains(pyatspi.STATE_ENABLED) else None

    press(wait_for("the diagram command enabled", enabled_diagram_button), "ВЕКТОРНАЯ ДИАГРАММА")
    win = wait_for("the diagram window", lambda: window(app, "Векторная диаграмма"))
    print("window 'Векторная диаграмма'")
    walk.window(win)

    # The delta connection renames the parameter rows.
    press(wait_for("ТРЕУГОЛЬНИК", lambda: find(window(app, params_title), "radio button", "ТРЕУГОЛЬНИК")),
          "ТРЕУГОЛЬНИК")
    wait_for("the delta row names", lambda: find(window(app, params_title), "text", "Rab"))
    print(f"window {params_title!r} (delta)")
    walk.checked = {k: v for k, v in walk.checked.items() if k[0] != params_title}
    walk.window(window(app, params_title))

    menu = wait_for("the menu Справка", lambda: find(main_win, "menu item", "Справка"))
    about = None
    for item in children(menu):
        for entry in children(item) if item.getRoleName() == "popup menu" else [item]:
            if entry.name == "О программе!":
                about = entry
    if about is None:
        raise WalkFailed("no menu item О программе!")
    about.queryAction().doAction(0)
    win = wait_for("the About box", lambda: window(app, "О программе!"))
    print("window 'О программе!'")
    walk.window(win)


def main():
    vornik = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    proc = subprocess.Popen([vornik], env=env, stdin=subprocess.DEVNULL)
    walk = Walk()
    failure = None
    try:
        def started():
            if proc.poll() is not None:
                raise WalkFailed(f"vornik ended at start with status {proc.returncode}")
            return program("vornik")

        app = wait_for("the program on the accessibility bus", started, 60)
        steps(app, walk)
    except WalkFailed as error:
        failure = str(error)
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
    print(f"accessibility walk: {len(walk.checked)} focusable controls checked, "
          f"{len(walk.nameless)} without a name")
    for entry in walk.nameless:
        print(f"  nameless: {entry}")
    if failure:
        print(f"accessibility walk: {failure}")
    return 1 if walk.nameless or failure else 0


if __name__ == "__main__":
    sys.exit(main())
