"""Checks that includes point down the layers (docs/architecture.md):
editions -> app -> generate, host -> model -> platform, that only editions/
includes the Windows side (platform/win32/), and that every include in the
product's folders is written from the top of the tree (the tests and the UI
driver are not checked). Prints each fault as file:line and exits 1 when
there is one."""

import re
import sys
from pathlib import Path

# What each folder may include, besides itself and the standard and Windows
# headers (those are written with angle brackets).
ALLOWED = {
    "editions": {"editions", "app", "generate", "host", "model", "platform"},
    "app": {"app", "generate", "host", "model", "platform"},
    "host": {"host", "generate", "model", "platform"},
    "generate": {"generate", "model", "platform"},
    "model": {"model", "platform"},
    "platform": {"platform"},
}
# The Windows side of the platform: only the programs' composition in
# editions/ and platform/win32 itself see it; the layers between, and the
# portable files of platform/, know the platform's interfaces only.
WINDOWS_SIDE = "platform/win32/"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def allowed(layer, included, sees_windows_side):
    if included.startswith(WINDOWS_SIDE) and not sees_windows_side:
        return False
    rules = ALLOWED[layer]
    return any(included == rule or included.startswith(rule + "/") for rule in rules)


def upward_includes(root):
    found = []
    for layer in ALLOWED:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            relative = path.relative_to(root).as_posix()
            sees_windows_side = layer == "editions" or relative.startswith(WINDOWS_SIDE)
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                included = match.group(1)
                if "/" not in included:
                    found.append(f"{path.relative_to(root)}:{number}: {included} "
                                 "without its folder")
                elif not allowed(layer, included, sees_windows_side):
                    found.append(f"{path.relative_to(root)}:{number}: {layer}/ includes {included}")
    return found


def upward_links(root):
    """The platform's libraries must not link the layers above them."""
    found = []
    for path in sorted((root / "platform").rglob("CMakeLists.txt")):
        for number, line in enumerate(path.read_text().splitlines(), 1):
            for library in ("kelvarion_app", "kelvarion_host", "kelvarion_generate"):
                if re.search(rf"\b{library}\b", line.split("#")[0]):
                    found.append(f"{path.relative_to(root)}:{number}: platform/ links {library}")
    return found


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
    found = upward_includes(root) + upward_links(root)
    for line in found:
        print(line)
    print(f"{len(found)} upward includes or links" if found
          else "every include and link points down the layers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
