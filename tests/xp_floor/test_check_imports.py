"""The import check itself: it must name what XP lacks, not only pass.

Parsing and look-up run on objdump -p output in the form binutils prints it;
the whole check runs on a real program that imports GetTickCount64
(vista_import_probe.cpp; its path in KELVARION_XP_PROBE, objdump in
KELVARION_OBJDUMP)."""

import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import check_imports

# Trimmed from i686-w64-mingw32-objdump -p: the table head, two DLLs imported
# by name, one by ordinal and one with no list, then the next section.
DUMP = """\
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
                 Table   Stamp     Chain    Name      Thunk
 00007000\t00007050 00000000 00000000 000073fc 00007100

\tDLL Name: KERNEL32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t71b0\t  277  DeleteCriticalSection
\t7236\t  785  GetTickCount64
\t7246\t  786  GetTickCount

\tDLL Name: COMCTL32.DLL
\tvma:  Hint/Ord Member-Name Bound-To
\t72e0\t   58  InitCommonControlsEx
\t80000011\t   17  <none>

\tDLL Name: USER32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t7300\t  100  TaskDialogIndirect
\t7310\t  101  MessageBoxW

PE File Base Relocations (interpreted .reloc section contents)
Virtual Address: 00001000 Chunk size 12 (0xc) Number of fixups 2
\treloc    0 offset    4 [1004] HIGHLOW
"""

EXPORTS = {
    "kernel32.txt": "DeleteCriticalSection\nGetTickCount\n",
    "comctl32.txt": "InitCommonControlsEx\n",
}


def names(lines):
    """The dll!function that begins each offender line."""
    return [line.split(":", 1)[0] for line in lines]


class ParsesObjdumpOutput(unittest.TestCase):
    def test_names_and_ordinals_under_their_dll(self):
        imports = check_imports.parse_imports(DUMP)
        self.assertEqual(imports, [
            ("KERNEL32.dll", "DeleteCriticalSection", None),
            ("KERNEL32.dll", "GetTickCount64", None),
            ("KERNEL32.dll", "GetTickCount", None),
            ("COMCTL32.DLL", "InitCommonControlsEx", None),
            ("COMCTL32.DLL", None, 17),
            ("USER32.dll", "TaskDialogIndirect", None),
            ("USER32.dll", "MessageBoxW", None),
        ])

    def test_output_without_import_table_gives_nothing(self):
        self.assertEqual(check_imports.parse_imports("file format pei-i386\n\nSections:\n"), [])


class LooksUpTheLists(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.exports = Path(folder.name)
        for name, text in EXPORTS.items():
            (self.exports / name).write_text(text)

    def test_names_every_offender(self):
        lines = check_imports.offenders(check_imports.parse_imports(DUMP), self.exports)
        self.assertEqual(names(lines), [
            "KERNEL32.dll!GetTickCount64",  # not in kernel32.txt
            "COMCTL32.DLL!#17",             # by ordinal
            "USER32.dll!TaskDialogIndirect",  # no user32.txt
            "USER32.dll!MessageBoxW",
        ])
        self.assertIn("not exported", lines[0])
        self.assertIn("ordinal", lines[1])
        self.assertIn("no XP export list", lines[2])

    def test_dll_names_match_without_case(self):
        imports = [check_imports.Import("kernel32.DLL", "GetTickCount", None),
                   check_imports.Import("Comctl32.dll", "InitCommonControlsEx", None)]
        self.assertEqual(check_imports.offenders(imports, self.exports), [])


class RefusesANewDll(unittest.TestCase):
    def test_names_a_dll_outside_todays_eight_whatever_its_case(self):
        imports = [check_imports.Import("KERNEL32.dll", "GetTickCount", None),
                   check_imports.Import("Comctl32.DLL", "InitCommonControlsEx", None),
                   check_imports.Import("VERSION.dll", "GetFileVersionInfoW", None)]
        lines = check_imports.dll_offenders(imports)
        self.assertEqual(names(lines), ["VERSION.dll"])
        self.assertIn("KnownDLL", lines[0])
        self.assertIn("System32 by full path", lines[0])


class RefusesARealVistaProgram(unittest.TestCase):
    def test_names_get_tick_count_64_and_nothing_else(self):
        probe = os.environ.get("KELVARION_XP_PROBE")
        objdump = os.environ.get("KELVARION_OBJDUMP", "i686-w64-mingw32-objdump")
        self.assertTrue(probe, "KELVARION_XP_PROBE must name vista_import_probe.exe")
        script = Path(check_imports.__file__)
        result = subprocess.run([sys.executable, str(script), "--objdump", objdump, probe],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        offenders = re.findall(r"^  (\S+!\S+):", result.stdout, re.MULTILINE)
        self.assertEqual(offenders, ["KERNEL32.dll!GetTickCount64"], result.stdout)


if __name__ == "__main__":
    unittest.main()
