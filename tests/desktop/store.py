"""Reads the program's settings database ($XDG_CONFIG_HOME/zorq/registry.db)
the way the program's store lays it out: a tree of keys (names compared
without letter case) holding typed values. Opened read-only, so a test never
changes what it inspects."""

import os
import sqlite3
import struct

SAVE_DATA = ["Software", "Zorq", "Zorq Tarvex", "SaveData"]
REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD = 1, 2, 3, 4


def database_path(config_home):
    return os.path.join(config_home, "zorq", "registry.db")


def decode(value_type, data):
    if value_type in (REG_SZ, REG_EXPAND_SZ):
        text = bytes(data).decode("utf-16-le", errors="replace")
        return text.split("\0", 1)[0]
    if len(data) == 4:
        return struct.unpack("<i", bytes(data))[0]
    return bytes(data)


class Store:
    def __init__(self, config_home):
        self.path = database_path(config_home)

    def values(self, section):
        """All values of SaveData\\section ("MainWindow\\View") as a dict, or
        {} when the section or the database does not exist."""
        if not os.path.exists(self.path):
            return {}
        connection = sqlite3.connect(f"file:{self.path}?mode=ro", uri=True, timeout=5)
        try:
            key = 0
            for name in SAVE_DATA + section.split("\\"):
                row = connection.execute(
                    "SELECT id FROM keys WHERE parent = ? AND name = ? COLLATE NOCASE",
                    (key, name)).fetchone()
                if row is None:
                    return {}
                key = row[0]
            rows = connection.execute("SELECT name, type, data FROM vals WHERE key = ?", (key,))
            return {name: decode(value_type, data) for name, value_type, data in rows}
        finally:
            connection.close()

    def get(self, section, name):
        for key, value in self.values(section).items():
            if key.lower() == name.lower():
                return value
        return None
