"""A day of use, as a hostile user and a broken machine would have it: random sequences of
removals, batches, restores, sweeps, holds of what the collection check finds wasted, emptyings
and switches of the simulator folder, some of them
killed at a random moment (in the middle of copying a large file, too), on generated trees.

After every step: each file that ever left a simulator is in a simulator, in a holding folder, or
was deleted by an emptying the user confirmed; nothing outside the simulators and the working
folder changed; the aircraft list is what the aircraft.cfg files on the disk hold; and after a
command that ran to its end no temporary file and no unfinished removal is left.

QV_SEQUENCE_STEPS sets the number of steps (300 natively, 30 under Wine); QV_SEQUENCE_SEED the seed.
"""
import collections
import json
import os
import random
import re
import signal
import subprocess
import time

from clitest import CLI, RUNNER, UNDER_WINE, CliTest, main, sim_path

STEPS = int(os.environ.get("QV_SEQUENCE_STEPS", 30 if UNDER_WINE else 300))
SEED = int(os.environ.get("QV_SEQUENCE_SEED", 19))
# Large enough that a kill lands inside its copy now and then.
BIG = (2 if UNDER_WINE else 8) << 20
HEAD = 64  # a file is known by its first bytes, which name it, and its size


class World:
    """Two simulators, a folder outside them that links point into, and a working folder."""

    def __init__(self, test, rng):
        self.t = test
        self.rng = rng
        self.serial = 0
        self.installed = 0

    def unique(self, what, size=None):
        self.serial += 1
        head = ("%s #%d " % (what, self.serial)).encode().ljust(HEAD, b".")
        if size is None:
            return head + b"\r\n"
        return head + bytes(size - len(head))

    def cfg(self, sections):
        text = ""
        for i, s in enumerate(sections):
            text += "[fltsim.%d]\r\ntitle=%s\r\n" % (i, s["title"])
            for key in ("sim", "model", "panel", "sound", "texture"):
                if key in s:
                    text += "%s=%s\r\n" % (key, s[key])
            text += "\r\n"
        return text + "[General]\r\natc_type=TEST\r\n"

    def make_simulator(self, name, aircraft):
        t = self.t
        for g in ("Shared", "Lonely", "Spare%d" % self.serial):
            t.write("%s/Gauges/%s.gau" % (name, g), self.unique(name + " gauge " + g))
        for n in range(aircraft):
            self.install(name, n)

    def install(self, name, n):
        """Aircraft number `n` of the simulator `name`, downloaded anew."""
        t = self.t
        if True:
            folder = "%s/Aircraft/Plane%02d" % (name, n)
            if os.path.lexists(t.path(*folder.split("/"))):
                folder += "-%d" % self.serial
            kind = n % 5
            if kind == 0:
                sections = [{"title": "%s Single %d" % (name, n), "sim": "p", "texture": ""}]
            elif kind == 1:
                sections = [{"title": "%s Family %d %s" % (name, n, c), "sim": "p",
                             "texture": c} for c in ("red", "blue", "green")]
            elif kind == 2:
                sections = [{"title": "%s Panel %d" % (name, n), "sim": "p", "panel": ""},
                            {"title": "%s Panel %d B" % (name, n), "sim": "p", "panel": "b"}]
            elif kind == 3:
                sections = [{"title": "%s Big %d" % (name, n), "sim": "p", "texture": "big"}]
            else:
                sections = [{"title": "%s Alias %d" % (name, n), "sim": "p"}]
            t.write(folder + "/aircraft.cfg", self.cfg(sections))
            t.write(folder + "/p.air", self.unique(folder + " air"))
            t.write(folder + "/model/m.mdl", self.unique(folder + " mdl"))
            t.write(folder + "/readme.txt", self.unique(folder + " readme"))
            for s in sections:
                if s.get("texture"):
                    tex = folder + "/texture." + s["texture"]
                    t.write(tex + "/t.bmp", self.unique(tex))
                    if s["texture"] == "big":
                        t.write(tex + "/big.bmp", self.unique(tex + " big", BIG))
                elif "texture" in s:
                    t.write(folder + "/texture/t.bmp", self.unique(folder + " texture"))
            if kind == 2:
                t.write(folder + "/panel/panel.cfg",
                        "gauge00=Shared!a, 1, 1\r\ngauge01=Own%d!b, 2, 2\r\n" % n)
                t.write(folder + "/panel.b/panel.cfg", "gauge00=Lonely!c, 1, 1\r\n")
                t.write("%s/Gauges/Own%d.gau" % (name, n), self.unique(name + " own gauge"))
            # Repaints removed by hand long ago, and a paint kit with no aircraft: what a hold
            # takes (a large one now and then, so that a kill lands inside its copy).
            if n % 3 == 0:
                old = folder + "/texture.old"
                t.write(old + "/old.bmp", self.unique(old, BIG if n % 6 == 0 else None))
            if n % 4 == 1:
                t.write("%s/Aircraft/Kit%02d-%d/readme.txt" % (name, n, self.serial),
                        self.unique(name + " kit"))
            if kind == 4:
                t.write(folder + "/panel/panel.cfg", "[fltsim]\r\nalias=Plane02/panel\r\n")
                # A link inside the aircraft's folder, into the folder outside: left as it is.
                if not UNDER_WINE:
                    os.symlink(t.path("Outside"), t.path(*(folder + "/texture").split("/")))
        self.installed += 1


def identity(path):
    with open(path, "rb") as f:
        return f.read(HEAD), os.path.getsize(path)


def files_below(root, follow=False):
    """Relative path -> identity of every file below `root` (links not entered)."""
    out = {}
    for folder, dirs, names in os.walk(root, followlinks=follow):
        dirs[:] = [d for d in dirs if not os.path.islink(os.path.join(folder, d))]
        for name in names:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                continue
            out[os.path.relpath(path, root)] = identity(path)
    return out


def titles_on_disk(root):
    titles = collections.Counter()
    for folder, dirs, names in os.walk(os.path.join(root, "Aircraft")):
        for name in names:
            if name.lower() != "aircraft.cfg":
                continue
            with open(os.path.join(folder, name), "rb") as f:
                text = f.read().decode("cp1252")
            section = False
            for line in re.split(r"\r\n|\r|\n", text):
                if line.strip().startswith("["):
                    section = line.strip().lower().startswith("[fltsim")
                elif section and line.lower().startswith("title="):
                    titles[line[6:].strip()] += 1
                    section = False
    return titles


class Sequences(CliTest):
    def test_a_day_of_use_loses_nothing_and_touches_nothing_outside(self):
        rng = random.Random(SEED)
        world = World(self, rng)
        self.write("Outside/keep.txt", world.unique("outside"))
        self.write("Outside/t.bmp", world.unique("outside texture"))
        world.make_simulator("FSA", 10)
        world.make_simulator("FSB", 5)
        outside = files_below(self.path("Outside"))
        self.work = self.path("Work")
        os.makedirs(self.work)
        current = "FSA"
        self.settings_to(current)
        seen = {}       # identity -> where first seen
        released = set()  # identities an emptying the user confirmed may have deleted
        durations = collections.defaultdict(lambda: 0.5)
        counts = collections.Counter()

        def look():
            places = collections.Counter()
            for where in ("FSA", "FSB"):
                for rel, ident in files_below(self.path(where)).items():
                    # Configuration files change by design; a temporary file a kill left is the
                    # program's own, and the next command takes it away.
                    if (rel.lower().endswith("aircraft.cfg") or rel.lower().endswith("panel.cfg")
                            or ".qvtmp-" in rel):
                        continue
                    seen.setdefault(ident, where + "/" + rel)
                    places[ident] += 1
            for where in ("Temp_Path", "Unused Gauges"):
                for rel, ident in files_below(os.path.join(self.work, where)).items():
                    if ".qvtmp-" not in rel:
                        places[ident] += 1
            return places

        look()
        last_listing = self.listed()
        for step in range(STEPS):
            kill = rng.random() < 0.2
            action = rng.choice(["remove"] * 3 + ["batch"] * 2 + ["restore"] * 3 +
                                ["hold"] * 2 + ["sweep", "empty temp", "empty unused", "switch"])
            # The list the last step's check read is the list the user sees.
            shown = last_listing
            if action in ("remove", "batch") and shown is None:
                shown = self.listed()
            if action in ("remove", "batch") and len(shown) < 6:
                # A collection never runs dry: the user downloads more.
                world.install(current, world.installed)
                counts["install"] += 1
                shown = self.listed()
            args = self.arguments(action, current, rng, len(shown or []))
            if args is None:
                continue
            if action == "switch":
                current = "FSB" if current == "FSA" else "FSA"
                self.settings_to(current)
                counts["switch"] += 1
                last_listing = self.listed()
                continue
            if action.startswith("empty"):
                folder = "Temp_Path" if action == "empty temp" else "Unused Gauges"
                for ident in files_below(os.path.join(self.work, folder)).values():
                    released.add(ident)
            with self.subTest(step=step, action=action, kill=kill, args=args):
                started = time.monotonic()
                status, said = self.run_step(args, kill, rng.uniform(0, durations[action]))
                if status is not None:
                    durations[action] = max(durations[action], time.monotonic() - started)
                counts[action + (" killed" if kill and status is None else "")] += 1
                places = look()
                lost = [where for ident, where in seen.items()
                        if places[ident] == 0 and ident not in released]
                self.assertEqual(lost, [], "files lost after %s" % args)
                self.assertEqual(files_below(self.path("Outside")), outside,
                                 "the folder outside the simulators changed")
                # A command run to its end leaves no temporary file and nothing unfinished, but
                # for the removals of the other simulator, which wait for it.
                waiting = "stays unfinished until the settings" in said
                if status is not None and not waiting:
                    self.assertIn(status, (0, 1, 3, 4), said)
                    self.assertEqual(self.temporary_files(), [], said)
                    self.assertEqual(self.pending(), [], said)
                # The list is what the disk holds: read by a command, which finishes what a
                # killed one left (the settings name the simulator it was for, or it waits).
                # After every kill, and every fourth step otherwise: the next step's command
                # finishes what was left all the same.
                if status is not None and step % 4:
                    last_listing = None
                    continue
                listed = self.cli("list")
                self.assertEqual(listed.returncode, 0, listed.stderr)
                last_listing = [l for l in listed.stdout.decode("utf-8").split("\n") if l]
                self.assertEqual(collections.Counter(last_listing),
                                 titles_on_disk(self.path(current)))
        print("\n    %d steps: %s; %d files seen, 0 lost, 0 changes outside" %
              (STEPS, dict(sorted(counts.items())), len(seen)), flush=True)
        self.assertGreater(counts["restore"] + counts["restore killed"], 0)
        self.assertGreater(counts["hold"] + counts["hold killed"], 0)

    # --- the steps

    def arguments(self, action, current, rng, shown):
        if action in ("remove", "batch"):
            entries = list(range(shown))
            if not entries:
                return None
            picked = rng.sample(entries, min(len(entries), 1 if action == "remove" else 3))
            flags = ["--yes"] + (["--gauges"] if rng.random() < 0.5 else []) + \
                (["--sweep"] if rng.random() < 0.3 else [])
            return flags + ["remove"] + ["#%d" % i for i in picked]
        if action == "restore":
            held = json.loads(self.cli("held", "--json").stdout.decode("utf-8") or "[]")
            if not held:
                return None
            # Now and then two in one go.
            picked = rng.sample(held, min(len(held), rng.choice([1, 1, 2])))
            return ["--yes", "restore"] + [h["id"] for h in picked]
        if action == "hold":
            report = json.loads(self.cli("check", "--json").stdout.decode("utf-8") or "{}")
            wasted = [w["folder"] for group in ("unused_folders", "without_aircraft")
                      for w in report.get(group, [])]
            if not wasted:
                return None
            return ["--yes", "hold"] + rng.sample(wasted, min(len(wasted), rng.choice([1, 2])))
        if action == "sweep":
            return ["--sweep", "list"]
        if action.startswith("empty"):
            return ["--yes", "empty", action.split()[1]]
        return ["switch"]

    def listed(self):
        return [l for l in self.cli("list").stdout.decode("utf-8").split("\n") if l]

    def run_step(self, args, kill, delay):
        """Runs the command; with `kill`, kills it after `delay` seconds. Its exit status (None
        when it was killed before it ended) and what it said."""
        cmd = ([RUNNER] if RUNNER else []) + [CLI] + args
        proc = subprocess.Popen(cmd, cwd=self.work, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                start_new_session=True)
        try:
            _, err = proc.communicate(timeout=delay if kill else 300)
            return proc.returncode, err.decode("utf-8", "replace")
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.communicate()
            return None, ""

    def cli(self, *args):
        cmd = ([RUNNER] if RUNNER else []) + [CLI] + list(args)
        return subprocess.run(cmd, cwd=self.work, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)

    def settings_to(self, sim):
        r = self.cli("settings", sim_path(self.path(sim)), "3")
        self.assertEqual(r.returncode, 0, r.stderr)

    def temporary_files(self):
        found = []
        for root in (self.path("FSA"), self.path("FSB"), self.work):
            for folder, dirs, names in os.walk(root):
                found += [os.path.join(folder, n) for n in names if ".qvtmp-" in n]
        return found

    def pending(self):
        temp = os.path.join(self.work, "Temp_Path")
        return [n for n in os.listdir(temp) if n.startswith("pending-")] if os.path.isdir(
            temp) else []


if __name__ == "__main__":
    main()
