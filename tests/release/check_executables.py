#!/usr/bin/python3
"""Checks that Windows executables start on every Windows from 7 on: every function they import
from a DLL is on the list of functions Windows 7 has, their PE header asks for no newer Windows,
and their manifest names their own processor (Windows refuses to start an executable whose
manifest names another one; Wine does not look, so no test under Wine would notice).

    check_executables.py --allowed packaging/windows7-imports.txt PROGRAM.exe...

The list names one DLL and one function a line ("KERNEL32.dll CreateFileW"), lines starting with
"#" are comments; DLL names compare without regard to case, as the loader compares them. An import
by ordinal is listed as "#N" ("COMCTL32.dll #17"). The imports are read with the MinGW-w64 objdump
of the executable's processor.
"""

import argparse
import pathlib
import re
import struct
import subprocess
import sys

# Windows 7 is NT 6.1: the loader refuses an executable whose subsystem version is newer.
NEWEST_SUBSYSTEM = (6, 1)

# For each COFF machine: the objdump that reads it and the processor its manifest must name.
MACHINES = {
    0x014C: ("i686-w64-mingw32-objdump", "x86"),
    0x8664: ("x86_64-w64-mingw32-objdump", "amd64"),
}


def machine_of(path):
    """The COFF machine field of a PE file."""
    with open(path, "rb") as f:
        head = f.read(4096)
    if head[:2] != b"MZ":
        raise ValueError(f"{path}: not a Windows executable")
    pe = struct.unpack_from("<I", head, 0x3C)[0]
    if head[pe:pe + 4] != b"PE\0\0":
        raise ValueError(f"{path}: not a Windows executable")
    return struct.unpack_from("<H", head, pe + 4)[0]


def parse_private_headers(text):
    """From `objdump -p` output: the set of (dll, function) imports, DLL names lower-cased and
    ordinal imports as "#N", and the subsystem version as a (major, minor) pair."""
    imports = set()
    version = {}
    dll = None
    in_imports = False
    for line in text.splitlines():
        m = re.match(r"^(Major|Minor)SubsystemVersion\s+(\d+)", line)
        if m:
            version[m.group(1)] = int(m.group(2))
            continue
        if line.startswith("The Import Tables"):
            in_imports = True
            continue
        if in_imports and line and not line[0].isspace():
            in_imports = False  # the next table of the dump begins
        if not in_imports:
            continue
        m = re.match(r"^\s+DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).lower()
            continue
        # An entry, after a tab: its thunk, then the hint and the name, or the ordinal and <none>.
        # (The table's directory lines start with a space.)
        m = re.match(r"^\t[0-9a-fA-F]+\t\s*(\d+)\s+(\S+)", line)
        if m and dll:
            hint, name = m.groups()
            imports.add((dll, f"#{hint}" if name == "<none>" else name))
    if "Major" not in version or "Minor" not in version:
        raise ValueError("no subsystem version in the objdump output")
    return imports, (version["Major"], version["Minor"])


def manifest_processor(data):
    """The processorArchitecture of the executable's own assemblyIdentity (the first one of its
    manifest, which the resource section holds as plain UTF-8), or None without a manifest."""
    m = re.search(rb"<assembly\b.*?<assemblyIdentity\b[^>]*?processorArchitecture=\"([^\"]*)\"",
                  data, re.DOTALL)
    return m.group(1).decode("ascii", "replace") if m else None


def declares_long_paths(data):
    """Whether the manifest declares long-path awareness (without it Windows 10 and later still
    refuse paths past 260 characters in some calls, whatever the prefix)."""
    return re.search(rb"<longPathAware\b[^>]*>\s*true\s*</longPathAware>", data) is not None


def read_allowed(path):
    allowed = set()
    for number, line in enumerate(pathlib.Path(path).read_text().splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):  # a comment line; "#N" after a DLL is an ordinal
            continue
        fields = line.split()
        if len(fields) != 2:
            raise ValueError(f"{path}:{number}: expected 'DLL FUNCTION', found {line!r}")
        allowed.add((fields[0].lower(), fields[1]))
    return allowed


def problems(name, imports, subsystem, allowed, processor=None, manifest=None, long_paths=True):
    """What keeps the executable `name` from starting on Windows 7 and later, one message each.
    `processor` is the one its machine field names, `manifest` the one its manifest names."""
    found = [f"{name}: imports {dll}!{function}, which is not on the Windows 7 list"
             for dll, function in sorted(imports - allowed)]
    if subsystem > NEWEST_SUBSYSTEM:
        found.append(f"{name}: subsystem version {subsystem[0]}.{subsystem[1]} is newer than "
                     f"Windows 7 ({NEWEST_SUBSYSTEM[0]}.{NEWEST_SUBSYSTEM[1]})")
    if manifest not in (None, processor):
        found.append(f"{name}: its manifest names the processor {manifest}, the executable is "
                     f"{processor}")
    if manifest is not None and not long_paths:
        found.append(f"{name}: its manifest does not declare long-path awareness")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--allowed", required=True)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    allowed = read_allowed(args.allowed)
    failures = []
    for program in args.programs:
        machine = MACHINES.get(machine_of(program))
        if machine is None:
            failures.append(f"{program}: not an x86 or x64 executable")
            continue
        objdump, processor = machine
        dump = subprocess.run([objdump, "-p", program], check=True, capture_output=True,
                              text=True).stdout
        imports, subsystem = parse_private_headers(dump)
        data = pathlib.Path(program).read_bytes()
        manifest = manifest_processor(data)
        found = problems(program, imports, subsystem, allowed, processor, manifest,
                         declares_long_paths(data))
        failures += found
        if not found:
            print(f"{program}: {len(imports)} imports, all on the Windows 7 list; "
                  f"{processor}, manifest {manifest or 'none'}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
