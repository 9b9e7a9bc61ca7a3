"""The UI driver proven on a stand-in window of its own (driver/sample_window
.cpp), apart from the programs it checks: it must read what a window shows,
act as a user, and tell a shortcut's contents the way lnkinfo does."""

from e2e_case import E2ECase
from harness import settings
from harness.driver import EXIT_BUTTON, INSTALL_BUTTON, STATUS_LABEL, SAS8_OPTION, SAS91_OPTION, PROGRESS_BAR, VK_ESCAPE, VK_RETURN
from harness.lnkinfo import lnkinfo, show_command
from harness.sas_setup import lay_down

FOLDER = "C:\\Stand-in Window"


class DriverOnSampleWindow(E2ECase):
    def start_sample(self, machine, driver):
        exe = machine.copy_program(settings.sample_window_exe(), FOLDER)
        driver.start(exe, FOLDER)
        return driver.wait_window()

    def test_reads_controls_and_records_a_run(self):
        machine = self.new_machine("driver-run")
        lay_down(machine, [])
        driver = machine.driver()
        window = self.start_sample(machine, driver)
        self.assertEqual(window["title"], "Kelvarion installation")
        self.assertEqual(window["focus_id"], INSTALL_BUTTON)
        _, controls = driver.dump()
        self.assertEqual(sorted(controls), [SAS8_OPTION, SAS91_OPTION, INSTALL_BUTTON, EXIT_BUTTON, PROGRESS_BAR, STATUS_LABEL])
        self.assertEqual((controls[SAS8_OPTION]["kind"], controls[SAS8_OPTION]["checked"]), ("autoradio", True))
        self.assertEqual(controls[SAS91_OPTION]["checked"], False)
        self.assertEqual(controls[INSTALL_BUTTON]["kind"], "push")
        self.assertIsNone(controls[INSTALL_BUTTON]["checked"])
        self.assertEqual(controls[STATUS_LABEL]["caption"], "Progressing")
        self.assertEqual((controls[PROGRESS_BAR]["pos"], controls[PROGRESS_BAR]["range"]), (0, [0, 100]))
        self.assertEqual(controls[SAS8_OPTION]["rect"], [10, 10, 160, 34])

        driver.click(SAS91_OPTION)
        driver.wait(SAS91_OPTION, "checked", True)
        driver.wait(SAS8_OPTION, "checked", False)

        recording = driver.record(20000, ("key", VK_RETURN, "post"))
        self.assertEqual(recording["end"], "msgbox")
        events = recording["events"]
        # First the window as it was before the key, then every step.
        captions = [e["caption"] for e in events]
        self.assertEqual([c for i, c in enumerate(captions) if i == 0 or captions[i - 1] != c],
                         ["Progressing", "Step 1 ...", "Step 2 ...", "Step 3 ...", "Step 4 ...", "Done."])
        self.assertEqual((events[0]["pos"], events[0]["install_enabled"]), (0, True))
        # Each step pumps messages once after setting its value, and a reading
        # is always waiting then; the 0 of step 1 is the bar's 0 before it.
        positions = [e["pos"] for e in events if e["pos"] != -1]  # -1: not answered yet
        self.assertEqual([p for i, p in enumerate(positions) if i == 0 or positions[i - 1] != p],
                         [0, 10, 20, 30, 100])
        # Install is disabled before step 1 shows and enabled again just
        # before "Done." does, so a reading of step 4 may see either.
        self.assertTrue(all(not e["install_enabled"] for e in events
                            if e["caption"] in ("Step 1 ...", "Step 2 ...", "Step 3 ...")), events)
        self.assertTrue(events[-1]["install_enabled"])
        box = driver.msgbox()
        self.assertGreaterEqual(box["t"], 400, "four pauses of 100 ms")
        self.assertEqual((box["box"]["title"], box["box"]["text"]), ("Notice", "All done!"))
        self.assertEqual(box["box"]["buttons"], [{"id": 1, "caption": "OK"}])
        self.assertFalse(box["owner_enabled"])
        self.assertEqual(driver.wait_exit()["exit_code"], 0)

    def test_keys_by_input_and_exit_button(self):
        machine = self.new_machine("driver-keys")
        lay_down(machine, [])
        driver = machine.driver()
        self.start_sample(machine, driver)
        driver.key(VK_ESCAPE, "input")
        driver.wait_exit()
        self.start_sample(machine, driver)
        self.assertTrue(driver.running())
        driver.click(EXIT_BUTTON)
        driver.wait_exit()
        self.assertFalse(driver.running())

    def test_shortcut_read_back_like_lnkinfo(self):
        machine = self.new_machine("driver-lnk")
        driver = machine.driver()
        desktop = driver.special_folder("desktop")
        self.assertTrue(machine.path(desktop).is_dir(), desktop)
        link = desktop + "\\Stand-in.lnk"
        target = "C:\\Program Files\\SAS\\SAS 9.1\\sas.exe"
        machine.write(target, b"")
        arguments = ' -CONFIG "C:\\Program Files\\SAS\\SAS 9.1\\SASV9.CFG" -CONFIG "C:\\Kel\'s Tools\\kelvarion.cfg"'
        driver.lnk_write(link, target, arguments, "C:\\Program Files\\SAS\\SAS 9.1", "Stand-in")
        shell = driver.lnk_read(link)
        self.assertEqual((shell["target"], shell["arguments"], shell["working_directory"], shell["description"]),
                         (target, arguments, "C:\\Program Files\\SAS\\SAS 9.1", "Stand-in"))
        parsed = lnkinfo(machine.path(link))
        self.assertEqual(parsed["Local path"], target)
        self.assertEqual(parsed["Command line arguments"], arguments)
        self.assertEqual(parsed["Working directory"], "C:\\Program Files\\SAS\\SAS 9.1")
        self.assertEqual(parsed["Description"], "Stand-in")
        self.assertEqual(show_command(machine.path(link)), 1, "a shortcut made without a show command")

