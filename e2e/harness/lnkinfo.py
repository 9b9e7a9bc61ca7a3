"""Reads a shortcut with Debian's lnkinfo (liblnk-utils), a parser that owes
nothing to Windows or Wine, and the show command straight from the file."""

import re
import struct
import subprocess

_FIELD = re.compile(r"^\t([^\t:]+?)\t+: ?(.*)$")


def lnkinfo(path):
    """The "Link information" fields of lnkinfo's report, by name."""
    out = subprocess.run(["lnkinfo", str(path)], capture_output=True, timeout=60)
    if out.returncode != 0:
        raise AssertionError(f"lnkinfo failed on {path}: {out.stderr!r}")
    fields = {}
    section = None
    for line in out.stdout.decode("utf-8", errors="replace").splitlines():
        if line and not line.startswith("\t"):
            section = line.rstrip(":")
            continue
        match = _FIELD.match(line)
        if match and section == "Link information":
            fields[match.group(1).strip()] = match.group(2)
    return fields


def show_command(path):
    """The ShowCommand of the shell link header (offset 0x3C)."""
    with open(path, "rb") as f:
        header = f.read(0x40)
    return struct.unpack_from("<I", header, 0x3C)[0]
