"""What the programs must write, apart from the programs' own code: the
product files, the start-up options file, the shortcut argument texts and the
SAS configuration edit. The generated files are read from tests/expected/,
the one statement of them that the native tests read too (see its
README.md): "{literal_root}" there stands for the install root inside a
single-quoted SAS literal, where SAS reads an apostrophe written twice as one.
Files are text in the ANSI code page (Windows-1252 unless a test names
another), CR LF after every line."""

import re
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
EXPECTED_FILES = SOURCE / "tests" / "expected"
LITERAL_ROOT = "{literal_root}"
CODE_PAGE = "cp1252"


def lines_of(name):
    """The lines of a file of the set, by its path under tests/expected/; the
    set keeps bare LF line ends, the last line's included."""
    text = (EXPECTED_FILES / name).read_bytes().decode("utf-8")
    if "\r" in text or not text.endswith("\n"):
        raise ValueError(f"{name} must end every line, the last included, with LF alone")
    return text[:-1].split("\n")


PRODUCT_FOLDERS = ["saspgm", "data", "data\\sdtm", "data\\translib", "data\\models"]
MENU_FOLDERS = ["Corvantis", "Corvantis\\KELVARION"]


def _steps():
    """The steps of an installation from tests/expected/steps.tsv: the
    caption shown while each runs, the bar's value then, its failure caption."""
    rows = [line.split("\t") for line in lines_of("steps.tsv") if line and not line.startswith("#")]
    if any(len(row) != 3 for row in rows):
        raise ValueError("steps.tsv: every step is three fields separated by tabs")
    return ([row[0] for row in rows], [int(row[1]) for row in rows], [row[2] for row in rows])


STEP_CAPTIONS, STEP_PROGRESS, FAILURE_CAPTIONS = _steps()


def step_index(caption):
    """The position of the step shown with `caption` in the sequence."""
    return STEP_CAPTIONS.index(caption)

DONE_CAPTION = "Installation completed."
NOTICE_TEXT = "Completed creating shortcut and macro files!"
NOTICE_TITLE = "Notice"


def text_file(lines, root, code_page=CODE_PAGE):
    """The bytes of a generated text file for this install root. The root
    must be held by the code page exactly (the program refuses it otherwise);
    fixed text takes the code page's default character "?" where it lacks one,
    as Windows converts (the trade-mark sign in 932, 936 and 874)."""
    literal_root = root.replace("'", "''").encode(code_page)
    return b"".join(
        literal_root.join(part.encode(code_page, errors="replace")
                          for part in line.split(LITERAL_ROOT)) + b"\r\n"
        for line in lines)


def files_of(edition):
    """Every file an edition writes, by relative Windows path under the
    install root: those of all-editions/ and of the edition's own folder."""
    files = {}
    for folder in ("all-editions", edition):
        base = EXPECTED_FILES / folder
        if not base.is_dir():
            raise FileNotFoundError(base)
        for path in sorted(p for p in base.rglob("*") if p.is_file()):
            relative = path.relative_to(base)
            files["\\".join(relative.parts)] = f"{folder}/{relative.as_posix()}"
    return files


def product_files(root, edition, code_page=CODE_PAGE):
    """Every file an installation writes under the install root, by relative
    Windows path, as bytes."""
    return {relative: text_file(lines_of(name), root, code_page)
            for relative, name in files_of(edition).items()}


def _step_pause_ms():
    """The pause before each step, read from the program's own source
    (kStepPauseMilliseconds), so that the floor below follows it."""
    header = SOURCE / "app" / "installation_steps.h"
    match = re.search(r"kStepPauseMilliseconds = (\d+);", header.read_text())
    if not match:
        raise ValueError(f"{header}: kStepPauseMilliseconds not found")
    return int(match.group(1))


def pause_floor_ms(edition):
    """The least time from Install to the Notice box: a pause before each
    step of steps.tsv and, in an edition that writes kelvarion.cfg, one more
    before that file (inside the step "Config SAS System ...")."""
    pauses = len(STEP_CAPTIONS) + (1 if "kelvarion.cfg" in files_of(edition) else 0)
    return pauses * _step_pause_ms()


def shortcut_arguments(edition, sas_config, root):
    if edition == "current":
        return f' -CONFIG "{sas_config}" -CONFIG "{root}\\kelvarion.cfg"'
    return (f' -CONFIG "{sas_config}" -autoexec "{root}\\saspgm\\autoexec.sas"'
            f' -initcmd "af cat = pgmlib.kelvarion.trans_manager.frame"'
            f' -splashloc "{root}\\splsh.bmp"')


def inserted_entry(root):
    """The line an installation puts after the "(" of the SASAUTOS list."""
    return ' ' * 16 + '"' + root + '\\saspgm"'
