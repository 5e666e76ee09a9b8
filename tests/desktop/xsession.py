"""The private desktop: an Xvfb display that is provably ours, the
accessibility bus on the session bus that run.sh made, optionally openbox,
and input through xdotool."""

import os
import subprocess
import time

from procs import wait_until

SCREEN = (1280, 1024)


class XSession:
    def __init__(self, processes, workdir, window_manager):
        self.processes = processes
        self.workdir = workdir
        self.window_manager = window_manager
        self.display = None

    # -- start-up -------------------------------------------------------
    def start(self):
        self._start_xvfb()
        self._start_accessibility_bus()
        if self.window_manager == "openbox":
            self._start_openbox()

    def _start_xvfb(self):
        for number in range(90, 190):
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            xvfb = self.processes.spawn(
                ["Xvfb", f":{number}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                 "-nolisten", "tcp", "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # The display is ours only when the lock file names our server;
            # a server that lost the race exits "already active".
            if wait_until(lambda: self._lock_holder(number) == xvfb.pid or xvfb.poll() is not None,
                          10) and xvfb.poll() is None:
                self.display = f":{number}"
                os.environ["DISPLAY"] = self.display
                if wait_until(lambda: self.xdotool("getdisplaygeometry", check=False)[0] == 0, 10):
                    return
            self.processes.end(xvfb)
        raise RuntimeError("no free X display between :90 and :189")

    @staticmethod
    def _lock_holder(number):
        try:
            with open(f"/tmp/.X{number}-lock", encoding="ascii") as lock:
                return int(lock.read().strip())
        except (OSError, ValueError):
            return None

    def _start_accessibility_bus(self):
        # Programs publish their accessibility tree only when the bus exists
        # and is switched on before they start. The launcher is started here
        # (not activated by the session bus) so that it and the bus daemon
        # it starts are recorded and ended with the rest.
        # Its settings come from memory, so no settings service is activated
        # behind our back. Asking for the address only once the launcher owns
        # the bus name keeps the session bus from activating a second one.
        launcher = "/usr/libexec/at-spi-bus-launcher"
        env = dict(os.environ, GSETTINGS_BACKEND="memory")
        self.processes.spawn([launcher, "--launch-immediately"], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_until(self._a11y_bus_owned, 10, interval=0.1) or not self._a11y_address():
            raise RuntimeError("the accessibility bus did not start")
        self.processes.run(
            ["dbus-send", "--session", "--type=method_call", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
             "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"], timeout=10)

    def _a11y_bus_owned(self):
        result = self.processes.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
             "string:org.a11y.Bus"], timeout=10)
        return b"true" in result.stdout

    def _a11y_address(self):
        result = self.processes.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"], timeout=10)
        return result.returncode == 0 and result.stdout.strip()

    def _start_openbox(self):
        log = open(os.path.join(self.workdir, "openbox.log"), "wb")
        self.processes.spawn(["openbox", "--sm-disable"], stdout=log, stderr=log)
        # openbox owns the WM_S0 selection once it manages the screen.
        if not wait_until(lambda: b"_NET_SUPPORTING_WM_CHECK" in self._root_properties(), 10):
            raise RuntimeError("openbox did not take the screen")

    def _root_properties(self):
        return self.processes.run(["xprop", "-root"], timeout=10).stdout

    # -- input ----------------------------------------------------------
    def xdotool(self, *args, check=True):
        result = self.processes.run(["xdotool", *map(str, args)], timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {result.stderr.decode()}")
        return result.returncode, result.stdout.decode()

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.05)
        self.xdotool("click", button)

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 15, text)

    def focus_window(self, window_id):
        if self.window_manager == "openbox":
            self.xdotool("windowactivate", "--sync", window_id, check=False)
        else:
            self.xdotool("windowfocus", "--sync", window_id, check=False)

    def drag(self, start, end):
        """Presses at start, moves in small steps to end, and releases: GTK
        starts a drag only after a motion past its threshold with the button
        held, and the target sees the drag only on a further motion over it."""
        self.xdotool("mousemove", "--sync", *start)
        time.sleep(0.1)
        self.xdotool("mousedown", 1)
        steps = 25
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            self.xdotool("mousemove", x, y)
            time.sleep(0.02)
        time.sleep(0.3)
        self.xdotool("mousemove", end[0] + 3, end[1] + 2)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)
        time.sleep(0.2)

    def windows_of(self, pid, title):
        code, out = self.xdotool("search", "--onlyvisible", "--pid", pid, "--name",
                                 f"^{title}$", check=False)
        return [int(w) for w in out.split()] if code == 0 else []

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.processes.run(["import", "-window", "root", path], timeout=30)
