"""Every process the suite starts goes through here: it runs in its own
process group, its PID is appended to a record file (so run.sh can end it
even when this interpreter dies), and end_all() ends the groups, newest
first, with SIGTERM and then SIGKILL."""

import os
import signal
import subprocess
import time


class Processes:
    def __init__(self, record_path):
        self.record_path = record_path
        self.started = []  # Popen objects, oldest first

    def spawn(self, argv, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        process = subprocess.Popen(argv, start_new_session=True, **kwargs)
        self.started.append(process)
        with open(self.record_path, "a", encoding="ascii") as record:
            record.write(f"{process.pid}\n")
        return process

    def run(self, argv, timeout, **kwargs):
        """Runs a short command to its end (recorded like the others)."""
        kwargs.setdefault("stdout", subprocess.PIPE)
        kwargs.setdefault("stderr", subprocess.PIPE)
        process = self.spawn(argv, **kwargs)
        try:
            out, err = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.end(process)
            out, err = process.communicate()
            return subprocess.CompletedProcess(argv, -signal.SIGKILL, out, err)
        return subprocess.CompletedProcess(argv, process.returncode, out, err)

    def end(self, process, grace=3.0):
        """Ends one process and its group; returns its exit status."""
        if process.poll() is None:
            self._signal_group(process.pid, signal.SIGTERM)
            try:
                process.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                self._signal_group(process.pid, signal.SIGKILL)
                process.wait()
        # Children that outlived the leader are ended too.
        self._signal_group(process.pid, signal.SIGKILL)
        return process.returncode

    def end_all(self):
        for process in reversed(self.started):
            self.end(process, grace=2.0)
        self.started.clear()

    @staticmethod
    def _signal_group(pid, sig):
        try:
            os.killpg(pid, sig)
        except (ProcessLookupError, PermissionError):
            pass


def wait_until(predicate, timeout, interval=0.05):
    """Polls predicate until it returns a true value (returned) or the
    timeout passes (None)."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)
