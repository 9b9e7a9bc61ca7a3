"""The expected files of harness/expected.py against the length column of
the tables they were copied from: a slip in a copied line shows here, before
it could make an end-to-end test pass or fail for the wrong reason."""

import unittest

from harness import expected

R = "R"  # stands for the install root's length
LENGTHS = {
    "autoexec": [29, (28, R), (26, R), (31, R), (31, R), (35, R), (33, R), 0,
                 (32, R), (31, R), (28, R), (35, R), (29, R), (40, R)],
    "contents.sas": [63] * 8 + [64, (27, R), 27, 17, 19, 0, 54, 7, 7],
    "finddup.sas": [77] * 7 + [(27, R), 0, 24, 25, 0, 61, 59, 7, 7],
    "join.sas": [75, 75, 83, 75, 75, (26, R), 0, 22, 23, 25, 20, 24, 20, 23, 46, 4, 11],
    "print_model.sas": [63] * 6 + [64, (27, R), 0, 30, 25, 0, 57, 7, 19],
    "trans.sas": [63] * 10 + [64, (27, R), 0, 24, 19, 20, 17, 18, 17, 0, 61, 51, 7, 0, 7],
    "verification_rep.sas": [63] * 11 + [64, (27, R), 0, 35, 14, 14, 13, 0, 0, 62, 7, 24],
}


class ExpectedFiles(unittest.TestCase):
    def test_line_lengths_match_the_tables(self):
        root = "D:\\Apps\\Kelvarion"
        files = dict(expected.MACRO_FILES, autoexec=expected.AUTOEXEC)
        for name, lengths in LENGTHS.items():
            lines = [line.replace("{literal_root}", root) for line in files[name]]
            want = [n if isinstance(n, int) else n[0] + len(root) for n in lengths]
            self.assertEqual([len(line) for line in lines], want, name)

    def test_legacy_autoexec_and_tool_config(self):
        root = "D:\\Apps\\Kelvarion"
        current = expected.autoexec(root, "current")
        legacy = expected.autoexec(root, "legacy")
        self.assertEqual(len(current) - len(legacy), 31)  # the awsdef line and its CR LF
        self.assertEqual(expected.text_file(expected.TOOL_CONFIG, root), (
            b"-awstitle 'QVK - Kelvarion\x99'\r\n"
            b"-autoexec 'D:\\Apps\\Kelvarion\\saspgm\\autoexec.sas'\r\n"
            b"-splashloc  'D:\\Apps\\Kelvarion\\splsh.bmp'\r\n"
            b"-initcmd 'af cat = pgmlib.kelvarion.trans_manager.frame'\r\n"))
        # Inside SAS literals an apostrophe is written twice; the code page's
        # default character stands in for what it lacks, never in the root.
        self.assertEqual(expected.text_file(expected.TOOL_CONFIG[:2], "C:\\O'Neil", "cp932"), (
            b"-awstitle 'QVK - Kelvarion?'\r\n"
            b"-autoexec 'C:\\O''Neil\\saspgm\\autoexec.sas'\r\n"))
        with self.assertRaises(UnicodeEncodeError):
            expected.text_file(expected.TOOL_CONFIG, "C:\\\u0151", "cp932")
        self.assertEqual(
            expected.shortcut_arguments("legacy", "C:\\SAS\\9.1\\SASV9.CFG", root),
            ' -CONFIG "C:\\SAS\\9.1\\SASV9.CFG" -autoexec "D:\\Apps\\Kelvarion\\saspgm\\autoexec.sas"'
            ' -initcmd "af cat = pgmlib.kelvarion.trans_manager.frame" -splashloc "D:\\Apps\\Kelvarion\\splsh.bmp"')
