"""How harness/expected.py turns the files of tests/expected/ into the bytes
an installation must write: which files each edition gets, the install root
in SAS literals, the code page. The files' own text is checked natively
against the length columns of its tables (tests/generate/)."""

import unittest

from harness import expected


class ExpectedFiles(unittest.TestCase):
    def test_each_edition_gets_its_own_files(self):
        # The shared files and each edition's own, by Windows path under the
        # install root; only the current edition writes kelvarion.cfg.
        legacy, current = expected.files_of("legacy"), expected.files_of("current")
        self.assertEqual(sorted(current), sorted(list(legacy) + ["kelvarion.cfg"]))
        shared = [path for path, name in legacy.items() if name.startswith("all-editions/")]
        self.assertIn("saspgm\\join.sas", shared)
        self.assertEqual(sorted(set(legacy) - set(shared)), ["saspgm\\autoexec.sas"])
        self.assertEqual(expected.files_of("legacy")["saspgm\\autoexec.sas"],
                         "legacy/saspgm/autoexec.sas")
        self.assertEqual(expected.files_of("current")["saspgm\\join.sas"],
                         "all-editions/saspgm/join.sas")
        for edition in ("current", "legacy"):
            files = expected.product_files("D:\\Apps\\Kelvarion", edition)
            for relative, content in files.items():
                self.assertTrue(content.endswith(b"\r\n"), relative)
                self.assertFalse(content.endswith(b"\r\n\r\n"), relative)  # no empty last line
                self.assertNotIn(b"\n", content.replace(b"\r\n", b""), relative)
                self.assertNotIn(expected.LITERAL_ROOT.encode(), content, relative)

    def test_text_file_puts_the_root_in_literals_and_converts_the_fixed_text(self):
        lines = ["-x '{literal_root}\\a.sas' \u2122", "", "-y"]
        self.assertEqual(expected.text_file(lines, "D:\\Apps"),
                         b"-x 'D:\\Apps\\a.sas' \x99\r\n\r\n-y\r\n")
        # Inside SAS literals an apostrophe is written twice; the code page's
        # default character stands in for what it lacks, never in the root.
        self.assertEqual(expected.text_file(lines[:1], "C:\\O'Neil's", "cp932"),
                         b"-x 'C:\\O''Neil''s\\a.sas' ?\r\n")
        self.assertEqual(expected.text_file(lines[:1], "C:\\\u30bd\u30d5\u30c8", "cp932"),
                         b"-x 'C:\\\x83\x5c\x83\x74\x83\x67\\a.sas' ?\r\n")
        with self.assertRaises(UnicodeEncodeError):
            expected.text_file(lines, "C:\\\u0151", "cp932")

    def test_legacy_shortcut_arguments(self):
        root = "D:\\Apps\\Kelvarion"
        self.assertEqual(
            expected.shortcut_arguments("legacy", "C:\\SAS\\9.1\\SASV9.CFG", root),
            ' -CONFIG "C:\\SAS\\9.1\\SASV9.CFG" -autoexec "D:\\Apps\\Kelvarion\\saspgm\\autoexec.sas"'
            ' -initcmd "af cat = pgmlib.kelvarion.trans_manager.frame" -splashloc "D:\\Apps\\Kelvarion\\splsh.bmp"')


if __name__ == "__main__":
    unittest.main()
