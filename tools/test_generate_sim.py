#!/usr/bin/env python3
"""Checks of the installation generator: same seed, same tree; the oddities are there."""

import hashlib
import os
import re
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "generate_sim.py")


def generate(out, *args):
    subprocess.run([sys.executable, GENERATOR, out, "--quiet", *args], check=True)


def tree_digest(root):
    """One hash over every relative path and file content, in a fixed order."""
    h = hashlib.sha256()
    for folder, dirs, files in os.walk(root):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            h.update(os.path.relpath(path, root).encode() + b"\0")
            with open(path, "rb") as f:
                h.update(f.read())
        for name in dirs:
            h.update(os.path.relpath(os.path.join(folder, name), root).encode() + b"/\0")
    return h.hexdigest()


def visible_walk(root):
    """The folders a Windows program lists: names starting with "." are hidden."""
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if not d.startswith("."))
        yield folder, dirs, [f for f in files if not f.startswith(".")]


def aircraft_sections(data):
    """(header, {key: value}) of every [fltsim section, keys lower-cased."""
    sections = []
    for line in re.split(rb"\r\n|\r|\n", data):
        text = line.decode("cp1252")
        if text.strip().startswith("[") and text.strip().endswith("]"):
            sections.append((text.strip(), {}))
        elif "=" in text and sections:
            key, value = text.split("=", 1)
            sections[-1][1].setdefault(key.lower(), value)
    return [s for s in sections if "[fltsim" in s[0].lower()]


class GeneratorTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.tmp.name, "FS2002")
        generate(cls.root, "--aircraft", "100", "--gauges", "600", "--seed", "7",
                 "--settings-in", os.path.join(cls.tmp.name, "base"))
        cls.configs = {}
        cls.panels = {}
        for folder, _, files in visible_walk(os.path.join(cls.root, "Aircraft")):
            for name in files:
                with open(os.path.join(folder, name), "rb") as f:
                    if name.lower() == "aircraft.cfg":
                        cls.configs[os.path.join(folder, name)] = f.read()
                    elif name.lower() == "panel.cfg":
                        cls.panels[os.path.join(folder, name)] = f.read()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_same_seed_same_tree_other_seed_other_tree(self):
        again = os.path.join(self.tmp.name, "again")
        other = os.path.join(self.tmp.name, "other")
        generate(again, "--aircraft", "100", "--gauges", "600", "--seed", "7")
        generate(other, "--aircraft", "100", "--gauges", "600", "--seed", "8")
        self.assertEqual(tree_digest(self.root), tree_digest(again))
        self.assertNotEqual(tree_digest(self.root), tree_digest(other))

    def test_a_larger_tree_keeps_the_smaller_trees_aircraft(self):
        # The doubled benchmark tree must be the large tree plus more, not another collection.
        larger = os.path.join(self.tmp.name, "larger")
        generate(larger, "--aircraft", "130", "--gauges", "800", "--seed", "7")
        mine = os.path.join(self.root, "Aircraft")
        for name in sorted(os.listdir(mine)):
            with self.subTest(aircraft=name):
                self.assertEqual(tree_digest(os.path.join(mine, name)),
                                 tree_digest(os.path.join(larger, "Aircraft", name)))
        self.assertGreater(len(os.listdir(os.path.join(larger, "Aircraft"))),
                           len(os.listdir(mine)))

    def test_texture_files_fill_texture_folders_and_change_nothing_else(self):
        # The many-files benchmark tree must differ from the plain one only by those files.
        filled = os.path.join(self.tmp.name, "filled")
        generate(filled, "--aircraft", "100", "--gauges", "600", "--seed", "7",
                 "--texture-files", "50-60")
        added = set()
        for folder, dirs, files in os.walk(filled):
            rel = os.path.relpath(folder, filled)
            plain = os.path.join(self.root, rel)
            with self.subTest(folder=rel):
                self.assertTrue(os.path.isdir(plain))
                self.assertEqual(sorted(dirs), sorted(d for d in os.listdir(plain)
                                                      if os.path.isdir(os.path.join(plain, d))))
                for name in files:
                    path = os.path.join(plain, name)
                    if os.path.exists(path):
                        with open(path, "rb") as a, open(os.path.join(folder, name), "rb") as b:
                            self.assertEqual(a.read(), b.read(), name)
                    else:
                        self.assertTrue(os.path.basename(folder).lower().startswith("texture"), name)
                        added.add(folder)
                if os.path.basename(folder).lower().startswith("texture"):
                    self.assertTrue(50 <= len(files) <= 60, f"{len(files)} files")
                    self.assertEqual(len({f.lower() for f in files}), len(files))
        self.assertGreater(len(added), 100)

    def test_sizes_follow_the_arguments(self):
        self.assertEqual(len(self.configs), 100)
        gauges = [n for n in os.listdir(os.path.join(self.root, "Gauges"))
                  if os.path.isfile(os.path.join(self.root, "Gauges", n)) and not n.startswith(".")]
        self.assertEqual(len(gauges), 600)
        counts = {len(aircraft_sections(d)) for d in self.configs.values()}
        self.assertEqual(min(counts), 1)
        self.assertGreaterEqual(max(counts), 4)

    def test_named_folders_exist(self):
        for path, data in self.configs.items():
            folder = os.path.dirname(path)
            for header, keys in aircraft_sections(data):
                for key in ("model", "texture"):
                    value = keys.get(key, "")
                    name = key + ("." + value if value else "")
                    with self.subTest(cfg=path, section=header, key=key):
                        self.assertTrue(os.path.isdir(os.path.join(folder, name)))
                sim = keys.get("sim", "")
                self.assertTrue(os.path.isfile(os.path.join(folder, sim + ".air")), path)

    def test_oddities_of_real_collections_are_present(self):
        names = [os.path.basename(p) for p in self.configs]
        self.assertIn("AIRCRAFT.CFG", names)
        folders = [os.path.dirname(p) for p in self.configs]
        self.assertTrue(any(os.path.basename(f).isupper() for f in folders))
        nested = [f for f in folders if os.path.dirname(f) in folders]
        self.assertTrue(nested, "no aircraft folder inside another")
        self.assertTrue(any(b"title=A\xe9rospatiale" in d for d in self.configs.values()))
        self.assertTrue(any(b"\r" not in d for d in self.configs.values()), "no LF-only file")
        self.assertTrue(any(re.search(rb"^(Title|SIM)=", d, re.M) for d in self.configs.values()))
        self.assertTrue(any(b"alias=" in d for d in self.panels.values()))
        hidden = [f for f, _, files in os.walk(self.root)
                  if os.path.basename(f).startswith(".") and "aircraft.cfg" in files]
        self.assertGreaterEqual(len(hidden), 2)

    def test_gauges_folder_holds_used_and_unused_files(self):
        lists = []
        for data in self.panels.values():
            for m in re.finditer(rb"gauge(?:0\d|[1-9]\d|100)=([^\r\n]*)", data.lower()):
                value = m.group(1)
                cut = value.find(b"!")
                lists.append(value[:cut + 1] if cut >= 0 else value.split(b",")[0] + b",")
        text = b"\n".join(lists)
        used, unused, kinds = 0, 0, set()
        for name in os.listdir(os.path.join(self.root, "Gauges")):
            stem, ext = name[:-4].lower().encode(), name[-4:].lower()
            if ext in (".gau", ".zip", ".cab") and not name.startswith("."):
                kinds.add(ext)
                if stem + b"!" in text or stem + b"," in text:
                    used += 1
                else:
                    unused += 1
        self.assertEqual(kinds, {".gau", ".zip", ".cab"})
        self.assertGreater(used, 200)
        self.assertGreater(unused, 50)
        self.assertTrue(os.path.isfile(os.path.join(self.root, "Gauges", "readme.txt")))
        self.assertTrue(any(n.endswith(".dll") for n in os.listdir(os.path.join(self.root, "Gauges"))))

    def test_settings_file_is_byte_exact(self):
        with open(os.path.join(self.tmp.name, "base", "quorva_set.cfg"), "rb") as f:
            self.assertEqual(f.read(), self.root.encode() + b"\r\n3")
        wine_base = os.path.join(self.tmp.name, "wine")
        generate(os.path.join(self.tmp.name, "tiny"), "--aircraft", "1", "--gauges", "5",
                 "--version", "4", "--settings-in", wine_base, "--wine-path")
        with open(os.path.join(wine_base, "quorva_set.cfg"), "rb") as f:
            expected = "Z:" + os.path.join(self.tmp.name, "tiny").replace("/", "\\")
            self.assertEqual(f.read(), expected.encode() + b"\r\n4")

    def test_existing_folder_is_kept_without_force(self):
        result = subprocess.run([sys.executable, GENERATOR, self.root, "--quiet"],
                                capture_output=True)
        self.assertEqual(result.returncode, 2)
        self.assertTrue(os.path.isdir(os.path.join(self.root, "Aircraft")))


if __name__ == "__main__":
    unittest.main()
