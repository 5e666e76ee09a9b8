"""One user's copy of the desktop program: its private folders and
environment, starting and closing it, and finding its windows."""

import os
import shutil
import subprocess
import tempfile
import time

from a11y import Desktop
from procs import wait_until
from store import Store
from xclose import request_close

TITLE = "Zorq Tarvex v1.24"


class Program:
    def __init__(self, suite, home):
        self.suite = suite
        self.home = home
        self.config = os.path.join(home, "config")
        os.makedirs(self.config, exist_ok=True)
        # A short folder, as /run/user/UID is: a local socket's path must fit
        # in 108 bytes, and the case folders in the build tree are deeper.
        self.runtime = tempfile.mkdtemp(prefix="tarvex-rt-")
        os.chmod(self.runtime, 0o700)
        self.store = Store(self.config)
        self.process = None
        self.log_path = os.path.join(home, "tarvex.log")

    def env(self):
        env = dict(os.environ)
        env.update(HOME=self.home, XDG_CONFIG_HOME=self.config, XDG_RUNTIME_DIR=self.runtime,
                   LANG="C.UTF-8", LC_ALL="C.UTF-8", LANGUAGE="")
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def start(self, *args):
        log = open(self.log_path, "ab")
        self.process = self.suite.processes.spawn([self.suite.tarvex, *args], env=self.env(),
                                                  stdout=log, stderr=log)
        frame = self.frame(timeout=20)
        if frame is None:
            raise AssertionError(f"no frame titled '{TITLE}' appeared; the program's windows: "
                                 f"{self.top_levels()}")
        # Let the first layout and the window manager settle.
        time.sleep(0.3)
        return frame

    def start_second(self, *args, timeout=15):
        """A second start while the first runs; returns its exit status."""
        log = open(self.log_path, "ab")
        result = self.suite.processes.run([self.suite.tarvex, *args], timeout=timeout,
                                          env=self.env(), stdout=log, stderr=log)
        return result.returncode

    def log_tail(self, lines=30):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as log:
                return "".join(log.readlines()[-lines:])
        except OSError:
            return ""

    # -- windows ----------------------------------------------------------
    @property
    def desktop(self):
        return self.suite.desktop

    def app(self):
        return self.desktop.application(self.process.pid)

    def frame(self, title=TITLE, timeout=10.0):
        """The top-level window titled title (a frame, or a dialog)."""
        def find():
            app = self.app()
            if app is None:
                return None
            for window in app.children():
                try:
                    if window.role in ("frame", "dialog", "window") and window.name == title:
                        return window
                except Exception:
                    continue
            return None
        return wait_until(find, timeout, interval=0.1)

    def top_levels(self):
        app = self.app()
        if app is None:
            return "none on the accessibility bus" if self.alive() else "the program has ended"
        return [f"{w.role} '{w.name}'" for w in app.children()]

    def control(self, role, name, timeout=5.0, showing=True):
        node = self.desktop.wait_for(self.process.pid, role=role, name=name, showing=showing,
                                     timeout=timeout)
        if node is None:
            app = self.app()
            tree = app.describe() if app else "(the program is not on the accessibility bus)"
            raise AssertionError(f"no {role} named '{name}' is showing; the tree is:\n{tree}")
        return node

    def window_id(self, title=TITLE):
        ids = wait_until(lambda: self.suite.x.windows_of(self.process.pid, title), 10)
        if not ids:
            raise AssertionError("the program has no visible X window")
        return ids[-1]

    def focus(self):
        self.suite.x.focus_window(self.window_id())
        time.sleep(0.1)

    def alive(self):
        return self.process is not None and self.process.poll() is None

    # -- acting -----------------------------------------------------------
    def click(self, role, name, button=1):
        node = self.control(role, name)
        self.suite.x.click(*node.center(), button=button)
        return node

    def menu(self, *path):
        """Opens a menu of the menu bar and picks an item by its names."""
        self.focus()
        for index, name in enumerate(path):
            node = self.control("menu item", name)
            self.suite.x.click(*node.center())
            time.sleep(0.25 if index + 1 < len(path) else 0.15)

    def close(self, timeout=10):
        """Closes the window as a user does (the window manager's close, or
        the window's own close request) and waits for the program to end."""
        if not self.alive():
            return self.process.returncode
        request_close(self.suite.x.display, self.window_id())
        if wait_until(lambda: not self.alive(), timeout) is None:
            raise AssertionError("the program did not end after its window was closed")
        return self.process.returncode

    def kill(self):
        if self.process is not None:
            self.suite.processes.end(self.process)

    def dispose(self):
        """Ends the program and removes its runtime folder."""
        self.kill()
        shutil.rmtree(self.runtime, ignore_errors=True)
