#!/usr/bin/env python3
"""The editor as a Wayland client of Weston, Qt's Wayland platform plugin drawing it.

    wayland_window_test.py EDITOR SOURCE_DIR

1. On Weston's headless backend (pixman renderer, own XDG_RUNTIME_DIR and socket): the editor
   starts on the Wayland platform and its window shows in the compositor's own screenshot.
2. The headless backend has no input devices, so the drag is done on Weston's X11 backend
   inside a private Xvfb, with pointer input injected into the X server (XTEST): pressing on
   the title and moving makes the editor ask the compositor for an interactive move, and the
   window is found moved by the same amount in the compositor's screenshot. Then a popup (the
   Record page's parking-mode question) is opened by clicks and found drawn over the window.

Exits 77 (skipped) only when Weston, Qt's Wayland plugin or Xvfb cannot run here, saying why.
"""

import ctypes
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SKIP = 77
WIDTH, HEIGHT = 1280, 1024
EDGE = (26, 35, 47)  # the window's one-pixel edge in the skin
WINDOW = (722, 587)
MARGIN = 64
SYSTEM_PYTHON = "/usr/bin/python3"


def skip(why):
    print("wayland window: skipped: " + why)
    sys.exit(SKIP)


def wait_for(predicate, seconds, step=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(step)
    return None


class Session:
    """Processes started for one run, stopped in reverse order."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []

    def start(self, args, env, log):
        process = subprocess.Popen(args, env=env, cwd=self.folder, stdout=log, stderr=log)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.processes.clear()


def start_weston(session, backend_args, env, name):
    runtime = Path(env["XDG_RUNTIME_DIR"])
    log = open(session.folder / (name + "-weston.log"), "w")
    weston = session.start(["weston", "--socket=" + name, "--idle-time=0", "--no-config",
                            "--debug", "--width=%d" % WIDTH, "--height=%d" % HEIGHT]
                           + backend_args, env, log)
    if not wait_for(lambda: (runtime / name).exists() or weston.poll() is not None, 20):
        return None
    if weston.poll() is not None:
        return None
    time.sleep(1.0)  # the shell client comes up
    return weston


def screenshot(session, env, socket_name):
    """The compositor's own picture of its output, as a PIL image."""
    from PIL import Image

    before = set(session.folder.glob("wayland-screenshot-*.png"))
    subprocess.run(["weston-screenshooter"], env=dict(env, WAYLAND_DISPLAY=socket_name), cwd=session.folder, check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
    new = sorted(set(session.folder.glob("wayland-screenshot-*.png")) - before)
    if not new:
        return None
    image = Image.open(new[-1]).convert("RGB")
    image.load()
    new[-1].unlink()
    return image


def find_window(image):
    """Top-left corner of the editor's window: its edge colour along its whole top row."""
    pixels = image.load()
    w, h = image.size
    for y in range(h - WINDOW[1]):
        x = 0
        while x < w - WINDOW[0]:
            if pixels[x, y] == EDGE and pixels[x + WINDOW[0] - 1, y] == EDGE and \
                    pixels[x, y + WINDOW[1] - 1] == EDGE and \
                    all(pixels[x + i, y] == EDGE for i in range(0, WINDOW[0], 7)):
                return x, y
            x += 1
    return None


def make_card(source, folder):
    card = folder / "card"
    shutil.copytree(source / "examples" / "card", card)
    (card / "lang" / "ver.dat").write_text(" Ver : 1.02\r\n Code : en\r\n")
    setup = bytearray((card / "setup.cfg").read_bytes())
    setup[428:432] = (0).to_bytes(4, "little")
    (card / "setup.cfg").write_bytes(bytes(setup))
    return card


def editor_env(base, socket_name):
    env = dict(base, WAYLAND_DISPLAY=socket_name, QT_QPA_PLATFORM="wayland")
    env.pop("DISPLAY", None)
    return env


class Pointer:
    """The X server's pointer, moved and pressed through the XTEST extension."""

    def __init__(self, display):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xtest = ctypes.cdll.LoadLibrary("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.display = ctypes.c_void_p(self.x11.XOpenDisplay(display.encode()))
        if not self.display.value:
            raise RuntimeError("cannot open X display " + display)

    def move(self, x, y):
        self.xtest.XTestFakeMotionEvent(self.display, -1, int(x), int(y), 0)
        self.x11.XFlush(self.display)
        time.sleep(0.05)

    def button(self, down):
        self.xtest.XTestFakeButtonEvent(self.display, 1, bool(down), 0)
        self.x11.XFlush(self.display)
        time.sleep(0.1)

    def click(self, x, y):
        self.move(x, y)
        self.button(True)
        self.button(False)

    def drag(self, start, end, steps=20):
        self.move(*start)
        self.button(True)
        time.sleep(0.3)  # the press reaches the editor before the pointer moves on
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i / steps,
                      start[1] + (end[1] - start[1]) * i / steps)
        time.sleep(0.3)
        self.button(False)


def headless_shows_window(session, base_env, card, problems):
    if start_weston(session, ["--backend=headless-backend.so", "--use-pixman"], base_env,
                    "wl-headless") is None:
        skip("weston's headless backend did not start (see its log)")
    env = editor_env(base_env, "wl-headless")
    log = open(session.folder / "headless-editor.log", "w")
    editor = session.start([EDITOR, str(card) + "/"], env, log)
    corner = wait_for(lambda: (shot := screenshot(session, base_env, "wl-headless")) and find_window(shot), 30,
                      0.5)
    if editor.poll() is not None:
        problems.append("headless: the editor ended (%s)" % editor.returncode)
    elif corner is None:
        problems.append("headless: the editor's window never showed on the output")
    else:
        print("wayland window: headless: the window shows at %r" % (corner,))
    session.stop()


def start_x(session):
    read, write = os.pipe()
    log = open(session.folder / "xvfb.log", "w")
    # A margin right of and below Weston's window, where the pointer can leave it.
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                               "%dx%dx24" % (WIDTH + MARGIN, HEIGHT + MARGIN), "-nolisten",
                               "tcp"],
                              pass_fds=(write,), stdout=log, stderr=log)
    session.processes.append(server)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    return ":" + number if number else None


def drag_and_popup(session, base_env, card, problems):
    display = start_x(session)
    if display is None:
        skip("Xvfb did not start")
    env = dict(base_env, DISPLAY=display)
    if start_weston(session, ["--backend=x11-backend.so", "--use-pixman"], env,
                    "wl-x11") is None:
        problems.append("x11 backend: weston did not start inside Xvfb")
        return
    env = dict(env)
    log = open(session.folder / "x11-editor.log", "w")
    editor = session.start([EDITOR, str(card) + "/"], editor_env(base_env, "wl-x11"), log)
    corner = wait_for(lambda: (shot := screenshot(session, env, "wl-x11")) and find_window(shot), 30, 0.5)
    if corner is None:
        problems.append("x11 backend: the editor's window never showed (%s)" % editor.poll())
        return
    pointer = Pointer(display)
    # Weston's X11 backend learns that the pointer is over its output from the pointer entering
    # its window; one that was inside from the start goes unnoticed, and a press would land
    # wherever Weston last believed it was.
    pointer.move(WIDTH + MARGIN // 2, HEIGHT + MARGIN // 2)
    time.sleep(0.3)
    # Weston's X11 window holds its output at the X screen's origin: output and X coordinates
    # are the same. The title text lies at (11, 7) to (411, 27) in the window.
    # Towards the middle of the output, so that the moved window stays wholly on it.
    dx = -150 if corner[0] + WINDOW[0] // 2 > WIDTH // 2 else 150
    dy = -120 if corner[1] + WINDOW[1] // 2 > HEIGHT // 2 else 120
    start = (corner[0] + 200, corner[1] + 16)
    pointer.drag(start, (start[0] + dx, start[1] + dy))
    pointer.move(WIDTH - 2, HEIGHT - 2)  # the cursor out of the way of the screenshots
    moved = wait_for(lambda: (shot := screenshot(session, env, "wl-x11")) and find_window(shot), 10, 0.5)
    expected = (corner[0] + dx, corner[1] + dy)
    print("wayland window: x11 backend: window at %r, dragged to %r" % (corner, moved))
    if moved != expected:
        problems.append("drag: the window is at %r, not at %r" % (moved, expected))
        last = screenshot(session, env, "wl-x11")
        if last is not None:
            last.save(session.folder.parent / "wayland-drag.png")
        return
    # The Record tab, then a parking-mode radio other than the one chosen: the editor asks
    # first, in a popup of 370 x 170.
    x, y = moved
    pointer.click(x + 500, y + 66)
    time.sleep(1.0)
    from PIL import ImageChops

    box = (x + 11, y + 85, x + 711, y + 522)  # the page area
    for radio_top in (157, 187):  # motion, time-lapse
        before = screenshot(session, env, "wl-x11")
        pointer.click(x + 11 + 25 + 6, y + 85 + radio_top + 8)
        time.sleep(1.5)
        after = screenshot(session, env, "wl-x11")
        if before is None or after is None:
            problems.append("popup: no screenshot")
            return
        after.save(session.folder.parent / "wayland-popup.png")
        changed = ImageChops.difference(before.crop(box), after.crop(box)).getbbox()
        if changed and changed[2] - changed[0] >= 300 and changed[3] - changed[1] >= 120:
            print("wayland window: a popup covers %r of the page area" % (changed,))
            return
    problems.append("popup: nothing the size of the question appeared over the window")


def main(argv):
    global EDITOR
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    EDITOR, source = os.path.abspath(argv[1]), Path(argv[2]).resolve()
    if importlib.util.find_spec("PIL") is None:
        if sys.executable != SYSTEM_PYTHON and os.path.exists(SYSTEM_PYTHON):
            os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + argv)
        skip("python3-pil is not installed")
    for tool in ("weston", "weston-screenshooter", "Xvfb"):
        if shutil.which(tool) is None:
            skip(tool + " is not installed")
    plugin = subprocess.run(["qtpaths6", "--plugin-dir"], capture_output=True, text=True)
    plugin_dir = Path(plugin.stdout.strip() or "/usr/lib/x86_64-linux-gnu/qt6/plugins")
    if not (plugin_dir / "platforms" / "libqwayland-generic.so").exists():
        skip("Qt's Wayland platform plugin (qt6-wayland) is not installed")

    root = Path(tempfile.mkdtemp(prefix="wayland-window-"))
    runtime = root / "runtime"
    runtime.mkdir(mode=0o700)
    base_env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "DISPLAY")}
    base_env.update(XDG_RUNTIME_DIR=str(runtime), XDG_CONFIG_HOME=str(root / "config"),
                    XDG_DATA_HOME=str(root / "data"))
    card = make_card(source, root)
    problems = []
    session = Session(runtime)
    try:
        headless_shows_window(session, base_env, card, problems)
        drag_and_popup(session, base_env, card, problems)
    finally:
        session.stop()
        keep = os.environ.get("WAYLAND_TEST_KEEP") or problems
        if not keep:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print("wayland window: kept " + str(root))
    for problem in problems:
        print("wayland window: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
