"""Two quorvane-cli removals of different sections of one aircraft.cfg started together: one works,
the other says another command is at work and changes nothing; no section is ever lost."""
import os
import subprocess

from clitest import CLI, RUNNER, UNDER_WINE, CliTest, main

ROUNDS = 5 if UNDER_WINE else 40
THREE = ("[fltsim.0]\r\ntitle=One\r\ntexture=1\r\n"
         "[fltsim.1]\r\ntitle=Two\r\ntexture=2\r\n"
         "[fltsim.2]\r\ntitle=Three\r\ntexture=3\r\n")


class Races(CliTest):
    def test_two_removals_at_once_never_lose_a_section(self):
        self.settings(self.path("FS"))
        lost = 0
        for round_number in range(ROUNDS):
            with self.subTest(round=round_number):
                self._remove(self.path("FS"))
                self._remove(self.path("Temp_Path"))
                os.makedirs(self.path("Temp_Path"))
                self.write("FS/Aircraft/Trio/aircraft.cfg", THREE)
                for n in ("1", "2", "3"):
                    self.write("FS/Aircraft/Trio/texture.%s/t.bmp" % n, n)
                runs = {}
                for title in ("One", "Three"):
                    cmd = ([RUNNER] if RUNNER else []) + [CLI, "--yes", "remove", "--title", title]
                    runs[title] = subprocess.Popen(cmd, cwd=self.base, stdin=subprocess.DEVNULL,
                                                   stdout=subprocess.DEVNULL,
                                                   stderr=subprocess.PIPE)
                statuses = {t: (p.wait(), p.stderr.read().decode()) for t, p in runs.items()}
                cfg = self.read("FS/Aircraft/Trio/aircraft.cfg").decode()
                self.assertIn("title=Two", cfg)
                for title, texture in (("One", "1"), ("Three", "3")):
                    status, err = statuses[title]
                    self.assertIn(status, (0, 3), err)
                    present = "title=%s\r\n" % title in cfg or cfg.endswith("title=" + title)
                    in_place = self.exists("FS/Aircraft/Trio/texture.%s/t.bmp" % texture)
                    held = self.exists("Temp_Path/trio/texture.%s/t.bmp" % texture)
                    if status == 0:
                        lost += present or in_place or not held
                    else:
                        self.assertIn("another quorvane command is at work", err.lower())
                        lost += not present or not in_place or held
        print("race rounds: %d, sections lost: %d" % (ROUNDS, lost))
        self.assertEqual(lost, 0)


if __name__ == "__main__":
    main()
