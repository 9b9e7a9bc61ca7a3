"""The two program files as shipped: 32-bit GUI programs that import only
Windows' own DLLs, with their version information, icon and manifest."""

import re
import struct
import subprocess

from e2e_case import E2ECase
from harness import settings

WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
                "ole32.dll", "oleaut32.dll", "comctl32.dll", "msvcrt.dll", "comdlg32.dll",
                "shlwapi.dll", "uuid.dll", "version.dll", "uxtheme.dll"}

VERSION_STRINGS = {
    "ProductName": "Kelvarion_Post_Installation_Setup",
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
    "InternalName": "Kelvarion_Post_Installation_setup",
    "OriginalFilename": "Kelvarion_Post_Installation_setup.exe",
}


def pe_header(path):
    """(machine, subsystem) from the PE headers."""
    with open(path, "rb") as f:
        data = f.read(4096)
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        raise AssertionError(f"{path} is not a PE file")
    machine = struct.unpack_from("<H", data, offset + 4)[0]
    optional = offset + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    return machine, magic, subsystem


class ProgramFiles(E2ECase):
    def test_both_programs(self):
        machine = self.new_machine("files")
        driver = machine.driver()
        for edition in ("current", "legacy"):
            with self.subTest(edition=edition):
                exe = settings.program(edition)
                machine_type, magic, subsystem = pe_header(exe)
                self.assertEqual(machine_type, 0x14C, "i386")
                self.assertEqual(magic, 0x10B, "PE32, not PE32+")
                self.assertEqual(subsystem, 2, "a GUI program")
                dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", str(exe)],
                                      capture_output=True, text=True, check=True).stdout
                dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", dump)}
                self.assertTrue(dlls, "no imports found")
                self.assertLessEqual(dlls, WINDOWS_DLLS, f"imports beyond Windows' own: {dlls}")

                info = driver.exe_info(machine.windows_path_of(exe))
                version = info["version"]
                self.assertEqual(version["file_version"], [1, 0, 0, 0])
                self.assertEqual(version["product_version"], [1, 0, 0, 0])
                self.assertEqual([t["id"] for t in version["tables"]], ["040904b0"])
                strings = version["tables"][0]["strings"]
                want = dict(VERSION_STRINGS)
                if edition == "current":
                    want["CompanyName"] = "QVK"
                self.assertEqual({k: v for k, v in strings.items() if k in want or k == "CompanyName"}, want)

                images = [image for group in info["icons"] for image in group]
                self.assertIn((32, 32, 8), {(i["width"], i["height"], i["bits"]) for i in images},
                              f"no 32 x 32, 256-colour icon: {images}")
                manifest = info["manifest"]
                self.assertIn("Microsoft.Windows.Common-Controls", manifest)
                self.assertIn('version="6.0.0.0"', manifest)
                self.assertRegex(manifest, r"dpiAware")
