#!/usr/bin/python3
"""GUI tests: the real quorvane.exe under Wine in a virtual X server, used as a user would use it.
Message boxes are found by their title, their text and buttons are read, and they are answered
by pressing a button; the disk is checked afterwards.

    run_gui_tests.py --program quorvane.exe --probe qv-gui-probe.exe --work FOLDER [TEST...]
"""

import argparse
import pathlib
import shutil
import sys
import time
import traceback

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from wine_session import Probe, WineSession, unescape, wait_until, which_or_fail, windows_path  # noqa: E402

# Control and menu identifiers of src/ui/ControlIds.h.
SETTINGS_NEXT_STEP, SETTINGS_EXIT, SETTINGS_FOLDER_BOX = 301, 302, 312
MAIN_REMOVE, MAIN_LIST = 401, 404
MENU_EMPTY_TEMP, MENU_EMPTY_UNUSED, MENU_ABOUT = 201, 202, 203
ABOUT_OK, ABOUT_AUTHOR = 601, 604

SWEEP_QUESTION = ("Do you want to remove the unused gauges files?. (NOTE: The unused gauges files "
                  "that were removed will going to be saved in the UNUSED GAUGES folder.)")
CONFIRM_REMOVAL = "Confirm to delete the selected aircraft's files?"
GAUGE_QUESTION_START = "Do you want to remove also all the gauges files used by the panel"
REMOVAL_DONE = "Remove process completed."
REMOVAL_CANCELLED = "The process was canceled by user."
EMPTY_TEMP_QUESTION = ("Do you want to delete permanently all the subdirectories and files of the "
                       "TEMP_PATH (Temporaly Folder).")
EMPTY_UNUSED_QUESTION = ("Do you want to delete permanently all the files of the UNUSED GAUGES "
                         "(Unused Gauges Folder).")
SETTINGS_SAVED = "Settings file created successfully!"

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
    gauge), and a gauge file no panel names."""
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
    gauges = sim / "Gauges"
    gauges.mkdir(parents=True)
    for name in ("AlphaGauge.gau", "Shared.gau", "Orphan.gau"):
        (gauges / name).write_bytes(b"gauge")
    return sim


class Run:
    """One run of the program in `base` (its current folder, so its base_dir)."""

    def __init__(self, session, args, base):
        self.session = session
        self.base = base
        base.mkdir(parents=True, exist_ok=True)
        self.program = session.start([args.program], cwd=base)
        self.probe = Probe(session, args.probe, cwd=base)

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

    def answer(self, text, buttons, press, icon=None):
        box = self.message(text, buttons, icon)
        self.probe.ok("press", box, press)
        self.probe.ok("gone", box, 10000)

    def window(self, title, class_name, seconds=WAIT):
        reply = self.probe("wait", title, class_name, int(seconds * 1000))
        check(reply.startswith("ok "), f"window {title!r} did not appear")
        return reply[3:]

    def no_message(self, seconds):
        reply = self.probe("msgbox", int(seconds * 1000))
        check(reply == "error timeout", f"unexpected message box: {reply}")

    def list_items(self, main):
        items = self.probe.ok("items", main, MAIN_LIST)
        return [unescape(i) for i in items.split("\t")] if items else []

    def finish(self, seconds=30):
        self.probe.close()
        try:
            return self.program.wait(timeout=seconds)
        except Exception:
            self.program.kill()
            raise Failure("the program did not end")

    def kill(self):
        self.probe.close()
        if self.program.poll() is None:
            self.program.kill()


def test_first_run_next_step(session, args, work):
    base = work / "first-run"
    run = Run(session, args, base)
    try:
        settings = run.window("Settings", "QuorvaneSettingsWindow")
        check((base / "Temp_Path").is_dir() and (base / "Unused Gauges").is_dir(),
              "the holding folders were not created before the settings window")
        check(run.probe.ok("text", settings, SETTINGS_FOLDER_BOX) == windows_path(base),
              "the folder box does not show the start-up folder")
        check(run.probe.ok("focus", settings) == str(SETTINGS_EXIT),
              "the focus is not on EXIT when the settings window opens")
        run.probe.ok("click", settings, SETTINGS_NEXT_STEP)
        run.answer(SETTINGS_SAVED, "OK", "OK", icon="icon")
        run.answer(SWEEP_QUESTION, "Yes,No", "No", icon="none")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        check(run.probe.ok("count", "Settings", "QuorvaneSettingsWindow") == "0",
              "the settings window is still open beside the main window")
        settings_file = (base / "quorva_set.cfg").read_bytes()
        check(settings_file == windows_path(base).encode("cp1252") + b"\r\n1",
              f"settings file holds {settings_file!r}")
        run.probe.ok("close", main)
        check(run.finish() == 0, "the program did not end cleanly when its last window closed")
    finally:
        run.kill()


def test_first_run_exit(session, args, work):
    base = work / "first-run-exit"
    run = Run(session, args, base)
    try:
        settings = run.window("Settings", "QuorvaneSettingsWindow")
        run.probe.ok("click", settings, SETTINGS_EXIT)
        check(run.finish() == 0, "EXIT did not end the program")
        check(not (base / "quorva_set.cfg").exists(), "EXIT wrote a settings file")
    finally:
        run.kill()


def test_run_with_settings(session, args, work):
    base = work / "with-settings"
    sim = make_simulator(work / "sim")
    base.mkdir(parents=True)
    (base / "quorva_set.cfg").write_bytes(windows_path(sim).encode("cp1252") + b"\r\n3")
    gauges, held, unused = sim / "Gauges", base / "Temp_Path", base / "Unused Gauges"

    run = Run(session, args, base)
    try:
        # The splash window stands for about 3 s before the load's progress window comes.
        run.window("Quorvane v4.0", "QuorvaneSplashWindow")
        splash_seen = time.monotonic()
        run.window("Processing...", "QuorvaneProgressWindow")
        shown_for = time.monotonic() - splash_seen
        check(2.0 <= shown_for <= 8.0, f"the splash window stood for {shown_for:.1f} s")
        run.answer(SWEEP_QUESTION, "Yes,No", "Yes", icon="none")
        main = run.window("Selecting Aircraft", "QuorvaneMainWindow")
        check(run.list_items(main) == ["Alpha One", "Bravo Red", "Bravo Blue"],
              f"list holds {run.list_items(main)}")
        check((unused / "Orphan.gau").exists() and not (gauges / "Orphan.gau").exists(),
              "the sweep did not move the unused gauge")
        check(run.probe.ok("focus", main) == str(MAIN_REMOVE),
              "the focus is not on REMOVE SELECTED AIRCRAFT")

        # Nothing selected: the button shows nothing at all.
        run.probe.ok("click", main, MAIN_REMOVE)
        run.no_message(2)
        check(run.probe.ok("count", "Processing...", "QuorvaneProgressWindow") == "0",
              "a progress window appeared with nothing selected")

        # Declined: only the cancel notice, the disk untouched.
        run.probe.ok("select", main, MAIN_LIST, 0)
        run.probe.ok("click", main, MAIN_REMOVE)
        run.answer(CONFIRM_REMOVAL, "Yes,No", "No", icon="none")
        run.answer(REMOVAL_CANCELLED, "OK", "OK", icon="icon")
        check((sim / "Aircraft" / "Alpha" / "aircraft.cfg").exists(), "a declined removal moved files")

        # Yes, No to the gauges, then Yes to the reload's sweep.
        run.probe.ok("select", main, MAIN_LIST, 0)
        run.probe.ok("click", main, MAIN_REMOVE)
        run.answer(CONFIRM_REMOVAL, "Yes,No", "Yes")
        gauge_box = run.message(GAUGE_QUESTION_START + "...", "Yes,No", icon="none")
        check(run.probe.ok("count", "Processing...", "QuorvaneProgressWindow") == "1",
              "the progress window is not open behind the gauge question")
        run.probe.ok("press", gauge_box, "No")
        run.probe.ok("gone", gauge_box, 10000)
        run.answer(REMOVAL_DONE, "OK", "OK", icon="icon")
        run.answer(SWEEP_QUESTION, "Yes,No", "Yes")
        check(wait_until(lambda: run.list_items(main) == ["Bravo Red", "Bravo Blue"], 20),
              f"after the removal the list holds {run.list_items(main)}")
        check(not (sim / "Aircraft" / "Alpha").exists(), "the aircraft folder is still there")
        check((held / "alpha" / "aircraft.cfg").exists(), "aircraft.cfg was not held")
        check((held / "alpha" / "alpha.air").exists(), "the flight model was not held")
        check((unused / "AlphaGauge.gau").exists() and not (gauges / "AlphaGauge.gau").exists(),
              "the reload's sweep did not move the gauge only Alpha used")
        check((gauges / "Shared.gau").exists(), "a gauge Bravo still uses was moved")

        # Emptying both holding folders.
        run.probe.ok("menu", main, MENU_EMPTY_TEMP)
        run.answer(EMPTY_TEMP_QUESTION, "Yes,No", "Yes", icon="none")
        run.answer("The Temporaly Folder is now empty", "OK", "OK", icon="icon")
        check(held.is_dir() and not any(held.iterdir()), "Temp_Path is not empty")
        run.probe.ok("menu", main, MENU_EMPTY_UNUSED)
        run.answer(EMPTY_UNUSED_QUESTION, "Yes,No", "Yes", icon="none")
        run.answer("The Unused Gauges Folder is now empty", "OK", "OK", icon="icon")
        check(unused.is_dir() and not any(unused.iterdir()), "Unused Gauges is not empty")

        # The About window, asked for twice, is one window.
        run.probe.ok("menu", main, MENU_ABOUT)
        about = run.window("About Quorvane v4.0", "QuorvaneAboutWindow")
        run.probe.ok("menu", main, MENU_ABOUT)
        time.sleep(1)
        check(run.probe.ok("count", "About Quorvane v4.0", "QuorvaneAboutWindow") == "1",
              "a second About window opened")
        check(run.probe.ok("text", about, ABOUT_AUTHOR).startswith("Author: "),
              "the About window has no author line")
        run.probe.ok("click", about, ABOUT_OK)
        run.probe.ok("gone", about, 10000)

        run.probe.ok("close", main)
        check(run.finish() == 0, "the program did not end when the main window closed")
    finally:
        run.kill()


TESTS = {
    "first_run_next_step": test_first_run_next_step,
    "first_run_exit": test_first_run_exit,
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
    which_or_fail("Xvfb", "wine", "wineserver")

    work = pathlib.Path(args.work).resolve()
    prefix = work.parent / "gui-wineprefix"
    failed = []
    with WineSession(prefix) as session:
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
    print(f"{len(args.tests) - len(failed)} of {len(args.tests)} GUI tests passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
