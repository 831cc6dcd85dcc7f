#!/usr/bin/python3
"""Tests of the release tools: the check of the Windows executables and the reproducible zip."""

import os
import pathlib
import sys
import tempfile
import textwrap
import unittest
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parents[1] / "packaging"))
import check_executables as check  # noqa: E402
import make_zip  # noqa: E402

# The shape of `objdump -p` output around the import tables, as binutils 2.40 prints it for a
# PE32 file: directory lines start with a space (one has only digits in its fields), entries with
# a tab, an ordinal import has "<none>" for its name.
DUMP = textwrap.dedent("""\
    MajorSubsystemVersion\t4
    MinorSubsystemVersion\t0
    Subsystem\t\t00000002\t(Windows GUI)

    The Import Tables (interpreted .idata section contents)
     vma:            Hint    Time      Forward  DLL       First
                     Table   Stamp     Chain    Name      Thunk
     00091000\t00091100 00000000 00000000 00091234 00091300

    \tDLL Name: COMCTL32.DLL
    \tvma:  Hint/Ord Member-Name Bound-To
    \t9a7a8\t   96  InitCommonControlsEx
    \t80000011\t   17  <none>

     0009a028\t0009a0e0 00000000 00000000 0009b70c 0009a464

    \tDLL Name: KERNEL32.dll
    \tvma:  Hint/Ord Member-Name Bound-To
    \t9a892\t   21  AddVectoredExceptionHandler
    \t9a8b0\t  136  CloseHandle

     00000000\t00000000 00000000 00000000 00000000 00000000

    The Function Table (interpreted .pdata section contents)
     vma:\t\t\tBeginAddress\t EndAddress\t  UnwindData
    \t9a000\t   12  NotAnImport
    """)


class ExecutableCheck(unittest.TestCase):
    def test_reads_named_and_ordinal_imports_of_each_dll_and_nothing_else(self):
        imports, subsystem = check.parse_private_headers(DUMP)
        self.assertEqual(imports, {
            ("comctl32.dll", "InitCommonControlsEx"),
            ("comctl32.dll", "#17"),
            ("kernel32.dll", "AddVectoredExceptionHandler"),
            ("kernel32.dll", "CloseHandle"),
        })
        self.assertEqual(subsystem, (4, 0))

    def test_a_dump_without_a_subsystem_version_is_an_error(self):
        with self.assertRaises(ValueError):
            check.parse_private_headers("The Import Tables\n")

    def test_names_each_import_missing_from_the_list_and_a_newer_subsystem(self):
        with tempfile.TemporaryDirectory() as folder:
            listed = pathlib.Path(folder) / "allowed.txt"
            listed.write_text("# Windows 7\nKERNEL32.DLL CloseHandle\n\n  comctl32.dll #17\n"
                              "COMCTL32.dll InitCommonControlsEx\n")
            allowed = check.read_allowed(listed)
        imports, _ = check.parse_private_headers(DUMP)

        self.assertEqual(check.problems("a.exe", imports, (6, 1), allowed), [
            "a.exe: imports kernel32.dll!AddVectoredExceptionHandler, which is not on the "
            "Windows 7 list"])
        allowed.add(("kernel32.dll", "AddVectoredExceptionHandler"))
        self.assertEqual(check.problems("a.exe", imports, (6, 1), allowed), [])
        self.assertEqual(check.problems("a.exe", imports, (6, 2), allowed), [
            "a.exe: subsystem version 6.2 is newer than Windows 7 (6.1)"])
        self.assertEqual(check.problems("a.exe", imports, (10, 0), allowed)[0][:29],
                         "a.exe: subsystem version 10.0")

    def test_the_manifest_must_name_the_executables_own_processor(self):
        # The executable's own identity comes first; a dependency's "*" must not count.
        data = (b"MZ...\0<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\">\n"
                b"  <assemblyIdentity type=\"win32\" name=\"Quorvane.Quorvane\"\n"
                b"      version=\"4.0.0.0\" processorArchitecture=\"amd64\"/>\n"
                b"  <dependency><dependentAssembly><assemblyIdentity name=\"Common-Controls\"\n"
                b"      processorArchitecture=\"*\"/></dependentAssembly></dependency>\n"
                b"</assembly>\0...")
        self.assertEqual(check.manifest_processor(data), "amd64")
        self.assertIsNone(check.manifest_processor(b"MZ no manifest"))

        self.assertEqual(check.problems("a.exe", set(), (6, 0), set(), "x86", "amd64"), [
            "a.exe: its manifest names the processor amd64, the executable is x86"])
        self.assertEqual(check.problems("a.exe", set(), (6, 0), set(), "x86", "x86"), [])
        self.assertEqual(check.problems("a.exe", set(), (6, 0), set(), "x86", None), [])

        self.assertFalse(check.declares_long_paths(data))
        self.assertTrue(check.declares_long_paths(
            b"<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
            b"true</longPathAware>"))
        self.assertEqual(check.problems("a.exe", set(), (6, 0), set(), "x86", "x86", False), [
            "a.exe: its manifest does not declare long-path awareness"])

    def test_a_list_line_that_is_not_dll_and_function_is_an_error_with_its_line(self):
        with tempfile.TemporaryDirectory() as folder:
            listed = pathlib.Path(folder) / "allowed.txt"
            listed.write_text("KERNEL32.dll CloseHandle\nKERNEL32.dll\n")
            with self.assertRaisesRegex(ValueError, r"allowed.txt:2:"):
                check.read_allowed(listed)

    def test_the_list_in_the_repository_reads(self):
        allowed = check.read_allowed(HERE.parents[1] / "packaging" /
                                             "windows7-imports.txt")
        self.assertIn(("kernel32.dll", "CreateFileW"), allowed)
        self.assertIn(("msvcrt.dll", "malloc"), allowed)


class ReproducibleZip(unittest.TestCase):
    def make(self, folder, order, mtime, umask_mode):
        """Writes the same three files in `order`, with the given times and modes."""
        contents = {"quorvane.exe": b"MZ" + bytes(range(256)) * 40, "README.txt": b"Hi\r\n",
                    "LICENSE.txt": b"MIT\r\n"}
        folder.mkdir()
        for name in order:
            path = folder / name
            path.write_bytes(contents[name])
            os.chmod(path, umask_mode)
            os.utime(path, (mtime, mtime))

    def test_same_files_give_the_same_bytes_whatever_their_order_times_and_modes(self):
        with tempfile.TemporaryDirectory() as tmp:
            tmp = pathlib.Path(tmp)
            self.make(tmp / "a", ["README.txt", "quorvane.exe", "LICENSE.txt"], 1_000_000_000,
                      0o600)
            self.make(tmp / "b", ["quorvane.exe", "LICENSE.txt", "README.txt"], 1_700_000_000,
                      0o777)
            make_zip.make_zip(tmp / "a.zip", tmp / "a", 1_765_000_000)
            make_zip.make_zip(tmp / "b.zip", tmp / "b", 1_765_000_000)
            self.assertEqual((tmp / "a.zip").read_bytes(), (tmp / "b.zip").read_bytes())

            with zipfile.ZipFile(tmp / "a.zip") as z:
                self.assertIsNone(z.testzip())
                infos = z.infolist()
                self.assertEqual([i.filename for i in infos],
                                 ["LICENSE.txt", "README.txt", "quorvane.exe"])
                # 2025-12-06 05:46:40 UTC, to the zip format's two seconds.
                self.assertEqual({i.date_time for i in infos}, {(2025, 12, 6, 5, 46, 40)})
                self.assertEqual([i.external_attr >> 16 for i in infos],
                                 [0o100644, 0o100644, 0o100755])
                self.assertEqual(z.read("README.txt"), b"Hi\r\n")
            self.assertFalse((tmp / "a.zip.part").exists())

    def test_another_time_gives_other_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            tmp = pathlib.Path(tmp)
            self.make(tmp / "a", ["README.txt"], 0, 0o644)
            make_zip.make_zip(tmp / "1.zip", tmp / "a", 1_765_000_000)
            make_zip.make_zip(tmp / "2.zip", tmp / "a", 1_765_000_002)
            self.assertNotEqual((tmp / "1.zip").read_bytes(), (tmp / "2.zip").read_bytes())


if __name__ == "__main__":
    unittest.main()
