"""A small GTK 3 window that offers files as a drag source, the way a file
manager does: the drag carries `text/uri-list` (and `text/plain`) with the
files' file:// URIs.

Driven over standard input, one JSON object per line:
  {"files": [PATH, ...]}   offer these paths from now on
  {"move": [X, Y]}         move the window's top-left corner to X, Y
  {"quit": true}           leave
Each command is answered on standard output with one line
  "ready X Y W H"          the drag handle's rectangle in root coordinates
once the window shows the change. Drag milestones are printed as
"drag-begin", "drag-data N" (N URIs handed over) and "drag-end".
"""

import json
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

URI_LIST = 0
PLAIN_TEXT = 1


class DragSource:
    def __init__(self):
        self.files = []
        self.window = Gtk.Window(title="Desktop Test Files")
        self.window.set_default_size(220, 140)
        self.window.connect("destroy", Gtk.main_quit)
        self.handle = Gtk.EventBox()
        self.label = Gtk.Label(label="(no files)")
        self.label.set_line_wrap(True)
        self.handle.add(self.label)
        self.window.add(self.handle)
        targets = Gtk.TargetList.new([])
        targets.add(Gdk.Atom.intern("text/uri-list", False), 0, URI_LIST)
        targets.add(Gdk.Atom.intern("text/plain", False), 0, PLAIN_TEXT)
        self.handle.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
        self.handle.drag_source_set_target_list(targets)
        self.handle.connect("drag-begin", lambda *_: self.say("drag-begin"))
        self.handle.connect("drag-end", lambda *_: self.say("drag-end"))
        self.handle.connect("drag-data-get", self.on_data_get)
        GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()),
                          GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP, self.on_command)

    @staticmethod
    def say(line):
        print(line, flush=True)

    def uris(self):
        return [GLib.filename_to_uri(path, None) for path in self.files]

    def on_data_get(self, _widget, _context, data, info, _time):
        uris = self.uris()
        if info == URI_LIST:
            data.set_uris(uris)
        else:
            data.set_text("\n".join(self.files), -1)
        self.say(f"drag-data {len(uris)}")

    def on_command(self, _channel, condition):
        line = sys.stdin.readline()
        if not line:
            Gtk.main_quit()
            return False
        command = json.loads(line)
        if command.get("quit"):
            Gtk.main_quit()
            return False
        if "files" in command:
            self.files = list(command["files"])
            names = [p.rsplit("/", 1)[-1] for p in self.files]
            self.label.set_text("\n".join(names) or "(no files)")
        if "move" in command:
            self.window.move(*command["move"])
        # Let the window manager and GTK settle before reporting where the
        # handle is.
        GLib.timeout_add(150, self.report)
        return True

    def report(self):
        gdk_window = self.handle.get_window()
        if gdk_window is None:
            return True
        _, x, y = gdk_window.get_origin()
        allocation = self.handle.get_allocation()
        # An event box without its own window shares its parent's; add its
        # offset inside it.
        if not self.handle.get_has_window():
            x += allocation.x
            y += allocation.y
        self.say(f"ready {x} {y} {allocation.width} {allocation.height}")
        return False

    def run(self, x, y):
        self.window.move(x, y)
        self.window.show_all()
        GLib.timeout_add(300, self.report)
        Gtk.main()


if __name__ == "__main__":
    DragSource().run(int(sys.argv[1]), int(sys.argv[2]))
