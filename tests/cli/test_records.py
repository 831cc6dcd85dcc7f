"""quorvane-cli and the records it keeps: reading commands that finish what a killed command
left, records edited by hand, and titles that would act on a terminal."""
import os

from clitest import UNDER_WINE, CliTest, main


class Records(CliTest):
    def setUp(self):
        super().setUp()
        self.write("FS/Aircraft/Solo/aircraft.cfg",
                   "[fltsim.0]\r\ntitle=Solo\x1b[2J\x07 Bell\r\nsim=solo\r\n")
        self.write("FS/Aircraft/Solo/solo.air", "air")
        self.write("FS/Aircraft/Duo/aircraft.cfg",
                   "[fltsim.0]\r\ntitle=Duo A\r\ntexture=a\r\n\r\n"
                   "[fltsim.1]\r\ntitle=Duo B\r\ntexture=b\r\n")
        self.write("FS/Aircraft/Duo/texture.b/b.bmp", "b")
        self.write("FS/Gauges/g.gau", "g")
        self.settings(self.path("FS"))

    def record(self, holding="duo"):
        for folder, _, names in os.walk(self.path("Temp_Path", holding)):
            for name in names:
                if name.startswith("removal-"):
                    return os.path.join(folder, name)
        self.fail("no record")

    def test_titles_are_shown_without_their_control_characters(self):
        r = self.run_cli("list")
        self.assertIn("Solo\\x1b[2J\\x07 Bell", r.out)
        self.assertNotIn("\x1b", r.out + r.err)
        r = self.run_cli("--yes", "remove", "--title", "Solo\x1b[2J\x07 Bell")
        self.assertEqual(r.status, 0, r.err)
        r = self.run_cli("held")
        self.assertIn("Solo\\x1b[2J\\x07 Bell", r.out)
        self.assertNotIn("\x07", r.out + r.err)

    def test_held_names_records_it_cannot_read_and_list_finishes_what_was_left(self):
        self.assertEqual(self.run_cli("--yes", "remove", "--title", "Duo B").status, 0)
        os.makedirs(self.path("Temp_Path", "broken"))
        self.write("Temp_Path/broken/removal-20260101-000000-000.txt", "not a record")
        r = self.run_cli("held")
        self.assertEqual(r.status, 0, r.err)
        self.assertIn("Duo B", r.out)
        self.assertTrue(any("broken" in w and "not a removal record" in w
                            for w in r.events("warning: ")), r.err)
        # A removal a kill left unfinished: its marker without its "finished" line.
        record = self.record()
        with open(record, "rb") as f:
            text = f.read()
        with open(record, "wb") as f:
            f.write(text[:text.rindex(b"finished")])
        ident = os.path.basename(record)[len("removal-"):-len(".txt")]
        rel = os.path.relpath(record, self.base).replace("/", "\\")
        self.write("Temp_Path/pending-%s.txt" % ident, rel)
        r = self.run_cli("held")
        self.assertIn("was interrupted before it ended. It has now been finished", r.err)
        self.assertIn("Duo B", r.out)
        self.assertFalse(self.exists("Temp_Path/pending-%s.txt" % ident))

    def test_a_lock_file_that_is_a_link_is_never_followed(self):
        if UNDER_WINE:
            self.skipTest("links are made from the Linux side")
        self.write("elsewhere", "")
        os.symlink(self.path("elsewhere"), self.path("quorvane.lock"))
        r = self.run_cli("--yes", "empty", "unused")
        self.assertEqual(r.status, 3, r.err)
        self.assertIn("link", r.err)
        self.assertEqual(self.read("elsewhere"), b"")


if __name__ == "__main__":
    main()
