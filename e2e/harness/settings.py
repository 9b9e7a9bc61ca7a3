"""Where the programs and tools are: handed over by CTest in the environment
(e2e/CMakeLists.txt), with defaults for a run from the source tree."""

import os
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]


def _path(variable, default=None):
    value = os.environ.get(variable)
    if value:
        return Path(value)
    if default is None:
        raise RuntimeError(f"{variable} is not set (run the e2e tests through ctest)")
    return default


def wine_loader():
    """The Wine loader of the programs under test, 32- or 64-bit
    (tools/test-environment.sh): CTest names the one of its build."""
    return _path("WINELOADER")


def wine_tools():
    return _path("KELVARION_WINE_TOOLS", SOURCE / "tools" / "wine")


def driver_exe():
    return _path("KELVARION_E2E_DRIVER")


def sample_window_exe():
    return _path("KELVARION_E2E_SAMPLE_WINDOW")


def program(edition):
    return _path({"current": "KELVARION_E2E_CURRENT", "legacy": "KELVARION_E2E_LEGACY"}[edition])


def artifacts():
    return _path("KELVARION_E2E_ARTIFACTS", Path.cwd() / "e2e-artifacts")


def test_locales():
    """The folder of locales compiled for the tests (LOCPATH)."""
    return _path("KELVARION_TEST_LOCALES")
