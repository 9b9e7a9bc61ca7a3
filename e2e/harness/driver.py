"""Client of kelvarion_ui_driver (e2e/driver): one driver process under Wine
per machine, one command a line, one JSON line in answer."""

import json
import os
import select
import subprocess
import time

from . import settings

# The program's controls by Win32 id (the Control enum of platform/main_view.h).
VERSION_FRAME, SAS8_OPTION, SAS91_OPTION, INSTALL_BUTTON, EXIT_BUTTON = 100, 101, 102, 103, 104
BUTTON_FRAME, PROGRESS_FRAME, PROGRESS_BAR, STATUS_LABEL, CONFIG_TEXT_BOX, SAS92_OPTION = 105, 106, 107, 108, 109, 110

VK_RETURN, VK_ESCAPE = 13, 27

# Extra time granted to an answer beyond the driver's own timeout: Wine may be
# slow to start the driver itself.
_MARGIN_S = 60


class DriverError(AssertionError):
    pass


class Driver:
    def __init__(self, machine):
        self._proc = subprocess.Popen(
            machine.wine_command(str(settings.driver_exe())), env=machine.env,
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self._buffer = b""

    def close(self):
        if self._proc.poll() is None:
            try:
                self.call("quit", timeout_ms=0)
                self._proc.wait(timeout=30)
            except (DriverError, OSError, subprocess.TimeoutExpired):
                self._proc.kill()
                self._proc.wait()
        self._proc.stdin.close()
        self._proc.stdout.close()

    # --- protocol -------------------------------------------------------

    def call(self, *fields, timeout_ms=0, check=True):
        line = "\t".join(str(f) for f in fields) + "\n"
        self._proc.stdin.write(line.encode("utf-8"))
        self._proc.stdin.flush()
        answer = json.loads(self._read_line(timeout_ms / 1000 + _MARGIN_S))
        if check and not answer.get("ok"):
            raise DriverError(f"{fields[0]}: {answer}")
        return answer

    def _read_line(self, timeout_s):
        deadline = time.monotonic() + timeout_s
        fd = self._proc.stdout.fileno()
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise DriverError("the driver did not answer in time")
            chunk = os.read(fd, 65536)
            if not chunk:
                raise DriverError("the driver ended")
            self._buffer += chunk
        line, _, self._buffer = self._buffer.partition(b"\n")
        return line.decode("utf-8")

    # --- commands -------------------------------------------------------

    def start(self, exe, folder=""):
        return self.call("start", exe, folder)

    def wait_window(self, timeout_ms=30000):
        return self.call("wait_window", timeout_ms, timeout_ms=timeout_ms)["window"]

    def dump(self):
        """The window and its controls, the controls keyed by id."""
        answer = self.call("dump", timeout_ms=30000)
        return answer["window"], {c["id"]: c for c in answer["controls"]}

    def click(self, control_id, check=True):
        return self.call("click", control_id, check=check)

    def key(self, vk, method="post"):
        return self.call("key", vk, method, timeout_ms=5000)

    def wait(self, control_id, field, value, timeout_ms=10000, check=True):
        if isinstance(value, bool):
            value = int(value)
        return self.call("wait", timeout_ms, control_id, field, value, timeout_ms=timeout_ms, check=check)

    def record(self, timeout_ms=30000, action=None, stop_prefix="", press=None):
        """Caption, progress and Install's state at each change. `action`:
        ("click", id) or ("key", vk[, method]), done by the driver once it has
        noted the window as it was (the first event), so that no change the
        action causes is missed; None for a run already under way. `press`:
        (caption, key) to press the key once that caption shows."""
        fields = ["record", timeout_ms, " ".join(str(a) for a in action) if action else "-", stop_prefix]
        if press:
            fields += list(press)
        return self.call(*fields, timeout_ms=timeout_ms)

    def msgbox(self, timeout_ms=15000, press_ok=True):
        return self.call("msgbox", timeout_ms, "ok" if press_ok else "", timeout_ms=2 * timeout_ms)

    def running(self):
        return self.call("running")["running"]

    def wait_exit(self, timeout_ms=15000):
        return self.call("wait_exit", timeout_ms, timeout_ms=timeout_ms)

    def special_folder(self, name):
        return self.call("folder", name)["path"]

    def lnk_read(self, path):
        return self.call("lnk_read", path, timeout_ms=10000)

    def lnk_write(self, path, target, arguments, folder, description):
        return self.call("lnk_write", path, target, arguments, folder, description, timeout_ms=10000)

    def hold(self, path, share, milliseconds=0):
        """Holds the file open for reading as another program does, sharing
        "read" or "read_write", for `milliseconds` (0: until release)."""
        return self.call("hold", path, share, milliseconds)

    def release(self):
        return self.call("release", timeout_ms=30000)

