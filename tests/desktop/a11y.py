"""Finding a program's controls through AT-SPI: by role and accessible
name, with their extents, states, texts and values. Every query reads the
program's tree afresh (the library's cache is switched off), so a test sees
what a screen reader would see at that moment."""

import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def clean(text):
    return (text or "").replace("\u00a0", " ").strip()


class Node:
    """One accessible object, read on demand."""

    def __init__(self, accessible):
        self.acc = accessible

    @property
    def role(self):
        return self.acc.get_role_name()

    @property
    def name(self):
        return clean(self.acc.get_name())

    def states(self):
        state_set = self.acc.get_state_set()
        return {Atspi.StateType(s).value_nick for s in state_set.get_states()}

    @property
    def showing(self):
        return "showing" in self.states()

    @property
    def checked(self):
        return "checked" in self.states()

    def extents(self):
        """(x, y, width, height) in screen coordinates."""
        rect = self.acc.get_extents(Atspi.CoordType.SCREEN)
        return rect.x, rect.y, rect.width, rect.height

    def center(self):
        x, y, w, h = self.extents()
        return x + w // 2, y + h // 2

    def text(self):
        try:
            return self.acc.get_text(0, -1) or ""
        except Exception:  # not a text object
            return ""

    def value(self):
        """(current, minimum, maximum), or None when the object has none."""
        value = self.acc.get_value_iface()
        if value is None:
            return None
        return value.get_current_value(), value.get_minimum_value(), value.get_maximum_value()

    def percent(self):
        current, low, high = self.value()
        return 100.0 * (current - low) / (high - low) if high > low else 0.0

    def children(self):
        out = []
        for index in range(self.acc.get_child_count()):
            child = self.acc.get_child_at_index(index)
            if child is not None:
                out.append(Node(child))
        return out

    def walk(self):
        stack = [self]
        while stack:
            node = stack.pop()
            yield node
            try:
                stack.extend(reversed(node.children()))
            except Exception:  # the object went away while we walked
                continue

    def find_all(self, role=None, name=None, showing=None):
        found = []
        for node in self.walk():
            try:
                if role is not None and node.role != role:
                    continue
                if name is not None and node.name != name:
                    continue
                if showing is not None and node.showing != showing:
                    continue
            except Exception:
                continue
            found.append(node)
        return found

    def find(self, role=None, name=None, showing=None):
        matches = self.find_all(role, name, showing)
        return matches[0] if matches else None

    def describe(self, depth=0, limit=400):
        """The tree as indented "role 'name'" lines, for failure messages."""
        lines = []

        def visit(node, level):
            if len(lines) >= limit:
                return
            try:
                extra = " [showing]" if node.showing else ""
                lines.append(f"{'  ' * level}{node.role} '{node.name}'{extra}")
                for child in node.children():
                    visit(child, level + 1)
            except Exception:
                pass

        visit(self, depth)
        return "\n".join(lines)


class Desktop:
    def __init__(self):
        Atspi.init()

    def application(self, pid):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(index)
            try:
                if app is not None and app.get_process_id() == pid:
                    app.set_cache_mask(Atspi.Cache.NONE)
                    app.clear_cache()
                    return Node(app)
            except Exception:
                continue
        return None

    def wait_for(self, pid, role=None, name=None, showing=None, timeout=10.0):
        """The first matching object of the program, once it exists."""
        deadline = time.monotonic() + timeout
        while True:
            app = self.application(pid)
            if app is not None:
                node = app.find(role, name, showing)
                if node is not None:
                    return node
            if time.monotonic() >= deadline:
                return None
            time.sleep(0.1)
