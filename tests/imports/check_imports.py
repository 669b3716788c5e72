#!/usr/bin/env python3
"""Checks that Windows XP can load the given programs: every function in their import tables must be
exported by that system's DLLs. A program that imports one function its Windows lacks does not start at
all ("The procedure entry point ... could not be located"). The loader also reads the PE header (the
processor type and the oldest Windows it names) and an embedded manifest's processor; those are checked too.

  check_imports.py --target x86_64|i686 [--objdump OBJDUMP] [--exports DIR] PROGRAM.exe...

x86_64 is checked against XP x64 / Server 2003 x64 (NT 5.2), i686 against 32-bit XP SP3 (NT 5.1).
Prints each program's imports per DLL, names every missing function with its DLL, and exits 1 if any
is missing (2 on a usage or tool error).
"""
import argparse
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The processor names of the export lists' restrictions that apply to each target.
ARCH_TAGS = {"x86_64": {"x86_64", "win64"}, "i686": {"i386"}}
SYSTEM = {"x86_64": "XP x64 / Server 2003 x64 (NT 5.2)", "i686": "32-bit Windows XP (NT 5.1)"}
# What the PE header must say for each target: its kind, the newest OS and subsystem versions the target
# loads, and the processor an embedded manifest must name.
HEADER = {"x86_64": ("PE32+", (5, 2), "amd64"), "i686": ("PE32", (5, 1), "x86")}


def read_lines(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")]


def exports_for(target, folder):
    """{dll (lower case, with .dll): set of names} for the target, and {dll!name: why} for misses."""
    exports = {}
    for entry in sorted(os.listdir(folder)):
        if not entry.endswith(".txt") or "-" in entry:
            continue
        exports[entry[:-4].lower() + ".dll"] = set(read_lines(os.path.join(folder, entry)))
    def drop(dll, name):
        exports.get(dll.lower() + ".dll", set()).discard(name)
    restricted = {}
    for line in read_lines(os.path.join(folder, "arch-restricted.txt")):
        qualified, arches = line.split("\t")
        dll, name = qualified.split("!")
        if not ARCH_TAGS[target] & set(arches.split(",")):
            drop(dll, name)
            restricted[qualified.lower()] = "exists on " + arches + " only"
    if target == "i686":
        for qualified in read_lines(os.path.join(folder, "not-on-xp-32.txt")):
            dll, name = qualified.split("!")
            drop(dll, name)
            restricted[qualified.lower()] = "Server 2003 and later, not 32-bit XP"
    for line in read_lines(os.path.join(folder, "vista-only.txt")):
        qualified, tag = line.split("\t")
        restricted.setdefault(qualified.lower(), "Windows " + tag.replace("0x600+", "Vista") + " and later")
    return exports, restricted


IMPORT_TABLE = re.compile(r"^\s*DLL Name: (\S+)")
IMPORT_ENTRY = re.compile(r"^\s+[0-9a-f]+\s+(\d+)(?:\s+(\S+))?\s*$")


def header_faults(target, program, dump):
    """What the loader of the target would refuse in the PE header or the manifest, as texts."""
    kind, newest, manifest_arch = HEADER[target]
    faults = []
    magic = re.search(r"^Magic\s+\S+\s+\((PE32\+?)\)", dump, re.M)
    if not magic or magic.group(1) != kind:
        faults.append(f"not a {kind} program")
    for field in ("OSystem", "Subsystem"):
        major = re.search(rf"^Major{field}Version\s+(\d+)", dump, re.M)
        minor = re.search(rf"^Minor{field}Version\s+(\d+)", dump, re.M)
        if major and minor and (int(major.group(1)), int(minor.group(1))) > newest:
            faults.append(f"{field} version {major.group(1)}.{minor.group(1)} is newer than {newest[0]}.{newest[1]}")
    with open(program, "rb") as f:
        data = f.read()
    identity = re.search(rb"<assemblyIdentity[^>]*?name=\"(?!Microsoft\.)[^\"]*\"[^>]*>", data)
    if identity:
        arch = re.search(rb'processorArchitecture="([^"]*)"', identity.group(0))
        if arch and arch.group(1).decode() not in (manifest_arch, "*"):
            faults.append(f"manifest names processor {arch.group(1).decode()}, not {manifest_arch}")
    return faults


def imports_of(objdump, program):
    """[(dll, name or "#ordinal")] and the whole dump, from objdump -p."""
    out = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    result = []
    dll = None
    for line in out.splitlines():
        match = IMPORT_TABLE.match(line)
        if match:
            dll = match.group(1)
            continue
        if dll is None:
            continue
        if not line.strip():
            # A blank line after the entries ends this DLL's table.
            if result and result[-1][0] == dll:
                dll = None
            continue
        if "vma:" in line or "Hint/Ord" in line:
            continue
        match = IMPORT_ENTRY.match(line)
        if match:
            result.append((dll, match.group(2) or "#" + match.group(1)))
    return result, out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--target", required=True, choices=sorted(ARCH_TAGS))
    parser.add_argument("--objdump")
    parser.add_argument("--exports", default=os.path.join(HERE, "exports"))
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    objdump = args.objdump or ("x86_64" if args.target == "x86_64" else "i686") + "-w64-mingw32-objdump"
    exports, restricted = exports_for(args.target, args.exports)

    missing = 0
    for program in args.programs:
        try:
            imports, dump = imports_of(objdump, program)
        except (OSError, subprocess.CalledProcessError) as error:
            print(f"{program}: cannot list imports: {error}")
            return 2
        if not imports:
            print(f"{program}: no imports found (is it a Windows program?)")
            return 2
        per_dll = {}
        for dll, name in imports:
            per_dll.setdefault(dll, []).append(name)
        summary = ", ".join(f"{dll} {len(names)}" for dll, names in per_dll.items())
        print(f"{os.path.basename(program)}: {len(imports)} imports from {len(per_dll)} DLLs ({summary})")
        for fault in header_faults(args.target, program, dump):
            missing += 1
            print(f"  REFUSED {fault}")
        for dll, name in imports:
            known = exports.get(dll.lower())
            if known is not None and name in known:
                continue
            missing += 1
            if known is None:
                why = "no export list for this DLL"
            elif name.startswith("#"):
                why = "imported by ordinal"
            else:
                why = restricted.get(f"{dll.lower()[:-4]}!{name}".lower(), "not exported")
            print(f"  MISSING {dll}!{name} ({why})")
    if missing:
        print(f"{missing} fault(s) for {SYSTEM[args.target]}: the program would not start there")
        return 1
    print(f"every import is exported by {SYSTEM[args.target]}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
