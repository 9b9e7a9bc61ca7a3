"""A throwaway Windows machine for one test: a private Wine prefix cloned from
the cached template (tools/wine/clone.sh), its own virtual X display (Xvfb),
and a HOME of its own. Everything is removed when the test ends."""

import os
import select
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

from . import environment, settings


class WineMachine:
    def __init__(self, name="machine", display=None, lang=None):
        """`display`: an X display (a DISPLAY value such as ":0") to show the
        windows on; by default a private virtual one. `lang`: the Linux locale
        Wine takes its ANSI code page from (by default C.UTF-8: Windows-1252;
        ja_JP.UTF-8: 932, zh_CN.UTF-8: 936, th_TH.UTF-8: 874, from the
        locales compiled into the build tree)."""
        self.name = name
        self.lang = lang or environment.DEFAULT_LANG
        self.work = None
        self.prefix = None
        self.env = None
        self.display = display
        self._xvfb = None
        self._drivers = []

    # --- lifetime -------------------------------------------------------

    def __enter__(self):
        self.work = Path(tempfile.mkdtemp(prefix=f"kelvarion-e2e-{self.name}-"))
        self.prefix = self.work / "prefix"
        subprocess.run([str(settings.wine_tools() / "clone.sh"), str(self.prefix)], check=True)
        home = self.work / environment.WINE_HOME
        home.mkdir()
        if self.display is None:
            self._start_xvfb()
        env = dict(os.environ)
        env.update(environment.WINE)
        env["WINELOADER"] = str(settings.wine_loader())
        env.update(
            WINEPREFIX=str(self.prefix),
            HOME=str(home),
            DISPLAY=self.display,
            # Wine's ANSI code page follows the locale, but only for a locale
            # that is compiled.
            LANG=self.lang,
            LC_ALL=self.lang,
        )
        if self.lang != environment.DEFAULT_LANG:
            env["LOCPATH"] = str(settings.test_locales())
        self.env = env
        return self

    def __exit__(self, *exc):
        for driver in self._drivers:
            driver.close()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        if self._xvfb:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
        if os.environ.get("KELVARION_KEEP_E2E") == "1":
            print(f"machine kept at {self.work}")
        else:
            shutil.rmtree(self.work, ignore_errors=True)
        return False

    def _start_xvfb(self):
        # Xvfb picks a free display and writes its number to the pipe once it
        # accepts connections.
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), *environment.XVFB_OPTIONS],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([read_end], [], [], left)[0]:
                raise RuntimeError("Xvfb did not report its display in 30 s")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise RuntimeError("Xvfb ended before reporting its display")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    # --- Wine -----------------------------------------------------------

    def wine_command(self, *args):
        """The command line that runs a Windows program (and its arguments)
        under this machine's Wine loader."""
        return [self.env["WINELOADER"], *args]

    def wine(self, *args, timeout=120):
        return subprocess.run(self.wine_command(*args), env=self.env, capture_output=True,
                              timeout=timeout)

    def run_batch(self, lines, timeout=120):
        """Runs Windows commands in one cmd.exe (one Wine start for many)."""
        batch = self.work / "commands.bat"
        batch.write_bytes(("@echo off\r\n" + "\r\n".join(lines) + "\r\n").encode("cp1252"))
        result = self.wine("cmd", "/c", self.windows_path_of(batch), timeout=timeout)
        if result.returncode != 0:
            raise RuntimeError(f"batch failed ({result.returncode}): {result.stdout!r} {result.stderr!r}")
        return result

    def driver(self):
        from .driver import Driver
        driver = Driver(self)
        self._drivers.append(driver)
        return driver

    # --- files ----------------------------------------------------------

    def path(self, windows_path):
        """The Linux path of a Windows path on drive C: or Z:, each component
        matched without regard to case, as Windows would."""
        drive, _, rest = windows_path.partition(":")
        if drive.upper() == "Z":
            return Path("/") / rest.replace("\\", "/").lstrip("/")
        if drive.upper() != "C":
            raise ValueError(f"not on drive C: {windows_path}")
        path = self.prefix / "drive_c"
        for part in [p for p in rest.split("\\") if p]:
            candidate = path / part
            if not candidate.exists() and path.is_dir():
                for entry in path.iterdir():
                    if entry.name.lower() == part.lower():
                        candidate = entry
                        break
            path = candidate
        return path

    def windows_path_of(self, linux_path):
        linux_path = Path(linux_path).resolve()
        drive_c = (self.prefix / "drive_c").resolve()
        try:
            return "C:\\" + str(linux_path.relative_to(drive_c)).replace("/", "\\")
        except ValueError:
            return "Z:" + str(linux_path).replace("/", "\\")

    def write(self, windows_path, data: bytes):
        path = self.path(windows_path)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        return path

    def read(self, windows_path) -> bytes:
        return self.path(windows_path).read_bytes()

    def exists(self, windows_path) -> bool:
        return self.path(windows_path).exists()

    def copy_program(self, exe, install_root):
        """Puts the program into its install root, as the product's installer does."""
        target = self.path(install_root)
        target.mkdir(parents=True, exist_ok=True)
        shutil.copy2(exe, target / Path(exe).name)
        return install_root + "\\" + Path(exe).name

    def screenshot(self, name, region=None, folder=None):
        """The screen as a PNG under the artifacts folder (or `folder`);
        `region`: [left, top, right, bottom] to keep only that part."""
        out = (folder or settings.artifacts()) / f"{name}.png"
        out.parent.mkdir(parents=True, exist_ok=True)
        command = ["import", "-display", self.env["DISPLAY"], "-window", "root"]
        if region:
            left, top, right, bottom = region
            command += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        subprocess.run(command + [str(out)], check=True, timeout=60, env=self.env)
        return out
