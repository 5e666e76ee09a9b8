"""Input images made with ImageMagick once per build tree and copied into
each case's own folder, and the reference outputs tarvex-resize writes for
the same files and options."""

import filecmp
import os
import shutil
import subprocess

# name in the case folder -> (cache file, ImageMagick arguments)
IMAGES = {
    "big": ("big-4000x3000.jpg", ["-size", "4000x3000", "-seed", "7", "plasma:"]),
    "big-png": ("big-3000x2250.png", ["-size", "3000x2250", "-seed", "11", "plasma:"]),
    "small": ("small-640x480.jpg", ["-size", "640x480", "-seed", "3", "plasma:"]),
    "small-png": ("small-320x240.png", ["-size", "320x240", "-seed", "5", "gradient:red-blue"]),
}


class Fixtures:
    def __init__(self, cache_dir, resize_binary):
        self.cache_dir = cache_dir
        self.resize_binary = resize_binary
        os.makedirs(cache_dir, exist_ok=True)

    def image(self, kind):
        name, arguments = IMAGES[kind]
        path = os.path.join(self.cache_dir, name)
        if not os.path.exists(path):
            partial = path + ".part" + os.path.splitext(name)[1]
            subprocess.run(["convert", *arguments, partial], check=True)
            os.replace(partial, path)
        return path

    def place(self, kind, folder, name):
        """Copies a cached image into folder under name; returns its path."""
        os.makedirs(folder, exist_ok=True)
        target = os.path.join(folder, name)
        shutil.copyfile(self.image(kind), target)
        return target

    def reference(self, sources, workdir, options):
        """Copies sources into a fresh folder, runs tarvex-resize over them
        with options (ignoring any stored preferences), and returns the
        folder with the sources and their outputs."""
        folder = os.path.join(workdir, "reference")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        copies = []
        for source in sources:
            copy = os.path.join(folder, os.path.basename(source))
            if os.path.isdir(source):
                os.makedirs(copy)
            elif os.path.exists(source):
                shutil.copyfile(source, copy)
            copies.append(copy)
        subprocess.run([self.resize_binary, "--no-store", "--threads", "1", *options, *copies],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        return folder


def tree(folder):
    """Relative paths of every file below folder (folders end with "/")."""
    out = set()
    for base, dirs, files in os.walk(folder):
        relative = os.path.relpath(base, folder)
        for name in dirs:
            out.add(os.path.normpath(os.path.join(relative, name)) + "/")
        for name in files:
            out.add(os.path.normpath(os.path.join(relative, name)))
    return out


def compare_outputs(actual_folder, reference_folder, before):
    """Problems (as lines) between the files written into actual_folder
    since `before` (its tree() then) and those tarvex-resize wrote."""
    written = tree(actual_folder) - before
    expected = tree(reference_folder) - before
    problems = []
    if written != expected:
        problems.append(f"written {sorted(written)}, tarvex-resize wrote {sorted(expected)}")
    for name in sorted(written & expected):
        if name.endswith("/"):
            continue
        if not filecmp.cmp(os.path.join(actual_folder, name),
                           os.path.join(reference_folder, name), shallow=False):
            problems.append(f"'{name}' differs from tarvex-resize's output")
    return problems
