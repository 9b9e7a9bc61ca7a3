"""Bad input that only the whole program under Wine can show: an install root
longer than MAX_PATH, which Windows will not start a program from by
CreateProcessW, and which the installation must then use whole. Targets
that cannot be written, odd configuration bytes and roots the code page
cannot hold are pinned where they are decided: tests/bad_input (the rules, on
the in-memory platform) and tests/win32 (Windows' answers)."""

import subprocess
import unittest

from e2e_case import E2ECase, expected_edit
from harness import settings
from harness.driver import DriverError
from harness.sas_setup import Sas, lay_down

SAS91 = Sas("9.1", "C:\\Program Files\\SAS\\SAS 9.1", files="sas91")


class BadInput(E2ECase):
    def machine_with_sas(self, name):
        machine = self.new_machine(name)
        lay_down(machine, [SAS91], all_users="0")
        return machine

    def test_root_longer_than_max_path(self):
        machine = self.machine_with_sas("long-root")
        original = machine.read(SAS91.edited_config())
        root = "C:\\Kelvarion\\" + "\\".join("long folder name %02d" % i for i in range(14))
        self.assertGreater(len(root), 260)
        exe = machine.copy_program(settings.program("current"), root)
        # CreateProcessW, as a shell starts programs, refuses the path.
        started = _start_in_a_driver_of_its_own(machine, exe, root)
        self.assertFalse(started["ok"], started)
        # Which error Wine gives for the over-long name (2 or 123) varies
        # between builds of the driver; that it refuses is what matters here.
        self.assertIn("CreateProcessW failed", started["error"])
        # Wine's own loader starts it; the installation then uses the whole root.
        loader = subprocess.Popen(machine.wine_command(exe), env=machine.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(_end, loader)
        driver = machine.driver()
        driver.call("attach_window", 30000, timeout_ms=30000)
        self.run_installation(driver, "current")
        self.assert_product_files(machine, root, "current")
        self.assertEqual(machine.read(SAS91.edited_config()),
                         expected_edit(original, b"-SET SASAUTOS (", root))


def _start_in_a_driver_of_its_own(machine, exe, folder):
    """The driver's answer to starting `exe`. Wine 8's CreateProcessW, given a
    name longer than MAX_PATH, can damage the process that calls it: under
    load the 64-bit driver died there, or its next CreateThread failed with
    998. So a throwaway driver asks, and a driver that died before answering
    is replaced (three tries)."""
    for _ in range(3):
        driver = machine.driver()
        try:
            return driver.call("start", exe, folder, check=False)
        except DriverError as error:
            if "the driver ended" not in str(error):
                raise
        finally:
            driver.close()
    raise AssertionError("three drivers died in CreateProcessW before answering")


def _end(process):
    if process.poll() is None:
        process.kill()
    process.wait(timeout=30)


if __name__ == "__main__":
    unittest.main()
