"""quorvane-cli killed in the middle of removals of thousands of files: the next command that
changes the disk finishes what the killed one began, and every file is accounted for."""
import os
import random
import signal
import subprocess
import time

from clitest import RUNNER, UNDER_WINE, CLI, CliTest, main

# Natively ten kills a run (QV_KILL_ROUNDS asks for more; the test command makes two runs with other
# QV_KILL_SEEDs); under Wine, where each round costs ten times as much, two show that the Windows
# program's records and locks survive a kill the same way.
FILES = 1000 if UNDER_WINE else 2000
ROUNDS = int(os.environ.get("QV_KILL_ROUNDS", 2 if UNDER_WINE else 10))


def snapshot(root):
    """Every file below `root`, relative path to bytes."""
    files = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, root)] = f.read()
    return files


class Interruptions(CliTest):
    def make_tree(self):
        self.write("FS/Aircraft/Big/aircraft.cfg",
                   "[fltsim.0]\r\ntitle=Big\r\nsim=big\r\ntexture=\r\n")
        self.write("FS/Aircraft/Big/big.air", "air")
        texture = self.path("FS", "Aircraft", "Big", "texture")
        os.makedirs(texture, exist_ok=True)
        for i in range(FILES):
            with open(os.path.join(texture, "t%04d.bmp" % i), "wb") as f:
                f.write(b"texture %d" % i)
        self.write("FS/Aircraft/Keep/aircraft.cfg", "[fltsim.0]\r\ntitle=Keep\r\n")
        # The removal puts its copies on the disk; the tree made just now would go with them.
        os.sync()

    def test_every_killed_removal_is_finished_or_undone_with_nothing_lost(self):
        self.settings(self.path("FS"))
        self.make_tree()
        before = snapshot(self.path("FS"))
        start = time.monotonic()
        self.assertEqual(self.run_cli("--yes", "remove", "--title", "Big").status, 0)
        took = time.monotonic() - start
        after = snapshot(self.path("FS"))
        rng = random.Random(int(os.environ.get("QV_KILL_SEED", 2002)))
        for round_number in range(ROUNDS):
            with self.subTest(round=round_number):
                self.clear()
                self.make_tree()
                cmd = ([RUNNER] if RUNNER else []) + [CLI, "--yes", "remove", "--title", "Big"]
                proc = subprocess.Popen(cmd, cwd=self.base, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
                time.sleep(rng.uniform(0.05, took))
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait()
                # The next command that changes the disk finishes the removal first.
                r = self.run_cli("--yes", "empty", "unused")
                self.assertEqual(r.status, 0, r.err)
                now = snapshot(self.path("FS"))
                self.assertIn(now, (before, after))
                held = sorted(snapshot(self.path("Temp_Path")).values())
                gone = sorted(v for k, v in before.items() if now.get(k) != v)
                for data in gone:
                    self.assertIn(data, held)
                self.assertEqual([n for n in os.listdir(self.path("Temp_Path"))
                                  if n.startswith("pending-")], [])
                for folder, _, names in os.walk(self.base):
                    self.assertEqual([n for n in names if ".qvtmp-" in n], [], folder)

    def clear(self):
        for name in ("FS", "Temp_Path"):
            self._remove(self.path(name))
        os.makedirs(self.path("Temp_Path"))


if __name__ == "__main__":
    main()
