#!/usr/bin/env python3
"""Side-by-side timing driver of compare.sh (see bench/README.md).

Every tool runs the same batch in a fresh folder holding hard links to the
corpus files, under /usr/bin/time -v; each measurement is the median of
several runs. Output sizes are those tarvex-resize writes, so every tool
produces the same dimensions.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

PILLOW_SCRIPT = r"""
import sys
from PIL import Image
out, sizes, files = sys.argv[1], sys.argv[2].split(","), sys.argv[3:]
for i, path in enumerate(files):
    with Image.open(path) as image:
        image.load()
        for size in sizes:
            w, h = (int(v) for v in size.split("x"))
            result = image.resize((w, h), Image.BILINEAR, reducing_gap=None)
            ext = ".png" if path.endswith(".png") else ".jpg"
            result.save(f"{out}/p{i}_{size}{ext}", quality=75)
"""


def corpus_spec(mode):
    if mode == "quick":
        return [("jpeg", 2000, 1500, 2, "JPEG 2000x1500"),
                ("png", 640, 360, 2, "PNG 640x360 RGBA"),
                ("jpeg", 4000, 3000, 1, "JPEG 4000x3000 (large)")]
    return [("jpeg", 4000, 3000, 4, "JPEG 4000x3000"),
            ("png", 1920, 1080, 4, "PNG 1920x1080 RGBA"),
            ("jpeg", 8000, 6000, 1, "JPEG 8000x6000 (48 MP)")]


def make_corpus(tool, folder, layout):
    groups = []
    os.makedirs(folder, exist_ok=True)
    seed = 1
    for kind, w, h, count, label in layout:
        files = []
        for i in range(count):
            ext = "png" if kind == "png" else "jpg"
            path = os.path.join(folder, f"{kind}_{w}x{h}_{i}.{ext}")
            if not os.path.exists(path):
                subprocess.run([tool, kind, str(w), str(h), str(seed), path], check=True)
            files.append(path)
            seed += 1
        groups.append({"label": label, "files": files, "w": w, "h": h})
    return groups


def timed(command, env, cwd):
    """Wall seconds and peak resident kilobytes of one shell command."""
    result = subprocess.run(["/usr/bin/time", "-v", "sh", "-c", command], env=env, cwd=cwd,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        return None
    wall = re.search(r"Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+)", result.stderr)
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr)
    seconds = int(wall.group(1) or 0) * 3600 + int(wall.group(2)) * 60 + float(wall.group(3))
    return seconds, int(rss.group(1))


def q(path):
    return "'" + path.replace("'", "'\\''") + "'"


def ours(resize, sizes_mode, threads):
    def command(files, sizes, out):
        option = ("--specific --pixels 800x600 --keep-ratio" if sizes_mode == "one"
                  else "--various --max-range --samples 10")
        if threads:
            option += f" --threads {threads}"
        return f"{q(resize)} {option} " + " ".join(q(os.path.basename(f)) for f in files)
    return command


def per_file(template):
    """A command per file (or per file and size) joined into one batch."""
    def command(files, sizes, out):
        parts = []
        for i, f in enumerate(files):
            ext = ".png" if f.endswith(".png") else ".jpg"
            parts.append(template(os.path.basename(f), sizes, f"{out}/o{i}", ext))
        return " && ".join(parts)
    return command


def magick(src, sizes, prefix, ext):
    clones = " ".join(f"\\( +clone -resize {s}! -quality 75 -write {q(prefix + '_' + s + ext)} "
                      "+delete \\)" for s in sizes)
    return f"/usr/bin/convert {q(src)} -filter Triangle {clones} null:"


def graphics(src, sizes, prefix, ext):
    return " && ".join(f"gm convert {q(src)} -filter Triangle -resize {s}! -quality 75 "
                       f"{q(prefix + '_' + s + ext)}" for s in sizes)


def thumbnail(src, sizes, prefix, ext):
    option = "[Q=75]" if ext == ".jpg" else ""
    return " && ".join(f"vipsthumbnail {q(src)} -s {s}! -o {q(prefix + '_' + s + ext + option)}"
                       for s in sizes)


def vips_resize(dims):
    def template(src, sizes, prefix, ext):
        option = "[Q=75]" if ext == ".jpg" else ""
        w0, h0 = dims
        parts = []
        for s in sizes:
            w, h = (int(v) for v in s.split("x"))
            parts.append(f"vips resize {q(src)} {q(prefix + '_' + s + ext + option)} {w / w0!r} "
                         f"--vscale {h / h0!r} --kernel linear")
        return " && ".join(parts)
    return template


def floor(tool, raws=None):
    """The floor; with raws ({(source name, size): raw file}) it encodes those pixels."""
    def template(src, sizes, prefix, ext):
        given = [f"{s}={q(raws[(src, s)])}" if raws else s for s in sizes]
        return f"{q(tool)} {q(src)} {q(prefix + '_')} " + " ".join(given)
    return template


def output_pixels(args, group, kind, work):
    """Raw pixels of every file tarvex-resize writes for this workload, keyed by
    (source name, size), so a floor can encode exactly the pixels we encode."""
    folder = tempfile.mkdtemp(dir=work)
    for f in group["files"]:
        os.link(f, os.path.join(folder, os.path.basename(f)))
    subprocess.run(ours(args.resize, kind, 1)(group["files"], group["sizes"], None), shell=True,
                   cwd=folder, stdout=subprocess.DEVNULL, check=True)
    raws = {}
    store = os.path.join(work, f"raw-{os.path.basename(group['files'][0])}-{kind}")
    shutil.rmtree(store, ignore_errors=True)
    os.makedirs(store)
    for dirpath, _, names in os.walk(folder):
        for name in names:
            m = re.search(r"^(.*?) \((\d+)x(\d+)\)\.\w+$", name)
            if not m:
                continue
            src = next(os.path.basename(f) for f in group["files"]
                       if os.path.splitext(os.path.basename(f))[0] == m.group(1))
            size = f"{m.group(2)}x{m.group(3)}"
            raw = os.path.join(store, f"{src}-{size}.raw")
            subprocess.run([args.floor, "--raw", os.path.join(dirpath, name), raw], check=True)
            raws[(src, size)] = raw
    shutil.rmtree(folder)
    return raws


def pillow(files, sizes, out):
    return (f"/usr/bin/python3 -c {q(PILLOW_SCRIPT)} {q(out)} {','.join(sizes)} " +
            " ".join(q(os.path.basename(f)) for f in files))


def have(binary):
    return shutil.which(binary) is not None or os.path.exists(binary)


def pillow_present():
    return subprocess.run(["/usr/bin/python3", "-c", "import PIL"], capture_output=True).returncode == 0


def output_sizes(resize, group, work):
    """The sizes tarvex-resize writes for the ten-size workload, read from the names."""
    folder = tempfile.mkdtemp(dir=work)
    src = group["files"][0]
    os.link(src, os.path.join(folder, os.path.basename(src)))
    subprocess.run([resize, "--various", "--max-range", "--samples", "10",
                    os.path.basename(src)], cwd=folder, stdout=subprocess.DEVNULL, check=True)
    sizes = []
    for dirpath, _, names in os.walk(folder):
        for name in names:
            m = re.search(r" \((\d+)x(\d+)\)\.\w+$", name)
            if m:
                sizes.append((int(m.group(1)), int(m.group(2))))
    shutil.rmtree(folder)
    return [f"{w}x{h}" for w, h in sorted(sizes)]


def one_size(group):
    w0, h0 = group["w"], group["h"]
    rx, ry = 800 / w0, 600 / h0
    if rx < ry:
        return [f"800x{int(h0 * rx)}"]
    return [f"{int(w0 * ry)}x600"] if rx > ry else ["800x600"]


def tools(args, group, raws):
    single = {"MAGICK_THREAD_LIMIT": "1", "OMP_NUM_THREADS": "1", "VIPS_CONCURRENCY": "1"}
    found = [("tarvex-resize", None, False, None)]
    found.append(("floor, crop", per_file(floor(args.floor)), True, None))
    found.append(("floor, our pixels", per_file(floor(args.floor, raws)), True, None))
    if have("/usr/bin/convert"):
        found.append(("ImageMagick", per_file(magick), False, single))
    if have("gm"):
        found.append(("GraphicsMagick", per_file(graphics), False, single))
    if have("vipsthumbnail"):
        found.append(("vipsthumbnail", per_file(thumbnail), False, single))
    if have("vips"):
        found.append(("vips resize (full decode)", per_file(vips_resize((group["w"], group["h"]))),
                      False, single))
    if pillow_present():
        found.append(("Pillow", pillow, True, None))
    return found


def measure(command, env, group, work, runs):
    samples = []
    for _ in range(runs):
        folder = tempfile.mkdtemp(dir=work)
        for f in group["files"]:
            os.link(f, os.path.join(folder, os.path.basename(f)))
        out = os.path.join(folder, "out")
        os.mkdir(out)
        result = timed(command(group["files"], group["sizes"], out), env, folder)
        shutil.rmtree(folder)
        if result is None:
            return None
        samples.append(result)
    return statistics.median(s for s, _ in samples), max(k for _, k in samples)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", default="full")
    parser.add_argument("--runs", type=int)
    parser.add_argument("--resize", required=True)
    parser.add_argument("--floor", required=True)
    parser.add_argument("--corpus-tool", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    runs = args.runs or (3 if args.mode == "quick" else 5)
    os.makedirs(args.work, exist_ok=True)
    groups = make_corpus(args.corpus_tool, os.path.join(args.work, "corpus-" + args.mode),
                         corpus_spec(args.mode))
    load = open("/proc/loadavg").read().split()[:3]
    print(f"# compare ({args.mode}): {runs} runs per cell, median seconds; "
          f"{os.cpu_count()} cores, load average {' '.join(load)} at start")
    report = []
    for group in groups:
        workloads = [("one size", one_size(group), "one")]
        if "large" not in group["label"] and "48 MP" not in group["label"]:
            workloads.append(("ten sizes", output_sizes(args.resize, group, args.work), "ten"))
        mp = len(group["files"]) * group["w"] * group["h"] / 1e6
        for name, sizes, kind in workloads:
            group["sizes"] = sizes
            raws = output_pixels(args, group, kind, args.work)
            rows = []
            for label, given, threadless, single in tools(args, group, raws):
                for threads in ("1 thread", "default"):
                    command = given or ours(args.resize, kind, 1 if threads == "1 thread" else None)
                    if threads == "default" and threadless:
                        continue
                    env = dict(os.environ)
                    if threads == "1 thread" and single:
                        env.update(single)
                    result = measure(command, env, group, args.work, runs)
                    if result:
                        tag = label if threadless else f"{label}, {threads}"
                        rows.append((tag, result[0], result[1]))
            report.append((group, name, sizes, mp, rows))
            print_table(group, name, sizes, mp, rows)
            sys.stdout.flush()


def print_table(group, name, sizes, mp, rows):
    crop_s = next((s for t, s, _ in rows if t == "floor, crop"), None)
    same_s = next((s for t, s, _ in rows if t == "floor, our pixels"), None)
    ours_s = next((s for t, s, _ in rows if t.startswith("tarvex")), None)
    decoded_mb = group["w"] * group["h"] * 4 / 2**20

    def ratio(seconds, base):
        return f"{seconds / base:.2f}" if base else "-"

    print(f"\n## {group['label']} x{len(group['files'])}, {name} "
          f"({', '.join(sizes)}); {mp:.1f} input MP, one decoded image {decoded_mb:.0f} MiB")
    print("| tool | median s | x floor (crop) | x floor (our pixels) | input MP/s | peak MiB "
          "| tarvex / tool |")
    print("|---|---|---|---|---|---|---|")
    for tag, seconds, kb in rows:
        print(f"| {tag} | {seconds:.3f} | {ratio(seconds, crop_s)} | {ratio(seconds, same_s)} | "
              f"{mp / seconds:.1f} | {kb / 1024:.0f} | {ratio(ours_s, seconds)} |")


if __name__ == "__main__":
    main()
