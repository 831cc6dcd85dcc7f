"""quorvane-cli list and dump: the catalogue load and the unused gauge sweep, seen from outside."""
import json
import os

from clitest import CliTest, main, sim_path

CFG_A = (
    "[General]\r\nsim=NotThis\r\n\r\n"
    "[fltsim.0]\r\ntitle=Alpha One\r\nsim=alpha\r\nmodel=\r\npanel=\r\nsound=\r\ntexture=1\r\n"
    "[fltsim.1]\r\ntitle=Alpha \u00c9t\u00e9 ; a comment\r\nsim=alpha\r\ntexture=2\r\n\r\n"
    "[WEIGHT_AND_BALANCE]\r\nmax_gross_weight=2000\r\n"
)


class CatalogueTree(CliTest):
    def setUp(self):
        super().setUp()
        sim = self.path("FS")
        self.write("FS/Aircraft/Alpha/aircraft.cfg", CFG_A)
        self.write("FS/Aircraft/Alpha/panel/panel.cfg",
                   "[Window00]\r\ngauge00=Alpha!Airspeed, 1, 2\r\ngauge01=compass, 3, 4\r\n")
        self.write("FS/Aircraft/Bravo/AIRCRAFT.CFG", "[FLTSIM.0]\ntitle=Bravo\nsim=b\n")
        self.write("FS/Aircraft/Bravo/Inner/aircraft.cfg", "[fltsim.0]\rtitle=Bravo Inner\r")
        self.write("FS/Aircraft/.hidden/aircraft.cfg", "[fltsim.0]\r\ntitle=Hidden\r\n")
        self.write("FS/Aircraft/Charlie/aircraft.cfg", "[fltsim.0]\r\ntitle=\r\nsim=c\r\n")
        for name in ("Alpha.gau", "COMPASS.GAU", "lpha.zip", "unused.gau", "unused2.CAB",
                     "readme.txt"):
            self.write("FS/Gauges/" + name, name)
        self.write("FS/Gauges/sub/deep.gau", "deep")
        self.settings(sim)

    def test_list_prints_titles_in_walk_order_and_skips_hidden_and_untitled(self):
        r = self.run_cli("list")
        self.assertEqual(r.status, 0, r.err)
        self.assertNotIn("\r", r.out)  # LF line ends on every system
        self.assertEqual(r.out.splitlines(),
                         ["Alpha One", "Alpha \u00c9t\u00e9 ; a comment", "Bravo", "Bravo Inner"])
        self.assertEqual(r.lines, [
            "progress: show", "progress: range 3", "progress: status Getting Aircrafts",
            "progress: step 1", "progress: status Getting Panels", "progress: step 2",
            "question: Do you want to remove the unused gauges files?. (NOTE: The unused gauges "
            "files that were removed will going to be saved in the UNUSED GAUGES folder.)",
            "answer: no", "progress: step 3", "progress: close"])
        self.assertTrue(self.exists("FS/Gauges/unused.gau"))

    def test_sweep_moves_exactly_the_unreferenced_gauge_files(self):
        r = self.run_cli("--sweep", "list")
        self.assertEqual(r.status, 0, r.err)
        self.assertIn("progress: status Searching and Removing Unused Gauges Files", r.lines)
        self.assertEqual(sorted(os.listdir(self.path("FS", "Gauges"))),
                         ["Alpha.gau", "COMPASS.GAU", "lpha.zip", "readme.txt", "sub"])
        self.assertEqual(sorted(os.listdir(self.path("Unused Gauges"))),
                         ["unused.gau", "unused2.CAB"])
        self.assertEqual(self.read("Unused Gauges/unused.gau"), b"unused.gau")

    def test_dump_gives_every_record_with_its_values(self):
        r = self.run_cli("dump")
        self.assertEqual(r.status, 0, r.err)
        d = json.loads(r.out)
        self.assertEqual(d["list"], ["Alpha One", "Alpha \u00c9t\u00e9 ; a comment", "Bravo",
                                     "Bravo Inner"])
        self.assertEqual([a["title"] for a in d["aircraft"]],
                         ["Alpha One", "Alpha \u00c9t\u00e9 ; a comment", "Bravo", "Bravo Inner", ""])
        first = d["aircraft"][0]
        self.assertEqual(first["folder"], sim_path(self.path("FS", "Aircraft", "Alpha")))
        self.assertEqual(first["sim"], "alpha")
        self.assertEqual(first["texture"], "1")
        self.assertEqual(first["section_text"],
                         "[fltsim.0]\r\ntitle=Alpha One\r\nsim=alpha\r\nmodel=\r\npanel=\r\n"
                         "sound=\r\ntexture=1\r\n")
        self.assertEqual(set(first), {"folder", "title", "sim", "model", "panel", "sound",
                                      "texture", "checklist", "kb_checklists", "kb_reference",
                                      "section_text"})
        self.assertEqual(d["aircraft"][1]["section_text"],
                         "[fltsim.1]\r\ntitle=Alpha \u00c9t\u00e9 ; a comment\r\nsim=alpha\r\n"
                         "texture=2\r\n\r\n")
        self.assertEqual(d["aircraft"][2]["section_text"], "[FLTSIM.0]\r\ntitle=Bravo\r\nsim=b")
        self.assertEqual(d["panels"], [{
            "folder": sim_path(self.path("FS", "Aircraft", "Alpha", "panel")),
            "gauges": "Alpha!\r\ncompass,\r\n-end of list-", "has_alias": False}])


if __name__ == "__main__":
    main()
