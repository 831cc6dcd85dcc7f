"""A virtual X server and a Wine prefix of their own, for running the Windows program where no
display exists: used by the GUI tests and by tools/screenshot."""

import os
import pathlib
import re
import shutil
import subprocess
import time


def windows_path(path):
    """The path a Windows program under Wine sees for a Linux path (the Z: drive)."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


class WineSession:
    def __init__(self, prefix, screen="1024x768x24"):
        self.prefix = pathlib.Path(prefix).resolve()
        self.screen = screen
        self.xvfb = None
        self.env = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten",
             "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ)
        # Wine through the project's wrapper (see tools/wine-bin/wine-stable).
        wrappers = str(pathlib.Path(__file__).resolve().parent / "wine-bin")
        if not self.env.get("PATH", "").startswith(wrappers):
            self.env["PATH"] = wrappers + os.pathsep + self.env.get("PATH", "")
        self.env.update({
            "DISPLAY": ":" + number,
            "WINEPREFIX": str(self.prefix),
            "WINEARCH": "win64",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree=;mshtml=",
            # Another locale would switch Wine's ANSI code page away from Windows-1252.
            "LC_ALL": "C.UTF-8",
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        if not (self.prefix / "system.reg").exists():
            self.prefix.mkdir(parents=True, exist_ok=True)
            subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)
            subprocess.run(["wineserver", "-w"], env=self.env, check=False)
        self.install_fonts()
        subprocess.run(["wineserver", "-p30"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        return self

    def install_fonts(self):
        """Marlett draws the title bar's buttons: without it Wine writes their letters ("0 1
        r"). The loader this project runs Wine through does not find Wine's own font folder, so
        the font goes into the prefix's Fonts folder, where every Windows program looks."""
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        for name in ("marlett.ttf",):
            source = pathlib.Path("/usr/share/wine/fonts") / name
            if source.exists() and fonts.is_dir() and not (fonts / name).exists():
                shutil.copyfile(source, fonts / name)

    def map_drive(self, letter, folder):
        """Drive `letter` of the prefix shows `folder`, as a simulator on D: would be seen."""
        link = self.prefix / "dosdevices" / f"{letter.lower()}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(pathlib.Path(folder).resolve())

    def __exit__(self, *exc):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait(timeout=10)
        return False

    def start(self, args, cwd, **kwargs):
        return subprocess.Popen(["wine", *map(str, args)], cwd=cwd, env=self.env, **kwargs)

    def screenshot(self, target):
        subprocess.run(["import", "-window", "root", str(target)], env=self.env, check=True)


class Probe:
    """The qv-gui-probe helper, kept running: one command line in, one reply line out."""

    def __init__(self, session, probe_exe, cwd, launcher=()):
        self.process = session.start([*launcher, probe_exe], cwd=cwd, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True, encoding="utf-8")

    def __call__(self, *fields):
        self.process.stdin.write("\t".join(map(str, fields)) + "\n")
        self.process.stdin.flush()
        reply = self.process.stdout.readline().rstrip("\n")
        if not reply:
            raise RuntimeError("the probe stopped")
        return reply

    def ok(self, *fields):
        reply = self(*fields)
        if not reply.startswith("ok"):
            raise AssertionError(f"{' '.join(map(str, fields))}: {reply}")
        return reply[3:]

    def close(self):
        try:
            self.process.stdin.write("quit\n")
            self.process.stdin.flush()
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()


def unescape(text):
    """A text of the probe's reply: "\\r", "\\n", "\\t" and a doubled backslash stand for
    themselves."""
    return re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n", "t": "\t"}.get(m[1], m[1]), text)


def control_ids():
    """The windows' control and menu identifiers, read from the header that defines them."""
    header = pathlib.Path(__file__).resolve().parents[1] / "src" / "ui" / "ControlIds.h"
    return {name: int(value) for name, value in re.findall(
        r"inline constexpr int (k\w+) = (\d+);", header.read_text())}


def which_or_fail(*names):
    missing = [n for n in names if shutil.which(n) is None]
    if missing:
        raise RuntimeError("missing programs: " + ", ".join(missing))


def wait_until(test, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if test():
            return True
        time.sleep(step)
    return test()
