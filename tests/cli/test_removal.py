"""quorvane-cli remove and empty: whole removals and emptying on real folders, seen from outside."""
import fcntl
import json
import os
import stat

from clitest import UNDER_WINE, CliTest, main, sim_path

THREE = ("[fltsim.0]\r\ntitle=One\r\nsim=one\r\ntexture=1\r\n"
         "[fltsim.1]\r\ntitle=Two\r\nsim=two\r\ntexture=2\r\n"
         "[fltsim.2]\r\ntitle=Three\r\nsim=one\r\ntexture=3\r\n"
         "[General]\r\natc_type=CESSNA")


class Removal(CliTest):
    def setUp(self):
        super().setUp()
        self.write("FS/Aircraft/Solo/aircraft.cfg",
                   "[fltsim.0]\r\ntitle=Solo\r\nsim=solo\r\npanel=\r\n")
        self.write("FS/Aircraft/Solo/solo.air", "air")
        self.write("FS/Aircraft/Solo/panel/panel.cfg", "[Window00]\r\ngauge00=SoloGauge!a, 1, 2\r\n")
        self.write("FS/Aircraft/Solo/model/solo.mdl", "mdl")
        self.write("FS/Aircraft/Solo/readme.txt", "held with the rest")
        self.write("FS/Aircraft/Trio/aircraft.cfg", THREE)
        for n in ("one", "two"):
            self.write("FS/Aircraft/Trio/%s.air" % n, n)
        for n in ("1", "2", "3"):
            self.write("FS/Aircraft/Trio/texture.%s/t.bmp" % n, n)
        self.write("FS/Gauges/SoloGauge.gau", "g")
        self.write("FS/Gauges/Other.gau", "o")
        self.settings(self.path("FS"))

    def test_the_only_section_goes_with_its_folder_and_its_files_are_held(self):
        r = self.run_cli("--yes", "--gauges", "remove", "#0")
        self.assertEqual(r.status, 0, r.err)
        self.assertFalse(self.exists("FS/Aircraft/Solo"))
        self.assertEqual(self.read("Temp_Path/solo/aircraft.cfg"),
                         b"[fltsim.0]\r\ntitle=Solo\r\nsim=solo\r\npanel=\r\n")
        self.assertEqual(self.read("Temp_Path/solo/solo.air"), b"air")
        self.assertEqual(self.read("Temp_Path/solo/model/solo.mdl"), b"mdl")
        self.assertEqual(self.read("Temp_Path/solo/Gauges/SoloGauge.gau"), b"g")
        self.assertFalse(self.exists("FS/Gauges/SoloGauge.gau"))
        self.assertTrue(self.exists("FS/Gauges/Other.gau"))
        # Everything in the folder is held until the holding folder is emptied.
        self.assertEqual(self.read("Temp_Path/solo/readme.txt"), b"held with the rest")
        steps = r.events("progress: step ")
        # The load before, the removal's seven steps, the reload after.
        self.assertEqual(steps, ["1", "2", "3", "1", "2", "3", "4", "5", "6", "7", "1", "2", "3"])
        self.assertIn("notice: Remove process completed.", r.lines)
        self.assertEqual(r.out, "")

    def test_the_middle_of_three_sections_is_cut_and_the_rest_renumbered(self):
        r = self.run_cli("--yes", "remove", "--title", "Two")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(self.read("Temp_Path/trio/aircraft.cfg"), THREE.encode())
        self.assertEqual(self.read("FS/Aircraft/Trio/aircraft.cfg"),
                         b"[fltsim.0]\r\ntitle=One\r\nsim=one\r\ntexture=1\r\n"
                         b"[fltsim.1]\r\ntitle=Three\r\nsim=one\r\ntexture=3\r\n"
                         b"[General]\r\natc_type=CESSNA")
        self.assertEqual(self.read("Temp_Path/trio/two.air"), b"two")
        self.assertEqual(self.read("Temp_Path/trio/texture.2/t.bmp"), b"2")
        self.assertFalse(self.exists("FS/Aircraft/Trio/texture.2"))
        self.assertTrue(self.exists("FS/Aircraft/Trio/texture.3/t.bmp"))
        self.assertEqual(r.events("progress: step ")[3:10], ["1", "2", "3", "4", "5", "6", "1"])
        self.assertNotIn("question: " + "Do you want to remove also", r.err)

    def test_declining_changes_nothing(self):
        before = sorted(os.walk(self.path("FS")))
        r = self.run_cli("remove", "#0")
        self.assertEqual(r.status, 1)
        self.assertIn("notice: The process was canceled by user.", r.lines)
        self.assertEqual(sorted(os.walk(self.path("FS"))), before)

    def test_an_entry_that_is_not_in_the_list_is_a_usage_error(self):
        for args in (["remove", "#9"], ["remove", "3"], ["remove", "--title", "Nope"], ["remove"]):
            r = self.run_cli("--yes", *args)
            self.assertEqual(r.status, 2, args)
        self.assertTrue(self.exists("FS/Aircraft/Solo/aircraft.cfg"))

    def test_several_entries_go_in_one_batch_with_one_load_after(self):
        r = self.run_cli("--yes", "remove", "--title", "One", "--title", "Three", "#0")
        self.assertEqual(r.status, 0, r.err)
        self.assertIn("question: Confirm to delete the files of the 3 selected aircraft?", r.lines)
        self.assertFalse(self.exists("FS/Aircraft/Solo"))
        self.assertEqual(self.read("FS/Aircraft/Trio/aircraft.cfg"),
                         b"[fltsim.0]\r\ntitle=Two\r\nsim=two\r\ntexture=2\r\n"
                         b"[General]\r\natc_type=CESSNA")
        # The load before and one after.
        self.assertEqual(r.events("progress: range "), ["3", "21", "3"])
        self.assertEqual(len([n for n in os.listdir(self.path("Temp_Path", "trio"))
                              if n.startswith("removal-")]), 2)

    def test_a_dry_run_prints_the_plan_and_changes_nothing(self):
        before = sorted(os.walk(self.path()))
        r = self.run_cli("--yes", "--sweep", "remove", "--dry-run", "--title", "Two")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(sorted(os.walk(self.path())), before)
        self.assertIn("rewrite: ", r.out)
        self.assertIn("texture.2" + ("\\" if UNDER_WINE else "/") + "t.bmp > ", r.out)
        self.assertIn("stays: model, shared with another section", r.out)
        self.assertNotIn("stays: checklist", r.out)
        self.assertIn("answer: no", r.lines)

    def test_another_command_at_work_in_the_folder_stops_this_one(self):
        with open(self.path("quorvane.lock"), "a+") as held:
            fcntl.lockf(held, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0)
            r = self.run_cli("--yes", "remove", "#0")
        self.assertEqual(r.status, 3, r.err)
        self.assertIn("Another Quorvane command is at work", r.err)
        self.assertTrue(self.exists("FS/Aircraft/Solo/aircraft.cfg"))
        # A lock that ended with its process leaves nothing behind.
        self.assertEqual(self.run_cli("--yes", "remove", "#0").status, 0)

    def test_a_file_that_cant_be_deleted_is_reported_with_status_four(self):
        self.write("FS/Aircraft/Solo/texture/t.bmp", "t")
        self.write("FS/Aircraft/Solo/aircraft.cfg",
                   "[fltsim.0]\r\ntitle=Solo\r\nsim=solo\r\n[fltsim.1]\r\ntitle=Solo 2\r\n"
                   "sim=solo\r\ntexture=2\r\n")
        os.chmod(self.path("FS", "Aircraft", "Solo", "texture"), 0o555)
        r = self.run_cli("--yes", "remove", "#0", user="nobody")
        self.assertEqual(r.status, 4, r.err)
        self.assertEqual(len(r.events("warning: ")), 1)
        self.assertIn("t.bmp", r.events("warning: ")[0])
        self.assertNotIn("notice: Remove process completed.", r.lines)
        self.assertEqual(self.read("Temp_Path/solo/texture/t.bmp"), b"t")

    def test_a_read_only_hidden_file_is_held_by_a_normal_user_too(self):
        p = self.write("FS/Aircraft/Solo/notes.txt", "n")
        os.setxattr(p, "user.DOSATTRIB", b"0x2")
        os.chmod(p, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        r = self.run_cli("--yes", "remove", "#0", user="nobody")
        self.assertEqual(r.status, 0, r.err)
        held = self.path("Temp_Path", "solo", "notes.txt")
        self.assertEqual(self.read("Temp_Path/solo/notes.txt"), b"n")
        self.assertEqual(os.getxattr(held, "user.DOSATTRIB"), b"0x2")
        self.assertEqual(os.stat(held).st_mode & 0o222, 0)


class Restore(CliTest):
    def setUp(self):
        super().setUp()
        self.write("FS/Aircraft/Trio/aircraft.cfg", THREE)
        for n in ("one", "two"):
            self.write("FS/Aircraft/Trio/%s.air" % n, n)
        for n in ("1", "2", "3"):
            self.write("FS/Aircraft/Trio/texture.%s/t.bmp" % n, n)
        self.write("FS/Aircraft/Trio/Paint Kit/layers.psd", "psd")
        self.settings(self.path("FS"))

    def tree(self):
        files = {}
        for folder, _, names in os.walk(self.path("FS")):
            for name in names:
                p = os.path.join(folder, name)
                with open(p, "rb") as f:
                    files[os.path.relpath(p, self.path("FS"))] = f.read()
        return files

    def test_held_removals_are_listed_newest_first_and_put_back(self):
        before = self.tree()
        self.assertEqual(self.run_cli("--yes", "remove", "--title", "Two").status, 0)
        self.assertEqual(self.run_cli("--yes", "remove", "--title", "Three").status, 0)
        r = self.run_cli("held", "--json")
        self.assertEqual(r.status, 0, r.err)
        held = json.loads(r.out)
        self.assertEqual([h["title"] for h in held], ["Three", "Two"])
        self.assertTrue(held[0]["folder"].endswith("Trio"))
        self.assertIn(held[1]["id"], self.run_cli("held").out)
        # Declined, or an id that is not held: nothing changes.
        self.assertEqual(self.run_cli("restore", held[0]["id"]).status, 1)
        self.assertEqual(self.run_cli("--yes", "restore", "20000101-000000-000").status, 2)
        # Both in one go: one question naming how many, one closing notice.
        r = self.run_cli("--yes", "restore", held[1]["id"], held[0]["id"])
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual([l for l in r.lines if l.startswith(("question:", "notice:"))][:2],
                         ["question: Do you want to put the 2 selected removals back?",
                          "notice: Restore process completed."])
        after = self.tree()
        cfg = "Aircraft/Trio/aircraft.cfg".replace("/", os.sep)
        self.assertEqual({k: v for k, v in after.items() if k != cfg},
                         {k: v for k, v in before.items() if k != cfg})
        self.assertEqual(after[cfg], THREE.encode())
        self.assertEqual(json.loads(self.run_cli("held", "--json").out), [])


class DeepTree(CliTest):
    """An add-on whose files lie past the 260-character limit of the plain Windows path form
    (Wine doesn't enforce the limit, but the long form the program builds must still be right)."""

    def test_a_tree_past_260_characters_is_listed_removed_held_and_emptied(self):
        package = ("Deep Add-on Package " * 6).strip()
        livery = ("Livery " * 12).strip()
        inner = "texture.%s/%s/t.bmp" % (livery, ("Panel Textures " * 4).strip())
        self.write("FS/Aircraft/Near/aircraft.cfg", "[fltsim.0]\r\ntitle=Near\r\n")
        self.write("FS/Aircraft/%s/aircraft.cfg" % package,
                   "[fltsim.0]\r\ntitle=Deep\r\nsim=deep\r\ntexture=%s\r\n" % livery)
        self.write("FS/Aircraft/%s/deep.air" % package, "air")
        self.write("FS/Aircraft/%s/%s" % (package, inner), "deep")
        self.assertGreater(len(sim_path(self.path("FS/Aircraft", package, inner))), 300)
        self.settings(self.path("FS"))
        r = self.run_cli("list")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(sorted(r.out.splitlines()), ["Deep", "Near"])
        r = self.run_cli("--yes", "remove", "--title", "Deep")
        self.assertEqual(r.status, 0, r.err)
        self.assertFalse(self.exists("FS/Aircraft/" + package))
        self.assertEqual(self.read("Temp_Path/%s/%s" % (package.lower(), inner)), b"deep")
        r = self.run_cli("--yes", "empty", "temp")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(os.listdir(self.path("Temp_Path")), [])


class Emptying(CliTest):
    def setUp(self):
        super().setUp()
        self.settings(self.path("FS"))

    def test_empties_each_holding_folder_and_keeps_it(self):
        self.write("Temp_Path/a/b/c.txt", "c")
        self.write("Temp_Path/top.txt", "t")
        self.write("Unused Gauges/x.gau", "x")
        r = self.run_cli("--yes", "empty", "temp")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(os.listdir(self.path("Temp_Path")), [])
        self.assertIn("notice: The Temporaly Folder is now empty", r.lines)
        self.assertTrue(self.exists("Unused Gauges/x.gau"))
        r = self.run_cli("--yes", "empty", "unused")
        self.assertEqual(r.status, 0, r.err)
        self.assertEqual(os.listdir(self.path("Unused Gauges")), [])

    def test_no_deletes_nothing_and_a_bad_argument_is_a_usage_error(self):
        self.write("Temp_Path/keep.txt", "k")
        self.assertEqual(self.run_cli("empty", "temp").status, 1)
        self.assertTrue(self.exists("Temp_Path/keep.txt"))
        self.assertEqual(self.run_cli("--yes", "empty", "everything").status, 2)

    def test_everything_goes_but_a_link_which_is_named_with_status_four(self):
        self.write("Temp_Path/.hidden/inside.txt", "h")
        self.write("outside/keep.txt", "k")
        os.symlink(self.path("outside"), self.path("Temp_Path", "link"))
        r = self.run_cli("--yes", "empty", "temp")
        self.assertEqual(r.status, 4, r.err)
        warnings = r.events("warning: ")
        self.assertEqual(len(warnings), 1)
        self.assertIn("link", warnings[0])
        self.assertEqual(os.listdir(self.path("Temp_Path")), ["link"])
        self.assertTrue(self.exists("outside/keep.txt"))


if __name__ == "__main__":
    main()
