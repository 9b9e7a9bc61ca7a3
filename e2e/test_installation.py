"""Whole installations under Wine, as a user runs them: Install (or Enter) to
the Notice box and the program's end; every file written, checked against
expected files spelled out in harness/expected.py; the SAS configuration
edit; both shortcuts read back; failures and Install again."""

from e2e_case import E2ECase, ROOT_SPACES, ROOT_X86, PROGRAM_NAMES, expected_edit
from harness import expected
from harness.driver import SAS8_OPTION, SAS92_OPTION, VK_ESCAPE
from harness.sas_setup import Sas, lay_down

SAS8 = Sas("8", "C:\\SAS\\V8", files="sas8")
SAS91 = Sas("9.1", "C:\\Program Files\\SAS\\SAS 9.1", files="sas91")
SAS92_64 = Sas("9.2", "C:\\Program Files\\SAS\\SASFoundation\\9.2", view=64, files="sas92")

# Where each sample configuration's list opens.
ANCHORS = {"8": b"-SET SASAUTOS\r\n        (", "9.1": b"-SET SASAUTOS (", "9.2": b"-SET SASAUTOS ("}

LINK = "\\Kelvarion.lnk"
MENU_LINK = "\\Corvantis\\KELVARION\\Kelvarion.lnk"


class Installation(E2ECase):
    def folders(self, driver):
        return {name: driver.special_folder(name)
                for name in ("desktop", "programs", "common_desktop", "common_programs")}

    def assert_shortcuts(self, machine, driver, edition, root, sas, desktop, programs):
        arguments = expected.shortcut_arguments(edition, sas.shortcut_config(), root)
        icon = root + "\\" + PROGRAM_NAMES[edition] + ".icx"
        for link in (desktop + LINK, programs + MENU_LINK):
            self.assert_shortcut(machine, driver, link, sas.exe(), arguments, sas.root, icon)

    def assert_config(self, machine, sas, original, root, times):
        edited = machine.read(sas.edited_config())
        self.assertEqual(edited, expected_edit(original, ANCHORS[sas.version], root, times))
        # Replaced through a temporary file beside it: none may be left.
        folder = machine.path(sas.edited_config()).parent
        self.assertEqual(sorted(p.name for p in folder.iterdir()),
                         sorted(["sas.exe", "SASV8.CFG"] if sas.version == "8" else ["SASV9.CFG"]))

    def test_current_fresh_machine_then_again_with_enter(self):
        machine = self.new_machine("current-twice")
        lay_down(machine, [SAS91, SAS92_64], all_users="0")
        original = machine.read(SAS91.edited_config())
        driver, _ = self.open_program(machine, "current", ROOT_X86)
        folders = self.folders(driver)
        self.run_installation(driver, "current", "click")
        files = self.assert_product_files(machine, ROOT_X86, "current")
        self.assertEqual(self.listing(machine, ROOT_X86), sorted(
            list(files) + [f.replace("/", "\\") for f in expected.PRODUCT_FOLDERS]
            + [PROGRAM_NAMES["current"] + ".exe"]))
        self.assert_config(machine, SAS91, original, ROOT_X86, 1)
        self.assert_shortcuts(machine, driver, "current", ROOT_X86, SAS91,
                              folders["desktop"], folders["programs"])
        self.assertFalse(machine.exists(folders["common_desktop"] + LINK))
        machine.screenshot("install-current-before-second")

        # Second installation: the configuration names the folder already
        # (even with "(x86)" in the install root) and stays as it is.
        config_path = machine.path(SAS91.edited_config())
        first_edit = config_path.read_bytes()
        first_mtime = config_path.stat().st_mtime_ns
        self.open_program(machine, "current", ROOT_X86, driver)
        self.run_installation(driver, "current", "enter")
        self.assertEqual(config_path.read_bytes(), first_edit)
        self.assertEqual(config_path.stat().st_mtime_ns, first_mtime, "rewritten though unchanged")
        self.assert_product_files(machine, ROOT_X86, "current")
        self.assert_shortcuts(machine, driver, "current", ROOT_X86, SAS91,
                              folders["desktop"], folders["programs"])

    def test_current_sas92_64bit_for_all_users(self):
        machine = self.new_machine("current-all-users")
        lay_down(machine, [SAS92_64], all_users="1")
        original = machine.read(SAS92_64.edited_config())
        driver, _ = self.open_program(machine, "current", ROOT_SPACES)
        folders = self.folders(driver)
        _, controls = driver.dump()
        self.assertTrue(controls[SAS92_OPTION]["checked"])
        self.run_installation(driver, "current")
        self.assert_product_files(machine, ROOT_SPACES, "current")
        self.assert_config(machine, SAS92_64, original, ROOT_SPACES, 1)
        self.assert_shortcuts(machine, driver, "current", ROOT_SPACES, SAS92_64,
                              folders["common_desktop"], folders["common_programs"])
        self.assertFalse(machine.exists(folders["desktop"] + LINK))
        self.assertFalse(machine.exists(folders["programs"] + MENU_LINK))
        # The product's Start-menu folders are made for the user all the same.
        self.assertTrue(machine.path(folders["programs"] + "\\Corvantis\\KELVARION").is_dir())

    def test_current_sas8_replaces_earlier_shortcuts(self):
        machine = self.new_machine("current-sas8")
        lay_down(machine, [SAS8, SAS91], all_users="")
        original = machine.read(SAS8.edited_config())
        driver, _ = self.open_program(machine, "current", ROOT_X86)
        folders = self.folders(driver)
        for link in (folders["desktop"] + LINK, folders["programs"] + MENU_LINK):
            machine.path(link).parent.mkdir(parents=True, exist_ok=True)
            driver.lnk_write(link, "C:\\Old\\old.exe", "-old", "C:\\Old", "old shortcut")
        driver.click(SAS8_OPTION)
        driver.wait(SAS8_OPTION, "checked", True)
        self.run_installation(driver, "current")
        self.assert_product_files(machine, ROOT_X86, "current")
        self.assert_config(machine, SAS8, original, ROOT_X86, 1)
        self.assert_shortcuts(machine, driver, "current", ROOT_X86, SAS8,
                              folders["desktop"], folders["programs"])

    def test_current_missing_sas_config_file_fails_then_again(self):
        machine = self.new_machine("current-no-config")
        lay_down(machine, [SAS91], all_users="0")
        config = machine.path(SAS91.edited_config())
        original = config.read_bytes()
        config.unlink()
        driver, _ = self.open_program(machine, "current", ROOT_SPACES)
        config_step = expected.step_index("Config SAS System ...")
        box = self.run_failing_installation(driver, config_step,
                                            press=("Creating join.sas ...", VK_ESCAPE))
        self.assert_box_names(box, SAS91.edited_config())
        self.assertFalse(machine.exists(ROOT_SPACES + "\\kelvarion.cfg"), "written after a failed SAS step")
        self.assertFalse(config.exists())
        files = expected.product_files(ROOT_SPACES, "current")
        for relative in files:
            if relative != "kelvarion.cfg":
                self.assertEqual(machine.read(ROOT_SPACES + "\\" + relative), files[relative])
        machine.screenshot("install-current-failed-config")
        # The Esc pressed during the run was dropped, not kept for later: the
        # window is still open and takes Enter for a second run.
        config.write_bytes(original)
        self.run_installation(driver, "current", "enter")
        self.assert_product_files(machine, ROOT_SPACES, "current")
        self.assert_config(machine, SAS91, original, ROOT_SPACES, 1)

    def test_legacy_fresh_machine_then_again(self):
        machine = self.new_machine("legacy-twice")
        lay_down(machine, [SAS8, SAS91])
        original = machine.read(SAS91.edited_config())
        # A kelvarion.cfg left by the current edition is not the legacy one's.
        leftover = machine.write(ROOT_X86 + "\\kelvarion.cfg", b"-awstitle 'left by the current edition'\r\n")
        driver, _ = self.open_program(machine, "legacy", ROOT_X86)
        folders = self.folders(driver)
        self.run_installation(driver, "legacy", "enter")
        self.assert_product_files(machine, ROOT_X86, "legacy")
        self.assert_config(machine, SAS91, original, ROOT_X86, 1)
        self.assert_shortcuts(machine, driver, "legacy", ROOT_X86, SAS91,
                              folders["desktop"], folders["programs"])
        machine.screenshot("install-legacy-first")
        # The legacy edition inserts on every installation, newest on top.
        self.open_program(machine, "legacy", ROOT_X86, driver)
        self.run_installation(driver, "legacy", "click")
        self.assert_product_files(machine, ROOT_X86, "legacy")
        self.assert_config(machine, SAS91, original, ROOT_X86, 2)
        self.assert_shortcuts(machine, driver, "legacy", ROOT_X86, SAS91,
                              folders["desktop"], folders["programs"])
        self.assertEqual(leftover.read_bytes(), b"-awstitle 'left by the current edition'\r\n")

    def test_legacy_saspgm_cannot_be_made_then_again(self):
        machine = self.new_machine("legacy-no-saspgm")
        lay_down(machine, [SAS8])
        original = machine.read(SAS8.edited_config())
        blocker = machine.write(ROOT_SPACES + "\\saspgm", b"a file where the folder should be")
        driver, _ = self.open_program(machine, "legacy", ROOT_SPACES)
        box = self.run_failing_installation(driver, 0)
        # The folder fails silently; the first file written into it names itself.
        self.assert_box_names(box, ROOT_SPACES + "\\saspgm\\autoexec.sas")
        self.assertEqual(machine.read(SAS8.edited_config()), original)
        self.assertTrue(machine.path(ROOT_SPACES + "\\data\\models").is_dir(), "other folders still made")
        blocker.unlink()
        self.run_installation(driver, "legacy", "click")
        self.assert_product_files(machine, ROOT_SPACES, "legacy")
        self.assert_config(machine, SAS8, original, ROOT_SPACES, 1)

    # --- files another program holds --------------------------------------
    # A scanner, indexer or sync client reads the file sharing reading (and
    # writing), but not deleting, which a replace needs.

    def hold_config_then_install(self, edition, share, milliseconds, name):
        machine = self.new_machine(name)
        lay_down(machine, [SAS91], all_users="0")
        original = machine.read(SAS91.edited_config())
        driver, _ = self.open_program(machine, edition, ROOT_SPACES)
        driver.hold(SAS91.edited_config(), share, milliseconds)
        return machine, driver, original

    def test_current_config_held_for_a_moment(self):
        machine, driver, original = self.hold_config_then_install(
            "current", "read_write", 1500, "current-config-held")
        self.run_installation(driver, "current")
        self.assert_config(machine, SAS91, original, ROOT_SPACES, 1)

    def test_legacy_config_held_for_a_moment(self):
        machine, driver, original = self.hold_config_then_install(
            "legacy", "read_write", 1500, "legacy-config-held")
        self.run_installation(driver, "legacy")
        self.assert_config(machine, SAS91, original, ROOT_SPACES, 1)

    def test_current_config_held_throughout_sharing_writing_is_written_in_place(self):
        machine, driver, original = self.hold_config_then_install(
            "current", "read_write", 0, "current-config-held-throughout")
        self.run_installation(driver, "current")
        driver.release()
        self.assert_config(machine, SAS91, original, ROOT_SPACES, 1)

    def test_legacy_config_held_sharing_reading_only_fails_and_stays_whole(self):
        machine, driver, original = self.hold_config_then_install(
            "legacy", "read", 0, "legacy-config-held-read-only")
        config_step = expected.step_index("Config SAS System ...")
        box = self.run_failing_installation(driver, config_step)
        self.assert_box_names(box, SAS91.edited_config())
        # The steps before take about a second, the waits for the holder
        # about four: the box comes within seconds, not never.
        self.assertLess(box["t"], 8000, "Install to the failure box")
        driver.release()
        self.assertEqual(machine.read(SAS91.edited_config()), original)
        folder = machine.path(SAS91.edited_config()).parent
        self.assertEqual(sorted(p.name for p in folder.iterdir()), ["SASV9.CFG"])
        machine.screenshot("install-legacy-config-held")

    def test_current_desktop_shortcut_held_for_a_moment_on_a_second_run(self):
        machine = self.new_machine("current-shortcut-held")
        lay_down(machine, [SAS91], all_users="0")
        driver, _ = self.open_program(machine, "current", ROOT_SPACES)
        folders = self.folders(driver)
        self.run_installation(driver, "current")
        self.open_program(machine, "current", ROOT_SPACES, driver)
        driver.hold(folders["desktop"] + LINK, "read_write", 1200)
        self.run_installation(driver, "current")
        self.assert_shortcuts(machine, driver, "current", ROOT_SPACES, SAS91,
                              folders["desktop"], folders["programs"])
        self.assertEqual(self.listing(machine, folders["desktop"]), ["Kelvarion.lnk"])
