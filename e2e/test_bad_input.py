"""Bad input against the real programs under Wine: SAS configuration files
that cannot be replaced or that hold odd bytes, an autoexec.sas that is a
folder, install roots the ANSI code page cannot hold or that carry quotes,
spaces and parentheses, and an install root longer than MAX_PATH. Each case
ends in a clear failure box or the right result, and nothing is lost."""

import subprocess
import unittest

from e2e_case import E2ECase, PROGRAM_NAMES, expected_edit
from harness import settings
from harness.sas_setup import Sas, lay_down

SAS91 = Sas("9.1", "C:\\Program Files\\SAS\\SAS 9.1", files="sas91")
ROOT = "C:\\Kelvarion"
CONFIG_STEP = 8  # "Config SAS System ...", 0-based


class BadInput(E2ECase):
    def machine_with_sas(self, name):
        machine = self.new_machine(name)
        lay_down(machine, [SAS91], all_users="0")
        return machine

    def config_folder_listing(self, machine):
        return sorted(p.name for p in machine.path(SAS91.edited_config()).parent.iterdir())

    def assert_config_kept(self, machine, original):
        self.assertEqual(machine.read(SAS91.edited_config()), original, "configuration changed")
        self.assertEqual(self.config_folder_listing(machine), ["SASV9.CFG"], "a temporary file was left")

    # --- targets that cannot be written -------------------------------

    def test_read_only_config_fails_and_stays(self):
        machine = self.machine_with_sas("read-only-config")
        original = machine.read(SAS91.edited_config())
        machine.run_batch([f'attrib +r "{SAS91.edited_config()}"'])
        driver, _ = self.open_program(machine, "current", ROOT)
        box = self.run_failing_installation(driver, CONFIG_STEP)
        self.assertIn("denied", self.assert_box_names(box, SAS91.edited_config()).lower(), box)
        self.assert_config_kept(machine, original)

    def test_config_locked_by_another_process_fails_and_stays(self):
        machine = self.machine_with_sas("locked-config")
        original = machine.read(SAS91.edited_config())
        driver, _ = self.open_program(machine, "current", ROOT)
        # The driver, a process of its own, holds the file open with no sharing.
        driver.call("lock_file", SAS91.edited_config())
        box = self.run_failing_installation(driver, CONFIG_STEP)
        # Windows says "... being used by another process.", Wine "Sharing violation."
        self.assertRegex(self.assert_box_names(box, SAS91.edited_config()).lower(),
                         "another process|sharing violation", box)
        driver.call("unlock_file", SAS91.edited_config())
        self.assert_config_kept(machine, original)
        # Once the other process lets go, Install again succeeds.
        self.run_installation(driver, "current")
        self.assertEqual(machine.read(SAS91.edited_config()),
                         expected_edit(original, b"-SET SASAUTOS (", ROOT))

    def test_autoexec_folder_in_place_of_the_file(self):
        machine = self.machine_with_sas("autoexec-folder")
        original = machine.read(SAS91.edited_config())
        folder = machine.path(ROOT + "\\saspgm\\autoexec.sas")
        folder.mkdir(parents=True)
        (folder / "kept.txt").write_bytes(b"user data\r\n")
        driver, _ = self.open_program(machine, "legacy", ROOT)
        box = self.run_failing_installation(driver, 0)
        self.assertIn("denied", self.assert_box_names(box, ROOT + "\\saspgm\\autoexec.sas").lower(), box)
        self.assertTrue(folder.is_dir())
        self.assertEqual((folder / "kept.txt").read_bytes(), b"user data\r\n")
        self.assert_config_kept(machine, original)

    # --- install roots --------------------------------------------------

    def test_root_with_letters_outside_the_code_page_fails_before_writing(self):
        machine = self.machine_with_sas("greek-root")
        original = machine.read(SAS91.edited_config())
        root = "C:\\Kelvarion Εργαλεία"
        driver, _ = self.open_program(machine, "current", root)
        box = self.run_failing_installation(driver, 0)
        self.assertIn("Ε", box["box"]["text"], "the box must name the character")
        # The product's folders come first and may be made; no file may be written.
        files = [p.name for p in machine.path(root).rglob("*") if not p.is_dir()]
        self.assertEqual(files, [PROGRAM_NAMES["current"] + ".exe"],
                         "written though the install root cannot be written in the code page")
        self.assert_config_kept(machine, original)

    def test_odd_config_bytes_in_a_root_with_quote_spaces_and_parentheses(self):
        # Byte-order mark, NUL bytes in a comment, a byte Windows-1252 leaves
        # undefined (0x81), and the list's last line without a line end.
        config = (b"\xef\xbb\xbf/* saved by an editor that writes a BOM */\r\n"
                  b"/* a NUL \x00 here and \x81 there */\r\n"
                  b"-SET SASAUTOS (\"!SASROOT\\core\\sasmacro\" \"!SASEXT0\\base\\sasmacro\")")
        machine = self.machine_with_sas("odd-config")
        machine.write(SAS91.edited_config(), config)
        root = "C:\\O'Neil (Data) Tools\\Kel varion"
        driver, _ = self.open_program(machine, "current", root)
        self.run_installation(driver, "current")
        self.assert_product_files(machine, root, "current")
        # Every line is written back as read; the last one gains its CR LF.
        edited = expected_edit(config, b"-SET SASAUTOS (", root) + b"\r\n"
        self.assertEqual(machine.read(SAS91.edited_config()), edited)
        self.assertEqual(self.config_folder_listing(machine), ["SASV9.CFG"])
        # A second installation finds the entry and leaves the file alone.
        self.open_program(machine, "current", root, driver)
        self.run_installation(driver, "current")
        self.assertEqual(machine.read(SAS91.edited_config()), edited)

    def test_root_longer_than_max_path(self):
        machine = self.machine_with_sas("long-root")
        original = machine.read(SAS91.edited_config())
        root = "C:\\Kelvarion\\" + "\\".join("long folder name %02d" % i for i in range(14))
        self.assertGreater(len(root), 260)
        exe = machine.copy_program(settings.program("current"), root)
        driver = machine.driver()
        # CreateProcessW, as a shell starts programs, refuses the path.
        started = driver.call("start", exe, root, check=False)
        self.assertFalse(started["ok"], started)
        # Which error Wine gives for the over-long name (2 or 123) varies
        # between builds of the driver; that it refuses is what matters here.
        self.assertIn("CreateProcessW failed", started["error"])
        # Wine's own loader starts it; the installation then uses the whole root.
        loader = subprocess.Popen(["wine", exe], env=machine.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(_end, loader)
        driver.call("attach_window", 30000, timeout_ms=30000)
        self.run_installation(driver, "current")
        self.assert_product_files(machine, root, "current")
        self.assertEqual(machine.read(SAS91.edited_config()),
                         expected_edit(original, b"-SET SASAUTOS (", root))


def _end(process):
    if process.poll() is None:
        process.kill()
    process.wait(timeout=30)


if __name__ == "__main__":
    unittest.main()
