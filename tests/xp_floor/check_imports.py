"""Checks that Windows XP SP3 has every function that programs import.

    check_imports.py [--objdump PROGRAM] [--exports FOLDER] EXE...

Reads each program's import table with objdump -p and looks every imported
name up in FOLDER/<dll>.txt (default: exports/ beside this script; DLL names
compared without case). Names each offender as dll!function: a name that
XP's DLL does not export, an import from a DLL that has no list, and an import
by ordinal, which name lists cannot check. Names too every DLL outside the
ones the programs import today: Windows resolves static imports before any
of our code runs, from the program's own folder first unless the DLL is a
KnownDLL, so a DLL planted beside an elevated program would run as
administrator. Exit status 0 when every import is on XP and from those DLLs,
1 when one is not, 2 when a program's imports could not be read.
"""

import argparse
import re
import subprocess
import sys
from collections import namedtuple
from pathlib import Path

Import = namedtuple("Import", "dll name ordinal")  # name is None for an ordinal

DLL_LINE = re.compile(r"^\s*DLL Name: (\S+)\s*$")
# "vma  hint  name", or "vma  ordinal  <none>" for an import by ordinal.
ENTRY_LINE = re.compile(r"^\s*[0-9a-fA-F]+\s+(\d+)\s+(\S+)")


# The DLLs the programs may import statically: KnownDLLs on every supported
# Windows, and comctl32, which the manifest binds to its side-by-side copy.
STATIC_DLLS = {"advapi32", "comctl32", "gdi32", "kernel32", "msvcrt", "ole32", "shell32", "user32"}


def parse_imports(dump):
    """The imports listed in objdump -p output."""
    imports = []
    dll = None
    for line in dump.splitlines():
        match = DLL_LINE.match(line)
        if match:
            dll = match.group(1)
            continue
        if not line.strip():
            dll = None  # a blank line ends each DLL's block
            continue
        match = ENTRY_LINE.match(line)
        if dll and match:
            number, name = match.groups()
            if name == "<none>":
                imports.append(Import(dll, None, int(number)))
            else:
                imports.append(Import(dll, name, None))
    return imports


def list_path(exports, dll):
    stem = dll.lower()
    if stem.endswith(".dll"):
        stem = stem[:-4]
    return Path(exports) / f"{stem}.txt"


def offenders(imports, exports):
    """One line for each import that XP SP3 may lack, naming it dll!function."""
    lists = {}
    lines = []
    for item in imports:
        path = list_path(exports, item.dll)
        if path not in lists:
            lists[path] = set(path.read_text().split()) if path.is_file() else None
        names = lists[path]
        if item.name is None:
            lines.append(f"{item.dll}!#{item.ordinal}: imported by ordinal, "
                         "which the name lists cannot check")
        elif names is None:
            lines.append(f"{item.dll}!{item.name}: no XP export list for {item.dll} ({path})")
        elif item.name not in names:
            lines.append(f"{item.dll}!{item.name}: not exported by XP SP3's {item.dll}")
    return lines


def dll_offenders(imports):
    """One line for each DLL outside STATIC_DLLS, naming it and what to do."""
    dlls = sorted({item.dll for item in imports}, key=str.lower)
    return [f"{dll}: not one of the DLLs imported today ({', '.join(sorted(STATIC_DLLS))}); "
            "a new DLL must be a KnownDLL on every supported Windows, or be loaded at run "
            "time from System32 by full path"
            for dll in dlls if list_path(".", dll).stem not in STATIC_DLLS]


def read_imports(objdump, exe):
    """The program's imports; raises RuntimeError when they cannot be read."""
    result = subprocess.run([objdump, "-p", str(exe)], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{objdump} -p failed: {result.stderr.strip()}")
    imports = parse_imports(result.stdout)
    if not imports:
        # Every Windows program imports something: the output was not understood.
        raise RuntimeError("no imports found in the objdump -p output")
    return imports


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--exports", default=Path(__file__).resolve().parent / "exports")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args(argv)

    status = 0
    for exe in args.programs:
        try:
            imports = read_imports(args.objdump, exe)
        except (OSError, RuntimeError) as error:
            print(f"{exe}: {error}")
            status = 2
            continue
        lines = dll_offenders(imports) + offenders(imports, args.exports)
        if lines:
            print(f"{exe}: {len(lines)} imports not known to be on Windows XP SP3 "
                  "or from a DLL not imported today:")
            for line in lines:
                print(f"  {line}")
            status = max(status, 1)
        else:
            dlls = sorted({item.dll for item in imports}, key=str.lower)
            print(f"{exe}: all {len(imports)} imports are on Windows XP SP3 ({', '.join(dlls)})")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
