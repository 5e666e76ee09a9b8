"""The desktop cases: each drives a fresh user's copy of `tarvex` through
real input events and checks what that user would see and get."""

import os
import subprocess
import time

from fixtures import compare_outputs, tree
from procs import wait_until

# Language-pack ids of the texts the cases look for.
READY, VIEW_MENU, LANGUAGE_MENU, ABOUT_MENU = 609450, 609000, 700000, 701000
KEEP_ON_TOP_ITEM, EASY_DRAG_ITEM, MIDDLE_CLICK_ITEM = 609100, 609300, 609350
VERSION_ITEM, SUMMARY, PROGRESS = 701100, 609500, 609470
KEEP_ON_TOP_BOX, DROP_BOX, DROP_HINT, CREATE = 1000000, 1001000, 1002000, 1004000
TO_ADVANCED, TO_COMPACT, SPECIFIC_SIZE, VARIOUS_SIZES = 1005000, 1006000, 1102000, 1101000
BY_PIXEL, BY_PERCENT, KEEP_RATIO, ONLY_SHRINK, ONLY_ENLARGE = 1150000, 1160000, 1130000, 1204000, 1203000
WIDTH, HEIGHT, UP_TO, MAXIMUM_RANGE, LIMITED_RANGE = 1170000, 1180000, 1106000, 1109000, 1110000
FOLDER_MESSAGE = 608299
CANCELING = "Canceling.."

VIEW = "MainWindow\\View"
ONE_SPECIFIC = "MainWindow\\ConvertTo\\OneSpecific"
MULTIPLE = "MainWindow\\ConvertTo\\MultipleAtOnce"

CASES = []


def case(function):
    CASES.append((function.__name__, function))
    return function


# -- shared steps ---------------------------------------------------------
def text(c, text_id, language="eng"):
    return c.suite.lang.text(text_id, language)


def summary_text(c, resized, skipped, failed):
    return (text(c, SUMMARY).replace("%1", str(resized)).replace("%2", str(skipped))
            .replace("%3", str(failed)))


def drop_box(c):
    return c.program.control("panel", text(c, DROP_BOX))


def drop(c, frame, paths, target=None):
    """Drags paths from the file source onto the Drop Box (or target)."""
    point = target if target is not None else drop_box(c).center()
    return c.suite.drag_files(paths, point, frame)


def wait_for_summary(c, expected, timeout=90):
    node = c.program.desktop.wait_for(c.program.process.pid, name=expected, showing=True,
                                      timeout=timeout)
    if node is None:
        raise AssertionError(f"the status bar never showed '{expected}'; it shows "
                             f"{status_texts(c)}")
    return node


def status_texts(c):
    app = c.program.app()
    bar = app.find(role="status bar") if app else None
    return [n.name for n in bar.walk() if n.name and n.showing] if bar else []


def wait_ready(c, timeout=30):
    ready = text(c, READY)
    pid = c.program.process.pid
    idle = wait_until(lambda: c.program.desktop.wait_for(pid, "label", ready, True, 0.1) and
                      not c.program.desktop.wait_for(pid, "progress bar", None, True, 0.1),
                      timeout)
    if not idle:
        raise AssertionError(f"the window did not return to '{ready}'; the status bar shows "
                             f"{status_texts(c)}")


def type_into(c, node, value):
    c.suite.x.click(*node.center())
    c.suite.x.key("ctrl+a")
    c.suite.x.type_text(value)
    time.sleep(0.1)


def fields(c, label_id):
    """The showing text fields named after label_id's text, top to bottom."""
    app = c.program.app()
    found = app.find_all(role="text", name=text(c, label_id), showing=True)
    return sorted(found, key=lambda n: n.extents()[1])


def expand(c):
    c.program.click("push button", text(c, TO_ADVANCED))
    c.program.control("push button", text(c, TO_COMPACT))
    time.sleep(0.2)


def selector(c):
    """The sizing-mode selector. Qt names a combo box after its current item
    on Linux (the label is a relation), so it is found by its role."""
    return c.program.control("combo box", None)


def choose_sizing_mode(c, item_id):
    combo = selector(c)
    c.suite.x.click(*combo.center())
    time.sleep(0.3)
    c.program.click("list item", text(c, item_id))
    time.sleep(0.3)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_values(c, section, expected):
    stored = {name: c.program.store.get(section, name) for name in expected}
    wrong = {name: value for name, value in stored.items() if value != expected[name]}
    check(not wrong, f"{section} holds {stored}, expected {expected}")


# -- cases ----------------------------------------------------------------
@case
def first_start_is_compact_and_stores_its_view(c):
    frame = c.program.start()
    c.program.control("label", text(c, READY))
    c.program.control("label", text(c, DROP_HINT))
    c.program.control("push button", text(c, TO_ADVANCED))
    check(c.program.control("check box", text(c, KEEP_ON_TOP_BOX)).checked,
          "'Keep on Top' is not ticked on a first start")
    check(not c.program.app().find(role="radio button", name=text(c, BY_PIXEL), showing=True),
          "the compact view shows the options panel")
    c.shot("compact")
    _, _, width, height = frame.extents()
    c.program.close()
    stored = c.program.store.values(VIEW)
    check(stored.get("CompactView") == 1, f"CompactView after closing: {stored}")
    size = (stored.get("SmallWidth"), stored.get("SmallHeight"))
    check(size == (width, height), f"stored compact size {size}, the window was {width}x{height}")


@case
def drop_of_three_files_writes_what_tarvex_resize_writes(c):
    fx = c.suite.fixtures
    files = [fx.place("big", c.inputs, "holiday photo.jpg"),
             fx.place("big", c.inputs, "grüße 日本.jpg"),
             fx.place("big-png", c.inputs, "really a png.jpg")]
    reference = fx.reference(files, c.folder, [])
    before = tree(c.inputs)
    frame = c.program.start()
    taken = drop(c, frame, files)
    check(taken == 3, f"the Drop Box took {taken} of 3 dragged files")
    expected = summary_text(c, 3, 0, 0)
    seen, shot = [], False
    pid = c.program.process.pid

    def job_over():
        bar = c.program.desktop.wait_for(pid, "progress bar", text(c, PROGRESS), True, 0.05)
        if bar is not None:
            try:
                seen.append(bar.percent())
            except Exception:
                pass
            nonlocal shot
            if not shot:
                c.shot("busy")
                shot = True
        return c.program.desktop.wait_for(pid, None, expected, True, 0.05)

    check(wait_until(job_over, 90, interval=0.02),
          f"the status bar never showed '{expected}'; it shows {status_texts(c)}")
    check(any(1 <= p <= 99 for p in seen), f"progress values seen during the job: {seen}")
    c.shot("summary")
    wait_ready(c)
    problems = compare_outputs(c.inputs, reference, before)
    check(not problems, "\n".join(problems))


@case
def drop_outside_the_drop_box_does_nothing(c):
    image = c.suite.fixtures.place("small", c.inputs, "photo.jpg")
    before = tree(c.inputs)
    frame = c.program.start()
    for target in (c.program.control("check box", text(c, KEEP_ON_TOP_BOX)),
                   c.program.control("label", text(c, READY))):
        drop(c, frame, [image], target.center())
    time.sleep(1.0)
    check(tree(c.inputs) == before, f"files appeared: {sorted(tree(c.inputs) - before)}")
    check(not c.program.app().find(role="progress bar", showing=True), "a job started")
    c.program.control("label", text(c, READY))


@case
def folder_and_text_file_are_skipped_and_counted(c):
    folder = os.path.join(c.inputs, "album.jpg")
    os.makedirs(folder)
    notes = os.path.join(c.inputs, "notes.txt")
    with open(notes, "w", encoding="utf-8") as out:
        out.write("not an image\n")
    image = c.suite.fixtures.place("small", c.inputs, "photo.jpg")
    paths = [folder, notes, image]
    reference = c.suite.fixtures.reference(paths, c.folder, [])
    before = tree(c.inputs)
    frame = c.program.start()
    check(drop(c, frame, paths) == 3, "the Drop Box did not take the three dragged items")
    wait_for_summary(c, summary_text(c, 1, 2, 0))
    c.shot("summary")
    problems = compare_outputs(c.inputs, reference, before)
    check(not problems, "\n".join(problems))


@case
def options_set_in_the_expanded_view_are_used_stored_and_restored(c):
    fx = c.suite.fixtures
    frame = c.program.start()
    expand(c)
    c.program.click("radio button", text(c, BY_PERCENT))
    percent_w = fields(c, WIDTH)[1]
    percent_h = fields(c, HEIGHT)[1]
    type_into(c, percent_w, "50")
    type_into(c, percent_h, "40")
    c.program.click("radio button", text(c, ONLY_SHRINK))
    c.shot("specific-size-options")
    first = fx.place("small", c.inputs, "first.jpg")
    reference = fx.reference([first], os.path.join(c.folder, "one"),
                             ["--percent", "50x40", "--stretch", "shrink", "--keep-ratio"])
    before = tree(c.inputs)
    check(drop(c, frame, [first]) == 1, "the Drop Box did not take the file")
    wait_for_summary(c, summary_text(c, 1, 0, 0))
    wait_ready(c)
    problems = compare_outputs(c.inputs, reference, before)
    check(not problems, "specific size: " + "\n".join(problems))

    choose_sizing_mode(c, VARIOUS_SIZES)
    type_into(c, fields(c, UP_TO)[0], "3")
    c.program.click("radio button", text(c, MAXIMUM_RANGE))
    c.shot("various-sizes-options")
    second = fx.place("small-png", c.inputs, "second.png")
    reference = fx.reference([second], os.path.join(c.folder, "two"),
                             ["--various", "--samples", "3", "--max-range"])
    before = tree(c.inputs)
    check(drop(c, frame, [second]) == 1, "the Drop Box did not take the second file")
    wait_for_summary(c, summary_text(c, 1, 0, 0))
    wait_ready(c)
    problems = compare_outputs(c.inputs, reference, before)
    check(not problems, "various sizes: " + "\n".join(problems))

    expect_values(c, ONE_SPECIFIC, {"ByPixel": 0, "PercentWidth": 50, "PercentHeight": 40,
                                    "StretchMode": "OnlyShrink"})
    expect_values(c, MULTIPLE, {"NumOfSamples": 3, "InMaximumRange": 1})
    expect_values(c, VIEW, {"ConvertTo": text(c, VARIOUS_SIZES), "CompactView": 0})

    c.program.close()
    c.program.start()
    c.program.control("push button", text(c, TO_COMPACT))
    check(selector(c).name == text(c, VARIOUS_SIZES),
          f"the selector shows '{selector(c).name}' after the restart")
    check(fields(c, UP_TO)[0].text() == "3", "'Up to' did not come back as 3")
    check(c.program.control("radio button", text(c, MAXIMUM_RANGE)).checked,
          "'Maximum Range' is not ticked after the restart")
    choose_sizing_mode(c, SPECIFIC_SIZE)
    values = [f.text() for f in fields(c, WIDTH) + fields(c, HEIGHT)]
    check(values[1] == "50" and values[3] == "40", f"size fields after the restart: {values}")
    for radio in (BY_PERCENT, ONLY_SHRINK):
        check(c.program.control("radio button", text(c, radio)).checked,
              f"'{text(c, radio)}' is not ticked after the restart")
    c.shot("restored")


def start_big_job(c, count=6):
    files = [c.suite.fixtures.place("big", c.inputs, f"photo {i}.jpg") for i in range(1, count + 1)]
    reference = c.suite.fixtures.reference(files, c.folder, [])
    before = tree(c.inputs)
    frame = c.program.start()
    check(drop(c, frame, files) == count, "the Drop Box did not take the files")
    bar = c.program.desktop.wait_for(c.program.process.pid, "progress bar", text(c, PROGRESS),
                                     True, 20)
    check(bar is not None, "no progress bar showed up during the job")
    return files, reference, before


def cancel_and_check(c, how, act):
    files, reference, before = start_big_job(c)
    act()
    canceling = c.program.desktop.wait_for(c.program.process.pid, "label", CANCELING, True, 2)
    check(canceling is not None, f"{how}: '{CANCELING}' was not shown; status bar: "
          f"{status_texts(c)}")
    c.shot(f"canceling-{how}")
    wait_ready(c, timeout=30)
    written = tree(c.inputs) - before
    check(len(written) < len(files), f"{how}: the job ran to its end ({sorted(written)})")
    expected = tree(reference) - before
    check(written <= expected, f"{how}: unexpected files {sorted(written - expected)}")
    problems = compare_outputs(c.inputs, reference, before)
    partial = [p for p in problems if "differs" in p]
    check(not partial, f"{how}: " + "\n".join(partial))


@case
def cancel_button_stops_after_the_current_sample(c):
    cancel_and_check(c, "button", lambda: c.program.click("push button", text(c, 1006050) or
                                                          "Cancel"))


@case
def escape_stops_after_the_current_sample(c):
    def press_escape():
        c.program.focus()
        c.suite.x.key("Escape")
    cancel_and_check(c, "escape", press_escape)


@case
def language_menu_switches_every_text_at_once_and_is_kept(c):
    ids = {"menu item": [VIEW_MENU, LANGUAGE_MENU, ABOUT_MENU],
           "check box": [KEEP_ON_TOP_BOX], "panel": [DROP_BOX], "label": [READY, DROP_HINT, CREATE],
           "push button": [TO_ADVANCED], "combo box": [SPECIFIC_SIZE]}

    def expect_language(tag):
        missing = []
        for role, text_ids in ids.items():
            for text_id in text_ids:
                name = text(c, text_id, tag) or text(c, text_id)
                if not c.program.desktop.wait_for(c.program.process.pid, role, name, True, 3):
                    missing.append(f"{role} '{name}'")
        check(not missing, f"in {tag}, these are not showing: {missing}; tree:\n"
              + c.program.app().describe())

    langs = c.suite.lang.languages
    c.program.start()
    c.program.menu(text(c, LANGUAGE_MENU), langs["deu"])
    expect_language("deu")
    c.shot("german")
    c.program.menu(text(c, LANGUAGE_MENU, "deu"), langs["jpn"])
    expect_language("jpn")
    c.shot("japanese")
    c.program.close()
    c.program.start()
    expect_language("jpn")


@case
def view_menu_switches_are_stored_and_middle_click_closes(c):
    c.program.start()
    c.program.menu(text(c, VIEW_MENU), text(c, KEEP_ON_TOP_ITEM))
    time.sleep(0.3)
    check(not c.program.control("check box", text(c, KEEP_ON_TOP_BOX)).checked,
          "the 'Keep on Top' check box stayed ticked after the menu turned it off")
    c.program.menu(text(c, VIEW_MENU), text(c, EASY_DRAG_ITEM))
    c.program.menu(text(c, VIEW_MENU), text(c, MIDDLE_CLICK_ITEM))
    time.sleep(0.3)
    expect_values(c, VIEW, {"KeepOnTop": 0, "EasyDrag": 0, "OnMClick": "DoNothing"})
    c.suite.x.click(*drop_box(c).center(), button=2)
    time.sleep(1.0)
    check(c.program.alive(), "a middle click closed the window although the switch is off")
    c.program.menu(text(c, VIEW_MENU), text(c, MIDDLE_CLICK_ITEM))
    c.program.menu(text(c, VIEW_MENU), text(c, KEEP_ON_TOP_ITEM))
    time.sleep(0.3)
    expect_values(c, VIEW, {"KeepOnTop": 1, "OnMClick": "Close"})
    c.suite.x.click(*drop_box(c).center(), button=2)
    check(wait_until(lambda: not c.program.alive(), 5),
          "a middle click did not close the window with 'Close By Mouse-Wheel Click' on")
    c.program.start()
    check(c.program.control("check box", text(c, KEEP_ON_TOP_BOX)).checked,
          "'Keep on Top' was not restored as on")


@case
def second_start_hands_its_file_to_the_running_window(c):
    image = c.suite.fixtures.place("small", c.inputs, "handed over.jpg")
    reference = c.suite.fixtures.reference([image], c.folder, [])
    before = tree(c.inputs)
    c.program.start()
    first = c.program.process
    status = c.program.start_second(image)
    check(status == 0, f"the second start exited with {status}")
    c.program.process = first
    wait_for_summary(c, summary_text(c, 1, 0, 0))
    problems = compare_outputs(c.inputs, reference, before)
    check(not problems, "\n".join(problems))


@case
def about_window_shows_the_version_and_closes(c):
    c.program.start()
    title = text(c, VERSION_ITEM)
    c.program.menu(text(c, ABOUT_MENU), title)
    about = c.program.frame(title, timeout=5)
    check(about is not None, f"no window titled '{title}' opened")
    check(about.find(name="1.24", showing=True) is not None,
          "the About window does not show '1.24':\n" + about.describe())
    c.shot("about")
    close = about.find(role="push button", name="Close", showing=True)
    check(close is not None, "the About window has no 'Close' button:\n" + about.describe())
    c.suite.x.click(*close.center())
    gone = wait_until(lambda: c.program.frame(title, timeout=0.1) is None or
                      not c.program.frame(title, timeout=0.1).showing, 5)
    check(gone, "the About window stayed open after 'Close'")
    check(c.program.alive(), "closing the About window ended the program")


def launcher_updates(log_path):
    """(progress, visible) of every launcher Update signal in a dbus-monitor log."""
    updates = []
    with open(log_path, encoding="utf-8", errors="replace") as log:
        blocks = log.read().split("signal ")[1:]
    for block in blocks:
        if "member=Update" not in block:
            continue
        progress, visible = None, None
        lines = [line.strip() for line in block.splitlines()]
        for index, line in enumerate(lines[:-1]):
            following = lines[index + 1]
            if line == 'string "progress"':
                progress = float(following.split()[-1])
            if line == 'string "progress-visible"':
                visible = following.split()[-1] == "true"
        updates.append((progress, visible))
    return updates


@case
def launcher_shows_progress_during_a_job_and_clears_it(c):
    log_path = os.path.join(c.folder, "launcher.log")
    log = open(log_path, "wb")
    monitor = c.suite.processes.spawn(
        ["dbus-monitor", "--session",
         "type='signal',interface='com.canonical.Unity.LauncherEntry'"],
        stdout=log, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    files = [c.suite.fixtures.place("big", c.inputs, f"photo {i}.jpg") for i in (1, 2, 3)]
    frame = c.program.start()
    check(drop(c, frame, files) == 3, "the Drop Box did not take the files")
    wait_for_summary(c, summary_text(c, 3, 0, 0))
    time.sleep(0.5)
    c.suite.processes.end(monitor)
    log.close()
    updates = launcher_updates(log_path)
    check(any(v and p is not None and 0 < p < 1 for p, v in updates),
          f"no Update with a visible progress between 0 and 1: {updates}")
    check(updates and updates[-1][1] is False,
          f"the last Update does not clear the progress: {updates}")


@case
def drop_from_a_read_only_folder_shows_the_message_and_writes_nothing(c):
    locked = os.path.join(c.folder, "locked photos")
    image = c.suite.fixtures.place("small", locked, "photo.jpg")
    mounted = subprocess.run(["mount", "--bind", "-o", "ro", locked, locked],
                             capture_output=True, text=True)
    check(mounted.returncode == 0, f"could not make the folder read-only: {mounted.stderr}")
    try:
        before = tree(locked)
        frame = c.program.start()
        drop(c, frame, [image])
        message = text(c, FOLDER_MESSAGE)
        pid = c.program.process.pid

        def message_label():
            app = c.program.app()
            for node in app.find_all(showing=True) if app else []:
                try:
                    if node.role in ("label", "text") and message in node.name:
                        return node
                except Exception:
                    continue
            return None

        label = wait_until(message_label, 10, interval=0.2)
        check(label is not None, f"no message '{message}' appeared:\n"
              + c.program.app().describe())
        check(f'"{locked}"' in label.name,
              f"the message does not name the folder in quotes: {label.name!r}")
        c.shot("message")
        c.suite.x.key("Return")
        time.sleep(0.5)
        check(tree(locked) == before, f"files appeared: {sorted(tree(locked) - before)}")
        check(c.program.desktop.wait_for(pid, "label", text(c, READY), True, 5),
              "the window is not back to 'Ready' after the message")
    finally:
        c.program.kill()
        subprocess.run(["umount", locked], capture_output=True)
