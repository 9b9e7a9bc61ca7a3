"""The main job: a whole installation of the current edition under Wine on
the bundled sample machine (sample-sas/), in a throwaway prefix, then a
report of what it did: the files written, the SAS configuration change as a
diff, the two shortcuts, and a screenshot of the window at the end.

Run by scripts/demo.sh, which builds the program and the UI driver first."""

import difflib
import os
import sys
from pathlib import Path

from harness import settings
from harness.driver import INSTALL_BUTTON, STATUS_LABEL, SAS8_OPTION, SAS91_OPTION, SAS92_OPTION, PROGRESS_BAR
from harness.sas_setup import lay_down, sample_machine
from harness.wine_machine import WineMachine

OPTIONS = {SAS8_OPTION: "SAS 8", SAS91_OPTION: "SAS 9.1", SAS92_OPTION: "SAS 9.2"}


def snapshot(machine):
    """Every file on drive C: but Windows' own, with its size and time."""
    drive = machine.path("C:\\")
    files = {}
    for path in drive.rglob("*"):
        relative = path.relative_to(drive)
        if relative.parts and relative.parts[0].lower() == "windows":
            continue
        if path.is_file():
            stat = path.stat()
            files["C:\\" + str(relative).replace("/", "\\")] = (stat.st_size, stat.st_mtime_ns)
    return files


def main():
    out_dir = Path(os.environ.get("KELVARION_DEMO_OUT", Path.cwd() / "demo"))
    install_root, sas_list = sample_machine()
    # The user's own display when there is one, else a virtual one.
    with WineMachine("demo", display=os.environ.get("DISPLAY") or None) as machine:
        print(f"Wine prefix (removed at the end): {machine.prefix}")
        print(f"Display: {machine.env['DISPLAY']}")
        lay_down(machine, sas_list, all_users="0")
        for sas in sas_list:
            print(f"SAS {sas.version}: DefaultRoot {sas.root} ({sas.view}-bit registry view)")
        exe = machine.copy_program(settings.program("current"), install_root)
        print(f"Program: {exe}\n")
        configs = {s.edited_config(): machine.read(s.edited_config()) for s in sas_list}
        before = snapshot(machine)

        driver = machine.driver()
        driver.start(exe, install_root)
        driver.wait_window()
        _, controls = driver.dump()
        chosen = [name for cid, name in OPTIONS.items() if controls[cid]["checked"]]
        enabled = [name for cid, name in OPTIONS.items() if controls[cid]["enabled"]]
        print(f"Window open: versions offered {', '.join(enabled)}; selected {', '.join(chosen)}")

        print("Pressing Install ...")
        recording = driver.record(60000, ("click", INSTALL_BUTTON))
        last = None
        for event in recording["events"]:
            if event["caption"] != last:
                print(f"  {event['t']:7.0f} ms  {event['caption']}")
                last = event["caption"]
        _, controls = driver.dump()
        print(f"  progress bar at {controls[PROGRESS_BAR]['pos']}, caption {controls[STATUS_LABEL]['caption']!r}")
        box = driver.msgbox(press_ok=False)
        window = driver.call("wait_window", 1000)["window"]
        region = [min(window["rect"][0], box["box"]["rect"][0]) - 8, min(window["rect"][1], box["box"]["rect"][1]) - 8,
                  max(window["rect"][2], box["box"]["rect"][2]) + 8, max(window["rect"][3], box["box"]["rect"][3]) + 8]
        shot = machine.screenshot("kelvarion-demo", region=region, folder=out_dir)
        print(f"Message box {box['box']['title']!r}: {box['box']['text']!r} ({box['t']:.0f} ms after the click)")
        driver.msgbox()
        ended = driver.wait_exit(30000)
        print(f"Program ended, exit code {ended['exit_code']}\n")

        after = snapshot(machine)
        written = sorted(p for p in after if before.get(p) != after[p])
        print("Files written:")
        for path in written:
            print(f"  {path}  ({after[path][0]} bytes)")

        for path, old in configs.items():
            new = machine.read(path)
            if new != old:
                print(f"\nSAS configuration change ({path}):")
                sys.stdout.writelines(difflib.unified_diff(
                    old.decode("cp1252").splitlines(keepends=True), new.decode("cp1252").splitlines(keepends=True),
                    fromfile="before", tofile="after"))

        print("\nShortcuts:")
        for path in written:
            if path.lower().endswith(".lnk"):
                link = driver.lnk_read(path)
                print(f"  {path}\n    target:    {link['target']}\n    arguments: {link['arguments']}"
                      f"\n    folder:    {link['working_directory']}\n    icon:      {link['icon_path']}")
        print(f"\nScreenshot of the window at the end: {shot}")
        if ended["exit_code"] != 0 or box["box"]["title"] != "Notice":
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
