"""The signed current edition, as test_signed_package.py left it unpacked
(CTest: release.signed_program_starts, after release.signed_package), starts
under Wine on the bundled sample machine, shows its window, and ends with exit
code 0 on Exit. Exit 77 (skipped), saying why, where Wine starts no 32-bit
programs (tools/wine/arch.sh).

  test_signed_program_starts.py SIGNED_PROGRAM

It uses the end-to-end harness (e2e/harness), with the environment that
CTest gives the end-to-end tests."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))

from harness import environment, settings  # noqa: E402
from harness.driver import EXIT_BUTTON, INSTALL_BUTTON  # noqa: E402
from harness.sas_setup import lay_down, sample_machine  # noqa: E402
from harness.wine_machine import WineMachine  # noqa: E402

SKIPPED = 77
PROGRAM = []


class SignedProgramStarts(unittest.TestCase):
    def test_signed_current_edition_shows_its_window_and_exits(self):
        install_root, sas_list = sample_machine()
        with WineMachine("release") as machine:
            lay_down(machine, sas_list, all_users="0")
            exe = machine.copy_program(PROGRAM[0], install_root)
            driver = machine.driver()
            driver.start(exe, install_root)
            window = driver.wait_window()
            self.assertEqual(window["title"], "Kelvarion installation")
            _, controls = driver.dump()
            self.assertTrue(controls[INSTALL_BUTTON]["enabled"], controls)
            driver.click(EXIT_BUTTON)
            self.assertEqual(driver.wait_exit(30000)["exit_code"], 0)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if environment.wine_arch() != 32:
        print("skipped: Wine starts no 32-bit programs on this machine (tools/wine/arch.sh), "
              "so the signed 32-bit program cannot be started here; its signature and sums "
              "are checked by release.signed_package")
        return SKIPPED
    PROGRAM.append(Path(sys.argv[1]))
    settings.driver_exe()  # the harness's environment is there: fail early if not
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(SignedProgramStarts)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
