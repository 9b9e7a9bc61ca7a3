"""Lays down what a machine holds before the setup program runs: the SAS
installations (registry entries and configuration files), the product's own
registry value, and the program in its install root."""

import json
from dataclasses import dataclass
from pathlib import Path

SAMPLE = Path(__file__).resolve().parents[1] / "sample-sas"

SAS_KEY = "HKLM\\SOFTWARE\\SAS Institute Inc.\\The SAS System\\{version}"
PRODUCT_KEY = "HKLM\\SOFTWARE\\Corvantis\\Kelvarion"


@dataclass
class Sas:
    version: str          # "8", "9.1" or "9.2"
    root: str             # DefaultRoot, a Windows path
    view: int = 32        # registry view SAS registered in
    files: str = ""       # folder of sample-sas copied into the root; "" for none

    def edited_config(self):
        """The configuration file that an installation edits."""
        return self.root + ("\\SASV8.CFG" if self.version == "8" else "\\nls\\en\\SASV9.CFG")

    def shortcut_config(self):
        """The configuration file that the shortcuts name."""
        return self.root + ("\\SASV8.CFG" if self.version == "8" else "\\SASV9.CFG")

    def exe(self):
        return self.root + "\\sas.exe"


def sample_machine():
    """The bundled sample machine (sample-sas/machine.json)."""
    data = json.loads((SAMPLE / "machine.json").read_text())
    return data["install_root"], [Sas(s["version"], s["root"], s["view"], s["files"]) for s in data["sas"]]


def reg_add(key, name, data, kind="REG_SZ", view=32):
    return f'reg add "{key}" /v "{name}" /t {kind} /d "{data}" /f /reg:{view}'


def lay_down(machine, sas_list, all_users=None, extra_reg=()):
    """Registry entries in one Wine start, then the SAS folders: the sample
    configuration files and an empty sas.exe, as an installed SAS has."""
    commands = [reg_add(SAS_KEY.format(version=s.version), "DefaultRoot", s.root, view=s.view)
                for s in sas_list]
    if all_users is not None:
        commands.append(reg_add(PRODUCT_KEY, "AllUsers", all_users))
    commands.extend(extra_reg)
    if commands:
        machine.run_batch(commands)
    for s in sas_list:
        root = machine.path(s.root)
        root.mkdir(parents=True, exist_ok=True)
        (root / "sas.exe").write_bytes(b"")
        if s.files:
            for source in (SAMPLE / s.files).rglob("*"):
                if source.is_file():
                    target = root / source.relative_to(SAMPLE / s.files)
                    target.parent.mkdir(parents=True, exist_ok=True)
                    target.write_bytes(source.read_bytes())
