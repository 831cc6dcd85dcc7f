#!/usr/bin/python3
"""GUI tests: the real quorvane.exe under Wine in a virtual X server, used as a user would use it.
Message boxes are found by their title, their text and buttons are read, and they are answered
by pressing a button; keys and clicks go through the system's input like the user's own; the disk
is checked afterwards. Each start runs at one of the DPIs a screen has (96, 120, 144, 192), set as
Wine's own setting before the program starts, and the windows it shows are checked at that DPI.

    run_gui_tests.py --program quorvane.exe --probe qv-gui-probe.exe --work FOLDER [TEST...]
"""

import argparse
import pathlib
import shutil
import subprocess
import sys
import time
import traceback

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from wine_session import (Probe, WineSession, control_ids, unescape, wait_until,  # noqa: E402
                          which_or_fail, windows_path)

IDS = control_ids()
SETTINGS_NEXT_STEP, SETTINGS_EXIT, SETTINGS_FS2002 = (
    IDS["kSettingsNextStep"], IDS["kSettingsExit"], IDS["kSettingsFs2002"])
SETTINGS_FOLDER_LIST, SETTINGS_FOLDER_BOX = IDS["kSettingsFolderList"], IDS["kSettingsFolderBox"]
MAIN_REMOVE, MAIN_LIST_GROUP, MAIN_LIST, MAIN_FILTER, MAIN_FOLDER, MAIN_SUMMARY = (
    IDS["kMainRemove"], IDS["kMainListGroup"], IDS["kMainList"], IDS["kMainFilter"],
    IDS["kMainFolder"], IDS["kMainSummary"])
PROGRESS_STATUS, PROGRESS_BAR, PROGRESS_STOP = (
    IDS["kProgressStatus"], IDS["kProgressBar"], IDS["kProgressStop"])
MAIN_STATUS, MAIN_LIST_FRAME = IDS["kMainStatus"], IDS["kMainListFrame"]
MENU_EMPTY_TEMP, MENU_EMPTY_UNUSED, MENU_ABOUT, MENU_CHANGE_FOLDER, MENU_RESTORE = (
    IDS["kMenuEmptyTempPath"], IDS["kMenuEmptyUnusedGauges"], IDS["kMenuAboutFromMain"],
    IDS["kMenuChangeSimFolder"], IDS["kMenuRestoreRemoved"])
ABOUT_OK, ABOUT_AUTHOR = IDS["kAboutOk"], IDS["kAboutAuthor"]
RESTORE_LIST, RESTORE_BUTTON, RESTORE_SELECT_BATCH = (
    IDS["kRestoreList"], IDS["kRestoreButton"], IDS["kRestoreSelectBatch"])
MENU_CHECK, CHECK_GROUPS, CHECK_LIST, CHECK_SHOW, CHECK_HOLD = (
    IDS["kMenuCheckCollection"], IDS["kCheckGroups"], IDS["kCheckList"], IDS["kCheckShowInList"],
    IDS["kCheckHold"])

# The fonts of the windows' texts, as their layout gives them: hundredths of a point, bold,
# italic. Every text is checked to fit its control in its font.
DEFAULT = (825, 0, 0)


def texts(*names, font=DEFAULT):
    return {IDS[n]: font for n in names}


SETTINGS_TEXTS = texts("kSettingsNextStep", "kSettingsExit", "kSettingsVersionGroup",
                       "kSettingsFolderGroup", "kSettingsFs98", "kSettingsFs2000",
                       "kSettingsFs2002", "kSettingsCfs2", "kSettingsCurrentFolderLabel",
                       "kSettingsExample")
MAIN_TEXTS = texts("kMainRemove", "kMainInstruction", "kMainListGroup", "kMainFindLabel")
RESTORE_TEXTS = texts("kRestoreButton", "kRestoreInstruction")
CHECK_TEXTS = texts("kCheckShowInList", "kCheckHold", "kCheckInstruction")
PROGRESS_TEXTS = {**texts("kProgressHeading", "kProgressStatusLabel", font=(1350, 1, 1)),
                  **texts("kProgressStatus", font=(1200, 1, 1))}
ABOUT_TEXTS = {**texts("kAboutOk"), **texts("kAboutBanner", font=(1350, 1, 1)),
               **texts("kAboutCredits", "kAboutContact", font=(1200, 1, 0)),
               **texts("kAboutAuthor", "kAboutCallSign", font=(1200, 1, 1)),
               **texts("kAboutOrigin", font=(825, 1, 1))}
# Client areas in pixels at 96 DPI.
# The main window opens larger than its smallest size, with room for 15 rows and more.
SPLASH_SIZE, SETTINGS_SIZE, MAIN_SIZE = (591, 315), (316, 405), (538, 524)
MAIN_SMALLEST = (368, 374)
PROGRESS_SIZE, ABOUT_SIZE, RESTORE_SIZE = (356, 116), (347, 348), (560, 300)

SWEEP_QUESTION = ("Do you want to remove the unused gauges files?. (NOTE: The unused gauges files "
                  "that were removed will going to be saved in the UNUSED GAUGES folder.)")
CONFIRM_REMOVAL = "Confirm to delete the selected aircraft's files?"
GAUGE_QUESTION_START = "Do you want to remove also all the gauges files used by the panel"
REMOVAL_DONE = "Remove process completed."
BATCH_CONFIRM = "Confirm to delete the files of the 2 selected aircraft?"
RESTORE_QUESTION = "Do you want to put the removed aircraft back?"
RESTORE_SEVERAL_QUESTION = "Do you want to put the 2 selected removals back?"
RESTORE_DONE = "Restore process completed."
REMOVAL_CANCELLED = "The process was canceled by user."
EMPTY_TEMP_QUESTION = ("Do you want to delete permanently all the subdirectories and files of the "
                       "TEMP_PATH (Temporaly Folder).")
EMPTY_UNUSED_QUESTION = ("Do you want to delete permanently all the files of the UNUSED GAUGES "
                         "(Unused Gauges Folder).")
SETTINGS_SAVED = "Settings file created successfully!"
CHOOSE_AGAIN = "Choose the simulator's main folder again"
LONG_TITLE = ("Charlie Heavy Lifter Series 300 Extended Range Freighter in the Colours of the "
              "Northern Lights Air Cargo Company, Spring Livery")

WAIT = 60  # seconds: Wine's first window in a fresh prefix can take a while


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def write_crlf(path, lines):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def make_simulator(root):
    """A small simulator: Alpha (one section, its own gauge), Bravo (two sections, a shared
    gauge), Charlie (a title longer than the list is wide), Delta, and a gauge file no panel
    names."""
    sim = root / "FS2002"
    alpha = sim / "Aircraft" / "Alpha"
    write_crlf(alpha / "aircraft.cfg", ["[fltsim.0]", "title=Alpha One", "sim=alpha", "model=",
                                        "panel=", "sound=", "texture=", "", "[General]",
                                        "atc_type=ALPHA"])
    (alpha / "alpha.air").write_bytes(b"air")
    for sub in ("model", "sound", "texture"):
        (alpha / sub).mkdir(parents=True)
        (alpha / sub / f"{sub}.bin").write_bytes(b"x")
    write_crlf(alpha / "panel" / "panel.cfg", ["[Window00]", "gauge00=AlphaGauge!Needle, 1,1",
                                               "gauge01=Shared!Clock, 2,2"])
    bravo = sim / "Aircraft" / "Bravo"
    write_crlf(bravo / "aircraft.cfg", ["[fltsim.0]", "title=Bravo Red", "sim=bravo", "model=",
                                        "panel=", "sound=", "texture=red", "",
                                        "[fltsim.1]", "title=Bravo Blue", "sim=bravo", "model=",
                                        "panel=", "sound=", "texture=blue"])
    (bravo / "bravo.air").write_bytes(b"air")
    for sub in ("model", "sound", "texture.red", "texture.blue"):
        (bravo / sub).mkdir(parents=True)
        (bravo / sub / "file.bin").write_bytes(b"x")
    write_crlf(bravo / "panel" / "panel.cfg", ["[Window00]", "gauge00=Shared!Clock, 1,1"])
    write_crlf(sim / "Aircraft" / "Charlie" / "aircraft.cfg",
               ["[fltsim.0]", "title=" + LONG_TITLE, "sim=charlie"])
    write_crlf(sim / "Aircraft" / "Delta" / "aircraft.cfg", ["[fltsim.0]", "title=Delta",
                                                             "sim=delta"])
    gauges = sim / "Gauges"
    gauges.mkdir(parents=True)
    for name in ("AlphaGauge.gau", "Shared.gau", "Orphan.gau"):
        (gauges / name).write_bytes(b"gauge")
    return sim


SIM_TITLES = ["Alpha One", "Bravo Red", "Bravo Blue", LONG_TITLE, "Delta"]
# What removing Bravo Blue would do once Alpha One is gone.
BRAVO_BLUE_PLAN = ("moves 1 folder and 2 files; sim, model, panel and sound shared with 1 other "
                   "aircraft; aircraft.cfg rewritten")


def make_large_simulator(root, folders):
    """A simulator whose load takes a few seconds: a few aircraft beside `folders` folders of
    texture sets, each of which the walk looks into."""
    sim = root / "FS2002"
    for i in range(8):
        write_crlf(sim / "Aircraft" / f"Plane{i}" / "aircraft.cfg",
                   ["[fltsim.0]", f"title=Plane {i}", "sim=p"])
    for i in range(folders):
        (sim / "Aircraft" / "Texture Sets" / f"Set{i // 100:02d}" / f"texture.{i:04d}").mkdir(
            parents=True)
    (sim / "Gauges").mkdir(parents=True)
    return sim


def control_of(run, window, control_id):
    """A control's window handle, for the probe's window commands."""
    return run.probe.ok("control", window, control_id)


def write_settings(base, folder, version):
    base.mkdir(parents=True, exist_ok=True)
    (base / "quorva_set.cfg").write_bytes(
        windows_path(folder).encode("cp1252") + b"\r\n" + str(version).encode("ascii"))


class Run:
    """One run of the program in `base` (its current folder, so its base_dir), at `dpi`."""

    def __init__(self, session, args, base, dpi=96):
        self.session = session
        self.args = args
        self.base = base
        self.dpi = dpi
        base.mkdir(parents=True, exist_ok=True)
        self.probe = args.probe_process
        # Wine reads its DPI when a program starts.
        self.probe.ok("dpi", dpi)
        self.program = session.start([args.program], cwd=base)

    def start_another(self, base):
        """The program started once more, in `base`, at this run's DPI."""
        base.mkdir(parents=True, exist_ok=True)
        return self.session.start([self.args.program], cwd=base)

    def message(self, text, buttons, icon=None, seconds=WAIT):
        """Waits for the program's message box and checks its text and buttons."""
        reply = self.probe("msgbox", int(seconds * 1000))
        check(reply.startswith("ok "), f"no message box appeared (waiting for {text!r})")
        hwnd, shown, shown_buttons, shown_icon = reply[3:].split("\t")
        shown = unescape(shown)
        if text.endswith("..."):
            check(shown.startswith(text[:-3]), f"message {shown!r}, expected {text!r}")
        else:
            check(shown == text, f"message {shown!r}, expected {text!r}")
        check(shown_buttons == buttons, f"buttons {shown_buttons} for {text!r}, expected {buttons}")
        if icon is not None:
            check(shown_icon == icon, f"icon {shown_icon} for {text!r}, expected {icon}")
        return hwnd

    def message_naming(self, parts, buttons, icon=None):
        """Waits for a message box whose text holds every one of `parts`; returns it."""
        reply = self.probe("msgbox", WAIT * 1000)
        check(reply.startswith("ok "), f"no message box appeared (waiting for one naming {parts})")
        hwnd, shown, shown_buttons, shown_icon = reply[3:].split("\t")
        shown = unescape(shown)
        for part in parts:
            check(part in shown, f"message {shown!r} does not hold {part!r}")
        check(shown_buttons == buttons, f"buttons {shown_buttons} for {shown!r}, expected {buttons}")
        if icon is not None:
            check(shown_icon == icon, f"icon {shown_icon} for {shown!r}, expected {icon}")
        return hwnd

    def press(self, box, button):
        self.probe.ok("press", box, button)
        self.probe.ok("gone", box, 10000)

    def answer(self, text, buttons, press, icon=None):
        self.press(self.message(text, buttons, icon), press)

    def window(self, title, class_name, seconds=WAIT, besides=0):
        """A window of that title and class, once it is there (one other than `besides`)."""
        reply = self.probe("wait", title, class_name, int(seconds * 1000), besides)
        check(reply.startswith("ok "), f"window {title!r} did not appear")
        return reply[3:]

    def count(self, title, class_name):
        return int(self.probe.ok("count", title, class_name))

    def no_message(self, seconds):
        reply = self.probe("msgbox", int(seconds * 1000))
        check(reply == "error timeout", f"unexpected message box: {reply}")

    def text(self, window, control):
        return unescape(self.probe.ok("text", window, control))

    def list_items(self, window, list_id=MAIN_LIST, whole=False):
        """A list's entries: of a report list, the first column (`whole`: every column, joined
        by tabs)."""
        items = self.probe.ok("items", window, list_id)
        rows = [unescape(i) for i in items.split("\t")] if items else []
        return rows if whole else [r.split("\t")[0] for r in rows]

    def status(self, main):
        """The main window's status bar: the count, the selection, the holding folder."""
        return [unescape(self.probe.ok("status", main, MAIN_STATUS, part)) for part in range(3)]

    def open_folder(self, settings, name, last=True):
        """Opens the folder list's entry `name` (its last one, a subfolder; or its first one, a
        folder of the path shown), as a double click does."""
        items = self.list_items(settings, SETTINGS_FOLDER_LIST)
        check(name in items, f"the folder list holds no {name!r}: {items}")
        index = len(items) - 1 - items[::-1].index(name) if last else items.index(name)
        self.probe.ok("select", settings, SETTINGS_FOLDER_LIST, index)
        self.probe.ok("dblclick", settings, SETTINGS_FOLDER_LIST)
        check(wait_until(lambda: self.list_items(settings, SETTINGS_FOLDER_LIST) != items, 10),
              f"the folder list did not open {name!r}")

    def rect(self, hwnd, kind="rect"):
        return [int(v) for v in self.probe.ok(kind, hwnd).split()]

    def check_scaled(self, hwnd, size, name):
        """The window's client area is its layout's size at this DPI (or larger, when a text
        needed more room)."""
        width, height = (int(v) for v in self.probe.ok("client", hwnd).split())
        expected = [p * self.dpi // 96 for p in size]
        check(width >= expected[0] - 1 and height >= expected[1] - 1
              and width <= expected[0] * 1.2 and height <= expected[1] * 1.2,
              f"the {name} window's client area is {width} x {height} at {self.dpi} DPI, its "
              f"layout {expected[0]} x {expected[1]}")

    def check_texts_fit(self, hwnd, texts, name):
        """Every text of the window is whole in its control: no line cut off at the side, no
        line wrapped below the control's bottom."""
        for control, (centipoints, bold, italic) in texts.items():
            width, height, need_w, need_h = (int(v) for v in self.probe.ok(
                "fits", hwnd, control, self.dpi, centipoints, bold, italic).split())
            text = self.text(hwnd, control)
            check(need_w <= width and need_h <= height,
                  f"{name} window at {self.dpi} DPI: {text!r} (control {control}) needs "
                  f"{need_w} x {need_h} pixels and has {width} x {height}")

    def check_folder_list(self, settings):
        """The folder list's entries (and the folder signs drawn as tall as them) follow the
        text size."""
        _, item_height, _, _ = (int(v) for v in self.probe.ok(
            "listbox", settings, SETTINGS_FOLDER_LIST).split())
        _, text_height = (int(v) for v in self.probe.ok(
            "textwidth", self.dpi, *DEFAULT, "Aircraft").split())
        check(text_height + 2 <= item_height <= 2 * text_height,
              f"folder list entries {item_height} pixels high for text {text_height} high at "
              f"{self.dpi} DPI")

    def check_settings_window(self, settings):
        self.check_scaled(settings, SETTINGS_SIZE, "settings")
        self.check_texts_fit(settings, SETTINGS_TEXTS, "settings")
        self.check_folder_list(settings)

    def check_report_list(self, main):
        """The list shows 15 rows or more at its first size, under Title and Folder headers, the
        Title column taking the room the Folder column leaves."""
        rows = int(self.probe.ok("rows", main, MAIN_LIST))
        check(rows >= 15, f"the list shows {rows} rows at {self.dpi} DPI")
        widths = [int(v) for v in self.probe.ok("widths", main, MAIN_LIST).split()]
        _, _, list_width, _ = (int(v) for v in self.probe.ok("ctlrect", main, MAIN_LIST).split())
        check(len(widths) == 2 and widths[0] > 2 * widths[1],
              f"the list's columns are {widths} pixels wide at {self.dpi} DPI")

    def check_follows_size(self, main):
        """Made larger, the main window gives the room to the list and the lines below it; the
        button keeps to its corner. It can't be made smaller than its first size."""
        ids = (MAIN_FILTER, MAIN_LIST_FRAME, MAIN_LIST, MAIN_SUMMARY, MAIN_REMOVE)
        before = {i: [int(v) for v in self.probe.ok("ctlrect", main, i).split()] for i in ids}
        first_client = [int(v) for v in self.probe.ok("client", main).split()]
        left, top, right, bottom = self.rect(main)
        dx, dy = 150 * self.dpi // 96, 100 * self.dpi // 96
        self.probe.ok("resize", main, right - left + dx, bottom - top + dy)
        check(wait_until(lambda: [int(v) for v in self.probe.ok("client", main).split()]
                         == [first_client[0] + dx, first_client[1] + dy], 10),
              "the main window did not take the larger size")
        after = {i: [int(v) for v in self.probe.ok("ctlrect", main, i).split()] for i in ids}
        moved = {i: [a - b for a, b in zip(after[i], before[i])] for i in ids}
        expected = {MAIN_FILTER: [0, 0, dx, 0], MAIN_LIST_FRAME: [0, 0, dx, dy],
                    MAIN_LIST: [0, 0, dx, dy], MAIN_SUMMARY: [0, dy, dx, dy],
                    MAIN_REMOVE: [dx, dy, dx, dy]}
        check(moved == expected, f"grown by {dx} x {dy}, the controls moved {moved}")
        self.probe.ok("resize", main, 100, 100)
        time.sleep(0.3)
        self.check_scaled(main, MAIN_SMALLEST, "main, made as small as it goes,")
        self.probe.ok("resize", main, right - left, bottom - top)

    def check_picture_fills_splash(self, splash):
        """The splash picture is drawn over the whole window: its bottom-right quarter is the
        picture, not the bare window colour."""
        left, top, right, bottom = self.rect(splash, "clientrect")
        shot = self.base / "splash.png"
        self.session.screenshot(shot)
        from PIL import Image
        with Image.open(shot) as image:
            corner = image.convert("RGB").crop(
                (left + (right - left) * 3 // 4, top + (bottom - top) * 3 // 4, right, bottom))
            colours = corner.getcolors(maxcolors=1 << 16) or []
        check(len(colours) > 16, f"the splash window's bottom-right quarter at {self.dpi} DPI "
                                 f"holds {len(colours)} colours: the picture does not reach it")

    def finish(self, seconds=30):
        try:
            return self.program.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.program.kill()
            raise Failure("the program did not end")

    def kill(self):
        if self.program.poll() is None:
            self.program.kill()


def test_start_with_the_folder_gone(session, args, work):
    """A settings file naming a simulator that was moved: the warning, the settings window to
    choose again, a folder without an Aircraft folder refused on No, and the recovery. Every
    window at 144 DPI."""
    sim = make_simulator(work / "sim")
    moved = work / "moved" / "FS2002"
    base = work / "base"
    write_settings(base, moved, 3)
    run = Run(session, args, base, dpi=144)
    try:
        splash = run.window("Quorvane v4.0", "QuorvaneSplashWindow")
        run.check_scaled(splash, SPLASH_SIZE, "splash")
        run.check_picture_fills_splash(splash)

        run.press(run.message_naming([windows_path(moved), "does not exist", CHOOSE_AGAIN], "OK",
                                     icon="icon"), "OK")
        settings = run.window("Settings", "QuorvaneSettingsWindow")
        check(run.count("Selecting Aircraft", "QuorvaneMainWindow") == 0,
              "the main window opened on a folder that is gone")
        # The nearest folder that is there, and the saved version.
        check(run.text(settings, SETTINGS_FOLDER_BOX) == windows_path(work),
              f"the folder box shows {run.probe.ok('text', settings, SETTINGS_FOLDER_BOX)}")
        check(run.probe.ok("checked", settings, SETTINGS_FS2002) == "1",
              "the saved version is not selected")
        run.check_settings_window(settings)

        run.probe.ok("click", settings, SETTINGS_NEXT_STEP)
        run.press(run.message_naming([windows_path(work), "no Aircraft folder"], "Yes,No"), "No")
        check(run.count("Settings", "QuorvaneSettingsWindow") == 1,
              "No to a folder without Aircraft closed the settings window")
        run.open_folder(settings, "sim")
        check(run.text(settings, SETTINGS_FOLDER_BOX) == windows_path(sim.parent),
              "the folder box does not follow the folder list")
        # A path typed into the folder box (with a separator at its end) is the one saved.
        run.probe.ok("settext", settings, SETTINGS_FOLDER_BOX, windows_path(sim) + "\\")
        run.probe.ok("click", settings, SETTINGS_NEXT_STEP)
        run.answer(SETTINGS_SAVED, "OK", "OK", icon="icon")
        progress = run.window("Processing...", "QuorvaneProgressWindow")
        box = run.message(SWEEP_QUESTION, "Yes,No", icon="none")
        run.check_scaled(progress, PROGRESS_SIZE, "progress")
        run.check_texts_fit(progress, PROGRESS_TEXTS, "progress")
        run.press(box, "No")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        check(run.list_items(main) == SIM_TITLES, f"list holds {run.list_items(main)}")
        check((base / "quorva_set.cfg").read_bytes() == windows_path(sim).encode("cp1252") +
              b"\r\n3", "the settings file does not name the folder chosen")
        run.check_scaled(main, MAIN_SIZE, "main")
        run.check_texts_fit(main, MAIN_TEXTS, "main")
        run.check_report_list(main)
        run.check_follows_size(main)
        # At this DPI too: a header's click sorts, the status bar counts, Find narrows.
        run.probe.ok("header", main, MAIN_LIST, 0)
        check(wait_until(lambda: run.list_items(main) == sorted(SIM_TITLES, key=str.lower), 10),
              f"a click on Title gives {run.list_items(main)}")
        run.probe.ok("settext", main, MAIN_FILTER, "bravo")
        run.probe.ok("select", main, MAIN_LIST, "0,1")
        check(wait_until(lambda: run.status(main)[:2] == ["2 of 5 shown", "2 selected"], 10),
              f"the status bar shows {run.status(main)}")
        run.probe.ok("settext", main, MAIN_FILTER, "")

        # The restore window at 144 DPI, with nothing held; Esc closes it.
        run.probe.ok("menu", main, MENU_RESTORE)
        restore = run.window("Restore Removed Aircraft", "QuorvaneRestoreWindow")
        run.check_scaled(restore, RESTORE_SIZE, "restore")
        run.check_texts_fit(restore, RESTORE_TEXTS, "restore")
        check(run.list_items(restore, RESTORE_LIST) == [], "the restore window lists removals")
        check(wait_until(lambda: run.probe.ok("foreground") == restore, 10),
              "the restore window is not in front")
        run.probe.ok("keys", "escape")
        check(run.probe("gone", restore, 10000) == "ok", "Esc did not close the restore window")

        # The About window at 144 DPI; Esc closes it.
        run.probe.ok("menu", main, MENU_ABOUT)
        about = run.window("About Quorvane v4.0", "QuorvaneAboutWindow")
        run.check_scaled(about, ABOUT_SIZE, "About")
        run.check_texts_fit(about, ABOUT_TEXTS, "About")
        check(wait_until(lambda: run.probe.ok("foreground") == about, 10),
              "the About window is not in front")
        run.probe.ok("keys", "escape")
        check(run.probe("gone", about, 10000) == "ok", "Esc did not close the About window")

        # Its size, place and column widths come back at the next start.
        left, top, right, bottom = run.rect(main)
        run.probe.ok("resize", main, right - left + 60, bottom - top + 40)
        run.probe.ok("move", main, 20, 30)
        check(wait_until(lambda: run.rect(main)[0] == 20, 10), "the main window did not move")
        size, widths = run.rect(main), run.probe.ok("widths", main, MAIN_LIST)
        run.probe.ok("close", main)
        check(run.finish() == 0, "the program did not end when the main window closed")
        check((base / "quorva_win.cfg").exists(), "the window's place was not kept")

        again = Run(session, args, base, dpi=144)
        run.program = again.program
        run.answer(SWEEP_QUESTION, "Yes,No", "No")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        # Kept at 96 DPI, a size comes back to the pixel or one off.
        near = lambda a, b: all(abs(x - y) <= 2 for x, y in zip(a, b))  # noqa: E731
        check(wait_until(lambda: near(run.rect(main), size), 10),
              f"the main window came back at {run.rect(main)}, not {size}")
        check(near([int(v) for v in run.probe.ok("widths", main, MAIN_LIST).split()],
                   [int(v) for v in widths.split()]), "the column widths changed")
        run.probe.ok("close", main)
        check(run.finish() == 0, "the program did not end when the main window closed")
    finally:
        run.kill()


def test_start_without_an_aircraft_folder(session, args, work):
    """The Aircraft folder itself saved as the main folder: the warning, the settings window on
    that folder, NEXT STEP asking whether to use it anyway (No keeps the window, Yes goes on). At
    192 DPI."""
    sim = make_simulator(work / "sim")
    base = work / "base"
    chosen = sim / "Aircraft"
    write_settings(base, chosen, 3)
    run = Run(session, args, base, dpi=192)
    try:
        run.press(run.message_naming([windows_path(chosen), "holds no Aircraft folder",
                                      CHOOSE_AGAIN], "OK", icon="icon"), "OK")
        settings = run.window("Settings", "QuorvaneSettingsWindow")
        check(run.text(settings, SETTINGS_FOLDER_BOX) == windows_path(chosen),
              "the settings window does not show the saved folder")
        run.check_settings_window(settings)
        run.probe.ok("click", settings, SETTINGS_NEXT_STEP)
        run.press(run.message_naming([windows_path(chosen), "no Aircraft folder", "anyway?"],
                                     "Yes,No", icon="none"), "Yes")
        run.answer(SETTINGS_SAVED, "OK", "OK", icon="icon")
        run.answer(SWEEP_QUESTION, "Yes,No", "No", icon="none")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        check(run.count("Settings", "QuorvaneSettingsWindow") == 0,
              "the settings window is still open beside the main window")
        # Used anyway, the folder is walked whole.
        check(run.list_items(main) == SIM_TITLES, f"list holds {run.list_items(main)}")
        check((base / "quorva_set.cfg").read_bytes() == windows_path(chosen).encode("cp1252") +
              b"\r\n3", "the settings file does not name the folder used")
        run.check_scaled(main, MAIN_SIZE, "main")
        run.check_texts_fit(main, MAIN_TEXTS, "main")
        run.probe.ok("close", main)
        check(run.finish() == 0, "the program did not end cleanly when its last window closed")
    finally:
        run.kill()


def find_remove_and_restore(run, main, sim, held):
    """Alpha One is held. The selected aircraft's folder and plan below the list; the filter
    narrowing the list and the removal working on it: both Bravo sections in one batch (one
    confirmation, one gauge question, one reload); then Alpha One put back from the restore
    window."""
    bravo = sim / "Aircraft" / "Bravo"
    caption = lambda: run.text(main, MAIN_LIST_GROUP)  # noqa: E731
    run.probe.ok("select", main, MAIN_LIST, 1)
    check(wait_until(lambda: run.text(main, MAIN_FOLDER) == windows_path(bravo), 10),
          f"the folder line shows {run.text(main, MAIN_FOLDER)!r} for Bravo Blue")
    summary = run.text(main, MAIN_SUMMARY)
    check(summary == BRAVO_BLUE_PLAN, f"the plan line shows {summary!r} for Bravo Blue")

    run.probe.ok("settext", main, MAIN_FILTER, "bRAVO")
    check(wait_until(lambda: caption() == "Aircraft List (2 of 4)", 10),
          f"with the filter the list frame reads {caption()!r}")
    check(run.list_items(main) == ["Bravo Red", "Bravo Blue"],
          f"the filter leaves {run.list_items(main)}")
    check(wait_until(lambda: run.status(main)[:2] == ["2 of 4 shown", "1 selected"], 10),
          f"with the filter the status bar shows {run.status(main)}")
    check(run.text(main, MAIN_SUMMARY) == BRAVO_BLUE_PLAN,
          "the plan line changed while the same aircraft stayed selected")
    run.probe.ok("select", main, MAIN_LIST, "0,1")
    check(wait_until(lambda: run.text(main, MAIN_SUMMARY) == "", 10),
          "the plan line still shows one aircraft's plan with two selected")
    check(wait_until(lambda: run.status(main)[1] == "2 selected", 10),
          f"with two selected the status bar shows {run.status(main)}")
    run.probe.ok("click", main, MAIN_REMOVE)
    box = run.message(BATCH_CONFIRM, "Yes,No", icon="icon")
    check(run.probe.ok("defbutton", box) == "No", "Enter would confirm the batch")
    check(run.probe.ok("owner", box) == main, "the batch question is not the main window's")
    run.press(box, "Yes")
    run.answer(GAUGE_QUESTION_START + "...", "Yes,No", "No")
    run.answer(REMOVAL_DONE, "OK", "OK", icon="icon")
    # One reload: a second one's question would come before the restore's below.
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: caption() == "Aircraft List (0 of 2)", 10),
          f"after the batch the list frame reads {caption()!r}")
    check(not bravo.exists(), "the batch left the Bravo folder")
    for name in ("bravo.air", "texture.red/file.bin", "texture.blue/file.bin"):
        check((held / "bravo" / name).exists(), f"the batch did not hold {name}")
    run.probe.ok("settext", main, MAIN_FILTER, "")
    check(wait_until(lambda: caption() == "Aircraft List", 10),
          f"with the filter cleared the list frame reads {caption()!r}")
    check(run.list_items(main) == [LONG_TITLE, "Delta"], f"the list holds {run.list_items(main)}")
    check(wait_until(lambda: run.status(main)[2].startswith("Temp_Path: ")
                     and run.status(main)[2].endswith(" held"), 10),
          f"the status bar shows {run.status(main)}")

    run.probe.ok("menu", main, MENU_RESTORE)
    restore = run.window("Restore Removed Aircraft", "QuorvaneRestoreWindow")
    run.check_texts_fit(restore, RESTORE_TEXTS, "restore")
    entries = [e.split("\t") for e in run.list_items(restore, RESTORE_LIST, whole=True)]
    check([e[0] for e in entries] == ["Bravo Blue", "Bravo Red", "Alpha One"]
          and entries[2][2] == windows_path(sim / "Aircraft" / "Alpha") and int(entries[2][3]) > 1,
          f"the restore window lists {entries}")
    # Alpha One alone, by Enter in the list; the window stays above the main window.
    run.probe.ok("activate", restore)
    run.probe.ok("select", restore, RESTORE_LIST, 2)
    run.probe.ok("keys", "return")
    run.answer(RESTORE_QUESTION, "Yes,No", "Yes", icon="none")
    run.answer(RESTORE_DONE, "OK", "OK", icon="icon")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: run.list_items(main) == ["Alpha One", LONG_TITLE, "Delta"], 20),
          f"after the restore the list holds {run.list_items(main)}")
    check((sim / "Aircraft" / "Alpha" / "alpha.air").exists()
          and (sim / "Gauges" / "AlphaGauge.gau").exists(),
          "the restore did not put Alpha One's files and gauge back")
    check(wait_until(lambda: run.list_items(restore, RESTORE_LIST) == ["Bravo Blue", "Bravo Red"],
                     10), "the restore window still lists Alpha One")
    check(run.probe.ok("above", restore, main) == "1", "the restore window fell behind")
    check(wait_until(lambda: run.probe.ok("foreground") == restore, 10),
          "the restore window did not take the keyboard back after the restore")
    # One of the batch selected, Select Batch adds the other; both come back in one go.
    run.probe.ok("select", restore, RESTORE_LIST, 0)
    run.probe.ok("click", restore, RESTORE_SELECT_BATCH)
    run.probe.ok("click", restore, RESTORE_BUTTON)
    run.answer(RESTORE_SEVERAL_QUESTION, "Yes,No", "Yes", icon="none")
    run.answer(RESTORE_DONE, "OK", "OK", icon="icon")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: run.list_items(main) == SIM_TITLES, 20),
          f"after the batch's restore the list holds {run.list_items(main)}")
    check(run.list_items(restore, RESTORE_LIST) == [], "the restore window still lists removals")
    run.probe.ok("close", restore)
    run.probe.ok("gone", restore, 10000)

    # A batch stopped during its first removal: that one is done and held, the rest untouched.
    run.probe.ok("select", main, MAIN_LIST, "0,1,2")
    run.probe.ok("click", main, MAIN_REMOVE)
    run.answer("Confirm to delete the files of the 3 selected aircraft?", "Yes,No", "Yes")
    gauge_box = run.message(GAUGE_QUESTION_START + "...", "Yes,No")
    progress = run.window("Processing...", "QuorvaneProgressWindow")
    check(run.text(progress, PROGRESS_STATUS) == "Removing 1 of 3: Alpha One",
          f"the batch's status reads {run.text(progress, PROGRESS_STATUS)!r}")
    run.probe.ok("click", progress, PROGRESS_STOP)
    run.press(gauge_box, "No")
    run.press(run.message_naming(["You stopped the removal.", "1 of the 3 selected aircraft"],
                                 "OK", icon="icon"), "OK")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: run.list_items(main) == SIM_TITLES[1:], 20),
          f"after the stopped batch the list holds {run.list_items(main)}")
    check((held / "alpha" / "alpha.air").exists() and (sim / "Aircraft" / "Bravo").is_dir(),
          "the stopped batch did not keep to its first aircraft")


def check_and_hold(run, main, sim, held):
    """The collection check on the small simulator with an unused repaint and a kit folder
    planted: a tab for each group with its count; Show in List selects a broken aircraft in the
    main list; Hold Selected Folders holds the repaint, the window follows, and the restore
    window lists it and puts it back."""
    repaint = sim / "Aircraft" / "Bravo" / "texture.old"
    repaint.mkdir()
    (repaint / "old.bmp").write_bytes(b"paint")
    (sim / "Aircraft" / "Kit").mkdir()
    (sim / "Aircraft" / "Kit" / "readme.txt").write_bytes(b"kit")
    run.probe.ok("activate", main)
    run.probe.ok("keys", "f5")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    run.probe.ok("menu", main, MENU_CHECK)
    window = run.window("Check Collection", "QuorvaneCheckWindow")
    run.check_texts_fit(window, CHECK_TEXTS, "check")
    tabs = lambda: [unescape(t) for t in run.probe.ok("tabs", window, CHECK_GROUPS).split("\t")]  # noqa: E731
    shown = tabs()
    check(shown[0] == "0" and shown[4:] == ["Unused Folders (1)", "Without Aircraft (1)",
                                             "Holding (2)"]
          and shown[1].startswith("Won't Load ("), f"the check's tabs read {shown}")
    check(run.probe.ok("owner", window) == main, "the check window is not the main window's")
    broken = run.list_items(window, CHECK_LIST)
    check(LONG_TITLE in broken, f"the check finds {broken} broken")
    run.probe.ok("select", window, CHECK_LIST, broken.index(LONG_TITLE))
    run.probe.ok("click", window, CHECK_SHOW)
    check(wait_until(lambda: run.status(main)[1] == "1 selected"
                     and run.text(main, MAIN_FOLDER).endswith("Charlie"), 10),
          f"Show in List selects {run.status(main)[1]!r} ({run.text(main, MAIN_FOLDER)!r})")
    # Ctrl+Tab goes from group to group.
    run.probe.ok("activate", window)
    run.probe.ok("keys", "ctrl+tab")
    check(wait_until(lambda: tabs()[0] == "1", 10), f"Ctrl+Tab leaves the tabs at {tabs()[0]}")
    run.probe.ok("tab", window, CHECK_GROUPS, 3)
    check(run.list_items(window, CHECK_LIST) == ["Bravo\\texture.old"],
          f"the unused folders are {run.list_items(window, CHECK_LIST)}")
    run.probe.ok("select", window, CHECK_LIST, 0)
    run.probe.ok("click", window, CHECK_HOLD)
    run.answer("Move the 1 selected folders (0.1 MB) to the Temporaly Folder?", "Yes,No", "Yes")
    run.answer("Hold process completed.", "OK", "OK", icon="icon")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: tabs()[4] == "Unused Folders (0)", 20),
          f"after the hold the tabs read {tabs()}")
    check(not repaint.exists() and (held / "bravo" / "texture.old" / "old.bmp").exists(),
          "the hold did not move the repaint into the holding folder")
    run.probe.ok("close", window)
    run.probe.ok("gone", window, 10000)

    run.probe.ok("menu", main, MENU_RESTORE)
    restore = run.window("Restore Removed Aircraft", "QuorvaneRestoreWindow")
    entries = run.list_items(restore, RESTORE_LIST)
    check(entries[0] == "Folder Bravo\\texture.old", f"the restore window lists {entries}")
    run.probe.ok("select", restore, RESTORE_LIST, 0)
    run.probe.ok("click", restore, RESTORE_BUTTON)
    run.answer(RESTORE_QUESTION, "Yes,No", "Yes")
    run.answer(RESTORE_DONE, "OK", "OK")
    run.answer(SWEEP_QUESTION, "Yes,No", "No")
    check(wait_until(lambda: (repaint / "old.bmp").exists(), 20), "the repaint did not come back")
    run.probe.ok("close", restore)
    run.probe.ok("gone", restore, 10000)
    shutil.rmtree(repaint)
    shutil.rmtree(sim / "Aircraft" / "Kit")


def change_folder_to(run, main, big):
    """The menu command on the large simulator, and input during its load: a click on the main
    window and on its menu bar, the menu key, Alt+F4. None may reach the main window, hide the
    progress window or hold the load up."""
    run.probe.ok("menu", main, MENU_CHANGE_FOLDER)
    settings = run.window("Settings", "QuorvaneSettingsWindow")
    run.open_folder(settings, big.parent.parent.name, last=False)
    run.open_folder(settings, big.parent.name)
    run.open_folder(settings, big.name)
    run.probe.ok("click", settings, SETTINGS_NEXT_STEP)
    run.answer(SETTINGS_SAVED, "OK", "OK")
    progress = run.window("Processing...", "QuorvaneProgressWindow")
    started = time.monotonic()

    left, top, right, bottom = run.rect(main, "clientrect")
    p_left, p_top, p_right, p_bottom = run.rect(progress)
    # A point of the main window that the progress window doesn't cover, and its menu bar.
    spot = next((x, y) for x, y in ((left + 8, top + 8), (right - 8, bottom - 8),
                                    (left + 8, bottom - 8), (right - 8, top + 8))
                if not (p_left <= x < p_right and p_top <= y < p_bottom))
    run.probe.ok("mouse", "click", *spot)
    run.probe.ok("mouse", "click", left + 12 * run.dpi // 96, top - 8 * run.dpi // 96)
    run.probe.ok("keys", "alt")
    run.probe.ok("keys", "f10")
    run.probe.ok("keys", "alt+f4")
    time.sleep(0.5)
    status = run.text(progress, PROGRESS_STATUS)
    moved = int(run.probe.ok("barpos", progress, PROGRESS_BAR))
    check(wait_until(lambda: int(run.probe.ok("barpos", progress, PROGRESS_BAR)) > moved, 5),
          "the bar stands still during the walk")
    check(status == "Getting Aircrafts",
          f"the load was past its walk ({status!r}) when the input came: it is too short to tell")
    check(run.probe.ok("menumode", main) == "0", "a menu opened during the load")
    check(run.probe.ok("enabled", main) == "0", "the main window takes input during the load")
    check(run.probe.ok("above", progress, main) == "1",
          "the progress window went behind the main window")

    # Nothing holds the load up: its question comes (the menu left open would stop it).
    box = run.message(SWEEP_QUESTION, "Yes,No", seconds=120)
    loaded_in = time.monotonic() - started
    run.probe.ok("mouse", "click", *spot)
    time.sleep(0.3)
    check(run.probe.ok("above", box, main) == "1", "the question went behind the main window")
    run.press(box, "No")
    titles = [f"Plane {i}" for i in range(8)]
    check(wait_until(lambda: run.list_items(main) == titles, 30),
          f"after the load the list holds {run.list_items(main)}")
    # The list fills during the walk: the window takes input again once the load has ended.
    check(wait_until(lambda: run.probe.ok("enabled", main) == "1", 10),
          "the main window takes no input after the load")
    check(run.count("Selecting Aircraft", "QuorvaneMainWindow") == 1,
          "Alt+F4 during the load closed the main window")
    return loaded_in


def test_run_with_settings(session, args, work):
    base = work / "with-settings"
    sim = make_simulator(work / "sim")
    big = make_large_simulator(work / "big", 8000)
    write_settings(base, sim, 3)
    gauges, held, unused = sim / "Gauges", base / "Temp_Path", base / "Unused Gauges"

    # A first run in another folder, at 120 DPI, started just before: a program of its own.
    first = Run(session, args, work / "first-run", dpi=120)
    first_splash = first.window("Quorvane v4.0", "QuorvaneSplashWindow")
    run = Run(session, args, base)
    try:
        # The splash window stands for about 3 s before the load's progress window comes.
        run.window("Quorvane v4.0", "QuorvaneSplashWindow", besides=first_splash)
        splash_seen = time.monotonic()
        run.window("Processing...", "QuorvaneProgressWindow")
        shown_for = time.monotonic() - splash_seen
        check(2.0 <= shown_for <= 8.0, f"the splash window stood for {shown_for:.1f} s")
        run.answer(SWEEP_QUESTION, "Yes,No", "Yes", icon="none")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        check(run.list_items(main) == SIM_TITLES, f"list holds {run.list_items(main)}")
        # The sweep moves the gauge after the answer, under the progress window.
        check(wait_until(lambda: (unused / "Orphan.gau").exists() and
                         not (gauges / "Orphan.gau").exists(), 10),
              "the sweep did not move the unused gauge")
        check(wait_until(lambda: run.probe.ok("focus", main) == str(MAIN_LIST), 10),
              "the focus is not on the aircraft list")
        check(wait_until(lambda: run.status(main)[0] == "5 aircraft", 10),
              f"the status bar shows {run.status(main)}")
        # Sorted by a header's click, the other way round by the second, in the walk's order
        # again by the third; the Folder column sorts by folder, then title.
        by_title = sorted(SIM_TITLES, key=str.lower)
        for column, expected in ((0, by_title), (0, by_title[::-1]), (0, SIM_TITLES),
                                 (1, ["Alpha One", "Bravo Blue", "Bravo Red", LONG_TITLE,
                                      "Delta"]), (1, None), (1, SIM_TITLES)):
            run.probe.ok("header", main, MAIN_LIST, column)
            if expected is not None:
                check(wait_until(lambda: run.list_items(main) == expected, 10),
                      f"a click on header {column} gives {run.list_items(main)}")
        folders = [row.split("\t")[1] for row in run.list_items(main, whole=True)]
        check(folders == ["Alpha", "Bravo", "Bravo", "Charlie", "Delta"],
              f"the Folder column shows {folders}")
        # Typing a title's first letters moves to the next title that starts so, alone.
        run.probe.ok("activate", main)
        run.probe.ok("select", main, MAIN_LIST, 0)
        run.probe.ok("keys", "b")
        check(wait_until(lambda: run.status(main)[1] == "1 selected"
                         and run.text(main, MAIN_FOLDER).endswith("Bravo"), 10),
              f"typing b selects {run.status(main)[1]!r} ({run.text(main, MAIN_FOLDER)!r})")
        run.probe.ok("select", main, MAIN_LIST, -1)

        # The first run: its settings window on the start-up folder, EXIT ends it.
        settings = first.window("Settings", "QuorvaneSettingsWindow")
        check((first.base / "Temp_Path").is_dir() and (first.base / "Unused Gauges").is_dir(),
              "the holding folders were not created before the settings window")
        check(first.text(settings, SETTINGS_FOLDER_BOX) == windows_path(first.base),
              "the folder box does not show the start-up folder")
        # (Brought to the front first: the other program's windows came after it.)
        first.probe.ok("activate", settings)
        check(wait_until(lambda: first.probe.ok("focus", settings)
                         == str(SETTINGS_FOLDER_LIST), 5),
              "the focus is not on the folder list when the settings window opens")
        first.check_settings_window(settings)
        # Tab runs top to bottom: the folder box, NEXT STEP, EXIT.
        order = []
        for _ in range(3):
            first.probe.ok("keys", "tab")
            time.sleep(0.3)
            order.append(int(first.probe.ok("focus", settings)))
        check(order == [SETTINGS_FOLDER_BOX, SETTINGS_NEXT_STEP, SETTINGS_EXIT],
              f"Tab from the folder list goes to {order}")
        # Esc does what EXIT does.
        first.probe.ok("keys", "escape")
        check(first.finish() == 0, "Esc did not end the first run")
        check(not (first.base / "quorva_set.cfg").exists(), "EXIT wrote a settings file")

        # A second start in the same folder brings this program's window up and ends.
        run.probe.ok("show", main, "min")
        check(wait_until(lambda: run.probe.ok("iconic", main) == "1", 10), "not minimized")
        second = run.start_another(base)
        check(second.wait(timeout=30) == 0, "the second start did not end")
        check(wait_until(lambda: run.probe.ok("iconic", main) == "0"
                         and run.probe.ok("foreground") == main, 10),
              "the second start did not bring the main window to the front")
        check(run.count("Selecting Aircraft", "QuorvaneMainWindow") == 1,
              "a second main window opened")

        # Nothing selected: REMOVE SELECTED AIRCRAFT can't be pressed, nor Delete act.
        check(run.probe.ok("enabled", control_of(run, main, MAIN_REMOVE)) == "0",
              "REMOVE SELECTED AIRCRAFT is enabled with nothing selected")
        run.probe.ok("activate", main)
        run.probe.ok("keys", "delete")
        run.no_message(2)
        check(run.count("Processing...", "QuorvaneProgressWindow") == 0,
              "a progress window appeared with nothing selected")

        # The keyboard: Ctrl+F and F3 go to Find, Esc clears it, Down moves into the list and
        # selects its first entry, Delete there asks the removal's question (answered No).
        run.probe.ok("keys", "ctrl+f")
        check(wait_until(lambda: run.probe.ok("focus", main) == str(MAIN_FILTER), 10),
              "Ctrl+F did not go to the Find box")
        run.probe.ok("keys", "b")
        check(wait_until(lambda: run.text(main, MAIN_FILTER) != "", 10), "typing did not reach Find")
        run.probe.ok("keys", "escape")
        check(wait_until(lambda: run.text(main, MAIN_FILTER) == "", 10), "Esc did not clear Find")
        # The button and the Find label have access keys (Alt and the underlined letter).
        check(run.text(main, MAIN_REMOVE).startswith("&")
              and "&" in run.text(main, IDS["kMainFindLabel"]),
              "the button or the Find label has no access key")
        run.probe.ok("keys", "tab")
        run.probe.ok("keys", "f3")
        check(wait_until(lambda: run.probe.ok("focus", main) == str(MAIN_FILTER), 10),
              "F3 did not go to the Find box")
        run.probe.ok("keys", "down")
        check(wait_until(lambda: run.probe.ok("focus", main) == str(MAIN_LIST), 10),
              "Down in Find did not move into the list")
        check(wait_until(lambda: run.probe.ok("enabled", control_of(run, main, MAIN_REMOVE))
                         == "1", 10), "REMOVE SELECTED AIRCRAFT is disabled with one selected")
        run.probe.ok("keys", "delete")
        # The window's question names the aircraft on its second line.
        run.press(run.message_naming([CONFIRM_REMOVAL + "\r\nAlpha One"], "Yes,No"), "No")
        run.answer(REMOVAL_CANCELLED, "OK", "OK")

        # Declined: only the cancel notice, the disk untouched.
        run.probe.ok("select", main, MAIN_LIST, 0)
        run.probe.ok("click", main, MAIN_REMOVE)
        run.answer(CONFIRM_REMOVAL + "...", "Yes,No", "No", icon="none")
        run.answer(REMOVAL_CANCELLED, "OK", "OK", icon="icon")
        check((sim / "Aircraft" / "Alpha" / "aircraft.cfg").exists(), "a declined removal moved files")

        # Yes, No to the gauges, then Yes to the reload's sweep.
        run.probe.ok("select", main, MAIN_LIST, 0)
        run.probe.ok("click", main, MAIN_REMOVE)
        run.answer(CONFIRM_REMOVAL + "...", "Yes,No", "Yes")
        gauge_box = run.message(GAUGE_QUESTION_START + "...", "Yes,No", icon="none")
        check(run.count("Processing...", "QuorvaneProgressWindow") == 1,
              "the progress window is not open behind the gauge question")
        run.press(gauge_box, "No")
        run.answer(REMOVAL_DONE, "OK", "OK", icon="icon")
        run.answer(SWEEP_QUESTION, "Yes,No", "Yes")
        check(wait_until(lambda: run.list_items(main) == SIM_TITLES[1:], 20),
              f"after the removal the list holds {run.list_items(main)}")
        check(not (sim / "Aircraft" / "Alpha").exists(), "the aircraft folder is still there")
        check((held / "alpha" / "aircraft.cfg").exists(), "aircraft.cfg was not held")
        check((held / "alpha" / "alpha.air").exists(), "the flight model was not held")
        # Alpha's panel is held with it and still names its gauge: no sweep takes it.
        check((gauges / "AlphaGauge.gau").exists() and not (unused / "AlphaGauge.gau").exists(),
              "the reload's sweep moved the gauge of the held Alpha One")
        check((gauges / "Shared.gau").exists(), "a gauge Bravo still uses was moved")

        find_remove_and_restore(run, main, sim, held)
        titles = SIM_TITLES[1:]

        # An aircraft whose files are gone: the removal stops, and the list follows the disk.
        shutil.rmtree(sim / "Aircraft" / "Delta")
        run.probe.ok("select", main, MAIN_LIST, titles.index("Delta"))
        run.probe.ok("click", main, MAIN_REMOVE)
        run.answer(CONFIRM_REMOVAL + "...", "Yes,No", "Yes")
        run.press(run.message_naming(["could not be read", "Nothing was removed"], "OK"), "OK")
        run.answer(SWEEP_QUESTION, "Yes,No", "No")
        check(wait_until(lambda: run.list_items(main) == titles[:3], 20),
              f"after the stopped removal the list holds {run.list_items(main)}")
        # Every removal, the batch and the restore brought the list up to date without walking
        # the collection again; F5 walks it, and finds what came from outside the program.
        walks = lambda: run.probe.ok("prop", main, "QuorvaneWalks")  # noqa: E731
        check(walks() == "1", f"the list was walked {walks()} times, not once")
        write_crlf(sim / "Aircraft" / "Echo" / "aircraft.cfg", ["[fltsim.0]", "title=Echo"])
        run.probe.ok("activate", main)
        run.probe.ok("keys", "f5")
        run.answer(SWEEP_QUESTION, "Yes,No", "No")
        check(wait_until(lambda: run.list_items(main) == titles[:3] + ["Echo"], 20),
              f"after F5 the list holds {run.list_items(main)}")
        check(walks() == "2", f"F5 walked the list {walks()} times")
        titles = titles[:3] + ["Echo"]
        check_and_hold(run, main, sim, held)

        # The simulator folder changed from the menu: EXIT changes nothing.
        saved = (base / "quorva_set.cfg").read_bytes()
        run.probe.ok("menu", main, MENU_CHANGE_FOLDER)
        settings = run.window("Settings", "QuorvaneSettingsWindow")
        check(run.text(settings, SETTINGS_FOLDER_BOX) == windows_path(sim),
              "the settings window does not show the current folder")
        check(run.probe.ok("checked", settings, SETTINGS_FS2002) == "1",
              "the settings window does not show the current version")
        check(run.probe.ok("enabled", main) == "0", "the main window takes input meanwhile")
        run.check_settings_window(settings)
        run.open_folder(settings, "Aircraft")
        run.probe.ok("click", settings, SETTINGS_EXIT)
        run.probe.ok("gone", settings, 10000)
        check(run.count("Selecting Aircraft", "QuorvaneMainWindow") == 1,
              "EXIT of the settings window closed the program")
        check(wait_until(lambda: run.probe.ok("enabled", main) == "1", 10),
              "the main window takes no input after EXIT")
        check((base / "quorva_set.cfg").read_bytes() == saved, "EXIT changed the settings file")
        check(run.list_items(main) == titles, "EXIT changed the list")

        # NEXT STEP on another folder: the list follows it; input during its load does nothing.
        loaded_in = change_folder_to(run, main, big)
        print(f"    (the large simulator loaded in {loaded_in:.1f} s)", flush=True)
        check((base / "quorva_set.cfg").read_bytes() == windows_path(big).encode("cp1252") +
              b"\r\n3", "the settings file does not name the folder chosen")

        # The About window, asked for twice, is one window.
        run.probe.ok("menu", main, MENU_ABOUT)
        about = run.window("About Quorvane v4.0", "QuorvaneAboutWindow")
        run.probe.ok("menu", main, MENU_ABOUT)
        time.sleep(1)
        check(run.count("About Quorvane v4.0", "QuorvaneAboutWindow") == 1,
              "a second About window opened")
        check(run.text(about, ABOUT_AUTHOR).startswith("Author: "),
              "the About window has no author line")
        run.probe.ok("click", about, ABOUT_OK)
        run.probe.ok("gone", about, 10000)

        # Emptying both holding folders; a close asked for during the second waits for it.
        run.probe.ok("menu", main, MENU_EMPTY_TEMP)
        box = run.message(EMPTY_TEMP_QUESTION, "Yes,No", icon="icon")
        check(run.probe.ok("defbutton", box) == "No", "Enter would empty Temp_Path")
        run.press(box, "Yes")
        run.answer("The Temporaly Folder is now empty", "OK", "OK", icon="icon")
        check(held.is_dir() and not any(held.iterdir()), "Temp_Path is not empty")
        run.probe.ok("menu", main, MENU_EMPTY_UNUSED)
        box = run.message(EMPTY_UNUSED_QUESTION, "Yes,No", icon="icon")
        check(run.probe.ok("defbutton", box) == "No", "Enter would empty Unused Gauges")
        run.probe.ok("close", main)
        time.sleep(0.5)
        check(run.count("Selecting Aircraft", "QuorvaneMainWindow") == 1,
              "the main window closed under a running command")
        run.press(box, "Yes")
        run.answer("The Unused Gauges Folder is now empty", "OK", "OK", icon="icon")
        check(unused.is_dir() and not any(unused.iterdir()), "Unused Gauges is not empty")
        check(run.finish() == 0, "the program did not end when the command was over")
    finally:
        run.kill()
        first.kill()


TESTS = {
    "start_with_the_folder_gone": test_start_with_the_folder_gone,
    "start_without_an_aircraft_folder": test_start_without_an_aircraft_folder,
    "run_with_settings": test_run_with_settings,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("tests", nargs="*", default=list(TESTS))
    args = parser.parse_args()
    args.program = pathlib.Path(args.program).resolve()
    args.probe = pathlib.Path(args.probe).resolve()
    which_or_fail("Xvfb", "wine", "wineserver", "import")

    work = pathlib.Path(args.work).resolve()
    work.mkdir(parents=True, exist_ok=True)
    prefix = work / "wineprefix"
    failed = []
    # Room for the windows at 192 DPI.
    with WineSession(prefix, screen="1600x1200x24") as session:
        # One probe serves every test: it finds the windows of whichever program shows them.
        args.probe_process = Probe(session, args.probe, cwd=work)
        for name in args.tests:
            folder = work / name
            shutil.rmtree(folder, ignore_errors=True)
            folder.mkdir(parents=True)
            started = time.monotonic()
            try:
                TESTS[name](session, args, folder)
                print(f"[  PASSED  ] {name} ({time.monotonic() - started:.1f} s)", flush=True)
            except Exception as error:  # every failure is reported, then the next test runs
                failed.append(name)
                print(f"[  FAILED  ] {name}: {error}", flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
        args.probe_process.close()
    print(f"{len(args.tests) - len(failed)} of {len(args.tests)} GUI tests passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
