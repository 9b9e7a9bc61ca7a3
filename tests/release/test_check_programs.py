"""check_programs.py refuses what makes a program differ between builds:
a link time, a CheckSum that is not the file's, an absolute build path
(as the compiler or Wine writes it, 8-bit or UTF-16LE). Works on a copy of
the built current edition (KELVARION_RELEASE_PROGRAM)."""

import os
import struct
import unittest
from pathlib import Path

import check_programs

PROGRAM = Path(os.environ["KELVARION_RELEASE_PROGRAM"])
FOLDER = "/home/builder/kelvarion/build/windows"


class CheckPrograms(unittest.TestCase):
    def setUp(self):
        self.data = bytearray(PROGRAM.read_bytes())
        self.pe, _, _, self.checksum_at = check_programs.pe_header(bytes(self.data))

    def faults(self):
        return check_programs.faults(bytes(self.data), [FOLDER])

    def test_the_built_program_passes(self):
        self.assertEqual(self.faults(), [])

    def test_a_link_time_is_refused(self):
        struct.pack_into("<I", self.data, self.pe + 8, 0x6B183A81)
        found = self.faults()
        self.assertTrue(any("TimeDateStamp is 0x6b183a81" in f for f in found), found)

    def test_a_checksum_that_is_not_the_files_is_refused(self):
        struct.pack_into("<I", self.data, self.checksum_at, 0x12345)
        self.assertTrue(any("CheckSum is 0x00012345" in f for f in self.faults()))

    def test_a_build_path_is_refused_in_every_form(self):
        for text in (FOLDER + "/editions/x.cpp",
                     "Z:" + FOLDER.replace("/", "\\") + "\\editions"):
            for encoding in ("utf-8", "utf-16-le"):
                with self.subTest(text=text, encoding=encoding):
                    data = bytearray(self.data)
                    path = text.encode(encoding)
                    data[-len(path) - 16:-16] = path
                    # Keep the CheckSum right, so that only the path is at fault.
                    struct.pack_into("<I", data, self.checksum_at,
                                     check_programs.pe_checksum(bytes(data), self.checksum_at))
                    found = check_programs.faults(bytes(data), [FOLDER])
                    self.assertEqual(len(found), 1, found)
                    self.assertIn(f"the build path {FOLDER}", found[0])


class CompareStep(unittest.TestCase):
    """scripts/check-reproducible.sh --compare: the step that compares the
    two clones' builds."""

    def compare(self, second_zip):
        import shutil
        import subprocess
        import tempfile
        with tempfile.TemporaryDirectory() as work:
            builds = []
            for name, zip_bytes in (("one", b"PK zip"), ("two", second_zip)):
                build = Path(work) / name
                (build / "editions").mkdir(parents=True)
                shutil.copyfile(PROGRAM, build / "editions" / PROGRAM.name)
                (build / "release.zip").write_bytes(zip_bytes)
                builds.append(str(build))
            script = Path(__file__).resolve().parents[2] / "scripts" / "check-reproducible.sh"
            return subprocess.run([str(script), "--compare", *builds], capture_output=True,
                                  text=True).returncode

    def test_the_same_builds_pass_and_zips_that_differ_fail(self):
        self.assertEqual(self.compare(b"PK zip"), 0)
        self.assertEqual(self.compare(b"PK zap"), 1)
