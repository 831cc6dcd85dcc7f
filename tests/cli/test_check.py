#!/usr/bin/env python3
"""quorvane-cli check on a generated collection with one case of every finding planted: the
report names them, changes nothing, and stops like list when the simulator folder is gone."""
import json
import os
import subprocess
import sys

from clitest import GENERATOR, CliTest, main


class Check(CliTest):
    def setUp(self):
        super().setUp()
        self.sim = self.path("FS2002")
        subprocess.run([sys.executable, GENERATOR, self.sim, "--aircraft", "6", "--gauges", "4",
                        "--plant-findings", "--quiet"], check=True)
        self.settings(self.sim)

    def tree(self):
        return sorted(os.path.relpath(os.path.join(d, n), self.sim)
                      for d, _, names in os.walk(self.sim) for n in names)

    def test_the_planted_findings_are_reported_and_nothing_changes(self):
        before = self.tree()
        r = self.run_cli("check", "--json")
        self.assertEqual(r.status, 0, r.err)
        report = json.loads(r.out)
        sep = "\\" if os.environ.get("QV_RUNNER") else "/"
        broken = {b["title"]: (b["will_not_load"], b["incomplete"]) for b in report["broken"]}
        self.assertEqual(broken["Piper Cub (model gone)"], ([f"Broken_Cub{sep}model.float"], []))
        self.assertEqual(broken["Piper Cub (no flight model)"],
                         ([f"Broken_Cub{sep}cub_old.air"], []))
        self.assertEqual(broken["Piper Cub (repaint gone)"],
                         ([], [f"Broken_Cub{sep}texture.yellow"]))
        self.assertEqual(broken["Beech Twin (panel alias gone)"],
                         ([], [f"Retired_Twin{sep}panel"]))
        cub_panel = [m for m in report["missing_gauges"] if m["panel"] == f"Broken_Cub{sep}panel"]
        self.assertEqual([m["gauges"] for m in cub_panel], [["Lost_Gauges"]])
        # Told apart by case and blanks only: one title, as first met.
        self.assertIn({"title": "PIPER CUB (MODEL GONE)", "folders": ["Alias_Twin", "Broken_Cub"]},
                      report["duplicate_titles"])
        unused = {u["folder"]: u for u in report["unused_folders"]}
        self.assertEqual(unused[f"Broken_Cub{sep}texture.red"]["files"], 1)
        self.assertEqual([w["folder"] for w in report["without_aircraft"]], ["Old Paint Kit"])
        self.assertEqual(report["holding"]["temp_path"]["removals"], 0)
        self.assertEqual(report["skipped"], [])
        # The text form: a heading per group with its count.
        text = self.run_cli("check")
        self.assertEqual(text.status, 0, text.err)
        self.assertIn("Folders without aircraft: 1 (", text.out)
        self.assertIn("Titles used more than once: ", text.out)
        self.assertEqual(self.tree(), before)

    def files(self):
        out = {}
        for d, _, names in os.walk(self.sim):
            for n in names:
                with open(os.path.join(d, n), "rb") as f:
                    out[os.path.relpath(os.path.join(d, n), self.sim)] = f.read()
        return out

    def test_held_folders_come_back_exactly_and_used_ones_are_refused(self):
        sep = "\\" if os.environ.get("QV_RUNNER") else "/"
        before = self.files()
        wasted = [f"Broken_Cub{sep}texture.red", "Old Paint Kit"]
        # A dry run names every move and changes nothing.
        dry = self.run_cli("hold", "--dry-run", *wasted)
        self.assertEqual(dry.status, 0, dry.err)
        self.assertIn("hold: Old Paint Kit", dry.out)
        self.assertEqual(self.files(), before)
        # The plain texture folder is in use: refused by name, nothing moves.
        used = self.run_cli("--yes", "hold", f"Broken_Cub{sep}texture")
        self.assertEqual(used.status, 3, used.err)
        self.assertIn("texture was not held", used.err)
        self.assertEqual(self.files(), before)

        held = self.run_cli("--yes", "hold", *wasted)
        self.assertEqual(held.status, 0, held.err)
        self.assertFalse(os.path.exists(os.path.join(self.sim, "Aircraft", "Old Paint Kit")))
        listed = json.loads(self.run_cli("held", "--json").out)
        self.assertEqual(len(listed), 2)
        report = json.loads(self.run_cli("check", "--json").out)
        self.assertEqual(report["without_aircraft"], [])
        self.assertEqual(report["holding"]["temp_path"]["removals"], 2)
        back = self.run_cli("--yes", "restore", *[h["id"] for h in listed])
        self.assertEqual(back.status, 0, back.err)
        self.assertEqual(self.files(), before)

    def test_a_simulator_folder_that_is_gone_stops_it_as_list(self):
        self.assertEqual(self.run_cli("check", "extra").status, 2)
        os.rename(self.sim, self.path("moved"))
        self.assertEqual(self.run_cli("check").status, 3)


if __name__ == "__main__":
    main()
