"""Runs the desktop cases against a built `tarvex` under a private X
display, once per invocation (run.sh calls it per window manager, inside a
private session bus and mount namespace).

  suite.py --build DIR --wm none|openbox [--only NAME,...] --results FILE
"""

import argparse
import json
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback

from a11y import Desktop
from fixtures import Fixtures
from langpack import LangPack
from procs import Processes, wait_until
from program import Program
from xsession import SCREEN, XSession

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


class DragSource:
    """The GTK file-manager stand-in, kept running for the whole suite."""

    def __init__(self, processes):
        self.lines = queue.Queue()
        self.process = processes.spawn(
            ["/usr/bin/python3", os.path.join(HERE, "dragsource.py"),
             str(SCREEN[0] - 260), "40"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        self.rect = self._wait_ready()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def _wait_ready(self, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=0.2)
            except queue.Empty:
                continue
            if line.startswith("ready "):
                return tuple(int(v) for v in line.split()[1:])
        raise RuntimeError("the drag source window did not come up")

    def command(self, **command):
        while not self.lines.empty():
            self.lines.get_nowait()
        self.process.stdin.write(json.dumps(command) + "\n")
        self.process.stdin.flush()
        self.rect = self._wait_ready()
        return self.rect

    def handed_over(self, timeout=2.0):
        """How many URIs the last drag handed to its target (0: none)."""
        deadline = time.monotonic() + timeout
        count = 0
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=0.1)
            except queue.Empty:
                continue
            if line.startswith("drag-data "):
                count = int(line.split()[1])
            if line == "drag-end":
                break
        return count

    def center(self):
        x, y, w, h = self.rect
        return x + w // 2, y + h // 2


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


class Suite:
    def __init__(self, args):
        self.build = os.path.abspath(args.build)
        self.window_manager = args.wm
        self.tarvex = os.path.join(self.build, "apps", "tarvex")
        self.resize = os.path.join(self.build, "apps", "tarvex-resize")
        self.workdir = os.path.join(self.build, "desktop-work", self.window_manager)
        self.shots = os.path.join(self.build, "desktop-screenshots")
        shutil.rmtree(self.workdir, ignore_errors=True)
        os.makedirs(self.workdir)
        self.processes = Processes(args.record)
        self.fixtures = Fixtures(os.path.join(self.build, "desktop-cache"), self.resize)
        self.lang = LangPack(os.path.join(ROOT, "resources", "lang", "langpack.xml"))
        self.x = None
        self.desktop = None
        self.source = None
        self.runtime = None

    def start(self):
        # Short, like /run/user/UID: the accessibility bus's socket lives here.
        self.runtime = tempfile.mkdtemp(prefix="tarvex-suite-")
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        self.x = XSession(self.processes, self.workdir, self.window_manager)
        self.x.start()
        self.desktop = Desktop()
        self.source = DragSource(self.processes)

    def stop(self):
        self.processes.end_all()
        if self.runtime:
            shutil.rmtree(self.runtime, ignore_errors=True)

    # -- helpers for the cases ------------------------------------------
    def drag_files(self, paths, target, frame=None):
        """Drags paths from the file source to the screen point target;
        returns how many URIs the target took."""
        self.source.command(files=list(paths))
        if frame is not None and overlaps(self.source.rect, frame.extents()):
            fx, fy, fw, fh = frame.extents()
            spot = [fx + fw + 40, fy] if fx + fw + 260 < SCREEN[0] else [20, fy + fh + 40]
            self.source.command(move=spot)
        self.x.drag(self.source.center(), target)
        return self.source.handed_over()

    def screenshot(self, case, moment):
        self.x.screenshot(os.path.join(self.shots, f"{self.window_manager}-{case}-{moment}.png"))


class Case:
    """What one case works with: its own folder, a fresh user of the
    program, and screenshots named after the case."""

    def __init__(self, suite, name):
        self.suite = suite
        self.name = name
        self.folder = os.path.join(suite.workdir, name)
        self.program = Program(suite, os.path.join(self.folder, "home"))
        self.inputs = os.path.join(self.folder, "in")
        os.makedirs(self.inputs, exist_ok=True)

    def shot(self, moment):
        self.suite.screenshot(self.name, moment)


def run_cases(suite, cases, only):
    results = []
    for name, function in cases:
        if only and name not in only:
            continue
        case = Case(suite, name)
        started = time.monotonic()
        try:
            function(case)
            outcome, message = "passed", ""
        except AssertionError as failure:
            outcome, message = "failed", str(failure)
        except Exception:  # a harness or program fault, reported like a failure
            outcome, message = "failed", traceback.format_exc()
        if outcome == "failed":
            try:
                case.shot("failure")
            except Exception:
                pass
            tail = case.program.log_tail()
            if tail:
                message += "\nprogram output:\n" + tail
        case.program.dispose()
        seconds = time.monotonic() - started
        print(f"[{suite.window_manager}] {name}: {outcome} ({seconds:.1f} s)", flush=True)
        if message:
            print("    " + message.replace("\n", "\n    "), flush=True)
        results.append({"case": name, "outcome": outcome, "seconds": seconds})
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--wm", choices=["none", "openbox"], default="none")
    parser.add_argument("--only", default="")
    parser.add_argument("--results", required=True)
    parser.add_argument("--record", required=True)
    args = parser.parse_args()
    only = {n for n in args.only.split(",") if n}

    from cases import CASES
    suite = Suite(args)
    results = []
    try:
        suite.start()
        results = run_cases(suite, CASES, only)
    except Exception:
        traceback.print_exc()
        results.append({"case": "start-up", "outcome": "failed", "seconds": 0})
    finally:
        suite.stop()
        with open(args.results, "w", encoding="utf-8") as out:
            json.dump(results, out)
    return 0 if all(r["outcome"] == "passed" for r in results) else 1


if __name__ == "__main__":
    sys.exit(main())
