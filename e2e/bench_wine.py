"""Timings of the real programs under Wine, printed as Markdown tables:
Install click to the Notice box against the floor of the pauses, the steps'
captions in between, start-up (process start to window shown) beside a
minimal window of ours started the same way, the size of each program, and
Install click to the box while another program holds the SAS configuration.

Every time comes from the UI driver (e2e/driver/evidence_commands.cpp):
QueryPerformanceCounter at the click and at each change it sees, the window
polled every millisecond. Run by scripts/bench-wine.sh."""

import argparse
import os
import statistics
import sys

from harness import expected, settings
from harness.driver import EXIT_BUTTON
from harness.sas_setup import lay_down, sample_machine
from harness.wine_machine import WineMachine
from e2e_case import PROGRAM_NAMES

GOAL = 1.10


def spread(values):
    return min(values), statistics.median(values), max(values)


def fmt(values):
    return " / ".join(f"{v:.1f}" for v in spread(values))


def time_runs(edition, runs):
    """`runs` installations of `edition`, each in a new process on one machine."""
    install_root, sas_list = sample_machine()
    result = {"start": [], "install": [], "gap": [], "steps": [], "sample_start": []}
    with WineMachine(f"bench-{edition}") as machine:
        lay_down(machine, sas_list, all_users="0")
        exe = machine.copy_program(settings.program(edition), install_root)
        driver = machine.driver()
        for _ in range(runs):
            started = driver.call("time_start", 30000, exe, install_root, timeout_ms=30000)
            result["start"].append(started["shown"])
            timed = driver.call("time_install", 60000, timeout_ms=60000)
            notice = driver.msgbox()
            if notice["box"]["text"] != expected.NOTICE_TEXT:
                raise RuntimeError(f"not the Notice box: {notice}")
            if driver.wait_exit(20000)["exit_code"] != 0:
                raise RuntimeError("the program did not end cleanly")
            result["install"].append(timed["box"])
            result["gap"].append(timed["longest_poll_gap"])
            result["steps"].append(timed["captions"])
        # The floor of a window's start-up under Wine: a minimal window of
        # ours with the same caption, started and timed the same way.
        sample = settings.sample_window_exe()
        for _ in range(runs):
            started = driver.call("time_start", 30000, machine.windows_path_of(sample), timeout_ms=30000)
            result["sample_start"].append(started["shown"])
            driver.click(EXIT_BUTTON)
            driver.wait_exit(20000)
    return result


# Another program holding the SAS configuration files from just before the
# click: for a moment while sharing writing, or throughout sharing reading only.
HOLDS = [("1.5 s, sharing reading and writing", "read_write", 1500, expected.NOTICE_TITLE),
         ("throughout, sharing reading only", "read", 0, "Error!")]


def time_held(edition, runs, share, hold_ms, title):
    """Install click to the box while the configuration files are held; each
    file is put back before each run, so that every run edits it."""
    install_root, sas_list = sample_machine()
    boxes = []
    with WineMachine(f"bench-held-{edition}-{share}") as machine:
        lay_down(machine, sas_list, all_users="0")
        exe = machine.copy_program(settings.program(edition), install_root)
        originals = {s.edited_config(): machine.read(s.edited_config()) for s in sas_list}
        driver = machine.driver()
        for _ in range(runs):
            for config, original in originals.items():
                machine.path(config).write_bytes(original)
            driver.call("time_start", 30000, exe, install_root, timeout_ms=30000)
            for config in originals:
                driver.hold(config, share, hold_ms)
            timed = driver.call("time_install", 60000, timeout_ms=60000)
            box = driver.msgbox()
            driver.release()
            if box["box"]["title"] != title:
                raise RuntimeError(f"not the {title} box: {box}")
            if title != expected.NOTICE_TITLE:
                driver.click(EXIT_BUTTON)
            if driver.wait_exit(20000)["exit_code"] != 0:
                raise RuntimeError("the program did not end cleanly")
            boxes.append(timed["box"])
    return boxes


def step_table(edition, runs):
    """Median time spent under each caption, and from the last one to the box."""
    captions = expected.STEP_CAPTIONS + [expected.DONE_CAPTION]
    rows = []
    for caption in captions:
        spans = []
        for run, box in zip(runs["steps"], runs["install"]):
            times = [e["t"] for e in run]
            names = [e["caption"] for e in run]
            if caption not in names:
                continue
            i = names.index(caption)
            end = times[i + 1] if i + 1 < len(times) else box
            spans.append(end - times[i])
        if spans:
            rows.append((caption, statistics.median(spans), len(spans)))
    first = statistics.median(run[0]["t"] for run in runs["steps"] if run)
    return first, rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--held-runs", type=int, default=3)
    args = parser.parse_args()

    print(f"## Under Wine: {args.runs} runs per edition (min / median / max, ms)\n")
    results = {edition: time_runs(edition, args.runs) for edition in ("current", "legacy")}
    print("| Edition | Floor of the pauses | Install click to Notice box | Over the floor (median) | Goal (+10 %) | Longest poll gap |")
    print("|---|---|---|---|---|---|")
    over_goal = False
    for edition, r in results.items():
        median = statistics.median(r["install"])
        floor = expected.pause_floor_ms(edition)
        met = median <= floor * GOAL
        over_goal |= not met
        print(f"| {edition} | {floor:.0f} | {fmt(r['install'])} | {100 * (median / floor - 1):+.1f} % "
              f"| {'met' if met else 'missed'} | {max(r['gap']):.1f} |")
    print()
    print("| Edition | Process start to window shown | Minimal window of ours, same way | Program size (bytes) |")
    print("|---|---|---|---|")
    for edition, r in results.items():
        size = os.path.getsize(settings.program(edition))
        print(f"| {edition} | {fmt(r['start'])} | {fmt(r['sample_start'])} | {size} |")
    for edition, r in results.items():
        first, rows = step_table(edition, r)
        print(f"\n### Where the time goes, {edition} edition (median ms)\n")
        print(f"Click to the first caption: {first:.1f}\n")
        print("| Caption shown | Until the next caption (or the box) |")
        print("|---|---|")
        for caption, span, seen in rows:
            print(f"| {caption} | {span:.1f} (seen in {seen} runs) |")
    print(f"\n### The SAS configuration file held by another program ({args.held_runs} runs, "
          "min / median / max, ms)\n")
    print("| Edition | Held from just before the click | Box | Install click to the box |")
    print("|---|---|---|---|")
    for edition in ("current", "legacy"):
        for what, share, hold_ms, title in HOLDS:
            boxes = time_held(edition, args.held_runs, share, hold_ms, title)
            print(f"| {edition} | {what} | {title} | {fmt(boxes)} |")
    return 1 if over_goal else 0


if __name__ == "__main__":
    sys.exit(main())
