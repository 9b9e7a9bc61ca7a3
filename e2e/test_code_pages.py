"""Whole installations on Japanese, Chinese and Thai Windows: Wine runs with
the ANSI code page 932, 936 or 874, and the program sits in a folder named in
that script. In 932 and 936 the second byte of a character can be a
backslash ("ソ" is 83 5C, "表" 95 5C, "乗" 81 5C), which the SAS
configuration edit must not take for a path separator. Every file is compared
with the expected bytes encoded here by Python's own codec of the code page;
these code pages lack the trade-mark sign of the window title, which becomes
their default character "?"."""

from e2e_case import E2ECase, PROGRAM_NAMES, expected_edit
from harness import expected
from harness.sas_setup import Sas, lay_down

SAS91 = Sas("9.1", "C:\\Program Files\\SAS\\SAS 9.1", files="sas91")
LINK = "\\Kelvarion.lnk"
MENU_LINK = "\\Corvantis\\KELVARION\\Kelvarion.lnk"

# Linux locale, Python codec, an install root in the local script.
JAPANESE = ("ja_JP.UTF-8", "cp932", "C:\\ソフト表\\Kelvarion")
CHINESE = ("zh_CN.UTF-8", "cp936", "C:\\软件乗\\Kelvarion")
THAI = ("th_TH.UTF-8", "cp874", "C:\\โปรแกรม\\Kelvarion")


class CodePageInstallation(E2ECase):
    def install(self, local, edition, runs):
        lang, code_page, root = local
        machine = self.new_machine(f"{code_page}-{edition}", lang)
        lay_down(machine, [SAS91], all_users="0")
        original = machine.read(SAS91.edited_config())
        driver, _ = self.open_program(machine, edition, root)
        self.assertEqual(driver.call("acp")["acp"], int(code_page[2:]), "Wine runs another code page")
        desktop = driver.special_folder("desktop")
        programs = driver.special_folder("programs")
        machine.screenshot(f"window-{code_page}-{edition}")
        for run in range(1, runs + 1):
            if run > 1:
                self.open_program(machine, edition, root, driver)
            self.run_installation(driver, edition)
            self.assert_product_files(machine, root, edition, code_page)
            # The current edition finds its entry again through the code page;
            # the legacy one adds one on every run.
            times = 1 if edition == "current" else run
            self.assertEqual(machine.read(SAS91.edited_config()),
                             expected_edit(original, b"-SET SASAUTOS (", root, times, code_page))
        arguments = expected.shortcut_arguments(edition, SAS91.shortcut_config(), root)
        icon = root + "\\" + PROGRAM_NAMES[edition] + ".icx"
        for link in (desktop + LINK, programs + MENU_LINK):
            self.assert_shortcut(machine, driver, link, SAS91.exe(), arguments, SAS91.root, icon)

    def test_japanese_current_twice(self):
        self.install(JAPANESE, "current", 2)

    def test_japanese_legacy_twice(self):
        self.install(JAPANESE, "legacy", 2)

    def test_chinese_current_twice(self):
        self.install(CHINESE, "current", 2)

    def test_chinese_legacy(self):
        self.install(CHINESE, "legacy", 1)

    def test_thai_current(self):
        self.install(THAI, "current", 1)

    def test_thai_legacy(self):
        self.install(THAI, "legacy", 1)
