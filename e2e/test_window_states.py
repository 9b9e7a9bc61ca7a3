"""The main window of both programs for each machine set-up: every control's
class, caption, place, enabled and checked state; Esc and Exit end the
program; Enter does nothing while Install is disabled."""

from e2e_case import E2ECase, ROOT_SPACES, ROOT_X86
from harness.driver import (EXIT_BUTTON, VERSION_FRAME, BUTTON_FRAME, PROGRESS_FRAME, STATUS_LABEL, SAS8_OPTION, SAS91_OPTION,
                            SAS92_OPTION, PROGRESS_BAR, CONFIG_TEXT_BOX, VK_ESCAPE, VK_RETURN, INSTALL_BUTTON)
from harness.sas_setup import Sas, lay_down

SAS8 = Sas("8", "C:\\SAS\\V8", files="sas8")
SAS91 = Sas("9.1", "C:\\Program Files\\SAS\\SAS 9.1", files="sas91")
SAS92_64 = Sas("9.2", "C:\\Program Files\\SAS\\SASFoundation\\9.2", view=64, files="sas92")

# The design of the window, in twips: (container, left, top, width, height).
LAYOUT = {
    VERSION_FRAME: (None, 240, 240, 3375, 1695),
    SAS8_OPTION: (VERSION_FRAME, 120, 240, 2055, 375),
    SAS91_OPTION: (VERSION_FRAME, 120, 720, 2055, 375),
    INSTALL_BUTTON: (BUTTON_FRAME, 120, 240, 1215, 375),
    EXIT_BUTTON: (BUTTON_FRAME, 120, 720, 1215, 375),
    BUTTON_FRAME: (None, 3720, 240, 1455, 1215),
    PROGRESS_FRAME: (None, 240, 2160, 4935, 1095),
    PROGRESS_BAR: (PROGRESS_FRAME, 240, 600, 4455, 255),
    STATUS_LABEL: (PROGRESS_FRAME, 240, 240, 4455, 255),
    CONFIG_TEXT_BOX: (None, 6360, 3360, 9735, 5295),
    SAS92_OPTION: (VERSION_FRAME, 120, 1200, 2055, 375),
}
LEGACY_LAYOUT = dict(LAYOUT)
LEGACY_LAYOUT.update({
    VERSION_FRAME: (None, 240, 240, 3375, 1215),
    PROGRESS_FRAME: (None, 240, 1560, 4935, 1095),
    CONFIG_TEXT_BOX: (None, 5400, 2760, 9735, 5295),
})
del LEGACY_LAYOUT[SAS92_OPTION]

# Class, button kind (style) and caption at design.
DESIGN = {
    VERSION_FRAME: ("Button", "groupbox", "SAS version"),
    SAS8_OPTION: ("Button", "autoradio", "SAS System version 8"),
    SAS91_OPTION: ("Button", "autoradio", "SAS System version 9.1"),
    INSTALL_BUTTON: ("Button", "push", "Install"),
    EXIT_BUTTON: ("Button", "push", "Exit"),
    BUTTON_FRAME: ("Button", "groupbox", ""),
    PROGRESS_FRAME: ("Button", "groupbox", ""),
    PROGRESS_BAR: ("msctls_progress32", None, ""),
    STATUS_LABEL: ("Static", None, "Progressing"),
    CONFIG_TEXT_BOX: ("Edit", None, ""),
    SAS92_OPTION: ("Button", "autoradio", "SAS System version 9.2"),
}

# For each set-up and edition: (enabled, checked) of the SAS 8, 9.1 and 9.2 option buttons
# (legacy: the first two), and whether Install is enabled.
E, D = True, False  # enabled, disabled
X, O = True, False  # checked, clear
SETUPS = {
    "no_sas": ([], {"current": ([(D, X), (D, O), (D, O)], D), "legacy": ([(D, X), (D, O)], D)}),
    "sas8_only": ([SAS8], {"current": ([(E, X), (D, O), (D, O)], E), "legacy": ([(E, X), (D, O)], E)}),
    "sas91_only": ([SAS91], {"current": ([(D, O), (E, X), (D, O)], E), "legacy": ([(D, O), (E, X)], E)}),
    "sas8_and_91": ([SAS8, SAS91], {"current": ([(E, O), (E, X), (D, O)], E),
                                    "legacy": ([(E, O), (E, X)], E)}),
    "sas91_and_92": ([SAS91, SAS92_64], {"current": ([(D, O), (E, X), (E, O)], E),
                                         "legacy": ([(D, O), (E, X)], E)}),
    # A 64-bit SAS 9.2 registers in the 64-bit view only. When it is the only
    # version found, its button is selected; the legacy edition knows no 9.2.
    "sas92_only": ([SAS92_64], {"current": ([(D, O), (D, O), (E, X)], E),
                                "legacy": ([(D, X), (D, O)], D)}),
}


def pixels(twips, dpi):
    return (twips * dpi + 720) // 1440


class WindowStates(E2ECase):
    def check_setup(self, name, closing):
        sas_list, states = SETUPS[name]
        machine = self.new_machine(name)
        lay_down(machine, sas_list, all_users="0")
        for edition, (options, install_enabled) in states.items():
            with self.subTest(edition=edition):
                root = ROOT_X86 if edition == "current" else ROOT_SPACES
                driver, window = self.open_program(machine, edition, root)
                window, controls = driver.dump()
                self.check_design(edition, window, controls)
                ids = [SAS8_OPTION, SAS91_OPTION, SAS92_OPTION][:len(options)]
                for control, (enabled, checked) in zip(ids, options):
                    self.assertEqual((controls[control]["enabled"], controls[control]["checked"]),
                                     (enabled, checked), f"{name}: option {control}")
                self.assertEqual(controls[INSTALL_BUTTON]["enabled"], install_enabled)
                self.assertTrue(controls[EXIT_BUTTON]["enabled"])
                machine.screenshot(f"window-{edition}-{name}")
                self.close(driver, closing[edition], install_enabled, machine, root)

    def check_design(self, edition, window, controls):
        layout = LAYOUT if edition == "current" else LEGACY_LAYOUT
        self.assertEqual(window["title"], "Kelvarion installation")
        self.assertFalse(window["minimize_box"])
        self.assertFalse(window["maximize_box"])
        dpi_x, dpi_y = window["dpi"]
        height = 3420 if edition == "current" else 2880
        self.assertEqual(window["client"], [pixels(5430, dpi_x), pixels(height, dpi_y)])
        # Centred on the screen.
        screen_w, screen_h = window["screen"]
        left, top, right, bottom = window["rect"]
        self.assertLessEqual(abs((left + right) - screen_w), 2)
        self.assertLessEqual(abs((top + bottom) - screen_h), 2)
        self.assertEqual(sorted(controls), sorted(layout))
        for control, (container, x, y, w, h) in layout.items():
            cls, kind, caption = DESIGN[control]
            found = controls[control]
            self.assertEqual(found["class"].lower(), cls.lower(), control)
            if kind:
                self.assertEqual(found["kind"], kind, control)
            if control not in (SAS8_OPTION, SAS91_OPTION, SAS92_OPTION):
                self.assertEqual(found["caption"], caption, control)
                self.assertTrue(found["visible"], control)
            if container is not None:
                x += layout[container][1]
                y += layout[container][2]
            want = [pixels(x, dpi_x), pixels(y, dpi_y), pixels(x + w, dpi_x), pixels(y + h, dpi_y)]
            for got, expect in zip(found["rect"], want):
                self.assertLessEqual(abs(got - expect), 1, f"control {control} at {found['rect']}, want {want}")
        for option in (SAS8_OPTION, SAS91_OPTION, SAS92_OPTION):
            if option in layout:
                self.assertEqual(controls[option]["caption"], DESIGN[option][2])
        self.assertEqual(controls[PROGRESS_BAR]["pos"], 0)
        self.assertEqual(controls[PROGRESS_BAR]["range"], [0, 100])
        # The configuration text box is a buffer the user never sees: outside the client
        # area but for the legacy edition's corner of 30 x 120 twips.
        text_left, text_top = controls[CONFIG_TEXT_BOX]["rect"][:2]
        client_w, client_h = window["client"]
        if edition == "current":
            self.assertGreaterEqual(text_left, client_w)
        else:
            self.assertLessEqual(client_w - text_left, pixels(30, dpi_x) + 1)
            self.assertLessEqual(client_h - text_top, pixels(120, dpi_y) + 1)

    def close(self, driver, how, install_enabled, machine, root):
        """Closes the window by Esc or Exit and waits for the program's end.
        With Install disabled, Enter goes first: it must start nothing."""
        if how == "esc":
            if not install_enabled:
                driver.key(VK_RETURN)
            driver.key(VK_ESCAPE)
        else:
            driver.click(EXIT_BUTTON)
        self.assertEqual(driver.wait_exit(20000)["exit_code"], 0)
        self.assertFalse(machine.exists(root + "\\saspgm"), "the window closed, nothing installed")

    def test_no_sas(self):
        self.check_setup("no_sas", {"current": "esc", "legacy": "esc"})

    def test_sas8_only(self):
        self.check_setup("sas8_only", {"current": "exit", "legacy": "esc"})

    def test_sas91_only(self):
        self.check_setup("sas91_only", {"current": "esc", "legacy": "exit"})

    def test_sas8_and_91(self):
        self.check_setup("sas8_and_91", {"current": "exit", "legacy": "esc"})

    def test_sas91_and_92(self):
        self.check_setup("sas91_and_92", {"current": "esc", "legacy": "exit"})

    def test_sas92_only(self):
        self.check_setup("sas92_only", {"current": "exit", "legacy": "esc"})
