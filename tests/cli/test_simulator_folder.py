"""quorvane-cli and the simulator folder of its settings file: a folder that is gone stops the
commands that need it, one without an Aircraft folder is named in a warning, and on Linux a
settings file that the program saved under Wine names the same folder."""
import json
import os
import shutil
import unittest

from clitest import CliTest, UNDER_WINE, main, sim_path

CFG = "[fltsim.0]\r\ntitle=Alpha\r\nsim=alpha\r\n"


class MainFolderChecks(CliTest):
    def setUp(self):
        super().setUp()
        self.write("FS/Aircraft/Alpha/aircraft.cfg", CFG)

    def test_a_main_folder_that_is_gone_stops_list_dump_and_remove(self):
        self.settings(self.path("FS"))
        shutil.rmtree(self.path("FS"))
        for cmd in (["list"], ["dump"], ["--yes", "remove", "#0"], ["remove", "--dry-run", "#0"]):
            r = self.run_cli(*cmd)
            self.assertEqual(r.status, 3, cmd)
            self.assertEqual(r.out, "", cmd)
            self.assertEqual(len(r.lines), 1, r.err)
            self.assertTrue(r.lines[0].startswith("error: "), r.err)
            self.assertIn(sim_path(self.path("FS")) + " does not exist", r.lines[0])
        # The holding folders don't need the simulator.
        r = self.run_cli("--yes", "empty", "temp")
        self.assertEqual(r.status, 0, r.err)

    def test_a_main_folder_without_an_aircraft_folder_is_named_and_the_command_goes_on(self):
        # The Aircraft folder itself chosen as the main folder: the whole folder is walked.
        r = self.run_cli("settings", sim_path(self.path("FS", "Aircraft")), "3")
        self.assertEqual(r.status, 0, r.err)
        warning = r.events("warning: ")
        self.assertEqual(len(warning), 1, r.err)
        self.assertIn(sim_path(self.path("FS", "Aircraft")) + " holds no Aircraft folder",
                      warning[0])
        r = self.run_cli("list")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(r.events("warning: "), warning)
        self.assertEqual(r.out.splitlines(), ["Alpha"])


@unittest.skipIf(UNDER_WINE, "the Windows build reads the folder as Windows names it")
class SettingsSavedUnderWine(CliTest):
    def saved(self, folder):
        self.write("quorva_set.cfg", folder.encode("cp1252") + b"\r\n3")

    def test_drive_z_is_the_linux_root_and_every_printed_path_uses_slashes(self):
        self.write("FS/Aircraft/Alpha/aircraft.cfg", CFG)
        self.write("FS/Aircraft/Alpha/panel/panel.cfg", "[Window00]\r\ngauge00=a!b, 1, 2\r\n")
        self.saved("Z:" + self.path("FS").replace("/", "\\"))
        r = self.run_cli("dump")
        self.assertEqual(r.status, 0, r.err)
        d = json.loads(r.out)
        self.assertEqual(d["list"], ["Alpha"])
        self.assertEqual(d["aircraft"][0]["folder"], self.path("FS", "Aircraft", "Alpha"))
        self.assertEqual(d["panels"][0]["folder"], self.path("FS", "Aircraft", "Alpha", "panel"))
        r = self.run_cli("remove", "--dry-run", "#0")
        self.assertEqual(r.status, 0, r.err)
        self.assertIn("aircraft folder: " + self.path("FS", "Aircraft", "Alpha") + "\n", r.out)
        self.assertNotIn("\\", r.out)
        shutil.rmtree(self.path("FS"))
        r = self.run_cli("list")
        self.assertEqual(r.status, 3)
        self.assertNotIn("\\", r.err)

    def test_another_drive_goes_through_the_wine_prefix_and_an_unmapped_one_is_named(self):
        self.write("prefix/drive_c/Games/FS/Aircraft/Alpha/aircraft.cfg", CFG)
        os.makedirs(self.path("prefix", "dosdevices"))
        os.symlink("../drive_c", self.path("prefix", "dosdevices", "c:"))
        env = {"WINEPREFIX": self.path("prefix")}
        self.saved("C:\\Games\\FS")
        r = self.run_cli("list", env=env)
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(r.out.splitlines(), ["Alpha"])
        self.saved("D:\\FS")
        r = self.run_cli("list", env=env)
        self.assertEqual(r.status, 3)
        self.assertEqual(len(r.events("error: ")), 1, r.err)
        self.assertIn("drive D:", r.events("error: ")[0])


if __name__ == "__main__":
    main()
