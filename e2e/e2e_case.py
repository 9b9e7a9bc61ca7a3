"""Shared steps of the end-to-end tests: a machine per test, the program
started in its install root, an installation run and recorded, and the
checks of what it wrote."""

import unittest

from harness import expected, settings
from harness.driver import (EXIT_BUTTON, INSTALL_BUTTON, STATUS_LABEL, PROGRESS_BAR, VK_RETURN)
from harness.lnkinfo import lnkinfo, show_command
from harness.wine_machine import WineMachine

# Install roots as users and packagers make them: spaces, an apostrophe, "(x86)".
ROOT_X86 = "C:\\Program Files (x86)\\Kel'varion Tools"
ROOT_SPACES = "C:\\Data Tools\\Kelvarion Suite"

PROGRAM_NAMES = {"current": "Kelvarion_Post_Installation_setup",
                 "legacy": "Kelvarion_Post_Installation_setup_legacy"}


class E2ECase(unittest.TestCase):
    maxDiff = None

    def new_machine(self, name, lang=None):
        machine = WineMachine(name, lang=lang).__enter__()
        self.addCleanup(machine.__exit__, None, None, None)
        return machine

    def open_program(self, machine, edition, install_root, driver=None):
        """Copies the program into its install root (once) and starts it there,
        as a user does from Explorer. Returns the driver and the window."""
        exe = install_root + "\\" + PROGRAM_NAMES[edition] + ".exe"
        if not machine.exists(exe):
            machine.copy_program(settings.program(edition), install_root)
        driver = driver or machine.driver()
        driver.start(exe, install_root)
        window = driver.wait_window()
        return driver, window

    # --- an installation ----------------------------------------------

    def run_installation(self, driver, edition, trigger="click"):
        """Install (click or Enter) to the Notice box and the program's end;
        checks captions, progress values, their order and the time taken."""
        recording = driver.record(60000, _install_action(trigger))
        self.assertEqual(recording["end"], "msgbox", recording)
        self.assertTrue(recording["events"][0]["install_enabled"], "the recording began after Install")
        self.assert_steps(recording["events"], len(expected.STEP_CAPTIONS), done=True)
        notice = driver.msgbox()
        self.assertEqual(notice["box"]["title"], expected.NOTICE_TITLE)
        self.assertEqual(notice["box"]["text"], expected.NOTICE_TEXT)
        self.assertFalse(notice["owner_enabled"], "the Notice box must be modal")
        self.assertGreaterEqual(notice["t"], expected.pause_floor_ms(edition),
                                "Install to Notice faster than its pauses")
        ended = driver.wait_exit(20000)
        self.assertEqual(ended["exit_code"], 0)
        return recording

    def run_failing_installation(self, driver, failing_step, trigger="click", press=None):
        """Install until the step `failing_step` (0-based) fails: its failure
        box, then its failure caption with the window idle and open. `press`:
        (caption, key) pressed while the sequence runs."""
        recording = driver.record(60000, _install_action(trigger), press=press)
        self.assertTrue(recording["events"][0]["install_enabled"], "the recording began after Install")
        if press:
            self.assertIn("pressed_at", recording, f"{press[0]!r} never showed")
        self.assertEqual(recording["end"], "msgbox", recording)
        box = driver.msgbox()
        self.assertEqual(box["box"]["title"], "Error!")
        self.assertTrue(box["box"]["text"].strip(), "the failure box must say what failed")
        self.assertTrue(box["box"]["has_icon"])
        after = driver.record(20000, stop_prefix="Error")
        self.assertEqual(after["end"], "caption", after)
        events = recording["events"] + after["events"]
        self.assert_steps(events, failing_step + 1, done=False)
        self.assertEqual(events[-1]["caption"], expected.FAILURE_CAPTIONS[failing_step])
        _, controls = driver.dump()
        self.assertEqual(controls[PROGRESS_BAR]["pos"], expected.STEP_PROGRESS[failing_step])
        self.assertEqual(controls[STATUS_LABEL]["caption"], expected.FAILURE_CAPTIONS[failing_step])
        self.assertTrue(controls[INSTALL_BUTTON]["enabled"])
        self.assertTrue(controls[EXIT_BUTTON]["enabled"])
        self.assertTrue(driver.running())
        return box

    def assert_box_names(self, box, path):
        """A failure box that says which file failed: the path first, then
        the system's description. Returns the description."""
        text = box["box"]["text"]
        self.assertTrue(text.startswith(path + ": "), f"the box must name {path}: {text!r}")
        description = text[len(path) + 2:]
        self.assertTrue(description.strip(), f"no description after the path: {text!r}")
        return description

    def assert_steps(self, events, steps, done):
        """The captions of the first `steps` steps in order (then "Installation
        completed." when done), and progress readings that fit them.

        The caption is read as the window holds it, at any time. The progress
        position is answered only when the program pumps messages (after each
        change it shows, while it waits for a held file, and in a message
        box), and on a loaded machine an answer can reach the driver
        a step or more after it was asked for. Each reading carries the
        caption when it was asked for ("since") and the caption when it was
        noted: its value must be one of the steps' values, at least the value
        of the step before the first caption (the bar was not yet advanced)
        and at most the value of the second. The readings rise, and the last
        value is reached. (The exact value set at each step is proven by the
        window's own tests.)"""
        captions = expected.STEP_CAPTIONS[:steps] + ([expected.DONE_CAPTION] if done else [])
        values = expected.STEP_PROGRESS[:steps] + ([100] if done else [])
        first = next((i for i, e in enumerate(events) if e["caption"] == captions[0]), None)
        self.assertIsNotNone(first, f"never showed {captions[0]!r}: {events}")
        run = events[first:]
        if not done:
            failure = expected.FAILURE_CAPTIONS[steps - 1]
            self.assertEqual(run[-1]["caption"], failure, events)
            run = [e for e in run if e["caption"] != failure]
        self.assertEqual(_dedupe(e["caption"] for e in run), captions, events)
        # Readings asked for before the run, or during its first caption
        # before the bar was set to 0, show the bar of before; -1: no answer.
        fresh = [e for e in run if e["pos"] != -1 and e["since"] in captions
                 and not (e["since"] == captions[0] and e["pos"] != 0)]
        for event in fresh:
            asked, noted = captions.index(event["since"]), captions.index(event["caption"])
            self.assertIn(event["pos"], values, f"not a step's value: {event}: {events}")
            self.assertTrue(values[max(asked - 1, 0)] <= event["pos"] <= values[noted],
                            f"progress that does not fit its captions: {event}: {events}")
        seen = _dedupe(e["pos"] for e in fresh)
        self.assertEqual(seen, sorted(set(seen)), f"progress went back: {events}")
        self.assertTrue(seen and seen[-1] == values[-1], f"never reached {values[-1]}: {events}")
        # Busy until the last step has returned; on success the window is idle
        # again before "Installation completed." shows.
        busy = [e for e in run if e["caption"] in captions[:steps - 1 if done else steps]]
        self.assertTrue(busy and all(not e["install_enabled"] for e in busy),
                        f"Install enabled while busy: {events}")

    # --- what an installation wrote -----------------------------------

    def assert_product_files(self, machine, root, edition, code_page=expected.CODE_PAGE):
        """Every generated file byte for byte, and every product folder there.
        Returns the expected files, so that the caller can check that nothing
        else was written."""
        files = expected.product_files(root, edition, code_page)
        for relative, content in files.items():
            path = root + "\\" + relative
            self.assertTrue(machine.exists(path), f"{path} was not written")
            self.assertEqual(machine.read(path), content, f"{path} differs")
        for folder in expected.PRODUCT_FOLDERS:
            self.assertTrue(machine.path(root + "\\" + folder).is_dir(), folder)
        return files

    def listing(self, machine, windows_folder):
        base = machine.path(windows_folder)
        return sorted(str(p.relative_to(base)).replace("/", "\\") for p in base.rglob("*"))

    def assert_shortcut(self, machine, driver, link, target, arguments, folder, icon):
        """One shortcut read back twice: by the shell (IShellLinkW::Load in the
        driver) and by lnkinfo; the show command from the file's bytes."""
        self.assertTrue(machine.exists(link), f"no shortcut at {link}")
        shell = driver.lnk_read(link)
        self.assertEqual(shell["target"].lower(), target.lower())
        self.assertEqual(shell["arguments"], arguments)
        self.assertEqual(shell["working_directory"], folder)
        self.assertEqual(shell["description"], "Kelvarion")
        self.assertEqual(shell["icon_path"], icon)
        self.assertEqual(shell["icon_index"], 0)
        path = machine.path(link)
        self.assertEqual(show_command(path), 3, "the shortcut must open SAS maximised")
        parsed = lnkinfo(path)
        self.assertEqual(parsed.get("Local path", "").lower(), target.lower(), parsed)
        self.assertEqual(parsed.get("Command line arguments"), arguments, parsed)
        self.assertEqual(parsed.get("Working directory"), folder, parsed)
        self.assertEqual(parsed.get("Description"), "Kelvarion", parsed)
        self.assertEqual(parsed.get("Icon location"), icon, parsed)


def _install_action(trigger):
    return ("click", INSTALL_BUTTON) if trigger == "click" else ("key", VK_RETURN)


def _dedupe(items):
    out = []
    for item in items:
        if not out or out[-1] != item:
            out.append(item)
    return out


def expected_edit(original: bytes, anchor: bytes, root: str, times=1,
                  code_page=expected.CODE_PAGE) -> bytes:
    """The SAS configuration after `times` installations: the macro folder's
    entry put on a line of its own right after the "(" that ends `anchor`,
    the newest on top; every other byte as it was. An entry that followed the
    "(" on its line is kept apart from ours by one blank: SAS would read
    "..."" as an escaped quote joining the two."""
    if original.count(anchor) != 1:
        raise ValueError("the anchor must occur exactly once")
    entry = expected.inserted_entry(root).encode(code_page)
    after = original[original.index(anchor) + len(anchor):][:1]
    gap = b" " if after and after not in b" \t\r\n)" else b""
    return original.replace(anchor, anchor + (b"\r\n" + entry) * times + gap)
