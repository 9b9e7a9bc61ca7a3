"""The environment of the tests under Wine, shared with CTest and the shell
tools: read from tools/test-environment.sh, which holds only lines
NAME='value' besides comments and blank lines."""

import re
import shlex
import subprocess

from . import settings

FILE = settings.SOURCE / "tools" / "test-environment.sh"

_LINE = re.compile(r"([A-Z_][A-Z0-9_]*)='([^']*)'")


def _read(path):
    values = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        match = _LINE.fullmatch(line)
        if not match:
            raise RuntimeError(f"{path}:{number}: not NAME='value': {line}")
        values[match[1]] = match[2]
    return values


_VALUES = _read(FILE)

# The variables Wine itself reads.
WINE = {name: _VALUES[name] for name in ("WINEARCH", "WINEDEBUG", "WINEDLLOVERRIDES")}
# The name of the folder beside a prefix that is its HOME.
WINE_HOME = _VALUES["KELVARION_WINE_HOME"]
# Options of a virtual display, for Xvfb.
XVFB_OPTIONS = shlex.split(_VALUES["KELVARION_XVFB_OPTIONS"])
# The LANG of a machine that names none; any other needs the compiled
# locales (settings.test_locales()).
DEFAULT_LANG = _VALUES["KELVARION_DEFAULT_LANG"]


def wine_arch():
    """32 when Wine starts 32-bit Windows programs on this machine, 64 when
    only 64-bit ones: tools/wine/arch.sh decides (KELVARION_WINE_ARCH, or its
    probe)."""
    answer = subprocess.run([str(settings.wine_tools() / "arch.sh")], capture_output=True,
                            text=True, check=True, timeout=60)
    return int(answer.stdout)
