#!/usr/bin/env python3
"""Reads the editor's accessibility tree as a screen reader does, through AT-SPI.

    accessibility_tree_test.py EDITOR SOURCE_DIR

Starts an X server (Xvfb) and a private session bus of its own, runs the editor on a copy of
the sample card in English and then in Korean, and checks with pyatspi that every tab and
command button is found by its language-pack name, as a page tab or push button that can take
the focus, that the title is there, and that every slider has a name.

Exits 77 (skipped) only when the X server, the session bus or pyatspi cannot be had here.
"""

import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SKIP = 77
TABS = ("IDS_STRING105", "IDS_STRING102", "IDS_STRING229", "IDS_STRING228", "IDS_STRING213")
COMMANDS = ("IDS_STRING106", "IDS_STRING107", "IDS_STRING108", "IDS_STRING580", "IDS_STRING581")
SLIDERS = 13


def skip(why):
    print("accessibility tree: skipped: " + why)
    sys.exit(SKIP)


def pack_texts(source, language):
    """{key: text} of one language pack, decoded by the project's own pack tool."""
    with tempfile.NamedTemporaryFile(suffix=".txt") as out:
        subprocess.run([sys.executable, str(source / "scripts" / "pack-tool.py"), "decode",
                        str(source / "resources" / "language" / (language + ".ini")), out.name],
                       check=True)
        lines = Path(out.name).read_text(encoding="utf-8").splitlines()
    texts = {}
    for line in lines:
        key, sep, value = line.partition("=")
        if sep and key.strip().startswith("IDS_STRING"):
            texts[key.strip()] = value.strip().strip('"')
    return texts


def start_x(folder):
    if shutil.which("Xvfb") is None:
        skip("Xvfb is not installed")
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        skip("Xvfb did not start")
    return server, ":" + number


def start_bus(folder):
    if shutil.which("dbus-daemon") is None:
        skip("dbus-daemon is not installed")
    out = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                          "--print-pid=1"], capture_output=True, text=True, check=True)
    address, pid = out.stdout.split()[:2]
    return address, int(pid)


def make_card(source, folder, code):
    card = folder / ("card-" + code)
    shutil.copytree(source / "examples" / "card", card)
    (card / "lang" / "ver.dat").write_text(" Ver : 1.02\r\n Code : %s\r\n" % code)
    setup = bytearray((card / "setup.cfg").read_bytes())
    setup[428:432] = (0).to_bytes(4, "little")  # the first (only) code is the menu language
    (card / "setup.cfg").write_bytes(bytes(setup))
    return card


def find_application(pyatspi, name, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.25)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    found.append(node)
    for child in node:
        walk(child, found, depth + 1)


def press_every_tab(app, texts):
    """Pages are made when first shown: the test opens each tab, as a screen-reader user does."""
    nodes = []
    walk(app, nodes)
    for key in TABS:
        for node in nodes:
            if node.name == texts[key] and node.getRoleName() == "page tab":
                node.queryAction().doAction(0)
                break


def check_language(pyatspi, editor, card, env, texts, language):
    problems = []
    process = subprocess.Popen([editor, str(card) + "/"], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        app = find_application(pyatspi, Path(editor).name)
        if app is None:
            return ["%s: the editor never appeared on the accessibility bus" % language]
        press_every_tab(app, texts)
        nodes = []
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            nodes = []
            walk(app, nodes)
            if sum(1 for n in nodes if n.getRoleName() == "slider") >= SLIDERS:
                break
            time.sleep(0.25)
        by_name = {}
        for node in nodes:
            by_name.setdefault(node.name, []).append(node)

        def expect(key, role):
            name = texts[key]
            matches = [n for n in by_name.get(name, []) if n.getRoleName() == role]
            if not matches:
                problems.append("%s: no %s named %r (%s)" % (language, role, name, key))
                return
            if not matches[0].getState().contains(pyatspi.STATE_FOCUSABLE):
                problems.append("%s: %r cannot take the focus" % (language, name))

        for key in TABS:
            expect(key, "page tab")
        for key in COMMANDS:
            expect(key, "push button")
        if not [n for n in by_name.get(texts["IDS_STRING101"], []) if n.getRoleName() == "label"]:
            problems.append("%s: the title %r is not there" % (language, texts["IDS_STRING101"]))
        sliders = [n for n in nodes if n.getRoleName() == "slider"]
        if len(sliders) != SLIDERS:
            problems.append("%s: %d sliders instead of %d" % (language, len(sliders), SLIDERS))
        for slider in sliders:
            if not slider.name:
                problems.append("%s: a slider has no name" % language)
        print("accessibility tree: %s: %d nodes, %d sliders named %s" % (
            language, len(nodes), len(sliders), ", ".join(repr(s.name) for s in sliders)))
    finally:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
    return problems


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    editor, source = argv[1], Path(argv[2])
    system_python = "/usr/bin/python3"
    if importlib.util.find_spec("pyatspi") is None:  # not imported yet: it needs the bus below
        # pyatspi is a package of the system's own interpreter, which another one on the path
        # (a version manager's) does not see.
        if sys.executable != system_python and os.path.exists(system_python):
            os.execv(system_python, [system_python] + argv)
        skip("python3-pyatspi is not installed")
    folder = Path(tempfile.mkdtemp(prefix="a11y-tree-"))
    server, display = start_x(folder)
    address, bus_pid = start_bus(folder)
    try:
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["DISPLAY"] = display
        os.environ.pop("WAYLAND_DISPLAY", None)
        import pyatspi  # noqa: E402 (needs the bus above)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=str(folder / "config"), XDG_DATA_HOME=str(folder / "data"),
                   XDG_RUNTIME_DIR=str(folder))
        problems = []
        for language, code in (("ENGLISH", "en"), ("KOREAN", "ko")):
            problems += check_language(pyatspi, editor, make_card(source, folder, code), env,
                                       pack_texts(source, language), language)
    finally:
        subprocess.run(["kill", str(bus_pid)], check=False)
        server.terminate()
        server.wait()
        shutil.rmtree(folder, ignore_errors=True)
    for problem in problems:
        print("accessibility tree: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
